// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/czas_pracy.h"
#include "analysis/czytnik_odpowiedzi.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString UszkodzonyPierwszy =
    QString::fromUtf8("Wystąpiły problemy z przetwarzaniem pierwszego z plików.\rPrawdopodobnie "
                      "plik jest uszkodzony.\rDalsza analiza została przerwana.");
const QString StaraWersja =
    QString::fromUtf8("Wersja ta nie analizuje wyników starszych wersji programu.\rSkorzystaj ze "
                      "starszej wersji modułu Sondrel.\rPrzerwano dalszą analizę wyników.");
const QString Nieobslugiwany = QString::fromUtf8(
    "Plik odpowiedzi opisuje test, którego program nie obsłuży.\rTest może mieć od 1 do 60 pytań "
    "i od 1 do 5 odpowiedzi w pytaniu.\rDalsza analiza została przerwana.");

DataCzas Godzina(int h, int m, int s) {
    return CzasZGodziny(QTime(h, m, s));
}

class CzytnikOdpowiedzi : public ::testing::Test {
protected:
    SrodowiskoTestowe st;
    Analiza a;

    QString zapisz(const QString& nazwa, const PlikOdpowiedzi& plik) {
        const QString sciezka = st.sciezka(nazwa);
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(sciezka, plik));
        return sciezka;
    }
    // The header of the default answer file, as an accepted first file leaves it.
    void naglowek(const PlikOdpowiedzi& plik = {}) {
        ASSERT_EQ(WczytajNaglowek(zapisz("pierwszy.sko", plik), a, st.srodowisko),
                  WynikNaglowka::Przyjety);
        st.wyczysc();
    }
};

// ---- Header -------------------------------------------------------------------------------

struct Kodowanie {
    KodowanieXml kodowanie;
    bool utf16;
};

class NaglowekWKodowaniu : public CzytnikOdpowiedzi,
                           public ::testing::WithParamInterface<Kodowanie> {};

TEST_P(NaglowekWKodowaniu, CzytaWszystkiePolaNaglowka) {
    a.Test.DataUtworzenia = "bez zmian";
    PlikOdpowiedzi p{.nazwaTestu = QString::fromUtf8("Ułamki zwykłe & dziesiętne"),
                     .iloscOdpowiedzi = 5,
                     .typ = 1,
                     .autor = QString::fromUtf8("Żaneta Łęcka"),
                     .czas = 40,
                     .wersja = "4.2",
                     .tkk = 3,
                     .cel = 98,
                     .bdb = 88,
                     .db = 72,
                     .dst = 51,
                     .dp = 31,
                     .kodowanie = GetParam().kodowanie,
                     .utf16 = GetParam().utf16};
    p.pytania = QList<OdpowiedzUcznia>(60, {"10000", "10000"});
    EXPECT_EQ(WczytajNaglowek(zapisz("a.sko", p), a, st.srodowisko), WynikNaglowka::Przyjety);
    const OTescie& t = a.Test;
    EXPECT_EQ(t.IloscPytan, 60);
    EXPECT_EQ(t.IloscOdpowiedzi, 5);
    EXPECT_EQ(t.TypTestu, 1);
    EXPECT_EQ(t.NazwaTestu, QString::fromUtf8("Ułamki zwykłe & dziesiętne"));
    EXPECT_EQ(t.Autor, QString::fromUtf8("Żaneta Łęcka"));
    EXPECT_EQ(t.Czas, 40);
    EXPECT_EQ(t.Wersja, "4.2");
    EXPECT_EQ(t.Tkk, 3);
    EXPECT_EQ((QList<int>{t.ProgCel, t.ProgBdb, t.ProgDb, t.ProgDst, t.ProgDp}),
              (QList<int>{98, 88, 72, 51, 31}));
    EXPECT_EQ(t.DataUtworzenia, "bez zmian");
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kodowania, NaglowekWKodowaniu,
                         ::testing::Values(Kodowanie{KodowanieXml::Tekst, false},
                                           Kodowanie{KodowanieXml::Base64, false},
                                           Kodowanie{KodowanieXml::Tekst, true},
                                           Kodowanie{KodowanieXml::Base64, true}));

TEST_F(CzytnikOdpowiedzi, NaglowekBezSkaliIBezCdCzytaZeramiIZwyklymTekstem) {
    // cd "TR" is not "tr": the values are taken as they stand.
    PlikOdpowiedzi p{.autor = "QQBCAA==", .skala = false, .zmiany = {{"odp/cd", "TR"}}};
    ASSERT_EQ(WczytajNaglowek(zapisz("a.sko", p), a, st.srodowisko), WynikNaglowka::Przyjety);
    EXPECT_EQ(a.Test.Autor, "QQBCAA==");
    EXPECT_EQ((QList<int>{a.Test.Tkk, a.Test.ProgCel, a.Test.ProgDp}), (QList<int>{0, 0, 0}));
}

TEST_F(CzytnikOdpowiedzi, NaglowekStarejWersjiTylkoKomunikat) {
    a.Test.NazwaTestu = "poprzedni";
    // A container holding Selo0.txp is old whatever else it holds.
    PlikOdpowiedzi p{.staraWersja = true,
                     .czlony = {Czlon("Selo0.xml", DokumentOdpowiedzi(PlikOdpowiedzi{}))}};
    EXPECT_EQ(WczytajNaglowek(zapisz("a.sko", p), a, st.srodowisko), WynikNaglowka::StaraWersja);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, StaraWersja}}));
    EXPECT_TRUE(st.dziennik().isEmpty());
    EXPECT_EQ(a.Test.NazwaTestu, "poprzedni");
    EXPECT_EQ(a.Test.IloscPytan, 0);
}

TEST_F(CzytnikOdpowiedzi, UszkodzonyPierwszyPlik) {
    const QByteArray dobry = DokumentOdpowiedzi({});
    const QList<QPair<const char*, QByteArray>> pliki = {
        {"nie istnieje", QByteArray()},
        {"nie kontener", "<odp><ilp>3</ilp></odp>"},
        {"bez dokumentu", ZbudujPak({Czlon("Selo1.xml", dobry)})},
        {"dokument poza plikiem",
         ZbudujPak({CzlonPak{"Selo0.xml", dobry, std::nullopt, 0x7FFFFFF0}})},
        {"ujemne przesuniecie", ZbudujPak({CzlonPak{"Selo0.xml", dobry, -5, std::nullopt}})},
    };
    for (const auto& [opis, bajty] : pliki) {
        SCOPED_TRACE(opis);
        st.wyczysc();
        const QString sciezka = st.sciezka("x.sko");
        QFile::remove(sciezka);
        if (!bajty.isNull()) {
            ASSERT_TRUE(ZapiszBajty(sciezka, bajty));
        }
        EXPECT_EQ(WczytajNaglowek(sciezka, a, st.srodowisko), WynikNaglowka::Odrzucony);
        EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, UszkodzonyPierwszy}}));
        EXPECT_EQ(st.dziennik(), QStringList{QString::fromUtf8(
                                     "Odczyt pliku wyniku. Błąd analizy zawartości pliku xml.")});
    }
}

TEST_F(CzytnikOdpowiedzi, LiczbyPytanIOdpowiedziPozaRekordami) {
    struct Przypadek {
        const char* ilp;
        const char* ilo;
        bool przyjety;
    } przypadki[] = {{"0", "4", false}, {"61", "4", false}, {"-3", "4", false}, {"abc", "4", false},
                     {"", "4", false},  {"3", "0", false},  {"3", "6", false},  {"3", "x", false},
                     {"60", "5", true}, {"1", "1", true},   {" 7 ", "2", true}};
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(std::string(p.ilp) + " / " + p.ilo);
        st.wyczysc();
        a.Test.NazwaTestu = "poprzedni";
        const QString sciezka =
            zapisz("a.sko", {.zmiany = {{"odp/ilp", p.ilp}, {"odp/ilo", p.ilo}, {"odp/typ", "2"}}});
        const WynikNaglowka wynik = WczytajNaglowek(sciezka, a, st.srodowisko);
        // ilp, ilo and typ are written before they are checked.
        EXPECT_EQ(a.Test.IloscPytan, QString(p.ilp).trimmed().toInt());
        EXPECT_EQ(a.Test.TypTestu, 2);
        if (p.przyjety) {
            EXPECT_EQ(wynik, WynikNaglowka::Przyjety);
            EXPECT_TRUE(st.komunikaty.isEmpty());
            EXPECT_EQ(a.Test.NazwaTestu, "Test");
        } else {
            EXPECT_EQ(wynik, WynikNaglowka::Odrzucony);
            EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, Nieobslugiwany}}));
            EXPECT_EQ(st.dziennik(),
                      QStringList{QString::fromUtf8(
                          "Odczyt pliku wyniku. Nieobsługiwana liczba pytań lub odpowiedzi.")});
            EXPECT_EQ(a.Test.NazwaTestu, "poprzedni");
        }
    }
}

TEST_F(CzytnikOdpowiedzi, DokumentKtoryNieJestXmlCzytaSiePustyIJestOdrzucany) {
    // The member is there but holds no document: every value reads as empty, so the file
    // declares no questions.
    for (const QByteArray& tresc : {QByteArray(), QByteArray("x"), QByteArray("\xFF\xFE<", 3),
                                    QByteArray("<odp><ilp>3</ilp>tekst<ilo>4")}) {
        st.wyczysc();
        ASSERT_TRUE(ZapiszPak(st.sciezka("a.sko"), {Czlon("Selo0.xml", tresc)}));
        EXPECT_EQ(WczytajNaglowek(st.sciezka("a.sko"), a, st.srodowisko), WynikNaglowka::Odrzucony);
        EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, Nieobslugiwany}}));
    }
}

// ---- One student --------------------------------------------------------------------------

class UczenWKodowaniu : public CzytnikOdpowiedzi,
                        public ::testing::WithParamInterface<Kodowanie> {};

TEST_P(UczenWKodowaniu, CzytaUczniaIGoOcenia) {
    naglowek({.pytania = QList<OdpowiedzUcznia>(8, {"1", "1"}), .zmiany = {}});
    PlikOdpowiedzi p{.nazwisko = QString::fromUtf8("Wiśniewska"),
                     .imie = QString::fromUtf8("Łucja"),
                     .start = "9:05",
                     .koniec = "09:47:30",
                     .zapis = "23:59:59",
                     .zwm = "1",
                     .pytania = {{"1000", "1000"},   // correct
                                 {"0110", "0110"},   // correct, two options
                                 {"0102", "0100"},   // same flags, another string: not counted
                                 {"01", "0100"},     // same flags, shorter: not counted
                                 {"0100", "0110"},   // one of two options
                                 {"00001", "00001"}, // correct, fifth option
                                 {"0000", "1000"},
                                 {"1111", "1000"}},
                     .kodowanie = GetParam().kodowanie,
                     .utf16 = GetParam().utf16};
    EXPECT_EQ(WczytajUcznia(zapisz("u.sko", p), 4, a, st.srodowisko), UczenWczytany);
    const OdpowiedzBig& u = a.Uczniowie[4];
    EXPECT_EQ(u.Nazwisko, QString::fromUtf8("Wiśniewska"));
    EXPECT_EQ(u.Imie, QString::fromUtf8("Łucja"));
    EXPECT_DOUBLE_EQ(u.Start, Godzina(9, 5, 0));
    EXPECT_DOUBLE_EQ(u.Koniec, Godzina(9, 47, 30));
    EXPECT_DOUBLE_EQ(u.Zapis, Godzina(23, 59, 59));
    EXPECT_TRUE(u.Zwm);
    EXPECT_EQ(u.Poprawnych, 3);
    EXPECT_EQ(u.Procent, 38); // 37.5 to the even neighbour
    EXPECT_EQ(u.Ocena, "Dp"); // 38 % with Dp from 30 %
    // Flags: (Poprawna, Wybrana) of every option.
    auto flagi = [&](int q) {
        QString f;
        for (int k = 1; k <= 5; ++k)
            f += QString::number(u.Pytania[q][k].Poprawna) +
                 QString::number(u.Pytania[q][k].Wybrana) + " ";
        return f.trimmed();
    };
    EXPECT_EQ(flagi(3), "00 11 00 00 00");
    EXPECT_EQ(flagi(4), "00 11 00 00 00");
    EXPECT_EQ(flagi(5), "00 11 10 00 00");
    EXPECT_EQ(flagi(6), "00 00 00 00 11");
    EXPECT_EQ(flagi(8), "11 01 01 01 00");
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Kodowania, UczenWKodowaniu,
                         ::testing::Values(Kodowanie{KodowanieXml::Tekst, false},
                                           Kodowanie{KodowanieXml::Base64, false},
                                           Kodowanie{KodowanieXml::Base64, true}));

TEST_F(CzytnikOdpowiedzi, ProcentIOcenaZProgowPierwszegoPliku) {
    naglowek({.cel = 90,
              .bdb = 75,
              .db = 60,
              .dst = 40,
              .dp = 25,
              .pytania = QList<OdpowiedzUcznia>(8, {"1", "1"})});
    struct Przypadek {
        int poprawnych, procent;
        const char* ocena;
    } przypadki[] = {{8, 100, "Cel"}, {6, 75, "Bdb"},  {5, 62, "Db"},
                     {2, 25, "Dp"},   {1, 12, "Ndst"}, {0, 0, "Ndst"}};
    for (const Przypadek& p : przypadki) {
        QList<OdpowiedzUcznia> odp(8, {"0", "1"});
        for (int i = 0; i < p.poprawnych; ++i)
            odp[i] = {"1", "1"};
        ASSERT_EQ(WczytajUcznia(zapisz("u.sko", {.pytania = odp}), 1, a, st.srodowisko),
                  UczenWczytany);
        EXPECT_EQ(a.Uczniowie[1].Poprawnych, p.poprawnych);
        EXPECT_EQ(a.Uczniowie[1].Procent, p.procent);
        EXPECT_EQ(a.Uczniowie[1].Ocena, p.ocena);
    }
}

TEST_F(CzytnikOdpowiedzi, PlikInnegoTestu) {
    naglowek();
    const QList<QPair<const char*, PlikOdpowiedzi>> pliki = {
        {"nazwa innej wielkosci liter", {.nazwaTestu = "TEST"}},
        {"inna liczba pytan", {.pytania = {{"1", "1"}, {"1", "1"}}}},
        {"inna liczba odpowiedzi", {.iloscOdpowiedzi = 5}},
        {"liczba pytan nieczytelna", {.zmiany = {{"odp/ilp", "3x"}}}},
    };
    for (const auto& [opis, plik] : pliki) {
        SCOPED_TRACE(opis);
        st.wyczysc();
        a.Uczniowie[2].Nazwisko = "bez zmian";
        EXPECT_EQ(WczytajUcznia(zapisz("obcy.sko", plik), 2, a, st.srodowisko), UczenInnyTest);
        EXPECT_EQ(a.Uczniowie[2].Nazwisko, "bez zmian");
        EXPECT_TRUE(st.komunikaty.isEmpty());
        EXPECT_EQ(st.dziennik(), QStringList{QString::fromUtf8(
                                     "Odczyt pliku wyniku. Plik obcy.sko dotyczy innego testu niż "
                                     "analizowany.")});
    }
}

TEST_F(CzytnikOdpowiedzi, PozniejszyPlikStarejWersjiJestPomijanyBezKomunikatu) {
    naglowek();
    EXPECT_EQ(WczytajUcznia(zapisz("stary.sko", {.staraWersja = true}), 1, a, st.srodowisko),
              UczenStaraWersja);
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_EQ(st.dziennik(), QStringList{"Odczyt pliku wyniku. Stara wersja pliku stary.sko."});
}

TEST_F(CzytnikOdpowiedzi, UszkodzonyPlikUcznia) {
    naglowek();
    const QString blad =
        QString::fromUtf8("Odczyt pliku wyniku. Błąd analizy zawartości pliku u.sko.");
    struct Przypadek {
        const char* opis;
        PlikOdpowiedzi plik;
        bool zNazwiskiem; // fields before the failure were written
    } przypadki[] = {
        {"godzina z innym separatorem", {.start = "10.00.00"}, true},
        {"godzina niemozliwa", {.start = "25:00"}, true},
        {"godzina z AM", {.start = "10:00 AM"}, true},
        {"bez godziny", {.pominiete = {"odp/dts"}}, true},
        {"smieci zamiast godziny", {.zapis = "10:00:00:00"}, true},
        {"pusta odpowiedz", {.pytania = {{"1000", "1000"}, {"", "0100"}, {"0010", "0001"}}}, true},
        {"pusty klucz", {.pytania = {{"1000", "1000"}, {"0100", "0100"}, {"0010", ""}}}, true},
        {"brak pytania", {.pominiete = {"odp/pyt2"}}, true},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        st.wyczysc();
        a.Uczniowie[1] = OdpowiedzBig{};
        PlikOdpowiedzi plik = p.plik;
        plik.nazwisko = "Nowak";
        EXPECT_EQ(WczytajUcznia(zapisz("u.sko", plik), 1, a, st.srodowisko), UczenBlad);
        EXPECT_EQ(a.Uczniowie[1].Nazwisko, p.zNazwiskiem ? "Nowak" : "");
        EXPECT_EQ(a.Uczniowie[1].Ocena, ""); // never reached
        EXPECT_TRUE(st.komunikaty.isEmpty());
        EXPECT_EQ(st.dziennik(), QStringList{blad});
    }
    // A file that is not there or not a container.
    st.wyczysc();
    EXPECT_EQ(WczytajUcznia(st.sciezka("u.sko"), 1, a, st.srodowisko), UczenBlad);
    ASSERT_TRUE(ZapiszBajty(st.sciezka("u.sko"), "PACK\x0c\0\0\0\x80\0\0\0"));
    EXPECT_EQ(WczytajUcznia(st.sciezka("u.sko"), 1, a, st.srodowisko), UczenBlad);
    EXPECT_EQ(st.dziennik(), (QStringList{blad, blad}));
}

// A class's files are read under a locale whose time separator is "." as under Polish.
TEST_F(CzytnikOdpowiedzi, GodzinyZDwukropkiemWJezykuZKropka) {
    naglowek();
    const QLocale polski = QLocale();
    for (const char* nazwa : {"en_DK", "fi_FI", "da_DK", "C"}) {
        SCOPED_TRACE(nazwa);
        QLocale::setDefault(QLocale(QString::fromLatin1(nazwa)));
        a.Uczniowie[1] = OdpowiedzBig{};
        EXPECT_EQ(WczytajUcznia(zapisz("u.sko", {.start = "10:00:00", .koniec = "10:42:30"}), 1, a,
                                st.srodowisko),
                  UczenWczytany);
        EXPECT_DOUBLE_EQ(a.Uczniowie[1].Koniec, Godzina(10, 42, 30));
    }
    QLocale::setDefault(polski);
    EXPECT_TRUE(st.dziennik().isEmpty());
}

TEST_F(CzytnikOdpowiedzi, CzasyZapisaneDoBleduZostaja) {
    naglowek();
    a.Uczniowie[1].Koniec = 0.5;
    EXPECT_EQ(
        WczytajUcznia(zapisz("u.sko", {.start = "8:00", .koniec = "8:61"}), 1, a, st.srodowisko),
        UczenBlad);
    EXPECT_DOUBLE_EQ(a.Uczniowie[1].Start, Godzina(8, 0, 0));
    EXPECT_DOUBLE_EQ(a.Uczniowie[1].Koniec, 0.5);
}

TEST_F(CzytnikOdpowiedzi, PytaniaPozaTestemIMiejscaPozaRekordami) {
    naglowek();
    // Questions beyond the header's number are not read.
    PlikOdpowiedzi p;
    p.pytania << OdpowiedzUcznia{"", ""};
    p.iloscPytan = 3;
    EXPECT_EQ(WczytajUcznia(zapisz("u.sko", p), 400, a, st.srodowisko), UczenWczytany);
    EXPECT_EQ(a.Uczniowie[400].Poprawnych, 2);
    EXPECT_EQ(a.Uczniowie[400].Procent, 67);
    // Slots outside the records are refused rather than written.
    for (int slot : {0, 401, -1}) {
        st.wyczysc();
        EXPECT_EQ(WczytajUcznia(st.sciezka("u.sko"), slot, a, st.srodowisko), UczenBlad);
        EXPECT_EQ(st.dziennik().size(), 1);
    }
}

TEST_F(CzytnikOdpowiedzi, BezPrzyjetegoNaglowkaUczenNieJestCzytany) {
    // A header of no questions would divide by zero; such a file never gets a slot.
    EXPECT_EQ(
        WczytajUcznia(zapisz("u.sko", {.nazwaTestu = "", .iloscPytan = 0, .iloscOdpowiedzi = 0}), 1,
                      a, st.srodowisko),
        UczenBlad);
}

// ---- The student's name -------------------------------------------------------------------

TEST_F(CzytnikOdpowiedzi, NazwaUczniaWKolejnosciUstawienia) {
    const QString s =
        zapisz("u.sko", {.nazwisko = "Nowak", .imie = "Anna", .kodowanie = KodowanieXml::Base64});
    EXPECT_EQ(OdczytajNazweUcznia(s, false, st.srodowisko), "Nowak Anna");
    EXPECT_EQ(OdczytajNazweUcznia(s, true, st.srodowisko), "Anna Nowak");
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

TEST_F(CzytnikOdpowiedzi, NazwaUczniaZPlikuStaregoLubUszkodzonego) {
    EXPECT_EQ(OdczytajNazweUcznia(zapisz("stary.sko", {.staraWersja = true}), true, st.srodowisko),
              "");
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, StaraWersja}}));
    EXPECT_EQ(st.dziennik(), QStringList{"Odczyt pliku wyniku. Stara wersja pliku stary.sko."});

    st.wyczysc();
    EXPECT_EQ(OdczytajNazweUcznia(st.sciezka("brak.sko"), true, st.srodowisko), "");
    EXPECT_EQ(
        st.komunikaty,
        (QList<Komunikat>{{1, 1,
                           QString::fromUtf8("Wystąpiły problemy z przetwarzaniem pliku brak.sko.\r"
                                             "Prawdopodobnie plik jest uszkodzony.\rDalsza analiza "
                                             "została przerwana.")}}));
    EXPECT_EQ(st.dziennik(), QStringList{QString::fromUtf8(
                                 "Odczyt pliku wyniku. Błąd analizy zawartości pliku brak.sko.")});
}

} // namespace
