// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pliki_testowe.h"

namespace sondrel::testy {

namespace {

bool TaSamaSciezka(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Applies the changes (a known path keeps its place, an unknown one goes to the end) and
// leaves out the omitted elements with everything under them.
QList<WartoscXml> Popraw(QList<WartoscXml> wartosci, const QList<WartoscXml>& zmiany,
                         const QStringList& pominiete) {
    for (const WartoscXml& z : zmiany) {
        bool jest = false;
        for (WartoscXml& w : wartosci)
            if (TaSamaSciezka(w.sciezka, z.sciezka)) {
                w.wartosc = z.wartosc;
                jest = true;
            }
        if (!jest) wartosci.append(z);
    }
    QList<WartoscXml> wynik;
    for (const WartoscXml& w : wartosci) {
        bool pominiety = false;
        for (const QString& p : pominiete)
            pominiety = pominiety || TaSamaSciezka(w.sciezka, p) ||
                        w.sciezka.startsWith(p + u'/', Qt::CaseInsensitive);
        if (!pominiety) wynik.append(w);
    }
    return wynik;
}

// The document member first, then the extra members; an extra member of the document's name
// takes the document's place.
QList<CzlonPak> ZDokumentem(const CzlonPak& dokument, const QList<CzlonPak>& czlony) {
    QList<CzlonPak> wynik{dokument};
    for (const CzlonPak& c : czlony) {
        if (c.nazwa.compare(dokument.nazwa, Qt::CaseInsensitive) == 0)
            wynik[0] = c;
        else
            wynik.append(c);
    }
    return wynik;
}

OpcjeXml Opcje(KodowanieXml kodowanie, bool utf16) {
    OpcjeXml o;
    o.kodowanie = kodowanie;
    o.utf16 = utf16;
    return o;
}

QString Liczba(int n) {
    return QString::number(n);
}

} // namespace

// ---- Answer files -------------------------------------------------------------------------

QList<WartoscXml> WartosciOdpowiedzi(const PlikOdpowiedzi& p) {
    QList<WartoscXml> w = {
        {"odp/ilp", Liczba(p.iloscPytan.value_or(static_cast<int>(p.pytania.size())))},
        {"odp/ilo", Liczba(p.iloscOdpowiedzi)},
        {"odp/typ", Liczba(p.typ)},
        {"odp/nmt", p.nazwaTestu},
        {"odp/name", p.autor},
        {"odp/tim", Liczba(p.czas)},
        {"odp/ver", p.wersja},
    };
    if (p.skala)
        w << WartoscXml{"odp/skl/tkk", Liczba(p.tkk)} << WartoscXml{"odp/skl/cel", Liczba(p.cel)}
          << WartoscXml{"odp/skl/bdb", Liczba(p.bdb)} << WartoscXml{"odp/skl/db", Liczba(p.db)}
          << WartoscXml{"odp/skl/dst", Liczba(p.dst)} << WartoscXml{"odp/skl/dp", Liczba(p.dp)};
    w << WartoscXml{"odp/nzu", p.nazwisko} << WartoscXml{"odp/imu", p.imie}
      << WartoscXml{"odp/dts", p.start} << WartoscXml{"odp/dtk", p.koniec}
      << WartoscXml{"odp/dtz", p.zapis} << WartoscXml{"odp/zwm", p.zwm};
    for (qsizetype q = 0; q < p.pytania.size(); ++q) {
        const QString pyt = QStringLiteral("odp/pyt%1/").arg(q + 1);
        w << WartoscXml{pyt + "nrw", p.pytania[q].wybor}
          << WartoscXml{pyt + "nrp", p.pytania[q].klucz};
    }
    return Popraw(w, p.zmiany, p.pominiete);
}

QByteArray DokumentOdpowiedzi(const PlikOdpowiedzi& p) {
    return DokumentXml(WartosciOdpowiedzi(p), Opcje(p.kodowanie, p.utf16));
}

QList<CzlonPak> CzlonyOdpowiedzi(const PlikOdpowiedzi& p) {
    // An answer file of the older version: a text document the program never reads.
    const CzlonPak dokument =
        p.staraWersja ? Czlon(QStringLiteral("Selo0.txp"),
                              TekstTxp({QStringLiteral("35"), p.nazwaTestu, p.nazwisko, p.imie},
                                       TabelaTxp::Lista))
                      : Czlon(QStringLiteral("Selo0.xml"), DokumentOdpowiedzi(p));
    return ZDokumentem(dokument, p.czlony);
}

QByteArray ZbudujPlikOdpowiedzi(const PlikOdpowiedzi& p) {
    return ZbudujPak(CzlonyOdpowiedzi(p));
}

bool ZapiszPlikOdpowiedzi(const QString& sciezka, const PlikOdpowiedzi& p) {
    return ZapiszPak(sciezka, CzlonyOdpowiedzi(p));
}

// ---- Test files ---------------------------------------------------------------------------

QList<WartoscXml> WartosciTestu40(const PlikTestu& p) {
    QList<WartoscXml> w = {
        {"tst/typ", Liczba(p.typ)},
        {"tst/ilp", Liczba(p.iloscPytan.value_or(static_cast<int>(p.pytania.size())))},
        {"tst/nmt", p.nazwaTestu},
        {"tst/ilo", Liczba(p.iloscOdpowiedzi)},
    };
    for (qsizetype n = 0; n < p.pytania.size(); ++n) {
        const PytanieTestu& q = p.pytania[n];
        const QString pyt = QStringLiteral("tst/pyt%1/").arg(n + 1);
        w << WartoscXml{pyt + "tr", q.tresc};
        for (int k = 0; k < 5; ++k)
            w << WartoscXml{pyt + QStringLiteral("od%1").arg(k + 1), q.odpowiedzi.value(k)};
        w << WartoscXml{pyt + "odp", q.klucz} << WartoscXml{pyt + "plr", q.tekst}
          << WartoscXml{pyt + "plimg", q.obraz} << WartoscXml{pyt + "kom", q.komentarz};
    }
    w << WartoscXml{"tst/dtu", p.dataUtworzenia} << WartoscXml{"tst/uwg", p.uwagi};
    return Popraw(w, p.zmiany, p.pominiete);
}

QStringList WierszeTestu35(const PlikTestu& p) {
    if (p.wiersze35) return *p.wiersze35;
    TestTxp t;
    t.typ = p.typ;
    t.iloscPytan = p.iloscPytan.value_or(static_cast<int>(p.pytania.size()));
    t.nazwa = p.nazwaTestu;
    t.iloscOdpowiedzi = p.iloscOdpowiedzi;
    for (const PytanieTestu& q : p.pytania)
        t.pytania.append({q.tresc, q.odpowiedzi.mid(0, 4), q.klucz, q.tekst, q.obraz, q.komentarz});
    return WierszeTestuTxp(t);
}

CzlonPak DokumentTestu(const PlikTestu& p) {
    if (p.wersja == Wersja::Txp35)
        return Czlon(QStringLiteral("Serr0.txp"), TekstTxp(WierszeTestu35(p), TabelaTxp::Test));
    return Czlon(QStringLiteral("Serr0.xml"),
                 DokumentXml(WartosciTestu40(p), Opcje(p.kodowanie, p.utf16)));
}

QList<CzlonPak> CzlonyTestu(const PlikTestu& p) {
    return ZDokumentem(DokumentTestu(p), p.czlony);
}

QByteArray ZbudujPlikTestu(const PlikTestu& p) {
    return ZbudujPak(CzlonyTestu(p));
}

bool ZapiszPlikTestu(const QString& sciezka, const PlikTestu& p) {
    return ZapiszPak(sciezka, CzlonyTestu(p));
}

// ---- Test lists ---------------------------------------------------------------------------

QString WierszWpisu(const WpisListy& w) {
    const QStringList pola = {Liczba(w.id),
                              Liczba(w.poziom),
                              Liczba(w.potomkow),
                              Liczba(w.rodzic),
                              Liczba(w.widoczny),
                              Liczba(w.stan),
                              w.opis,
                              w.plik};
    QString wiersz;
    for (const QString& p : pola)
        wiersz += p + u'*';
    return wiersz;
}

QStringList WierszeWpisow(const QList<WpisListy>& wpisy) {
    QStringList wiersze;
    for (const WpisListy& w : wpisy)
        wiersze.append(WierszWpisu(w));
    return wiersze;
}

namespace {

int DodajWezly(const QList<WezelListy>& wezly, int poziom, int rodzic, QList<WpisListy>& wpisy) {
    int dodanych = 0;
    for (const WezelListy& w : wezly) {
        const qsizetype indeks = wpisy.size();
        const int id = static_cast<int>(indeks) + 1;
        wpisy.append({.id = id,
                      .poziom = poziom,
                      .potomkow = 0,
                      .rodzic = rodzic,
                      .widoczny = poziom == 0 ? 1 : 0,
                      .stan = 0,
                      .opis = w.opis,
                      .plik = w.plik});
        const int potomkow = DodajWezly(w.dzieci, poziom + 1, id, wpisy);
        wpisy[indeks].potomkow = potomkow;
        dodanych += 1 + potomkow;
    }
    return dodanych;
}

} // namespace

QList<WpisListy> WpisyDrzewa(const QList<WezelListy>& drzewo) {
    QList<WpisListy> wpisy;
    DodajWezly(drzewo, 0, 0, wpisy);
    return wpisy;
}

QList<WartoscXml> WartosciListy40(const PlikListy& p) {
    QList<WartoscXml> w = {
        {"lst/ilw", Liczba(p.ilw.value_or(static_cast<int>(p.wpisy.size())))},
        {"lst/name", p.nazwa},
        {"lst/dtu", p.data},
        {"lst/uwg", p.uwagi},
    };
    for (qsizetype i = 0; i < p.wpisy.size(); ++i)
        w << WartoscXml{QStringLiteral("lst/dx%1").arg(i), p.wpisy[i]};
    return Popraw(w, p.zmiany, p.pominiete);
}

CzlonPak DokumentListy(const PlikListy& p) {
    if (p.wersja == Wersja::Txp35)
        return Czlon(QStringLiteral("Selt0.txp"),
                     TekstTxp(WierszeListyTxp(p.wpisy), TabelaTxp::Lista));
    return Czlon(QStringLiteral("Selt0.xml"),
                 DokumentXml(WartosciListy40(p), Opcje(p.kodowanie, p.utf16)));
}

QList<CzlonPak> CzlonyListy(const PlikListy& p) {
    return ZDokumentem(DokumentListy(p), p.czlony);
}

QByteArray ZbudujPlikListy(const PlikListy& p) {
    return ZbudujPak(CzlonyListy(p));
}

bool ZapiszPlikListy(const QString& sciezka, const PlikListy& p) {
    return ZapiszPak(sciezka, CzlonyListy(p));
}

} // namespace sondrel::testy
