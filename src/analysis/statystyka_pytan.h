// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Item analysis: for every question the number and percentage of students who answered it
// correctly and how often each option was marked; the easiness index and its category word.

#include "core/analiza.h"

#include <QString>

namespace sondrel {

// Fills StatPytan 1..IloscPytan from students 1..IloscUczniow; entries above IloscPytan are
// set to zero. With no students every percentage is 0.
void StatystykiPytan(Analiza& analiza);

// Poprawnych * 100 / students rounded half to even, divided by 100 (0.47, 0.5, 1); 0 when
// no student was read or the question number is out of range.
double LatwoscZadania(const Analiza& analiza, int pytanie);

// "bardzo trudny" below 0.19, "trudny" from 0.19 to 0.49, "umiarkowanie trudny" above 0.49 up
// to 0.69, "łatwy" above 0.69 and below 0.89, "bardzo łatwy" from 0.89.
QString KategoriaTrudnosci(double latwosc);

} // namespace sondrel
