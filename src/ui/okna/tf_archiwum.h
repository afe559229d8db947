// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window: the archived tests and their classes (PanelArchiwum) in a skinned frame
// with a menu column of the archive's commands (compare classes, a student's history, change a
// description, delete, export, import, close). Every entry is reached by Tab and the arrow keys
// and run by Enter; the entries are off while the archive works. F1 opens the archive's help
// page, Esc closes the window.

#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

#include <QList>

namespace sondrel {

class PanelArchiwum;
class Program;

class TFArchiwum : public Okno {
    Q_OBJECT
public:
    explicit TFArchiwum(Program& program, QWidget* rodzic = nullptr);
    ~TFArchiwum() override;

    // The main window's "Przeglądaj archiwum": shows the window (beside the main window's menu
    // column) and reads the archive's list.
    void Pokaz();

    PanelArchiwum* Panel;
    Etykieta* LListwa;
    Etykieta* LClose;
    Etykieta* LPorownaj;
    Etykieta* LHistoria;
    Etykieta* LZmienOpis;
    Etykieta* LUsun;
    Etykieta* LEksportuj;
    Etykieta* LImportuj;
    Etykieta* LZamknij;

protected:
    bool KlawiszWcisniety(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Zajetosc(bool zajety);

    Program& program;
    QList<Etykieta*> polecenia; // the entries that touch the archive
    bool umieszczone = false;
};

} // namespace sondrel
