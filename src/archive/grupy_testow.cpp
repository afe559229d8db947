// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/grupy_testow.h"

#include <map>

namespace sondrel {

std::vector<GrupaTestu> GrupujTesty(const std::vector<WpisArchiwum>& lista) {
    std::vector<GrupaTestu> grupy;
    std::map<QString, std::size_t> poOdcisku; // a fingerprint's group
    for (const WpisArchiwum& w : lista) {
        const auto [it, nowy] = poOdcisku.try_emplace(w.Odcisk, grupy.size());
        if (nowy) grupy.emplace_back();
        GrupaTestu& g = grupy[it->second];
        g.Klasy.push_back(w);
        g.Uczniow += w.IloscUczniow;
    }
    std::map<QString, int> wersji, numer; // per name: its groups, and the last number given
    for (const GrupaTestu& g : grupy)
        ++wersji[g.Test().NazwaTestu];
    for (GrupaTestu& g : grupy) {
        const QString& nazwa = g.Test().NazwaTestu;
        g.Nazwa = nazwa;
        if (wersji[nazwa] > 1) g.Nazwa += QStringLiteral(" (wersja %1)").arg(++numer[nazwa]);
    }
    return grupy;
}

} // namespace sondrel
