// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program as one object: the records of the analysis, the journal, folders and
// message hand-off, the settings, and the windows, each created once for the whole run in a
// fixed order and living until the program ends (closing a window hides it).
//
// Every window gets the Program in its constructor and reads or changes the records through
// it; windows reach each other through the pointers below.

#include "core/analiza.h"
#include "core/srodowisko.h"
#include "reports/raport.h"
#include "settings/ustawienia.h"

#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

namespace sondrel {

class TFGlowny;
class TFWarning;
class TFOknoLPlikow;
class TFTabela;
class TFWykres;
class TFUstawwykres;
class TFPopMenu;
class TFPopPyt;
class TFPopOsoba;
class TFBrowser;
class TFOknoObieListy;
class TFIniSondrel;
class TFZegar;
class TFWinieta;
class TFArchiwum;

class Program {
public:
    explicit Program(QStringList argumenty = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Analiza analiza;
    Srodowisko srodowisko;
    Ustawienia ustawienia;
    // The command line without the program's name: answer files to analyse at the first show,
    // with the test of "--test PLIK.skt" when it named one.
    QStringList argumenty;
    QString plikTestu;

    // Creates the windows in the program's order (main window, message dialog, answer-file
    // list, chart, chart settings, table, question popup, answer popup, student popup, report
    // window, two-list window, settings, save icon, vignette), makes every window after the main
    // one its tool window (Okno::UstawOknoGlowne) and installs the message dialog as the
    // program's message handler.
    void UtworzOkna();

    // What every report is made with: the recipient and the setting fn.
    UstawieniaRaportu UstawieniaRaportow() const;
    // Shows a report just made: a failure gives its message; with rdfw on the default browser
    // opens the file, else the report window shows it.
    void PokazRaport(const WynikRaportu& wynik);
    // A report asked for from a popup of the table window: the table window is hidden while
    // the report is shown and comes back when the report window is closed. When the report
    // goes to the default browser, or cannot be made, the table window comes back at once.
    void RaportZTabeli(const std::function<WynikRaportu()>& zrob);
    // Opens a URL with the desktop (the default browser); tests replace it.
    std::function<void(const QUrl&)> OtworzWPrzegladarce;

    TFGlowny* FGlowny = nullptr;
    TFWarning* FWarning = nullptr;
    TFOknoLPlikow* FOknoLPlikow = nullptr;
    TFWykres* FWykres = nullptr;
    TFUstawwykres* FUstawwykres = nullptr;
    TFTabela* FTabela = nullptr;
    TFPopMenu* FPopMenu = nullptr;
    TFPopPyt* FPopPyt = nullptr;
    TFPopOsoba* FPopOsoba = nullptr;
    TFBrowser* FBrowser = nullptr;
    TFOknoObieListy* FOknoObieListy = nullptr;
    TFIniSondrel* FIniSondrel = nullptr;
    TFZegar* FZegar = nullptr;
    TFWinieta* FWinieta = nullptr;
    TFArchiwum* FArchiwum = nullptr; // the archive of analyses, after the specified windows

private:
    struct Okna;
    std::unique_ptr<Okna> okna; // owns the windows
};

} // namespace sondrel
