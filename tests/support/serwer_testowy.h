// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PostgreSQL server of the tests: a throwaway cluster that the CTest fixture starts
// (tools/pg_testowy.sh) with its Unix socket in the folder SONDREL_PG_GNIAZDO names. Each
// BazaTestowa is a fresh database on it, dropped at the end; without the server (PostgreSQL
// not installed, or a test program run outside ctest) it is not available and the tests that
// need it skip.
//
//     BazaTestowa baza;
//     POMIN_BEZ_SERWERA(baza);
//     Archiwum a;
//     ASSERT_TRUE(a.Otworz(baza.Adres()));

#include <QString>
#include <QVariant>

namespace sondrel::testy {

// The socket folder of the tests' server; empty when there is none.
QString GniazdoSerweraTestowego();
// The reason there is none, for GTEST_SKIP.
QString BrakSerweraTestowego();

class BazaTestowa {
public:
    BazaTestowa();
    ~BazaTestowa();
    BazaTestowa(const BazaTestowa&) = delete;
    BazaTestowa& operator=(const BazaTestowa&) = delete;

    bool Dostepna() const { return !nazwa.isEmpty(); }
    QString Powod() const { return powod; }
    QString Nazwa() const { return nazwa; }
    // The archive's URI on this database, as `uzytkownik` (the superuser by default).
    QString Adres(const QString& uzytkownik = QStringLiteral("sondrel_test")) const;
    // One statement as the superuser on this database: its first value (invalid on failure).
    QVariant Zapytaj(const QString& sql) const;
    bool Wykonaj(const QString& sql) const;

private:
    QString nazwa;
    QString powod;
};

// The same for any server URI given (another cluster of one test).
QVariant ZapytajSerwer(const QString& adres, const QString& sql, bool* ok = nullptr);

// The first value of one statement on an SQLite file, over a connection of its own (no
// archive logic in between); invalid on failure.
QVariant ZapytajPlik(const QString& sciezka, const QString& sql);

} // namespace sondrel::testy

#define POMIN_BEZ_SERWERA(baza)                                                                    \
    do {                                                                                           \
        if (!(baza).Dostepna()) GTEST_SKIP() << (baza).Powod().toStdString();                      \
    } while (0)
