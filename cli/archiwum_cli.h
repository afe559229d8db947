// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive commands of sondrel-cli, one family on the tool's base (baza_cli.h):
//
//   sondrel-cli archiwum dodaj --klasa ETYKIETA [--data RRRR-MM-DD] [--test PLIK.skt] PLIK.sko...
//   sondrel-cli archiwum lista
//   sondrel-cli archiwum porownaj ID ID... [--do PLIK.htm]
//   sondrel-cli archiwum uczen "NAZWISKO IMIĘ" [--do PLIK.htm]
//   sondrel-cli archiwum usun ID
//   sondrel-cli archiwum opis ID --klasa ETYKIETA [--data RRRR-MM-DD]
//   sondrel-cli archiwum eksport (PLIK.json|-)
//   sondrel-cli archiwum import (PLIK.json|-)
//   sondrel-cli archiwum odloz
//   sondrel-cli archiwum kopiuj --z ŹRÓDŁO --do CEL
//
// each with [--archiwum PLIK] (default: the archive both programs use, wybor_archiwum.h); PLIK,
// ŹRÓDŁO and CEL may be postgresql:// URIs of an archive on a server (archive/polaczenie.h).
// Their failures to open or write the archive end with KodBladArchiwum.

#include "baza_cli.h"

#include <QJsonObject>

namespace sondrel {

struct WpisArchiwum;
struct ZestawienieKlas;

// The family of the archive commands.
RodzinaPolecen RodzinaArchiwum();
QString SkladniaArchiwum();

// The entry of "archiwum lista" ({id, klasa, data, dodano, iloscUczniow, procentKlasy, test}).
QJsonObject JsonWpisuArchiwum(const WpisArchiwum& wpis);

// The comparison of classes as "archiwum porownaj" prints it ({test, klasy, razem}).
QJsonObject JsonZestawienia(const ZestawienieKlas& zestawienie);

} // namespace sondrel
