// SPDX-License-Identifier: GPL-3.0-or-later
// The three charts' data, the settings record and its application, and the template file.
#include "analysis/czas_pracy.h"
#include "chartengine/rysowanie.h"
#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"
#include "charts/szablon_wykresu.h"
#include "core/kodowanie1250.h"
#include "support/klasa_testowa.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace sondrel {
namespace {

struct Wykresy : ::testing::Test {
    std::unique_ptr<Analiza> analiza = std::make_unique<Analiza>();
    std::unique_ptr<StanWykresu> stan = std::make_unique<StanWykresu>();
    QTemporaryDir folder;

    void SetUp() override { testy::KlasaWykresu(*analiza, 25); }
    void Otworz(int typ, bool imieNajpierw = false) {
        stan->ZadanyRodzajWykresu = RodzajDlaTypu(typ);
        OtworzWykres(*stan, *analiza, imieNajpierw, typ);
    }
    QImage Obraz() const { return chartengine::RysujObraz(stan->Wykres, QSize(420, 300)); }
    QString Plik(const QString& nazwa, const QByteArray& bajty) {
        const QString sciezka = folder.filePath(nazwa);
        QFile f(sciezka);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bajty);
        return sciezka;
    }
};

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

TEST_F(Wykresy, PaletaIEtykietyUczniow) {
    EXPECT_EQ(KolorPunktu(20), QColor(0, 0, 255));
    EXPECT_EQ(KolorPunktu(21), QColor(0, 0, 255));
    EXPECT_EQ(KolorPunktu(17), QColor(217, 141, 38));
    Otworz(1);
    const chartengine::Seria& slupki = stan->Wykres.serie[0];
    ASSERT_EQ(slupki.punkty.size(), 25);
    for (int i = 1; i <= 25; ++i) {
        EXPECT_EQ(slupki.punkty[i - 1].kolor, KolorPunktu(i));
        EXPECT_EQ(slupki.punkty[i - 1].wartosc, i % 21);
    }
    EXPECT_EQ(slupki.punkty[0].etykieta, QStringLiteral("Nazwisko1 Imię1"));
    EXPECT_EQ(stan->Wykres.serie[2].punkty.size(), 25); // the line gets the same points
    EXPECT_EQ(stan->Wykres.dolna.tytul, QStringLiteral("Ilość punktów"));
    EXPECT_EQ(stan->Wykres.tytul.wiersze, QStringList{QStringLiteral("Wyniki testu")});
    Otworz(1, true);
    EXPECT_EQ(stan->Wykres.serie[0].punkty[0].etykieta, QStringLiteral("Imię1 Nazwisko1"));
}

TEST_F(Wykresy, MinutyCzasuPracy) {
    struct Przypadek {
        QTime start, koniec;
        double minuty;
    };
    const Przypadek przypadki[] = {
        {QTime(10, 0, 0), QTime(10, 0, 3), 0.0},    {QTime(10, 0, 0), QTime(10, 0, 9), 0.2},
        {QTime(10, 0, 0), QTime(10, 12, 15), 12.2}, {QTime(10, 0, 0), QTime(10, 12, 21), 12.4},
        {QTime(10, 0, 0), QTime(10, 1, 3), 1.0},    {QTime(23, 50, 0), QTime(0, 10, 0), 1420.0},
    };
    analiza->IloscUczniow = std::size(przypadki);
    for (int i = 0; i < int(std::size(przypadki)); ++i) {
        analiza->Uczniowie[i + 1].Start = CzasZGodziny(przypadki[i].start);
        analiza->Uczniowie[i + 1].Koniec = CzasZGodziny(przypadki[i].koniec);
    }
    Otworz(2);
    EXPECT_EQ(stan->Wykres.dolna.tytul, QStringLiteral("Czas [min]"));
    for (int i = 0; i < int(std::size(przypadki)); ++i)
        EXPECT_EQ(stan->Wykres.serie[0].punkty[i].wartosc, przypadki[i].minuty) << i;
}

TEST_F(Wykresy, OcenyIReakcjaKola) {
    Otworz(1);
    const QString tytulOsi = stan->Wykres.dolna.tytul;
    Otworz(3);
    const chartengine::Seria& kolo = stan->Wykres.serie[1];
    ASSERT_EQ(kolo.punkty.size(), 6);
    const QStringList nazwy = {"Cel", "Bdb", "Db", "Dst", "Dp", "Ndst"};
    const double ile[6] = {2, 0, 5, 1, 0, 3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(kolo.punkty[i].etykieta, nazwy[i]);
        EXPECT_EQ(kolo.punkty[i].wartosc, ile[i]);
        EXPECT_EQ(kolo.punkty[i].kolor, KolorPunktu(i + 2));
    }
    EXPECT_EQ(chartengine::KolejnoscKola(kolo), (QVector<int>{1, 4, 3, 0, 5, 2}));
    // The axis titles stay as the results chart left them; the bars keep their points.
    EXPECT_EQ(stan->Wykres.dolna.tytul, tytulOsi);
    EXPECT_EQ(stan->UstawieniaWykresu.OsPozioma.Opis, tytulOsi);
    EXPECT_EQ(stan->Wykres.serie[0].punkty.size(), 25);
    // The pie's reaction.
    const chartengine::Wykres& w = stan->Wykres;
    EXPECT_FALSE(w.lewa.widoczna || w.dolna.widoczna || w.widok.scianki ||
                 w.tla.obramowanieWidoczne || w.przycinanie || w.powiekszanie || w.przesuwanie ||
                 w.widok.ortogonalny);
    // (The back wall's fill is made opaque again when the settings are applied; the pie draws
    // no back wall.)
    EXPECT_EQ(stan->BiezacaSeria, 1);
    EXPECT_FALSE(stan->OsieDostepne);
    Otworz(1);
    EXPECT_TRUE(w.lewa.widoczna && w.dolna.widoczna && w.widok.scianki &&
                w.tla.obramowanieWidoczne && w.przycinanie && w.powiekszanie && w.przesuwanie &&
                w.widok.ortogonalny);
    EXPECT_TRUE(stan->OsieDostepne);
}

TEST_F(Wykresy, KazdeOtwarciePrzywracaDomyslne) {
    Otworz(1);
    stan->UstawieniaWykresu.LegendaWidoczna = true;
    stan->UstawieniaWykresu.WartosciPrzezroczyste = false;
    ZastosujUstawienia(*stan);
    EXPECT_TRUE(stan->Wykres.legenda.widoczna);
    Otworz(2);
    UstawieniaWykresu oczekiwane = UstawieniaDomyslne();
    oczekiwane.Naglowek.Tekst = QStringLiteral("Czas pracy");
    oczekiwane.OsPozioma.Opis = QStringLiteral("Czas [min]");
    oczekiwane.OsPionowa.Opis.clear();
    oczekiwane.Ortogonalny = true;
    EXPECT_EQ(stan->UstawieniaWykresu, oczekiwane);
    EXPECT_FALSE(stan->Wykres.legenda.widoczna);
    EXPECT_TRUE(stan->Wykres.serie[0].znaczniki.przezroczyste);
    EXPECT_EQ(stan->Wykres.widok.glebokosc, 20);
    EXPECT_EQ(stan->Wykres.widok.zoom, 90);
}

TEST_F(Wykresy, BajtyWzorcaWynikowTestu) {
    Otworz(1);
    const QByteArray b = BajtySzablonu(stan->UstawieniaWykresu);
    ASSERT_EQ(b.size(), 944);
    EXPECT_EQ(b.first(17), Hex("010001000C57796E696B69207465737475"));
    EXPECT_EQ(b.mid(17, 39), QByteArray(39, '\0')); // the text's tail and the padding
    EXPECT_EQ(b.mid(56, 4), Hex("01000000"));
    EXPECT_EQ(b.mid(60, 14), Hex("0D4D532053616E73205365726966"));
    EXPECT_EQ(b.mid(116, 4), Hex("08000000"));
    EXPECT_EQ(b.mid(256, 14), QByteArray(1, 13) + Na1250(u"Ilość punktów"));
    EXPECT_EQ(b[464], '\0');
    EXPECT_EQ(b[796], '\1');
    EXPECT_EQ(b.mid(924, 4), Hex("FFFFFF00"));
    EXPECT_EQ(b.mid(256 + 204, 4), Hex("9495A400"));
    EXPECT_EQ(b.mid(464 + 204, 4), Hex("9495A400"));
    EXPECT_EQ(b.mid(464 + 52, 4), Hex("5A000000")); // left axis title at 90 degrees
    // Read back: the same record and the same bytes.
    const auto u = UstawieniaZSzablonu(b);
    ASSERT_TRUE(u);
    EXPECT_EQ(*u, stan->UstawieniaWykresu);
    EXPECT_EQ(BajtySzablonu(*u), b);
}

TEST_F(Wykresy, WzorzecTamIZPowrotemZKazdymPolemZmienionym) {
    UstawieniaWykresu u = UstawieniaDomyslne();
    u.Naglowek.Tekst = QString(60, u'ż'); // cut to 50 characters
    u.Stopka.Czcionka = {QStringLiteral("Łódź Sans"), KolorRGB(1, 2, 3), -12,
                         StylKursywa | StylPrzekreslony};
    u.OsPionowa.Opis = QStringLiteral("Uczeń");
    u.OsPionowa.KolorScianki = KolorRGB(9, 8, 7);
    u.OsPozioma.RodzajLinii = 0;
    u.LegendaWidoczna = true;
    u.PolozenieLegendy = -5;
    u.Zoom = 300;
    u.Kreskowane = true;
    u.WartoscPoczatkowa = 12;
    u.SzerokoscSlupka = 100;
    u.CzcionkaWartosci.Styl = StylPogrubiony | StylKursywa | StylPodkreslony | StylPrzekreslony;
    const QByteArray b = BajtySzablonu(u);
    auto z = UstawieniaZSzablonu(b);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->Naglowek.Tekst, QString(50, u'ż'));
    z->Naglowek.Tekst = u.Naglowek.Tekst;
    EXPECT_EQ(*z, u);
    // A text outside the code page is written as "?".
    u.OsPionowa.Opis = QStringLiteral("α1");
    EXPECT_EQ(BajtySzablonu(u).mid(464, 3), QByteArray("\x02?1"));
}

TEST_F(Wykresy, CzytanieNiepoprawnychBajtow) {
    QByteArray b = BajtySzablonu(UstawieniaDomyslne());
    b[0] = char(7);   // any non-zero bool is true
    b[4] = char(200); // a length above 50 is read as 50
    std::fill(b.begin() + 5, b.begin() + 55, 'x');
    b[256] = char(2); // the tail after the length is ignored
    b[256 + 1] = 'O';
    b[256 + 2] = 'k';
    b[256 + 3] = 'Z';
    const auto u = UstawieniaZSzablonu(b + QByteArray(1056, 'z'));
    ASSERT_TRUE(u);
    EXPECT_TRUE(u->Naglowek.Widoczny);
    EXPECT_EQ(u->Naglowek.Tekst, QString(50, u'x'));
    EXPECT_EQ(u->OsPozioma.Opis, QStringLiteral("Ok"));
    EXPECT_FALSE(UstawieniaZSzablonu(b.first(943)));
}

TEST_F(Wykresy, WczytanieZPlikuKrotkiegoIDlugiego) {
    Otworz(2);
    UstawieniaWykresu inne = stan->UstawieniaWykresu;
    inne.LegendaWidoczna = true;
    inne.Naglowek.Tekst = QStringLiteral("Inny tytuł");
    inne.Glebokosc3D = 80;
    inne.Naglowek.Wyrownanie = 7; // out of range: the alignment stays
    inne.Stopka.Wyrownanie = 2;
    inne.KsztaltSlupka = 9;
    const QByteArray bajty = BajtySzablonu(inne);
    const QImage przed = Obraz();
    const UstawieniaWykresu przedRekord = stan->UstawieniaWykresu;

    QString blad;
    EXPECT_FALSE(WczytajWzorzecZPliku(*stan, Plik("krotki.ssw", bajty.first(943)), &blad));
    EXPECT_TRUE(blad.contains(QStringLiteral("943"))) << blad.toStdString();
    EXPECT_FALSE(WczytajWzorzecZPliku(*stan, folder.filePath("brak.ssw"), &blad));
    EXPECT_FALSE(blad.isEmpty());
    EXPECT_EQ(stan->UstawieniaWykresu, przedRekord);
    EXPECT_EQ(Obraz(), przed);

    ASSERT_TRUE(
        WczytajWzorzecZPliku(*stan, Plik("dlugi.ssw", bajty + QByteArray(1056, '\xFF')), &blad));
    EXPECT_TRUE(stan->Wykres.legenda.widoczna);
    EXPECT_EQ(stan->Wykres.tytul.wiersze,
              QStringList{QStringLiteral("Czas pracy")}); // texts not applied
    EXPECT_EQ(stan->UstawieniaWykresu.Naglowek.Tekst, QStringLiteral("Inny tytuł"));
    EXPECT_EQ(stan->Wykres.widok.glebokosc, 20);
    EXPECT_EQ(stan->Wykres.tytul.wyrownanie, chartengine::Wyrownanie::DoSrodka);
    EXPECT_EQ(stan->Wykres.stopka.wyrownanie, chartengine::Wyrownanie::DoPrawej);
    EXPECT_EQ(stan->Wykres.serie[0].ksztalt, chartengine::KsztaltSlupka::Gradient);
    EXPECT_TRUE(stan->UstawieniaWykresu.Ortogonalny); // set for the kind shown, not loaded

    // Saving writes exactly the record's bytes.
    const QString zapis = folder.filePath("zapis.ssw");
    ASSERT_TRUE(ZapiszWzorzecDoPliku(*stan, zapis));
    QFile f(zapis);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), BajtySzablonu(stan->UstawieniaWykresu));
    EXPECT_FALSE(ZapiszWzorzecDoPliku(*stan, folder.filePath("brak/zapis.ssw"), &blad));
}

// Every applied field, changed from its default, changes the picture it names; the fields that
// are not applied leave it as it was.
TEST_F(Wykresy, KazdePoleZmieniaObraz) {
    using Zmiana = std::function<void(UstawieniaWykresu&)>;
    struct Przypadek {
        const char* nazwa;
        int typ; // 1 bars, 3 pie; 4 the line (the results chart shown as a line)
        Zmiana warunek, zmiana;
        bool zmienia = true;
    };
    const Zmiana nic = [](UstawieniaWykresu&) {};
    const auto stopka = [](UstawieniaWykresu& u) { u.Stopka.Widoczny = true; };
    const auto tloNaglowka = [](UstawieniaWykresu& u) {
        u.Naglowek.Przezroczysty = false;
        u.Naglowek.KolorTla = KolorRGB(200, 220, 255);
    };
    const auto legenda = [](UstawieniaWykresu& u) { u.LegendaWidoczna = true; };
    const auto siatki = [](UstawieniaWykresu& u) {
        u.OsPozioma.SiatkaWidoczna = u.OsPionowa.SiatkaWidoczna = true;
    };
    const auto opisLewej = [](UstawieniaWykresu& u) {
        u.OsPionowa.Opis = QStringLiteral("Uczniowie");
    };
    const auto gradient = [](UstawieniaWykresu& u) { u.Gradient = true; };
    const auto tloWartosci = [](UstawieniaWykresu& u) { u.WartosciPrzezroczyste = false; };
    const auto kreski = [](UstawieniaWykresu& u) { u.Kreskowane = true; };
    const QColor zielony(0, 160, 0);
    const Kolor z = ZQColor(zielony);
    const Czcionka duza{QStringLiteral("MS Sans Serif"), KolorRGB(200, 0, 0), 14, StylPogrubiony};
    const Przypadek przypadki[] = {
        {"Naglowek.Widoczny", 1, nic, [](auto& u) { u.Naglowek.Widoczny = false; }},
        {"Naglowek.TloDoTekstu", 1, tloNaglowka, [](auto& u) { u.Naglowek.TloDoTekstu = true; }},
        {"Naglowek.Przezroczysty", 1, nic,
         [](auto& u) {
             u.Naglowek.Przezroczysty = false;
             u.Naglowek.KolorTla = KolorRGB(255, 255, 0);
         }},
        {"Naglowek.Ramka", 1, nic, [](auto& u) { u.Naglowek.Ramka = true; }},
        {"Naglowek.Wyrownanie", 1, nic, [](auto& u) { u.Naglowek.Wyrownanie = 0; }},
        {"Naglowek.Czcionka", 1, nic, [&](auto& u) { u.Naglowek.Czcionka = duza; }},
        {"Naglowek.KolorTla", 1, tloNaglowka,
         [](auto& u) { u.Naglowek.KolorTla = KolorRGB(255, 0, 0); }},
        {"Naglowek.Tekst", 1, nic, [](auto& u) { u.Naglowek.Tekst = QStringLiteral("Inny"); },
         false},
        {"Stopka.Widoczny", 1, nic, stopka},
        {"Stopka.Wyrownanie", 1, stopka, [](auto& u) { u.Stopka.Wyrownanie = 2; }},
        {"Stopka.Czcionka", 1, stopka, [&](auto& u) { u.Stopka.Czcionka = duza; }},
        {"Stopka.Ramka", 1, stopka, [](auto& u) { u.Stopka.Ramka = true; }},
        {"OsPionowa.Opis", 1, nic, opisLewej},
        {"OsPionowa.Kat", 1, opisLewej, [](auto& u) { u.OsPionowa.Kat = 0; }},
        {"OsPionowa.KolorOsi", 1, nic, [&](auto& u) { u.OsPionowa.KolorOsi = z; }},
        {"OsPionowa.CzcionkaOpisu", 1, opisLewej,
         [&](auto& u) { u.OsPionowa.CzcionkaOpisu = duza; }},
        {"OsPionowa.CzcionkaEtykiet", 1, nic, [&](auto& u) { u.OsPionowa.CzcionkaEtykiet = duza; }},
        {"OsPionowa.SiatkaWidoczna", 1, nic, [](auto& u) { u.OsPionowa.SiatkaWidoczna = true; }},
        {"OsPionowa.KolorSiatki", 1, siatki, [&](auto& u) { u.OsPionowa.KolorSiatki = z; }},
        {"OsPionowa.RodzajLinii", 1, siatki, [](auto& u) { u.OsPionowa.RodzajLinii = 0; }},
        {"OsPionowa.SciankaPrzezroczysta", 1, nic,
         [](auto& u) { u.OsPionowa.SciankaPrzezroczysta = true; }},
        {"OsPionowa.KolorScianki", 1, nic, [&](auto& u) { u.OsPionowa.KolorScianki = z; }},
        {"OsPozioma.Opis", 1, nic, [](auto& u) { u.OsPozioma.Opis = QStringLiteral("Punkty"); }},
        {"OsPozioma.Kat", 1, nic, [](auto& u) { u.OsPozioma.Kat = 90; }},
        {"OsPozioma.KolorOsi", 1, nic, [&](auto& u) { u.OsPozioma.KolorOsi = z; }},
        {"OsPozioma.CzcionkaOpisu", 1, nic, [&](auto& u) { u.OsPozioma.CzcionkaOpisu = duza; }},
        {"OsPozioma.CzcionkaEtykiet", 1, nic, [&](auto& u) { u.OsPozioma.CzcionkaEtykiet = duza; }},
        {"OsPozioma.SiatkaWidoczna", 1, nic, [](auto& u) { u.OsPozioma.SiatkaWidoczna = true; }},
        {"OsPozioma.KolorSiatki", 1, siatki, [&](auto& u) { u.OsPozioma.KolorSiatki = z; }},
        {"OsPozioma.RodzajLinii", 1, siatki, [](auto& u) { u.OsPozioma.RodzajLinii = 0; }},
        {"OsPozioma.SciankaPrzezroczysta", 1, nic,
         [](auto& u) { u.OsPozioma.SciankaPrzezroczysta = true; }},
        {"OsPozioma.KolorScianki", 1, nic, [&](auto& u) { u.OsPozioma.KolorScianki = z; }},
        {"LegendaWidoczna", 1, nic, legenda},
        {"KolorLegendy", 1, legenda, [&](auto& u) { u.KolorLegendy = z; }},
        {"KolorCienia", 1, legenda, [&](auto& u) { u.KolorCienia = z; }},
        {"CzcionkaLegendy", 1, legenda, [&](auto& u) { u.CzcionkaLegendy = duza; }},
        {"DlugoscCienia", 1, legenda, [](auto& u) { u.DlugoscCienia = 8; }},
        {"PolozenieLegendy", 1, legenda, [](auto& u) { u.PolozenieLegendy = 30; }},
        {"PokazLegende", 1, legenda, [](auto& u) { u.PokazLegende = 2; }},
        {"ObrazTla", 1, nic, [](auto& u) { u.ObrazTla = true; }, false},
        {"KolorTlaWykresu", 1, nic, [&](auto& u) { u.KolorTlaWykresu = z; }},
        {"KolorTlaZewnetrzny", 1, nic, [&](auto& u) { u.KolorTlaZewnetrzny = z; }},
        {"KolorObramowania", 1, nic, [&](auto& u) { u.KolorObramowania = z; }},
        {"Gradient", 1, nic, gradient},
        {"KolorPoczatkowy", 1, gradient, [&](auto& u) { u.KolorPoczatkowy = z; }},
        {"KolorKoncowy", 1, gradient, [&](auto& u) { u.KolorKoncowy = z; }},
        {"Wykres3D", 1, nic, [](auto& u) { u.Wykres3D = false; }, false},
        {"Osie3D", 1, nic, [](auto& u) { u.Osie3D = false; }, false},
        {"Glebokosc3D", 1, nic, [](auto& u) { u.Glebokosc3D = 90; }, false},
        {"Zoom", 1, nic, [](auto& u) { u.Zoom = 250; }, false},
        {"Elewacja", 3, nic, [](auto& u) { u.Elewacja = 45; }, false},
        {"Rezerwa", 1, nic, [](auto& u) { u.Rezerwa = 0; }, false},
        {"PokazWartosci", 1, nic, [](auto& u) { u.PokazWartosci = false; }},
        {"WartosciPrzezroczyste", 1, nic, tloWartosci},
        {"KolorTlaWartosci", 1, tloWartosci, [&](auto& u) { u.KolorTlaWartosci = z; }},
        {"CzcionkaWartosci", 1, nic, [&](auto& u) { u.CzcionkaWartosci = duza; }},
        {"RodzajWartosci", 1, nic, [](auto& u) { u.RodzajWartosci = 0; }},
        {"RodzajWartosci na kole", 3, nic, [](auto& u) { u.RodzajWartosci = 4; }},
        {"KsztaltSlupka 0", 1, nic, [](auto& u) { u.KsztaltSlupka = 0; }},
        {"KsztaltSlupka 2", 1, nic, [](auto& u) { u.KsztaltSlupka = 2; }},
        {"KsztaltSlupka 3", 1, nic, [](auto& u) { u.KsztaltSlupka = 3; }},
        {"WartoscPoczatkowa", 1, nic, [](auto& u) { u.WartoscPoczatkowa = 5; }},
        {"SzerokoscSlupka", 1, nic, [](auto& u) { u.SzerokoscSlupka = 80; }},
        {"Kreskowane", 3, nic, kreski},
        {"KolorTlaKola", 3, kreski, [&](auto& u) { u.KolorTlaKola = z; }},
        {"Eksplozja", 3, nic, [](auto& u) { u.Eksplozja = 60; }},
        {"ObrotKola", 3, nic, [](auto& u) { u.ObrotKola = 90; }},
        {"WierzcholkiWidoczne", 4, nic, [](auto& u) { u.WierzcholkiWidoczne = false; }},
        {"KolorWierzcholkow", 4, nic, [&](auto& u) { u.KolorWierzcholkow = z; }},
        {"KsztaltWierzcholka", 4, nic, [](auto& u) { u.KsztaltWierzcholka = 3; }},
        {"DlugoscWierzcholka", 4, nic, [](auto& u) { u.DlugoscWierzcholka = 12; }},
        {"SzerokoscWierzcholka", 4, nic, [](auto& u) { u.SzerokoscWierzcholka = 12; }},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        stan = std::make_unique<StanWykresu>();
        Otworz(p.typ == 3 ? 3 : 1);
        const auto pokaz = [&] {
            PokazRodzajWykresu(*stan, p.typ == 4 ? WykresLiniowy : stan->ZadanyRodzajWykresu);
        };
        p.warunek(stan->UstawieniaWykresu);
        pokaz();
        const QImage przed = Obraz();
        p.zmiana(stan->UstawieniaWykresu);
        pokaz();
        const QImage po = Obraz();
        EXPECT_EQ(po != przed, p.zmienia);
        if (!qEnvironmentVariableIsEmpty("SONDREL_ZRZUT")) // to look at
            po.save(qEnvironmentVariable("SONDREL_ZRZUT") + u'/' + QString::fromLatin1(p.nazwa) +
                    QStringLiteral(".png"));
    }
}

TEST_F(Wykresy, PojedynczePoleIObrazTla) {
    Otworz(1);
    QImage obraz(40, 30, QImage::Format_RGB32);
    obraz.fill(Qt::magenta);
    UstawObrazTla(*stan, obraz);
    const QImage zewnatrz = Obraz();
    EXPECT_EQ(zewnatrz.pixelColor(5, 150), QColor(Qt::white)); // centred at its own size
    stan->UstawieniaWykresu.ObrazWysrodkowany = false;
    ZastosujPole(*stan, Pole::ObrazWysrodkowany);
    EXPECT_EQ(Obraz().pixelColor(2, 150), QColor(Qt::magenta)); // stretched over the chart
    stan->UstawieniaWykresu.ObrazWewnatrz = true;
    ZastosujPole(*stan, Pole::ObrazWewnatrz);
    EXPECT_EQ(Obraz().pixelColor(2, 150), QColor(Qt::white));
    // The 3D fields apply one at a time; the marks of the current series only.
    stan->UstawieniaWykresu.Glebokosc3D = 60;
    ZastosujPole(*stan, Pole::Glebokosc3D);
    EXPECT_EQ(stan->Wykres.widok.glebokosc, 60);
    stan->UstawieniaWykresu.PokazWartosci = false;
    ZastosujPole(*stan, Pole::PokazWartosci);
    EXPECT_FALSE(stan->Wykres.serie[0].znaczniki.widoczne);
    EXPECT_TRUE(stan->Wykres.serie[1].znaczniki.widoczne);
    UstawTekst(*stan, CelTekstu::Naglowek, {QString(60, u'a'), QStringLiteral("b")});
    EXPECT_EQ(stan->Wykres.tytul.wiersze.size(), 2);
}

// What the settings window changes, record and chart together: texts that the record keeps cut
// to 50 characters stay whole on the chart; the frame of either text resets the title's frame
// line; a background picture that could not be read leaves the chart's own.
TEST_F(Wykresy, ZmianyOknaUstawienRekordIWykres) {
    Otworz(1);
    const QString dlugi(60, u'x');
    ZmienTekst(*stan, CelTekstu::Stopka, {dlugi, QStringLiteral("b")});
    EXPECT_EQ(stan->UstawieniaWykresu.Stopka.Tekst, dlugi.left(50));
    EXPECT_EQ(stan->Wykres.stopka.wiersze, (QStringList{dlugi, QStringLiteral("b")}));
    ZmienTekst(*stan, CelTekstu::Naglowek, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(stan->UstawieniaWykresu.Naglowek.Tekst, QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(WierszeTekstu(stan->UstawieniaWykresu.Naglowek.Tekst),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(WierszeTekstu(QStringLiteral("a\r\nb")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(WierszeTekstu(QString()), QStringList{QString()});

    ZmienOpisOsi(*stan, Os::Pionowa, dlugi);
    EXPECT_EQ(stan->UstawieniaWykresu.OsPionowa.Opis, dlugi.left(50));
    EXPECT_EQ(stan->Wykres.lewa.tytul, dlugi);
    EXPECT_NE(stan->Wykres.dolna.tytul, dlugi);

    stan->Wykres.tytul.pioroRamki = QPen(Qt::red, 3, Qt::DashLine);
    ZmienRamke(*stan, CelTekstu::Stopka, true);
    EXPECT_TRUE(stan->UstawieniaWykresu.Stopka.Ramka);
    EXPECT_TRUE(stan->Wykres.stopka.ramka);
    EXPECT_EQ(stan->Wykres.tytul.pioroRamki, QPen(Qt::black, 1, Qt::SolidLine));

    QImage obraz(40, 30, QImage::Format_RGB32);
    obraz.fill(Qt::magenta);
    ZmienObrazTla(*stan, true, obraz);
    EXPECT_TRUE(stan->UstawieniaWykresu.ObrazTla);
    EXPECT_EQ(stan->Wykres.tla.obraz, obraz);
    ZmienObrazTla(*stan, true, QImage()); // unreadable: the chart keeps its picture
    EXPECT_EQ(stan->Wykres.tla.obraz, obraz);
    ZmienObrazTla(*stan, false);
    EXPECT_FALSE(stan->UstawieniaWykresu.ObrazTla);
    EXPECT_TRUE(stan->Wykres.tla.obraz.isNull());
}

// Only the three kinds are shown; the state knows no window to show.
TEST_F(Wykresy, TylkoZnaneRodzajeSaPokazywane) {
    for (const int rodzaj : {0, 4, -1})
        EXPECT_FALSE(PokazRodzajWykresu(*stan, rodzaj)) << rodzaj;
    EXPECT_EQ(stan->BiezacyRodzajWykresu, 0);
    stan->ZadanyRodzajWykresu = RodzajDlaTypu(7);
    EXPECT_FALSE(OtworzWykres(*stan, *analiza, false, 7));
    stan->ZadanyRodzajWykresu = RodzajDlaTypu(3);
    EXPECT_TRUE(OtworzWykres(*stan, *analiza, false, 3));
    EXPECT_EQ(stan->BiezacyRodzajWykresu, WykresKolowy);
}

} // namespace
} // namespace sondrel
