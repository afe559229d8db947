// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings window's question for the school's archive server: server (a name, an address or
// a Unix socket folder), port, database and user, with the reminder that the program keeps no
// password. "Ustaw" takes the values when the server and the database are given and the
// address they make can be used (else the reason is shown and the window stays); Esc, "Anuluj"
// and the close mark cancel.

#include "archive/polaczenie.h"
#include "ui/okna/okno_pytania.h"

#include <optional>

class QLabel;
class QLineEdit;

namespace sondrel {

class TFSerwerArchiwum : public OknoPytania {
    Q_OBJECT
public:
    explicit TFSerwerArchiwum(QWidget* rodzic = nullptr);

    // Asks modally, starting from `poczatkowe`; the values (Serwer set) or nothing.
    std::optional<UstawieniaArchiwum> Zapytaj(const UstawieniaArchiwum& poczatkowe);
    // Everything Zapytaj does before the modal loop.
    void Przygotuj(const UstawieniaArchiwum& poczatkowe);
    UstawieniaArchiwum Ustawienia() const;

    QLineEdit* EHost;
    QLineEdit* EPort;
    QLineEdit* EBaza;
    QLineEdit* EUzytkownik;
    QLabel* LHaslo;
    QLabel* LBlad;

protected:
    bool Przyjmowalne() override;

private:
    void Sprawdz();

    QString sslmode; // kept as it came: the window does not show it
};

} // namespace sondrel
