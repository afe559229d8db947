// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixture builders for the three kinds of files the program reads: answer files (.sko), test
// files (.skt) and test lists (.skg), on top of the container writer (pak_zapis.h) and the
// document writers (xml_zapis.h). Every builder is a plain description with sensible defaults,
// so a fixture names only what it is about:
//
//     ZapiszPlikOdpowiedzi(folder + "/jan.sko",
//                          {.nazwisko = "Kowalski", .imie = "Jan",
//                           .pytania = {{"1000", "1000"}, {"0100", "0010"}}});
//     ZapiszPlikTestu(folder + "/test.skt",
//                     {.pytania = {{.tresc = "2 + 2?", .odpowiedzi = {"3", "4"}, .klucz = "01"}},
//                      .czlony = {Czlon("rys1.JPG", ObrazJpeg(20, 10))}});
//     ZapiszPlikListy(folder + "/lista.skg",
//                     {.wpisy = WierszeWpisow(WpisyDrzewa({{"Klasa 1", "", {{"Test",
//                     "t.skt"}}}}))});
//
// The same defaults (test "Test", author "Autor", 4 options, single choice) are used by all
// three builders, so an answer file and a test file built with defaults belong together.
// Hostile files: `zmiany` puts any text into any element (a path that the document already has
// keeps its place and gets the new text; any other path is added at the end), `pominiete`
// leaves elements out, `czlony` adds or replaces container members, and the lower-level
// functions (Dokument…, Czlony…) give the pieces to cut or bend further.

#include "support/pak_zapis.h"
#include "support/xml_zapis.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace sondrel::testy {

// Stored version of a test file or test list: version 40 is an XML document, version 35 the
// older text form with every line scrambled.
enum class Wersja { Xml40, Txp35 };

// ---- Answer files -------------------------------------------------------------------------

// One question of a student's answer file: the student's choices (`nrw`) and the key (`nrp`),
// one character per option, "1" = ticked or correct.
struct OdpowiedzUcznia {
    QString wybor;
    QString klucz;
};

struct PlikOdpowiedzi {
    // The test as the file declares it.
    QString nazwaTestu = QStringLiteral("Test"); // nmt
    // ilp; by default the number of entries in `pytania`.
    std::optional<int> iloscPytan = std::nullopt;
    int iloscOdpowiedzi = 4; // ilo
    int typ = 0;             // typ
    QString autor = QStringLiteral("Autor");
    int czas = 45;                          // tim
    QString wersja = QStringLiteral("4.0"); // ver
    // The grading scale (skl): tkk and the lowest percentages for Cel, Bdb, Db, Dst, Dp.
    bool skala = true;
    int tkk = 1;
    int cel = 95, bdb = 85, db = 70, dst = 50, dp = 30;
    // The student.
    QString nazwisko = QStringLiteral("Kowalski"); // nzu
    QString imie = QStringLiteral("Jan");          // imu
    QString start = QStringLiteral("10:00:00");    // dts
    QString koniec = QStringLiteral("10:30:00");   // dtk
    QString zapis = QStringLiteral("10:30:05");    // dtz
    QString zwm = QStringLiteral("1");
    // pyt1, pyt2, ... in order.
    QList<OdpowiedzUcznia> pytania = {{"1000", "1000"}, {"0100", "0100"}, {"0010", "0001"}};
    // Document and container.
    KodowanieXml kodowanie = KodowanieXml::Tekst; // Base64: cd "tr" and every value encoded
    bool utf16 = false;                           // the document as UTF-16 LE after FF FE
    bool staraWersja = false; // the container holds "Selo0.txp" instead of "Selo0.xml"
    QList<WartoscXml> zmiany = {};
    QStringList pominiete = {};  // element paths ("odp/skl", "odp/pyt2/nrp"), with their children
    QList<CzlonPak> czlony = {}; // added after the document; a member of the same name replaces it
};

// The path-value pairs of "Selo0.xml" (after `zmiany` and `pominiete`).
QList<WartoscXml> WartosciOdpowiedzi(const PlikOdpowiedzi& plik);
// "Selo0.xml" itself.
QByteArray DokumentOdpowiedzi(const PlikOdpowiedzi& plik);
QList<CzlonPak> CzlonyOdpowiedzi(const PlikOdpowiedzi& plik);
QByteArray ZbudujPlikOdpowiedzi(const PlikOdpowiedzi& plik);
bool ZapiszPlikOdpowiedzi(const QString& sciezka, const PlikOdpowiedzi& plik);

// ---- Test files ---------------------------------------------------------------------------

struct PytanieTestu {
    QString tresc;                          // tr
    QStringList odpowiedzi = {};            // od1 .. od5 (version 35 keeps the first four)
    QString klucz = QStringLiteral("1000"); // odp
    QString tekst = {};                     // plr: a text member shown with the question
    QString obraz = {};                     // plimg: a picture member
    QString komentarz = {};                 // kom
};

struct PlikTestu {
    QString nazwaTestu = QStringLiteral("Test");
    int typ = 0;
    // ilp; by default the number of entries in `pytania`.
    std::optional<int> iloscPytan = std::nullopt;
    int iloscOdpowiedzi = 4;
    QList<PytanieTestu> pytania = {
        {.tresc = "Pytanie 1", .odpowiedzi = {"a", "b", "c", "d"}, .klucz = "1000"},
        {.tresc = "Pytanie 2", .odpowiedzi = {"a", "b", "c", "d"}, .klucz = "0100"},
        {.tresc = "Pytanie 3", .odpowiedzi = {"a", "b", "c", "d"}, .klucz = "0001"}};
    QString dataUtworzenia = QStringLiteral("2024-05-06"); // dtu (version 40 only)
    QString uwagi = {};                                    // uwg (version 40 only)
    Wersja wersja = Wersja::Xml40;
    // Version 40 only.
    KodowanieXml kodowanie = KodowanieXml::Tekst;
    bool utf16 = false;
    QList<WartoscXml> zmiany = {};
    QStringList pominiete = {};
    // Version 35 only: the unscrambled lines are replaced by these when given.
    std::optional<QStringList> wiersze35 = std::nullopt;
    // Pictures and texts of the questions, or anything else; a member of the same name as
    // the document replaces it.
    QList<CzlonPak> czlony = {};
};

// Version 40: the pairs of "Serr0.xml". Version 35: the lines of "Serr0.txp" before
// scrambling (a copy of them, edited, goes into `wiersze35`).
QList<WartoscXml> WartosciTestu40(const PlikTestu& plik);
QStringList WierszeTestu35(const PlikTestu& plik);
// The document member's name and bytes for the file's version.
CzlonPak DokumentTestu(const PlikTestu& plik);
QList<CzlonPak> CzlonyTestu(const PlikTestu& plik);
QByteArray ZbudujPlikTestu(const PlikTestu& plik);
bool ZapiszPlikTestu(const QString& sciezka, const PlikTestu& plik);

// ---- Test lists ---------------------------------------------------------------------------

// One entry of the tree of groups and tests.
struct WpisListy {
    int id = 0;
    int poziom = 0;    // depth, 0 at the top
    int potomkow = 0;  // entries directly after this one that lie under it (all depths)
    int rodzic = 0;    // id of the entry it lies under
    int widoczny = 1;  // shown flag
    int stan = 0;      // display state
    QString opis;      // caption; a "*" in it must be written "@*"
    QString plik = {}; // test file name; empty for a group
};
// Eight fields, each ended by "*".
QString WierszWpisu(const WpisListy& wpis);
QStringList WierszeWpisow(const QList<WpisListy>& wpisy);

// A tree described by captions: groups have children, tests have a file name.
struct WezelListy {
    QString opis;
    QString plik = {};
    QList<WezelListy> dzieci = {};
};
// The entries of the tree in file order: ids from 1, top-level entries under id 0 and shown,
// deeper ones hidden, state 0.
QList<WpisListy> WpisyDrzewa(const QList<WezelListy>& drzewo);

struct PlikListy {
    QString nazwa = QStringLiteral("Lista testów"); // name (version 40 only)
    QString data = QStringLiteral("2024-05-06");    // dtu (version 40 only)
    QString uwagi = {};                             // uwg (version 40 only)
    QStringList wpisy = {};                         // entry lines, dx0, dx1, ...
    // ilw; by default the number of entries.
    std::optional<int> ilw = std::nullopt;
    Wersja wersja = Wersja::Xml40;
    KodowanieXml kodowanie = KodowanieXml::Tekst; // version 40 only
    bool utf16 = false;                           // version 40 only
    QList<WartoscXml> zmiany = {};                // version 40 only
    QStringList pominiete = {};                   // version 40 only
    QList<CzlonPak> czlony = {};
};

QList<WartoscXml> WartosciListy40(const PlikListy& plik);
CzlonPak DokumentListy(const PlikListy& plik);
QList<CzlonPak> CzlonyListy(const PlikListy& plik);
QByteArray ZbudujPlikListy(const PlikListy& plik);
bool ZapiszPlikListy(const QString& sciezka, const PlikListy& plik);

} // namespace sondrel::testy
