// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading the HTML engine module, libsondrel_silnik.so (the engine and the PDF tools, see
// silnik/modul.h), when the first report or print needs it: linked into the program, Qt
// WebEngine alone would make every start slower, whether a report is ever shown or not.

#include "silnik/modul.h"

#include <QString>
#include <memory>

namespace sondrel {

enum class StanModulu {
    Gotowy,
    Brak,       // no module file
    Uszkodzony, // the file is there but cannot be loaded
    InnaBudowa, // a module of another build of the program: refused
};

struct ModulSilnika {
    StanModulu stan = StanModulu::Brak;
    const FunkcjeModuluSilnika* funkcje = nullptr; // only when Gotowy
    QString plik;
    QString powod; // the technical reason, for the journal
    // What the user is told when the module cannot be used.
    QString Komunikat() const;
};

// The engine's command-line flags (as QTWEBENGINE_CHROMIUM_FLAGS holds them) for a run: those
// given, with the renderer's accessibility forced when assistive technology is active (without
// it a report page shows screen readers nothing); unchanged otherwise, so that the engine does
// no accessibility work nobody reads.
QByteArray FlagiSilnika(const QByteArray& dane, bool dostepnosc);
// Whether assistive technology is active: the toolkit's accessibility is on, it is forced on
// (QT_LINUX_ACCESSIBILITY_ALWAYS_ON), or the desktop's accessibility bus says it is enabled.
bool DostepnoscAktywna();

// The build identity of this program's module interface.
const char* TozsamoscBudowySilnika();

// Loads the module file `plik`: its build identity is compared with the program's before any
// other name is looked up in it. A refused module is never called.
ModulSilnika WczytajModulSilnika(const QString& plik);

// The program's module (beside the program, else in the installed program's library folder),
// loaded once for the run; the engine's environment is prepared before.
const ModulSilnika& ModulSilnikaProgramu();

// The module's functions through the program's module; when it cannot be used, the user's
// message in `blad` (with the reason in `szczegoly`).
std::unique_ptr<SilnikHtml> UtworzSilnikHtml(QWidget* rodzic, QString* blad = nullptr,
                                             QString* szczegoly = nullptr);
QByteArray DodajStopkiPdf(const QByteArray& pdf, const StopkaPdf& stopka, const OpisPdf& opis,
                          QString* blad = nullptr);
std::unique_ptr<DokumentPdf> OtworzPdf(const QByteArray& pdf, QString* blad = nullptr);

} // namespace sondrel
