// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a test list: read without a crash, and an entry count that the file claims
// never makes more entries than the file has bytes.
#include "formats/czytnik_listy.h"
#include "czytniki_wspolne.h"

#include <cstdlib>

using namespace sondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    Srodowisko& s = fuzz::CicheSrodowisko();
    const QString plik = fuzz::ZapiszWejscie(dane, rozmiar, {"Selt0.xml", "Selt0.txp"}, "skg");
    static Analiza a;
    QStringList wpisy;
    const bool wynik = WczytajListeTestow(plik, wpisy, a, s);
    if (!wynik && !wpisy.isEmpty()) std::abort();
    if (wpisy.size() > static_cast<qsizetype>(rozmiar) + 1) std::abort();
    return 0;
}
