// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartengine/uklad.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace sondrel::chartengine {

namespace {

constexpr double Odstep = 4; // the gap between the parts of the chart, in pixels

double Pikseli(double punkty) {
    return punkty * 96.0 / 72.0;
}

// Width and height that a block of lines takes.
QSizeF RozmiarWierszy(const QStringList& wiersze, const QFont& czcionka) {
    const QFontMetricsF m(czcionka);
    double szer = 0;
    for (const QString& w : wiersze)
        szer = std::max(szer, m.horizontalAdvance(w));
    return {szer, m.height() * wiersze.size()};
}

// The extent of a text turned by an angle.
QSizeF Obrocony(const QSizeF& r, int kat) {
    const double a = qDegreesToRadians(double(KatWZakresie(kat)));
    return {std::abs(r.width() * std::cos(a)) + std::abs(r.height() * std::sin(a)),
            std::abs(r.width() * std::sin(a)) + std::abs(r.height() * std::cos(a))};
}

double LadnyKrok(double surowy) {
    if (!(surowy > 0) || !std::isfinite(surowy)) return 1;
    const double potega = std::pow(10.0, std::floor(std::log10(surowy)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * potega >= surowy) return m * potega;
    return 10 * potega;
}

// Lines wrapped at spaces to a width; a word wider than that is cut with "…", and so is the
// last line when there are more than `najwiecej`.
QStringList Zawin(const QStringList& wiersze, const QFont& czcionka, double szer, int najwiecej) {
    const QFontMetricsF m(czcionka);
    QStringList wynik;
    for (const QString& wiersz : wiersze) {
        if (m.horizontalAdvance(wiersz) <= szer) {
            wynik << wiersz;
            continue;
        }
        QString biezacy;
        for (const QString& slowo : wiersz.split(u' ', Qt::SkipEmptyParts)) {
            const QString dluzszy = biezacy.isEmpty() ? slowo : biezacy + u' ' + slowo;
            if (biezacy.isEmpty() || m.horizontalAdvance(dluzszy) <= szer) {
                biezacy = dluzszy;
            } else {
                wynik << m.elidedText(biezacy, Qt::ElideRight, szer);
                biezacy = slowo;
            }
        }
        wynik << m.elidedText(biezacy, Qt::ElideRight, szer);
    }
    if (wynik.size() > najwiecej) {
        wynik = wynik.mid(0, najwiecej);
        wynik.last() = m.elidedText(wynik.last() + QStringLiteral(" …"), Qt::ElideRight, szer);
    }
    return wynik;
}

// Title or footer: takes its lines' room from the top or the bottom of the area; lines wider
// than the area are wrapped, and the block takes at most a third of the area's height.
QRectF UlozNapis(const Napis& n, QRectF& obszar, bool naGorze, QStringList& wiersze) {
    if (!n.widoczny || n.wiersze.isEmpty()) return {};
    const QFont czcionka = CzcionkaPisma(n.pismo);
    const double wysWiersza = QFontMetricsF(czcionka).height();
    const int najwiecej = std::max(1, int(std::min(1000.0, obszar.height() / 3 / wysWiersza)));
    wiersze = Zawin(n.wiersze, czcionka, std::max(1.0, obszar.width() - 8), najwiecej);
    const QSizeF r = RozmiarWierszy(wiersze, czcionka);
    const double wys = r.height() + 4;
    QRectF prost(obszar.left(), naGorze ? obszar.top() : obszar.bottom() - wys, obszar.width(),
                 wys);
    if (n.tloDoTekstu) {
        const double szer = std::min(obszar.width(), r.width() + 8);
        double x = obszar.left();
        if (n.wyrownanie == Wyrownanie::DoSrodka) x = obszar.center().x() - szer / 2;
        if (n.wyrownanie == Wyrownanie::DoPrawej) x = obszar.right() - szer;
        prost = QRectF(x, prost.top(), szer, wys);
    }
    if (naGorze)
        obszar.setTop(obszar.top() + wys + Odstep);
    else
        obszar.setBottom(obszar.bottom() - wys - Odstep);
    return prost;
}

struct ZakresDanych {
    double min = 0, max = 1;
};

ZakresDanych Wartosci(const Seria& s) {
    ZakresDanych z{std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest()};
    for (const Punkt& p : s.punkty) {
        z.min = std::min(z.min, p.wartosc);
        z.max = std::max(z.max, p.wartosc);
    }
    if (s.rodzaj == RodzajSerii::Slupki) {
        z.min = std::min(z.min, s.poczatek);
        z.max = std::max(z.max, s.poczatek);
    }
    if (s.punkty.isEmpty() && s.rodzaj != RodzajSerii::Slupki) z = {0, 1};
    if (!(z.max > z.min)) z.max = z.min + 1;
    return z;
}

void UlozKolo(const Wykres& w, const Seria& s, QRectF obszar, Uklad& u) {
    u.kolo = true;
    const bool tylko2D = !w.widok.wlaczony || w.widok.ortogonalny;
    const double nachylenie =
        qDegreesToRadians(double((360 - KatWZakresie(w.widok.elewacja)) % 360));
    u.splaszczenie = tylko2D ? 1.0 : std::clamp(std::cos(nachylenie), 0.2, 1.0);
    const double grub = tylko2D ? 0.0 : w.widok.glebokosc / 100.0 * std::sin(nachylenie);
    // Room for the marks around the circle.
    double zapasX = 0, zapasY = 0;
    if (s.znaczniki.widoczne && !s.punkty.isEmpty()) {
        const QFontMetricsF m(CzcionkaPisma(s.znaczniki.pismo));
        double szer = 0;
        for (int i = 0; i < s.punkty.size(); ++i)
            szer = std::max(szer, m.horizontalAdvance(TekstZnacznika(w, s, i)));
        zapasX = s.znaczniki.dlugoscStrzalki + szer + 6;
        zapasY = s.znaczniki.dlugoscStrzalki + m.height() + 4;
    }
    const double eksplozja = 1 + std::max(0, s.eksplozja) / 100.0;
    const double rx = (obszar.width() / 2 - zapasX) / eksplozja;
    const double ry = (obszar.height() - 2 * zapasY) / (2 * u.splaszczenie * eksplozja + grub);
    double r = std::max(4.0, std::min(rx, ry));
    r *= std::clamp(w.widok.zoom, 1, 1000) / 100.0;
    u.promien = r;
    u.grubosc = grub * r;
    u.srodek = QPointF(obszar.center().x(), obszar.center().y() - u.grubosc / 2);
    u.plot = obszar;
}

} // namespace

int KatWZakresie(int kat) {
    const int k = kat % 360; // never overflows, unlike -kat or 360 - kat
    return k < 0 ? k + 360 : k;
}

QString TekstPominietych(int ile) {
    return QStringLiteral("… i %1 więcej").arg(ile);
}

// The face a family name is painted with. Asking the font database costs about a tenth of a
// millisecond a name (a missing one more), several times a chart: the answers are kept, as
// the program adds no fonts while it runs.
static QString RodzinaMalowana(const QString& rodzina) {
    static QMutex zamek;
    static QHash<QString, QString> znane;
    const QMutexLocker blokada(&zamek);
    const auto it = znane.constFind(rodzina);
    if (it != znane.constEnd()) return *it;
    QString wynik = rodzina;
    if (!QFontDatabase::hasFamily(rodzina))
        for (const char* zastepcza : {"Liberation Sans", "Arial", "DejaVu Sans"})
            if (QFontDatabase::hasFamily(QLatin1String(zastepcza))) {
                wynik = QLatin1String(zastepcza);
                break;
            }
    znane.insert(rodzina, wynik);
    return wynik;
}

QFont CzcionkaPisma(const Pismo& p) {
    QFont f(RodzinaMalowana(p.rodzina));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(Pikseli(std::clamp(p.rozmiar, 1.0, 400.0))))));
    f.setBold(p.pogrubione);
    f.setItalic(p.kursywa);
    f.setUnderline(p.podkreslone);
    f.setStrikeOut(p.przekreslone);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

static double Suma(const Seria& s) {
    double suma = 0;
    for (const Punkt& p : s.punkty)
        suma += std::abs(p.wartosc);
    return suma;
}

static QString Procent(const Wykres& w, const Seria& s, int i) {
    const double suma = Suma(s);
    const double p = suma > 0 ? std::round(std::abs(s.punkty[i].wartosc) / suma * 10000) / 100 : 0;
    return w.formatLiczby(p) + QStringLiteral(" %");
}

QString TekstZnacznika(const Wykres& w, const Seria& s, int i) {
    const Punkt& p = s.punkty[i];
    switch (s.znaczniki.tekst) {
    case TekstZnacznika::Etykieta:
        return p.etykieta;
    case TekstZnacznika::Wartosc:
        return w.formatLiczby(p.wartosc);
    case TekstZnacznika::Procent:
        return Procent(w, s, i);
    case TekstZnacznika::EtykietaIWartosc:
        return p.etykieta + u' ' + w.formatLiczby(p.wartosc);
    case TekstZnacznika::EtykietaIProcent:
        return p.etykieta + u' ' + Procent(w, s, i);
    }
    return {};
}

bool Grupowane(const Wykres& w, const Seria& s) {
    return s.rodzaj == RodzajSerii::Slupki && !w.grupy.isEmpty();
}

int WpisyLegendy(const Wykres& w, const Seria& s) {
    return static_cast<int>(Grupowane(w, s) ? w.grupy.size() : s.punkty.size());
}

QString TekstLegendy(const Wykres& w, const Seria& s, int i) {
    if (Grupowane(w, s)) return w.grupy[i].nazwa;
    const Punkt& p = s.punkty[i];
    switch (w.legenda.tekst) {
    case TekstLegendy::Etykieta:
        return p.etykieta;
    case TekstLegendy::Wartosc:
        return w.formatLiczby(p.wartosc);
    case TekstLegendy::EtykietaIWartosc:
        return p.etykieta; // the value is written right-aligned beside it
    }
    return {};
}

Uklad Rozmiesc(const Wykres& w, const QRectF& calosc) {
    Uklad u;
    u.obszar = calosc;
    QRectF a(calosc.left() + calosc.width() * w.marginesLewy / 100.0,
             calosc.top() + calosc.height() * w.marginesGorny / 100.0,
             calosc.width() * (100 - w.marginesLewy - w.marginesPrawy) / 100.0,
             calosc.height() * (100 - w.marginesGorny - w.marginesDolny) / 100.0);
    u.tytul = UlozNapis(w.tytul, a, true, u.wierszeTytulu);
    u.stopka = UlozNapis(w.stopka, a, false, u.wierszeStopki);

    const Seria* s = w.Aktywna();
    if (w.legenda.widoczna && s && WpisyLegendy(w, *s) > 0) {
        const QFontMetricsF m(CzcionkaPisma(w.legenda.pismo));
        double szer = 0, szerWartosci = 0;
        for (int i = 0; i < WpisyLegendy(w, *s); ++i) {
            szer = std::max(szer, m.horizontalAdvance(TekstLegendy(w, *s, i)));
            if (w.legenda.tekst == TekstLegendy::EtykietaIWartosc && !Grupowane(w, *s))
                szerWartosci = std::max(szerWartosci,
                                        m.horizontalAdvance(w.formatLiczby(s->punkty[i].wartosc)));
        }
        if (szerWartosci > 0) szer += 8 + szerWartosci;
        const double gora =
            std::max(a.top(), calosc.top() + calosc.height() * w.legenda.polozenie / 100.0);
        const double cien = std::max(0, w.legenda.dlugoscCienia);
        u.wysokoscWierszaLegendy = std::max(m.height(), 10.0);
        const double dostepne = a.bottom() - gora - cien - 6;
        const int n = WpisyLegendy(w, *s);
        u.wierszeLegendy =
            int(std::clamp(std::floor(dostepne / u.wysokoscWierszaLegendy), 0.0, double(n)));
        // Not every point fits: the last line says how many are left out.
        if (u.wierszeLegendy > 0 && u.wierszeLegendy < n) {
            u.pominieteWLegendzie = n - (u.wierszeLegendy - 1);
            szer = std::max(szer, m.horizontalAdvance(TekstPominietych(u.pominieteWLegendzie)) -
                                      w.legenda.szerokoscKoloru - 5);
        }
        szer = std::min(szer, a.width() * 0.4);
        const double szerLegendy = w.legenda.szerokoscKoloru + szer + 14;
        if (u.wierszeLegendy > 0) {
            u.legenda = QRectF(a.right() - szerLegendy - cien, gora, szerLegendy,
                               u.wierszeLegendy * u.wysokoscWierszaLegendy + 6);
            a.setRight(u.legenda.left() - 2 * Odstep);
        }
    }
    if (a.width() < 10 || a.height() < 10) {
        u.plot = a;
        return u;
    }
    if (s && s->rodzaj == RodzajSerii::Kolo) {
        UlozKolo(w, *s, a, u);
        return u;
    }

    // Axes charts: bars put the points along the left axis and the values along the bottom
    // one; the line the other way round.
    const Seria& seria = s ? *s : w.serie[0];
    u.poziome = seria.rodzaj == RodzajSerii::Slupki;
    const Os& osPunktow = u.poziome ? w.lewa : w.dolna;
    const Os& osWartosci = u.poziome ? w.dolna : w.lewa;
    const QFontMetricsF mPunktow(CzcionkaPisma(osPunktow.pismoEtykiet));
    const QFontMetricsF mWartosci(CzcionkaPisma(osWartosci.pismoEtykiet));
    const int n = seria.punkty.size();

    double szerEtykiet = 0;
    for (const Punkt& p : seria.punkty)
        szerEtykiet = std::max(szerEtykiet, mPunktow.horizontalAdvance(p.etykieta));
    ZakresDanych dane = Wartosci(seria);
    if (Grupowane(w, seria))
        for (const SeriaGrupy& g : w.grupy)
            for (const double v : g.wartosci) {
                dane.min = std::min(dane.min, v);
                dane.max = std::max(dane.max, v);
            }
    const double szerLiczb = std::max({mWartosci.horizontalAdvance(w.formatLiczby(dane.max)),
                                       mWartosci.horizontalAdvance(w.formatLiczby(dane.min)),
                                       mWartosci.horizontalAdvance(QStringLiteral("00"))});

    auto blokTytulu = [](const Os& os) {
        if (!os.widoczna || os.tytul.isEmpty()) return QSizeF();
        return Obrocony(RozmiarWierszy({os.tytul}, CzcionkaPisma(os.pismoTytulu)), os.katTytulu);
    };
    const QSizeF tytulLewej = blokTytulu(w.lewa);
    const QSizeF tytulDolnej = blokTytulu(w.dolna);

    double lewyBlok = 0, dolnyBlok = 0;
    if (w.lewa.widoczna) {
        const double etykiety = u.poziome ? std::min(szerEtykiet, a.width() * 0.4) : szerLiczb;
        if (u.poziome) u.miejsceEtykiet = etykiety;
        lewyBlok = etykiety + w.lewa.dlugoscZnacznika + 2 * Odstep +
                   (tytulLewej.isEmpty() ? 0 : tytulLewej.width() + Odstep);
    }
    if (w.dolna.widoczna) {
        double etykiety = mWartosci.height();
        if (!u.poziome && n > 0) {
            // Point labels under the line are turned upright when they do not fit side by side.
            const double miejsce = a.width() / n;
            if (szerEtykiet + 6 > miejsce) {
                etykiety = std::min(szerEtykiet, a.height() * 0.35);
                u.etykietyPionowe = true;
            }
            u.miejsceEtykiet = u.etykietyPionowe ? etykiety : miejsce;
        }
        dolnyBlok = etykiety +
                    std::max(w.dolna.dlugoscZnacznika, w.dolna.dlugoscZnacznikaPomocniczego) +
                    Odstep + (tytulDolnej.isEmpty() ? 0 : tytulDolnej.height() + Odstep);
    }
    QRectF plot(a.left() + lewyBlok, a.top(), a.width() - lewyBlok, a.height() - dolnyBlok);
    // Half a label sticks out past the ends of the value axis.
    if (u.poziome)
        plot.setRight(plot.right() - szerLiczb / 2);
    else
        plot.setTop(plot.top() + mWartosci.height() / 2);

    if (w.widok.wlaczony) {
        const double d = w.widok.glebokosc / 100.0 * std::min(plot.width(), plot.height()) * 0.5;
        double kat = 45;
        if (!w.widok.ortogonalny)
            kat += (double(w.widok.obrot) - 360) + (double(w.widok.elewacja) - 315) / 2.0;
        const double ka = qDegreesToRadians(kat);
        u.glebia = QPointF(d * std::cos(ka), -d * std::sin(ka));
        plot.setTop(plot.top() + std::max(0.0, -u.glebia.y()));
        plot.setRight(plot.right() - std::max(0.0, u.glebia.x()));
        plot.setLeft(plot.left() + std::max(0.0, -u.glebia.x()));
        const double z = std::clamp(w.widok.zoom, 1, 1000) / 100.0;
        if (z != 1.0) {
            const QPointF c = plot.center();
            plot = QRectF(c.x() - plot.width() * z / 2, c.y() - plot.height() * z / 2,
                          plot.width() * z, plot.height() * z);
            u.glebia *= z;
        }
    }
    u.srodekTytuluLewej = QPointF(a.left() + tytulLewej.width() / 2, plot.center().y());
    u.srodekTytuluDolnej = QPointF(plot.center().x(), a.bottom() - tytulDolnej.height() / 2);
    if (plot.width() < 4) plot.setWidth(4);
    if (plot.height() < 4) plot.setHeight(4);
    u.plot = plot;

    // Room inside the plot for the marks and the line's markers.
    double zapasWartosci = 0, zapasPunktow = 0;
    if (seria.znaczniki.widoczne && n > 0) {
        const QFontMetricsF m(CzcionkaPisma(seria.znaczniki.pismo));
        if (u.poziome) {
            double szer = 0;
            for (int i = 0; i < n; ++i)
                szer = std::max(szer, m.horizontalAdvance(TekstZnacznika(w, seria, i)));
            zapasWartosci = seria.znaczniki.dlugoscStrzalki + szer + 8;
        } else {
            zapasWartosci = seria.znaczniki.dlugoscStrzalki + m.height() + 4;
        }
    }
    if (seria.rodzaj == RodzajSerii::Linia && seria.wierzcholki) {
        zapasPunktow = std::max(0, seria.szerokoscWierzcholka) + 2.0;
        zapasWartosci = std::max(zapasWartosci, std::max(0, seria.wysokoscWierzcholka) + 2.0);
    }

    double wOd = dane.min, wDo = dane.max;
    double iOd = -0.5, iDo = std::max(0, n - 1) + 0.5;
    if (w.zakres) {
        wOd = w.zakres->wartoscOd;
        wDo = w.zakres->wartoscDo;
        iOd = w.zakres->indeksOd;
        iDo = w.zakres->indeksDo;
    }
    const double dlWartosci = u.poziome ? plot.width() : plot.height();
    // The marks stand beyond the bars' ends: bars that start above their value (a higher
    // "Wartość początkowa") have theirs on the left, so the room goes to that end too.
    const auto wLewo = [&](const Punkt& p) { return p.wartosc < seria.poczatek; };
    const bool zapasNaDole =
        u.poziome && std::any_of(seria.punkty.begin(), seria.punkty.end(), wLewo);
    const bool zapasNaGorze =
        !u.poziome || !std::all_of(seria.punkty.begin(), seria.punkty.end(), wLewo);
    const double zapas = zapasWartosci * (int(zapasNaDole) + int(zapasNaGorze));
    if (!w.zakres && zapas > 0 && zapas < dlWartosci * 0.6) {
        const double naPiksel = (wDo - wOd) / (dlWartosci - zapas);
        if (zapasNaDole) wOd -= zapasWartosci * naPiksel;
        if (zapasNaGorze) wDo += zapasWartosci * naPiksel;
    }
    if (u.poziome) {
        u.wartosci = {wOd, wDo, plot.left(), plot.right()};
        u.indeksy = {iOd, iDo, plot.top(), plot.bottom()};
    } else {
        u.wartosci = {wOd, wDo, plot.bottom(), plot.top()};
        u.indeksy = {iOd, iDo, plot.left() + zapasPunktow / 2, plot.right() - zapasPunktow / 2};
    }

    // Value labels: as many as fit, at round steps.
    const double odstepLabel = u.poziome ? szerLiczb + 12 : mWartosci.height() + 6;
    const double ile = std::max(1.0, dlWartosci / odstepLabel);
    u.krokPodzialki = LadnyKrok((wDo - wOd) / ile);
    if (u.krokPodzialki < 1 &&
        std::all_of(seria.punkty.begin(), seria.punkty.end(),
                    [](const Punkt& p) { return p.wartosc == std::floor(p.wartosc); }) &&
        (wDo - wOd) >= 1)
        u.krokPodzialki = 1;
    for (double v = std::ceil(wOd / u.krokPodzialki) * u.krokPodzialki;
         v <= wDo + 1e-9 && u.podzialka.size() < 1000; v += u.krokPodzialki)
        u.podzialka.push_back(std::abs(v) < 1e-12 ? 0.0 : v);

    // Point labels: every k-th when they would overlap.
    const double naPunkt = std::abs(u.indeksy.p2 - u.indeksy.p1) / std::max(1e-9, iDo - iOd);
    const double potrzeba = u.poziome || u.etykietyPionowe ? mPunktow.height() : szerEtykiet + 6;
    u.krokEtykiet =
        int(std::clamp(std::ceil(potrzeba / std::max(naPunkt, 1e-9)), 1.0, double(std::max(1, n))));
    return u;
}

Zakres ZakresProstokata(const Wykres& w, const QRectF& obszar, const QRectF& r) {
    const Uklad u = Rozmiesc(w, obszar);
    Zakres z;
    if (u.poziome) {
        z.wartoscOd = u.wartosci.Z(r.left());
        z.wartoscDo = u.wartosci.Z(r.right());
        z.indeksOd = u.indeksy.Z(r.top());
        z.indeksDo = u.indeksy.Z(r.bottom());
    } else {
        z.indeksOd = u.indeksy.Z(r.left());
        z.indeksDo = u.indeksy.Z(r.right());
        z.wartoscOd = u.wartosci.Z(r.bottom());
        z.wartoscDo = u.wartosci.Z(r.top());
    }
    if (z.wartoscDo < z.wartoscOd) std::swap(z.wartoscOd, z.wartoscDo);
    if (z.indeksDo < z.indeksOd) std::swap(z.indeksOd, z.indeksDo);
    return z;
}

Zakres ZakresPrzesuniety(const Wykres& w, const QRectF& obszar, const QPointF& d) {
    const Uklad u = Rozmiesc(w, obszar);
    Zakres z{u.indeksy.w1, u.indeksy.w2, u.wartosci.w1, u.wartosci.w2};
    const double dw = u.wartosci.Z(u.wartosci.p1 - (u.poziome ? d.x() : d.y())) - u.wartosci.w1;
    const double di = u.indeksy.Z(u.indeksy.p1 - (u.poziome ? d.y() : d.x())) - u.indeksy.w1;
    z.wartoscOd += dw;
    z.wartoscDo += dw;
    z.indeksOd += di;
    z.indeksDo += di;
    return z;
}

} // namespace sondrel::chartengine
