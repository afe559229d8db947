// SPDX-License-Identifier: GPL-3.0-or-later
// The chart engine on its own: the pie stays a circle and gives zero slices no area, many bars
// thin their labels out instead of piling them up, the mouse's zoom maps back to values, bars
// stay between the axes, the legend, title and footer say what they cannot show, and no
// setting a template can hold breaks the painting.
#include "chartengine/rysowanie.h"
#include "chartengine/uklad.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <climits>
#include <gtest/gtest.h>

namespace sondrel::chartengine {
namespace {

Wykres Kolo(QVector<double> wartosci) {
    Wykres w;
    const QColor kolory[] = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255),
                             QColor(250, 200, 0)};
    for (int i = 0; i < wartosci.size(); ++i)
        w.serie[1].Dodaj(wartosci[i], QStringLiteral("k%1").arg(i), kolory[i % 4]);
    w.UstawAktywnosc(1, true);
    w.widok.wlaczony = false;
    w.serie[1].eksplozja = 0;
    w.serie[1].znaczniki.widoczne = false;
    w.widok.zoom = 100;
    return w;
}

int Piksele(const QImage& obraz, const QColor& kolor) {
    int n = 0;
    for (int y = 0; y < obraz.height(); ++y)
        for (int x = 0; x < obraz.width(); ++x)
            n += obraz.pixelColor(x, y) == kolor;
    return n;
}

TEST(Silnik, KoloJestOkregiemIZeroweKawalkiNieMajaPola) {
    Wykres w = Kolo({0, 5, 0, 5});
    for (QSize rozmiar : {QSize(600, 240), QSize(240, 600)}) {
        const Uklad u = Rozmiesc(w, QRectF(QPointF(0, 0), QSizeF(rozmiar)));
        EXPECT_TRUE(u.kolo);
        EXPECT_EQ(u.splaszczenie, 1.0);
        EXPECT_LE(2 * u.promien, std::min(rozmiar.width(), rozmiar.height()));
        const QImage obraz = RysujObraz(w, rozmiar);
        const QPoint c = u.srodek.toPoint();
        const int r = int(u.promien * 0.9);
        // As far across as down: a circle, not an ellipse fitted to the area.
        for (QPoint d : {QPoint(r, 0), QPoint(-r, 0), QPoint(0, r), QPoint(0, -r)})
            EXPECT_NE(obraz.pixelColor(c + d), QColor(Qt::white)) << d.x() << "," << d.y();
        const int poza = int(u.promien * 1.1);
        for (QPoint d : {QPoint(poza, 0), QPoint(0, poza)})
            if (obraz.valid(c + d)) {
                EXPECT_EQ(obraz.pixelColor(c + d), QColor(Qt::white));
            }
        EXPECT_EQ(Piksele(obraz, QColor(255, 0, 0)), 0);
        EXPECT_EQ(Piksele(obraz, QColor(0, 0, 255)), 0);
        EXPECT_GT(Piksele(obraz, QColor(0, 200, 0)), 1000);
    }
    EXPECT_EQ(KolejnoscKola(w.serie[1]), (QVector<int>{0, 2, 1, 3}));
}

TEST(Silnik, CzterystaSlupkowBezZlewaniaSie) {
    Wykres w;
    for (int i = 1; i <= 400; ++i)
        w.serie[0].Dodaj(i % 61, QStringLiteral("Wiśniewska-Kowalczyk Małgorzata %1").arg(i),
                         QColor::fromHsv(i * 7 % 360, 200, 200));
    w.UstawAktywnosc(0, true);
    w.dolna.tytul = QStringLiteral("Ilość punktów");
    const QRectF obszar(0, 0, 1280, 900);
    const Uklad u = Rozmiesc(w, obszar);
    const double naSlupek = std::abs(u.indeksy.Na(1) - u.indeksy.Na(0));
    EXPECT_GT(u.krokEtykiet, 1);
    EXPECT_GE(u.krokEtykiet * naSlupek, 10); // a label's height at the default size
    // Labels and marks thin out instead of covering the plot in black text.
    const QImage obraz = RysujObraz(w, obszar.size().toSize());
    EXPECT_LT(Piksele(obraz, Qt::black), obraz.width() * obraz.height() / 4);
    if (!qEnvironmentVariableIsEmpty("SONDREL_ZRZUT"))
        obraz.save(qEnvironmentVariable("SONDREL_ZRZUT") + QStringLiteral("/slupki400.png"));
}

TEST(Silnik, PowiekszenieWracaDoWartosci) {
    Wykres w;
    for (int i = 0; i < 10; ++i)
        w.serie[0].Dodaj(i, QString::number(i), Qt::red);
    w.UstawAktywnosc(0, true);
    w.serie[0].znaczniki.widoczne = false;
    const QRectF obszar(0, 0, 600, 400);
    const Uklad u = Rozmiesc(w, obszar);
    const QRectF polowa(u.wartosci.Na(2), u.indeksy.Na(3), u.wartosci.Na(6) - u.wartosci.Na(2),
                        u.indeksy.Na(7) - u.indeksy.Na(3));
    const Zakres z = ZakresProstokata(w, obszar, polowa);
    EXPECT_NEAR(z.wartoscOd, 2, 1e-9);
    EXPECT_NEAR(z.wartoscDo, 6, 1e-9);
    EXPECT_NEAR(z.indeksOd, 3, 1e-9);
    EXPECT_NEAR(z.indeksDo, 7, 1e-9);
    w.zakres = z;
    const Zakres p =
        ZakresPrzesuniety(w, obszar, QPointF(-(u.wartosci.Na(1) - u.wartosci.Na(0)), 0));
    EXPECT_GT(p.wartoscOd, z.wartoscOd);
}

// Bars of points 1..n with the given values, nothing else on the chart.
Wykres Slupki(QVector<double> wartosci, double poczatek) {
    Wykres w;
    for (int i = 0; i < wartosci.size(); ++i)
        w.serie[0].Dodaj(wartosci[i], QStringLiteral("Uczeń %1").arg(i + 1), QColor(200, 0, 0));
    w.serie[0].poczatek = poczatek;
    w.serie[0].ksztalt = KsztaltSlupka::Prostokat;
    w.UstawAktywnosc(0, true);
    return w;
}

// With "Wartość początkowa:" above the values the bars grow to the left: their marks get room
// on that side as they get it on the right, and nothing is drawn left of the value axis.
TEST(Silnik, SlupkiOdWartosciPoczatkowejPowyzejWartosci) {
    Wykres w = Slupki({2, 7, 15, 19}, 15);
    const QRectF obszar(0, 0, 800, 500);
    const Uklad u = Rozmiesc(w, obszar);
    const QFontMetricsF fm(CzcionkaPisma(w.serie[0].znaczniki.pismo));
    for (int i = 0; i < 4; ++i) {
        const Seria& s = w.serie[0];
        const double szer = fm.horizontalAdvance(TekstZnacznika(w, s, i)) + 6;
        const double koniec = u.wartosci.Na(s.punkty[i].wartosc);
        if (s.punkty[i].wartosc < s.poczatek)
            EXPECT_GE(koniec - s.znaczniki.dlugoscStrzalki - szer, u.plot.left()) << i;
        else
            EXPECT_LE(koniec + s.znaczniki.dlugoscStrzalki + szer, u.plot.right()) << i;
    }
}

// After the mouse's zoom the origin lies left of the values shown: a 3D bar ends on the left
// wall (its top face is cut along the wall, not at a vertical line in front of it), and a bar
// wholly outside the values shown is not drawn.
TEST(Silnik, SlupkiPrzycinaneDoOsiWartosci) {
    Wykres w = Slupki({10, 10, 1}, 0);
    w.serie[0].znaczniki.widoczne = false;
    w.zakres = Zakres{-0.5, 2.5, 4, 12};
    const QRectF obszar(0, 0, 600, 400);
    const Uklad u = Rozmiesc(w, obszar);
    ASSERT_GT(u.glebia.x(), 8);
    ASSERT_LT(u.glebia.y(), -8);
    const QImage obraz = RysujObraz(w, obszar.size().toSize());
    const QColor sciana = w.lewa.kolorScianki;
    // Half way up the top face of the first bar, a quarter of the depth right of the front
    // edge: the wall, not the bar.
    const double h = std::abs(u.indeksy.Na(1) - u.indeksy.Na(0)) * w.serie[0].szerokosc / 100.0;
    const double gora = u.indeksy.Na(0) - h * w.serie[0].przesuniecie / 100.0 - h / 2;
    const QPoint naScianie(int(u.plot.left() + u.glebia.x() / 4), int(gora + u.glebia.y() / 2));
    EXPECT_EQ(obraz.pixelColor(naScianie), sciana);
    // The third bar (value 1) lies left of the values shown: the wall beside it is bare.
    const QPoint przyTrzecim(int(u.plot.left() + 2), int(u.indeksy.Na(2)));
    EXPECT_EQ(obraz.pixelColor(przyTrzecim), sciana);
    // The first bar itself is there, from the axis on.
    EXPECT_NE(obraz.pixelColor(QPoint(int(u.plot.left() + 3), int(u.indeksy.Na(0) - h * 0.15))),
              sciana);
}

// 25 points and room for fewer: the legend's last line says how many it leaves out.
TEST(Silnik, LegendaMowiIluNieZmiescila) {
    Wykres w = Slupki(QVector<double>(25, 3), 0);
    w.legenda.widoczna = true;
    for (const auto& [wysokosc, pominiete] : {std::pair{240, true}, std::pair{900, false}}) {
        SCOPED_TRACE(wysokosc);
        const Uklad u = Rozmiesc(w, QRectF(0, 0, 600, wysokosc));
        ASSERT_GT(u.wierszeLegendy, 1);
        if (pominiete) {
            EXPECT_LT(u.wierszeLegendy, 25);
            EXPECT_EQ(u.pominieteWLegendzie + u.wierszeLegendy - 1, 25);
            // the line fits the legend
            const QFontMetricsF fm(CzcionkaPisma(w.legenda.pismo));
            EXPECT_LE(fm.horizontalAdvance(TekstPominietych(u.pominieteWLegendzie)),
                      u.legenda.width() - 8);
        } else {
            EXPECT_EQ(u.wierszeLegendy, 25);
            EXPECT_EQ(u.pominieteWLegendzie, 0);
        }
    }
    EXPECT_EQ(TekstPominietych(10), QStringLiteral("… i 10 więcej"));
}

// A footer (and a title) wider than the chart is wrapped at its spaces, every word kept; a
// word wider than the chart is cut with "…" at its end, never at both.
TEST(Silnik, DlugaStopkaZawijanaNieUcinana) {
    Wykres w = Slupki({1, 2}, 0);
    const QString dluga = QStringLiteral("Klasa 3b, sprawdzian z ułamków zwykłych i dziesiętnych, "
                                         "drugi termin po feriach zimowych");
    w.stopka.widoczny = true;
    w.stopka.wiersze = {dluga};
    w.tytul.wiersze = {QString(200, u'W')};
    const QRectF obszar(0, 0, 300, 400);
    const Uklad u = Rozmiesc(w, obszar);
    const QFontMetricsF fm(CzcionkaPisma(w.stopka.pismo));
    ASSERT_GT(u.wierszeStopki.size(), 1);
    EXPECT_EQ(u.wierszeStopki.join(u' '), dluga);
    for (const QString& wiersz : u.wierszeStopki)
        EXPECT_LE(fm.horizontalAdvance(wiersz), u.stopka.width() - 8) << wiersz.toStdString();
    EXPECT_GE(u.stopka.height(), u.wierszeStopki.size() * fm.height());
    ASSERT_EQ(u.wierszeTytulu.size(), 1);
    EXPECT_TRUE(u.wierszeTytulu[0].startsWith(u'W'));
    EXPECT_TRUE(u.wierszeTytulu[0].endsWith(u'…'));
    // The plot starts below the title and ends above the footer.
    EXPECT_GE(u.plot.top(), u.tytul.bottom());
    EXPECT_LE(u.plot.bottom(), u.stopka.top());
}

// A mark that would lie under the legend is left out, as a mark that would cover another: no
// mark is cut by the legend's edge. The 3D view is zoomed so far that the bars' ends and their
// marks reach under the legend.
TEST(Silnik, ZnacznikiNieChowajaSiePodLegenda) {
    Wykres w = Slupki({10, 10, 10, 10, 10, 10, 10, 10}, 0);
    w.legenda.widoczna = true;
    w.legenda.polozenie = 0;
    Znaczniki& z = w.serie[0].znaczniki;
    z.przezroczyste = false;
    z.tlo = QColor(1, 2, 250);
    const QRectF obszar(0, 0, 500, 300);
    for (int zoom : {110, 125, 140}) {
        SCOPED_TRACE(zoom);
        w.widok.zoom = zoom;
        const Uklad u = Rozmiesc(w, obszar);
        const QImage obraz = RysujObraz(w, obszar.size().toSize());
        const QRect wokol =
            u.legenda.adjusted(-3, -3, w.legenda.dlugoscCienia + 3, w.legenda.dlugoscCienia + 3)
                .toAlignedRect();
        int przyLegendzie = 0, wszystkie = 0;
        for (int y = 0; y < obraz.height(); ++y)
            for (int x = 0; x < obraz.width(); ++x)
                if (obraz.pixelColor(x, y) == z.tlo) {
                    ++wszystkie;
                    przyLegendzie += wokol.contains(x, y);
                }
        EXPECT_GT(wszystkie, 0);
        EXPECT_EQ(przyLegendzie, 0);
    }
}

// The SVG copy names the face its texts were measured with (an installed one, for the stored
// "MS Sans Serif" too) and a generic sans-serif behind it, and stays well-formed whatever the
// texts hold.
TEST(Silnik, SvgNazywaCzcionkePomiaruIZastepcza) {
    Wykres w = Slupki({4, 9}, 0);
    w.tytul.wiersze = {QStringLiteral("Test <1> & \"2\"")};
    w.serie[0].punkty[0].etykieta = QStringLiteral("Kowalska & <Nowak>");
    const QFont czcionka = CzcionkaPisma(w.serie[0].znaczniki.pismo);
    EXPECT_EQ(w.serie[0].znaczniki.pismo.rodzina, QStringLiteral("MS Sans Serif"));
    EXPECT_TRUE(QFontDatabase::hasFamily(czcionka.family())) << czcionka.family().toStdString();
    EXPECT_EQ(QFontInfo(czcionka).family(), czcionka.family());

    const QByteArray svg = RysujSvg(w, QSize(500, 300), w.tytul.wiersze[0]);
    QXmlStreamReader xml(svg);
    QStringList rodziny;
    QString teksty;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.attributes().hasAttribute(QStringLiteral("font-family")))
                rodziny << xml.attributes().value(QStringLiteral("font-family")).toString();
            if (xml.name() == QLatin1String("text")) teksty += xml.readElementText() + u'\n';
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(teksty.contains(QStringLiteral("Kowalska & <Nowak>")));
    ASSERT_FALSE(rodziny.isEmpty());
    for (const QString& r : rodziny)
        EXPECT_TRUE(r.endsWith(QStringLiteral(", sans-serif"))) << r.toStdString();
    EXPECT_TRUE(rodziny.contains(u'\'' + czcionka.family() + u'\'' +
                                 (czcionka.family() == QLatin1String("Liberation Sans")
                                      ? QStringLiteral(", Arial")
                                      : QString()) +
                                 QStringLiteral(", sans-serif")));
    EXPECT_FALSE(svg.contains("MS Sans Serif"));
}

// An axis title's angle is brought into a turn before it is negated: INT_MIN (which a template
// can hold) draws as 232 degrees, the same angle; every other whole-number setting of a
// template at either end of its range paints without overflowing.
TEST(Silnik, SkrajneLiczbyZSzablonu) {
    Wykres w = Slupki({4, 9, 1}, 0);
    w.dolna.tytul = QStringLiteral("Ilość punktów");
    const auto obraz = [&](int kat) {
        Wykres k = w;
        k.dolna.katTytulu = kat;
        return RysujObraz(k, QSize(400, 300));
    };
    EXPECT_EQ(obraz(INT_MIN), obraz(232));
    EXPECT_EQ(obraz(INT_MAX), obraz(INT_MAX % 360));
    EXPECT_NE(obraz(INT_MIN), obraz(128));

    for (int skrajna : {INT_MIN, INT_MAX}) {
        for (int seria = 0; seria < 3; ++seria) {
            SCOPED_TRACE(testing::Message() << skrajna << " " << seria);
            Wykres k;
            for (int i = 0; i < 5; ++i)
                for (Seria& s : k.serie)
                    s.Dodaj(i * 3, QStringLiteral("p%1").arg(i), Qt::blue);
            k.UstawAktywnosc(seria, true);
            k.legenda.widoczna = true;
            k.dolna.tytul = k.lewa.tytul = QStringLiteral("oś");
            k.lewa.katTytulu = k.dolna.katTytulu = skrajna;
            k.legenda.dlugoscCienia = k.legenda.polozenie = skrajna;
            k.widok.ortogonalny = false;
            k.widok.glebokosc = 100;
            k.widok.obrot = k.widok.elewacja = k.widok.perspektywa = k.widok.zoom = skrajna;
            for (Seria& s : k.serie) {
                s.poczatek = skrajna;
                s.szerokosc = s.eksplozja = s.obrotKola = skrajna;
                s.szerokoscWierzcholka = s.wysokoscWierzcholka = skrajna;
            }
            const QImage o = RysujObraz(k, QSize(300, 200));
            EXPECT_FALSE(o.isNull());
            EXPECT_FALSE(RysujSvg(k, QSize(300, 200)).isEmpty());
        }
    }
}

} // namespace
} // namespace sondrel::chartengine

namespace sondrel::chartengine {
namespace {

// Grouped bars: each point's slot holds one bar per series, the first on top, each as long as
// its own value; the legend shows the series' colours.
TEST(Silnik, SlupkiWGrupachObokSiebie) {
    Wykres w;
    Seria& s = w.serie[0];
    s.Dodaj(0, QStringLiteral("1"), QColor());
    s.Dodaj(0, QStringLiteral("2"), QColor());
    s.ksztalt = KsztaltSlupka::Prostokat;
    s.szerokosc = 80;
    s.przesuniecie = 0;
    s.znaczniki.widoczne = false;
    const QColor czerwony(255, 0, 0), niebieski(0, 0, 255);
    w.grupy = {{QStringLiteral("7a"), czerwony, {100, 50}},
               {QStringLiteral("7b"), niebieski, {50, 100}}};
    w.UstawAktywnosc(0, true);
    w.widok.wlaczony = false;
    w.legenda.widoczna = true;
    w.zakres = Zakres{-0.5, 1.5, 0, 100};
    const QRectF obszar(0, 0, 400, 300);
    const QImage obraz = RysujObraz(w, obszar.size().toSize());
    const Uklad u = Rozmiesc(w, obszar);
    ASSERT_FALSE(u.legenda.isEmpty());

    struct Zasieg {
        int prawy = -1;
        double srodekY = 0;
        int ile = 0;
    };
    // The colour's pixels inside the plot in the slot of point i.
    const auto zasieg = [&](const QColor& kolor, int i) {
        Zasieg z;
        const int od = int(std::ceil(u.indeksy.Na(i - 0.5))), doY = int(u.indeksy.Na(i + 0.5));
        for (int y = od; y < doY; ++y)
            for (int x = int(u.plot.left()); x < int(u.plot.right()) + 2; ++x)
                if (obraz.pixelColor(x, y) == kolor) {
                    z.prawy = std::max(z.prawy, x);
                    z.srodekY += y;
                    ++z.ile;
                }
        if (z.ile) z.srodekY /= z.ile;
        return z;
    };
    const Zasieg c0 = zasieg(czerwony, 0), c1 = zasieg(czerwony, 1);
    const Zasieg n0 = zasieg(niebieski, 0), n1 = zasieg(niebieski, 1);
    EXPECT_NEAR(c0.prawy, u.wartosci.Na(100), 2);
    EXPECT_NEAR(c1.prawy, u.wartosci.Na(50), 2);
    EXPECT_NEAR(n0.prawy, u.wartosci.Na(50), 2);
    EXPECT_NEAR(n1.prawy, u.wartosci.Na(100), 2);
    EXPECT_LT(c0.srodekY, n0.srodekY); // the first series on top in its group
    EXPECT_LT(n0.srodekY, c1.srodekY); // groups do not overlap
    // Both colours in the legend's swatches.
    const auto wLegendzie = [&](const QColor& kolor) {
        int n = 0;
        for (int y = int(u.legenda.top()); y < int(u.legenda.bottom()); ++y)
            for (int x = int(u.legenda.left()); x < int(u.legenda.right()); ++x)
                n += obraz.pixelColor(x, y) == kolor;
        return n;
    };
    EXPECT_GT(wLegendzie(czerwony), 10);
    EXPECT_GT(wLegendzie(niebieski), 10);
}

} // namespace
} // namespace sondrel::chartengine
