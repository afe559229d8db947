// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the charts of a 400-student class: the bars at 1280 x 900 (one frame of the window
// is 16 ms), the pie, and the SVG copy.
#include "chartengine/rysowanie.h"
#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace sondrel;

namespace {

std::unique_ptr<StanWykresu> Otwarty(int typ) {
    static Analiza* analiza = [] {
        auto* a = new Analiza;
        a->IloscUczniow = MaksUczniow;
        for (int i = 1; i <= MaksUczniow; ++i) {
            OdpowiedzBig& u = a->Uczniowie[i];
            u.Nazwisko = QStringLiteral("Wiśniewska-Kowalczyk %1").arg(i);
            u.Imie = QStringLiteral("Małgorzata");
            u.Poprawnych = (i * 37) % 61;
            u.Start = 0.4;
            u.Koniec = 0.4 + (i % 50) / 1440.0;
        }
        const int oceny[6] = {40, 80, 120, 90, 50, 20};
        for (int i = 1; i <= 6; ++i)
            a->Test.LiczbaOcen[i] = oceny[i - 1];
        return a;
    }();
    auto stan = std::make_unique<StanWykresu>();
    stan->ZadanyRodzajWykresu = RodzajDlaTypu(typ);
    OtworzWykres(*stan, *analiza, false, typ);
    return stan;
}

void Maluj(benchmark::State& s, int typ, QSize rozmiar) {
    const auto stan = Otwarty(typ);
    QImage obraz(rozmiar, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : s) {
        QPainter p(&obraz);
        chartengine::Rysuj(stan->Wykres, p, QRectF(QPointF(0, 0), QSizeF(rozmiar)));
        p.end();
        benchmark::DoNotOptimize(obraz.bits());
    }
}

void Slupki400(benchmark::State& s) {
    Maluj(s, 1, QSize(1280, 900));
}
BENCHMARK(Slupki400)->Unit(benchmark::kMillisecond);

void Slupki400WOknie(benchmark::State& s) {
    Maluj(s, 1, QSize(398, 280));
}
BENCHMARK(Slupki400WOknie)->Unit(benchmark::kMillisecond);

void Kolo(benchmark::State& s) {
    Maluj(s, 3, QSize(1280, 900));
}
BENCHMARK(Kolo)->Unit(benchmark::kMillisecond);

void KopiaSvg400(benchmark::State& s) {
    const auto stan = Otwarty(1);
    for (auto _ : s)
        benchmark::DoNotOptimize(chartengine::RysujSvg(stan->Wykres, QSize(1280, 900)));
}
BENCHMARK(KopiaSvg400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
