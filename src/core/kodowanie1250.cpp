// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kodowanie1250.h"

#include <QStringDecoder>
#include <array>

namespace sondrel {

namespace {

// The code page as tables, taken once from the platform's converter. na1250 maps every UTF-16
// unit to its byte, 0 where the code page has none (only U+0000 really maps to 0).
struct Tablice {
    std::array<char16_t, 256> naUnikod{};
    std::array<unsigned char, 65536> na1250{};

    Tablice() {
        QStringDecoder dekoder("windows-1250", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char bajt = static_cast<char>(b);
            const QString z = dekoder(QByteArrayView(&bajt, 1));
            const char16_t u = z.size() == 1 ? z.at(0).unicode() : char16_t(0xFFFD);
            naUnikod[b] = u;
            if (b >= 0x80 && u != 0xFFFD) na1250[u] = static_cast<unsigned char>(b);
        }
    }
};

const Tablice& tablice() {
    static const Tablice t;
    return t;
}

template <typename Zastepstwo> QByteArray koduj(QStringView tekst, Zastepstwo zastap) {
    const Tablice& t = tablice();
    // Most texts (Base64 values, markup, numbers) are plain ASCII: one pass, no look-ups.
    qsizetype ascii = 0;
    while (ascii < tekst.size() && tekst[ascii].unicode() < 0x80)
        ++ascii;
    if (ascii == tekst.size()) return tekst.toLatin1();
    QByteArray wynik = tekst.first(ascii).toLatin1();
    wynik.reserve(tekst.size());
    for (qsizetype i = ascii; i < tekst.size(); ++i) {
        const char16_t u = tekst[i].unicode();
        if (u < 0x80) {
            wynik.append(static_cast<char>(u));
            continue;
        }
        if (const unsigned char bajt = t.na1250[u]) {
            wynik.append(static_cast<char>(bajt));
            continue;
        }
        char32_t kod = u;
        if (QChar::isHighSurrogate(u) && i + 1 < tekst.size() &&
            QChar::isLowSurrogate(tekst[i + 1].unicode())) {
            kod = QChar::surrogateToUcs4(u, tekst[i + 1].unicode());
            ++i;
        }
        zastap(wynik, kod);
    }
    return wynik;
}

} // namespace

QString Z1250(QByteArrayView bajty) {
    const Tablice& t = tablice();
    QString wynik(bajty.size(), Qt::Uninitialized);
    QChar* cel = wynik.data();
    for (qsizetype i = 0; i < bajty.size(); ++i)
        cel[i] = QChar(t.naUnikod[static_cast<unsigned char>(bajty[i])]);
    return wynik;
}

QByteArray Na1250(QStringView tekst) {
    return koduj(tekst, [](QByteArray& w, char32_t) { w.append('?'); });
}

QByteArray Na1250Html(QStringView tekst) {
    return koduj(tekst, [](QByteArray& w, char32_t kod) {
        w.append("&#").append(QByteArray::number(static_cast<uint>(kod))).append(';');
    });
}

bool JestW1250(QChar znak) {
    return znak.unicode() < 0x80 || tablice().na1250[znak.unicode()];
}

} // namespace sondrel
