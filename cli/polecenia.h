#pragma once
// The commands of sondrel-cli: the same analysis as the desktop program, its tables and reports
// written as the program writes them, for scripting and batch export.
//
//   sondrel-cli json [--test PLIK.skt] [--imie-najpierw] PLIK.sko...
//   sondrel-cli tabela (wyniki|czas|oceny) (htm|txt) [--strona N] [--calosc] ... PLIK.sko...
//   sondrel-cli psychometria [--test PLIK.skt] PLIK.sko...
//   sondrel-cli raport (test|statystyka|oceny|uczen:N|pytanie:N|psychometria) --do KATALOG
//               --test PLIK.skt ...
//   sondrel-cli wszystko --do KATALOG [--test PLIK.skt] [--imie-najpierw] PLIK.sko...

#include <QStringList>

class QIODevice;

namespace sondrel {

// Exit statuses.
constexpr int KodAnalizaWykonana = 0; // also with skipped files or a test that was not usable
constexpr int KodBlednePolecenie = 1; // usage error (the usage text goes to the error output)
constexpr int KodBrakAnalizy = 2;     // the first answer file was refused or no student was read
constexpr int KodBrakTestu = 3;       // a report was asked for but the test could not be used
constexpr int KodBladZapisu = 4;      // an output could not be written

// Runs the command line (without the program name) with standard output and standard error.
int UruchomCli(const QStringList& argumenty);

// The same writing the command's output to `wyjscie` and the messages (one line per message,
// every CR of a message a line break) to `bledy`. The journal goes to the program's journal at
// the level of the settings file (read, never written; level 0 without a readable one). The
// program's temporary folder is never touched: reports go to the folder given with --do.
int UruchomCli(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy);

// The usage text, and the answer to --version ("sondrel-cli" and the version).
QString SkladniaCli();
QString WersjaCli();

// The journal level (setting dfpz) held by the settings file at `sciezka`, read without
// changing the file; 0 when there is no such file or it cannot be read.
int PoziomDziennikaZUstawien(const QString& sciezka);

// The file names that "wszystko" gives the statistics report (beside the grade list) and the
// text of page `strona` of the results table.
QString NazwaRaportuStatystyki(const QString& nazwaTestu);
QString NazwaStronyTabeliTxt(int strona);

} // namespace sondrel
