// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pak_zapis.h"

#include "core/kodowanie1250.h"

#include <QFile>
#include <QtEndian>

#include <gif_lib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace sondrel::testy {

namespace {

void dopisz32(QByteArray& cel, qint32 liczba) {
    char bajty[4];
    qToLittleEndian(liczba, bajty);
    cel.append(bajty, 4);
}

void dopisz16(QByteArray& cel, quint16 liczba) {
    char bajty[2];
    qToLittleEndian(liczba, bajty);
    cel.append(bajty, 2);
}

// The pattern every picture shows: red across, green down, a blue diagonal.
struct Piksel {
    unsigned char r, g, b;
};

Piksel piksel(int x, int y, int szerokosc, int wysokosc) {
    return {static_cast<unsigned char>(255 * x / (szerokosc > 1 ? szerokosc - 1 : 1)),
            static_cast<unsigned char>(255 * y / (wysokosc > 1 ? wysokosc - 1 : 1)),
            static_cast<unsigned char>(x == y ? 255 : 0)};
}

// The encoder fails only on a fault of the test itself.
[[noreturn]] void bladJpeg(j_common_ptr info) {
    char tekst[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, tekst);
    std::fprintf(stderr, "JPEG encoder: %s\n", tekst);
    std::abort();
}

int zapiszGif(GifFileType* gif, const GifByteType* bajty, int ile) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bajty), ile);
    return ile;
}

} // namespace

CzlonPak Czlon(const QString& nazwa, const QByteArray& dane) {
    return CzlonPak{Na1250(nazwa), dane};
}

QByteArray ZbudujPak(const QList<CzlonPak>& czlony, const UstawieniaPak& ustawienia) {
    QByteArray wynik = ustawienia.magia;
    // Offsets count from the header as written (a hostile magic may be of another length).
    const qint64 poczatekDanych = ustawienia.magia.size() + 8;
    QByteArray katalog;
    qint64 pozycja = poczatekDanych;
    QByteArray dane;
    for (const CzlonPak& c : czlony) {
        QByteArray nazwa = c.nazwa.left(120);
        nazwa.append(QByteArray(120 - nazwa.size(), '\0'));
        katalog += nazwa;
        dopisz32(katalog, c.przesuniecie.value_or(static_cast<qint32>(pozycja)));
        dopisz32(katalog, c.rozmiar.value_or(static_cast<qint32>(c.dane.size())));
        dane += c.dane;
        pozycja += c.dane.size();
    }
    const qint64 poczatekKatalogu = poczatekDanych + dane.size();
    dopisz32(wynik,
             ustawienia.przesuniecieKatalogu.value_or(static_cast<qint32>(poczatekKatalogu)));
    dopisz32(wynik, ustawienia.rozmiarKatalogu.value_or(static_cast<qint32>(katalog.size())));
    wynik += dane;
    wynik += katalog;
    return wynik;
}

bool ZapiszBajty(const QString& sciezka, const QByteArray& bajty) {
    QFile plik(sciezka);
    return plik.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           plik.write(bajty) == bajty.size();
}

bool ZapiszPak(const QString& sciezka, const QList<CzlonPak>& czlony,
               const UstawieniaPak& ustawienia) {
    return ZapiszBajty(sciezka, ZbudujPak(czlony, ustawienia));
}

QByteArray ObrazJpeg(int szerokosc, int wysokosc) {
    jpeg_compress_struct info{};
    jpeg_error_mgr blad{};
    info.err = jpeg_std_error(&blad);
    blad.error_exit = bladJpeg;
    unsigned char* bufor = nullptr;
    unsigned long rozmiar = 0;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &bufor, &rozmiar);
    info.image_width = static_cast<JDIMENSION>(szerokosc);
    info.image_height = static_cast<JDIMENSION>(wysokosc);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> wiersz(static_cast<size_t>(szerokosc) * 3);
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < szerokosc; ++x) {
            const Piksel p = piksel(x, y, szerokosc, wysokosc);
            wiersz[3 * x] = p.r;
            wiersz[3 * x + 1] = p.g;
            wiersz[3 * x + 2] = p.b;
        }
        JSAMPROW wiersze[1] = {wiersz.data()};
        jpeg_write_scanlines(&info, wiersze, 1);
    }
    jpeg_finish_compress(&info);
    const QByteArray wynik(reinterpret_cast<const char*>(bufor), static_cast<qsizetype>(rozmiar));
    jpeg_destroy_compress(&info);
    std::free(bufor);
    return wynik;
}

QByteArray ObrazGif(int szerokosc, int wysokosc) {
    // Eight colours: the pattern's red and green halves and the diagonal.
    QList<quint32> paleta;
    for (quint32 i = 0; i < 8; ++i)
        paleta.append((i & 1 ? 0xff0000u : 0) | (i & 2 ? 0x00ff00u : 0) | (i & 4 ? 0x0000ffu : 0));
    QByteArray indeksy;
    indeksy.reserve(qsizetype{szerokosc} * wysokosc);
    for (int y = 0; y < wysokosc; ++y)
        for (int x = 0; x < szerokosc; ++x) {
            const Piksel p = piksel(x, y, szerokosc, wysokosc);
            indeksy.append(static_cast<char>((p.r > 127) | (p.g > 127) << 1 | (p.b > 127) << 2));
        }
    return ObrazGif(szerokosc, wysokosc, paleta, indeksy);
}

QByteArray ObrazGif(int szerokosc, int wysokosc, const QList<quint32>& paleta,
                    const QByteArray& indeksy) {
    if (paleta.isEmpty() || paleta.size() > 256 ||
        indeksy.size() != qsizetype{szerokosc} * wysokosc)
        throw std::invalid_argument("ObrazGif");
    // The colour table holds a power of two entries; the unused ones stay black.
    int bity = 1;
    while ((1 << bity) < paleta.size())
        ++bity;
    std::vector<GifColorType> kolory(static_cast<size_t>(1) << bity, GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < paleta.size(); ++i)
        kolory[static_cast<size_t>(i)] = GifColorType{static_cast<GifByteType>(paleta[i] >> 16),
                                                      static_cast<GifByteType>(paleta[i] >> 8),
                                                      static_cast<GifByteType>(paleta[i])};
    QByteArray wynik;
    int blad = 0;
    GifFileType* gif = EGifOpen(&wynik, zapiszGif, &blad);
    if (!gif) throw std::runtime_error("EGifOpen");
    ColorMapObject* mapa = GifMakeMapObject(static_cast<int>(kolory.size()), kolory.data());
    bool ok = mapa && EGifPutScreenDesc(gif, szerokosc, wysokosc, bity, 0, mapa) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, szerokosc, wysokosc, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> wiersz(static_cast<size_t>(szerokosc));
    for (int y = 0; ok && y < wysokosc; ++y) {
        const char* zrodlo = indeksy.constData() + qsizetype{y} * szerokosc;
        std::copy(zrodlo, zrodlo + szerokosc, wiersz.begin());
        ok = EGifPutLine(gif, wiersz.data(), szerokosc) == GIF_OK;
    }
    GifFreeMapObject(mapa);
    if (EGifCloseFile(gif, &blad) != GIF_OK) ok = false;
    if (!ok) throw std::runtime_error("GIF encoder failed");
    return wynik;
}

QByteArray ObrazBmp(int szerokosc, int wysokosc, RodzajBmp rodzaj) {
    const bool core = rodzaj == RodzajBmp::Core;
    const int rozmiarNaglowka = core ? 12 : 40;
    const int wiersz = (szerokosc * 3 + 3) / 4 * 4;
    const int poczatekPikseli = 14 + rozmiarNaglowka;
    const int rozmiarPikseli = wiersz * wysokosc;

    QByteArray wynik("BM");
    dopisz32(wynik, poczatekPikseli + rozmiarPikseli);
    dopisz32(wynik, 0);
    dopisz32(wynik, poczatekPikseli);
    dopisz32(wynik, rozmiarNaglowka);
    if (core) {
        dopisz16(wynik, static_cast<quint16>(szerokosc));
        dopisz16(wynik, static_cast<quint16>(wysokosc));
        dopisz16(wynik, 1);  // planes
        dopisz16(wynik, 24); // bits per pixel
    } else {
        dopisz32(wynik, szerokosc);
        dopisz32(wynik, rodzaj == RodzajBmp::InfoOdGory ? -wysokosc : wysokosc);
        dopisz16(wynik, 1);
        dopisz16(wynik, 24);
        dopisz32(wynik, 0); // no compression
        dopisz32(wynik, rozmiarPikseli);
        dopisz32(wynik, 2835); // 72 dpi
        dopisz32(wynik, 2835);
        dopisz32(wynik, 0);
        dopisz32(wynik, 0);
    }
    const bool odGory = rodzaj == RodzajBmp::InfoOdGory;
    for (int r = 0; r < wysokosc; ++r) {
        const int y = odGory ? r : wysokosc - 1 - r;
        for (int x = 0; x < szerokosc; ++x) {
            const Piksel p = piksel(x, y, szerokosc, wysokosc);
            wynik.append(static_cast<char>(p.b));
            wynik.append(static_cast<char>(p.g));
            wynik.append(static_cast<char>(p.r));
        }
        wynik.append(QByteArray(wiersz - szerokosc * 3, '\0'));
    }
    return wynik;
}

} // namespace sondrel::testy
