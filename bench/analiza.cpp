// SPDX-License-Identifier: GPL-3.0-or-later
// What a user waits for when an analysis starts: reading 400 answer files (Base64 documents of
// 60 questions of 5 options) into the records with the class figures, next to merely reading
// the same files' bytes.
#include "analysis/przebieg_analizy.h"
#include "klasa_pomiarowa.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

using namespace sondrel;
using namespace sondrel::pomiary;

static void WczytajOdpowiedzi400(benchmark::State& stan) {
    const KlasaPomiarowa& klasa = Klasa();
    Srodowisko srodowisko; // no journal file: nothing is written
    srodowisko.komunikaty.ustawObsluge([](int, int, const QString&) { return WynikZamknij; });
    auto analiza = std::make_unique<Analiza>();
    for (auto _ : stan) {
        const int wynik = WczytajOdpowiedzi(klasa.pliki, *analiza, srodowisko);
        if (wynik != OdpowiedziWczytane || analiza->IloscUczniow != Uczniow)
            stan.SkipWithError("the class was not read");
        benchmark::DoNotOptimize(analiza->Test.SumaPoprawnych);
    }
    stan.SetItemsProcessed(stan.iterations() * Uczniow);
}
BENCHMARK(WczytajOdpowiedzi400)->Unit(benchmark::kMillisecond);

static void OdczytBajtow400(benchmark::State& stan) {
    const KlasaPomiarowa& klasa = Klasa();
    for (auto _ : stan) {
        qint64 bajtow = 0;
        for (const QString& sciezka : klasa.pliki) {
            QFile plik(sciezka);
            plik.open(QIODevice::ReadOnly);
            bajtow += plik.readAll().size();
        }
        benchmark::DoNotOptimize(bajtow);
    }
    stan.SetItemsProcessed(stan.iterations() * Uczniow);
}
BENCHMARK(OdczytBajtow400)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    benchmark::Initialize(&argc, argv);
    Klasa(); // the files are written before anything is measured
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
