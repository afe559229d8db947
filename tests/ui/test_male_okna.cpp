// SPDX-License-Identifier: GPL-3.0-or-later
// The save confirmation icon and the vignette.
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_zegar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sondrel;

TEST(TFZegar, DrugiZapisPrzesuwaIkoneAleNieWydluzaCzasu) {
    TFZegar zegar;
    EXPECT_EQ(zegar.size(), QSize(44, 44));
    EXPECT_FALSE(zegar.isVisible());
    EXPECT_FALSE(zegar.ImZapisIkona->Gra());

    QElapsedTimer czas;
    czas.start();
    zegar.PokazIkoneZapisu(130, 200);
    EXPECT_TRUE(zegar.isVisible());
    EXPECT_EQ(zegar.pos(), QPoint(130, 200));
    EXPECT_TRUE(zegar.ImZapisIkona->isEnabled());
    EXPECT_TRUE(zegar.ImZapisIkona->Gra());
    EXPECT_FALSE(QApplication::activeModalWidget());

    QTest::qWait(900);
    EXPECT_GT(zegar.ImZapisIkona->Klatka(), 0); // the animation runs
    zegar.PokazIkoneZapisu(150, 220);
    EXPECT_EQ(zegar.pos(), QPoint(150, 220));
    EXPECT_TRUE(zegar.isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return !zegar.isVisible(); }, 3000));
    const qint64 ms = czas.elapsed();
    EXPECT_GE(ms, 1900);
    EXPECT_LT(ms, 2700); // two seconds after the first call, not the second
    EXPECT_FALSE(zegar.ImZapisIkona->isEnabled());
    EXPECT_FALSE(zegar.ImZapisIkona->Gra());
    EXPECT_FALSE(zegar.Zegar.isActive());

    // shown again later, it plays from the first frame
    zegar.PokazIkoneZapisu(10, 10);
    EXPECT_EQ(zegar.ImZapisIkona->Klatka(), 0);
    EXPECT_TRUE(zegar.Zegar.isActive());
}

TEST(TFWinieta, MiejsceKsztaltIZamkniecie) {
    TFWinieta winieta;
    EXPECT_EQ(winieta.size(), QSize(366, 239));
    EXPECT_EQ(winieta.mask(), skora::RegionKsztaltu(skora::Ksztalt::Sciety, QSize(366, 239)));
    EXPECT_EQ(winieta.LCloseWinieta->geometry(), QRect(323, 21, 25, 17));
    // "who, when, version" as the menu promises: the build's day is a real date
    EXPECT_TRUE(skora::DataKompilacji().isValid());
    EXPECT_LE(skora::DataKompilacji(), QDate::currentDate().addDays(1));

    QTimer::singleShot(0, &winieta, [&winieta] {
        EXPECT_EQ(QApplication::activeModalWidget(), &winieta);
        EXPECT_EQ(winieta.pos(), QPoint(100 + 260, 40 + 160));
        QTest::mouseClick(winieta.LCloseWinieta, Qt::LeftButton);
    });
    winieta.Pokaz(QPoint(100, 40));
    EXPECT_FALSE(winieta.isVisible());
}
