// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sondrel-cli run as the user runs it: a process of its own, with its own environment and
// standard output (a full device, a file), and a time limit so that a tool that hangs fails
// the test instead of stopping the run. Or its commands run inside the test (UruchomCli),
// with standard output and standard error in memory.

#include "baza_cli.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace sondrel::testy {

struct WynikProgramu {
    bool skonczony = false; // ended within the limit
    int kod = -1;           // its exit status (-1 after a crash)
    QByteArray wyjscie;
    QString bledy;
};

inline QString ProgramCli() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sondrel-cli");
}

inline WynikProgramu
UruchomProgramCli(const QStringList& argumenty,
                  const QProcessEnvironment& srodowisko = QProcessEnvironment::systemEnvironment(),
                  const QString& plikWyjscia = QString()) {
    WynikProgramu w;
    QProcess proces;
    proces.setProcessEnvironment(srodowisko);
    if (!plikWyjscia.isEmpty()) proces.setStandardOutputFile(plikWyjscia);
    proces.start(ProgramCli(), argumenty);
    w.skonczony = proces.waitForFinished(20000);
    if (!w.skonczony) {
        proces.kill();
        proces.waitForFinished();
    }
    w.kod = proces.exitStatus() == QProcess::NormalExit ? proces.exitCode() : -1;
    w.wyjscie = proces.readAllStandardOutput();
    w.bledy = QString::fromUtf8(proces.readAllStandardError());
    return w;
}

// A command run inside the test: its exit status, standard output and standard error.
struct Wynik {
    int kod = -1;
    QByteArray wyjscie;
    QString bledy;
};

inline Wynik Uruchom(const QStringList& argumenty) {
    Wynik w;
    QBuffer wyjscie(&w.wyjscie);
    QByteArray bledy;
    QBuffer bufor(&bledy);
    wyjscie.open(QIODevice::WriteOnly);
    bufor.open(QIODevice::WriteOnly);
    w.kod = UruchomCli(argumenty, wyjscie, bufor);
    w.bledy = QString::fromUtf8(bledy);
    return w;
}

} // namespace sondrel::testy

#define POMIN_BEZ_PROGRAMU_CLI()                                                                   \
    if (!QFileInfo::exists(sondrel::testy::ProgramCli()))                                          \
    GTEST_SKIP() << "sondrel-cli is not built beside the tests"
