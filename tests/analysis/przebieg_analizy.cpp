// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/przebieg_analizy.h"

#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <gtest/gtest.h>
#include <memory>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString NiePoddano = QStringLiteral("Nie wszystkie pliki odpowiedzi poddano analizie.\r"
                                          "Po szczegóły sięgnij do dziennika zdarzeń.");
const QString NieDotyczyly =
    QStringLiteral("Nie wszystkie pliki odpowiedzi dotyczyły tego samego testu.\r"
                   "Wczytano jedynie zgodne z pierwszym podanym plikiem.");
const QString NicNieWczytano = QStringLiteral("Nie wczytano żadnego pliku odpowiedzi.\r"
                                              "Po szczegóły sięgnij do dziennika zdarzeń.");
const QString StaraWersjaPierwszego =
    QStringLiteral("Wersja ta nie analizuje wyników starszych wersji programu.\rSkorzystaj ze "
                   "starszej wersji modułu Sondrel.\rPrzerwano dalszą analizę wyników.");
const QString InnyTest =
    QStringLiteral("Otwierany test, jest inny, niż rozwiązywany przez analizowanych użykowników.\r"
                   "Zostanie wykonana tylko prosta analiza wyników testu.");
const QString NieObslugiwany =
    QStringLiteral("\rModuł Sondrel nie obsługuje plików tego typu.\rWskaż pliki odpowiedzi.");

PlikOdpowiedzi Uczen(const QString& nazwisko, const QString& imie,
                     const QString& test = QStringLiteral("Test")) {
    PlikOdpowiedzi p;
    p.nazwaTestu = test;
    p.nazwisko = nazwisko;
    p.imie = imie;
    return p;
}

class PrzebiegAnalizy : public testing::Test {
protected:
    // Writes the answer files under the given names and returns their paths in that order.
    QStringList Zapisz(const QList<std::pair<QString, PlikOdpowiedzi>>& pliki) {
        QStringList sciezki;
        for (const auto& [nazwa, plik] : pliki) {
            const QString sciezka = st.sciezka(nazwa);
            EXPECT_TRUE(ZapiszPlikOdpowiedzi(sciezka, plik));
            sciezki.append(sciezka);
        }
        return sciezki;
    }

    SrodowiskoTestowe st;
    std::unique_ptr<Analiza> analiza = std::make_unique<Analiza>();
};

} // namespace

TEST_F(PrzebiegAnalizy, PlikInnegoTestuPominietyAZrodloDecydujeOKomunikacie) {
    // Three files, the second of another test: the students of files one and three take slots
    // 1 and 2 (sorted), the item statistics and class figures cover them, and the summary
    // message is worded by where the files came from.
    const QStringList pliki = Zapisz({{"1.sko", Uczen("Wiśniewska", "Zofia")},
                                      {"2.sko", Uczen("Nowak", "Anna", "Inny test")},
                                      {"3.sko", Uczen("Adamczyk", "Łukasz")}});
    ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("test.skt"), {}));
    const struct {
        ZrodloAnalizy zrodlo;
        int rodzaj;
        QString komunikat;
    } przypadki[] = {{ZrodloAnalizy::Pliki, AnalizaProsta, NiePoddano},
                     {ZrodloAnalizy::Lista, AnalizaZTestem, NieDotyczyly}};
    for (const auto& p : przypadki) {
        st.wyczysc();
        analiza = std::make_unique<Analiza>();
        analiza->PlikiOdpowiedzi = pliki;
        analiza->PlikTestu = st.sciezka("test.skt");
        analiza->RodzajAnalizy = p.rodzaj;
        EXPECT_TRUE(UruchomAnalize(*analiza, st.srodowisko, p.zrodlo));
        ASSERT_EQ(analiza->IloscUczniow, 2);
        EXPECT_EQ(analiza->Uczniowie[1].Nazwisko, QStringLiteral("Adamczyk"));
        EXPECT_EQ(analiza->Uczniowie[2].Nazwisko, QStringLiteral("Wiśniewska"));
        EXPECT_EQ(analiza->Test.SumaPoprawnych, 4); // 2 of 3 questions each
        EXPECT_EQ(analiza->StatPytan[3].Wybrali[3], 2);
        EXPECT_EQ(analiza->RodzajAnalizy, p.rodzaj); // the matching test was read
        EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, p.komunikat}}));
        EXPECT_EQ(st.dziennik(),
                  QStringList{"Odczyt pliku wyniku. Plik 2.sko dotyczy innego testu niż "
                              "analizowany."});
    }
}

TEST_F(PrzebiegAnalizy, WszystkoWczytaneBezKomunikatu) {
    analiza->PlikiOdpowiedzi = Zapisz({{"a.sko", Uczen("Kowalski", "Jan")}});
    EXPECT_EQ(WczytajOdpowiedzi(analiza->PlikiOdpowiedzi, *analiza, st.srodowisko),
              OdpowiedziWczytane);
    EXPECT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
    EXPECT_EQ(analiza->IloscUczniow, 1);
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

TEST_F(PrzebiegAnalizy, PierwszyPlikStarejWersjiNicNieWczytuje) {
    // An earlier analysis with a test is on screen.
    analiza->PlikiOdpowiedzi =
        Zapisz({{"a.sko", Uczen("Kowalski", "Jan")}, {"b.sko", Uczen("Nowak", "Anna")}});
    ASSERT_EQ(WczytajOdpowiedzi(analiza->PlikiOdpowiedzi, *analiza, st.srodowisko), 0);
    analiza->RodzajAnalizy = AnalizaZTestem;

    PlikOdpowiedzi stary = Uczen("Stary", "Plik");
    stary.staraWersja = true;
    const QStringList pliki = Zapisz({{"stary.sko", stary}, {"c.sko", Uczen("Zych", "Ewa")}});
    EXPECT_EQ(WczytajOdpowiedzi(pliki, *analiza, st.srodowisko), OdpowiedziOdrzucone);
    EXPECT_EQ(analiza->IloscUczniow, 0);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, StaraWersjaPierwszego}}));
    EXPECT_TRUE(st.dziennik().isEmpty()); // the later file was not even opened

    // Through the driver: nothing to show, and the stale panel offers no reports any more.
    st.wyczysc();
    analiza->PlikiOdpowiedzi = pliki;
    EXPECT_FALSE(UruchomAnalize(*analiza, st.srodowisko));
    EXPECT_EQ(analiza->RodzajAnalizy, AnalizaProsta);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, StaraWersjaPierwszego}}));
}

TEST_F(PrzebiegAnalizy, TestInnegoTestuDajeAnalizeProsta) {
    analiza->PlikiOdpowiedzi =
        Zapisz({{"a.sko", Uczen("Kowalski", "Jan")}, {"b.sko", Uczen("Nowak", "Anna")}});
    PlikTestu inny;
    inny.nazwaTestu = QStringLiteral("Inny test");
    ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("inny.skt"), inny));
    analiza->RodzajAnalizy = AnalizaZTestem;
    analiza->PlikTestu = st.sciezka("inny.skt");

    EXPECT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
    EXPECT_EQ(analiza->IloscUczniow, 2);
    EXPECT_EQ(analiza->RodzajAnalizy, AnalizaProsta);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, InnyTest}}));
}

TEST_F(PrzebiegAnalizy, AnalizaProstaNieCzytaTestu) {
    // A cancelled earlier choice (-1) reaching the driver does not make it read a test.
    analiza->PlikiOdpowiedzi = Zapisz({{"a.sko", Uczen("Kowalski", "Jan")}});
    for (int rodzaj : {AnalizaProsta, AnalizaAnulowana}) {
        st.wyczysc();
        analiza->RodzajAnalizy = rodzaj;
        analiza->PlikTestu = st.sciezka("brak.skt");
        EXPECT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
        EXPECT_TRUE(st.komunikaty.isEmpty()) << rodzaj;
    }
}

TEST_F(PrzebiegAnalizy, NajwyzejCzterystuUczniow) {
    QStringList pliki;
    for (int i = 1; i <= MaksUczniow + 1; ++i) {
        const QString nazwa = QStringLiteral("u%1.sko").arg(i, 3, 10, QLatin1Char('0'));
        pliki.append(st.sciezka(nazwa));
        ASSERT_TRUE(ZapiszPlikOdpowiedzi(
            pliki.last(), Uczen(QStringLiteral("Uczeń%1").arg(i), QStringLiteral("Imię"))));
    }
    EXPECT_EQ(WczytajOdpowiedzi(pliki, *analiza, st.srodowisko), OdpowiedziPominiete);
    EXPECT_EQ(analiza->IloscUczniow, MaksUczniow);
    EXPECT_EQ(analiza->Test.SumaPoprawnych, 2 * MaksUczniow);
    EXPECT_EQ(st.dziennik(), QStringList{"Odczyt pliku wyniku. Plik u401.sko pominięto: analiza "
                                         "obejmuje najwyżej 400 uczniów."});
    EXPECT_TRUE(st.komunikaty.isEmpty());
}

TEST_F(PrzebiegAnalizy, ZadenUczenNieWczytany) {
    // The first file's header is fine but its student is not; the second file is of another
    // test. The class figures would divide by zero: the analysis is refused with a message.
    PlikOdpowiedzi zlyCzas = Uczen("Kowalski", "Jan");
    zlyCzas.start = QStringLiteral("10.00.00");
    analiza->PlikiOdpowiedzi =
        Zapisz({{"a.sko", zlyCzas}, {"b.sko", Uczen("Nowak", "Anna", "Inny test")}});
    analiza->RodzajAnalizy = AnalizaZTestem;
    EXPECT_EQ(WczytajOdpowiedzi(analiza->PlikiOdpowiedzi, *analiza, st.srodowisko),
              OdpowiedziOdrzucone);
    EXPECT_EQ(analiza->IloscUczniow, 0);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, NicNieWczytano}}));
    EXPECT_EQ(st.dziennik(),
              (QStringList{"Odczyt pliku wyniku. Błąd analizy zawartości pliku a.sko.",
                           "Odczyt pliku wyniku. Plik b.sko dotyczy innego testu niż "
                           "analizowany."}));

    st.wyczysc();
    EXPECT_FALSE(UruchomAnalize(*analiza, st.srodowisko));
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, NicNieWczytano}})); // no summary
    EXPECT_EQ(analiza->RodzajAnalizy, AnalizaProsta);
}

TEST_F(PrzebiegAnalizy, PozniejszyPlikStarejWersjiPominiety) {
    PlikOdpowiedzi stary = Uczen("Stary", "Plik");
    stary.staraWersja = true;
    analiza->PlikiOdpowiedzi = Zapisz({{"a.sko", Uczen("Kowalski", "Jan")},
                                       {"stary.sko", stary},
                                       {"c.sko", Uczen("Zych", "Ewa")}});
    EXPECT_EQ(WczytajOdpowiedzi(analiza->PlikiOdpowiedzi, *analiza, st.srodowisko),
              OdpowiedziPominiete);
    EXPECT_EQ(analiza->IloscUczniow, 2);
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_EQ(st.dziennik(), QStringList{"Odczyt pliku wyniku. Stara wersja pliku stary.sko."});

    st.wyczysc();
    EXPECT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, NiePoddano}}));
}

TEST_F(PrzebiegAnalizy, UpuszczonePliki) {
    // Only the first file's extension counts, in any letter case; the rest are read as answer
    // files and skipped by the reader when they are not.
    const QStringList pliki = Zapisz({{"a.SKO", Uczen("Kowalski", "Jan")}});
    ASSERT_TRUE(ZapiszBajty(st.sciezka("notatka.txt"), "tekst"));
    analiza->RodzajAnalizy = AnalizaZTestem;
    EXPECT_TRUE(AnalizujUpuszczonePliki(pliki + QStringList{st.sciezka("notatka.txt")}, *analiza,
                                        st.srodowisko));
    EXPECT_EQ(analiza->RodzajAnalizy, AnalizaProsta);
    EXPECT_EQ(analiza->IloscUczniow, 1);
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 1, NiePoddano}}));

    st.wyczysc();
    ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("test.skt"), {}));
    analiza->RodzajAnalizy = AnalizaZTestem;
    EXPECT_FALSE(
        AnalizujUpuszczonePliki({st.sciezka("test.skt"), pliki.first()}, *analiza, st.srodowisko));
    EXPECT_EQ(st.komunikaty, (QList<Komunikat>{{1, 3, NieObslugiwany}}));
    EXPECT_EQ(analiza->RodzajAnalizy, AnalizaZTestem); // nothing happened
    EXPECT_EQ(analiza->IloscUczniow, 1);
    EXPECT_FALSE(SaPlikamiOdpowiedzi({}, st.srodowisko));
    EXPECT_TRUE(SaPlikamiOdpowiedzi({QStringLiteral("/x/y.Sko")}, st.srodowisko));
}
