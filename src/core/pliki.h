#pragma once
// Writing the files a user relies on: the bytes go to a temporary name that replaces the old
// file only when everything was written, so a failure never leaves a truncated file.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sondrel {

// Returns false (and leaves any old file as it was) when the file cannot be written.
bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr);

// The same, but a file that already holds exactly these bytes is left as it is (the pictures
// that every report puts beside itself).
bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr);

// Lines in Windows-1250, each ended by CR LF.
QByteArray Wiersze1250(const QStringList& wiersze);

} // namespace sondrel
