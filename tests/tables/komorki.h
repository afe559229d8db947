// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cells of the tables in the tests: a short way to write the expected ones, and how a failure
// prints them.

#include "support/klasa_testowa.h"
#include "tables/tabela.h"

#include <ostream>

namespace sondrel {

inline void PrintTo(const Komorka& k, std::ostream* os) {
    *os << '"' << k.Tekst.toStdString() << "\" tlo " << std::hex << k.Tlo << " czcionka "
        << k.KolorCzcionki << std::dec << (k.Pogrubiona ? " bold" : " normal") << " wyr "
        << static_cast<int>(k.Wyrownanie);
}

namespace testy {

inline Komorka K(const QString& tekst, Kolor tlo, Kolor czcionka = KolorCzarny,
                 bool pogrubiona = false, RodzajWyrownania wyr = RodzajWyrownania::DoLewej) {
    return Komorka{tekst, tlo, czcionka, pogrubiona, wyr};
}

} // namespace testy
} // namespace sondrel
