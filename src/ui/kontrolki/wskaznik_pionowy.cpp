// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/wskaznik_pionowy.h"

#include <QPainter>
#include <algorithm>

namespace sondrel {

namespace {
constexpr QRgb KolorRamki = 0xFF8C90A6;
}

WskaznikPionowy::WskaznikPionowy(QWidget* rodzic) : QWidget(rodzic) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setBold(true);
    setFont(f);
}

WskaznikPionowy::WskaznikPionowy(QWidget* rodzic, int x, int y, int w, int h)
    : WskaznikPionowy(rodzic) {
    setGeometry(x, y, w, h);
}

void WskaznikPionowy::UstawZakres(int min, int max) {
    minimum = min;
    maksimum = std::max(min, max);
    update();
}

void WskaznikPionowy::UstawPozycje(int p) {
    pozycja = p;
    update();
}

void WskaznikPionowy::UstawPodpis(const QString& p) {
    podpis = p;
    update();
}

void WskaznikPionowy::UstawKolorWypelnienia(QColor k) {
    wypelnienie = k;
    update();
}

void WskaznikPionowy::UstawKolorTla(QColor k) {
    tlo = k;
    update();
}

int WskaznikPionowy::WysokoscWypelnienia() const {
    const int wnetrze = std::max(0, height() - 2);
    if (maksimum <= minimum) return 0;
    const int p = std::clamp(pozycja, minimum, maksimum) - minimum;
    return int((qint64(wnetrze) * p + (maksimum - minimum) / 2) / (maksimum - minimum));
}

void WskaznikPionowy::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // neighbouring bars stand 14 pixels apart: each keeps 2 pixels free on either side
    const QRect ramka = rect().adjusted(2, 0, -2, 0);
    const QRect wnetrze = ramka.adjusted(1, 1, -1, -1);
    p.fillRect(wnetrze, tlo);
    const int h = WysokoscWypelnienia();
    const QRect pelne(wnetrze.left(), wnetrze.bottom() - h + 1, wnetrze.width(), h);
    p.fillRect(pelne, wypelnienie);
    p.setPen(QColor::fromRgba(KolorRamki));
    p.drawRect(ramka.adjusted(0, 0, -1, -1));

    if (podpis.isEmpty()) return;
    // the caption from bottom to top, a few pixels above the bottom edge
    const auto rysuj = [&](QColor kolor, const QRect& obszar) {
        p.save();
        p.setClipRect(obszar);
        p.translate(0, height());
        p.rotate(-90);
        p.setPen(kolor);
        p.setFont(font());
        p.drawText(QRect(4, 0, height() - 8, width()), Qt::AlignLeft | Qt::AlignVCenter, podpis);
        p.restore();
    };
    const QColor ciemny(0x2E, 0x2E, 0x2E);
    const bool jasneWypelnienie = wypelnienie.lightness() > 160;
    rysuj(ciemny, QRect(0, 0, width(), pelne.top()));
    rysuj(jasneWypelnienie ? ciemny : QColor(Qt::white), QRect(0, pelne.top(), width(), h + 1));
}

} // namespace sondrel
