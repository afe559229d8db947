// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frameless base of every window of the program: its shape (mask and alpha painting), the
// drag strip, F1 help, Alt+F4 swallowed, close requests from the desktop acting as the close
// mark, its title, staying above the main window, placement and the modal show.

#include "ui/skory/skora.h"

#include <QPointer>
#include <QWidget>

class QEventLoop;
class QKeyEvent;

namespace sondrel {

class Okno : public QWidget {
    Q_OBJECT
public:
    explicit Okno(QWidget* rodzic = nullptr);
    ~Okno() override;

    // The window's outline: applied as the window mask (X11) and painted with alpha (Wayland
    // and compositors). Follows the window's size.
    void UstawKsztalt(skora::Ksztalt ksztalt);
    skora::Ksztalt Ksztalt() const { return ksztalt; }
    // A fixed client size; the mask follows.
    void UstawRozmiar(int w, int h);

    // The background picture painted under everything (clipped to the outline). Optional:
    // windows may instead hold picture labels.
    void UstawTlo(const QPixmap& tlo);

    // A press on the strip moves the window: through the window system where the platform
    // supports it (the only way on Wayland), else by the cursor's movement until the release.
    void PodlaczListwe(QWidget* listwa);
    bool Przeciaga() const { return przeciaganie; }

    // F1 (with any modifiers) opens Pomoc/<strona> beside the program; empty: F1 does nothing.
    void UstawStronePomocy(const QString& strona) { stronaPomocy = strona; }
    QString StronaPomocy() const { return stronaPomocy; }
    void OtworzPomoc(const QString& strona);
    // The help page's full path.
    static QString SciezkaPomocy(const QString& strona);
    // The folder a file dialog starts in: the given one, or its nearest existing parent when it
    // is missing (a dialog pointed at a missing folder would offer its name as a file name).
    static QString FolderDialogu(const QString& folder);

    // ---- closing ----
    // Alt+F4 reaching the window as a key is swallowed while the lock is on (the default); the
    // message dialog and the vignette turn it off. A close request from the desktop (the window
    // manager's close, a taskbar, a session logout) is never ignored: it goes to
    // ZamkniecieZZewnatrz() below, which acts as the window's own close mark.
    void UstawBlokadeZamykania(bool wlaczona) { blokadaZamykania = wlaczona; }
    // What a close request from the desktop does (ZamkniecieZZewnatrz() below), for a request
    // that the toolkit does not deliver (a window blocked by a modal one).
    void ZamknijJakPulpit();
    bool BlokadaZamykania() const { return blokadaZamykania; }

    // ---- the program's main window ----
    // Makes this window a tool window of the program's main window: transient for it (above it
    // and minimised with it, never above other programs) and without a taskbar entry of its
    // own. Program::UtworzOkna calls it for every window created after the main window, so a
    // new window gets it by being created there.
    void UstawOknoGlowne(Okno* glowne);
    Okno* OknoGlowne() const { return glowne; }
    // The part of this window that the other windows leave uncovered when the screen has room,
    // in global coordinates; empty by default. The main window gives its menu column.
    virtual QRect ObszarOdsloniety() const { return {}; }
    // Everything the other windows leave uncovered when the screen has room, the first area
    // (ObszarOdsloniety) before the others: the main window adds the analysis panel's
    // "Zamknij analizę" button.
    virtual QList<QRect> ObszaryOdsloniete() const;

    // ---- placement ----
    // Centres the window in the available area of its screen.
    void Wysrodkuj();
    // Places the window clear of the main window's ObszaryOdsloniete() (its menu column, and
    // the analysis panel's close button) when the screen has room: centred where that leaves the
    // column free, else just right of the column (over the panel's right part), else left of it;
    // centred as a last resort. Meant for the table, chart and report windows: call it where the
    // window would be centred (showEvent).
    void UmiescObokMenu();
    // The top left corner for a window of the given size by the rule above, on the available
    // area `ekran`, keeping `obszar` uncovered.
    static QPoint MiejsceObokObszaru(QSize okno, const QRect& ekran, const QRect& obszar);
    // The same keeping several areas uncovered: by the rule above for the first area; where that
    // place covers another area, moved up or down clear of it when the screen has room (the
    // first area stays uncovered); else the place the first area alone gives.
    static QPoint MiejsceObokObszarow(QSize okno, const QRect& ekran, const QList<QRect>& obszary);

    // ---- title ----
    // The window's own title for the taskbar and the window switchers: "Sondrel – " + nazwa.
    void UstawTytulOkna(const QString& nazwa);

    // Shows the window application-modal and returns when it is hidden or closed.
    void PokazModalnie();
    bool WPetliModalnej() const { return petla != nullptr; }

    // Lets the window see its controls' keys before them (done when the window is shown; call
    // again after adding controls to a visible window).
    void PodgladajKlawisze();

public slots:
    // The program's own close: hides the window (it stays for reuse).
    void Zamknij();

signals:
    void ukryte();

protected:
    // The window's keys, before its controls see them (FormKeyDown). Return true to swallow
    // the key. F1 and Alt+F4 are handled before this is called.
    virtual bool KlawiszWcisniety(QKeyEvent* e);
    // A close request that the program did not make (the window manager's close mark, a taskbar,
    // a session logout, Alt+F4 handled by the desktop): acts as the window's own close mark.
    // Return true to hide the window as Zamknij() does (the default). A window whose close mark
    // does more does that here and returns false (the main window ends the program).
    virtual bool ZamkniecieZZewnatrz();
    // Whether a press on the drag strip starts dragging now (the main window's big mode says
    // no).
    virtual bool PrzeciaganieDozwolone() const { return true; }
    // Opens a URL with the desktop's "open" action (overridable for tests).
    virtual void OtworzAdres(const QUrl& adres);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    bool ObsluzKlawisz(QKeyEvent* e);
    void OdswiezMaske();
    void UstawRodzicaOkna();

    skora::Ksztalt ksztalt = skora::Ksztalt::Prostokat;
    QPixmap tlo;
    QList<QPointer<QWidget>> listwy;
    bool przeciaganie = false;
    QPoint ostatniKursor;
    QString stronaPomocy;
    bool blokadaZamykania = true;
    bool wZamknieciuZZewnatrz = false; // inside a close request from the desktop
    QEventLoop* petla = nullptr;
    QPointer<Okno> glowne;
    // The last key seen before a control that passed it on: it reaches the window again.
    struct Podejrzany {
        const QKeyEvent* zdarzenie = nullptr;
        quint64 czas = 0;
        int klawisz = 0;
    } podejrzany;
};

} // namespace sondrel
