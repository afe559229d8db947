// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing reports: the page setup every printed report gets (the program's own constants, no
// registry or file is written for them), the footer " - Str. N - " added to the PDF that the
// HTML engine makes, and painting such a PDF onto a printer or a print preview.
//
// The HTML engine prints to PDF without a page footer. The footer pages are drawn with
// QPdfWriter and laid over the engine's pages with qpdf, so that the saved PDF keeps its text
// as text; the printer and the preview get the same PDF rendered page by page. Both tools live
// in the engine's module (src/silnik/dokument_pdf.h), which ui/modul_silnika.h loads.

#include "ui/modul_silnika.h"

#include <QByteArray>
#include <QColor>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>

class QPainter;
class QPrinter;

namespace sondrel {

struct UstawieniaStronyWydruku {
    QString stopka;   // %1 is the page number
    QString naglowek; // empty: no header
    QString czcionka;
    int punkty = 10;
    QColor kolor;
    qreal marginesMm = 19.05; // on all four sides
    QPageLayout::Orientation orientacja = QPageLayout::Portrait;
};

// The page setup used by print, print preview and PDF.
const UstawieniaStronyWydruku& UstawStronyWydruku();
// A4, portrait, 19.05 mm margins.
QPageLayout UkladStronyRaportu();
QString TekstStopki(int strona);

// The engine's PDF with the footer of its page number on every page, `tytul` as its title and
// the program as its creator; an empty array and the reason in `blad` when the PDF cannot be
// read or written.
QByteArray PdfZeStopka(const QByteArray& pdf, const QString& tytul = {}, QString* blad = nullptr);
// The program as the creator of a PDF: its name and version.
QString TworcaPdf();

// Renders page `strona` (from 0) of a document onto the rectangle `cel`, at most at `dpi` dots
// per inch and no finer than the painter's device.
void MalujStronePdf(QPainter& p, DokumentPdf& dokument, int strona, const QRectF& cel,
                    int dpi = 300);
// Prints every page of a document on the printer at once (the print preview's paint), the
// pages rendered at `dpi`.
void DrukujPdf(DokumentPdf& dokument, QPrinter& drukarka, int dpi = 300);
// The printer set for report pages: A4 portrait, the whole paper ours (the margins are in the
// pages already).
void UstawDrukarke(QPrinter& drukarka);

} // namespace sondrel
