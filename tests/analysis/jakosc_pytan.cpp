// SPDX-License-Identifier: GPL-3.0-or-later
// Question quality on small classes whose figures were worked out by hand (and checked with a
// separate straightforward computation), and the test-level figures against a published
// example.

#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "support/klasa_testowa.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace sondrel;
using namespace sondrel::uwagi_jakosci;

namespace {

// "A".."E" as the five-character strings of the answer files; "-" ticks nothing, "AC" two.
QString Flagi(const QString& litery) {
    QString wynik = QStringLiteral("00000");
    for (const QChar z : litery)
        if (z >= u'A' && z <= u'E') wynik[z.unicode() - u'A'] = u'1';
    return wynik;
}

// A class in the records: one key letter per question, one string of choices per student
// (one letter per question).
std::unique_ptr<Analiza> Klasa(const QString& klucze, const QStringList& uczniowie, int opcji = 3) {
    const auto flagi = [&klucze](const QString& litery) {
        QStringList wynik;
        for (qsizetype q = 0; q < klucze.size(); ++q)
            wynik.append(Flagi(litery.mid(q, 1)));
        return wynik;
    };
    auto a = std::make_unique<Analiza>();
    a->Test.IloscPytan = static_cast<int>(klucze.size());
    a->Test.IloscOdpowiedzi = opcji;
    for (const QString& wybory : uczniowie)
        testy::DodajUcznia(*a, {}, {}, flagi(wybory), flagi(klucze));
    return a;
}

void Sprawdz(const WskaznikOpcjonalny& w, std::optional<double> oczekiwana, qint64 setne,
             const char* co) {
    SCOPED_TRACE(co);
    ASSERT_EQ(w.has_value(), oczekiwana.has_value());
    if (!w) return;
    EXPECT_NEAR(w->Wartosc, *oczekiwana, 1e-12);
    EXPECT_EQ(w->Setne, setne);
}

struct OczekiwanePytanie {
    double p;
    std::optional<double> r;
    double d;
    QStringList uwagi;
};

} // namespace

// Six students, five questions of options A-C. Scores 5, 4, 4, 3, 2, 2: g = (162 + 50) div 100
// = 2; the 2nd highest score is 4, so the upper group is the three students with 5, 4 and 4
// (the tie at the boundary joins it); the 2nd lowest is 2, the lower group the two with 2.
// Question 4 is answered better by the weaker students, question 5 by everybody.
TEST(JakoscPytan, MalaKlasaRemisNaGranicyGrupy) {
    const auto a =
        Klasa(QStringLiteral("ABCAB"), {"ABCAB", "ABCBB", "ABCCB", "ACCBB", "BCAAB", "AABBB"});
    const JakoscTestu t = ObliczJakoscPytan(*a);
    EXPECT_EQ(t.IloscUczniow, 6);
    EXPECT_EQ(t.IloscPytan, 5);
    EXPECT_EQ(t.Grupa, 2);
    EXPECT_EQ(t.LicznoscGornej, 3);
    EXPECT_EQ(t.LicznoscDolnej, 2);
    EXPECT_EQ(t.Ostrzezenie, MaloUczniow);

    // Mean 20/6; variance 44/36; sum of p q = (5 + 9 + 8 + 8 + 0)/36 = 30/36;
    // KR-20 = 5/4 (1 - 30/44) = 70/176; SEM = sqrt((5*30 - 44)/(4*36)) = sqrt(106/144).
    Sprawdz(t.Srednia, 20.0 / 6, 333, "srednia");
    Sprawdz(t.Wariancja, 44.0 / 36, 122, "wariancja");
    Sprawdz(t.KR20, 70.0 / 176, 40, "kr20");
    Sprawdz(t.SEM, std::sqrt(106.0 / 144), 86, "sem");
    Sprawdz(t.Skosnosc, 0.07506571125861476, 8, "skosnosc");
    Sprawdz(t.Kurtoza, -1.5495867768595062, -155, "kurtoza");

    const OczekiwanePytanie oczekiwane[] = {
        {5.0 / 6, 0.23354968324845685, 0.5, {BardzoLatwe, NieDziala(3)}},
        {0.5, 0.7276068751089989, 1, {}},
        {4.0 / 6, 0.6324555320336758, 1, {}},
        {2.0 / 6, -0.30618621784789735, 1.0 / 3 - 0.5, {UjemnaMoc, PrzyciagaLepszych(3)}},
        {1, std::nullopt, 0, {BardzoLatwe, NieDziala(1), NieDziala(3)}},
    };
    ASSERT_EQ(t.Pytania.size(), 5u);
    for (int q = 1; q <= 5; ++q) {
        SCOPED_TRACE(q);
        const JakoscPytania& p = t.Pytania[q - 1];
        const OczekiwanePytanie& o = oczekiwane[q - 1];
        EXPECT_EQ(p.Nr, q);
        EXPECT_NEAR(p.Latwosc.Wartosc, o.p, 1e-12);
        Sprawdz(p.MocRoznicujaca, o.r, o.r ? std::llround(*o.r * 100) : 0, "r");
        EXPECT_NEAR(p.D.Wartosc, o.d, 1e-12);
        EXPECT_EQ(p.Uwagi, o.uwagi);
    }
    EXPECT_EQ(t.Pytania[3].D.Setne, -17);

    // Question 4 (key A): A ticked by 2, B by 3, C by 1; in the upper group (3 students) one
    // each, in the lower group (2) one A and one B.
    const auto& opcje = t.Pytania[3].Opcje;
    ASSERT_EQ(opcje.size(), 3u);
    const int wybrali[] = {2, 3, 1}, gorna[] = {1, 1, 1}, dolna[] = {1, 1, 0};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(opcje[k].Numer, k + 1);
        EXPECT_EQ(opcje[k].Poprawna, k == 0);
        EXPECT_EQ(opcje[k].Wybrali, wybrali[k]);
        EXPECT_DOUBLE_EQ(opcje[k].Gorna.Wartosc, gorna[k] / 3.0);
        EXPECT_DOUBLE_EQ(opcje[k].Dolna.Wartosc, dolna[k] / 2.0);
    }
    EXPECT_EQ(opcje[0].Dolna.Setne, 50);
    EXPECT_EQ(opcje[0].Gorna.Setne, 33);
}

// Question 2's key names C, but the students who do best elsewhere all ticked B.
TEST(JakoscPytan, OdwroconyKlucz) {
    const auto a = Klasa(QStringLiteral("ACA"), {"ABA", "ABA", "ABB", "BCB", "CCC"});
    const JakoscTestu t = ObliczJakoscPytan(*a);
    EXPECT_EQ(t.LicznoscGornej, 2); // g = 1: the two with 2 points
    EXPECT_EQ(t.LicznoscDolnej, 3); // the three with 1 point
    const JakoscPytania& p = t.Pytania[1];
    Sprawdz(p.MocRoznicujaca, -0.9128709291752768, -91, "r");
    EXPECT_DOUBLE_EQ(p.D.Wartosc, -2.0 / 3);
    EXPECT_EQ(p.Uwagi, QStringList({UjemnaMoc, PrzyciagaLepszych(2), NieDziala(1)}));
    EXPECT_DOUBLE_EQ(p.Opcje[1].Gorna.Wartosc, 1);
    EXPECT_DOUBLE_EQ(p.Opcje[1].Dolna.Wartosc, 1.0 / 3);
    // The rest score of question 3 is 1 for everybody: no correlation.
    EXPECT_FALSE(t.Pytania[2].MocRoznicujaca.has_value());
    EXPECT_TRUE(t.Pytania[2].Uwagi.isEmpty());
    // A test whose questions work against each other: KR-20 below zero, still defined.
    Sprawdz(t.KR20, -3, -300, "kr20");
    Sprawdz(t.SEM, std::sqrt(0.96), 98, "sem");
}

// Everybody has the same score: no variance, so no reliability, skewness or kurtosis; both
// groups are the whole class, so D is 0 and no option attracts anyone more. Each question's
// rest score falls exactly when the question is right: r = -1.
TEST(JakoscPytan, WszyscyRowno) {
    const auto a = Klasa(QStringLiteral("AA"), {"AB", "BA", "AC", "CA"});
    const JakoscTestu t = ObliczJakoscPytan(*a);
    Sprawdz(t.Wariancja, 0.0, 0, "wariancja");
    for (const auto& w : {t.KR20, t.SEM, t.Skosnosc, t.Kurtoza})
        EXPECT_FALSE(w.has_value());
    EXPECT_EQ(t.LicznoscGornej, 4);
    EXPECT_EQ(t.LicznoscDolnej, 4);
    for (const JakoscPytania& p : t.Pytania) {
        Sprawdz(p.MocRoznicujaca, -1.0, -100, "r");
        EXPECT_EQ(p.D.Wartosc, 0);
        EXPECT_EQ(p.Uwagi, QStringList{UjemnaMoc});
    }
}

TEST(JakoscPytan, JedenUczen) {
    const auto a = Klasa(QStringLiteral("AB"), {"AC"});
    const JakoscTestu t = ObliczJakoscPytan(*a);
    EXPECT_EQ(t.Grupa, 1);
    EXPECT_EQ(t.LicznoscGornej, 1);
    EXPECT_EQ(t.LicznoscDolnej, 1);
    EXPECT_EQ(t.Ostrzezenie, MaloUczniow);
    Sprawdz(t.Srednia, 1.0, 100, "srednia");
    for (const auto& w : {t.KR20, t.SEM, t.Skosnosc, t.Kurtoza})
        EXPECT_FALSE(w.has_value());
    EXPECT_FALSE(t.Pytania[0].MocRoznicujaca.has_value());
    EXPECT_EQ(t.Pytania[0].Uwagi, QStringList({BardzoLatwe, NieDziala(2), NieDziala(3)}));
    // C is wrong and ticked, but by the same share of both groups (the one student).
    EXPECT_EQ(t.Pytania[1].Uwagi, QStringList({BardzoTrudne, NieDziala(1)}));
}

// The figures need both groups and the sums to be exact; the limits of the flags are exact too:
// p = 0.8 is not "very easy", p = 0.3 not "very hard"; a share of 1/8 is shown as 0.12 and
// 3/8 as 0.38 (halves to the even hundredth).
TEST(JakoscPytan, GraniceFlagIZaokraglenia) {
    QStringList uczniowie;
    // Ten students; question 1 right for 8 of them, question 2 for 3.
    for (int s = 0; s < 10; ++s)
        uczniowie << QString(s < 8 ? QStringLiteral("A") : QStringLiteral("B")) +
                         (s < 3 ? QStringLiteral("A") : QStringLiteral("C"));
    auto t = ObliczJakoscPytan(*Klasa(QStringLiteral("AA"), uczniowie));
    EXPECT_TRUE(t.Ostrzezenie.isEmpty());
    EXPECT_FALSE(t.Pytania[0].Uwagi.contains(BardzoLatwe));
    EXPECT_FALSE(t.Pytania[1].Uwagi.contains(BardzoTrudne));

    uczniowie.clear();
    for (int s = 0; s < 8; ++s)
        uczniowie << (s < 1   ? QStringLiteral("AA")
                      : s < 3 ? QStringLiteral("BA")
                              : QStringLiteral("BB"));
    t = ObliczJakoscPytan(*Klasa(QStringLiteral("AA"), uczniowie));
    EXPECT_EQ(t.Pytania[0].Latwosc.Setne, 12); // 1/8
    EXPECT_EQ(t.Pytania[1].Latwosc.Setne, 38); // 3/8
    // 12.5 % of the class answered it: very hard.
    EXPECT_TRUE(t.Pytania[0].Uwagi.contains(BardzoTrudne));
}

// "Attracts better students": a wrong option is flagged only when more students of the upper
// group than of the lower group ticked it and the upper group's share is at least 0.10 above
// the lower group's. Question 1 (key A) is wrong for everybody (B or C), so the groups come
// from questions 2 to 4 alone: the upper group scores 3, the lower group 1.
TEST(JakoscPytan, PrzyciagaLepszychGdyWiecejIOPonadDziesiataCzesc) {
    struct Przypadek {
        int gorna, dolna;     // group sizes
        int wGornej, wDolnej; // of them ticked B
        bool flaga;
    } przypadki[] = {
        {7, 8, 1, 1, false},  // one in each: 14 % against 12 %, a tie in students
        {7, 8, 2, 1, true},   // 29 % against 12 %
        {10, 10, 3, 2, true}, // exactly 0.10 above (0.3 - 0.2 falls short of 0.1 in doubles)
        {10, 10, 2, 1, true}, // exactly 0.10 above
        {10, 9, 3, 2, false}, // more students, but 30 % against 22 %
        {7, 20, 2, 2, false}, // 29 % against 10 %, but no more students
        {7, 8, 0, 1, false},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(testing::Message()
                     << p.gorna << "/" << p.dolna << ": " << p.wGornej << "/" << p.wDolnej);
        QStringList uczniowie;
        for (int s = 0; s < p.gorna; ++s)
            uczniowie << (s < p.wGornej ? QStringLiteral("BAAA") : QStringLiteral("CAAA"));
        for (int s = 0; s < p.dolna; ++s)
            uczniowie << (s < p.wDolnej ? QStringLiteral("BABB") : QStringLiteral("CABB"));
        const JakoscTestu t = ObliczJakoscPytan(*Klasa(QStringLiteral("AAAA"), uczniowie));
        ASSERT_EQ(t.LicznoscGornej, p.gorna);
        ASSERT_EQ(t.LicznoscDolnej, p.dolna);
        const JakoscPytania& q = t.Pytania[0];
        EXPECT_EQ(q.Uwagi.contains(PrzyciagaLepszych(2)), p.flaga)
            << q.Uwagi.join(u';').toStdString();
        EXPECT_EQ(q.Opcje[1].WybraliGorna, p.wGornej);
        EXPECT_EQ(q.Opcje[1].WybraliDolna, p.wDolnej);
    }
}

// Published example: K. L. Wuensch, "The Kuder-Richardson 20" (KR20.txt, StatHelp pages of East
// Carolina University): ten students, a ten-item quiz, item facilities .7 .7 .6 .7 .6 .8 .7 .7
// .5 .6, sum of p q = 2.18 and total-score variance 5.84 (population), which give
// KR-20 = 10/9 (1 - 2.18/5.84) = 0.696.
TEST(JakoscPytan, PrzykladOpublikowanyKR20) {
    const QStringList wiersze = {"1111110110", "1011011101", "1111011001", "0010001000",
                                 "0000010010", "1110111111", "1101110111", "1111111101",
                                 "0101111101", "1101101110"};
    // Each item is a question with key A; 1 becomes A (right), 0 becomes B (wrong).
    QStringList uczniowie;
    for (QString w : wiersze)
        uczniowie << w.replace(u'1', u'A').replace(u'0', u'B');
    const JakoscTestu t = ObliczJakoscPytan(*Klasa(QString(10, u'A'), uczniowie, 2));
    const double p[] = {.7, .7, .6, .7, .6, .8, .7, .7, .5, .6};
    for (int q = 0; q < 10; ++q)
        EXPECT_DOUBLE_EQ(t.Pytania[q].Latwosc.Wartosc, p[q]) << q + 1;
    Sprawdz(t.Srednia, 6.6, 660, "srednia");
    Sprawdz(t.Wariancja, 5.84, 584, "wariancja");
    Sprawdz(t.KR20, 10.0 / 9 * (1 - 2.18 / 5.84), 70, "kr20");
    EXPECT_NEAR(t.KR20->Wartosc, 0.696, 0.0005);
    // SEM = sqrt(5.84) sqrt(1 - KR-20).
    Sprawdz(t.SEM, std::sqrt(5.84 * (1 - 10.0 / 9 * (1 - 2.18 / 5.84))), 133, "sem");
    EXPECT_TRUE(t.Ostrzezenie.isEmpty());
}

// Random classes (single and multiple choice, 1 to 60 students) against the definitions
// computed the plain way, in doubles, straight from the choice flags.
TEST(JakoscPytan, ZgodnoscZObliczeniemWprost) {
    QRandomGenerator los(11);
    for (int klasa = 0; klasa < 200; ++klasa) {
        SCOPED_TRACE(klasa);
        Analiza a;
        const int n = 1 + static_cast<int>(los.bounded(60)),
                  k = 1 + static_cast<int>(los.bounded(12));
        const int opcji = 2 + static_cast<int>(los.bounded(4));
        a.Test.IloscPytan = k;
        a.Test.IloscOdpowiedzi = opcji;
        QStringList klucze;
        for (int q = 0; q < k; ++q) {
            QString klucz(5, u'0');
            klucz[static_cast<int>(los.bounded(opcji))] = u'1';
            if (los.bounded(4) == 0) klucz[static_cast<int>(los.bounded(opcji))] = u'1';
            klucze << klucz;
        }
        for (int s = 1; s <= n; ++s) {
            a.IloscUczniow = s;
            const int sila = static_cast<int>(los.bounded(10));
            for (int q = 1; q <= k; ++q) {
                QString wybor = klucze[q - 1];
                if (static_cast<int>(los.bounded(10)) >= sila)
                    for (int o = 0; o < opcji; ++o)
                        wybor[o] = los.bounded(3) == 0 ? u'1' : u'0';
                ZapiszOdpowiedz(a.Uczniowie[s], q, wybor, klucze[q - 1]);
            }
        }
        const JakoscTestu t = ObliczJakoscPytan(a);

        std::vector<std::vector<int>> x(n, std::vector<int>(k));
        std::vector<double> wynik(n);
        for (int s = 0; s < n; ++s)
            for (int q = 0; q < k; ++q)
                wynik[s] += x[s][q] = PoprawnaOdpowiedz(a.Uczniowie[s + 1], q + 1);
        const auto srednia = [](const std::vector<double>& v) {
            double m = 0;
            for (double e : v)
                m += e;
            return m / static_cast<double>(v.size());
        };
        const double m = srednia(wynik);
        double m2 = 0, m3 = 0, m4 = 0, sumaPQ = 0;
        for (double e : wynik) {
            m2 += std::pow(e - m, 2) / n;
            m3 += std::pow(e - m, 3) / n;
            m4 += std::pow(e - m, 4) / n;
        }
        EXPECT_NEAR(t.Srednia.Wartosc, m, 1e-9);
        EXPECT_NEAR(t.Wariancja.Wartosc, m2, 1e-9);
        const int g = std::max(1, (27 * n + 50) / 100);
        std::vector<double> posortowane = wynik;
        std::sort(posortowane.begin(), posortowane.end());
        std::vector<int> gorna, dolna;
        for (int s = 0; s < n; ++s) {
            if (wynik[s] >= posortowane[n - g]) gorna.push_back(s);
            if (wynik[s] <= posortowane[g - 1]) dolna.push_back(s);
        }
        EXPECT_EQ(t.LicznoscGornej, static_cast<int>(gorna.size()));
        EXPECT_EQ(t.LicznoscDolnej, static_cast<int>(dolna.size()));
        const auto ile = [&](const std::vector<int>& grupa, auto&& czy) {
            int wynik = 0;
            for (int s : grupa)
                wynik += czy(s);
            return wynik;
        };
        const auto udzial = [&](const std::vector<int>& grupa, auto&& czy) {
            return ile(grupa, czy) / static_cast<double>(grupa.size());
        };
        for (int q = 0; q < k; ++q) {
            SCOPED_TRACE(q + 1);
            std::vector<double> xi(n), reszta(n);
            for (int s = 0; s < n; ++s) {
                xi[s] = x[s][q];
                reszta[s] = wynik[s] - xi[s];
            }
            const double p = srednia(xi), mr = srednia(reszta);
            sumaPQ += p * (1 - p);
            double kow = 0, wx = 0, wr = 0;
            for (int s = 0; s < n; ++s) {
                kow += (xi[s] - p) * (reszta[s] - mr);
                wx += (xi[s] - p) * (xi[s] - p);
                wr += (reszta[s] - mr) * (reszta[s] - mr);
            }
            const JakoscPytania& jp = t.Pytania[static_cast<size_t>(q)];
            EXPECT_NEAR(jp.Latwosc.Wartosc, p, 1e-12);
            ASSERT_EQ(jp.MocRoznicujaca.has_value(), wx > 1e-12 && wr > 1e-12);
            if (jp.MocRoznicujaca) {
                EXPECT_NEAR(jp.MocRoznicujaca->Wartosc, kow / std::sqrt(wx * wr), 1e-9);
            }
            EXPECT_NEAR(jp.D.Wartosc,
                        udzial(gorna, [&](int s) { return x[s][q]; }) -
                            udzial(dolna, [&](int s) { return x[s][q]; }),
                        1e-12);
            ASSERT_EQ(static_cast<int>(jp.Opcje.size()), opcji);
            for (const OpcjaJakosci& o : jp.Opcje) {
                const auto wybrana = [&](int s) {
                    return a.Uczniowie[s + 1].Pytania[q + 1][o.Numer].Wybrana != 0;
                };
                EXPECT_NEAR(o.Gorna.Wartosc, udzial(gorna, wybrana), 1e-12);
                EXPECT_NEAR(o.Dolna.Wartosc, udzial(dolna, wybrana), 1e-12);
                EXPECT_EQ(o.Poprawna, klucze[q][o.Numer - 1] == u'1');
                const double roznica = udzial(gorna, wybrana) - udzial(dolna, wybrana);
                const bool wiecej = ile(gorna, wybrana) > ile(dolna, wybrana);
                EXPECT_EQ(jp.Uwagi.contains(PrzyciagaLepszych(o.Numer)),
                          !o.Poprawna && wiecej && roznica >= 0.1 - 1e-12);
            }
        }
        const double k2 = n * m2 / (n - 1.0);
        ASSERT_EQ(t.Skosnosc.has_value(), n >= 3 && m2 > 1e-12);
        if (t.Skosnosc) {
            EXPECT_NEAR(t.Skosnosc->Wartosc,
                        n * n * m3 / ((n - 1.0) * (n - 2.0)) / std::pow(k2, 1.5), 1e-9);
        }
        ASSERT_EQ(t.Kurtoza.has_value(), n >= 4 && m2 > 1e-12);
        if (t.Kurtoza) {
            EXPECT_NEAR(t.Kurtoza->Wartosc,
                        n * n * ((n + 1.0) * m4 - 3 * (n - 1.0) * m2 * m2) /
                            ((n - 1.0) * (n - 2.0) * (n - 3.0)) / (k2 * k2),
                        1e-9);
        }
        ASSERT_EQ(t.KR20.has_value(), k >= 2 && m2 > 1e-12);
        if (t.KR20) {
            const double kr20 = k / (k - 1.0) * (1 - sumaPQ / m2);
            EXPECT_NEAR(t.KR20->Wartosc, kr20, 1e-9);
            EXPECT_NEAR(t.SEM->Wartosc, std::sqrt(m2) * std::sqrt(1 - kr20), 1e-9);
        }
    }
}

TEST(JakoscPytan, BezUczniow) {
    Analiza a;
    a.Test.IloscPytan = 5;
    const JakoscTestu t = ObliczJakoscPytan(a);
    EXPECT_TRUE(t.Pytania.empty());
    EXPECT_FALSE(t.KR20.has_value());
    EXPECT_EQ(t.Ostrzezenie, MaloUczniow);
}
