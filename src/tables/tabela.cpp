// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/tabela.h"

#include <utility>

namespace sondrel {

Tabela::Tabela(QList<int> szerokosciKolumn, int iloscWierszy)
    : szerokosci(std::move(szerokosciKolumn)), wiersze(iloscWierszy < 0 ? 0 : iloscWierszy) {
    komorki.resize(static_cast<qsizetype>(wiersze) * szerokosci.size());
}

Komorka& Tabela::komorka(int wiersz, int kolumna) {
    Q_ASSERT(wiersz >= 0 && wiersz < wiersze && kolumna >= 0 && kolumna < IloscKolumn());
    return komorki[static_cast<qsizetype>(wiersz) * szerokosci.size() + kolumna];
}

const Komorka& Tabela::komorka(int wiersz, int kolumna) const {
    Q_ASSERT(wiersz >= 0 && wiersz < wiersze && kolumna >= 0 && kolumna < IloscKolumn());
    return komorki.at(static_cast<qsizetype>(wiersz) * szerokosci.size() + kolumna);
}

void Tabela::Ustaw(int wiersz, int kolumna, const QString& tekst, Kolor kolorCzcionki,
                   bool pogrubiona, RodzajWyrownania wyrownanie) {
    Komorka& k = komorka(wiersz, kolumna);
    k.Tekst = tekst;
    k.KolorCzcionki = kolorCzcionki;
    k.Pogrubiona = pogrubiona;
    k.Wyrownanie = wyrownanie;
}

void Tabela::UstawTlo(int wiersz, Kolor tlo) {
    for (int k = 0; k < IloscKolumn(); ++k)
        komorka(wiersz, k).Tlo = tlo;
}

} // namespace sondrel
