// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of the framed windows (table, chart, report, archive): what they have alike beyond
// the frameless base (okno.h).
// - The skinned frame (ZbudujRamke): the menu panel on the left under the title strip, the strip
//   that drags the window and shows its title, the strip's right end with the close mark, the
//   menu column below the panel, white strips right and below; laid out by the window's width W
//   and height H (UlozRamke), its stretched pictures painted anew at their size. The report
//   window paints a frame of its own and takes the rest.
// - The close spot: a hand cursor, the tooltip "Zamknij" and a name for screen readers. The
//   close spot, the menu's close entry, Esc and a close request from the desktop all run
//   ZamknijOkno().
// - The menu column: entries that the mouse and the keyboard reach (Tab and the arrow keys move
//   among them, Enter or Space runs one, the focus draws a mark, screen readers see buttons with
//   a press action), separators hidden from screen readers, one highlight at a time.
// - An optional resize grip: while it is dragged a dotted outline shows the new size (the
//   window's contents stay in sight); the size is taken when the button is released.

#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <QList>
#include <QSize>
#include <functional>

namespace sondrel {

// The dotted outline shown while a window is resized by its grip: a frameless tool window
// painted only along its edges, so that whatever lies under it stays in sight.
class RamkaRozmiaru : public QWidget {
public:
    RamkaRozmiaru();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
};

class OknoZRamka : public Okno {
    Q_OBJECT
public:
    ~OknoZRamka() override;

    // ---- the skinned frame (null until ZbudujRamke) ----
    QWidget* PListwaLeft = nullptr; // the menu panel; the menu's entries lie on it
    Etykieta* ImListwaLeft = nullptr;
    QWidget* PListwaSrodek = nullptr;
    Etykieta* ImListwaSrodek = nullptr;
    Etykieta* LListwa = nullptr; // the drag strip; shows the window's title when it has one
    QWidget* PTopRight = nullptr;
    Etykieta* ImListwaRight = nullptr;
    Etykieta* LCloseWykres = nullptr; // the close spot (also in windows with a frame of their own)
    QWidget* PLeft = nullptr;
    Etykieta* ImLeft = nullptr;
    QWidget* PLeftDown = nullptr;
    Etykieta* ImLeftDown = nullptr;
    QWidget* Pdown = nullptr;
    Etykieta* ImDown = nullptr;
    QWidget* PRight = nullptr;
    Etykieta* ImRight = nullptr;
    QWidget* PRightDown = nullptr;
    Etykieta* ImRightDown = nullptr;

    // ---- the resize grip (null without one) ----
    Etykieta* LCiongnij = nullptr;
    QWidget* Rameczka = nullptr; // the dotted outline while the grip is dragged

    // The menu's entries, top to bottom (separators not included).
    const QList<Etykieta*>& PozycjeMenu() const { return menu; }
    // Highlights one entry and no other (nullptr: none), as the mouse or the focus on it does.
    void PodswietlMenu(Etykieta* wybrana);

public slots:
    // The close spot, the menu's close entry, Esc and a close request from the desktop: hides
    // the window (it stays for reuse). A window whose closing does more overrides it.
    virtual void ZamknijOkno();

protected:
    explicit OknoZRamka(QWidget* rodzic = nullptr);

    // Builds the frame's panels with their pictures: `obrazMenu` names the window's menu panel
    // (skora_ramki.h), `nazwaZamkniecia` names the close spot for screen readers; with
    // `uchwyt` the lower right corner holds a resize grip (DodajUchwyt places it).
    void ZbudujRamke(const QString& obrazMenu, const QString& nazwaZamkniecia, bool uchwyt = false);
    // Places the frame's panels for the window's current size.
    void UlozRamke();

    // A transparent panel at `gdzie` in `rodzic` that passes mouse movement on (the frame's
    // panels and the windows' own).
    static QWidget* Panel(QWidget* rodzic, const QRect& gdzie = {});

    // The close spot at `gdzie` in `rodzic`.
    Etykieta* DodajZnakZamkniecia(QWidget* rodzic, const QRect& gdzie, const QString& nazwa);

    // The menu column's builder: an entry whose caption starts at the column's left margin, at
    // height `y` in `panel`, running `akcja`; a separator line at height `y`. Moving the mouse
    // over a separator or over a widget passed to GasMenuNad clears the highlight.
    Etykieta* DodajPozycjeMenu(QWidget* panel, int y, const QString& napis,
                               std::function<void()> akcja, int wysokosc = 15);
    Etykieta* DodajKreskeMenu(QWidget* panel, int y);
    void GasMenuNad(QWidget* w);

    // The resize grip at `gdzie` in `rodzic`; the size stays within `minimum` .. `maksimum`
    // (equal widths: only the height changes).
    Etykieta* DodajUchwyt(QWidget* rodzic, const QRect& gdzie, QSize minimum, QSize maksimum);
    // The size a drag of the grip asks for: by default the size at the press grown by how far
    // the cursor went (the outline shows it, the window takes it within its limits).
    virtual QSize RozmiarZUchwytu(QPoint kursor) const;
    // Takes the size chosen with the grip; windows lay themselves out here.
    virtual void UstawRozmiarUchwytem(QSize rozmiar);

    bool KlawiszWcisniety(QKeyEvent* e) override;
    bool ZamkniecieZZewnatrz() override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

    // Where the grip was pressed (global) and the window's size then.
    QPoint PoczatekCiagniecia() const { return poczatekCiagniecia; }
    QSize RozmiarPrzedCiagnieciem() const { return rozmiarPrzed; }

private:
    QList<Etykieta*> menu;
    QList<QObject*> gaszace; // widgets (children) over which the mouse clears the highlight
    QSize minimum, maksimum;
    bool ciagnie = false;
    QPoint poczatekCiagniecia;
    QSize rozmiarPrzed;
};

} // namespace sondrel
