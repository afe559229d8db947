#include "formats/xml.h"

#include "core/kodowanie1250.h"
#include "core/pliki.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>
#include <QVarLengthArray>
#include <array>

namespace sondrel {

namespace {

bool Bialy(char16_t z) {
    return z == u'\t' || z == u'\n' || z == u'\r' || z == u' ';
}

bool Ascii(QStringView s) {
    for (QChar z : s)
        if (z.unicode() >= 0x80) return false;
    return true;
}

char16_t DuzaAscii(char16_t z) {
    return (z >= u'a' && z <= u'z') ? char16_t(z - 32) : z;
}

// Names are equal when their upper-cased forms are. ASCII names (all names of this program's
// documents) are compared without building new strings.
bool RowneNazwy(QStringView a, QStringView b) {
    if (a.size() == b.size()) {
        qsizetype i = 0;
        while (i < a.size() && a[i].unicode() < 0x80 && b[i].unicode() < 0x80 &&
               DuzaAscii(a[i].unicode()) == DuzaAscii(b[i].unicode()))
            ++i;
        if (i == a.size()) return true;
    }
    // Upper-casing keeps an ASCII name's length and maps other letters to ASCII ones at times
    // (dotless i to I): only a pair of ASCII names is surely different here.
    if (Ascii(a) && Ascii(b)) return false;
    return a.toString().toUpper() == b.toString().toUpper();
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

// Reads the decoded document character by character. Positions are byte offsets into the
// input, so that a data node's raw bytes can be taken from where they lie (in a UTF-16
// document too) and the parse can go on after them. W is the width of a character in bytes (1
// for Windows-1250, 2 for UTF-16), a template parameter so that reading a character compiles
// to a plain load without a test of the width each time.
template <int W> class Parser {
public:
    explicit Parser(QByteArrayView bajty)
        : b(reinterpret_cast<const uchar*>(bajty.data())), znaki(Znaki1250()) {
        // In a UTF-16 document a last byte without its pair is never read as a character.
        p = W == 2 ? 2 : 0;
        n = bajty.size();
    }

    bool Parsuj(TpkXMLNode& korzen) {
        std::vector<TpkXMLNode*> stos{&korzen};
        for (;;) {
            TpkXMLNode* biezacy = stos.back();
            PominBiale();
            if (Koniec()) return true;
            if (Czytaj() != u'<') return false;
            if (!Koniec() && Podejrzyj() == u'/') {
                p += w;
                // The end tag's name is only compared: it is read into a buffer on the stack.
                QVarLengthArray<char16_t, 64> nazwa;
                while (!Koniec() && !Bialy(Znak(p)) && Znak(p) != u'>') {
                    nazwa.append(Znak(p));
                    p += w;
                }
                PominBiale();
                if (Koniec() || Czytaj() != u'>' ||
                    !RowneNazwy(QStringView(nazwa.data(), nazwa.size()), biezacy->name))
                    return false;
                biezacy->closed = true;
                stos.pop_back();
                if (stos.empty()) return true; // "</>" closes the root: the rest is not read
                continue;
            }
            auto wezel = std::make_unique<TpkXMLNode>();
            const Znacznik z = ParsujZnacznik(*wezel, *biezacy, NazwaKuzyna(stos));
            if (z == Znacznik::Blad) return false;
            if (z == Znacznik::CData) continue;
            TpkXMLNode* nowy = biezacy->DodajDziecko(std::move(wezel));
            if (z == Znacznik::Otwarty) {
                if (static_cast<int>(stos.size()) > MaksZagniezdzenieXML) return false;
                stos.push_back(nowy);
            }
        }
    }

private:
    enum class Znacznik { Blad, CData, Zamkniety, Otwarty };

    static constexpr int w = W;
    const uchar* b;
    qint64 p = 0;
    qint64 n = 0;
    const std::array<char16_t, 256>& znaki;

    // Documents repeat their records: the k-th child of an element mostly has the name of the
    // k-th child of the element before it (every answer holds `nrw` and `nrp`). The parser
    // offers that name, and a new node of the same name shares its string instead of making
    // its own. The element being filled is the last child of the one below it on the stack.
    static const QString* NazwaKuzyna(const std::vector<TpkXMLNode*>& stos) {
        if (stos.size() < 2) return nullptr;
        const TpkXMLNode* rodzic = stos[stos.size() - 1];
        const TpkXMLNode* dziadek = stos[stos.size() - 2];
        const TpkXMLNode* poprzedni = dziadek->Child(dziadek->ChildCount() - 2);
        const TpkXMLNode* kuzyn = poprzedni ? poprzedni->Child(rodzic->ChildCount()) : nullptr;
        return kuzyn ? &kuzyn->name : nullptr;
    }

    // Whether the characters from `od` to `doPoz` are exactly `tekst`.
    bool TenSamTekst(qint64 od, qint64 doPoz, const QString& tekst) const {
        if ((doPoz - od) / w != tekst.size()) return false;
        for (qsizetype i = 0; i < tekst.size(); ++i)
            if (Znak(od + i * w) != tekst[i].unicode()) return false;
        return true;
    }

    bool Koniec() const { return p + w > n; }
    qint64 Zostalo() const { return p >= n ? 0 : (n - p) / w; }
    char16_t Znak(qint64 q) const {
        if constexpr (W == 1)
            return znaki[b[q]];
        else
            return char16_t(b[q] | (char16_t(b[q + 1]) << 8));
    }
    char16_t Podejrzyj() const { return Znak(p); }
    char16_t Czytaj() {
        const char16_t z = Znak(p);
        p += w;
        return z;
    }
    void Cofnij(int ile) { p -= qint64(ile) * w; }
    void PominBiale() {
        while (!Koniec() && Bialy(Znak(p)))
            p += w;
    }

    QString Tekst(qint64 od, qint64 doPoz) const {
        const qint64 ile = (doPoz - od) / w;
        if (ile <= 0) return {};
        QString s(ile, Qt::Uninitialized);
        QChar* cel = s.data();
        for (qint64 i = 0; i < ile; ++i)
            cel[i] = QChar(Znak(od + i * w));
        return s;
    }

    // Tekst without the characters below 33 at both ends (PrzytnijXML), trimmed before the
    // string is made so that it is made once.
    QString TekstPrzyciety(qint64 od, qint64 doPoz) const {
        qint64 ile = std::max<qint64>(0, (doPoz - od) / w);
        while (ile > 0 && Znak(od) < 33) {
            od += w;
            --ile;
        }
        while (ile > 0 && Znak(od + (ile - 1) * w) < 33)
            --ile;
        return Tekst(od, od + ile * w);
    }

    template <typename Stop> QString CzytajDo(Stop stop) {
        const qint64 od = p;
        while (!Koniec() && !stop(Znak(p)))
            p += w;
        return Tekst(od, p);
    }

    // Position of the next occurrence of the ASCII pattern at or after p, or -1.
    qint64 Znajdz(const char* wzor, int dlugosc) const {
        for (qint64 q = p; q + qint64(dlugosc) * w <= n; q += w) {
            int i = 0;
            while (i < dlugosc && Znak(q + qint64(i) * w) == char16_t(wzor[i]))
                ++i;
            if (i == dlugosc) return q;
        }
        return -1;
    }

    // `nazwaKuzyna`, when given, is a likely name of the new node (NazwaKuzyna).
    Znacznik ParsujZnacznik(TpkXMLNode& wezel, TpkXMLNode& rodzic, const QString* nazwaKuzyna) {
        if (Koniec()) return Znacznik::Blad;
        char16_t c = Czytaj();
        if (c == u'!') {
            if (Zostalo() < 7) return Znacznik::Blad;
            static constexpr char16_t cdata[] = u"[CDATA[";
            bool jestCData = true;
            for (int i = 0; i < 7; ++i)
                if (QChar(Znak(p + qint64(i) * w)).toUpper().unicode() != cdata[i])
                    jestCData = false;
            if (jestCData) {
                p += 7 * w;
                const qint64 k = Znajdz("]]>", 3);
                if (k < 0) {
                    rodzic.cdata.clear();
                    p = n;
                } else {
                    rodzic.cdata = Tekst(p, k);
                    p = k + 3 * w;
                }
                return Znacznik::CData;
            }
            wezel.kind = WezelKomentarz;
            p = std::min(n, p + 2 * w);
            const qint64 k = Znajdz("-->", 3);
            if (k < 0) {
                wezel.text = TekstPrzyciety(p, n);
                p = n;
            } else {
                wezel.text = TekstPrzyciety(p, k);
                p = k + 3 * w;
            }
            return Znacznik::Zamkniety;
        }
        if (c == u'&')
            wezel.kind = WezelDane;
        else if (c == u'?')
            wezel.kind = WezelInstrukcja;
        else
            Cofnij(1);

        const qint64 poczatekNazwy = p;
        while (!Koniec() && !Bialy(Znak(p)) && Znak(p) != u'/' && Znak(p) != u'>')
            p += w;
        if (nazwaKuzyna && TenSamTekst(poczatekNazwy, p, *nazwaKuzyna))
            wezel.name = *nazwaKuzyna;
        else
            wezel.name = Tekst(poczatekNazwy, p);
        PominBiale();
        if (Koniec()) return Znacznik::Blad;
        c = Czytaj();
        bool pusty = false;
        if (c == u'/') {
            if (Koniec() || Czytaj() != u'>') return Znacznik::Blad;
            pusty = true;
        }
        if (wezel.name.isEmpty()) return Znacznik::Blad;

        if (c != u'>' && c != u'/') {
            Cofnij(1);
            for (;;) {
                PominBiale();
                if (Koniec()) break;
                c = Czytaj();
                if (c == u'/' && !Koniec() && Podejrzyj() == u'>') {
                    p += w;
                    pusty = true;
                    break;
                }
                if (c == u'>') break;
                Cofnij(1);
                const QString nazwa =
                    CzytajDo([](char16_t z) { return Bialy(z) || z == u'=' || z == u'>'; });
                if (wezel.kind == WezelInstrukcja && nazwa == u"?") {
                    if (Koniec() || Czytaj() != u'>') return Znacznik::Blad;
                    break;
                }
                PominBiale();
                if (Koniec() || Czytaj() != u'=') return Znacznik::Blad;
                PominBiale();
                if (Koniec() || Czytaj() != u'"') return Znacznik::Blad;
                const qint64 od = p;
                while (!Koniec() && Znak(p) != u'"')
                    p += w;
                if (Koniec()) return Znacznik::Blad;
                QString wartosc = Tekst(od, p);
                p += w;
                wezel.attributes.push_back({PrzytnijXML(nazwa), OdescapujXML(std::move(wartosc))});
            }
        }

        if (wezel.kind == WezelDane) {
            if (n - p < 4) {
                p = n;
            } else {
                const quint32 dlugosc = quint32(b[p]) | (quint32(b[p + 1]) << 8) |
                                        (quint32(b[p + 2]) << 16) | (quint32(b[p + 3]) << 24);
                p += 4;
                if (n - p >= qint64(dlugosc))
                    wezel.data = QByteArray(reinterpret_cast<const char*>(b + p), dlugosc);
                p = std::min(n, p + qint64(dlugosc));
            }
        } else {
            PominBiale();
            const qint64 od = p;
            while (!Koniec() && Znak(p) != u'<')
                p += w;
            wezel.text = OdescapujXML(TekstPrzyciety(od, p));
        }
        return (pusty || wezel.kind == WezelInstrukcja) ? Znacznik::Zamkniety : Znacznik::Otwarty;
    }
};

class Pisarz {
public:
    Pisarz(const TpkXML& dokument) : d(dokument) {
        if (d.unicode) wynik.append("\xFF\xFE", 2);
    }

    void Pisz(QStringView s) {
        if (d.unicode) {
            for (QChar z : s) {
                const char16_t u = z.unicode();
                wynik.append(static_cast<char>(u & 0xFF));
                wynik.append(static_cast<char>(u >> 8));
            }
        } else {
            wynik.append(Na1250(s));
        }
    }

    void Wezel(const TpkXMLNode& wezel, const QString& wciecie) {
        const bool blok = wezel.ChildCount() > 0 || !wezel.cdata.isEmpty();
        const bool pusty = wezel.text.isEmpty() && !blok && wezel.kind != WezelDane;
        bool atrybuty = false;
        for (const TpkXMLAttr& a : wezel.attributes)
            atrybuty = atrybuty || !a.value.isEmpty();
        if (pusty && !atrybuty) return;

        Pisz(wciecie);
        switch (wezel.kind) {
        case WezelInstrukcja:
            Pisz(u"<?");
            Pisz(wezel.name);
            break;
        case WezelKomentarz:
            Pisz(u"<!-- ");
            Pisz(wezel.text);
            Pisz(u" -->");
            Pisz(d.lineBreak);
            return;
        case WezelDane:
            Pisz(u"<&");
            Pisz(wezel.name);
            break;
        default:
            Pisz(u"<");
            Pisz(wezel.name);
        }
        for (const TpkXMLAttr& a : wezel.attributes) {
            if (a.value.isEmpty()) continue;
            Pisz(u" ");
            Pisz(a.name);
            Pisz(u"=\"");
            Pisz(EscapujXML(a.value));
            Pisz(u"\"");
        }
        if (wezel.kind == WezelInstrukcja)
            Pisz(u"?>");
        else
            Pisz(pusty ? u"/>" : u">");
        if (wezel.kind == WezelDane) {
            const quint32 dlugosc = static_cast<quint32>(wezel.data.size());
            for (int i = 0; i < 4; ++i)
                wynik.append(static_cast<char>((dlugosc >> (8 * i)) & 0xFF));
            wynik.append(wezel.data);
        } else {
            Pisz(EscapujXML(wezel.text));
        }
        if (blok) Pisz(d.lineBreak);
        if (!wezel.cdata.isEmpty()) {
            QString tresc = Z1250(Na1250(wezel.cdata));
            tresc.replace(QStringLiteral("[CDATA["), QStringLiteral("_CDATA_"),
                          Qt::CaseInsensitive);
            tresc.replace(QStringLiteral("]]>"), QStringLiteral("__>"));
            Pisz(wciecie);
            Pisz(d.indentUnit);
            Pisz(u"<![CDATA[");
            Pisz(tresc);
            Pisz(u"]]>");
            Pisz(d.lineBreak);
        }
        const QString glebiej = wciecie + d.indentUnit;
        for (int i = 0; i < wezel.ChildCount(); ++i)
            Wezel(*wezel.Child(i), glebiej);
        if (blok) Pisz(wciecie);
        if (!pusty && wezel.kind != WezelInstrukcja) {
            Pisz(u"</");
            Pisz(wezel.name);
            Pisz(u">");
        }
        Pisz(d.lineBreak);
    }

    QByteArray wynik;

private:
    const TpkXML& d;
};

} // namespace

TpkXMLNode::~TpkXMLNode() {
    // Deep trees are taken apart level by level instead of by recursive destructors.
    std::vector<std::unique_ptr<TpkXMLNode>> doUsuniecia = std::move(dzieci);
    while (!doUsuniecia.empty()) {
        std::unique_ptr<TpkXMLNode> wezel = std::move(doUsuniecia.back());
        doUsuniecia.pop_back();
        for (auto& dziecko : wezel->dzieci)
            doUsuniecia.push_back(std::move(dziecko));
        wezel->dzieci.clear();
    }
}

namespace {
constexpr std::size_t DzieciBezIndeksu = 12;

// FNV-1a over the UTF-16 units of the upper-cased name, so that names equal without regard to
// letter case (RowneNazwy) get equal hashes. ASCII names are upper-cased unit by unit on the
// fly; any other name through the platform's upper-casing, as RowneNazwy compares it.
quint32 SkrotNazwy(QStringView nazwa) {
    quint32 skrot = 2166136261u;
    const auto dopisz = [&skrot](char16_t z) { skrot = (skrot ^ z) * 16777619u; };
    if (Ascii(nazwa)) {
        for (QChar z : nazwa)
            dopisz(DuzaAscii(z.unicode()));
    } else {
        const QString duza = nazwa.toString().toUpper();
        for (QChar z : duza)
            dopisz(z.unicode());
    }
    return skrot;
}
} // namespace

TpkXMLNode* TpkXMLNode::ChildByName(QStringView nazwa, bool utworz) {
    if (dzieci.size() <= DzieciBezIndeksu) {
        for (const auto& dziecko : dzieci)
            if (RowneNazwy(dziecko->name, nazwa)) return dziecko.get();
    } else {
        if (skroty.empty()) {
            skroty.reserve(dzieci.size());
            for (const auto& dziecko : dzieci)
                skroty.push_back(SkrotNazwy(dziecko->name));
        }
        const quint32 skrot = SkrotNazwy(nazwa);
        for (std::size_t i = 0; i < skroty.size(); ++i)
            if (skroty[i] == skrot && RowneNazwy(dzieci[i]->name, nazwa)) return dzieci[i].get();
    }
    return utworz ? AddChild(nazwa.toString()) : nullptr;
}

TpkXMLNode* TpkXMLNode::AddChild(const QString& nazwa, quint8 rodzaj) {
    return DodajDziecko(std::make_unique<TpkXMLNode>(nazwa, rodzaj));
}

TpkXMLNode* TpkXMLNode::DodajDziecko(std::unique_ptr<TpkXMLNode> dziecko) {
    if (!skroty.empty()) skroty.push_back(SkrotNazwy(dziecko->name));
    // An element that has children mostly has a few (an answer holds two): room for four at
    // once saves growing the list one by one.
    if (dzieci.empty()) dzieci.reserve(4);
    dzieci.push_back(std::move(dziecko));
    return dzieci.back().get();
}

TpkXMLNode* TpkXMLNode::Child(int indeks) const {
    return (indeks >= 0 && indeks < ChildCount()) ? dzieci[indeks].get() : nullptr;
}

TpkXMLAttr* TpkXMLNode::Attr(int indeks) {
    return (indeks >= 0 && indeks < AttrCount()) ? &attributes[indeks] : nullptr;
}

const TpkXMLAttr* TpkXMLNode::Attr(int indeks) const {
    return (indeks >= 0 && indeks < AttrCount()) ? &attributes[indeks] : nullptr;
}

void TpkXMLNode::Clear() {
    std::vector<std::unique_ptr<TpkXMLNode>> stare = std::move(dzieci);
    dzieci.clear();
    skroty.clear();
    text.clear();
    // `stare` dies here; each node takes its own subtree apart without recursion.
}

bool TpkXML::LoadFromStream(QIODevice& strumien) {
    const QByteArray bajty = strumien.readAll();
    if (bajty.isEmpty()) return false;
    return Parse(bajty);
}

bool TpkXML::LoadFromFile(const QString& sciezka) {
    QFile plik(sciezka);
    if (!plik.exists() || !plik.open(QIODevice::ReadOnly)) return false;
    return LoadFromStream(plik);
}

bool TpkXML::Parse(QByteArrayView bajty) {
    root.Clear();
    root.cdata.clear();
    if (bajty.size() < 2) return false;
    unicode = static_cast<uchar>(bajty[0]) == 0xFF && static_cast<uchar>(bajty[1]) == 0xFE;
    return unicode ? Parser<2>(bajty).Parsuj(root) : Parser<1>(bajty).Parsuj(root);
}

QByteArray TpkXML::SaveToBytes() const {
    Pisarz pisarz(*this);
    for (int i = 0; i < root.ChildCount(); ++i)
        pisarz.Wezel(*root.Child(i), QString());
    return pisarz.wynik;
}

bool TpkXML::SaveToStream(QIODevice& strumien) const {
    const QByteArray bajty = SaveToBytes();
    return strumien.write(bajty) == bajty.size();
}

bool TpkXML::SaveToFile(const QString& sciezka) const {
    return ZapiszPlik(sciezka, SaveToBytes());
}

QString PrzytnijXML(QStringView tekst) {
    qsizetype od = 0, doPoz = tekst.size();
    while (od < doPoz && tekst[od].unicode() < 33)
        ++od;
    while (doPoz > od && tekst[doPoz - 1].unicode() < 33)
        --doPoz;
    return tekst.mid(od, doPoz - od).toString();
}

QString OdescapujXML(QString tekst) {
    if (!tekst.contains(u'&')) return tekst;
    tekst.replace(QStringLiteral("&quot;"), QStringLiteral("\""), Qt::CaseInsensitive);
    tekst.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    tekst.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    tekst.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseInsensitive);
    return tekst;
}

QString EscapujXML(QString tekst) {
    tekst.replace(u'&', QStringLiteral("&amp;"));
    tekst.replace(u'<', QStringLiteral("&lt;"));
    tekst.replace(u'>', QStringLiteral("&gt;"));
    tekst.replace(u'"', QStringLiteral("&quot;"));
    return tekst;
}

} // namespace sondrel
