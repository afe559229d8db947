// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the report window and of the three popups of the results table, added to the
// skin painter's named pictures (see skora.h). Each call adds them once.

#include <QPixmap>
#include <QRect>
#include <QSize>

class QPainter;

namespace sondrel::skora {

// Report window, painted at its height (400 .. 600): the slate frame, the title strip with its
// close mark, the light command column, the edge of the page panel and the bottom strip with
// the resize grip.
void MalujOknoRaportu(QPainter& p, QSizeF rozmiar);
QPixmap ObrazOknaRaportu(QSize rozmiar, qreal skala);

namespace raport {
constexpr int Szerokosc = 750;
constexpr QRect ZnakZamkniecia(727, 4, 16, 14);
constexpr QRect Polecenia(8, 54, 112, 120); // the command column's light panel
constexpr int GoraStrony = 48;              // the page panel's top (its left: 128)
constexpr int LewaStrony = 128;
constexpr int SzerokoscStrony = 593;
constexpr int DolnyPas = 32; // the bottom strip, from the bottom edge
} // namespace raport

// Popups: "popuczen" and "poppyt" (405 x 232), "poppytanie" (485 x 280): white bodies with the
// corners cut by 4 pixels, the slate title strip with its title and close mark; the question
// popup also has the light panel behind its bars.
void DodajObrazkiPopupow();

namespace popup {
constexpr int Listwa = 25;                     // the title strip's height
constexpr QRect PanelSlupkow(12, 80, 88, 148); // in "poppytanie"
} // namespace popup

} // namespace sondrel::skora
