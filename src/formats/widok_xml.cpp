// SPDX-License-Identifier: GPL-3.0-or-later
// The view of an XML document: one pass over the bytes builds a flat table of nodes and
// attributes (positions into the input, no strings); texts are made only when asked for.
#include "core/kodowanie1250.h"
#include "formats/nazwy_xml.h"
#include "formats/xml.h"

#include <QVarLengthArray>
#include <array>
#include <cstring>

namespace sondrel {

namespace {

// Classes of the characters that end a run in the parser, so that a run is scanned with one
// test a character.
enum : quint8 {
    KlasaBialy = 1,            // whitespace
    KlasaKoniecNazwy = 2,      // ends a tag's name: whitespace, "/", ">"
    KlasaKoniecZamkniecia = 4, // ends an end tag's name: whitespace, ">"
    KlasaKoniecAtrybutu = 8,   // ends an attribute's name: whitespace, "=", ">"
};

constexpr std::array<quint8, 256> KlasyZnakow = [] {
    std::array<quint8, 256> t{};
    for (char z : {'\t', '\n', '\r', ' '})
        t[static_cast<uchar>(z)] =
            KlasaBialy | KlasaKoniecNazwy | KlasaKoniecZamkniecia | KlasaKoniecAtrybutu;
    t['/'] |= KlasaKoniecNazwy;
    t['>'] |= KlasaKoniecNazwy | KlasaKoniecZamkniecia | KlasaKoniecAtrybutu;
    t['='] |= KlasaKoniecAtrybutu;
    return t;
}();

bool WKlasie(char16_t z, quint8 klasa) {
    return z < 256 && (KlasyZnakow[z] & klasa) != 0;
}

const std::array<char16_t, 256>& Znaki1250() {
    static const std::array<char16_t, 256> znaki = [] {
        std::array<char16_t, 256> t{};
        QByteArray wszystkie(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            wszystkie[b] = static_cast<char>(b);
        const QString z = Z1250(wszystkie);
        for (int b = 0; b < 256; ++b)
            t[b] = z.at(b).unicode();
        return t;
    }();
    return znaki;
}

} // namespace

struct WidokXML::Wezel {
    // Positions in the bytes; a text range is already trimmed and a whole number of characters.
    qsizetype nazwaOd = 0, nazwaDo = 0;
    qsizetype tekstOd = 0, tekstDo = 0;
    qsizetype cdataOd = 0, cdataDo = 0;
    qsizetype danychOd = 0, danychDo = 0;
    qint32 rodzic = Brak;
    qint32 pierwsze = Brak, ostatnie = Brak, nastepne = Brak;
    qint32 dzieci = 0;
    qint32 atrybutyOd = 0, atrybutow = 0;
    quint64 klucz = 0;      // KluczNazwy of the name
    bool nazwaAscii = true; // the name is all ASCII
    quint8 rodzaj = WezelElement;
    bool zamkniety = false;
};

struct WidokXML::AtrybutWidoku {
    qsizetype nazwaOd, nazwaDo, wartoscOd, wartoscDo;
};

// An open-addressing table of the first child of every name (by the hash of the upper-cased
// name); its size is a power of two at least twice the number of children.
struct WidokXML::IndeksDzieci {
    struct Slot {
        quint32 skrot = 0;
        qint32 dziecko = Brak;
    };
    qint32 rodzic = Brak;
    std::vector<Slot> sloty;
};

// Reads the document character by character and builds the view. Positions are byte offsets
// into the input, so that a data node's raw bytes can be taken from where they lie (in a UTF-16
// document too) and the parse can go on after them. W is the width of a character in bytes (1
// for Windows-1250, 2 for UTF-16), a template parameter so that reading a character compiles
// to a plain load. In a Windows-1250 document the markup is read from the bytes themselves:
// ASCII bytes are the same characters, and every other byte is a character outside ASCII, so
// no comparison with markup changes; only texts and names made into strings go through the
// code page.
template <int W> class ParserXML {
public:
    explicit ParserXML(WidokXML& widok) : d(widok), b(widok.b), n(widok.n) {
        // In a UTF-16 document a last byte without its pair is never read as a character.
        p = W == 2 ? 2 : 0;
    }

    bool Parsuj() {
        std::vector<qint32> stos{WidokXML::Korzen};
        for (;;) {
            const qint32 biezacy = stos.back();
            PominBiale();
            if (Koniec()) return true;
            if (Czytaj() != u'<') return false;
            if (!Koniec() && Znak(p) == u'/') {
                p += W;
                const qsizetype od = p;
                bool ascii = true;
                const quint64 klucz = CzytajNazwe(KlasaKoniecZamkniecia, ascii);
                const qsizetype doPoz = p;
                PominBiale();
                if (Koniec() || Czytaj() != u'>' || !RownaNazwieWezla(od, doPoz, klucz, biezacy))
                    return false;
                d.wezly[biezacy].zamkniety = true;
                stos.pop_back();
                if (stos.empty()) return true; // "</>" closes the root: the rest is not read
                continue;
            }
            const std::size_t wezlow = d.wezly.size();
            const std::size_t atrybutow = d.atrybuty.size();
            const Znacznik z = ParsujZnacznik(biezacy);
            if (z == Znacznik::Blad) {
                // The node of the failed tag is not kept.
                d.wezly.resize(wezlow);
                d.atrybuty.resize(atrybutow);
                return false;
            }
            if (z == Znacznik::CData) continue;
            const qint32 nowy = static_cast<qint32>(wezlow);
            Dolacz(biezacy, nowy);
            if (z == Znacznik::Otwarty) {
                if (static_cast<int>(stos.size()) > MaksZagniezdzenieXML) return false;
                stos.push_back(nowy);
            }
        }
    }

private:
    enum class Znacznik { Blad, CData, Zamkniety, Otwarty };
    using Wezel = WidokXML::Wezel;

    WidokXML& d;
    const uchar* b;
    const qsizetype n;
    qsizetype p = 0;

    bool Koniec() const { return p + W > n; }
    qsizetype Zostalo() const { return p >= n ? 0 : (n - p) / W; }
    // The character at q as far as markup goes (see the class comment).
    char16_t Znak(qsizetype q) const {
        if constexpr (W == 1)
            return b[q];
        else
            return char16_t(b[q] | (char16_t(b[q + 1]) << 8));
    }
    // The character at q itself.
    char16_t Dekodowany(qsizetype q) const {
        if constexpr (W == 1)
            return Znaki1250()[b[q]];
        else
            return Znak(q);
    }
    char16_t Czytaj() {
        const char16_t z = Znak(p);
        p += W;
        return z;
    }
    void Cofnij(int ile) { p -= qsizetype(ile) * W; }
    void PominBiale() {
        if constexpr (W == 1) {
            while (p < n && (KlasyZnakow[b[p]] & KlasaBialy))
                ++p;
        } else {
            while (!Koniec() && WKlasie(Znak(p), KlasaBialy))
                p += W;
        }
    }
    // Reads a name up to a character of the class `konce` (or the end); returns its
    // KluczNazwy and tells whether it is all ASCII.
    quint64 CzytajNazwe(quint8 konce, bool& ascii) {
        const qsizetype od = p;
        if constexpr (W == 1) {
            quint64 klucz = 0;
            uchar lub = 0;
            while (p < n) {
                const uchar c = b[p];
                if (KlasyZnakow[c] & konce) break;
                lub |= c;
                klucz = (klucz << 8) | DuzeAscii[c];
                ++p;
            }
            const qsizetype dlugosc = p - od;
            ascii = lub < 0x80;
            return ascii && dlugosc >= 1 && dlugosc <= ZnakowKlucza
                       ? klucz | (quint64(dlugosc) << 56)
                       : 0;
        } else {
            while (!Koniec() && !WKlasie(Znak(p), konce))
                p += W;
            ascii = AsciiZakres(od, p);
            char16_t znaki[ZnakowKlucza];
            const qsizetype ile = (p - od) / W;
            for (qsizetype i = 0; i < std::min(ile, ZnakowKlucza); ++i)
                znaki[i] = Znak(od + i * W);
            return KluczNazwy(znaki, ile);
        }
    }

    bool AsciiZakres(qsizetype od, qsizetype doPoz) const {
        for (qsizetype q = od; q + W <= doPoz; q += W)
            if (Znak(q) >= 0x80) return false;
        return true;
    }

    // The name at a range equals the node's name without regard to letter case (RowneNazwy).
    // An end tag mostly repeats its start tag's name byte for byte.
    // `klucz` is the key of the name at the range.
    bool RownaNazwieWezla(qsizetype od, qsizetype doPoz, quint64 klucz, qint32 wezel) const {
        const Wezel& w = d.wezly[wezel];
        if (w.klucz != 0 && klucz != 0) return klucz == w.klucz;
        return RowneNazwy(od, doPoz, w.nazwaOd, w.nazwaDo);
    }

    bool RowneNazwy(qsizetype od1, qsizetype do1, qsizetype od2, qsizetype do2) const {
        if ((do1 - od1) / W == (do2 - od2) / W) {
            qsizetype i = 0;
            const qsizetype ile = (do1 - od1) / W;
            while (i < ile && Znak(od1 + i * W) < 0x80 && Znak(od2 + i * W) < 0x80 &&
                   DuzaAscii(Znak(od1 + i * W)) == DuzaAscii(Znak(od2 + i * W)))
                ++i;
            if (i == ile) return true;
        }
        if (AsciiZakres(od1, do1) && AsciiZakres(od2, do2)) return false;
        return sondrel::RowneNazwy(d.Znaki(od1, do1), d.Znaki(od2, do2));
    }

    // The range from `od` to `doPoz` without the characters below 33 at both ends
    // (PrzytnijXML), as a whole number of characters.
    static void Przytnij(const ParserXML& parser, qsizetype od, qsizetype doPoz, qsizetype& cel1,
                         qsizetype& cel2) {
        qsizetype ile = std::max<qsizetype>(0, (doPoz - od) / W);
        while (ile > 0 && parser.Znak(od) < 33) {
            od += W;
            --ile;
        }
        while (ile > 0 && parser.Znak(od + (ile - 1) * W) < 33)
            --ile;
        cel1 = od;
        cel2 = od + ile * W;
    }
    void UstawTekst(Wezel& wezel, qsizetype od, qsizetype doPoz) const {
        Przytnij(*this, od, doPoz, wezel.tekstOd, wezel.tekstDo);
    }

    // Position of the next occurrence of the ASCII pattern at or after p, or -1.
    qsizetype Znajdz(const char* wzor, int dlugosc) const {
        for (qsizetype q = p; q + qsizetype(dlugosc) * W <= n; q += W) {
            int i = 0;
            while (i < dlugosc && Znak(q + qsizetype(i) * W) == char16_t(wzor[i]))
                ++i;
            if (i == dlugosc) return q;
        }
        return -1;
    }

    // The position of the next "<" at or after p, or the end of the input.
    qsizetype DoZnacznika() const {
        if constexpr (W == 1) {
            const void* z = p < n ? std::memchr(b + p, '<', std::size_t(n - p)) : nullptr;
            return z ? static_cast<const uchar*>(z) - b : n;
        } else {
            qsizetype q = p;
            while (q + W <= n && Znak(q) != u'<')
                q += W;
            return q;
        }
    }

    Wezel& Nowy() {
        d.wezly.emplace_back();
        Wezel& w = d.wezly.back();
        w.atrybutyOd = static_cast<qint32>(d.atrybuty.size());
        return w;
    }

    void Dolacz(qint32 rodzic, qint32 dziecko) {
        Wezel& r = d.wezly[rodzic];
        d.wezly[dziecko].rodzic = rodzic;
        if (r.ostatnie == WidokXML::Brak)
            r.pierwsze = dziecko;
        else
            d.wezly[r.ostatnie].nastepne = dziecko;
        r.ostatnie = dziecko;
        ++r.dzieci;
    }

    Znacznik ParsujZnacznik(qint32 rodzic) {
        if (Koniec()) return Znacznik::Blad;
        char16_t c = Czytaj();
        if (c == u'!') {
            if (Zostalo() < 7) return Znacznik::Blad;
            static constexpr char16_t cdata[] = u"[CDATA[";
            bool jestCData = true;
            for (int i = 0; i < 7; ++i)
                if (QChar(Dekodowany(p + qsizetype(i) * W)).toUpper().unicode() != cdata[i])
                    jestCData = false;
            if (jestCData) {
                p += 7 * W;
                const qsizetype k = Znajdz("]]>", 3);
                Wezel& r = d.wezly[rodzic];
                if (k < 0) {
                    r.cdataOd = r.cdataDo = 0;
                    p = n;
                } else {
                    r.cdataOd = p;
                    r.cdataDo = k;
                    p = k + 3 * W;
                }
                return Znacznik::CData;
            }
            Wezel& wezel = Nowy();
            wezel.rodzaj = WezelKomentarz;
            p = std::min(n, p + 2 * W);
            const qsizetype k = Znajdz("-->", 3);
            if (k < 0) {
                UstawTekst(wezel, p, n);
                p = n;
            } else {
                UstawTekst(wezel, p, k);
                p = k + 3 * W;
            }
            return Znacznik::Zamkniety;
        }
        Wezel& wezel = Nowy();
        if (c == u'&')
            wezel.rodzaj = WezelDane;
        else if (c == u'?')
            wezel.rodzaj = WezelInstrukcja;
        else
            Cofnij(1);

        wezel.nazwaOd = p;
        wezel.klucz = CzytajNazwe(KlasaKoniecNazwy, wezel.nazwaAscii);
        wezel.nazwaDo = p;
        PominBiale();
        if (Koniec()) return Znacznik::Blad;
        c = Czytaj();
        bool pusty = false;
        if (c == u'/') {
            if (Koniec() || Czytaj() != u'>') return Znacznik::Blad;
            pusty = true;
        }
        if (wezel.nazwaDo == wezel.nazwaOd) return Znacznik::Blad;

        if (c != u'>' && c != u'/') {
            Cofnij(1);
            for (;;) {
                PominBiale();
                if (Koniec()) break;
                c = Czytaj();
                if (c == u'/' && !Koniec() && Znak(p) == u'>') {
                    p += W;
                    pusty = true;
                    break;
                }
                if (c == u'>') break;
                Cofnij(1);
                const qsizetype nazwaOd = p;
                while (!Koniec() && !WKlasie(Znak(p), KlasaKoniecAtrybutu))
                    p += W;
                const qsizetype nazwaDo = p;
                if (wezel.rodzaj == WezelInstrukcja && nazwaDo - nazwaOd == W &&
                    Znak(nazwaOd) == u'?') {
                    if (Koniec() || Czytaj() != u'>') return Znacznik::Blad;
                    break;
                }
                PominBiale();
                if (Koniec() || Czytaj() != u'=') return Znacznik::Blad;
                PominBiale();
                if (Koniec() || Czytaj() != u'"') return Znacznik::Blad;
                const qsizetype od = p;
                while (!Koniec() && Znak(p) != u'"')
                    p += W;
                if (Koniec()) return Znacznik::Blad;
                d.atrybuty.push_back({nazwaOd, nazwaDo, od, p});
                ++wezel.atrybutow;
                p += W;
            }
        }

        if (wezel.rodzaj == WezelDane) {
            if (n - p < 4) {
                p = n;
            } else {
                const quint32 dlugosc = quint32(b[p]) | (quint32(b[p + 1]) << 8) |
                                        (quint32(b[p + 2]) << 16) | (quint32(b[p + 3]) << 24);
                p += 4;
                if (n - p >= qsizetype(dlugosc)) {
                    wezel.danychOd = p;
                    wezel.danychDo = p + qsizetype(dlugosc);
                }
                p = std::min(n, p + qsizetype(dlugosc));
            }
        } else {
            PominBiale();
            const qsizetype od = p;
            p = DoZnacznika();
            UstawTekst(wezel, od, p);
        }
        return (pusty || wezel.rodzaj == WezelInstrukcja) ? Znacznik::Zamkniety : Znacznik::Otwarty;
    }
};

WidokXML::WidokXML() = default;
WidokXML::~WidokXML() = default;

bool WidokXML::Parse(QByteArrayView bajty) {
    b = reinterpret_cast<const uchar*>(bajty.data());
    n = bajty.size();
    wezly.clear();
    atrybuty.clear();
    indeksy.clear();
    // One block for the nodes of a usual document (a node takes some 25 bytes of markup and
    // text); a hostile one grows it as it goes.
    wezly.reserve(static_cast<std::size_t>(std::min<qsizetype>(n / 24, 4096) + 4));
    wezly.emplace_back(); // the root
    szerokosc = n >= 2 && b[0] == 0xFF && b[1] == 0xFE ? 2 : 1;
    if (n < 2) return false;
    return szerokosc == 2 ? ParserXML<2>(*this).Parsuj() : ParserXML<1>(*this).Parsuj();
}

qint32 WidokXML::IloscWezlow() const {
    return static_cast<qint32>(wezly.size());
}

qint32 WidokXML::Rodzic(qint32 wezel) const {
    return wezly[wezel].rodzic;
}

quint8 WidokXML::Rodzaj(qint32 wezel) const {
    return wezly[wezel].rodzaj;
}

bool WidokXML::Zamkniety(qint32 wezel) const {
    return wezly[wezel].zamkniety;
}

QString WidokXML::Znaki(qsizetype od, qsizetype doPoz) const {
    const qsizetype ile = (doPoz - od) / szerokosc;
    if (ile <= 0) return {};
    QString s(ile, Qt::Uninitialized);
    QChar* cel = s.data();
    if (szerokosc == 1) {
        const std::array<char16_t, 256>& znaki = Znaki1250();
        for (qsizetype i = 0; i < ile; ++i)
            cel[i] = QChar(znaki[b[od + i]]);
    } else {
        for (qsizetype i = 0; i < ile; ++i)
            cel[i] = QChar(char16_t(b[od + 2 * i] | (char16_t(b[od + 2 * i + 1]) << 8)));
    }
    return s;
}

QString WidokXML::Nazwa(qint32 wezel) const {
    return Znaki(wezly[wezel].nazwaOd, wezly[wezel].nazwaDo);
}

QString WidokXML::Tekst(qint32 wezel) const {
    if (wezel == Brak) return {};
    const Wezel& w = wezly[wezel];
    QString tekst = Znaki(w.tekstOd, w.tekstDo);
    return w.rodzaj == WezelKomentarz ? tekst : OdescapujXML(std::move(tekst));
}

QString WidokXML::CData(qint32 wezel) const {
    return Znaki(wezly[wezel].cdataOd, wezly[wezel].cdataDo);
}

QByteArrayView WidokXML::Dane(qint32 wezel) const {
    const Wezel& w = wezly[wezel];
    return QByteArrayView(b + w.danychOd, w.danychDo - w.danychOd);
}

qint32 WidokXML::IloscAtrybutow(qint32 wezel) const {
    return wezly[wezel].atrybutow;
}

TpkXMLAttr WidokXML::Atrybut(qint32 wezel, qint32 indeks) const {
    const AtrybutWidoku& a = atrybuty[static_cast<std::size_t>(wezly[wezel].atrybutyOd + indeks)];
    return {PrzytnijXML(Znaki(a.nazwaOd, a.nazwaDo)),
            OdescapujXML(Znaki(a.wartoscOd, a.wartoscDo))};
}

WidokXML::SurowyTekst WidokXML::TekstSurowy(qint32 wezel) const {
    if (wezel == Brak) return {};
    const Wezel& w = wezly[wezel];
    const QByteArrayView bajty(b + w.tekstOd, w.tekstDo - w.tekstOd);
    bool encje = false;
    if (w.rodzaj != WezelKomentarz) {
        if (szerokosc == 1) {
            encje = !bajty.isEmpty() && std::memchr(bajty.data(), '&', bajty.size()) != nullptr;
        } else {
            for (qsizetype i = 0; i + 1 < bajty.size() && !encje; i += 2)
                encje = bajty[i] == '&' && bajty[i + 1] == 0;
        }
    }
    return {bajty, encje};
}

bool WidokXML::NazwaRowna(qint32 wezel, QStringView nazwa, quint64 klucz, bool ascii) const {
    const Wezel& w = wezly[wezel];
    if (klucz != 0 && w.klucz != 0) return klucz == w.klucz;
    const qsizetype ile = (w.nazwaDo - w.nazwaOd) / szerokosc;
    if (ascii && w.nazwaAscii) {
        // Two ASCII names: equal when their upper-cased characters are.
        if (ile != nazwa.size()) return false;
        const uchar* z = b + w.nazwaOd;
        for (qsizetype i = 0; i < ile; ++i) {
            const char16_t c = szerokosc == 1 ? z[i] : char16_t(z[2 * i] | (z[2 * i + 1] << 8));
            if (DuzaAscii(c) != DuzaAscii(nazwa[i].unicode())) return false;
        }
        return true;
    }
    return RowneNazwy(Nazwa(wezel), nazwa);
}

quint32 WidokXML::SkrotWezla(qint32 wezel) const {
    const Wezel& w = wezly[wezel];
    if (w.klucz != 0) return SkrotKlucza(w.klucz);
    if (!w.nazwaAscii) return SkrotNazwy(Nazwa(wezel));
    // SkrotNazwy of an ASCII name, straight from the bytes.
    quint32 skrot = PoczatekSkrotu;
    for (qsizetype q = w.nazwaOd; q + szerokosc <= w.nazwaDo; q += szerokosc)
        skrot = DodajDoSkrotu(skrot, b[q]);
    return skrot;
}

const WidokXML::IndeksDzieci& WidokXML::Indeks(qint32 rodzic) const {
    for (const IndeksDzieci& indeks : indeksy)
        if (indeks.rodzic == rodzic) return indeks;
    const Wezel& r = wezly[rodzic];
    IndeksDzieci indeks;
    indeks.rodzic = rodzic;
    std::size_t rozmiar = 16;
    while (rozmiar < 2 * static_cast<std::size_t>(r.dzieci))
        rozmiar *= 2;
    indeks.sloty.resize(rozmiar);
    for (qint32 d = r.pierwsze; d != Brak; d = wezly[d].nastepne) {
        const quint32 skrot = SkrotWezla(d);
        std::size_t i = skrot & (rozmiar - 1);
        // Only the first child of a name goes into the table.
        bool jest = false;
        while (!jest && indeks.sloty[i].dziecko != Brak) {
            jest =
                indeks.sloty[i].skrot == skrot &&
                NazwaRowna(indeks.sloty[i].dziecko, Nazwa(d), wezly[d].klucz, wezly[d].nazwaAscii);
            i = (i + 1) & (rozmiar - 1);
        }
        if (!jest) indeks.sloty[i] = {skrot, d};
    }
    indeksy.push_back(std::move(indeks));
    return indeksy.back();
}

qint32 WidokXML::Dziecko(qint32 rodzic, QStringView nazwa) const {
    if (rodzic == Brak) return Brak;
    const Wezel& r = wezly[rodzic];
    const quint64 klucz = KluczNazwy(nazwa.utf16(), nazwa.size());
    const bool ascii = klucz != 0 || Ascii(nazwa);
    if (static_cast<std::size_t>(r.dzieci) <= DzieciBezIndeksu) {
        for (qint32 d = r.pierwsze; d != Brak; d = wezly[d].nastepne)
            if (NazwaRowna(d, nazwa, klucz, ascii)) return d;
        return Brak;
    }
    const IndeksDzieci& indeks = Indeks(rodzic);
    const std::size_t maska = indeks.sloty.size() - 1;
    const quint32 skrot = klucz != 0 ? SkrotKlucza(klucz) : SkrotNazwy(nazwa);
    for (std::size_t i = skrot & maska; indeks.sloty[i].dziecko != Brak; i = (i + 1) & maska)
        if (indeks.sloty[i].skrot == skrot &&
            NazwaRowna(indeks.sloty[i].dziecko, nazwa, klucz, ascii))
            return indeks.sloty[i].dziecko;
    return Brak;
}

} // namespace sondrel
