// SPDX-License-Identifier: GPL-3.0-or-later
// The test list tree: entry lines, hostile lines, opening and closing groups, picking by row,
// scrolling, and the path of a picked test.
#include "formats/drzewo_testow.h"

#include "support/pliki_testowe.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// Captions of the rows in order.
QStringList Wiersze(const DrzewoTestow& d) {
    QStringList w;
    for (int r = 0; r < d.IloscWierszy(); ++r)
        w.append(d.Wpisy()[d.WpisWWierszu(r)].Opis);
    return w;
}

// Biologia (Rośliny (Liście, Korzenie), Zwierzęta), Chemia
QStringList PrzykladowaLista() {
    return WierszeWpisow(
        WpisyDrzewa({{"Biologia",
                      "",
                      {{"Rośliny", "", {{"Liście", "\\lis.skt"}, {"Korzenie", "\\kor.skt"}}},
                       {"Zwierzęta", "\\zw.skt"}}},
                     {"Chemia", "\\chem.skt"}}));
}

} // namespace

TEST(CzytajWpis, PolaWiersza) {
    const auto w = CzytajWpis(u"7*0*3*0*1*4*Klasa 2a*\\k2a.skt*");
    ASSERT_TRUE(w);
    EXPECT_EQ(*w, (Wpis{.Id = 7,
                        .Poziom = 0,
                        .Potomkow = 3,
                        .Rodzic = 0,
                        .Opis = "Klasa 2a",
                        .Plik = "\\k2a.skt",
                        .Widoczny = 1,
                        .Stan = 4}));

    // "@*" is a star inside the field and the "@" stays
    const auto gwiazdka = CzytajWpis(u"1*0*0*0*1*0*Ocena 5@* i 4@**t.skt*");
    ASSERT_TRUE(gwiazdka);
    EXPECT_EQ(gwiazdka->Opis, "Ocena 5@* i 4@*");
    EXPECT_EQ(gwiazdka->Plik, "t.skt");

    // deeper entries start hidden whatever the line says; state 2 is read as 0
    const auto gleboki = CzytajWpis(u"2*1*0*1*1*2*Test**");
    ASSERT_TRUE(gleboki);
    EXPECT_EQ(gleboki->Widoczny, 0);
    EXPECT_EQ(gleboki->Stan, StanNormalny);
    EXPECT_TRUE(gleboki->Plik.isEmpty());

    // text after the eighth field is ignored; blanks around numbers and signs are read
    const auto reszta = CzytajWpis(u" 3 *-1*+2*0*0*3*A*B*C*D*");
    ASSERT_TRUE(reszta);
    EXPECT_EQ(reszta->Id, 3);
    EXPECT_EQ(reszta->Poziom, -1);
    EXPECT_EQ(reszta->Widoczny, 0);
    EXPECT_EQ(reszta->Plik, "B");
}

TEST(CzytajWpis, WierszeBezLiczbLubPolSaOdrzucane) {
    const char16_t* zle[] = {
        u"",                           // nothing at all
        u"1*0*0*0*1*0",                // the state has no closing star: empty
        u"1*0*0*0*1*",                 // the state is missing
        u"a*0*0*0*1*0*A*B*",           // not a number
        u"1*0*0*0*1*0x1*A*B*",         // not a decimal number
        u"1*0*0*0**0*A*B*",            // empty shown flag
        u"1*0*99999999999*0*1*0*A*B*", // beyond 32 bits
        u"1*0*0*0*1*1.5*A*B*",         // not a whole number
        u"1@*0*0*0*1*0*A*B*",          // the star after "@" does not end the id
    };
    for (const char16_t* w : zle)
        EXPECT_FALSE(CzytajWpis(QStringView(w))) << QString::fromUtf16(w).toStdString();

    // the caption and the file name may be missing
    const auto krotki = CzytajWpis(u"1*0*0*0*1*0*Grupa");
    ASSERT_TRUE(krotki);
    EXPECT_TRUE(krotki->Opis.isEmpty());
    EXPECT_TRUE(krotki->Plik.isEmpty());
}

TEST(DrzewoTestow, BudowaWybieraPierwszyWpis) {
    DrzewoTestow d;
    ASSERT_TRUE(d.Zbuduj(PrzykladowaLista()));
    EXPECT_EQ(d.Wpisy().size(), 6);
    EXPECT_EQ(d.Wybrany(), 0);
    EXPECT_EQ(d.Wpisy()[0].Stan, StanWybrany);
    EXPECT_EQ(Wiersze(d), (QStringList{"Biologia", "Chemia"}));
    EXPECT_TRUE(d.Grupa(0));
    EXPECT_FALSE(d.Otwarta(0));
    EXPECT_FALSE(d.Grupa(5));

    // one bad line refuses the whole list and leaves nothing of the old tree
    QStringList zle = PrzykladowaLista();
    zle.insert(3, "x*1*0*1*0*0*Zepsuty**");
    EXPECT_FALSE(d.Zbuduj(zle));
    EXPECT_TRUE(d.Wpisy().isEmpty());
    EXPECT_EQ(d.Wybrany(), -1);
    EXPECT_EQ(d.IloscWierszy(), 0);

    // an empty list is an empty tree with nothing picked
    EXPECT_TRUE(d.Zbuduj({}));
    EXPECT_EQ(d.Wybrany(), -1);
    EXPECT_EQ(d.WybierzWiersz(0), -1);
    EXPECT_FALSE(d.PrzelaczWybrana());
}

TEST(DrzewoTestow, OtwieranieIZamykanieGrup) {
    DrzewoTestow d;
    ASSERT_TRUE(d.Zbuduj(PrzykladowaLista()));
    // opening shows one level
    EXPECT_TRUE(d.PrzelaczWybrana());
    EXPECT_EQ(Wiersze(d), (QStringList{"Biologia", "Rośliny", "Zwierzęta", "Chemia"}));
    EXPECT_TRUE(d.Otwarta(0));
    EXPECT_FALSE(d.Otwarta(1));

    ASSERT_EQ(d.WybierzWiersz(1), 1);
    EXPECT_TRUE(d.PrzelaczWybrana());
    EXPECT_EQ(Wiersze(d),
              (QStringList{"Biologia", "Rośliny", "Liście", "Korzenie", "Zwierzęta", "Chemia"}));

    // closing the top group hides all its levels at once; opening it again shows one level
    ASSERT_EQ(d.WybierzWiersz(0), 0);
    EXPECT_TRUE(d.PrzelaczWybrana());
    EXPECT_EQ(Wiersze(d), (QStringList{"Biologia", "Chemia"}));
    EXPECT_TRUE(d.PrzelaczWybrana());
    EXPECT_EQ(Wiersze(d), (QStringList{"Biologia", "Rośliny", "Zwierzęta", "Chemia"}));

    // a test is no group: a double click changes nothing
    ASSERT_EQ(d.WybierzWiersz(3), 5);
    EXPECT_FALSE(d.PrzelaczWybrana());
}

TEST(DrzewoTestow, WybieranieWierszy) {
    DrzewoTestow d;
    ASSERT_TRUE(d.Zbuduj(PrzykladowaLista()));
    d.PrzelaczWybrana();

    // rows from the height: the first five pixels belong to the first row
    const struct {
        int y, wiersz;
    } wysokosci[] = {{0, 0}, {4, 0}, {5, 0}, {20, 0}, {21, 1}, {36, 1}, {37, 2}, {-30, 0}};
    for (const auto& w : wysokosci)
        EXPECT_EQ(DrzewoTestow::WierszNaWysokosci(w.y), w.wiersz) << w.y;

    EXPECT_EQ(d.WybierzWiersz(2), 4); // Zwierzęta
    EXPECT_EQ(d.Wybrany(), 4);
    EXPECT_EQ(d.Wpisy()[4].Stan, StanWybrany);
    EXPECT_EQ(d.Wpisy()[0].Stan, StanNormalny);
    EXPECT_EQ(d.WybranyWpis()->Opis, "Zwierzęta");

    // below the last row nothing changes
    EXPECT_EQ(d.WybierzWiersz(4), -1);
    EXPECT_EQ(d.WybierzWiersz(-1), -1);
    EXPECT_EQ(d.Wybrany(), 4);
    EXPECT_EQ(d.Wpisy()[4].Stan, StanWybrany);

    // a grey or underlined entry picked and left goes back to the normal state
    QStringList wiersze = PrzykladowaLista();
    wiersze[5] = "6*0*0*0*1*3*Chemia*\\chem.skt*";
    ASSERT_TRUE(d.Zbuduj(wiersze));
    EXPECT_EQ(d.Wpisy()[5].Stan, StanSzary);
    d.WybierzWiersz(1);
    d.WybierzWiersz(0);
    EXPECT_EQ(d.Wpisy()[5].Stan, StanNormalny);
}

TEST(DrzewoTestow, WrogieWiersze) {
    DrzewoTestow d;
    // a group claiming more entries than the list holds, a group that is its own parent, a
    // negative count, a parent nobody has, deep and negative levels
    const QStringList wiersze = {
        "1*0*500*0*1*0*Za dużo**", "2*1*0*1*0*0*Dziecko*\\a.skt*",  "3*0*1*3*1*0*Sam sobie**",
        "4*0*-4*0*1*0*Ujemny**",   "5*7*0*99*0*0*Sierota*\\b.skt*", "6*-3*0*0*1*0*Płytki**",
    };
    ASSERT_TRUE(d.Zbuduj(wiersze));
    EXPECT_EQ(Wiersze(d), (QStringList{"Za dużo", "Sam sobie", "Ujemny", "Płytki"}));
    EXPECT_FALSE(d.Grupa(3));

    d.PrzelaczWybrana(); // opens: shows its child
    EXPECT_EQ(d.IloscWierszy(), 5);
    d.PrzelaczWybrana(); // closes as far as the list goes
    EXPECT_EQ(Wiersze(d), (QStringList{"Za dużo"}));

    // its own parent: the shown entry after it makes it count as open, so it closes; opening
    // shows its children only, never the group itself
    ASSERT_TRUE(d.Zbuduj(wiersze));
    ASSERT_EQ(d.WybierzWiersz(1), 2);
    d.PrzelaczWybrana();
    EXPECT_EQ(Wiersze(d), (QStringList{"Za dużo", "Sam sobie", "Płytki"}));
    d.PrzelaczWybrana();
    EXPECT_EQ(Wiersze(d), (QStringList{"Za dużo", "Sam sobie", "Płytki"}));

    // the last entry as a group: there is no next entry, so it is closed and opens nothing
    ASSERT_TRUE(d.Zbuduj({"1*0*3*0*1*0*Ostatni**"}));
    EXPECT_TRUE(d.Grupa(0));
    EXPECT_FALSE(d.Otwarta(0));
    EXPECT_TRUE(d.PrzelaczWybrana());
    EXPECT_EQ(d.IloscWierszy(), 1);
}

TEST(DrzewoTestow, GlebokieITysiaceWpisow) {
    // a chain of 3000 levels, each group holding everything after it
    constexpr int n = 3000;
    QStringList wiersze;
    for (int i = 0; i < n; ++i)
        wiersze.append(
            QStringLiteral("%1*%2*%3*%4*1*0*Poziom %2**").arg(i + 1).arg(i).arg(n - 1 - i).arg(i));
    DrzewoTestow d;
    ASSERT_TRUE(d.Zbuduj(wiersze));
    EXPECT_EQ(d.IloscWierszy(), 1);
    for (int i = 0; i < n - 1; ++i) { // open level by level
        ASSERT_EQ(d.WybierzWiersz(i), i);
        ASSERT_TRUE(d.PrzelaczWybrana());
    }
    EXPECT_EQ(d.IloscWierszy(), n);
    EXPECT_EQ(d.Listwa(), (ZakresListwy{true, n - 19, 18, 17}));
    d.UstawPozycje(n);
    EXPECT_EQ(d.Pozycja(), n - 19);

    // closing the top closes all 3000 levels, and the position follows the shorter tree
    d.WybierzWiersz(0);
    d.PrzelaczWybrana();
    EXPECT_EQ(d.IloscWierszy(), 1);
    EXPECT_EQ(d.Pozycja(), 0);
    EXPECT_FALSE(d.Listwa().widoczna);

    // thousands of flat entries
    QStringList plaskie;
    for (int i = 0; i < 20000; ++i)
        plaskie.append(QStringLiteral("%1*0*0*0*1*0*Test %1*\\t%1.skt*").arg(i));
    ASSERT_TRUE(d.Zbuduj(plaskie));
    EXPECT_EQ(d.IloscWierszy(), 20000);
    EXPECT_EQ(d.WybierzWiersz(19999), 19999);
    EXPECT_EQ(d.WybranyWpis()->Plik, "\\t19999.skt");
}

TEST(ZakresListwy, ZakresyIKroki) {
    const struct {
        int wierszy, widocznych;
        ZakresListwy zakres;
    } przypadki[] = {
        {0, 20, {}},
        {20, 20, {}},
        {21, 20, {true, 1, 19, 18}},
        {25, 23, {true, 2, 22, 21}},
        {100, 19, {true, 81, 18, 17}},
        {5, 0, {}},
        {5, 2, {true, 3, 1, 1}},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(ZakresListwyListy(p.wierszy, p.widocznych), p.zakres)
            << p.wierszy << " / " << p.widocznych;
}

TEST(SciezkaTestuZListy, FolderListyIPlik) {
    EXPECT_EQ(SciezkaTestuZListy("/dane/listy/lista.skg", "\\testy\\a.skt"),
              QDir::toNativeSeparators("/dane/listy/testy/a.skt"));
    EXPECT_EQ(SciezkaTestuZListy("/dane/listy/lista.skg", "a.skt"),
              QDir::toNativeSeparators("/dane/listy/a.skt"));
    EXPECT_EQ(SciezkaTestuZListy("/dane/listy/lista.skg", "/a.skt"),
              QDir::toNativeSeparators("/dane/listy/a.skt"));
    EXPECT_EQ(SciezkaTestuZListy("lista.skg", "a.skt"), "a.skt");
    EXPECT_EQ(SciezkaTestuZListy("/lista.skg", "a.skt"), QDir::toNativeSeparators("/a.skt"));
}
