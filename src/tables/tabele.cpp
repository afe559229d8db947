// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/tabele.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "core/lokalizacja.h"

#include <QStringList>
#include <algorithm>

namespace sondrel {

namespace {

constexpr auto Lewo = RodzajWyrownania::DoLewej;
constexpr auto Srodek = RodzajWyrownania::DoSrodka;

// The records hold at most 60 questions and 400 students; the tables never read beyond.
int IloscPytan(const Analiza& a) {
    return std::clamp<int>(a.Test.IloscPytan, 0, MaksPytan);
}
int IloscUczniow(const Analiza& a) {
    return std::clamp(a.IloscUczniow, 0, MaksUczniow);
}

// Header row: white, normal, centred; dark blue behind columns 0 and 1, a lighter dark blue
// behind the others.
void Naglowek(Tabela& t, const QStringList& teksty) {
    for (int k = 0; k < t.IloscKolumn(); ++k) {
        t.komorka(0, k).Tlo = k <= 1 ? KolorNaglowkaPierwszy : KolorNaglowkaDalszy;
        t.Ustaw(0, k, teksty.value(k), KolorBialy, false, Srodek);
    }
}

// Student rows are striped: every row whose number is a multiple of 5.
Kolor TloUcznia(int wiersz) {
    return wiersz % 5 == 0 ? KolorPaska : KolorBialy;
}

int OgraniczStrone(int iloscPytan, int strona) {
    return std::clamp(strona, 1, IloscStronTabeli(iloscPytan));
}

} // namespace

int IloscStronTabeli(int iloscPytan) {
    return std::max(1, (iloscPytan + PytanNaStronie - 1) / PytanNaStronie);
}

int PytanNaStronieTabeli(int iloscPytan, int strona) {
    return std::clamp(iloscPytan - (strona - 1) * PytanNaStronie, 0, PytanNaStronie);
}

Tabela BudujTabeleWynikow(const Analiza& a, int strona, bool fn) {
    const int ip = IloscPytan(a);
    const int n = IloscUczniow(a);
    strona = OgraniczStrone(ip, strona);
    const int v = PytanNaStronieTabeli(ip, strona);
    const int pierwsze = PierwszePytanieStrony(strona);
    const int kolSuma = v + 1;
    const int kolOcena = v + 2;

    QList<int> szerokosci{120};
    QStringList naglowki{QStringLiteral("Nazwisko i imię")};
    for (int i = 0; i < v; ++i) {
        szerokosci.append(18);
        naglowki.append(QString::number(pierwsze + i));
    }
    szerokosci << 50 << 50;
    naglowki << QStringLiteral("Suma") << QStringLiteral("Ocena");

    Tabela t(szerokosci, n + 3);
    Naglowek(t, naglowki);

    for (int s = 1; s <= n; ++s) {
        const OdpowiedzBig& uczen = a.Uczniowie[s];
        t.UstawTlo(s, TloUcznia(s));
        t.Ustaw(s, 0, NazwaUcznia(uczen, fn), KolorCzarny, false, Lewo);
        for (int i = 0; i < v; ++i) {
            const bool dobrze = PoprawnaOdpowiedz(uczen, pierwsze + i);
            t.Ustaw(s, 1 + i, dobrze ? QStringLiteral("1") : QStringLiteral("0"),
                    dobrze ? KolorCzarny : KolorCzerwony, false, Srodek);
        }
        t.Ustaw(s, kolSuma, QString::number(uczen.Poprawnych), KolorCzerwony, true, Srodek);
        t.Ustaw(s, kolOcena, uczen.Ocena, KolorCzarny, true, Srodek);
    }

    const int suma = n + 1;
    t.UstawTlo(suma, KolorSumy);
    t.Ustaw(suma, 0, QStringLiteral("Suma"), KolorCzarny, true, Lewo);
    for (int i = 0; i < v; ++i)
        t.Ustaw(suma, 1 + i, QString::number(a.StatPytan[pierwsze + i].Poprawnych), KolorGranatowy,
                true, Srodek);
    t.Ustaw(suma, kolSuma, QString::number(a.Test.SumaPoprawnych), KolorCzerwony, true, Srodek);

    const int srednia = n + 2;
    t.UstawTlo(srednia, KolorSredniej);
    t.Ustaw(srednia, 0, QStringLiteral("Średnia (%)"), KolorCzarny, true, Lewo);
    for (int i = 0; i < v; ++i) {
        const qint32 procent = a.StatPytan[pierwsze + i].ProcentPoprawnych;
        t.Ustaw(srednia, 1 + i, procent == 100 ? QStringLiteral("M") : QString::number(procent),
                KolorZielony, true, Srodek);
    }
    t.Ustaw(srednia, kolSuma, QString::number(a.Test.ProcentKlasy), KolorCzerwony, true, Srodek);
    t.Ustaw(srednia, kolOcena, a.Test.OcenaKlasy, KolorCzerwony, true, Srodek);

    t.UstawRozmiar(121 + 19 * v + 102, (n + 3) * 17 + 3);
    return t;
}

Tabela BudujTabeleCzasu(Analiza& a, bool fn) {
    const int n = IloscUczniow(a);
    Tabela t({120, 80, 80, 80, 80}, n + 2);
    Naglowek(t, {QStringLiteral("Nazwisko i imię"), QStringLiteral("Początek"),
                 QStringLiteral("Koniec"), QStringLiteral("Czas zapisu"),
                 QStringLiteral("Czas pracy")});

    for (int s = 1; s <= n; ++s) {
        const OdpowiedzBig& uczen = a.Uczniowie[s];
        t.UstawTlo(s, TloUcznia(s));
        t.Ustaw(s, 0, NazwaUcznia(uczen, fn), KolorCzarny, false, Lewo);
        t.Ustaw(s, 1, TekstGodziny(uczen.Start), KolorCzarny, false, Srodek);
        t.Ustaw(s, 2, TekstGodziny(uczen.Koniec), KolorCzarny, false, Srodek);
        t.Ustaw(s, 3, TekstGodziny(uczen.Zapis), KolorCzarny, false, Srodek);
        t.Ustaw(s, 4, TekstCzasu(CzasPracy(uczen)), KolorZielony, true, Srodek);
    }

    const int srednia = n + 1;
    t.UstawTlo(srednia, KolorSumy);
    t.Ustaw(srednia, 0, QStringLiteral("Średni (min)"), KolorCzerwony, true, Srodek);
    t.Ustaw(srednia, 4, TekstCzasu(ObliczSredniCzasPracy(a)), KolorCzerwony, true, Srodek);

    t.UstawRozmiar(445, n * 17 + 37);
    return t;
}

Tabela BudujTabeleOcen(const Analiza& a) {
    Tabela t({120, 80}, 8);
    Naglowek(t, {QStringLiteral("Ocena"), QStringLiteral("Ilość ocen")});
    // The grid labels the fifth grade "Dop"; the stored text is "Dp".
    static const char* const etykiety[LiczbaStopni] = {"Cel", "Bdb", "Db", "Dst", "Dop", "Ndst"};
    for (int stopien = 1; stopien <= LiczbaStopni; ++stopien) {
        t.Ustaw(stopien, 0, QString::fromLatin1(etykiety[stopien - 1]), KolorCzarny, true, Lewo);
        t.Ustaw(stopien, 1, QString::number(a.Test.LiczbaOcen[stopien]), KolorCzarny, true, Srodek);
    }
    t.UstawTlo(7, KolorSumy);
    t.Ustaw(7, 0, QStringLiteral("Średnia z ocen"), KolorCzerwony, true, Lewo);
    t.Ustaw(7, 1, TekstLiczby(a.Test.SredniaOcen), KolorCzerwony, true, Srodek);
    t.UstawRozmiar(202, 137);
    return t;
}

namespace {

void ZbudujWyniki(StanTabeli& stan, const Analiza& analiza, bool fn) {
    const int ip = IloscPytan(analiza);
    stan.Strona = OgraniczStrone(ip, stan.Strona);
    stan.PierwszePytanie = PierwszePytanieStrony(stan.Strona);
    stan.OstatniePytanie = stan.PierwszePytanie + PytanNaStronieTabeli(ip, stan.Strona) - 1;
    stan.StrzalkaWstecz = JestStrzalkaWstecz(stan.Strona);
    stan.StrzalkaNaprzod = JestStrzalkaNaprzod(ip, stan.Strona);
    stan.Siatka = BudujTabeleWynikow(analiza, stan.Strona, fn);
}

} // namespace

void ZbudujTabele(StanTabeli& stan, Analiza& analiza, bool fn) {
    stan.PierwszePytanie = 0;
    stan.OstatniePytanie = 0;
    stan.StrzalkaWstecz = false;
    stan.StrzalkaNaprzod = false;
    switch (stan.Rodzaj) {
    case RodzajTabeli::Wynikow:
        ZbudujWyniki(stan, analiza, fn);
        break;
    case RodzajTabeli::Czasu:
        stan.Siatka = BudujTabeleCzasu(analiza, fn);
        break;
    case RodzajTabeli::Ocen:
        stan.Siatka = BudujTabeleOcen(analiza);
        break;
    }
}

void OtworzTabele(StanTabeli& stan, Analiza& analiza, RodzajTabeli rodzaj, bool fn) {
    stan.Rodzaj = rodzaj;
    if (rodzaj == RodzajTabeli::Wynikow) stan.Strona = 1;
    ZbudujTabele(stan, analiza, fn);
}

bool ZmienStrone(StanTabeli& stan, const Analiza& analiza, int krok, bool fn) {
    if (stan.Rodzaj != RodzajTabeli::Wynikow) return false;
    const int ip = IloscPytan(analiza);
    const bool mozna = (krok == -1 && JestStrzalkaWstecz(stan.Strona)) ||
                       (krok == 1 && JestStrzalkaNaprzod(ip, stan.Strona));
    if (!mozna) return false;
    stan.Strona += krok;
    ZbudujWyniki(stan, analiza, fn);
    return true;
}

} // namespace sondrel
