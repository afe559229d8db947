// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/nazwy_xml.h"

#include <QString>

namespace sondrel {

bool Ascii(QStringView s) {
    for (QChar z : s)
        if (z.unicode() >= 0x80) return false;
    return true;
}

bool RowneNazwy(QStringView a, QStringView b) {
    if (a.size() == b.size()) {
        qsizetype i = 0;
        while (i < a.size() && a[i].unicode() < 0x80 && b[i].unicode() < 0x80 &&
               DuzaAscii(a[i].unicode()) == DuzaAscii(b[i].unicode()))
            ++i;
        if (i == a.size()) return true;
    }
    // Upper-casing keeps an ASCII name's length and maps other letters to ASCII ones at times
    // (dotless i to I): only a pair of ASCII names is surely different here.
    if (Ascii(a) && Ascii(b)) return false;
    return a.toString().toUpper() == b.toString().toUpper();
}

quint32 SkrotNazwy(QStringView nazwa) {
    QString duza;
    if (!Ascii(nazwa)) {
        duza = nazwa.toString().toUpper();
        nazwa = duza;
    }
    if (const quint64 klucz = KluczNazwy(nazwa.utf16(), nazwa.size())) return SkrotKlucza(klucz);
    quint32 skrot = PoczatekSkrotu;
    for (QChar z : nazwa)
        skrot = DodajDoSkrotu(skrot, z.unicode());
    return skrot;
}

} // namespace sondrel
