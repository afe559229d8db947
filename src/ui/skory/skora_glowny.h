// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's pictures, painted by code in the program's look and registered with the
// skin painter under their names:
// - "tloglowny" (790 x 581): the main skin with the title strip, the window buttons, the left
//   menu column with its two closed menu headers, the welcome panel and the description box;
// - "tlobig" (1920 x 1200): the backdrop around the window in the big mode;
// - "menutesty", "tlomenupomoc", "menuarchiwum" (240 x WysokoscMenuStartu): the open test,
//   help and archive menus (an accordion of the three groups);
// - "tlotabele" (790 x 581): the analysis panel with the window buttons and the "Zamknij
//   analizę" button;
// - "menutabele", "menudiagramy" (123 x 150), "menuraporty" (123 x 168): its three small
//   menus; the report menu has a fourth item, the question-quality report.
// The places of the headers painted into the menus are given here, so that the window's hot
// spots and the pictures agree.

#include <QRect>

namespace sondrel::skora {

// Registers the pictures above (once; later calls do nothing).
void DodajObrazkiGlowne();

// The start screen's open menus: the three group headers and the open group's entries.
constexpr int WysokoscMenuStartu = 146;

// The small menus: header rows of the three groups in each menu picture (tables, charts,
// reports) and the rows of the open group's items.
struct UkladMalegoMenu {
    QRect naglowki[3];
    int pierwszaPozycja; // top of the first item row
    int pozycji = 3;     // item rows
};
constexpr int WysokoscPozycji = 18; // item rows of the small menus
// The analysis panel's archive entries: the heading "Archiwum" above them, their first row's top.
constexpr int GoraArchiwumAnalizy = 478;
// A menu of three items is 150 pixels high; each further item adds a row.
constexpr int WysokoscMalegoMenu(const UkladMalegoMenu& uklad) {
    return 150 + (uklad.pozycji - 3) * WysokoscPozycji;
}
constexpr UkladMalegoMenu MenuTabeleUklad{{{0, 0, 123, 24}, {0, 102, 123, 22}, {0, 126, 123, 22}},
                                          31};
constexpr UkladMalegoMenu MenuDiagramyUklad{{{0, 0, 123, 22}, {0, 24, 123, 24}, {0, 126, 123, 22}},
                                            55};
constexpr UkladMalegoMenu MenuRaportyUklad{
    {{0, 0, 123, 22}, {0, 24, 123, 22}, {0, 48, 123, 24}}, 79, 4};

} // namespace sondrel::skora
