// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as the entry lines of a test list: built into the tree, then picked, opened,
// closed and scrolled by the bytes of the first line, with the tree's invariants checked.
#include "formats/drzewo_testow.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace sondrel;

namespace {

void Sprawdz(const DrzewoTestow& d) {
    const int wpisow = static_cast<int>(d.Wpisy().size());
    if (d.IloscWierszy() > wpisow) std::abort();
    if (d.Wybrany() < -1 || d.Wybrany() >= wpisow) std::abort();
    if (wpisow > 0 && d.Wybrany() < 0) std::abort();
    for (int r = 0; r < d.IloscWierszy(); ++r) {
        const int i = d.WpisWWierszu(r);
        if (i < 0 || i >= wpisow || d.Wpisy()[i].Widoczny != 1) std::abort();
    }
    if (d.WpisWWierszu(d.IloscWierszy()) != -1) std::abort();
    const ZakresListwy z = d.Listwa();
    if (d.Pozycja() < 0 || d.Pozycja() > (z.widoczna ? z.maks : 0)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QString tekst =
        QString::fromUtf8(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    QStringList wiersze = tekst.split(QLatin1Char('\n'));
    const QString ruchy = wiersze.takeFirst();

    DrzewoTestow d;
    if (!d.Zbuduj(wiersze)) {
        if (!d.Wpisy().isEmpty() || d.Wybrany() != -1) std::abort();
        return 0;
    }
    Sprawdz(d);
    for (qsizetype i = 0; i < ruchy.size() && i < 64; ++i) {
        const int b = ruchy[i].unicode();
        switch (b % 3) {
        case 0:
            d.WybierzWiersz(DrzewoTestow::WierszNaWysokosci(b * 3 - 20));
            break;
        case 1:
            d.PrzelaczWybrana();
            break;
        default:
            d.UstawPozycje(b - 40);
            break;
        }
        Sprawdz(d);
    }
    return 0;
}
