// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/pozycja_menu.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel {

PozycjaMenu::PozycjaMenu(QWidget* rodzic, int x, int y, int w, int h, const QString& napis,
                         const QString& nazwa)
    : Etykieta(rodzic, x, y, w, h) {
    setCursor(Qt::PointingHandCursor);
    setText(napis);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(4);
    UstawLink(QColor::fromRgba(skora::Tekst), QColor::fromRgba(skora::Podswietlenie));
    UstawKlawiature(nazwa.isEmpty() ? napis.simplified() : nazwa);
}

void PozycjaMenu::paintEvent(QPaintEvent* e) {
    if (!isEnabled()) {
        QPainter p(this);
        p.setFont(font());
        p.setPen(QColor::fromRgba(skora::TekstNieczynnejPozycji));
        p.drawText(contentsRect().adjusted(indent(), 0, 0, 0), int(alignment()), text());
        return;
    }
    if (Podswietlona()) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        // the band under a highlighted entry: white text reads on it, unlike on the light panel
        p.setBrush(QColor::fromRgba(skora::PasPodswietlenia));
        p.drawRoundedRect(QRectF(rect()), 3, 3);
    }
    Etykieta::paintEvent(e);
}

} // namespace sondrel
