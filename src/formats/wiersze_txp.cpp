// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wiersze_txp.h"

namespace sondrel {

QList<QByteArray> WierszeTxp(QByteArrayView dane) {
    QList<QByteArray> wiersze;
    if (const qsizetype zero = dane.indexOf('\0'); zero >= 0) dane = dane.first(zero);
    qsizetype poczatek = 0;
    while (poczatek < dane.size()) {
        qsizetype koniec = poczatek;
        while (koniec < dane.size() && dane[koniec] != '\r' && dane[koniec] != '\n')
            ++koniec;
        wiersze.append(dane.sliced(poczatek, koniec - poczatek).toByteArray());
        if (koniec < dane.size() && dane[koniec] == '\r') ++koniec;
        if (koniec < dane.size() && dane[koniec] == '\n') ++koniec;
        poczatek = koniec;
    }
    return wiersze;
}

} // namespace sondrel
