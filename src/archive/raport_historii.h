// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report "Historia ucznia.": every archived result of one student, oldest first (date,
// test, class, points, percent, grade), with a line chart of the percent over time saved as a
// picture beside the report. It carries the student's name: for the teacher only.
//
// A name is not a person: results under one name from classes that cannot be one student's are
// shown apart, each group with its own table and chart, and the report says so.

#include "archive/archiwum.h"
#include "reports/raport.h"

#include <optional>
#include <vector>

namespace sondrel {

class Srodowisko;

// The line of a class label through the school years: the label in small letters without
// spaces and punctuation, its leading year (Arabic or Roman) dropped ("7a", "8 A" and "VIIa"
// are all "a"); a label that is nothing but a year stays itself ("7").
QString LiniaKlasy(const QString& klasa);

// The results of one name, grouped by the line of their class label (in the order of each
// line's first result, results oldest first as given). Results without a label join the only
// line there is, or make a group of their own beside several.
struct UczenHistorii {
    QStringList Klasy; // the labels of its results, each once, in order
    std::vector<WynikUcznia> Wyniki;
};
std::vector<UczenHistorii> RozdzielHistorie(const std::vector<WynikUcznia>& wyniki);

// What shows that results of the name belong to different students: one date in more than one
// class, or more than one result in one analysis. One sentence each, plain text.
QStringList RozniUczniowie(const std::vector<WynikUcznia>& wyniki);

// BezpiecznaNazwaPliku(name) + "_HistoriaUcznia.htm"; its chart the same name with ".png"
// (a second group's "_2.png", and so on).
QString NazwaRaportuHistorii(const QString& nazwiskoIImie);

DokumentRaportu ZbudujRaportHistorii(const QString& nazwiskoIImie,
                                     const std::vector<WynikUcznia>& wyniki,
                                     const UstawieniaRaportu& ustawienia,
                                     const QString& nazwaPliku);

// The student's results read from the archive, oldest first; nothing, with the message in
// `blad`, when the archive fails or holds no result of the student.
std::optional<std::vector<WynikUcznia>> WynikiHistorii(Archiwum& archiwum,
                                                       const QString& nazwiskoIImie, QString& blad);

// The student's history read from the archive and the report saved into the folder (the file
// name: NazwaRaportuHistorii unless given). No result gives a message and no report.
WynikRaportu RaportHistorii(Archiwum& archiwum, const QString& nazwiskoIImie,
                            const UstawieniaRaportu& ustawienia, const QString& folder,
                            const Srodowisko& srodowisko, const QString& nazwaPliku = {});

} // namespace sondrel
