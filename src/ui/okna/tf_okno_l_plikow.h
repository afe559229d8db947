// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer-file list window: the answer files of a simple analysis or of an analysis with the
// test from a file are chosen here, and the students of the chosen files are listed by name
// before the user confirms. With the setting "bez" the window is skipped: the open dialog comes
// at once and the analysis follows it.

#include "ui/okna/listy_plikow.h"

namespace sondrel {

class Program;

class TFOknoLPlikow : public OknoListyPlikow {
    Q_OBJECT
public:
    explicit TFOknoLPlikow(Program& program, QWidget* rodzic = nullptr);

    // The answer-file choice of the test menu: empties the chosen files, then either asks for
    // the files at once (setting bez) and runs the analysis, or shows this window modally and
    // returns when it closes. The analysis, when it ran and has something to show, is announced
    // by analizaGotowa().
    void WybierzPlikiOdpowiedzi();
    // LWczytajPliki: the open dialog (starting in the documents folder the first time); the
    // chosen files in case-insensitive order become PlikiOdpowiedzi and their students are
    // listed, up to the first file that cannot be named. False when the dialog was cancelled
    // (nothing changes) or nobody could be listed (the window closes).
    bool WskazPlikiOdpowiedzi();

public slots:
    void LWczytajPlikiClick();
    void LWprowadzClick();

private:
    void Uruchom();
};

} // namespace sondrel
