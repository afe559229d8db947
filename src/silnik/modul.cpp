// SPDX-License-Identifier: GPL-3.0-or-later
// What the module libsondrel_silnik.so exports: its build identity, and the table of its
// functions, which the program takes only once the identity is its own (see modul.h).
#include "silnik/modul.h"

#ifndef SONDREL_SILNIK_BUDOWA
#error "SONDREL_SILNIK_BUDOWA (the build identity of the module's interface) is set by the build"
#endif

namespace sondrel {

// The module's parts (silnik_html.cpp, narzedzia_pdf.cpp).
SilnikHtml* UtworzSilnikWebEngine(QWidget* rodzic);
QByteArray DodajStopkiPdf(const QByteArray& pdf, const StopkaPdf& stopka, const OpisPdf& opis,
                          QString* blad);
DokumentPdf* OtworzDokumentPdf(const QByteArray& pdf, QString* blad);

} // namespace sondrel

extern "C" Q_DECL_EXPORT const char* sondrel_silnik_tozsamosc() {
    return SONDREL_SILNIK_BUDOWA;
}

extern "C" Q_DECL_EXPORT const sondrel::FunkcjeModuluSilnika* sondrel_silnik_funkcje() {
    static const sondrel::FunkcjeModuluSilnika funkcje{
        sondrel::UtworzSilnikWebEngine, sondrel::DodajStopkiPdf, sondrel::OtworzDokumentPdf};
    return &funkcje;
}
