// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/pole_opcji.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel {

namespace {
constexpr int Kolko = 13;
}

PoleOpcji::PoleOpcji(const QString& napis, QWidget* rodzic) : QRadioButton(napis, rodzic) {
    setFont(skora::CzcionkaPunkty(8));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

QSize PoleOpcji::sizeHint() const {
    return {Kolko + 6 + fontMetrics().horizontalAdvance(text()) + 3,
            std::max(Kolko + 2, fontMetrics().height() + 2)};
}

bool PoleOpcji::hitButton(const QPoint& punkt) const {
    return rect().contains(punkt);
}

void PoleOpcji::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool czynne = isEnabled();
    const bool nad = czynne && (underMouse() || isDown());
    const QRectF kolko(0.5, (height() - Kolko) / 2 + 0.5, Kolko - 1, Kolko - 1);
    const QColor obwodka = !czynne              ? QColor(0xC8, 0xCA, 0xD4)
                           : isChecked() || nad ? QColor::fromRgba(skora::Lupek)
                                                : QColor(0x9A, 0x9E, 0xB3);
    p.setPen(QPen(obwodka, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(kolko);
    if (isChecked()) {
        p.setPen(Qt::NoPen);
        p.setBrush(czynne ? QColor::fromRgba(skora::Granat) : QColor(0xB4, 0xB6, 0xC2));
        p.drawEllipse(kolko.center(), 3.2, 3.2);
    }
    p.setPen(czynne ? QColor(Qt::black) : QColor(0xA0, 0xA2, 0xAE));
    p.setFont(font());
    const QRect napis(Kolko + 6, 0, width() - Kolko - 6, height());
    p.drawText(napis, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (hasFocus()) {
        p.setPen(QPen(QColor::fromRgba(skora::MenuTlo), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        const int w = std::min(width() - Kolko - 4, fontMetrics().horizontalAdvance(text()) + 4);
        p.drawRect(QRectF(Kolko + 3.5, 0.5, w, height() - 1));
    }
}

} // namespace sondrel
