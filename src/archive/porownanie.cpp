// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/porownanie.h"

#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "core/analiza.h"

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

// Whether the records fit the test: a key and ticked options for every question.
bool Spojna(const AnalizaArchiwalna& a) {
    const auto pytan = static_cast<std::size_t>(a.Test.IloscPytan);
    if (a.Test.IloscPytan < 1 || a.Test.Klucz.size() != pytan) return false;
    for (const UczenArchiwalny& u : a.Uczniowie)
        if (u.Klucz.size() != pytan || u.Zaznaczone.size() != pytan) return false;
    return true;
}

} // namespace

ZestawienieKlas PorownajKlasy(const std::vector<AnalizaArchiwalna>& analizy) {
    ZestawienieKlas z;
    if (analizy.empty()) {
        z.Blad = QStringLiteral("Nie wybrano żadnej analizy do porównania.");
        return z;
    }
    const AnalizaArchiwalna& pierwsza = analizy.front();
    const QString odcisk = pierwsza.Odcisk.isEmpty() ? OdciskTestu(pierwsza.Test) : pierwsza.Odcisk;
    for (const AnalizaArchiwalna& a : analizy) {
        const QString inny = a.Odcisk.isEmpty() ? OdciskTestu(a.Test) : a.Odcisk;
        if (inny != odcisk) {
            z.Blad = QStringLiteral("Analizy %1 i %2 dotyczą różnych testów (albo różnych wersji "
                                    "testu \"%3\"): nie można ich porównać.")
                         .arg(pierwsza.Id)
                         .arg(a.Id)
                         .arg(pierwsza.Test.Nazwa);
            return z;
        }
        if (a.Uczniowie.empty() || !Spojna(a)) {
            z.Blad = QStringLiteral("Analiza %1 nie obejmuje żadnego ucznia albo jej zapis nie "
                                    "zgadza się z testem: nie można jej porównać.")
                         .arg(a.Id);
            return z;
        }
    }
    z.Test = pierwsza.Test;
    z.Odcisk = odcisk;

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

    // Facility in a class c/n against the pooled C/N: marked when |c/n - C/N| >= 1/5, that is
    // 5 |c N - C n| >= n N, in whole numbers.
    const qint64 N = z.Razem.IloscUczniow;
    for (FiguryKlasy& f : z.Klasy) {
        const qint64 n = f.IloscUczniow;
        for (std::size_t q = 0; q < f.Pytania.size(); ++q) {
            const qint64 roznica =
                qint64{f.Pytania[q].Poprawnych} * N - qint64{z.Razem.Pytania[q].Poprawnych} * n;
            if (5 * roznica >= n * N)
                f.Pytania[q].Uwaga = UwagaLatwiejsze;
            else if (-5 * roznica >= n * N)
                f.Pytania[q].Uwaga = UwagaTrudniejsze;
        }
    }
    return z;
}

} // namespace sondrel
