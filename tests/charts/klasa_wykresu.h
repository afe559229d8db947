// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small class put straight into the records for the chart tests.

#include "analysis/czas_pracy.h"
#include "core/analiza.h"

#include <QTime>

namespace sondrel::test {

// n students "Nazwisko<i> Imię<i>" with i % 21 points, working 10:00 .. 10:00 + i minutes, and
// grade counts Cel 2, Bdb 0, Db 5, Dst 1, Dp 0, Ndst 3.
inline void KlasaWykresu(Analiza& a, int n) {
    a.IloscUczniow = n;
    for (int i = 1; i <= n; ++i) {
        OdpowiedzBig& u = a.Uczniowie[i];
        u = OdpowiedzBig{};
        u.Nazwisko = QStringLiteral("Nazwisko%1").arg(i);
        u.Imie = QStringLiteral("Imię%1").arg(i);
        u.Poprawnych = i % 21;
        u.Start = CzasZGodziny(QTime(10, 0));
        u.Koniec = CzasZGodziny(QTime(10, 0).addSecs(60 * i));
    }
    const int oceny[6] = {2, 0, 5, 1, 0, 3};
    for (int i = 1; i <= 6; ++i)
        a.Test.LiczbaOcen[i] = oceny[i - 1];
}

} // namespace sondrel::test
