// SPDX-License-Identifier: GPL-3.0-or-later
// The three tables as grids: every cell's text and look, the sizes, the paging of the results
// table and its arrows, and that every build starts from a clean grid.

#include "tables/tabele.h"
#include "tables/komorki.h"

#include "analysis/czas_pracy.h"
#include "core/lokalizacja.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

using namespace testy;
constexpr auto L = RodzajWyrownania::DoLewej;
constexpr auto C = RodzajWyrownania::DoSrodka;
constexpr bool B = true;
constexpr bool N = false;

void SprawdzWiersz(const Tabela& t, int wiersz, const QList<Komorka>& oczekiwane) {
    ASSERT_EQ(t.IloscKolumn(), oczekiwane.size()) << "wiersz " << wiersz;
    for (int k = 0; k < t.IloscKolumn(); ++k)
        EXPECT_EQ(t.komorka(wiersz, k), oczekiwane[k]) << "wiersz " << wiersz << " kolumna " << k;
}

QStringList Naglowki(const Tabela& t) {
    QStringList wynik;
    for (int k = 0; k < t.IloscKolumn(); ++k)
        wynik << t.komorka(0, k).Tekst;
    return wynik;
}

// Five students, two questions: the fifth row is striped, question 1 was answered correctly by
// everybody ("M"), question 2 by two of five (40 %).
class TabelaWynikowTest : public ::testing::Test {
protected:
    Analiza a;
    void SetUp() override {
        Klasa(a, QStringLiteral("Ułamki"), 2);
        Uczen(a, QStringLiteral("Adamska"), QStringLiteral("Ala"), QStringLiteral("11"));
        Uczen(a, QStringLiteral("Bąk"), QStringLiteral("Bartosz"), QStringLiteral("10"));
        Uczen(a, QStringLiteral("Cichy"), QStringLiteral("Cezary"), QStringLiteral("10"));
        Uczen(a, QStringLiteral("Dudek"), QStringLiteral("Dorota"), QStringLiteral("11"));
        Uczen(a, QStringLiteral("Ełk"), QStringLiteral("Ewa"), QStringLiteral("10"));
        Podsumuj(a);
    }
};

TEST_F(TabelaWynikowTest, EveryCellHasItsTextAndLook) {
    const Tabela t = BudujTabeleWynikow(a, 1, false);
    ASSERT_EQ(t.IloscWierszy(), 8);
    EXPECT_EQ(t.SzerokosciKolumn(), (QList<int>{120, 18, 18, 50, 50}));
    EXPECT_EQ(t.Szerokosc(), 121 + 2 * 19 + 102);
    EXPECT_EQ(t.Wysokosc(), 8 * 17 + 3);

    const Kolor H1 = KolorNaglowkaPierwszy, H2 = KolorNaglowkaDalszy, W = KolorBialy;
    const Kolor P = KolorPaska, Y = KolorSumy, G = KolorSredniej;
    const Kolor czarny = KolorCzarny, czerwony = KolorCzerwony;
    SprawdzWiersz(t, 0,
                  {K("Nazwisko i imię", H1, W, N, C), K("1", H1, W, N, C), K("2", H2, W, N, C),
                   K("Suma", H2, W, N, C), K("Ocena", H2, W, N, C)});
    SprawdzWiersz(t, 1,
                  {K("Adamska Ala", W), K("1", W, czarny, N, C), K("1", W, czarny, N, C),
                   K("2", W, czerwony, B, C), K("Cel", W, czarny, B, C)});
    SprawdzWiersz(t, 2,
                  {K("Bąk Bartosz", W), K("1", W, czarny, N, C), K("0", W, czerwony, N, C),
                   K("1", W, czerwony, B, C), K("Db", W, czarny, B, C)});
    SprawdzWiersz(t, 5,
                  {K("Ełk Ewa", P), K("1", P, czarny, N, C), K("0", P, czerwony, N, C),
                   K("1", P, czerwony, B, C), K("Db", P, czarny, B, C)});
    SprawdzWiersz(t, 6,
                  {K("Suma", Y, czarny, B, L), K("5", Y, KolorGranatowy, B, C),
                   K("2", Y, KolorGranatowy, B, C), K("7", Y, czerwony, B, C), K("", Y)});
    SprawdzWiersz(t, 7,
                  {K("Średnia (%)", G, czarny, B, L), K("M", G, KolorZielony, B, C),
                   K("40", G, KolorZielony, B, C), K("70", G, czerwony, B, C),
                   K("Db", G, czerwony, B, C)});
}

TEST_F(TabelaWynikowTest, FirstNameFirstChangesOnlyTheDisplay) {
    const Tabela t = BudujTabeleWynikow(a, 1, true);
    EXPECT_EQ(t.komorka(1, 0).Tekst, QStringLiteral("Ala Adamska"));
    EXPECT_EQ(t.komorka(5, 0).Tekst, QStringLiteral("Ewa Ełk"));
}

// Paging: the questions of each page, the page's size and the two arrows.
struct Strona {
    int iloscPytan;
    int strona;
    int pierwsze;
    int ile;
    bool wstecz;
    bool naprzod;
};

class StronyTest : public ::testing::TestWithParam<Strona> {};

TEST_P(StronyTest, PageShowsItsQuestionsAndOffersItsArrows) {
    const Strona s = GetParam();
    Analiza a;
    Klasa(a, QStringLiteral("T"), s.iloscPytan);
    Uczen(a, QStringLiteral("Nowak"), QStringLiteral("Anna"), QString(s.iloscPytan, '1'));
    Podsumuj(a);

    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    for (int p = 1; p < s.strona; ++p)
        ASSERT_TRUE(ZmienStrone(stan, a, +1, false));

    EXPECT_EQ(stan.Strona, s.strona);
    EXPECT_EQ(stan.PierwszePytanie, s.pierwsze);
    EXPECT_EQ(stan.OstatniePytanie, s.pierwsze + s.ile - 1);
    EXPECT_EQ(stan.StrzalkaWstecz, s.wstecz);
    EXPECT_EQ(stan.StrzalkaNaprzod, s.naprzod);
    QStringList naglowki{QStringLiteral("Nazwisko i imię")};
    for (int q = s.pierwsze; q < s.pierwsze + s.ile; ++q)
        naglowki << QString::number(q);
    naglowki << QStringLiteral("Suma") << QStringLiteral("Ocena");
    EXPECT_EQ(Naglowki(stan.Siatka), naglowki);
    EXPECT_EQ(stan.Siatka.Szerokosc(), 121 + 19 * s.ile + 102);
    // Every question was answered correctly: "M" on every page.
    for (int k = 1; k <= s.ile; ++k)
        EXPECT_EQ(stan.Siatka.komorka(3, k).Tekst, QStringLiteral("M"));

    // An arrow that is not offered does not move the page.
    if (!s.naprzod) {
        EXPECT_FALSE(ZmienStrone(stan, a, +1, false));
    }
    if (!s.wstecz) {
        EXPECT_FALSE(ZmienStrone(stan, a, -1, false));
    }
    EXPECT_EQ(stan.Strona, s.strona);
}

INSTANTIATE_TEST_SUITE_P(
    Tabele, StronyTest,
    ::testing::Values(Strona{16, 1, 1, 15, false, true}, Strona{16, 2, 16, 1, true, false},
                      Strona{15, 1, 1, 15, false, false}, Strona{30, 2, 16, 15, true, false},
                      Strona{60, 3, 31, 15, true, true}, Strona{60, 4, 46, 15, true, false},
                      Strona{1, 1, 1, 1, false, false}));

TEST(Strony, PageBackRebuildsAndOpeningStartsAtPageOne) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 20);
    Uczen(a, QStringLiteral("Nowak"), QStringLiteral("Anna"), QStringLiteral("0000000000000001"));
    Podsumuj(a);

    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    ASSERT_TRUE(ZmienStrone(stan, a, +1, false));
    EXPECT_EQ(stan.Siatka.komorka(1, 1).Tekst, QStringLiteral("1")); // question 16
    ASSERT_TRUE(ZmienStrone(stan, a, -1, false));
    EXPECT_EQ(stan.Strona, 1);
    EXPECT_EQ(stan.Siatka.komorka(1, 1).Tekst, QStringLiteral("0")); // question 1

    ASSERT_TRUE(ZmienStrone(stan, a, +1, false));
    OtworzTabele(stan, a, RodzajTabeli::Ocen, false);
    EXPECT_EQ(stan.Strona, 2) << "the page keeps its value while another table is shown";
    EXPECT_FALSE(ZmienStrone(stan, a, -1, false)) << "no paging outside the results table";
    EXPECT_FALSE(stan.StrzalkaWstecz);
    EXPECT_FALSE(stan.StrzalkaNaprzod);
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    EXPECT_EQ(stan.Strona, 1);
    EXPECT_EQ(stan.PierwszePytanie, 1);
}

TEST_F(TabelaWynikowTest, NoCellKeepsTheLookOfTheTableBefore) {
    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Czasu, false);
    // The time table's mean row label sits where the results table's sum label goes.
    ASSERT_EQ(stan.Siatka.komorka(6, 0).KolorCzcionki, KolorCzerwony);
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    EXPECT_EQ(stan.Siatka.komorka(6, 0),
              K("Suma", KolorSumy, KolorCzarny, true, RodzajWyrownania::DoLewej));

    const Tabela swieza = BudujTabeleWynikow(a, 1, false);
    ASSERT_EQ(stan.Siatka.IloscWierszy(), swieza.IloscWierszy());
    ASSERT_EQ(stan.Siatka.IloscKolumn(), swieza.IloscKolumn());
    for (int w = 0; w < swieza.IloscWierszy(); ++w)
        for (int k = 0; k < swieza.IloscKolumn(); ++k)
            EXPECT_EQ(stan.Siatka.komorka(w, k), swieza.komorka(w, k));
}

TEST(TabelaCzasu, CellsAndTheStoredMean) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 1);
    Uczen(a, QStringLiteral("Nowak"), QStringLiteral("Anna"), QStringLiteral("1"), QTime(10, 0),
          QTime(10, 42, 30), QTime(10, 42, 31));
    Uczen(a, QStringLiteral("Lis"), QStringLiteral("Ola"), QStringLiteral("1"), QTime(10, 0),
          QTime(11, 0), QTime(11, 0, 5));
    // An end before the start: a negative time, written as its magnitude; it lowers the mean.
    Uczen(a, QStringLiteral("Zając"), QStringLiteral("Jan"), QStringLiteral("0"), QTime(23, 50),
          QTime(0, 10), QTime(0, 11));
    Podsumuj(a);
    a.Test.SredniCzasPracy = 0.9;

    const Tabela t = BudujTabeleCzasu(a, false);
    ASSERT_EQ(t.IloscWierszy(), 5);
    EXPECT_EQ(t.SzerokosciKolumn(), (QList<int>{120, 80, 80, 80, 80}));
    EXPECT_EQ(t.Szerokosc(), 445);
    EXPECT_EQ(t.Wysokosc(), 3 * 17 + 37);
    // (42.5 + 60 + 20) / 3 minutes
    EXPECT_EQ(MilisekundyCzasu(a.Test.SredniCzasPracy), -(7 * 3600 + 19 * 60 + 10) * 1000);

    const Kolor H1 = KolorNaglowkaPierwszy, H2 = KolorNaglowkaDalszy, W = KolorBialy;
    const Kolor Y = KolorSumy;
    SprawdzWiersz(t, 0,
                  {K("Nazwisko i imię", H1, W, N, C), K("Początek", H1, W, N, C),
                   K("Koniec", H2, W, N, C), K("Czas zapisu", H2, W, N, C),
                   K("Czas pracy", H2, W, N, C)});
    SprawdzWiersz(t, 1,
                  {K("Nowak Anna", W), K("10:00:00", W, KolorCzarny, N, C),
                   K("10:42:30", W, KolorCzarny, N, C), K("10:42:31", W, KolorCzarny, N, C),
                   K("42 min 30 s", W, KolorZielony, B, C)});
    EXPECT_EQ(t.komorka(2, 4).Tekst, QStringLiteral("1 godz. "));
    EXPECT_EQ(t.komorka(3, 4).Tekst, QStringLiteral("23 godz. 40 min "));
    SprawdzWiersz(t, 4,
                  {K("Średni (min)", Y, KolorCzerwony, B, C), K("", Y), K("", Y), K("", Y),
                   K("7 godz. 19 min 10 s", Y, KolorCzerwony, B, C)});
}

TEST(TabelaCzasu, FifthStudentIsStripedAndTheMeanRowIsNot) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 1);
    for (int i = 0; i < 5; ++i)
        Uczen(a, QStringLiteral("Uczeń"), QString::number(i), QStringLiteral("1"));
    Podsumuj(a);
    const Tabela t = BudujTabeleCzasu(a, false);
    EXPECT_EQ(t.komorka(4, 0).Tlo, KolorBialy);
    EXPECT_EQ(t.komorka(5, 4).Tlo, KolorPaska);
    EXPECT_EQ(t.komorka(6, 0).Tlo, KolorSumy);
}

TEST(TabelaOcen, EightRowsWithDopAndTheMeanGrade) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 2);
    Uczen(a, QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("11"));
    Uczen(a, QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("11"));
    Uczen(a, QStringLiteral("C"), QStringLiteral("c"), QStringLiteral("10"));
    Uczen(a, QStringLiteral("D"), QStringLiteral("d"), QStringLiteral("10"));
    Podsumuj(a);
    ASSERT_DOUBLE_EQ(a.Test.SredniaOcen, 5.0);
    a.Test.SredniaOcen = 4.5;

    const Tabela t = BudujTabeleOcen(a);
    ASSERT_EQ(t.IloscWierszy(), 8);
    EXPECT_EQ(t.SzerokosciKolumn(), (QList<int>{120, 80}));
    EXPECT_EQ(t.Szerokosc(), 202);
    EXPECT_EQ(t.Wysokosc(), 137);
    const Kolor W = KolorBialy;
    SprawdzWiersz(t, 0,
                  {K("Ocena", KolorNaglowkaPierwszy, W, N, C),
                   K("Ilość ocen", KolorNaglowkaPierwszy, W, N, C)});
    const char* etykiety[] = {"Cel", "Bdb", "Db", "Dst", "Dop", "Ndst"};
    const char* liczby[] = {"2", "0", "2", "0", "0", "0"};
    for (int w = 1; w <= 6; ++w)
        SprawdzWiersz(
            t, w,
            {K(etykiety[w - 1], W, KolorCzarny, B, L), K(liczby[w - 1], W, KolorCzarny, B, C)});
    SprawdzWiersz(t, 7,
                  {K("Średnia z ocen", KolorSumy, KolorCzerwony, B, L),
                   K("4,5", KolorSumy, KolorCzerwony, B, C)});
}

TEST(Tabele, AClassWithoutStudentsOrQuestionsBuildsWithoutReadingBeyondTheRecords) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 0);
    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    EXPECT_EQ(stan.Siatka.IloscKolumn(), 3);
    EXPECT_EQ(stan.Siatka.IloscWierszy(), 3);
    EXPECT_FALSE(stan.StrzalkaNaprzod);
    OtworzTabele(stan, a, RodzajTabeli::Czasu, false);
    EXPECT_EQ(stan.Siatka.komorka(1, 4).Tekst, QString());

    // Counts beyond the records' capacity are never read past it.
    a.Test.IloscPytan = 1000;
    a.IloscUczniow = 100000;
    const Tabela t = BudujTabeleWynikow(a, 99, false);
    EXPECT_EQ(t.komorka(0, 1).Tekst, QStringLiteral("46"));
    EXPECT_EQ(t.IloscWierszy(), MaksUczniow + 3);
}

} // namespace
} // namespace sondrel
