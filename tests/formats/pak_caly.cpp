// SPDX-License-Identifier: GPL-3.0-or-later
// A container read whole into memory (WczytajCaly) gives what an open one gives, and what the
// file becomes afterwards no longer matters.
#include "formats/pak.h"

#include "support/pak_zapis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sondrel;
using namespace sondrel::testy;

TEST(PakCaly, JakOtwartyIPoZmianiePliku) {
    QTemporaryDir folder;
    const QString dobry = folder.filePath("dobry.sko");
    ASSERT_TRUE(ZapiszPak(dobry, {Czlon("Selo0.xml", "<odp/>"), Czlon("pusty", {}),
                                  Czlon("duzy.gif", QByteArray(70000, 'g'))}));
    const QString zaKrotki = folder.filePath("krotki.sko");
    ASSERT_TRUE(ZapiszBajty(zaKrotki, QByteArray("PACK\0\0\0", 7)));
    const QString poza = folder.filePath("poza.sko");
    CzlonPak zly = Czlon("zly", "x");
    zly.rozmiar = 1 << 20;
    ASSERT_TRUE(ZapiszPak(poza, {Czlon("Selo0.xml", "<a/>"), zly}));
    const QString kolejka = folder.filePath("kolejka.sko");
    ASSERT_EQ(mkfifo(QFile::encodeName(kolejka).constData(), 0600), 0);

    for (const QString& sciezka : {dobry, zaKrotki, poza, kolejka, folder.path(),
                                   folder.filePath("brak.sko"), QString::fromLatin1("a\0b", 3)}) {
        TVfsPAK otwarty, caly;
        EXPECT_EQ(caly.WczytajCaly(sciezka), otwarty.Open(sciezka)) << qPrintable(sciezka);
        EXPECT_EQ(caly.IsOpen(), otwarty.IsOpen()) << qPrintable(sciezka);
        EXPECT_EQ(caly.Names(), otwarty.Names()) << qPrintable(sciezka);
        for (const QString& nazwa : otwarty.Names() + QStringList{"brak"}) {
            EXPECT_EQ(caly.Extract(nazwa), otwarty.Extract(nazwa)) << qPrintable(nazwa);
            const auto widok = caly.ExtractView(nazwa);
            EXPECT_EQ(widok.has_value(), otwarty.Extract(nazwa).has_value());
            if (widok) EXPECT_EQ(widok->toByteArray(), *otwarty.Extract(nazwa));
        }
    }

    // The members come from memory: a file cut short afterwards changes nothing.
    TVfsPAK caly;
    ASSERT_TRUE(caly.WczytajCaly(dobry));
    ASSERT_TRUE(QFile(dobry).resize(20));
    EXPECT_EQ(caly.Extract("duzy.gif"), QByteArray(70000, 'g'));
    EXPECT_EQ(caly.ExtractView("selo0.XML")->toByteArray(), QByteArray("<odp/>"));
}
