// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few statements in which the archive's SQL differs between the engines it runs on. Every
// other statement of the archive is the same text on SQLite and PostgreSQL.

#include <QString>
#include <QStringList>

namespace sondrel {

struct Dialekt {
    // The column definition of a table's generated key.
    QString KluczGlowny;
    // Starts a transaction that writes: on SQLite it takes the write lock at once (waiting up
    // to the busy timeout), so that two writers never both read and then both fail to write.
    QString PoczatekZapisu;
    // Starts a transaction that only reads, seeing one moment of the database throughout.
    QString PoczatekOdczytu;
    // Run right after PoczatekZapisu before the schema is made or migrated, so that two first
    // users at once do not both make it (empty: the write lock already guards it).
    QString BlokadaSchematu;
    // The names of the tables in the current database / schema.
    QString ListaTabel;
    // The mark by which an engine tells its own file from another program's (empty: none; the
    // version table alone then marks the archive).
    QString IdAplikacji;
    // Run on every new connection, once the database is known to be an archive or empty.
    QStringList UstawieniaPolaczenia;
    // Run after every making or migration of the schema (%1: the version): on SQLite they
    // mirror the version in PRAGMA user_version and mark the file as an archive of this program
    // (PRAGMA application_id). The table wersja_schematu is the authority on every engine.
    QStringList ZnacznikiSchematu;
    // Who added an analysis: true when the server records it itself (a column default of
    // current_user that a trigger enforces); false when the program gives it (the user's login
    // name on this computer).
    bool DodajacyZSerwera = false;
    // Run by the third schema version after its columns exist: on a server, row-level
    // security (who sees and changes which analyses), ids only from the server and the
    // group roles' rights (empty: nothing of the kind on this engine).
    QStringList Zabezpieczenia;
};

// The dialect of a Qt SQL driver name ("QSQLITE", "QPSQL"); SQLite's for any other.
const Dialekt& DialektSterownika(const QString& sterownik);

} // namespace sondrel
