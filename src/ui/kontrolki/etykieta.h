// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label of a skinned window: a transparent hot spot over a painted button, a picture, or a
// captioned link whose colour changes while the mouse is over it.

#include <QColor>
#include <QLabel>

namespace sondrel {

class Etykieta : public QLabel {
    Q_OBJECT
public:
    explicit Etykieta(QWidget* rodzic = nullptr);
    // A transparent hot spot (or picture) at a place given in the parent's coordinates.
    Etykieta(QWidget* rodzic, int x, int y, int w, int h);

    // A link label: drawn in the normal colour (#2E2E2E), in the highlight colour (white
    // unless given) while the mouse is over it.
    void UstawLink(QColor normalny = QColor(0x2E, 0x2E, 0x2E), QColor podswietlony = Qt::white);
    void Podswietl(bool wlaczone);
    bool Podswietlona() const { return podswietlona; }

    // A painted control the keyboard reaches: Tab gives it focus, the arrow keys move the focus
    // among its siblings of this kind (top to bottom, round), Enter or Space clicks it. Focus
    // acts like the mouse coming over it (ruch(), the link's highlight) and draws the focus
    // mark. `nazwa` names it for screen readers.
    void UstawKlawiature(const QString& nazwa);
    // The Alt shortcut the window gives this control ("Alt+W"): named in its tooltip and to
    // screen readers. The window itself reacts to the keys.
    void UstawSkrot(const QString& skrot);
    const QString& Skrot() const { return skrot; }
    // A hot spot over a painted push button draws its focus mark as a dotted ring inside the
    // button's face, `margines` pixels in, where the painted frame does not hide it.
    void UstawZnakFokusuWewnatrz(int margines) { wewnatrz = margines; }

    // Shows a text that may not fit: what does not fit is cut with "…" (on the last line that
    // fits, for a word-wrapped label) and the whole text becomes the tooltip; a text that fits
    // is shown as it is, with no tooltip. A resize cuts the text again.
    void UstawTekstPrzyciety(const QString& tekst);
    const QString& PelnyTekst() const { return pelny; }

signals:
    // Pressed and released over the label with the left button.
    void klik();
    // The mouse moved over the label (pressed or not).
    void ruch();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void UstawKolor(QColor kolor);
    // The next (krok 1) or previous (-1) visible sibling that the keyboard reaches.
    Etykieta* Sasiad(int krok) const;

    bool link = false;
    bool podswietlona = false;
    bool wcisnieta = false;
    bool przycinana = false;
    QString pelny;
    QString skrot;
    int wewnatrz = 0;
    void Przytnij();
    QColor normalny, podswietlony;
};

// A separator line of underscores in a window's menu column, which screen readers skip (the
// framed windows' menu builder, okno_z_ramka.h, makes the entries).
Etykieta* KreskaMenu(QWidget* panel, int y);

} // namespace sondrel
