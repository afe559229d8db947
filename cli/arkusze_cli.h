// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spreadsheet commands of sondrel-cli:
//
//   sondrel-cli arkusz --do PLIK.xlsx [--test PLIK.skt] [--imie-najpierw] PLIK.sko...
//
// and the spreadsheet forms of other commands: the CSV lists of "tabela ... csv" and the
// workbooks of "archiwum porownaj/uczen --do PLIK.xlsx".

#include "arkusze/lista_arkusza.h"
#include "arkusze/listy_analizy.h"
#include "baza_cli.h"

#include <QIODevice>
#include <QString>
#include <optional>
#include <vector>

namespace sondrel {

// The family of the workbook command (arkusz).
RodzinaPolecen RodzinaArkuszy();

// The list that "tabela NAZWA csv" writes: wyniki, czas, oceny, dziennik, pytania.
std::optional<RodzajListy> ListaTabeliCsv(const QString& nazwa);

// Whether an output path names a workbook (".xlsx", in any case).
bool SciezkaSkoroszytu(const QString& sciezka);

} // namespace sondrel
