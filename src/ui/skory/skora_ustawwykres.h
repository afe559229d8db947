// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart settings window's skin: its background picture "tloustawwykres" (white body, the
// slate title strip with the window's name and the close mark, the thin frame) and the style of
// its standard controls (choice lists, text fields, frames, scroll bars), so that they match the
// painted check boxes, radio buttons, buttons and tabs.

#include <QString>

namespace sondrel::skora {

// Registers "tloustawwykres" (404 x 305).
void DodajObrazkiUstawienWykresu();

// The style sheet of the window's standard controls.
QString ArkuszUstawienWykresu();

} // namespace sondrel::skora
