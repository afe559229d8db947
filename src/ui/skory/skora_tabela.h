// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window's own pictures, added to the skin painter's named pictures (see skora.h)
// beside the frame's (skora_ramki.h): "tabelamenu" (124 x 172, the menu panel with the heading
// "TABELA") and "tabelawlewo" / "tabelawprawo" (25 x 25 page arrows). Each call adds them once.

namespace sondrel::skora {

void DodajObrazkiTabeli();

} // namespace sondrel::skora
