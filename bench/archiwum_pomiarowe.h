// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analyses of the archive benchmarks: class i of 30 students and 60 questions wrote test
// i % 50 ("Sprawdzian N", 40 classes of each), its students those of year group i % 100 (a
// student, "Uczeń<s> Rocznik<r>", writes 20 of the tests), dated from 1 September 2020 on.

#include "archive/analiza_archiwalna.h"

#include <QCryptographicHash>
#include <QDate>
#include <random>

namespace sondrel::pomiary {

inline constexpr int AnalizArchiwum = 2000;
inline constexpr int UczniowKlasy = 30;
inline constexpr int PytanKlasy = 60;
inline constexpr int TestowArchiwum = 50;
inline constexpr int Rocznikow = 100;

inline AnalizaArchiwalna KlasaArchiwalna(int i) {
    std::mt19937 los(static_cast<unsigned>(i));
    AnalizaArchiwalna a;
    TestArchiwalny& t = a.Test;
    t.Nazwa = QStringLiteral("Sprawdzian %1").arg(i % TestowArchiwum);
    t.Autor = QStringLiteral("Anna Zielińska");
    t.IloscPytan = PytanKlasy;
    t.IloscOdpowiedzi = 5;
    t.Czas = 45;
    t.Wersja = QStringLiteral("4.0");
    t.ProgCel = 95;
    t.ProgBdb = 85;
    t.ProgDb = 70;
    t.ProgDst = 50;
    t.ProgDp = 30;
    for (int q = 0; q < PytanKlasy; ++q)
        t.Klucz.push_back(OpcjePytania(1u << ((q + i % TestowArchiwum) % 5)));
    for (int s = 0; s < UczniowKlasy; ++s) {
        UczenArchiwalny& u = a.Uczniowie.emplace_back();
        u.Nazwisko = QStringLiteral("Uczeń%1").arg(s);
        u.Imie = QStringLiteral("Rocznik%1").arg(i % Rocznikow);
        u.Start = 0.4;
        u.Koniec = 0.43;
        u.Zapis = 0.4301;
        u.Klucz = t.Klucz;
        for (int q = 0; q < PytanKlasy; ++q) {
            u.Zaznaczone.push_back(los() % 3 ? t.Klucz[static_cast<std::size_t>(q)]
                                             : OpcjePytania(1u << (los() % 5)));
            if (u.PoprawnaOdpowiedz(q + 1)) ++u.Poprawnych;
        }
        u.Procent = u.Poprawnych * 100 / PytanKlasy;
        u.Ocena = QStringLiteral("Dst");
        a.Pliki.push_back(
            {QStringLiteral("uczen%1.sko").arg(s),
             QString::fromLatin1(
                 QCryptographicHash::hash(QByteArray::number(i) + '/' + QByteArray::number(s),
                                          QCryptographicHash::Sha256)
                     .toHex())});
    }
    a.Klasa = QStringLiteral("%1%2").arg(4 + i % 5).arg(QChar(u'a' + (i / 5) % 6));
    a.DataNapisania = QDate(2020, 9, 1).addDays(i / 2);
    return a;
}

} // namespace sondrel::pomiary
