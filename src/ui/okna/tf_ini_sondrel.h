// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings window: the four options and the test list path, with a hint for every
// control, saved to the settings file on demand; closing with unsaved changes asks first.
// Below the test list, where the archive of analyses lives: "ten komputer" (the file in the
// program's data folder) or "serwer szkoły" (asked in a window of its own: server, port,
// database, user; never a password), kept in the settings file as the server's address.

#include "archive/polaczenie.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/kontrolki/pole_wyboru.h"
#include "ui/okno.h"

#include <optional>

class QLabel;
class QLineEdit;

namespace sondrel {

class PoleOpcji;
class Program;
class Przycisk;

class TFIniSondrel : public Okno {
    Q_OBJECT
public:
    explicit TFIniSondrel(Program& program, QWidget* rodzic = nullptr);

    // The main window's "Ustawienia": fills the controls from the held settings and shows the
    // window modally, its top left corner at (162, 38) from the given point (the main
    // window's top left corner, or its central panel's in the big mode).
    void PokazUstawienia(const QPoint& odniesienie);
    // Everything PokazUstawienia does before the modal loop; show the window to use it
    // without blocking.
    void Przygotuj(const QPoint& odniesienie);

    // The hint of a control (lines separated by CR); empty for anything else.
    QString Podpowiedz(const QObject* kontrolka) const;

    Etykieta* ImTlo;
    PoleWyboru* CNajpierwImie;
    PoleWyboru* CCopyAll;
    PoleWyboru* CBezposrednio;
    PoleWyboru* CDefaultBrowser;
    Etykieta* LWskazSciezke;
    QLineEdit* EScListyTestow;
    Etykieta* LPodpowiedz;
    Etykieta* LZapiszIni;
    Etykieta* LZamknijIni;
    Etykieta* LListwa;
    // The archive's place.
    QLabel* LArchiwum;
    PoleOpcji* RTenKomputer;
    PoleOpcji* RSerwerSzkoly;
    Przycisk* BSerwer;     // the server's details
    QLabel* LOpisArchiwum; // where the archive is, in one line

    // The open dialog's start folder (the program's folder until the first pick).
    QString FolderListy() const { return folderListy; }

    // The actions of the save and close buttons.
    void LZapiszIniClick();
    void LZamknijIniClick();
    void LWskazSciezkeClick();
    // "serwer szkoły" (asking the server's details when none are known yet: cancelled, the
    // choice goes back to this computer), "Serwer…" and "ten komputer".
    void RSerwerSzkolyClick();
    void BSerwerClick();
    void RTenKomputerClick();

signals:
    // The settings were written (a table on screen names its students as they now say).
    void zapisanoUstawienia();
    // The save icon is asked for at this corner.
    void potwierdzZapis(QPoint miejsce);

protected:
    // The open dialog "Wskaż plik listy": the chosen path, or an empty text when cancelled.
    virtual QString WybierzPlikListy(const QString& folder);
    // The archive server's question: the values taken, or nothing when cancelled.
    virtual std::optional<UstawieniaArchiwum> ZapytajOSerwer(const UstawieniaArchiwum& poczatkowe);

    bool eventFilter(QObject* obiekt, QEvent* e) override;
    // Esc closes without saving, as the close button does.
    bool KlawiszWcisniety(QKeyEvent* e) override;

private:
    void PokazPodpowiedz(const QString& tekst);
    // The controls into the held values.
    void PrzepiszKontrolki();
    bool Zapisz();
    void Zmieniono();
    void PokazArchiwum();

    Program& program;
    QString folderListy;
    UstawieniaArchiwum serwer; // the server's details, kept while "ten komputer" is chosen
};

} // namespace sondrel
