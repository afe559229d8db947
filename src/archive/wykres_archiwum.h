// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the archive's reports, drawn by the chart engine: grouped bars (one series per
// class) for the comparison of classes and a line of percentages for a student's history. Both
// are flat, percent from 0 to 100, 500 pixels wide at twice the density for print.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace sondrel {

struct SeriaWykresuArchiwum {
    QString nazwa;
    std::vector<double> wartosci; // one per point
};

// Points down the left axis (first on top), a bar per series in each point's slot, values along
// the bottom axis; the legend names the series. Its height (in pixels before the density) is
// WysokoscSlupkowGrup of its points and series.
int WysokoscSlupkowGrup(int punktow, int serii);
QImage WykresSlupkowGrup(const QStringList& punkty, const std::vector<SeriaWykresuArchiwum>& serie,
                         const QString& tytulPunktow, const QString& tytulWartosci);
// Points along the bottom axis in the order given, values up the left axis.
QImage WykresLinii(const QStringList& punkty, const std::vector<double>& wartosci,
                   const QString& tytulPunktow, const QString& tytulWartosci);

QByteArray BajtyPng(const QImage& obraz);

} // namespace sondrel
