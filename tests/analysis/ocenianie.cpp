// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ocenianie.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace sondrel;

namespace {

std::unique_ptr<Analiza> Klasa(int pytan = 10) {
    auto analiza = std::make_unique<Analiza>();
    analiza->Test.IloscPytan = pytan;
    analiza->Test.ProgCel = 90;
    analiza->Test.ProgBdb = 75;
    analiza->Test.ProgDb = 50;
    analiza->Test.ProgDst = 40;
    analiza->Test.ProgDp = 30;
    return analiza;
}

OdpowiedzBig& Dodaj(Analiza& analiza, const QString& nazwisko, const QString& imie,
                    qint32 poprawnych = 0, const QString& ocena = QString()) {
    OdpowiedzBig& uczen = analiza.Uczniowie[++analiza.IloscUczniow];
    uczen.Nazwisko = nazwisko;
    uczen.Imie = imie;
    uczen.Poprawnych = poprawnych;
    uczen.Ocena = ocena;
    return uczen;
}

} // namespace

TEST(OcenaZProcentu, ProgiOdCelowDoNiedostatecznych) {
    const auto analiza = Klasa();
    struct Przypadek {
        int procent;
        const char* ocena;
    } przypadki[] = {{100, "Cel"}, {90, "Cel"}, {89, "Bdb"}, {75, "Bdb"}, {74, "Db"},
                     {50, "Db"},   {49, "Dst"}, {40, "Dst"}, {39, "Dp"},  {30, "Dp"},
                     {29, "Ndst"}, {0, "Ndst"}, {-5, "Ndst"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(OcenaZProcentu(analiza->Test, p.procent), QLatin1String(p.ocena)) << p.procent;
}

TEST(OcenaZProcentu, ProgiNieUporzadkowane) {
    // The thresholds are tried from Cel down as read, never sorted.
    OTescie test;
    test.ProgCel = 90;
    test.ProgBdb = 95;
    test.ProgDb = 50;
    test.ProgDst = 40;
    test.ProgDp = 30;
    EXPECT_EQ(OcenaZProcentu(test, 96), QLatin1String("Cel"));
    EXPECT_EQ(OcenaZProcentu(test, 90), QLatin1String("Cel"));
    EXPECT_EQ(OcenaZProcentu(test, 89), QLatin1String("Db"));
    // A file without a grading scale: every threshold 0, everybody gets Cel.
    EXPECT_EQ(OcenaZProcentu(OTescie{}, 0), QLatin1String("Cel"));
}

TEST(Oceny, NazwyIWartosci) {
    struct Przypadek {
        const char* skrot;
        const char* nazwa;
        int wartosc;
    } przypadki[] = {{"Cel", "Celujący", 6},     {"Bdb", "Bardzo dobry", 5},
                     {"Db", "Dobry", 4},         {"Dst", "Dostateczny", 3},
                     {"Dp", "Dopuszczający", 2}, {"Ndst", "Niedostateczny", 1}};
    for (int stopien = 1; stopien <= LiczbaStopni; ++stopien) {
        const auto& p = przypadki[stopien - 1];
        EXPECT_EQ(SkrotOceny(stopien), QLatin1String(p.skrot));
        EXPECT_EQ(NazwaOceny(stopien), QString::fromUtf8(p.nazwa));
        EXPECT_EQ(WartoscOceny(stopien), p.wartosc);
        EXPECT_EQ(StopienOceny(QLatin1String(p.skrot)), stopien);
    }
    // Only the exact short texts count; "Dop" is the grade table's label, not a stored grade.
    for (const char* inny : {"Dop", "cel", "", "Cel "})
        EXPECT_EQ(StopienOceny(QLatin1String(inny)), StopienNdst) << inny;
}

TEST(Procent, ZaokraglenieDoParzystej) {
    struct Przypadek {
        qint64 poprawnych, pytan;
        qint32 procent;
    } przypadki[] = {{1, 8, 12}, {3, 8, 38}, {5, 8, 62},  {7, 8, 88}, {2, 8, 25}, {1, 40, 2},
                     {3, 40, 8}, {0, 7, 0},  {7, 7, 100}, {2, 3, 67}, {1, 0, 0}};
    for (const auto& p : przypadki)
        EXPECT_EQ(ProcentZaokraglony(p.poprawnych, p.pytan), p.procent)
            << p.poprawnych << "/" << p.pytan;
}

TEST(Punktacja, CaleSlowoAFlagiOpcji) {
    struct Przypadek {
        const char* wybor;
        const char* klucz;
        bool punkt;    // strings equal: counts for the points
        bool poprawna; // flags equal: counts in the tables and item statistics
    } przypadki[] = {
        {"01000", "01000", true, true},
        {"01100", "01000", false, false}, // an extra option marked
        {"00000", "01000", false, false}, // nothing marked
        {"01100", "01100", true, true},
        {"01000", "01100", false, false}, // one of two correct options
        {"01020", "01000", false, true},  // a 2 is not a mark, but the strings differ
        {"01", "01000", false, true},     // missing characters are not marks
        {"", "", true, true},
        {"11111x", "11111", false, true}, // beyond the fifth option nothing is recorded
    };
    for (const auto& p : przypadki) {
        OdpowiedzBig uczen;
        EXPECT_EQ(ZapiszOdpowiedz(uczen, 7, QLatin1String(p.wybor), QLatin1String(p.klucz)),
                  p.punkt)
            << p.wybor << " / " << p.klucz;
        EXPECT_EQ(PoprawnaOdpowiedz(uczen, 7), p.poprawna) << p.wybor << " / " << p.klucz;
    }

    OdpowiedzBig uczen;
    ZapiszOdpowiedz(uczen, 60, QStringLiteral("0110"), QStringLiteral("01001"));
    const int wybrane[] = {0, 1, 1, 0, 0};
    const int poprawne[] = {0, 1, 0, 0, 1};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(uczen.Pytania[60][k].Wybrana, wybrane[k - 1]) << k;
        EXPECT_EQ(uczen.Pytania[60][k].Poprawna, poprawne[k - 1]) << k;
    }
    // Question numbers outside the records are refused, not written.
    EXPECT_FALSE(ZapiszOdpowiedz(uczen, 61, QStringLiteral("1"), QStringLiteral("1")));
    EXPECT_FALSE(ZapiszOdpowiedz(uczen, 0, QStringLiteral("1"), QStringLiteral("1")));
    EXPECT_FALSE(PoprawnaOdpowiedz(uczen, 61));
}

TEST(Punktacja, ProcentIOcenaUcznia) {
    auto analiza = Klasa(8);
    OdpowiedzBig uczen;
    uczen.Poprawnych = 3;
    OcenUcznia(analiza->Test, uczen);
    EXPECT_EQ(uczen.Procent, 38);
    EXPECT_EQ(uczen.Ocena, QLatin1String("Dp"));
    uczen.Poprawnych = 4; // 50 %
    OcenUcznia(analiza->Test, uczen);
    EXPECT_EQ(uczen.Procent, 50);
    EXPECT_EQ(uczen.Ocena, QLatin1String("Db"));
}

TEST(NazwaUcznia, KolejnoscWedlugUstawienia) {
    OdpowiedzBig uczen;
    uczen.Nazwisko = QStringLiteral("Kowalski");
    uczen.Imie = QStringLiteral("Jan");
    EXPECT_EQ(NazwaUcznia(uczen, false), QLatin1String("Kowalski Jan"));
    EXPECT_EQ(NazwaUcznia(uczen, true), QLatin1String("Jan Kowalski"));
}

TEST(SortujUczniow, PolskaKolejnoscBezWzgleduNaWielkoscLiter) {
    auto analiza = Klasa();
    const std::vector<std::pair<const char*, const char*>> wczytani = {
        {"Żak", "Ola"},         {"Zając", "Piotr"},   {"Źrebiec", "Ala"},      {"Mazur", "Ewa"},
        {"łukasiewicz", "Jan"}, {"Lis", "Adam"},      {"Śliwa", "Ula"},        {"Sowa", "Iga"},
        {"Tomczak", "Ewa"},     {"Ćwik", "Jan"},      {"Cygan", "Ewa"},        {"Dudek", "Jan"},
        {"Nowak", "Anna"},      {"Nowaka", "Bartek"}, {"ŁUKASIEWICZ", "Adam"},
    };
    for (std::size_t i = 0; i < wczytani.size(); ++i)
        Dodaj(*analiza, QString::fromUtf8(wczytani[i].first), QString::fromUtf8(wczytani[i].second),
              static_cast<qint32>(i));

    SortujUczniow(*analiza);

    // Surname and first name are joined without a separator: NowakaBartek before NowakAnna.
    const std::vector<const char*> oczekiwani = {
        "Cygan Ewa",       "Ćwik Jan",    "Dudek Jan",     "Lis Adam",    "ŁUKASIEWICZ Adam",
        "łukasiewicz Jan", "Mazur Ewa",   "Nowaka Bartek", "Nowak Anna",  "Sowa Iga",
        "Śliwa Ula",       "Tomczak Ewa", "Zając Piotr",   "Źrebiec Ala", "Żak Ola"};
    ASSERT_EQ(analiza->IloscUczniow, static_cast<int>(oczekiwani.size()));
    for (int s = 1; s <= analiza->IloscUczniow; ++s)
        EXPECT_EQ(NazwaUcznia(analiza->Uczniowie[s], false), QString::fromUtf8(oczekiwani[s - 1]))
            << s;
}

TEST(SortujUczniow, RowneNazwiskaZachowujaKolejnoscIRekordyPrzenosiSieCale) {
    auto analiza = Klasa();
    // Equal keys, whatever the letter case, keep the reading order (told apart by their points).
    Dodaj(*analiza, QStringLiteral("Wrona"), QStringLiteral("Ewa"), 1);
    Dodaj(*analiza, QStringLiteral("kowalski"), QStringLiteral("jan"), 2);
    Dodaj(*analiza, QStringLiteral("Kowalski"), QStringLiteral("Jan"), 3);
    Dodaj(*analiza, QStringLiteral("KOWALSKI"), QStringLiteral("JAN"), 4);
    Dodaj(*analiza, QStringLiteral("Kowalski"), QStringLiteral("Jan"), 5);
    OdpowiedzBig& wrona = analiza->Uczniowie[1];
    wrona.Start = 0.25;
    wrona.Ocena = QStringLiteral("Bdb");
    ZapiszOdpowiedz(wrona, 3, QStringLiteral("00100"), QStringLiteral("00100"));

    SortujUczniow(*analiza);

    for (int s = 1; s <= 4; ++s)
        EXPECT_EQ(analiza->Uczniowie[s].Poprawnych, s + 1) << s;
    const OdpowiedzBig& ostatni = analiza->Uczniowie[5];
    EXPECT_EQ(ostatni.Nazwisko, QLatin1String("Wrona"));
    EXPECT_EQ(ostatni.Poprawnych, 1);
    EXPECT_EQ(ostatni.Start, 0.25);
    EXPECT_EQ(ostatni.Ocena, QLatin1String("Bdb"));
    EXPECT_EQ(ostatni.Pytania[3][3].Wybrana, 1);
    EXPECT_EQ(ostatni.Pytania[3][3].Poprawna, 1);
}

TEST(SortujUczniow, PustaIJednoosobowaKlasa) {
    auto analiza = Klasa();
    analiza->Uczniowie[1].Nazwisko = QStringLiteral("Zeta"); // stale slot beyond IloscUczniow
    analiza->Uczniowie[2].Nazwisko = QStringLiteral("Alfa");
    SortujUczniow(*analiza);
    EXPECT_EQ(analiza->Uczniowie[1].Nazwisko, QLatin1String("Zeta"));
    analiza->IloscUczniow = 1;
    SortujUczniow(*analiza);
    EXPECT_EQ(analiza->Uczniowie[1].Nazwisko, QLatin1String("Zeta"));
}

TEST(PodsumujKlase, SumyProcentOcenaISredniaOcen) {
    struct Przypadek {
        std::vector<const char*> oceny;
        double srednia;
    } przypadki[] = {
        {{"Db", "Db", "Bdb", "Bdb"}, 4.5},
        // grade values summing to 33 over 8 students: 4.125 becomes 4.12
        {{"Cel", "Cel", "Cel", "Bdb", "Db", "Dst", "Dp", "Ndst"}, 4.12},
        // 35 over 8: 4.375 becomes 4.38; 31 over 8: 3.875 becomes 3.88
        {{"Cel", "Cel", "Cel", "Bdb", "Db", "Dst", "Dst", "Dp"}, 4.38},
        {{"Cel", "Cel", "Cel", "Bdb", "Dst", "Dp", "Dp", "Ndst"}, 3.88},
        {{"Dst", "Dst", "Dp"}, 2.67},
        {{"Cel"}, 6},
        // an unknown grade text counts as Ndst
        {{"Dop", "Db"}, 2.5},
    };
    for (const auto& p : przypadki) {
        auto analiza = Klasa();
        for (const char* ocena : p.oceny)
            Dodaj(*analiza, QStringLiteral("X"), QStringLiteral("Y"), 0, QLatin1String(ocena));
        PodsumujKlase(*analiza);
        EXPECT_DOUBLE_EQ(analiza->Test.SredniaOcen, p.srednia) << p.oceny.size();
        int razem = 0;
        for (const qint32 liczba : analiza->Test.LiczbaOcen)
            razem += liczba;
        EXPECT_EQ(razem, static_cast<int>(p.oceny.size()));
    }

    auto analiza = Klasa(8);
    Dodaj(*analiza, QStringLiteral("A"), QStringLiteral("A"), 1, QStringLiteral("Ndst"));
    Dodaj(*analiza, QStringLiteral("B"), QStringLiteral("B"), 0, QStringLiteral("Ndst"));
    Dodaj(*analiza, QStringLiteral("C"), QStringLiteral("C"), 8, QStringLiteral("Cel"));
    Dodaj(*analiza, QStringLiteral("D"), QStringLiteral("D"), 7, QStringLiteral("Dop"));
    PodsumujKlase(*analiza);
    EXPECT_EQ(analiza->Test.SumaPoprawnych, 16);
    EXPECT_EQ(analiza->Test.ProcentKlasy, 50); // 16 of 32
    EXPECT_EQ(analiza->Test.OcenaKlasy, QLatin1String("Db"));
    const int liczby[] = {1, 0, 0, 0, 0, 3};
    for (int stopien = 1; stopien <= LiczbaStopni; ++stopien)
        EXPECT_EQ(analiza->Test.LiczbaOcen[stopien], liczby[stopien - 1]) << stopien;

    // 1 correct of 8 questions for the whole class: 12.5 % becomes 12.
    auto jeden = Klasa(8);
    Dodaj(*jeden, QStringLiteral("A"), QStringLiteral("A"), 1, QStringLiteral("Ndst"));
    PodsumujKlase(*jeden);
    EXPECT_EQ(jeden->Test.ProcentKlasy, 12);
}

TEST(PodsumujKlase, BezUczniowZeruje) {
    auto analiza = Klasa();
    analiza->Test.LiczbaOcen[1] = 7;
    analiza->Test.SredniaOcen = 3.5;
    analiza->Uczniowie[1].Poprawnych = 9; // stale slot
    PodsumujKlase(*analiza);
    EXPECT_EQ(analiza->Test.SumaPoprawnych, 0);
    EXPECT_EQ(analiza->Test.ProcentKlasy, 0);
    EXPECT_EQ(analiza->Test.SredniaOcen, 0);
    for (const qint32 liczba : analiza->Test.LiczbaOcen)
        EXPECT_EQ(liczba, 0);
}
