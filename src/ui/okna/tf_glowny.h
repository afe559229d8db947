// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: a skinned, borderless window whose menus are hot spots over painted
// pictures. It offers the test menu (the three kinds of analysis), the help menu (about, help,
// settings) and, once an analysis exists, the analysis panel with its three small menus for
// tables, charts and reports. It sets up the folders and settings when first shown, accepts
// dropped answer files and answer files named on the command line, and owns the big mode
// (the window over the whole work area) and the keys of the journal level.

#include "reports/raport.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <QString>
#include <functional>

class QDragEnterEvent;
class QDropEvent;
class QWheelEvent;

namespace sondrel {

class Analiza;
class Program;
class Srodowisko;

class TFGlowny : public Okno {
    Q_OBJECT
public:
    explicit TFGlowny(Program& program, QWidget* rodzic = nullptr);
    ~TFGlowny() override;

    // ---- the analysis driver's steps that need the window ----
    // Hides both menus, empties the description and lets the screen catch up before work.
    void UkryjPodmenu();
    // Switches to the analysis panel with its table menu and opens the results table.
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

    // The choices that open dialogs or other windows; tests replace them.
    struct Wybory {
        // The test file dialog, starting in `folder`; an empty path when cancelled.
        std::function<QString(const QString& folder)> PlikTestu;
        // The answer-file choice (answer-file list window, or at once with `bez` on).
        std::function<void()> PlikiOdpowiedzi;
        // The two-list window (test list and answer files).
        std::function<void()> TestIPliki;
        // What the close mark does: ends the program.
        std::function<void()> Zakoncz;
    } wybory;

    // The description shown for each menu item (line breaks as "\r").
    static QString OpisPozycji(const QString& nazwaEtykiety);

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

    QWidget* PPodMenuTesty;
    Etykieta* ImMenutesty;
    Etykieta* LAnalizaProsta;
    Etykieta* LAnalizaZPliku;
    Etykieta* LAnalizaZListy;
    Etykieta* LPomoc_1;

    QWidget* PPodMenuPomoc;
    Etykieta* ImTloMenuPomoc;
    Etykieta* LOProgramie;
    Etykieta* LHelp;
    Etykieta* LUstawienia;
    Etykieta* LTesty1;

    QWidget* PAnalizaTabele;
    Etykieta* ImTloTabele;
    Etykieta* LZamknijAnaliza;
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

    // The menu column the other windows leave uncovered: the analysis panel's while it is
    // shown, else the start screen's.
    QRect ObszarOdsloniety() const override;
    // And the analysis panel's "Zamknij analizę" button while the panel is shown.
    QList<QRect> ObszaryOdsloniete() const override;

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
    void LPomoc_0Click();
    void LPomoc_1Click();
    void LOProgramieClick();
    void LUstawieniaClick();
    void LHelpClick();
    void LZamknijAnalizaClick();
    void PokazMaleMenu(QWidget* menu);
    // Moves the keyboard focus to `cel` when the menus are being used from the keyboard.
    void FokusNa(Etykieta* cel);
    // Whether the start screen's hot spots take the keyboard (not under the analysis panel).
    void UstawEkranStartowy(bool wlaczony);
    void PokazTabele(int rodzaj);
    // An entry of the report menu: closes the table window, makes the report and shows it.
    using RaportZMenu = WynikRaportu (*)(const Analiza&, const UstawieniaRaportu&,
                                         const Srodowisko&);
    void PokazRaportZMenu(RaportZMenu zrob);
    // The chart menu: closes the table window and opens the chart (1 results, 2 time, 3 grades).
    void PokazWykres(int typ);

    // Hover: the item under the mouse in white, its siblings in the normal colour.
    void Podswietl(Etykieta* pozycja, std::initializer_list<Etykieta*> rodzenstwo);
    void PokazOpis(Etykieta* pozycja);
    void ZresetujKoloryMenu(); // the six items of the test and help menus
    void ZresetujKolory(std::initializer_list<Etykieta*> pozycje);

    Etykieta* Pozycja(QWidget* rodzic, int x, int y, int w, int h, const QString& napis);
    Etykieta* GoracyPunkt(QWidget* rodzic, int x, int y, int w, int h);
    // The close, minimise and enlarge marks of a title strip of the window.
    void ZnakiOkna(QWidget* rodzic, Etykieta*& zamknij, Etykieta*& minimalizuj,
                   Etykieta*& powieksz);
    QWidget* Panel(QWidget* rodzic, int x, int y, int w, int h);

    Program& program;
    bool pokazane = false;   // the first show has run
    bool duzy = false;       // the layout in force is the big one
    QString folderTestu;     // where the test file dialog opens
    bool klawiatura = false; // the menus were last used from the keyboard
};

} // namespace sondrel
