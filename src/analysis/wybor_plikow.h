// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer-file choice without its windows: the order of the chosen files and the students'
// names that the file-list windows show for them.

#include "core/srodowisko.h"

#include <QStringList>

namespace sondrel {

// Paths (or names) in the locale's case-insensitive text order; equal texts keep their order.
QStringList PosortujBezWielkosciLiter(QStringList teksty);

// The names of the answer-file list window: the display name of every file in the given order
// until the first file that cannot be named (an older version or a damaged file, told to the
// user by the reader); that file and the files after it are not listed. Returned in
// alphabetical order, as the window lists them.
QStringList NazwyUczniowDoListy(const QStringList& pliki, bool najpierwImie,
                                Srodowisko& srodowisko);

// The names of the two-list window: one per file in the given order, an empty text for a file
// that cannot be named.
QStringList NazwyWszystkichPlikow(const QStringList& pliki, bool najpierwImie,
                                  Srodowisko& srodowisko);

} // namespace sondrel
