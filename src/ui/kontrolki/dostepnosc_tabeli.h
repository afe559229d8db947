// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How screen readers see the table window's grid and the program's windows.
//
// The grid is a table: its rows are the table's rows under the header row, its columns the
// table's columns; every cell is a cell of its own with its text, the header row's cells are
// the column headers and the first column's cells (the student's name, "Suma", the grade) the
// row headers. Rows scrolled out of the grid are still read; they are marked off screen. The cell
// the arrow keys move to is the focused cell, announced as it moves. The chart is a chart named
// by its title, its data told in its description.
//
// Windows: the main window and the framed windows (table, chart, report, archive) are frames;
// every other window (popups, settings, file lists, the vignette) a dialog. The message window
// keeps the alert role it gives itself.

class QAccessibleInterface;
class QObject;
class QString;

namespace sondrel {

// The accessibility factory's part for the grid (class "sondrel::SiatkaTabeli"), the chart
// ("sondrel::PoleWykresu") and the program's windows (class "sondrel::Okno", asked for after the
// windows' own classes, so that a window that names its role itself keeps it). Null for any
// other class.
QAccessibleInterface* DostepTabeliIOkien(const QString& klasa, QObject* obiekt);

} // namespace sondrel
