// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the chart window, added to the skin painter's named pictures (see skora.h).
// The chart window has the table window's frame (menu column on the left, title strip with the
// close mark, white strips right and below), so its pictures are the table's, under names of its
// own: "wykresmenu", "wykreslewo", "wykreslewodol", "wykreslistwa", "wykreslistwaprawa",
// "wykresprawo", "wykresprawodol" (with the resize grip drawn in its corner), "wykresdol".

namespace sondrel::skora {

void DodajObrazkiWykresu();

// Where the resize grip lies in "wykresprawodol".
constexpr int UchwytWykresuX = 12, UchwytWykresuY = 16, UchwytWykresuW = 15, UchwytWykresuH = 13;

} // namespace sondrel::skora
