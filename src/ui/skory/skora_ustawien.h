// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings window's picture, added to the skin painter's named pictures (see skora.h):
// "tloini" (506 x 499, the whole window with its folder, save and close buttons painted in
// place). Each call adds it once; the window calls it in its constructor.

namespace sondrel::skora {

void DodajObrazkiUstawien();

} // namespace sondrel::skora
