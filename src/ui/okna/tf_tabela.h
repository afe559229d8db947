// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window: shows one of the three tables of an analysis as a grid, sizes itself to it,
// pages the results table with two arrows, scrolls long tables with a scroll bar of its own and
// offers the table's menu on its left (save as htm or txt, copy as htm or txt, close; below it
// save as a spreadsheet).

#include "tables/klikniecie_tabeli.h"
#include "tables/tabele.h"
#include "ui/kontrolki/listwa_tabeli.h"
#include "ui/kontrolki/siatka_tabeli.h"
#include "ui/okna/okno_z_ramka.h"

#include <functional>

namespace sondrel {

class Program;

class TFTabela : public OknoZRamka {
    Q_OBJECT
public:
    explicit TFTabela(Program& program, QWidget* rodzic = nullptr);

    // The main window's table menu ("Wyników testu" 1, "Czasu pracy" 2, "Zestawienie ocen" 3)
    // and the end of every analysis (1): builds the table (the results table from page 1) and
    // shows the window sized to it.
    void PokazTabele(RodzajTabeli rodzaj);
    // The same by the kind's number (1, 2, 3); any other number does nothing.
    void PokazTabele(int rodzaj);
    // Sizes the table area and the window to the table built and shows the window if hidden.
    void PokazOknoTabeli();
    // Builds the table shown again, on the same page (after the settings changed how students
    // are named), so that the grid and its exports agree.
    void OdswiezTabele();

    // What the window shows: kind, page, the grid.
    const StanTabeli& Stan() const { return stan; }

    // The menu's actions, for the table shown.
    void ZapiszTabeleHtm();
    void ZapiszTabeleTxt();
    void KopiujTabeleHtm();
    void KopiujTabeleTxt();
    // "Zapisz jako arkusz...": the analysis as a workbook, or the table shown as CSV.
    void ZapiszJakoArkusz();
    // Page arrows (-1 back, +1 forward).
    void ZmienStroneTabeli(int krok);

    // What a right-click at a point of the grid addresses (nothing in the work-time and grade
    // tables, nothing after a simple analysis).
    KlikniecieTabeli AdresKlikniecia(QPoint punkt) const;

    // The save dialog's start folder: the user's documents until the first save, then the
    // folder of the last save.
    QString FolderZapisu() const { return folderZapisu; }

    // The menu's entries and the table area (the frame's panels: OknoZRamka).
    Etykieta* LZapiszHtml;
    Etykieta* LZapiszTxt;
    Etykieta* LKreska1;
    Etykieta* LKopiujHtml;
    Etykieta* LKopiujTxt;
    Etykieta* LKreska2;
    Etykieta* LCloseTabele;
    Etykieta* LKreska3;
    Etykieta* LZapiszArkusz;

    QWidget* PTabela;
    QWidget* PPodGrid;
    SiatkaTabeli* GridTabela;
    QWidget* PTabelaWLewo;
    Etykieta* ImTabelaWLewo;
    QWidget* PTabelawPrawo;
    Etykieta* ImTabelaWPrawo;
    QWidget* PPodListwe;
    ListwaTabeli* ListwaV;

signals:
    // A mouse button pressed on a cell of the grid (the popups of the results table).
    void GridTabelaMouseDown(Qt::MouseButton przycisk, QPoint punkt);
    // A right-click on the results table after an analysis with the test asks for the popup of
    // the cell under the mouse (after the press has been handled; the popups are modal); the
    // context-menu key or Shift+F10 in the grid for the popup of its current cell.
    void prawyKlik(const KlikniecieTabeli& k);
    // A table was saved: the save icon is asked for at this corner.
    void potwierdzZapis(QPoint miejsce);

protected:
    // The save dialog: returns the chosen path or an empty text when cancelled.
    virtual QString WybierzPlikZapisu(const QString& tytul, const QString& folder,
                                      const QString& nazwa, const QString& filtr,
                                      const QString& rozszerzenie);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // Sizes the table area and the window to the table built (the grid from its first row).
    void UlozTabele();
    void UlozOkno();
    void UstawTytul();
    void ZapiszTabele(bool html);
    void PotwierdzZapis();
    void ListwaVChange(int wartosc);
    void GridTabelaKeyUp();
    void GridTabelaMouseDownPrawy(Qt::MouseButton przycisk, QPoint punkt);
    // The popup of the cell at a point of the grid, if it has one.
    void PopupKomorki(QPoint punkt);

    Program& program;
    StanTabeli stan;
    QString folderZapisu;
};

} // namespace sondrel
