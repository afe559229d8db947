// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze/listy_analizy.h"

#include "analysis/czas_pracy.h"
#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "analysis/statystyka_pytan.h"
#include "reports/raport.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace sondrel {

namespace {

using K = KomorkaArkusza;

int Uczniow(const Analiza& a) {
    return std::clamp(a.IloscUczniow, 0, MaksUczniow);
}
int Pytan(const Analiza& a) {
    return std::clamp<int>(a.Test.IloscPytan, 0, MaksPytan);
}
int Opcji(const Analiza& a) {
    return std::clamp<int>(a.Test.IloscOdpowiedzi, 0, MaksOdpowiedzi);
}

// The name columns in the order the tables name students.
void Nazwy(WierszArkusza& w, const QString& nazwisko, const QString& imie, bool najpierwImie) {
    if (najpierwImie)
        w.insert(w.end(), {K::Napis(imie), K::Napis(nazwisko)});
    else
        w.insert(w.end(), {K::Napis(nazwisko), K::Napis(imie)});
}
WierszArkusza NaglowekNazw(bool najpierwImie) {
    WierszArkusza w;
    Nazwy(w, QStringLiteral("Nazwisko"), QStringLiteral("Imię"), najpierwImie);
    return w;
}

int CyfraOceny(const QString& ocena) {
    return WartoscOceny(StopienOceny(ocena));
}

// The whole seconds that the work-time table writes: the magnitude of the duration, whole days
// and leftover milliseconds dropped.
qint64 SekundyCzasu(double dni) {
    return (std::abs(MilisekundyCzasu(dni)) % MilisekundDoby) / 1000;
}

ListaArkusza Wyniki(const Analiza& a, bool fn) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::Wyniki);
    l.ZamrozoneKolumny = 2;
    const int ip = Pytan(a);
    l.Naglowek = NaglowekNazw(fn);
    for (int q = 1; q <= ip; ++q)
        l.Naglowek.push_back(K::Liczba(q));
    for (const char* t : {"Suma", "Procent", "Ocena", "Ocena (cyfra)"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    for (int s = 1; s <= Uczniow(a); ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        WierszArkusza w;
        Nazwy(w, u.Nazwisko, u.Imie, fn);
        for (int q = 1; q <= ip; ++q)
            w.push_back(K::Liczba(PoprawnaOdpowiedz(u, q) ? 1 : 0));
        w.insert(w.end(), {K::Liczba(u.Poprawnych), K::Procent(u.Procent), K::Napis(u.Ocena),
                           K::Liczba(CyfraOceny(u.Ocena))});
        l.Wiersze.push_back(std::move(w));
    }
    WierszArkusza poprawnych{K::Napis(QStringLiteral("Poprawnych")), K::Pusta()};
    for (int q = 1; q <= ip; ++q)
        poprawnych.push_back(K::Liczba(a.StatPytan[q].Poprawnych));
    poprawnych.push_back(K::Liczba(a.Test.SumaPoprawnych)); // under Suma, as the table has it
    l.Ponizej.push_back(std::move(poprawnych));
    return l;
}

ListaArkusza Pytania(const Analiza& a) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::Pytania);
    l.ZamrozoneKolumny = 1;
    const int opcji = Opcji(a);
    for (const char* t : {"Nr", "Poprawnych", "Łatwość", "Kategoria"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    for (int k = 1; k <= opcji; ++k)
        l.Naglowek.push_back(K::Napis(QString(QChar(u'A' + k - 1))));
    l.Naglowek.push_back(K::Napis(QStringLiteral("Moc różnicująca")));
    l.Naglowek.push_back(K::Napis(QStringLiteral("Uwaga")));

    const int n = Uczniow(a);
    const JakoscTestu jakosc = ObliczJakoscPytan(a);
    for (int q = 1; q <= Pytan(a); ++q) {
        const StatPytania& st = a.StatPytan[q];
        WierszArkusza w{K::Liczba(q), K::Liczba(st.Poprawnych),
                        K::DwaMiejsca(n > 0 ? static_cast<double>(st.Poprawnych) / n : 0,
                                      ProcentZaokraglony(st.Poprawnych, n)),
                        K::Napis(KategoriaTrudnosci(LatwoscZadania(a, q)))};
        for (int k = 1; k <= opcji; ++k)
            w.push_back(K::Liczba(st.Wybrali[k]));
        const auto i = static_cast<std::size_t>(q - 1);
        const JakoscPytania* p = i < jakosc.Pytania.size() ? &jakosc.Pytania[i] : nullptr;
        if (p && p->MocRoznicujaca)
            w.push_back(K::DwaMiejsca(p->MocRoznicujaca->Wartosc, p->MocRoznicujaca->Setne));
        else
            w.push_back(K::Pusta());
        w.push_back(p && !p->Uwagi.isEmpty() ? K::Napis(p->Uwagi.join(QStringLiteral("; ")))
                                             : K::Pusta());
        l.Wiersze.push_back(std::move(w));
    }
    return l;
}

ListaArkusza CzasPracyUczniow(Analiza& a, bool fn) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::CzasPracy);
    l.ZamrozoneKolumny = 2;
    l.Naglowek = NaglowekNazw(fn);
    for (const char* t : {"Początek", "Koniec", "Czas pracy"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    for (int s = 1; s <= Uczniow(a); ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        WierszArkusza w;
        Nazwy(w, u.Nazwisko, u.Imie, fn);
        w.insert(w.end(), {K::Godzina(MilisekundyGodziny(u.Start) / 1000),
                           K::Godzina(MilisekundyGodziny(u.Koniec) / 1000),
                           K::CzasTrwania(SekundyCzasu(CzasPracy(u)))});
        l.Wiersze.push_back(std::move(w));
    }
    l.Ponizej.push_back({K::Napis(QStringLiteral("Średnia")), K::Pusta(), K::Pusta(), K::Pusta(),
                         K::CzasTrwania(SekundyCzasu(ObliczSredniCzasPracy(a)))});
    return l;
}

ListaArkusza Oceny(const Analiza& a) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::Oceny);
    l.Naglowek = {K::Napis(QStringLiteral("Ocena")), K::Napis(QStringLiteral("Ocena (cyfra)")),
                  K::Napis(QStringLiteral("Ilość ocen"))};
    for (int g = 1; g <= LiczbaStopni; ++g)
        l.Wiersze.push_back(
            {K::Napis(SkrotOceny(g)), K::Liczba(WartoscOceny(g)), K::Liczba(a.Test.LiczbaOcen[g])});
    l.Ponizej.push_back(
        {K::Napis(QStringLiteral("Średnia z ocen")), K::Pusta(), K::Liczba(a.Test.SredniaOcen)});
    l.Ponizej.push_back(
        {K::Napis(QStringLiteral("Ocena klasy")), K::Pusta(), K::Napis(a.Test.OcenaKlasy)});
    return l;
}

ListaArkusza Klasa(const Analiza& a) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::Klasa);
    l.Naglowek = {K::Napis(QStringLiteral("Statystyka")), K::Napis(QStringLiteral("Wartość"))};
    const StatystykaOpisowa s = ObliczStatystykeOpisowa(a);
    const auto wiersz = [&l](const char* etykieta, const K& wartosc) {
        l.Wiersze.push_back({K::Napis(QString::fromUtf8(etykieta)), wartosc});
    };
    wiersz("Liczba uczniów", K::Liczba(Uczniow(a)));
    wiersz("Liczba pytań", K::Liczba(Pytan(a)));
    wiersz("Wynik minimalny", K::Liczba(s.WynikMinimalny));
    wiersz("Wynik maksymalny", K::Liczba(s.WynikMaksymalny));
    wiersz("Rozstęp wyników", K::Liczba(s.WynikMaksymalny - s.WynikMinimalny));
    wiersz("Średnia", K::Liczba(s.SredniaPunktow));
    wiersz("Mediana", K::Liczba(s.Mediana));
    wiersz("Modalna", K::Liczba(s.Modalna));
    wiersz("Odchylenie standardowe", K::Liczba(s.OdchylenieStandardowe));
    wiersz("Łatwość zestawu zadań", K::Liczba(s.LatwoscTestu));
    wiersz("Kategoria łatwości", K::Napis(s.KategoriaTestu));
    wiersz("Procent klasy", K::Procent(a.Test.ProcentKlasy));
    wiersz("Ocena klasy", K::Napis(a.Test.OcenaKlasy));
    return l;
}

ListaArkusza DoDziennika(const Analiza& a) {
    ListaArkusza l;
    l.Nazwa = NazwaListy(RodzajListy::DoDziennika);
    l.ZamrozoneKolumny = 2;
    for (const char* t : {"Nazwisko", "Imię", "Ocena (cyfra)", "Ocena", "Punkty", "Procent"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    std::vector<int> kolejnosc(static_cast<std::size_t>(Uczniow(a)));
    std::iota(kolejnosc.begin(), kolejnosc.end(), 1);
    QCollator porzadek{QLocale()};
    porzadek.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(kolejnosc.begin(), kolejnosc.end(), [&](int x, int y) {
        const OdpowiedzBig& p = a.Uczniowie[x];
        const OdpowiedzBig& q = a.Uczniowie[y];
        const int nazwisko = porzadek.compare(p.Nazwisko, q.Nazwisko);
        return nazwisko != 0 ? nazwisko < 0 : porzadek.compare(p.Imie, q.Imie) < 0;
    });
    for (const int s : kolejnosc) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        l.Wiersze.push_back({K::Napis(u.Nazwisko), K::Napis(u.Imie), K::Liczba(CyfraOceny(u.Ocena)),
                             K::Napis(u.Ocena), K::Liczba(u.Poprawnych), K::Procent(u.Procent)});
    }
    return l;
}

} // namespace

QString NazwaListy(RodzajListy rodzaj) {
    switch (rodzaj) {
    case RodzajListy::Wyniki:
        return QStringLiteral("Wyniki");
    case RodzajListy::Pytania:
        return QStringLiteral("Pytania");
    case RodzajListy::CzasPracy:
        return QStringLiteral("Czas pracy");
    case RodzajListy::Oceny:
        return QStringLiteral("Oceny");
    case RodzajListy::Klasa:
        return QStringLiteral("Klasa");
    case RodzajListy::DoDziennika:
        return QStringLiteral("Do dziennika");
    }
    return {};
}

ListaArkusza ListaAnalizy(Analiza& a, RodzajListy rodzaj, bool najpierwImie) {
    switch (rodzaj) {
    case RodzajListy::Wyniki:
        return Wyniki(a, najpierwImie);
    case RodzajListy::Pytania:
        return Pytania(a);
    case RodzajListy::CzasPracy:
        return CzasPracyUczniow(a, najpierwImie);
    case RodzajListy::Oceny:
        return Oceny(a);
    case RodzajListy::Klasa:
        return Klasa(a);
    case RodzajListy::DoDziennika:
        return DoDziennika(a);
    }
    return {};
}

std::vector<ListaArkusza> ListyAnalizy(Analiza& a, bool najpierwImie) {
    std::vector<ListaArkusza> listy;
    for (const RodzajListy r : {RodzajListy::Wyniki, RodzajListy::Pytania, RodzajListy::CzasPracy,
                                RodzajListy::Oceny, RodzajListy::Klasa, RodzajListy::DoDziennika}) {
        if (r == RodzajListy::Pytania && a.RodzajAnalizy != AnalizaZTestem) continue;
        listy.push_back(ListaAnalizy(a, r, najpierwImie));
    }
    return listy;
}

QString NazwaPlikuArkusza(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral(".xlsx");
}

} // namespace sondrel
