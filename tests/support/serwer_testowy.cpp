// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/serwer_testowy.h"

#include "archive/polaczenie.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace sondrel::testy {

namespace {

QAtomicInteger<int> licznik;

QString AdresBazy(const QString& baza, const QString& uzytkownik) {
    return QStringLiteral("postgresql://%1@/%2?host=%3")
        .arg(uzytkownik, baza, GniazdoSerweraTestowego());
}

} // namespace

QString GniazdoSerweraTestowego() {
    const QString folder = qEnvironmentVariable("SONDREL_PG_GNIAZDO");
    if (folder.isEmpty() || !QFileInfo::exists(folder + QStringLiteral("/.s.PGSQL.5432")))
        return QString();
    return folder;
}

QString BrakSerweraTestowego() {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("no QPSQL driver (libqt6sql6-psql)");
    if (qEnvironmentVariableIsEmpty("SONDREL_PG_GNIAZDO"))
        return QStringLiteral("no PostgreSQL test server: run through ctest, which starts it");
    return QStringLiteral("the PostgreSQL test server is not running (PostgreSQL 15 not "
                          "installed? see tools/pg_testowy.sh)");
}

QVariant ZapytajSerwer(const QString& adres, const QString& sql, bool* ok) {
    const QString nazwa = QStringLiteral("serwer-testowy-%1").arg(++licznik);
    QVariant wynik;
    bool udane = false;
    {
        QString blad;
        const auto a = RozbierzAdresSerwera(adres, blad);
        QSqlDatabase baza = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nazwa);
        if (a) {
            UstawPolaczenieSerwera(baza, *a);
            if (baza.open()) {
                QSqlQuery q(baza);
                udane = q.exec(sql);
                if (udane && q.next()) wynik = q.value(0);
            }
        }
    }
    QSqlDatabase::removeDatabase(nazwa);
    if (ok) *ok = udane;
    return wynik;
}

BazaTestowa::BazaTestowa() {
    if (GniazdoSerweraTestowego().isEmpty() ||
        !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        powod = BrakSerweraTestowego();
        return;
    }
    const QString nowa =
        QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++licznik);
    bool ok = false;
    ZapytajSerwer(AdresBazy(QStringLiteral("postgres"), QStringLiteral("sondrel_test")),
                  QStringLiteral("CREATE DATABASE ") + nowa, &ok);
    if (!ok) {
        powod = QStringLiteral("cannot make a database on the PostgreSQL test server");
        return;
    }
    nazwa = nowa;
}

BazaTestowa::~BazaTestowa() {
    if (nazwa.isEmpty()) return;
    ZapytajSerwer(AdresBazy(QStringLiteral("postgres"), QStringLiteral("sondrel_test")),
                  QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(nazwa));
}

QString BazaTestowa::Adres(const QString& uzytkownik) const {
    return AdresBazy(nazwa, uzytkownik);
}

QVariant BazaTestowa::Zapytaj(const QString& sql) const {
    return ZapytajSerwer(Adres(), sql);
}

bool BazaTestowa::Wykonaj(const QString& sql) const {
    bool ok = false;
    ZapytajSerwer(Adres(), sql, &ok);
    return ok;
}

QVariant ZapytajPlik(const QString& sciezka, const QString& sql) {
    QVariant wynik;
    {
        QSqlDatabase baza =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("podglad"));
        baza.setDatabaseName(sciezka);
        if (baza.open()) {
            QSqlQuery q(baza);
            if (q.exec(sql) && q.next()) wynik = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("podglad"));
    return wynik;
}

} // namespace sondrel::testy
