// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Zapisz jako arkusz...": the file's extension picks the form. A workbook (.xlsx) holds every
// list of the analysis; a CSV file (.csv) the one list of the table the teacher is looking at.

#include "arkusze/listy_analizy.h"
#include "reports/raport.h"
#include "tables/tabele.h"

#include <QString>

namespace sondrel {

// The save dialog's filters: the workbook first, then CSV.
QString FiltrZapisuArkusza();

// Whether the path names a CSV file (".csv", in any case).
bool SciezkaCsv(const QString& sciezka);

// The list a table's CSV holds: the results, the working times or the grades.
RodzajListy ListaTabeli(RodzajTabeli rodzaj);

// Writes the workbook of the analysis, or the CSV of `lista` for a ".csv" path, through the safe
// writer: the path, or the message naming the file and the reason.
WynikRaportu ZapiszArkuszAnalizy(Analiza& analiza, bool najpierwImie, RodzajListy lista,
                                 const QString& sciezka);

} // namespace sondrel
