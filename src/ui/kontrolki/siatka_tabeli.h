// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid of the table window.

#include "tables/tabele.h"

#include <QWidget>

namespace sondrel {

// The grid of the table window: draws the cells of a Tabela (text, background, font colour,
// weight, alignment, column widths, 16-pixel rows, 1-pixel grid lines) with the header row
// fixed on top and the other rows from the top row on. Has no scroll bars of its own, is not
// editable and never draws a selection. While it has the keyboard, the current cell (moved by
// the arrow keys) is drawn with a focus mark; the context-menu key or Shift+F10 asks for that
// cell's popup as a right-click on it does.
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
    // The cell the arrow keys move: its row (from 1, under the header) and column (from 0).
    int BiezacyWiersz() const { return biezacy; }
    int BiezacaKolumna() const { return biezacaKolumna; }
    // The current cell's rectangle in the grid; empty with no table, no such cell, or its row
    // scrolled out of the rows drawn.
    QRect ProstokatBiezacejKomorki() const;

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
    // The context-menu key or Shift+F10: the popup of the current cell, given by the point at
    // its centre (as a right-click there gives it).
    void menuKomorki(QPoint punkt);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void UstawBiezacyWiersz(int wiersz);
    void UstawBiezacaKolumne(int kolumna);
    void PokazMenuKomorki();

    const Tabela* tabela = nullptr;
    int widoczne = 0;
    int gorny = 1;
    int biezacy = 1;
    int biezacaKolumna = 0;
    // The context-menu key was handled as a key: the context-menu event the window system
    // may send for the same press is not a second request.
    bool menuZKlawisza = false;
};

} // namespace sondrel
