// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/listwa_tabeli.h"

#include "ui/skory/skora.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace sondrel {

ListwaTabeli::ListwaTabeli(QWidget* rodzic) : QAbstractSlider(rodzic) {
    setOrientation(Qt::Vertical);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::ArrowCursor);
}

QRect ListwaTabeli::ProstokatSuwaka() const {
    const int zakres = maximum() - minimum();
    const int h = height();
    int dlugosc = zakres + pageStep() > 0 ? h * pageStep() / (zakres + pageStep()) : h;
    dlugosc = std::clamp(dlugosc, std::min(h, 24), h);
    const int wolne = h - dlugosc;
    const int y = zakres > 0 ? wolne * (value() - minimum()) / zakres : 0;
    return QRect(0, y, width(), dlugosc);
}

int ListwaTabeli::WartoscZPolozenia(int y) const {
    const QRect s = ProstokatSuwaka();
    const int wolne = height() - s.height();
    if (wolne <= 0) return minimum();
    const int zakres = maximum() - minimum();
    return minimum() + (std::clamp(y, 0, wolne) * zakres + wolne / 2) / wolne;
}

void ListwaTabeli::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tor = QRectF(rect()).adjusted(5.5, 0.5, -5.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(skora::PanelJasny));
    p.drawRoundedRect(tor, tor.width() / 2, tor.width() / 2);
    const QRectF s = QRectF(ProstokatSuwaka()).adjusted(3.5, 1, -3.5, -1);
    // the thumb's colours are the other flat scroll bars' (skora::ArkuszListwy)
    QColor kolor = QColor::fromRgba(skora::MenuTlo);
    if (ciagnie)
        kolor = QColor::fromRgba(skora::SuwakWcisniety);
    else if (nad)
        kolor = QColor::fromRgba(skora::SuwakNad);
    p.setBrush(kolor);
    p.drawRoundedRect(s, s.width() / 2, s.width() / 2);
}

void ListwaTabeli::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int y = e->position().toPoint().y();
    const QRect s = ProstokatSuwaka();
    if (s.contains(e->position().toPoint())) {
        ciagnie = true;
        chwyt = y - s.top();
        setSliderDown(true);
    } else {
        triggerAction(y < s.top() ? SliderPageStepSub : SliderPageStepAdd);
    }
    update();
}

void ListwaTabeli::mouseMoveEvent(QMouseEvent* e) {
    if (!ciagnie) return;
    setSliderPosition(WartoscZPolozenia(e->position().toPoint().y() - chwyt));
}

void ListwaTabeli::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !ciagnie) return;
    ciagnie = false;
    setSliderDown(false);
    update();
}

void ListwaTabeli::wheelEvent(QWheelEvent* e) {
    e->accept();
    resztaKolka += e->angleDelta().y();
    const int wierszy = resztaKolka / 40; // 120 per notch, three rows
    resztaKolka -= wierszy * 40;
    if (wierszy != 0) setValue(value() - wierszy);
}

void ListwaTabeli::enterEvent(QEnterEvent* e) {
    QAbstractSlider::enterEvent(e);
    nad = true;
    update();
}

void ListwaTabeli::leaveEvent(QEvent* e) {
    QAbstractSlider::leaveEvent(e);
    nad = false;
    update();
}

} // namespace sondrel
