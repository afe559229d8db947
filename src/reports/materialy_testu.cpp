// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/materialy_testu.h"

#include "core/analiza.h"
#include "formats/pak.h"
#include "reports/odnosniki.h"

namespace sondrel {

MaterialyTestu::MaterialyTestu(const Analiza& a, DokumentRaportu& d) : analiza(a), dokument(d) {}

bool MaterialyTestu::Nowy(const QString& nazwa) {
    if (nazwa.isEmpty() || wydrukowane.contains(nazwa, Qt::CaseInsensitive)) return false;
    wydrukowane.append(nazwa);
    return true;
}

int MaterialyTestu::NumerTekstu(const QString& nazwa) {
    return Nowy(nazwa) ? ++teksty : 0;
}

int MaterialyTestu::NumerObrazu(const QString& nazwa) {
    return Nowy(nazwa) ? ++obrazy : 0;
}

QString MaterialyTestu::Tekst(const QString& nazwa) const {
    QStringList wiersze;
    if (!analiza.KontenerTestu || !WczytajTekstZPak(nazwa, wiersze, *analiza.KontenerTestu))
        return {};
    QString tekst;
    for (const QString& w : wiersze)
        tekst += w + QStringLiteral("\r\n");
    return tekst;
}

QString MaterialyTestu::WierszObrazu(const QString& nazwa) {
    RozmiarObrazu rozmiar;
    if (!analiza.KontenerTestu || !WczytajObrazZPak(nazwa, rozmiar, *analiza.KontenerTestu))
        rozmiar = {};
    const QString plik = BezpiecznaNazwaPliku(nazwa);
    bool juzJest = false;
    for (const ObrazRaportu& o : dokument.obrazy)
        juzJest = juzJest || o.plik == plik;
    if (!juzJest) dokument.obrazy.append({nazwa, plik});
    return QStringLiteral("<p><img src=\"") + AdresPliku(plik) + QStringLiteral("\" width=\"") +
           QString::number(rozmiar.szerokosc) + QStringLiteral("\" height=\"") +
           QString::number(rozmiar.wysokosc) + QStringLiteral("\" ></p>");
}

} // namespace sondrel
