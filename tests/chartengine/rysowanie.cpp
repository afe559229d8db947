// The chart engine on its own: the pie stays a circle and gives zero slices no area, many bars
// thin their labels out instead of piling them up, and the mouse's zoom maps back to values.
#include "chartengine/rysowanie.h"
#include "chartengine/uklad.h"

#include <gtest/gtest.h>

namespace sondrel::silnik {
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

} // namespace
} // namespace sondrel::silnik

namespace sondrel::silnik {
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
} // namespace sondrel::silnik
