// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The comparison of classes that wrote the same test: per class and for all of them pooled as
// one class, the figures a teacher compares (the statistics of the points as the statistics
// report computes them, the class's grade counts and grade as the analysis sums them up, per
// question the facility and the discrimination r, and KR-20 as the question-quality module
// computes them), and per class the questions that were clearly easier or harder there than in
// the pooled class. Pure figures from archived analyses: no database, no output, no names.

#include "archive/analiza_archiwalna.h"
#include "core/tablica.h"

#include <QString>
#include <optional>
#include <vector>

namespace sondrel {

// A question is marked in a class when its facility there differs from the pooled facility by
// at least this share (compared exactly: 1/5).
inline const QString UwagaLatwiejsze = QStringLiteral("wyraźnie łatwiejsze w tej klasie");
inline const QString UwagaTrudniejsze = QStringLiteral("wyraźnie trudniejsze w tej klasie");

struct PytanieKlasy {
    int Nr = 0;
    qint32 Poprawnych = 0;
    qint32 ProcentPoprawnych = 0;         // as the tables show it (rounded half to even)
    double Latwosc = 0;                   // the exact share Poprawnych / students
    std::optional<double> MocRoznicujaca; // item-rest r; none where it is undefined
    QString Uwaga;                        // empty, UwagaLatwiejsze or UwagaTrudniejsze
};

struct FiguryKlasy {
    qint64 Id = 0; // the archive entry (0 for the pooled class)
    QString Klasa; // the teacher's label (empty for the pooled class)
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
    std::vector<FiguryKlasy> Klasy; // in the order given
    FiguryKlasy Razem;              // every student of every class as one class

    bool Udane() const { return Blad.isEmpty(); }
};

// Compares analyses of one test (the same fingerprint). Refused, with the reason in Blad: no
// analysis, analyses of different tests (or different versions of one test), an analysis with
// no student or with records that do not match its test. The pooled class is graded by the
// thresholds of the first analysis (the same test may have been graded by other thresholds in
// another class; each class keeps its own grade).
ZestawienieKlas PorownajKlasy(const std::vector<AnalizaArchiwalna>& analizy);

} // namespace sondrel
