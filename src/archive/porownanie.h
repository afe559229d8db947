// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison of classes that wrote the same test: per class and for all of them pooled as
// one class, the figures a teacher compares (the statistics of the points as the statistics
// report computes them, the class's grade counts and grade as the analysis sums them up, per
// question the facility and the discrimination r, and KR-20 as the question-quality module
// computes them), and per class the questions that were clearly easier or harder there than in
// the pooled class beyond what chance explains. Pure figures from archived analyses: no
// database, no output, no names.

#include "archive/analiza_archiwalna.h"
#include "core/tablica.h"

#include <QString>
#include <optional>
#include <vector>

namespace sondrel {

// A question is marked in a class when its facility there differs from the pooled facility by
// at least 0.2 (compared exactly: 1/5) and the two-sided Fisher exact test of correct / not
// correct in this class against the other classes of the comparison gives p < 0.05. A class
// compared alone has nothing to differ from: no question is marked.
inline constexpr double ProgIstotnosci = 0.05;
inline const QString UwagaLatwiejsze = QStringLiteral("wyraźnie łatwiejsze w tej klasie");
inline const QString UwagaTrudniejsze = QStringLiteral("wyraźnie trudniejsze w tej klasie");

// A class label as reports and messages show it: "(bez opisu)" for an empty one.
QString OpisKlasy(const QString& klasa);

struct PytanieKlasy {
    int Nr = 0;
    qint32 Poprawnych = 0;
    qint32 ProcentPoprawnych = 0;         // as the tables show it (rounded half to even)
    double Latwosc = 0;                   // the exact share Poprawnych / students
    std::optional<double> MocRoznicujaca; // item-rest r; none where it is undefined
    QString Uwaga;                        // empty, UwagaLatwiejsze or UwagaTrudniejsze
    // The Fisher p of this class against the other classes (none with one class).
    std::optional<double> Istotnosc;
};

struct FiguryKlasy {
    qint64 Id = 0; // the archive entry (0 for the pooled class)
    QString Klasa; // the teacher's label (empty for the pooled class)
    // The class as the report names it: the label ("(bez opisu)" when empty), followed by its
    // date when another class of the comparison has the same label ("7a (12.03.2025)"), and by
    // its place among them when the date is the same too ("7a (12.03.2025, 2.)").
    QString Etykieta;
    QDate DataNapisania;
    qint32 IloscUczniow = 0;
    double Srednia = 0;             // mean points, two decimals
    double Mediana = 0;             // whole or ending in .5
    double Odchylenie = 0;          // population deviation, one decimal
    qint32 ProcentKlasy = 0;        // mean percent
    Tablica1<qint32, 6> LiczbaOcen; // Cel, Bdb, Db, Dst, Dp, Ndst
    QString OcenaKlasy;
    std::optional<double> KR20;
    std::optional<qint64> KR20Setne; // hundredths, rounded half to even
    std::vector<PytanieKlasy> Pytania;
};

struct ZestawienieKlas {
    QString Blad; // non-empty: the analyses could not be compared, nothing else is filled
    TestArchiwalny Test;
    QString Odcisk;
    std::vector<FiguryKlasy> Klasy; // in the order given, each analysis once
    FiguryKlasy Razem;              // every student of every class as one class
    // Per question the text of the test's question (markup, as the test file has it), from the
    // first analysis that has the texts; empty when none has.
    std::vector<QString> Tresci;

    bool Udane() const { return Blad.isEmpty(); }
};

// The two-sided p of Fisher's exact test for the 2x2 table [a b; c d]: the sum of the
// probabilities of every table with the same margins whose probability is at most the
// observed table's (with a relative tolerance of 1e-7 for ties in floating point). 1 when a
// margin is zero; negative counts give 1 too.
double FisherDwustronny(qint64 a, qint64 b, qint64 c, qint64 d);

// Compares analyses of one test (the same fingerprint). An analysis given more than once (the
// same archive id) counts once, where it first stands. Refused, with the reason in Blad: no
// analysis, analyses of different tests (or different versions of one test), an analysis with
// no student or with records that do not match its test. The pooled class is graded by the
// thresholds of the first analysis (the same test may have been graded by other thresholds in
// another class; each class keeps its own grade).
ZestawienieKlas PorownajKlasy(const std::vector<AnalizaArchiwalna>& analizy);

} // namespace sondrel
