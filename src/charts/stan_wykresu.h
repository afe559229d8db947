// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart object and the run state of the charts: the one chart with its three series
// (Series1 horizontal bars, Series2 pie, Series3 line), the kind the chart menu asked for and the
// kind shown, the current series, and the live and default settings. The chart window owns one
// for the whole run; the command-line tool and the tests make their own. The state knows no
// window: the chart window tells the others what it showed.

#include "chartengine/wykres.h"
#include "charts/ustawienia_wykresu.h"

namespace sondrel {

constexpr int WykresSlupkowy = 1; // "Wyniki testu" and "Czas pracy"
constexpr int WykresKolowy = 2;   // "Zestawienie ocen"
constexpr int WykresLiniowy = 3;
constexpr bool ZnanyRodzajWykresu(int rodzaj) {
    return rodzaj >= WykresSlupkowy && rodzaj <= WykresLiniowy;
}

struct StanWykresu {
    chartengine::Wykres Wykres; // with the fixed design of the program's chart
    sondrel::UstawieniaWykresu UstawieniaWykresu;
    sondrel::UstawieniaWykresu DomyslneUstawieniaWykresu;
    int ZadanyRodzajWykresu = 0;
    int BiezacyRodzajWykresu = 0;
    int BiezacaSeria = -1;    // index into Wykres.serie
    bool OsieDostepne = true; // the settings tab "Osie" (off for the pie)

    StanWykresu();
};

} // namespace sondrel
