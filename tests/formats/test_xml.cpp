// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kodowanie1250.h"
#include "formats/xml.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sondrel;

namespace {

QByteArray Utf16(const QString& tekst) {
    QByteArray wynik("\xFF\xFE", 2);
    for (QChar z : tekst) {
        wynik.append(static_cast<char>(z.unicode() & 0xFF));
        wynik.append(static_cast<char>(z.unicode() >> 8));
    }
    return wynik;
}

QByteArray Dlugosc32(quint32 n) {
    QByteArray b;
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((n >> (8 * i)) & 0xFF));
    return b;
}

} // namespace

TEST(XmlOdczyt, NazwyBezWzgleduNaWielkoscLiterITworzenieBrakujacych) {
    TpkXML d;
    ASSERT_TRUE(d.Parse("<?xml version=\"1.0\"?>\r\n<ODP>\r\n\t<Cd>tr</Cd>\r\n</ODP>\r\n"));
    ASSERT_EQ(d.root.ChildCount(), 2);
    EXPECT_EQ(d.root.Child(0)->kind, WezelInstrukcja);
    EXPECT_EQ(d.root.Child(0)->name, "xml");
    EXPECT_EQ(d.root.Child(0)->Attr(0)->value, "1.0");
    TpkXMLNode* odp = d.FindNode(u"odp", true);
    ASSERT_NE(odp, nullptr);
    EXPECT_TRUE(odp->closed);
    EXPECT_EQ(odp->ChildByName(u"cd", true)->text, "tr");

    // A lookup without `create` finds nothing; with it, an empty element is appended once.
    EXPECT_EQ(odp->ChildByName(u"nzu", false), nullptr);
    TpkXMLNode* nzu = odp->ChildByName(u"nzu", true);
    ASSERT_NE(nzu, nullptr);
    EXPECT_EQ(nzu->text, "");
    EXPECT_EQ(odp->ChildByName(u"NZU", true), nzu);
    EXPECT_EQ(odp->ChildCount(), 2);
    EXPECT_EQ(odp->Child(2), nullptr);
    EXPECT_EQ(odp->Child(-1), nullptr);
    EXPECT_EQ(odp->Attr(0), nullptr);

    // Non-ASCII names are compared by their upper-cased forms.
    ASSERT_TRUE(d.Parse(Utf16(QString::fromUtf8("<żółw>x</ŻÓŁW>"))));
    EXPECT_EQ(d.FindNode(QString::fromUtf8("ŻÓŁW"), false)->text, "x");
}

TEST(XmlOdczyt, TekstyEncjeIPrzycinanie) {
    struct Przypadek {
        const char* dokument;
        const char* tekst;
    } przypadki[] = {
        {"<a>  abc \t</a>", "abc"},
        {"<a>x &AMP; y &Lt;b&gt; &quot;c&QUOT;</a>", "x & y <b> \"c\""},
        {"<a>&apos; &#65; &nbsp; &amp;lt;</a>", "&apos; &#65; &nbsp; &lt;"},
        {"<a>\x01\x1fz\x7f\x02</a>", "z\x7f"},
        {"<a>", ""},
        {"<a>abc", "abc"},
    };
    for (const auto& p : przypadki) {
        TpkXML d;
        EXPECT_TRUE(d.Parse(p.dokument)) << p.dokument;
        EXPECT_EQ(d.FindNode(u"a", false)->text, QString::fromLatin1(p.tekst)) << p.dokument;
    }

    // Windows-1250 bytes are read as their characters.
    TpkXML d;
    ASSERT_TRUE(d.Parse("<n>\xa3\xf3\x64\x9f</n>"));
    EXPECT_EQ(d.FindNode(u"n", false)->text, QString::fromUtf8("Łódź"));
}

// Entities are decoded in one pass: each of the four (any letter case) once, what a decoding
// gives never decoded again; a text of millions of them takes linear time (four replacements
// one after another took seconds for 20 MB).
TEST(XmlOdczyt, OdkodowanieEncjiWJednymPrzebiegu) {
    const struct {
        const char* tekst;
        const char* wynik;
    } przypadki[] = {{"&amp;lt;", "&lt;"}, {"a&amp;amp;b", "a&amp;b"}, {"&&amp;;", "&&;"},
                     {"x&", "x&"},         {"&gt&lt;", "&gt<"},        {"&QuOt;&AmP;", "\"&"},
                     {"&am&amp;", "&am&"}, {"bez encji", "bez encji"}};
    for (const auto& p : przypadki)
        EXPECT_EQ(OdescapujXML(QString::fromLatin1(p.tekst)), QString::fromLatin1(p.wynik))
            << p.tekst;
    // Polish letters around entities stay as they are.
    EXPECT_EQ(OdescapujXML(QString::fromUtf8("Żółć &amp; łódź")), QString::fromUtf8("Żółć & łódź"));

    QString duzy;
    duzy.reserve(20'000'000);
    for (int i = 0; i < 4'000'000; ++i)
        duzy += QLatin1StringView("&amp;");
    QElapsedTimer zegar;
    zegar.start();
    const QString wynik = OdescapujXML(duzy);
    const qint64 ms = zegar.elapsed();
    EXPECT_EQ(wynik, QString(4'000'000, u'&'));
#ifdef __SANITIZE_ADDRESS__
    const qint64 granica = 6000; // instrumented code runs several times slower
#else
    const qint64 granica = 1500;
#endif
    EXPECT_LT(ms, granica) << "decoding 4M entities took " << ms << " ms";
}

TEST(XmlOdczyt, PustyZnacznikKomentarzCDataIDane) {
    TpkXML d;
    ASSERT_TRUE(d.Parse("<r><e/> po pustym <!--  uwaga & <b>  --><![CDATA[ surowe <x> & ]]>"
                        "<f a=\"1\" /></r>"));
    TpkXMLNode* r = d.FindNode(u"r", false);
    ASSERT_EQ(r->ChildCount(), 3);
    EXPECT_EQ(r->Child(0)->text, "po pustym"); // text after an empty tag belongs to it
    EXPECT_EQ(r->Child(0)->ChildCount(), 0);
    EXPECT_EQ(r->Child(1)->kind, WezelKomentarz);
    EXPECT_EQ(r->Child(1)->text, "uwaga & <b>");
    EXPECT_EQ(r->cdata, " surowe <x> & ");
    EXPECT_EQ(r->Child(2)->Attr(0)->value, "1");

    // A CDATA section that never ends leaves the parent's cdata empty.
    ASSERT_TRUE(d.Parse("<r><![CDATA[abc]]><![cdata[ bez konca </r>"));
    EXPECT_EQ(d.FindNode(u"r", false)->cdata, "");

    // Data nodes: a length and raw bytes, in both encodings, an odd length included.
    const QByteArray surowe("\x00<\xff\x01>", 5);
    for (bool utf16 : {false, true}) {
        QByteArray dok = utf16 ? Utf16("<r><&d>") : QByteArray("<r><&d>");
        dok += Dlugosc32(5) + surowe;
        dok += utf16 ? Utf16("</d><e>po</e></r>").mid(2) : QByteArray("</d><e>po</e></r>");
        ASSERT_TRUE(d.Parse(dok)) << utf16;
        r = d.FindNode(u"r", false);
        ASSERT_EQ(r->ChildCount(), 2) << utf16;
        EXPECT_EQ(r->Child(0)->kind, WezelDane);
        EXPECT_EQ(r->Child(0)->data, surowe);
        EXPECT_EQ(r->Child(1)->text, "po");
        TpkXML znowu;
        ASSERT_TRUE(znowu.Parse(d.SaveToBytes()));
        EXPECT_EQ(znowu.FindNode(u"r", false)->Child(0)->data, surowe);
    }

    // A length beyond the input leaves the data empty.
    ASSERT_TRUE(d.Parse("<&d>" + Dlugosc32(0xFFFFFFFF) + "abc"));
    EXPECT_EQ(d.FindNode(u"d", false)->data, QByteArray());
}

TEST(XmlOdczyt, BledyZatrzymujaParsowanieZostawiajacWczesniejszeWezly) {
    struct Przypadek {
        const char* dokument;
        int dzieciR; // children of r kept, -1 when r itself is not kept
    } przypadki[] = {
        {"<r><a>1</a><b x='2'>3</b></r>", 1},   // single quotes
        {"<r><a>1</a>tekst po dziecku</r>", 1}, // text after a child's end tag
        {"<r><a>1</b></r>", 1},                 // wrong end tag: a stays, unclosed
        {"<r><a x=\"1>", 0},                    // value never closed
        {"<r><a x>", 0},                        // no "="
        {"<r></ r>", 0},                        // end tag name empty
        {"<r><>", 0},                           // empty name
        {"<r><a/x>", 0},                        // slash not followed by ">"
        {"<r><?pi ? x?>", 0},                   // "?" in an instruction must end it
        {"<r><!x", 0},                          // fewer than 7 characters after "<!"
        {"<r><", 0},
        {"<r><a", 0},
        {"tekst", -1},
    };
    for (const auto& p : przypadki) {
        TpkXML d;
        EXPECT_FALSE(d.Parse(p.dokument)) << p.dokument;
        TpkXMLNode* r = d.FindNode(u"r", false);
        if (p.dzieciR < 0) {
            EXPECT_EQ(r, nullptr) << p.dokument;
            continue;
        }
        ASSERT_NE(r, nullptr) << p.dokument;
        EXPECT_FALSE(r->closed) << p.dokument;
        EXPECT_EQ(r->ChildCount(), p.dzieciR) << p.dokument;
        if (p.dzieciR > 0) {
            EXPECT_EQ(r->Child(0)->text, "1") << p.dokument;
        }
    }
}

TEST(XmlOdczyt, NiezamknieteElementyIKrotkieWejscie) {
    TpkXML d;
    ASSERT_TRUE(d.Parse("<r><a>1</a><b>2"));
    EXPECT_FALSE(d.FindNode(u"r", false)->closed);
    EXPECT_FALSE(d.FindNode(u"r", false)->ChildByName(u"b", false)->closed);
    EXPECT_TRUE(d.FindNode(u"r", false)->ChildByName(u"a", false)->closed);

    // One byte: false, and the tree is emptied.
    EXPECT_FALSE(d.Parse("<"));
    EXPECT_EQ(d.root.ChildCount(), 0);

    // An empty stream, or one already at its end: false, the document untouched.
    ASSERT_TRUE(d.Parse("<r>x</r>"));
    QByteArray puste;
    QBuffer bufor(&puste);
    bufor.open(QIODevice::ReadOnly);
    EXPECT_FALSE(d.LoadFromStream(bufor));
    EXPECT_EQ(d.FindNode(u"r", false)->text, "x");
    QByteArray pelne("<q>y</q>");
    QBuffer drugi(&pelne);
    drugi.open(QIODevice::ReadOnly);
    drugi.seek(pelne.size());
    EXPECT_FALSE(d.LoadFromStream(drugi));
    drugi.seek(0);
    EXPECT_TRUE(d.LoadFromStream(drugi));
    EXPECT_EQ(d.FindNode(u"q", false)->text, "y");
    EXPECT_FALSE(d.LoadFromFile(QStringLiteral("/nie/ma/takiego/pliku.xml")));
}

TEST(XmlOdczyt, Utf16ZeZnacznikiemKolejnosci) {
    const QString tekst = QString::fromUtf8("Zażółć ж 😀");
    TpkXML d;
    QByteArray dok = Utf16("<a>" + tekst + "</a>");
    dok.append('\x41'); // an odd last byte is dropped
    ASSERT_TRUE(d.Parse(dok));
    EXPECT_TRUE(d.unicode);
    EXPECT_EQ(d.FindNode(u"a", false)->text, tekst);
    EXPECT_EQ(d.SaveToBytes(), Utf16("<a>" + tekst + "</a>\r\n"));

    // Unpaired surrogates are kept as they are and do not disturb the parse.
    QByteArray zle =
        Utf16("<a>") + QByteArray("\x00\xD8\x00\xDC\x00\xDC", 6) + Utf16("</a>").mid(2);
    ASSERT_TRUE(d.Parse(zle));
    EXPECT_EQ(d.FindNode(u"a", false)->text.size(), 3);

    // Without the mark the same bytes are Windows-1250 and make no sense as tags.
    EXPECT_FALSE(d.Parse(Utf16("<a>x</a>").mid(2)));
    EXPECT_FALSE(d.unicode);
}

TEST(XmlZapis, WcieciaPomijaniePustychIWierszeCrLf) {
    TpkXML d;
    TpkXMLNode* ini = d.FindNode(u"Ini", true);
    ini->ChildByName(u"ed", true)->text = QStringLiteral("abc");
    ini->ChildByName(u"wo", true);
    EXPECT_EQ(d.SaveToBytes(), QByteArray("<Ini>\r\n\t<ed>abc</ed>\r\n</Ini>\r\n"));

    TpkXML z;
    TpkXMLNode* pi = z.root.AddChild(QStringLiteral("xml"), WezelInstrukcja);
    pi->attributes.push_back({QStringLiteral("version"), QStringLiteral("1.0")});
    z.root.AddChild(QStringLiteral("uwaga"), WezelKomentarz)->text = QStringLiteral("k");
    TpkXMLNode* r = z.root.AddChild(QStringLiteral("r"));
    r->text = QString::fromUtf8("a<b>&\"ą");
    r->attributes.push_back({QStringLiteral("x"), QStringLiteral("\"1\"")});
    r->attributes.push_back({QStringLiteral("pusty"), QString()});
    r->AddChild(QStringLiteral("e"))->attributes.push_back({"v", "2"});
    TpkXMLNode* g = r->AddChild(QStringLiteral("g"));
    g->AddChild(QStringLiteral("h"))->text = QStringLiteral("3");
    r->cdata = QStringLiteral("x]]>y [cdata[ z");
    const QByteArray oczekiwane = "<?xml version=\"1.0\"?>\r\n"
                                  "<!-- k -->\r\n"
                                  "<r x=\"&quot;1&quot;\">a&lt;b&gt;&amp;&quot;\xb9\r\n"
                                  "\t<![CDATA[x__>y _CDATA_ z]]>\r\n"
                                  "\t<e v=\"2\"/>\r\n"
                                  "\t<g>\r\n"
                                  "\t\t<h>3</h>\r\n"
                                  "\t</g>\r\n"
                                  "</r>\r\n";
    EXPECT_EQ(z.SaveToBytes(), oczekiwane);

    // What was written reads back.
    TpkXML znowu;
    ASSERT_TRUE(znowu.Parse(oczekiwane));
    TpkXMLNode* r2 = znowu.FindNode(u"r", false);
    EXPECT_EQ(r2->text, r->text);
    EXPECT_EQ(r2->Attr(0)->value, "\"1\"");
    EXPECT_EQ(r2->cdata, "x__>y _CDATA_ z");
    EXPECT_EQ(r2->ChildByName(u"g", false)->ChildByName(u"h", false)->text, "3");
    EXPECT_EQ(znowu.SaveToBytes(), oczekiwane);

    // Through a file, written atomically.
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath("d.xml");
    ASSERT_TRUE(z.SaveToFile(sciezka));
    TpkXML zPliku;
    ASSERT_TRUE(zPliku.LoadFromFile(sciezka));
    EXPECT_EQ(zPliku.SaveToBytes(), oczekiwane);
    EXPECT_FALSE(z.SaveToFile(katalog.filePath("brak/d.xml")));
}

TEST(XmlWrogie, GlebokieZagniezdzenieDuzeIUcieteDokumenty) {
    // Deep nesting stops the parse at the limit instead of exhausting the stack.
    TpkXML d;
    QByteArray gleboki;
    for (int i = 0; i < 200000; ++i)
        gleboki += "<a>";
    EXPECT_FALSE(d.Parse(gleboki));
    int glebokosc = 0;
    for (TpkXMLNode* w = &d.root; w->ChildCount() > 0; w = w->Child(0))
        ++glebokosc;
    EXPECT_EQ(glebokosc, MaksZagniezdzenieXML + 1);
    QByteArray dozwolony;
    for (int i = 0; i < MaksZagniezdzenieXML; ++i)
        dozwolony += "<a>";
    EXPECT_TRUE(d.Parse(dozwolony));

    // A node built deeper by code is destroyed without recursion.
    {
        TpkXML reczny;
        TpkXMLNode* w = &reczny.root;
        for (int i = 0; i < 300000; ++i)
            w = w->AddChild(QStringLiteral("a"));
    }

    // Many attributes and many siblings take linear time.
    QByteArray atrybuty = "<a";
    for (int i = 0; i < 200000; ++i)
        atrybuty += " n" + QByteArray::number(i) + "=\"&amp;\"";
    atrybuty += ">t</a>";
    QByteArray rodzenstwo = "<r>";
    for (int i = 0; i < 200000; ++i)
        rodzenstwo += "<e>x</e>";
    rodzenstwo += "</r>";
    QElapsedTimer zegar;
    zegar.start();
    ASSERT_TRUE(d.Parse(atrybuty));
    EXPECT_EQ(d.FindNode(u"a", false)->AttrCount(), 200000);
    EXPECT_EQ(d.FindNode(u"a", false)->Attr(199999)->value, "&");
    ASSERT_TRUE(d.Parse(rodzenstwo));
    EXPECT_EQ(d.FindNode(u"r", false)->ChildCount(), 200000);
    EXPECT_LT(zegar.elapsed(), 20000);

    // Every prefix of a document parses without harm, in both encodings.
    const QString pelny = QString::fromUtf8(
        "<?xml version=\"1.0\"?><!-- k --><odp><cd>tr</cd><pyt1 a=\"&quot;\"><nrw>10</nrw>"
        "</pyt1><e/>po<![CDATA[c]]><&d>\x03\x00\x00\x00xyz</d></odp>");
    for (const QByteArray& dok : {Na1250(pelny), Utf16(pelny)})
        for (qsizetype i = 0; i <= dok.size(); ++i) {
            TpkXML t;
            t.Parse(dok.left(i));
            t.SaveToBytes();
        }
}

TEST(TpkXMLNode, LookupAmongManyChildrenFindsTheFirstOfANameInAnyCase) {
    // Enough children for the lookup to go through the name index.
    QByteArray dokument = "<odp>";
    for (int i = 1; i <= 30; ++i)
        dokument += "<pyt" + QByteArray::number(i) + ">" + QByteArray::number(i) + "</pyt" +
                    QByteArray::number(i) + ">";
    dokument += "<PYT7>drugi</PYT7><Żółw>ż</Żółw></odp>";
    TpkXML d;
    ASSERT_TRUE(d.Parse(Na1250(QString::fromUtf8(dokument))));
    TpkXMLNode* odp = d.FindNode(u"odp", false);
    ASSERT_NE(odp, nullptr);
    EXPECT_EQ(odp->ChildByName(u"Pyt7", false)->text, "7");
    EXPECT_EQ(odp->ChildByName(u"pyt30", false)->text, "30");
    EXPECT_EQ(odp->ChildByName(QString::fromUtf8("żÓŁW"), false)->text, QString::fromUtf8("ż"));
    EXPECT_EQ(odp->ChildByName(u"pyt31", false), nullptr);
    // A child made by a lookup is found by the next one; an older name keeps its first child.
    TpkXMLNode* nowy = odp->ChildByName(u"pyt31", true);
    EXPECT_EQ(odp->ChildByName(u"PYT31", false), nowy);
    odp->AddChild("pyt1");
    EXPECT_EQ(odp->ChildByName(u"pyt1", false)->text, "1");
    odp->Clear();
    EXPECT_EQ(odp->ChildByName(u"pyt1", false), nullptr);
    odp->AddChild("pyt1");
    EXPECT_NE(odp->ChildByName(u"pyt1", false), nullptr);
}
