// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive's list grouped by test, as a teacher looks for a class: one group per test
// (analyses with one fingerprint), the groups in the order their first class was written, the
// classes of a group in the list's order. Tests that share a name but not a fingerprint (the
// key or the number of questions changed) are versions of one test: their names get
// " (wersja N)", numbered in the order of their groups.

#include "archive/archiwum.h"

#include <QString>
#include <vector>

namespace sondrel {

struct GrupaTestu {
    QString Nazwa;                   // the test's name, with its version when it needs one
    std::vector<WpisArchiwum> Klasy; // the group's analyses, never empty
    qint64 Uczniow = 0;              // students of all its classes
    const WpisArchiwum& Test() const { return Klasy.front(); }
};

std::vector<GrupaTestu> GrupujTesty(const std::vector<WpisArchiwum>& lista);

} // namespace sondrel
