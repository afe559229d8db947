// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout step: where the title, footer, legend, plotting area, walls and pie go for one
// size of the chart, and the two scale maps that turn values and point indices into pixels.
// Painting and the mouse's zoom and panning both work from it, so they always agree.

#include "chartengine/wykres.h"

#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QVector>

namespace sondrel::chartengine {

// A linear map between values (w1..w2) and pixels (p1..p2).
struct Mapa {
    double w1 = 0, w2 = 1, p1 = 0, p2 = 1;
    double Na(double w) const { return p1 + (w - w1) * (p2 - p1) / (w2 - w1); }
    double Z(double p) const { return w1 + (p - p1) * (w2 - w1) / (p2 - p1); }
};

struct Uklad {
    QRectF obszar;        // the whole chart
    QRectF tytul, stopka; // backgrounds of the title and footer; empty when hidden
    // Their lines as drawn: a line wider than the chart is wrapped at spaces (a word that is
    // still too wide, or lines past a third of the chart's height, end in "…").
    QStringList wierszeTytulu, wierszeStopki;
    QRectF legenda;         // empty when hidden
    int wierszeLegendy = 0; // legend lines that fit
    // Points the legend has no room for: its last line says how many ("… i 10 więcej").
    int pominieteWLegendzie = 0;
    double wysokoscWierszaLegendy = 0;
    bool kolo = false; // the pie is shown (no axes)
    // Axes charts: the front face of the plotting area and the offset of its back plane.
    QRectF plot;
    QPointF glebia;
    bool poziome = true; // bars: values along x, points along y
    Mapa wartosci, indeksy;
    QVector<double> podzialka; // value labels
    double krokPodzialki = 1;
    int krokEtykiet = 1;          // every k-th point label is written
    bool etykietyPionowe = false; // point labels under the line turned upright
    double miejsceEtykiet = 0;    // room for the point labels (longer ones are cut with "…")
    QPointF srodekTytuluLewej, srodekTytuluDolnej;
    // Pie.
    QPointF srodek;
    double promien = 0;
    double splaszczenie = 1; // vertical scale of the tilted disc
    double grubosc = 0;      // thickness of the disc in pixels
};

Uklad Rozmiesc(const Wykres& wykres, const QRectF& obszar);

// Mouse zoom and panning on the axes charts: the part of the data inside a pixel rectangle, and
// the part shown after the view moved by a pixel offset.
Zakres ZakresProstokata(const Wykres& wykres, const QRectF& obszar, const QRectF& prostokat);
Zakres ZakresPrzesuniety(const Wykres& wykres, const QRectF& obszar, const QPointF& przesuniecie);

// Whether the series is shown as grouped bars (the bar series with Wykres::grupy filled), and
// the number of legend entries (the grouped series, else the series' points).
bool Grupowane(const Wykres& wykres, const Seria& seria);
int WpisyLegendy(const Wykres& wykres, const Seria& seria);

// Text helpers shared by the layout and the painter.
// The font a chart's text is painted with. A face that is not installed (the stored
// "MS Sans Serif") is painted as the first installed of Liberation Sans (Arial's widths, the
// closest to the stored font's), Arial and DejaVu Sans, named as such, so that an SVG copy names
// the face its text was measured with.
QFont CzcionkaPisma(const Pismo& pismo);
// An angle in degrees brought into 0..359 (any int, INT_MIN too).
int KatWZakresie(int kat);
// The legend's last line when it has no room for `ile` points.
QString TekstPominietych(int ile);
QString TekstZnacznika(const Wykres& wykres, const Seria& seria, int indeks);
QString TekstLegendy(const Wykres& wykres, const Seria& seria, int indeks);

} // namespace sondrel::chartengine
