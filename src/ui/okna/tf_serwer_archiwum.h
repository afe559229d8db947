// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings window's question for the school's archive server: server (a name, an address or
// a Unix socket folder), port, database and user, with the reminder that the program keeps no
// password; "Szyfrowanie:" with "wymagane" (sslmode=require, the default of a new address),
// "wymagane, z weryfikacją serwera" (verify-full with the CA file chosen in the window) and
// "bez szyfrowania". "Ustaw" takes the values when the server and the database are given and
// the address they make can be used (else the reason is shown and the window stays); Esc,
// "Anuluj" and the close mark cancel. "Sprawdź połączenie" connects off the window's thread and
// shows what it found (the server's version, the user, what the user may do) or why it could
// not connect, in Polish.

#include "archive/polaczenie.h"
#include "ui/okna/okno_pytania.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

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
    QComboBox* CSzyfrowanie; // wymagane / z weryfikacją serwera / bez szyfrowania
    QLineEdit* ECa;          // the CA file, for the verification only
    QPushButton* BCa;
    QLabel* LHaslo;
    QPushButton* BSprawdz;
    QLabel* LWynik; // what the connection check found
    QLabel* LBlad;

    // Whether a connection check is running.
    bool Sprawdzanie() const { return sprawdzanie; }
    // Starts the connection check of the values shown (nothing while one runs).
    void SprawdzPolaczenieClick();

signals:
    // A connection check ended with this text in LWynik.
    void Sprawdzono(const QString& wynik);

protected:
    bool Przyjmowalne() override;

private:
    void Sprawdz();
    // The reason the values cannot be used (empty: they can).
    QString BladUstawien();

    bool sprawdzanie = false;
    int numerSprawdzenia = 0; // a later check or new values make an earlier answer stale
};

} // namespace sondrel
