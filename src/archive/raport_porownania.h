// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report "Porównanie klas.": the classes that wrote one test side by side (their figures,
// grade counts, per question the facility and discrimination with the marked questions) and
// grouped bar charts of the facility per question, one series per class, saved as pictures
// beside the report. No student is named in it.
//
// It lives in the archive layer, not beside the other reports: it reads the archive's records
// (the comparison, the entries) and paints with the chart engine, and the report layer sits
// above both; from here it uses the report frame and the thin saving layer of reports/raport.h
// like every other report.

#include "archive/porownanie.h"
#include "reports/raport.h"

#include <QImage>
#include <vector>

namespace sondrel {

class Archiwum;
class Srodowisko;

// BezpiecznaNazwaPliku(test name) + "_PorownanieKlas.htm"; its chart is the same name with
// ".png" in place of ".htm" (further charts "_2.png", "_3.png", …).
QString NazwaRaportuPorownania(const QString& nazwaTestu);

// The chart: facility in percent per question (down the left axis), one bar per class. Many
// classes or questions are split into several charts, each of at most MaksKlasNaWykresie
// classes and at most MaksWysokoscWykresu pixels high (before the print density) where the
// questions allow, the questions shared out evenly, so that every chart stays readable on a
// page.
inline constexpr int MaksKlasNaWykresie = 6;
inline constexpr int MaksWysokoscWykresu = 1000;
struct WykresPorownania {
    QString opis; // which classes and questions it shows; empty when it is the only chart
    QImage obraz;
};
std::vector<WykresPorownania> WykresyPorownania(const ZestawienieKlas& zestawienie);

// The report as a document named `nazwaPliku` with its chart picture among its files.
DokumentRaportu ZbudujRaportPorownania(const ZestawienieKlas& zestawienie,
                                       const UstawieniaRaportu& ustawienia,
                                       const QString& nazwaPliku);

// Builds and saves the report into the folder (the file name: NazwaRaportuPorownania unless
// given). A comparison that failed gives its message.
WynikRaportu RaportPorownania(const ZestawienieKlas& zestawienie,
                              const UstawieniaRaportu& ustawienia, const QString& folder,
                              const Srodowisko& srodowisko, const QString& nazwaPliku = {});

// The archive window's entry: the analyses of these ids read from the archive, compared, and
// the report saved into the temporary folder. Ids that cannot be read or compared give the
// message.
WynikRaportu RaportPorownania(Archiwum& archiwum, const std::vector<qint64>& idy,
                              const UstawieniaRaportu& ustawienia, const Srodowisko& srodowisko);

} // namespace sondrel
