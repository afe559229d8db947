// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_wykres.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"

#include <QPainter>

namespace sondrel::skora {

namespace {

// The chart window's sign: three bars of rising height.
void MalujZnakWykresu(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const double szer = r.width() / 4;
    for (int i = 0; i < 3; ++i) {
        const double h = r.height() * (0.45 + 0.275 * i);
        p.fillRect(QRectF(r.left() + i * (szer + szer / 2), r.bottom() - h, szer, h),
                   QColor::fromRgba(Lupek));
    }
    p.restore();
}

} // namespace

void DodajObrazkiWykresu() {
    static const bool dodane = [] {
        DodajObrazkiRamki();
        DodajObrazek(QStringLiteral("wykresmenu"), QSize(ramka::SzerokoscMenu, ramka::WysokoscMenu),
                     [](QPainter& p, QSizeF r) {
                         MalujMenuKolumny(p, r, QStringLiteral("WYKRES"), MalujZnakWykresu);
                     });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
