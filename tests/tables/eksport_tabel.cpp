// SPDX-License-Identifier: GPL-3.0-or-later
// The tables written out: the HTML documents byte for byte, the questions the results table's
// HTML holds, the text file and the clipboard text, and saving.

#include "tables/eksport_tabel.h"
#include "support/wzorce.h"
#include "tables/komorki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

using namespace testy;

// The golden documents share the head of every table document.
QByteArray Wzorzec(const QString& nazwa) {
    return testy::Wzorzec({QStringLiteral("glowa.htm"), nazwa});
}

QString Czytelnie(const QByteArray& bajty) {
    return QStringDecoder("windows-1250")(bajty);
}

// A student name with markup and one with characters Windows-1250 cannot hold; one student
// ends before it started (a negative time). The test name comes from the first answer file too,
// which anyone can write: its markup is written as text.
class EksportTest : public ::testing::Test {
protected:
    Analiza a;
    void SetUp() override {
        Klasa(a, QStringLiteral("Ułamki <i>i</i> procenty"), 2);
        Uczen(a, QStringLiteral("<script>alert(1)</script>"), QStringLiteral("Jan"),
              QStringLiteral("10"), QTime(10, 0), QTime(10, 42, 30), QTime(10, 42, 31));
        Uczen(a, QStringLiteral("Li"), QStringLiteral("李😀"), QStringLiteral("11"), QTime(10, 0),
              QTime(11, 0), QTime(11, 0, 5));
        Uczen(a, QStringLiteral("Nowak"), QStringLiteral("Anna"), QStringLiteral("10"),
              QTime(23, 50), QTime(0, 10), QTime(0, 11));
        Podsumuj(a);
    }
};

TEST_F(EksportTest, HtmlDocumentsAreWrittenByteForByte) {
    EXPECT_EQ(Czytelnie(TabelaHtml(a, RodzajTabeli::Wynikow, 1, false, false)),
              Czytelnie(Wzorzec(QStringLiteral("tabela_wynikow.htm"))));
    EXPECT_EQ(TabelaHtml(a, RodzajTabeli::Wynikow, 1, false, false),
              Wzorzec(QStringLiteral("tabela_wynikow.htm")));

    // The work-time document writes the mean that the last fill of the time table stored.
    BudujTabeleCzasu(a, false);
    EXPECT_EQ(TabelaHtml(a, RodzajTabeli::Czasu, 1, false, false),
              Wzorzec(QStringLiteral("zestawienie_czasu_pracy.htm")));

    EXPECT_EQ(TabelaHtml(a, RodzajTabeli::Ocen, 1, true, false),
              Wzorzec(QStringLiteral("zestawienie_ocen.htm")));
}

TEST_F(EksportTest, NameCellsFollowTheNameOrderSetting) {
    const QString html = Czytelnie(TabelaHtml(a, RodzajTabeli::Wynikow, 1, false, true));
    EXPECT_TRUE(html.contains(
        QStringLiteral("\r\n<td align=\"left\" width=\"200\" class=\"N\"> Anna Nowak</td>\r\n")));
    EXPECT_TRUE(html.contains(QStringLiteral("> Jan &lt;script&gt;alert(1)&lt;/script&gt;</td>")));
}

// The question columns of the results table's HTML: those of the page, or all with calltab.
struct Zakres {
    int iloscPytan;
    int strona;
    bool calltab;
    int pierwsze;
    int ostatnie;
};

class ZakresHtmlTest : public ::testing::TestWithParam<Zakres> {};

TEST_P(ZakresHtmlTest, HeaderHoldsTheQuestionsOfThePageOrAll) {
    const Zakres z = GetParam();
    Analiza a;
    Klasa(a, QStringLiteral("T"), z.iloscPytan);
    Uczen(a, QStringLiteral("Nowak"), QStringLiteral("Anna"), QString(z.iloscPytan, '1'));
    Podsumuj(a);
    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);
    while (stan.Strona < z.strona)
        ASSERT_TRUE(ZmienStrone(stan, a, +1, false));

    const QStringList wiersze =
        Czytelnie(TabelaHtml(a, stan, z.calltab, false)).split(QStringLiteral("\r\n"));
    QStringList pytania;
    QStringList oczekiwane;
    for (const QString& w : wiersze) {
        if (w == QLatin1String("</tr>")) break; // the end of the header row
        if (w.contains(QLatin1String("width=\"18\""))) pytania << w;
    }
    for (int q = z.pierwsze; q <= z.ostatnie; ++q)
        oczekiwane << QStringLiteral("<td align=\"center\" width=\"18\" class=\"N\"><b>%1</b></td>")
                          .arg(q);
    EXPECT_EQ(pytania, oczekiwane);

    // The text forms always hold the page's columns only.
    EXPECT_EQ(stan.Siatka.IloscKolumn(), 3 + stan.OstatniePytanie - stan.PierwszePytanie + 1);
}

INSTANTIATE_TEST_SUITE_P(Eksport, ZakresHtmlTest,
                         ::testing::Values(Zakres{20, 2, false, 16, 20}, Zakres{20, 2, true, 1, 20},
                                           Zakres{20, 1, true, 1, 20}, Zakres{16, 1, false, 1, 15},
                                           Zakres{60, 4, false, 46, 60}));

TEST_F(EksportTest, TextFileAndClipboardTextOfTheGrid) {
    const Tabela t = BudujTabeleWynikow(a, 1, false);
    const QByteArray oczekiwany = QByteArray("Nazwisko i imi\xEA\t1\t2\tSuma\tOcena\t\r\n"
                                             "<script>alert(1)</script> Jan\t1\t0\t1\tDb\t\r\n"
                                             "Li ??\t1\t1\t2\tCel\t\r\n"
                                             "Nowak Anna\t1\t0\t1\tDb\t\r\n"
                                             "Suma\t3\t1\t4\t\t\r\n"
                                             "\x8Crednia (%)\tM\t33\t67\tDb\t\r\n");
    EXPECT_EQ(TekstTabeliDoPliku(t), oczekiwany);

    EXPECT_EQ(TekstTabeliDoSchowka(t),
              QStringLiteral("Nazwisko i imię\t1\t2\tSuma\tOcena\r\n"
                             "<script>alert(1)</script> Jan\t1\t0\t1\tDb\r\n"
                             "Li 李😀\t1\t1\t2\tCel\r\n"
                             "Nowak Anna\t1\t0\t1\tDb\r\n"
                             "Suma\t3\t1\t4\t\r\n"
                             "Średnia (%)\tM\t33\t67\tDb\r\n"));

    const Tabela oceny = BudujTabeleOcen(a);
    EXPECT_EQ(TekstTabeliDoSchowka(oceny),
              QStringLiteral("Ocena\tIlość ocen\r\nCel\t1\r\nBdb\t0\r\nDb\t2\r\nDst\t0\r\n"
                             "Dop\t0\r\nNdst\t0\r\nŚrednia z ocen\t4,67\r\n"));

    const Tabela czas = BudujTabeleCzasu(a, false);
    EXPECT_TRUE(TekstTabeliDoPliku(czas).startsWith(
        "Nazwisko i imi\xEA\tPocz\xB9tek\tKoniec\tCzas zapisu\tCzas pracy\t\r\n"));
    EXPECT_TRUE(
        TekstTabeliDoPliku(czas).endsWith("\x8Credni (min)\t\t\t\t7 godz. 19 min 10 s\t\r\n"));
}

TEST(Eksport, ControlCharactersInANameDoNotBreakTheTextRows) {
    Analiza a;
    Klasa(a, QStringLiteral("T"), 1);
    Uczen(a, QStringLiteral("Nowak\tKowalska"), QStringLiteral("Anna\r\nMaria"),
          QStringLiteral("1"));
    Podsumuj(a);
    const Tabela t = BudujTabeleWynikow(a, 1, false);
    EXPECT_EQ(TekstTabeliDoSchowka(t).split(QStringLiteral("\r\n"))[1],
              QStringLiteral("Nowak Kowalska Anna  Maria\t1\t1\tCel"));
    EXPECT_EQ(TekstTabeliDoPliku(t).split('\n')[1], "Nowak Kowalska Anna  Maria\t1\t1\tCel\t\r");
}

TEST_F(EksportTest, SavingWritesTheFilesAndFailsWithoutHarm) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    StanTabeli stan;
    OtworzTabele(stan, a, RodzajTabeli::Wynikow, false);

    const QString txt = folder.filePath(NazwaPlikuTabeli(RodzajTabeli::Wynikow, false));
    EXPECT_TRUE(txt.endsWith(QLatin1String("/TabelaWynikow.txt")));
    ASSERT_TRUE(ZapiszTabeleTxt(stan.Siatka, txt));
    QFile f(txt);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), TekstTabeliDoPliku(stan.Siatka));
    f.close();

    // Copying as HTML goes through tab.htm in the temporary folder, overwritten each time.
    const QString kopia = ZapiszTabeleDoKopii(a, stan, false, false, folder.path());
    EXPECT_EQ(kopia, folder.filePath(QStringLiteral("tab.htm")));
    OtworzTabele(stan, a, RodzajTabeli::Ocen, false);
    ASSERT_EQ(ZapiszTabeleDoKopii(a, stan, false, false, folder.path()), kopia);
    QFile h(kopia);
    ASSERT_TRUE(h.open(QIODevice::ReadOnly));
    EXPECT_EQ(h.readAll(), TabelaHtml(a, RodzajTabeli::Ocen, 1, false, false));
    h.close();

    // A link planted in tab.htm's place is replaced, not written through.
    const QString cudzy = folder.filePath(QStringLiteral("cudzy.txt"));
    ASSERT_TRUE(ZapiszTabeleTxt(stan.Siatka, cudzy));
    ASSERT_TRUE(QFile::remove(kopia) && QFile::link(cudzy, kopia));
    ASSERT_EQ(ZapiszTabeleDoKopii(a, stan, false, false, folder.path()), kopia);
    EXPECT_FALSE(QFileInfo(kopia).isSymLink());
    QFile c(cudzy);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), TekstTabeliDoPliku(stan.Siatka));

    // A folder that does not exist: false, and no file appears.
    const QString brak = folder.filePath(QStringLiteral("brak/ZestawienieOcen.htm"));
    EXPECT_FALSE(TabelaHtml(a, stan, false, false, brak));
    EXPECT_FALSE(QFile::exists(brak));
    QString blad;
    EXPECT_FALSE(ZapiszTabeleTxt(stan.Siatka, brak, &blad));
    EXPECT_FALSE(blad.isEmpty());
    EXPECT_TRUE(
        ZapiszTabeleDoKopii(a, stan, false, false, folder.filePath("brak"), &blad).isEmpty());
    EXPECT_FALSE(blad.isEmpty());
}

} // namespace
} // namespace sondrel
