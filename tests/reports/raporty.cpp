// SPDX-License-Identifier: GPL-3.0-or-later
// The five reports, byte for byte: a small class compared with reviewed golden files
// (tests/reports/dane), then the variants by number of options, the
// name order, the rounding of the easiness and hostile names.

#include "reports/raport_jakosc_pytan.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"

#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "support/klasa_testowa.h"
#include "support/wzorce.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QDateTime Chwila(QDate(2024, 3, 5), QTime(10, 15));

UstawieniaRaportu Ustawienia(bool najpierwImie = false) {
    return {QStringLiteral("Pracownia nr 12"), najpierwImie};
}

// The date is the locale's short date of the fixed day; the golden files hold a placeholder.
QByteArray ZDataWzorca(QByteArray bajty) {
    const QByteArray data = Na1250(TekstDatyKrotkiej(Chwila.date()));
    bajty.replace("Data: " + data + "</p>", "Data: @DATA@</p>");
    return bajty;
}

// Compares the report with its golden files: the head that reports of one style share, then
// the report's own (SONDREL_NOWE_WZORCE=1 rewrites the latter).
void PorownajZWzorcem(const DokumentRaportu& dokument, const QStringList& pliki) {
    testy::PorownajZWzorcem(ZDataWzorca(BajtyRaportu(dokument.wiersze)), pliki);
}

class Raporty : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        KlasaProbna(a, folder.path());
    }
    QTemporaryDir folder;
    Analiza a;
    StalyZegar zegar{Chwila};
};

// Finds the index of the first line equal to `wiersz`; -1 when none.
qsizetype Indeks(const QStringList& wiersze, const QString& wiersz) {
    return wiersze.indexOf(wiersz);
}

} // namespace

TEST_F(Raporty, ZgodneZeWzorcami) {
    PorownajZWzorcem(ZbudujRaportOTescie(a, Ustawienia()), {"glowa_raportu.htm", "o_tescie.htm"});
    PorownajZWzorcem(ZbudujRaportStatystyka(a, Ustawienia()),
                     {"glowa_raportu.htm", "statystyka.htm"});
    PorownajZWzorcem(ZbudujRaportWykazOcen(a, Ustawienia()),
                     {"glowa_raportu.htm", "wykaz_ocen.htm"});
    PorownajZWzorcem(ZbudujRaportOUczniu(a, Ustawienia(), 3), {"glowa_pelna.htm", "uczen_3.htm"});
    PorownajZWzorcem(ZbudujRaportOPytaniu(a, Ustawienia(), 1),
                     {"glowa_pelna.htm", "pytanie_1.htm"});
}

TEST_F(Raporty, DataDzisiejszaIOdbiorca) {
    const QStringList w =
        ZbudujRaportStatystyka(a, {QString::fromUtf8("Ola <b>& Żak"), false}).wiersze;
    EXPECT_TRUE(w.contains(
        "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Data: " + TekstDatyKrotkiej(QDate(2024, 3, 5)) + "</p>"));
    // The recipient is plain text, not markup.
    EXPECT_TRUE(w.contains(QString::fromUtf8("<tr><td class=\"M\" align=\"left\">&nbsp;&nbsp;"
                                             "&nbsp;&nbsp;&nbsp;Przygotowano dla: Ola &lt;b&gt;"
                                             "&amp; Żak</td></tr>")));
}

TEST_F(Raporty, NazwyPlikowIPustaStrona) {
    const DokumentRaportu test = ZbudujRaportOTescie(a, Ustawienia());
    EXPECT_EQ(test.nazwaPliku, QString::fromUtf8("Ułamki zwykłe_OTescie.htm"));
    EXPECT_TRUE(test.najpierwPustaStrona);
    EXPECT_EQ(ZbudujRaportStatystyka(a, Ustawienia()).nazwaPliku,
              ZbudujRaportWykazOcen(a, Ustawienia()).nazwaPliku);
    EXPECT_EQ(ZbudujRaportOUczniu(a, Ustawienia(), 2).nazwaPliku,
              QString::fromUtf8("Ułamki zwykłe_Ucz2.htm"));
    EXPECT_EQ(ZbudujRaportOPytaniu(a, Ustawienia(), 3).nazwaPliku,
              QString::fromUtf8("Ułamki zwykłe_PytNr3.htm"));
    EXPECT_FALSE(ZbudujRaportOPytaniu(a, Ustawienia(), 3).najpierwPustaStrona);
    // The pictures each report refers to, once each, under their own names.
    const QList<ObrazRaportu> obrazy = test.obrazy;
    ASSERT_EQ(obrazy.size(), 2);
    EXPECT_EQ(obrazy[0].czlonek, "rys1.jpg");
    EXPECT_EQ(obrazy[1].plik, "brak.gif");
}

TEST_F(Raporty, PiecOpcji) {
    a.Test.IloscOdpowiedzi = 5;
    a.Pytania[1].Odpowiedzi[4].Poprawna = true;
    a.Pytania[1].Odpowiedzi[5] = {"5/4", true};
    DodajUczniow(a, {"10011", "1010", "0100"},
                 {{"A", "A", {"10011"}}, {"B", "B", {"00001"}}, {"C", "C", {"00010"}}});

    const QStringList t = ZbudujRaportOTescie(a, Ustawienia()).wiersze;
    const qsizetype d = Indeks(t, "<b>&nbsp;&nbsp;D:</B>&nbsp;1<br>");
    ASSERT_GE(d, 0);
    EXPECT_EQ(t[d + 1], "&nbsp;&nbsp;<b>E:</B>&nbsp;5/4<br>");
    const qsizetype c = Indeks(t, "C: 0&nbsp;&nbsp;&nbsp;&nbsp;");
    ASSERT_GE(c, 0);
    EXPECT_EQ(t[c + 1], "D: 2&nbsp;&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(t[c + 2], "E: 2</p>");

    const QStringList p = ZbudujRaportOPytaniu(a, Ustawienia(), 2).wiersze;
    const qsizetype e = Indeks(p, "<p class=\"N1\">E:&nbsp;</p>");
    ASSERT_GE(e, 0);
    EXPECT_EQ(p[e + 1], "<p class=\"N2\"> Ilość wyborów: 0</p>");
    const QStringList p1 = ZbudujRaportOPytaniu(a, Ustawienia(), 1).wiersze;
    EXPECT_TRUE(p1.contains("<p class=\"N1\"><b>D:</b>&nbsp;1</p>"));
    EXPECT_TRUE(p1.contains("<p class=\"N1\"><b>E:</B>&nbsp;5/4</p>"));

    const QStringList u = ZbudujRaportOUczniu(a, Ustawienia(), 1).wiersze;
    EXPECT_TRUE(u.contains("<p class=\"N1\"><b>E:</B>&nbsp;5/4</p>"));
    EXPECT_TRUE(u.contains("Wybór ucznia: A D E &nbsp;<br><br></p>"));
}

TEST_F(Raporty, TrzyOpcjeBezDiE) {
    a.Test.IloscOdpowiedzi = 3;
    // Ticks stored for option 4 are never shown.
    DodajUczniow(a, {"1000", "1010", "0100"}, {{"A", "A", {"0001", "1010", "0100"}}});
    const QStringList t = ZbudujRaportOTescie(a, Ustawienia()).wiersze;
    const qsizetype c = Indeks(t, "C: 0&nbsp;&nbsp;&nbsp;&nbsp;");
    ASSERT_GE(c, 0);
    EXPECT_EQ(t[c + 1], "</p>");
    EXPECT_FALSE(t.join('\n').contains("D:"));
    const QStringList u = ZbudujRaportOUczniu(a, Ustawienia(), 1).wiersze;
    EXPECT_FALSE(u.join('\n').contains("D:"));
    EXPECT_TRUE(u.contains(
        QString::fromUtf8("Uczeń nie udzielił odpowiedzi na to pytanie.&nbsp;<br><br></p>")));
    EXPECT_TRUE(u.contains("Wybór ucznia: A C &nbsp;<br><br></p>"));
}

TEST_F(Raporty, BrakujacyTekstWielokrotnyWyborIJednaListaNazw) {
    a.Test.TypTestu = 1;
    // A text member that is not in the container still gets its number; a picture whose name
    // was already printed as a text is not printed again (one list for both).
    a.Pytania[1].Tekst = "brak.txt";
    a.Pytania[2].Tekst = "opis.txt";
    a.Pytania[2].Obraz = "BRAK.TXT";
    a.Pytania[3].Obraz = "";

    const QStringList t = ZbudujRaportOTescie(a, Ustawienia()).wiersze;
    EXPECT_TRUE(t.contains(QString::fromUtf8("<b>Typ testu: </b>wielokrotnego wyboru.<br>")));
    const qsizetype t1 = Indeks(t, "<p class=\"N\"><b>Tekst nr 1:</b></p>");
    ASSERT_GE(t1, 0);
    EXPECT_EQ(t[t1 + 1], "<p class=\"N\"></p>");
    EXPECT_GE(Indeks(t, "<p class=\"N\"><b>Tekst nr 2:</b></p>"), 0);
    EXPECT_GE(Indeks(t, "<p class=\"N\"><b>Tekst nr 3:</b></p>"), 0);
    EXPECT_GE(Indeks(t, "<p class=\"N\"><b>Obraz nr 1:</b></p>"), 0);
    EXPECT_LT(Indeks(t, "<p class=\"N\"><b>Obraz nr 2:</b></p>"), 0);

    EXPECT_TRUE(ZbudujRaportOUczniu(a, Ustawienia(), 1)
                    .wiersze.contains("<p><b>Typ testu: </b>wielokrotnego wyboru.</p>"));
    const QStringList p = ZbudujRaportOPytaniu(a, Ustawienia(), 1).wiersze;
    EXPECT_TRUE(p.contains("<p><b>Typ testu: </b>wielokrotnego wyboru.</p>"));
    const qsizetype tekst = Indeks(p, QString::fromUtf8("<p><b>Tekst dodatkowy towarzyszący "
                                                        "pytaniu:</b></p>"));
    ASSERT_GE(tekst, 0);
    EXPECT_EQ(p[tekst + 1], "<p></p>");
}

TEST_F(Raporty, LatwoscZaokraglanaDoParzystej) {
    // One of eight correct: 12.5 hundredths give 0,12.
    QList<UczenProbny> uczniowie;
    for (int i = 0; i < 8; ++i)
        uczniowie.append({QString("U%1").arg(i), "X", {i == 0 ? "1000" : "0100"}});
    DodajUczniow(a, {"1000", "1010", "0100"}, uczniowie);
    const QStringList t = ZbudujRaportOTescie(a, Ustawienia()).wiersze;
    EXPECT_TRUE(t.contains(
        QString::fromUtf8("<p class=\"N\">Poziom łatwości zadania: 0,12 - bardzo trudny</p>")));
    EXPECT_TRUE(t.contains(QString::fromUtf8("<p class=\"N\">Poziom łatwości zadania: 0 - "
                                             "bardzo trudny</p>")));
}

TEST_F(Raporty, StatystykaZPrzykladu) {
    // Points 3, 5, 5 and 8 of 10 questions.
    UstawNaglowek(a, "S", 4, 10);
    QStringList klucze(10, "1000");
    QList<UczenProbny> uczniowie;
    for (const int punkty : {3, 5, 5, 8}) {
        QStringList wybory;
        for (int q = 0; q < 10; ++q)
            wybory << (q < punkty ? "1000" : "0000");
        uczniowie.append({QString("U%1").arg(punkty), "X", wybory});
    }
    DodajUczniow(a, klucze, uczniowie);
    const QStringList w = ZbudujRaportStatystyka(a, Ustawienia()).wiersze;
    const qsizetype i = Indeks(w, "<p class=\"N\"><b>Wynik minimalny: </b>3<br>");
    ASSERT_GE(i, 0);
    const QStringList oczekiwane = {
        "<b>Wynik maksymalny: </b>8<br>",
        QString::fromUtf8("<b>Rozstęp wyników: </b>5<br>"),
        QString::fromUtf8("<b>Średnia: </b>5,25<br>"),
        "<b>Mediana: </b>5<br>",
        "<b>Modalna: </b>5<br>",
        "<b>Odchylenie standardowe: </b>1,8<br>",
        QString::fromUtf8("<b>Łatwość zestawu zadań: </b>0,52 - umiarkowanie trudny</p>")};
    for (qsizetype k = 0; k < oczekiwane.size(); ++k)
        EXPECT_EQ(w.value(i + 1 + k), oczekiwane[k]);
}

TEST_F(Raporty, NajpierwImieZmieniaTylkoNazwe) {
    const QStringList w = ZbudujRaportWykazOcen(a, Ustawienia(true)).wiersze;
    const qsizetype jan = Indeks(w, "<td width=\"265\">Jan Kowalski</td>");
    const qsizetype lucja = Indeks(w, QString::fromUtf8("<td width=\"265\">Łucja Nowak</td>"));
    ASSERT_GE(jan, 0);
    EXPECT_LT(jan, lucja); // still ordered by surname
    EXPECT_TRUE(ZbudujRaportOUczniu(a, Ustawienia(true), 1)
                    .wiersze.contains(QString::fromUtf8("<p><b>Uczeń: </b> Jan Kowalski</p>")));
}

TEST_F(Raporty, WrogieNazwiskaUczniowSaTekstem) {
    // Slot 3 holds O"Brien & <script>…, Ωmega.
    const QByteArray wykaz = BajtyRaportu(ZbudujRaportWykazOcen(a, Ustawienia()).wiersze);
    const QByteArray uczen = BajtyRaportu(ZbudujRaportOUczniu(a, Ustawienia(), 3).wiersze);
    const QByteArray bezpieczna =
        "O&quot;Brien &amp; &lt;script&gt;alert(1)&lt;/script&gt; &#937;mega";
    for (const QByteArray& b : {wykaz, uczen}) {
        EXPECT_TRUE(b.contains(bezpieczna));
        EXPECT_FALSE(b.contains("<script"));
    }
    // The test author's markup stays markup.
    EXPECT_TRUE(uczen.contains("Ile to jest <b>1/2 + 1/4</b>?</p>"));
}

TEST_F(Raporty, NazwaIAutorTestuSaTekstem) {
    // Both come from the first answer file, which anyone can forge.
    a.Test.NazwaTestu = QStringLiteral("<script>alert(1)</script>");
    a.Test.Autor = QStringLiteral("A & \"B\" <b>");
    const QList<DokumentRaportu> raporty = {
        ZbudujRaportOTescie(a, Ustawienia()), ZbudujRaportOUczniu(a, Ustawienia(), 1),
        ZbudujRaportOPytaniu(a, Ustawienia(), 1), ZbudujRaportJakoscPytan(a, Ustawienia())};
    for (const DokumentRaportu& d : raporty) {
        const QByteArray b = BajtyRaportu(d.wiersze);
        EXPECT_FALSE(b.contains("<script")) << d.nazwaPliku.toStdString();
        EXPECT_TRUE(b.contains("Nazwa testu: </b> &lt;script&gt;alert(1)&lt;/script&gt;."));
        // The question-quality report names no author.
        EXPECT_EQ(b.contains("Autor testu:"),
                  b.contains("Autor testu: </b> A &amp; &quot;B&quot; &lt;b&gt;."));
    }
}

TEST_F(Raporty, NazwaTestuNiewygodnaDlaPlikow) {
    a.Test.NazwaTestu = QString::fromUtf8("Klasa 3/b: \"test\" <1>?*|\\\x01");
    const DokumentRaportu d = ZbudujRaportOTescie(a, Ustawienia());
    // Six characters after "1" that no file name may hold: > ? * | backslash and a control
    // character.
    EXPECT_EQ(d.nazwaPliku, QString("Klasa 3_b_ _test_ _1") + "______" + "_OTescie.htm");
    // The report shows the name as it is, as text.
    EXPECT_TRUE(d.wiersze.contains(QString::fromUtf8(
        "<p><b>Nazwa testu: </b> Klasa 3/b: &quot;test&quot; &lt;1&gt;?*|\\\x01.<br>")));
}
