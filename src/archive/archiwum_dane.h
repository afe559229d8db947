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
#include <functional>
#include <optional>

namespace sondrel {

namespace archiwum_wewn {

inline const QString FormatDaty = QStringLiteral("yyyy-MM-dd");

QString TekstDodano(const QDateTime& czas);
QDateTime DodanoZTekstu(const QString& tekst);
// A connection refused, in words a teacher can pass on to whoever runs the server.
QString PowodPolaczenia(const QSqlError& blad);
// A database's failure in Polish words (the engines' own texts are English), without them.
QString OpisBleduBazy(const QString& tekst);
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

// The type of the file system holding a folder (statfs's f_type; 0 when unknown). A seam
// for the tests, which make a folder look like a network one.
using TypSystemuPlikow = long (*)(const QString& folder);
extern TypSystemuPlikow SystemPlikow;
// The network file system's name when the type is one (NFS, SMB/CIFS, ...), else empty:
// SQLite's WAL needs shared memory that a network file system does not share.
QString SiecowySystemPlikow(long typ);

// How long opening waits for other processes that hold the archive (as a writer waits).
constexpr int LimitZajetosciMs = 60000;

// Columns: id, klasa, data_napisania, dodano, the number of students and the sum of their
// points (both counted from the student rows, so that the list can never disagree with them),
// nazwa, autor, ilosc_pytan, ilosc_odpowiedzi, typ, odcisk, dodal; `ile` and `suma` are the
// two counts' expressions.
inline QString KolumnyWpisuZ(const QString& ile, const QString& suma) {
    return QStringLiteral("a.id, a.klasa, a.data_napisania, a.dodano, %1, %2, a.nazwa, a.autor, "
                          "a.ilosc_pytan, a.ilosc_odpowiedzi, a.typ, a.odcisk, a.dodal")
        .arg(ile, suma);
}
// For a few entries: the counts as subqueries of each.
inline const QString KolumnyWpisu = KolumnyWpisuZ(
    QStringLiteral("(SELECT count(*) FROM uczniowie s WHERE s.analiza_id = a.id)"),
    QStringLiteral("(SELECT coalesce(sum(s.poprawnych), 0) FROM uczniowie s WHERE s.analiza_id "
                   "= a.id)"));
// For the whole list: the counts of every analysis in one pass over the students, joined as
// `s` by ZliczeniaWpisow.
inline const QString KolumnyListy =
    KolumnyWpisuZ(QStringLiteral("coalesce(s.ile, 0)"), QStringLiteral("coalesce(s.suma, 0)"));
inline const QString ZliczeniaWpisow = QStringLiteral(
    " LEFT JOIN (SELECT analiza_id, count(*) AS ile, sum(poprawnych) AS suma FROM uczniowie "
    "GROUP BY analiza_id) s ON s.analiza_id = a.id");
constexpr int LiczbaKolumnWpisu = 13;

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
    std::function<void(const QString&)> dziennik; // where opening notes what it chose
    QString blad;
    QString szczegoly; // the engine's own text of the last failure (for a journal)
    StraznikPolaczenia straznik;
    int glebokosc = 0; // calls running (one inside another)
    // Who adds in this archive: the server's current_user, or the login name for a file.
    QString kto;
    StanArchiwum stan = StanArchiwum::Zamkniete;
    const Dialekt* dialekt = &DialektSterownika(QStringLiteral("QSQLITE"));

    QSqlDatabase baza() const { return QSqlDatabase::database(polaczenie, false); }

    void Odmowa(StanArchiwum s, const QString& tekst) {
        stan = s;
        blad = tekst;
        straznik.Rozbroj();
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
    // The engine's own text goes to `szczegoly`; the message is Polish only.
    bool BladBazy(const QString& co, const QString& tekstBazy) {
        szczegoly = tekstBazy.trimmed();
        QString tekst = archiwum_wewn::OpisBleduBazy(tekstBazy);
        if (serwer && straznik.Odcial()) {
            zerwane = true;
            tekst = QStringLiteral("serwer nie odpowiedział w ciągu %1 s, połączenie przerwano, "
                                   "nic nie zapisano")
                        .arg(2 * serwer->LimitPolecenia);
        } else if (serwer && !zerwane && !Zywe()) {
            zerwane = true;
            tekst = QStringLiteral("połączenie z serwerem zostało przerwane, nic nie zapisano");
        }
        blad = QStringLiteral("%1 (archiwum %2): %3.").arg(co, opis, tekst);
        return false;
    }
    // A call of the archive: on a server the guard cuts a connection whose call waits past
    // twice the statement limit (each call inside another counts as progress).
    struct Pilnowanie {
        Dane* d;
        ~Pilnowanie() { d->KoniecWywolania(); }
    };
    [[nodiscard]] Pilnowanie Pilnuj() {
        if (glebokosc++ == 0) straznik.Wyczysc();
        if (serwer) straznik.Uzbroj(baza(), 2000 * serwer->LimitPolecenia);
        return Pilnowanie{this};
    }
    void KoniecWywolania() {
        if (--glebokosc == 0)
            straznik.Rozbroj();
        else if (serwer)
            straznik.Uzbroj(baza(), 2000 * serwer->LimitPolecenia);
    }
    bool Zywe() {
        QSqlQuery q(baza());
        return q.exec(QStringLiteral("SELECT 1"));
    }
    // A statement the server refused for want of rights.
    static bool BrakUprawnien(const QSqlError& e) {
        return e.nativeErrorCode() == QLatin1String("42501");
    }
    // A row the server refused as a duplicate of a unique key.
    static bool Duplikat(const QSqlError& e) {
        return e.nativeErrorCode() == QLatin1String("23505");
    }

    // Why the schema could not be made or brought up to date, in Polish.
    QString PowodZapisu(const QString& tekstBazy) {
        szczegoly = tekstBazy.trimmed();
        if (serwer && tekstBazy.contains(QLatin1String("permission denied")))
            return QStringLiteral("brak uprawnień (tabele archiwum zakłada i uaktualnia jego "
                                  "właściciel: niech otworzy je pierwszy)");
        return archiwum_wewn::OpisBleduBazy(tekstBazy);
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
            straznik.Rozbroj();
            QSqlDatabase b = baza();
            b.close();
            if (!b.open()) {
                szczegoly = b.lastError().text().trimmed();
                blad = QStringLiteral("Nie można połączyć się z archiwum %1: %2")
                           .arg(opis, archiwum_wewn::PowodPolaczenia(b.lastError()));
                return false;
            }
            zerwane = false;
            UstawSesjeSerwera();
            straznik.Wyczysc();
            if (glebokosc > 0) straznik.Uzbroj(b, 2000 * serwer->LimitPolecenia);
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
