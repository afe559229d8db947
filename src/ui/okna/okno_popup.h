// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the three popups of the results table share: a white window with corners cut by 4
// pixels and a painted skin, the drag strip LListwa, the close mark, the bold heading
// LNrPytania, the link "Generuj pełną informację o …" (grey while the mouse is over it), the
// placement beside the table window, the modal show above the program's windows, and Esc.

#include "reports/raport.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <functional>

namespace sondrel {

class OknoPopup : public Okno {
    Q_OBJECT
public:
    // w x h: the window's size; obrazek: its skin's name; zamkniecie: the close mark's place.
    OknoPopup(int w, int h, const QString& obrazek, QRect zamkniecie, QWidget* rodzic = nullptr);

    // The close mark: hides the popup (a close request from the desktop does the same).
    void LCloseClick();

    // Where the popup opens: the table window's left edge + 150 and top edge + 80; nothing set,
    // the popup opens where it was last.
    void UstawOknoOdniesienia(QWidget* okno) { odniesienie = okno; }

    Etykieta* ImTlo;
    Etykieta* LListwa;
    Etykieta* LClose;
    Etykieta* LNrPytania;

signals:
    // The report link: the report is asked for, in place of the table window.
    void raportWybrany(const std::function<WynikRaportu()>& zrob);

protected:
    // A link label at its place (hand cursor, #2E2E2E, grey #808080 while the mouse is over it
    // or it has the keyboard; Tab reaches it, Enter or Space follows it).
    Etykieta* Link(const QString& tekst, int x, int y, int w, int h);
    // A plain text label (#2E2E2E).
    Etykieta* Tekst(int x, int y, int w, int h, bool zawijany = false);
    // Colours a label's text.
    static void UstawKolorTekstu(Etykieta* etykieta, QColor kolor);
    // Shows the popup modally at its place.
    void Pokaz();
    // The report link clicked: the link's colour back, the popup closed, then the report asked
    // for.
    void GenerujRaport(Etykieta* link, const std::function<WynikRaportu()>& zrob);

    bool ZamkniecieZZewnatrz() override;
    // Esc closes the popup as its close mark does.
    bool KlawiszWcisniety(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QWidget* odniesienie = nullptr;
};

} // namespace sondrel
