// SPDX-License-Identifier: GPL-3.0-or-later
// The XML parser in both encodings, the writer and the value getters on any bytes.
#include "formats/xml.h"
#include "core/kodowanie1250.h"
#include "formats/wartosci.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

using namespace sondrel;

namespace {

void Przejdz(TpkXML& d) {
    for (const char* dokument : {"odp", "tst", "lst", "Ini"}) {
        const int flaga = FlagaDekodowania(d, QString::fromLatin1(dokument));
        for (int f : {flaga, 1 - flaga}) {
            int kod = 0;
            WezTekst(f, {dokument, "nmt"}, d, kod);
            WezLiczbe(f, {dokument, "ilp"}, d, kod);
            WezTekst(f, {dokument, "pyt1", "nrw"}, d, kod);
            WezLiczbe(f, {dokument, "skl", "cel"}, d, kod);
            WezTekst(f, {dokument, "a", "b", "c"}, d, kod);
        }
    }
    // What was read can be written and read again.
    TpkXML znowu;
    znowu.Parse(d.SaveToBytes());
    znowu.SaveToBytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));

    TpkXML d;
    d.Parse(bajty);
    Przejdz(d);

    TpkXML u;
    u.Parse(QByteArray("\xFF\xFE", 2) + bajty);
    Przejdz(u);

    Base64Dekoduj(bajty);
    OdkodujTest(bajty);
    if (OdkodujUstawienia(QByteArrayView(Zakoduj(QByteArrayView(bajty.left(500))))) !=
        Z1250(bajty.left(500)))
        std::abort();
    return 0;
}
