// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/obraz.h"

#include "support/pak_zapis.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

QByteArray zmien32(QByteArray bajty, int pozycja, qint32 wartosc) {
    qToLittleEndian(wartosc, bajty.data() + pozycja);
    return bajty;
}

QByteArray zmien16(QByteArray bajty, int pozycja, quint16 wartosc) {
    qToLittleEndian(wartosc, bajty.data() + pozycja);
    return bajty;
}

TEST(Obraz, RodzajZRozszerzenia) {
    struct Przypadek {
        const char* nazwa;
        std::optional<RodzajObrazu> rodzaj;
    } przypadki[] = {
        {"a.jpg", RodzajObrazu::Jpeg}, {"a.b.JPG", RodzajObrazu::Jpeg},
        {".gif", RodzajObrazu::Gif},   {"Rys.Bmp", RodzajObrazu::Bmp},
        {"a.jpeg", std::nullopt},      {"a.jpg ", std::nullopt},
        {"jpg", std::nullopt},         {"a.jpg\\obraz", std::nullopt},
        {"a.jpg.png", std::nullopt},   {"", std::nullopt},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(RodzajObrazuZNazwy(p.nazwa), p.rodzaj) << p.nazwa;
}

TEST(Obraz, RozmiaryPrawdziwychObrazow) {
    for (const auto& [w, h] : {std::pair{1, 1}, {17, 9}, {640, 3}, {3, 480}}) {
        EXPECT_EQ(RozmiarJpeg(ObrazJpeg(w, h)), (RozmiarObrazu{w, h}));
        EXPECT_EQ(RozmiarGif(ObrazGif(w, h)), (RozmiarObrazu{w, h}));
        for (RodzajBmp r : {RodzajBmp::Info, RodzajBmp::InfoOdGory, RodzajBmp::Core})
            EXPECT_EQ(RozmiarBmp(ObrazBmp(w, h, r)), (RozmiarObrazu{w, h}));
    }
}

TEST(Obraz, UszkodzonyJpegIGif) {
    const QByteArray jpg = ObrazJpeg(20, 10);
    const QByteArray gif = ObrazGif(20, 10);
    const QByteArray przypadki[] = {
        {},  "\xff\xd8", jpg.left(100), QByteArray(1000, '\0'),
        gif, // the right bytes for the other decoder
    };
    for (const QByteArray& bajty : przypadki)
        EXPECT_EQ(RozmiarJpeg(bajty), std::nullopt) << bajty.left(16).toHex().constData();

    QByteArray zeroWys = gif;
    zeroWys[8] = 0; // logical screen height 0
    zeroWys[9] = 0;
    for (const QByteArray& bajty : {QByteArray(), gif.left(6), gif.left(12), jpg, zeroWys})
        EXPECT_EQ(RozmiarGif(bajty), std::nullopt) << bajty.left(16).toHex().constData();
}

TEST(Obraz, UszkodzonaBitmapa) {
    const QByteArray bmp = ObrazBmp(10, 4); // 24-bit rows of 32 bytes from offset 54
    ASSERT_EQ(bmp.size(), 54 + 4 * 32);
    struct Przypadek {
        const char* opis;
        QByteArray bajty;
        std::optional<RozmiarObrazu> rozmiar;
    } przypadki[] = {
        {"wrong magic", QByteArray("MB") + bmp.mid(2), std::nullopt},
        {"file header only", bmp.left(14), std::nullopt},
        {"info header cut", bmp.left(40), std::nullopt},
        {"negative width", zmien32(bmp, 18, -10), std::nullopt},
        {"zero height", zmien32(bmp, 22, 0), std::nullopt},
        {"lowest height", zmien32(bmp, 22, std::numeric_limits<qint32>::min()), std::nullopt},
        {"width too big for the data", zmien32(bmp, 18, 0x7fffffff), std::nullopt},
        {"height too big for the data", zmien32(bmp, 22, 5), std::nullopt},
        {"unknown header size", zmien32(bmp, 14, 20), std::nullopt},
        {"header larger than the file", zmien32(bmp, 14, 4000), std::nullopt},
        {"7 bits per pixel", zmien16(bmp, 28, 7), std::nullopt},
        {"unknown compression", zmien32(bmp, 30, 9), std::nullopt},
        {"pixels past the end", zmien32(bmp, 10, 54 + 4 * 32 + 1), std::nullopt},
        {"pixels inside the header", zmien32(bmp, 10, 20), std::nullopt},
        {"8 bits per pixel, rows fit", zmien16(bmp, 28, 8), RozmiarObrazu{10, 4}},
        {"RLE8 needs no full rows", zmien32(zmien16(bmp.left(60), 28, 8), 30, 1),
         RozmiarObrazu{10, 4}},
        {"RLE8 with 24 bits per pixel", zmien32(bmp, 30, 1), std::nullopt},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(RozmiarBmp(p.bajty), p.rozmiar) << p.opis;
}

} // namespace
