// SPDX-License-Identifier: GPL-3.0-or-later
// The server window's encryption and its connection check: the choices become libpq's
// sslmode (with the CA file for the verification), and "Sprawdź połączenie" answers off the
// window's thread with what the tests' server says.
#include "ui/okna/tf_serwer_archiwum.h"

#include "support/serwer_testowy.h"
#include "ui/kontrolki/przycisk.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(TFSerwerArchiwumSzyfrowanie, WyboryToTrybySslZPlikiemCa) {
    TFSerwerArchiwum okno;
    okno.Przygotuj({});
    okno.show();
    // A new address: encryption required, no CA file to choose.
    EXPECT_EQ(okno.CSzyfrowanie->currentText(), QStringLiteral("wymagane"));
    EXPECT_FALSE(okno.ECa->isEnabled());
    okno.EHost->setText(QStringLiteral("serwer.szkola"));
    okno.EBaza->setText(QStringLiteral("archiwum"));
    EXPECT_EQ(okno.Ustawienia().Sslmode, QStringLiteral("require"));

    // The verification needs a CA file that exists.
    okno.CSzyfrowanie->setCurrentIndex(1);
    EXPECT_EQ(okno.CSzyfrowanie->currentText(), QStringLiteral("wymagane, z weryfikacją serwera"));
    EXPECT_TRUE(okno.ECa->isEnabled());
    QTest::keyClick(okno.EBaza, Qt::Key_Return);
    EXPECT_TRUE(okno.isVisible());
    EXPECT_TRUE(okno.LBlad->text().startsWith(QStringLiteral("Wybierz plik certyfikatu")));
    QTemporaryDir folder;
    const QString ca = folder.filePath(QStringLiteral("szkoła-ca.crt"));
    okno.ECa->setText(ca);
    QTest::keyClick(okno.EBaza, Qt::Key_Return);
    EXPECT_EQ(okno.LBlad->text(), QStringLiteral("Nie ma pliku certyfikatu %1.").arg(ca));
    QFile plik(ca);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.close();
    QTest::keyClick(okno.EBaza, Qt::Key_Return);
    ASSERT_TRUE(okno.Przyjeto());
    const UstawieniaArchiwum u = okno.Ustawienia();
    EXPECT_EQ(u.Sslmode, QStringLiteral("verify-full"));
    EXPECT_EQ(u.Sslrootcert, ca);
    // Kept in the address and read back into the window.
    EXPECT_EQ(UstawieniaZAdresu(AdresArchiwum(u, QString())), u);
    okno.Przygotuj(u);
    EXPECT_EQ(okno.CSzyfrowanie->currentIndex(), 1);
    EXPECT_EQ(okno.ECa->text(), ca);

    // Without encryption: no CA file kept.
    okno.CSzyfrowanie->setCurrentIndex(2);
    EXPECT_EQ(okno.Ustawienia().Sslmode, QStringLiteral("disable"));
    EXPECT_TRUE(okno.Ustawienia().Sslrootcert.isEmpty());
}

TEST(TFSerwerArchiwumSzyfrowanie, SprawdzeniePolaczeniaPozaWatkiemOkna) {
    testy::BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    TFSerwerArchiwum okno;
    UstawieniaArchiwum u;
    u.Serwer = true;
    u.Host = testy::GniazdoSerweraTestowego();
    u.Baza = baza.Nazwa();
    u.Uzytkownik = QStringLiteral("sondrel_test");
    u.Sslmode = QStringLiteral("disable");
    okno.Przygotuj(u);
    okno.show();
    QSignalSpy sprawdzono(&okno, &TFSerwerArchiwum::Sprawdzono);
    QElapsedTimer czas;
    czas.start();
    okno.BSprawdz->click();
    // The window goes on at once, saying it checks.
    EXPECT_LT(czas.elapsed(), 500);
    EXPECT_TRUE(okno.Sprawdzanie());
    EXPECT_FALSE(okno.BSprawdz->isEnabled());
    ASSERT_TRUE(sprawdzono.count() == 1 || sprawdzono.wait(20000));
    EXPECT_TRUE(okno.LWynik->text().startsWith(QStringLiteral("Połączono z serwerem PostgreSQL ")))
        << okno.LWynik->text().toStdString();
    EXPECT_TRUE(okno.LWynik->text().contains(QStringLiteral(" jako sondrel_test ")));
    EXPECT_TRUE(okno.BSprawdz->isEnabled());

    // A database that is not there: refused in Polish.
    okno.EBaza->setText(QStringLiteral("nie_ma_takiej"));
    okno.BSprawdz->click();
    ASSERT_TRUE(sprawdzono.wait(20000));
    EXPECT_TRUE(okno.LWynik->text().endsWith(
        QStringLiteral("nie ma takiej bazy danych albo takiego użytkownika.")))
        << okno.LWynik->text().toStdString();
}

} // namespace
} // namespace sondrel
