// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test list reader: a `.skg` container holding "Selt0.xml" (version 40) or, in the older
// form, "Selt0.txp" (version 35, every line scrambled with the settings table). It gives the
// list's header (analiza.Lista, version 40 only) and its entry lines, one text line per entry of
// the tree of groups and tests; the lines are parsed by the window that draws the tree.

#include "core/analiza.h"
#include "core/srodowisko.h"

#include <QString>
#include <QStringList>

namespace sondrel {

// Reads the list at `sciezka`: version 35 when the container has "Selt0.txp" (any letter case),
// else version 40. On true `wpisy` holds the entry lines in file order. On false the reason is
// in the journal (and, for a damaged version-35 list, in a message); the caller tells the user
// that the list could not be opened. Never throws.
bool WczytajListeTestow(const QString& sciezka, QStringList& wpisy, Analiza& analiza,
                        Srodowisko& srodowisko);

} // namespace sondrel
