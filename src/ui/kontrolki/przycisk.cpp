// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/przycisk.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel {

Przycisk::Przycisk(const QString& napis, QWidget* rodzic) : QPushButton(napis, rodzic) {
    setFont(skora::CzcionkaPunkty(8));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
}

QSize Przycisk::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + 20, fontMetrics().height() + 9};
}

void Przycisk::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal promien = skora::PromienNarozi - 1.5;
    QColor gora(0xE9, 0xEA, 0xF0), dol(0xDD, 0xDF, 0xE7);
    if (!isEnabled()) {
        gora = dol = QColor::fromRgba(skora::PanelJasny);
    } else if (isDown()) {
        gora = QColor(0xD2, 0xD5, 0xE0);
        dol = QColor(0xDD, 0xDF, 0xE7);
    } else if (underMouse() || hasFocus()) {
        gora = QColor(0xF7, 0xF7, 0xFA);
        dol = QColor(0xE9, 0xEA, 0xF0);
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, gora);
    g.setColorAt(1, dol);
    p.setPen(QPen(QColor::fromRgba(hasFocus() ? skora::Lupek : skora::MenuTlo), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, promien, promien);
    p.setPen(isEnabled() ? QColor::fromRgba(skora::Tekst) : QColor(0xA0, 0xA2, 0xAE));
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace sondrel
