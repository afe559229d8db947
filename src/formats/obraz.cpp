// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/obraz.h"

#include <gif_lib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace sondrel {

namespace {

// --- JPEG --------------------------------------------------------------------------------------

// libjpeg ends the process on a fatal error unless the error manager jumps out instead.
struct BladJpeg {
    jpeg_error_mgr pub;
    std::jmp_buf skok;
};

[[noreturn]] void przerwijJpeg(j_common_ptr info) {
    std::longjmp(reinterpret_cast<BladJpeg*>(info->err)->skok, 1);
}

void bezKomunikatu(j_common_ptr) {}
void bezOstrzezenia(j_common_ptr, int) {}

// Kept free of objects with destructors: the error path leaves it through longjmp.
bool naglowekJpeg(const unsigned char* dane, unsigned long rozmiar, unsigned* szerokosc,
                  unsigned* wysokosc) {
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    BladJpeg blad;
    info.err = jpeg_std_error(&blad.pub);
    blad.pub.error_exit = przerwijJpeg;
    blad.pub.output_message = bezKomunikatu;
    blad.pub.emit_message = bezOstrzezenia;
    if (setjmp(blad.skok)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, dane, rozmiar);
    const bool dobry = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
    *szerokosc = info.image_width;
    *wysokosc = info.image_height;
    jpeg_destroy_decompress(&info);
    return dobry;
}

// --- GIF ---------------------------------------------------------------------------------------

struct CzytnikGif {
    const GifByteType* dane;
    qsizetype rozmiar;
    qsizetype pozycja;
};

int czytajGif(GifFileType* gif, GifByteType* cel, int ile) {
    auto* czytnik = static_cast<CzytnikGif*>(gif->UserData);
    const qsizetype n = std::min<qsizetype>(ile, czytnik->rozmiar - czytnik->pozycja);
    if (n <= 0) return 0;
    std::memcpy(cel, czytnik->dane + czytnik->pozycja, static_cast<size_t>(n));
    czytnik->pozycja += n;
    return static_cast<int>(n);
}

// --- BMP ---------------------------------------------------------------------------------------

quint16 u16(QByteArrayView d, qsizetype i) {
    return static_cast<quint16>(static_cast<quint8>(d[i]) | (static_cast<quint8>(d[i + 1]) << 8));
}

quint32 u32(QByteArrayView d, qsizetype i) {
    return static_cast<quint32>(u16(d, i)) | (static_cast<quint32>(u16(d, i + 2)) << 16);
}

constexpr qsizetype NaglowekPlikuBmp = 14;
constexpr quint32 NaglowekCore = 12;
constexpr quint32 NaglowekInfo = 40;

enum KompresjaBmp : quint32 {
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3,
    BiJpeg = 4,
    BiPng = 5,
    BiAlphaBitfields = 6,
};

bool bitowNaPikselBezKompresji(quint16 bity) {
    return bity == 1 || bity == 4 || bity == 8 || bity == 16 || bity == 24 || bity == 32;
}

} // namespace

std::optional<RodzajObrazu> RodzajObrazuZNazwy(const QString& nazwa) {
    // The extension starts at the last dot of the name's last part.
    qsizetype kropka = -1;
    for (qsizetype i = nazwa.size() - 1; i >= 0; --i) {
        const QChar z = nazwa[i];
        if (z == u'.') {
            kropka = i;
            break;
        }
        if (z == u'\\' || z == u'/' || z == u':') break;
    }
    if (kropka < 0) return std::nullopt;
    const QString rozszerzenie = nazwa.mid(kropka).toUpper();
    if (rozszerzenie == u".JPG") return RodzajObrazu::Jpeg;
    if (rozszerzenie == u".GIF") return RodzajObrazu::Gif;
    if (rozszerzenie == u".BMP") return RodzajObrazu::Bmp;
    return std::nullopt;
}

std::optional<RozmiarObrazu> RozmiarJpeg(QByteArrayView dane) {
    if (dane.isEmpty() ||
        static_cast<quint64>(dane.size()) > std::numeric_limits<unsigned long>::max())
        return std::nullopt;
    unsigned szerokosc = 0, wysokosc = 0;
    if (!naglowekJpeg(reinterpret_cast<const unsigned char*>(dane.data()),
                      static_cast<unsigned long>(dane.size()), &szerokosc, &wysokosc))
        return std::nullopt;
    // A JPEG frame holds at most 65535 x 65535 pixels.
    if (szerokosc == 0 || wysokosc == 0 || szerokosc > 65535 || wysokosc > 65535)
        return std::nullopt;
    return RozmiarObrazu{static_cast<int>(szerokosc), static_cast<int>(wysokosc)};
}

std::optional<RozmiarObrazu> RozmiarGif(QByteArrayView dane) {
    CzytnikGif czytnik{reinterpret_cast<const GifByteType*>(dane.data()), dane.size(), 0};
    int blad = 0;
    GifFileType* gif = DGifOpen(&czytnik, czytajGif, &blad);
    if (!gif) return std::nullopt;
    const RozmiarObrazu rozmiar{gif->SWidth, gif->SHeight};
    DGifCloseFile(gif, &blad);
    if (rozmiar.szerokosc <= 0 || rozmiar.wysokosc <= 0) return std::nullopt;
    return rozmiar;
}

std::optional<RozmiarObrazu> RozmiarBmp(QByteArrayView dane) {
    if (dane.size() < NaglowekPlikuBmp + 4 || dane[0] != 'B' || dane[1] != 'M') return std::nullopt;
    const quint32 poczatekPikseli = u32(dane, 10);
    const quint32 rozmiarNaglowka = u32(dane, 14);
    if (rozmiarNaglowka != NaglowekCore && rozmiarNaglowka < NaglowekInfo) return std::nullopt;
    if (rozmiarNaglowka > static_cast<quint64>(dane.size() - NaglowekPlikuBmp)) return std::nullopt;

    qint64 szerokosc = 0, wysokosc = 0;
    quint16 bity = 0;
    quint32 kompresja = BiRgb;
    if (rozmiarNaglowka == NaglowekCore) {
        szerokosc = u16(dane, 18);
        wysokosc = u16(dane, 20);
        bity = u16(dane, 24);
    } else {
        szerokosc = static_cast<qint32>(u32(dane, 18));
        wysokosc = static_cast<qint32>(u32(dane, 22));
        bity = u16(dane, 28);
        kompresja = u32(dane, 30);
    }
    // Rows stored from the top have a negative height.
    wysokosc = wysokosc < 0 ? -wysokosc : wysokosc;
    if (szerokosc <= 0 || wysokosc <= 0 || wysokosc > std::numeric_limits<int>::max())
        return std::nullopt;

    const qint64 rozmiarPliku = dane.size();
    if (poczatekPikseli < NaglowekPlikuBmp + rozmiarNaglowka || poczatekPikseli > rozmiarPliku)
        return std::nullopt;
    switch (kompresja) {
    case BiRgb:
    case BiBitfields:
    case BiAlphaBitfields: {
        if (!bitowNaPikselBezKompresji(bity)) return std::nullopt;
        // Each row is padded to a multiple of four bytes; every row must be in the file.
        const qint64 wiersz = (szerokosc * bity + 31) / 32 * 4;
        if (wysokosc > (rozmiarPliku - poczatekPikseli) / wiersz) return std::nullopt;
        break;
    }
    case BiRle8:
        if (bity != 8) return std::nullopt;
        break;
    case BiRle4:
        if (bity != 4) return std::nullopt;
        break;
    case BiJpeg:
    case BiPng:
        break;
    default:
        return std::nullopt;
    }
    return RozmiarObrazu{static_cast<int>(szerokosc), static_cast<int>(wysokosc)};
}

std::optional<RozmiarObrazu> RozmiarObrazuZDanych(RodzajObrazu rodzaj, QByteArrayView dane) {
    switch (rodzaj) {
    case RodzajObrazu::Jpeg:
        return RozmiarJpeg(dane);
    case RodzajObrazu::Gif:
        return RozmiarGif(dane);
    case RodzajObrazu::Bmp:
        return RozmiarBmp(dane);
    }
    return std::nullopt;
}

} // namespace sondrel
