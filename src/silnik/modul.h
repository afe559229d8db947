// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contract between the program and its HTML engine module, libsondrel_silnik.so.
//
// The module is loaded with the first report. Before anything else is looked up in it, the
// program asks for the module's build identity (a plain C function returning plain C text) and
// compares it with its own: a module of another build (another version of these headers, of
// Qt, of the compiler) is refused with a message, never called. Only then are the module's
// functions taken, all at once, from a table.

#include "silnik/dokument_pdf.h"
#include "silnik/silnik_html.h"

class QWidget;

namespace sondrel {

struct FunkcjeModuluSilnika {
    // The viewer, its view a child of `rodzic`.
    SilnikHtml* (*UtworzSilnik)(QWidget* rodzic);
    // The PDF with the footer on every page and this document information; empty with the
    // reason in `blad` when the PDF cannot be read.
    QByteArray (*DodajStopki)(const QByteArray& pdf, const StopkaPdf& stopka, const OpisPdf& opis,
                              QString* blad);
    // The PDF opened for rendering; null with the reason in `blad`.
    DokumentPdf* (*OtworzPdf)(const QByteArray& pdf, QString* blad);
};

} // namespace sondrel

// The names the module exports.
#define SONDREL_SILNIK_TOZSAMOSC "sondrel_silnik_tozsamosc"
#define SONDREL_SILNIK_FUNKCJE "sondrel_silnik_funkcje"
extern "C" {
// The module's build identity; looked up first and alone.
using SondrelSilnikTozsamosc = const char* (*)();
// The table of functions; looked up only when the identity is the program's own.
using SondrelSilnikFunkcje = const sondrel::FunkcjeModuluSilnika* (*)();
}
