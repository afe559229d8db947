// SPDX-License-Identifier: GPL-3.0-or-later
// The roles a school sets up on its archive server (resources/sql/archiwum_uprawnienia.sql,
// run here as the documentation tells the administrator to): teachers add and read, only the
// owner changes and deletes, and the program says so when the server refuses.

#include "archive/archiwum.h"

#include "support/klasa_testowa.h"
#include "support/serwer_testowy.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// The statements of the roles file (comments dropped), run as the server's superuser; a role
// that an earlier test of the same cluster made already is kept.
bool UstawRole(const BazaTestowa& baza) {
    QFile plik(QDir::cleanPath(
        QStringLiteral(SONDREL_DANE_TESTU "/../../../resources/sql/archiwum_uprawnienia.sql")));
    if (!plik.open(QIODevice::ReadOnly)) return false;
    QString tekst = QString::fromUtf8(plik.readAll());
    tekst.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    for (const QString& polecenie : tekst.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString sql = polecenie.trimmed();
        if (sql.isEmpty()) continue;
        if (!baza.Wykonaj(sql) && !sql.startsWith(QLatin1String("CREATE ROLE"))) {
            ADD_FAILURE() << sql.toStdString();
            return false;
        }
    }
    baza.Wykonaj(QStringLiteral("CREATE ROLE t_nauczyciel LOGIN IN ROLE sondrel_nauczyciele"));
    return true;
}

} // namespace

TEST(ArchiwumUprawnienia, NauczycielDodajeICzytaTylkoWlascicielUsuwa) {
    BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    ASSERT_TRUE(UstawRole(baza));

    // A teacher first: making the tables is the owner's; refused with the server named.
    Archiwum nauczyciel;
    EXPECT_FALSE(nauczyciel.Otworz(baza.Adres(QStringLiteral("t_nauczyciel"))));
    EXPECT_TRUE(nauczyciel.Blad().startsWith(
        QStringLiteral("Nie można zapisać archiwum na serwerze t_nauczyciel@localhost/%1 ")
            .arg(baza.Nazwa())))
        << nauczyciel.Blad().toStdString();

    Archiwum wlasciciel;
    ASSERT_TRUE(wlasciciel.Otworz(baza.Adres(QStringLiteral("sondrel_wlasciciel"))))
        << wlasciciel.Blad().toStdString();
    AnalizaArchiwalna pierwsza = KlasaArchiwalna(1);
    ASSERT_TRUE(wlasciciel.Dodaj(pierwsza));

    ASSERT_TRUE(nauczyciel.Otworz(baza.Adres(QStringLiteral("t_nauczyciel"))))
        << nauczyciel.Blad().toStdString();
    AnalizaArchiwalna druga = KlasaArchiwalna(2);
    const auto dodana = nauczyciel.Dodaj(druga);
    ASSERT_TRUE(dodana) << nauczyciel.Blad().toStdString();
    AnalizaArchiwalna znowu = KlasaArchiwalna(1);
    const auto powtorka = nauczyciel.Dodaj(znowu);
    ASSERT_TRUE(powtorka);
    EXPECT_TRUE(powtorka->JuzBylo);
    EXPECT_EQ(powtorka->Id, pierwsza.Id);
    EXPECT_EQ(*nauczyciel.Wczytaj(pierwsza.Id), pierwsza);

    EXPECT_FALSE(nauczyciel.Usun(dodana->Id));
    EXPECT_EQ(nauczyciel.Blad(),
              QStringLiteral("Brak uprawnień do usuwania z archiwum %1: usuwać może tylko "
                             "właściciel archiwum.")
                  .arg(nauczyciel.Opis()));
    EXPECT_FALSE(nauczyciel.ZmienOpis(dodana->Id, QStringLiteral("8a"), QDate(2026, 1, 1)));
    EXPECT_TRUE(nauczyciel.Blad().startsWith(QStringLiteral("Brak uprawnień do zmiany opisu")));
    EXPECT_EQ(nauczyciel.Lista()->size(), 2u);

    // The refusal left nothing open: the teacher goes on adding, the owner deletes.
    AnalizaArchiwalna trzecia = KlasaArchiwalna(3);
    EXPECT_TRUE(nauczyciel.Dodaj(trzecia)) << nauczyciel.Blad().toStdString();
    EXPECT_TRUE(wlasciciel.Usun(dodana->Id)) << wlasciciel.Blad().toStdString();
    EXPECT_EQ(nauczyciel.Lista()->size(), 2u);
}
