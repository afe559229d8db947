// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1250, the code page of every file the program reads as 8-bit text or writes.

#include <QByteArray>
#include <QString>

namespace sondrel {

QString Z1250(QByteArrayView bajty);

// A character that Windows-1250 cannot hold becomes "?".
QByteArray Na1250(QStringView tekst);

// For HTML: a character that Windows-1250 cannot hold becomes a numeric character reference.
QByteArray Na1250Html(QStringView tekst);

// Whether the character (a UTF-16 unit that is not a surrogate) has a Windows-1250 byte.
bool JestW1250(QChar znak);

} // namespace sondrel
