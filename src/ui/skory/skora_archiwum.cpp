// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_archiwum.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"

#include <QPainter>

namespace sondrel::skora {

namespace {

// The archive's sign: a filing drawer with its handle.
void MalujZnakArchiwum(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor kolor = QColor::fromRgba(Lupek);
    p.setPen(QPen(kolor, 1));
    p.setBrush(Qt::NoBrush);
    const QRectF szuflada = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.drawRect(szuflada);
    p.drawLine(QPointF(szuflada.left(), szuflada.center().y()),
               QPointF(szuflada.right(), szuflada.center().y()));
    p.fillRect(QRectF(r.center().x() - 2, r.top() + 2, 4, 2), kolor);
    p.fillRect(QRectF(r.center().x() - 2, r.center().y() + 2, 4, 2), kolor);
    p.restore();
}

} // namespace

void DodajObrazkiArchiwum() {
    static const bool dodane = [] {
        DodajObrazkiRamki();
        DodajObrazek(QStringLiteral("archiwummenu"),
                     QSize(ramka::SzerokoscMenu, ramka::WysokoscMenu), [](QPainter& p, QSizeF r) {
                         MalujMenuKolumny(p, r, QStringLiteral("ARCHIWUM"), MalujZnakArchiwum);
                     });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
