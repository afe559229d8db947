#include "core/kodowanie1250.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace sondrel {

namespace {

// The code page as tables, taken once from the platform's converter.
struct Tablice {
    std::array<char16_t, 256> naUnikod{};
    QHash<char16_t, char> na1250;

    Tablice() {
        QStringDecoder dekoder("windows-1250", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const char bajt = static_cast<char>(b);
            const QString z = dekoder(QByteArrayView(&bajt, 1));
            const char16_t u = z.size() == 1 ? z.at(0).unicode() : char16_t(0xFFFD);
            naUnikod[b] = u;
            if (b >= 0x80 && u != 0xFFFD) na1250.insert(u, bajt);
        }
    }
};

const Tablice& tablice() {
    static const Tablice t;
    return t;
}

template <typename Zastepstwo> QByteArray koduj(QStringView tekst, Zastepstwo zastap) {
    const Tablice& t = tablice();
    QByteArray wynik;
    wynik.reserve(tekst.size());
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const char16_t u = tekst[i].unicode();
        if (u < 0x80) {
            wynik.append(static_cast<char>(u));
            continue;
        }
        const auto it = t.na1250.constFind(u);
        if (it != t.na1250.constEnd()) {
            wynik.append(*it);
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
    return znak.unicode() < 0x80 || tablice().na1250.contains(znak.unicode());
}

} // namespace sondrel
