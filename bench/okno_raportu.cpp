// SPDX-License-Identifier: GPL-3.0-or-later
// What a user waits for in the report window, on the class of 400 students and 60 questions:
// from asking for a student's report (the popup's link) to its page loaded in the window, the
// first time (the HTML engine starts) and later; and saving the test report as PDF (the
// engine's PDF with the page footers laid over it). Needs a display (xvfb-run or offscreen).
//
//     xvfb-run -a build/bin/bench_okno_raportu
#include "analysis/przebieg_analizy.h"
#include "klasa_pomiarowa.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "ui/okna/tf_browser.h"
#include "ui/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace sondrel;
using namespace sondrel::pomiary;

namespace {

// Runs `krok`, then waits for the window's signal (at most a minute); false when it never came.
template <class Sygnal, class Krok> bool Czekaj(TFBrowser& okno, Sygnal sygnal, Krok krok) {
    QEventLoop petla;
    bool przyszedl = false;
    const auto polaczenie = QObject::connect(&okno, sygnal, &petla, [&] {
        przyszedl = true;
        petla.quit();
    });
    krok();
    if (!przyszedl) {
        QTimer::singleShot(60000, &petla, &QEventLoop::quit);
        petla.exec();
    }
    QObject::disconnect(polaczenie);
    return przyszedl;
}

double Mediana(QList<double> czasy) {
    std::sort(czasy.begin(), czasy.end());
    return czasy.isEmpty() ? 0 : czasy.at(czasy.size() / 2);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QTemporaryDir dane;
    qputenv("XDG_DATA_HOME", dane.path().toLocal8Bit());

    Program program;
    program.UtworzOkna();
    program.srodowisko.komunikaty.ustawObsluge([](int, int, const QString& t) {
        std::fprintf(stderr, "%s\n", qPrintable(t));
        return WynikZamknij;
    });
    const QTemporaryDir temp;
    program.srodowisko.foldery.FolderTemp = temp.path();
    Analiza& a = program.analiza;
    a.PlikiOdpowiedzi = Klasa().pliki;
    a.PlikTestu = Klasa().test;
    a.RodzajAnalizy = AnalizaZTestem;
    UruchomAnalize(a, program.srodowisko);
    std::printf("class: %d students, %d questions\n", a.IloscUczniow, a.Test.IloscPytan);
    TFBrowser& okno = *program.FBrowser();

    // choosing a student's report: made, saved and shown, until its page has loaded
    const auto uczen = [&](int s) {
        QElapsedTimer czas;
        czas.start();
        const bool zaladowany = Czekaj(okno, &TFBrowser::zaladowano, [&] {
            program.Zasady().Wykonaj({Prosba::RaportZTabeli, [&] {
                                          return RaportOUczniu(a, program.UstawieniaRaportow(),
                                                               program.srodowisko, s);
                                      }});
        });
        if (!zaladowany) std::fprintf(stderr, "report %d not loaded\n", s);
        return czas.nsecsElapsed() / 1e6;
    };
    std::printf("student report, first (engine starts): %.0f ms\n", uczen(1));
    QList<double> pozniej;
    for (int s = 2; s <= 12; ++s)
        pozniej << uczen(s * 30);
    std::printf("student report, later (median of %lld): %.0f ms (min %.0f, max %.0f)\n",
                static_cast<long long>(pozniej.size()), Mediana(pozniej),
                *std::min_element(pozniej.begin(), pozniej.end()),
                *std::max_element(pozniej.begin(), pozniej.end()));

    // the test report as PDF
    Czekaj(okno, &TFBrowser::zaladowano, [&] {
        program.Zasady().Wykonaj(
            {Prosba::GotowyRaport,
             [&] { return RaportOTescie(a, program.UstawieniaRaportow(), program.srodowisko); }});
    });
    QList<double> pdf;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer czas;
        czas.start();
        if (!Czekaj(okno, &TFBrowser::zapisano, [&] {
                okno.ZapiszRaportJako(temp.filePath(QStringLiteral("test%1.pdf").arg(i)));
            }))
            std::fprintf(stderr, "no PDF\n");
        pdf << czas.nsecsElapsed() / 1e6;
    }
    QFile plik(temp.filePath(QStringLiteral("test0.pdf")));
    std::printf("test report saved as PDF (median of 5): %.0f ms, %lld bytes\n", Mediana(pdf),
                static_cast<long long>(plik.size()));
    return 0;
}
