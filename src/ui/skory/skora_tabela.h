// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the table window and the settings window, added to the skin painter's named
// pictures (see skora.h). Each call adds them once; windows call it in their constructors.

#include <QPainter>
#include <QString>
#include <functional>

namespace sondrel::skora {

// Table window: "tabelamenu" (124 x 172, the left menu panel under the strip), "tabelalewo"
// (the menu column below it, stretched down), "tabelalewodol" (124 x 34), "tabelalistwa" (the
// title strip, stretched across), "tabelalistwaprawa" (30 x 37, with the close mark at
// ZnakZamknieciaTabeli), "tabelaprawo" (stretched down), "tabelaprawodol" (30 x 34),
// "tabeladol" (stretched across), "tabelawlewo" / "tabelawprawo" (25 x 25 page arrows).
void DodajObrazkiTabeli();
// Where the close mark lies in "tabelalistwaprawa".
constexpr int ZnakZamknieciaTabeliX = 6, ZnakZamknieciaTabeliY = 10, ZnakZamknieciaTabeliBok = 17;

// Settings window: "tloini" (506 x 499, the whole window with its folder, save and close
// buttons painted in place).
void DodajObrazkiUstawien();

// The menu panel under the title strip with a heading and its small sign (the table window's
// "TABELA", the chart window's "WYKRES").
void MalujMenuKolumny(QPainter& p, QSizeF r, const QString& naglowek,
                      const std::function<void(QPainter&, const QRectF&)>& znak);

// The menu column's width and colours, shared by the two windows' skins.
constexpr int SzerokoscKolumnyMenu = 124;

} // namespace sondrel::skora
