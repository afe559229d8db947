// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/dane_wykresu.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"

namespace sondrel {

QColor KolorPunktu(int i) {
    static const QColor paleta[20] = {
        {0, 0, 255},   {0, 0, 255},   {255, 0, 0},     {255, 255, 0}, {192, 192, 192},
        {0, 128, 0},   {0, 0, 0},     {128, 0, 0},     {0, 0, 128},   {0, 255, 0},
        {255, 0, 255}, {0, 255, 255}, {255, 255, 255}, {0, 128, 128}, {128, 64, 64},
        {64, 0, 128},  {0, 128, 255}, {217, 141, 38},  {95, 163, 92}, {35, 118, 220}};
    return paleta[((i % 20) + 20) % 20];
}

namespace {

void NowyTytul(StanWykresu& stan, const QString& tytul) {
    stan.Wykres.tytul.wiersze = {tytul};
}

template <typename Wartosc>
void WykresUczniow(StanWykresu& stan, const Analiza& analiza, bool najpierwImie,
                   const QString& tytul, int n, const QString& osPozioma, Wartosc wartosc) {
    NowyTytul(stan, tytul);
    chartengine::Seria& slupki = stan.Wykres.serie[0];
    chartengine::Seria& linia = stan.Wykres.serie[2];
    slupki.Wyczysc();
    linia.Wyczysc();
    stan.Wykres.zakres.reset();
    stan.Wykres.lewa.tytul.clear();
    stan.Wykres.dolna.tytul = osPozioma;
    n = std::clamp(n, 0, MaksUczniow);
    for (int i = 1; i <= n; ++i) {
        const OdpowiedzBig& uczen = analiza.Uczniowie[i];
        const QString etykieta = NazwaUcznia(uczen, najpierwImie);
        const double v = wartosc(uczen);
        slupki.Dodaj(v, etykieta, KolorPunktu(i));
        linia.Dodaj(v, etykieta, KolorPunktu(i));
    }
}

} // namespace

void WykresWynikow(StanWykresu& stan, const Analiza& analiza, bool najpierwImie,
                   const QString& tytul, int n) {
    WykresUczniow(stan, analiza, najpierwImie, tytul, n, QStringLiteral("Ilość punktów"),
                  [](const OdpowiedzBig& u) { return double(u.Poprawnych); });
}

void WykresCzasu(StanWykresu& stan, const Analiza& analiza, bool najpierwImie, const QString& tytul,
                 int n) {
    WykresUczniow(stan, analiza, najpierwImie, tytul, n, QStringLiteral("Czas [min]"),
                  [](const OdpowiedzBig& u) { return MinutyCzasu(u.Koniec - u.Start); });
}

void WykresOcen(StanWykresu& stan, const Analiza& analiza, const QString& tytul) {
    NowyTytul(stan, tytul);
    chartengine::Seria& kolo = stan.Wykres.serie[1];
    kolo.Wyczysc();
    static const char* const oceny[6] = {"Cel", "Bdb", "Db", "Dst", "Dp", "Ndst"};
    for (int i = 1; i <= 6; ++i)
        kolo.Dodaj(double(analiza.Test.LiczbaOcen[i]), QString::fromLatin1(oceny[i - 1]),
                   KolorPunktu(i + 1));
}

int RodzajDlaTypu(int typ) {
    return typ == 1 || typ == 2 ? WykresSlupkowy : typ == 3 ? WykresKolowy : 0;
}

bool OtworzWykres(StanWykresu& stan, const Analiza& analiza, bool najpierwImie, int typ) {
    stan.UstawieniaWykresu = stan.DomyslneUstawieniaWykresu;
    QString nazwa;
    switch (typ) {
    case 1:
        nazwa = QStringLiteral("Wyniki testu");
        WykresWynikow(stan, analiza, najpierwImie, nazwa, analiza.IloscUczniow);
        break;
    case 2:
        nazwa = QStringLiteral("Czas pracy");
        WykresCzasu(stan, analiza, najpierwImie, nazwa, analiza.IloscUczniow);
        break;
    case 3:
        nazwa = QStringLiteral("Zestawienie ocen");
        WykresOcen(stan, analiza, nazwa);
        break;
    default:
        return false;
    }
    UstawieniaWykresu& u = stan.UstawieniaWykresu;
    u.Naglowek.Tekst = nazwa;
    u.OsPozioma.Opis = stan.Wykres.dolna.tytul.left(DlugoscTekstu50);
    u.OsPionowa.Opis = stan.Wykres.lewa.tytul.left(DlugoscTekstu50);
    return PokazRodzajWykresu(stan, stan.ZadanyRodzajWykresu);
}

void WybierzSerie(StanWykresu& stan) {
    const int r = stan.BiezacyRodzajWykresu;
    if (!ZnanyRodzajWykresu(r)) return;
    stan.BiezacaSeria = r - 1;
    stan.OsieDostepne = r != WykresKolowy;
}

bool PokazRodzajWykresu(StanWykresu& stan, int rodzaj) {
    if (!ZnanyRodzajWykresu(rodzaj)) return false;
    stan.BiezacyRodzajWykresu = rodzaj;
    chartengine::Wykres& w = stan.Wykres;
    switch (rodzaj) {
    case WykresSlupkowy:
        w.UstawAktywnosc(1, false);
        w.UstawAktywnosc(0, true);
        w.UstawAktywnosc(2, false);
        break;
    case WykresKolowy:
        w.UstawAktywnosc(0, false);
        w.UstawAktywnosc(1, true);
        w.UstawAktywnosc(2, false);
        break;
    default:
        w.UstawAktywnosc(0, false);
        w.UstawAktywnosc(1, false);
        w.UstawAktywnosc(2, true);
        break;
    }
    WybierzSerie(stan);
    const bool ortogonalny = rodzaj != WykresKolowy;
    w.widok.ortogonalny = ortogonalny;
    stan.UstawieniaWykresu.Ortogonalny = ortogonalny;
    ZastosujUstawienia(stan);
    return true;
}

void UstawRzutPoUstawieniach(StanWykresu& stan) {
    const int r = stan.ZadanyRodzajWykresu;
    if (r == WykresSlupkowy || r == WykresLiniowy) {
        stan.Wykres.widok.ortogonalny = true;
        stan.UstawieniaWykresu.Ortogonalny = true;
    } else if (r == WykresKolowy) {
        stan.Wykres.widok.ortogonalny = false;
        stan.UstawieniaWykresu.Ortogonalny = false;
    }
}

} // namespace sondrel
