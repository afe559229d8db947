// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/statystyka_pytan.h"
#include "analysis/ocenianie.h"

#include <gtest/gtest.h>
#include <memory>

using namespace sondrel;

namespace {

// A class of `uczniow` students on a test of `pytan` questions; every key is "10000".
std::unique_ptr<Analiza> Klasa(int uczniow, int pytan) {
    auto analiza = std::make_unique<Analiza>();
    analiza->Test.IloscPytan = pytan;
    analiza->IloscUczniow = uczniow;
    for (int s = 1; s <= uczniow; ++s)
        for (int q = 1; q <= pytan; ++q)
            ZapiszOdpowiedz(analiza->Uczniowie[s], q, QStringLiteral("00000"),
                            QStringLiteral("10000"));
    return analiza;
}

void Zaznacz(Analiza& analiza, int s, int q, const char* wybor) {
    ZapiszOdpowiedz(analiza.Uczniowie[s], q, QLatin1String(wybor), QStringLiteral("10000"));
}

} // namespace

TEST(StatystykiPytan, PoprawneProcentyIWybory) {
    auto analiza = Klasa(8, 4);
    Zaznacz(*analiza, 5, 1, "10000"); // question 1: 1 of 8 correct
    for (int s = 1; s <= 8; ++s) {
        Zaznacz(*analiza, s, 2, "10000"); // question 2: everybody correct
        Zaznacz(*analiza, s, 3, "01100"); // question 3: nobody, two marks each
    }
    for (int s = 1; s <= 3; ++s)
        Zaznacz(*analiza, s, 4, "10000"); // question 4: 3 of 8
    Zaznacz(*analiza, 4, 4, "10020");     // a 2 is no mark: correct by the flags
    // Stale figures from an earlier analysis, above and within the test's questions.
    analiza->StatPytan[1].Wybrali[1] = 99;
    analiza->StatPytan[5].Poprawnych = 7;
    analiza->StatPytan[60].Wybrali[5] = 3;

    StatystykiPytan(*analiza);

    struct Oczekiwane {
        int poprawnych, procent;
        int wybrali[5];
    } oczekiwane[] = {
        {1, 12, {1, 0, 0, 0, 0}},
        {8, 100, {8, 0, 0, 0, 0}},
        {0, 0, {0, 8, 8, 0, 0}},
        {4, 50, {4, 0, 0, 0, 0}},
    };
    for (int q = 1; q <= 4; ++q) {
        const StatPytania& stat = analiza->StatPytan[q];
        const Oczekiwane& o = oczekiwane[q - 1];
        EXPECT_EQ(stat.Poprawnych, o.poprawnych) << q;
        EXPECT_EQ(stat.ProcentPoprawnych, o.procent) << q;
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(stat.Wybrali[k], o.wybrali[k - 1]) << q << " " << k;
    }
    for (int q = 5; q <= MaksPytan; ++q) {
        const StatPytania& stat = analiza->StatPytan[q];
        EXPECT_EQ(stat.Poprawnych, 0) << q;
        EXPECT_EQ(stat.ProcentPoprawnych, 0) << q;
        for (const qint32 liczba : stat.Wybrali)
            EXPECT_EQ(liczba, 0) << q;
    }

    // Computing again gives the same figures, not doubled counts.
    StatystykiPytan(*analiza);
    EXPECT_EQ(analiza->StatPytan[3].Wybrali[2], 8);
    EXPECT_EQ(analiza->StatPytan[2].Poprawnych, 8);

    EXPECT_DOUBLE_EQ(LatwoscZadania(*analiza, 1), 0.12);
    EXPECT_DOUBLE_EQ(LatwoscZadania(*analiza, 2), 1);
    EXPECT_DOUBLE_EQ(LatwoscZadania(*analiza, 3), 0);
    EXPECT_DOUBLE_EQ(LatwoscZadania(*analiza, 4), 0.5);
    EXPECT_EQ(LatwoscZadania(*analiza, 0), 0);
    EXPECT_EQ(LatwoscZadania(*analiza, 61), 0);
}

TEST(StatystykiPytan, BezUczniowBezDzieleniaPrzezZero) {
    auto analiza = Klasa(0, 3);
    StatystykiPytan(*analiza);
    EXPECT_EQ(analiza->StatPytan[1].ProcentPoprawnych, 0);
    EXPECT_EQ(LatwoscZadania(*analiza, 1), 0);
}

TEST(KategoriaTrudnosci, KazdaSetnaOdZeraDoJednosci) {
    for (int setne = 0; setne <= 100; ++setne) {
        const char* kategoria = setne <= 18   ? "bardzo trudny"
                                : setne <= 49 ? "trudny"
                                : setne <= 69 ? "umiarkowanie trudny"
                                : setne <= 88 ? "łatwy"
                                              : "bardzo łatwy";
        EXPECT_EQ(KategoriaTrudnosci(setne / 100.0), QString::fromUtf8(kategoria)) << setne;
    }
}

TEST(KategoriaTrudnosci, MiedzySetnymi) {
    struct Przypadek {
        double latwosc;
        const char* kategoria;
    } przypadki[] = {
        {0.185, "bardzo trudny"},       {0.485, "trudny"},       {0.495, "umiarkowanie trudny"},
        {0.685, "umiarkowanie trudny"}, {0.695, "łatwy"},        {0.885, "łatwy"},
        {0.895, "bardzo łatwy"},        {-0.1, "bardzo trudny"}, {1.5, "bardzo łatwy"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(KategoriaTrudnosci(p.latwosc), QString::fromUtf8(p.kategoria)) << p.latwosc;
}

TEST(KategoriaTrudnosci, ZLiczbyPoprawnychWKlasieStu) {
    struct Przypadek {
        int poprawnych;
        const char* kategoria;
    } przypadki[] = {
        {18, "bardzo trudny"},       {19, "trudny"}, {49, "trudny"}, {50, "umiarkowanie trudny"},
        {69, "umiarkowanie trudny"}, {70, "łatwy"},  {88, "łatwy"},  {89, "bardzo łatwy"}};
    for (const auto& p : przypadki) {
        auto analiza = Klasa(100, 1);
        for (int s = 1; s <= p.poprawnych; ++s)
            Zaznacz(*analiza, s, 1, "10000");
        StatystykiPytan(*analiza);
        EXPECT_EQ(analiza->StatPytan[1].ProcentPoprawnych, p.poprawnych);
        EXPECT_EQ(KategoriaTrudnosci(LatwoscZadania(*analiza, 1)), QString::fromUtf8(p.kategoria))
            << p.poprawnych;
    }
}
