// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kodowanie1250.h"
#include "formats/wartosci.h"
#include "formats/xml.h"
#include "settings/ustawienia.h"
#include "support/pelny_dysk.h"
#include "support/srodowisko_testowe.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sondrel;
using testy::Komunikat;
using testy::SrodowiskoTestowe;

namespace {

const Komunikat Uszkodzony{
    KomunikatInformacja, IkonaInformacja,
    QString::fromUtf8("Plik ustawień jest uszkodzony. Utworzono nowy plik.")};

class UstawieniaTest : public ::testing::Test {
public:
    UstawieniaTest() { st.srodowisko.foldery.PlikUstawien = st.sciezka("Sondrel.ini"); }

    QString plik() const { return st.srodowisko.foldery.PlikUstawien; }

    void zapiszSurowy(const QByteArray& bajty) {
        QFile f(plik());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bajty);
    }

    // A settings document with the given keys, each value encoded unless `zakoduj` is false.
    void zapiszKlucze(const QList<std::pair<QString, QString>>& klucze, bool zakoduj = true) {
        TpkXML d;
        TpkXMLNode* ini = d.FindNode(u"Ini", true);
        for (const auto& [klucz, wartosc] : klucze)
            ini->ChildByName(klucz, true)->text = zakoduj ? Zakoduj(wartosc) : wartosc;
        ASSERT_TRUE(d.SaveToFile(plik()));
    }

    // The keys of the file in order, with their decoded values.
    QList<std::pair<QString, QString>> klucze() {
        TpkXML d;
        EXPECT_TRUE(d.LoadFromFile(plik()));
        QList<std::pair<QString, QString>> wynik;
        TpkXMLNode* ini = d.FindNode(u"Ini", false);
        if (!ini) return wynik;
        for (int i = 0; i < ini->ChildCount(); ++i)
            wynik.append({ini->Child(i)->name, OdkodujUstawienia(ini->Child(i)->text)});
        return wynik;
    }

    SrodowiskoTestowe st;
};

} // namespace

TEST_F(UstawieniaTest, BezPlikuWartosciPoczatkoweINicNieZapisane) {
    Ustawienia u = Ustawienia::Domyslne();
    u = Ustawienia::Poczatkowe();
    CzytajUstawienia(u, st.srodowisko);
    EXPECT_EQ(u, Ustawienia::Poczatkowe());
    EXPECT_FALSE(u.fn || u.calltab || u.bez || u.rdfw);
    EXPECT_EQ(st.srodowisko.PoziomDziennika, 0);
    EXPECT_FALSE(QFile::exists(plik()));
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_TRUE(st.dziennik().isEmpty());
}

TEST_F(UstawieniaTest, ZapisIOdczytCalegoPliku) {
    Ustawienia u;
    u.sct = QString::fromUtf8("/home/zoś/Testy/Lista klas 1ą.skg");
    u.fn = true;
    u.bez = true;
    u.wo = 1;
    u.dfpz = 3;
    u.UstawieniaZmienione = true;
    st.srodowisko.PoziomDziennika = 3;
    ASSERT_TRUE(ZapiszUstawienia(u, st.srodowisko));
    EXPECT_FALSE(u.UstawieniaZmienione);
    EXPECT_EQ(st.dziennik(), QStringList{"Zapisano nowy plik Sondrel.ini."});

    // Eight keys in order, every value encoded, lines ended by CR LF.
    const QList<std::pair<QString, QString>> oczekiwane = {
        {"ed", "Sondrel"}, {"sct", u.sct}, {"fn", "1"}, {"calltab", "0"},
        {"bez", "1"},      {"rdfw", "0"},  {"wo", "1"}, {"dfpz", "3"}};
    EXPECT_EQ(klucze(), oczekiwane);
    QFile f(plik());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bajty = f.readAll();
    EXPECT_FALSE(bajty.contains("Sondrel"));
    EXPECT_TRUE(bajty.startsWith("<Ini>\r\n\t<ed>"));
    EXPECT_EQ(bajty.count("\r\n"), 10);
    EXPECT_EQ(bajty.count('\n'), 10);

    st.wyczysc();
    Ustawienia odczytane;
    st.srodowisko.PoziomDziennika = 0;
    CzytajUstawienia(odczytane, st.srodowisko);
    EXPECT_EQ(odczytane, u);
    EXPECT_EQ(st.srodowisko.PoziomDziennika, 3);
    EXPECT_EQ(st.dziennik(), QStringList{"Poprawnie wczytano plik Sondrel.ini."});
    EXPECT_TRUE(st.komunikaty.isEmpty());
}

TEST_F(UstawieniaTest, WartosciWlacznikowILiczb) {
    zapiszKlucze({{"ed", "Sondrel"},
                  {"fn", "2"},
                  {"calltab", "1"},
                  {"bez", " 1"},
                  {"wo", "duze"},
                  {"dfpz", "4"}});
    Ustawienia u = Ustawienia::Domyslne();
    CzytajUstawienia(u, st.srodowisko);
    EXPECT_FALSE(u.fn);
    EXPECT_TRUE(u.calltab);
    EXPECT_FALSE(u.bez);
    EXPECT_FALSE(u.rdfw); // missing key: empty text, off
    EXPECT_EQ(u.sct, "");
    EXPECT_EQ(u.wo, 0);
    EXPECT_EQ(u.dfpz, 4);
    EXPECT_TRUE(st.komunikaty.isEmpty());
}

TEST_F(UstawieniaTest, UszkodzonyPlikZastapionyDomyslnymi) {
    struct Przypadek {
        const char* opis;
        std::function<void(UstawieniaTest&)> przygotuj;
        const char* wiersz;
    } przypadki[] = {
        {"inny modul",
         [](UstawieniaTest& t) {
             t.zapiszKlucze({{"ed", "Zadrix"}, {"fn", "0"}});
         },
         "Błędny nagłówek pliku ini lub plik uszkodzony."},
        {"naglowek niezakodowany",
         [](UstawieniaTest& t) {
             t.zapiszKlucze({{"ed", "Sondrel"}}, false);
         },
         "Błędny nagłówek pliku ini lub plik uszkodzony."},
        {"bez naglowka",
         [](UstawieniaTest& t) {
             t.zapiszKlucze({{"dfpz", "2"}});
         },
         "Błędny nagłówek pliku ini lub plik uszkodzony."},
        {"pusty plik", [](UstawieniaTest& t) { t.zapiszSurowy(""); },
         "Uszkodzony plik Sondrel.ini. Błąd odczytu."},
        {"nie XML", [](UstawieniaTest& t) { t.zapiszSurowy("[Sondrel]\r\nfn=1\r\n"); },
         "Uszkodzony plik Sondrel.ini. Błąd odczytu."},
        {"ucięty w znaczniku",
         [](UstawieniaTest& t) {
             t.zapiszKlucze({{"ed", "Sondrel"}, {"fn", "0"}});
             QFile f(t.plik());
             f.open(QIODevice::ReadWrite);
             const QByteArray b = f.readAll();
             f.resize(b.indexOf("<fn>") + 3);
         },
         "Uszkodzony plik Sondrel.ini. Błąd odczytu."},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        st.wyczysc();
        QFile::remove(plik());
        p.przygotuj(*this);
        Ustawienia u;
        u.UstawieniaZmienione = true;
        st.srodowisko.PoziomDziennika = 0;
        CzytajUstawienia(u, st.srodowisko);
        EXPECT_EQ(st.komunikaty, QList<Komunikat>{Uszkodzony});
        EXPECT_EQ(st.dziennik(), QStringList{QString::fromUtf8(p.wiersz)});
        EXPECT_EQ(u, Ustawienia::Domyslne());
        EXPECT_TRUE(u.fn && u.calltab && u.bez && u.rdfw);
        EXPECT_EQ(st.srodowisko.PoziomDziennika, 1);

        // The new file is complete and reads without a message.
        EXPECT_EQ(klucze().size(), 8);
        st.wyczysc();
        Ustawienia znowu;
        CzytajUstawienia(znowu, st.srodowisko);
        EXPECT_EQ(znowu, Ustawienia::Domyslne());
        EXPECT_TRUE(st.komunikaty.isEmpty());
    }
}

// A FIFO in the settings file's place is read at once as a damaged file (a read would wait for
// a writer for ever and hang every start), and the new file does not replace it.
TEST_F(UstawieniaTest, PotokZamiastPlikuUstawien) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(plik()).constData(), 0600), 0);
    Ustawienia u;
    EXPECT_EQ(OdczytajPlikUstawien(plik(), u), StanPlikuUstawien::Nieczytelny);
    st.srodowisko.PoziomDziennika = 0;
    CzytajUstawienia(u, st.srodowisko);
    EXPECT_EQ(st.komunikaty, QList<Komunikat>{Uszkodzony});
    EXPECT_EQ(u, Ustawienia::Domyslne());
    struct stat opis {};
    ASSERT_EQ(::lstat(QFile::encodeName(plik()).constData(), &opis), 0);
    EXPECT_TRUE(S_ISFIFO(opis.st_mode));
}

TEST_F(UstawieniaTest, ZapisJednegoKlucza) {
    // Without a file, the journal level makes a file that holds the header and dfpz...
    Ustawienia u;
    st.srodowisko.PoziomDziennika = 0;
    ASSERT_TRUE(ZapiszPoziomDziennika(u, st.srodowisko, 2));
    EXPECT_EQ(u.dfpz, 2);
    EXPECT_EQ(st.srodowisko.PoziomDziennika, 2);
    EXPECT_EQ(st.dziennik(),
              QStringList{QString::fromUtf8("Zmieniono poziom zdarzeń. Aktualny poziom, to: 2")});
    EXPECT_EQ(klucze(), (QList<std::pair<QString, QString>>{{"ed", "Sondrel"}, {"dfpz", "2"}}));

    // ...which the next start reads: the change is kept, the other keys have their start values.
    Ustawienia nowe;
    CzytajUstawienia(nowe, st.srodowisko);
    EXPECT_TRUE(st.komunikaty.isEmpty());
    Ustawienia zPoziomem = Ustawienia::Poczatkowe();
    zPoziomem.dfpz = 2;
    EXPECT_EQ(nowe, zPoziomem);
    nowe = Ustawienia::Domyslne();
    ASSERT_TRUE(ZapiszUstawienia(nowe, st.srodowisko));

    // In a whole file one key changes and the others stay.
    st.wyczysc();
    st.srodowisko.PoziomDziennika = 3;
    nowe.wo = 7;
    ASSERT_TRUE(ZapiszRozmiarOkna(nowe, st.srodowisko));
    EXPECT_EQ(st.dziennik(), QStringList{QString::fromUtf8("Zmieniono w ini wielkość okna.")});
    ASSERT_TRUE(ZapiszPoziomDziennika(nowe, st.srodowisko, 0));
    Ustawienia odczytane;
    CzytajUstawienia(odczytane, st.srodowisko);
    Ustawienia oczekiwane = Ustawienia::Domyslne();
    oczekiwane.wo = 7;
    oczekiwane.dfpz = 0;
    EXPECT_EQ(odczytane, oczekiwane);
}

TEST_F(UstawieniaTest, ArchiwumNaSerwerzeJakoOstatniKlucz) {
    // A server archive adds its key after the eight others; the eight are written as ever.
    Ustawienia u = Ustawienia::Domyslne();
    u.arch = QString::fromUtf8("postgresql://nauczyciel@szkoła.example:5433/archiwum");
    ASSERT_TRUE(ZapiszUstawienia(u, st.srodowisko));
    const auto zapisane = klucze();
    ASSERT_EQ(zapisane.size(), 9);
    EXPECT_EQ(zapisane.back(), (std::pair<QString, QString>{"arch", u.arch}));
    Ustawienia odczytane;
    CzytajUstawienia(odczytane, st.srodowisko);
    EXPECT_EQ(odczytane, u);

    // A one-key write keeps it; switching back to this computer drops the key again.
    ASSERT_TRUE(ZapiszPoziomDziennika(odczytane, st.srodowisko, 2));
    EXPECT_EQ(klucze().back(), (std::pair<QString, QString>{"arch", u.arch}));
    odczytane.arch.clear();
    ASSERT_TRUE(ZapiszUstawienia(odczytane, st.srodowisko));
    EXPECT_EQ(klucze().size(), 8);
    Ustawienia bezSerwera;
    CzytajUstawienia(bezSerwera, st.srodowisko);
    EXPECT_TRUE(bezSerwera.arch.isEmpty());
}

TEST_F(UstawieniaTest, NieudanyZapisZostawiaWierszIStaryPlik) {
    Ustawienia u = Ustawienia::Domyslne();
    ASSERT_TRUE(ZapiszUstawienia(u, st.srodowisko));
    const auto przed = klucze();

    st.wyczysc();
    st.srodowisko.PoziomDziennika = 1;
    st.srodowisko.foldery.PlikUstawien = st.sciezka("brak/Sondrel.ini");
    u.sct = "x";
    u.UstawieniaZmienione = true;
    EXPECT_FALSE(ZapiszUstawienia(u, st.srodowisko));
    EXPECT_TRUE(u.UstawieniaZmienione);
    EXPECT_EQ(u.sct, "x");
    EXPECT_FALSE(ZapiszPoziomDziennika(u, st.srodowisko, 4));
    EXPECT_EQ(u.dfpz, 4);
    EXPECT_EQ(st.srodowisko.PoziomDziennika, 4);
    EXPECT_FALSE(ZapiszRozmiarOkna(u, st.srodowisko));
    const QString problem = QString::fromUtf8("Problem z zapisem zmiany ustawień do ini.");
    EXPECT_EQ(st.dziennik(), (QStringList{"Problem z zapisem Sondrel.ini.", problem, problem}));

    // The old file is as it was.
    st.srodowisko.foldery.PlikUstawien = st.sciezka("Sondrel.ini");
    EXPECT_EQ(klucze(), przed);
}

// The data folder on a full disk (the journal elsewhere): every kind of settings write fails,
// leaves the file byte for byte as it was and writes the failure line, not the success line.
TEST_F(UstawieniaTest, PelnyDyskZostawiaPlikUstawien) {
    testy::MalyDysk dysk(64 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    st.srodowisko.foldery.PlikUstawien = dysk.sciezka("Sondrel.ini");
    Ustawienia u = Ustawienia::Domyslne();
    ASSERT_TRUE(ZapiszUstawienia(u, st.srodowisko));
    QFile f(plik());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray przed = f.readAll();
    f.close();
    dysk.Zapelnij();

    st.wyczysc();
    st.srodowisko.PoziomDziennika = 4;
    EXPECT_FALSE(ZapiszPoziomDziennika(u, st.srodowisko, 1));
    EXPECT_FALSE(ZapiszRozmiarOkna(u, st.srodowisko));
    u.sct = QStringLiteral("/home/nauczyciel/testy.skg");
    u.UstawieniaZmienione = true;
    EXPECT_FALSE(ZapiszUstawienia(u, st.srodowisko));
    EXPECT_TRUE(u.UstawieniaZmienione);
    const QString problem = QString::fromUtf8("Problem z zapisem zmiany ustawień do ini.");
    EXPECT_EQ(st.dziennik(), (QStringList{problem, problem, "Problem z zapisem Sondrel.ini."}));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), przed);

    // The next start reads the old settings, not a damaged file.
    Ustawienia odczytane;
    CzytajUstawienia(odczytane, st.srodowisko);
    EXPECT_TRUE(st.komunikaty.isEmpty());
    EXPECT_EQ(odczytane, Ustawienia::Domyslne());
}
