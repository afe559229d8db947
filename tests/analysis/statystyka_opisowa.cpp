// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/statystyka_opisowa.h"
#include "analysis/ocenianie.h"
#include "core/lokalizacja.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace sondrel;

namespace {

std::unique_ptr<Analiza> Klasa(int pytan, const std::vector<int>& punkty) {
    auto analiza = std::make_unique<Analiza>();
    analiza->Test.IloscPytan = pytan;
    for (const int p : punkty)
        analiza->Uczniowie[++analiza->IloscUczniow].Poprawnych = p;
    PodsumujKlase(*analiza);
    return analiza;
}

} // namespace

TEST(StatystykaOpisowa, MalaKlasa) {
    // Points 3, 5, 5 and 8 of 10 questions.
    const auto analiza = Klasa(10, {5, 8, 3, 5});
    const StatystykaOpisowa s = ObliczStatystykeOpisowa(*analiza);
    EXPECT_EQ(s.WynikMinimalny, 3);
    EXPECT_EQ(s.WynikMaksymalny, 8);
    EXPECT_EQ(s.Rozstep, 5);
    EXPECT_DOUBLE_EQ(s.SredniaPunktow, 5.25);
    EXPECT_DOUBLE_EQ(s.Mediana, 5);
    EXPECT_EQ(s.Modalna, 5);
    EXPECT_DOUBLE_EQ(s.OdchylenieStandardowe, 1.8); // sqrt(12.75 / 4) = 1.785...
    EXPECT_DOUBLE_EQ(s.LatwoscTestu, 0.52);         // 52.5 hundredths go to the even 52
    EXPECT_EQ(s.KategoriaTestu, QStringLiteral("umiarkowanie trudny"));
    // As the statistics report writes them on a Polish system.
    EXPECT_EQ(TekstLiczby(s.SredniaPunktow), QStringLiteral("5,25"));
    EXPECT_EQ(TekstLiczby(s.OdchylenieStandardowe), QStringLiteral("1,8"));
    EXPECT_EQ(TekstLiczby(s.LatwoscTestu), QStringLiteral("0,52"));
}

TEST(StatystykaOpisowa, Mediana) {
    struct Przypadek {
        std::vector<int> punkty;
        double mediana;
    } przypadki[] = {
        {{2, 3}, 2.5},           {{2, 4}, 3},          {{9, 1, 4}, 4}, {{7}, 7},
        {{6, 1, 9, 2, 2, 8}, 4}, {{0, 0, 1, 1, 1}, 1},
    };
    for (const auto& p : przypadki)
        EXPECT_DOUBLE_EQ(Mediana(*Klasa(10, p.punkty)), p.mediana) << p.punkty.size();
}

TEST(StatystykaOpisowa, ModalnaNajnizszaZRownych) {
    struct Przypadek {
        std::vector<int> punkty;
        int modalna;
    } przypadki[] = {
        {{2, 2, 7, 7}, 2},          {{7, 7, 2, 2}, 2},    {{9, 4, 6}, 4},
        {{5, 9, 9, 1, 1, 5, 3}, 1}, {{3, 8, 8, 3, 8}, 8},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(Modalna(*Klasa(10, p.punkty)), p.modalna) << p.punkty.size();
}

TEST(StatystykaOpisowa, SredniaIOdchylenie) {
    struct Przypadek {
        std::vector<int> punkty;
        double srednia, odchylenie;
    } przypadki[] = {
        {{2, 2, 2, 3, 3, 3, 3, 3}, 2.62, 0.5}, // 21 over 8: 262.5 hundredths go to 262
        {{1, 2}, 1.5, 0.5},
        {{0, 10}, 5, 5},
        {{1, 1, 2}, 1.33, 0.5},          // 0.4714 -> 0.5
        {{0, 0, 0, 1}, 0.25, 0.4},       // 0.4330 -> 0.4
        {{0, 1, 1, 1, 1, 1}, 0.83, 0.4}, // 0.3727 -> 0.4
    };
    for (const auto& p : przypadki) {
        const auto analiza = Klasa(10, p.punkty);
        EXPECT_DOUBLE_EQ(SredniaPunktow(*analiza), p.srednia) << p.punkty.size();
        EXPECT_DOUBLE_EQ(OdchylenieStandardowe(*analiza), p.odchylenie) << p.punkty.size();
    }
}

TEST(StatystykaOpisowa, WszyscyBezPunktowIJedenUczen) {
    const StatystykaOpisowa zera = ObliczStatystykeOpisowa(*Klasa(12, {0, 0, 0}));
    EXPECT_EQ(zera.WynikMinimalny, 0);
    EXPECT_EQ(zera.WynikMaksymalny, 0);
    EXPECT_EQ(zera.Modalna, 0);
    EXPECT_EQ(zera.OdchylenieStandardowe, 0);
    EXPECT_EQ(zera.LatwoscTestu, 0);
    EXPECT_EQ(zera.KategoriaTestu, QStringLiteral("bardzo trudny"));

    const StatystykaOpisowa jeden = ObliczStatystykeOpisowa(*Klasa(12, {7}));
    EXPECT_EQ(jeden.WynikMinimalny, 7);
    EXPECT_EQ(jeden.WynikMaksymalny, 7);
    EXPECT_EQ(jeden.Rozstep, 0);
    EXPECT_DOUBLE_EQ(jeden.SredniaPunktow, 7);
    EXPECT_DOUBLE_EQ(jeden.Mediana, 7);
    EXPECT_EQ(jeden.Modalna, 7);
    EXPECT_EQ(jeden.OdchylenieStandardowe, 0);
    EXPECT_DOUBLE_EQ(jeden.LatwoscTestu, 0.58); // 58.33 hundredths
}

TEST(StatystykaOpisowa, LatwoscTestuNaGranicyKategorii) {
    // 49 of 100 answers correct: 0.49, still "trudny"; 50 of 100: 0.5.
    const auto trudny = Klasa(10, {5, 5, 5, 5, 5, 5, 5, 5, 5, 4});
    EXPECT_DOUBLE_EQ(LatwoscTestu(*trudny), 0.49);
    EXPECT_EQ(ObliczStatystykeOpisowa(*trudny).KategoriaTestu, QStringLiteral("trudny"));
    const auto umiarkowany = Klasa(10, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    EXPECT_DOUBLE_EQ(LatwoscTestu(*umiarkowany), 0.5);
    EXPECT_EQ(ObliczStatystykeOpisowa(*umiarkowany).KategoriaTestu,
              QStringLiteral("umiarkowanie trudny"));
    EXPECT_EQ(LatwoscTestu(*umiarkowany), umiarkowany->Test.ProcentKlasy / 100.0);
}

TEST(StatystykaOpisowa, BezUczniowBezDzieleniaPrzezZero) {
    const StatystykaOpisowa s = ObliczStatystykeOpisowa(*Klasa(10, {}));
    EXPECT_EQ(s.WynikMinimalny, 10);
    EXPECT_EQ(s.WynikMaksymalny, 0);
    EXPECT_EQ(s.SredniaPunktow, 0);
    EXPECT_EQ(s.Mediana, 0);
    EXPECT_EQ(s.Modalna, 0);
    EXPECT_EQ(s.OdchylenieStandardowe, 0);
    EXPECT_EQ(s.LatwoscTestu, 0);
}
