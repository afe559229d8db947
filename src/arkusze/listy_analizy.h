// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of an analysis as the workbook and the CSV forms write them. Every figure is taken
// from the analysis records and the program's own computations (points, percents and grades
// as the analysis rounded them, the item statistics, the statistics report's figures, the
// question-quality figures, the working times as the work-time table writes them).
//
//   "Wyniki"        Nazwisko, Imię, one column per question (1 correct, 0 otherwise), Suma,
//                   Procent, Ocena, Ocena (cyfra); below the list the row "Poprawnych"
//                   (each question's count, the class's sum under Suma)
//   "Pytania"       Nr, Poprawnych, Łatwość, Kategoria, A..E, Moc różnicująca, Uwaga
//                   (an analysis with the test only)
//   "Czas pracy"    Nazwisko, Imię, Początek, Koniec, Czas pracy; below the row "Średnia"
//   "Oceny"         Ocena, Ilość ocen per grade; below "Średnia z ocen" and "Ocena klasy"
//   "Klasa"         the figures of the statistics report, label and value
//   "Do dziennika"  Nazwisko, Imię, Ocena (cyfra), Ocena, Punkty, Procent, by surname and
//                   first name

#include "arkusze/lista_arkusza.h"
#include "core/analiza.h"

#include <QString>
#include <vector>

namespace sondrel {

enum class RodzajListy { Wyniki, Pytania, CzasPracy, Oceny, Klasa, DoDziennika };

// The sheet's name of the list.
QString NazwaListy(RodzajListy rodzaj);

// One list. najpierwImie (setting fn) puts the first-name column before the surname in
// "Wyniki" and "Czas pracy", as the tables name students. Building "Czas pracy" stores the
// mean working time in Test.SredniCzasPracy, as the work-time table does.
ListaArkusza ListaAnalizy(Analiza& analiza, RodzajListy rodzaj, bool najpierwImie);

// Every list of the workbook of the analysis, in the order of its sheets ("Pytania" only in an
// analysis with the test).
std::vector<ListaArkusza> ListyAnalizy(Analiza& analiza, bool najpierwImie);

// The file name offered for the workbook: the test's name made safe, ".xlsx".
QString NazwaPlikuArkusza(const QString& nazwaTestu);

} // namespace sondrel
