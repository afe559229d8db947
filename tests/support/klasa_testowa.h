// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Classes built in code for the tests, without answer files: straight into the analysis
// records, as archived analyses, or as a folder of answer files. A student is scored and
// graded as the reading loop does it (ZapiszOdpowiedz, OcenUcznia), a class summed up as the
// analysis does (StatystykiPytan, PodsumujKlase):
//
//     Klasa(a, "Ułamki", 2);                        // two questions, key "1000" each
//     Uczen(a, "Nowak", "Anna", "10");              // right on question 1, wrong on 2
//     Podsumuj(a);
//
//     UstawNaglowek(a, "Test", 4, 2);
//     DodajUczniow(a, {"1000", "0110"}, {{"Nowak", "Anna", {"1000", "0100"}}});

#include "archive/analiza_archiwalna.h"
#include "core/analiza.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <vector>

namespace sondrel::testy {

// ---- In the analysis records --------------------------------------------------------------

// The test header alone: its name, `iloscPytan` questions of four options, grade thresholds
// 90/75/50/30/20; no students, statistics cleared.
void Klasa(Analiza& a, const QString& nazwa, int iloscPytan);

// The key of every question of Klasa (option A), and a wrong answer to it.
inline const QString Klucz = QStringLiteral("1000");
inline const QString Zle = QStringLiteral("0100");

// Adds a student: one choice string and one key string per question ("1" = ticked, correct),
// scored and graded.
OdpowiedzBig& DodajUcznia(Analiza& a, const QString& nazwisko, const QString& imie,
                          const QStringList& wybory, const QStringList& klucze);

// Adds a student of Klasa who answered correctly exactly the questions marked '1' in `wyniki`
// (one character per question), working from `start` to `koniec`.
OdpowiedzBig& Uczen(Analiza& a, const QString& nazwisko, const QString& imie, const QString& wyniki,
                    QTime start = QTime(10, 0), QTime koniec = QTime(10, 30),
                    QTime zapis = QTime(10, 31));

// The item statistics and the class figures of the students added.
void Podsumuj(Analiza& a);

// The header a test file gives: name, author "Anna Żak", single choice, thresholds
// 100/90/70/50/30, an analysis with the test.
void UstawNaglowek(Analiza& a, const QString& nazwa, int odpowiedzi, int pytan);
// A question's text, its option texts and its key.
void UstawPytanie(Analiza& a, int q, const QString& tresc, const QStringList& opcje,
                  const QString& klucz);

struct UczenProbny {
    QString nazwisko, imie;
    QStringList wybory; // one choice string per question
};
// The students in place of those before, sorted by name and summed up, as after reading them.
void DodajUczniow(Analiza& a, const QStringList& klucze, const QList<UczenProbny>& uczniowie);

// The members of the sample class's test container.
inline const QByteArray TekstOpisu = QByteArray("Przeczytaj uwa\xBFnie.\r\nDruga <i>linia</i>");
inline const QByteArray TekstDrugi = QByteArray("Tekst drugi\n");
QByteArray ObrazRysunku();

// The sample class: "Ułamki zwykłe", 4 options, 3 questions, 4 students (one with a hostile
// name), its test container "test.skt" written into `folderKontenera` and opened. Question 1
// has the text opis.txt and the picture rys1.jpg; question 2 the same text as OPIS.TXT and
// the missing picture brak.gif; question 3 the text drugi.txt and RYS1.JPG, the first picture
// again.
void KlasaProbna(Analiza& a, const QString& folderKontenera);

// n students "Nazwisko<i> Imię<i>" with i % 21 points, working 10:00 .. 10:00 + i minutes, and
// grade counts Cel 2, Bdb 0, Db 5, Dst 1, Dp 0, Ndst 3 (for the charts, which read no answers).
void KlasaWykresu(Analiza& a, int n);

// ---- As archived analyses -----------------------------------------------------------------

// A class of the test "Ułamki" of `pytan` questions with four options, the key of question q
// option (q - 1) % 4 + 1, thresholds 95/85/70/50/30; each student given by the option ticked
// per question (1..4), scored and graded as the analysis does.
AnalizaArchiwalna KlasaArchiwalna(qint64 id, const QString& klasa,
                                  const std::vector<std::vector<int>>& wybory, int pytan);

// The same test with author, time and version, `uczniow` students whose answers, names,
// times and file hashes follow from `ziarno`, written on 1 March 2026 plus `ziarno` days.
AnalizaArchiwalna KlasaArchiwalna(int ziarno, int uczniow = 5, int pytan = 6,
                                  const QString& test = QStringLiteral("Ułamki"),
                                  const QString& klasa = QStringLiteral("7b"));

// ---- As answer files ----------------------------------------------------------------------

// Writes a class of answer files (test "Ułamki", `pytan` questions of four options) to the
// folder and gives their paths (none when one cannot be written); `ziarno` picks the names
// and answers.
QStringList ZapiszKlase(const QString& folder, int ziarno, int uczniow, int pytan = 10);

} // namespace sondrel::testy
