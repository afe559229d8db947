// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of sondrel-cli: the same analysis as the desktop program, its tables and reports
// written as the program writes them, for scripting and batch export.
//
//   sondrel-cli json [--test PLIK.skt] [--imie-najpierw] PLIK.sko...
//   sondrel-cli tabela (wyniki|czas|oceny) (htm|txt) [--strona N] [--calosc] ... PLIK.sko...
//   sondrel-cli psychometria [--test PLIK.skt] PLIK.sko...
//   sondrel-cli raport (test|statystyka|oceny|uczen:N|pytanie:N|psychometria) --do KATALOG
//               --test PLIK.skt ...
//   sondrel-cli wszystko --do KATALOG [--test PLIK.skt] [--imie-najpierw] PLIK.sko...

#include "baza_cli.h"

namespace sondrel {

// The family of the analysis commands (json, tabela, psychometria, raport, wszystko).
RodzinaPolecen RodzinaAnalizy();

// The file names that "wszystko" gives the statistics report (beside the grade list) and the
// text of page `strona` of the results table.
QString NazwaRaportuStatystyki(const QString& nazwaTestu);
QString NazwaStronyTabeliTxt(int strona);

} // namespace sondrel
