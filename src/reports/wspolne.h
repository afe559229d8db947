// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the report builders.

#include "core/analiza.h"
#include "reports/raport.h"

#include <QString>
#include <algorithm>

namespace sondrel::raporty {

// The numbers of questions and students that the records can hold, whatever was declared.
inline int Pytan(const Analiza& a) {
    return std::clamp(a.Test.IloscPytan, 0, MaksPytan);
}
inline int Uczniow(const Analiza& a) {
    return std::clamp(a.IloscUczniow, 0, MaksUczniow);
}

// Whether option k (1..5) is shown: A, B and C always, D and E when the test has them.
inline bool OpcjaWidoczna(const Analiza& a, int k) {
    return k <= 3 || k <= a.Test.IloscOdpowiedzi;
}

inline QString Litera(int k) {
    return QString(QChar(u'A' + (k - 1)));
}

// The test's name and author come from the first answer file, which anyone can write: they are
// text, not markup (the question and option texts of the teacher's test file stay markup).
inline QString NazwaTestuHtml(const Analiza& a) {
    return TekstHtml(a.Test.NazwaTestu);
}
inline QString AutorHtml(const Analiza& a) {
    return TekstHtml(a.Test.Autor);
}

inline QString TypTestu(const Analiza& a) {
    return a.Test.TypTestu == 0 ? QStringLiteral("pojedynczego wyboru.")
                                : QStringLiteral("wielokrotnego wyboru.");
}

// A report's document: its file's name and the frame's head with the title and recipient.
inline DokumentRaportu NowyRaport(const QString& nazwaPliku, StylRaportu styl, const QString& tytul,
                                  const UstawieniaRaportu& ustawienia) {
    DokumentRaportu d;
    d.nazwaPliku = nazwaPliku;
    ZacznijRaport(d.wiersze, styl, tytul, ustawienia.odbiorca);
    return d;
}

// The public face of a report about one question or one student: `numer` outside 1..`ile`
// gives the message `bladZakresu` (its %1 the number), else the report is built and saved.
inline WynikRaportu
ZapiszRaportONumerze(DokumentRaportu (*zbuduj)(const Analiza&, const UstawieniaRaportu&, int),
                     int numer, int ile, const QString& bladZakresu, const Analiza& analiza,
                     const UstawieniaRaportu& ustawienia, const Srodowisko& srodowisko) {
    if (numer < 1 || numer > ile) {
        WynikRaportu wynik;
        wynik.blad = bladZakresu.arg(numer);
        return wynik;
    }
    return ZapiszRaport(zbuduj(analiza, ustawienia, numer), analiza, srodowisko);
}

inline const QString Spacje4 = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
inline const QString Kreska = QString(45, QLatin1Char('_'));

} // namespace sondrel::raporty
