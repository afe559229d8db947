// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixture writers for the documents inside the containers and for the older text forms.
//
// XML documents are built from path-value pairs, written as text by this writer alone (not by
// the program's own XML writer, so the tests of the reader do not lean on it):
//
//     DokumentXml({{"odp/ilp", "2"}, {"odp/nmt", "Test"}, {"ODP/PYT1/NRW", "10000"}},
//                 {.kodowanie = KodowanieXml::Base64});
//
// Elements are created in the order of their first mention and written with the spelling of
// that mention; names are matched without regard to letter case, as the readers match them, so
// "ODP/NMT" and "odp/nzu" are two children of one document element written "ODP".
// A path may be given without a value ({"odp/pyt3", ""}) to make an empty element.
//
// Older text forms (".txp" members): lines of encoded values ended by CR LF (or LF or CR), the
// test form encoded with the inverse of the program's test decoding table, the list form with
// the settings encoding table.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QRandomGenerator;

namespace sondrel::testy {

struct WartoscXml {
    QString sciezka; // element names separated by "/", the document element first
    QString wartosc; // the element's text (escaped when written)
};

enum class KodowanieXml {
    Tekst,  // values as they are
    Base64, // every value but the document's own `cd` as Base64 of its UTF-16 LE text
};

struct OpcjeXml {
    KodowanieXml kodowanie = KodowanieXml::Tekst;
    // The whole document as UTF-16 little-endian after FF FE; otherwise Windows-1250 bytes.
    bool utf16 = false;
    // Starts with an XML declaration (an instruction node the readers step over).
    bool deklaracja = true;
    // With Base64: writes <cd>tr</cd> as the first child of the first document element unless
    // the pairs give a value for "<document element>/cd" themselves (written plain, so
    // {"odp/cd", "TR"} makes a document that only looks encoded).
    bool dodajCd = true;
};

// The document's bytes: every element on its own line, children indented by a TAB, CR LF.
QByteArray DokumentXml(const QList<WartoscXml>& wartosci, const OpcjeXml& opcje = {});

// The text as a UTF-16 document: FF FE and its little-endian code units.
QByteArray DokumentUtf16(const QString& tekst);

// Base64 of the text's UTF-16 little-endian bytes, as an encoded document holds a value.
QByteArray Base64Utf16(const QString& tekst);

enum class TabelaTxp {
    Test,  // older tests: read back with OdkodujTest
    Lista, // older test lists (and settings values): read back with OdkodujUstawienia
    Brak,  // lines written as plain Windows-1250 text
};

// One encoded value: a marker (0xFE for the empty value, else 0xA0 / 0xA1 / 0xA7), 2..10
// random characters in 33..232, then the value's Windows-1250 bytes through the table.
// `los` is the random source (the global one when null).
QByteArray ZakodujWartosc(const QString& wartosc, TabelaTxp tabela,
                          QRandomGenerator* los = nullptr);

// A ".txp" member: every line encoded on its own and ended by `koniecWiersza`. A value must
// not hold CR or LF itself (the encoding never produces them).
QByteArray TekstTxp(const QStringList& wiersze, TabelaTxp tabela,
                    const QByteArray& koniecWiersza = "\r\n", QRandomGenerator* los = nullptr);

// An older test ("Serr0.txp") as lines: 0 "35" (not read), 1 type, 2 number of questions,
// 3 test name, 4 empty (not read), 5 options per question, then nine lines per question n
// from line 9n - 3: text, the four option texts, key, text member, picture member, comment.
// Questions missing from `pytania` up to `iloscPytan` are not written (a short file); drop
// lines from the returned list to cut a question short.
struct PytanieTxp {
    QString tresc;
    QStringList odpowiedzi; // four texts (fewer are written as empty)
    QString klucz;          // four characters, "1" = correct
    QString tekst;
    QString obraz;
    QString komentarz;
};
struct TestTxp {
    int typ = 0;
    int iloscPytan = 0;
    QString nazwa;
    int iloscOdpowiedzi = 4;
    QList<PytanieTxp> pytania;
};
QStringList WierszeTestuTxp(const TestTxp& test);

// An older test list ("Selt0.txp") as lines: line 0 "35" (not read), then one entry per line.
QStringList WierszeListyTxp(const QStringList& wpisy);

} // namespace sondrel::testy
