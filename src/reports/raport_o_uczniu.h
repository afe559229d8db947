// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The student report "Informacje o uczniu.": the test's header, the student's summary, then
// every question with its options (correct ones in bold) and what the student ticked; texts and
// pictures of the test printed once each, numbered, as in the test report.

#include "reports/raport.h"

namespace sondrel {

class Analiza;
class Srodowisko;

// uczen: the student's slot, 1..IloscUczniow.
DokumentRaportu ZbudujRaportOUczniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                                    int uczen);

// Builds the report and saves it as NazwaTestu + "_Ucz" + slot + ".htm"; a slot outside
// 1..IloscUczniow gives an error.
WynikRaportu RaportOUczniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                           const Srodowisko& srodowisko, int uczen);

} // namespace sondrel
