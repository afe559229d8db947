// SPDX-License-Identifier: GPL-3.0-or-later
// The archive commands of sondrel-cli as the other commands are: the same messages about the
// answer files, the usage after --help, "-" for the standard streams, the relabelling of an
// entry, the archive both programs use, and names from files that cannot steer a terminal.
#include "archiwum_cli.h"
#include "program_cli.h"

#include "archive/wybor_archiwum.h"
#include "core/foldery.h"
#include "settings/ustawienia.h"
#include "support/klasa_testowa.h"
#include "support/pak_zapis.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <optional>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// An environment variable set (or removed, with nothing) for one scope, restored afterwards.
class ZmiennaNaCzas {
public:
    ZmiennaNaCzas(const char* nazwa, const std::optional<QString>& wartosc)
        : nazwa(nazwa), byla(qEnvironmentVariableIsSet(nazwa)), dawna(qgetenv(nazwa)) {
        if (wartosc)
            qputenv(nazwa, wartosc->toLocal8Bit());
        else
            qunsetenv(nazwa);
    }
    ~ZmiennaNaCzas() {
        if (byla)
            qputenv(nazwa, dawna);
        else
            qunsetenv(nazwa);
    }

private:
    const char* nazwa;
    bool byla;
    QByteArray dawna;
};

class ArchiwumCli : public testing::Test {
protected:
    void SetUp() override {
        klasa = ZapiszKlase(st.sciezka(QStringLiteral("k1")), 1, 4);
        ASSERT_EQ(klasa.size(), 4);
        inny = ZapiszKlase(st.sciezka(QStringLiteral("k2")), 2, 2, 5); // another test
        ASSERT_EQ(inny.size(), 2);
        PlikTestu test;
        ASSERT_TRUE(ZapiszPlikTestu(st.sciezka(QStringLiteral("test.skt")), test));
    }

    Wynik Archiwum(const QStringList& argumenty) {
        return Uruchom(QStringList{QStringLiteral("archiwum")} + argumenty +
                       QStringList{QStringLiteral("--archiwum"), plik});
    }

    QJsonArray Lista() {
        const Wynik w = Archiwum({QStringLiteral("lista")});
        EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
        return QJsonDocument::fromJson(w.wyjscie).array();
    }

    SrodowiskoTestowe st;
    QString plik = st.sciezka(QStringLiteral("Archiwum.sqlite"));
    QStringList klasa, inny;
};

} // namespace

// "archiwum dodaj" reads the class as "json" does and says the same about it: a test file given
// first, a later file of another test (named with its whole path, with the journal's path),
// each message without an empty first line.
TEST_F(ArchiwumCli, DodajMowiOPlikachTakJakJson) {
    const QString skt = st.sciezka(QStringLiteral("test.skt"));
    const struct {
        QStringList pliki;
        int kod;
    } przypadki[] = {
        {QStringList{skt} + klasa, KodBrakAnalizy},
        {klasa + inny, KodAnalizaWykonana},
        {{st.sciezka(QStringLiteral("brak.sko"))}, KodBrakAnalizy},
        {QStringList{QStringLiteral("--test"), st.sciezka(QStringLiteral("brak.skt"))} + klasa,
         KodAnalizaWykonana},
    };
    for (const auto& p : przypadki) {
        const Wynik json = Uruchom(QStringList{QStringLiteral("json")} + p.pliki);
        const Wynik dodaj = Archiwum(
            QStringList{QStringLiteral("dodaj"), QStringLiteral("--klasa"), QStringLiteral("7a")} +
            p.pliki);
        EXPECT_EQ(json.kod, p.kod) << json.bledy.toStdString();
        EXPECT_EQ(dodaj.kod, p.kod) << dodaj.bledy.toStdString();
        EXPECT_FALSE(dodaj.bledy.isEmpty());
        EXPECT_EQ(dodaj.bledy, json.bledy);
        EXPECT_FALSE(dodaj.bledy.startsWith(u'\n'));
    }
    EXPECT_TRUE(Archiwum(QStringList{QStringLiteral("dodaj"), QStringLiteral("--klasa"),
                                     QStringLiteral("7a")} +
                         klasa + inny)
                    .bledy.contains(QStringLiteral("Dziennik zdarzeń: ")));
    // Surname and first name are archived apart: the order of names on the screen changes
    // nothing stored, and the switch is still taken from older scripts.
    const Wynik imie =
        Archiwum(QStringList{QStringLiteral("dodaj"), QStringLiteral("--klasa"),
                             QStringLiteral("7a"), QStringLiteral("--imie-najpierw")} +
                 klasa);
    EXPECT_EQ(imie.kod, 0) << imie.bledy.toStdString();
}

// A data folder that cannot be made is said once, not once by the base and again by the
// archive.
TEST_F(ArchiwumCli, FolderDanychRazem) {
    POMIN_BEZ_PROGRAMU_CLI();
    ASSERT_TRUE(ZapiszBajty(st.sciezka(QStringLiteral("plik")), "x"));
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QStringLiteral("XDG_DATA_HOME"), st.sciezka(QStringLiteral("plik/dane")));
    const WynikProgramu w = UruchomProgramCli(
        QStringList{"archiwum", "dodaj", "--klasa", "7a", "--archiwum", plik} + klasa, srodowisko);
    EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
    EXPECT_EQ(w.bledy.count(QStringLiteral("Nie udało się utworzyć folderu programu")), 1)
        << w.bledy.toStdString();
}

// --help after any command, also after other options and arguments, prints that command's
// part of the usage on the standard output with exit status 0; after "--" it is an argument.
TEST_F(ArchiwumCli, PomocPoPoleceniu) {
    const struct {
        QStringList argumenty;
        const char* poczatek;
    } przypadki[] = {
        {{"wykres", "--help"}, "Wykresy:\n"},
        {{"szablon", "wyniki", "x.ssw", "-h"}, "Wykresy:\n"},
        {{"json", "--help"}, "Użycie:\n"},
        {{"tabela", "wyniki", "htm", "--strona", "0", "--help"}, "Użycie:\n"},
        {{"archiwum", "--help"}, "Archiwum analiz:\n"},
        {{"archiwum", "porownaj", "--help"}, "Archiwum analiz:\n"},
        {{"archiwum", "dodaj", "--klasa", "7a", "--help", "a.sko"}, "Archiwum analiz:\n"},
    };
    for (const auto& p : przypadki) {
        const Wynik w = Uruchom(p.argumenty);
        EXPECT_EQ(w.kod, 0) << p.argumenty.join(' ').toStdString() << w.bledy.toStdString();
        EXPECT_TRUE(w.bledy.isEmpty()) << w.bledy.toStdString();
        EXPECT_TRUE(w.wyjscie.startsWith(p.poczatek)) << w.wyjscie.toStdString();
        EXPECT_TRUE(w.wyjscie.endsWith("\n") && !w.wyjscie.endsWith("\n\n"));
    }
    // The archive's part as a whole, and one sub-command's usage alone.
    const Wynik archiwum = Uruchom({"archiwum", "--help"});
    EXPECT_EQ(archiwum.wyjscie.trimmed(), SkladniaArchiwum().trimmed().toUtf8());
    EXPECT_FALSE(archiwum.wyjscie.contains("--imie-najpierw"));
    EXPECT_TRUE(archiwum.wyjscie.contains("archiwum opis ID --klasa ETYKIETA"));
    const Wynik porownaj = Uruchom({"archiwum", "porownaj", "1", "--help"});
    EXPECT_TRUE(porownaj.wyjscie.contains("  sondrel-cli archiwum porownaj ID ID..."));
    EXPECT_TRUE(porownaj.wyjscie.contains("--archiwum PLIK"));
    EXPECT_FALSE(porownaj.wyjscie.contains("archiwum dodaj"));
    EXPECT_LT(porownaj.wyjscie.size(), archiwum.wyjscie.size() / 2);
    EXPECT_EQ(Uruchom({"archiwum", "nieznane", "--help"}).wyjscie, archiwum.wyjscie);
    // After "--" it is a file name like any other.
    const Wynik plikPomocy = Uruchom({"json", "--", "--help"});
    EXPECT_EQ(plikPomocy.kod, KodBrakAnalizy);
    EXPECT_TRUE(plikPomocy.wyjscie.isEmpty());
}

// "-" is the standard output of eksport (the same bytes as the file) and the standard input of
// import; a file named "-" is reached as "./-".
TEST_F(ArchiwumCli, KreskaToStandardoweStrumienie) {
    POMIN_BEZ_PROGRAMU_CLI();
    ASSERT_EQ(Archiwum(QStringList{"dodaj", "--klasa", "7a"} + klasa).kod, 0);
    ASSERT_EQ(Archiwum(QStringList{"dodaj", "--klasa", "7b"} + inny).kod, 0);
    const QString eksport = st.sciezka(QStringLiteral("e.json"));
    ASSERT_EQ(Archiwum({"eksport", eksport}).kod, 0);
    QFile f(eksport);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bajty = f.readAll();

    QProcess p;
    p.setWorkingDirectory(st.folder());
    p.start(ProgramCli(), {"archiwum", "eksport", "-", "--archiwum", plik});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(), bajty);
    EXPECT_FALSE(QFileInfo::exists(st.sciezka(QStringLiteral("-"))));

    const QString nowe = st.sciezka(QStringLiteral("nowe.sqlite"));
    p.start(ProgramCli(), {"archiwum", "import", "-", "--archiwum", nowe});
    p.write(bajty);
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(p.readAllStandardOutput(), "Zaimportowano analiz: 2.\n");
    // Nothing on the standard input is an import file that cannot be read.
    p.start(ProgramCli(), {"archiwum", "import", "-", "--archiwum", nowe});
    p.closeWriteChannel();
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), KodBladArchiwum);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());

    // "./-" is a file.
    p.start(ProgramCli(), {"archiwum", "eksport", "./-", "--archiwum", nowe});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0);
    QFile kreska(st.sciezka(QStringLiteral("-")));
    ASSERT_TRUE(kreska.open(QIODevice::ReadOnly));
    EXPECT_EQ(kreska.readAll(), bajty);
}

// "archiwum opis" gives an entry a new label (surrounding spaces dropped) and, when asked, a
// new date written; without --data the stored date stays. Wrong calls change nothing.
TEST_F(ArchiwumCli, OpisZmieniaEtykieteIDate) {
    ASSERT_EQ(Archiwum(QStringList{"dodaj", "--klasa", "7a", "--data", "2026-01-15"} + klasa).kod,
              0);
    const Wynik etykieta = Archiwum({"opis", "1", "--klasa", " 8b "});
    EXPECT_EQ(etykieta.kod, 0) << etykieta.bledy.toStdString();
    EXPECT_TRUE(etykieta.wyjscie.isEmpty());
    QJsonObject wpis = Lista().at(0).toObject();
    EXPECT_EQ(wpis.value("klasa").toString(), QStringLiteral("8b"));
    EXPECT_EQ(wpis.value("data").toString(), QStringLiteral("2026-01-15"));
    ASSERT_EQ(Archiwum({"opis", "1", "--data", "2025-09-01", "--klasa", "8c"}).kod, 0);
    wpis = Lista().at(0).toObject();
    EXPECT_EQ(wpis.value("klasa").toString(), QStringLiteral("8c"));
    EXPECT_EQ(wpis.value("data").toString(), QStringLiteral("2025-09-01"));

    const struct {
        QStringList argumenty;
        int kod;
    } bledne[] = {
        {{"opis", "1"}, KodBlednePolecenie},
        {{"opis", "--klasa", "9a"}, KodBlednePolecenie},
        {{"opis", "1", "--klasa", "  "}, KodBlednePolecenie},
        {{"opis", "x", "--klasa", "9a"}, KodBlednePolecenie},
        {{"opis", "1", "--klasa", "9a", "--data", "2026-02-30"}, KodBlednePolecenie},
        {{"opis", "1", "2", "--klasa", "9a"}, KodBlednePolecenie},
        {{"opis", "9", "--klasa", "9a"}, KodBladArchiwum},
        {{"opis", "9", "--klasa", "9a", "--data", "2026-01-01"}, KodBladArchiwum},
    };
    for (const auto& p : bledne) {
        const Wynik w = Archiwum(p.argumenty);
        EXPECT_EQ(w.kod, p.kod) << p.argumenty.join(' ').toStdString();
        EXPECT_FALSE(w.bledy.isEmpty());
    }
    EXPECT_EQ(Lista().at(0).toObject(), wpis);
}

// Without --archiwum: SONDREL_ARCHIWUM, else a server chosen in the program's settings, else
// the school's preset in $XDG_CONFIG_DIRS, else the file in the data folder; nothing without a
// data folder.
TEST(WyborArchiwum, KolejnoscZrodel) {
    SrodowiskoTestowe st;
    Foldery foldery;
    foldery.FolderDanych = st.folder();
    foldery.PlikUstawien = st.sciezka(QStringLiteral("Sondrel.ini"));
    const QString domyslne = st.sciezka(QStringLiteral("Archiwum.sqlite"));
    const QString serwer = QStringLiteral("postgresql://anna@szkola.lan/archiwum");
    const QString szkola = QStringLiteral("postgresql://nauczyciel@serwer.szkoly/archiwum");
    ASSERT_TRUE(QDir().mkpath(st.sciezka(QStringLiteral("xdg2/sondrel"))));
    ASSERT_TRUE(QDir().mkpath(st.sciezka(QStringLiteral("xdg1/sondrel"))));
    ASSERT_TRUE(ZapiszBajty(st.sciezka(QStringLiteral("xdg2/sondrel/archiwum")),
                            "# ustawienie szkoły\n\n  " + szkola.toUtf8() + "  \ndruga linia\n"));
    ASSERT_TRUE(ZapiszBajty(st.sciezka(QStringLiteral("xdg1/sondrel/archiwum")), "# nic\n"));
    const QString dwa =
        st.sciezka(QStringLiteral("xdg1")) + u':' + st.sciezka(QStringLiteral("xdg2"));
    Ustawienia zSerwerem;
    zSerwerem.arch = serwer;
    Ustawienia zInnym;
    zInnym.arch = QStringLiteral("/tmp/to/nie/adres.sqlite");

    const struct {
        std::optional<QString> zmienna;
        const Ustawienia* ustawienia;
        QString xdg;
        bool folderDanych;
        QString adres;
        QString skad;
    } przypadki[] = {
        {std::nullopt, nullptr, QString(), true, domyslne, "domyślne archiwum"},
        {std::nullopt, nullptr, dwa, true, szkola, "plik " + st.sciezka("xdg2/sondrel/archiwum")},
        {std::nullopt, &zSerwerem, dwa, true, serwer, "ustawienia programu"},
        {std::nullopt, &zInnym, dwa, true, szkola, "plik "},
        {std::nullopt, &zInnym, st.sciezka("xdg1"), true, domyslne, "domyślne archiwum"},
        {"/srv/a.sqlite", &zSerwerem, dwa, true, "/srv/a.sqlite", "zmienna SONDREL_ARCHIWUM"},
        {"", &zSerwerem, dwa, true, serwer, "ustawienia programu"},
        {std::nullopt, nullptr, QString(), false, QString(), "brak folderu danych"},
        {"/srv/a.sqlite", nullptr, QString(), false, "/srv/a.sqlite", "zmienna"},
    };
    for (const auto& p : przypadki) {
        QFile::remove(foldery.PlikUstawien);
        if (p.ustawienia) {
            Ustawienia u = *p.ustawienia;
            Srodowisko s;
            s.foldery = foldery;
            ASSERT_TRUE(ZapiszUstawienia(u, s));
        }
        Foldery f = foldery;
        if (!p.folderDanych) f = Foldery();
        const ZmiennaNaCzas zmienna(ZmiennaArchiwum, p.zmienna);
        // An empty XDG_CONFIG_DIRS would mean /etc/xdg: a folder without the file stands for it.
        const ZmiennaNaCzas xdg("XDG_CONFIG_DIRS",
                                p.xdg.isEmpty() ? st.sciezka(QStringLiteral("brak")) : p.xdg);
        QString skad;
        EXPECT_EQ(WybranyAdresArchiwum(f, &skad), p.adres) << skad.toStdString();
        EXPECT_TRUE(skad.startsWith(p.skad)) << skad.toStdString();
    }
    // The running desktop program gives its own `arch`.
    const ZmiennaNaCzas bezZmiennej(ZmiennaArchiwum, std::nullopt);
    EXPECT_EQ(WybranyAdresArchiwum(serwer, foldery), serwer);
}

// The tool itself: SONDREL_ARCHIWUM names the archive; without a usable home folder no data
// folder is guessed and the archive is refused with where to name one.
TEST(WyborArchiwum, ProgramCli) {
    POMIN_BEZ_PROGRAMU_CLI();
    SrodowiskoTestowe st;
    const QStringList klasa = ZapiszKlase(st.sciezka(QStringLiteral("k")), 3, 3);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), st.sciezka(QStringLiteral("brak")));
    const QString plik = st.sciezka(QStringLiteral("wybrane.sqlite"));
    env.insert(QString::fromLatin1(ZmiennaArchiwum), plik);
    WynikProgramu w =
        UruchomProgramCli(QStringList{"archiwum", "dodaj", "--klasa", "7a"} + klasa, env);
    EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
    EXPECT_TRUE(QFileInfo::exists(plik));

    // An archive that cannot be opened is said with where it was chosen.
    const QString zly = st.sciezka(QStringLiteral("zly.sqlite"));
    ASSERT_TRUE(ZapiszBajty(zly, "nie archiwum"));
    ASSERT_TRUE(QDir().mkpath(st.sciezka(QStringLiteral("xdg/sondrel"))));
    const QString preset = st.sciezka(QStringLiteral("xdg/sondrel/archiwum"));
    ASSERT_TRUE(ZapiszBajty(preset, zly.toUtf8() + '\n'));
    const struct {
        QString zmienna, skad;
    } zle[] = {{zly, "zmienna SONDREL_ARCHIWUM"}, {QString(), "plik " + preset}};
    for (const auto& z : zle) {
        QProcessEnvironment e = env;
        e.insert(QStringLiteral("XDG_CONFIG_DIRS"), st.sciezka(QStringLiteral("xdg")));
        if (z.zmienna.isEmpty())
            e.remove(QString::fromLatin1(ZmiennaArchiwum));
        else
            e.insert(QString::fromLatin1(ZmiennaArchiwum), z.zmienna);
        w = UruchomProgramCli({"archiwum", "lista"}, e);
        EXPECT_EQ(w.kod, KodBladArchiwum);
        EXPECT_TRUE(w.bledy.endsWith("\nArchiwum wybrane przez: " + z.skad + "\n"))
            << w.bledy.toStdString();
    }
    EXPECT_EQ(QFileInfo(zly).size(), 12);

    const bool byl = QFileInfo::exists(QStringLiteral("/.local/share/Brenvik"));
    for (const char* dom : {"", "/", "wzgledny", "/nie/ma/takiego/folderu"}) {
        QProcessEnvironment bezDomu = env;
        bezDomu.remove(QString::fromLatin1(ZmiennaArchiwum));
        bezDomu.remove(QStringLiteral("XDG_DATA_HOME"));
        if (*dom)
            bezDomu.insert(QStringLiteral("HOME"), QString::fromLatin1(dom));
        else
            bezDomu.remove(QStringLiteral("HOME"));
        w = UruchomProgramCli({"archiwum", "lista"}, bezDomu);
        EXPECT_EQ(w.kod, KodBladArchiwum) << dom;
        EXPECT_TRUE(w.wyjscie.isEmpty());
        EXPECT_TRUE(
            w.bledy.contains(QStringLiteral("--archiwum PLIK albo zmienna SONDREL_ARCHIWUM")))
            << w.bledy.toStdString();
        // The analysis commands still work, without a journal.
        w = UruchomProgramCli(QStringList{"json"} + klasa, bezDomu);
        EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
        EXPECT_TRUE(w.bledy.isEmpty()) << w.bledy.toStdString();
        // With the archive named it works.
        bezDomu.insert(QString::fromLatin1(ZmiennaArchiwum), plik);
        w = UruchomProgramCli({"archiwum", "lista"}, bezDomu);
        EXPECT_EQ(w.kod, 0) << w.bledy.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(w.wyjscie).array().size(), 1);
    }
    EXPECT_EQ(QFileInfo::exists(QStringLiteral("/.local/share/Brenvik")), byl);
}

// Control characters in a message (a file's name, an argument) are written out: nothing that a
// terminal would take as a command reaches the error output.
TEST(TekstDoTerminala, ZnakiSterujaceWypisane) {
    SrodowiskoTestowe st;
    const QString esc = QStringLiteral("\x1b]0;tytul\x07\x1b[2J");
    const QString c1 = QString(QChar(0x9b)) + QStringLiteral("31m");
    const struct {
        QStringList argumenty;
        QString widac;
    } przypadki[] = {
        {{esc}, "\\x1b]0;tytul\\x07\\x1b[2J"},
        {{"json", st.sciezka(esc + c1 + ".sko")}, "\\x1b[2J\\x9b31m.sko"},
        {{"archiwum", "usun", esc}, "Błędny numer analizy: \\x1b]0;"},
        {{"archiwum", "dodaj", "--klasa", "a", "--data", c1}, "\\x9b31m"},
    };
    for (const auto& p : przypadki) {
        const Wynik w = Uruchom(p.argumenty);
        EXPECT_NE(w.kod, 0);
        EXPECT_TRUE(w.bledy.contains(p.widac)) << w.bledy.toStdString();
        for (const QChar c : w.bledy)
            EXPECT_TRUE(c == u'\n' || (c >= u' ' && c != QChar(0x7f) &&
                                       (c.unicode() < 0x80 || c.unicode() > 0x9f)))
                << w.bledy.toStdString();
    }
    EXPECT_EQ(TekstDoTerminala(QStringLiteral("Łódź\tok\n\x7f")),
              QStringLiteral("Łódź\tok\n\\x7f"));
}
