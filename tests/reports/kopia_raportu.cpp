// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a shown report elsewhere as a web page: the page and its pictures in a folder named
// after it, references turned towards that folder, references that lead elsewhere left alone,
// links planted where the pictures go replaced (never written through), and a failure that
// leaves nothing half-written: neither a new page nor a damaged older report.
#include "reports/kopia_raportu.h"

#include "core/kodowanie1250.h"
#include "core/srodowisko.h"
#include "formats/pak.h"
#include "reports/odnosniki.h"
#include "reports/raport.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_uczniu.h"
#include "support/klasa_testowa.h"
#include "support/odnosniki_testowe.h"
#include "support/pak_zapis.h"
#include "support/pelny_dysk.h"
#include "support/wzorce.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

TEST(KopiaRaportu, StronaZObrazamiOtwieraSieZInnegoFolderu) {
    QTemporaryDir folder;
    Analiza a;
    KlasaProbna(a, folder.path());
    Srodowisko srodowisko;
    srodowisko.foldery.FolderTemp = folder.filePath("Temp");
    const WynikRaportu raport = RaportOUczniu(a, {}, srodowisko, 1);
    ASSERT_TRUE(raport.udany()) << raport.blad.toStdString();

    const QString cel = folder.filePath(QString::fromUtf8("Dokumenty/Mój raport.htm"));
    QDir().mkpath(QFileInfo(cel).absolutePath());
    QString blad;
    ASSERT_TRUE(ZapiszKopieRaportu(raport.sciezka, cel, &blad)) << blad.toStdString();

    const QString obrazy = FolderObrazowKopii(cel);
    EXPECT_EQ(QFileInfo(obrazy).fileName(), QString::fromUtf8("Mój raport_pliki"));
    EXPECT_EQ(QDir(obrazy).entryList(QDir::Files, QDir::Name),
              (QStringList{"naglowek.jpg", "rys1.jpg", "stopka.jpg"}));
    EXPECT_EQ(Zawartosc(QDir(obrazy).filePath("rys1.jpg")), ObrazRysunku());

    // every picture reference of the saved page leads to a file beside it, wherever it lies
    const QByteArray strona = Zawartosc(cel);
    const QByteArray przedrostek = "src=\"M%C3%B3j%20raport_pliki/";
    EXPECT_EQ(strona.count(przedrostek + "naglowek.jpg\""), 1);
    EXPECT_EQ(strona.count(przedrostek + "stopka.jpg\""), 1);
    EXPECT_EQ(strona.count(przedrostek + "rys1.jpg\""), 1);
    // the picture missing from the test's container stays as it was
    EXPECT_EQ(strona.count("src=\"brak.gif\""), 1);
    EXPECT_EQ(strona.count("src=\""), 4);
    // the rest of the page is the report's, byte for byte
    QByteArray zPowrotem = strona;
    zPowrotem.replace(przedrostek, "src=\"");
    EXPECT_EQ(zPowrotem, Zawartosc(raport.sciezka));
}

TEST(KopiaRaportu, OdnosnikiPozaFolderemRaportuZostajaJakByly) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath("raport");
    QFile(folder.filePath("raport/a b.jpg")).open(QIODevice::WriteOnly);
    QFile(folder.filePath("tajne.txt")).open(QIODevice::WriteOnly);
    const QByteArray html = "<img src=\"a%20b.jpg\"><IMG SRC='a%20b.jpg'><img src=\"../tajne.txt\">"
                            "<img src=\"http://przyklad.pl/x.png\"><img src=\"/etc/passwd\">"
                            "<img src=\"brak.jpg\">";
    QStringList obrazy;
    const QByteArray wynik =
        PrzestawOdnosnikiObrazow(html, "k", folder.filePath("raport"), &obrazy);
    EXPECT_EQ(obrazy, QStringList{"a b.jpg"});
    EXPECT_EQ(wynik, QByteArray("<img src=\"k/a%20b.jpg\"><IMG SRC='k/a%20b.jpg'>"
                                "<img src=\"../tajne.txt\"><img src=\"http://przyklad.pl/x.png\">"
                                "<img src=\"/etc/passwd\"><img src=\"brak.jpg\">"));
}

// One rule for a report's links: what a report writes (through its Windows-1250 page) reads back
// as the same name, whatever letters it holds, and so does a link an older report or a test's
// own markup wrote with plain letters.
TEST(OdnosnikiRaportu, ZapisIOdczytTejSamejNazwy) {
    for (const char* nazwa :
         {"rys1.jpg", "Polska i świat… – mapa.png", "Bąk Mikołaj_HistoriaUcznia.png",
          "ŻÓŁĆ gęślą jaźń.jpg", "a&b #1 %20 +x.jpg", "Ωmega 日本 😀.png", "x'y.png"}) {
        SCOPED_TRACE(nazwa);
        const QString plik = QString::fromUtf8(nazwa);
        const QString adres = AdresPliku(plik);
        // nothing in it that an attribute, a URL or the page's code page would read otherwise
        for (const QChar z : adres)
            EXPECT_TRUE((z.isLetterOrNumber() && z.unicode() < 128) ||
                        QStringLiteral("%-._~").contains(z))
                << adres.toStdString();
        const QByteArray wPliku = BajtyRaportu({adres});
        EXPECT_EQ(PlikZAdresu(wPliku.chopped(2)), plik);
    }
    const struct {
        QByteArray adres;
        const char* plik;
    } zapisane[] = {
        {Na1250(u"mapa Śląska.jpg"), "mapa Śląska.jpg"},    // plain letters of the page
        {"mapa%20%C5%9Al%C4%85ska.jpg", "mapa Śląska.jpg"}, // percent-encoded UTF-8
        {"mapa%20%8Cl%B9ska.jpg", "mapa Śląska.jpg"},       // percent-encoded Windows-1250
        {"a&amp;b&#261;&#x17C;.jpg", "a&bąż.jpg"},          // character references
        {"&#1078;uk.jpg", "жuk.jpg"},                       // a letter outside Windows-1250
        {"a&#0;b.jpg", "a&#0;b.jpg"},                       // no NUL from a reference
    };
    for (const auto& z : zapisane)
        EXPECT_EQ(PlikZAdresu(z.adres), QString::fromUtf8(z.plik)) << z.adres.toStdString();
}

// A test's picture with Polish letters in its name: the report links it so that both the shown
// report and its saved copy find it.
TEST(KopiaRaportu, ObrazOPolskiejNazwie) {
    QTemporaryDir folder;
    Analiza a;
    KlasaProbna(a, folder.path());
    const QString obraz = QString::fromUtf8("Mapa Śląska – rzeki 100%.jpg");
    ASSERT_TRUE(ZapiszPak(folder.filePath("test.skt"), {Czlon(obraz, ObrazRysunku())}));
    ASSERT_TRUE(OtworzPak(folder.filePath("test.skt"), *a.KontenerTestu));
    a.Pytania[1].Obraz = obraz;
    Srodowisko srodowisko;
    srodowisko.foldery.FolderTemp = folder.filePath("Temp");
    const WynikRaportu raport = RaportOPytaniu(a, {}, srodowisko, 1);
    ASSERT_TRUE(raport.udany()) << raport.blad.toStdString();
    EXPECT_EQ(OdnosnikiBezPlikow(raport.sciezka), QStringList());
    EXPECT_TRUE(PlikiOdnosnikow(raport.sciezka).contains(folder.filePath("Temp/") + obraz));

    const QString cel = folder.filePath(QString::fromUtf8("Dokumenty/Świat.htm"));
    QDir().mkpath(QFileInfo(cel).absolutePath());
    QString blad;
    ASSERT_TRUE(ZapiszKopieRaportu(raport.sciezka, cel, &blad)) << blad.toStdString();
    EXPECT_EQ(OdnosnikiBezPlikow(cel), QStringList());
    EXPECT_EQ(PlikiOdnosnikow(cel).size(), 3); // header, picture, footer
    EXPECT_EQ(Zawartosc(QDir(FolderObrazowKopii(cel)).filePath(obraz)), ObrazRysunku());
}

TEST(KopiaRaportu, NieudanyZapisNieZostawiaNiczego) {
    QTemporaryDir folder;
    const QString zrodlo = folder.filePath("r.htm");
    QFile plik(zrodlo);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write("<img src=\"obraz.jpg\">");
    plik.close();
    QFile(folder.filePath("obraz.jpg")).open(QIODevice::WriteOnly);

    // the page's name is taken by a folder: the page cannot be written
    const QString cel = folder.filePath("zajete.htm");
    QDir().mkpath(cel);
    QString blad;
    EXPECT_FALSE(ZapiszKopieRaportu(zrodlo, cel, &blad));
    EXPECT_FALSE(blad.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(FolderObrazowKopii(cel)));

    // a report that is gone
    EXPECT_FALSE(ZapiszKopieRaportu(folder.filePath("brak.htm"), folder.filePath("x.htm"), &blad));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("x.htm")));
    // and no folder of the work left behind
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"obraz.jpg", "r.htm", "zajete.htm"}));
}

// A report whose own files were removed from the temporary folder under the program (another
// copy emptied it, a cleaner ran): the save names the missing file and does not blame the
// destination; a destination that cannot take the page still does.
TEST(KopiaRaportu, ZnikniecieZrodlaJestNazwaneWKomunikacie) {
    QTemporaryDir folder;
    Analiza a;
    KlasaProbna(a, folder.path());
    Srodowisko srodowisko;
    srodowisko.foldery.FolderTemp = folder.filePath("Temp");
    const QString temp = QDir::toNativeSeparators(folder.filePath("Temp"));
    const QString dokumenty = folder.filePath("Dokumenty");
    QDir().mkpath(dokumenty);

    const struct {
        const char* nazwa;
        const char* usuniety; // from Temp; empty: nothing removed
        const char* cel;      // inside Dokumenty
        const char* komunikat;
    } przypadki[] = {
        {"strona raportu usunieta", "*.htm", "r1.htm",
         "Plik raportu zniknął z folderu tymczasowego programu:\r%1\rOtwórz raport ponownie"},
        {"obraz ramki usuniety", "stopka.jpg", "r2.htm",
         "Plik raportu zniknął z folderu tymczasowego programu:\r%1\rOtwórz raport ponownie"},
        {"caly folder tymczasowy usuniety", "", "r3.htm",
         "Plik raportu zniknął z folderu tymczasowego programu:\r%1\rOtwórz raport ponownie"},
        {"folder w miejscu strony", nullptr, "zajete.htm",
         "Brak możliwości zapisu w wybranym miejscu."},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        QDir(folder.filePath("Temp")).removeRecursively();
        const WynikRaportu raport = RaportOUczniu(a, {}, srodowisko, 1);
        ASSERT_TRUE(raport.udany()) << raport.blad.toStdString();
        QString usuniety;
        if (p.usuniety && *p.usuniety) {
            const QString nazwa = QLatin1String(p.usuniety) == QLatin1String("*.htm")
                                      ? QFileInfo(raport.sciezka).fileName()
                                      : QString::fromUtf8(p.usuniety);
            usuniety = QDir::toNativeSeparators(QDir(folder.filePath("Temp")).filePath(nazwa));
            ASSERT_TRUE(QFile::remove(usuniety));
        } else if (p.usuniety) {
            usuniety = QDir::toNativeSeparators(raport.sciezka);
            ASSERT_TRUE(QDir(folder.filePath("Temp")).removeRecursively());
        }
        const QString cel = QDir(dokumenty).filePath(QString::fromUtf8(p.cel));
        if (!p.usuniety) QDir().mkpath(cel);

        QString blad, plikZrodla = QStringLiteral("niezmieniony");
        EXPECT_FALSE(ZapiszKopieRaportu(raport.sciezka, cel, &blad, &plikZrodla));
        EXPECT_EQ(plikZrodla, usuniety);
        const QString komunikat = KomunikatNieudanejKopii(plikZrodla, blad);
        EXPECT_TRUE(komunikat.startsWith(QStringLiteral("Nie udało się zapisać raportu.\r")));
        QString oczekiwany = QString::fromUtf8(p.komunikat);
        if (p.usuniety) oczekiwany = oczekiwany.arg(usuniety);
        EXPECT_TRUE(komunikat.contains(oczekiwany)) << komunikat.toStdString();
        if (p.usuniety) {
            EXPECT_TRUE(usuniety.startsWith(temp));
            EXPECT_FALSE(komunikat.contains(QStringLiteral("wybranym miejscu")));
            // nothing is left where the page was to go
            EXPECT_EQ(
                QDir(dokumenty).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                QStringList());
        }
    }
}

// A report file that is there but cannot be read is named with the system's reason.
TEST(KopiaRaportu, NieczytelneZrodloZPowodem) {
    QTemporaryDir folder;
    const QString zrodlo = folder.filePath("raport.htm");
    QDir().mkpath(zrodlo); // a folder in the report's place
    QString blad, plikZrodla;
    EXPECT_FALSE(ZapiszKopieRaportu(zrodlo, folder.filePath("cel.htm"), &blad, &plikZrodla));
    EXPECT_EQ(plikZrodla, QDir::toNativeSeparators(zrodlo));
    EXPECT_EQ(
        KomunikatNieudanejKopii(plikZrodla, blad),
        QStringLiteral("Nie udało się zapisać raportu.\rNie można odczytać pliku raportu:\r") +
            plikZrodla + QStringLiteral(" (w tym miejscu jest folder)."));
}

// A report in a folder of its own with the pictures it names (name and bytes).
QString RaportZObrazami(const QString& folder, const QList<std::pair<QString, QByteArray>>& obrazy,
                        qsizetype dlugosc = 0) {
    QDir().mkpath(folder);
    QByteArray html = "<html><body>";
    for (const auto& [nazwa, bajty] : obrazy) {
        html += "<img src=\"" + nazwa.toUtf8() + "\">";
        QFile obraz(QDir(folder).filePath(nazwa));
        EXPECT_TRUE(obraz.open(QIODevice::WriteOnly));
        obraz.write(bajty);
    }
    html += QByteArray(std::max<qsizetype>(0, dlugosc - html.size()), ' ') + "</body></html>";
    const QString sciezka = QDir(folder).filePath("raport.htm");
    QFile plik(sciezka);
    EXPECT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write(html);
    return sciezka;
}

// Links planted in the destination: in place of a picture, in place of the pictures' folder,
// dangling. The save replaces them with the program's own files and writes nothing outside.
TEST(KopiaRaportu, DowiazaniaWMiejscuObrazowSaZastepowane) {
    QTemporaryDir folder;
    const QString zrodlo =
        RaportZObrazami(folder.filePath("Temp"), {{"mapa.jpg", "JPEG-MAPA"}, {"b.jpg", "JPEG-B"}});
    const QString cel = folder.filePath("cel");
    const QString obce = folder.filePath("obce");
    QDir().mkpath(cel);
    QDir().mkpath(obce);
    const QByteArray ofiara = "to nie jest obraz";
    QFile plik(QDir(obce).filePath("ofiara.txt"));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write(ofiara);
    plik.close();

    const struct {
        const char* nazwa;
        std::function<void(const QString& pliki)> podloz;
    } przypadki[] = {
        {"obraz dowiazaniem do pliku",
         [&](const QString& pliki) {
             QDir().mkpath(pliki);
             ASSERT_TRUE(QFile::link(QDir(obce).filePath("ofiara.txt"), pliki + "/mapa.jpg"));
         }},
        {"folder dowiazaniem do folderu",
         [&](const QString& pliki) { ASSERT_TRUE(QFile::link(obce, pliki)); }},
        {"folder dowiazaniem donikad",
         [&](const QString& pliki) { ASSERT_TRUE(QFile::link(obce + "/brak", pliki)); }},
        {"folder z dowiazaniem do folderu",
         [&](const QString& pliki) {
             QDir().mkpath(pliki);
             ASSERT_TRUE(QFile::link(obce, pliki + "/b.jpg"));
         }},
    };
    int n = 0;
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        const QString strona = QDir(cel).filePath(QStringLiteral("r%1.htm").arg(++n));
        const QString pliki = FolderObrazowKopii(strona);
        p.podloz(pliki);
        QString blad;
        ASSERT_TRUE(ZapiszKopieRaportu(zrodlo, strona, &blad)) << blad.toStdString();
        EXPECT_FALSE(QFileInfo(pliki).isSymLink());
        for (const char* obraz : {"mapa.jpg", "b.jpg"}) {
            const QFileInfo info(QDir(pliki).filePath(obraz));
            EXPECT_TRUE(info.isFile() && !info.isSymLink()) << obraz;
        }
        EXPECT_EQ(Zawartosc(pliki + "/mapa.jpg"), "JPEG-MAPA");
        EXPECT_EQ(Zawartosc(pliki + "/b.jpg"), "JPEG-B");
        // nothing written outside
        EXPECT_EQ(QDir(obce).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"ofiara.txt"});
        EXPECT_EQ(Zawartosc(QDir(obce).filePath("ofiara.txt")), ofiara);
    }
    EXPECT_TRUE(
        QDir(cel).entryList(QStringList{".sondrel-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
}

// Saving over an older report: a failure at any step leaves its page and all its pictures as
// they were; a success replaces them and keeps what else the older folder held.
TEST(KopiaRaportu, ZapisNaStarymRaporcieWszystkoAlboNic) {
    QTemporaryDir folder;
    const QString cel = folder.filePath("cel/raport.htm");
    const QString pliki = FolderObrazowKopii(cel);
    const auto stary = [&] {
        QDir(pliki).removeRecursively();
        const QString z =
            RaportZObrazami(folder.filePath("stary"), {{"a.jpg", "STARY-A"}, {"b.jpg", "STARY-B"}});
        QDir().mkpath(folder.filePath("cel"));
        ASSERT_TRUE(ZapiszKopieRaportu(z, cel));
        QFile wlasny(pliki + "/notatka.txt");
        ASSERT_TRUE(wlasny.open(QIODevice::WriteOnly));
        wlasny.write("moje");
    };
    const QByteArray duzy(4096, 'x');
    const struct {
        const char* nazwa;
        QList<std::pair<QString, QByteArray>> obrazy;
        qsizetype dlugoscStrony;
    } porazki[] = {
        // the first picture fits, the second does not
        {"obraz za duzy", {{"a.jpg", "NOWY-A"}, {"b.jpg", duzy}}, 0},
        // every picture fits, the page does not
        {"strona za duza", {{"a.jpg", "NOWY-A"}, {"b.jpg", "NOWY-B"}}, 4096},
    };
    for (const auto& p : porazki) {
        SCOPED_TRACE(p.nazwa);
        stary();
        const QByteArray strona = Zawartosc(cel);
        const QString zrodlo =
            RaportZObrazami(folder.filePath(QLatin1String(p.nazwa)), p.obrazy, p.dlugoscStrony);
        QString blad;
        {
            testy::LimitRozmiaruPliku limit(2048);
            EXPECT_FALSE(ZapiszKopieRaportu(zrodlo, cel, &blad));
        }
        EXPECT_FALSE(blad.isEmpty());
        EXPECT_EQ(Zawartosc(cel), strona);
        EXPECT_EQ(Zawartosc(pliki + "/a.jpg"), "STARY-A");
        EXPECT_EQ(Zawartosc(pliki + "/b.jpg"), "STARY-B");
        EXPECT_EQ(Zawartosc(pliki + "/notatka.txt"), "moje");
        EXPECT_EQ(QDir(folder.filePath("cel"))
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{"raport.htm", "raport_pliki"}));
    }

    // a save that succeeds: the new pictures, the user's note kept
    const QString zrodlo =
        RaportZObrazami(folder.filePath("nowy"), {{"a.jpg", "NOWY-A"}, {"c.jpg", "NOWY-C"}});
    ASSERT_TRUE(ZapiszKopieRaportu(zrodlo, cel));
    EXPECT_EQ(Zawartosc(pliki + "/a.jpg"), "NOWY-A");
    EXPECT_EQ(Zawartosc(pliki + "/c.jpg"), "NOWY-C");
    EXPECT_EQ(Zawartosc(pliki + "/notatka.txt"), "moje");
    EXPECT_TRUE(Zawartosc(cel).contains("src=\"raport_pliki/c.jpg\""));
    EXPECT_EQ(QDir(folder.filePath("cel"))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"raport.htm", "raport_pliki"}));
}

} // namespace
