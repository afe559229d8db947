// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartengine/wykres.h"

#include <QLocale>

namespace sondrel::chartengine {

QString TekstLiczbyDomyslny(double wartosc) {
    QString t = QLocale().toString(wartosc, 'f', 10);
    if (t.contains(QLocale().decimalPoint())) {
        while (t.endsWith(u'0'))
            t.chop(1);
        if (t.endsWith(QLocale().decimalPoint())) t.chop(QLocale().decimalPoint().size());
    }
    return t;
}

Wykres::Wykres() : formatLiczby(TekstLiczbyDomyslny) {
    stopka.wiersze = {QStringLiteral("Stopka")};
    stopka.widoczny = false;
    serie[0].rodzaj = RodzajSerii::Slupki;
    serie[1].rodzaj = RodzajSerii::Kolo;
    serie[2].rodzaj = RodzajSerii::Linia;
}

const Seria* Wykres::Aktywna() const {
    for (const Seria& s : serie)
        if (s.aktywna) return &s;
    return nullptr;
}

void Wykres::UstawAktywnosc(int indeks, bool aktywna) {
    if (indeks < 0 || indeks >= int(serie.size())) return;
    Seria& seria = serie[indeks];
    seria.aktywna = aktywna;
    if (seria.rodzaj != RodzajSerii::Kolo) return;
    // The pie has no axes: they, the walls and the frame go with it, the points are not clipped
    // and the mouse does not zoom or pan.
    lewa.widoczna = dolna.widoczna = !aktywna;
    widok.scianki = !aktywna;
    tla.obramowanieWidoczne = !aktywna;
    tla.scianaTylnaPrzezroczysta = aktywna;
    przycinanie = !aktywna;
    powiekszanie = przesuwanie = !aktywna;
    zakres.reset();
    widok.obrot = 360;
    widok.elewacja = 315;
    widok.perspektywa = 0;
    widok.pochylenie = 0;
    widok.ortogonalny = false;
}

} // namespace sondrel::chartengine
