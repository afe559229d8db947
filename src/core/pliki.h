#pragma once
// Writing the files a user relies on: the bytes go to a temporary name that replaces the old
// file only when every byte is known to be on the disk, so a failure (a full disk, a file-size
// limit, a folder that cannot take files) never leaves an empty or truncated file, and never
// one in place of a good earlier file.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sondrel {

// What the writer does when the path is a symbolic link.
enum class Dowiazanie {
    // Writes to the file the link points at, as any editor does: the files a user places.
    Podazaj,
    // Replaces the link itself with the new file and reads nothing through it: the program's
    // own temporary folder, where a planted link must not lead a write (or a comparison) out.
    Zastap,
};

// Returns false, with the reason in *blad, and leaves any old file as it was when the file
// cannot be written in full.
bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr,
                Dowiazanie dowiazanie = Dowiazanie::Podazaj);

// The same, but a file that already holds exactly these bytes is left as it is (the pictures
// that every report puts beside itself).
bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr,
                       Dowiazanie dowiazanie = Dowiazanie::Podazaj);

// Lines in Windows-1250, each ended by CR LF.
QByteArray Wiersze1250(const QStringList& wiersze);

} // namespace sondrel
