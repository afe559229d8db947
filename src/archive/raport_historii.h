// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report "Historia ucznia.": every archived result of one student, oldest first (date,
// test, class, points, percent, grade), with a line chart of the percent over time saved as a
// picture beside the report. It carries the student's name: for the teacher only.

#include "archive/archiwum.h"
#include "reports/raport.h"

#include <optional>
#include <vector>

namespace sondrel {

class Srodowisko;

// BezpiecznaNazwaPliku(name) + "_HistoriaUcznia.htm"; its chart the same name with ".png".
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
