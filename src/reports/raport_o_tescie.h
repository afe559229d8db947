// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test report "Informacje o teście.": the test's header data, then every question with its
// options (correct ones in bold), the number of students who ticked each option and the
// question's easiness; texts and pictures of the test printed once each, numbered, before the
// first question that uses them.

#include "reports/raport.h"

namespace sondrel {

class Analiza;
class Srodowisko;

DokumentRaportu ZbudujRaportOTescie(const Analiza& analiza, const UstawieniaRaportu& ustawienia);

// Builds the report and saves it as NazwaTestu + "_OTescie.htm" in the temporary folder.
WynikRaportu RaportOTescie(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                           const Srodowisko& srodowisko);

} // namespace sondrel
