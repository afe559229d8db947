// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze/listy_archiwum.h"

#include "analysis/ocenianie.h"
#include "archive/raport_historii.h"
#include "arkusze/skoroszyt.h"
#include "reports/raport.h"

namespace sondrel {

namespace {

using K = KomorkaArkusza;

// The pooled class's label in both sheets.
const QString Razem = QStringLiteral("Razem");

WierszArkusza WierszKlasy(const FiguryKlasy& f, bool razem) {
    WierszArkusza w{razem ? K::Pusta() : K::Liczba(static_cast<double>(f.Id)),
                    K::Napis(razem ? Razem : f.Klasa),
                    razem ? K::Pusta() : K::Data(f.DataNapisania),
                    K::Liczba(f.IloscUczniow),
                    K::Liczba(f.Srednia),
                    K::Liczba(f.Mediana),
                    K::Liczba(f.Odchylenie),
                    K::Procent(f.ProcentKlasy)};
    for (int g = 1; g <= LiczbaStopni; ++g)
        w.push_back(K::Liczba(f.LiczbaOcen[g]));
    w.push_back(K::Napis(f.OcenaKlasy));
    w.push_back(f.KR20 && f.KR20Setne ? K::DwaMiejsca(*f.KR20, *f.KR20Setne) : K::Pusta());
    return w;
}

ListaArkusza Porownanie(const ZestawienieKlas& z) {
    ListaArkusza l;
    l.Nazwa = QStringLiteral("Porównanie");
    l.ZamrozoneKolumny = 2;
    for (const char* t : {"Nr analizy", "Klasa", "Data napisania", "Liczba uczniów", "Średnia",
                          "Mediana", "Odchylenie standardowe", "Procent klasy"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    for (int g = 1; g <= LiczbaStopni; ++g)
        l.Naglowek.push_back(K::Napis(SkrotOceny(g)));
    l.Naglowek.push_back(K::Napis(QStringLiteral("Ocena klasy")));
    l.Naglowek.push_back(K::Napis(QStringLiteral("KR-20")));
    for (const FiguryKlasy& f : z.Klasy)
        l.Wiersze.push_back(WierszKlasy(f, false));
    l.Ponizej.push_back(WierszKlasy(z.Razem, true));
    return l;
}

const PytanieKlasy* PytanieNr(const FiguryKlasy& f, int nr) {
    for (const PytanieKlasy& p : f.Pytania)
        if (p.Nr == nr) return &p;
    return nullptr;
}

ListaArkusza PytaniaWKlasach(const ZestawienieKlas& z) {
    ListaArkusza l;
    l.Nazwa = QStringLiteral("Pytania w klasach");
    l.ZamrozoneKolumny = 1;
    l.Naglowek.push_back(K::Napis(QStringLiteral("Nr")));
    for (const FiguryKlasy& f : z.Klasy) {
        l.Naglowek.push_back(K::Napis(f.Klasa + QStringLiteral(" – procent")));
        l.Naglowek.push_back(K::Napis(f.Klasa + QStringLiteral(" – uwaga")));
    }
    l.Naglowek.push_back(K::Napis(Razem + QStringLiteral(" – procent")));
    for (int nr = 1; nr <= z.Test.IloscPytan; ++nr) {
        WierszArkusza w{K::Liczba(nr)};
        for (const FiguryKlasy& f : z.Klasy) {
            const PytanieKlasy* p = PytanieNr(f, nr);
            w.push_back(p ? K::Procent(p->ProcentPoprawnych) : K::Pusta());
            w.push_back(p && !p->Uwaga.isEmpty() ? K::Napis(p->Uwaga) : K::Pusta());
        }
        const PytanieKlasy* p = PytanieNr(z.Razem, nr);
        w.push_back(p ? K::Procent(p->ProcentPoprawnych) : K::Pusta());
        l.Wiersze.push_back(std::move(w));
    }
    return l;
}

} // namespace

std::vector<ListaArkusza> ListyPorownania(const ZestawienieKlas& z) {
    if (!z.Udane()) return {};
    return {Porownanie(z), PytaniaWKlasach(z)};
}

ListaArkusza ListaHistorii(const std::vector<WynikUcznia>& wyniki) {
    ListaArkusza l;
    l.Nazwa = QStringLiteral("Historia ucznia");
    for (const char* t : {"Data", "Test", "Klasa", "Punkty", "Procent", "Ocena"})
        l.Naglowek.push_back(K::Napis(QString::fromUtf8(t)));
    for (const WynikUcznia& w : wyniki)
        l.Wiersze.push_back({K::Data(w.Analiza.DataNapisania), K::Napis(w.Analiza.NazwaTestu),
                             K::Napis(w.Analiza.Klasa), K::Liczba(w.Poprawnych),
                             K::Procent(w.Procent), K::Napis(w.Ocena)});
    return l;
}

WynikRaportu ArkuszPorownania(Archiwum& archiwum, const std::vector<qint64>& idy,
                              const QString& sciezka) {
    WynikRaportu wynik;
    std::vector<AnalizaArchiwalna> analizy;
    for (const qint64 id : idy) {
        auto a = archiwum.Wczytaj(id);
        if (!a) {
            wynik.blad = archiwum.Blad();
            return wynik;
        }
        analizy.push_back(std::move(*a));
    }
    const ZestawienieKlas z = PorownajKlasy(analizy);
    if (!z.Udane()) {
        wynik.blad = z.Blad;
        return wynik;
    }
    return ZapiszArkusz(sciezka, ListyPorownania(z));
}

WynikRaportu ArkuszHistorii(Archiwum& archiwum, const QString& nazwiskoIImie,
                            const QString& sciezka) {
    WynikRaportu wynik;
    const auto historia = WynikiHistorii(archiwum, nazwiskoIImie, wynik.blad);
    if (!historia) return wynik;
    return ZapiszArkusz(sciezka, {ListaHistorii(*historia)});
}

QString NazwaArkuszaPorownania(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_PorownanieKlas.xlsx");
}

QString NazwaArkuszaHistorii(const QString& nazwiskoIImie) {
    return BezpiecznaNazwaPliku(nazwiskoIImie) + QStringLiteral("_HistoriaUcznia.xlsx");
}

} // namespace sondrel
