// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a skinned, borderless window whose menus are hot spots over painted
// pictures. It offers the test menu (the three kinds of analysis), the help menu (about, help,
// settings), the archive menu and, once an analysis exists, the analysis panel with its three
// small menus for tables, charts and reports; the menus' entries come from one table
// (PozycjeMenu). It sets up the folders and settings when first shown, accepts dropped answer
// files and answer files named on the command line, and owns the big mode (the window over the
// whole work area) and the keys of the journal level. What the user asks for beyond this window
// it announces by its signals; the program's window rules act on them.

#include "reports/raport.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"
#include "ui/skory/skora_glowny.h"

#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

class QDragEnterEvent;
class QDropEvent;
class QWheelEvent;

namespace sondrel {

class Analiza;
class Program;
class Przycisk;
class Srodowisko;

class TFGlowny : public Okno {
    Q_OBJECT
public:
    explicit TFGlowny(Program& program, QWidget* rodzic = nullptr);
    ~TFGlowny() override;

    // ---- the analysis driver's steps that need the window ----
    // Hides both menus, empties the description and lets the screen catch up before work.
    void UkryjPodmenu();
    // Switches to the analysis panel with its table menu (announced: the results table opens).
    void PokazAnalize();
    // Dropped files and the command line: a simple analysis of the files in their order; only
    // the first file's extension is checked.
    void AnalizujPliki(const QStringList& pliki);

    // ---- the menu items ----
    void LAnalizaProstaClick();
    void LAnalizaZPlikuClick();
    void LAnalizaZListyClick();

    // Big mode on or off (LBig, Ctrl+F4), written back to the settings.
    void PrzelaczTrybDuzy();
    // Lays the window out by the setting wo: 0 normal and centred, 1 over the work area; any
    // other value leaves the layout as it is.
    void RozmiescOkno();
    bool TrybDuzy() const { return duzy; }

    // The choices the window makes itself; tests replace them.
    struct Wybory {
        // The test file dialog, starting in `folder`; an empty path when cancelled.
        std::function<QString(const QString& folder)> PlikTestu;
        // The save dialog of "Zapisz jako arkusz...", at the file name in `folder`.
        std::function<QString(const QString& folder, const QString& nazwa)> PlikArkusza;
        // What the close mark does: ends the program.
        std::function<void()> Zakoncz;
    } wybory;

    // The top left corner of the window proper (its central panel, in either size mode), where
    // the dialogs it opens are placed from; nothing while the window is hidden.
    std::optional<QPoint> Naroznik() const;

    // The groups of the menus: three on the start screen, three small ones on the analysis
    // panel and its archive entries.
    enum class Grupa { Testy, Pomoc, Archiwum, Tabele, Diagramy, Raporty, ArchiwumAnalizy };
    // An entry of the menus, as the table PozycjeMenu() gives it.
    struct PozycjaMenuGlownego {
        Etykieta* TFGlowny::*pole; // the member that holds the entry
        Grupa grupa;
        int y;             // its place: the top in its menu's panel; in a small menu, its row
        const char* napis; // the caption
        const char* opis;  // the menu description box's text ("\r" breaks lines); null: none
        const char* nazwa; // the name for screen readers; null: the caption
        void (*akcja)(TFGlowny&); // what choosing it does
    };
    // Every captioned entry of the window's menus, in the order of the keyboard.
    static const std::vector<PozycjaMenuGlownego>& PozycjeMenu();
    // The entries of some groups, in the table's order.
    QList<Etykieta*> Pozycje(std::initializer_list<Grupa> grupy) const;

    // ---- components, at their places ----
    Etykieta* ImTloBig;
    QWidget* PGlowny;
    Etykieta* ImTloGlowny;
    Etykieta* LOpisMenu;
    Etykieta* LClose;
    Etykieta* LMinimize;
    Etykieta* LBig;
    Etykieta* LListwa;
    Etykieta* LTest_0;
    Etykieta* LPomoc_0;
    Etykieta* LArchiwum_0;

    QWidget* PPodMenuTesty;
    Etykieta* ImMenutesty;
    Etykieta* LAnalizaProsta;
    Etykieta* LAnalizaZPliku;
    Etykieta* LAnalizaZListy;
    Etykieta* LPomoc_1;
    Etykieta* LArchiwum_1;

    QWidget* PPodMenuPomoc;
    Etykieta* ImTloMenuPomoc;
    Etykieta* LOProgramie;
    Etykieta* LHelp;
    Etykieta* LUstawienia;
    Etykieta* LTesty1;
    Etykieta* LArchiwum_2;

    // The archive menu: saving the analysis (only after one) and the archive window.
    QWidget* PPodMenuArchiwum;
    Etykieta* ImMenuArchiwum;
    Etykieta* LZapiszWArchiwum;
    Etykieta* LPrzegladajArchiwum;
    Etykieta* LTesty2;
    Etykieta* LPomoc_2;

    QWidget* PAnalizaTabele;
    Etykieta* ImTloTabele;
    Etykieta* LZamknijAnaliza;
    // "Zapisz jako arkusz...": the analysis as a workbook, or the grade book's list as CSV.
    Przycisk* BZapiszArkusz;
    Etykieta* LListwaTable;
    // The window's close, minimise and enlarge marks, on the panel's title strip as on the
    // start screen (the panel covers the start screen's marks).
    Etykieta* LCloseAnaliza;
    Etykieta* LMinimizeAnaliza;
    Etykieta* LBigAnaliza;

    QWidget* PMenuTabele;
    Etykieta* ImMenuTabele;
    Etykieta* LTabelaWynikow;
    Etykieta* LTabelaCzas;
    Etykieta* LTabelaOceny;
    Etykieta* LTabeleDiagramy;
    Etykieta* LTabeleRaporty;

    QWidget* PMenuDiagramy;
    Etykieta* ImMenuDiagramy;
    Etykieta* LDiagramWynikow;
    Etykieta* LDiagramCzas;
    Etykieta* LDiagramOceny;
    Etykieta* LDiagramyTabele;
    Etykieta* LDiagramyRaporty;

    QWidget* PMenuRaporty;
    Etykieta* ImMenuRaporty;
    Etykieta* LRaport1;
    Etykieta* Lraport2;
    Etykieta* LRaport3;
    Etykieta* LRaport4; // "Jakość pytań", the question-quality report
    Etykieta* LRaportyTabele;
    Etykieta* LRaportyDiagramy;

    // The analysis panel's archive entries, below its small menus: the same commands as the
    // start screen's archive menu.
    QWidget* PArchiwumAnalizy;
    Etykieta* LZapiszWArchiwumAnalizy;
    Etykieta* LPrzegladajArchiwumAnalizy;

    // The menu column the other windows leave uncovered: the analysis panel's while it is
    // shown, else the start screen's.
    QRect ObszarOdsloniety() const override;
    // And the analysis panel's "Zamknij analizę" button while the panel is shown.
    QList<QRect> ObszaryOdsloniete() const override;

signals:
    // What the user asked for beyond this window.
    void analizaPokazana();  // the analysis panel was shown for a new analysis
    void analizaZamknieta(); // "Zamknij analizę"
    void tabelaWybrana(int rodzaj);
    void wykresWybrany(int typ);
    void raportWybrany(const std::function<WynikRaportu()>& zrob);
    void plikiOdpowiedzi(); // the answer-file choice of the analysis begun
    void testIPliki();      // the test-and-answer-files choice of the analysis begun
    void oProgramie();
    void ustawieniaProgramu();
    void zapiszWArchiwum();
    void przegladajArchiwum();

protected:
    bool KlawiszWcisniety(QKeyEvent* e) override;
    // A close request from the desktop ends the program, as the close mark does.
    bool ZamkniecieZZewnatrz() override;
    bool PrzeciaganieDozwolone() const override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    void FormShow();
    void WejscieZLiniiPolecen();

    void LTest_0Click();
    // Opens one of the start screen's menus (and closes the others).
    void PokazMenuStartu(QWidget* menu, bool resetujKolory);
    void LOProgramieClick();
    void LZapiszWArchiwumClick();
    void LPrzegladajArchiwumClick();
    // An analysis was shown and its records are there to be saved.
    bool AnalizaDoZapisu() const;
    void LUstawieniaClick();
    void LHelpClick();
    void LZamknijAnalizaClick();
    void ZapiszArkusz();
    void PokazMaleMenu(QWidget* menu);
    // Moves the keyboard focus to `cel` when the menus are being used from the keyboard.
    void FokusNa(Etykieta* cel);
    // Whether the start screen's hot spots take the keyboard (not under the analysis panel).
    void UstawEkranStartowy(bool wlaczony);
    void PokazTabele(int rodzaj);
    // An entry of the report menu (after an analysis with the test): asks for its report.
    using RaportZMenu = WynikRaportu (*)(const Analiza&, const UstawieniaRaportu&,
                                         const Srodowisko&);
    void PokazRaportZMenu(RaportZMenu zrob);
    // The chart menu: asks for the chart (1 results, 2 time, 3 grades).
    void PokazWykres(int typ);

    // Hover: the item under the mouse in white, its siblings in the normal colour.
    void Podswietl(Etykieta* pozycja, const QList<Etykieta*>& rodzenstwo);
    void PokazOpis(Etykieta* pozycja);
    void ZresetujKoloryMenu(); // the entries of the start screen's menus
    void ZresetujKolory(const QList<Etykieta*>& pozycje);

    static bool MenuStartu(Grupa g) {
        return g == Grupa::Testy || g == Grupa::Pomoc || g == Grupa::Archiwum;
    }
    static const skora::UkladMalegoMenu& UkladMalegoMenu(Grupa g);
    QWidget* PanelGrupy(Grupa grupa) const;
    Etykieta* Pozycja(QWidget* rodzic, int x, int y, int w, int h, const QString& napis,
                      const QString& nazwa);
    Etykieta* GoracyPunkt(QWidget* rodzic, int x, int y, int w, int h);
    // The close, minimise and enlarge marks of a title strip of the window.
    void ZnakiOkna(QWidget* rodzic, Etykieta*& zamknij, Etykieta*& minimalizuj,
                   Etykieta*& powieksz);
    QWidget* Panel(QWidget* rodzic, int x, int y, int w, int h);

    Program& program;
    bool pokazane = false;   // the first show has run
    bool duzy = false;       // the layout in force is the big one
    QString folderTestu;     // where the test file dialog opens
    QString folderArkusza;   // where the spreadsheet's save dialog opens
    bool klawiatura = false; // the menus were last used from the keyboard
    bool poAnalizie = false; // an analysis was shown
};

} // namespace sondrel
