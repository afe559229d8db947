#pragma once
// The answer-file list window: the answer files of a simple analysis or of an analysis with the
// test from a file are chosen here, and the students of the chosen files are listed by name
// before the user confirms. With the setting "bez" the window is skipped: the open dialog comes
// at once and the analysis follows it.

#include "ui/etykieta.h"
#include "ui/listy_plikow.h"
#include "ui/okno.h"

#include <QPoint>
#include <functional>

namespace sondrel {

class Program;

class TFOknoLPlikow : public Okno {
    Q_OBJECT
public:
    explicit TFOknoLPlikow(Program& program, QWidget* rodzic = nullptr);

    // The answer-file choice of the test menu: empties the chosen files, then either asks for
    // the files at once (setting bez) and runs the analysis, or shows this window modally and
    // returns when it closes. The analysis, when it ran and has something to show, is announced
    // by analizaGotowa().
    void WybierzPlikiOdpowiedzi();
    // LWczytajPliki: the open dialog; the chosen files in case-insensitive order become
    // PlikiOdpowiedzi and their students are listed, up to the first file that cannot be
    // named. False when the dialog was cancelled (nothing changes) or nobody could be listed
    // (the window closes).
    bool WskazPlikiOdpowiedzi();

    // Seams. The open dialog: gets the folder to start in, may change it to where the user
    // left it, returns the chosen paths (empty: cancelled). The window's place is measured
    // from PunktOdniesienia when set, else from the main window's corner (its central panel
    // when enlarged); with no main window shown it is centred.
    std::function<QStringList(QString& folder)> OknoOtwierania;
    std::function<QPoint()> PunktOdniesienia;
    // Where the open dialog starts next (empty until the first choice: the documents folder).
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
    void LWczytajPlikiClick();
    void LWprowadzClick();
    void LAnulujClick();

signals:
    // An analysis was read and the main window should show it.
    void analizaGotowa();

private:
    void Uruchom();

    Program& program;
    QString folderDialogu;
};

} // namespace sondrel
