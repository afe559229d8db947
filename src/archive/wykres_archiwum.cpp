// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/wykres_archiwum.h"

#include "chartengine/rysowanie.h"
#include "core/lokalizacja.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <png.h>

namespace sondrel {

namespace {

constexpr int Szerokosc = 500;
constexpr double Gestosc = 2;

// Distinct, calm colours for up to twelve classes (then again from the start).
const QColor Kolory[] = {
    QColor(0x3B, 0x5B, 0xA5), QColor(0xE0, 0x7B, 0x39), QColor(0x3C, 0x9D, 0x5D),
    QColor(0xB8, 0x41, 0x4A), QColor(0x7E, 0x5A, 0xA8), QColor(0x2A, 0x9D, 0xB0),
    QColor(0xC9, 0xA2, 0x27), QColor(0x8C, 0x6E, 0x54), QColor(0xD4, 0x6F, 0xA6),
    QColor(0x6B, 0x7B, 0x8C), QColor(0x2F, 0x2F, 0x47), QColor(0x9A, 0xB5, 0x3A)};

// A flat chart on white with titled axes and a grid along the values, 0..100.
chartengine::Wykres Plaski(const QString& tytulPunktow, const QString& tytulWartosci, bool slupki) {
    chartengine::Wykres w;
    w.tytul.wiersze.clear();
    w.widok.wlaczony = false;
    w.formatLiczby = TekstLiczby;
    chartengine::Os& punkty = slupki ? w.lewa : w.dolna;
    chartengine::Os& wartosci = slupki ? w.dolna : w.lewa;
    punkty.tytul = tytulPunktow;
    wartosci.tytul = tytulWartosci;
    w.lewa.katTytulu = 90;
    wartosci.siatka = true;
    wartosci.kolorSiatki = QColor(0xB4, 0xB8, 0xC8);
    w.lewa.scianka = w.dolna.scianka = false;
    w.marginesLewy = w.marginesPrawy = 2;
    w.marginesGorny = w.marginesDolny = 2;
    return w;
}

} // namespace

int WysokoscSlupkowGrup(int punktow, int serii) {
    // Room per point grows with the series so that every bar stays visible.
    const int naPunkt = std::max(14, 4 * serii + 6);
    return std::clamp(70 + punktow * naPunkt, 200, 4000);
}

QImage WykresSlupkowGrup(const QStringList& punkty, const std::vector<SeriaWykresuArchiwum>& serie,
                         const QString& tytulPunktow, const QString& tytulWartosci) {
    chartengine::Wykres w = Plaski(tytulPunktow, tytulWartosci, true);
    chartengine::Seria& s = w.serie[0];
    for (const QString& p : punkty)
        s.Dodaj(0, p, QColor());
    s.ksztalt = chartengine::KsztaltSlupka::Prostokat;
    s.szerokosc = 80;
    s.przesuniecie = 0;
    s.znaczniki.widoczne = false;
    for (std::size_t i = 0; i < serie.size(); ++i) {
        chartengine::SeriaGrupy g;
        g.nazwa = serie[i].nazwa;
        g.kolor = Kolory[i % std::size(Kolory)];
        g.wartosci = QVector<double>(serie[i].wartosci.begin(), serie[i].wartosci.end());
        w.grupy.push_back(g);
    }
    w.UstawAktywnosc(0, true);
    w.legenda.widoczna = true;
    w.legenda.polozenie = 0;
    w.legenda.dlugoscCienia = 0;
    const int n = static_cast<int>(punkty.size());
    w.zakres = chartengine::Zakres{-0.5, n - 0.5, 0, 100};
    return chartengine::RysujObraz(
        w, QSize(Szerokosc, WysokoscSlupkowGrup(n, static_cast<int>(serie.size()))), Gestosc);
}

QImage WykresLinii(const QStringList& punkty, const std::vector<double>& wartosci,
                   const QString& tytulPunktow, const QString& tytulWartosci) {
    chartengine::Wykres w = Plaski(tytulPunktow, tytulWartosci, false);
    chartengine::Seria& s = w.serie[2];
    for (qsizetype i = 0; i < punkty.size(); ++i)
        s.Dodaj(i < static_cast<qsizetype>(wartosci.size()) ? wartosci[static_cast<std::size_t>(i)]
                                                            : 0,
                punkty[i], QColor());
    s.kolorLinii = Kolory[0];
    s.kolorWierzcholkow = Kolory[0];
    s.szerokoscWierzcholka = s.wysokoscWierzcholka = 7;
    s.znaczniki.widoczne = true;
    w.UstawAktywnosc(2, true);
    const int n = static_cast<int>(punkty.size());
    w.zakres = chartengine::Zakres{-0.5, n - 0.5, 0, 110};
    return chartengine::RysujObraz(w, QSize(Szerokosc, 300), Gestosc);
}

QByteArray BajtyPng(const QImage& obraz) {
    // The charts are opaque and mostly flat colour: 24-bit rows, unfiltered, with zlib's fastest
    // level, compress as well as the default settings within a few per cent in a fraction of
    // their time (a ten-class comparison is 1000 x 5660 pixels). The same picture always gives
    // the same bytes.
    const QImage rgb = obraz.convertToFormat(QImage::Format_RGB888);
    QByteArray bajty;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    if (setjmp(png_jmpbuf(png))) { // libpng's way of failing (no memory)
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &bajty,
        [](png_structp p, png_bytep dane, png_size_t n) {
            static_cast<QByteArray*>(png_get_io_ptr(p))
                ->append(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(n));
        },
        [](png_structp) {});
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()),
                 static_cast<png_uint_32>(rgb.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // the density, so that a viewer knows the picture's size on paper
    const auto naMetr = static_cast<png_uint_32>(std::lround(rgb.dotsPerMeterX()));
    if (naMetr > 0) png_set_pHYs(png, info, naMetr, naMetr, PNG_RESOLUTION_METER);
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < rgb.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(rgb.constScanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bajty;
}

} // namespace sondrel
