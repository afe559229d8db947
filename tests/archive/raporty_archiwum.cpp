// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's reports: the comparison of classes names no student, marks what the comparison
// marked and brings its chart picture; the student's history lists every result with its
// chart; both are saved whole into the folder given.

#include "archive/archiwum.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archive/wykres_archiwum.h"

#include "core/kodowanie1250.h"
#include "core/srodowisko.h"
#include "support/klasa_testowa.h"
#include "support/srodowisko_testowe.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

QString Tekst(const DokumentRaportu& d) {
    return d.wiersze.join(u'\n');
}

} // namespace

TEST(RaportyArchiwum, PorownanieBezNazwiskZWykresem) {
    std::vector<AnalizaArchiwalna> klasy;
    for (int i = 1; i <= 3; ++i) {
        klasy.push_back(
            KlasaArchiwalna(i, 12, 8, QStringLiteral("Ułamki"),
                            i == 2 ? QStringLiteral("<b>7b</b>") : QStringLiteral("7a")));
        klasy.back().Id = i;
    }
    const ZestawienieKlas z = PorownajKlasy(klasy);
    ASSERT_TRUE(z.Udane());
    const DokumentRaportu d =
        ZbudujRaportPorownania(z, {QStringLiteral("Anna"), false}, QStringLiteral("p.htm"));
    const QString html = Tekst(d);
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Porównanie klas.</b>")));
    for (const AnalizaArchiwalna& a : klasy)
        for (const UczenArchiwalny& u : a.Uczniowie) {
            EXPECT_FALSE(html.contains(u.Nazwisko));
            EXPECT_FALSE(html.contains(u.Imie));
        }
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;7b&lt;/b&gt;")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>7b</b>")));
    bool oznaczone = false;
    for (const FiguryKlasy& f : z.Klasy)
        for (const PytanieKlasy& p : f.Pytania)
            oznaczone = oznaczone || !p.Uwaga.isEmpty();
    EXPECT_EQ(html.contains(QStringLiteral("&#9650;")) || html.contains(QStringLiteral("&#9660;")),
              oznaczone);
    ASSERT_EQ(d.pliki.size(), 1);
    EXPECT_EQ(d.pliki[0].plik, QStringLiteral("p.png"));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"p.png\"")));
    QImage obraz;
    ASSERT_TRUE(obraz.loadFromData(d.pliki[0].bajty, "PNG"));
    EXPECT_EQ(obraz.width(), 1000); // 500 pixels at twice the density

    SrodowiskoTestowe st;
    Srodowisko srodowisko;
    const QString folder = st.sciezka(QStringLiteral("raporty"));
    const WynikRaportu wynik = RaportPorownania(z, {}, folder, srodowisko);
    ASSERT_TRUE(wynik.udany()) << wynik.blad.toStdString();
    EXPECT_EQ(wynik.sciezka, QDir(folder).filePath(QStringLiteral("Ułamki_PorownanieKlas.htm")));
    for (const char* plik : {"Ułamki_PorownanieKlas.png", "naglowek.jpg", "stopka.jpg"})
        EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QString::fromUtf8(plik)))) << plik;

    ZestawienieKlas zle;
    zle.Blad = QStringLiteral("różne testy");
    EXPECT_EQ(RaportPorownania(zle, {}, folder, srodowisko).blad, zle.Blad);
}

TEST(RaportyArchiwum, HistoriaUczniaZArchiwum) {
    SrodowiskoTestowe st;
    Archiwum archiwum;
    ASSERT_TRUE(archiwum.Otworz(st.sciezka(QStringLiteral("Archiwum.sqlite"))));
    for (int i = 1; i <= 3; ++i) {
        // The same student (surname 0, first name of seed 7) in three tests.
        AnalizaArchiwalna a = KlasaArchiwalna(7, 4, 6, QStringLiteral("Test %1").arg(i));
        a.DataNapisania = QDate(2026, i, 10);
        a.Pliki.front().Sha256 = QString(64, QChar(u'0' + i));
        ASSERT_TRUE(archiwum.Dodaj(a));
    }
    Srodowisko srodowisko;
    const QString folder = st.sciezka(QStringLiteral("raporty"));
    const QString uczen = QStringLiteral("  nazwisko0żółć   imię7 ");
    const WynikRaportu wynik = RaportHistorii(archiwum, uczen, {}, folder, srodowisko);
    ASSERT_TRUE(wynik.udany()) << wynik.blad.toStdString();
    QFile plik(wynik.sciezka);
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString html = Z1250(plik.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Historia ucznia.</b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("Nazwisko0żółć Imię7")));
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(html.contains(QStringLiteral("Test %1").arg(i)));
    EXPECT_LT(html.indexOf(QStringLiteral("Test 1")), html.indexOf(QStringLiteral("Test 3")));
    EXPECT_TRUE(QFile::exists(wynik.sciezka.chopped(4) + QStringLiteral(".png")));

    EXPECT_FALSE(
        RaportHistorii(archiwum, QStringLiteral("Nikt Taki"), {}, folder, srodowisko).udany());
}

// The charts' pictures are written by our own settings of the PNG writer: the file holds the
// drawn picture exactly (every pixel, its density for paper), the same picture always gives the
// same bytes, and a picture with an alpha channel is written opaque, its colours kept (the
// charts are painted on white).
TEST(RaportyArchiwum, ObrazWykresuBezStrat) {
    const QImage wykres = WykresLinii({"1.09.2025", "1.10.2025", QString::fromUtf8("żółć")},
                                      {40, 75.5, 100}, "Data", "Wynik (%)");
    const QByteArray bajty = BajtyPng(wykres);
    EXPECT_EQ(BajtyPng(wykres), bajty);
    QImage odczyt;
    ASSERT_TRUE(odczyt.loadFromData(bajty, "PNG"));
    EXPECT_EQ(odczyt.size(), wykres.size());
    EXPECT_EQ(odczyt.dotsPerMeterX(), wykres.dotsPerMeterX());
    EXPECT_EQ(odczyt.convertToFormat(QImage::Format_RGB32),
              wykres.convertToFormat(QImage::Format_RGB32));

    QImage przezroczysty(4, 3, QImage::Format_ARGB32);
    przezroczysty.fill(QColor(0x3B, 0x5B, 0xA5));
    przezroczysty.setPixelColor(1, 1, QColor(255, 0, 0));
    ASSERT_TRUE(odczyt.loadFromData(BajtyPng(przezroczysty), "PNG"));
    EXPECT_FALSE(odczyt.hasAlphaChannel());
    EXPECT_EQ(odczyt.pixelColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(odczyt.pixelColor(0, 2), QColor(0x3B, 0x5B, 0xA5));
}
