// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a time of day from an answer file, in the Polish and an AM/PM locale: parsed,
// and when accepted written back and parsed again to the same time.
#include "analysis/czas_pracy.h"

#include <QLocale>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace sondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QString tekst =
        QString::fromUtf8(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    for (const QLocale& jezyk : {QLocale(QLocale::Polish, QLocale::Poland),
                                 QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const std::optional<DataCzas> czas = CzasZTekstu(tekst, jezyk);
        if (!czas) continue;
        if (*czas < 0 || *czas >= 1) std::abort();
        QLocale::setDefault(jezyk);
        const std::optional<DataCzas> znowu = CzasZTekstu(TekstGodziny(*czas), jezyk);
        if (!znowu || *znowu != *czas) std::abort();
        TekstCzasu(*czas);
    }
    return 0;
}
