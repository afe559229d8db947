// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command "psychometria": the quality of the test's questions as one JSON object, and the
// question-quality report that "raport psychometria" and "wszystko" write.
//
//   {"test": {"iloscUczniow", "iloscPytan", "srednia", "wariancja", "kr20", "sem", "skosnosc",
//             "kurtoza", "grupa", "ostrzezenie"},
//    "pytania": [{"nr", "latwosc", "mocRoznicujaca", "d",
//                 "opcje": [{"litera", "poprawna", "wybrali", "gorna", "dolna"}], "uwagi"}]}
//
// Reals keep full double precision; a figure that cannot be computed is null (so is the warning
// from 10 students on).

#include <QJsonObject>

namespace sondrel {

class Analiza;
struct JakoscTestu;

QJsonObject JsonPsychometrii(const JakoscTestu& jakosc);
QJsonObject JsonPsychometrii(const Analiza& analiza);

} // namespace sondrel
