// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window's own picture, added to the skin painter's named pictures (see skora.h)
// beside the frame's (skora_ramki.h): "wykresmenu" (124 x 172, the menu panel with the heading
// "WYKRES" and its sign). Each call adds it once.

namespace sondrel::skora {

void DodajObrazkiWykresu();

} // namespace sondrel::skora
