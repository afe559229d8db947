// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart settings record: everything the user can change about a chart's look. The program
// keeps two of them for the whole run (the live settings that the chart follows, and the
// defaults that every opening of a chart copies back). Field order is the order of the stored
// template (see szablon_wykresu.h); the in-memory types are the program's own.
//
// Application to the chart object goes through the functions at the end: the whole record
// (ZastosujUstawienia), the title and footer groups, or one field at a time (for the settings
// window, which stores a field and applies it at once).

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace sondrel {

struct StanWykresu; // stan_wykresu.h: the chart object and the run state of the charts

// A colour as the template stores it: 0x00BBGGRR (red in the lowest byte).
using Kolor = std::uint32_t;

constexpr Kolor KolorRGB(int r, int g, int b) {
    return Kolor(r & 0xFF) | (Kolor(g & 0xFF) << 8) | (Kolor(b & 0xFF) << 16);
}
QColor DoQColor(Kolor kolor); // the upper byte is ignored
Kolor ZQColor(const QColor& kolor);

constexpr int DlugoscTekstu50 = 50; // the longest text a record field holds

// Style flags of a font.
constexpr std::uint8_t StylPogrubiony = 1;
constexpr std::uint8_t StylKursywa = 2;
constexpr std::uint8_t StylPodkreslony = 4;
constexpr std::uint8_t StylPrzekreslony = 8;

struct Czcionka {
    QString NazwaCzcionki = QStringLiteral("MS Sans Serif");
    Kolor KolorCzcionki = KolorRGB(0, 0, 0);
    std::int32_t Rozmiar = 8;
    std::uint8_t Styl = 0; // StylPogrubiony | StylKursywa | ...

    bool operator==(const Czcionka&) const = default;
};

// The title (Naglowek) or the footer (Stopka).
struct OpisTekstu {
    bool Widoczny = true;
    bool TloDoTekstu = false;
    bool Przezroczysty = true;
    bool Ramka = false;
    QString Tekst;               // mirrors the chart's text, cut to 50 characters
    std::int32_t Wyrownanie = 1; // 0 left, 1 centred, 2 right
    sondrel::Czcionka Czcionka;
    Kolor KolorTla = KolorRGB(255, 255, 255);

    bool operator==(const OpisTekstu&) const = default;
};

// One axis with its grid and its wall: OsPozioma (bottom), OsPionowa (left).
struct OpisOsi {
    QString Opis;
    std::int32_t Kat = 0;
    Kolor KolorOsi = KolorRGB(0, 0, 0);
    Czcionka CzcionkaOpisu;
    Czcionka CzcionkaEtykiet;
    bool SiatkaWidoczna = false;
    Kolor KolorSiatki = KolorRGB(0, 0, 0);
    std::int32_t RodzajLinii = 1; // 0 solid, anything else dotted
    bool SciankaPrzezroczysta = false;
    Kolor KolorScianki = KolorRGB(148, 149, 164);

    bool operator==(const OpisOsi&) const = default;
};

struct UstawieniaWykresu {
    OpisTekstu Naglowek;
    OpisTekstu Stopka;
    OpisOsi OsPozioma;
    OpisOsi OsPionowa;

    bool LegendaWidoczna = false;
    Kolor KolorLegendy = KolorRGB(255, 255, 255);
    Kolor KolorCienia = KolorRGB(128, 128, 128);
    Czcionka CzcionkaLegendy;
    std::int32_t DlugoscCienia = 4;
    std::int32_t PolozenieLegendy = 12; // top of the legend in percent of the chart's height
    std::int32_t PokazLegende = 0;      // 0 label, 1 value, 2 label and value

    bool ObrazTla = false; // not applied: set when a background picture is chosen
    bool ObrazWewnatrz = false;
    bool ObrazWysrodkowany = true;
    Kolor KolorTlaWykresu = KolorRGB(255, 255, 255);
    Kolor KolorTlaZewnetrzny = KolorRGB(255, 255, 255);
    Kolor KolorObramowania = KolorRGB(0, 0, 0);
    bool Gradient = false;
    Kolor KolorPoczatkowy = KolorRGB(128, 128, 128);
    Kolor KolorKoncowy = KolorRGB(81, 81, 81);

    // 3D: stored, but applied only one field at a time by the settings window.
    bool Wykres3D = true;
    bool Osie3D = true;
    std::int32_t Glebokosc3D = 30;
    bool Ortogonalny = false; // written when a kind is shown; never applied from the record
    std::int32_t Perspektywa = 0;
    std::int32_t Elewacja = 0;
    std::int32_t Obrot = 0;
    std::int32_t Zoom = 100;

    // Value marks of the current series.
    bool PokazWartosci = true;
    bool WartosciPrzezroczyste = true;
    Kolor KolorTlaWartosci = KolorRGB(255, 255, 255);
    Czcionka CzcionkaWartosci;
    std::int32_t RodzajWartosci = 1; // 0 label, 1 value, 2 percent, 3 label+value, 4 label+percent

    std::int32_t KsztaltSlupka = 1; // 0 rectangle, 1 with a gradient, 2 cylinder, 3 arrow
    Kolor KolorTlaKola = KolorRGB(255, 0, 0);
    bool WierzcholkiWidoczne = true;
    Kolor KolorWierzcholkow = KolorRGB(0, 0, 255);
    std::int32_t KsztaltWierzcholka = 1;   // 0 rectangle, 1 circle, 2 triangle, 3 star
    std::int32_t DlugoscWierzcholka = 5;   // marker width in pixels
    std::int32_t SzerokoscWierzcholka = 2; // marker height in pixels
    bool Kreskowane = false;
    Kolor Rezerwa = KolorRGB(255, 255, 255); // read by nothing
    std::int32_t Eksplozja = 15;             // percent of the radius
    std::int32_t ObrotKola = 0;              // degrees
    std::int32_t WartoscPoczatkowa = 0;
    std::int32_t SzerokoscSlupka = 30; // percent of the space per bar

    bool operator==(const UstawieniaWykresu&) const = default;
};

// The defaults of every field (title "Oto nagłówek", footer "Oto stopka", bottom axis caption
// "Oś pozioma", ...).
UstawieniaWykresu UstawieniaDomyslne();

// Fills the live settings with the defaults and copies them to the defaults record. Called once,
// when the settings window is made; nothing else writes the defaults record.
void UstawDomyslne(StanWykresu& stan);

// Applies every group of the live settings to the chart (title and footer, axes, legend,
// backgrounds, all three series, the marks of the current series); the 3D depth ends at 20 %.
// The texts, the 3D group and ObrazTla are not applied. The caller redraws.
void ZastosujUstawienia(StanWykresu& stan);

// The title and footer groups (the settings window applies them when its tab "Nagłówki" is
// shown or its choice changes).
void ZastosujNaglowki(StanWykresu& stan);

// Which text element or which axis a field of a group belongs to.
enum class CelTekstu { Naglowek, Stopka };
enum class Os { Pozioma, Pionowa };

enum class PoleTekstu {
    Widoczny,
    TloDoTekstu,
    Przezroczysty,
    Ramka,
    Tekst, // not applied: use UstawTekst for the chart's own text
    Wyrownanie,
    Czcionka,
    KolorTla,
};

enum class PoleOsi {
    Opis, // applies the stored (cut) caption; UstawOpisOsi gives the chart the whole text
    Kat,
    KolorOsi,
    CzcionkaOpisu,
    CzcionkaEtykiet,
    SiatkaWidoczna,
    KolorSiatki,
    RodzajLinii,
    SciankaPrzezroczysta,
    KolorScianki,
};

// The fields outside the two groups above, in the record's order.
enum class Pole {
    LegendaWidoczna,
    KolorLegendy,
    KolorCienia,
    CzcionkaLegendy,
    DlugoscCienia,
    PolozenieLegendy,
    PokazLegende,
    ObrazTla, // not applied (the picture is set by UstawObrazTla)
    ObrazWewnatrz,
    ObrazWysrodkowany,
    KolorTlaWykresu,
    KolorTlaZewnetrzny,
    KolorObramowania,
    Gradient,
    KolorPoczatkowy,
    KolorKoncowy,
    Wykres3D,
    Osie3D,
    Glebokosc3D,
    Ortogonalny, // the projection becomes orthogonal when the field is false ("Pokaż
                 // perspektywicznie")
    Perspektywa,
    Elewacja,
    Obrot,
    Zoom,
    PokazWartosci,
    WartosciPrzezroczyste,
    KolorTlaWartosci,
    CzcionkaWartosci,
    RodzajWartosci,
    KsztaltSlupka,
    KolorTlaKola,
    WierzcholkiWidoczne,
    KolorWierzcholkow,
    KsztaltWierzcholka,
    DlugoscWierzcholka,
    SzerokoscWierzcholka,
    Kreskowane,
    Rezerwa, // read by nothing
    Eksplozja,
    ObrotKola,
    WartoscPoczatkowa,
    SzerokoscSlupka,
};

// Single-field application: the caller has stored the field in the live settings; the chart
// takes it by the rule of its field (a value outside an enumerated field's range leaves the
// chart as it was). The caller redraws.
void ZastosujPole(StanWykresu& stan, CelTekstu cel, PoleTekstu pole);
void ZastosujPole(StanWykresu& stan, Os os, PoleOsi pole);
void ZastosujPole(StanWykresu& stan, Pole pole);

// The chart's own texts, which the record keeps only cut to 50 characters: the title or footer
// gets all lines, an axis title the whole text. The record is not touched.
void UstawTekst(StanWykresu& stan, CelTekstu cel, const QStringList& wiersze);
void UstawOpisOsi(StanWykresu& stan, Os os, const QString& opis);

// ---- the changes the settings window makes, record and chart together ----
// The title's or footer's text as typed: the record keeps the lines, each ended by CR LF, cut to
// 50 characters; the chart shows every line uncut.
void ZmienTekst(StanWykresu& stan, CelTekstu cel, const QStringList& wiersze);
// The lines of a text of the record (each ended by CR LF; the last may lack it).
QStringList WierszeTekstu(const QString& tekst);
// An axis caption as typed: the record keeps 50 characters, the chart the whole text.
void ZmienOpisOsi(StanWykresu& stan, Os os, const QString& opis);
// "Tekst w ramce" of the title or footer; the title's frame line becomes solid, black and one
// pixel wide whichever of the two is changed.
void ZmienRamke(StanWykresu& stan, CelTekstu cel, bool ramka);
// "Wstaw obraz jako": off removes the chart's picture; on marks the record and gives the chart
// the picture, unless it could not be read (null), when the chart keeps the one it had.
void ZmienObrazTla(StanWykresu& stan, bool wstaw, const QImage& obraz = {});

// The line series' colour, which the record does not hold.
QColor KolorLinii(const StanWykresu& stan);
void UstawKolorLinii(StanWykresu& stan, const QColor& kolor);

// The chart's background picture (a null image removes it). ObrazTla is the caller's to set.
void UstawObrazTla(StanWykresu& stan, const QImage& obraz);

// What the chart window offers a settings window: the chart's state and a redraw. The settings
// window stores a field in Stan().UstawieniaWykresu, calls ZastosujPole and then Odswiez().
class WykresDlaUstawien {
public:
    virtual ~WykresDlaUstawien() = default;
    virtual StanWykresu& Stan() = 0;
    virtual void Odswiez() = 0; // redraws the chart after a change
    // Where the chart is shown, in screen coordinates (empty when it is not shown): the
    // settings window opens beside it rather than over it.
    virtual QRect ObszarNaEkranie() const { return {}; }

    int RodzajWykresu(); // BiezacyRodzajWykresu: 1 bars, 2 pie, 3 line
    int BiezacaSeria();  // 0 bars (Series1), 1 pie (Series2), 2 line (Series3); -1 none
    void Zastosuj(CelTekstu cel, PoleTekstu pole); // ZastosujPole + Odswiez
    void Zastosuj(Os os, PoleOsi pole);
    void Zastosuj(Pole pole);
    void ZmienKolorLinii(const QColor& kolor); // the line colour only, then Odswiez
};

} // namespace sondrel
