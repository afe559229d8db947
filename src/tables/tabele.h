// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three tables of an analysis built as grids: the results table (paged by 15 questions),
// the work-time table and the grade table, and the state of the table view (which table, which
// page, the grid last built). Every build starts from a clean grid. After every build the
// window scrolls the grid to its first row and shows no selected cell.

#include "core/analiza.h"
#include "tables/tabela.h"

namespace sondrel {

enum class RodzajTabeli { Wynikow = 1, Czasu = 2, Ocen = 3 };

constexpr int PytanNaStronie = 15;

// Number of pages of the results table (at least 1).
int IloscStronTabeli(int iloscPytan);
// Number of question columns on the page: min(15, questions left from the page's first), never
// below 0.
int PytanNaStronieTabeli(int iloscPytan, int strona);
// The first question of the page.
inline int PierwszePytanieStrony(int strona) {
    return (strona - 1) * PytanNaStronie + 1;
}
// The page arrows: backward on every page but the first, forward while questions follow.
inline bool JestStrzalkaWstecz(int strona) {
    return strona != 1;
}
inline bool JestStrzalkaNaprzod(int iloscPytan, int strona) {
    return strona * PytanNaStronie < iloscPytan;
}

// The results table of page strona (from 1). fn: names first name first.
Tabela BudujTabeleWynikow(const Analiza& analiza, int strona, bool fn);
// The work-time table; computes the mean working time and stores it in
// Test.SredniCzasPracy, which the table's export reads.
Tabela BudujTabeleCzasu(Analiza& analiza, bool fn);
// The grade table (always 8 rows).
Tabela BudujTabeleOcen(const Analiza& analiza);

// What the table window shows. Kind and page keep their values while the window is hidden.
struct StanTabeli {
    RodzajTabeli Rodzaj = RodzajTabeli::Wynikow;
    int Strona = 1;
    // Results table: the first and last question of the page shown (for the export).
    int PierwszePytanie = 0;
    int OstatniePytanie = 0;
    bool StrzalkaWstecz = false;
    bool StrzalkaNaprzod = false;
    Tabela Siatka;
};

// Opens a table: for the results table the page becomes 1; then the grid is built.
void OtworzTabele(StanTabeli& stan, Analiza& analiza, RodzajTabeli rodzaj, bool fn);
// Rebuilds the table of the current kind and page (e.g. after the setting fn changed).
void ZbudujTabele(StanTabeli& stan, Analiza& analiza, bool fn);
// The page arrows: krok -1 or +1. Moves only when the results table is shown and that arrow
// is offered; then rebuilds the whole table. Returns whether the page changed.
bool ZmienStrone(StanTabeli& stan, const Analiza& analiza, int krok, bool fn);

} // namespace sondrel
