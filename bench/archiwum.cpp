// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher waits for in the archive: adding a class (its transaction's sync included),
// the list, a student's history and ten classes of one test read and compared, on an
// archive of 2,000 analyses of 30 students and 60 questions, made once in a folder on disk
// (SONDREL_ARCHIWUM_POMIAR names a folder that keeps it between runs; by default a temporary
// folder). The file's size is reported as a counter. SONDREL_ARCHIWUM_ADRES=postgresql://...
// runs the same measures on an archive on a PostgreSQL server instead (an empty database, or
// one a previous run filled).
#include "archive/archiwum.h"
#include "archive/porownanie.h"
#include "archiwum_pomiarowe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace sondrel;

namespace {

constexpr int Analiz = pomiary::AnalizArchiwum;
constexpr int Testow = pomiary::TestowArchiwum;
constexpr int Uczniow = pomiary::UczniowKlasy;
constexpr int Roczniki = pomiary::Rocznikow;

AnalizaArchiwalna Klasa(int i) {
    return pomiary::KlasaArchiwalna(i);
}

struct ArchiwumPomiarowe {
    QTemporaryDir temp{QDir::current().filePath(QStringLiteral("archiwum-pomiar-XXXXXX"))};
    QString plik;
    Archiwum archiwum;
    int nastepna = 0; // the next class to add

    ArchiwumPomiarowe() {
        const QString folder = qEnvironmentVariableIsSet("SONDREL_ARCHIWUM_POMIAR")
                                   ? qEnvironmentVariable("SONDREL_ARCHIWUM_POMIAR")
                                   : temp.path();
        QDir().mkpath(folder);
        plik = qEnvironmentVariableIsSet("SONDREL_ARCHIWUM_ADRES")
                   ? qEnvironmentVariable("SONDREL_ARCHIWUM_ADRES")
                   : QDir(folder).filePath(QStringLiteral("Archiwum.sqlite"));
        if (!archiwum.Otworz(plik)) qFatal("%s", qPrintable(archiwum.Blad()));
        const auto lista = archiwum.Lista();
        nastepna = lista ? static_cast<int>(lista->size()) : 0;
        for (; nastepna < Analiz; ++nastepna) {
            AnalizaArchiwalna a = Klasa(nastepna);
            if (!archiwum.Dodaj(a)) qFatal("%s", qPrintable(archiwum.Blad()));
        }
    }
};

ArchiwumPomiarowe& Pomiarowe() {
    static ArchiwumPomiarowe a;
    return a;
}

void Rozmiar(benchmark::State& stan) {
    const QString plik = Pomiarowe().plik;
    stan.counters["MB"] = static_cast<double>(QFileInfo(plik).size() +
                                              QFileInfo(plik + QStringLiteral("-wal")).size()) /
                          (1024.0 * 1024.0);
}

} // namespace

static void DodajKlase(benchmark::State& stan) {
    ArchiwumPomiarowe& p = Pomiarowe();
    for (auto _ : stan) {
        stan.PauseTiming();
        AnalizaArchiwalna a = Klasa(p.nastepna++);
        stan.ResumeTiming();
        const auto wynik = p.archiwum.Dodaj(a);
        if (!wynik || wynik->JuzBylo) stan.SkipWithError("the class was not added");
    }
    Rozmiar(stan);
}
BENCHMARK(DodajKlase)->Unit(benchmark::kMillisecond);

static void Lista(benchmark::State& stan) {
    ArchiwumPomiarowe& p = Pomiarowe();
    for (auto _ : stan) {
        const auto lista = p.archiwum.Lista();
        if (!lista || lista->size() < static_cast<std::size_t>(Analiz))
            stan.SkipWithError("the list is short");
        benchmark::DoNotOptimize(lista);
    }
    Rozmiar(stan);
}
BENCHMARK(Lista)->Unit(benchmark::kMillisecond);

static void HistoriaUcznia(benchmark::State& stan) {
    ArchiwumPomiarowe& p = Pomiarowe();
    for (auto _ : stan) {
        const auto historia = p.archiwum.HistoriaUcznia(QStringLiteral("uczeń7 rocznik42"));
        if (!historia || historia->size() < static_cast<std::size_t>(Analiz / Roczniki))
            stan.SkipWithError("the history is not whole");
        benchmark::DoNotOptimize(historia);
    }
}
BENCHMARK(HistoriaUcznia)->Unit(benchmark::kMillisecond);

// Ten classes of one test (ids 1, 51, 101, ...: test 0), read whole and compared: what the
// teacher waits for between choosing the classes and seeing their figures.
static void PorownajDziesiecKlas(benchmark::State& stan) {
    ArchiwumPomiarowe& p = Pomiarowe();
    for (auto _ : stan) {
        std::vector<AnalizaArchiwalna> klasy;
        for (int k = 0; k < 10; ++k) {
            auto a = p.archiwum.Wczytaj(1 + k * Testow);
            if (!a) {
                stan.SkipWithError("a class was not read");
                break;
            }
            klasy.push_back(std::move(*a));
        }
        const ZestawienieKlas z = PorownajKlasy(klasy);
        if (!z.Udane() || z.Razem.IloscUczniow != 10 * Uczniow)
            stan.SkipWithError("the classes were not compared");
        benchmark::DoNotOptimize(z);
    }
}
BENCHMARK(PorownajDziesiecKlas)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    benchmark::Initialize(&argc, argv);
    // The archive is made before anything is measured; its size is that of 2,000 analyses.
    const QString plik = Pomiarowe().plik;
    std::fprintf(stderr, "Archiwum: %d analiz, %.1f MB\n", Pomiarowe().nastepna,
                 static_cast<double>(QFileInfo(plik).size() +
                                     QFileInfo(plik + QStringLiteral("-wal")).size()) /
                     (1024.0 * 1024.0));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
