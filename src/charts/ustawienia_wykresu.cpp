// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/ustawienia_wykresu.h"

#include "charts/stan_wykresu.h"
#include "core/lokalizacja.h"

namespace sondrel {

QColor DoQColor(Kolor k) {
    return QColor(k & 0xFF, (k >> 8) & 0xFF, (k >> 16) & 0xFF);
}

Kolor ZQColor(const QColor& k) {
    return KolorRGB(k.red(), k.green(), k.blue());
}

UstawieniaWykresu UstawieniaDomyslne() {
    UstawieniaWykresu u;
    u.Naglowek.Tekst = QStringLiteral("Oto nagłówek");
    u.Stopka.Widoczny = false;
    u.Stopka.Tekst = QStringLiteral("Oto stopka");
    u.OsPozioma.Opis = QStringLiteral("Oś pozioma");
    u.OsPionowa.Kat = 90;
    return u;
}

void UstawDomyslne(StanWykresu& stan) {
    stan.UstawieniaWykresu = UstawieniaDomyslne();
    stan.DomyslneUstawieniaWykresu = stan.UstawieniaWykresu;
}

StanWykresu::StanWykresu() {
    // The fixed design of the program's chart; the settings never touch it.
    chartengine::Wykres& w = Wykres;
    w.formatLiczby = TekstLiczby;
    w.marginesPrawy = 5;
    w.lewa.stylLinii = Qt::DashLine;
    w.lewa.siatkaMiedzyEtykietami = true;
    w.lewa.dlugoscZnacznika = 3;
    w.dolna.siatkaPomocniczaWKropki = true;
    w.dolna.dlugoscZnacznikaPomocniczego = 4;
    w.legenda.szerokoscKoloru = 15;
    w.widok.obrot = 360;
    w.widok.elewacja = 315;
    w.widok.perspektywa = 0;
    w.widok.zoom = 90;
    chartengine::Seria& slupki = w.serie[0];
    slupki.koloryPunktow = true;
    slupki.znaczniki.dlugoscStrzalki = 20;
    slupki.przesuniecie = 15;
    chartengine::Seria& kolo = w.serie[1];
    kolo.okrag = true;
    kolo.znaczniki.dlugoscStrzalki = 8;
    chartengine::Seria& linia = w.serie[2];
    linia.ciemneBoki3D = false;
    linia.znaczniki.dlugoscStrzalki = 8;
    linia.znaczniki.widoczne = false;
    UstawDomyslne(*this);
}

namespace {

chartengine::Pismo Pismo(const Czcionka& c) {
    chartengine::Pismo p;
    p.rodzina = c.NazwaCzcionki;
    p.rozmiar = c.Rozmiar;
    p.kolor = DoQColor(c.KolorCzcionki);
    p.pogrubione = c.Styl & StylPogrubiony;
    p.kursywa = c.Styl & StylKursywa;
    p.podkreslone = c.Styl & StylPodkreslony;
    p.przekreslone = c.Styl & StylPrzekreslony;
    return p;
}

OpisTekstu& Opis(UstawieniaWykresu& u, CelTekstu cel) {
    return cel == CelTekstu::Naglowek ? u.Naglowek : u.Stopka;
}
chartengine::Napis& Napis(chartengine::Wykres& w, CelTekstu cel) {
    return cel == CelTekstu::Naglowek ? w.tytul : w.stopka;
}
OpisOsi& Opis(UstawieniaWykresu& u, Os os) {
    return os == Os::Pozioma ? u.OsPozioma : u.OsPionowa;
}
chartengine::Os& OsWykresu(chartengine::Wykres& w, Os os) {
    return os == Os::Pozioma ? w.dolna : w.lewa;
}

chartengine::Seria* Biezaca(StanWykresu& s) {
    if (s.BiezacaSeria < 0 || s.BiezacaSeria > 2) return nullptr;
    return &s.Wykres.serie[s.BiezacaSeria];
}

} // namespace

void ZastosujPole(StanWykresu& stan, CelTekstu cel, PoleTekstu pole) {
    const OpisTekstu& o = Opis(stan.UstawieniaWykresu, cel);
    chartengine::Napis& n = Napis(stan.Wykres, cel);
    switch (pole) {
    case PoleTekstu::Widoczny:
        n.widoczny = o.Widoczny;
        break;
    case PoleTekstu::TloDoTekstu:
        n.tloDoTekstu = o.TloDoTekstu;
        break;
    case PoleTekstu::Przezroczysty:
        n.przezroczysty = o.Przezroczysty;
        break;
    case PoleTekstu::Ramka:
        n.ramka = o.Ramka;
        n.pioroRamki = QPen(Qt::black, 1, Qt::SolidLine);
        break;
    case PoleTekstu::Tekst:
        break;
    case PoleTekstu::Wyrownanie:
        if (o.Wyrownanie >= 0 && o.Wyrownanie <= 2)
            n.wyrownanie = chartengine::Wyrownanie(o.Wyrownanie);
        break;
    case PoleTekstu::Czcionka:
        n.pismo = Pismo(o.Czcionka);
        break;
    case PoleTekstu::KolorTla:
        n.tlo = DoQColor(o.KolorTla);
        break;
    }
}

void ZastosujPole(StanWykresu& stan, Os os, PoleOsi pole) {
    const OpisOsi& o = Opis(stan.UstawieniaWykresu, os);
    chartengine::Os& a = OsWykresu(stan.Wykres, os);
    switch (pole) {
    case PoleOsi::Opis:
        a.tytul = o.Opis;
        break;
    case PoleOsi::Kat:
        a.katTytulu = o.Kat;
        break;
    case PoleOsi::KolorOsi:
        a.kolorLinii = DoQColor(o.KolorOsi);
        break;
    case PoleOsi::CzcionkaOpisu:
        a.pismoTytulu = Pismo(o.CzcionkaOpisu);
        break;
    case PoleOsi::CzcionkaEtykiet:
        a.pismoEtykiet = Pismo(o.CzcionkaEtykiet);
        break;
    case PoleOsi::SiatkaWidoczna:
        a.siatka = o.SiatkaWidoczna;
        break;
    case PoleOsi::KolorSiatki:
        a.kolorSiatki = DoQColor(o.KolorSiatki);
        break;
    case PoleOsi::RodzajLinii:
        a.siatkaKropkowana = o.RodzajLinii != 0;
        break;
    case PoleOsi::SciankaPrzezroczysta:
        a.sciankaPrzezroczysta = o.SciankaPrzezroczysta;
        break;
    case PoleOsi::KolorScianki:
        a.kolorScianki = DoQColor(o.KolorScianki);
        break;
    }
}

void ZastosujPole(StanWykresu& stan, Pole pole) {
    const UstawieniaWykresu& u = stan.UstawieniaWykresu;
    chartengine::Wykres& w = stan.Wykres;
    chartengine::Seria& slupki = w.serie[0];
    chartengine::Seria& kolo = w.serie[1];
    chartengine::Seria& linia = w.serie[2];
    chartengine::Seria* biezaca = Biezaca(stan);
    switch (pole) {
    case Pole::LegendaWidoczna:
        w.legenda.widoczna = u.LegendaWidoczna;
        break;
    case Pole::KolorLegendy:
        w.legenda.tlo = DoQColor(u.KolorLegendy);
        break;
    case Pole::KolorCienia:
        w.legenda.cien = DoQColor(u.KolorCienia);
        break;
    case Pole::CzcionkaLegendy:
        w.legenda.pismo = Pismo(u.CzcionkaLegendy);
        break;
    case Pole::DlugoscCienia:
        w.legenda.dlugoscCienia = u.DlugoscCienia;
        break;
    case Pole::PolozenieLegendy:
        w.legenda.polozenie = u.PolozenieLegendy;
        break;
    case Pole::PokazLegende:
        if (u.PokazLegende >= 0 && u.PokazLegende <= 2)
            w.legenda.tekst = chartengine::TekstLegendy(u.PokazLegende);
        break;
    case Pole::ObrazTla:
    case Pole::Rezerwa:
        break;
    case Pole::ObrazWewnatrz:
        w.tla.obrazWewnatrz = u.ObrazWewnatrz;
        break;
    case Pole::ObrazWysrodkowany:
        w.tla.obrazWysrodkowany = u.ObrazWysrodkowany;
        break;
    case Pole::KolorTlaWykresu:
        w.tla.scianaTylna = DoQColor(u.KolorTlaWykresu);
        w.tla.scianaTylnaPrzezroczysta = false;
        break;
    case Pole::KolorTlaZewnetrzny:
        w.tla.panel = DoQColor(u.KolorTlaZewnetrzny);
        break;
    case Pole::KolorObramowania:
        w.tla.obramowanie = DoQColor(u.KolorObramowania);
        break;
    case Pole::Gradient:
        w.tla.gradient = u.Gradient;
        break;
    case Pole::KolorPoczatkowy:
        w.tla.gradientPoczatek = DoQColor(u.KolorPoczatkowy);
        break;
    case Pole::KolorKoncowy:
        w.tla.gradientKoniec = DoQColor(u.KolorKoncowy);
        break;
    case Pole::Wykres3D:
        w.widok.wlaczony = u.Wykres3D;
        break;
    case Pole::Osie3D:
        w.widok.scianki = u.Osie3D;
        break;
    case Pole::Glebokosc3D:
        w.widok.glebokosc = std::clamp(u.Glebokosc3D, 0, 100);
        break;
    case Pole::Ortogonalny:
        w.widok.ortogonalny = !u.Ortogonalny;
        break;
    case Pole::Perspektywa:
        w.widok.perspektywa = u.Perspektywa;
        break;
    case Pole::Elewacja:
        w.widok.elewacja = u.Elewacja;
        break;
    case Pole::Obrot:
        w.widok.obrot = u.Obrot;
        break;
    case Pole::Zoom:
        w.widok.zoom = u.Zoom;
        break;
    case Pole::PokazWartosci:
        if (biezaca) biezaca->znaczniki.widoczne = u.PokazWartosci;
        break;
    case Pole::WartosciPrzezroczyste:
        if (biezaca) biezaca->znaczniki.przezroczyste = u.WartosciPrzezroczyste;
        break;
    case Pole::KolorTlaWartosci:
        if (biezaca) biezaca->znaczniki.tlo = DoQColor(u.KolorTlaWartosci);
        break;
    case Pole::CzcionkaWartosci:
        if (biezaca) biezaca->znaczniki.pismo = Pismo(u.CzcionkaWartosci);
        break;
    case Pole::RodzajWartosci:
        if (biezaca && u.RodzajWartosci >= 0 && u.RodzajWartosci <= 4)
            biezaca->znaczniki.tekst = chartengine::TekstZnacznika(u.RodzajWartosci);
        break;
    case Pole::KsztaltSlupka:
        if (u.KsztaltSlupka >= 0 && u.KsztaltSlupka <= 3)
            slupki.ksztalt = chartengine::KsztaltSlupka(u.KsztaltSlupka);
        break;
    case Pole::KolorTlaKola:
        kolo.tloKola = DoQColor(u.KolorTlaKola);
        break;
    case Pole::WierzcholkiWidoczne:
        linia.wierzcholki = u.WierzcholkiWidoczne;
        break;
    case Pole::KolorWierzcholkow:
        linia.kolorWierzcholkow = DoQColor(u.KolorWierzcholkow);
        break;
    case Pole::KsztaltWierzcholka:
        if (u.KsztaltWierzcholka >= 0 && u.KsztaltWierzcholka <= 3)
            linia.ksztaltWierzcholka = chartengine::KsztaltWierzcholka(u.KsztaltWierzcholka);
        break;
    case Pole::DlugoscWierzcholka:
        linia.szerokoscWierzcholka = u.DlugoscWierzcholka;
        break;
    case Pole::SzerokoscWierzcholka:
        linia.wysokoscWierzcholka = u.SzerokoscWierzcholka;
        break;
    case Pole::Kreskowane:
        kolo.kreskowane = u.Kreskowane;
        break;
    case Pole::Eksplozja:
        kolo.eksplozja = u.Eksplozja;
        break;
    case Pole::ObrotKola:
        kolo.obrotKola = u.ObrotKola;
        break;
    case Pole::WartoscPoczatkowa:
        slupki.poczatek = double(u.WartoscPoczatkowa);
        break;
    case Pole::SzerokoscSlupka:
        slupki.szerokosc = u.SzerokoscSlupka;
        break;
    }
}

void ZastosujNaglowki(StanWykresu& stan) {
    for (CelTekstu cel : {CelTekstu::Naglowek, CelTekstu::Stopka})
        for (PoleTekstu p : {PoleTekstu::Wyrownanie, PoleTekstu::Widoczny,
                             PoleTekstu::Przezroczysty, PoleTekstu::TloDoTekstu,
                             PoleTekstu::Czcionka, PoleTekstu::Ramka, PoleTekstu::KolorTla})
            ZastosujPole(stan, cel, p);
}

void ZastosujUstawienia(StanWykresu& stan) {
    ZastosujNaglowki(stan);
    for (Os os : {Os::Pionowa, Os::Pozioma})
        for (PoleOsi p :
             {PoleOsi::Opis, PoleOsi::Kat, PoleOsi::CzcionkaOpisu, PoleOsi::KolorOsi,
              PoleOsi::SiatkaWidoczna, PoleOsi::RodzajLinii, PoleOsi::KolorSiatki,
              PoleOsi::CzcionkaEtykiet, PoleOsi::KolorScianki, PoleOsi::SciankaPrzezroczysta})
            ZastosujPole(stan, os, p);
    for (Pole p : {Pole::KolorLegendy,     Pole::KolorCienia,        Pole::CzcionkaLegendy,
                   Pole::DlugoscCienia,    Pole::LegendaWidoczna,    Pole::PokazLegende,
                   Pole::PolozenieLegendy, Pole::Gradient,           Pole::KolorPoczatkowy,
                   Pole::KolorKoncowy,     Pole::KolorTlaZewnetrzny, Pole::KolorObramowania,
                   Pole::KolorTlaWykresu,  Pole::ObrazWewnatrz,      Pole::ObrazWysrodkowany,
                   Pole::KsztaltSlupka,    Pole::WartoscPoczatkowa,  Pole::SzerokoscSlupka,
                   Pole::Kreskowane,       Pole::KolorTlaKola,       Pole::Eksplozja,
                   Pole::ObrotKola})
        ZastosujPole(stan, p);
    stan.Wykres.widok.glebokosc = 20;
    for (Pole p : {Pole::KsztaltWierzcholka, Pole::WierzcholkiWidoczne, Pole::KolorWierzcholkow,
                   Pole::DlugoscWierzcholka, Pole::SzerokoscWierzcholka, Pole::PokazWartosci,
                   Pole::WartosciPrzezroczyste, Pole::KolorTlaWartosci, Pole::RodzajWartosci,
                   Pole::CzcionkaWartosci})
        ZastosujPole(stan, p);
}

void UstawTekst(StanWykresu& stan, CelTekstu cel, const QStringList& wiersze) {
    Napis(stan.Wykres, cel).wiersze = wiersze;
}

void UstawOpisOsi(StanWykresu& stan, Os os, const QString& opis) {
    OsWykresu(stan.Wykres, os).tytul = opis;
}

void ZmienTekst(StanWykresu& stan, CelTekstu cel, const QStringList& wiersze) {
    QString tekst;
    for (const QString& w : wiersze)
        tekst += w + QStringLiteral("\r\n");
    Opis(stan.UstawieniaWykresu, cel).Tekst = tekst.left(DlugoscTekstu50);
    UstawTekst(stan, cel, wiersze);
}

QStringList WierszeTekstu(const QString& tekst) {
    QStringList wiersze = tekst.split(QStringLiteral("\r\n"));
    if (wiersze.size() > 1 && wiersze.constLast().isEmpty()) wiersze.removeLast();
    return wiersze;
}

void ZmienOpisOsi(StanWykresu& stan, Os os, const QString& opis) {
    Opis(stan.UstawieniaWykresu, os).Opis = opis.left(DlugoscTekstu50);
    UstawOpisOsi(stan, os, opis);
}

void ZmienRamke(StanWykresu& stan, CelTekstu cel, bool ramka) {
    stan.Wykres.tytul.pioroRamki = QPen(Qt::black, 1, Qt::SolidLine);
    Opis(stan.UstawieniaWykresu, cel).Ramka = ramka;
    ZastosujPole(stan, cel, PoleTekstu::Ramka);
}

void ZmienObrazTla(StanWykresu& stan, bool wstaw, const QImage& obraz) {
    stan.UstawieniaWykresu.ObrazTla = wstaw;
    if (!wstaw)
        UstawObrazTla(stan, QImage());
    else if (!obraz.isNull())
        UstawObrazTla(stan, obraz);
}

QColor KolorLinii(const StanWykresu& stan) {
    return stan.Wykres.serie[2].kolorLinii;
}

void UstawKolorLinii(StanWykresu& stan, const QColor& kolor) {
    stan.Wykres.serie[2].kolorLinii = kolor;
}

void UstawObrazTla(StanWykresu& stan, const QImage& obraz) {
    stan.Wykres.tla.obraz = obraz;
}

int WykresDlaUstawien::RodzajWykresu() {
    return Stan().BiezacyRodzajWykresu;
}
int WykresDlaUstawien::BiezacaSeria() {
    return Stan().BiezacaSeria;
}

void WykresDlaUstawien::Zastosuj(CelTekstu cel, PoleTekstu pole) {
    ZastosujPole(Stan(), cel, pole);
    Odswiez();
}
void WykresDlaUstawien::Zastosuj(Os os, PoleOsi pole) {
    ZastosujPole(Stan(), os, pole);
    Odswiez();
}
void WykresDlaUstawien::Zastosuj(Pole pole) {
    ZastosujPole(Stan(), pole);
    Odswiez();
}
void WykresDlaUstawien::ZmienKolorLinii(const QColor& kolor) {
    UstawKolorLinii(Stan(), kolor);
    Odswiez();
}

} // namespace sondrel
