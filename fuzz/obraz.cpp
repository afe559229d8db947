// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a JPEG, a GIF and a Windows bitmap: the size decoders must refuse damaged
// pictures without a crash, and a size they give is always positive.
#include "formats/obraz.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace sondrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QByteArrayView bajty(reinterpret_cast<const char*>(dane),
                               static_cast<qsizetype>(rozmiar));
    for (RodzajObrazu rodzaj : {RodzajObrazu::Jpeg, RodzajObrazu::Gif, RodzajObrazu::Bmp}) {
        const std::optional<RozmiarObrazu> r = RozmiarObrazuZDanych(rodzaj, bajty);
        if (r && (r->szerokosc <= 0 || r->wysokosc <= 0)) __builtin_trap();
    }
    RodzajObrazuZNazwy(QString::fromLatin1(bajty.first(std::min<qsizetype>(bajty.size(), 64))));
    return 0;
}
