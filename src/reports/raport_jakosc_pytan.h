// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question-quality report "Jakość pytań.": how reliable the test is, told in a sentence a
// teacher can act on, which questions to look at first and why, and one row per question with
// its facility, discrimination, D, the shares of the best and the weakest students who ticked
// each option (small bars) and its review flags. No student is named in it.

#include "reports/raport.h"

namespace sondrel {

class Analiza;
class Srodowisko;
struct JakoscTestu;

// NazwaTestu + "_JakoscPytan.htm".
QString NazwaRaportuJakosciPytan(const QString& nazwaTestu);

DokumentRaportu ZbudujRaportJakoscPytan(const Analiza& analiza,
                                        const UstawieniaRaportu& ustawienia);

// Builds and saves the report into the temporary folder.
WynikRaportu RaportJakoscPytan(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                               const Srodowisko& srodowisko);

// A figure in hundredths as the report writes it: the general number form of the locale
// (0,5; -0,17; 1), "0" for zero.
QString TekstSetnych(qint64 setne);

} // namespace sondrel
