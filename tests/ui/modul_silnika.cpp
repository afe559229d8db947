// SPDX-License-Identifier: GPL-3.0-or-later
// The HTML engine module's handshake: the module of this build is taken; a module of another
// build (another identity, or none) is refused with a message and never called; a missing or
// unreadable module gets a message of its own.
#include "ui/modul_silnika.h"

#include "core/foldery.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(ModulSilnika, TozsamoscSprawdzanaPrzedWszystkim) {
    QTemporaryDir folder;
    const QString tekst = folder.filePath("libsondrel_silnik.so");
    QFile plik(tekst);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write("to nie jest biblioteka");
    plik.close();
    const struct {
        QString plik;
        StanModulu stan;
        const char* komunikat;
    } przypadki[] = {
        {QStringLiteral(MODUL_OBCY), StanModulu::InnaBudowa,
         "Nie udało się uruchomić przeglądarki raportów.\rModuł przeglądarki "
         "(libsondrel_silnik.so) pochodzi z innej wersji programu. Zainstaluj program ponownie."},
        {QStringLiteral(MODUL_BEZ_TOZSAMOSCI), StanModulu::InnaBudowa,
         "Nie udało się uruchomić przeglądarki raportów.\rModuł przeglądarki "
         "(libsondrel_silnik.so) pochodzi z innej wersji programu. Zainstaluj program ponownie."},
        {folder.filePath("brak.so"), StanModulu::Brak,
         "Nie udało się uruchomić przeglądarki raportów.\rBrak modułu przeglądarki "
         "(libsondrel_silnik.so). Zainstaluj program ponownie."},
        {tekst, StanModulu::Uszkodzony,
         "Nie udało się uruchomić przeglądarki raportów.\rNie można wczytać modułu przeglądarki "
         "(libsondrel_silnik.so). Zainstaluj program ponownie."},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.plik.toStdString());
        const ModulSilnika m = WczytajModulSilnika(p.plik);
        EXPECT_EQ(m.stan, p.stan);
        EXPECT_EQ(m.Komunikat(), QString::fromUtf8(p.komunikat));
        EXPECT_EQ(m.funkcje != nullptr, p.stan == StanModulu::Gotowy);
        EXPECT_EQ(m.powod.isEmpty(), p.stan == StanModulu::Gotowy) << m.powod.toStdString();
    }
    // the module of this build, beside the program
    const ModulSilnika& wlasny = ModulSilnikaProgramu();
    EXPECT_EQ(wlasny.stan, StanModulu::Gotowy) << wlasny.powod.toStdString();
    EXPECT_EQ(wlasny.plik, FolderPlikuProgramu() + "libsondrel_silnik.so");
    EXPECT_TRUE(wlasny.funkcje && wlasny.Komunikat().isEmpty());
    // the journal's reason names both builds
    const ModulSilnika obcy = WczytajModulSilnika(QStringLiteral(MODUL_OBCY));
    EXPECT_TRUE(obcy.powod.contains(QStringLiteral("sondrel 0.9.0")));
    EXPECT_TRUE(obcy.powod.contains(QString::fromLatin1(TozsamoscBudowySilnika())));
}

// The engine's flags: the renderer's accessibility is forced once, beside the flags given,
// only while assistive technology is active.
TEST(ModulSilnika, FlagiDostepnosciTylkoGdyCzytnikDziala) {
    const struct {
        const char* dane;
        bool dostepnosc;
        const char* wynik;
    } przypadki[] = {
        {"", false, ""},
        {"--no-sandbox", false, "--no-sandbox"},
        {"", true, "--force-renderer-accessibility"},
        {" --no-sandbox  --disable-gpu ", true,
         "--no-sandbox  --disable-gpu --force-renderer-accessibility"},
        {"--force-renderer-accessibility --no-sandbox", true,
         "--force-renderer-accessibility --no-sandbox"},
        {"--force-renderer-accessibility=complete", true,
         "--force-renderer-accessibility=complete"},
        {"--force-renderer-accessibility-x", true,
         "--force-renderer-accessibility-x --force-renderer-accessibility"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.dane);
        EXPECT_EQ(FlagiSilnika(p.dane, p.dostepnosc), QByteArray(p.wynik));
    }

    // forced on by the toolkit's switch; off where nothing asks (no session bus in the tests)
    const auto przywroc = [](const char* nazwa, const QByteArray& bylo) {
        if (bylo.isNull())
            qunsetenv(nazwa);
        else
            qputenv(nazwa, bylo);
    };
    const QByteArray zawsze = qgetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    const QByteArray szyna = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/sondrel-test-bus");
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    EXPECT_TRUE(DostepnoscAktywna());
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "0");
    EXPECT_FALSE(DostepnoscAktywna());
    przywroc("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", zawsze);
    przywroc("DBUS_SESSION_BUS_ADDRESS", szyna);
}

} // namespace
} // namespace sondrel
