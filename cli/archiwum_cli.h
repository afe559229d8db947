// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive commands of sondrel-cli:
//
//   sondrel-cli archiwum dodaj --klasa ETYKIETA [--data RRRR-MM-DD] [--test PLIK.skt]
//                              [--imie-najpierw] PLIK.sko...
//   sondrel-cli archiwum lista
//   sondrel-cli archiwum porownaj ID ID... [--do PLIK.htm]
//   sondrel-cli archiwum uczen "NAZWISKO IMIĘ"
//   sondrel-cli archiwum usun ID
//   sondrel-cli archiwum eksport PLIK.json
//   sondrel-cli archiwum import PLIK.json
//   sondrel-cli archiwum odloz
//   sondrel-cli archiwum kopiuj --z ŹRÓDŁO --do CEL
//
// each with [--archiwum PLIK] (default: Archiwum.sqlite in the program's data folder); PLIK,
// ŹRÓDŁO and CEL may be postgresql:// URIs of an archive on a server (archive/polaczenie.h).

#include <QIODevice>
#include <QJsonObject>
#include <QStringList>

namespace sondrel {

struct WpisArchiwum;
struct ZestawienieKlas;

// The archive cannot be opened or written, the numbers given do not belong together (no such
// analysis, or analyses of different tests), or an import file is refused.
constexpr int KodBladArchiwum = 6;

bool JestPolecenieArchiwum(const QString& polecenie);
// Whether the archive command draws a chart (a report with --do): it then needs fonts.
bool ArchiwumRysuje(int argc, const char* const* argv);
int UruchomPolecenieArchiwum(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy);
QString SkladniaArchiwum();

// The entry of "archiwum lista" ({id, klasa, data, dodano, iloscUczniow, procentKlasy, test}).
QJsonObject JsonWpisuArchiwum(const WpisArchiwum& wpis);

// The comparison of classes as "archiwum porownaj" prints it ({test, klasy, razem}).
QJsonObject JsonZestawienia(const ZestawienieKlas& zestawienie);

} // namespace sondrel
