// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer file reader: a `.sko` container holding "Selo0.xml", written by the testing
// program for one student. It reads the header of the first answer file of an analysis (which
// defines the test for the whole analysis), one student into a slot, or only the student's
// name for the file-list windows. A container holding "Selo0.txp" (any letter case) is an
// answer file of an older version and is never read.
//
// The reader lives beside the scoring and the work-time code because it scores the student
// (all-or-nothing per question, the grade of the percentage) and parses the time texts while
// reading, with the one implementation of each.

#include "core/analiza.h"
#include "core/srodowisko.h"

#include <QString>

namespace sondrel {

// Result of WczytajNaglowek. Only Przyjety lets the analysis go on.
enum class WynikNaglowka : int {
    Przyjety = 0,    // the header is in analiza.Test
    StaraWersja = 1, // an answer file of an older version (message given)
    Odrzucony = 2,   // damaged, or a test the records cannot hold (message and journal line given)
};

// Reads the header of the first answer file into analiza.Test: IloscPytan, IloscOdpowiedzi,
// TypTestu (written before they are checked), then NazwaTestu, Autor, Czas, Wersja, Tkk and the
// five thresholds. A test of fewer than 1 or more than 60 questions, or of fewer than 1 or more
// than 5 options, is refused. Never throws.
WynikNaglowka WczytajNaglowek(const QString& sciezka, Analiza& analiza, Srodowisko& srodowisko);

// Results of WczytajUcznia.
constexpr int UczenWczytany = 0;
constexpr int UczenStaraWersja = 1; // skipped with a journal line, no message
constexpr int UczenBlad = 2;        // the file could not be read (journal line)
constexpr int UczenInnyTest = 3;    // the file belongs to another test (journal line)

// Reads one student into slot `slot` (1..400) after checking the test's name (letter case
// included), number of questions and number of options against analiza.Test: name, times, the
// key and choice flags of every question, Poprawnych, Procent and Ocena. A file that fails
// half-way leaves the fields written before the failure; the slot then goes to the next file.
// Never throws.
int WczytajUcznia(const QString& sciezka, int slot, Analiza& analiza, Srodowisko& srodowisko);

// A student's name as the program keeps it: a tab or line break becomes a space, every other
// control character (a NUL of a damaged file, an escape sequence, C1 controls) goes. Names are
// cleaned where they are read: here, and where an archive import reads them.
QString NazwaBezZnakowSterujacych(const QString& nazwa);

// The student's display name for the file-list windows: first name, a space and surname when
// `najpierwImie` (setting fn), else surname, a space and first name. The empty text, after a
// message and a journal line, for an answer file of an older version or a damaged one.
QString OdczytajNazweUcznia(const QString& sciezka, bool najpierwImie, Srodowisko& srodowisko);

} // namespace sondrel
