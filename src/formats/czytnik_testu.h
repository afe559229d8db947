// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test file reader: a `.skt` container holding "Serr0.xml" (version 40) or, in the older
// form, "Serr0.txp" (version 35, every line scrambled), plus the pictures and texts that the
// questions name. It checks that the file holds the test the students solved (type, number of
// questions, name with its letter case, number of options, against the header that the first
// answer file gave) and fills the question records.

#include "core/analiza.h"
#include "core/srodowisko.h"

#include <QString>

namespace sondrel {

// Results of WczytajTest.
constexpr int TestWczytany = 0;    // the questions are read
constexpr int TestNieczytelny = 1; // the file could not be read (message and journal line given)
constexpr int TestInny = 2;        // another test than the one the students solved

// Clears the questions, opens `sciezka` in analiza.KontenerTestu (made on the first call) and
// reads the test: version 35 when the container has "Serr0.txp" (any letter case), else
// version 40. Questions 1..IloscPytan are filled (a failed read keeps the questions before the
// failing one); DataUtworzenia and Uwagi are written by a version-40 test only. The container
// stays open on the file whatever the result, for the reports' pictures and texts. Never throws;
// every failure is told through the journal and a message of `srodowisko`.
int WczytajTest(const QString& sciezka, Analiza& analiza, Srodowisko& srodowisko);

} // namespace sondrel
