#pragma once
// Writing the files a user relies on: the bytes go to a temporary name that replaces the old
// file only when everything was written, so a failure never leaves a truncated file.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sondrel {

// Files the user keeps are also synced to the disk before they replace the old ones; files of
// the temporary folder, which live until the next start, are not (a sync per report picture
// made saving a whole class's reports many times slower).
enum class Trwalosc { NaDysku, Tymczasowy };

// Returns false (and leaves any old file as it was) when the file cannot be written.
bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr,
                Trwalosc trwalosc = Trwalosc::NaDysku);

// The same, but a file that already holds exactly these bytes is left as it is (the pictures
// that every report puts beside itself).
bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr);

// Lines in Windows-1250, each ended by CR LF.
QByteArray Wiersze1250(const QStringList& wiersze);

} // namespace sondrel
