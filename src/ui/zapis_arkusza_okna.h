// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Zapisz jako arkusz..." from the windows: the save dialog with the workbook (XLSX) and CSV, and
// the save itself with its message on a failure. The table window writes the CSV of the table
// shown, the analysis panel the grade book's list.

#include "arkusze/listy_analizy.h"

#include <QString>

class QFileDialog;
class QWidget;

namespace sondrel {

class Program;

// A name typed without an extension takes the one of the dialog's filter chosen.
void RozszerzenieZFiltra(QFileDialog& dialog);

// The save dialog of a workbook or CSV, starting at `nazwa` in `folder` (the user's documents
// when empty); the chosen path, or an empty text when cancelled.
QString OknoZapisuArkusza(QWidget* rodzic, const QString& folder, const QString& nazwa);

// Writes the analysis as a workbook, or `lista` as CSV for a ".csv" path (a path without an
// extension becomes ".xlsx"). A failure goes to the journal and is shown. The path written, or
// an empty text.
QString ZapiszArkuszZOkna(Program& program, QString sciezka, RodzajListy lista);

} // namespace sondrel
