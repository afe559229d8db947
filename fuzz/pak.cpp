// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a container file: opening, listing, looking up, extracting every member to memory
// and to a file, and reading every member as text and as a picture.
#include "formats/pak.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace sondrel;

namespace {

const QTemporaryDir& folder() {
    static const QTemporaryDir f(QDir::tempPath() + "/sondrel-fuzz-pak-XXXXXX");
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QString sciezka = folder().filePath("wejscie.pak");
    {
        QFile plik(sciezka);
        if (!plik.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        plik.write(reinterpret_cast<const char*>(dane), static_cast<qint64>(rozmiar));
    }
    TVfsPAK pak;
    OtworzPak(sciezka, pak);
    QStringList nazwy;
    ListaPlikowPak(nazwy, pak);
    const QString wyjscie = folder().filePath("wyjscie");
    for (const QString& nazwa : nazwy) {
        if (!JestWPak(nazwa, pak)) __builtin_trap();
        const std::optional<QByteArray> czlonek = StrumienZPak(nazwa, pak);
        if (czlonek && czlonek->size() > static_cast<qsizetype>(rozmiar)) __builtin_trap();
        const bool zapisany = WypakujDoPliku(nazwa, wyjscie, pak);
        if (zapisany != (czlonek && !czlonek->isEmpty())) __builtin_trap();
        QFile::remove(wyjscie);
        QStringList wiersze;
        WczytajTekstZPak(nazwa, wiersze, pak);
        RozmiarObrazu obraz;
        WczytajObrazZPak(nazwa, obraz, pak);
    }
    pak.Exists("Selo0.xml");
    return 0;
}
