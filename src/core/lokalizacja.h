// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers, dates and times as the user's locale writes them, and the program's rounding.

#include <QDate>
#include <QString>
#include <QTime>

namespace sondrel {

// The locale the program works in: the user's, or Polish when the system names none (the
// C / POSIX locale of a bare session), since the program, its files and its reports are Polish.
// Call once at start, after the application object exists.
void UstawJezykProgramu();

// licznik / mianownik rounded to the nearest integer, halves to the even neighbour, computed
// exactly. mianownik must be positive.
qint64 ZaokraglijIloraz(qint64 licznik, qint64 mianownik);

// A real in the general format: at most 15 significant digits, no trailing zeros, no exponent,
// the locale's decimal separator.
QString TekstLiczby(double wartosc);

// The locale's short date and long time (the long time without a time zone).
QString TekstDatyKrotkiej(const QDate& data);
QString TekstGodzinyDlugiej(const QTime& czas);
QString FormatGodzinyDlugiej();

} // namespace sondrel
