// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/wybor_plikow.h"

#include "analysis/czytnik_odpowiedzi.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace sondrel {

QStringList PosortujBezWielkosciLiter(QStringList teksty) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(teksty.begin(), teksty.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return teksty;
}

QStringList NazwyUczniowDoListy(const QStringList& pliki, bool najpierwImie,
                                Srodowisko& srodowisko) {
    QStringList nazwy;
    for (const QString& plik : pliki) {
        const QString nazwa = OdczytajNazweUcznia(plik, najpierwImie, srodowisko);
        if (nazwa.isEmpty()) break;
        nazwy.append(nazwa);
    }
    return PosortujBezWielkosciLiter(nazwy);
}

QStringList NazwyWszystkichPlikow(const QStringList& pliki, bool najpierwImie,
                                  Srodowisko& srodowisko) {
    QStringList nazwy;
    nazwy.reserve(pliki.size());
    for (const QString& plik : pliki)
        nazwy.append(OdczytajNazweUcznia(plik, najpierwImie, srodowisko));
    return nazwy;
}

} // namespace sondrel
