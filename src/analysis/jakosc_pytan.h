// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Question quality: how well each question separates stronger from weaker students, which
// answer options attract whom, how reliable the whole test is, and which questions a teacher
// should look at again. Computed from the students' records (correct or not per question, the
// options ticked); no output here, only figures.
//
// With N students, x = 1 when a student answered a question correctly and X = the student's
// number of correct answers (the sum of x over the questions):
// - facility p: the mean of x;
// - discrimination r: the Pearson correlation of x with the rest score X - x (undefined when
//   either does not vary);
// - upper and lower groups: g = (27 N + 50) div 100, at least 1; the upper group is every
//   student whose X is at least the g-th highest X, the lower group every student whose X is at
//   most the g-th lowest (ties all included); D = p(upper) - p(lower);
// - a wrong option "attracts better students" when more students of the upper group than of the
//   lower group ticked it and the upper group's share exceeds the lower group's by at least 0.10;
// - the test: mean and population variance of X, KR-20, the standard error of measurement,
//   skewness and kurtosis as sample-adjusted estimates (k-statistics).
//
// Every figure is computed from exact integer sums; the value in hundredths (rounded half to
// even) is exact as well, so that a figure shown with two decimals never depends on how a
// double happened to round.

#include "core/analiza.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace sondrel {

// A real figure: its value and the value in hundredths, rounded half to even.
struct Wskaznik {
    double Wartosc = 0;
    qint64 Setne = 0;
};
using WskaznikOpcjonalny = std::optional<Wskaznik>; // empty where the figure is undefined

// One answer option of one question.
struct OpcjaJakosci {
    int Numer = 0; // 1..5 (A..E)
    // The key marks it (the key of the answer files; should they differ, the key most of the
    // students' files carry).
    bool Poprawna = false;
    qint32 Wybrali = 0;      // students who ticked it
    qint32 WybraliGorna = 0; // of them in the upper group
    qint32 WybraliDolna = 0; // of them in the lower group
    Wskaznik Gorna;          // share of the upper group who ticked it
    Wskaznik Dolna;          // share of the lower group who ticked it
};

struct JakoscPytania {
    int Nr = 0;
    qint32 Poprawnych = 0;             // students who answered correctly
    Wskaznik Latwosc;                  // facility p
    WskaznikOpcjonalny MocRoznicujaca; // item-rest correlation r
    Wskaznik D;                        // p(upper) - p(lower)
    std::vector<OpcjaJakosci> Opcje;   // options 1..IloscOdpowiedzi
    QStringList Uwagi;                 // review flags, Polish
};

struct JakoscTestu {
    int IloscUczniow = 0;
    int IloscPytan = 0;
    Wskaznik Srednia;
    Wskaznik Wariancja; // population variance
    WskaznikOpcjonalny KR20;
    WskaznikOpcjonalny SEM; // in points
    WskaznikOpcjonalny Skosnosc;
    WskaznikOpcjonalny Kurtoza;
    int Grupa = 0;                      // g
    int LicznoscGornej = 0;             // students in the upper group (ties make it larger than g)
    int LicznoscDolnej = 0;             // students in the lower group
    QString Ostrzezenie;                // empty from 10 students on
    std::vector<JakoscPytania> Pytania; // questions 1..IloscPytan
};

// The texts of the review flags and of the warning.
namespace uwagi_jakosci {
inline const QString UjemnaMoc = QStringLiteral("ujemna moc różnicująca – sprawdź klucz");
inline const QString SlaboRozroznia = QStringLiteral("słabo różnicuje");
inline const QString BardzoLatwe = QStringLiteral("bardzo łatwe");
inline const QString BardzoTrudne = QStringLiteral("bardzo trudne");
QString PrzyciagaLepszych(int opcja); // "odpowiedź X przyciąga lepszych uczniów"
QString NieDziala(int opcja);         // "odpowiedź X nie działa"
inline const QString MaloUczniow =
    QStringLiteral("Za mało uczniów, by wskaźniki były wiarygodne (mniej niż 10).");
} // namespace uwagi_jakosci

// The answers of a class of any number of students: per student and question the key of the
// student's answer file and the options ticked, each as a bit set (bit k - 1 is option k),
// student after student, IloscPytan entries each (1-based accessors).
struct OdpowiedziKlasy {
    int IloscUczniow = 0;
    int IloscPytan = 0;
    int IloscOdpowiedzi = 0;
    std::vector<std::uint8_t> Klucz;
    std::vector<std::uint8_t> Zaznaczone;

    std::size_t Pozycja(int uczen, int pytanie) const {
        return static_cast<std::size_t>(uczen - 1) * static_cast<std::size_t>(IloscPytan) +
               static_cast<std::size_t>(pytanie - 1);
    }
    // Correct as the analysis counts it: the ticked options equal the key.
    bool Poprawna(int uczen, int pytanie) const {
        const std::size_t i = Pozycja(uczen, pytanie);
        return Zaznaczone[i] == Klucz[i];
    }
};

// The figures of students 1..IloscUczniow on questions 1..IloscPytan (both clamped to what the
// records hold). With no students every figure is 0 or undefined and there are no questions.
JakoscTestu ObliczJakoscPytan(const Analiza& analiza);
// The same figures for any number of students (options beyond MaksOdpowiedzi are not counted;
// a class whose vectors do not hold IloscUczniow * IloscPytan entries counts as empty).
JakoscTestu ObliczJakoscPytan(const OdpowiedziKlasy& klasa);

} // namespace sondrel
