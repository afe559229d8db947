// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/lista_wyboru.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel {

namespace {
constexpr int SzerokoscStrzalki = 16;
}

ListaWyboru::ListaWyboru(QWidget* rodzic) : QComboBox(rodzic) {
    setFont(skora::CzcionkaPunkty(8));
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void ListaWyboru::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool czynna = isEnabled();
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor ramka = !czynna                      ? QColor(0xDC, 0xDD, 0xE5)
                         : hasFocus() || underMouse() ? QColor::fromRgba(skora::Lupek)
                                                      : QColor::fromRgba(skora::MenuTlo);
    p.setPen(QPen(ramka, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 3, 3);

    // the arrow's band
    const QRectF pas(r.right() - SzerokoscStrzalki, r.top() + 1, SzerokoscStrzalki - 1,
                     r.height() - 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(skora::PanelJasny));
    p.drawRoundedRect(pas, 2, 2);
    p.setPen(QPen(QColor::fromRgba(skora::Linia), 1));
    p.drawLine(QPointF(pas.left(), pas.top() + 1), QPointF(pas.left(), pas.bottom() - 1));
    const QPointF s = pas.center();
    QPolygonF grot;
    grot << QPointF(s.x() - 3.5, s.y() - 1.5) << QPointF(s.x() + 3.5, s.y() - 1.5)
         << QPointF(s.x(), s.y() + 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(czynna ? QColor::fromRgba(skora::Lupek) : QColor(0xB4, 0xB6, 0xC2));
    p.drawPolygon(grot);

    p.setPen(czynna ? QColor(Qt::black) : QColor(0xA0, 0xA2, 0xAE));
    p.setFont(font());
    const QRect tekst = rect().adjusted(5, 0, -SzerokoscStrzalki - 4, 0);
    p.drawText(tekst, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(currentText(), Qt::ElideRight, tekst.width()));
}

} // namespace sondrel
