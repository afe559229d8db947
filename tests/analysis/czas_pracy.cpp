// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/czas_pracy.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace sondrel;

namespace {

DataCzas Godzina(int h, int m, int s) {
    return CzasZGodziny(QTime(h, m, s));
}

OdpowiedzBig Uczen(DataCzas start, DataCzas koniec) {
    OdpowiedzBig uczen;
    uczen.Start = start;
    uczen.Koniec = koniec;
    return uczen;
}

} // namespace

TEST(TekstCzasu, KawalkiGodzinMinutSekund) {
    struct Przypadek {
        double dni;
        const char* tekst;
    } przypadki[] = {
        {CzasZMilisekund(3'723'000), "1 godz. 2 min 3 s"},
        {CzasZMilisekund(120'000), "2 min "},
        {CzasZMilisekund(45'000), "45 s"},
        {CzasZMilisekund(3'605'000), "1 godz. 5 s"},
        {CzasZMilisekund(3'600'000), "1 godz. "},
        {CzasZMilisekund(999), ""},      // under a second
        {CzasZMilisekund(1'999), "1 s"}, // leftover milliseconds are dropped
        {CzasZMilisekund(59'999), "59 s"},
        {59.9996 / 86'400, "1 min "}, // 59 999.6 ms rounds to 60 000 ms
        {0, ""},
        {-CzasZMilisekund(2'550'000), "42 min 30 s"}, // the magnitude
        {1 + CzasZMilisekund(300'000), "5 min "},     // whole days dropped
        {CzasZMilisekund(86'399'000), "23 godz. 59 min 59 s"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(TekstCzasu(p.dni), QString::fromUtf8(p.tekst)) << p.dni;
    EXPECT_EQ(TekstCzasu(std::numeric_limits<double>::quiet_NaN()), QString());
    EXPECT_EQ(TekstCzasu(std::numeric_limits<double>::infinity()), QString());
    TekstCzasu(1e300); // clamped, no overflow
}

TEST(CzasPracy, KoniecMinusPoczatek) {
    struct Przypadek {
        DataCzas start, koniec;
        const char* tekst;
    } przypadki[] = {
        {Godzina(10, 0, 0), Godzina(10, 42, 30), "42 min 30 s"},
        {Godzina(10, 0, 0), Godzina(11, 0, 0), "1 godz. "},
        {Godzina(10, 0, 0), Godzina(10, 0, 0), ""},
        {Godzina(10, 59, 30), Godzina(11, 0, 15), "45 s"},
        {Godzina(8, 55, 50), Godzina(10, 5, 10), "1 godz. 9 min 20 s"},
        // An end before the start gives a negative time, written as its magnitude.
        {Godzina(23, 50, 0), Godzina(0, 10, 0), "23 godz. 40 min "},
        {Godzina(0, 0, 1), Godzina(0, 0, 0), "1 s"},
    };
    for (const auto& p : przypadki) {
        const double czas = CzasPracy(Uczen(p.start, p.koniec));
        EXPECT_NEAR(czas, p.koniec - p.start, 1e-12);
        EXPECT_EQ(TekstCzasu(czas), QString::fromUtf8(p.tekst))
            << TekstGodziny(p.start).toStdString();
    }
}

TEST(CzasPracy, SredniaKlasy) {
    struct Przypadek {
        std::vector<std::pair<DataCzas, DataCzas>> uczniowie;
        const char* tekst;
    } przypadki[] = {
        {{{Godzina(9, 0, 0), Godzina(9, 10, 0)}, {Godzina(9, 0, 0), Godzina(9, 20, 0)}}, "15 min "},
        // A negative time lowers the mean: (-23 h 40 min + 40 min) / 2 = -11 h 30 min.
        {{{Godzina(23, 50, 0), Godzina(0, 10, 0)}, {Godzina(12, 0, 0), Godzina(12, 40, 0)}},
         "11 godz. 30 min "},
        {{{Godzina(10, 0, 0), Godzina(10, 0, 5)}}, "5 s"},
        {{{Godzina(8, 0, 0), Godzina(8, 0, 1)}, {Godzina(8, 0, 0), Godzina(8, 0, 2)}}, "1 s"},
    };
    for (const auto& p : przypadki) {
        auto analiza = std::make_unique<Analiza>();
        for (const auto& [start, koniec] : p.uczniowie)
            analiza->Uczniowie[++analiza->IloscUczniow] = Uczen(start, koniec);
        const DataCzas srednia = ObliczSredniCzasPracy(*analiza);
        EXPECT_EQ(analiza->Test.SredniCzasPracy, srednia);
        EXPECT_EQ(TekstCzasu(srednia), QString::fromUtf8(p.tekst)) << p.uczniowie.size();
    }

    auto pusta = std::make_unique<Analiza>();
    pusta->Test.SredniCzasPracy = 0.5;
    EXPECT_EQ(ObliczSredniCzasPracy(*pusta), 0);
    EXPECT_EQ(pusta->Test.SredniCzasPracy, 0);
}

TEST(MinutyCzasu, JednoMiejscePoPrzecinkuDoParzystej) {
    struct Przypadek {
        qint64 sekundy;
        double minuty;
    } przypadki[] = {{3, 0.0},    {9, 0.2},           {15, 0.2}, {21, 0.4}, {63, 1.0},  {735, 12.2},
                     {741, 12.4}, {1'420 * 60, 1420}, {0, 0},    {59, 1.0}, {3'600, 60}};
    for (const auto& p : przypadki) {
        EXPECT_DOUBLE_EQ(MinutyCzasu(CzasZMilisekund(p.sekundy * 1000)), p.minuty) << p.sekundy;
        EXPECT_DOUBLE_EQ(MinutyCzasu(-CzasZMilisekund(p.sekundy * 1000)), p.minuty) << p.sekundy;
    }
    EXPECT_DOUBLE_EQ(MinutyCzasu(CzasZMilisekund(9'999)), 0.2); // milliseconds dropped first
}

TEST(TekstGodziny, DlugiFormatJezyka) {
    EXPECT_EQ(TekstGodziny(Godzina(10, 42, 30)), QStringLiteral("10:42:30"));
    EXPECT_EQ(TekstGodziny(Godzina(7, 5, 9)), QStringLiteral("07:05:09"));
    EXPECT_EQ(TekstGodziny(0), QStringLiteral("00:00:00"));
    // A hair below a whole second is that second, not the one before it.
    EXPECT_EQ(TekstGodziny(Godzina(10, 42, 30) - 1e-12), QStringLiteral("10:42:30"));
    // Only the time of day counts.
    EXPECT_EQ(TekstGodziny(2 + Godzina(13, 0, 0)), QStringLiteral("13:00:00"));
    EXPECT_EQ(TekstGodziny(-Godzina(1, 0, 0)), QStringLiteral("23:00:00"));
}

TEST(CzasZTekstu, CzasyZPlikowOdpowiedzi) {
    struct Przypadek {
        const char* tekst;
        int ms; // -1: refused
    } przypadki[] = {
        {"10:42:30", 38'550'000},
        {"9:05", 32'700'000},
        {" 09:05:30 ", 32'730'000},
        {"0:00", 0},
        {"23:59:59", 86'399'000},
        {"7:5:9", 25'509'000},
        {"", -1},
        {"   ", -1},
        {"10", -1},
        {"10:", -1},
        {"10:42:", -1},
        {":42", -1},
        {"10:60", -1},
        {"10:42:60", -1},
        {"24:00", -1},
        {"25:00:00", -1},
        {"100:00", -1},
        {"10:420", -1},
        {"-1:00", -1},
        {"10.42.30", -1},
        {"10:42:30:00", -1},
        {"10:4a", -1},
        {"abc", -1},
        {"10:42:30 xyz", -1},
        {"10:42 PM", -1},
        {"１０:00", -1},
        {"10 : 42", -1},
    };
    for (const auto& p : przypadki) {
        const std::optional<DataCzas> czas = CzasZTekstu(QString::fromUtf8(p.tekst));
        if (p.ms < 0) {
            EXPECT_FALSE(czas.has_value()) << p.tekst;
        } else {
            ASSERT_TRUE(czas.has_value()) << p.tekst;
            EXPECT_EQ(MilisekundyGodziny(*czas), p.ms) << p.tekst;
            EXPECT_EQ(*czas, CzasZMilisekund(p.ms)) << p.tekst;
        }
    }
}

TEST(CzasZTekstu, SeparatorIPoraDniaJezyka) {
    const QLocale fiński(QLocale::Finnish, QLocale::Finland);
    EXPECT_EQ(SeparatorGodziny(fiński), QStringLiteral("."));
    EXPECT_EQ(CzasZTekstu(QStringLiteral("10.42.30"), fiński), Godzina(10, 42, 30));

    const QLocale angielski(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(CzasZTekstu(QStringLiteral("1:05 PM"), angielski), Godzina(13, 5, 0));
    EXPECT_EQ(CzasZTekstu(QStringLiteral("12:00:01 am"), angielski), Godzina(0, 0, 1));
    EXPECT_EQ(CzasZTekstu(QStringLiteral("12:30 PM"), angielski), Godzina(12, 30, 0));
    EXPECT_EQ(CzasZTekstu(QStringLiteral("13:30"), angielski), Godzina(13, 30, 0));
    EXPECT_FALSE(CzasZTekstu(QStringLiteral("13:30 PM"), angielski).has_value());
    EXPECT_FALSE(CzasZTekstu(QStringLiteral("0:30 AM"), angielski).has_value());
}

TEST(CzasZTekstu, KazdaSekundaDobyTamIZPowrotem) {
    for (int sekunda = 0; sekunda < 86'400; ++sekunda) {
        const DataCzas t = CzasZMilisekund(qint64{sekunda} * 1000);
        const QString tekst = TekstGodziny(t);
        const std::optional<DataCzas> odczytany = CzasZTekstu(tekst);
        ASSERT_TRUE(odczytany.has_value()) << tekst.toStdString();
        ASSERT_EQ(*odczytany, t) << tekst.toStdString();
        ASSERT_EQ(GodzinaZCzasu(t).msecsSinceStartOfDay(), sekunda * 1000);
    }
}

// The stored times come from the companion program with ":" whatever the reader's locale: they
// read the same under locales whose own separator is "." (ISO-minded English, Finnish, Danish)
// and under the bare C locale, set as the program's default.
TEST(CzasZTekstu, DwukropekWKazdymJezyku) {
    const QLocale polski = QLocale();
    const struct {
        const char* nazwa;
        QLocale jezyk;
    } jezyki[] = {
        {"en_DK", QLocale(QStringLiteral("en_DK"))}, {"fi_FI", QLocale(QStringLiteral("fi_FI"))},
        {"da_DK", QLocale(QStringLiteral("da_DK"))}, {"C", QLocale::c()},
        {"pl_PL", QLocale(QStringLiteral("pl_PL"))}, {"en_US", QLocale(QStringLiteral("en_US"))},
    };
    for (const auto& j : jezyki) {
        SCOPED_TRACE(j.nazwa);
        QLocale::setDefault(j.jezyk);
        const QString wlasny = SeparatorGodziny();
        EXPECT_EQ(CzasZTekstu(QStringLiteral("10:42:30")), Godzina(10, 42, 30));
        EXPECT_EQ(CzasZTekstu(QStringLiteral("9:05")), Godzina(9, 5, 0));
        EXPECT_EQ(CzasZTekstu(QStringLiteral("10") + wlasny + QStringLiteral("42") + wlasny +
                              QStringLiteral("30")),
                  Godzina(10, 42, 30));
        // one separator throughout, and still no time past its limits
        if (wlasny != QLatin1String(":")) {
            EXPECT_FALSE(CzasZTekstu(QStringLiteral("10:42") + wlasny + QStringLiteral("30")));
        }
        EXPECT_FALSE(CzasZTekstu(QStringLiteral("10:60:00")));
        EXPECT_FALSE(CzasZTekstu(QStringLiteral("10,42,30")));
        // what the program writes it reads back
        EXPECT_EQ(CzasZTekstu(TekstGodziny(Godzina(23, 5, 9))), Godzina(23, 5, 9));
    }
    QLocale::setDefault(polski);
}
