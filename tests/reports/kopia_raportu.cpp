// Saving a shown report elsewhere as a web page: the page and its pictures in a folder named
// after it, references turned towards that folder, references that lead elsewhere left alone,
// and a failure that leaves nothing half-written.
#include "reports/kopia_raportu.h"

#include "core/kodowanie1250.h"
#include "core/srodowisko.h"
#include "klasa_probna.h"
#include "reports/raport_o_uczniu.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
}

} // namespace
