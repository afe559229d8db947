// SPDX-License-Identifier: GPL-3.0-or-later
// The question-quality report: the frame of the other reports in the full style, the figures
// rounded half to even with the locale's decimal comma, the questions to look at named first,
// and no student's name anywhere.

#include "reports/raport_jakosc_pytan.h"

#include "analysis/jakosc_pytan.h"
#include "core/kodowanie1250.h"
#include "support/klasa_testowa.h"
#include "support/wzorce.h"

#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// Eight students on four questions (keys A, B, C, D). Question 1: everybody right, so its
// discrimination cannot be computed. Question 2: only Zofia is right, who has no other point
// but question 1: negative discrimination; the three best (3 points) all ticked C, which none
// of the two weakest did. Questions 3 and 4: the stronger students are right.
class RaportJakosci : public testing::Test {
protected:
    void SetUp() override {
        UstawNaglowek(a, QStringLiteral("Ułamki"), 4, 4);
        const QStringList klucze = {"1000", "0100", "0010", "0001"};
        const auto u = [](const char* nazwisko, const char* imie, const char* wybory) {
            QStringList w;
            for (const char z : QByteArray(wybory))
                w << (z == '-' ? QStringLiteral("0000")
                               : QStringLiteral("0000").replace(z - 'A', 1, u'1'));
            return UczenProbny{QString::fromUtf8(nazwisko), QString::fromUtf8(imie), w};
        };
        DodajUczniow(a, klucze,
                     {u("Kwiatkowska", "Zofia", "AB--"), u("Adamski", "Jan", "ACCD"),
                      u("Bąk", "Ewa", "ACCD"), u("Cichy", "Piotr", "ACCD"),
                      u("Dudek", "Ola", "ADCA"), u("Ernst", "Adam", "ACDD"),
                      u("Fik", "Iga", "ADDA"), u("Górski", "Leon", "AD--")});
    }
    Analiza a;
    StalyZegar zegar{QDateTime(QDate(2024, 3, 5), QTime(10, 15))};
};

} // namespace

TEST_F(RaportJakosci, RamkaLiczbyIFlagi) {
    const DokumentRaportu d = ZbudujRaportJakoscPytan(a, {QStringLiteral("Pracownia"), false});
    EXPECT_EQ(d.nazwaPliku, QStringLiteral("Ułamki_JakoscPytan.htm"));
    const QStringList& w = d.wiersze;
    // The frame of the student and question reports.
    EXPECT_TRUE(w.first().startsWith(QLatin1String("<!DOCTYPE HTML PUBLIC")));
    EXPECT_TRUE(w.contains(QStringLiteral("<p align=\"center\" class=\"N\"><b>Jakość pytań.</b>"
                                          "<br><br></p>")));
    EXPECT_EQ(w.last(), QStringLiteral("</html>"));
    const QString tekst = w.join(u'\n');

    // Fewer than ten students: the warning stands above the figures.
    EXPECT_TRUE(tekst.contains(uwagi_jakosci::MaloUczniow));
    // Question 2 first, for its negative discrimination; 1 is merely too easy.
    EXPECT_TRUE(tekst.contains(QStringLiteral("<b>Najpierw:</b> 2 –")));
    EXPECT_TRUE(tekst.contains(QStringLiteral("<b>Warto przejrzeć:</b> 1, 3, 4 –")));
    EXPECT_TRUE(tekst.contains(uwagi_jakosci::UjemnaMoc + QStringLiteral("; ") +
                               uwagi_jakosci::BardzoTrudne + QStringLiteral("; ") +
                               uwagi_jakosci::PrzyciagaLepszych(3) + QStringLiteral("; ") +
                               uwagi_jakosci::NieDziala(1) + QStringLiteral(".")));
    // Facility 1/8 is 0,12 (halves to even); question 1's discrimination cannot be computed.
    const JakoscTestu t = ObliczJakoscPytan(a);
    EXPECT_TRUE(tekst.contains(QStringLiteral(">0,12</td>")));
    EXPECT_TRUE(tekst.contains(QStringLiteral(">1</td><td class=\"N\" align=\"right\" "
                                              "valign=\"top\" style=\"background:#FFF3D3;\">–"
                                              "</td>")));
    EXPECT_TRUE(tekst.contains(QStringLiteral("<b>") + TekstSetnych(t.KR20->Setne) +
                               QStringLiteral("</b> – wynik testu słabo odróżnia uczniów")));
    // Option C of question 2: all of the upper group, none of the lower, 4 in the class.
    EXPECT_TRUE(tekst.contains(QStringLiteral("100% / 0% (4)")));

    // No student is named, whatever the setting of the name order.
    const QString zImieniem =
        ZbudujRaportJakoscPytan(a, {QStringLiteral("Pracownia"), true}).wiersze.join(u'\n');
    for (int s = 1; s <= a.IloscUczniow; ++s)
        for (const QString& fragment : {a.Uczniowie[s].Nazwisko, a.Uczniowie[s].Imie}) {
            EXPECT_FALSE(tekst.contains(fragment)) << fragment.toStdString();
            EXPECT_FALSE(zImieniem.contains(fragment)) << fragment.toStdString();
        }
    // Every character fits the code page or becomes a character reference.
    EXPECT_EQ(Z1250(BajtyRaportu(w)).count(u'?'), tekst.count(u'?'));
}

TEST_F(RaportJakosci, ZdaniaORzetelnosci) {
    // All students equal: no reliability, told in words.
    DodajUczniow(a, {"1000", "0100"}, {{"A", "A", {"1000", "0000"}}, {"B", "B", {"0000", "0100"}}});
    EXPECT_TRUE(ZbudujRaportJakoscPytan(a, {}).wiersze.join(u'\n').contains(
        QStringLiteral("Rzetelności nie da się obliczyć: wszyscy uczniowie mają ten sam wynik.")));
    a.Test.IloscPytan = 1;
    DodajUczniow(a, {"1000"}, {{"A", "A", {"1000"}}, {"B", "B", {"0000"}}});
    EXPECT_TRUE(ZbudujRaportJakoscPytan(a, {}).wiersze.join(u'\n').contains(
        QStringLiteral("Rzetelności nie da się obliczyć dla testu z jednym pytaniem.")));
}

TEST(TekstSetnych, OgolnaPostacZPrzecinkiem) {
    const struct {
        qint64 setne;
        const char* tekst;
    } przypadki[] = {{12, "0,12"}, {-17, "-0,17"}, {50, "0,5"},    {100, "1"},
                     {0, "0"},     {-300, "-3"},   {1268, "12,68"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(TekstSetnych(p.setne), QString::fromUtf8(p.tekst));
}
