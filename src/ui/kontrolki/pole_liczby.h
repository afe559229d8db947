// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A spin box whose value is its text as a whole number. It takes only digits, the signs + and -,
// the decimal separator and control keys other than Enter; its arrows (and the Up and Down keys)
// step within its range. A typed value outside the range stands as typed until the box loses
// the focus, when it is replaced by the nearest bound. A text that is not a whole number is
// never taken: leaving the box with one reports it (bladLiczby) and shows the last number again.

#include <QLineEdit>
#include <optional>

class QTimer;

namespace sondrel {

class PoleLiczby : public QLineEdit {
    Q_OBJECT
public:
    PoleLiczby(int minimum, int maksimum, int krok, QWidget* rodzic);

    int Minimum() const { return minimum; }
    int Maksimum() const { return maksimum; }
    int Krok() const { return krok; }
    // The text as a whole number, if it is one.
    std::optional<int> Liczba() const;
    // The last whole number the text held.
    int OstatniaLiczba() const { return ostatnia; }
    // Sets the text to the number (a change of the text like any other).
    void UstawLiczbe(int liczba);
    // One step up (+1) or down (-1) from the value, within the range.
    void Krokuj(int kierunek);

    static std::optional<int> LiczbaZTekstu(const QString& tekst);

signals:
    // The text changed and is a whole number.
    void liczbaZmieniona(int liczba);
    // The box was left with this text, which is not a whole number.
    void bladLiczby(const QString& tekst);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QRect Strzalka(int kierunek) const; // +1 the upper arrow, -1 the lower
    void TekstZmieniony(const QString& tekst);

    int minimum, maksimum, krok;
    int ostatnia = 0;
    int wcisnieta = 0; // the arrow held down
    QTimer* powtarzanie;
};

} // namespace sondrel
