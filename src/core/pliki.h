// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the files a user relies on: the bytes go to a temporary name that replaces the old
// file only when every byte is known to be on the disk, so a failure (a full disk, a file-size
// limit, a folder that cannot take files) never leaves an empty or truncated file, and never
// one in place of a good earlier file.

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

class QFile;

namespace sondrel {

// The reason of a failed system call in Polish ("brak miejsca na dysku", "brak uprawnień", ...),
// for every message that names why a file could not be read or written.
QString PowodBledu(int numerBledu);
// The reason of a failed operation on `plik`: the system's error `numerBledu` when there is one
// (errno taken right after the failure), else the kind of Qt's error.
QString PowodBledu(const QFileDevice& plik, int numerBledu);

// Opens `sciezka` for reading, safely: without waiting (a FIFO has no writer to wait for) and
// only when it is a regular file or a link to one (a FIFO, a device or a folder is refused).
// False with the reason in *powod. Every reader of a file the user names opens it here.
bool OtworzZwyklyPlik(QFile& plik, const QString& sciezka, QString* powod = nullptr);

// What the writer does when the path is a symbolic link.
enum class Dowiazanie {
    // Writes to the file the link points at, as any editor does: the files a user places.
    Podazaj,
    // Replaces the link itself with the new file and reads nothing through it: the program's
    // own temporary folder, where a planted link must not lead a write (or a comparison) out.
    Zastap,
};

// Returns false, with the reason in *blad, and leaves any old file as it was when the file
// cannot be written in full. A file in the program's data folder is made 0600 (WFolderzeDanych).
// Only a regular file (or a link to one, when followed) is replaced: a FIFO, a device node or a
// folder in the file's place is refused, so that a save never turns /dev/null into a file.
bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr,
                Dowiazanie dowiazanie = Dowiazanie::Podazaj);

// The same, but a file that already holds exactly these bytes is left as it is (the pictures
// that every report puts beside itself).
bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr,
                       Dowiazanie dowiazanie = Dowiazanie::Podazaj);

// A file of the program's scratch folder (Temp, emptied at every start): written whole under a
// temporary name beside it and renamed over the old file, so that a reader never finds a
// half-written file under its name; a link in its place is replaced, never followed, and only a
// regular file is replaced. Unlike ZapiszPlik it does not wait for the bytes to reach the disk:
// after a crash the folder is emptied anyway. The file is its owner's alone (0600).
bool ZapiszPlikRoboczy(const QString& sciezka, const QByteArray& bajty, QString* blad = nullptr);

// Whether the path lies in the program's own data folder (settings, journal, archive, Temp),
// whose files hold students' names and results: ZapiszPlik gives such a file to its owner
// alone (0600), while a file the user saves elsewhere gets the user's umask.
bool WFolderzeDanych(const QString& sciezka);

// Makes a folder (with the folders above it) and gives it to its owner alone (0700): the
// program's data folder and its Temp. An existing folder is made 0700 too. False when the
// folder cannot be made.
bool UtworzFolderPrywatny(const QString& sciezka);

// Lines in Windows-1250, each ended by CR LF.
QByteArray Wiersze1250(const QStringList& wiersze);

} // namespace sondrel
