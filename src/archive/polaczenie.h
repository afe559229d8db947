// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the archive lives: a SQLite file on this computer, or a database on the school's
// PostgreSQL server given as a libpq connection URI
//
//     postgresql://user@host:port/database?sslmode=require
//     postgres://user@/database?host=/run/postgresql        (a Unix socket folder)
//
// The scheme is read in any letter case. Any other text that looks like an address (a word
// of two or more letters, ':' and '/') is refused rather than taken as a file's path.
//
// The program never stores a password and never takes one in the URI: libpq finds it itself in
// ~/.pgpass or PGPASSWORD. Every server call is bounded:
// - a connection attempt gives up after connect_timeout seconds (5 unless the URI says
//   otherwise; 0, which libpq reads as "wait forever", and anything above 30 become 30);
// - TCP keepalives and a TCP user timeout notice a server or a network that is gone;
// - the session's statement_timeout and lock_timeout (30 s and 10 s; the URI may give others
//   in seconds, 1..600, as statement_timeout=… and lock_timeout=…) end a statement the server
//   runs too long or waits for another session's lock;
// - the archive cuts the connection of a call that has waited twice the statement limit for a
//   server that stopped answering (StraznikPolaczenia).
// Still, a window should open the archive off its UI thread (an Archiwum then belongs to that
// thread) or accept those waits.
//
// For the settings window: UstawieniaArchiwum (what the window shows) -> AdresArchiwum (the
// text kept in the settings and given to Archiwum::Otworz); UstawieniaZAdresu reads it back.

#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QSqlDatabase;

namespace sondrel {

// The settings window's record: "Archiwum: ten komputer / serwer szkoły".
struct UstawieniaArchiwum {
    bool Serwer = false; // false: the file on this computer
    QString Host;        // a name, an address or a Unix socket folder (starting with '/')
    int Port = 5432;
    QString Baza;
    QString Uzytkownik;
    QString Sslmode;     // empty: libpq's default (prefer)
    QString Sslrootcert; // the CA file that verify-full checks the server's certificate with

    bool operator==(const UstawieniaArchiwum&) const = default;
};

// A server archive, parsed.
struct AdresSerwera {
    QString Host; // empty: libpq's default socket
    int Port = 0; // 0: libpq's default
    QString Baza;
    QString Uzytkownik;
    // Further libpq parameters from the URI's query (sslmode, connect_timeout, ...).
    std::vector<std::pair<QString, QString>> Parametry;
    // The session's limits, in seconds.
    int LimitPolecenia = 30;
    int LimitBlokady = 10;

    // "user@host:port/database" for messages (never a password: there is none).
    QString Opis() const;
};

// Whether the text names a server (postgresql:// or postgres://, any letter case) rather than
// a file.
bool JestAdresemSerwera(const QString& adres);
// Whether the text looks like an address of some kind ("word:/…") rather than a file's path;
// true for every server address, and for mistyped ones that must not become folders.
bool WygladaNaAdres(const QString& adres);
// The refusal of such a text that is not a server address (the text itself is not repeated:
// it may hold a password).
QString OdmowaAdresu(const QString& adres);

// Parses a server URI; nothing, with a Polish reason in `blad`, when it cannot be used.
std::optional<AdresSerwera> RozbierzAdresSerwera(const QString& adres, QString& blad);

// The settings record as the text Archiwum::Otworz takes: the file path for this computer, a
// URI for the server.
QString AdresArchiwum(const UstawieniaArchiwum& ustawienia, const QString& sciezkaPliku);
// The record of a stored text (a file path gives Serwer = false).
UstawieniaArchiwum UstawieniaZAdresu(const QString& adres);

// Sets a QPSQL connection to the server (no password: libpq's own files decide), with the
// limits above.
void UstawPolaczenieSerwera(QSqlDatabase& baza, const AdresSerwera& adres);

// What "Sprawdź połączenie" found on a server: its version, the user, whether the connection is
// encrypted, and what the user may do with the archive's analyses.
struct WynikSprawdzenia {
    bool Polaczono = false;
    QString Blad; // the refusal, in Polish, when not connected
    QString Wersja;
    QString Uzytkownik;
    bool Szyfrowane = false;
    bool SaTabele = false;    // the archive's tables exist (else the owner's first open makes them)
    bool MozeZalozyc = false; // without tables: this user may make them
    bool MozeDodawac = false;
    bool MozeCzytac = false;
    bool MozeUsuwac = false;
    bool Wszystkie = false;  // reads every analysis (head of subject, owner)
    bool Wlasciciel = false; // administers every analysis

    // One Polish paragraph for the window.
    QString Opis() const;
};

// Connects to the server of `adres` (a postgresql:// URI) with the archive's limits, looks, and
// disconnects; changes nothing on the server. Callable from any thread (the connection is the
// calling thread's own); a window calls it off its UI thread.
WynikSprawdzenia SprawdzPolaczenie(const QString& adres);

// Cuts the connection of a server call that has run past its limit, so that a call waiting for
// a server that stopped answering (a stopped process, a stalled proxy: its kernel still
// acknowledges every packet, so TCP's own timeouts never fire) fails at once as a lost
// connection. One thread per guard, asleep unless a call is running. Uzbroj is called as a call
// starts (and again as it makes progress), Rozbroj as it ends.
class StraznikPolaczenia {
public:
    StraznikPolaczenia();
    ~StraznikPolaczenia();
    StraznikPolaczenia(const StraznikPolaczenia&) = delete;
    StraznikPolaczenia& operator=(const StraznikPolaczenia&) = delete;

    // Watches the connection's socket for `limitMs` milliseconds from now (nothing when the
    // connection's socket cannot be known).
    void Uzbroj(const QSqlDatabase& baza, int limitMs);
    void Rozbroj();
    // Whether it cut the connection; cleared by Wyczysc.
    bool Odcial() const;
    void Wyczysc();

private:
    struct Stan;
    Stan* s;
};

} // namespace sondrel
