// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program as one object: the records of the analysis, the journal, folders and
// message hand-off, the settings, and the windows, each created once for the whole run in a
// fixed order and living until the program ends (closing a window hides it).
//
// Every window gets the Program in its constructor and reads or changes the records through
// it. Windows do not reach each other: they announce what the user asked for, and the program's
// window rules (ZasadyOkien, zasady_okien.h) decide which window opens and which closes.

#include "core/analiza.h"
#include "core/srodowisko.h"
#include "reports/raport.h"
#include "settings/ustawienia.h"
#include "ui/zasady_okien.h"

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
class SerwerKopii;

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
    // window, two-list window, settings, save icon, vignette, archive), makes every window after
    // the main one its tool window (Okno::UstawOknoGlowne), hands each to the window rules and
    // installs the message dialog as the program's message handler.
    void UtworzOkna();
    // The main window, to show it at the start (null before UtworzOkna).
    Okno* OknoGlowne() const;
    // Takes the handovers of later starts: the program comes up and analyses their files, by
    // the window rules.
    void PrzyjmujPrzekazania(SerwerKopii& serwer);

    // What every report is made with: the recipient and the setting fn.
    UstawieniaRaportu UstawieniaRaportow() const;
    // Opens a URL with the desktop (the default browser); tests replace it.
    std::function<void(const QUrl&)> OtworzWPrzegladarce;

    // The window rules: the windows created here are handed in by UtworzOkna; a test that
    // builds windows of its own hands them in itself (ZasadyOkien::Podlacz).
    ZasadyOkien& Zasady() { return *zasady; }

    // The windows, for tests (null until created or handed in). The program's own code never
    // looks a window up: windows announce, the window rules act.
    TFGlowny* FGlowny() const;
    TFWarning* FWarning() const;
    TFOknoLPlikow* FOknoLPlikow() const;
    TFWykres* FWykres() const;
    TFUstawwykres* FUstawwykres() const;
    TFTabela* FTabela() const;
    TFPopMenu* FPopMenu() const;
    TFPopPyt* FPopPyt() const;
    TFPopOsoba* FPopOsoba() const;
    TFBrowser* FBrowser() const;
    TFOknoObieListy* FOknoObieListy() const;
    TFIniSondrel* FIniSondrel() const;
    TFZegar* FZegar() const;
    TFWinieta* FWinieta() const;
    TFArchiwum* FArchiwum() const;

private:
    struct Okna;
    std::unique_ptr<ZasadyOkien> zasady;
    std::unique_ptr<Okna> okna; // owns the windows; destroyed before the rules
};

} // namespace sondrel
