// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/statystyka_pytan.h"

#include "analysis/ocenianie.h"
#include "core/lokalizacja.h"

#include <algorithm>

namespace sondrel {

void StatystykiPytan(Analiza& analiza) {
    const int pytan = std::clamp(analiza.Test.IloscPytan, 0, MaksPytan);
    const int uczniow = std::clamp(analiza.IloscUczniow, 0, MaksUczniow);

    for (int q = 1; q <= MaksPytan; ++q) {
        StatPytania& stat = analiza.StatPytan[q];
        stat = StatPytania{};
        if (q > pytan) continue;
        for (int s = 1; s <= uczniow; ++s) {
            const OdpowiedzBig& uczen = analiza.Uczniowie[s];
            if (PoprawnaOdpowiedz(uczen, q)) ++stat.Poprawnych;
            for (int k = 1; k <= MaksOdpowiedzi; ++k)
                if (uczen.Pytania[q][k].Wybrana) ++stat.Wybrali[k];
        }
        stat.ProcentPoprawnych = ProcentZaokraglony(stat.Poprawnych, uczniow);
    }
}

double LatwoscZadania(const Analiza& analiza, int pytanie) {
    if (pytanie < 1 || pytanie > MaksPytan || analiza.IloscUczniow <= 0) return 0;
    return ProcentZaokraglony(analiza.StatPytan[pytanie].Poprawnych, analiza.IloscUczniow) / 100.0;
}

QString KategoriaTrudnosci(double latwosc) {
    // The easiness values have two decimals; k / 100.0 is the same double as the literal, so
    // the comparisons below are exact on them. The bounds 0.49 and 0.69 belong to the lower
    // category, 0.19 and 0.89 to the upper one.
    if (!(latwosc >= 0.19)) return QStringLiteral("bardzo trudny");
    if (latwosc <= 0.49) return QStringLiteral("trudny");
    if (latwosc <= 0.69) return QStringLiteral("umiarkowanie trudny");
    if (latwosc < 0.89) return QStringLiteral("łatwy");
    return QStringLiteral("bardzo łatwy");
}

} // namespace sondrel
