// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The paint step: the model drawn through its layout onto any QPainter. The same function paints
// the window, the bitmap copy, the SVG copy and the command-line tool's files.

#include "chartengine/wykres.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace sondrel::chartengine {

void Rysuj(const Wykres& wykres, QPainter& malarz, const QRectF& obszar);

// The chart as a bitmap of the given size (device-independent pixels times the ratio).
QImage RysujObraz(const Wykres& wykres, QSize rozmiar, double gestosc = 1.0);
// The chart as an SVG document whose size is given in pixels (and as a view box).
QByteArray RysujSvg(const Wykres& wykres, QSize rozmiar, const QString& tytul = {});
// The chart as a one-page PDF document of the given size in pixels (1/96 inch).
QByteArray RysujPdf(const Wykres& wykres, QSize rozmiar, const QString& tytul = {});

// The order in which the pie draws its slices: ascending values, equal values in the order
// added.
QVector<int> KolejnoscKola(const Seria& seria);

} // namespace sondrel::chartengine
