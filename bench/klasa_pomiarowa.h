// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A class of 400 students on a test of 60 questions of 5 options, written once into a
// temporary folder for the benchmarks: answer files as Base64 documents, as the testing
// program writes them today, and the test with a few pictures and texts.

#include "analysis/przebieg_analizy.h"
#include "core/analiza.h"
#include "core/srodowisko.h"
#include "support/pliki_testowe.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace sondrel::pomiary {

inline constexpr int Uczniow = 400;
inline constexpr int Pytan = 60;

struct KlasaPomiarowa {
    QTemporaryDir temp;
    // The environment variable SONDREL_KLASA names a folder that keeps the files (for timing
    // the command-line tool on them).
    QDir folder{qEnvironmentVariableIsSet("SONDREL_KLASA") ? qEnvironmentVariable("SONDREL_KLASA")
                                                           : temp.path()};
    QStringList pliki;
    QString test;

    KlasaPomiarowa() {
        QDir().mkpath(folder.path());
        using namespace sondrel::testy;
        QRandomGenerator los(400);
        const QStringList nazwiska = {"Nowak",     "Kowalski",   "Wiśniewska",  "Wójcik",
                                      "Kowalczyk", "Kamińska",   "Lewandowski", "Zielińska",
                                      "Szymański", "Woźniak",    "Dąbrowski",   "Kozłowska",
                                      "Jankowski", "Mazur",      "Krawczyk",    "Piotrowska",
                                      "Grabowski", "Nowakowska", "Pawłowski",   "Michalska"};
        const QStringList imiona = {"Anna",  "Łukasz", "Żaneta", "Ścibor", "Zofia",
                                    "Jakub", "Maja",   "Szymon", "Łucja",  "Antoni"};
        QStringList klucze;
        PlikTestu test;
        test.iloscOdpowiedzi = 5;
        test.pytania.clear();
        for (int q = 0; q < Pytan; ++q) {
            QString klucz = QStringLiteral("00000");
            klucz[static_cast<int>(los.bounded(5))] = u'1';
            klucze.append(klucz);
            PytanieTestu p;
            p.tresc = QStringLiteral("Pytanie numer %1: która odpowiedź jest poprawna?").arg(q + 1);
            p.odpowiedzi = {"Pierwsza", "Druga", "Trzecia", "Czwarta", "Piąta"};
            p.klucz = klucz;
            if (q % 10 == 0) p.obraz = QStringLiteral("obraz%1.jpg").arg(q / 20);
            if (q % 15 == 1) p.tekst = QStringLiteral("tekst.txt");
            test.pytania.append(p);
        }
        test.czlony = {Czlon("obraz0.jpg", ObrazJpeg(320, 200)),
                       Czlon("obraz1.jpg", ObrazJpeg(200, 150)),
                       Czlon("obraz2.jpg", ObrazJpeg(240, 240)), Czlon("tekst.txt", "Tekst\r\n")};
        this->test = folder.filePath(QStringLiteral("test.skt"));
        ZapiszPlikTestu(this->test, test);

        for (int s = 0; s < Uczniow; ++s) {
            PlikOdpowiedzi p;
            p.nazwisko = nazwiska[static_cast<int>(los.bounded(nazwiska.size()))];
            p.imie = imiona[static_cast<int>(los.bounded(imiona.size()))];
            p.iloscOdpowiedzi = 5;
            p.kodowanie = KodowanieXml::Base64;
            const int start = 8 * 3600 + static_cast<int>(los.bounded(300));
            const int koniec = start + 600 + static_cast<int>(los.bounded(2400));
            const auto godzina = [](int t) {
                return QStringLiteral("%1:%2:%3")
                    .arg(t / 3600)
                    .arg(t / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(t % 60, 2, 10, QLatin1Char('0'));
            };
            p.start = godzina(start);
            p.koniec = godzina(koniec);
            p.zapis = godzina(koniec + 3);
            p.pytania.clear();
            for (int q = 0; q < Pytan; ++q) {
                QString wybor = klucze[q];
                if (los.bounded(3) == 0) {
                    wybor = QStringLiteral("00000");
                    wybor[static_cast<int>(los.bounded(5))] = u'1';
                }
                p.pytania.append({wybor, klucze[q]});
            }
            pliki.append(
                folder.filePath(QStringLiteral("u%1.sko").arg(s, 3, 10, QLatin1Char('0'))));
            ZapiszPlikOdpowiedzi(pliki.last(), p);
        }
    }
};

inline const KlasaPomiarowa& Klasa() {
    static const KlasaPomiarowa klasa;
    return klasa;
}

// The class analysed once with its test, messages answered at once, Temp a folder of its own.
struct KlasaPrzeanalizowana {
    std::unique_ptr<Analiza> analiza = std::make_unique<Analiza>();
    Srodowisko srodowisko;
    QTemporaryDir temp;

    KlasaPrzeanalizowana() {
        srodowisko.komunikaty.ustawObsluge([](int, int, const QString&) { return WynikZamknij; });
        srodowisko.foldery.FolderTemp = temp.path();
        analiza->PlikiOdpowiedzi = Klasa().pliki;
        analiza->PlikTestu = Klasa().test;
        analiza->RodzajAnalizy = AnalizaZTestem;
        UruchomAnalize(*analiza, srodowisko);
    }
};

} // namespace sondrel::pomiary
