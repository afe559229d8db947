// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table as a grid of cells: every cell carries its text and its look (background, font
// colour, weight, alignment), with the column widths and the size of the whole table in
// pixels, so that a window draws it without deciding anything itself.

#include <QList>
#include <QString>
#include <cstdint>

namespace sondrel {

// A colour as 0xAARRGGBB, the layout of QRgb (opaque colours only).
using Kolor = std::uint32_t;

constexpr Kolor Rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<std::uint32_t>(r & 0xFF) << 16) |
           (static_cast<std::uint32_t>(g & 0xFF) << 8) | static_cast<std::uint32_t>(b & 0xFF);
}

// The colours of the tables.
constexpr Kolor KolorBialy = Rgb(255, 255, 255);       // ordinary rows, header text
constexpr Kolor KolorPaska = Rgb(232, 244, 223);       // every fifth student row
constexpr Kolor KolorSumy = Rgb(255, 255, 200);        // sum row, mean rows
constexpr Kolor KolorSredniej = Rgb(221, 224, 216);    // average row of the results table
constexpr Kolor KolorCzerwony = Rgb(255, 0, 0);        // wrong answers, totals, means
constexpr Kolor KolorGranatowy = Rgb(0, 0, 128);       // per-question sums
constexpr Kolor KolorZielony = Rgb(0, 128, 0);         // per-question percentages, times
constexpr Kolor KolorCzarny = Rgb(0, 0, 0);            // everything else
constexpr Kolor KolorNaglowkaPierwszy = Rgb(0, 0, 64); // header behind columns 0 and 1
constexpr Kolor KolorNaglowkaDalszy = Rgb(25, 25, 50); // header behind the other columns

// The font every cell is drawn with (East European character set).
inline constexpr char CzcionkaTabeli[] = "MS Sans Serif";
constexpr int RozmiarCzcionkiTabeli = 8; // points

enum class RodzajWyrownania { DoLewej, DoSrodka, DoPrawej };

struct Komorka {
    QString Tekst;
    Kolor Tlo = KolorBialy;
    Kolor KolorCzcionki = KolorCzarny;
    bool Pogrubiona = false;
    RodzajWyrownania Wyrownanie = RodzajWyrownania::DoLewej;

    bool operator==(const Komorka&) const = default;
};

class Tabela {
public:
    // Every row is this high; every row and every column is followed by a grid line.
    static constexpr int WysokoscWiersza = 16;
    static constexpr int GruboscLinii = 1;

    Tabela() = default;
    // A clean grid: every cell empty, black, normal weight, left-aligned, on white.
    Tabela(QList<int> szerokosciKolumn, int iloscWierszy);

    int IloscKolumn() const { return static_cast<int>(szerokosci.size()); }
    int IloscWierszy() const { return wiersze; }
    int SzerokoscKolumny(int kolumna) const { return szerokosci.at(kolumna); }
    const QList<int>& SzerokosciKolumn() const { return szerokosci; }

    // Rows and columns count from 0; row 0 is the header row.
    Komorka& komorka(int wiersz, int kolumna);
    const Komorka& komorka(int wiersz, int kolumna) const;

    // Sets one cell's text and look; the background stays as it is.
    void Ustaw(int wiersz, int kolumna, const QString& tekst, Kolor kolorCzcionki = KolorCzarny,
               bool pogrubiona = false, RodzajWyrownania wyrownanie = RodzajWyrownania::DoLewej);
    // Gives every cell of the row this background.
    void UstawTlo(int wiersz, Kolor tlo);

    // The size of the whole table in pixels, as the window sizes itself by it.
    int Szerokosc() const { return szerokosc; }
    int Wysokosc() const { return wysokosc; }
    void UstawRozmiar(int szerokoscTabeli, int wysokoscTabeli) {
        szerokosc = szerokoscTabeli;
        wysokosc = wysokoscTabeli;
    }

private:
    QList<int> szerokosci;
    int wiersze = 0;
    QList<Komorka> komorki; // row-major
    int szerokosc = 0;
    int wysokosc = 0;
};

} // namespace sondrel
