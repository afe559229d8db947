// SPDX-License-Identifier: GPL-3.0-or-later
// Saving reports into the temporary folder: the report with the frame's pictures and the test's
// pictures beside it, overwriting, file names made fit for any file system, and loud failures.

#include "reports/raport.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"

#include "core/foldery.h"
#include "core/kodowanie1250.h"
#include "core/srodowisko.h"
#include "formats/pak.h"
#include "support/klasa_testowa.h"
#include "support/pak_zapis.h"
#include "support/wzorce.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

QByteArray ObrazZZasobow(const char* nazwa) {
    return Zawartosc(QDir(FolderDanych())
                         .filePath(QStringLiteral("../../../resources/") + QLatin1String(nazwa)));
}

class ZapisRaportow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        KlasaProbna(a, folder.path());
        // The temporary folder does not exist yet: saving makes it.
        srodowisko.foldery.FolderTemp = folder.filePath("Temp");
        srodowisko.foldery.PlikDziennika = folder.filePath("Dziennik.txt");
    }
    QString WTemp(const QString& nazwa) const {
        return QDir(srodowisko.foldery.FolderTemp).filePath(nazwa);
    }
    QTemporaryDir folder;
    Analiza a;
    Srodowisko srodowisko;
    const UstawieniaRaportu ustawienia{QStringLiteral("Pracownia"), false};
    StalyZegar zegar{QDateTime(QDate(2024, 3, 5), QTime(8, 0))};
};

} // namespace

TEST(NazwyPlikow, ZnakiNiedozwoloneZastapione) {
    const struct {
        const char* nazwa;
        const char* plik;
    } przypadki[] = {
        {"Test 1", "Test 1"},
        {"Ułamki zwykłe", "Ułamki zwykłe"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"tab\there\x7F", "tab_here_"},
        {"..", "_"},
        {".", "_"},
        {"...", "..."},
        {"", ""},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(BezpiecznaNazwaPliku(QString::fromUtf8(p.nazwa)), QString::fromUtf8(p.plik))
            << p.nazwa;
    // A very long name is cut so that the report's file name still fits in 255 bytes.
    const QString dluga = BezpiecznaNazwaPliku(QString(300, QChar(u'ż')));
    EXPECT_EQ(dluga, QString(100, QChar(u'ż')));
    // A character outside the basic plane is never cut in half: 1 + 49 * 4 bytes remain.
    const QString znaki = BezpiecznaNazwaPliku("a" + QString::fromUtf8("😀").repeated(60));
    EXPECT_EQ(znaki, "a" + QString::fromUtf8("😀").repeated(49));
    EXPECT_EQ(NazwaRaportuOUczniu("a:b", 12), "a_b_Ucz12.htm");
    EXPECT_EQ(NazwaRaportuOPytaniu("../x", 60), ".._x_PytNr60.htm");
}

TEST(Zasoby, ObrazyRamkiWZasobachProgramu) {
    QTemporaryDir folder;
    ASSERT_TRUE(ZapiszObrazZasobu("NAGLOWEK", folder.filePath("n.jpg")));
    ASSERT_TRUE(ZapiszObrazZasobu("Stopka", folder.filePath("s.jpg")));
    EXPECT_EQ(Zawartosc(folder.filePath("n.jpg")), ObrazZZasobow("naglowek.jpg"));
    EXPECT_EQ(Zawartosc(folder.filePath("s.jpg")), ObrazZZasobow("stopka.jpg"));
    EXPECT_FALSE(ObrazZZasobow("naglowek.jpg").isEmpty());
    QString blad;
    EXPECT_FALSE(ZapiszObrazZasobu("logo", folder.filePath("l.jpg"), &blad));
    EXPECT_FALSE(blad.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.filePath("l.jpg")));
}

TEST(Odbiorca, PelneImieZKontaAlboLogin) {
    EXPECT_FALSE(OdbiorcaRaportu().isEmpty());
    const struct {
        const char *komentarz, *login, *odbiorca;
    } przypadki[] = {
        {"Jan Kowalski", "jan", "Jan Kowalski"},
        {"Łucja Nowak,pokój 12,555-12-12,", "lucja", "Łucja Nowak"},
        {"& Zięba,,,", "ewa", "Ewa Zięba"},
        {",,,", "ewa", "ewa"},
        {"  ", "root", "root"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(OdbiorcaZKonta(QString::fromUtf8(p.komentarz), p.login),
                  QString::fromUtf8(p.odbiorca))
            << p.komentarz;
}

TEST_F(ZapisRaportow, RaportZObrazamiObok) {
    const WynikRaportu wynik = RaportOTescie(a, ustawienia, srodowisko);
    ASSERT_TRUE(wynik.udany()) << wynik.blad.toStdString();
    EXPECT_TRUE(wynik.najpierwPustaStrona);
    EXPECT_EQ(wynik.sciezka, WTemp(QString::fromUtf8("Ułamki zwykłe_OTescie.htm")));
    EXPECT_EQ(Zawartosc(wynik.sciezka), BajtyRaportu(ZbudujRaportOTescie(a, ustawienia).wiersze));
    EXPECT_EQ(Zawartosc(WTemp("naglowek.jpg")), ObrazZZasobow("naglowek.jpg"));
    EXPECT_EQ(Zawartosc(WTemp("stopka.jpg")), ObrazZZasobow("stopka.jpg"));
    // The test's picture copied unchanged; the missing one is simply not there.
    EXPECT_EQ(Zawartosc(WTemp("rys1.jpg")), ObrazRysunku());
    EXPECT_FALSE(QFile::exists(WTemp("brak.gif")));
    EXPECT_EQ(QDir(srodowisko.foldery.FolderTemp).entryList(QDir::Files).size(), 4);
}

TEST_F(ZapisRaportow, TaSamaNazwaNadpisuje) {
    const WynikRaportu wykaz = RaportWykazOcen(a, ustawienia, srodowisko);
    ASSERT_TRUE(wykaz.udany());
    const WynikRaportu statystyka = RaportStatystyka(a, ustawienia, srodowisko);
    ASSERT_TRUE(statystyka.udany());
    EXPECT_EQ(wykaz.sciezka, statystyka.sciezka);
    EXPECT_TRUE(Zawartosc(statystyka.sciezka).contains("Dane statystyczne."));

    // Two students' reports live side by side; one question's report overwrites itself.
    ASSERT_TRUE(RaportOUczniu(a, ustawienia, srodowisko, 1).udany());
    ASSERT_TRUE(RaportOUczniu(a, ustawienia, srodowisko, 2).udany());
    EXPECT_TRUE(QFile::exists(WTemp(QString::fromUtf8("Ułamki zwykłe_Ucz1.htm"))));
    EXPECT_TRUE(QFile::exists(WTemp(QString::fromUtf8("Ułamki zwykłe_Ucz2.htm"))));
    ASSERT_TRUE(RaportOPytaniu(a, ustawienia, srodowisko, 2).udany());
    a.Pytania[2].Tresc = "Nowa <u>tresc</u>";
    const WynikRaportu drugi = RaportOPytaniu(a, ustawienia, srodowisko, 2);
    ASSERT_TRUE(drugi.udany());
    EXPECT_TRUE(Zawartosc(drugi.sciezka).contains("<p>Nowa <u>tresc</u></p>"));
}

TEST(NazwyPlikow, TylkoNazwyObrazow) {
    for (const char* nazwa : {"a.jpg", "A.JPEG", "mapa.Gif", "x.bmp", "y.PNG", "a..png", "_.jpg"})
        EXPECT_TRUE(NazwaObrazuDozwolona(QLatin1String(nazwa))) << nazwa;
    for (const char* nazwa : {"TabelaWynikow.htm", "Test_Ucz1.htm", ".bashrc", ".ukryty.jpg",
                              ".jpg", "jpg", "a.jpg.htm", "a.jpg ", "a.svg", ""})
        EXPECT_FALSE(NazwaObrazuDozwolona(QLatin1String(nazwa))) << nazwa;
}

// A crafted test: picture names that would leave the folder, replace a table or a report, or
// drop a hidden file. None is copied; each report keeps its picture line and the journal says
// why the picture is missing.
TEST_F(ZapisRaportow, ObrazOCudzejNazwieNieJestKopiowany) {
    const QString wyjscie = "../ucieczka\".jpg"; // becomes ".._ucieczka_.jpg": hidden
    const QString tabela = "TabelaWynikow.htm";
    const QString ukryty = ".bashrc";
    const QString raport = QString::fromUtf8("Ułamki zwykłe_Ucz1.htm");
    ASSERT_TRUE(ZapiszPak(folder.filePath("zly.skt"),
                          {Czlon(wyjscie, ObrazJpeg(20, 10)), Czlon(tabela, "<script>"),
                           Czlon(ukryty, "rm -rf ~"), Czlon(raport, "x")}));
    ASSERT_TRUE(OtworzPak(folder.filePath("zly.skt"), *a.KontenerTestu));
    ASSERT_TRUE(RaportOUczniu(a, ustawienia, srodowisko, 1).udany());
    const QByteArray uczen = Zawartosc(WTemp(raport));
    ASSERT_TRUE(ZapiszBajty(WTemp(tabela), "tabela"));

    for (const QString& nazwa : {wyjscie, tabela, ukryty, raport}) {
        a.Pytania[2].Obraz = nazwa;
        const WynikRaportu wynik = RaportOPytaniu(a, ustawienia, srodowisko, 2);
        ASSERT_TRUE(wynik.udany()) << nazwa.toStdString();
        EXPECT_TRUE(Zawartosc(wynik.sciezka).contains("<p><img src=\"")) << nazwa.toStdString();
        EXPECT_TRUE(Z1250(Zawartosc(srodowisko.foldery.PlikDziennika))
                        .contains("Raport. Nie skopiowano obrazu " + nazwa))
            << nazwa.toStdString();
    }
    EXPECT_FALSE(QFile::exists(WTemp(".._ucieczka_.jpg")));
    EXPECT_FALSE(QFile::exists(folder.filePath("ucieczka\".jpg")));
    EXPECT_FALSE(QFile::exists(WTemp(".bashrc")));
    EXPECT_EQ(Zawartosc(WTemp(tabela)), "tabela");
    EXPECT_EQ(Zawartosc(WTemp(raport)), uczen);
}

TEST_F(ZapisRaportow, NazwaTestuZUkosnikiem) {
    a.Test.NazwaTestu = "Klasa 2/3";
    const WynikRaportu wynik = RaportWykazOcen(a, ustawienia, srodowisko);
    ASSERT_TRUE(wynik.udany()) << wynik.blad.toStdString();
    EXPECT_EQ(wynik.sciezka, WTemp("Klasa 2_3_WykazOcen.htm"));
    EXPECT_TRUE(QFile::exists(wynik.sciezka));
}

TEST_F(ZapisRaportow, NieudanyZapisJestGlosny) {
    // The report's own name is taken by a folder: the frame's pictures are written, the report
    // cannot be.
    ASSERT_TRUE(QDir().mkpath(WTemp(QString::fromUtf8("Ułamki zwykłe_PytNr1.htm"))));
    const WynikRaportu zajety = RaportOPytaniu(a, ustawienia, srodowisko, 1);
    EXPECT_FALSE(zajety.udany());
    EXPECT_TRUE(zajety.sciezka.isEmpty());
    EXPECT_TRUE(zajety.blad.startsWith(QString::fromUtf8("Nie udało się zapisać raportu.\r")));
    EXPECT_TRUE(zajety.blad.contains("_PytNr1.htm")) << zajety.blad.toStdString();
    EXPECT_TRUE(Z1250(Zawartosc(srodowisko.foldery.PlikDziennika))
                    .contains(QString::fromUtf8("Raport. Błąd zapisu raportu: ")));

    // The temporary folder's place is taken by a file: nothing can be written at all.
    srodowisko.foldery.FolderTemp = folder.filePath("plik");
    ASSERT_TRUE(ZapiszBajty(srodowisko.foldery.FolderTemp, "x"));
    const WynikRaportu brakFolderu = RaportWykazOcen(a, ustawienia, srodowisko);
    EXPECT_FALSE(brakFolderu.udany());
    EXPECT_TRUE(brakFolderu.sciezka.isEmpty());
    EXPECT_TRUE(brakFolderu.blad.contains("naglowek.jpg")) << brakFolderu.blad.toStdString();
}

TEST_F(ZapisRaportow, NumerySpozaZakresu) {
    for (const int uczen : {0, 5, -1, 401}) {
        const WynikRaportu wynik = RaportOUczniu(a, ustawienia, srodowisko, uczen);
        EXPECT_FALSE(wynik.udany()) << uczen;
        EXPECT_TRUE(wynik.sciezka.isEmpty());
    }
    for (const int pytanie : {0, 4, 61})
        EXPECT_FALSE(RaportOPytaniu(a, ustawienia, srodowisko, pytanie).udany()) << pytanie;
    EXPECT_FALSE(QDir(srodowisko.foldery.FolderTemp).exists());
}

// A report names students: in the program's Temp (inside its data folder) the folder and every
// file of the report are their owner's alone whatever the umask; a report written into a folder
// of the user's (the command line's output) gets the user's umask, as any saved file does.
TEST_F(ZapisRaportow, PlikiWTempTylkoDlaWlasciciela) {
    const auto tryb = [](const QString& sciezka) {
        return QFileInfo(sciezka).permissions() &
               (QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
    };
    const mode_t dawna = ::umask(022);
    const QFileDevice::Permissions wlasciciel = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    srodowisko.foldery.FolderTemp = QDir(FolderDanychProgramu()).filePath("Temp");
    QDir(srodowisko.foldery.FolderTemp).removeRecursively();
    const WynikRaportu wTemp = RaportOUczniu(a, ustawienia, srodowisko, 1);
    ASSERT_TRUE(wTemp.udany()) << wTemp.blad.toStdString();
    EXPECT_EQ(tryb(srodowisko.foldery.FolderTemp), wlasciciel | QFileDevice::ExeOwner);
    for (const QString& plik : QDir(srodowisko.foldery.FolderTemp).entryList(QDir::Files))
        EXPECT_EQ(tryb(WTemp(plik)), wlasciciel) << plik.toStdString();
    EXPECT_EQ(QDir(srodowisko.foldery.FolderTemp).entryList(QDir::Files).size(), 4);

    srodowisko.foldery.FolderTemp = folder.filePath("wyniki");
    const WynikRaportu wyniki = RaportOUczniu(a, ustawienia, srodowisko, 1);
    ASSERT_TRUE(wyniki.udany());
    for (const QString& plik : QDir(srodowisko.foldery.FolderTemp).entryList(QDir::Files))
        EXPECT_EQ(tryb(WTemp(plik)), wlasciciel | QFileDevice::ReadGroup | QFileDevice::ReadOther)
            << plik.toStdString();
    ::umask(dawna);
}
