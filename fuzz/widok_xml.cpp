// SPDX-License-Identifier: GPL-3.0-or-later
// The view of a document against the node tree on any bytes, in both encodings: the same
// elements by the same names in any letter case, the same texts and decoded values, nothing
// where the tree has nothing.
#include "formats/wartosci.h"
#include "formats/xml.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

using namespace sondrel;

namespace {

void Sprawdz(bool warunek) {
    if (!warunek) std::abort();
}

void Porownaj(const WidokXML& widok, qint32 wezel, TpkXMLNode& element, int glebokosc) {
    QStringList nazwy = {"odp", "cd", "pyt1", "nrw", ""};
    for (int i = 0; i < element.ChildCount() && i < 16; ++i) {
        const QString n = element.Child(i)->name;
        nazwy << n << n.toUpper() << n.toLower();
    }
    for (const QString& nazwa : nazwy) {
        TpkXMLNode* zDrzewa = element.ChildByName(nazwa, false);
        const qint32 zWidoku = widok.Dziecko(wezel, nazwa);
        Sprawdz((zDrzewa == nullptr) == (zWidoku == WidokXML::Brak));
        if (!zDrzewa) continue;
        Sprawdz(widok.Tekst(zWidoku) == zDrzewa->text);
        for (int flaga : {0, 1}) {
            BuforTekstu bufor;
            TekstElementu(flaga, widok, zWidoku, bufor);
            const QString tekst = TekstElementu(flaga, *zDrzewa);
            Sprawdz(TekstElementu(flaga, widok, zWidoku) == tekst);
            Sprawdz(QStringView(bufor.data(), bufor.size()) == tekst);
        }
        if (glebokosc < 4) Porownaj(widok, zWidoku, *zDrzewa, glebokosc + 1);
    }
}

void Dokument(const QByteArray& bajty) {
    TpkXML drzewo;
    const bool udany = drzewo.Parse(bajty);
    WidokXML widok;
    Sprawdz(widok.Parse(bajty) == udany);
    Porownaj(widok, WidokXML::Korzen, drzewo.root, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dane, size_t rozmiar) {
    const QByteArray bajty(reinterpret_cast<const char*>(dane), static_cast<qsizetype>(rozmiar));
    Dokument(bajty);
    Dokument(QByteArray("\xFF\xFE", 2) + bajty);
    return 0;
}
