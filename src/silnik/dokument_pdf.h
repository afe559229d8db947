// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PDF tools of the HTML engine module (libsondrel_silnik.so, see modul.h), apart from the
// viewer: a PDF opened for rendering (Qt PDF) and the footer laid over every page of a PDF
// (qpdf), which keeps the page's text as text.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace sondrel {

// A PDF opened for rendering.
class DokumentPdf {
public:
    virtual ~DokumentPdf() = default;
    virtual int IloscStron() const = 0;
    virtual QSizeF RozmiarStrony(int strona) const = 0; // in points
    virtual QImage Strona(int strona, QSize rozmiar) = 0;
    virtual QString Tekst(int strona) = 0;
};

// The footer of every page: `tekst` with %1 the page number, centred in the bottom margin.
struct StopkaPdf {
    QString tekst;
    QString czcionka;
    int punkty = 10;
    qreal marginesMm = 0;
};

// What a PDF says about itself (its document information).
struct OpisPdf {
    QString tytul;
    QString tworca; // the program that made the document
};

} // namespace sondrel
