// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixture writer for PAK containers and small real pictures. Containers are built from
// (name, bytes) members; the knobs below make hostile ones: any magic, any directory offset or
// size in the header, any offset or size in an entry, names that fill all 120 bytes.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace sondrel::testy {

struct CzlonPak {
    // The name as stored: 8-bit bytes (Windows-1250). Longer than 120 bytes is cut to 120;
    // exactly 120 bytes leaves no zero byte in the entry.
    QByteArray nazwa;
    QByteArray dane;
    // Values written into the entry instead of the real offset / size of the data.
    std::optional<qint32> przesuniecie = std::nullopt;
    std::optional<qint32> rozmiar = std::nullopt;
};

// A member whose name is given as text and stored in Windows-1250.
CzlonPak Czlon(const QString& nazwa, const QByteArray& dane);

struct UstawieniaPak {
    QByteArray magia = "PACK"; // written as given (4 bytes in a good container)
    std::optional<qint32> przesuniecieKatalogu = std::nullopt; // header value instead of the real
    std::optional<qint32> rozmiarKatalogu = std::nullopt;      // header value instead of n * 128
};

// Layout: the 12-byte header, the members' data in order, then the directory at the end.
QByteArray ZbudujPak(const QList<CzlonPak>& czlony, const UstawieniaPak& ustawienia = {});

// Writes ZbudujPak's bytes to the file; false when the file cannot be written.
bool ZapiszPak(const QString& sciezka, const QList<CzlonPak>& czlony,
               const UstawieniaPak& ustawienia = {});

// Writes raw bytes to a file (for files that are not containers at all).
bool ZapiszBajty(const QString& sciezka, const QByteArray& bajty);

// Real pictures of the given size (a small colour pattern).
QByteArray ObrazJpeg(int szerokosc, int wysokosc);
QByteArray ObrazGif(int szerokosc, int wysokosc);
// A GIF of the given pixels: one palette index a byte, rows top-down; the palette holds up to 256
// colours as 0xRRGGBB.
QByteArray ObrazGif(int szerokosc, int wysokosc, const QList<quint32>& paleta,
                    const QByteArray& indeksy);

enum class RodzajBmp {
    Info,       // 24-bit, BITMAPINFOHEADER, rows bottom-up
    InfoOdGory, // the same with a negative height: rows top-down
    Core,       // 24-bit, BITMAPCOREHEADER
};
QByteArray ObrazBmp(int szerokosc, int wysokosc, RodzajBmp rodzaj = RodzajBmp::Info);

} // namespace sondrel::testy
