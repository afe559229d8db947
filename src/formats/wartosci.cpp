// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wartosci.h"

#include "core/kodowanie1250.h"

#include <QRandomGenerator>
#include <QVarLengthArray>
#include <type_traits>

namespace sondrel {

namespace {

// The settings encoding table and the test decoding table. Each maps 132 codes (one cycle
// through them) and leaves the other 124 alone. The mapped codes were drawn once, at random,
// from 33..255 without the five codes that have no Windows-1250 character; they are fixed for
// good: every stored settings file and older test depends on them.
constexpr TablicaPodstawien kodowanieUstawien = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,
    19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  191, 153, 35,  183, 37,
    130, 39,  40,  41,  42,  43,  84,  45,  210, 244, 142, 49,  177, 85,  52,  213, 54,  55,  64,
    57,  198, 59,  90,  61,  184, 63,  126, 78,  101, 155, 68,  69,  70,  228, 72,  73,  87,  38,
    65,  77,  117, 169, 79,  219, 82,  188, 248, 162, 212, 48,  88,  247, 222, 164, 123, 93,  94,
    143, 96,  58,  98,  99,  100, 128, 243, 103, 227, 105, 145, 74,  108, 109, 110, 111, 112, 113,
    47,  159, 116, 201, 218, 51,  221, 121, 122, 91,  124, 199, 195, 189, 225, 129, 214, 131, 132,
    133, 134, 185, 136, 137, 194, 139, 140, 141, 181, 62,  144, 80,  146, 147, 148, 102, 150, 251,
    152, 170, 154, 235, 156, 157, 158, 107, 86,  178, 161, 163, 245, 165, 166, 167, 83,  209, 203,
    106, 172, 173, 202, 175, 193, 192, 246, 179, 66,  92,  182, 97,  125, 224, 186, 187, 233, 71,
    190, 115, 118, 53,  208, 234, 196, 197, 138, 56,  76,  168, 104, 151, 253, 205, 34,  207, 236,
    135, 81,  211, 33,  238, 95,  180, 216, 217, 89,  200, 220, 127, 242, 223, 160, 149, 237, 119,
    50,  229, 230, 60,  206, 241, 46,  231, 120, 44,  249, 239, 240, 114, 204, 226, 171, 174, 232,
    176, 36,  75,  250, 67,  252, 215, 254, 255,
};

constexpr TablicaPodstawien dekodowanieTestu = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,
    19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  249, 34,  54,  36,  37,
    95,  130, 135, 41,  90,  141, 219, 42,  46,  148, 48,  198, 49,  51,  112, 53,  78,  55,  56,
    57,  58,  247, 84,  61,  62,  63,  64,  65,  88,  67,  212, 246, 113, 188, 243, 207, 74,  75,
    69,  242, 225, 79,  180, 214, 82,  83,  160, 85,  227, 100, 126, 89,  202, 91,  194, 132, 251,
    201, 96,  97,  206, 139, 115, 224, 102, 183, 104, 209, 106, 107, 108, 109, 253, 237, 186, 68,
    114, 43,  39,  179, 245, 156, 118, 117, 122, 123, 87,  125, 101, 127, 128, 129, 99,  131, 167,
    133, 166, 215, 136, 110, 86,  163, 191, 38,  142, 143, 144, 145, 146, 147, 208, 47,  150, 151,
    152, 153, 154, 77,  44,  157, 137, 159, 52,  155, 162, 161, 164, 165, 93,  35,  236, 169, 170,
    223, 76,  173, 175, 111, 228, 177, 124, 195, 232, 181, 182, 119, 80,  185, 45,  72,  196, 189,
    50,  92,  235, 103, 71,  197, 134, 187, 149, 199, 98,  138, 120, 70,  204, 200, 178, 192, 172,
    116, 210, 211, 33,  213, 239, 230, 216, 217, 218, 66,  220, 221, 222, 59,  40,  105, 226, 229,
    174, 140, 176, 231, 193, 233, 234, 203, 73,  168, 94,  184, 240, 241, 190, 81,  244, 158, 238,
    121, 248, 205, 250, 60,  252, 171, 254, 255,
};

constexpr TablicaPodstawien Odwrotna(const TablicaPodstawien& t) {
    TablicaPodstawien o{};
    for (int i = 0; i < 256; ++i)
        o[t[i]] = static_cast<quint8>(i);
    return o;
}

constexpr bool Permutacja(const TablicaPodstawien& t) {
    std::array<bool, 256> jest{};
    for (quint8 c : t)
        jest[c] = true;
    for (bool j : jest)
        if (!j) return false;
    return true;
}

constexpr int Zmapowane(const TablicaPodstawien& t) {
    int ile = 0;
    for (int i = 0; i < 256; ++i)
        if (t[i] != i) {
            if (i < 33 || t[i] < 33) return -1;
            if (i == 0x81 || i == 0x83 || i == 0x88 || i == 0x90 || i == 0x98) return -1;
            ++ile;
        }
    return ile;
}

constexpr TablicaPodstawien dekodowanieUstawien = Odwrotna(kodowanieUstawien);

static_assert(Permutacja(kodowanieUstawien) && Zmapowane(kodowanieUstawien) == 132);
static_assert(Permutacja(dekodowanieTestu) && Zmapowane(dekodowanieTestu) == 132);
static_assert(Odwrotna(dekodowanieUstawien) == kodowanieUstawien);

constexpr quint8 ZnacznikPusty = 0xFE;
constexpr int MaksDekodowanych = 500;

// The value of every 8-bit character in Base64: -1 for the pad "=", 0 for characters outside
// the alphabet.
constexpr std::array<qint8, 256> Base64Wartosci = [] {
    std::array<qint8, 256> t{};
    const char alfabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i)
        t[static_cast<unsigned char>(alfabet[i])] = static_cast<qint8>(i);
    t['='] = -1;
    return t;
}();

// The decoder over 8-bit characters or straight over UTF-16 text (an element's text, without
// first making a copy of it in 8 bits: any unit outside ASCII counts as 0 either way). Writes
// at most 3 bytes per group of four characters to `cel` and returns how many it wrote.
template <typename Znak> qsizetype DekodujBase64(const Znak* tekst, qsizetype dlugosc, char* cel) {
    const qsizetype grup = dlugosc / 4;
    char* const poczatek = cel;
    for (qsizetype g = 0; g < grup; ++g) {
        const Znak* z = tekst + 4 * g;
        const auto wartosc = [](Znak c) -> int {
            const auto u = static_cast<std::make_unsigned_t<Znak>>(c);
            return u < 0x100 ? Base64Wartosci[u] : 0;
        };
        const int c1 = wartosc(z[0]), c2 = wartosc(z[1]);
        const int c3 = wartosc(z[2]), c4 = wartosc(z[3]);
        const int w1 = c1 < 0 ? 0 : c1, w2 = c2 < 0 ? 0 : c2;
        if ((c3 | c4) >= 0) { // no pad: the usual group, three bytes at once
            const unsigned bity =
                (unsigned(w1) << 18) | (unsigned(w2) << 12) | (unsigned(c3) << 6) | unsigned(c4);
            cel[0] = static_cast<char>(bity >> 16);
            cel[1] = static_cast<char>((bity >> 8) & 0xFF);
            cel[2] = static_cast<char>(bity & 0xFF);
            cel += 3;
            continue;
        }
        *cel++ = static_cast<char>(((w1 << 2) | (w2 >> 4)) & 0xFF);
        if (c3 < 0) continue;
        *cel++ = static_cast<char>(((w2 << 4) | (c3 >> 2)) & 0xFF);
        if (c4 < 0) continue;
        *cel++ = static_cast<char>(((c3 << 6) | c4) & 0xFF);
    }
    return cel - poczatek;
}

// The text as a decimal 32-bit integer; 0 with code 3 when it is not one.
qint32 LiczbaZTekstu(const QString& tekst, int& kod) {
    bool ok = false;
    const qint32 liczba = tekst.toInt(&ok, 10);
    if (!ok) {
        kod = WartoscNieLiczba;
        return 0;
    }
    return liczba;
}

// UTF-16 little-endian code units into `cel` (room for bajty.size() / 2 units; an odd last
// byte is dropped), a surrogate without its pair made U+FFFD. Returns the number of units.
qsizetype Utf16LE(QByteArrayView bajty, char16_t* cel) {
    const qsizetype ile = bajty.size() / 2;
    bool polowki = false; // surrogates, which must come in pairs
    for (qsizetype i = 0; i < ile; ++i) {
        const char16_t u = char16_t(static_cast<uchar>(bajty[2 * i]) |
                                    (char16_t(static_cast<uchar>(bajty[2 * i + 1])) << 8));
        cel[i] = u;
        polowki = polowki || QChar::isSurrogate(u);
    }
    for (qsizetype i = 0; polowki && i < ile; ++i) {
        const char16_t u = cel[i];
        if (QChar::isHighSurrogate(u) && i + 1 < ile && QChar::isLowSurrogate(cel[i + 1])) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u)) cel[i] = QChar::ReplacementCharacter;
    }
    return ile;
}

// Into `s`, reusing its memory when it holds the only copy.
void Utf16LE(QByteArrayView bajty, QString& s) {
    const qsizetype ile = bajty.size() / 2;
    if (s.size() != ile) s.resize(ile);
    Utf16LE(bajty, reinterpret_cast<char16_t*>(s.data()));
}

QByteArray Odkoduj(QByteArrayView t, const TablicaPodstawien& tablica) {
    if (t.isEmpty()) return {};
    qsizetype pomin = 0;
    switch (static_cast<quint8>(t[0])) {
    case ZnacznikPusty:
        return {};
    case 0xA0:
        pomin = 3;
        break;
    case 0xA1:
        pomin = 4;
        break;
    case 0xA7:
        pomin = 5;
        break;
    case 0x93:
        pomin = 6;
        break;
    default:
        break;
    }
    QByteArrayView reszta = t;
    if (pomin > 0) {
        reszta = t.size() > pomin ? t.sliced(pomin) : QByteArrayView();
        if (reszta.size() > MaksDekodowanych) reszta = reszta.first(MaksDekodowanych);
    }
    QByteArray wynik(reszta.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < reszta.size(); ++i)
        wynik[i] = static_cast<char>(tablica[static_cast<quint8>(reszta[i])]);
    return wynik;
}

char Losowy(QRandomGenerator& los) {
    return static_cast<char>(los.bounded(33, 233));
}

// Base64 of UTF-16 little-endian text into `cel` (a QString or a BuforTekstu).
template <typename Znak, typename Cel>
void TekstZBase64(const Znak* znaki, qsizetype ile, Cel& cel) {
    // Values are short (names, times, answers): their bytes fit in the buffer on the stack.
    QVarLengthArray<char, 256> bajty(ile / 4 * 3);
    const qsizetype zapisane = DekodujBase64(znaki, ile, bajty.data());
    if constexpr (std::is_same_v<Cel, QString>) {
        Utf16LE(QByteArrayView(bajty.data(), zapisane), cel);
    } else {
        cel.resize(zapisane / 2);
        Utf16LE(QByteArrayView(bajty.data(), zapisane), cel.data());
    }
}

// The element's text into `cel` (a QString or a BuforTekstu), decoded when `flaga` is 1.
template <typename Cel>
void TekstWidoku(int flaga, const WidokXML& dokument, qint32 wezel, Cel& cel) {
    if (flaga != 1) {
        if constexpr (std::is_same_v<Cel, QString>) {
            cel = dokument.Tekst(wezel);
        } else {
            const QString tekst = dokument.Tekst(wezel);
            cel.resize(tekst.size());
            std::copy(tekst.utf16(), tekst.utf16() + tekst.size(), cel.data());
        }
        return;
    }
    const WidokXML::SurowyTekst tekst = dokument.TekstSurowy(wezel);
    if (tekst.encje) {
        // Entities are resolved before decoding, as in the element's text.
        const QString t = dokument.Tekst(wezel);
        TekstZBase64(t.utf16(), t.size(), cel);
    } else if (!dokument.Unicode()) {
        // The bytes of a Windows-1250 text are its ASCII characters, and any other byte, like
        // any other character, counts as 0.
        TekstZBase64(tekst.bajty.data(), tekst.bajty.size(), cel);
    } else {
        const qsizetype ile = tekst.bajty.size() / 2;
        QVarLengthArray<char16_t, 256> znaki(ile);
        for (qsizetype i = 0; i < ile; ++i)
            znaki[i] = char16_t(static_cast<uchar>(tekst.bajty[2 * i]) |
                                (char16_t(static_cast<uchar>(tekst.bajty[2 * i + 1])) << 8));
        TekstZBase64(znaki.data(), ile, cel);
    }
}

} // namespace

int FlagaDekodowania(TpkXML& dokument, QStringView elementDokumentu) {
    TpkXMLNode* dok = dokument.FindNode(elementDokumentu, true);
    return dok->ChildByName(u"cd", true)->text == u"tr" ? 1 : 0;
}

void TekstElementu(int flaga, const TpkXMLNode& element, QString& cel) {
    if (flaga != 1) {
        cel = element.text;
        return;
    }
    TekstZBase64(element.text.utf16(), element.text.size(), cel);
}

QString TekstElementu(int flaga, const TpkXMLNode& element) {
    QString tekst;
    TekstElementu(flaga, element, tekst);
    return tekst;
}

qint32 LiczbaElementu(int flaga, const TpkXMLNode& element, int& kod) {
    kod = WartoscOdczytana;
    return LiczbaZTekstu(TekstElementu(flaga, element), kod);
}

int FlagaDekodowania(const WidokXML& dokument, QStringView elementDokumentu) {
    const qint32 dok = dokument.Dziecko(WidokXML::Korzen, elementDokumentu);
    return dokument.Tekst(dokument.Dziecko(dok, u"cd")) == u"tr" ? 1 : 0;
}

void TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel, QString& cel) {
    TekstWidoku(flaga, dokument, wezel, cel);
}

void TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel, BuforTekstu& cel) {
    TekstWidoku(flaga, dokument, wezel, cel);
}

QString TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel) {
    QString tekst;
    TekstElementu(flaga, dokument, wezel, tekst);
    return tekst;
}

qint32 LiczbaElementu(int flaga, const WidokXML& dokument, qint32 wezel, int& kod) {
    kod = WartoscOdczytana;
    return LiczbaZTekstu(TekstElementu(flaga, dokument, wezel), kod);
}

QString WezTekst(int flaga, const QStringList& sciezka, TpkXML& dokument, int& kod) {
    kod = WartoscBrakSciezki;
    if (sciezka.size() < 2 || sciezka.size() > 4) return {};
    TpkXMLNode* wezel = dokument.FindNode(sciezka.first(), true);
    for (qsizetype i = 1; wezel && i < sciezka.size(); ++i)
        wezel = wezel->ChildByName(sciezka[i], true);
    if (!wezel) return {};
    kod = WartoscOdczytana;
    return TekstElementu(flaga, *wezel);
}

QString WezTekst(int flaga, const QStringList& sciezka, TpkXML& dokument) {
    int kod = 0;
    return WezTekst(flaga, sciezka, dokument, kod);
}

qint32 WezLiczbe(int flaga, const QStringList& sciezka, TpkXML& dokument, int& kod) {
    const QString tekst = WezTekst(flaga, sciezka, dokument, kod);
    if (kod != WartoscOdczytana) return 0;
    return LiczbaZTekstu(tekst, kod);
}

qint32 WezLiczbe(int flaga, const QStringList& sciezka, TpkXML& dokument) {
    int kod = 0;
    return WezLiczbe(flaga, sciezka, dokument, kod);
}

QByteArray Base64Dekoduj(QByteArrayView tekst) {
    QByteArray wynik(tekst.size() / 4 * 3, Qt::Uninitialized);
    wynik.truncate(DekodujBase64(tekst.data(), tekst.size(), wynik.data()));
    return wynik;
}

QByteArray Zakoduj(QByteArrayView wartosc, QRandomGenerator* los) {
    QRandomGenerator& zrodlo = los ? *los : *QRandomGenerator::global();
    QByteArray wynik;
    if (wartosc.isEmpty()) {
        wynik.append(static_cast<char>(ZnacznikPusty));
        const int ile = 3 + static_cast<int>(zrodlo.bounded(8));
        for (int i = 0; i < ile; ++i)
            wynik.append(Losowy(zrodlo));
        return wynik;
    }
    static constexpr quint8 znaczniki[] = {0xA0, 0xA1, 0xA7};
    const int r = static_cast<int>(zrodlo.bounded(3));
    wynik.reserve(wartosc.size() + r + 3);
    wynik.append(static_cast<char>(znaczniki[r]));
    for (int i = 0; i < r + 2; ++i)
        wynik.append(Losowy(zrodlo));
    for (char z : wartosc)
        wynik.append(static_cast<char>(kodowanieUstawien[static_cast<quint8>(z)]));
    return wynik;
}

QString Zakoduj(QStringView wartosc, QRandomGenerator* los) {
    return Z1250(Zakoduj(QByteArrayView(Na1250(wartosc)), los));
}

QString OdkodujUstawienia(QByteArrayView tekst) {
    return Z1250(Odkoduj(tekst, dekodowanieUstawien));
}

QString OdkodujUstawienia(QStringView tekst) {
    return OdkodujUstawienia(QByteArrayView(Na1250(tekst)));
}

QString OdkodujTest(QByteArrayView tekst) {
    return Z1250(Odkoduj(tekst, dekodowanieTestu));
}

const TablicaPodstawien& TablicaKodowaniaUstawien() {
    return kodowanieUstawien;
}
const TablicaPodstawien& TablicaDekodowaniaUstawien() {
    return dekodowanieUstawien;
}
const TablicaPodstawien& TablicaDekodowaniaTestu() {
    return dekodowanieTestu;
}

} // namespace sondrel
