// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data of the three charts and the sequence that opens one: "Wyniki testu" (each student's
// points), "Czas pracy" (each student's working time in minutes) and "Zestawienie ocen" (how
// many students received each grade).

#include "charts/stan_wykresu.h"
#include "core/analiza.h"

#include <QColor>

namespace sondrel {

// The colour of point i (from 1): entry i mod 20 of the palette; entries 0 and 1 are both blue.
QColor KolorPunktu(int i);

// Fill the bars and the line from the first n students.
void WykresWynikow(StanWykresu& stan, const Analiza& analiza, bool najpierwImie,
                   const QString& tytul, int n);
void WykresCzasu(StanWykresu& stan, const Analiza& analiza, bool najpierwImie, const QString& tytul,
                 int n);
// Fill the pie with the six grade counts.
void WykresOcen(StanWykresu& stan, const Analiza& analiza, const QString& tytul);

// typ 1 "Wyniki testu", 2 "Czas pracy", 3 "Zestawienie ocen": default settings, the data, the
// kind of ZadanyRodzajWykresu shown. The caller sets ZadanyRodzajWykresu first (1, 1, 2).
// Whether a kind was shown (the window that shows the chart shows itself then).
bool OtworzWykres(StanWykresu& stan, const Analiza& analiza, bool najpierwImie, int typ);

// The kind the chart menu asks for with each chart (1, 1, 2); 0 for another typ.
int RodzajDlaTypu(int typ);

// Shows the series of a kind (1 bars, 2 pie, 3 line) and applies the settings; other kinds do
// nothing. Whether the kind was shown.
bool PokazRodzajWykresu(StanWykresu& stan, int rodzaj);

// BiezacaSeria and the tab "Osie" from BiezacyRodzajWykresu.
void WybierzSerie(StanWykresu& stan);

// After the settings window closes: the projection of the requested kind.
void UstawRzutPoUstawieniach(StanWykresu& stan);

} // namespace sondrel
