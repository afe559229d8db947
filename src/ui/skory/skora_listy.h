// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the two file-list windows, added to the skin painter's named pictures (see
// skora.h). Each window's background carries its frame, title, buttons and the texts that are
// part of the picture; the labels of the window lie over them at the places below.

#include <QRect>
#include <QSize>

namespace sondrel::skora {

// Adds, once: "oknolplikow" (312 x 487, the answer-file list window), "oknoobielisty"
// (585 x 486, the two-list window), and the tree's group marks "Left" (an open group) and
// "Right" (a closed group), 16 x 16 each.
void DodajObrazkiList();

// Places shared by the skins and the windows.
constexpr int ListwaListy = 34; // height of the title strip of both windows

namespace lplikow {
constexpr QSize Rozmiar(312, 487);
constexpr QRect WczytajPliki(32, 48, 33, 25);
constexpr QRect PanelListy(35, 102, 220, 267);
constexpr QRect ListwaV(260, 105, 16, 260);
constexpr QRect Wprowadz(181, 385, 89, 24);
constexpr QRect Anuluj(181, 421, 89, 24);
constexpr QRect ZnakZamkniecia(282, 9, 17, 17);
} // namespace lplikow

namespace obielisty {
constexpr QSize Rozmiar(585, 486);
constexpr QRect WczytajPliki(38, 47, 33, 33);
constexpr QRect PanelListy(39, 112, 220, 300);
constexpr QRect ListwaV(266, 111, 16, 307);
constexpr QRect PanelDrzewa(301, 47, 245, 305);
constexpr QRect Drzewo(0, 0, 220, 305);       // inside the tree panel
constexpr QRect ListwaTesty(226, 0, 16, 301); // inside the tree panel
constexpr QRect Test(32, 443, 257, 13);
constexpr QRect Wprowadz(456, 383, 89, 24);
constexpr QRect Anuluj(456, 419, 89, 24);
constexpr QRect ZnakZamkniecia(555, 9, 17, 17);
} // namespace obielisty

} // namespace sondrel::skora
