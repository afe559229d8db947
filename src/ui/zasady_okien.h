// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which window opens and which closes when the user asks for something. The windows only
// announce what the user asked for (their signals); this coordinator takes each announcement as
// a request and acts on it by one table of rules (zasady_okien.cpp), which closes the windows a
// request puts away and then opens what was asked for. No window reaches another one.
//
// Program creates the windows and hands each of them in here; a test hands in only the windows
// it builds, and a request whose window is missing does nothing harmful.

#include "reports/raport.h"
#include "tables/klikniecie_tabeli.h"
#include "ui/jedna_kopia.h"
#include "ui/okno.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <array>
#include <functional>
#include <vector>

namespace sondrel {

class OdbiorPrzekazan;
class OknoListyPlikow;
class OknoPopup;
class Program;
class TFBrowser;
class TFGlowny;
class TFIniSondrel;
class TFOknoLPlikow;
class TFOknoObieListy;
class TFPopMenu;
class TFPopOsoba;
class TFPopPyt;
class TFTabela;
class TFUstawwykres;
class TFWarning;
class TFWinieta;
class TFArchiwum;
class TFWykres;
class TFZegar;

// The program's windows by their part, in the order the program creates them.
enum class OknoProgramu {
    Glowne,            // TFGlowny
    Komunikaty,        // TFWarning
    ListaPlikow,       // TFOknoLPlikow
    Wykres,            // TFWykres
    UstawieniaWykresu, // TFUstawwykres
    Tabela,            // TFTabela
    PopupPytania,      // TFPopMenu
    PopupOdpowiedzi,   // TFPopPyt
    PopupUcznia,       // TFPopOsoba
    Raport,            // TFBrowser
    ObieListy,         // TFOknoObieListy
    Ustawienia,        // TFIniSondrel
    IkonaZapisu,       // TFZegar
    Winieta,           // TFWinieta
    Archiwum,          // TFArchiwum
};
inline constexpr int IloscOkien = 15;

// What the user asked for, as the windows announce it.
enum class Prosba {
    NowaAnaliza,         // an analysis was read: its panel and the results table
    ZamknijAnalize,      // "Zamknij analizę"
    Tabela,              // an entry of the table menu (numer: 1, 2, 3)
    Wykres,              // an entry of the chart menu (numer: 1, 2, 3)
    RaportZMenu,         // an entry of the report menu
    RaportZTabeli,       // the report link of a popup of the results table
    ZamknietoRaport,     // the report window's close mark
    PopupTabeli,         // a right-click on the results table
    FormatujWykres,      // "Formatuj wykres"
    PlikiOdpowiedzi,     // the answer-file choice of an analysis
    TestIPliki,          // the test-and-answer-files choice of an analysis
    OProgramie,          // "O programie"
    Ustawienia,          // "Ustawienia"
    PotwierdzenieZapisu, // a file was saved: the save icon (miejsce: its corner)
    ZapisaneUstawienia,  // the settings were written
    GotowyRaport,        // a report made by another window (the archive's): shown as the menu's
    ZapiszWArchiwum,     // "Zapisz analizę w archiwum"
    PrzegladajArchiwum,  // "Przeglądaj archiwum"
    ZapisanoWArchiwum,   // the archive took the analysis: the save icon by the main window
    PodniesProgram,      // a later start of the program handed its files over: the program comes up
    PrzekazanePliki,     // the files of that start, once the program can take them
};
inline constexpr int IloscProsb = static_cast<int>(Prosba::PrzekazanePliki) + 1;

class ZasadyOkien : public QObject {
    Q_OBJECT
public:
    explicit ZasadyOkien(Program& program);
    ~ZasadyOkien() override;

    // A request with what its window told about it.
    struct Zadanie {
        Zadanie(Prosba p, int n = 0) : prosba(p), numer(n) {}
        Zadanie(Prosba p, std::function<WynikRaportu()> r) : prosba(p), raport(std::move(r)) {}
        Zadanie(Prosba p, const KlikniecieTabeli& k) : prosba(p), klikniecie(k) {}
        Zadanie(Prosba p, QPoint m) : prosba(p), miejsce(m) {}
        Zadanie(Prosba p, Przekazanie pr) : prosba(p), przekazanie(std::move(pr)) {}
        Prosba prosba;
        int numer = 0;                        // the table's or the chart's kind
        std::function<WynikRaportu()> raport; // the report to make
        KlikniecieTabeli klikniecie;          // what the right-click addressed
        QPoint miejsce;                       // where a confirmation shows
        Przekazanie przekazanie;              // the files a later start handed over
    };

    // One rule: the windows closed first (those visible), then what is done.
    struct Regula {
        Prosba prosba;
        std::vector<OknoProgramu> zamknij;
        void (ZasadyOkien::*potem)(const Zadanie&);
    };

    // Acts on a request by its rule.
    void Wykonaj(const Zadanie& zadanie);
    void Wykonaj(Prosba prosba) { Wykonaj(Zadanie(prosba)); }
    // The rule of a request; null for a request without one (a test makes sure there is none).
    static const Regula* RegulaDla(Prosba prosba);

    // Takes a window in: its announcements become requests. Each window once.
    void Podlacz(TFGlowny* okno);
    void Podlacz(TFWarning* okno);
    void Podlacz(TFOknoLPlikow* okno);
    void Podlacz(TFWykres* okno);
    void Podlacz(TFUstawwykres* okno);
    void Podlacz(TFTabela* okno);
    void Podlacz(TFPopMenu* okno);
    void Podlacz(TFPopPyt* okno);
    void Podlacz(TFPopOsoba* okno);
    void Podlacz(TFBrowser* okno);
    void Podlacz(TFOknoObieListy* okno);
    void Podlacz(TFIniSondrel* okno);
    void Podlacz(TFZegar* okno);
    void Podlacz(TFWinieta* okno);
    void Podlacz(TFArchiwum* okno);
    // The handovers of later starts (the single running copy): not a window, but its requests
    // are acted on here too.
    void Podlacz(OdbiorPrzekazan* odbior);

    // A window handed in, null when there is none (or it is gone).
    Okno* Wskaz(OknoProgramu ktore) const { return okna[static_cast<int>(ktore)].data(); }
    template <class T> T* Wskaz(OknoProgramu ktore) const { return static_cast<T*>(Wskaz(ktore)); }

private:
    // ---- what the rules do after closing ----
    void PokazTabele(const Zadanie& z);
    void OtworzWykres(const Zadanie& z);
    void PokazRaportZMenu(const Zadanie& z);
    void PokazRaportZTabeli(const Zadanie& z);
    void PowrotDoTabeli(const Zadanie& z);
    void PokazPopup(const Zadanie& z);
    void PokazUstawieniaWykresu(const Zadanie& z);
    void WybierzPlikiOdpowiedzi(const Zadanie& z);
    void WybierzTestIPliki(const Zadanie& z);
    void PokazWiniete(const Zadanie& z);
    void PokazUstawienia(const Zadanie& z);
    void PokazIkoneZapisu(const Zadanie& z);
    void OdswiezTabele(const Zadanie& z);
    void ZapiszWArchiwum(const Zadanie& z);
    void PokazArchiwum(const Zadanie& z);
    void PokazIkoneZapisuGlownego(const Zadanie& z);
    void PodniesProgram(const Zadanie& z);
    void AnalizujPrzekazane(const Zadanie& z);

    // A report just made: its failure's message, else the report window or, with reports in
    // the default browser (or without a report window), the desktop. `zTabeli`: the table
    // window was put away for it and comes back when nothing else will bring it back.
    void PokazRaport(const WynikRaportu& wynik, bool zTabeli);
    void PodlaczListe(OknoListyPlikow* okno);
    void PodlaczPopup(OknoPopup* okno);
    // A window that asks for the save icon where it saved.
    template <class T> void PodlaczPotwierdzenieZapisu(T* okno);
    void Zapisz(OknoProgramu ktore, Okno* okno);

    Program& program;
    std::array<QPointer<Okno>, IloscOkien> okna;
};

} // namespace sondrel
