// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart engine's model: a plain description of one chart (title and footer, two axes with
// their grids and walls, legend, backgrounds, 3D view, three series with value marks). Nothing
// here paints: uklad.h computes where everything goes for a given size, rysowanie.h paints the
// model through that layout on any QPainter (widget, QImage, SVG, PDF), so every output is the
// same picture.
//
// Adding a property: give it a field here with its default, read it in the layout when it
// changes the room something takes, and in the painter where it is drawn. Nothing else keeps a
// copy of the model's state.

#include <QColor>
#include <QImage>
#include <QPen>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

namespace sondrel::chartengine {

// A font as the chart keeps it: size in points; one device-independent pixel is 1/96 inch.
struct Pismo {
    QString rodzina = QStringLiteral("MS Sans Serif");
    double rozmiar = 8;
    QColor kolor = Qt::black;
    bool pogrubione = false;
    bool kursywa = false;
    bool podkreslone = false;
    bool przekreslone = false;
};

enum class Wyrownanie { DoLewej, DoSrodka, DoPrawej };

// The title or the footer.
struct Napis {
    QStringList wiersze;
    bool widoczny = true;
    Wyrownanie wyrownanie = Wyrownanie::DoSrodka;
    bool tloDoTekstu = false; // background and frame fit the text; else they span the chart
    bool przezroczysty = true;
    QColor tlo = Qt::white;
    bool ramka = false;
    QPen pioroRamki = QPen(Qt::black, 1);
    Pismo pismo;
};

struct Os {
    bool widoczna = true;
    QString tytul;
    int katTytulu = 0; // degrees, counter-clockwise
    Pismo pismoTytulu;
    Pismo pismoEtykiet;
    QColor kolorLinii = Qt::black;
    Qt::PenStyle stylLinii = Qt::SolidLine;
    int dlugoscZnacznika = 4;
    int dlugoscZnacznikaPomocniczego = 2;
    int liczbaPomocniczych = 3; // minor ticks between two labels (value axes)
    bool siatka = false;
    QColor kolorSiatki = Qt::black;
    bool siatkaKropkowana = true;
    bool siatkaPomocniczaWKropki = false; // minor grid lines drawn in small dots
    bool siatkaMiedzyEtykietami = false;  // grid lines centred between labels
    // The wall along the axis (left wall for the left axis, floor for the bottom one).
    bool scianka = true;
    bool sciankaPrzezroczysta = false;
    QColor kolorScianki = QColor(148, 149, 164);
};

enum class TekstLegendy { Etykieta, Wartosc, EtykietaIWartosc };

struct Legenda {
    bool widoczna = false;
    QColor tlo = Qt::white;
    QColor cien = QColor(128, 128, 128);
    int dlugoscCienia = 4;
    Pismo pismo;
    int polozenie = 12; // top in percent of the chart's height
    TekstLegendy tekst = TekstLegendy::Etykieta;
    int szerokoscKoloru = 15;
};

struct Tla {
    QColor panel = Qt::white;
    bool gradient = false;
    QColor gradientPoczatek = QColor(128, 128, 128);
    QColor gradientKoniec = QColor(81, 81, 81);
    QColor scianaTylna = Qt::white;
    bool scianaTylnaPrzezroczysta = false;
    QColor obramowanie = Qt::black; // frame line around the plotting area
    bool obramowanieWidoczne = true;
    QImage obraz;
    bool obrazWewnatrz = false; // inside the axes' frame, else the whole chart
    bool obrazWysrodkowany = true;
};

struct Widok3D {
    bool wlaczony = true;
    bool ortogonalny = true; // oblique projection; else the free view below
    int glebokosc = 20;      // percent
    bool scianki = true;     // the 3D walls
    int obrot = 360;
    int elewacja = 315;
    int perspektywa = 0;
    int zoom = 90;
    int pochylenie = 0;
};

enum class TekstZnacznika { Etykieta, Wartosc, Procent, EtykietaIWartosc, EtykietaIProcent };

// Value marks of a series.
struct Znaczniki {
    bool widoczne = true;
    bool przezroczyste = true;
    QColor tlo = Qt::white;
    Pismo pismo;
    TekstZnacznika tekst = TekstZnacznika::Wartosc;
    int dlugoscStrzalki = 8;
};

struct Punkt {
    QString etykieta;
    double wartosc = 0;
    QColor kolor;
};

enum class RodzajSerii { Slupki, Kolo, Linia };
enum class KsztaltSlupka { Prostokat, Gradient, Walec, Strzalka };
enum class KsztaltWierzcholka { Prostokat, Kolo, Trojkat, Gwiazda };

struct Seria {
    RodzajSerii rodzaj = RodzajSerii::Slupki;
    bool aktywna = false;
    QVector<Punkt> punkty;
    Znaczniki znaczniki;
    // Horizontal bars.
    KsztaltSlupka ksztalt = KsztaltSlupka::Gradient;
    double poczatek = 0;   // value at which the bars start
    int szerokosc = 30;    // percent of the space per bar
    int przesuniecie = 15; // percent
    bool koloryPunktow = true;
    // Pie.
    bool kreskowane = false;
    QColor tloKola = QColor(255, 0, 0);
    int eksplozja = 15; // the biggest slice, percent of the radius
    int obrotKola = 0;  // degrees
    bool okrag = true;  // a true circle whatever the chart's proportions
    // Line.
    QColor kolorLinii = QColor(255, 0, 0);
    bool wierzcholki = true;
    QColor kolorWierzcholkow = QColor(0, 0, 255);
    KsztaltWierzcholka ksztaltWierzcholka = KsztaltWierzcholka::Kolo;
    int szerokoscWierzcholka = 5;
    int wysokoscWierzcholka = 2;
    bool ciemneBoki3D = true;

    void Wyczysc() { punkty.clear(); }
    void Dodaj(double wartosc, const QString& etykieta, const QColor& kolor) {
        punkty.push_back({etykieta, wartosc, kolor});
    }
};

// One series of grouped bars: its name in the legend, its colour and a value per point.
struct SeriaGrupy {
    QString nazwa;
    QColor kolor;
    QVector<double> wartosci;
};

// The part of the values shown after mouse zoom or panning: along the series' points
// (indices) and along the values.
struct Zakres {
    double indeksOd = 0, indeksDo = 0;
    double wartoscOd = 0, wartoscDo = 0;
};

struct Wykres {
    Napis tytul;
    Napis stopka; // holds "Stopka", hidden
    Os lewa;
    Os dolna;
    Legenda legenda;
    Tla tla;
    Widok3D widok;
    std::array<Seria, 3> serie; // Series1 bars, Series2 pie, Series3 line
    // Grouped bars: with the bar series active, every series here is one bar in each point's
    // slot, side by side in the order given (the bar series gives the point labels, the bars'
    // shape, width, offset, start and marks); the legend names these series. Empty: the bar
    // series alone.
    QVector<SeriaGrupy> grupy;
    // Margins in percent of the chart's width or height.
    int marginesLewy = 3, marginesGorny = 4, marginesPrawy = 3, marginesDolny = 4;
    bool przycinanie = true;
    bool powiekszanie = true;     // mouse zoom by a dragged rectangle
    bool przesuwanie = true;      // panning with the right button
    std::optional<Zakres> zakres; // none: the whole data
    // Numbers in marks and on axes; the program gives it the locale's general format.
    std::function<QString(double)> formatLiczby;

    Wykres();

    // The one active series, or null.
    const Seria* Aktywna() const;
    // Sets a series' activity; activating or deactivating the pie also hides or shows the axes,
    // walls and the frame around the plotting area, turns clipping, zoom and panning off or on
    // and resets the 3D view's angles.
    void UstawAktywnosc(int indeks, bool aktywna);
};

QString TekstLiczbyDomyslny(double wartosc);

} // namespace sondrel::chartengine
