// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The portable form of archived analyses: one JSON document (UTF-8, compact, keys in the order
// Qt writes them, i.e. sorted), readable by any program:
//
// {"analizy": [ANALIZA...], "format": "sondrel-archiwum", "wersja": 1}
//
// ANALIZA: {"klasa": "7b", "data": "RRRR-MM-DD" (written), "dodano": "RRRR-MM-DDTHH:MM:SSZ",
//   "plikTestu": name of the test file or "",
//   "test": {"nazwa", "autor", "iloscPytan", "iloscOdpowiedzi", "typ", "czas", "wersja", "tkk",
//            "progi": {"cel", "bdb", "db", "dst", "dp"},
//            "klucz": ["13", "2", ...] (per question the numbers of the correct options),
//            "odcisk": the test's fingerprint (checked on reading)},
//   "pytania": [{"tresc", "odpowiedzi": ["...", ...]}...] (empty without the test file),
//   "pliki": [{"nazwa", "sha256"}...],
//   "uczniowie": [{"nazwisko", "imie", "start", "koniec", "zapis" (times of day as fractions
//                  of a day), "zwm" (bool), "zaznaczone": ["13", "", ...] (ticked options per
//                  question), "klucz": [...] (only where the student's file declares another
//                  key than the test's), "poprawnych", "procent", "ocena"}...],
//   "dodal": who added it to the exported archive (a server's role or a login name; "" when
//            not known; absent in older exports),
//   "dodalWZrodle": who had added it in an archive before that, when someone else (only then)}
//
// Archive numbers are not part of it: an import numbers the analyses anew, in the document's
// order. Exporting, importing into an empty archive and exporting again gives the same bytes.

#include "archive/analiza_archiwalna.h"

#include <QByteArray>
#include <QIODevice>
#include <QJsonObject>
#include <QString>
#include <optional>
#include <vector>

namespace sondrel {

QJsonObject JsonAnalizyArchiwalnej(const AnalizaArchiwalna& analiza);
QByteArray DokumentEksportu(const std::vector<AnalizaArchiwalna>& analizy);

// Writes a document as a stream, one analysis at a time, with the same bytes DokumentEksportu
// gives: Poczatek, then Analiza for each, then Koniec. False when the device refuses bytes.
class PisarzEksportu {
public:
    explicit PisarzEksportu(QIODevice& cel) : cel(cel) {}
    bool Poczatek();
    bool Analiza(const AnalizaArchiwalna& analiza);
    bool Koniec();

private:
    QIODevice& cel;
    bool pierwsza = true;
};

// The longest class label an analysis may carry (a class label is short: "7b", "3 LO b").
constexpr int MaksDlugoscKlasy = 100;
// An analysis larger than this in a document is refused without being parsed.
constexpr qint64 MaksRozmiarAnalizy = 64 * 1024 * 1024;

// Reads a document from a device analysis by analysis, so that memory holds one analysis at a
// time whatever the document's size. Otworz reads the document once for its frame (the
// format, the version, where each analysis lies) and refuses one that is not a whole export;
// Analiza then reads and checks one analysis (a wrong one is refused with its reason, the
// others stay readable). The device must be able to seek.
class CzytnikEksportu {
public:
    explicit CzytnikEksportu(QIODevice& zrodlo) : zrodlo(zrodlo) {}
    bool Otworz(QString& blad);
    std::size_t Ilosc() const { return zakresy.size(); }
    // Analysis i (0-based); nothing with the reason in `powod` when it is wrong.
    std::optional<AnalizaArchiwalna> Analiza(std::size_t i, QString& powod);

private:
    QIODevice& zrodlo;
    std::vector<std::pair<qint64, qint64>> zakresy; // offset and length of each analysis
};

// Reads a whole document; nothing, with the reason in `blad`, when any part of it is wrong.
std::optional<std::vector<AnalizaArchiwalna>> CzytajDokumentEksportu(const QByteArray& json,
                                                                     QString& blad);

} // namespace sondrel
