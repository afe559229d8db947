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
#include "reports/kopia_raportu.h"
#include "support/klasa_testowa.h"
#include "support/odnosniki_testowe.h"
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
    EXPECT_EQ(html.contains(QStringLiteral("&nbsp;&#9650;")) ||
                  html.contains(QStringLiteral("&nbsp;&#9660;")),
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

// A class of `uczniow` students on a test of `pytan` questions; the first `poprawnych` answer
// question 1 right, everybody answers the others right.
AnalizaArchiwalna Klasa(qint64 id, const QString& etykieta, int uczniow, int poprawnych,
                        int pytan = 2) {
    std::vector<std::vector<int>> wybory;
    for (int s = 0; s < uczniow; ++s) {
        std::vector<int> odpowiedzi{s < poprawnych ? 1 : 2};
        for (int q = 1; q < pytan; ++q)
            odpowiedzi.push_back(q % 4 + 1);
        wybory.push_back(odpowiedzi);
    }
    return KlasaArchiwalna(id, etykieta, wybory, pytan);
}

// The marks in words: each marked question with the beginning of its text, "pytanie" for one;
// the legend says what a mark means; one class alone has none and the report says why; two
// classes of one label are told apart by their dates in every table.
TEST(RaportyArchiwum, OznaczeniaZTrescia) {
    std::vector<AnalizaArchiwalna> klasy{Klasa(1, QStringLiteral("7a"), 20, 16),
                                         Klasa(2, QStringLiteral("7a"), 20, 8)};
    klasy[0].DataNapisania = QDate(2025, 5, 16);
    klasy[1].DataNapisania = QDate(2026, 5, 16);
    klasy[1].Pytania = {{QStringLiteral("Ile to jest <b>1/2&nbsp;+&#x20;1/4</b>?<br>Podaj wynik "
                                        "w postaci ułamka &lt;nieskracalnego&gt;."),
                         {}},
                        {QStringLiteral("Drugie"), {}}};
    const ZestawienieKlas z = PorownajKlasy(klasy);
    ASSERT_TRUE(z.Udane());
    ASSERT_EQ(z.Klasy[0].Pytania[0].Uwaga, UwagaLatwiejsze);
    const QString html =
        Tekst(ZbudujRaportPorownania(z, {QStringLiteral("Anna"), false}, QStringLiteral("p.htm")));
    const QString poczatek =
        QStringLiteral("pytanie 1 („Ile to jest 1/2 + 1/4? Podaj wynik w…”) – ");
    EXPECT_TRUE(
        html.contains(QStringLiteral("<b>7a (16.05.2025)</b>: ") + poczatek + UwagaLatwiejsze))
        << html.toStdString();
    EXPECT_TRUE(
        html.contains(QStringLiteral("<b>7a (16.05.2026)</b>: ") + poczatek + UwagaTrudniejsze));
    EXPECT_FALSE(html.contains(QStringLiteral("pytania 1")));
    EXPECT_TRUE(html.contains(QStringLiteral("dokładny test Fishera")));
    // both tables of classes, both question tables and the marks name each class with its date
    // (and only once in each row: no second date beside it)
    for (const char* klasa : {"7a (16.05.2025)", "7a (16.05.2026)"})
        EXPECT_GE(html.count(QString::fromUtf8(klasa)), 5) << klasa;
    EXPECT_FALSE(html.contains(QStringLiteral("(16.05.2025)</span>")));

    const QString jedna =
        Tekst(ZbudujRaportPorownania(PorownajKlasy({klasy[0]}), {}, QStringLiteral("p.htm")));
    EXPECT_TRUE(jedna.contains(QStringLiteral("Porównano jedną klasę")));
    EXPECT_FALSE(jedna.contains(QStringLiteral("&nbsp;&#9650;")));
}

// Many classes or questions: several charts, none of more than six classes nor (where the
// questions allow) higher than the limit, each saved and linked; the question tables grouped
// as the charts are.
TEST(RaportyArchiwum, WieleKlasNaKilkuWykresach) {
    const struct {
        int klas, pytan, wykresow;
    } przypadki[] = {{1, 1, 1}, {2, 20, 1}, {2, 60, 1}, {6, 60, 2}, {40, 20, 7}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.klas << " klas, " << p.pytan << " pytań");
        std::vector<AnalizaArchiwalna> klasy;
        for (int k = 1; k <= p.klas; ++k)
            klasy.push_back(Klasa(k, QStringLiteral("k%1").arg(k), 3, k % 3, p.pytan));
        const ZestawienieKlas z = PorownajKlasy(klasy);
        ASSERT_TRUE(z.Udane());
        const std::vector<WykresPorownania> wykresy = WykresyPorownania(z);
        EXPECT_EQ(wykresy.size(), static_cast<std::size_t>(p.wykresow));
        for (const WykresPorownania& w : wykresy) {
            EXPECT_LE(w.obraz.height(), 2 * MaksWysokoscWykresu);
            EXPECT_EQ(w.obraz.width(), 1000);
            EXPECT_EQ(w.opis.isEmpty(), wykresy.size() == 1);
        }
        const DokumentRaportu d = ZbudujRaportPorownania(z, {}, QStringLiteral("p.htm"));
        const QString html = Tekst(d);
        ASSERT_EQ(d.pliki.size(), wykresy.size());
        for (qsizetype i = 0; i < d.pliki.size(); ++i) {
            const QString plik =
                i == 0 ? QStringLiteral("p.png") : QStringLiteral("p_%1.png").arg(i + 1);
            EXPECT_EQ(d.pliki[i].plik, plik);
            EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"") + plik + u'"'));
        }
        // a question table per group of at most six classes, for facility and discrimination
        const int grup = (p.klas + MaksKlasNaWykresie - 1) / MaksKlasNaWykresie;
        EXPECT_EQ(html.count(QStringLiteral("1px solid #2F2F47\">Razem</th>")), 2 * grup);
        // the classes of each chart named above it
        if (p.klas == 40) {
            EXPECT_EQ(wykresy.front().opis,
                      QStringLiteral("Klasy k1, k2, k3, k4, k5; pytania 1–20."));
            EXPECT_EQ(wykresy.back().opis,
                      QStringLiteral("Klasy k35, k36, k37, k38, k39, k40; pytania 1–20."));
            EXPECT_TRUE(html.contains(QStringLiteral("<p class=\"M\">Klasy k35, k36")));
        }
    }
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

// Polish letters in the test's or the student's name: the saved report and its copy saved
// elsewhere both lead to their chart (the copy's folder holds it beside the frame's pictures).
TEST(RaportyArchiwum, KopiaZWykresemPrzyPolskichNazwach) {
    SrodowiskoTestowe st;
    Archiwum archiwum;
    ASSERT_TRUE(archiwum.Otworz(st.sciezka(QStringLiteral("Archiwum.sqlite"))));
    const QString test = QStringLiteral("Polska i świat… – współczesność");
    std::vector<AnalizaArchiwalna> klasy;
    for (int i = 1; i <= 2; ++i) {
        klasy.push_back(KlasaArchiwalna(i, 4, 5, test, QStringLiteral("7ą")));
        klasy.back().Uczniowie.front().Nazwisko = QStringLiteral("Bąk");
        klasy.back().Uczniowie.front().Imie = QStringLiteral("Mikołaj");
        ASSERT_TRUE(archiwum.Dodaj(klasy.back()));
    }
    Srodowisko srodowisko;
    const QString folder = st.sciezka(QStringLiteral("Temp"));
    const WynikRaportu raporty[] = {
        RaportPorownania(PorownajKlasy(klasy), {}, folder, srodowisko),
        RaportHistorii(archiwum, QStringLiteral("Bąk Mikołaj"), {}, folder, srodowisko)};
    for (const WynikRaportu& raport : raporty) {
        ASSERT_TRUE(raport.udany()) << raport.blad.toStdString();
        SCOPED_TRACE(raport.sciezka.toStdString());
        const QString wykres = raport.sciezka.chopped(4) + QStringLiteral(".png");
        EXPECT_TRUE(PlikiOdnosnikow(raport.sciezka).contains(wykres));
        EXPECT_EQ(OdnosnikiBezPlikow(raport.sciezka), QStringList());

        const QString cel = st.sciezka(QStringLiteral("Dokumenty/Zapisany ") +
                                       QFileInfo(raport.sciezka).fileName());
        QDir().mkpath(QFileInfo(cel).absolutePath());
        QString blad;
        ASSERT_TRUE(ZapiszKopieRaportu(raport.sciezka, cel, &blad)) << blad.toStdString();
        EXPECT_EQ(OdnosnikiBezPlikow(cel), QStringList());
        const QDir pliki(FolderObrazowKopii(cel));
        EXPECT_EQ(pliki.entryList(QDir::Files, QDir::Name),
                  (QStringList{QFileInfo(wykres).fileName(), "naglowek.jpg", "stopka.jpg"}));
        QFile zrodlo(wykres);
        ASSERT_TRUE(zrodlo.open(QIODevice::ReadOnly));
        QFile kopia(pliki.filePath(QFileInfo(wykres).fileName()));
        ASSERT_TRUE(kopia.open(QIODevice::ReadOnly));
        EXPECT_EQ(kopia.readAll(), zrodlo.readAll());
    }
}

TEST(HistoriaUcznia, LiniaKlasy) {
    const struct {
        const char* klasa;
        const char* linia;
    } przypadki[] = {{"7a", "a"},    {"8 A", "a"},  {"VIIa", "a"},
                     {"III b", "b"}, {"2TI", "ti"}, {"1-LO c", "loc"},
                     {"7", "7"},     {"", ""},      {"Zięby", "zięby"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(LiniaKlasy(QString::fromUtf8(p.klasa)), QString::fromUtf8(p.linia)) << p.klasa;
}

// One name in the archive: one student through the years (7a, then 8a), another in 7b, results
// without a label. The 7b student is shown apart; a date with results in two classes and two
// results in one class are said in words.
TEST(HistoriaUcznia, RozniUczniowieTegoSamegoNazwiska) {
    qint64 id = 0;
    const auto wynik = [&](const char* klasa, QDate data, qint64 analiza = 0) {
        WynikUcznia w;
        w.Analiza.Id = analiza ? analiza : ++id + 100;
        w.Analiza.Klasa = QString::fromUtf8(klasa);
        w.Analiza.DataNapisania = data;
        w.Analiza.NazwaTestu = QStringLiteral("Ułamki");
        w.Analiza.IloscPytan = 10;
        w.Nazwisko = QStringLiteral("Bąk");
        w.Imie = QStringLiteral("Mikołaj");
        w.Procent = static_cast<qint32>(10 * id);
        return w;
    };
    const std::vector<WynikUcznia> wyniki{
        wynik("7a", QDate(2025, 3, 10)), wynik("7b", QDate(2025, 3, 10)),
        wynik("8a", QDate(2026, 3, 12)), wynik("8a", QDate(2026, 4, 12), 7),
        wynik("8a", QDate(2026, 4, 12), 7)};
    const auto grupy = RozdzielHistorie(wyniki);
    ASSERT_EQ(grupy.size(), 2u);
    EXPECT_EQ(grupy[0].Klasy, (QStringList{"7a", "8a"}));
    EXPECT_EQ(grupy[0].Wyniki.size(), 4u);
    EXPECT_EQ(grupy[1].Klasy, QStringList{"7b"});
    EXPECT_EQ(RozniUczniowie(wyniki),
              (QStringList{QStringLiteral("Tego samego dnia (10.03.2025) to nazwisko i imię ma "
                                          "wyniki w klasach 7a i 7b: to różni uczniowie."),
                           QStringLiteral("W klasie 8a (12.04.2026, test „Ułamki”) to nazwisko i "
                                          "imię ma 2 uczniów: ich wyniki są w tabeli osobno.")}));

    // a result without a label joins the only line there is, or stands apart beside several
    std::vector<WynikUcznia> jedna{wynik("7a", QDate(2025, 3, 10)), wynik("", QDate(2025, 6, 1)),
                                   wynik("8a", QDate(2026, 3, 12))};
    EXPECT_EQ(RozdzielHistorie(jedna).size(), 1u);
    EXPECT_TRUE(RozniUczniowie(jedna).isEmpty());
    std::vector<WynikUcznia> dwie = wyniki;
    dwie.push_back(wynik("", QDate(2026, 6, 1)));
    EXPECT_EQ(RozdzielHistorie(dwie).size(), 3u);

    // the report: a table and a chart per group, the reason said
    const DokumentRaportu d =
        ZbudujRaportHistorii(QStringLiteral("Bąk Mikołaj"), wyniki, {}, QStringLiteral("h.htm"));
    const QString html = Tekst(d);
    ASSERT_EQ(d.pliki.size(), 2);
    EXPECT_EQ(d.pliki[1].plik, QStringLiteral("h_2.png"));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"h_2.png\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Klasy 7a, 8a</b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<b>Klasa 7b</b>")));
    EXPECT_TRUE(html.contains(QStringLiteral("to mogą być różni uczniowie")));
    EXPECT_TRUE(html.contains(QStringLiteral("w klasach 7a i 7b: to różni uczniowie")));
    EXPECT_EQ(html.count(QStringLiteral("<table")), 2 + 1); // the frame's page table

    // one student's history stays one table without a word about it
    const QString jeden = Tekst(
        ZbudujRaportHistorii(QStringLiteral("Bąk Mikołaj"), jedna, {}, QStringLiteral("h.htm")));
    EXPECT_FALSE(jeden.contains(QStringLiteral("różni uczniowie")));
    EXPECT_FALSE(jeden.contains(QStringLiteral("<b>Klas")));
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
