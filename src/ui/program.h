#pragma once
// The desktop program as one object: the records of the analysis, the journal, folders and
// message hand-off, the settings, and the windows, each created once for the whole run in a
// fixed order and living until the program ends (closing a window hides it).
//
// Every window gets the Program in its constructor and reads or changes the records through
// it; windows reach each other through the pointers below.

#include "core/analiza.h"
#include "core/srodowisko.h"
#include "settings/ustawienia.h"

#include <QStringList>
#include <memory>

namespace sondrel {

class TFGlowny;
class TFWarning;
class TFOknoLPlikow;
class TFTabela;
class TFWykres;
class TFUstawwykres;
class TFOknoObieListy;
class TFIniSondrel;
class TFZegar;
class TFWinieta;

class Program {
public:
    explicit Program(QStringList argumenty = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Analiza analiza;
    Srodowisko srodowisko;
    Ustawienia ustawienia;
    // The command line without the program's name: answer files to analyse at the first show.
    QStringList argumenty;

    // Creates the windows in the program's order (main window, message dialog, answer-file
    // list, chart, chart settings, table, two-list window, settings, save icon, vignette), makes
    // every window after the main one its tool window (Okno::UstawOknoGlowne) and installs the
    // message dialog as the program's message handler.
    void UtworzOkna();

    TFGlowny* FGlowny = nullptr;
    TFWarning* FWarning = nullptr;
    TFOknoLPlikow* FOknoLPlikow = nullptr;
    TFWykres* FWykres = nullptr;
    TFUstawwykres* FUstawwykres = nullptr;
    TFTabela* FTabela = nullptr;
    TFOknoObieListy* FOknoObieListy = nullptr;
    TFIniSondrel* FIniSondrel = nullptr;
    TFZegar* FZegar = nullptr;
    TFWinieta* FWinieta = nullptr;

private:
    struct Okna;
    std::unique_ptr<Okna> okna; // owns the windows
};

} // namespace sondrel
