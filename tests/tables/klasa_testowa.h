// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small class built straight into the records, scored and summed up as an analysis would.

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "core/analiza.h"
#include "tables/tabela.h"

#include <QStringList>
#include <QTime>
#include <gtest/gtest.h>
#include <ostream>

namespace sondrel {

inline void PrintTo(const Komorka& k, std::ostream* os) {
    *os << '"' << k.Tekst.toStdString() << "\" tlo " << std::hex << k.Tlo << " czcionka "
        << k.KolorCzcionki << std::dec << (k.Pogrubiona ? " bold" : " normal") << " wyr "
        << static_cast<int>(k.Wyrownanie);
}

namespace test {

// The test header: its name, one key per question, grade thresholds 90/75/50/30/20.
inline void Klasa(Analiza& a, const QString& nazwa, int iloscPytan) {
    a.Test = OTescie{};
    a.Test.NazwaTestu = nazwa;
    a.Test.IloscPytan = iloscPytan;
    a.Test.IloscOdpowiedzi = 4;
    a.Test.ProgCel = 90;
    a.Test.ProgBdb = 75;
    a.Test.ProgDb = 50;
    a.Test.ProgDst = 30;
    a.Test.ProgDp = 20;
    a.IloscUczniow = 0;
    a.WyczyscStatystyki();
}

// The key of every question: option A.
inline const QString Klucz = QStringLiteral("1000");
inline const QString Zle = QStringLiteral("0100");

// Adds a student who answered correctly exactly the questions marked '1' in wyniki (one
// character per question), working from start to koniec.
inline OdpowiedzBig& Uczen(Analiza& a, const QString& nazwisko, const QString& imie,
                           const QString& wyniki, QTime start = QTime(10, 0),
                           QTime koniec = QTime(10, 30), QTime zapis = QTime(10, 31)) {
    OdpowiedzBig& u = a.Uczniowie[++a.IloscUczniow];
    u = OdpowiedzBig{};
    u.Nazwisko = nazwisko;
    u.Imie = imie;
    for (int q = 1; q <= a.Test.IloscPytan; ++q) {
        const bool dobrze = q <= wyniki.size() && wyniki.at(q - 1) == QLatin1Char('1');
        if (ZapiszOdpowiedz(u, q, dobrze ? Klucz : Zle, Klucz)) ++u.Poprawnych;
    }
    OcenUcznia(a.Test, u);
    u.Start = CzasZGodziny(start);
    u.Koniec = CzasZGodziny(koniec);
    u.Zapis = CzasZGodziny(zapis);
    return u;
}

inline void Podsumuj(Analiza& a) {
    StatystykiPytan(a);
    PodsumujKlase(a);
}

inline Komorka K(const QString& tekst, Kolor tlo, Kolor czcionka = KolorCzarny,
                 bool pogrubiona = false, RodzajWyrownania wyr = RodzajWyrownania::DoLewej) {
    return Komorka{tekst, tlo, czcionka, pogrubiona, wyr};
}

} // namespace test
} // namespace sondrel
