// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own small XML document model: a tree of nodes held as UTF-16 text, a forgiving
// parser and a writer. It is not a general XML processor (no namespaces, no DTD, no character
// references, no mixed content): it reads and writes exactly what the test, answer and list
// documents and the settings file hold, including their oddities:
//  - element names are looked up without regard to letter case, and a lookup may create the
//    element it asks for, so that a missing element reads as empty text;
//  - the text of an element is the character data right after its start tag (trimmed of
//    characters below 33, the four entities resolved); text after a child element fails the
//    parse;
//  - a tag opened by "<&" is a data node: a 32-bit little-endian length and raw bytes;
//  - a document that starts with FF FE is UTF-16 little-endian, anything else Windows-1250.
// A parse that stops at an error keeps the nodes built up to it. Nesting deeper than
// MaksZagniezdzenieXML elements stops the parse as an error, so no input can exhaust the stack.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;

namespace sondrel {

// Node kinds.
constexpr quint8 WezelElement = 0;
constexpr quint8 WezelInstrukcja = 1; // processing instruction, "<?"
constexpr quint8 WezelKomentarz = 2;  // "<!-- -->"
constexpr quint8 WezelDane = 3;       // data node, "<&", raw bytes

// Elements nested deeper than this (the document's top level counts as 1) stop the parse.
constexpr int MaksZagniezdzenieXML = 256;

struct TpkXMLAttr {
    QString name;
    QString value; // entities resolved
};

using TpkXMLAttrs = std::vector<TpkXMLAttr>;

class TpkXMLNode {
public:
    // Written out, not defaulted: `new TpkXMLNode()` then only runs the members' own
    // initialisers instead of first clearing the whole node (the parser makes one per tag).
    TpkXMLNode() {}
    explicit TpkXMLNode(QString nazwa, quint8 rodzaj = WezelElement)
        : name(std::move(nazwa)), kind(rodzaj) {}
    // Destroys the subtree without recursion.
    ~TpkXMLNode();
    TpkXMLNode(const TpkXMLNode&) = delete;
    TpkXMLNode& operator=(const TpkXMLNode&) = delete;

    TpkXMLAttrs attributes; // in document order
    QString name;           // element name or processing-instruction target
    QString text;           // character data, entities resolved
    QString cdata;          // content of the last CDATA section among the children
    quint8 kind = WezelElement;
    QByteArray data;     // raw bytes of a data node
    bool closed = false; // the end tag was found

    // The first child whose name equals `nazwa` without regard to letter case (both sides
    // upper-cased). When there is none: a new element child of that name when `utworz` is
    // true, else nullptr.
    TpkXMLNode* ChildByName(QStringView nazwa, bool utworz);
    TpkXMLNode* AddChild(const QString& nazwa, quint8 rodzaj = WezelElement);
    int ChildCount() const { return static_cast<int>(dzieci.size()); }
    // nullptr for an index out of range.
    TpkXMLNode* Child(int indeks) const;
    int AttrCount() const { return static_cast<int>(attributes.size()); }
    // nullptr for an index out of range.
    TpkXMLAttr* Attr(int indeks);
    const TpkXMLAttr* Attr(int indeks) const;
    // Destroys all children and empties the text.
    void Clear();

    // Appends an already built node (used when a tree is built from a view); returns it.
    TpkXMLNode* DodajDziecko(std::unique_ptr<TpkXMLNode> dziecko);

private:
    std::vector<std::unique_ptr<TpkXMLNode>> dzieci;
    // skroty[i] is a hash of the upper-cased name of child i, made on the first lookup among
    // many children (an answer document's element holds some 80 of them, looked up by name one
    // after another): a lookup compares one number per child and names only where the numbers
    // agree. Empty until then. Children are not renamed once they are added.
    std::vector<quint32> skroty;
};

// A parsed document as a read-only view over its bytes: every node of the document in one
// array, in document order (a node's parent comes before it), with names and texts kept as
// positions in the bytes and made into strings only when asked for. The parse and its lookups
// are those of TpkXML: TpkXML builds its tree from a view, and the answer file reader reads
// the view directly (a missing element reads as Brak, which reads as the empty text, as the
// empty element that TpkXML's lookup would create). The bytes must outlive the view.
class WidokXML {
public:
    static constexpr qint32 Brak = -1;
    static constexpr qint32 Korzen = 0; // the invisible root; its children are the top level

    WidokXML();
    ~WidokXML();
    WidokXML(const WidokXML&) = delete;
    WidokXML& operator=(const WidokXML&) = delete;

    // Decodes and parses as TpkXML::Parse. False when fewer than 2 bytes are given or the parse
    // stops at an error; the nodes parsed up to the error stay.
    bool Parse(QByteArrayView bajty);
    // The document began with FF FE: 2 bytes per character, UTF-16 little-endian.
    bool Unicode() const { return szerokosc == 2; }

    qint32 IloscWezlow() const;
    // Brak for the root.
    qint32 Rodzic(qint32 wezel) const;
    quint8 Rodzaj(qint32 wezel) const;
    bool Zamkniety(qint32 wezel) const;
    QString Nazwa(qint32 wezel) const;
    // The character data, entities resolved (in a comment, the content as it is); empty for
    // Brak.
    QString Tekst(qint32 wezel) const;
    // The content of the last CDATA section among the node's children.
    QString CData(qint32 wezel) const;
    // The raw bytes of a data node (empty when the document ended before them).
    QByteArrayView Dane(qint32 wezel) const;
    qint32 IloscAtrybutow(qint32 wezel) const;
    TpkXMLAttr Atrybut(qint32 wezel, qint32 indeks) const;

    // The first child whose name equals `nazwa` without regard to letter case, as
    // TpkXMLNode::ChildByName finds it; Brak when there is none or `rodzic` is Brak.
    qint32 Dziecko(qint32 rodzic, QStringView nazwa) const;

    // The node's text as it lies in the bytes (one byte per character in Windows-1250, two in
    // UTF-16 little-endian), trimmed, before entities are resolved; `encje` tells whether they
    // must be (Tekst does it). Empty for Brak. For getters that decode a value without first
    // making a string of it.
    struct SurowyTekst {
        QByteArrayView bajty;
        bool encje = false;
    };
    SurowyTekst TekstSurowy(qint32 wezel) const;

private:
    template <int W> friend class ParserXML;
    struct Wezel;
    struct AtrybutWidoku;
    struct IndeksDzieci;

    QString Znaki(qsizetype od, qsizetype doPoz) const;
    // `klucz`: the number of a short ASCII `nazwa` (0 for another name); `ascii`: whether
    // `nazwa` is all ASCII.
    bool NazwaRowna(qint32 wezel, QStringView nazwa, quint64 klucz, bool ascii) const;
    // The hash of the upper-cased name that a lookup of that name computes.
    quint32 SkrotWezla(qint32 wezel) const;
    const IndeksDzieci& Indeks(qint32 rodzic) const;

    const uchar* b = nullptr;
    qsizetype n = 0;
    int szerokosc = 1;
    std::vector<Wezel> wezly;
    std::vector<AtrybutWidoku> atrybuty;
    // Name indexes of nodes with many children, made on their first lookup.
    mutable std::vector<IndeksDzieci> indeksy;
};

class TpkXML {
public:
    TpkXML() { root.closed = true; }

    TpkXMLNode root;      // invisible; its children are the top-level nodes
    bool unicode = false; // read as UTF-16 (began with FF FE); decides how it is saved
    QString indentUnit = QStringLiteral("\t");
    QString lineBreak = QStringLiteral("\r\n");

    // Reads every byte from the device's current position to its end, then Parse. False, with
    // the document untouched, when nothing is left to read.
    bool LoadFromStream(QIODevice& strumien);
    // False when the file does not exist or cannot be opened for reading; otherwise
    // LoadFromStream.
    bool LoadFromFile(const QString& sciezka);
    // Empties the root, decodes and parses. False when fewer than 2 bytes are given or the
    // parse stops at an error; the nodes parsed up to the error stay in the tree.
    bool Parse(QByteArrayView bajty);

    // The document as it is written to a file.
    QByteArray SaveToBytes() const;
    // Writes the document at the device's position; false when the device refuses the bytes.
    bool SaveToStream(QIODevice& strumien) const;
    // Writes through a temporary file renamed over the old one; false when it cannot be
    // written (the old file then stays as it was).
    bool SaveToFile(const QString& sciezka) const;

    // ChildByName on the root.
    TpkXMLNode* FindNode(QStringView nazwa, bool utworz) { return root.ChildByName(nazwa, utworz); }
};

// Character-data rules of the model, shared with the value getters and tests.
// Removes characters with codes below 33 from both ends.
QString PrzytnijXML(QStringView tekst);
// "&quot;", "&gt;", "&lt;", "&amp;" in this order, entity names in any letter case.
QString OdescapujXML(QString tekst);
// "&" first, then "<", ">" and the double quote.
QString EscapujXML(QString tekst);

} // namespace sondrel
