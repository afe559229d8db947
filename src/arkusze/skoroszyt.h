// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The workbook (.xlsx) of any lists, written with libxlsxwriter: one sheet per list, numbers as
// numbers, percents, times, durations and dates as values with their number formats, every
// text a string cell (never a formula or a link, whatever it starts with), the header row
// frozen, an autofilter over each list and columns as wide as their texts.
//
// The library writes to a path only: the workbook is assembled in a private temporary folder,
// read back and handed to the program's safe writer, so that a failure leaves no half-written
// file and never touches an old one.

#include "arkusze/lista_arkusza.h"
#include "reports/raport.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace sondrel {

// A sheet name as spreadsheets take it: each of [ ] : * ? / \ and every control character
// becomes "_", an apostrophe at either end goes, at most 31 characters, never empty.
QString NazwaArkusza(const QString& nazwa);

// The bytes of the workbook; nothing, with the reason in *blad, when it could not be made.
std::optional<QByteArray> Skoroszyt(const std::vector<ListaArkusza>& listy,
                                    QString* blad = nullptr);

// Writes the workbook to the path (atomically); false with the reason in *blad.
bool ZapiszSkoroszyt(const QString& sciezka, const std::vector<ListaArkusza>& listy,
                     QString* blad = nullptr);

// The same as the result of a saved report: the path, or the message naming the file and the
// reason ("Nie udało się zapisać pliku ...: brak miejsca na dysku").
WynikRaportu ZapiszArkusz(const QString& sciezka, const std::vector<ListaArkusza>& listy);

// The result of a save of a spreadsheet file: the path, or the message with it and the reason.
WynikRaportu WynikZapisu(const QString& sciezka, bool zapisano, const QString& powod);

} // namespace sondrel
