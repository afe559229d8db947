// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scoring and grading: whether a student answered a question correctly, the grade of a
// percentage, the student's display name, the order of the students and the class figures.

#include "core/analiza.h"

#include <QLocale>
#include <QString>
#include <span>

namespace sondrel {

// The six grades, numbered as the counts of OTescie::LiczbaOcen: 1 Cel, 2 Bdb, 3 Db, 4 Dst,
// 5 Dp, 6 Ndst.
constexpr int LiczbaStopni = 6;
constexpr int StopienCel = 1;
constexpr int StopienBdb = 2;
constexpr int StopienDb = 3;
constexpr int StopienDst = 4;
constexpr int StopienDp = 5;
constexpr int StopienNdst = 6;

// Short text as stored and compared ("Cel" .. "Ndst", with "Dp" for the fifth grade).
QString SkrotOceny(int stopien);
// Long text ("Celujący" .. "Niedostateczny").
QString NazwaOceny(int stopien);
// Value for the mean grade: 6 for Cel down to 1 for Ndst.
int WartoscOceny(int stopien);
// The grade number of a short text; any text that is not one of the first five is Ndst.
int StopienOceny(const QString& skrot);

// The grade of a percentage by the test's thresholds, tried from Cel down; the thresholds are
// used as read, whatever their order.
QString OcenaZProcentu(const OTescie& test, int procent);

// licznik * 100 / mianownik rounded half to even (0 when mianownik is not positive).
qint32 ProcentZaokraglony(qint64 licznik, qint64 mianownik);

// Records the student's answer to one question: the key and choice flags of the five options
// (a position beyond the end of a string is not "1"). Returns whether the question counts
// as correct for the points: the choice string equals the key string exactly.
bool ZapiszOdpowiedz(OdpowiedzBig& uczen, int pytanie, const QString& wybor, const QString& klucz);
bool ZapiszOdpowiedz(OdpowiedzBig& uczen, int pytanie, QStringView wybor, QStringView klucz);

// Procent from Poprawnych and the number of questions, and Ocena from Procent.
void OcenUcznia(const OTescie& test, OdpowiedzBig& uczen);

// True when the student's five choice flags of the question equal the key flags.
bool PoprawnaOdpowiedz(const OdpowiedzBig& uczen, int pytanie);

// "Imie Nazwisko" when najpierwImie (setting fn), else "Nazwisko Imie".
QString NazwaUcznia(const OdpowiedzBig& uczen, bool najpierwImie);

// Orders students 1..IloscUczniow by surname immediately followed by first name, compared
// case-insensitively by the collation of the given locale; equal names keep their reading
// order. Whole records move.
void SortujUczniow(Analiza& analiza, const QLocale& jezyk = QLocale());

// The class figures: SumaPoprawnych, LiczbaOcen, ProcentKlasy, OcenaKlasy, SredniaOcen.
// With no students the sum and the counts are 0, the percentage 0 and the mean grade 0.
void PodsumujKlase(Analiza& analiza);
// The same figures of any number of students, given their points and grade numbers (1 Cel ..
// 6 Ndst), by the thresholds and the number of questions of `test`, into `test`.
void PodsumujKlase(OTescie& test, std::span<const qint32> punkty, std::span<const int> stopnie);

} // namespace sondrel
