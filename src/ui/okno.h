#pragma once
// The frameless base of every window of the program: its shape (mask and alpha painting), the
// drag strip, F1 help, swallowed close requests, centring, always-on-top and the modal show.

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

    // Press, move by the cursor's movement, release: the strip moves the window.
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

    // When on (the default), Alt+F4 and close requests from the window system are ignored:
    // the window closes only through Zamknij().
    void UstawBlokadeZamykania(bool wlaczona) { blokadaZamykania = wlaczona; }
    bool BlokadaZamykania() const { return blokadaZamykania; }

    // Centres the window in the available area of its screen.
    void Wysrodkuj();
    void UstawNaWierzchu(bool wlaczone);

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
    // A close request that the program did not make (window manager, Alt+F4 on the desktop).
    // By default ignored while the close lock is on; return true to let the window close.
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
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    bool ObsluzKlawisz(QKeyEvent* e);
    void OdswiezMaske();

    skora::Ksztalt ksztalt = skora::Ksztalt::Prostokat;
    QPixmap tlo;
    QList<QPointer<QWidget>> listwy;
    bool przeciaganie = false;
    QPoint ostatniKursor;
    QString stronaPomocy;
    bool blokadaZamykania = true;
    QEventLoop* petla = nullptr;
    // The last key seen before a control that passed it on: it reaches the window again.
    struct Podejrzany {
        const QKeyEvent* zdarzenie = nullptr;
        quint64 czas = 0;
        int klawisz = 0;
    } podejrzany;
};

} // namespace sondrel
