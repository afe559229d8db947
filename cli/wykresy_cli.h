// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart commands of sondrel-cli:
//
//   sondrel-cli wykres (wyniki|czas|oceny) --do PLIK.(png|svg|pdf) [--rozmiar SZERxWYS]
//                      [--szablon PLIK.ssw] [--imie-najpierw] PLIK.sko...
//   sondrel-cli wykres (wyniki|czas|oceny) --dane [--imie-najpierw] PLIK.sko...
//   sondrel-cli szablon (wyniki|czas|oceny) PLIK.ssw [--imie-najpierw] PLIK.sko...
//
// A chart is drawn as a freshly started program shows it right after the chart menu's choice
// (with --szablon: after loading that template).

#include "baza_cli.h"
#include "core/analiza.h"

#include <QByteArray>
#include <QIODevice>
#include <QJsonObject>
#include <QStringList>
#include <functional>

namespace sondrel {

struct StanWykresu;

// The family of the chart commands (wykres, szablon).
RodzinaPolecen RodzinaWykresow();

// The chart's data as the command "wykres --dane" prints it.
QJsonObject JsonWykresu(const StanWykresu& stan);

// The three charts of a class as SVG and PNG (WykresWynikow, WykresCzasuPracy, WykresOcen), each
// given to `zapisz` with its file name; stops at the first false.
bool ZapiszWykresyKlasy(
    const Analiza& analiza, bool najpierwImie,
    const std::function<bool(const QString& nazwa, const QByteArray& bajty)>& zapisz);

} // namespace sondrel
