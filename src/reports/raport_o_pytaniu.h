// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question report "Informacje o pytaniu.": the test's header with the question's success
// rate, its text member and picture (unnumbered), the question and every option with the
// number of students who ticked it.

#include "reports/raport.h"

namespace sondrel {

class Analiza;
class Srodowisko;

// pytanie: the question's number, 1..IloscPytan.
DokumentRaportu ZbudujRaportOPytaniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                                     int pytanie);

// Builds the report and saves it as NazwaTestu + "_PytNr" + number + ".htm"; a number outside
// 1..IloscPytan gives an error.
WynikRaportu RaportOPytaniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                            const Srodowisko& srodowisko, int pytanie);

} // namespace sondrel
