// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/statystyka_opisowa.h"

#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "core/lokalizacja.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace sondrel {

namespace {

int Uczniow(const Analiza& analiza) {
    return std::clamp(analiza.IloscUczniow, 0, MaksUczniow);
}

// The points of the students in slot order.
std::vector<qint32> Punkty(const Analiza& analiza) {
    std::vector<qint32> punkty;
    const int n = Uczniow(analiza);
    punkty.reserve(static_cast<std::size_t>(n));
    for (int s = 1; s <= n; ++s)
        punkty.push_back(analiza.Uczniowie[s].Poprawnych);
    return punkty;
}

// The sum of the students' points, as PodsumujKlase stores it in SumaPoprawnych; taken from
// the records themselves so that the figures never disagree with the students shown.
qint64 Suma(const Analiza& analiza) {
    qint64 suma = 0;
    for (const qint32 p : Punkty(analiza))
        suma += p;
    return suma;
}

} // namespace

qint32 WynikMinimalny(const Analiza& analiza) {
    qint32 wynik = analiza.Test.IloscPytan;
    for (const qint32 p : Punkty(analiza))
        wynik = std::min(wynik, p);
    return wynik;
}

qint32 WynikMaksymalny(const Analiza& analiza) {
    qint32 wynik = 0;
    for (const qint32 p : Punkty(analiza))
        wynik = std::max(wynik, p);
    return wynik;
}

double SredniaPunktow(const Analiza& analiza) {
    const int n = Uczniow(analiza);
    if (n == 0) return 0;
    return static_cast<double>(ZaokraglijIloraz(Suma(analiza) * 100, n)) / 100.0;
}

double Mediana(const Analiza& analiza) {
    std::vector<qint32> punkty = Punkty(analiza);
    if (punkty.empty()) return 0;
    std::sort(punkty.begin(), punkty.end());
    const std::size_t n = punkty.size();
    if (n % 2 == 1) return punkty[n / 2];
    return (static_cast<double>(punkty[n / 2 - 1]) + static_cast<double>(punkty[n / 2])) / 2.0;
}

qint32 Modalna(const Analiza& analiza) {
    std::map<qint32, int> ile;
    for (const qint32 p : Punkty(analiza))
        ++ile[p];
    qint32 wynik = 0;
    int najwiecej = 0;
    for (const auto& [punkty, liczba] : ile) // ascending, so the lowest score wins a tie
        if (liczba > najwiecej) {
            najwiecej = liczba;
            wynik = punkty;
        }
    return wynik;
}

double OdchylenieStandardowe(const Analiza& analiza) {
    const std::vector<qint32> punkty = Punkty(analiza);
    if (punkty.empty()) return 0;
    const double n = static_cast<double>(punkty.size());
    const double srednia = static_cast<double>(Suma(analiza)) / n;
    double kwadraty = 0;
    for (const qint32 p : punkty) {
        const double roznica = srednia - p;
        kwadraty += roznica * roznica;
    }
    // std::nearbyint rounds halves to the even neighbour in the default rounding mode.
    return std::nearbyint(std::sqrt(kwadraty / n) * 10) / 10;
}

double LatwoscTestu(const Analiza& analiza) {
    return ProcentZaokraglony(Suma(analiza), qint64{Uczniow(analiza)} * analiza.Test.IloscPytan) /
           100.0;
}

StatystykaOpisowa ObliczStatystykeOpisowa(const Analiza& analiza) {
    StatystykaOpisowa wynik;
    wynik.WynikMinimalny = WynikMinimalny(analiza);
    wynik.WynikMaksymalny = WynikMaksymalny(analiza);
    wynik.Rozstep = wynik.WynikMaksymalny - wynik.WynikMinimalny;
    wynik.SredniaPunktow = SredniaPunktow(analiza);
    wynik.Mediana = Mediana(analiza);
    wynik.Modalna = Modalna(analiza);
    wynik.OdchylenieStandardowe = OdchylenieStandardowe(analiza);
    wynik.LatwoscTestu = LatwoscTestu(analiza);
    wynik.KategoriaTestu = KategoriaTrudnosci(wynik.LatwoscTestu);
    return wynik;
}

} // namespace sondrel
