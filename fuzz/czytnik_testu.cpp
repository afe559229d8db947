// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a test file, read against the header of a plausible class: the result is one
// of the three, and the container stays open for the reports whatever the result.
#include "formats/czytnik_testu.h"
#include "czytniki_wspolne.h"
#include "formats/pak.h"

#include <cstdlib>

using namespace sondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    Srodowisko& s = fuzz::CicheSrodowisko();
    const QString plik = fuzz::ZapiszWejscie(dane, rozmiar, {"Serr0.xml", "Serr0.txp"}, "skt");
    static Analiza a;
    // Small headers, so that a mutated test has a chance to match and reach its questions.
    a.Test.TypTestu = 0;
    a.Test.IloscPytan = 1 + static_cast<int>(rozmiar % 3);
    a.Test.IloscOdpowiedzi = 4;
    a.Test.NazwaTestu = QStringLiteral("T");
    const int wynik = WczytajTest(plik, a, s);
    if (wynik < TestWczytany || wynik > TestInny || !a.KontenerTestu) std::abort();
    for (const QString& nazwa : a.KontenerTestu->Names())
        StrumienZPak(nazwa, *a.KontenerTestu);
    return 0;
}
