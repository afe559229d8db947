// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file "Sondrel.ini": an XML document with the element "Ini" and one element per
// key, every value scrambled by the settings substitution scheme. Read once at start; written
// whole from the settings window, or one key at a time (journal level, window size mode) from
// the main window. Every write goes to a temporary file renamed over the old one.

#include "core/srodowisko.h"

#include <QString>

namespace sondrel {

struct Ustawienia {
    QString sct;          // path of the test list file
    bool fn = false;      // students named first name first
    bool calltab = false; // copy and save a table as HTML in whole
    bool bez = false;     // load answer files straight after picking them
    bool rdfw = false;    // reports in the system's default browser
    int wo = 0;           // main window size mode: 0 normal, anything else enlarged
    int dfpz = 0;         // journal level
    // Where the archive of analyses lives: empty for the file in the program's data folder, else
    // a server's URI (postgresql://user@host:port/database, never a password). Kept under the
    // key "arch", written after the others and only when it is set, so that a settings file
    // without a server archive stays exactly as it always was.
    QString arch;

    // Set by any change in the settings window; cleared when the window opens and after every
    // successful write of the whole file.
    bool UstawieniaZmienione = false;

    // The values without a settings file (everything off, journal level 0).
    static Ustawienia Poczatkowe() { return {}; }
    // The values that replace a damaged file (the four options on, journal level 1).
    static Ustawienia Domyslne();

    // The held values only (not UstawieniaZmienione).
    bool operator==(const Ustawienia& inne) const;
};

// What reading the file found.
enum class StanPlikuUstawien { Brak, Nieczytelny, ZlyNaglowek, Wczytany };

// Reads the file into `ustawienia` and nothing else: no message, no journal line, no write. The
// values are taken only when the file is Wczytany (the command-line tool reads the journal level
// this way, leaving a damaged file to the desktop program).
StanPlikuUstawien OdczytajPlikUstawien(const QString& sciezka, Ustawienia& ustawienia);

// Reads srodowisko.foldery.PlikUstawien into `ustawienia` and sets the journal level in force
// (srodowisko.PoziomDziennika) from dfpz. No file: nothing read, nothing written, the start
// values. A file that cannot be read or parsed, or whose header is not "Sondrel": the message
// "Plik ustawień jest uszkodzony. Utworzono nowy plik.", a journal line, the defaults, and the
// whole file written anew.
void CzytajUstawienia(Ustawienia& ustawienia, Srodowisko& srodowisko);

// Writes the whole file from the held values; clears UstawieniaZmienione on success. A failure
// leaves a journal line and the old file as it was.
bool ZapiszUstawienia(Ustawienia& ustawienia, Srodowisko& srodowisko);

// Sets dfpz and the journal level in force, then writes that key alone into the existing file
// (a new file holding only it when there is none). The level stays changed when the write
// fails. Returns whether the file was written.
bool ZapiszPoziomDziennika(Ustawienia& ustawienia, Srodowisko& srodowisko, int poziom);

// Writes the key wo alone from its held value.
bool ZapiszRozmiarOkna(const Ustawienia& ustawienia, Srodowisko& srodowisko);

} // namespace sondrel
