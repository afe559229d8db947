// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze/zapis_arkusza.h"

#include "arkusze/csv.h"
#include "arkusze/skoroszyt.h"

namespace sondrel {

QString FiltrZapisuArkusza() {
    return QStringLiteral("Skoroszyt programu Excel (*.xlsx);;CSV – tekst rozdzielany średnikami "
                          "(*.csv)");
}

bool SciezkaCsv(const QString& sciezka) {
    return sciezka.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

RodzajListy ListaTabeli(RodzajTabeli rodzaj) {
    switch (rodzaj) {
    case RodzajTabeli::Wynikow:
        return RodzajListy::Wyniki;
    case RodzajTabeli::Czasu:
        return RodzajListy::CzasPracy;
    case RodzajTabeli::Ocen:
        return RodzajListy::Oceny;
    }
    return RodzajListy::Wyniki;
}

WynikRaportu ZapiszArkuszAnalizy(Analiza& analiza, bool najpierwImie, RodzajListy lista,
                                 const QString& sciezka) {
    if (!SciezkaCsv(sciezka)) return ZapiszArkusz(sciezka, ListyAnalizy(analiza, najpierwImie));
    QString blad;
    const bool zapisano = ZapiszCsv(sciezka, ListaAnalizy(analiza, lista, najpierwImie), &blad);
    return WynikZapisu(sciezka, zapisano, blad);
}

} // namespace sondrel
