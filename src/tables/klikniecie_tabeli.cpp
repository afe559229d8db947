// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/klikniecie_tabeli.h"

#include "tables/tabele.h"

namespace sondrel {

namespace {
constexpr int SzerokoscNazwisk = 120;
constexpr int KrokKolumny = 19;
constexpr int KrokWiersza = 17;
} // namespace

KlikniecieTabeli CelKliknieciaTabeli(int x, int y, int strona, int pytanNaStronie, int uczniow,
                                     int gornyWiersz) {
    KlikniecieTabeli wynik;
    if (x < 0 || y < 0 || strona < 1) return wynik;
    // column: 0 the names, 1..v the page's questions, -1 the sum and grade columns
    int e = x < SzerokoscNazwisk ? 0 : (x - SzerokoscNazwisk) / KrokKolumny + 1;
    if (e > pytanNaStronie) e = -1;
    // row: 0 the header, 1..n the students, -1 the two summary rows
    int f = y < KrokWiersza ? 0 : y / KrokWiersza + gornyWiersz - 1;
    if (f > uczniow) f = -1;

    const int pytanie = (strona - 1) * PytanNaStronie + e;
    if (e == 0 && f > 0) {
        wynik.cel = CelKlikniecia::Uczen;
        wynik.uczen = f;
    } else if (f <= 0 && e > 0) {
        wynik.cel = CelKlikniecia::Pytanie;
        wynik.pytanie = pytanie;
    } else if (f > 0 && e > 0) {
        wynik.cel = CelKlikniecia::OdpowiedzUcznia;
        wynik.pytanie = pytanie;
        wynik.uczen = f;
    }
    return wynik;
}

} // namespace sondrel
