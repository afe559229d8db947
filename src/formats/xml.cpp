// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of an XML document (built from the view) and its writer.
#include "formats/xml.h"

#include "core/kodowanie1250.h"
#include "core/pliki.h"
#include "formats/nazwy_xml.h"

#include <QBuffer>
#include <QFile>
#include <QIODevice>

namespace sondrel {

namespace {

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
    QFile plik;
    if (!OtworzZwyklyPlik(plik, sciezka)) return false;
    return LoadFromStream(plik);
}

bool TpkXML::Parse(QByteArrayView bajty) {
    root.Clear();
    root.cdata.clear();
    if (bajty.size() < 2) return false;
    WidokXML widok;
    const bool wynik = widok.Parse(bajty);
    unicode = widok.Unicode();
    if (widok.Zamkniety(WidokXML::Korzen)) root.closed = true;
    root.cdata = widok.CData(WidokXML::Korzen);
    // The view holds the nodes in document order, each after its parent.
    std::vector<TpkXMLNode*> wezly(static_cast<std::size_t>(widok.IloscWezlow()));
    wezly[0] = &root;
    for (qint32 i = 1; i < widok.IloscWezlow(); ++i) {
        auto wezel = std::make_unique<TpkXMLNode>(widok.Nazwa(i), widok.Rodzaj(i));
        wezel->text = widok.Tekst(i);
        wezel->cdata = widok.CData(i);
        wezel->data = widok.Dane(i).toByteArray();
        wezel->closed = widok.Zamkniety(i);
        const qint32 atrybutow = widok.IloscAtrybutow(i);
        wezel->attributes.reserve(static_cast<std::size_t>(atrybutow));
        for (qint32 a = 0; a < atrybutow; ++a)
            wezel->attributes.push_back(widok.Atrybut(i, a));
        wezly[i] = wezly[widok.Rodzic(i)]->DodajDziecko(std::move(wezel));
    }
    return wynik;
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

namespace {

// The length of the entity (&quot; &gt; &lt; &amp;, any letter case) that `r` starts with and
// its character; 0 when it starts with none.
qsizetype Encja(const QChar* r, qsizetype dlugosc, QChar& znak) {
    static const struct {
        char litery[7];
        qsizetype dlugosc;
        char16_t znak;
    } encje[] = {{"&quot;", 6, u'"'}, {"&gt;", 4, u'>'}, {"&lt;", 4, u'<'}, {"&amp;", 5, u'&'}};
    for (const auto& e : encje) {
        if (dlugosc < e.dlugosc) continue;
        qsizetype i = 1;
        // Letters compared with their case folded; ';' and '&' are not letters.
        while (i < e.dlugosc &&
               (r[i].unicode() | (e.litery[i] == ';' ? 0 : 0x20)) == char16_t(e.litery[i]))
            ++i;
        if (i == e.dlugosc) {
            znak = QChar(e.znak);
            return e.dlugosc;
        }
    }
    return 0;
}

} // namespace

QString OdescapujXML(QString tekst) {
    qsizetype pisz = tekst.indexOf(u'&');
    if (pisz < 0) return tekst;
    // One pass, writing behind the reading position: each of the four entities becomes its
    // character, and what it gives is never read again (so "&amp;lt;" is "&lt;"), as four
    // replacements one after another give.
    QChar* const znaki = tekst.data();
    const qsizetype dlugosc = tekst.size();
    for (qsizetype czytaj = pisz; czytaj < dlugosc;) {
        QChar znak;
        const qsizetype encja =
            znaki[czytaj] == u'&' ? Encja(znaki + czytaj, dlugosc - czytaj, znak) : 0;
        if (encja) {
            znaki[pisz++] = znak;
            czytaj += encja;
        } else {
            znaki[pisz++] = znaki[czytaj++];
        }
    }
    tekst.truncate(pisz);
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
