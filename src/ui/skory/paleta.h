// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the program's look, in one place: the skins paint with them and the windows
// draw their own parts (grids, scroll bars, menu bands, outlines) and write their style sheets
// with them. A colour that is not here is not part of the look.

#include <QColor>
#include <QString>

namespace sondrel::skora {

// Slate: title strips, frames and dark accents.
constexpr QRgb Granat = 0xFF2F2F47;           // title strips, frames
constexpr QRgb Lupek = 0xFF46465A;            // upper end of the strips' gradient, dark accents
constexpr QRgb ListwaGora = 0xFF4B4B66;       // the framed windows' strips at their top
constexpr QRgb LupekJasny = 0xFF3E3E54;       // the report window's body towards the bottom
constexpr QRgb DolnyPasGora = 0xFF3A3A50;     // the report window's bottom strip at its top
constexpr QRgb CienStrony = 0xFF2A2A3C;       // the report page's edge
constexpr QRgb PasPodswietlenia = 0xFF5A5C78; // the band under a highlighted menu entry

// Text.
constexpr QRgb Tekst = 0xFF2E2E2E;                  // text and link labels
constexpr QRgb Tekst2 = 0xFF444444;                 // message text
constexpr QRgb TekstListwy = 0xFFE6E7EF;            // titles painted on the strips
constexpr QRgb NaglowekMenu = 0xFF4A4E66;           // small headings on the menu columns
constexpr QRgb TekstPodpowiedzi = 0xFF7A7D90;       // quiet hints on light panels
constexpr QRgb TekstWylaczony = 0xFFA0A2AE;         // disabled controls' text
constexpr QRgb TekstNieczynnejPozycji = 0xFF7E8196; // a menu entry that cannot be chosen now
constexpr QRgb TekstPustejListy = 0xFFA0A3B4;       // what an empty list waits for

// Panels and lines.
constexpr QRgb Panel = 0xFFFFFFFF;         // panels
constexpr QRgb PanelJasny = 0xFFF3F3F6;    // light panels, button bands, scroll bar tracks
constexpr QRgb MenuTlo = 0xFFB4B8C8;       // menu panels (dark text, white highlight)
constexpr QRgb KrawedzMenu = 0xFFA2A6B8;   // the menu column's edge towards the white body
constexpr QRgb Kreska = 0xFF8C90A6;        // menu separators, the grip's ridges, a hovered thumb
constexpr QRgb Podswietlenie = 0xFFFFFFFF; // highlighted menu and link text
constexpr QRgb Linia = 0xFFDCDDE5;         // separators on light panels
constexpr QRgb LiniaSiatki = 0xFFC9CCD6;   // the tables' grid lines
constexpr QRgb FazaCiemna = 0xFFA0A0A8;    // the chart's lowered bevel, dark side
constexpr QRgb WybranyWiersz = 0xFFE3E6F0; // the current row of a name list
constexpr QRgb Zielen = 0xFF5E9A4E;        // confirmation
constexpr QRgb WierszZielony = 0xFFE8F4DF; // the tables' alternate rows

// The flat scroll bars' thumb: at rest, under the mouse, dragged, disabled.
constexpr QRgb SuwakNad = 0xFF9A9EB5;
constexpr QRgb SuwakWcisniety = 0xFF6E7290;
constexpr QRgb SuwakWylaczony = 0xFFE2E3EA;

// A colour for a style sheet: "#RRGGBB".
inline QString Css(QRgb kolor) {
    return QColor::fromRgb(kolor).name();
}

} // namespace sondrel::skora
