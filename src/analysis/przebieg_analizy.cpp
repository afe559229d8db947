// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/przebieg_analizy.h"

#include "analysis/czytnik_odpowiedzi.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "formats/czytnik_testu.h"

#include <QFileInfo>

namespace sondrel {

int WczytajOdpowiedzi(const QStringList& pliki, Analiza& analiza, Srodowisko& srodowisko) {
    analiza.IloscUczniow = 0;
    if (pliki.isEmpty()) return OdpowiedziOdrzucone;
    {
        const PlikKomunikatow oPliku(srodowisko.komunikaty, pliki.first());
        if (WczytajNaglowek(pliki.first(), analiza, srodowisko) != WynikNaglowka::Przyjety)
            return OdpowiedziOdrzucone;
    }
    analiza.WyczyscStatystyki();

    int pominiete = 0;
    for (const QString& plik : pliki) {
        if (analiza.IloscUczniow == MaksUczniow) {
            srodowisko.WpiszDoDziennika(
                0, QStringLiteral("Odczyt pliku wyniku. Plik ") + QFileInfo(plik).fileName() +
                       QStringLiteral(" pominięto: analiza obejmuje najwyżej 400 uczniów."));
            ++pominiete;
            continue;
        }
        if (WczytajUcznia(plik, analiza.IloscUczniow + 1, analiza, srodowisko) == UczenWczytany)
            ++analiza.IloscUczniow;
        else
            ++pominiete;
    }

    // The figures of a class divide by the number of students: without one there is nothing
    // to show.
    if (analiza.IloscUczniow == 0) {
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                                  QStringLiteral("Nie wczytano żadnego pliku odpowiedzi.\r") +
                                      OdeslanieDoDziennika());
        return OdpowiedziOdrzucone;
    }

    SortujUczniow(analiza);
    StatystykiPytan(analiza);
    PodsumujKlase(analiza);
    return pominiete > 0 ? OdpowiedziPominiete : OdpowiedziWczytane;
}

bool UruchomAnalize(Analiza& analiza, Srodowisko& srodowisko, ZrodloAnalizy zrodlo) {
    const int wynik = WczytajOdpowiedzi(analiza.PlikiOdpowiedzi, analiza, srodowisko);
    if (wynik == OdpowiedziOdrzucone) {
        // The records no longer hold the earlier analysis (no students, the refused file's
        // header): a panel still on screen must not offer reports over them.
        if (analiza.RodzajAnalizy == AnalizaZTestem) analiza.RodzajAnalizy = AnalizaProsta;
        return false;
    }
    if (wynik == OdpowiedziPominiete) {
        srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            zrodlo == ZrodloAnalizy::Lista
                ? QStringLiteral("Nie wszystkie pliki odpowiedzi dotyczyły tego samego testu.\r"
                                 "Wczytano jedynie zgodne z pierwszym podanym plikiem.")
                : QStringLiteral("Nie wszystkie pliki odpowiedzi poddano analizie.\r") +
                      OdeslanieDoDziennika());
    }
    if (zrodlo == ZrodloAnalizy::Lista || analiza.RodzajAnalizy == AnalizaZTestem) {
        const PlikKomunikatow oPliku(srodowisko.komunikaty, analiza.PlikTestu);
        if (WczytajTest(analiza.PlikTestu, analiza, srodowisko) != TestWczytany)
            analiza.RodzajAnalizy = AnalizaProsta;
    }
    return true;
}

bool SaPlikamiOdpowiedzi(const QStringList& pliki, Srodowisko& srodowisko) {
    if (!pliki.isEmpty() && QFileInfo(pliki.first()).suffix().toLower() == QLatin1String("sko"))
        return true;
    const PlikKomunikatow oPliku(srodowisko.komunikaty, pliki.value(0));
    srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga,
                              QStringLiteral("\rModuł Sondrel nie obsługuje plików tego typu.\r"
                                             "Wskaż pliki odpowiedzi."));
    return false;
}

bool AnalizujUpuszczonePliki(const QStringList& pliki, Analiza& analiza, Srodowisko& srodowisko,
                             const QString& plikTestu) {
    if (!SaPlikamiOdpowiedzi(pliki, srodowisko)) return false;
    analiza.RodzajAnalizy = plikTestu.isEmpty() ? AnalizaProsta : AnalizaZTestem;
    if (!plikTestu.isEmpty()) analiza.PlikTestu = plikTestu;
    analiza.PlikiOdpowiedzi = pliki;
    return UruchomAnalize(analiza, srodowisko);
}

} // namespace sondrel
