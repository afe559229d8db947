// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/czytnik_listy.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString BladSpakowanej =
    QString::fromUtf8("Odczyt listy testów. Błąd wczytania spakowanej zawartości.");

const QStringList Wpisy = WierszeWpisow(WpisyDrzewa(
    {{QString::fromUtf8("Klasa 1"),
      "",
      {{QString::fromUtf8("Ułamki"), "ulamki.skt"}, {"Podgrupa", "", {{"Potęgi@*", "p.skt"}}}}},
     {"Klasa 2", "", {}}}));

class CzytnikListy : public ::testing::Test {
protected:
    SrodowiskoTestowe st;
    Analiza a;
    QStringList wpisy{"stary wpis"};

    void SetUp() override { a.Lista = {"stara", "1999", "stare uwagi"}; }
    bool wczytaj(const PlikListy& plik) {
        EXPECT_TRUE(ZapiszPlikListy(st.sciezka("l.skg"), plik));
        return WczytajListeTestow(st.sciezka("l.skg"), wpisy, a, st.srodowisko);
    }
};

TEST(DrzewoListy, WpisyZOpisuDrzewa) {
    EXPECT_EQ(
        Wpisy,
        (QStringList{QString::fromUtf8("1*0*3*0*1*0*Klasa 1**"),
                     QString::fromUtf8("2*1*0*1*0*0*Ułamki*ulamki.skt*"), "3*1*1*1*0*0*Podgrupa**",
                     QString::fromUtf8("4*2*0*3*0*0*Potęgi@**p.skt*"), "5*0*0*0*1*0*Klasa 2**"}));
}

class Wersja40WKodowaniu : public CzytnikListy,
                           public ::testing::WithParamInterface<std::pair<KodowanieXml, bool>> {};

TEST_P(Wersja40WKodowaniu, CzytaNaglowekIWpisy) {
    EXPECT_TRUE(wczytaj({.nazwa = QString::fromUtf8("Testy z matematyki"),
                         .data = "2024-09-01",
                         .uwagi = "<uwagi>",
                         .wpisy = Wpisy,
                         .kodowanie = GetParam().first,
                         .utf16 = GetParam().second}));
    EXPECT_EQ(wpisy, Wpisy);
    EXPECT_EQ(a.Lista.Nazwa, QString::fromUtf8("Testy z matematyki"));
    EXPECT_EQ(a.Lista.Data, "2024-09-01");
    EXPECT_EQ(a.Lista.Uwagi, "<uwagi>");
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kodowania, Wersja40WKodowaniu,
                         ::testing::Values(std::pair{KodowanieXml::Tekst, false},
                                           std::pair{KodowanieXml::Base64, false},
                                           std::pair{KodowanieXml::Base64, true}));

TEST_F(CzytnikListy, Wersja35CzytaWpisyBezNaglowka) {
    EXPECT_TRUE(wczytaj({.nazwa = "nieczytana", .wpisy = Wpisy, .wersja = Wersja::Txp35}));
    EXPECT_EQ(wpisy, Wpisy);
    EXPECT_EQ(a.Lista.Nazwa, "");
    EXPECT_EQ(a.Lista.Data, "0");
    EXPECT_EQ(a.Lista.Uwagi, "");
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
    // A list of its first line alone has no entries.
    EXPECT_TRUE(wczytaj({.wpisy = {}, .wersja = Wersja::Txp35}));
    EXPECT_EQ(wpisy, QStringList{});
}

TEST_F(CzytnikListy, Wersja35ZWszystkimiKoncamiWierszy) {
    for (const QByteArray& koniec : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const QByteArray tekst = TekstTxp(WierszeListyTxp(Wpisy), TabelaTxp::Lista, koniec);
        EXPECT_TRUE(wczytaj({.czlony = {Czlon("Selt0.TXP", tekst)}}));
        EXPECT_EQ(wpisy, Wpisy);
    }
}

TEST_F(CzytnikListy, ObaDokumentyToWersja35) {
    PlikListy plik{.wpisy = {"z txp"}, .wersja = Wersja::Txp35};
    plik.czlony = {DokumentListy({.wpisy = {"z xml"}})};
    EXPECT_TRUE(wczytaj(plik));
    EXPECT_EQ(wpisy, QStringList{"z txp"});
}

TEST_F(CzytnikListy, LiczbaWpisowDecyduje) {
    const QStringList trzy = {"a*", "b*", "c*"};
    struct Przypadek {
        const char* opis;
        PlikListy plik;
        QStringList wynik;
    } przypadki[] = {
        {"mniej", {.wpisy = trzy, .ilw = 2}, {"a*", "b*"}},
        {"wiecej", {.wpisy = trzy, .ilw = 5}, {"a*", "b*", "c*", "", ""}},
        {"ujemna", {.wpisy = trzy, .ilw = -4}, {}},
        {"bez ilw", {.wpisy = trzy, .pominiete = {"lst/ilw"}}, {}},
        {"ilw nie liczba", {.wpisy = trzy, .zmiany = {{"lst/ilw", "3a"}}}, {}},
        {"brak srodkowego", {.wpisy = trzy, .pominiete = {"lst/dx1"}}, {"a*", "", "c*"}},
        {"wielkie litery", {.wpisy = {}, .zmiany = {{"LST/ILW", "1"}, {"LST/DX0", "x*"}}}, {"x*"}},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        EXPECT_TRUE(wczytaj(p.plik));
        EXPECT_EQ(wpisy, p.wynik);
    }
}

TEST_F(CzytnikListy, KlamliwaLiczbaWpisowNieZapelniaPamieci) {
    QElapsedTimer czas;
    czas.start();
    EXPECT_TRUE(wczytaj({.wpisy = {"a*"}, .ilw = 2147483647}));
    // Only the entries the document could hold: every one beyond it is an empty line anyway.
    const QByteArray dokument = DokumentListy({.wpisy = {"a*"}, .ilw = 2147483647}).dane;
    EXPECT_EQ(wpisy.size(), dokument.size());
    EXPECT_EQ(wpisy.first(), "a*");
    EXPECT_EQ(wpisy.last(), "");
    EXPECT_LT(czas.elapsed(), 5000);
}

TEST_F(CzytnikListy, PlikNieDoOdczytania) {
    const QByteArray dokument = DokumentListy({.wpisy = Wpisy}).dane;
    const QList<QPair<const char*, QByteArray>> pliki = {
        {"nie istnieje", QByteArray()},
        {"nie kontener", dokument},
        {"bez dokumentu", ZbudujPak({Czlon("Serr0.xml", dokument)})},
        {"zla magia", ZbudujPak({Czlon("Selt0.xml", dokument)}, {.magia = "PAKC"})},
        // Listed, but its data lies outside the file.
        {"dokument poza plikiem", ZbudujPak({CzlonPak{"Selt0.xml", dokument, {}, 0x7FFFFFFF}})},
    };
    for (const auto& [opis, bajty] : pliki) {
        SCOPED_TRACE(opis);
        st.wyczysc();
        wpisy = QStringList{"stary wpis"};
        QFile::remove(st.sciezka("l.skg"));
        if (!bajty.isNull()) {
            ASSERT_TRUE(ZapiszBajty(st.sciezka("l.skg"), bajty));
        }
        EXPECT_FALSE(WczytajListeTestow(st.sciezka("l.skg"), wpisy, a, st.srodowisko));
        EXPECT_EQ(st.dziennik(), QStringList{BladSpakowanej});
        EXPECT_TRUE(st.komunikaty.isEmpty());
    }
    // The empty path (no list chosen yet) is a missing file.
    st.wyczysc();
    EXPECT_FALSE(WczytajListeTestow(QString(), wpisy, a, st.srodowisko));
    EXPECT_EQ(st.dziennik(), QStringList{BladSpakowanej});
}

TEST_F(CzytnikListy, UszkodzonaWersja35) {
    EXPECT_FALSE(wczytaj({.czlony = {CzlonPak{"Selt0.txp", "abc", 1 << 20, {}}}}));
    EXPECT_EQ(st.dziennik(),
              QStringList{QString::fromUtf8("Odczyt listy testów. Ver 35. Błąd odczytu.")});
    EXPECT_EQ(
        st.komunikaty,
        (QList<Komunikat>{
            {1, 1,
             QString::fromUtf8("Błąd odczytu listy.\rPrawdopodobnie lista jest uszkodzona.")}}));
    EXPECT_EQ(wpisy, QStringList{});
    EXPECT_EQ(a.Lista.Data, "0");
}

TEST_F(CzytnikListy, DokumentNieXmlDajePustaListe) {
    for (const QByteArray& tresc :
         {QByteArray(), QByteArray("\0\0\0", 3), QByteArray("<lst>x</a>")}) {
        EXPECT_TRUE(wczytaj({.czlony = {Czlon("Selt0.xml", tresc)}}));
        EXPECT_EQ(wpisy, QStringList{});
        EXPECT_EQ(a.Lista.Data, "");
    }
    // A document cut short keeps what was read before the cut.
    EXPECT_TRUE(wczytaj({.czlony = {Czlon("Selt0.xml", "<lst><ilw>2</ilw><dx0>a*")}}));
    EXPECT_EQ(wpisy, (QStringList{"a*", ""}));
}

} // namespace
