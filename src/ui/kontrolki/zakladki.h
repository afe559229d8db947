// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tab control drawn in the windows' look: a row of tabs that share the control's whole width
// (the chosen one white and joined to the page, the others on the light band) over a white page
// with a thin frame. Tabs are chosen by the mouse, by the arrow keys on the row, and by
// Ctrl+Tab / Ctrl+Shift+Tab anywhere in the control.

#include <QTabBar>
#include <QWidget>

class QStackedWidget;

namespace sondrel {

class PasekZakladek : public QTabBar {
    Q_OBJECT
public:
    explicit PasekZakladek(QWidget* rodzic);
    static constexpr int Wysokosc = 21;

protected:
    QSize tabSizeHint(int indeks) const override;
    QSize minimumTabSizeHint(int indeks) const override { return tabSizeHint(indeks); }
    void paintEvent(QPaintEvent* e) override;
};

class Zakladki : public QWidget {
    Q_OBJECT
public:
    explicit Zakladki(QWidget* rodzic);

    // Adds a page with its tab; returns the page's index.
    int DodajStrone(QWidget* strona, const QString& napis);
    QWidget* Strona(int indeks) const;
    int Biezaca() const;
    void UstawBiezaca(int indeks);
    int Ilosc() const;
    PasekZakladek* Pasek() const { return pasek; }

signals:
    // A page became the visible one.
    void zmieniona(int indeks);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    PasekZakladek* pasek;
    QStackedWidget* strony;
};

} // namespace sondrel
