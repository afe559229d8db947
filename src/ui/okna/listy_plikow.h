// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pieces shared by the two file-list windows: the list of names with its own scroll bar beside
// it, the flat scroll bar, the open dialog for answer files, and the window they all lie in.

#include "formats/drzewo_testow.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <QListWidget>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QScrollBar>
#include <QSize>
#include <QStringList>
#include <functional>
#include <optional>

namespace sondrel {

class Program;

// A flat vertical scroll bar in the windows' look. The wheel moves three rows whatever the
// bar's steps are.
class ListwaPrzewijania : public QScrollBar {
    Q_OBJECT
public:
    explicit ListwaPrzewijania(QWidget* rodzic = nullptr);
    // Shows the bar with the range and steps of `zakres`, or hides it.
    void UstawZakres(const ZakresListwy& zakres, int pozycja);

protected:
    void wheelEvent(QWheelEvent* e) override;
};

// A list box of names: rows 13 pixels high, text #2E2E2E, scrolled by whole rows through the
// scroll bar given to it (the list has no bar of its own).
class ListaNazw : public QListWidget {
    Q_OBJECT
public:
    static constexpr int WysokoscWiersza = 13;

    ListaNazw(QWidget* rodzic, ListwaPrzewijania* listwa, int widocznychWierszy);
    // Fills the panel it lies in with whole rows: as many as are visible, centred in height, so
    // that no row is cut at the bottom.
    void UmiescWPanelu();
    void UstawNazwy(const QStringList& nazwy);
    QStringList Nazwy() const;
    // Shows or hides the bar for the rows held (range 0 .. rows - visible).
    void OdswiezListwe();
    int Pozycja() const;
    int WidocznychWierszy() const { return widocznych; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    ListwaPrzewijania* listwa;
    int widocznych;
};

// A plain white panel at `miejsce` in its parent.
QWidget* BialyPanel(QWidget* rodzic, const QRect& miejsce);

// The keyboard's focus mark of a list or the tree: a dotted slate frame inside the panel's
// rectangle `r`, or the outline of the row `r` it is on.
void ZnakFokusu(QPainter& p, const QRectF& r, bool panel);

// The open dialog for answer files: title "Wybierz pliki odpowiedzi", only *.sko, several
// existing files. Returns the chosen paths in the dialog's order (empty when cancelled) and
// sets `folder` to where the user left the dialog.
QStringList OtworzPlikiOdpowiedzi(QWidget* rodzic, QString& folder);

// What the two file-list windows have alike: the background picture, the title strip that
// drags the window, the close mark and the cancel button, the button that adds answer files,
// the list of names with its scroll bar, the confirm button; the open dialog with the folder it
// remembers, and the window's place when it is shown.
class OknoListyPlikow : public Okno {
    Q_OBJECT
public:
    // Seams. The open dialog: gets the folder to start in, may change it to where the user
    // left it, returns the chosen paths (empty: cancelled). The window's place is measured
    // from PunktOdniesienia (the program's rules give the main window's corner, its central
    // panel when enlarged); without a point it is centred.
    std::function<QStringList(QString& folder)> OknoOtwierania;
    std::function<std::optional<QPoint>()> PunktOdniesienia;
    // Where the open dialog starts next (empty until the first choice).
    QString FolderDialogu() const { return folderDialogu; }

    // Components, at their places in the window.
    Etykieta* ImTlo;
    Etykieta* LListwa;
    Etykieta* LClose;
    Etykieta* LWczytajPliki;
    QWidget* PLista;
    ListaNazw* BLista;
    ListwaPrzewijania* ListwaVPliki;
    Etykieta* LWprowadz;
    Etykieta* LAnuluj;

public slots:
    // The cancel button and the close mark: the window closes and the analysis is cancelled.
    void LAnulujClick();

signals:
    // An analysis was read and the main window should show it.
    void analizaGotowa();

protected:
    // One window's places.
    struct Uklad {
        QSize rozmiar;
        QRect znakZamkniecia, wczytajPliki, panelListy, listwaV, wprowadz, anuluj;
        int widocznychWierszy;
    };
    // Builds the shared components at the places of `uklad` on the background picture `tlo`.
    OknoListyPlikow(Program& program, const Uklad& uklad, const QString& tytul, const QString& tlo,
                    QWidget* rodzic);

    // The open dialog, starting in the folder it was left in (else in `pierwszyFolder`); the
    // chosen paths, empty when it was cancelled.
    QStringList OtworzDialog(const QString& pierwszyFolder);
    // Shows the window modally at `przesuniecie` from its reference point (centred without
    // one); returns when it closes.
    void PokazModalnieOd(QPoint przesuniecie);
    // The keyboard: Esc cancels, as "Anuluj" does; Alt+P, Alt+W and Alt+A are the three
    // buttons ("Wczytaj pliki odpowiedzi", "Wprowadź", "Anuluj"); Enter in the list of names
    // (or with nothing focused) confirms. Tab and Shift+Tab go through the button that adds
    // files, the lists and the two buttons at the foot; Enter or Space presses a button.
    bool KlawiszWcisniety(QKeyEvent* e) override;
    // Where Enter confirms: the list of names and the window itself (the two-list window adds
    // the tree's tests).
    virtual bool EnterZatwierdza(QWidget* fokus) const;

    Program& program;

private:
    QString folderDialogu;
};

} // namespace sondrel
