// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the archive's source files share and nobody else sees: the open connection's state
// (Archiwum::Dane) and the small helpers for dates, messages and the list's columns. Opening
// and the schema live in archiwum.cpp, writing in archiwum_zapis.cpp, reading in
// archiwum_odczyt.cpp.

#include "archive/archiwum.h"
#include "archive/dialekt.h"
#include "archive/polaczenie.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <optional>

namespace sondrel {

namespace archiwum_wewn {

inline const QString FormatDaty = QStringLiteral("yyyy-MM-dd");

QString TekstDodano(const QDateTime& czas);
QDateTime DodanoZTekstu(const QString& tekst);
// A connection refused, in words a teacher can pass on to whoever runs the server.
QString PowodPolaczenia(const QSqlError& blad);
QString BrakAnalizy(qint64 id);

// What a database's refusal means, for a message that says what really happened.
enum class RodzajBledu {
    Zajete,        // another connection holds the lock (SQLite busy or locked)
    BrakMiejsca,   // the disk is full
    BrakUprawnien, // the file, its folder or the database refuses this user
    Uszkodzone,    // not a database, or a damaged one
    Inny,
};
RodzajBledu RodzajBleduBazy(const QSqlError& blad);

// Commits the transaction of an add: the statement COMMIT. A seam for the tests, which lose
// the server's answer to it.
using Zatwierdzenie = bool (*)(QSqlDatabase& baza, QString& blad);
extern Zatwierdzenie ZatwierdzDodanie;

// How long opening waits for other processes that hold the archive (as a writer waits).
constexpr int LimitZajetosciMs = 60000;

// Columns: id, klasa, data_napisania, dodano, ilosc_uczniow, procent_klasy, nazwa, autor,
// ilosc_pytan, ilosc_odpowiedzi, typ, odcisk.
inline const QString KolumnyWpisu = QStringLiteral(
    "a.id, a.klasa, a.data_napisania, a.dodano, a.ilosc_uczniow, a.procent_klasy, a.nazwa, "
    "a.autor, a.ilosc_pytan, a.ilosc_odpowiedzi, a.typ, a.odcisk");

} // namespace archiwum_wewn

struct Archiwum::Dane {
    QString polaczenie;
    QString sciezka; // the file's path or the server's URI
    QString opis;    // the archive in messages: the file's path, or "na serwerze user@host/db"
    std::optional<AdresSerwera> serwer;
    bool zerwane = false;     // the server's connection was lost: made again before the next call
    bool zajete = false;      // opening failed because another process held the file: try again
    bool tylkoOdczyt = false; // the file or its folder cannot be written: opened read-only
    bool folderTylkoDoOdczytu = false;
    QString blad;
    StanArchiwum stan = StanArchiwum::Zamkniete;
    const Dialekt* dialekt = &DialektSterownika(QStringLiteral("QSQLITE"));

    QSqlDatabase baza() const { return QSqlDatabase::database(polaczenie, false); }

    void Odmowa(StanArchiwum s, const QString& tekst) {
        stan = s;
        blad = tekst;
        if (QSqlDatabase::contains(polaczenie)) {
            {
                QSqlDatabase b = baza();
                b.close();
            }
            QSqlDatabase::removeDatabase(polaczenie);
        }
    }

    // A failure of the database in the middle of some work: the message names the archive.
    // On a server, a lost connection is said so (the transaction died with it: nothing of the
    // work stays) and is made again before the next call.
    bool BladBazy(const QString& co, const QString& szczegoly) {
        QString tekst = szczegoly;
        if (serwer && !zerwane && !Zywe()) {
            zerwane = true;
            tekst = QStringLiteral("połączenie z serwerem zostało przerwane, nic nie zapisano (") +
                    szczegoly.trimmed() + QLatin1Char(')');
        }
        blad = QStringLiteral("%1 (archiwum %2): %3").arg(co, opis, tekst);
        return false;
    }
    bool Zywe() {
        QSqlQuery q(baza());
        return q.exec(QStringLiteral("SELECT 1"));
    }
    // A statement the server refused for want of rights.
    static bool BrakUprawnien(const QSqlError& e) {
        return e.nativeErrorCode() == QLatin1String("42501");
    }

    // The server's own notices and warnings (its shutdown, a dropped connection) are not
    // printed by the client library: the archive's messages say what happened.
    void UstawSesjeSerwera() {
        QSqlQuery q(baza());
        q.exec(QStringLiteral("SET client_min_messages TO error"));
    }

    bool OtworzPlik();
    bool OtworzSerwer();
    bool Przygotuj();

    QSqlError bladSql; // the last refusal Wykonaj met

    bool Wykonaj(QSqlQuery& q, const QString& sql) {
        if (q.exec(sql)) return true;
        bladSql = q.lastError();
        blad = bladSql.text();
        return false;
    }
    bool Wykonaj(const QString& sql) {
        QSqlQuery q(baza());
        return Wykonaj(q, sql);
    }
    void Wycofaj() {
        QSqlQuery q(baza());
        q.exec(QStringLiteral("ROLLBACK"));
    }
    bool Otwarte() {
        if (stan == StanArchiwum::Otwarte && zerwane) {
            QSqlDatabase b = baza();
            b.close();
            if (!b.open()) {
                blad = QStringLiteral("Nie można połączyć się z archiwum %1: %2")
                           .arg(opis, archiwum_wewn::PowodPolaczenia(b.lastError()));
                return false;
            }
            zerwane = false;
            UstawSesjeSerwera();
        }
        if (stan == StanArchiwum::Otwarte) return true;
        if (blad.isEmpty()) blad = QStringLiteral("Archiwum nie jest otwarte.");
        return false;
    }

    std::optional<WpisArchiwum> WpisZWiersza(const QSqlQuery& q, int od) const;
    // `odmowa` (%1: the archive) is the message when the server refuses it for want of rights.
    bool ZmienWiersz(const QString& sql, const QVariantList& wartosci, qint64 id, const QString& co,
                     const QString& odmowa);
};

} // namespace sondrel
