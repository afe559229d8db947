// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one CSV writer: a list as Polish spreadsheets open it on a double-click. UTF-8 with a
// byte-order mark, ";" between fields, a decimal comma, CR LF after every row, fields quoted
// as RFC 4180 says (a field holding ";", '"', CR or LF is put in quotes, each '"' doubled).
// A text that a spreadsheet would run (starting with "=", "+", "-", "@", a tab or a CR) gets a
// leading apostrophe. Numbers, percents ("65%"), times ("10:42:30"), durations ("1:05:09") and
// dates ("2026-03-01") are written in forms that the spreadsheet reads back as values.

#include "arkusze/lista_arkusza.h"

#include <QByteArray>
#include <QString>

namespace sondrel {

// The text of one cell as the CSV form writes it, before quoting.
QString TekstKomorkiCsv(const KomorkaArkusza& komorka);

// Whether a text would be taken for a formula: it starts with "=", "+", "-", "@", a tab or a CR.
bool JakFormula(const QString& tekst);

// The header row, the list's rows and the rows after it.
QByteArray CsvListy(const ListaArkusza& lista);

// Writes the CSV through the program's safe writer: the old file stays whole on a failure.
bool ZapiszCsv(const QString& sciezka, const ListaArkusza& lista, QString* blad = nullptr);

} // namespace sondrel
