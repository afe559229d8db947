// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an answer file: the header read, the student read (against the header the same
// file gave, or against a plausible one when it was refused) and the name read. Every record
// written stays inside the records, and a student read gives one of its four results.
#include "analysis/czytnik_odpowiedzi.h"
#include "czytniki_wspolne.h"

#include <cstdlib>

using namespace sondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    Srodowisko& s = fuzz::CicheSrodowisko();
    const QString plik = fuzz::ZapiszWejscie(dane, rozmiar, {"Selo0.xml", "Selo0.txp"}, "sko");
    static Analiza a;
    if (WczytajNaglowek(plik, a, s) != WynikNaglowka::Przyjety) {
        a.Test.NazwaTestu = QStringLiteral("Test");
        a.Test.IloscPytan = 3;
        a.Test.IloscOdpowiedzi = 4;
    } else if (a.Test.IloscPytan < 1 || a.Test.IloscPytan > MaksPytan ||
               a.Test.IloscOdpowiedzi < 1 || a.Test.IloscOdpowiedzi > MaksOdpowiedzi) {
        std::abort();
    }
    const int wynik = WczytajUcznia(plik, 1 + static_cast<int>(rozmiar % MaksUczniow), a, s);
    if (wynik < UczenWczytany || wynik > UczenInnyTest) std::abort();
    if (wynik == UczenWczytany) {
        const OdpowiedzBig& u = a.Uczniowie[1 + static_cast<int>(rozmiar % MaksUczniow)];
        if (u.Poprawnych < 0 || u.Poprawnych > a.Test.IloscPytan || u.Procent < 0 ||
            u.Procent > 100 || u.Start < 0 || u.Start >= 1)
            std::abort();
    }
    OdczytajNazweUcznia(plik, (rozmiar & 1) != 0, s);
    return 0;
}
