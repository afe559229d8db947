// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One whole analysis as the archive keeps it: the test as the answer files declare it, the
// question texts when the analysis had the test file, every student's record, the answer files
// with their SHA-256, the teacher's class label and dates. Independent of the limits of
// Analiza: any number of students (a pooled class of several may exceed 400). Indices inside
// the vectors are 0-based (question q of the test is element q - 1); option k of a question is
// bit (k - 1) of its byte.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace sondrel {

class Analiza;

// Options of one question as a bit set: bit (k - 1) is option k (1..5).
using OpcjePytania = std::uint8_t;

inline bool OpcjaUstawiona(OpcjePytania opcje, int k) {
    return k >= 1 && k <= 8 && (opcje >> (k - 1)) & 1u;
}

struct TestArchiwalny {
    QString Nazwa;
    QString Autor;
    qint32 IloscPytan = 0;
    qint32 IloscOdpowiedzi = 0;
    qint32 TypTestu = 0; // 0 single choice, anything else multiple choice (as declared)
    qint32 Czas = 0;     // the time limit the answer files declare
    QString Wersja;      // the answer files' version text
    qint32 Tkk = 0;
    qint32 ProgCel = 0;
    qint32 ProgBdb = 0;
    qint32 ProgDb = 0;
    qint32 ProgDst = 0;
    qint32 ProgDp = 0;
    // The key per question (IloscPytan elements): for each question the key most of the
    // students' records declare (a tie goes to the key of the earlier student in the class's
    // order).
    std::vector<OpcjePytania> Klucz;

    bool operator==(const TestArchiwalny&) const = default;
};

// A question's texts from the test file (no pictures).
struct TrescPytania {
    QString Tresc;
    std::vector<QString> Odpowiedzi; // IloscOdpowiedzi option texts

    bool operator==(const TrescPytania&) const = default;
};

struct UczenArchiwalny {
    QString Nazwisko;
    QString Imie;
    double Start = 0; // times of day as fractions of a day, as the analysis holds them
    double Koniec = 0;
    double Zapis = 0;
    bool Zwm = false;
    std::vector<OpcjePytania> Zaznaczone; // ticked options per question (IloscPytan elements)
    // The key this student's answer file declares per question (IloscPytan elements); almost
    // always equal to the test's key, kept so that the student's points can be recomputed.
    std::vector<OpcjePytania> Klucz;
    qint32 Poprawnych = 0; // points
    qint32 Procent = 0;
    QString Ocena; // "Cel", "Bdb", "Db", "Dst", "Dp", "Ndst"

    // Whether the student answered question q (1-based) correctly: the ticked options equal
    // the key of the student's file.
    bool PoprawnaOdpowiedz(int q) const {
        const auto i = static_cast<std::size_t>(q - 1);
        return q >= 1 && i < Zaznaczone.size() && i < Klucz.size() && Zaznaczone[i] == Klucz[i];
    }

    bool operator==(const UczenArchiwalny&) const = default;
};

struct PlikArchiwalny {
    QString Nazwa;  // the answer file's name without its folder
    QString Sha256; // 64 lowercase hexadecimal digits of the file's bytes

    bool operator==(const PlikArchiwalny&) const = default;
};

struct AnalizaArchiwalna {
    qint64 Id = 0; // 0 until the archive stores it
    TestArchiwalny Test;
    QString Odcisk;    // OdciskTestu(Test), filled by the conversion and by the archive
    QString PlikTestu; // the test file's name when the analysis had one, else empty
    std::vector<TrescPytania> Pytania;      // empty when the analysis had no test file
    std::vector<UczenArchiwalny> Uczniowie; // in the analysis's order
    std::vector<PlikArchiwalny> Pliki;      // in the analysis's order
    QString Klasa;                          // the teacher's label, e.g. "7b"
    QDate DataNapisania; // default: the newest modification day of the answer files
    QDateTime Dodano;    // UTC, whole seconds; set by the archive when it stores the entry
    // Who added it to the archive it was read from (set by the archive when it stores the
    // entry: on a server the database role, in a file the user's login name).
    QString Dodal;
    // For an analysis imported or copied from another archive: who had added it there, when
    // that was someone else (the archive keeps it; empty otherwise).
    QString DodalWZrodle;

    bool operator==(const AnalizaArchiwalna&) const = default;
};

// The fingerprint of a test: SHA-256 (64 lowercase hex digits) of this UTF-8 text, lines ended
// by LF, nothing else:
//   sondrel-odcisk-1
//   <name exactly as declared>
//   <number of questions, decimal>
//   <number of options, decimal>
//   <type: 0 single choice, 1 multiple choice>
//   <key: per question the numbers of its correct options in rising order, questions
//    separated by ",", e.g. "1,3,24,5">
// Two analyses of the same test have the same fingerprint; another key gives another one.
QString OdciskTestu(const TestArchiwalny& test);

// The test's key taken from the students' records: per question the key most records declare;
// of keys declared equally often (2:2), the one the earliest record declares. A question no
// record covers gets no option.
std::vector<OpcjePytania> KluczTestu(const std::vector<UczenArchiwalny>& uczniowie, int pytan);

// Whether AnalizaDoArchiwum reads the answer files for their hashes, or leaves Pliki empty for
// SkrotyPlikowOdpowiedzi to fill elsewhere (a window does it off its own thread).
enum SkrotyPlikow { ZeSkrotamiPlikow, BezSkrotowPlikow };

// The archive record of a finished analysis (students 1..IloscUczniow, the answer files of
// PlikiOdpowiedzi read once each for their SHA-256). The class label is given; the date written
// is the newest modification day of the answer files (the caller may change it). Returns
// nothing, with a Polish message in blad, when an answer file cannot be read or the analysis
// holds no student.
std::optional<AnalizaArchiwalna> AnalizaDoArchiwum(const Analiza& analiza, const QString& klasa,
                                                   QString& blad,
                                                   SkrotyPlikow skroty = ZeSkrotamiPlikow);
// The answer files' names and SHA-256 hashes, in the given order, into `pliki` (replacing what
// it held). Each file is opened as a regular file only: a FIFO or a device in its place is
// refused at once, never waited on. False, with a Polish message in blad, when a file cannot be
// read whole.
bool SkrotyPlikowOdpowiedzi(const QStringList& sciezki, std::vector<PlikArchiwalny>& pliki,
                            QString& blad);

// Whether the students' records fit the test (a key and ticked options for each of its 1..60
// questions, 1..5 options), and if so sets every student's points, percent and grade from
// their answers, their key and the test's thresholds, as the analysis scores them; the
// reason, empty when it fits. What an import or a copy stores is never taken on trust.
QString PrzeliczWyniki(AnalizaArchiwalna& analiza);

// The other way: fills the analysis records (test header, students in the stored order, question
// texts) from an archived analysis and computes the item statistics and the class summary as
// the analysis does (StatystykiPytan, PodsumujKlase), so that the analysis's own reports,
// statistics and question quality work on it. False (nothing changed) when it holds no student
// or more students, questions or options than the records take.
bool WypelnijAnalize(const AnalizaArchiwalna& archiwalna, Analiza& analiza);

} // namespace sondrel
