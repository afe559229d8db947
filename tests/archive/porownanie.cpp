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
    // Question 1: 1 in 7a, 1/3 in 7b, 0.6 pooled. The others differ by less than 0.2.
    EXPECT_EQ(a.Pytania[0].Uwaga, UwagaLatwiejsze);
    EXPECT_EQ(b.Pytania[0].Uwaga, UwagaTrudniejsze);
    for (int q = 1; q < 3; ++q) {
        EXPECT_TRUE(a.Pytania[q].Uwaga.isEmpty());
        EXPECT_TRUE(b.Pytania[q].Uwaga.isEmpty());
    }
    for (const PytanieKlasy& p : r.Pytania)
        EXPECT_TRUE(p.Uwaga.isEmpty());
}

// Exactly 0.2 counts, as whole-number arithmetic sees it: 1 - 0.8 and 0.7 - 0.5 are a little
// less than 0.2 in doubles.
TEST(PorownanieKlas, GranicaDwochDziesiatych) {
    const struct {
        int uczniowP, poprawnychP, uczniowQ, poprawnychQ;
        bool oznaczone;
    } przypadki[] = {
        {5, 5, 5, 3, true},  // 1 and 0.6 against 0.8
        {4, 4, 6, 3, true},  // 1 against 0.7 (0.3); 0.5 against 0.7 (0.2)
        {5, 4, 5, 2, true},  // 0.8 and 0.4 against 0.6
        {5, 5, 5, 4, false}, // 0.1 either way
        {6, 5, 4, 3, false}, // 5/6 and 3/4 against 0.8
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
        const qint64 n = p.uczniowP + p.uczniowQ, c = p.poprawnychP + p.poprawnychQ;
        // Expected by the rule itself, in whole numbers, for each class.
        const auto uwaga = [&](int u, int k) {
            const qint64 roznica = qint64(k) * n - c * u;
            return 5 * roznica >= u * n    ? UwagaLatwiejsze
                   : -5 * roznica >= u * n ? UwagaTrudniejsze
                                           : QString();
        };
        EXPECT_EQ(z.Klasy[0].Pytania[0].Uwaga, uwaga(p.uczniowP, p.poprawnychP));
        EXPECT_EQ(z.Klasy[1].Pytania[0].Uwaga, uwaga(p.uczniowQ, p.poprawnychQ));
        EXPECT_EQ(!z.Klasy[1].Pytania[0].Uwaga.isEmpty(), p.oznaczone);
    }
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
    EXPECT_TRUE(z.Blad.contains(QStringLiteral("różnych testów")));
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
    for (const char* pole :
         {"iloscUczniow", "procentKlasy", "liczbaOcen", "liczbaOcenWgStopnia", "ocenaKlasy"})
        EXPECT_EQ(k.value(pole), klasa.value(pole)) << pole;
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
