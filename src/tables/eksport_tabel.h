// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tables written out: as an HTML document (from the records, row by row) and as
// tab-separated text (from the cells of the grid shown). Files are Windows-1250 with CR LF
// line ends. Names from students' answer files are HTML-escaped in the HTML forms; a character
// that Windows-1250 cannot hold becomes a numeric character reference in HTML and "?" in text.

#include "core/analiza.h"
#include "tables/tabela.h"
#include "tables/tabele.h"

#include <QByteArray>
#include <QString>

namespace sondrel {

// The title word of the HTML form ("Tabela wyników", "Zestawienie czasu pracy",
// "Zestawienie ocen").
QString TytulTabeli(RodzajTabeli rodzaj);
// The default file name: "TabelaWynikow", "ZestawienieCzasuPracy" or "ZestawienieOcen" with
// ".htm" or ".txt".
QString NazwaPlikuTabeli(RodzajTabeli rodzaj, bool html);

// The save dialog of the table window.
inline constexpr char TytulZapisuTabeli[] = "Wskaż miejsce zapisu";
QString FiltrZapisuTabeli(bool html); // "Plik tekstowy (*.htm)" or "Plik tekstowy (*.txt)"

// The questions of the results table in the HTML form: all of them when calltab is on, else
// those of the page strona. Returns the first question and sets *ile to their number.
int PytaniaTabeliHtml(const Analiza& analiza, int strona, bool calltab, int* ile);

// The HTML document of the table of that kind. strona and calltab matter for the results table
// only; fn puts first names first. The work-time form writes Test.SredniCzasPracy as the last
// fill of the work-time table stored it.
QByteArray TabelaHtml(const Analiza& analiza, RodzajTabeli rodzaj, int strona, bool calltab,
                      bool fn);
// Writes that document to the path (atomically); false when anything failed.
bool TabelaHtml(const Analiza& analiza, RodzajTabeli rodzaj, int strona, bool calltab, bool fn,
                const QString& sciezka);
// The same for the table on screen.
QByteArray TabelaHtml(const Analiza& analiza, const StanTabeli& stan, bool calltab, bool fn);
bool TabelaHtml(const Analiza& analiza, const StanTabeli& stan, bool calltab, bool fn,
                const QString& sciezka);

// Copying as HTML goes through this file in the temporary folder: "tab.htm".
QString PlikTabeliDoKopii(const QString& folderTemp);
// Writes the table on screen to PlikTabeliDoKopii (a link in its place is replaced); returns its
// path, or an empty text with the reason in *blad when writing failed (then nothing is to be
// copied).
QString ZapiszTabeleDoKopii(const Analiza& analiza, const StanTabeli& stan, bool calltab, bool fn,
                            const QString& folderTemp, QString* blad = nullptr);

// The text file: every row of the grid, each cell's text followed by a TAB, then CR LF;
// Windows-1250.
QByteArray TekstTabeliDoPliku(const Tabela& tabela);
bool ZapiszTabeleTxt(const Tabela& tabela, const QString& sciezka, QString* blad = nullptr);
// The clipboard text: a TAB between cells, CR LF after every row (the last one too).
QString TekstTabeliDoSchowka(const Tabela& tabela);

} // namespace sondrel
