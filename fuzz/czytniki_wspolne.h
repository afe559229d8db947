// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the fuzz targets of the three file readers: the input goes to a temporary file
// that the reader opens. The first byte chooses the shape: the whole file as given, or the
// rest of the input as the document member inside a well-formed container (so the mutations
// reach the document parser and the reader's steps rather than dying at the container header).

#include "core/srodowisko.h"

#include <QByteArray>
#include <QDir>
#include <QLocale>
#include <QString>
#include <QtEndian>
#include <cstdio>
#include <unistd.h>

namespace fuzz {

inline QByteArray Kontener(const QByteArray& nazwa, QByteArrayView dane) {
    QByteArray plik("PACK");
    auto liczba = [&plik](qint32 n) {
        char b[4];
        qToLittleEndian(n, b);
        plik.append(b, 4);
    };
    liczba(static_cast<qint32>(12 + dane.size()));
    liczba(128);
    plik.append(dane.data(), dane.size());
    QByteArray wpis = nazwa.left(120);
    wpis.append(QByteArray(120 - wpis.size(), '\0'));
    plik += wpis;
    liczba(12);
    liczba(static_cast<qint32>(dane.size()));
    return plik;
}

// The file for the reader: mode 0 the bytes themselves, mode k > 0 the bytes as the member
// named dokumenty[k - 1].
inline QString ZapiszWejscie(const uint8_t* dane, size_t rozmiar,
                             std::initializer_list<const char*> dokumenty,
                             const char* rozszerzenie) {
    static const QString sciezka =
        QDir::tempPath() + QStringLiteral("/sondrel_fuzz_%1.%2").arg(getpid()).arg(rozszerzenie);
    QByteArray plik;
    if (rozmiar > 0) {
        const int tryb = dane[0] % static_cast<int>(dokumenty.size() + 1);
        const QByteArrayView reszta(reinterpret_cast<const char*>(dane + 1),
                                    static_cast<qsizetype>(rozmiar - 1));
        plik = tryb == 0 ? reszta.toByteArray() : Kontener(dokumenty.begin()[tryb - 1], reszta);
    }
    if (std::FILE* f = std::fopen(sciezka.toLocal8Bit().constData(), "wb")) {
        std::fwrite(plik.constData(), 1, static_cast<size_t>(plik.size()), f);
        std::fclose(f);
    }
    return sciezka;
}

// No journal file, messages counted and answered "Zamknij".
inline sondrel::Srodowisko& CicheSrodowisko() {
    static sondrel::Srodowisko s = [] {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        sondrel::Srodowisko srodowisko;
        srodowisko.komunikaty.ustawObsluge([](int, int, const QString&) { return 0; });
        return srodowisko;
    }();
    return s;
}

} // namespace fuzz
