// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/pole_wyboru.h"

#include "ui/skory/skora.h"

#include <QPainter>
#include <QPainterPath>

namespace sondrel {

namespace {
constexpr int Pudelko = 13; // the check box's box
}

PoleWyboru::PoleWyboru(const QString& napis, QWidget* rodzic)
    : QCheckBox(napis, rodzic), kolorTekstu(QColor::fromRgba(skora::Tekst2)) {
    setFont(skora::CzcionkaPunkty(8));
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

QSize PoleWyboru::sizeHint() const {
    return {Pudelko + 7 + fontMetrics().horizontalAdvance(text()) + 2,
            std::max(Pudelko + 2, fontMetrics().height() + 2)};
}

bool PoleWyboru::hitButton(const QPoint& punkt) const {
    return rect().contains(punkt);
}

void PoleWyboru::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QRectF pudelko(0.5, (height() - Pudelko) / 2 + 0.5, Pudelko - 1, Pudelko - 1);
    const bool czynne = isEnabled();
    const bool nad = czynne && (underMouse() || isDown());
    const QColor szary(0xB4, 0xB6, 0xC2);
    if (isChecked()) {
        p.setPen(QPen(czynne ? QColor::fromRgba(skora::Granat) : szary, 1));
        p.setBrush(!czynne ? szary : QColor::fromRgba(nad ? skora::Lupek : skora::Granat));
        p.drawRoundedRect(pudelko, 3, 3);
        QPainterPath haczyk;
        const qreal x = pudelko.left(), y = pudelko.top(), b = pudelko.width();
        haczyk.moveTo(x + b * 0.24, y + b * 0.52);
        haczyk.lineTo(x + b * 0.43, y + b * 0.72);
        haczyk.lineTo(x + b * 0.77, y + b * 0.30);
        p.setPen(QPen(Qt::white, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(haczyk);
    } else {
        p.setPen(QPen(!czynne ? QColor(0xC8, 0xCA, 0xD4)
                      : nad   ? QColor::fromRgba(skora::Lupek)
                              : QColor(0x9A, 0x9E, 0xB3),
                      1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(pudelko, 3, 3);
    }
    p.setPen(czynne ? kolorTekstu : QColor(0xA0, 0xA2, 0xAE));
    p.setFont(font());
    p.drawText(QRect(Pudelko + 7, 0, width() - Pudelko - 7, height()),
               Qt::AlignVCenter | Qt::AlignLeft, text());
    if (hasFocus()) {
        p.setPen(QPen(QColor::fromRgba(skora::MenuTlo), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(Pudelko + 4.5, 0.5, sizeHint().width() - Pudelko - 5, height() - 1));
    }
}

} // namespace sondrel
