// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_tabela.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"

#include <QPainter>
#include <QPainterPath>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

// A small table glyph for the menu's heading.
void MalujZnakTabeli(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(K(NaglowekMenu), 1));
    p.setBrush(Qt::white);
    const QRect k = r.toRect();
    p.drawRect(k.adjusted(0, 0, -1, -1));
    p.fillRect(QRect(k.left() + 1, k.top() + 1, k.width() - 2, 3), K(NaglowekMenu));
    p.drawLine(k.left() + 5, k.top() + 4, k.left() + 5, k.bottom() - 1);
    p.drawLine(k.left() + 1, k.top() + 7, k.right() - 1, k.top() + 7);
    p.restore();
}

void MalujMenuTabeli(QPainter& p, QSizeF r) {
    MalujMenuKolumny(p, r, QStringLiteral("TABELA"), MalujZnakTabeli);
}

// A page arrow: a small flat button with a chevron.
void MalujStrzalke(QPainter& p, QSizeF r, bool wPrawo) {
    MalujTloMalegoPrzycisku(p, QRectF(QPointF(0, 0), r));
    const qreal sx = r.width() / 2 + (wPrawo ? 1 : -1), sy = r.height() / 2;
    const qreal d = 4;
    QPainterPath szewron;
    if (wPrawo) {
        szewron.moveTo(sx - d / 2 - 1, sy - d - 0.5);
        szewron.lineTo(sx + d / 2, sy);
        szewron.lineTo(sx - d / 2 - 1, sy + d + 0.5);
    } else {
        szewron.moveTo(sx + d / 2 + 1, sy - d - 0.5);
        szewron.lineTo(sx - d / 2, sy);
        szewron.lineTo(sx + d / 2 + 1, sy + d + 0.5);
    }
    p.setPen(QPen(K(Granat), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(szewron);
}

} // namespace

void DodajObrazkiTabeli() {
    static const bool dodane = [] {
        DodajObrazkiRamki();
        DodajObrazek(QStringLiteral("tabelamenu"), QSize(ramka::SzerokoscMenu, ramka::WysokoscMenu),
                     MalujMenuTabeli);
        DodajObrazek(QStringLiteral("tabelawlewo"), QSize(25, 25),
                     [](QPainter& p, QSizeF r) { MalujStrzalke(p, r, false); });
        DodajObrazek(QStringLiteral("tabelawprawo"), QSize(25, 25),
                     [](QPainter& p, QSizeF r) { MalujStrzalke(p, r, true); });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
