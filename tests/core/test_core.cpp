// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analiza.h"
#include "core/foldery.h"
#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "core/pliki.h"
#include "core/zegar.h"
#include "support/pelny_dysk.h"
#include "support/wzorce.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace sondrel;
using namespace sondrel::testy;

TEST(Zaokraglanie, PolowyDoParzystej) {
    struct Przypadek {
        qint64 licznik, mianownik, wynik;
    } przypadki[] = {{100, 8, 12},  {300, 8, 38},  {200, 8, 25}, {412, 100, 4}, {450, 100, 4},
                     {550, 100, 6}, {451, 100, 5}, {0, 7, 0},    {-50, 100, 0}, {-150, 100, -2}};
    for (const auto& p : przypadki)
        EXPECT_EQ(ZaokraglijIloraz(p.licznik, p.mianownik), p.wynik)
            << p.licznik << "/" << p.mianownik;
}

TEST(Liczby, FormatOgolny) {
    struct Przypadek {
        double wartosc;
        const char* tekst;
    } przypadki[] = {{4.5, "4,5"},
                     {4.12, "4,12"},
                     {3, "3"},
                     {0, "0"},
                     {-2.25, "-2,25"},
                     {0.1 + 0.2, "0,3"},
                     {1e20, "100000000000000000000"},
                     {0.000001, "0,000001"},
                     {2.0 / 3.0, "0,666666666666667"},
                     {1234567.891, "1234567,891"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(TekstLiczby(p.wartosc), QString::fromUtf8(p.tekst));
}

TEST(Kodowanie1250, PolskieZnakiIZastepstwa) {
    const QString tekst = QString::fromUtf8("Zażółć gęślą jaźń ŁÓDŹ");
    EXPECT_EQ(Z1250(Na1250(tekst)), tekst);
    EXPECT_EQ(Na1250(QString::fromUtf8("aж€")), QByteArray("a?\x80"));
    EXPECT_EQ(Na1250Html(QString::fromUtf8("ж😀")), QByteArray("&#1078;&#128512;"));
    EXPECT_EQ(Na1250(QString::fromUtf8("😀")), QByteArray("?"));
    EXPECT_EQ(Z1250(QByteArray("\xb9\xe6\xea")), QString::fromUtf8("ąćę"));
}

TEST(Analiza, CzyszczenieRekordow) {
    Analiza a;
    a.Pytania[3].Tresc = "x";
    a.Pytania[3].Odpowiedzi[5].Poprawna = true;
    a.StatPytan[60].Wybrali[5] = 7;
    a.Lista.Nazwa = "n";
    a.WyczyscPytania();
    a.WyczyscStatystyki();
    a.WyczyscNaglowekListy();
    EXPECT_TRUE(a.Pytania[3].Tresc.isEmpty());
    EXPECT_FALSE(a.Pytania[3].Odpowiedzi[5].Poprawna);
    EXPECT_EQ(a.Pytania[60].WzorOdpowiedzi, "0000");
    EXPECT_EQ(a.StatPytan[60].Wybrali[5], 0);
    EXPECT_EQ(a.Lista.Data, "0");
    EXPECT_TRUE(a.Lista.Nazwa.isEmpty());
}

class Dziennik : public ::testing::Test {
protected:
    void SetUp() override {
        Zegar::ustaw([] { return QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)); });
        PrzygotujFoldery(srodowisko, analiza);
    }
    void TearDown() override {
        Zegar::przywroc();
        QFile::remove(srodowisko.foldery.PlikDziennika);
    }
    QByteArray tresc() const {
        QFile f(srodowisko.foldery.PlikDziennika);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    Srodowisko srodowisko;
    Analiza analiza;
};

TEST_F(Dziennik, PoziomyIFormatWiersza) {
    for (int poziom = 0; poziom <= 4; ++poziom) {
        QFile::remove(srodowisko.foldery.PlikDziennika);
        srodowisko.PoziomDziennika = poziom;
        srodowisko.WpiszDoDziennika(0, "zero");
        srodowisko.WpiszDoDziennika(1, "jeden");
        srodowisko.WpiszDoDziennika(3, QString::fromUtf8("trzy ś"));
        QByteArray oczekiwane = "7.03.2026 09:05:03 - zero\r\n";
        if (poziom >= 1) oczekiwane += "7.03.2026 09:05:03 - jeden\r\n";
        if (poziom >= 3) oczekiwane += "7.03.2026 09:05:03 - trzy \x9c\r\n";
        EXPECT_EQ(tresc(), oczekiwane) << "poziom " << poziom;
    }
}

TEST_F(Dziennik, DopisujeDoIstniejacegoBezZgubieniaWierszy) {
    srodowisko.PoziomDziennika = 0;
    const QString& plik = srodowisko.foldery.PlikDziennika;
    struct Przypadek {
        QByteArray przed, po;
    } przypadki[] = {
        {"stary\r\n", "stary\r\n7.03.2026 09:05:03 - nowy\r\n"},
        // A last line without its line break keeps the new line apart from it.
        {"stary", "stary\r\n7.03.2026 09:05:03 - nowy\r\n"},
        {"stary\n", "stary\n7.03.2026 09:05:03 - nowy\r\n"},
    };
    for (const auto& p : przypadki) {
        ASSERT_TRUE(ZapiszPlik(plik, p.przed));
        srodowisko.WpiszDoDziennika(0, "nowy");
        EXPECT_EQ(tresc(), p.po) << p.przed.constData();
    }
}

TEST_F(Dziennik, FolderyIFolderTempPoAwarii) {
    Foldery& f = srodowisko.foldery;
    EXPECT_TRUE(
        f.PlikUstawien.endsWith(QDir::toNativeSeparators("Brenvik/Zadrix/Sondrel/Sondrel.ini")));
    EXPECT_TRUE(QFileInfo(f.FolderTemp).isDir());
    // A temporary folder left by a crashed run is emptied at the next start.
    ASSERT_TRUE(ZapiszPlik(f.FolderTemp + "/stary.htm", "x"));
    analiza.PlikiOdpowiedzi << "a.sko";
    PrzygotujFoldery(srodowisko, analiza);
    EXPECT_TRUE(QDir(f.FolderTemp).isEmpty());
    EXPECT_TRUE(analiza.PlikiOdpowiedzi.isEmpty());
    UsunFolderTemp(f);
    EXPECT_FALSE(QFileInfo::exists(f.FolderTemp));
}

TEST(Pliki, NieudanyZapisZostawiaStaryPlik) {
    QTemporaryDir dir;
    const QString sciezka = dir.filePath("plik.txt");
    ASSERT_TRUE(ZapiszPlik(sciezka, Wiersze1250({"a", QString::fromUtf8("ł")})));
    QFile f(sciezka);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("a\r\n\xb3\r\n"));
    QString blad;
    EXPECT_FALSE(ZapiszPlik(dir.filePath("brak/plik.txt"), "x", &blad));
    EXPECT_FALSE(blad.isEmpty());
    // A folder in the way: the write fails and the folder stays.
    ASSERT_TRUE(QDir(dir.path()).mkpath("folder"));
    EXPECT_FALSE(ZapiszPlik(dir.filePath("folder"), "x", &blad));
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(Pliki, ZapisGdyInnyNieRuszaTegoSamegoPliku) {
    QTemporaryDir dir;
    const QString sciezka = dir.filePath("obraz.jpg");
    // Every write makes a new file under a temporary name: the inode tells whether one happened.
    const auto inode = [&] {
        struct stat st {};
        return ::stat(QFile::encodeName(sciezka).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    ASSERT_TRUE(ZapiszPlikGdyInny(sciezka, "abc"));
    const ino_t pierwszy = inode();
    EXPECT_TRUE(ZapiszPlikGdyInny(sciezka, "abc"));
    EXPECT_EQ(inode(), pierwszy);
    EXPECT_TRUE(ZapiszPlikGdyInny(sciezka, "abd"));
    EXPECT_NE(inode(), pierwszy);
    QFile f(sciezka);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("abd"));
}

// A disk with no room left: small files (held in a buffer until the end), large ones and the
// write that only finds out when it is synced all fail, say why, leave the earlier file as it
// was and no other file behind.
TEST(Pliki, PelnyDyskNieZostawiaPustegoAniUcietegoPliku) {
    MalyDysk dysk(256 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    const QString sciezka = dysk.sciezka("raport.htm");
    ASSERT_TRUE(ZapiszPlik(sciezka, "dobry"));
    for (const qint64 wolne : {qint64(0), qint64(8192)}) {
        dysk.Oproznij();
        dysk.Zapelnij(wolne);
        for (const qsizetype rozmiar : {10, 100 * 1024, 1024 * 1024}) {
            const QByteArray bajty(rozmiar, 'n');
            if (rozmiar <= wolne) continue;
            QString blad;
            EXPECT_FALSE(ZapiszPlik(sciezka, bajty, &blad)) << rozmiar;
            EXPECT_EQ(blad, QStringLiteral("brak miejsca na dysku")) << rozmiar;
            EXPECT_FALSE(ZapiszPlikGdyInny(sciezka, bajty)) << rozmiar;
            EXPECT_FALSE(ZapiszPlik(dysk.sciezka("nowy.htm"), bajty)) << rozmiar;
            EXPECT_EQ(Zawartosc(sciezka), "dobry") << rozmiar;
            EXPECT_EQ(QDir(dysk.folder()).entryList(QDir::Files | QDir::Hidden),
                      (QStringList{"raport.htm", "wypelnienie.bin"}));
        }
    }
    // With room again the same writer succeeds.
    dysk.Oproznij();
    EXPECT_TRUE(ZapiszPlik(sciezka, QByteArray(100 * 1024, 'n')));
    EXPECT_EQ(Zawartosc(sciezka).size(), 100 * 1024);
}

// The same under a file-size limit (ulimit -f), which needs no privileges.
TEST(Pliki, LimitRozmiaruPlikuToNieudanyZapis) {
    QTemporaryDir dir;
    const QString sciezka = dir.filePath("tabela.htm");
    ASSERT_TRUE(ZapiszPlik(sciezka, "dobra"));
    LimitRozmiaruPliku limit(4096);
    EXPECT_TRUE(ZapiszPlik(dir.filePath("maly.txt"), QByteArray(4096, 'm')));
    for (const qsizetype rozmiar : {4097, 20000, 300000}) {
        QString blad;
        EXPECT_FALSE(ZapiszPlik(sciezka, QByteArray(rozmiar, 'n'), &blad)) << rozmiar;
        EXPECT_EQ(blad, QString::fromUtf8("plik jest za duży")) << rozmiar;
        EXPECT_EQ(Zawartosc(sciezka), "dobra");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"maly.txt", "tabela.htm"}));
}

// A link in the place of a file in the program's temporary folder is replaced, and nothing is
// written or compared through it; a file the user placed is written through a link as usual.
TEST(Pliki, DowiazanieZastapioneAlboZwykle) {
    QTemporaryDir dir;
    const QString cel = dir.filePath("cudzy.txt");
    const QString link = dir.filePath("tab.htm");
    for (const QByteArray& bajty : {QByteArray("nowe"), QByteArray("cudze")}) {
        ASSERT_TRUE(ZapiszPlik(cel, "cudze"));
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(cel, link));
        EXPECT_TRUE(ZapiszPlikGdyInny(link, bajty, nullptr, Dowiazanie::Zastap));
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << bajty.constData();
        EXPECT_EQ(Zawartosc(link), bajty);
        EXPECT_EQ(Zawartosc(cel), "cudze");
    }
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(cel, link));
    EXPECT_TRUE(ZapiszPlik(link, "przez link"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Zawartosc(cel), "przez link");
    // A link that leads nowhere is replaced as well.
    const QString pusty = dir.filePath("pusty.htm");
    ASSERT_TRUE(QFile::link(dir.filePath("nie ma"), pusty));
    EXPECT_TRUE(ZapiszPlik(pusty, "x", nullptr, Dowiazanie::Zastap));
    EXPECT_FALSE(QFileInfo(pusty).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("nie ma")));
}

namespace {

// A folder holding a FIFO, a device node (/dev/null's, where the system lets us make one), a
// folder, a regular file and links to each.
struct PlikiSpecjalne {
    QTemporaryDir dir;
    QString fifo = dir.filePath("potok");
    QString urzadzenie = dir.filePath("null");
    QString folder = dir.filePath("folder");
    QString zwykly = dir.filePath("zwykly.ssw");
    bool jestUrzadzenie = false;

    PlikiSpecjalne() {
        EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        jestUrzadzenie =
            ::mknod(QFile::encodeName(urzadzenie).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
        EXPECT_TRUE(QDir().mkdir(folder));
        EXPECT_TRUE(ZapiszPlik(zwykly, "zwykly"));
        for (const QString& cel : {fifo, urzadzenie, folder, zwykly})
            QFile::link(cel, cel + ".link");
    }
    QStringList Niezwykle() const {
        QStringList wynik = {fifo, folder, fifo + ".link", folder + ".link"};
        if (jestUrzadzenie) wynik << urzadzenie << urzadzenie + ".link";
        return wynik;
    }
    static mode_t Rodzaj(const QString& sciezka) {
        struct stat st {};
        ::lstat(QFile::encodeName(sciezka).constData(), &st);
        return st.st_mode & S_IFMT;
    }
};

} // namespace

// A save never replaces what is not a regular file (saving over /dev/null as root would make it
// a file) and says why; a regular file or a link to one is written as before.
TEST(Pliki, ZapisNieZastepujeUrzadzeniaPotokuAniFolderu) {
    PlikiSpecjalne p;
    for (const QString& sciezka : p.Niezwykle()) {
        const mode_t przed = PlikiSpecjalne::Rodzaj(sciezka);
        QString blad;
        EXPECT_FALSE(ZapiszPlik(sciezka, "x", &blad)) << sciezka.toStdString();
        EXPECT_FALSE(ZapiszPlikGdyInny(sciezka, "", &blad)) << sciezka.toStdString();
        EXPECT_TRUE(blad.contains(u"folder") || blad.contains(u"nie zwykły plik"))
            << blad.toStdString();
        EXPECT_EQ(PlikiSpecjalne::Rodzaj(sciezka), przed) << sciezka.toStdString();
    }
    EXPECT_TRUE(ZapiszPlik(p.zwykly + ".link", "nowy"));
    EXPECT_EQ(Zawartosc(p.zwykly), "nowy");
    EXPECT_TRUE(ZapiszPlik(p.zwykly, "zwykly"));
}

// Every reader opens through one door: a FIFO is refused at once (no writer is waited for), so
// are a device and a folder, each with a Polish reason; a regular file and a link to one open.
TEST(Pliki, OdczytTylkoZwyklegoPliku) {
    PlikiSpecjalne p;
    for (const QString& sciezka : p.Niezwykle()) {
        QFile plik;
        QString powod;
        EXPECT_FALSE(OtworzZwyklyPlik(plik, sciezka, &powod)) << sciezka.toStdString();
        EXPECT_TRUE(powod.contains(u"folder") || powod.contains(u"nie zwykły plik"))
            << powod.toStdString();
    }
    QString powod;
    QFile brak;
    EXPECT_FALSE(OtworzZwyklyPlik(brak, p.dir.filePath("brak"), &powod));
    EXPECT_EQ(powod, QStringLiteral("nie ma takiego pliku ani folderu"));
    for (const QString& sciezka : {p.zwykly, p.zwykly + ".link"}) {
        QFile plik;
        ASSERT_TRUE(OtworzZwyklyPlik(plik, sciezka)) << sciezka.toStdString();
        EXPECT_EQ(plik.readAll(), "zwykly");
    }
}

// Two running copies never touch each other's reports: the second one works in a folder of its
// own and removes only that; folders of copies that have ended are cleared at the next start.
TEST_F(Dziennik, DrugaKopiaMaWlasnyFolderTemp) {
    const QString pierwszy = srodowisko.foldery.FolderTemp;
    ASSERT_TRUE(ZapiszPlik(pierwszy + "/raport.htm", "pierwszej kopii"));
    const QString porzucony = srodowisko.foldery.FolderDanych + "/Temp-999999";
    ASSERT_TRUE(QDir().mkpath(porzucony));
    ASSERT_TRUE(ZapiszPlik(porzucony + "/stary.htm", "x"));

    Srodowisko druga;
    auto analizaDrugiej = std::make_unique<Analiza>();
    PrzygotujFoldery(druga, *analizaDrugiej);
    EXPECT_NE(druga.foldery.FolderTemp, pierwszy);
    EXPECT_TRUE(QFileInfo(druga.foldery.FolderTemp).isDir());
    EXPECT_FALSE(QFileInfo::exists(porzucony));
    EXPECT_EQ(Zawartosc(pierwszy + "/raport.htm"), "pierwszej kopii");
    UsunFolderTemp(druga.foldery);
    EXPECT_FALSE(QFileInfo::exists(druga.foldery.FolderTemp));
    EXPECT_EQ(Zawartosc(pierwszy + "/raport.htm"), "pierwszej kopii");
}

// A linked temporary folder costs nothing outside it: the link goes, a real folder is made; links
// inside the folder are removed as links.
TEST_F(Dziennik, FolderTempNieProwadziNaZewnatrz) {
    QTemporaryDir cudzy;
    ASSERT_TRUE(ZapiszPlik(cudzy.filePath("praca.odt"), "praca"));
    ASSERT_TRUE(QDir(cudzy.path()).mkdir("podfolder"));
    const QString temp = srodowisko.foldery.FolderTemp;
    UsunFolderTemp(srodowisko.foldery);
    ASSERT_TRUE(QFile::link(cudzy.path(), temp));
    PrzygotujFoldery(srodowisko, analiza);
    EXPECT_FALSE(QFileInfo(temp).isSymLink());
    EXPECT_TRUE(QFileInfo(temp).isDir());
    EXPECT_EQ(Zawartosc(cudzy.filePath("praca.odt")), "praca");

    ASSERT_TRUE(QFile::link(cudzy.filePath("praca.odt"), temp + "/plik.htm"));
    ASSERT_TRUE(QFile::link(cudzy.path(), temp + "/folder"));
    ASSERT_TRUE(QFile::link(cudzy.filePath("nie ma"), temp + "/pusty"));
    UsunFolderTemp(srodowisko.foldery);
    EXPECT_FALSE(QFileInfo(temp).exists() || QFileInfo(temp).isSymLink());
    EXPECT_EQ(Zawartosc(cudzy.filePath("praca.odt")), "praca");
    EXPECT_TRUE(QFileInfo(cudzy.filePath("podfolder")).isDir());
}

// A fresh account may have no application-data folder at all: the whole path is made. When it
// cannot be made, the user hears it once.
TEST(Foldery, FolderDanychZCalaSciezka) {
    QTemporaryDir dir;
    const QByteArray dawny = qgetenv("XDG_DATA_HOME");
    QStringList komunikaty;
    Srodowisko s;
    s.komunikaty.ustawObsluge([&](int, int, const QString& t) {
        komunikaty << t;
        return WynikZamknij;
    });
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("home/.local/share")));
    EXPECT_TRUE(UstawFoldery(s));
    EXPECT_TRUE(QFileInfo(s.foldery.FolderDanych).isDir());
    EXPECT_TRUE(komunikaty.isEmpty());

    ASSERT_TRUE(ZapiszPlik(dir.filePath("plik"), "x"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("plik/share")));
    Analiza a;
    EXPECT_FALSE(PrzygotujFoldery(s, a));
    EXPECT_EQ(komunikaty, QStringList{KomunikatBrakuFolderuDanych(s.foldery.FolderDanych)});
    EXPECT_TRUE(komunikaty.value(0).contains(QDir::toNativeSeparators(s.foldery.FolderDanych)));
    qputenv("XDG_DATA_HOME", dawny);
}

namespace {

mode_t Tryb(const QString& sciezka) {
    struct stat st {};
    return ::lstat(QFile::encodeName(sciezka).constData(), &st) == 0 ? st.st_mode & 07777
                                                                     : mode_t(-1);
}

// Sets the process's umask for a while.
struct Umask {
    explicit Umask(mode_t maska) : dawna(::umask(maska)) {}
    ~Umask() { ::umask(dawna); }
    mode_t dawna;
};

} // namespace

// The data folder holds students' names and results: the folder (an older one readable by all
// too) and its Temp are their owner's alone, and so is every file the program writes there (the
// settings over an older readable file, the journal, Temp's lock and scratch files, whatever the
// umask); a file saved elsewhere gets the user's umask, as any program's does.
TEST_F(Dziennik, FolderDanychIJegoPlikiTylkoDlaWlasciciela) {
    Umask umask(022);
    Foldery& f = srodowisko.foldery;
    UsunFolderTemp(f);
    ASSERT_EQ(::chmod(QFile::encodeName(f.FolderDanych).constData(), 0755), 0);
    ASSERT_TRUE(QFile(f.PlikUstawien).open(QIODevice::WriteOnly));
    ASSERT_EQ(Tryb(f.PlikUstawien), 0644u);
    QFile::remove(f.PlikDziennika);

    PrzygotujFoldery(srodowisko, analiza);
    EXPECT_EQ(Tryb(f.FolderDanych), 0700u);
    EXPECT_EQ(Tryb(f.FolderTemp), 0700u);
    EXPECT_EQ(Tryb(f.FolderTemp + ".lock"), 0600u);
    // a Temp removed meanwhile comes back closed as well
    ASSERT_TRUE(QDir(f.FolderTemp).removeRecursively());
    ASSERT_TRUE(UtworzFolderPrywatny(f.FolderTemp));
    EXPECT_EQ(Tryb(f.FolderTemp), 0700u);

    ASSERT_TRUE(ZapiszPlik(f.PlikUstawien, "nowe"));
    srodowisko.WpiszDoDziennika(0, "wiersz");
    ASSERT_TRUE(ZapiszPlikRoboczy(f.FolderTemp + "/Kowalski_HistoriaUcznia.htm", "r"));
    ASSERT_TRUE(ZapiszPlik(f.FolderTemp + "/tab.htm", "t", nullptr, Dowiazanie::Zastap));
    for (const QString& plik :
         {f.PlikUstawien, f.PlikDziennika, f.FolderTemp + "/Kowalski_HistoriaUcznia.htm",
          f.FolderTemp + "/tab.htm"})
        EXPECT_EQ(Tryb(plik), 0600u) << plik.toStdString();
    EXPECT_EQ(Zawartosc(f.PlikUstawien), "nowe");

    QTemporaryDir inny;
    for (const mode_t maska : {mode_t(022), mode_t(027), mode_t(077)}) {
        Umask m(maska);
        const QString plik = inny.filePath(QStringLiteral("tabela%1.htm").arg(maska));
        ASSERT_TRUE(ZapiszPlik(plik, "t"));
        EXPECT_EQ(Tryb(plik), 0666 & ~maska) << maska;
    }
}

// Temp's files are replaced whole without waiting for the disk: the old file stays until the new
// one is complete (a full disk leaves it, and nothing else, behind), a link in the place is
// replaced as a link, and what is not a regular file is never replaced.
TEST(Pliki, ZapisRoboczyZastepujeCalyPlik) {
    MalyDysk dysk(256 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    const QString sciezka = dysk.sciezka("raport.htm");
    ASSERT_TRUE(ZapiszPlikRoboczy(sciezka, "dobry"));
    EXPECT_EQ(Zawartosc(sciezka), "dobry");
    EXPECT_EQ(Tryb(sciezka), 0600u);
    dysk.Zapelnij(0);
    QString blad;
    EXPECT_FALSE(ZapiszPlikRoboczy(sciezka, QByteArray(100 * 1024, 'n'), &blad));
    EXPECT_EQ(blad, QStringLiteral("brak miejsca na dysku"));
    EXPECT_EQ(Zawartosc(sciezka), "dobry");
    EXPECT_EQ(QDir(dysk.folder()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"raport.htm", "wypelnienie.bin"}));
    dysk.Oproznij();
    EXPECT_TRUE(ZapiszPlikRoboczy(sciezka, QByteArray(100 * 1024, 'n')));
    EXPECT_EQ(Zawartosc(sciezka).size(), 100 * 1024);

    QTemporaryDir dir;
    const QString cel = dir.filePath("cudzy.txt"), link = dir.filePath("tab.htm");
    ASSERT_TRUE(ZapiszPlik(cel, "cudze"));
    ASSERT_TRUE(QFile::link(cel, link));
    EXPECT_TRUE(ZapiszPlikRoboczy(link, "nowe"));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Zawartosc(link), "nowe");
    EXPECT_EQ(Zawartosc(cel), "cudze");

    PlikiSpecjalne p;
    for (const QString& niezwykly : {p.fifo, p.folder}) {
        const mode_t przed = PlikiSpecjalne::Rodzaj(niezwykly);
        EXPECT_FALSE(ZapiszPlikRoboczy(niezwykly, "x", &blad)) << niezwykly.toStdString();
        EXPECT_FALSE(blad.isEmpty());
        EXPECT_EQ(PlikiSpecjalne::Rodzaj(niezwykly), przed);
    }
    EXPECT_EQ(QDir(p.dir.path()).entryList({"*.??????"}, QDir::Files | QDir::Hidden),
              QStringList());
}
