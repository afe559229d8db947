// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/probka_koloru.h"

#include <QPainter>

namespace sondrel {

ProbkaKoloru::ProbkaKoloru(QWidget* rodzic) : QWidget(rodzic) {}

void ProbkaKoloru::UstawKolor(const QColor& k) {
    if (kolor == k) return;
    kolor = k;
    update();
}

void ProbkaKoloru::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(isEnabled() ? QColor(0x9A, 0x9E, 0xB3) : QColor(0xC8, 0xCA, 0xD4), 1));
    p.setBrush(kolor);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

} // namespace sondrel
