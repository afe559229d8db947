// SPDX-License-Identifier: GPL-3.0-or-later
// Both programs answer --help and --version on standard output with exit status 0, without a
// display and without taking the option for a file.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Odpowiedz {
    int kod = -1;
    QString wyjscie, bledy;
};

Odpowiedz Uruchom(const QString& program, const QStringList& argumenty) {
    QProcess proces;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.remove(QStringLiteral("DISPLAY"));
    srodowisko.remove(QStringLiteral("WAYLAND_DISPLAY"));
    srodowisko.remove(QStringLiteral("QT_QPA_PLATFORM"));
    proces.setProcessEnvironment(srodowisko);
    proces.start(program, argumenty);
    if (!proces.waitForFinished(30000)) return {};
    return {proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1,
            QString::fromUtf8(proces.readAllStandardOutput()),
            QString::fromUtf8(proces.readAllStandardError())};
}

TEST(OpcjeProgramow, PomocIWersja) {
    for (const char* nazwa : {"sondrel", "sondrel-cli"}) {
        const QString program = QCoreApplication::applicationDirPath() + '/' + nazwa;
        if (!QFileInfo::exists(program)) {
            std::cout << "[ SKIPPED  ] " << nazwa << " is not built beside the tests\n";
            continue;
        }
        const Odpowiedz pomoc = Uruchom(program, {"--help"});
        EXPECT_EQ(pomoc.kod, 0) << nazwa;
        EXPECT_TRUE(pomoc.wyjscie.startsWith(QStringLiteral("Użycie:"))) << nazwa;
        EXPECT_TRUE(pomoc.wyjscie.contains(QStringLiteral("--version"))) << nazwa;
        EXPECT_TRUE(pomoc.bledy.isEmpty()) << pomoc.bledy.toStdString();

        const Odpowiedz wersja = Uruchom(program, {"--version"});
        EXPECT_EQ(wersja.kod, 0) << nazwa;
        EXPECT_TRUE(wersja.wyjscie.startsWith(QLatin1String(nazwa) + QStringLiteral(" 1.")))
            << wersja.wyjscie.toStdString();
        EXPECT_EQ(wersja.wyjscie.count(u'\n'), 1);
    }
}

} // namespace
