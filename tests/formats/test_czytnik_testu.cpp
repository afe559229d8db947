// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/czytnik_testu.h"
#include "formats/pak.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString Uszkodzony =
    QString::fromUtf8("Problemy z otwarciem pliku testu.\rPrawdopodobnie plik jest uszkodzony.");
const QString InnyDziennik = QString::fromUtf8(
    "Otwierany test, jest inny, niż rozwiązywany przez analizowanych użykowników.");
const QString InnyKomunikat =
    InnyDziennik + QString::fromUtf8("\rZostanie wykonana tylko prosta analiza wyników testu.");
const QString NaglowekVer40 =
    QString::fromUtf8("Odczyt. Ver 40. Błąd dekodowania informacji o teście.");
const QString NaglowekVer35 =
    QString::fromUtf8("Odczyt. Ver 35. Błąd dekodowania informacji o teście.");

QString Pytania(const Pytanie& p) {
    QString t = p.Tresc + "|";
    for (const Odpowiedz& o : p.Odpowiedzi)
        t += o.Tresc + (o.Poprawna ? "+" : "-") + "|";
    return t + p.WzorOdpowiedzi + "|" + p.Tekst + "|" + p.Obraz + "|" + p.Komentarz;
}

class CzytnikTestu : public ::testing::Test {
protected:
    SrodowiskoTestowe st;
    Analiza a;

    void SetUp() override {
        // The header of the answer files that PlikTestu's defaults belong to.
        a.Test.NazwaTestu = "Test";
        a.Test.TypTestu = 0;
        a.Test.IloscPytan = 3;
        a.Test.IloscOdpowiedzi = 4;
        a.Test.DataUtworzenia = "stara data";
        a.Test.Uwagi = "stare uwagi";
        // Questions left by an earlier test.
        for (Pytanie& p : a.Pytania) {
            p.Tresc = "stare";
            p.WzorOdpowiedzi = "11111";
        }
    }
    int wczytaj(const PlikTestu& plik) {
        EXPECT_TRUE(ZapiszPlikTestu(st.sciezka("t.skt"), plik));
        return WczytajTest(st.sciezka("t.skt"), a, st.srodowisko);
    }
    void bezKomunikatow() {
        EXPECT_TRUE(st.komunikaty.isEmpty());
        EXPECT_TRUE(st.dziennik().isEmpty());
    }
};

const PlikTestu PelnyTest{
    .nazwaTestu = QString::fromUtf8("Geografia Świata"),
    .typ = 1,
    .iloscOdpowiedzi = 5,
    .pytania = {{.tresc = QString::fromUtf8("Stolica <b>Polski</b>?"),
                 .odpowiedzi = {"Kraków", "Warszawa", "Gdańsk", "Łódź", "Poznań"},
                 .klucz = "01010",
                 .tekst = "opis1.TXT",
                 .obraz = "mapa.JPG",
                 .komentarz = "Warszawa od 1596"},
                {.tresc = "Drugie", .odpowiedzi = {"x"}, .klucz = "1"}},
    .dataUtworzenia = "2024-05-06",
    .uwagi = "Uwagi & notatki",
    .czlony = {Czlon("mapa.JPG", ObrazJpeg(8, 6)), Czlon("opis1.TXT", "tekst")}};

class Wersja40WKodowaniu : public CzytnikTestu,
                           public ::testing::WithParamInterface<std::pair<KodowanieXml, bool>> {};

TEST_P(Wersja40WKodowaniu, CzytaPytaniaDateIUwagi) {
    a.Test.NazwaTestu = QString::fromUtf8("Geografia Świata");
    a.Test.TypTestu = 1;
    a.Test.IloscPytan = 2;
    a.Test.IloscOdpowiedzi = 5;
    PlikTestu plik = PelnyTest;
    plik.kodowanie = GetParam().first;
    plik.utf16 = GetParam().second;
    EXPECT_EQ(wczytaj(plik), TestWczytany);
    EXPECT_EQ(Pytania(a.Pytania[1]),
              QString::fromUtf8("Stolica <b>Polski</b>?|Kraków-|Warszawa+|Gdańsk-|Łódź+|Poznań-|"
                                "01010|opis1.TXT|mapa.JPG|Warszawa od 1596"));
    // A key of one character marks option 1 alone.
    EXPECT_EQ(Pytania(a.Pytania[2]), "Drugie|x+|-|-|-|-|1|||");
    // Questions beyond the test are cleared.
    EXPECT_EQ(Pytania(a.Pytania[3]), "|-|-|-|-|-|0000|||");
    EXPECT_EQ(a.Test.DataUtworzenia, "2024-05-06");
    EXPECT_EQ(a.Test.Uwagi, "Uwagi & notatki");
    // The container stays open for the reports.
    ASSERT_TRUE(a.KontenerTestu);
    EXPECT_TRUE(a.KontenerTestu->IsOpen());
    EXPECT_TRUE(JestWPak("MAPA.jpg", *a.KontenerTestu));
    bezKomunikatow();
}

INSTANTIATE_TEST_SUITE_P(Kodowania, Wersja40WKodowaniu,
                         ::testing::Values(std::pair{KodowanieXml::Tekst, false},
                                           std::pair{KodowanieXml::Base64, false},
                                           std::pair{KodowanieXml::Base64, true}));

TEST_F(CzytnikTestu, Wersja35CzytaCzteryOdpowiedziAPiataJestPoprawna) {
    PlikTestu plik = PelnyTest;
    plik.wersja = Wersja::Txp35;
    plik.nazwaTestu = QString::fromUtf8("Zażółć");
    plik.iloscPytan = 2;
    plik.pytania[0].klucz = "0101";
    plik.pytania[1].klucz = "10";
    a.Test.NazwaTestu = QString::fromUtf8("Zażółć");
    a.Test.TypTestu = 1;
    a.Test.IloscPytan = 2;
    a.Test.IloscOdpowiedzi = 5;
    EXPECT_EQ(wczytaj(plik), TestWczytany);
    EXPECT_EQ(Pytania(a.Pytania[1]),
              QString::fromUtf8("Stolica <b>Polski</b>?|Kraków-|Warszawa+|Gdańsk-|Łódź+|+|0101|"
                                "opis1.TXT|mapa.JPG|Warszawa od 1596"));
    EXPECT_EQ(Pytania(a.Pytania[2]), "Drugie|x+|-|-|-|+|10|||");
    // The date and remarks are not in the older form.
    EXPECT_EQ(a.Test.DataUtworzenia, "stara data");
    EXPECT_EQ(a.Test.Uwagi, "stare uwagi");
    EXPECT_TRUE(JestWPak("opis1.txt", *a.KontenerTestu));
    bezKomunikatow();
}

TEST_F(CzytnikTestu, ObaDokumentyToWersja35) {
    PlikTestu plik{.wersja = Wersja::Txp35};
    plik.czlony = {DokumentTestu(PlikTestu{.nazwaTestu = "Inny"})};
    plik.pytania[0].tresc = "z txp";
    EXPECT_EQ(wczytaj(plik), TestWczytany);
    EXPECT_EQ(a.Pytania[1].Tresc, "z txp");
    EXPECT_TRUE(a.Pytania[1].Odpowiedzi[5].Poprawna);
}

TEST_F(CzytnikTestu, PytaniaPozaLiczbaZNaglowkaSaPomijane) {
    PlikTestu plik;
    plik.pytania.append(PytanieTestu{.tresc = "czwarte", .klucz = ""});
    plik.iloscPytan = 3;
    EXPECT_EQ(wczytaj(plik), TestWczytany);
    EXPECT_EQ(a.Pytania[4].Tresc, "");
}

TEST_F(CzytnikTestu, InnyTestWObuWersjach) {
    const QList<QPair<const char*, PlikTestu>> pliki = {
        {"typ", {.typ = 1}},
        {"nazwa innej wielkosci liter", {.nazwaTestu = "TEST"}},
        {"liczba pytan", {.iloscPytan = 4}},
        {"liczba odpowiedzi", {.iloscOdpowiedzi = 5}},
    };
    for (Wersja wersja : {Wersja::Xml40, Wersja::Txp35})
        for (auto [opis, plik] : pliki) {
            SCOPED_TRACE(opis);
            st.wyczysc();
            plik.wersja = wersja;
            EXPECT_EQ(wczytaj(plik), TestInny);
            EXPECT_EQ(st.dziennik(), QStringList{InnyDziennik});
            EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, InnyKomunikat}}));
            EXPECT_EQ(Pytania(a.Pytania[1]), "|-|-|-|-|-|0000|||");
            EXPECT_EQ(a.Test.DataUtworzenia, "stara data");
        }
}

TEST_F(CzytnikTestu, BrakTypuWWersji40) {
    // A missing element reads as 0: a test without a type differs from a multiple-choice one.
    a.Test.TypTestu = 1;
    EXPECT_EQ(wczytaj({.typ = 1, .pominiete = {"tst/typ"}}), TestInny);
    a.Test.TypTestu = 0;
    EXPECT_EQ(wczytaj({.typ = 1, .pominiete = {"tst/typ"}}), TestWczytany);
}

TEST_F(CzytnikTestu, PlikBezDokumentuLubUszkodzony) {
    const QByteArray dokument = DokumentTestu({}).dane;
    const QList<QPair<const char*, QByteArray>> pliki = {
        {"nie istnieje", QByteArray()},
        {"pusty plik", QByteArray("")},
        {"nie kontener", dokument},
        {"bez dokumentu", ZbudujPak({Czlon("Serr1.xml", dokument)})},
        {"pusty katalog", ZbudujPak({})},
        {"dokument poza plikiem", ZbudujPak({CzlonPak{"Serr0.xml", dokument, 1 << 30, {}}})},
        {"ogromny rozmiar", ZbudujPak({CzlonPak{"Serr0.xml", dokument, {}, 0x7FFFFFFF}})},
        {"katalog poza plikiem",
         ZbudujPak({Czlon("Serr0.xml", dokument)}, {.rozmiarKatalogu = 0x7FFFFF80})},
    };
    for (const auto& [opis, bajty] : pliki) {
        SCOPED_TRACE(opis);
        st.wyczysc();
        QFile::remove(st.sciezka("t.skt"));
        if (!bajty.isNull()) {
            ASSERT_TRUE(ZapiszBajty(st.sciezka("t.skt"), bajty));
        }
        EXPECT_EQ(WczytajTest(st.sciezka("t.skt"), a, st.srodowisko), TestNieczytelny);
        EXPECT_EQ(st.dziennik(), QStringList{NaglowekVer40});
        EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, Uszkodzony}}));
        EXPECT_EQ(a.Pytania[1].WzorOdpowiedzi, "0000");
    }
}

TEST_F(CzytnikTestu, DokumentNieXmlCzytaSiePustyWiecToInnyTest) {
    // The member is there: a document that does not parse reads as empty values, which do not
    // match the answer files.
    for (const QByteArray& tresc :
         {QByteArray(), QByteArray("smieci"), QByteArray("<tst><typ>0")}) {
        st.wyczysc();
        EXPECT_EQ(wczytaj({.czlony = {Czlon("Serr0.xml", tresc)}}), TestInny);
        EXPECT_EQ(st.dziennik(), QStringList{InnyDziennik});
    }
}

TEST_F(CzytnikTestu, PytanieBezKluczaWWersji40) {
    PlikTestu plik;
    plik.pytania[1].klucz = "";
    plik.pytania[1].komentarz = "kom2";
    EXPECT_EQ(wczytaj(plik), TestNieczytelny);
    EXPECT_EQ(st.dziennik(),
              QStringList{QString::fromUtf8("Odczyt. Ver 40. Błąd dekodowania pytania nr. 2")});
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, Uszkodzony}}));
    EXPECT_EQ(Pytania(a.Pytania[1]), "Pytanie 1|a+|b-|c-|d-|-|1000|||");
    // The failing question keeps its texts, without correct options.
    EXPECT_EQ(Pytania(a.Pytania[2]), "Pytanie 2|a-|b-|c-|d-|-||||kom2");
    EXPECT_EQ(Pytania(a.Pytania[3]), "|-|-|-|-|-|0000|||");
    EXPECT_EQ(a.Test.DataUtworzenia, "stara data");
}

TEST_F(CzytnikTestu, UszkodzonaWersja35) {
    const QStringList dobre = WierszeTestu35({});
    auto zmienione = [&](int wiersz, const QString& tekst) {
        QStringList w = dobre;
        w[wiersz] = tekst;
        return w;
    };
    const QString pytanie3 = QString::fromUtf8("Odczyt. Ver 35. Błąd dekodowania pytania nr. 3");
    struct Przypadek {
        const char* opis;
        QStringList wiersze;
        QString dziennik;
        int wypelnionych; // questions filled before the failure
    } przypadki[] = {
        {"piec wierszy", dobre.mid(0, 5), NaglowekVer35, 0},
        {"pusty dokument", {}, NaglowekVer35, 0},
        {"typ nie liczba", zmienione(1, "zero"), NaglowekVer35, 0},
        {"liczba pytan nie liczba", zmienione(2, "3.0"), NaglowekVer35, 0},
        // Converted before anything is compared: a wrong type does not make it another test.
        {"odpowiedzi nie liczba przy innym typie",
         [&] {
             QStringList w = zmienione(5, "");
             w[1] = "7";
             return w;
         }(),
         NaglowekVer35, 0},
        {"bez komentarza trzeciego pytania", dobre.mid(0, dobre.size() - 1), pytanie3, 2},
        {"bez calego trzeciego pytania", dobre.mid(0, 9 * 3 - 3), pytanie3, 2},
        // The failing question keeps the texts read before its key was looked at.
        {"pusty klucz pierwszego pytania", zmienione(11, ""),
         QString::fromUtf8("Odczyt. Ver 35. Błąd dekodowania pytania nr. 1"), 1},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        st.wyczysc();
        EXPECT_EQ(wczytaj({.wersja = Wersja::Txp35, .wiersze35 = p.wiersze}), TestNieczytelny);
        EXPECT_EQ(st.dziennik(), QStringList{p.dziennik});
        EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, Uszkodzony}}));
        for (int n = 1; n <= 2; ++n)
            EXPECT_EQ(a.Pytania[n].Tresc, n <= p.wypelnionych ? QString("Pytanie %1").arg(n) : "");
    }
    // A damaged older document fails at its header.
    st.wyczysc();
    EXPECT_EQ(wczytaj({.czlony = {CzlonPak{"Serr0.txp", "abc", {}, 1000}}}), TestNieczytelny);
    EXPECT_EQ(st.dziennik(), QStringList{NaglowekVer35});
}

TEST_F(CzytnikTestu, KontenerTestuJestOtwieranyPonownie) {
    EXPECT_EQ(wczytaj({.czlony = {Czlon("rys.GIF", ObrazGif(2, 2))}}), TestWczytany);
    const std::shared_ptr<TVfsPAK> kontener = a.KontenerTestu;
    EXPECT_TRUE(JestWPak("rys.gif", *kontener));
    // A file that is not a container leaves no member of the previous test behind.
    ASSERT_TRUE(ZapiszBajty(st.sciezka("zly.skt"), "nie kontener"));
    EXPECT_EQ(WczytajTest(st.sciezka("zly.skt"), a, st.srodowisko), TestNieczytelny);
    EXPECT_EQ(a.KontenerTestu, kontener);
    EXPECT_FALSE(JestWPak("rys.gif", *a.KontenerTestu));
    EXPECT_FALSE(JestWPak("Serr0.xml", *a.KontenerTestu));
}

TEST_F(CzytnikTestu, NaglowekPozaRekordamiNieSiegaDalej) {
    // Never after an accepted answer file, but the reader must not reach past 60 questions.
    a.Test.IloscPytan = 1000;
    PlikTestu plik{.iloscPytan = 1000};
    EXPECT_EQ(wczytaj(plik), TestNieczytelny); // question 4 has no key
    EXPECT_EQ(st.dziennik(),
              QStringList{QString::fromUtf8("Odczyt. Ver 40. Błąd dekodowania pytania nr. 4")});
}

} // namespace
