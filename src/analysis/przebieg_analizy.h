// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis driver without its windows: the reading loop over the answer files and the
// steps that follow the user's choice of files (read the answers, tell what was skipped, read
// the test when the analysis needs one). The windows choose the files before and show the
// analysis panel after.

#include "core/analiza.h"
#include "core/srodowisko.h"

#include <QStringList>

namespace sondrel {

// Results of WczytajOdpowiedzi.
constexpr int OdpowiedziWczytane = 0;  // every answer file was read
constexpr int OdpowiedziPominiete = 1; // at least one answer file was skipped
constexpr int OdpowiedziOdrzucone = 2; // nothing to analyse: the screen stays as it was

// Reads every answer file into the student slots in list order, then orders the students and
// computes the item statistics and the class figures. The first file's header defines the test;
// files of another test, damaged files and files beyond the 400th are skipped with a journal line.
int WczytajOdpowiedzi(const QStringList& pliki, Analiza& analiza, Srodowisko& srodowisko);

// Where the answer files came from: the file choice, dropped files and the command line, or
// the two-list window with its test list (which words the summary message differently).
enum class ZrodloAnalizy { Pliki, Lista };

// The steps after the files were chosen: reads analiza.PlikiOdpowiedzi, tells the user when
// files were skipped and, for an analysis with a test (always from a list), reads
// analiza.PlikTestu; a test that cannot be used turns the analysis into a simple one. Returns
// true when there is an analysis to show.
bool UruchomAnalize(Analiza& analiza, Srodowisko& srodowisko,
                    ZrodloAnalizy zrodlo = ZrodloAnalizy::Pliki);

// Dropped files and the command line: only the first file's extension is checked (".sko" in
// any letter case); otherwise the user is told that such files are not handled.
bool SaPlikamiOdpowiedzi(const QStringList& pliki, Srodowisko& srodowisko);

// Dropped files: a simple analysis of every dropped file in drop order; with a test (the
// command line's "--test PLIK.skt") an analysis with that test, as "Chcę dokonać analizy
// wczytując test z pliku" makes it. Returns true when there is an analysis to show.
bool AnalizujUpuszczonePliki(const QStringList& pliki, Analiza& analiza, Srodowisko& srodowisko,
                             const QString& plikTestu = {});

} // namespace sondrel
