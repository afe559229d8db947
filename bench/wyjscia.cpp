// SPDX-License-Identifier: GPL-3.0-or-later
// Every report and export of a class of 400 students on a test of 60 questions, and the whole
// "sondrel-cli wszystko" (analysis, every table and every report written to a folder).
#include "analysis/jakosc_pytan.h"
#include "analysis/przebieg_analizy.h"
#include "klasa_pomiarowa.h"
#include "polecenia.h"
#include "reports/raport.h"
#include "reports/raport_jakosc_pytan.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"
#include "tables/eksport_tabel.h"
#include "tables/tabele.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace sondrel;
using namespace sondrel::pomiary;

namespace {

struct Przeanalizowana : KlasaPrzeanalizowana {
    UstawieniaRaportu ustawienia{QStringLiteral("Nauczyciel"), false};
};

Przeanalizowana& Stan() {
    static Przeanalizowana stan;
    return stan;
}

void Sprawdz(benchmark::State& stan, const WynikRaportu& wynik) {
    if (!wynik.udany()) stan.SkipWithError("a report was not written");
}

} // namespace

static void TabelaWynikowHtmCala(benchmark::State& stan) {
    const Analiza& a = *Stan().analiza;
    for (auto _ : stan)
        benchmark::DoNotOptimize(TabelaHtml(a, RodzajTabeli::Wynikow, 1, true, false));
}
BENCHMARK(TabelaWynikowHtmCala)->Unit(benchmark::kMillisecond);

static void TabelaWynikowTxtWszystkieStrony(benchmark::State& stan) {
    const Analiza& a = *Stan().analiza;
    for (auto _ : stan)
        for (int s = 1; s <= IloscStronTabeli(a.Test.IloscPytan); ++s)
            benchmark::DoNotOptimize(TekstTabeliDoPliku(BudujTabeleWynikow(a, s, false)));
}
BENCHMARK(TabelaWynikowTxtWszystkieStrony)->Unit(benchmark::kMillisecond);

static void TabelaCzasuHtmITxt(benchmark::State& stan) {
    Analiza& a = *Stan().analiza;
    for (auto _ : stan) {
        benchmark::DoNotOptimize(TekstTabeliDoPliku(BudujTabeleCzasu(a, false)));
        benchmark::DoNotOptimize(TabelaHtml(a, RodzajTabeli::Czasu, 1, true, false));
    }
}
BENCHMARK(TabelaCzasuHtmITxt)->Unit(benchmark::kMillisecond);

static void TabelaOcenHtmITxt(benchmark::State& stan) {
    const Analiza& a = *Stan().analiza;
    for (auto _ : stan) {
        benchmark::DoNotOptimize(TekstTabeliDoPliku(BudujTabeleOcen(a)));
        benchmark::DoNotOptimize(TabelaHtml(a, RodzajTabeli::Ocen, 1, true, false));
    }
}
BENCHMARK(TabelaOcenHtmITxt)->Unit(benchmark::kMillisecond);

static void RaportOTescieZapis(benchmark::State& stan) {
    Przeanalizowana& p = Stan();
    for (auto _ : stan)
        Sprawdz(stan, RaportOTescie(*p.analiza, p.ustawienia, p.srodowisko));
}
BENCHMARK(RaportOTescieZapis)->Unit(benchmark::kMillisecond);

static void RaportStatystykaIWykazOcen(benchmark::State& stan) {
    Przeanalizowana& p = Stan();
    for (auto _ : stan) {
        Sprawdz(stan, RaportStatystyka(*p.analiza, p.ustawienia, p.srodowisko));
        Sprawdz(stan, RaportWykazOcen(*p.analiza, p.ustawienia, p.srodowisko));
    }
}
BENCHMARK(RaportStatystykaIWykazOcen)->Unit(benchmark::kMillisecond);

static void RaportyWszystkichUczniow(benchmark::State& stan) {
    Przeanalizowana& p = Stan();
    for (auto _ : stan)
        for (int s = 1; s <= p.analiza->IloscUczniow; ++s)
            Sprawdz(stan, RaportOUczniu(*p.analiza, p.ustawienia, p.srodowisko, s));
    stan.SetItemsProcessed(stan.iterations() * p.analiza->IloscUczniow);
}
BENCHMARK(RaportyWszystkichUczniow)->Unit(benchmark::kMillisecond);

static void RaportyWszystkichPytan(benchmark::State& stan) {
    Przeanalizowana& p = Stan();
    for (auto _ : stan)
        for (int q = 1; q <= p.analiza->Test.IloscPytan; ++q)
            Sprawdz(stan, RaportOPytaniu(*p.analiza, p.ustawienia, p.srodowisko, q));
}
BENCHMARK(RaportyWszystkichPytan)->Unit(benchmark::kMillisecond);

// Question quality of the whole class: every figure of the 60 questions and of the test.
static void JakoscPytan(benchmark::State& stan) {
    const Analiza& a = *Stan().analiza;
    for (auto _ : stan)
        benchmark::DoNotOptimize(ObliczJakoscPytan(a));
}
BENCHMARK(JakoscPytan)->Unit(benchmark::kMillisecond);

static void RaportJakosciPytanZapis(benchmark::State& stan) {
    Przeanalizowana& p = Stan();
    for (auto _ : stan)
        Sprawdz(stan, RaportJakoscPytan(*p.analiza, p.ustawienia, p.srodowisko));
}
BENCHMARK(RaportJakosciPytanZapis)->Unit(benchmark::kMillisecond);

// The command-line tool end to end: analysis with the test, every table, every report.
static void CliWszystko(benchmark::State& stan) {
    const QTemporaryDir katalog;
    const QStringList argumenty =
        QStringList{"wszystko", "--do", katalog.path(), "--test", Klasa().test} + Klasa().pliki;
    for (auto _ : stan) {
        QByteArray wyjscie, bledy;
        QBuffer w(&wyjscie), b(&bledy);
        w.open(QIODevice::WriteOnly);
        b.open(QIODevice::WriteOnly);
        if (UruchomCli(argumenty, w, b) != KodAnalizaWykonana) stan.SkipWithError("cli failed");
    }
}
BENCHMARK(CliWszystko)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // "wszystko" draws the class's charts: fonts, no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    // The journal of the command-line tool goes into a folder of its own.
    const QTemporaryDir dane;
    qputenv("XDG_DATA_HOME", dane.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    Stan();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
