// SPDX-License-Identifier: GPL-3.0-or-later
#include "polecenia.h"
#include "program_cli.h"

#include "analysis/czytnik_odpowiedzi.h"
#include "analysis/przebieg_analizy.h"
#include "core/foldery.h"
#include "core/kodowanie1250.h"
#include "formats/wartosci.h"
#include "formats/xml.h"
#include "reports/raport.h"
#include "support/pelny_dysk.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"
#include "tables/eksport_tabel.h"
#include "tables/tabele.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// Where the program's journal is (the tests' own data folder).
QString PlikDziennikaProgramu() {
    Srodowisko s;
    UstawFoldery(s);
    return QDir::toNativeSeparators(s.foldery.PlikDziennika);
}

PlikOdpowiedzi Uczen(const QString& nazwisko, const QString& imie, const QString& start,
                     const QString& koniec, const QList<OdpowiedzUcznia>& pytania) {
    PlikOdpowiedzi p;
    p.nazwisko = nazwisko;
    p.imie = imie;
    p.start = start;
    p.koniec = koniec;
    p.zapis = koniec;
    p.pytania = pytania;
    return p;
}

const QString Klucz[] = {"1000", "0100", "0010", "0001"};

QList<OdpowiedzUcznia> Odpowiedzi(const QStringList& wybory) {
    QList<OdpowiedzUcznia> o;
    for (int i = 0; i < wybory.size(); ++i)
        o.append({wybory[i], Klucz[i]});
    return o;
}

// A class of four students on a test of four questions (key A, B, C, D), hand-checked:
//   Adamska Ola      A B C(+"2") D   3 points (question 3 is right by the flags only)  75 % Db
//   Kowalski Jan     A B C D         4 points                                          100 % Cel
//   Łukasiewicz Ewa  A A - CD        1 point                                           25 % Ndst
//   Nowak Anna       A B B -         2 points                                          50 % Dst
// and, given third, a file of another test.
class Polecenia : public testing::Test {
protected:
    void SetUp() override {
        const struct {
            const char* nazwa;
            PlikOdpowiedzi plik;
        } pliki[] = {
            {"nowak.sko", Uczen("Nowak", "Anna", "10:00:00", "10:20:00",
                                Odpowiedzi({"1000", "0100", "0100", "0000"}))},
            {"kowalski.sko", Uczen("Kowalski", "Jan", "10:00:00", "10:30:00",
                                   Odpowiedzi({"1000", "0100", "0010", "0001"}))},
            {"inny.sko",
             Uczen("Inny", "Test", "10:00:00", "10:30:00", Odpowiedzi({"1000", "0100", "0010"}))},
            {"lukasiewicz.sko", Uczen("Łukasiewicz", "Ewa", "23:50:00", "00:10:00",
                                      Odpowiedzi({"1000", "1000", "0000", "0011"}))},
            {"adamska.sko", Uczen("Adamska", "Ola", "9:00:00", "9:25:30",
                                  Odpowiedzi({"1000", "0100", "0012", "0001"}))},
        };
        for (const auto& p : pliki) {
            PlikOdpowiedzi plik = p.plik;
            plik.zapis = plik.koniec == QLatin1String("10:30:00") ? "10:30:05" : plik.koniec;
            if (QLatin1String(p.nazwa) == QLatin1String("inny.sko")) plik.iloscPytan = 3;
            if (QLatin1String(p.nazwa) == QLatin1String("adamska.sko"))
                plik.kodowanie = KodowanieXml::Base64;
            ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka(p.nazwa), plik));
            klasa.append(st.sciezka(p.nazwa));
        }
        PlikTestu test;
        test.pytania = {{.tresc = "Stolica Polski?",
                         .odpowiedzi = {"Warszawa", "Kraków", "Gdańsk", "Poznań"},
                         .klucz = "1000",
                         .obraz = "mapa.jpg"},
                        {.tresc = "Pytanie 2", .odpowiedzi = {"a", "b", "c", "d"}, .klucz = "0100"},
                        {.tresc = "Pytanie 3",
                         .odpowiedzi = {"a", "b", "c", "d"},
                         .klucz = "0010",
                         .tekst = "opis.txt"},
                        {.tresc = "Pytanie 4",
                         .odpowiedzi = {"a", "b", "c", "d"},
                         .klucz = "0001",
                         .obraz = "mapa.jpg"}};
        test.czlony = {Czlon("mapa.jpg", ObrazJpeg(40, 30)), Czlon("opis.txt", "Tekst")};
        ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("test.skt"), test));
        PlikTestu inny;
        inny.nazwaTestu = QStringLiteral("Inny");
        ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("inny.skt"), inny));
    }

    QJsonObject Json(const QStringList& argumenty) {
        const Wynik w = Uruchom(QStringList{"json"} + argumenty);
        EXPECT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
        QJsonParseError blad;
        const QJsonDocument d = QJsonDocument::fromJson(w.wyjscie, &blad);
        EXPECT_EQ(blad.error, QJsonParseError::NoError);
        return d.object();
    }

    QStringList Pliki(const QString& katalog) {
        QStringList p = QDir(katalog).entryList(QDir::Files, QDir::Name);
        return p;
    }

    SrodowiskoTestowe st;
    QStringList klasa;
};

} // namespace

TEST_F(Polecenia, BledneWywolania) {
    const QString f = klasa.first();
    // Without a command: the usage. With a wrong one: one line of reason and where the usage is,
    // not the whole usage again.
    const Wynik pusty = Uruchom({});
    EXPECT_EQ(pusty.kod, KodBlednePolecenie);
    EXPECT_TRUE(pusty.bledy.startsWith(QStringLiteral("Użycie:\n  sondrel-cli json")));
    const QStringList przypadki[] = {
        {"analiza", f},
        {"json"},
        {"json", "--test"},
        {"json", "--strona", "2", f},
        {"json", "--do", "x", f},
        {"tabela", "wyniki"},
        {"tabela", "wyniki", "htm"},
        {"tabela", "wykres", "htm", f},
        {"tabela", "wyniki", "pdf", f},
        {"tabela", "wyniki", "htm", "--strona", "0", f},
        {"tabela", "wyniki", "htm", "--strona", "x", f},
        {"raport", "test", "--do", "d", f},
        {"raport", "test", "--test", "t.skt", f},
        {"raport", "uczen:0", "--do", "d", "--test", "t.skt", f},
        {"raport", "pytanie:", "--do", "d", "--test", "t.skt", f},
        {"raport", "wykres", "--do", "d", "--test", "t.skt", f},
        {"wszystko", f},
    };
    for (const QStringList& argumenty : przypadki) {
        const Wynik w = Uruchom(argumenty);
        EXPECT_EQ(w.kod, KodBlednePolecenie) << argumenty.join(' ').toStdString();
        EXPECT_TRUE(w.wyjscie.isEmpty());
        const QStringList wiersze = w.bledy.split(u'\n');
        EXPECT_EQ(wiersze.size(), 3) << w.bledy.toStdString();
        EXPECT_FALSE(wiersze.value(0).isEmpty());
        EXPECT_EQ(wiersze.value(1), QStringLiteral("Opis wywołania: sondrel-cli --help"));
    }
    EXPECT_EQ(Uruchom({"analiza", f}).bledy,
              QStringLiteral("Nieznane polecenie: analiza\nOpis wywołania: sondrel-cli --help\n"));
    const Wynik pomoc = Uruchom({"--help"});
    EXPECT_EQ(pomoc.kod, 0);
    EXPECT_TRUE(pomoc.wyjscie.startsWith("Użycie:"));
    const Wynik wersja = Uruchom({"--version"});
    EXPECT_EQ(wersja.kod, 0);
    EXPECT_TRUE(wersja.wyjscie.startsWith("sondrel-cli 1."));
    EXPECT_TRUE(wersja.wyjscie.endsWith('\n'));
    EXPECT_TRUE(wersja.bledy.isEmpty());
}

// A message about one file names it and, when the system gave one, the reason; one that sends
// the user to the journal says where it is; a later file that is skipped is named with its whole
// path as the journal names it. No message begins with an empty line.
TEST_F(Polecenia, BrakAnalizy) {
    PlikOdpowiedzi stary;
    stary.staraWersja = true;
    ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka("stary.sko"), stary));
    PlikOdpowiedzi zly;
    zly.start = QStringLiteral("10.00");
    ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka("zly.sko"), zly));
    ASSERT_TRUE(QDir().mkpath(st.sciezka("klasa")));
    ASSERT_TRUE(QDir().mkpath(st.sciezka("folder.sko")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(st.sciezka("potok.sko")).constData(), 0600), 0);
    const QString dziennik = QStringLiteral("Dziennik zdarzeń: ") + PlikDziennikaProgramu();
    const QString uszkodzony =
        "Wystąpiły problemy z przetwarzaniem pierwszego z plików.\nPrawdopodobnie plik jest "
        "uszkodzony.\nDalsza analiza została przerwana.\n";
    const QString nieTegoTypu =
        "Moduł Sondrel nie obsługuje plików tego typu.\nWskaż pliki odpowiedzi.\nPlik: ";
    const struct {
        QStringList pliki;
        QString bledy;
    } przypadki[] = {
        {{st.sciezka("test.skt"), klasa.first()}, nieTegoTypu + st.sciezka("test.skt") + "\n"},
        {{st.sciezka("klasa")}, nieTegoTypu + st.sciezka("klasa") + "\n"},
        {{st.sciezka("stary.sko"), klasa.first()},
         "Wersja ta nie analizuje wyników starszych wersji programu.\nSkorzystaj ze starszej "
         "wersji modułu Sondrel.\nPrzerwano dalszą analizę wyników.\nPlik: " +
             st.sciezka("stary.sko") + "\n"},
        {{st.sciezka("brak.sko")},
         uszkodzony + "Powód: nie ma takiego pliku ani folderu\nPlik: " + st.sciezka("brak.sko") +
             "\n"},
        {{st.sciezka("folder.sko")},
         uszkodzony + "Powód: w tym miejscu jest folder\nPlik: " + st.sciezka("folder.sko") + "\n"},
        {{st.sciezka("potok.sko")},
         uszkodzony +
             "Powód: w tym miejscu jest urządzenie, potok albo gniazdo, a nie zwykły plik\nPlik: " +
             st.sciezka("potok.sko") + "\n"},
        {{st.sciezka("zly.sko")},
         "Odczyt pliku wyniku. Błąd analizy zawartości pliku " + st.sciezka("zly.sko") +
             ".\nNie wczytano żadnego pliku odpowiedzi.\nPo szczegóły sięgnij do dziennika "
             "zdarzeń.\n" +
             dziennik + "\n"},
    };
    for (const auto& p : przypadki) {
        const Wynik w = Uruchom(QStringList{"json"} + p.pliki);
        EXPECT_EQ(w.kod, KodBrakAnalizy);
        EXPECT_EQ(w.bledy, p.bledy);
        EXPECT_TRUE(w.wyjscie.isEmpty());
    }
}

// A data folder that cannot be made takes no journal: the tool says so once and never sends the
// user to that journal; the skipped file is still named.
TEST_F(Polecenia, BezFolderuDanychBezOdeslaniaDoDziennika) {
    POMIN_BEZ_PROGRAMU_CLI();
    ASSERT_TRUE(ZapiszBajty(st.sciezka("plik"), "x"));
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert("XDG_DATA_HOME", st.sciezka("plik/dane"));
    const WynikProgramu w =
        UruchomProgramCli({"json", klasa.first(), st.sciezka("inny.sko")}, srodowisko);
    EXPECT_EQ(w.kod, KodAnalizaWykonana);
    EXPECT_TRUE(w.bledy.startsWith("Nie udało się utworzyć folderu programu:"))
        << w.bledy.toStdString();
    EXPECT_TRUE(w.bledy.endsWith("Plik " + st.sciezka("inny.sko") +
                                 " dotyczy innego testu niż analizowany.\n"
                                 "Nie wszystkie pliki odpowiedzi poddano analizie.\n"))
        << w.bledy.toStdString();
    EXPECT_FALSE(w.bledy.contains("Po szczegóły")) << w.bledy.toStdString();
    EXPECT_FALSE(w.bledy.contains("Dziennik zdarzeń:")) << w.bledy.toStdString();
}

TEST_F(Polecenia, JsonKlasy) {
    const QJsonObject j = Json(klasa);
    EXPECT_EQ(j["rodzajAnalizy"].toInt(), 0);
    EXPECT_EQ(j["pominiete"].toInt(), 1);
    const QJsonObject test = j["test"].toObject();
    EXPECT_EQ(test["nazwa"].toString(), QStringLiteral("Test"));
    EXPECT_EQ(test["autor"].toString(), QStringLiteral("Autor"));
    EXPECT_EQ(test["iloscPytan"].toInt(), 4);
    EXPECT_EQ(test["iloscOdpowiedzi"].toInt(), 4);
    EXPECT_EQ(test["progi"].toObject(),
              (QJsonObject{{"cel", 95}, {"bdb", 85}, {"db", 70}, {"dst", 50}, {"dp", 30}}));

    const QJsonArray u = j["uczniowie"].toArray();
    ASSERT_EQ(u.size(), 4);
    const struct {
        const char* nazwisko;
        int poprawnych, procent;
        const char* ocena;
        const char* wynik;
        qint64 czas;
    } uczniowie[] = {{"Adamska", 3, 75, "Db", "1111", 1'530'000},
                     {"Kowalski", 4, 100, "Cel", "1111", 1'800'000},
                     {"Łukasiewicz", 1, 25, "Ndst", "1000", -85'200'000},
                     {"Nowak", 2, 50, "Dst", "1100", 1'200'000}};
    for (int i = 0; i < 4; ++i) {
        const QJsonObject o = u[i].toObject();
        EXPECT_EQ(o["nazwisko"].toString(), QString::fromUtf8(uczniowie[i].nazwisko));
        EXPECT_EQ(o["poprawnych"].toInt(), uczniowie[i].poprawnych) << i;
        EXPECT_EQ(o["procent"].toInt(), uczniowie[i].procent) << i;
        EXPECT_EQ(o["ocena"].toString(), QLatin1String(uczniowie[i].ocena)) << i;
        EXPECT_EQ(o["wynik"].toString(), QLatin1String(uczniowie[i].wynik)) << i;
        EXPECT_EQ(o["czasPracyMs"].toInteger(), uczniowie[i].czas) << i;
    }
    const QJsonObject kowalski = u[1].toObject();
    EXPECT_EQ(kowalski["nazwa"].toString(), QStringLiteral("Kowalski Jan"));
    EXPECT_EQ(kowalski["imie"].toString(), QStringLiteral("Jan"));
    EXPECT_EQ(kowalski["startMs"].toInteger(), 36'000'000);
    EXPECT_EQ(kowalski["koniecMs"].toInteger(), 37'800'000);
    EXPECT_EQ(kowalski["zapisMs"].toInteger(), 37'805'000);
    EXPECT_EQ(u[2].toObject()["startMs"].toInteger(), 85'800'000);

    const QJsonArray p = j["pytania"].toArray();
    ASSERT_EQ(p.size(), 4);
    const struct {
        int poprawnych, procent;
        double latwosc;
        const char* kategoria;
        QJsonArray wybrali;
    } pytania[] = {{4, 100, 1, "bardzo łatwy", {4, 0, 0, 0, 0}},
                   {3, 75, 0.75, "łatwy", {1, 3, 0, 0, 0}},
                   {2, 50, 0.5, "umiarkowanie trudny", {0, 1, 2, 0, 0}},
                   {2, 50, 0.5, "umiarkowanie trudny", {0, 0, 1, 3, 0}}};
    for (int q = 0; q < 4; ++q) {
        const QJsonObject o = p[q].toObject();
        EXPECT_EQ(o["nr"].toInt(), q + 1);
        EXPECT_EQ(o["poprawnych"].toInt(), pytania[q].poprawnych) << q;
        EXPECT_EQ(o["procentPoprawnych"].toInt(), pytania[q].procent) << q;
        EXPECT_DOUBLE_EQ(o["latwosc"].toDouble(), pytania[q].latwosc) << q;
        EXPECT_EQ(o["kategoria"].toString(), QString::fromUtf8(pytania[q].kategoria)) << q;
        EXPECT_EQ(o["wybrali"].toArray(), pytania[q].wybrali) << q;
    }

    const QJsonObject k = j["klasa"].toObject();
    EXPECT_EQ(k["iloscUczniow"].toInt(), 4);
    EXPECT_EQ(k["sumaPoprawnych"].toInt(), 10);
    EXPECT_EQ(k["procentKlasy"].toInt(), 62); // 62.5 to the even neighbour
    EXPECT_EQ(k["ocenaKlasy"].toString(), QStringLiteral("Dst"));
    EXPECT_EQ(k["liczbaOcen"].toArray(), (QJsonArray{1, 0, 1, 1, 0, 1}));
    EXPECT_EQ(k["liczbaOcenWgStopnia"].toObject(),
              (QJsonObject{{"Cel", 1}, {"Bdb", 0}, {"Db", 1}, {"Dst", 1}, {"Dp", 0}, {"Ndst", 1}}));
    EXPECT_DOUBLE_EQ(k["sredniaOcen"].toDouble(), 3.5);
    EXPECT_EQ(k["sredniCzasPracyMs"].toInteger(), -20'167'500); // -80 670 000 / 4

    const QJsonObject s = j["statystyka"].toObject();
    EXPECT_EQ(s["minimum"].toInt(), 1);
    EXPECT_EQ(s["maksimum"].toInt(), 4);
    EXPECT_EQ(s["rozstep"].toInt(), 3);
    EXPECT_DOUBLE_EQ(s["srednia"].toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(s["mediana"].toDouble(), 2.5);
    EXPECT_EQ(s["modalna"].toInt(), 1);
    EXPECT_DOUBLE_EQ(s["odchylenie"].toDouble(), 1.1); // sqrt(1.25)
    EXPECT_DOUBLE_EQ(s["latwosc"].toDouble(), 0.62);
    EXPECT_EQ(s["kategoria"].toString(), QStringLiteral("umiarkowanie trudny"));
}

// The document is written as QJsonDocument writes it: Qt reads it and writes the same bytes,
// whatever the names hold (quotes, backslashes, control characters, characters outside the
// code page and outside the basic plane).
TEST_F(Polecenia, JsonPisanyJakPrzezQt) {
    const QStringList nazwiska = {
        QString::fromUtf8("Żółć \"cytat\""),   QString::fromUtf8("ukośnik \\"),
        QString::fromUtf8("Tab\tnowa\nlinia"), QString::fromUtf8("sterujący \x01"),
        QString::fromUtf8("DEL \x7f"),         QString::fromUtf8("Emoji \U0001F600"),
        QString::fromUtf8("Euro € i ‰ oraz ẞ")};
    QStringList pliki;
    for (int i = 0; i < nazwiska.size(); ++i) {
        PlikOdpowiedzi p = Uczen(nazwiska[i], QStringLiteral("Imię </b>&amp;"), "10:00:00",
                                 "10:20:00", Odpowiedzi({"1000", "0100", "0010", "0001"}));
        p.kodowanie = KodowanieXml::Base64;
        pliki.append(st.sciezka(QStringLiteral("dziwny%1.sko").arg(i)));
        ASSERT_TRUE(ZapiszPlikOdpowiedzi(pliki.last(), p));
    }
    for (const QStringList& argumenty : {klasa, pliki, QStringList{pliki.first()}}) {
        const Wynik w = Uruchom(QStringList{"json"} + argumenty);
        ASSERT_EQ(w.kod, KodAnalizaWykonana);
        const QJsonDocument d = QJsonDocument::fromJson(w.wyjscie);
        EXPECT_EQ(d.toJson(QJsonDocument::Indented), w.wyjscie);
        if (argumenty == pliki) {
            QStringList przeczytane;
            for (const QJsonValue u : d.object()["uczniowie"].toArray())
                przeczytane.append(u.toObject()["nazwisko"].toString());
            // Control characters are cleaned out of names where the reader reads them.
            QStringList oczekiwane = nazwiska;
            for (QString& n : oczekiwane)
                n = NazwaBezZnakowSterujacych(n);
            EXPECT_EQ(QSet<QString>(przeczytane.begin(), przeczytane.end()),
                      QSet<QString>(oczekiwane.begin(), oczekiwane.end()));
        }
    }
}

TEST_F(Polecenia, JsonZTestemIImieniemNajpierw) {
    QJsonObject j = Json(QStringList{"--imie-najpierw", "--test", st.sciezka("test.skt")} + klasa);
    EXPECT_EQ(j["rodzajAnalizy"].toInt(), 1);
    EXPECT_EQ(j["uczniowie"].toArray()[1].toObject()["nazwa"].toString(),
              QStringLiteral("Jan Kowalski"));

    // A test of another test: the message, and a simple analysis all the same.
    const Wynik w = Uruchom(QStringList{"json", "--test", st.sciezka("inny.skt")} + klasa);
    EXPECT_EQ(w.kod, KodAnalizaWykonana);
    EXPECT_EQ(QJsonDocument::fromJson(w.wyjscie).object()["rodzajAnalizy"].toInt(), 0);
    EXPECT_EQ(w.bledy,
              QStringLiteral("Odczyt pliku wyniku. Plik ") + st.sciezka("inny.sko") +
                  QStringLiteral(" dotyczy innego testu niż analizowany.\n") +
                  QStringLiteral("Nie wszystkie pliki odpowiedzi poddano analizie.\nPo szczegóły "
                                 "sięgnij do dziennika zdarzeń.\nDziennik zdarzeń: ") +
                  PlikDziennikaProgramu() +
                  QStringLiteral("\nOtwierany test, jest inny, niż "
                                 "rozwiązywany przez analizowanych użykowników.\nZostanie wykonana "
                                 "tylko prosta analiza wyników testu.\nPlik: ") +
                  st.sciezka("inny.skt") + "\n");
}

TEST_F(Polecenia, DziennikProgramuBezRuszaniaFolderuTymczasowego) {
    // A desktop program may be running: its temporary folder keeps its files.
    Srodowisko s;
    Analiza a;
    PrzygotujFoldery(s, a);
    ASSERT_TRUE(ZapiszBajty(QDir(s.foldery.FolderTemp).filePath("raport.htm"), "x"));
    QFile::remove(s.foldery.PlikDziennika);

    EXPECT_EQ(Uruchom(QStringList{"json"} + klasa).kod, 0);
    EXPECT_TRUE(QFile::exists(QDir(s.foldery.FolderTemp).filePath("raport.htm")));
    QFile dziennik(s.foldery.PlikDziennika);
    ASSERT_TRUE(dziennik.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dziennik.readAll().contains("Plik inny.sko dotyczy innego testu"));
}

TEST(PoziomDziennika, ZPlikuUstawienTylkoDoOdczytu) {
    SrodowiskoTestowe st;
    const auto ustawienia = [&](const QString& ed, const QString& dfpz) {
        TpkXML d;
        d.FindNode(u"Ini", true)->ChildByName(u"ed", true)->text = Zakoduj(ed);
        d.FindNode(u"Ini", true)->ChildByName(u"dfpz", true)->text = Zakoduj(dfpz);
        EXPECT_TRUE(d.SaveToFile(st.sciezka("Sondrel.ini")));
    };
    EXPECT_EQ(PoziomDziennikaZUstawien(st.sciezka("Sondrel.ini")), 0);
    ustawienia("Sondrel", "3");
    EXPECT_EQ(PoziomDziennikaZUstawien(st.sciezka("Sondrel.ini")), 3);
    ustawienia("Inny", "3");
    EXPECT_EQ(PoziomDziennikaZUstawien(st.sciezka("Sondrel.ini")), 0);
    ASSERT_TRUE(ZapiszBajty(st.sciezka("Sondrel.ini"), "\x01"));
    EXPECT_EQ(PoziomDziennikaZUstawien(st.sciezka("Sondrel.ini")), 0);
    QFile plik(st.sciezka("Sondrel.ini"));
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    EXPECT_EQ(plik.readAll(), QByteArray("\x01")); // a damaged file is left as it is
}

TEST(Tabela, BajtyJakZapisWProgramie) {
    // 20 questions: two pages of the results table.
    SrodowiskoTestowe st;
    QStringList pliki;
    for (int i = 0; i < 3; ++i) {
        PlikOdpowiedzi p;
        p.nazwisko = QStringList{"Żak", "Ślęzak", "Bąk"}[i];
        p.imie = QStringLiteral("Ala");
        p.koniec = QStringLiteral("10:%1:00").arg(10 + i * 7);
        p.pytania.clear();
        for (int q = 0; q < 20; ++q)
            p.pytania.append(OdpowiedzUcznia{(q + i) % 3 ? "1000" : "0100", "1000"});
        pliki.append(st.sciezka(QStringLiteral("u%1.sko").arg(i)));
        ASSERT_TRUE(ZapiszPlikOdpowiedzi(pliki.last(), p));
    }
    auto a = std::make_unique<Analiza>();
    ASSERT_EQ(WczytajOdpowiedzi(pliki, *a, st.srodowisko), 0);

    const Tabela czas = BudujTabeleCzasu(*a, true);
    const struct {
        QStringList argumenty;
        QByteArray bajty;
    } przypadki[] = {
        {{"wyniki", "htm"}, TabelaHtml(*a, RodzajTabeli::Wynikow, 1, false, false)},
        {{"wyniki", "htm", "--strona", "2"},
         TabelaHtml(*a, RodzajTabeli::Wynikow, 2, false, false)},
        {{"wyniki", "htm", "--strona", "2", "--calosc"},
         TabelaHtml(*a, RodzajTabeli::Wynikow, 2, true, false)},
        {{"wyniki", "txt", "--strona", "2", "--imie-najpierw"},
         TekstTabeliDoPliku(BudujTabeleWynikow(*a, 2, true))},
        {{"czas", "txt", "--imie-najpierw"}, TekstTabeliDoPliku(czas)},
        {{"czas", "htm", "--imie-najpierw"}, TabelaHtml(*a, RodzajTabeli::Czasu, 1, false, true)},
        {{"oceny", "htm"}, TabelaHtml(*a, RodzajTabeli::Ocen, 1, false, false)},
        {{"oceny", "txt"}, TekstTabeliDoPliku(BudujTabeleOcen(*a))},
    };
    for (const auto& p : przypadki) {
        const Wynik w = Uruchom(QStringList{"tabela"} + p.argumenty + pliki);
        EXPECT_EQ(w.kod, 0);
        EXPECT_EQ(w.wyjscie, p.bajty) << p.argumenty.join(' ').toStdString();
    }
    EXPECT_TRUE(TabelaHtml(*a, RodzajTabeli::Czasu, 1, false, true).contains("10 min"));

    const Wynik w = Uruchom(QStringList{"tabela", "wyniki", "txt", "--strona", "3"} + pliki);
    EXPECT_EQ(w.kod, KodBlednePolecenie);
    EXPECT_TRUE(w.wyjscie.isEmpty());
}

TEST_F(Polecenia, RaportyINazwyPlikow) {
    const QString katalog = st.sciezka("raporty");
    const QStringList zTestem = {"--do", katalog, "--test", st.sciezka("test.skt")};
    const struct {
        const char* raport;
        const char* plik;
    } przypadki[] = {{"test", "Test_OTescie.htm"},
                     {"statystyka", "Test_WykazOcen.htm"},
                     {"oceny", "Test_WykazOcen.htm"},
                     {"uczen:3", "Test_Ucz3.htm"},
                     {"pytanie:4", "Test_PytNr4.htm"}};
    for (const auto& p : przypadki) {
        const Wynik w = Uruchom(QStringList{"raport", p.raport} + zTestem + klasa);
        EXPECT_EQ(w.kod, 0) << p.raport;
        const QString sciezka = QDir(katalog).filePath(QLatin1String(p.plik));
        EXPECT_EQ(w.wyjscie, sciezka.toUtf8() + '\n');
        EXPECT_TRUE(QFile::exists(sciezka)) << p.raport;
    }
    EXPECT_EQ(Pliki(katalog),
              (QStringList{"Test_OTescie.htm", "Test_PytNr4.htm", "Test_Ucz3.htm",
                           "Test_WykazOcen.htm", "mapa.jpg", "naglowek.jpg", "stopka.jpg"}));
    QFile uczen(QDir(katalog).filePath("Test_Ucz3.htm"));
    ASSERT_TRUE(uczen.open(QIODevice::ReadOnly));
    EXPECT_TRUE(uczen.readAll().contains(Na1250(QStringLiteral("Łukasiewicz Ewa"))));

    // Outside the class, without a usable test, into a folder that cannot be made.
    EXPECT_EQ(Uruchom(QStringList{"raport", "uczen:5"} + zTestem + klasa).kod, KodBlednePolecenie);
    EXPECT_EQ(Uruchom(QStringList{"raport", "pytanie:5"} + zTestem + klasa).kod,
              KodBlednePolecenie);
    const Wynik inny = Uruchom(
        QStringList{"raport", "test", "--do", katalog, "--test", st.sciezka("inny.skt")} + klasa);
    EXPECT_EQ(inny.kod, KodBrakTestu);
    EXPECT_TRUE(inny.wyjscie.isEmpty());
    ASSERT_TRUE(ZapiszBajty(st.sciezka("plik"), "x"));
    const Wynik zapis = Uruchom(QStringList{"raport", "test", "--do", st.sciezka("plik/raporty"),
                                            "--test", st.sciezka("test.skt")} +
                                klasa);
    EXPECT_EQ(zapis.kod, KodBladZapisu);
    EXPECT_TRUE(zapis.bledy.contains(QStringLiteral("\nNie udało się zapisać raportu.\n")))
        << zapis.bledy.toStdString();
}

// Question quality of the class above, by the flags of the answers: scores 4, 4, 1 and 2;
// p = 1, 3/4, 1/2, 1/2; variance 27/16, sum of p q = 11/16, KR-20 = 4/3 (1 - 11/27) = 64/81,
// SEM = sqrt((4 * 11 - 27) / (3 * 16)). Question 1 is answered by everybody.
TEST_F(Polecenia, Psychometria) {
    const Wynik w = Uruchom(QStringList{"psychometria"} + klasa);
    ASSERT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
    const QJsonObject j = QJsonDocument::fromJson(w.wyjscie).object();
    const QJsonObject test = j["test"].toObject();
    EXPECT_EQ(test["iloscUczniow"].toInt(), 4);
    EXPECT_EQ(test["iloscPytan"].toInt(), 4);
    EXPECT_EQ(test["grupa"].toInt(), 1);
    EXPECT_DOUBLE_EQ(test["srednia"].toDouble(), 2.75);
    EXPECT_DOUBLE_EQ(test["wariancja"].toDouble(), 27.0 / 16);
    EXPECT_DOUBLE_EQ(test["kr20"].toDouble(), 64.0 / 81);
    EXPECT_NEAR(test["sem"].toDouble(), std::sqrt(17.0 / 48), 1e-15);
    EXPECT_NEAR(test["skosnosc"].toDouble(), -10.0 / 27, 1e-15);
    EXPECT_EQ(test["ostrzezenie"].toString(),
              QStringLiteral("Za mało uczniów, by wskaźniki były wiarygodne (mniej niż 10)."));
    const QJsonArray pytania = j["pytania"].toArray();
    ASSERT_EQ(pytania.size(), 4);
    const QJsonObject p1 = pytania[0].toObject();
    EXPECT_EQ(p1["nr"].toInt(), 1);
    EXPECT_DOUBLE_EQ(p1["latwosc"].toDouble(), 1);
    EXPECT_TRUE(p1["mocRoznicujaca"].isNull());
    EXPECT_EQ(p1["uwagi"].toArray(),
              (QJsonArray{QStringLiteral("bardzo łatwe"), QStringLiteral("odpowiedź B nie działa"),
                          QStringLiteral("odpowiedź C nie działa"),
                          QStringLiteral("odpowiedź D nie działa")}));
    const QJsonObject p2 = pytania[1].toObject();
    EXPECT_DOUBLE_EQ(p2["mocRoznicujaca"].toDouble(), 1 / std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(p2["d"].toDouble(), 1);
    EXPECT_EQ(
        p2["opcje"].toArray()[0].toObject(),
        (QJsonObject{
            {"litera", "A"}, {"poprawna", false}, {"wybrali", 1}, {"gorna", 0}, {"dolna", 1}}));

    // The report, with the test only, as the other reports.
    const QString katalog = st.sciezka("jakosc");
    const Wynik raport = Uruchom(
        QStringList{"raport", "psychometria", "--do", katalog, "--test", st.sciezka("test.skt")} +
        klasa);
    EXPECT_EQ(raport.kod, 0) << raport.bledy.toStdString();
    EXPECT_EQ(raport.wyjscie, QDir(katalog).filePath("Test_JakoscPytan.htm").toUtf8() + '\n');
    EXPECT_EQ(Uruchom(QStringList{"raport", "psychometria", "--do", katalog} + klasa).kod,
              KodBlednePolecenie);
}

TEST_F(Polecenia, WszystkoZapisujeKomplet) {
    const QString zTestem = st.sciezka("z_testem");
    const Wynik w =
        Uruchom(QStringList{"wszystko", "--do", zTestem, "--test", st.sciezka("test.skt")} + klasa);
    EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
    const QStringList tabele = {
        "TabelaWynikow.htm",         "TabelaWynikow_1.txt", "ZestawienieCzasuPracy.htm",
        "ZestawienieCzasuPracy.txt", "ZestawienieOcen.htm", "ZestawienieOcen.txt",
        "WykresWynikow.svg",         "WykresWynikow.png",   "WykresCzasuPracy.svg",
        "WykresCzasuPracy.png",      "WykresOcen.svg",      "WykresOcen.png"};
    QStringList raporty = {"Test_OTescie.htm", "Test_Statystyka.htm", "Test_WykazOcen.htm"};
    for (int s = 1; s <= 4; ++s)
        raporty << QStringLiteral("Test_Ucz%1.htm").arg(s)
                << QStringLiteral("Test_PytNr%1.htm").arg(s);
    raporty << "Test_JakoscPytan.htm";
    const QStringList obrazy = {"mapa.jpg", "naglowek.jpg", "stopka.jpg"};
    const QStringList zapisane = Pliki(zTestem);
    EXPECT_EQ(QSet<QString>(zapisane.begin(), zapisane.end()),
              QSet<QString>(tabele.begin(), tabele.end()) +
                  QSet<QString>(raporty.begin(), raporty.end()) +
                  QSet<QString>(obrazy.begin(), obrazy.end()));
    // One line per table and report written.
    EXPECT_EQ(w.wyjscie.count('\n'), tabele.size() + raporty.size());
    QFile statystyka(QDir(zTestem).filePath("Test_Statystyka.htm"));
    ASSERT_TRUE(statystyka.open(QIODevice::ReadOnly));
    EXPECT_TRUE(statystyka.readAll().contains("Dane statystyczne."));

    // Without a test: the tables and the charts.
    const QString bezTestu = st.sciezka("bez_testu");
    EXPECT_EQ(Uruchom(QStringList{"wszystko", "--do", bezTestu} + klasa).kod, 0);
    const QStringList bez = Pliki(bezTestu);
    EXPECT_EQ(QSet<QString>(bez.begin(), bez.end()), QSet<QString>(tabele.begin(), tabele.end()));
}

// Every file "wszystko" writes into its folder is its own: a link planted in the place of a
// table, a chart or a report is replaced and the file it leads to is left alone.
TEST_F(Polecenia, WszystkoZastepujeDowiazania) {
    const QString katalog = st.sciezka("wyniki");
    ASSERT_TRUE(QDir().mkpath(katalog));
    const QStringList nazwy = {"TabelaWynikow.htm", "TabelaWynikow_1.txt", "ZestawienieOcen.txt",
                               "WykresOcen.png",    "WykresWynikow.svg",   "Test_OTescie.htm"};
    for (const QString& nazwa : nazwy) {
        const QString ofiara = st.sciezka("ofiara_" + nazwa);
        ASSERT_TRUE(ZapiszBajty(ofiara, "cudze"));
        ASSERT_TRUE(QFile::link(ofiara, QDir(katalog).filePath(nazwa)));
    }
    const Wynik w =
        Uruchom(QStringList{"wszystko", "--do", katalog, "--test", st.sciezka("test.skt")} + klasa);
    EXPECT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
    for (const QString& nazwa : nazwy) {
        const QFileInfo plik(QDir(katalog).filePath(nazwa));
        EXPECT_FALSE(plik.isSymLink()) << nazwa.toStdString();
        EXPECT_GT(plik.size(), 5) << nazwa.toStdString();
        QFile ofiara(st.sciezka("ofiara_" + nazwa));
        ASSERT_TRUE(ofiara.open(QIODevice::ReadOnly));
        EXPECT_EQ(ofiara.readAll(), "cudze") << nazwa.toStdString();
    }
}

// An output on a full device: the buffered bytes fail when they are written out at the end, and
// every command that writes to the standard output says so with exit status 4 and a Polish
// reason, never 0 with an empty result.
TEST_F(Polecenia, WyjscieNaPelnymUrzadzeniu) {
    POMIN_BEZ_PROGRAMU_CLI();
    if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const QStringList polecenia[] = {{"json"},
                                     {"tabela", "oceny", "txt"},
                                     {"psychometria"},
                                     {"wykres", "wyniki", "--dane"},
                                     {"--help"}};
    for (const QStringList& polecenie : polecenia) {
        const QStringList argumenty =
            polecenie.first() == u"--help" ? polecenie : polecenie + klasa;
        const WynikProgramu w = UruchomProgramCli(
            argumenty, QProcessEnvironment::systemEnvironment(), QStringLiteral("/dev/full"));
        EXPECT_EQ(w.kod, KodBladZapisu) << polecenie.join(u' ').toStdString();
        EXPECT_TRUE(w.bledy.endsWith("Nie udało się zapisać wyniku na standardowe wyjście.\n"
                                     "Powód: brak miejsca na dysku\n"))
            << w.bledy.toStdString();
    }
}

// Under cron or ssh (no XDG_RUNTIME_DIR) a command that draws leaves the error output empty.
TEST_F(Polecenia, BezFolderuUruchomieniowegoCisza) {
    POMIN_BEZ_PROGRAMU_CLI();
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.remove("XDG_RUNTIME_DIR");
    srodowisko.remove("QT_QPA_PLATFORM");
    const WynikProgramu w =
        UruchomProgramCli(QStringList{"wykres", "oceny", "--dane"} + klasa.mid(0, 2), srodowisko);
    EXPECT_EQ(w.kod, KodAnalizaWykonana);
    EXPECT_EQ(w.bledy, QString());
}

TEST_F(Polecenia, WyjscieNieDoZapisania) {
    QByteArray nic;
    QBuffer tylkoOdczyt(&nic);
    tylkoOdczyt.open(QIODevice::ReadOnly);
    QByteArray bledy;
    QBuffer bufor(&bledy);
    bufor.open(QIODevice::WriteOnly);
    EXPECT_EQ(UruchomCli(QStringList{"json"} + klasa, tylkoOdczyt, bufor), KodBladZapisu);
    EXPECT_TRUE(bledy.contains("Nie udało się zapisać wyniku"));

    ASSERT_TRUE(ZapiszBajty(st.sciezka("plik"), "x"));
    const Wynik w = Uruchom(QStringList{"wszystko", "--do", st.sciezka("plik")} + klasa);
    EXPECT_EQ(w.kod, KodBladZapisu);
    EXPECT_FALSE(w.bledy.isEmpty());
}

namespace {

QMap<QString, QByteArray> Zawartosci(const QString& katalog) {
    QMap<QString, QByteArray> wynik;
    const QDir dir(katalog);
    for (const QString& nazwa : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile f(dir.filePath(nazwa));
        wynik[nazwa] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return wynik;
}

} // namespace

// A full disk: the run that does not fit ends with exit status 4, the path and the reason; each
// file is either the earlier one or the whole new one, never empty or cut, and every path listed
// as written holds the new file. The folder holds the tables of an earlier run (names surname
// first); the new run names first names first.
TEST_F(Polecenia, WszystkoNaPelnymDysku) {
    const QStringList zTestem = {"--test", st.sciezka("test.skt")};
    ASSERT_EQ(Uruchom(QStringList{"wszystko", "--do", st.sciezka("stare")} + klasa).kod, 0);
    ASSERT_EQ(Uruchom(QStringList{"wszystko", "--do", st.sciezka("nowe"), "--imie-najpierw"} +
                      zTestem + klasa)
                  .kod,
              0);
    const auto stare = Zawartosci(st.sciezka("stare"));
    const auto nowe = Zawartosci(st.sciezka("nowe"));
    ASSERT_NE(stare.value("TabelaWynikow.htm"), nowe.value("TabelaWynikow.htm"));

    MalyDysk dysk(512 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    const QString katalog = dysk.sciezka("wyniki");
    for (const qint64 wolne : {0, 8 * 1024, 16 * 1024}) {
        dysk.Oproznij();
        QDir(katalog).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(katalog));
        for (auto p = stare.begin(); p != stare.end(); ++p)
            ASSERT_TRUE(ZapiszBajty(QDir(katalog).filePath(p.key()), p.value()));
        dysk.Zapelnij(wolne);

        const Wynik w =
            Uruchom(QStringList{"wszystko", "--do", katalog, "--imie-najpierw"} + zTestem + klasa);
        EXPECT_EQ(w.kod, KodBladZapisu) << wolne;
        EXPECT_TRUE(w.bledy.contains("Nie udało się zapisać")) << w.bledy.toStdString();
        EXPECT_TRUE(w.bledy.contains(katalog + "/")) << w.bledy.toStdString();
        EXPECT_TRUE(w.bledy.contains(": brak miejsca na dysku\n")) << w.bledy.toStdString();
        const auto teraz = Zawartosci(katalog);
        int nowych = 0;
        for (auto p = teraz.begin(); p != teraz.end(); ++p) {
            // No file is left under a temporary name, none is empty or cut.
            EXPECT_TRUE(nowe.contains(p.key())) << p.key().toStdString();
            const bool nowy = p.value() == nowe.value(p.key());
            EXPECT_TRUE(nowy || p.value() == stare.value(p.key())) << p.key().toStdString();
            nowych += nowy;
        }
        for (const auto& p : stare.keys())
            EXPECT_TRUE(teraz.contains(p)) << p.toStdString();
        for (const QByteArray& wiersz : w.wyjscie.split('\n')) {
            const QString nazwa = QFileInfo(QString::fromUtf8(wiersz)).fileName();
            if (!nazwa.isEmpty()) EXPECT_EQ(teraz.value(nazwa), nowe.value(nazwa));
        }
        if (wolne > 0) EXPECT_GT(nowych, 0) << wolne; // the run got some way
    }
}

// Under a file-size limit (ulimit -f) the tool is not killed by the signal: the write fails and
// is reported like any other (exit status 4, with the path).
TEST_F(Polecenia, LimitRozmiaruPlikuToKod4) {
    const QString program = QCoreApplication::applicationDirPath() + "/sondrel-cli";
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    QProcess proces;
    proces.setChildProcessModifier([] {
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    const QString katalog = st.sciezka("limit");
    proces.start(program, QStringList{"wszystko", "--do", katalog} + klasa);
    ASSERT_TRUE(proces.waitForFinished(30000));
    EXPECT_EQ(proces.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proces.exitCode(), KodBladZapisu);
    EXPECT_TRUE(QString::fromUtf8(proces.readAllStandardError())
                    .contains("Nie udało się zapisać pliku " + katalog +
                              "/TabelaWynikow.htm: plik jest za duży\n"));
}

// A session without a locale (C / POSIX) gets the program's Polish: the students are in Polish
// alphabetical order (Ł between L and M), not in code-point order.
TEST_F(Polecenia, BezUstawienJezykaPolski) {
    const QString program = QCoreApplication::applicationDirPath() + "/sondrel-cli";
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    QProcess proces;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    for (const char* zmienna : {"LANG", "LANGUAGE", "LC_MESSAGES", "LC_COLLATE"})
        srodowisko.remove(QLatin1String(zmienna));
    srodowisko.insert("LC_ALL", "C");
    proces.setProcessEnvironment(srodowisko);
    proces.start(program, QStringList{"json"} + klasa);
    ASSERT_TRUE(proces.waitForFinished(30000));
    EXPECT_EQ(proces.exitCode(), KodAnalizaWykonana);
    const QJsonArray uczniowie =
        QJsonDocument::fromJson(proces.readAllStandardOutput()).object()["uczniowie"].toArray();
    QStringList nazwiska;
    for (const QJsonValue& u : uczniowie)
        nazwiska << u.toObject()["nazwisko"].toString();
    EXPECT_EQ(nazwiska,
              (QStringList{"Adamska", "Kowalski", QString::fromUtf8("Łukasiewicz"), "Nowak"}));
}
