// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The table window: shows one of the three tables of an analysis as a grid, sizes itself to it,
// pages the results table with two arrows, scrolls long tables with a scroll bar of its own and
// offers the table's menu on its left (save as htm or txt, copy as htm or txt, close).

#include "tables/klikniecie_tabeli.h"
#include "tables/tabele.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <QAbstractSlider>
#include <functional>

namespace sondrel {

class Program;

// The grid of the table window: draws the cells of a Tabela (text, background, font colour,
// weight, alignment, column widths, 16-pixel rows, 1-pixel grid lines) with the header row
// fixed on top and the other rows from the top row on. Has no scroll bars of its own, is not
// editable and never draws a selection.
class SiatkaTabeli : public QWidget {
    Q_OBJECT
public:
    explicit SiatkaTabeli(QWidget* rodzic = nullptr);

    // The table to draw (kept by the caller); the top row becomes 1, the current row too.
    void UstawTabele(const Tabela* tabela);
    const Tabela* TabelaRysowana() const { return tabela; }

    // How many rows (the header included) the visible part of the grid holds.
    void UstawWidoczneWiersze(int ile);
    int WidoczneWiersze() const { return widoczne; }

    // The first row drawn under the header (from 1), kept within 1 .. the last top row.
    int GornyWiersz() const { return gorny; }
    void UstawGornyWiersz(int wiersz);
    int OstatniGornyWiersz() const;
    // The row the arrow keys move (never drawn).
    int BiezacyWiersz() const { return biezacy; }

    // The row height with its grid line.
    static constexpr int Krok = Tabela::WysokoscWiersza + Tabela::GruboscLinii;

    // The cell drawn at a point of the grid: its row (0 the header) and column, and its
    // rectangle; false outside the cells.
    bool KomorkaPod(QPoint punkt, int& wiersz, int& kolumna, QRect& prostokat) const;
    // Where a cell's text goes: a margin on the side it keeps to. A text wider than this ends
    // in an ellipsis, and the cell's tooltip shows it whole.
    static QRect PoleTekstu(const QRect& komorka, RodzajWyrownania wyrownanie);

signals:
    // GridTabelaMouseDown: a mouse button pressed at a point of the grid.
    void wcisnieto(Qt::MouseButton przycisk, QPoint punkt);
    // GridTabelaKeyUp: a key released in the grid (after it moved the top row).
    void klawiszZwolniony();
    // The mouse moved over the grid.
    void ruch();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void UstawBiezacyWiersz(int wiersz);

    const Tabela* tabela = nullptr;
    int widoczne = 0;
    int gorny = 1;
    int biezacy = 1;
};

// The vertical scroll bar of the table window, painted in the program's look: a slim thumb on
// a light track; a press on the track moves by a page, dragging the thumb follows the mouse.
class ListwaTabeli : public QAbstractSlider {
    Q_OBJECT
public:
    explicit ListwaTabeli(QWidget* rodzic = nullptr);

    QRect ProstokatSuwaka() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    // The wheel over the bar moves three rows a notch (its line step is meant for clicks).
    void wheelEvent(QWheelEvent* e) override;

private:
    int WartoscZPolozenia(int y) const;
    int resztaKolka = 0; // wheel delta not yet turned into rows

    bool ciagnie = false;
    int chwyt = 0; // where in the thumb the mouse took it
    bool nad = false;
};

class TFTabela : public Okno {
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
    // Page arrows (-1 back, +1 forward).
    void ZmienStroneTabeli(int krok);

    // What a right-click at a point of the grid addresses (nothing in the work-time and grade
    // tables, nothing after a simple analysis).
    KlikniecieTabeli AdresKlikniecia(QPoint punkt) const;

    // The save dialog's start folder: the user's documents until the first save, then the
    // folder of the last save.
    QString FolderZapisu() const { return folderZapisu; }

    // Skin panels, menu entries and the table area, at their places in the window.
    QWidget* PListwaLeft;
    Etykieta* ImListwaLeft;
    QWidget* PListwaSrodek;
    Etykieta* ImListwaSrodek;
    Etykieta* LListwa; // drag strip; shows the table's title
    QWidget* PTopRight;
    Etykieta* ImListwaRight;
    Etykieta* LCloseWykres; // close mark
    QWidget* PLeft;
    Etykieta* ImLeft;
    QWidget* PLeftDown;
    Etykieta* ImLeftDown;
    QWidget* Pdown;
    Etykieta* ImDown;
    QWidget* PRight;
    Etykieta* ImRight;
    QWidget* PRightDown;
    Etykieta* ImRightDown;

    Etykieta* LZapiszHtml;
    Etykieta* LZapiszTxt;
    Etykieta* LKreska1;
    Etykieta* LKopiujHtml;
    Etykieta* LKopiujTxt;
    Etykieta* LKreska2;
    Etykieta* LCloseTabele;

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
    // the cell under the mouse (after the press has been handled; the popups are modal).
    void prawyKlik(const KlikniecieTabeli& k);
    // A table was saved: the save icon is asked for at this corner.
    void potwierdzZapis(QPoint miejsce);

protected:
    // The save dialog: returns the chosen path or an empty text when cancelled.
    virtual QString WybierzPlikZapisu(const QString& tytul, const QString& folder,
                                      const QString& nazwa, const QString& filtr,
                                      const QString& rozszerzenie);

    bool KlawiszWcisniety(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    QList<Etykieta*> Menu() const;
    void PodswietlMenu(Etykieta* wybrana);
    // Sizes the table area and the window to the table built (the grid from its first row).
    void UlozTabele();
    void UlozOkno();
    void UstawTytul();
    void ZapiszTabele(bool html);
    void PotwierdzZapis();
    void ListwaVChange(int wartosc);
    void GridTabelaKeyUp();
    void GridTabelaMouseDownPrawy(Qt::MouseButton przycisk, QPoint punkt);

    Program& program;
    StanTabeli stan;
    QString folderZapisu;
};

} // namespace sondrel
