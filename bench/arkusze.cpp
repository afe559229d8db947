// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheets of a class of 400 students on a test of 60 questions: the workbook of the
// analysis (every sheet) built and saved, the CSV of the results list, and the lists alone.
#include "analysis/przebieg_analizy.h"
#include "arkusze/csv.h"
#include "arkusze/listy_analizy.h"
#include "arkusze/skoroszyt.h"
#include "klasa_pomiarowa.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using namespace sondrel;
using namespace sondrel::pomiary;

namespace {

KlasaPrzeanalizowana& Stan() {
    static KlasaPrzeanalizowana stan;
    return stan;
}

} // namespace

// What the teacher waits for: every sheet built from the records and the file saved.
static void SkoroszytAnalizyZapisany(benchmark::State& stan) {
    Analiza& a = *Stan().analiza;
    if (a.IloscUczniow != Uczniow || a.RodzajAnalizy != AnalizaZTestem)
        stan.SkipWithError("the class was not analysed with its test");
    const QString plik = Stan().temp.filePath(QStringLiteral("klasa.xlsx"));
    for (auto _ : stan)
        if (!ZapiszSkoroszyt(plik, ListyAnalizy(a, false))) stan.SkipWithError("not written");
}
BENCHMARK(SkoroszytAnalizyZapisany)->Unit(benchmark::kMillisecond);

static void ListyAnalizyBezZapisu(benchmark::State& stan) {
    Analiza& a = *Stan().analiza;
    for (auto _ : stan)
        benchmark::DoNotOptimize(ListyAnalizy(a, false));
}
BENCHMARK(ListyAnalizyBezZapisu)->Unit(benchmark::kMillisecond);

static void CsvWynikow(benchmark::State& stan) {
    Analiza& a = *Stan().analiza;
    for (auto _ : stan)
        benchmark::DoNotOptimize(CsvListy(ListaAnalizy(a, RodzajListy::Wyniki, false)));
}
BENCHMARK(CsvWynikow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QTemporaryDir dane;
    qputenv("XDG_DATA_HOME", dane.path().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    Stan();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
