// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Descriptive statistics of the class's points (numbers of correctly answered questions),
// computed afresh from the student records whenever they are shown.

#include "core/analiza.h"

#include <QString>
#include <span>

namespace sondrel {

struct StatystykaOpisowa {
    qint32 WynikMinimalny = 0;
    qint32 WynikMaksymalny = 0;
    qint32 Rozstep = 0;               // maximum - minimum
    double SredniaPunktow = 0;        // two decimals
    double Mediana = 0;               // whole or ending in .5
    qint32 Modalna = 0;               // the most frequent score, the lowest among equals
    double OdchylenieStandardowe = 0; // population deviation, one decimal
    double LatwoscTestu = 0;          // two decimals
    QString KategoriaTestu;           // difficulty category of LatwoscTestu
};

// Each figure over students 1..IloscUczniow. The minimum starts from IloscPytan and the
// maximum from 0; the figures that divide by the number of students are 0 without students.
qint32 WynikMinimalny(const Analiza& analiza);
qint32 WynikMaksymalny(const Analiza& analiza);
double SredniaPunktow(const Analiza& analiza);
double Mediana(const Analiza& analiza);
qint32 Modalna(const Analiza& analiza);
double OdchylenieStandardowe(const Analiza& analiza);
double LatwoscTestu(const Analiza& analiza);

// All of the above at once.
StatystykaOpisowa ObliczStatystykeOpisowa(const Analiza& analiza);

// The same over any number of students, given their points and the number of questions (the
// figures above take students 1..IloscUczniow of the records and give exactly these).
StatystykaOpisowa ObliczStatystykeOpisowa(std::span<const qint32> punkty, qint32 iloscPytan);

} // namespace sondrel
