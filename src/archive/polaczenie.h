// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the archive lives: a SQLite file on this computer, or a database on the school's
// PostgreSQL server given as a libpq connection URI
//
//     postgresql://user@host:port/database?sslmode=require
//     postgres://user@/database?host=/run/postgresql        (a Unix socket folder)
//
// The program never stores a password and never takes one in the URI: libpq finds it itself in
// ~/.pgpass or PGPASSWORD. A connection attempt gives up after connect_timeout seconds (5 unless
// the URI says otherwise), so a server that does not answer never holds a caller for long;
// still, a window should open the archive off its UI thread (an Archiwum then belongs to that
// thread) or accept that wait.
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
    QString Sslmode; // empty: libpq's default (prefer)

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

    // "user@host:port/database" for messages (never a password: there is none).
    QString Opis() const;
};

// Whether the text names a server (postgresql:// or postgres://) rather than a file.
bool JestAdresemSerwera(const QString& adres);

// Parses a server URI; nothing, with a Polish reason in `blad`, when it cannot be used.
std::optional<AdresSerwera> RozbierzAdresSerwera(const QString& adres, QString& blad);

// The settings record as the text Archiwum::Otworz takes: the file path for this computer, a
// URI for the server.
QString AdresArchiwum(const UstawieniaArchiwum& ustawienia, const QString& sciezkaPliku);
// The record of a stored text (a file path gives Serwer = false).
UstawieniaArchiwum UstawieniaZAdresu(const QString& adres);

// Sets a QPSQL connection to the server (no password: libpq's own files decide).
void UstawPolaczenieSerwera(QSqlDatabase& baza, const AdresSerwera& adres);

} // namespace sondrel
