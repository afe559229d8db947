// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive commands that erase data of students:
//
//   sondrel-cli archiwum usun-ucznia "NAZWISKO IMIĘ" [--archiwum PLIK]
//   sondrel-cli archiwum usun --przed RRRR-MM-DD [--archiwum PLIK]
//
// usun-ucznia removes the student's results from every analysis the caller may change and
// prints how many results (and how many analyses left with no student) went; usun --przed
// removes the analyses written before that day and prints how many. Exit statuses as the
// other archive commands: 0 done, 1 usage error, 6 the archive cannot be opened or changed.

#include <QIODevice>
#include <QStringList>
#include <vector>

namespace sondrel {

// Whether the arguments (argumenty[0] "archiwum") are one of these commands.
bool JestPolecenieUsuwania(const QStringList& argumenty);
int UruchomUsuwanieArchiwum(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy);
QString SkladniaUsuwania();

// "Odrzucono analiz: N." (naglowek with %1) and one line per analysis with its reason.
QString OpisPominietych(const QString& naglowek, const std::vector<QString>& powody);

} // namespace sondrel
