// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The test list as a tree of groups and tests: its entries parsed from the list's entry lines
// (see czytnik_listy.h), which of them have a row, which one is picked, and the rows a click or
// a scroll position lands on. The two-list window draws it and passes clicks in; everything
// else lives here, without a window.
//
// An entry line holds eight fields, each ended by "*" ("@*" is a star inside a field and keeps
// the "@"): id, depth, number of entries below it, parent id, shown flag, display state,
// caption, test file name.

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace sondrel {

// Display states of an entry.
constexpr int StanNormalny = 0;
constexpr int StanWybrany = 2;
constexpr int StanSzary = 3;
constexpr int StanPodkreslony = 4;

struct Wpis {
    qint32 Id = 0;
    qint32 Poziom = 0;   // depth, 0 at the top
    qint32 Potomkow = 0; // entries directly after this one that lie under it (all depths)
    qint32 Rodzic = 0;   // Id of the entry it lies under
    QString Opis;        // caption
    QString Plik;        // test file name; empty for a group
    qint32 Widoczny = 0; // 1: the entry has a row
    qint32 Stan = StanNormalny;

    bool operator==(const Wpis&) const = default;
};

// One entry from its line, or nothing when one of the six numeric fields is not a whole
// number (a field without its closing "*" is empty, so a short line fails on its first missing
// number; missing caption and file name are only empty). Only top-level entries take their
// shown flag from the line; deeper ones start hidden. State 2 (picked) is read as 0.
std::optional<Wpis> CzytajWpis(QStringView wiersz);

// The path of a test picked in the list: the list file's folder followed by the stored file
// name (stored names begin with a separator; one is put between when it does not). Backslashes
// of lists written on Windows are read as separators.
QString SciezkaTestuZListy(const QString& plikListy, const QString& plik);

// Scroll range of a list of `wierszy` rows of which `widocznych` fit: the bar is shown only
// when the rows do not fit, with the range 0 .. rows - fitting and its steps.
struct ZakresListwy {
    bool widoczna = false;
    int maks = 0;
    int duzyKrok = 0;
    int malyKrok = 0;
    bool operator==(const ZakresListwy&) const = default;
};
ZakresListwy ZakresListwyListy(int wierszy, int widocznych);

class DrzewoTestow {
public:
    static constexpr int WysokoscWiersza = 16; // pixels per row
    static constexpr int Margines = 5;         // above the first row
    static constexpr int WierszeMieszczace = 19;

    // Replaces the tree with the entries of `wiersze` and resets the view (no scroll, entry 0
    // picked). False, with an empty tree, when a line cannot be parsed.
    bool Zbuduj(const QStringList& wiersze);
    void Wyczysc();

    const QList<Wpis>& Wpisy() const { return wpisy; }
    // Index of the picked entry, -1 for none.
    int Wybrany() const { return wybrany; }
    const Wpis* WybranyWpis() const;

    // Rows: the entries with Widoczny = 1 in list order.
    int IloscWierszy() const { return static_cast<int>(wiersze.size()); }
    // The entry drawn in row `wiersz`, -1 below the last row.
    int WpisWWierszu(int wiersz) const;
    // The row of a point `y` pixels below the top of the whole tree (not of the scrolled view).
    static int WierszNaWysokosci(int y);

    // A group is an entry with entries below it; it is open when the entry after it has a row.
    bool Grupa(int indeks) const;
    bool Otwarta(int indeks) const;

    // Picks the entry drawn in `wiersz`: the previous pick goes back to state 0, the new one
    // gets state 2. Returns its index, or -1 (nothing changes) below the last row.
    int WybierzWiersz(int wiersz);
    // The double click on the picked entry: an open group closes with all its levels, a closed
    // one opens its first level. Returns whether anything changed.
    bool PrzelaczWybrana();

    // Scroll position in rows, kept within the range of the current rows.
    int Pozycja() const { return pozycja; }
    void UstawPozycje(int p);
    ZakresListwy Listwa() const { return ZakresListwyListy(IloscWierszy(), WierszeMieszczace); }

private:
    void PoliczWiersze();

    QList<Wpis> wpisy;
    QList<int> wiersze;
    int wybrany = -1;
    int pozycja = 0;
};

} // namespace sondrel
