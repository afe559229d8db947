// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison of classes: figures against small classes worked by hand, one class against
// the analysis's own statistics and question quality, the exact 0.2 boundary of the marks, a
// pooled class beyond the 400 students of an analysis, refusals, and the command-line tool's
// JSON against its json and psychometria figures of the sample class.

#include "archive/porownanie.h"

#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "core/analiza.h"
#include "support/klasa_testowa.h"
#include "support/srodowisko_testowe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

std::vector<int> Oceny(const FiguryKlasy& f) {
    return std::vector<int>(f.LiczbaOcen.begin(), f.LiczbaOcen.end());
}

} // namespace

// Two classes of a three-question test (keys A, B, C), every figure worked on paper:
//   7a: ABC (3 pts, Cel), AAA (1 pt, 33% Dp)
//   7b: BBC (2, Dst), BAA (0, Ndst), ABA (2, Dst)
TEST(PorownanieKlas, FiguryPoliczoneRecznie) {
    const ZestawienieKlas z =
        PorownajKlasy({KlasaArchiwalna(1, "7a", {{1, 2, 3}, {1, 1, 1}}, 3),
                       KlasaArchiwalna(2, "7b", {{2, 2, 3}, {2, 1, 1}, {1, 2, 1}}, 3)});
    ASSERT_TRUE(z.Udane()) << z.Blad.toStdString();
    ASSERT_EQ(z.Klasy.size(), 2u);
    const FiguryKlasy &a = z.Klasy[0], &b = z.Klasy[1], &r = z.Razem;
    EXPECT_EQ(a.Id, 1);
    EXPECT_EQ(b.Klasa, QStringLiteral("7b"));

    const struct {
        const FiguryKlasy& f;
        int uczniow;
        double srednia, mediana, odchylenie;
        int procent;
        const char* ocena;
        std::vector<int> oceny;
        std::vector<int> procenty;
        std::optional<double> kr20;
    } oczekiwane[] = {
        {a, 2, 2.0, 2, 1.0, 67, "Dst", {1, 0, 0, 0, 1, 0}, {100, 50, 50}, 0.75},
        {b, 3, 1.33, 2, 0.9, 44, "Dp", {0, 0, 0, 2, 0, 1}, {33, 67, 33}, 0.375},
        {r, 5, 1.6, 2, 1.0, 53, "Dst", {1, 0, 0, 2, 1, 1}, {60, 60, 40}, 6.0 / 13.0},
    };
    for (const auto& o : oczekiwane) {
        SCOPED_TRACE(o.uczniow);
        EXPECT_EQ(o.f.IloscUczniow, o.uczniow);
        EXPECT_DOUBLE_EQ(o.f.Srednia, o.srednia);
        EXPECT_DOUBLE_EQ(o.f.Mediana, o.mediana);
        EXPECT_DOUBLE_EQ(o.f.Odchylenie, o.odchylenie);
        EXPECT_EQ(o.f.ProcentKlasy, o.procent);
        EXPECT_EQ(o.f.OcenaKlasy, QString::fromLatin1(o.ocena));
        EXPECT_EQ(Oceny(o.f), o.oceny);
        ASSERT_EQ(o.f.Pytania.size(), 3u);
        for (int q = 0; q < 3; ++q)
            EXPECT_EQ(o.f.Pytania[q].ProcentPoprawnych, o.procenty[q]);
        ASSERT_TRUE(o.f.KR20);
        EXPECT_NEAR(*o.f.KR20, *o.kr20, 1e-12);
    }
    EXPECT_DOUBLE_EQ(b.Pytania[0].Latwosc, 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(r.Pytania[2].Latwosc, 0.4);
    // Everybody in 7a answered question 1: its r is undefined there; in the pooled class the
    // item and the rest score (2, 0, 2, 0, 1) do not correlate at all.
    EXPECT_FALSE(a.Pytania[0].MocRoznicujaca);
    ASSERT_TRUE(r.Pytania[0].MocRoznicujaca);
    EXPECT_EQ(*r.Pytania[0].MocRoznicujaca, 0.0);
    // Question 1: 1 in 7a, 1/3 in 7b, 0.6 pooled: far apart, but two students against three
    // show nothing beyond chance (Fisher, 2/0 against 1/2: p = 0.4). Nothing is marked.
    ASSERT_TRUE(a.Pytania[0].Istotnosc && b.Pytania[0].Istotnosc);
    EXPECT_NEAR(*a.Pytania[0].Istotnosc, 0.4, 1e-12);
    EXPECT_NEAR(*b.Pytania[0].Istotnosc, 0.4, 1e-12);
    for (int q = 0; q < 3; ++q) {
        EXPECT_TRUE(a.Pytania[q].Uwaga.isEmpty());
        EXPECT_TRUE(b.Pytania[q].Uwaga.isEmpty());
    }
    for (const PytanieKlasy& p : r.Pytania) {
        EXPECT_TRUE(p.Uwaga.isEmpty());
        EXPECT_FALSE(p.Istotnosc);
    }
}

// Known values of the two-sided test: the tea-tasting table, tables worked by hand from the
// hypergeometric probabilities, tables whose probabilities tie exactly (symmetric margins), and
// tables of a few hundred students.
TEST(PorownanieKlas, FisherZnaneWartosci) {
    const struct {
        qint64 a, b, c, d;
        double p;
    } tablice[] = {
        {3, 1, 1, 3, 0.4857142857142857},      // 34/70
        {10, 0, 0, 10, 1.082508822446903e-05}, // 2/184756
        {2, 0, 1, 2, 0.4},                     // (1 + 3)/10
        {5, 0, 3, 2, 0.4444444444444444},
        {4, 1, 1, 4, 0.20634920634920634}, // (1 + 25 + 25 + 1)/252: the ties count
        {1, 4, 4, 1, 0.20634920634920634},
        {1, 9, 11, 3, 0.0027594561852200836},
        {16, 4, 8, 12, 0.022477427371754403},
        {8, 2, 4, 6, 0.1698023338890212},
        {100, 20, 60, 20, 0.1543455894546957},
        {200, 100, 150, 150, 4.75385213928901e-05},
        {100, 0, 60, 40, 1.340992662809022e-14},
        {1, 0, 0, 1, 1.0},
        {3, 0, 0, 0, 1.0}, // an empty row or column: no evidence at all
        {0, 3, 2, 5, 1.0},
        {0, 0, 0, 0, 1.0},
        {-1, 2, 3, 4, 1.0},
    };
    for (const auto& t : tablice) {
        SCOPED_TRACE(testing::Message() << t.a << ' ' << t.b << ' ' << t.c << ' ' << t.d);
        const double p = FisherDwustronny(t.a, t.b, t.c, t.d);
        EXPECT_NEAR(p, t.p, t.p * 1e-9);
        // the same table read the other way round
        EXPECT_NEAR(FisherDwustronny(t.d, t.c, t.b, t.a), p, p * 1e-12);
    }
}

// A mark needs both: a difference of at least 0.2 from the whole group (exactly 0.2 counts, as
// whole-number arithmetic sees it: 1 - 0.8 and 0.7 - 0.5 are a little less than 0.2 in
// doubles) and p < 0.05 against the other classes.
TEST(PorownanieKlas, OznaczenieWymagaRoznicyIIstotnosci) {
    const struct {
        int uczniowP, poprawnychP, uczniowQ, poprawnychQ;
        const char* uwagaP;
        const char* uwagaQ;
    } przypadki[] = {
        // 0.2 apart, but five against five is chance (p = 0.44)
        {5, 5, 5, 3, nullptr, nullptr},
        // the same shares in classes of a hundred: 1 and 0.6 against 0.8
        {100, 100, 100, 60, "+", "-"},
        {80, 80, 120, 60, "+", "-"},           // 1 against 0.7 (0.3); 0.5 against 0.7 (0.2)
        {100, 80, 100, 40, "+", "-"},          // 0.8 and 0.4 against 0.6
        {20, 16, 20, 8, "+", "-"},             // the same at twenty: p = 0.022
        {10, 8, 10, 4, nullptr, nullptr},      // and at ten: p = 0.17
        {100, 100, 100, 80, nullptr, nullptr}, // far beyond chance, but only 0.1 either way
        {120, 100, 80, 60, nullptr, nullptr},  // 5/6 and 3/4 against 0.8
    };
    const auto uwaga = [](const char* znak) {
        return !znak                                       ? QString()
               : QLatin1String(znak) == QLatin1String("+") ? UwagaLatwiejsze
                                                           : UwagaTrudniejsze;
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << p.uczniowP << '/' << p.poprawnychP << ' ' << p.uczniowQ
                                        << '/' << p.poprawnychQ);
        std::vector<std::vector<int>> kp, kq;
        for (int s = 0; s < p.uczniowP; ++s)
            kp.push_back({s < p.poprawnychP ? 1 : 2});
        for (int s = 0; s < p.uczniowQ; ++s)
            kq.push_back({s < p.poprawnychQ ? 1 : 2});
        const ZestawienieKlas z =
            PorownajKlasy({KlasaArchiwalna(1, "P", kp, 1), KlasaArchiwalna(2, "Q", kq, 1)});
        ASSERT_TRUE(z.Udane());
        EXPECT_EQ(z.Klasy[0].Pytania[0].Uwaga, uwaga(p.uwagaP));
        EXPECT_EQ(z.Klasy[1].Pytania[0].Uwaga, uwaga(p.uwagaQ));
        // with two classes, each is tested against the other: one table, one p
        EXPECT_EQ(*z.Klasy[0].Pytania[0].Istotnosc,
                  FisherDwustronny(p.poprawnychP, p.uczniowP - p.poprawnychP, p.poprawnychQ,
                                   p.uczniowQ - p.poprawnychQ));
    }
}

// Three classes: a class is tested against the two others pooled, not against the whole group
// nor against each alone.
TEST(PorownanieKlas, KlasaWobecPozostalych) {
    const auto klasa = [](qint64 id, int uczniow, int poprawnych) {
        std::vector<std::vector<int>> wybory;
        for (int s = 0; s < uczniow; ++s)
            wybory.push_back({s < poprawnych ? 1 : 2});
        return KlasaArchiwalna(id, QStringLiteral("k%1").arg(id), wybory, 1);
    };
    // 16/20 against 4/20 and 4/20 (8/40 together)
    const ZestawienieKlas z = PorownajKlasy({klasa(1, 20, 16), klasa(2, 20, 4), klasa(3, 20, 4)});
    ASSERT_TRUE(z.Udane());
    EXPECT_EQ(*z.Klasy[0].Pytania[0].Istotnosc, FisherDwustronny(16, 4, 8, 32));
    EXPECT_EQ(*z.Klasy[1].Pytania[0].Istotnosc, FisherDwustronny(4, 16, 20, 20));
    EXPECT_EQ(z.Klasy[0].Pytania[0].Uwaga, UwagaLatwiejsze);
    // 0.2 against 0.4 pooled, exactly 0.2 apart, p = 0.029 against 20/40: marked
    EXPECT_NEAR(*z.Klasy[1].Pytania[0].Istotnosc, 0.02933531914195981, 1e-12);
    EXPECT_EQ(z.Klasy[1].Pytania[0].Uwaga, UwagaTrudniejsze);
}

// One class given several times counts once, in "Razem" too; the same label on two dates (or
// twice on one date) is told apart in the name the report shows.
TEST(PorownanieKlas, KazdaKlasaRazIEtykiety) {
    AnalizaArchiwalna a = KlasaArchiwalna(1), b = KlasaArchiwalna(2), c = KlasaArchiwalna(3),
                      d = KlasaArchiwalna(4), e = KlasaArchiwalna(5);
    a.Id = 1;
    b.Id = 2;
    c.Id = 3;
    d.Id = 4;
    e.Id = 5;
    a.Klasa = QStringLiteral("7a");
    a.DataNapisania = QDate(2025, 3, 10);
    b.Klasa = QStringLiteral("7a");
    b.DataNapisania = QDate(2026, 3, 10);
    c.Klasa = QStringLiteral("7b");
    d.Klasa = QStringLiteral("7a");
    d.DataNapisania = QDate(2026, 3, 10);
    e.Klasa.clear();

    const ZestawienieKlas raz = PorownajKlasy({a, b});
    const ZestawienieKlas wiele = PorownajKlasy({a, a, a, b, a});
    ASSERT_TRUE(raz.Udane() && wiele.Udane());
    ASSERT_EQ(wiele.Klasy.size(), 2u);
    EXPECT_EQ(wiele.Klasy[0].Id, 1);
    EXPECT_EQ(wiele.Klasy[1].Id, 2);
    EXPECT_EQ(wiele.Razem.IloscUczniow, raz.Razem.IloscUczniow);
    EXPECT_EQ(wiele.Razem.IloscUczniow, static_cast<int>(a.Uczniowie.size() + b.Uczniowie.size()));
    EXPECT_EQ(Oceny(wiele.Razem), Oceny(raz.Razem));
    for (std::size_t q = 0; q < raz.Razem.Pytania.size(); ++q) {
        EXPECT_EQ(wiele.Razem.Pytania[q].Poprawnych, raz.Razem.Pytania[q].Poprawnych);
        EXPECT_EQ(wiele.Klasy[0].Pytania[q].Istotnosc, raz.Klasy[0].Pytania[q].Istotnosc);
    }

    const ZestawienieKlas z = PorownajKlasy({a, b, c, d, e});
    ASSERT_TRUE(z.Udane());
    QStringList etykiety;
    for (const FiguryKlasy& f : z.Klasy)
        etykiety << f.Etykieta;
    EXPECT_EQ(etykiety,
              (QStringList{QStringLiteral("7a (10.03.2025)"), QStringLiteral("7a (10.03.2026, 1.)"),
                           QStringLiteral("7b"), QStringLiteral("7a (10.03.2026, 2.)"),
                           QStringLiteral("(bez opisu)")}));
}

// One class compared alone gives the figures of the analysis itself, for the class and pooled.
TEST(PorownanieKlas, JednaKlasaJakAnaliza) {
    const struct {
        int ziarno, uczniow, pytan;
    } klasy[] = {{3, 1, 4}, {4, 9, 10}, {5, 37, 25}, {6, 400, 60}};
    for (const auto& k : klasy) {
        SCOPED_TRACE(k.uczniow);
        AnalizaArchiwalna archiwalna = KlasaArchiwalna(k.ziarno, k.uczniow, k.pytan);
        archiwalna.Id = 5;
        // One student's file carries another key for one question: each student is scored by
        // the key of their own file.
        archiwalna.Uczniowie.front().Klucz[0] = OpcjePytania(2);
        auto analiza = std::make_unique<Analiza>();
        ASSERT_TRUE(WypelnijAnalize(archiwalna, *analiza));
        const StatystykaOpisowa st = ObliczStatystykeOpisowa(*analiza);
        const JakoscTestu jakosc = ObliczJakoscPytan(*analiza);

        const ZestawienieKlas z = PorownajKlasy({archiwalna});
        ASSERT_TRUE(z.Udane()) << z.Blad.toStdString();
        for (const FiguryKlasy* f : {&z.Klasy.front(), &z.Razem}) {
            EXPECT_EQ(f->IloscUczniow, analiza->IloscUczniow);
            EXPECT_EQ(f->Srednia, st.SredniaPunktow);
            EXPECT_EQ(f->Mediana, st.Mediana);
            EXPECT_EQ(f->Odchylenie, st.OdchylenieStandardowe);
            EXPECT_EQ(f->ProcentKlasy, analiza->Test.ProcentKlasy);
            EXPECT_EQ(f->OcenaKlasy, analiza->Test.OcenaKlasy);
            EXPECT_EQ(Oceny(*f), std::vector<int>(analiza->Test.LiczbaOcen.begin(),
                                                  analiza->Test.LiczbaOcen.end()));
            EXPECT_EQ(f->KR20.has_value(), jakosc.KR20.has_value());
            if (f->KR20) EXPECT_EQ(*f->KR20, jakosc.KR20->Wartosc);
            ASSERT_EQ(f->Pytania.size(), static_cast<std::size_t>(k.pytan));
            for (int q = 1; q <= k.pytan; ++q) {
                const PytanieKlasy& p = f->Pytania[static_cast<std::size_t>(q - 1)];
                const JakoscPytania& j = jakosc.Pytania[static_cast<std::size_t>(q - 1)];
                EXPECT_EQ(p.ProcentPoprawnych, analiza->StatPytan[q].ProcentPoprawnych);
                EXPECT_EQ(p.Latwosc, j.Latwosc.Wartosc);
                EXPECT_EQ(p.MocRoznicujaca.has_value(), j.MocRoznicujaca.has_value());
                if (p.MocRoznicujaca) EXPECT_EQ(*p.MocRoznicujaca, j.MocRoznicujaca->Wartosc);
                EXPECT_TRUE(p.Uwaga.isEmpty());
                EXPECT_FALSE(p.Istotnosc); // alone, a class has nothing to differ from
            }
        }
    }
}

// Three copies of a class of 300 pool to 900 students, more than an analysis holds: every
// share-based figure is that of the class (a cap at 400 would change them), the counts triple.
TEST(PorownanieKlas, RazemPonadCzterystuUczniow) {
    std::vector<AnalizaArchiwalna> klasy;
    for (int i = 1; i <= 3; ++i) {
        klasy.push_back(KlasaArchiwalna(11, 300, 30));
        klasy.back().Id = i;
    }
    const ZestawienieKlas z = PorownajKlasy(klasy);
    ASSERT_TRUE(z.Udane());
    const FiguryKlasy &k = z.Klasy.front(), &r = z.Razem;
    EXPECT_EQ(r.IloscUczniow, 900);
    EXPECT_EQ(r.Srednia, k.Srednia);
    EXPECT_EQ(r.Mediana, k.Mediana);
    EXPECT_EQ(r.Odchylenie, k.Odchylenie);
    EXPECT_EQ(r.ProcentKlasy, k.ProcentKlasy);
    EXPECT_EQ(r.OcenaKlasy, k.OcenaKlasy);
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(r.LiczbaOcen[g], 3 * k.LiczbaOcen[g]);
    ASSERT_TRUE(r.KR20 && k.KR20);
    EXPECT_EQ(*r.KR20, *k.KR20);
    ASSERT_EQ(r.Pytania.size(), 30u);
    for (std::size_t q = 0; q < 30; ++q) {
        EXPECT_EQ(r.Pytania[q].Poprawnych, 3 * k.Pytania[q].Poprawnych);
        EXPECT_EQ(r.Pytania[q].Latwosc, k.Pytania[q].Latwosc);
        EXPECT_EQ(r.Pytania[q].MocRoznicujaca, k.Pytania[q].MocRoznicujaca);
        EXPECT_TRUE(k.Pytania[q].Uwaga.isEmpty());
    }
}

// The test's key taken from the students' records decides which analyses are the same test
// (its fingerprint): the key most records declare, a tie to the key the earliest record
// declares, whatever order the later records come in.
TEST(KluczTestu, WiekszoscARemisWczesniejszy) {
    const struct {
        std::vector<OpcjePytania> klucze; // per student, for the one question
        OpcjePytania klucz;
    } przypadki[] = {
        {{1, 2, 2, 1}, 1},    // 2:2, the first student's
        {{2, 1, 1, 2}, 2},    // and the other way round
        {{1, 2, 2}, 2},       // a majority wins over the first
        {{4, 1, 2}, 4},       // 1:1:1
        {{4, 1, 2, 1, 2}, 1}, // 2:2 after a lone first key: the earlier of the two
        {{8}, 8},
    };
    for (const auto& p : przypadki) {
        std::vector<UczenArchiwalny> uczniowie;
        for (const OpcjePytania k : p.klucze) {
            uczniowie.emplace_back();
            uczniowie.back().Klucz = {k, 1};
        }
        EXPECT_EQ(KluczTestu(uczniowie, 2), (std::vector<OpcjePytania>{p.klucz, 1}))
            << testing::PrintToString(p.klucze);
    }
    EXPECT_TRUE(KluczTestu({}, 0).empty());
}

TEST(PorownanieKlas, Odmowy) {
    AnalizaArchiwalna a = KlasaArchiwalna(1), b = KlasaArchiwalna(2);
    a.Id = 1;
    b.Id = 2;
    // The same name, another key: another version of the test.
    b.Test.Klucz[0] = OpcjePytania(8);
    b.Odcisk = OdciskTestu(b.Test);
    EXPECT_FALSE(PorownajKlasy({a, b}).Udane());
    EXPECT_FALSE(PorownajKlasy({}).Udane());
    AnalizaArchiwalna pusta = KlasaArchiwalna(3);
    pusta.Uczniowie.clear();
    EXPECT_FALSE(PorownajKlasy({a, pusta}).Udane());
    AnalizaArchiwalna krotka = KlasaArchiwalna(4);
    krotka.Uczniowie.back().Zaznaczone.pop_back();
    EXPECT_FALSE(PorownajKlasy({a, krotka}).Udane());
    const ZestawienieKlas z = PorownajKlasy({a, b});
    // the classes named as the teacher knows them, not by the archive's numbers
    EXPECT_EQ(z.Blad, QStringLiteral("Analizy klas 7b (2.03.2026) i 7b (3.03.2026) dotyczą "
                                     "różnych testów (albo różnych wersji testu \"Ułamki\"): nie "
                                     "można ich porównać."));
    EXPECT_EQ(PorownajKlasy({a, krotka}).Blad,
              QStringLiteral("Analiza klasy 7b (5.03.2026) nie obejmuje żadnego ucznia albo jej "
                             "zapis nie zgadza się z testem: nie można jej porównać."));
    EXPECT_TRUE(z.Klasy.empty());
}

// The tool's comparison of the sample class alone against its own json and psychometria.
TEST(PorownanieKlas, CliJakJsonIPsychometria) {
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/sondrel-cli");
    if (!QFileInfo::exists(cli)) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    const QDir probka(QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../../samples")));
    QStringList pliki;
    for (const QString& p : probka.entryList({QStringLiteral("*.sko")}, QDir::Files, QDir::Name))
        pliki << probka.filePath(p);
    ASSERT_GE(pliki.size(), 10);
    SrodowiskoTestowe st;
    const QStringList a{"--archiwum", st.sciezka(QStringLiteral("Archiwum.sqlite"))};
    const auto uruchom = [&](const QStringList& argumenty, int kod = 0) {
        QProcess p;
        p.start(cli, argumenty);
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), kod) << p.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    };
    uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7a"} + a + pliki);
    uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7b"} + a + pliki.mid(0, 9));
    const QJsonObject json = uruchom(QStringList{"json"} + pliki);
    const QJsonObject psychometria = uruchom(QStringList{"psychometria"} + pliki);
    const QJsonObject z = uruchom(QStringList{"archiwum", "porownaj", "1", "2"} + a);
    // a class given again counts once, in "Razem" too
    EXPECT_EQ(uruchom(QStringList{"archiwum", "porownaj", "1", "1", "1", "2"} + a), z);

    EXPECT_EQ(z.keys(), (QStringList{"klasy", "razem", "test"}));
    const QJsonArray klasy = z.value("klasy").toArray();
    ASSERT_EQ(klasy.size(), 2);
    const QJsonObject k = klasy[0].toObject();
    EXPECT_EQ(k.keys(), (QStringList{"id", "iloscUczniow", "klasa", "kr20", "liczbaOcen",
                                     "liczbaOcenWgStopnia", "mediana", "ocenaKlasy", "odchylenie",
                                     "procentKlasy", "pytania", "srednia"}));
    EXPECT_EQ(k.value("id").toInt(), 1);
    EXPECT_EQ(k.value("klasa").toString(), QStringLiteral("7a"));
    const QJsonObject stat = json.value("statystyka").toObject();
    const QJsonObject klasa = json.value("klasa").toObject();
    for (const char* pole : {"srednia", "mediana", "odchylenie"})
        EXPECT_EQ(k.value(pole), stat.value(pole)) << pole;
    for (const char* pole : {"iloscUczniow", "procentKlasy", "liczbaOcen", "ocenaKlasy"})
        EXPECT_EQ(k.value(pole), klasa.value(pole)) << pole;
    EXPECT_EQ(z.value("razem").toObject().value("liczbaOcenWgStopnia").toObject().keys().size(), 6);
    EXPECT_EQ(k.value("kr20"), psychometria.value("test").toObject().value("kr20"));
    const QJsonArray pytania = k.value("pytania").toArray();
    const QJsonArray pytaniaJson = json.value("pytania").toArray();
    const QJsonArray pytaniaPsych = psychometria.value("pytania").toArray();
    ASSERT_EQ(pytania.size(), pytaniaJson.size());
    for (int q = 0; q < pytania.size(); ++q) {
        const QJsonObject p = pytania[q].toObject();
        EXPECT_EQ(p.keys(),
                  (QStringList{"latwosc", "mocRoznicujaca", "nr", "procentPoprawnych", "uwaga"}));
        EXPECT_EQ(p.value("procentPoprawnych"),
                  pytaniaJson[q].toObject().value("procentPoprawnych"));
        EXPECT_EQ(p.value("latwosc"), pytaniaPsych[q].toObject().value("latwosc"));
        EXPECT_EQ(p.value("mocRoznicujaca"), pytaniaPsych[q].toObject().value("mocRoznicujaca"));
    }
    const QJsonObject razem = z.value("razem").toObject();
    EXPECT_EQ(razem.value("iloscUczniow").toInt(), pliki.size() + 9);
    EXPECT_FALSE(razem.contains("id") || razem.contains("klasa"));
    EXPECT_FALSE(razem.value("pytania").toArray()[0].toObject().contains("uwaga"));
    EXPECT_EQ(z.value("test").toObject().value("iloscPytan"),
              json.value("test").toObject().value("iloscPytan"));

    // With --do: the report and its chart instead of the JSON.
    const QString raport = st.sciezka(QStringLiteral("wyniki/porownanie.htm"));
    QProcess p;
    p.start(cli, QStringList{"archiwum", "porownaj", "1", "2", "--do", raport} + a);
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), raport);
    EXPECT_TRUE(QFileInfo::exists(raport));
    EXPECT_TRUE(QFileInfo::exists(st.sciezka(QStringLiteral("wyniki/porownanie.png"))));
}
