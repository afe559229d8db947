// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two-list window of an analysis with the test from a list: the chosen answer files on the
// left, the test list of the setting "sct" on the right as a tree of groups and tests that
// double clicks open and close and in which a click picks the test.

#include "formats/drzewo_testow.h"
#include "ui/okna/listy_plikow.h"

#include <QPixmap>

namespace sondrel {

class Program;

// The drawn tree: the rows of a DrzewoTestow from its scroll position down. Presses and double
// clicks are passed on with their height in the whole tree (the scroll offset added).
class ObrazDrzewa : public QWidget {
    Q_OBJECT
public:
    ObrazDrzewa(const DrzewoTestow& drzewo, QWidget* rodzic);
    // How far the tree is moved up (the position in rows times the row height).
    int Przesuniecie() const { return przesuniecie; }
    void UstawPrzesuniecie(int piksele);

signals:
    void wcisniety(int y);
    void dwuklik(int y);
    void kolko(int wierszy);
    // A key of the tree without modifiers: the arrows, Home, End, Page Up, Page Down, Space,
    // Enter.
    void klawisz(int klawisz);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    const DrzewoTestow& drzewo;
    QPixmap otwarta, zamknieta;
    int przesuniecie = 0;
};

class TFOknoObieListy : public OknoListyPlikow {
    Q_OBJECT
public:
    explicit TFOknoObieListy(Program& program, QWidget* rodzic = nullptr);

    // The choice of the test menu's analysis with the test from a list: reads the test list of
    // the setting sct into the tree (a missing or damaged list is told to the user and ends the
    // choice), empties the chosen files and shows the window modally; returns when it closes.
    // The analysis, when it ran and has something to show, is announced by analizaGotowa().
    void WybierzTestIPliki();
    // Reads the list and builds the tree; false after the user was told why not.
    bool WczytajDrzewoTestow();

    const DrzewoTestow& Drzewo() const { return drzewo; }
    // Whether a test was picked in the tree since the window was last opened.
    bool TestWybrany() const { return testWybrany; }

    // Components of this window besides the shared ones, at their places.
    QWidget* PDrzewo;
    ObrazDrzewa* ImDrzewo;
    ListwaPrzewijania* ListwaVTesty;
    Etykieta* LTest;

public slots:
    // The open dialog (starting in the program's folder the first time); the chosen files, in
    // the dialog's order, become PlikiOdpowiedzi and are listed.
    void LWczytajPlikiClick();
    void LWprowadzClick();
    // The tree's mouse: a press picks the row at height y of the whole tree, a double click
    // also opens or closes the picked group.
    void ImDrzewoMouseDown(int y);
    void ImDrzewoDblClick(int y);
    // The tree's keys: the arrows up and down, Home, End and the page keys pick a row as a
    // press does (and bring it into view); Right opens a closed group, Left closes an open
    // one, Space opens or closes the picked group; Enter opens or closes a group and confirms
    // on a test.
    void ImDrzewoKlawisz(int klawisz);

protected:
    bool EnterZatwierdza(QWidget* fokus) const override;

private:
    int WierszWybranego() const;
    void RysujDrzewo();
    void UstawListweDrzewa();
    void UstawTest(const QString& tekst);

    DrzewoTestow drzewo;
    bool testWybrany = false;
};

} // namespace sondrel
