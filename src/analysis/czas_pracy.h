// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Times of day and durations. A time of day is a fraction of a day (DataCzas, 0 <= t < 1), a
// duration a real number of days; every conversion between them, milliseconds and texts lives
// here.

#include "core/analiza.h"

#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

namespace sondrel {

constexpr qint64 MilisekundDoby = 86'400'000;

// Days to whole milliseconds, halves to the even neighbour, sign kept. A value that is not
// finite counts as 0; values beyond about a hundred thousand years are clamped.
qint64 MilisekundyCzasu(double dni);
// Milliseconds to days.
double CzasZMilisekund(qint64 milisekundy);

// The time of day of t in milliseconds, 0 .. MilisekundDoby - 1 (whole days dropped, a
// negative t counted back from midnight).
qint64 MilisekundyGodziny(DataCzas t);
QTime GodzinaZCzasu(DataCzas t);
DataCzas CzasZGodziny(const QTime& godzina);

// The time of day in the locale's long time format ("10:42:30" on a Polish system).
QString TekstGodziny(DataCzas t);

// The duration text: hours + " godz. ", minutes + " min ", seconds + " s", each piece only
// when its number is above 0; the magnitude of the duration is written, whole days and
// leftover milliseconds are dropped. Under one second gives the empty text.
QString TekstCzasu(double dni);

// The duration in minutes rounded to one decimal (halves to even), from its magnitude's
// whole seconds, whole days dropped: the value the time chart shows (12 min 15 s is 12.2).
double MinutyCzasu(double dni);

// The student's working time in days: Koniec - Start, negative when the end lies before the
// start; such a time is written as its magnitude and lowers the class mean.
double CzasPracy(const OdpowiedzBig& uczen);

// The mean working time of students 1..IloscUczniow, stored in Test.SredniCzasPracy and
// returned; 0 without students.
DataCzas ObliczSredniCzasPracy(Analiza& analiza);

// A time text as answer files hold it: hours, minutes and optionally seconds separated by ":"
// or by the locale's time separator, the same one throughout ("9:05", "09:05:30", "09.05.30"
// in Finnish), then the locale's AM/PM designator where its
// time format has one; spaces around allowed. Nothing for any other text or an impossible time
// (25:00, 10:60).
std::optional<DataCzas> CzasZTekstu(const QString& tekst, const QLocale& jezyk = QLocale());

// The locale's time separator (":" on a Polish system).
QString SeparatorGodziny(const QLocale& jezyk = QLocale());

} // namespace sondrel
