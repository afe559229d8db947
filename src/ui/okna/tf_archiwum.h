// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window: the archived tests and their classes (PanelArchiwum) in the framed
// windows' frame, with a menu column of the archive's commands (compare classes, a student's
// history, change a description, delete, remove a student, export, import, close) and a resize
// grip. Every entry is reached by Tab and the arrow keys and run by Enter; the entries that
// touch the archive are off while it works. F1 opens the archive's help page, F5 reads the list
// again, Esc closes the window. What its commands make (a report, a saved file, a saved
// analysis) it announces by its signals; the program's window rules show it.

#include "reports/raport.h"
#include "ui/okna/okno_z_ramka.h"

#include <QList>

namespace sondrel {

class PanelArchiwum;
class Program;

class TFArchiwum : public OknoZRamka {
    Q_OBJECT
public:
    explicit TFArchiwum(Program& program, QWidget* rodzic = nullptr);
    ~TFArchiwum() override;

    // The main window's "Przeglądaj archiwum": shows the window (beside the main window's menu
    // column the first time) and reads the archive's list.
    void Pokaz();
    // The main window's "Zapisz analizę w archiwum": the panel's ZapiszAnalize, or, while the
    // archive works on another command, a message that says so.
    void ZapiszAnalize();

    PanelArchiwum* Panel;
    QWidget* PPodPanel; // the white body under the list
    Etykieta* LPorownaj;
    Etykieta* LHistoria;
    Etykieta* LKreska1;
    Etykieta* LZmienOpis;
    Etykieta* LUsun;
    Etykieta* LUsunUcznia;
    Etykieta* LKreska2;
    Etykieta* LEksportuj;
    Etykieta* LImportuj;
    Etykieta* LKreska3;
    Etykieta* LPorownanieArkusz; // the comparison and the history as workbooks
    Etykieta* LHistoriaArkusz;
    Etykieta* LKreska4;
    Etykieta* LZamknij;

signals:
    void raportGotowy(const sondrel::WynikRaportu& wynik);
    void potwierdzZapis(QPoint gdzie);
    void zapisanoAnalize();

protected:
    void showEvent(QShowEvent* e) override;
    void UstawRozmiarUchwytem(QSize rozmiar) override;

private:
    void Uloz();
    void Zajetosc(bool zajety);

    Program& program;
    QList<Etykieta*> polecenia; // the entries that touch the archive
    bool umieszczone = false;
};

} // namespace sondrel
