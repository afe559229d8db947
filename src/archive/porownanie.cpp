// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/porownanie.h"

#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "core/analiza.h"
#include "core/lokalizacja.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace sondrel {

namespace {

// The students of one or more classes as the analysis modules take them.
struct DaneKlasy {
    OdpowiedziKlasy odpowiedzi;
    std::vector<qint32> punkty;
    std::vector<int> stopnie;

    void Dodaj(const AnalizaArchiwalna& a) {
        for (const UczenArchiwalny& u : a.Uczniowie) {
            odpowiedzi.Klucz.insert(odpowiedzi.Klucz.end(), u.Klucz.begin(), u.Klucz.end());
            odpowiedzi.Zaznaczone.insert(odpowiedzi.Zaznaczone.end(), u.Zaznaczone.begin(),
                                         u.Zaznaczone.end());
            punkty.push_back(u.Poprawnych);
            stopnie.push_back(StopienOceny(u.Ocena));
        }
        odpowiedzi.IloscUczniow += static_cast<int>(a.Uczniowie.size());
    }
};

FiguryKlasy Policz(const DaneKlasy& d, const TestArchiwalny& test) {
    FiguryKlasy f;
    f.IloscUczniow = d.odpowiedzi.IloscUczniow;
    const StatystykaOpisowa st = ObliczStatystykeOpisowa(d.punkty, test.IloscPytan);
    f.Srednia = st.SredniaPunktow;
    f.Mediana = st.Mediana;
    f.Odchylenie = st.OdchylenieStandardowe;

    OTescie progi;
    progi.IloscPytan = test.IloscPytan;
    progi.ProgCel = test.ProgCel;
    progi.ProgBdb = test.ProgBdb;
    progi.ProgDb = test.ProgDb;
    progi.ProgDst = test.ProgDst;
    progi.ProgDp = test.ProgDp;
    PodsumujKlase(progi, d.punkty, d.stopnie);
    f.ProcentKlasy = progi.ProcentKlasy;
    f.LiczbaOcen = progi.LiczbaOcen;
    f.OcenaKlasy = progi.OcenaKlasy;

    const JakoscTestu jakosc = ObliczJakoscPytan(d.odpowiedzi);
    if (jakosc.KR20) {
        f.KR20 = jakosc.KR20->Wartosc;
        f.KR20Setne = jakosc.KR20->Setne;
    }
    f.Pytania.reserve(jakosc.Pytania.size());
    for (const JakoscPytania& p : jakosc.Pytania) {
        PytanieKlasy q;
        q.Nr = p.Nr;
        q.Poprawnych = p.Poprawnych;
        q.ProcentPoprawnych = ProcentZaokraglony(p.Poprawnych, f.IloscUczniow);
        q.Latwosc = p.Latwosc.Wartosc;
        if (p.MocRoznicujaca) q.MocRoznicujaca = p.MocRoznicujaca->Wartosc;
        f.Pytania.push_back(q);
    }
    return f;
}

// log(k!) for k = 0..n, summed once for many tests of tables of at most n.
class LogSilnie {
public:
    explicit LogSilnie(qint64 n) : w(static_cast<std::size_t>(std::max<qint64>(n, 0)) + 1) {
        for (std::size_t k = 2; k < w.size(); ++k)
            w[k] = w[k - 1] + std::log(static_cast<double>(k));
    }
    double operator()(qint64 k) const { return w[static_cast<std::size_t>(k)]; }

private:
    std::vector<double> w;
};

double Fisher(const LogSilnie& ls, qint64 a, qint64 b, qint64 c, qint64 d) {
    if (a < 0 || b < 0 || c < 0 || d < 0) return 1;
    const qint64 r1 = a + b, r2 = c + d, k1 = a + c, k2 = b + d, n = r1 + r2;
    if (r1 == 0 || r2 == 0 || k1 == 0 || k2 == 0) return 1;
    // log P(x): x correct in the first row, margins fixed (hypergeometric)
    const double staly = ls(r1) + ls(r2) + ls(k1) + ls(k2) - ls(n);
    const auto logP = [&](qint64 x) {
        return staly - ls(x) - ls(r1 - x) - ls(k1 - x) - ls(r2 - k1 + x);
    };
    const double granica = logP(a) + std::log1p(1e-7);
    double p = 0;
    for (qint64 x = std::max<qint64>(0, k1 - r2); x <= std::min(r1, k1); ++x) {
        const double l = logP(x);
        if (l <= granica) p += std::exp(l);
    }
    return std::min(p, 1.0);
}

// Whether the records fit the test: a key and ticked options for every question.
bool Spojna(const AnalizaArchiwalna& a) {
    const auto pytan = static_cast<std::size_t>(a.Test.IloscPytan);
    if (a.Test.IloscPytan < 1 || a.Test.Klucz.size() != pytan) return false;
    for (const UczenArchiwalny& u : a.Uczniowie)
        if (u.Klucz.size() != pytan || u.Zaznaczone.size() != pytan) return false;
    return true;
}

// A class as a message names it: its label and date, not the archive's internal number.
QString KlasaWKomunikacie(const AnalizaArchiwalna& a) {
    return OpisKlasy(a.Klasa) + QStringLiteral(" (") + TekstDatyKrotkiej(a.DataNapisania) +
           QStringLiteral(")");
}

// The labels the report shows: a label shared by several classes gets the date, a date
// shared too the place among them.
void NadajEtykiety(std::vector<FiguryKlasy>& klasy) {
    const auto opis = [](const FiguryKlasy& f) { return OpisKlasy(f.Klasa); };
    for (FiguryKlasy& f : klasy) {
        int tenSamOpis = 0, tenSamDzien = 0, miejsce = 0;
        for (const FiguryKlasy& g : klasy) {
            if (opis(g) != opis(f)) continue;
            ++tenSamOpis;
            if (g.DataNapisania != f.DataNapisania) continue;
            ++tenSamDzien;
            if (&g == &f) miejsce = tenSamDzien;
        }
        f.Etykieta = opis(f);
        if (tenSamOpis > 1)
            f.Etykieta += QStringLiteral(" (") + TekstDatyKrotkiej(f.DataNapisania) +
                          (tenSamDzien > 1 ? QStringLiteral(", %1.").arg(miejsce) : QString()) +
                          QStringLiteral(")");
    }
}

} // namespace

QString OpisKlasy(const QString& klasa) {
    return klasa.isEmpty() ? QStringLiteral("(bez opisu)") : klasa;
}

double FisherDwustronny(qint64 a, qint64 b, qint64 c, qint64 d) {
    if (a < 0 || b < 0 || c < 0 || d < 0) return 1;
    return Fisher(LogSilnie(a + b + c + d), a, b, c, d);
}

ZestawienieKlas PorownajKlasy(const std::vector<AnalizaArchiwalna>& wybrane) {
    ZestawienieKlas z;
    // One class once, however many times it was given.
    std::vector<std::reference_wrapper<const AnalizaArchiwalna>> analizy;
    std::set<qint64> ida;
    for (const AnalizaArchiwalna& a : wybrane)
        if (a.Id == 0 || ida.insert(a.Id).second) analizy.push_back(std::cref(a));
    if (analizy.empty()) {
        z.Blad = QStringLiteral("Nie wybrano żadnej analizy do porównania.");
        return z;
    }
    const AnalizaArchiwalna& pierwsza = analizy.front().get();
    const QString odcisk = pierwsza.Odcisk.isEmpty() ? OdciskTestu(pierwsza.Test) : pierwsza.Odcisk;
    for (const AnalizaArchiwalna& a : analizy) {
        const QString inny = a.Odcisk.isEmpty() ? OdciskTestu(a.Test) : a.Odcisk;
        if (inny != odcisk) {
            z.Blad =
                QStringLiteral("Analizy klas %1 i %2 dotyczą różnych testów (albo różnych "
                               "wersji testu \"%3\"): nie można ich porównać.")
                    .arg(KlasaWKomunikacie(pierwsza), KlasaWKomunikacie(a), pierwsza.Test.Nazwa);
            return z;
        }
        if (a.Uczniowie.empty() || !Spojna(a)) {
            z.Blad = QStringLiteral("Analiza klasy %1 nie obejmuje żadnego ucznia albo jej zapis "
                                    "nie zgadza się z testem: nie można jej porównać.")
                         .arg(KlasaWKomunikacie(a));
            return z;
        }
    }
    z.Test = pierwsza.Test;
    z.Odcisk = odcisk;
    for (const AnalizaArchiwalna& a : analizy)
        if (a.Pytania.size() == static_cast<std::size_t>(a.Test.IloscPytan)) {
            for (const TrescPytania& p : a.Pytania)
                z.Tresci.push_back(p.Tresc);
            break;
        }

    const TestArchiwalny& test = pierwsza.Test;
    DaneKlasy razem;
    razem.odpowiedzi.IloscPytan = test.IloscPytan;
    razem.odpowiedzi.IloscOdpowiedzi = test.IloscOdpowiedzi;
    z.Klasy.reserve(analizy.size());
    for (const AnalizaArchiwalna& a : analizy) {
        DaneKlasy klasa;
        klasa.odpowiedzi.IloscPytan = test.IloscPytan;
        klasa.odpowiedzi.IloscOdpowiedzi = test.IloscOdpowiedzi;
        klasa.Dodaj(a);
        razem.Dodaj(a);
        // Each class is graded by its own thresholds.
        FiguryKlasy f = Policz(klasa, a.Test);
        f.Id = a.Id;
        f.Klasa = a.Klasa;
        f.DataNapisania = a.DataNapisania;
        z.Klasy.push_back(std::move(f));
    }
    z.Razem = Policz(razem, test);
    NadajEtykiety(z.Klasy);
    if (z.Klasy.size() < 2) return z;

    // Facility in a class c/n against the pooled C/N: a large difference when
    // |c/n - C/N| >= 1/5, that is 5 |c N - C n| >= n N, in whole numbers; marked when it is
    // also beyond chance: the class against the other classes, c / n - c against C - c /
    // (N - n) - (C - c), by Fisher's exact test.
    const qint64 N = z.Razem.IloscUczniow;
    const LogSilnie logSilnie(N);
    for (FiguryKlasy& f : z.Klasy) {
        const qint64 n = f.IloscUczniow;
        for (std::size_t q = 0; q < f.Pytania.size(); ++q) {
            PytanieKlasy& p = f.Pytania[q];
            const qint64 c = p.Poprawnych, C = z.Razem.Pytania[q].Poprawnych;
            p.Istotnosc = Fisher(logSilnie, c, n - c, C - c, (N - n) - (C - c));
            if (*p.Istotnosc >= ProgIstotnosci) continue;
            const qint64 roznica = c * N - C * n;
            if (5 * roznica >= n * N)
                p.Uwaga = UwagaLatwiejsze;
            else if (-5 * roznica >= n * N)
                p.Uwaga = UwagaTrudniejsze;
        }
    }
    return z;
}

} // namespace sondrel
