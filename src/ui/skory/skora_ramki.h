// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skinned frame of the framed windows (table, chart, archive): a menu column on the left
// under the title strip, the strip with the close mark, white strips right and below, rounded
// outer corners. Its pieces are named pictures (see skora.h), stretched to the window's size:
//   "ramkalistwa" (the strip, across), "ramkalistwaprawa" (30 x 37, with the close mark at
//   ramka::ZnakZamkniecia), "ramkalewo" (the menu column below its panel, down), "ramkalewodol"
//   (124 x 34), "ramkaprawo" (down), "ramkaprawodol" (30 x 34), "ramkauchwyt" (30 x 34, the same
//   corner with the resize grip at ramka::Uchwyt), "ramkadol" (across).
// Each window paints its own menu panel (124 x 172, under the strip's left end) with
// MalujMenuKolumny: the heading and a small sign name the window.
// Also the pieces the other skins build from: the outline of a piece, the strip, the column.

#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QString>
#include <functional>

namespace sondrel::skora {

void DodajObrazkiRamki();

namespace ramka {
constexpr int Listwa = 37;                     // the title strip's height
constexpr int SzerokoscMenu = 124;             // the menu column's width
constexpr int WysokoscMenu = 172;              // the menu panel's height, the strip included
constexpr int PrawyBok = 30;                   // the right strip's width
constexpr int DolnyPas = 34;                   // the bottom strip's height
constexpr QRect ZnakZamkniecia(6, 10, 17, 17); // in "ramkalistwaprawa"
constexpr QRect Uchwyt(12, 16, 15, 13);        // in "ramkauchwyt"
} // namespace ramka

// The menu panel under the title strip with a heading and its small sign (the table window's
// "TABELA", the chart window's "WYKRES").
void MalujMenuKolumny(QPainter& p, QSizeF r, const QString& naglowek,
                      const std::function<void(QPainter&, const QRectF&)>& znak);

// ---- building blocks of the skins ----
// The outer sides of a window that a piece of the skin touches.
struct Boki {
    bool lewy = false, gorny = false, prawy = false, dolny = false;
};
// Fills the piece inside the window's outline, then strokes the frame along its outer sides.
void MalujKawalek(QPainter& p, QSizeF r, Boki b, const std::function<void(QPainter&)>& wypelnij);
// The strip's gradient with the faint highlight under its top edge (kept clear of the corners
// by odLewej and odPrawej).
void MalujPasListwy(QPainter& p, const QRectF& r, qreal odLewej = 0, qreal odPrawej = 0);
// The menu column: its colour and its edge towards the body.
void MalujKolumneMenu(QPainter& p, const QRectF& r);
// A small heading on a menu column, its baseline at (x, y).
void MalujNaglowekMenu(QPainter& p, qreal x, qreal y, const QString& tekst);
// The soft shadow under a title strip of height `listwa`, across `szerokosc`.
void MalujCienListwy(QPainter& p, qreal listwa, qreal szerokosc);

} // namespace sondrel::skora
