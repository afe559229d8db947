// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PAK container that wraps every test, answer and test list file: a 12-byte header (the
// magic "PACK", the directory's offset and size), the members' data and a directory of 128-byte
// entries (a name of up to 120 bytes in Windows-1250, the data's offset and size). The program
// only reads containers. Every offset and size is checked against the file's real length before
// anything is allocated or read: a container that lies gets refused, never trusted.
//
// A container is an object: create it with std::make_unique / std::make_shared and let it go
// out of scope to close the file.

#include "formats/obraz.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

class QFile;

namespace sondrel {

class TVfsPAK {
public:
    static constexpr int RozmiarNaglowka = 12;
    static constexpr int RozmiarWpisu = 128;
    static constexpr int DlugoscNazwy = 120;

    TVfsPAK();
    ~TVfsPAK();
    TVfsPAK(const TVfsPAK&) = delete;
    TVfsPAK& operator=(const TVfsPAK&) = delete;

    // Closes the previous file and forgets its members, then opens `sciezka` read-only and reads
    // the header and the directory. False (closed, no members) for a missing or unreadable
    // file, a file shorter than the header, a wrong magic, or a directory that does not lie
    // wholly inside the file. A directory size that is not a multiple of 128 drops the rest.
    bool Open(const QString& sciezka);
    // Open for a reader that takes its document at once: a file of up to MaksWPamieci bytes is
    // read whole with one read and closed again, and its members are then taken from memory
    // (what the file becomes afterwards no longer matters). A larger file is opened as by Open.
    bool WczytajCaly(const QString& sciezka);
    static constexpr qint64 MaksWPamieci = 16 << 20;
    void Close();
    bool IsOpen() const;
    // Why the last Open or WczytajCaly could not open the file (the system's reason in Polish);
    // empty when it opened (even if it then proved no container).
    QString Powod() const { return powod; }

    // Whether a member of that name exists; letter case is ignored.
    bool Exists(const QString& nazwa) const;

    // The member's bytes (empty for a member of size 0). Nothing for a missing name or for an
    // entry whose data does not lie inside the file. The first of equal names wins.
    std::optional<QByteArray> Extract(const QString& nazwa) const;

    // The member's bytes without a copy, as Extract finds them: a view into the file held in
    // memory (WczytajCaly), valid until the container is closed or opened again; for a file
    // that is not held in memory, the bytes read into the container's buffer, valid until the
    // next ExtractView.
    std::optional<QByteArrayView> ExtractView(const QString& nazwa) const;

    // Creates (or replaces) the target file with the member's bytes; true when at least one byte
    // was written. A missing or damaged member creates no file.
    bool ExtractToFile(const QString& nazwa, const QString& sciezkaDocelowa) const;

    // Member names in directory order (decoded from Windows-1250).
    const QStringList& Names() const { return nazwy; }
    // Path of the open file; empty when closed.
    const QString& FileName() const { return nazwaPliku; }

private:
    struct Wpis {
        qint32 przesuniecie;
        qint32 rozmiar;
    };

    qsizetype indeks(const QString& nazwa) const;
    // Reads the header and the directory of the file just opened.
    bool CzytajKatalog();
    qint64 Dlugosc() const;
    // `ile` bytes at `od`: a view into the file held in memory, or the bytes read from the file
    // into `bufor`. Nothing when they do not lie inside the file or cannot be read.
    std::optional<QByteArrayView> Fragment(qint64 od, qint64 ile, QByteArray& bufor) const;
    // The data of member i, checked against the file's length.
    std::optional<QByteArrayView> Czlon(qsizetype i, QByteArray& bufor) const;

    std::unique_ptr<QFile> plik;
    QByteArray calosc; // the whole file, when it is held in memory
    bool wPamieci = false;
    mutable QByteArray bufor; // ExtractView of a file that is not held in memory
    QStringList nazwy;
    QVector<Wpis> wpisy;
    QString nazwaPliku;
    QString powod;
};

// The container operations the readers and reports call. None of them throws.

// Open with every failure turned into false.
bool OtworzPak(const QString& sciezka, TVfsPAK& pak);

// Replaces the contents of `lista` with the member names in directory order.
void ListaPlikowPak(QStringList& lista, const TVfsPAK& pak);

bool JestWPak(const QString& nazwa, const TVfsPAK& pak);

// The member's bytes, or nothing when it is missing or damaged.
std::optional<QByteArray> StrumienZPak(const QString& nazwa, const TVfsPAK& pak);

// ExtractToFile: true when the member was written with at least one byte.
bool WypakujDoPliku(const QString& nazwa, const QString& sciezkaDocelowa, const TVfsPAK& pak);

// Loads the member as Windows-1250 text lines into `lista` (lines end at CR LF, LF or CR; a
// zero byte ends the text). False, with `lista` empty, when the member is missing or damaged.
bool WczytajTekstZPak(const QString& nazwa, QStringList& lista, const TVfsPAK& pak);

// The width and height of a picture member by the extension of its name (".JPG", ".GIF",
// ".BMP", any case). False, with a size of 0 x 0, when the member is missing, its extension is
// another one or its data is damaged.
bool WczytajObrazZPak(const QString& nazwa, RozmiarObrazu& obraz, const TVfsPAK& pak);

} // namespace sondrel
