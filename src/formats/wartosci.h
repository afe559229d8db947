// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Values stored in the documents and the program's own substitution scheme.
//
// Documents inside the containers may hold every value as Base64 of its UTF-16 little-endian
// text; the document says so with its element `cd` holding "tr". The older text forms of tests
// and test lists, and the settings file, hold every value scrambled by a substitution table
// behind a prefix of random characters.

#include "formats/xml.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <array>

class QRandomGenerator;

namespace sondrel {

// Result codes of the getters.
constexpr int WartoscOdczytana = 0;
constexpr int WartoscBrakSciezki = 1; // the path has fewer than 2 or more than 4 names
constexpr int WartoscBladBase64 = 2;  // kept for callers; the forgiving decoder never fails
constexpr int WartoscNieLiczba = 3;   // the text is not a decimal integer

// 1 when the element `cd` under the document element holds exactly "tr", else 0. The element
// is read as plain text (and created empty when missing).
int FlagaDekodowania(TpkXML& dokument, QStringView elementDokumentu);

// The text of the element at `sciezka` (two to four element names, the document element
// first; each looked up without regard to letter case and created empty when missing, so a
// missing element reads as the empty text with code 0). With `flaga` 1 the text is Base64 of
// UTF-16 little-endian code units (an odd last byte is dropped; unpaired surrogates become
// U+FFFD). The text is kept whole: characters that Windows-1250 cannot hold are turned into "?"
// only when the program writes them to a file.
QString WezTekst(int flaga, const QStringList& sciezka, TpkXML& dokument, int& kod);
QString WezTekst(int flaga, const QStringList& sciezka, TpkXML& dokument);

// The value of an element already found, as WezTekst gives it (the text, decoded when `flaga`
// is 1) and as WezLiczbe reads it as a number (code 0 or 3). A reader that takes many values
// from under one element finds that element once and reads its children with these.
QString TekstElementu(int flaga, const TpkXMLNode& element);
// The same into `cel`, reusing its memory: a reader that takes one value after another into the
// same string makes no new string for each.
void TekstElementu(int flaga, const TpkXMLNode& element, QString& cel);
qint32 LiczbaElementu(int flaga, const TpkXMLNode& element, int& kod);

// The same over a parsed view of a document: `wezel` is an element found with
// WidokXML::Dziecko, and WidokXML::Brak (a missing element) reads as the empty text, as the
// empty element that a lookup on the tree creates. A Base64 value is decoded straight from the
// document's bytes.
int FlagaDekodowania(const WidokXML& dokument, QStringView elementDokumentu);
void TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel, QString& cel);
// The same into a buffer, without making a string: for values read by the hundred (a class's
// answers). The text is the buffer's contents.
using BuforTekstu = QVarLengthArray<char16_t, 32>;
void TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel, BuforTekstu& cel);
QString TekstElementu(int flaga, const WidokXML& dokument, qint32 wezel);
qint32 LiczbaElementu(int flaga, const WidokXML& dokument, qint32 wezel, int& kod);

// WezTekst, then the text as a decimal 32-bit integer; 0 with code 3 when it is not one (the
// empty text included). Surrounding blanks are accepted.
qint32 WezLiczbe(int flaga, const QStringList& sciezka, TpkXML& dokument, int& kod);
qint32 WezLiczbe(int flaga, const QStringList& sciezka, TpkXML& dokument);

// Forgiving Base64: groups of four characters, characters after the last whole group ignored,
// a pad in the third place gives one byte and in the fourth two, groups after a padded group
// decoded the same way, no whitespace skipping. Characters outside the alphabet count as 0.
QByteArray Base64Dekoduj(QByteArrayView tekst);

// The substitution scheme. A value is encoded as a marker byte, random characters (codes
// 33..232) and the value's bytes replaced through the settings encoding table. The empty value
// is 0xFE and 3..10 random characters; any other value gets 0xA0, 0xA1 or 0xA7 and 2, 3 or 4
// random characters. `los` is the random source (the global one when null; tests pass a seeded
// one). The QString forms take and give text whose characters are Windows-1250 bytes, as the
// settings document holds it.
QByteArray Zakoduj(QByteArrayView wartosc, QRandomGenerator* los = nullptr);
QString Zakoduj(QStringView wartosc, QRandomGenerator* los = nullptr);

// Decoding: 0xFE gives the empty value; 0xA0, 0xA1, 0xA7 and 0x93 drop 3, 4, 5 and 6 leading
// characters and keep at most 500 after them; any other first byte keeps the text whole. The
// rest is replaced through the decoding table and read as Windows-1250.
// Settings (and the older test lists): the settings decoding table, which undoes Zakoduj.
QString OdkodujUstawienia(QByteArrayView tekst);
QString OdkodujUstawienia(QStringView tekst);
// Older tests: the test decoding table (the program has no encoder for it).
QString OdkodujTest(QByteArrayView tekst);

// The three substitution tables: 132 of the 256 codes map to other codes, the rest to
// themselves; every mapped code lies in 33..255 and has a Windows-1250 character, so encoded
// values survive the settings document (its trimming and its code page). Exposed for the
// fixture writers of the tests, which build the encoder of older tests by inverting the test
// decoding table.
using TablicaPodstawien = std::array<quint8, 256>;
const TablicaPodstawien& TablicaKodowaniaUstawien();
const TablicaPodstawien& TablicaDekodowaniaUstawien();
const TablicaPodstawien& TablicaDekodowaniaTestu();

} // namespace sondrel
