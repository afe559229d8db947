// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window's scroll bar.

#include <QAbstractSlider>

namespace sondrel {

// The vertical scroll bar of the table window, painted in the program's look: a slim thumb on
// a light track; a press on the track moves by a page, dragging the thumb follows the mouse.
class ListwaTabeli : public QAbstractSlider {
    Q_OBJECT
public:
    explicit ListwaTabeli(QWidget* rodzic = nullptr);

    QRect ProstokatSuwaka() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    // The wheel over the bar moves three rows a notch (its line step is meant for clicks).
    void wheelEvent(QWheelEvent* e) override;

private:
    int WartoscZPolozenia(int y) const;
    int resztaKolka = 0; // wheel delta not yet turned into rows

    bool ciagnie = false;
    int chwyt = 0; // where in the thumb the mouse took it
    bool nad = false;
};

} // namespace sondrel
