// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of the archive's outputs as the workbook and the CSV forms write them:
//
//   "Porównanie"         one row per class and one for the pooled class: the figures of the
//                        comparison (those of "archiwum porownaj") under Polish headers
//   "Pytania w klasach"  one row per question; per class (and for the pooled class) the
//                        percent correct and the mark
//   "Historia ucznia"    one row per result: date, test, class, points, percent, grade

#include "archive/archiwum.h"
#include "archive/porownanie.h"
#include "arkusze/lista_arkusza.h"
#include "reports/raport.h"

#include <vector>

namespace sondrel {

// The sheets of the comparison; nothing for a comparison that failed.
std::vector<ListaArkusza> ListyPorownania(const ZestawienieKlas& zestawienie);

ListaArkusza ListaHistorii(const std::vector<WynikUcznia>& wyniki);

// The workbooks read from the archive and written to `sciezka`: the comparison of the analyses
// of these ids, the student's history (a student without results gives the message of the
// history report). The path, or the message of what failed.
WynikRaportu ArkuszPorownania(Archiwum& archiwum, const std::vector<qint64>& idy,
                              const QString& sciezka);
WynikRaportu ArkuszHistorii(Archiwum& archiwum, const QString& nazwiskoIImie,
                            const QString& sciezka);

// The file names offered: the test's name made safe + "_PorownanieKlas.xlsx", the student's
// + "_HistoriaUcznia.xlsx".
QString NazwaArkuszaPorownania(const QString& nazwaTestu);
QString NazwaArkuszaHistorii(const QString& nazwiskoIImie);

} // namespace sondrel
