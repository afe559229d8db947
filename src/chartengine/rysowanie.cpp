// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartengine/rysowanie.h"

#include "chartengine/uklad.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace sondrel::chartengine {

namespace {

QPen Kosmetyczne(const QColor& kolor, double szer = 1, Qt::PenStyle styl = Qt::SolidLine) {
    QPen p(kolor, szer, styl);
    p.setCosmetic(true);
    return p;
}

void RysujObrazTla(QPainter& m, const QImage& obraz, const QRectF& gdzie, bool wysrodkowany) {
    if (obraz.isNull() || gdzie.isEmpty()) return;
    m.save();
    m.setClipRect(gdzie, Qt::IntersectClip);
    if (wysrodkowany) {
        const QSizeF r = obraz.deviceIndependentSize();
        m.drawImage(QRectF(gdzie.center().x() - r.width() / 2, gdzie.center().y() - r.height() / 2,
                           r.width(), r.height()),
                    obraz);
    } else {
        m.drawImage(gdzie, obraz);
    }
    m.restore();
}

void RysujNapis(QPainter& m, const Napis& n, const QRectF& prost, const QStringList& wiersze) {
    if (prost.isEmpty()) return;
    if (!n.przezroczysty) m.fillRect(prost, n.tlo);
    if (n.ramka) {
        m.setPen(n.pioroRamki);
        m.setBrush(Qt::NoBrush);
        m.drawRect(prost.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    const QFont f = CzcionkaPisma(n.pismo);
    m.setFont(f);
    m.setPen(n.pismo.kolor);
    const double wys = QFontMetricsF(f).height();
    const int flagi = n.wyrownanie == Wyrownanie::DoLewej    ? Qt::AlignLeft
                      : n.wyrownanie == Wyrownanie::DoPrawej ? Qt::AlignRight
                                                             : Qt::AlignHCenter;
    for (int i = 0; i < wiersze.size(); ++i)
        m.drawText(QRectF(prost.left() + 4, prost.top() + 2 + i * wys, prost.width() - 8, wys),
                   flagi | Qt::AlignVCenter | Qt::TextSingleLine, wiersze[i]);
}

void RysujObroconyTekst(QPainter& m, const QString& tekst, const QPointF& srodek, int kat) {
    m.save();
    m.translate(srodek);
    m.rotate(-KatWZakresie(kat));
    const QFontMetricsF fm(m.font());
    const double szer = fm.horizontalAdvance(tekst);
    m.drawText(QRectF(-szer / 2 - 1, -fm.height() / 2, szer + 2, fm.height()), Qt::AlignCenter,
               tekst);
    m.restore();
}

// A mark: the text in its box at the end of an arrow.
struct RysownikZnacznikow {
    QPainter& m;
    const Znaczniki& z;
    QFontMetricsF fm;
    QVector<QRectF> zajete;

    // The legend (with its shadow) is taken from the start: a mark under it would be hidden.
    RysownikZnacznikow(QPainter& malarz, const Znaczniki& znaczniki, const Wykres& w,
                       const Uklad& u)
        : m(malarz), z(znaczniki), fm(CzcionkaPisma(znaczniki.pismo)) {
        m.setFont(CzcionkaPisma(znaczniki.pismo));
        if (!u.legenda.isEmpty()) {
            const double cien = std::max(0, w.legenda.dlugoscCienia);
            zajete.push_back(u.legenda.adjusted(0, 0, cien, cien));
        }
    }

    QRectF Pudelko(const QString& tekst, const QPointF& kotwica, Qt::Alignment wyr) const {
        const QSizeF r(fm.horizontalAdvance(tekst) + 6, fm.height() + 2);
        double x = kotwica.x() - r.width() / 2, y = kotwica.y() - r.height() / 2;
        if (wyr & Qt::AlignLeft) x = kotwica.x();
        if (wyr & Qt::AlignRight) x = kotwica.x() - r.width();
        if (wyr & Qt::AlignBottom) y = kotwica.y() - r.height();
        if (wyr & Qt::AlignTop) y = kotwica.y();
        return {QPointF(x, y), r};
    }

    // Draws unless it would cover a mark already drawn (with many points the marks thin out
    // instead of piling up).
    void Rysuj(const QString& tekst, const QPointF& od, const QPointF& kotwica, Qt::Alignment wyr) {
        const QRectF p = Pudelko(tekst, kotwica, wyr);
        for (const QRectF& r : zajete)
            if (r.intersects(p)) return;
        zajete.push_back(p);
        m.setPen(Kosmetyczne(QColor(64, 64, 64)));
        m.drawLine(od, kotwica);
        if (!z.przezroczyste) {
            m.setBrush(z.tlo);
            m.setPen(Kosmetyczne(Qt::black));
            m.drawRect(p);
        }
        m.setPen(z.pismo.kolor);
        m.drawText(p, Qt::AlignCenter | Qt::TextSingleLine, tekst);
    }
};

QColor Bok(const QColor& k, int ile = 135) {
    return k.darker(ile);
}

void RysujSlupek(QPainter& m, const Seria& s, const QColor& kolor, double x0, double x1, double y,
                 double h, const QPointF& g) {
    const double lewo = std::min(x0, x1), prawo = std::max(x0, x1);
    const QRectF przod(lewo, y - h / 2, prawo - lewo, h);
    const bool obrys = h >= 4;
    const QPen pioro = obrys ? Kosmetyczne(Qt::black) : QPen(Qt::NoPen);
    const bool w3D = !g.isNull();
    switch (s.ksztalt) {
    case KsztaltSlupka::Prostokat:
    case KsztaltSlupka::Gradient: {
        m.setPen(pioro);
        if (w3D) {
            const QPointF gora[4] = {przod.topLeft(), przod.topRight(), przod.topRight() + g,
                                     przod.topLeft() + g};
            m.setBrush(kolor.lighter(115));
            m.drawPolygon(gora, 4);
            // The end the view looks at, whichever way the bar grows.
            const QPointF kon = g.x() >= 0 ? przod.topRight() : przod.topLeft();
            const QPointF bok[4] = {kon, kon + QPointF(0, h), kon + QPointF(0, h) + g, kon + g};
            m.setBrush(Bok(kolor));
            m.drawPolygon(bok, 4);
        }
        if (s.ksztalt == KsztaltSlupka::Gradient) {
            QLinearGradient gr(przod.topLeft(), przod.bottomLeft());
            gr.setColorAt(0, kolor.lighter(170));
            gr.setColorAt(0.45, kolor);
            gr.setColorAt(1, kolor.darker(130));
            m.setBrush(gr);
        } else {
            m.setBrush(kolor);
        }
        m.drawRect(przod);
        break;
    }
    case KsztaltSlupka::Walec: {
        const QRectF c = przod.translated(g / 2);
        const double r = std::min(c.height() * 0.25, c.width() / 2);
        QLinearGradient gr(c.topLeft(), c.bottomLeft());
        gr.setColorAt(0, kolor.darker(150));
        gr.setColorAt(0.35, kolor.lighter(160));
        gr.setColorAt(1, kolor.darker(170));
        m.setPen(pioro);
        m.setBrush(gr);
        QPainterPath p;
        p.moveTo(c.left(), c.top());
        p.lineTo(c.right(), c.top());
        p.arcTo(QRectF(c.right() - r, c.top(), 2 * r, c.height()), 90, -180);
        p.lineTo(c.left(), c.bottom());
        p.arcTo(QRectF(c.left() - r, c.top(), 2 * r, c.height()), 270, 180);
        p.closeSubpath();
        m.drawPath(p);
        m.setBrush(kolor.lighter(130));
        m.drawEllipse(QRectF(c.left() - r, c.top(), 2 * r, c.height()));
        break;
    }
    case KsztaltSlupka::Strzalka: {
        const QRectF c = przod.translated(g / 2);
        const double kier = x1 >= x0 ? 1 : -1;
        const double grot = std::min(c.height() * 1.2, c.width());
        const double trzon = c.height() * 0.5;
        const double xg = x1 - kier * grot;
        const double yc = c.center().y();
        const QPointF p[7] = {
            {x0, yc - trzon / 2}, {xg, yc - trzon / 2}, {xg, c.top()},       {x1, yc},
            {xg, c.bottom()},     {xg, yc + trzon / 2}, {x0, yc + trzon / 2}};
        m.setPen(pioro);
        m.setBrush(kolor);
        m.drawPolygon(p, 7);
        break;
    }
    }
}

QPainterPath Wierzcholek(KsztaltWierzcholka k, const QPointF& c, double sz, double wy) {
    QPainterPath p;
    const QRectF r(c.x() - sz / 2, c.y() - wy / 2, sz, wy);
    switch (k) {
    case KsztaltWierzcholka::Prostokat:
        p.addRect(r);
        break;
    case KsztaltWierzcholka::Kolo:
        p.addEllipse(r);
        break;
    case KsztaltWierzcholka::Trojkat:
        p.moveTo(r.center().x(), r.top());
        p.lineTo(r.bottomRight());
        p.lineTo(r.bottomLeft());
        p.closeSubpath();
        break;
    case KsztaltWierzcholka::Gwiazda:
        for (int i = 0; i < 10; ++i) {
            const double a = M_PI / 2 + i * M_PI / 5;
            const double f = i % 2 ? 0.4 : 1.0;
            const QPointF q(c.x() + std::cos(a) * sz / 2 * f, c.y() - std::sin(a) * wy / 2 * f);
            i ? p.lineTo(q) : p.moveTo(q);
        }
        p.closeSubpath();
        break;
    }
    return p;
}

void RysujOsie(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    const QRectF& plot = u.plot;
    const QPointF g = u.glebia;
    const bool sciany3D = w.widok.wlaczony && w.widok.scianki && !g.isNull();
    const QRectF tyl = plot.translated(g);

    // Walls: left and bottom in 3D, then the back wall with the picture and the frame.
    if (sciany3D && w.lewa.widoczna && !w.lewa.sciankaPrzezroczysta) {
        const QPointF p[4] = {plot.topLeft(), plot.bottomLeft(), tyl.bottomLeft(), tyl.topLeft()};
        m.setPen(Kosmetyczne(Qt::black));
        m.setBrush(w.lewa.kolorScianki);
        m.drawPolygon(p, 4);
    }
    if (sciany3D && w.dolna.widoczna && !w.dolna.sciankaPrzezroczysta) {
        const QPointF p[4] = {plot.bottomLeft(), plot.bottomRight(), tyl.bottomRight(),
                              tyl.bottomLeft()};
        m.setPen(Kosmetyczne(Qt::black));
        m.setBrush(w.dolna.kolorScianki);
        m.drawPolygon(p, 4);
    }
    if (!w.tla.scianaTylnaPrzezroczysta) m.fillRect(tyl, w.tla.scianaTylna);
    if (w.tla.obrazWewnatrz) RysujObrazTla(m, w.tla.obraz, tyl, w.tla.obrazWysrodkowany);

    const Os& osW = u.poziome ? w.dolna : w.lewa; // values
    const Os& osP = u.poziome ? w.lewa : w.dolna; // points
    const int n = s.punkty.size();
    auto pioroSiatki = [](const Os& os, bool kropki) {
        return Kosmetyczne(os.kolorSiatki, 1, kropki ? Qt::DotLine : Qt::SolidLine);
    };
    // A line across the back wall and on along the wall of the other axis.
    auto liniaWartosci = [&](double v) {
        const double p = u.wartosci.Na(v);
        if (u.poziome) {
            m.drawLine(QPointF(p, tyl.top()), QPointF(p, tyl.bottom()));
            if (sciany3D) m.drawLine(QPointF(p, tyl.bottom()) - g, QPointF(p, tyl.bottom()));
        } else {
            m.drawLine(QPointF(tyl.left(), p + g.y()), QPointF(tyl.right(), p + g.y()));
            if (sciany3D) m.drawLine(QPointF(plot.left(), p), QPointF(tyl.left(), p + g.y()));
        }
    };
    if (osW.widoczna && osW.siatka) {
        m.setPen(pioroSiatki(osW, osW.siatkaKropkowana));
        for (double v : u.podzialka)
            liniaWartosci(v);
        if (osW.siatkaPomocniczaWKropki && u.podzialka.size() > 0) {
            m.setPen(Kosmetyczne(osW.kolorSiatki, 1, Qt::CustomDashLine));
            QPen p = m.pen();
            p.setDashPattern({1, 3});
            m.setPen(p);
            const double krok = u.krokPodzialki / (osW.liczbaPomocniczych + 1);
            for (double v = u.podzialka.first() - u.krokPodzialki; v <= u.wartosci.w2; v += krok)
                if (v >= u.wartosci.w1 &&
                    std::fmod(std::abs(v - u.podzialka.first()), u.krokPodzialki) > krok / 2)
                    liniaWartosci(v);
        }
    }
    if (osP.widoczna && osP.siatka && n > 0) {
        m.setPen(pioroSiatki(osP, osP.siatkaKropkowana));
        const double przes = osP.siatkaMiedzyEtykietami ? 0.5 : 0;
        for (int i = std::max(0, int(std::floor(u.indeksy.w1)));
             i <= std::min(n - 1, int(u.indeksy.w2)); ++i) {
            if (i % u.krokEtykiet) continue;
            const double p = u.indeksy.Na(i + przes);
            if (u.poziome) {
                m.drawLine(QPointF(tyl.left(), p + g.y()), QPointF(tyl.right(), p + g.y()));
                if (sciany3D) m.drawLine(QPointF(plot.left(), p), QPointF(tyl.left(), p + g.y()));
            } else {
                m.drawLine(QPointF(p + g.x(), tyl.top()), QPointF(p + g.x(), tyl.bottom()));
                if (sciany3D)
                    m.drawLine(QPointF(p, plot.bottom()), QPointF(p + g.x(), tyl.bottom()));
            }
        }
    }
    if (w.tla.obramowanieWidoczne) {
        m.setPen(Kosmetyczne(w.tla.obramowanie));
        m.setBrush(Qt::NoBrush);
        m.drawRect(tyl);
    }

    // Axis lines, ticks, labels and titles.
    auto etykietyWartosci = [&](const Os& os, bool dolna) {
        m.setFont(CzcionkaPisma(os.pismoEtykiet));
        const QFontMetricsF fm(m.font());
        for (double v : u.podzialka) {
            const double p = u.wartosci.Na(v);
            const QString t = w.formatLiczby(v);
            m.setPen(Kosmetyczne(os.kolorLinii));
            if (dolna) {
                m.drawLine(QPointF(p, plot.bottom()),
                           QPointF(p, plot.bottom() + os.dlugoscZnacznika));
                m.setPen(os.pismoEtykiet.kolor);
                const double sz = fm.horizontalAdvance(t) + 2;
                m.drawText(
                    QRectF(p - sz / 2, plot.bottom() + os.dlugoscZnacznika + 1, sz, fm.height()),
                    Qt::AlignCenter, t);
            } else {
                m.drawLine(QPointF(plot.left() - os.dlugoscZnacznika, p), QPointF(plot.left(), p));
                m.setPen(os.pismoEtykiet.kolor);
                m.drawText(QRectF(plot.left() - os.dlugoscZnacznika - 204, p - fm.height() / 2, 200,
                                  fm.height()),
                           Qt::AlignRight | Qt::AlignVCenter, t);
            }
        }
        if (dolna && os.dlugoscZnacznikaPomocniczego > 0 && !u.podzialka.isEmpty()) {
            m.setPen(Kosmetyczne(os.kolorLinii));
            const double krok = u.krokPodzialki / (os.liczbaPomocniczych + 1);
            for (double v = u.podzialka.first() - u.krokPodzialki; v <= u.wartosci.w2; v += krok) {
                if (v < u.wartosci.w1) continue;
                const double p = u.wartosci.Na(v);
                m.drawLine(QPointF(p, plot.bottom()),
                           QPointF(p, plot.bottom() + os.dlugoscZnacznikaPomocniczego));
            }
        }
    };
    auto etykietyPunktow = [&](const Os& os, bool dolna) {
        m.setFont(CzcionkaPisma(os.pismoEtykiet));
        const QFontMetricsF fm(m.font());
        for (int i = std::max(0, int(std::ceil(u.indeksy.w1)));
             i <= std::min(n - 1, int(u.indeksy.w2)); ++i) {
            if (i % u.krokEtykiet) continue;
            const double p = u.indeksy.Na(i);
            const QString t = fm.elidedText(s.punkty[i].etykieta, Qt::ElideRight,
                                            std::max(8.0, u.miejsceEtykiet));
            m.setPen(Kosmetyczne(os.kolorLinii));
            if (dolna) {
                m.drawLine(QPointF(p, plot.bottom()),
                           QPointF(p, plot.bottom() + os.dlugoscZnacznika));
                m.setPen(os.pismoEtykiet.kolor);
                const double y = plot.bottom() + os.dlugoscZnacznika + 2;
                if (u.etykietyPionowe) {
                    m.save();
                    m.translate(p, y);
                    m.rotate(-90);
                    m.drawText(
                        QRectF(-u.miejsceEtykiet, -fm.height() / 2, u.miejsceEtykiet, fm.height()),
                        Qt::AlignRight | Qt::AlignVCenter, t);
                    m.restore();
                } else {
                    m.drawText(QRectF(p - u.miejsceEtykiet / 2, y, u.miejsceEtykiet, fm.height()),
                               Qt::AlignCenter, t);
                }
            } else {
                m.drawLine(QPointF(plot.left() - os.dlugoscZnacznika, p), QPointF(plot.left(), p));
                m.setPen(os.pismoEtykiet.kolor);
                const double x = plot.left() - os.dlugoscZnacznika - 2;
                m.drawText(QRectF(x - u.miejsceEtykiet, p - fm.height() / 2, u.miejsceEtykiet,
                                  fm.height()),
                           Qt::AlignRight | Qt::AlignVCenter, t);
            }
        }
    };
    if (w.lewa.widoczna) {
        m.setPen(Kosmetyczne(w.lewa.kolorLinii, 1, w.lewa.stylLinii));
        m.drawLine(plot.topLeft(), plot.bottomLeft());
        u.poziome ? etykietyPunktow(w.lewa, false) : etykietyWartosci(w.lewa, false);
        if (!w.lewa.tytul.isEmpty()) {
            m.setFont(CzcionkaPisma(w.lewa.pismoTytulu));
            m.setPen(w.lewa.pismoTytulu.kolor);
            RysujObroconyTekst(m, w.lewa.tytul, u.srodekTytuluLewej, w.lewa.katTytulu);
        }
    }
    if (w.dolna.widoczna) {
        m.setPen(Kosmetyczne(w.dolna.kolorLinii, 1, w.dolna.stylLinii));
        m.drawLine(plot.bottomLeft(), plot.bottomRight());
        u.poziome ? etykietyWartosci(w.dolna, true) : etykietyPunktow(w.dolna, true);
        if (!w.dolna.tytul.isEmpty()) {
            m.setFont(CzcionkaPisma(w.dolna.pismoTytulu));
            m.setPen(w.dolna.pismoTytulu.kolor);
            RysujObroconyTekst(m, w.dolna.tytul, u.srodekTytuluDolnej, w.dolna.katTytulu);
        }
    }
}

void RysujSlupki(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    const int n = s.punkty.size();
    if (n == 0) return;
    const double slot = std::abs(u.indeksy.Na(1) - u.indeksy.Na(0));
    double h = slot * std::clamp(s.szerokosc, 0, 100) / 100.0;
    if (s.szerokosc > 0) h = std::max(h, std::min(1.0, slot));
    const double przes = -h * s.przesuniecie / 100.0;
    // Bars are cut at the ends of the value axis (an origin or a value outside the values
    // shown, after the mouse's zoom too), so that they end on the axis and the wall.
    const double lewo = std::min(u.wartosci.p1, u.wartosci.p2);
    const double prawo = std::max(u.wartosci.p1, u.wartosci.p2);
    const auto naOsi = [&](double v) { return std::clamp(u.wartosci.Na(v), lewo, prawo); };
    const auto widoczna = [&](double v) {
        const double x = u.wartosci.Na(v);
        return x >= lewo - 0.5 && x <= prawo + 0.5;
    };
    const double x0 = naOsi(s.poczatek);
    QPointF g = w.widok.wlaczony ? u.glebia : QPointF();
    // A bar is no deeper than the room between two bars, so that with many students the bars'
    // top faces do not bury their neighbours.
    const double dlugoscG = std::hypot(g.x(), g.y());
    const double najglebiej = std::max(3.0, slot * 1.2);
    if (dlugoscG > najglebiej) g *= najglebiej / dlugoscG;
    const int od = std::max(0, int(std::floor(u.indeksy.w1)));
    const int doI = std::min(n - 1, int(std::ceil(u.indeksy.w2)));
    // From the bottom up: a bar's top face goes behind the bar above it.
    for (int i = doI; i >= od; --i) {
        const Punkt& p = s.punkty[i];
        const QColor kolor = s.koloryPunktow && p.kolor.isValid() ? p.kolor : QColor(255, 0, 0);
        const double x1 = naOsi(p.wartosc);
        if (x1 == x0 && p.wartosc != s.poczatek) continue; // wholly outside the values shown
        RysujSlupek(m, s, kolor, x0, x1, u.indeksy.Na(i) + przes, h, g);
    }
    if (!s.znaczniki.widoczne) return;
    RysownikZnacznikow z(m, s.znaczniki, w, u);
    for (int i = od; i <= doI; ++i) {
        if (!widoczna(s.punkty[i].wartosc)) continue; // its end is not shown
        const double x1 = u.wartosci.Na(s.punkty[i].wartosc);
        const double kier = s.punkty[i].wartosc >= s.poczatek ? 1 : -1;
        const QPointF koniec = QPointF(x1, u.indeksy.Na(i) + przes) + g / 2;
        z.Rysuj(TekstZnacznika(w, s, i), koniec,
                koniec + QPointF(kier * s.znaczniki.dlugoscStrzalki, 0),
                (kier > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
}

// Grouped bars: in each point's slot one bar per series of Wykres::grupy, the first on top.
void RysujGrupySlupkow(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    const int n = s.punkty.size(), k = w.grupy.size();
    if (n == 0 || k == 0) return;
    const double slot = std::abs(u.indeksy.Na(1) - u.indeksy.Na(0));
    const double grupa = slot * std::clamp(s.szerokosc, 0, 100) / 100.0;
    const double h = std::max(grupa / k, std::min(1.0, slot / k));
    const double przes = -grupa * s.przesuniecie / 100.0 - h * k / 2;
    const double x0 = u.wartosci.Na(s.poczatek);
    QPointF g = w.widok.wlaczony ? u.glebia : QPointF();
    const double dlugoscG = std::hypot(g.x(), g.y());
    const double najglebiej = std::max(2.0, h * 1.2);
    if (dlugoscG > najglebiej) g *= najglebiej / dlugoscG;
    const int od = std::max(0, int(std::floor(u.indeksy.w1)));
    const int doI = std::min(n - 1, int(std::ceil(u.indeksy.w2)));
    const auto srodek = [&](int i, int j) { return u.indeksy.Na(i) + przes + (j + 0.5) * h; };
    // From the bottom up, as the single series.
    for (int i = doI; i >= od; --i)
        for (int j = k - 1; j >= 0; --j) {
            const SeriaGrupy& seria = w.grupy[j];
            if (i >= seria.wartosci.size()) continue;
            RysujSlupek(m, s, seria.kolor.isValid() ? seria.kolor : QColor(255, 0, 0), x0,
                        u.wartosci.Na(seria.wartosci[i]), srodek(i, j), h, g);
        }
    if (!s.znaczniki.widoczne) return;
    RysownikZnacznikow z(m, s.znaczniki, w, u);
    for (int i = od; i <= doI; ++i)
        for (int j = 0; j < k; ++j) {
            if (i >= w.grupy[j].wartosci.size()) continue;
            const double v = w.grupy[j].wartosci[i];
            const double kier = v >= s.poczatek ? 1 : -1;
            const QPointF koniec = QPointF(u.wartosci.Na(v), srodek(i, j)) + g / 2;
            z.Rysuj(w.formatLiczby(v), koniec,
                    koniec + QPointF(kier * s.znaczniki.dlugoscStrzalki, 0),
                    (kier > 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        }
}

void RysujLinie(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    const int n = s.punkty.size();
    if (n == 0) return;
    QVector<QPointF> p(n);
    for (int i = 0; i < n; ++i)
        p[i] = QPointF(u.indeksy.Na(i), u.wartosci.Na(s.punkty[i].wartosc));
    const QPointF g = w.widok.wlaczony ? u.glebia : QPointF();
    if (!g.isNull()) {
        const QColor bok = s.ciemneBoki3D ? Bok(s.kolorLinii) : s.kolorLinii;
        m.setPen(Kosmetyczne(s.kolorLinii.darker(160)));
        for (int i = 0; i + 1 < n; ++i) {
            const QPointF q[4] = {p[i], p[i + 1], p[i + 1] + g, p[i] + g};
            m.setBrush(p[i + 1].y() < p[i].y() ? bok : s.kolorLinii);
            m.drawPolygon(q, 4);
        }
    }
    m.setPen(QPen(s.kolorLinii, 2));
    m.setBrush(Qt::NoBrush);
    m.drawPolyline(p.constData(), n);
    if (s.wierzcholki) {
        m.setPen(Kosmetyczne(Qt::black));
        m.setBrush(s.kolorWierzcholkow);
        for (const QPointF& q : p)
            m.drawPath(Wierzcholek(s.ksztaltWierzcholka, q, s.szerokoscWierzcholka,
                                   s.wysokoscWierzcholka));
    }
    if (!s.znaczniki.widoczne) return;
    RysownikZnacznikow z(m, s.znaczniki, w, u);
    const double nad = s.wierzcholki ? s.wysokoscWierzcholka / 2.0 : 0;
    for (int i = 0; i < n; ++i) {
        const QPointF od = p[i] - QPointF(0, nad);
        z.Rysuj(TekstZnacznika(w, s, i), od, od - QPointF(0, s.znaczniki.dlugoscStrzalki),
                Qt::AlignHCenter | Qt::AlignBottom);
    }
}

Qt::BrushStyle Kreskowanie(int i) {
    static const Qt::BrushStyle style[] = {Qt::BDiagPattern,     Qt::FDiagPattern, Qt::CrossPattern,
                                           Qt::DiagCrossPattern, Qt::HorPattern,   Qt::VerPattern};
    return style[i % 6];
}

void RysujKolo(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    const QVector<int> kolejnosc = KolejnoscKola(s);
    double suma = 0;
    for (const Punkt& p : s.punkty)
        suma += std::max(0.0, p.wartosc);
    const double r = u.promien, ry = r * u.splaszczenie;
    if (suma <= 0) {
        m.setPen(Kosmetyczne(Qt::black));
        m.setBrush(Qt::NoBrush);
        m.drawEllipse(u.srodek, r, ry);
        return;
    }
    int najwieksza = -1, dodatnich = 0;
    for (int i : kolejnosc)
        if (s.punkty[i].wartosc > 0) {
            najwieksza = i; // ascending: the last positive one
            ++dodatnich;
        }
    if (dodatnich < 2) najwieksza = -1; // a whole circle has nowhere to move
    struct Kawalek {
        int indeks;
        double od, kat;
        QPointF srodek;
    };
    QVector<Kawalek> kawalki;
    double kat = std::fmod(
        double(s.obrotKola) + (double(w.widok.obrot) - 360) + double(w.widok.pochylenie), 360.0);
    for (int i : kolejnosc) {
        const double v = std::max(0.0, s.punkty[i].wartosc);
        if (v <= 0) continue; // a zero slice takes no area
        const double rozpietosc = v / suma * 360;
        QPointF c = u.srodek;
        if (i == najwieksza && s.eksplozja > 0) {
            const double a = qDegreesToRadians(kat + rozpietosc / 2);
            c += QPointF(std::cos(a) * r * s.eksplozja / 100.0,
                         -std::sin(a) * ry * s.eksplozja / 100.0);
        }
        kawalki.push_back({i, kat, rozpietosc, c});
        kat += rozpietosc;
    }
    auto elipsa = [&](const QPointF& c) { return QRectF(c.x() - r, c.y() - ry, 2 * r, 2 * ry); };
    auto naObwodzie = [&](const QPointF& c, double stopnie, double dy) {
        const double a = qDegreesToRadians(stopnie);
        return QPointF(c.x() + std::cos(a) * r, c.y() - std::sin(a) * ry + dy);
    };
    auto pedzel = [&](int indeks, const QColor& kolor) {
        return s.kreskowane ? QBrush(kolor, Kreskowanie(indeks)) : QBrush(kolor);
    };
    const QPen obrys = Kosmetyczne(Qt::black);
    // The disc's side: the part of every slice's rim that faces the viewer (angles 180..360).
    if (u.grubosc > 0.5) {
        for (const Kawalek& k : kawalki) {
            const double a = k.od, b = k.od + k.kat;
            QPainterPath bok;
            bool cos = false;
            // Walk the slice's rim in small steps and keep the front-facing runs.
            const int kroki = std::max(2, int(k.kat / 3));
            QVector<QPointF> gora;
            auto zamknij = [&]() {
                if (gora.size() < 2) {
                    gora.clear();
                    return;
                }
                QPolygonF pol(gora);
                for (int j = gora.size() - 1; j >= 0; --j)
                    pol << gora[j] + QPointF(0, u.grubosc);
                bok.addPolygon(pol);
                bok.closeSubpath();
                cos = true;
                gora.clear();
            };
            for (int j = 0; j <= kroki; ++j) {
                const double t = a + (b - a) * j / kroki;
                const double sn = std::sin(qDegreesToRadians(t));
                if (sn <= 0.02)
                    gora << naObwodzie(k.srodek, t, 0);
                else
                    zamknij();
            }
            zamknij();
            if (!cos) continue;
            const QColor kolor = s.punkty[k.indeks].kolor.darker(140);
            if (s.kreskowane) {
                m.setPen(Qt::NoPen);
                m.setBrush(s.tloKola.darker(140));
                m.drawPath(bok);
            }
            m.setPen(obrys);
            m.setBrush(pedzel(k.indeks, kolor));
            m.drawPath(bok);
        }
    }
    for (const Kawalek& k : kawalki) {
        QPainterPath p;
        p.moveTo(k.srodek);
        p.arcTo(elipsa(k.srodek), k.od, k.kat);
        p.closeSubpath();
        if (s.kreskowane) {
            m.setPen(Qt::NoPen);
            m.setBrush(s.tloKola);
            m.drawPath(p);
        }
        m.setPen(obrys);
        m.setBrush(pedzel(k.indeks, s.punkty[k.indeks].kolor));
        m.drawPath(p);
    }
    if (!s.znaczniki.widoczne) return;
    RysownikZnacznikow z(m, s.znaczniki, w, u);
    for (const Kawalek& k : kawalki) {
        const double a = k.od + k.kat / 2;
        const double c = std::cos(qDegreesToRadians(a)), sn = std::sin(qDegreesToRadians(a));
        const double dy = sn < 0 ? u.grubosc : 0;
        const QPointF od = naObwodzie(k.srodek, a, dy);
        const QPointF kon = od + QPointF(c, -sn) * s.znaczniki.dlugoscStrzalki;
        Qt::Alignment wyr = c >= 0.2    ? Qt::AlignLeft
                            : c <= -0.2 ? Qt::AlignRight
                                        : Qt::AlignHCenter;
        wyr |= sn > 0.2 ? Qt::AlignBottom : sn < -0.2 ? Qt::AlignTop : Qt::AlignVCenter;
        z.Rysuj(TekstZnacznika(w, s, k.indeks), od, kon, wyr);
    }
}

void RysujLegende(QPainter& m, const Wykres& w, const Uklad& u, const Seria& s) {
    if (u.legenda.isEmpty()) return;
    const Legenda& l = w.legenda;
    if (l.dlugoscCienia > 0)
        m.fillRect(u.legenda.translated(l.dlugoscCienia, l.dlugoscCienia), l.cien);
    m.setPen(Kosmetyczne(Qt::black));
    m.setBrush(l.tlo);
    m.drawRect(u.legenda);
    m.setFont(CzcionkaPisma(l.pismo));
    const QVector<int> kolejnosc = s.rodzaj == RodzajSerii::Kolo ? KolejnoscKola(s) : [&] {
        QVector<int> k(WpisyLegendy(w, s));
        std::iota(k.begin(), k.end(), 0);
        return k;
    }();
    const double h = u.wysokoscWierszaLegendy;
    const int punktow = u.pominieteWLegendzie > 0 ? u.wierszeLegendy - 1 : u.wierszeLegendy;
    if (u.pominieteWLegendzie > 0) {
        const double y = u.legenda.top() + 3 + punktow * h;
        const QRectF tekst(u.legenda.left() + 4, y, u.legenda.width() - 8, h);
        m.setPen(l.pismo.kolor);
        m.drawText(tekst, Qt::AlignLeft | Qt::AlignVCenter,
                   QFontMetricsF(m.font()).elidedText(TekstPominietych(u.pominieteWLegendzie),
                                                      Qt::ElideRight, tekst.width()));
    }
    for (int j = 0; j < punktow && j < kolejnosc.size(); ++j) {
        const int i = kolejnosc[j];
        const double y = u.legenda.top() + 3 + j * h;
        const QRectF pole(u.legenda.left() + 4, y + 2, l.szerokoscKoloru, h - 4);
        m.setPen(Kosmetyczne(Qt::black));
        m.setBrush(Grupowane(w, s)                  ? w.grupy[i].kolor
                   : s.rodzaj == RodzajSerii::Linia ? s.kolorLinii
                                                    : s.punkty[i].kolor);
        m.drawRect(pole);
        m.setPen(l.pismo.kolor);
        const QRectF tekst(pole.right() + 5, y, u.legenda.right() - pole.right() - 9, h);
        if (l.tekst == TekstLegendy::EtykietaIWartosc && !Grupowane(w, s)) {
            const QString v = w.formatLiczby(s.punkty[i].wartosc);
            m.drawText(tekst, Qt::AlignRight | Qt::AlignVCenter, v);
            const double sz = tekst.width() - QFontMetricsF(m.font()).horizontalAdvance(v) - 8;
            m.drawText(QRectF(tekst.left(), y, std::max(0.0, sz), h),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(m.font()).elidedText(s.punkty[i].etykieta, Qt::ElideRight,
                                                          std::max(0.0, sz)));
        } else {
            m.drawText(tekst, Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(m.font()).elidedText(TekstLegendy(w, s, i), Qt::ElideRight,
                                                          tekst.width()));
        }
    }
}

// The generator names one face per text. Each gets the generic family behind it (and Arial's
// metric twin behind Liberation Sans or the other way round), so that a reader without the
// face still draws a sans-serif instead of its default serif.
QByteArray RodzinyZZastepczymi(const QByteArray& svg) {
    static const QByteArray atrybut = "font-family=\"";
    QByteArray wynik;
    wynik.reserve(svg.size() + svg.size() / 16);
    qsizetype od = 0;
    for (;;) {
        qsizetype i = svg.indexOf(atrybut, od);
        const qsizetype k = i < 0 ? -1 : svg.indexOf('"', i + atrybut.size());
        if (k < 0) break;
        i += atrybut.size();
        const QString rodzina = QString::fromUtf8(svg.mid(i, k - i)).remove(u'\'');
        QStringList lista = {u'\'' + rodzina + u'\''};
        if (rodzina == QLatin1String("Liberation Sans")) lista << QStringLiteral("Arial");
        if (rodzina == QLatin1String("Arial")) lista << QStringLiteral("'Liberation Sans'");
        lista << QStringLiteral("sans-serif");
        wynik += svg.mid(od, i - od);
        wynik += lista.join(QStringLiteral(", ")).toHtmlEscaped().toUtf8();
        od = k;
    }
    wynik += svg.mid(od);
    return wynik;
}

} // namespace

QVector<int> KolejnoscKola(const Seria& s) {
    QVector<int> k(s.punkty.size());
    std::iota(k.begin(), k.end(), 0);
    std::stable_sort(k.begin(), k.end(),
                     [&](int a, int b) { return s.punkty[a].wartosc < s.punkty[b].wartosc; });
    return k;
}

void Rysuj(const Wykres& w, QPainter& m, const QRectF& obszar) {
    m.save();
    m.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                     QPainter::SmoothPixmapTransform);
    m.setClipRect(obszar);
    if (w.tla.gradient) {
        QLinearGradient g(obszar.topLeft(), obszar.bottomLeft());
        g.setColorAt(0, w.tla.gradientPoczatek);
        g.setColorAt(1, w.tla.gradientKoniec);
        m.fillRect(obszar, g);
    } else {
        m.fillRect(obszar, w.tla.panel);
    }
    if (!w.tla.obrazWewnatrz) RysujObrazTla(m, w.tla.obraz, obszar, w.tla.obrazWysrodkowany);

    const Uklad u = Rozmiesc(w, obszar);
    RysujNapis(m, w.tytul, u.tytul, u.wierszeTytulu);
    RysujNapis(m, w.stopka, u.stopka, u.wierszeStopki);
    const Seria* s = w.Aktywna();
    if (u.kolo && s) {
        if (w.tla.obrazWewnatrz) RysujObrazTla(m, w.tla.obraz, u.plot, w.tla.obrazWysrodkowany);
        RysujKolo(m, w, u, *s);
    } else if (!u.plot.isEmpty()) {
        const Seria& seria = s ? *s : w.serie[0];
        RysujOsie(m, w, u, seria);
        if (s) {
            m.save();
            if (w.przycinanie) {
                QRectF klip = u.plot.united(u.plot.translated(u.glebia));
                // Marks may stand out of the plot to the right and above.
                klip.adjust(-1, -1, 1, 1);
                m.setClipRect(klip, Qt::IntersectClip);
            }
            if (Grupowane(w, *s))
                RysujGrupySlupkow(m, w, u, *s);
            else if (s->rodzaj == RodzajSerii::Slupki)
                RysujSlupki(m, w, u, *s);
            else
                RysujLinie(m, w, u, *s);
            m.restore();
        }
    }
    if (s) RysujLegende(m, w, u, *s);
    m.restore();
}

QImage RysujObraz(const Wykres& w, QSize rozmiar, double gestosc) {
    QImage obraz(rozmiar * gestosc, QImage::Format_ARGB32_Premultiplied);
    obraz.setDevicePixelRatio(gestosc);
    obraz.fill(Qt::white);
    QPainter m(&obraz);
    Rysuj(w, m, QRectF(QPointF(0, 0), QSizeF(rozmiar)));
    m.end();
    return obraz;
}

QByteArray RysujSvg(const Wykres& w, QSize rozmiar, const QString& tytul) {
    QByteArray bajty;
    QBuffer bufor(&bajty);
    bufor.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&bufor);
    svg.setSize(rozmiar);
    svg.setViewBox(QRect(QPoint(0, 0), rozmiar));
    svg.setResolution(96);
    // The generator writes the title as it is given (a "<" or "&" of a test's name would break
    // the document): a placeholder is replaced by the escaped title afterwards.
    static const QString znacznikTytulu = QStringLiteral("SONDREL-TYTUL");
    svg.setTitle(znacznikTytulu);
    QPainter m(&svg);
    Rysuj(w, m, QRectF(QPointF(0, 0), QSizeF(rozmiar)));
    m.end();
    // The generator gives the size in millimetres, which readers turn into pixels at their own
    // resolution; CSS pixels are the same everywhere.
    const qsizetype koniec = bajty.indexOf("viewBox");
    const qsizetype szer = bajty.indexOf("width=\"");
    if (szer >= 0 && koniec > szer)
        bajty.replace(szer, koniec - szer,
                      QStringLiteral("width=\"%1px\" height=\"%2px\"\n ")
                          .arg(rozmiar.width())
                          .arg(rozmiar.height())
                          .toLatin1());
    bajty.replace(QByteArray("<title>") + znacznikTytulu.toLatin1() + "</title>",
                  "<title>" + tytul.toHtmlEscaped().toUtf8() + "</title>");
    return RodzinyZZastepczymi(bajty);
}

QByteArray RysujPdf(const Wykres& w, QSize rozmiar, const QString& tytul) {
    QByteArray bajty;
    QBuffer bufor(&bajty);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bufor);
    pdf.setTitle(tytul);
    pdf.setResolution(96);
    pdf.setPageSize(QPageSize(QSizeF(rozmiar) * 72.0 / 96.0, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter m(&pdf);
    Rysuj(w, m, QRectF(QPointF(0, 0), QSizeF(rozmiar)));
    m.end();
    return bajty;
}

} // namespace sondrel::chartengine
