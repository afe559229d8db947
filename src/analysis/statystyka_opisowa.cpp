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
qint64 Suma(std::span<const qint32> punkty) {
    qint64 suma = 0;
    for (const qint32 p : punkty)
        suma += p;
    return suma;
}

qint32 Minimum(std::span<const qint32> punkty, qint32 iloscPytan) {
    qint32 wynik = iloscPytan;
    for (const qint32 p : punkty)
        wynik = std::min(wynik, p);
    return wynik;
}

qint32 Maksimum(std::span<const qint32> punkty) {
    qint32 wynik = 0;
    for (const qint32 p : punkty)
        wynik = std::max(wynik, p);
    return wynik;
}

double Srednia(std::span<const qint32> punkty) {
    if (punkty.empty()) return 0;
    return static_cast<double>(
               ZaokraglijIloraz(Suma(punkty) * 100, static_cast<qint64>(punkty.size()))) /
           100.0;
}

double Srodkowa(std::span<const qint32> punkty) {
    if (punkty.empty()) return 0;
    std::vector<qint32> p(punkty.begin(), punkty.end());
    std::sort(p.begin(), p.end());
    const std::size_t n = p.size();
    if (n % 2 == 1) return p[n / 2];
    return (static_cast<double>(p[n / 2 - 1]) + static_cast<double>(p[n / 2])) / 2.0;
}

qint32 Najczestsza(std::span<const qint32> punkty) {
    std::map<qint32, int> ile;
    for (const qint32 p : punkty)
        ++ile[p];
    qint32 wynik = 0;
    int najwiecej = 0;
    for (const auto& [punkt, liczba] : ile) // ascending, so the lowest score wins a tie
        if (liczba > najwiecej) {
            najwiecej = liczba;
            wynik = punkt;
        }
    return wynik;
}

double Odchylenie(std::span<const qint32> punkty) {
    if (punkty.empty()) return 0;
    const double n = static_cast<double>(punkty.size());
    const double srednia = static_cast<double>(Suma(punkty)) / n;
    double kwadraty = 0;
    for (const qint32 p : punkty) {
        const double roznica = srednia - p;
        kwadraty += roznica * roznica;
    }
    // std::nearbyint rounds halves to the even neighbour in the default rounding mode.
    return std::nearbyint(std::sqrt(kwadraty / n) * 10) / 10;
}

double Latwosc(std::span<const qint32> punkty, qint32 iloscPytan) {
    return ProcentZaokraglony(Suma(punkty), static_cast<qint64>(punkty.size()) * iloscPytan) /
           100.0;
}

} // namespace

qint32 WynikMinimalny(const Analiza& analiza) {
    return Minimum(Punkty(analiza), analiza.Test.IloscPytan);
}

qint32 WynikMaksymalny(const Analiza& analiza) {
    return Maksimum(Punkty(analiza));
}

double SredniaPunktow(const Analiza& analiza) {
    return Srednia(Punkty(analiza));
}

double Mediana(const Analiza& analiza) {
    return Srodkowa(Punkty(analiza));
}

qint32 Modalna(const Analiza& analiza) {
    return Najczestsza(Punkty(analiza));
}

double OdchylenieStandardowe(const Analiza& analiza) {
    return Odchylenie(Punkty(analiza));
}

double LatwoscTestu(const Analiza& analiza) {
    return Latwosc(Punkty(analiza), analiza.Test.IloscPytan);
}

StatystykaOpisowa ObliczStatystykeOpisowa(const Analiza& analiza) {
    return ObliczStatystykeOpisowa(Punkty(analiza), analiza.Test.IloscPytan);
}

StatystykaOpisowa ObliczStatystykeOpisowa(std::span<const qint32> punkty, qint32 iloscPytan) {
    StatystykaOpisowa wynik;
    wynik.WynikMinimalny = Minimum(punkty, iloscPytan);
    wynik.WynikMaksymalny = Maksimum(punkty);
    wynik.Rozstep = wynik.WynikMaksymalny - wynik.WynikMinimalny;
    wynik.SredniaPunktow = Srednia(punkty);
    wynik.Mediana = Srodkowa(punkty);
    wynik.Modalna = Najczestsza(punkty);
    wynik.OdchylenieStandardowe = Odchylenie(punkty);
    wynik.LatwoscTestu = Latwosc(punkty, iloscPytan);
    wynik.KategoriaTestu = KategoriaTrudnosci(wynik.LatwoscTestu);
    return wynik;
}

} // namespace sondrel
