// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison of element names, in one place because its three forms must agree: names are
// equal without regard to letter case exactly when RowneNazwy says so; two names of up to 7
// ASCII characters are equal exactly when their KluczNazwy are; equal names have equal
// SkrotNazwy. The view (widok_xml.cpp) and the tree (xml.cpp) both look children up by these;
// each reads them straight from its own storage where that saves building strings, and must
// give what these functions give.

#include <QStringView>
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <type_traits>

namespace sondrel {

// Up to this many children a parent's children are searched one by one; from more on, through
// a table of their hashes.
constexpr std::size_t DzieciBezIndeksu = 12;

inline char16_t DuzaAscii(char16_t z) {
    return (z >= u'a' && z <= u'z') ? char16_t(z - 32) : z;
}

// Bytes upper-cased as ASCII letters.
inline constexpr std::array<uchar, 256> DuzeAscii = [] {
    std::array<uchar, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<uchar>(i >= 'a' && i <= 'z' ? i - 32 : i);
    return t;
}();

bool Ascii(QStringView s);

// A name of 1 to 7 ASCII characters as one number: its upper-cased characters and its length,
// so that two such names are equal without regard to letter case exactly when their numbers
// are. 0 for any other name.
constexpr qsizetype ZnakowKlucza = 7;

template <typename Znak> quint64 KluczNazwy(const Znak* znaki, qsizetype dlugosc) {
    if (dlugosc < 1 || dlugosc > ZnakowKlucza) return 0;
    quint64 klucz = 0;
    for (qsizetype i = 0; i < dlugosc; ++i) {
        const auto z = static_cast<std::make_unsigned_t<Znak>>(znaki[i]);
        if (z >= 0x80) return 0;
        klucz = (klucz << 8) | DuzaAscii(char16_t(z));
    }
    return klucz | (quint64(dlugosc) << 56);
}

// The hash of a name that has a key.
inline quint32 SkrotKlucza(quint64 klucz) {
    return quint32((klucz * 0x9E3779B97F4A7C15ull) >> 32);
}

// FNV-1a over the upper-cased UTF-16 units of a name that has no key.
constexpr quint32 PoczatekSkrotu = 2166136261u;
inline quint32 DodajDoSkrotu(quint32 skrot, char16_t z) {
    return (skrot ^ DuzaAscii(z)) * 16777619u;
}

// Names are equal when their upper-cased forms are. ASCII names (all names of this program's
// documents) are compared without building new strings.
bool RowneNazwy(QStringView a, QStringView b);

// A hash of the upper-cased name, so that names equal without regard to letter case
// (RowneNazwy) get equal hashes: SkrotKlucza of its KluczNazwy when the upper-cased name has
// one, else FNV-1a over its UTF-16 units. Other names than ASCII are upper-cased by the
// platform, as RowneNazwy compares them.
quint32 SkrotNazwy(QStringView nazwa);

} // namespace sondrel
