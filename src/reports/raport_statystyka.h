// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two class reports of the report menu: the statistics report "Dane statystyczne." (the
// descriptive statistics of the class's points) and the grade list "Wydruk wyników." (every
// student with points and grade). Both are saved as NazwaTestu + "_WykazOcen.htm" and replace
// each other.

#include "reports/raport.h"

namespace sondrel {

class Analiza;
class Srodowisko;

DokumentRaportu ZbudujRaportStatystyka(const Analiza& analiza, const UstawieniaRaportu& ustawienia);
DokumentRaportu ZbudujRaportWykazOcen(const Analiza& analiza, const UstawieniaRaportu& ustawienia);

WynikRaportu RaportStatystyka(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                              const Srodowisko& srodowisko);
WynikRaportu RaportWykazOcen(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                             const Srodowisko& srodowisko);

} // namespace sondrel
