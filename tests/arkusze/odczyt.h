// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading back what the spreadsheet writers wrote, with real spreadsheet software: openpyxl
// (through a small script that prints every cell with its type and number format as JSON) and
// LibreOffice Calc headless converting files in one run with a private profile.

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace sondrel::testy {

// The Python that has openpyxl: the system's (the Debian package), else the first on the path.
inline QString PythonZOpenpyxl() {
    for (const QString& p : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess proc;
        proc.start(p, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (proc.waitForFinished(60000) && proc.exitStatus() == QProcess::NormalExit &&
            proc.exitCode() == 0)
            return p;
    }
    return {};
}

// {file: {"arkusze": {sheet: {"zamrozenie", "filtr", "szerokosci", "komorki"}}, "kolejnosc"}}
// of the workbooks, read by openpyxl; an empty object (and a failure) when it could not.
inline QJsonObject CzytajOpenpyxl(const QStringList& pliki) {
    const QString python = PythonZOpenpyxl();
    if (python.isEmpty()) {
        ADD_FAILURE() << "python3 with openpyxl is missing (tools/pakiety.sh installs it)";
        return {};
    }
    QProcess proc;
    proc.start(python, QStringList{QStringLiteral(SONDREL_DANE_TESTU "/czytaj_xlsx.py")} + pliki);
    if (!proc.waitForFinished(120000) || proc.exitCode() != 0) {
        ADD_FAILURE() << "openpyxl failed: " << proc.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(proc.readAllStandardOutput()).object();
}

// One conversion run of LibreOffice Calc: every file into `folder` with the output filter
// (`doFormatu`), the input read with `filtrWejscia` when given. False (and a failure) when
// LibreOffice is missing or failed.
inline bool KonwertujLibreOffice(const QStringList& pliki, const QString& doFormatu,
                                 const QString& folder, const QString& filtrWejscia = {}) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        ADD_FAILURE() << "LibreOffice Calc is missing (tools/pakiety.sh installs it)";
        return false;
    }
    QStringList argumenty{QStringLiteral("-env:UserInstallation=file://") + folder +
                              QStringLiteral("/profil"),
                          QStringLiteral("--headless"), QStringLiteral("--norestore")};
    if (!filtrWejscia.isEmpty()) argumenty << QStringLiteral("--infilter=") + filtrWejscia;
    argumenty << QStringLiteral("--convert-to") << doFormatu << QStringLiteral("--outdir") << folder
              << pliki;
    QProcess proc;
    proc.setProcessChannelMode(QProcess::MergedChannels);
    proc.start(soffice, argumenty);
    if (!proc.waitForFinished(300000) || proc.exitCode() != 0) {
        ADD_FAILURE() << "LibreOffice failed: " << proc.readAll().toStdString();
        return false;
    }
    return true;
}

// The cells of one sheet read by openpyxl: rows of {"t", "v", "f"}.
inline QJsonArray Komorki(const QJsonObject& odczyt, const QString& plik, const QString& arkusz) {
    return odczyt[plik][QStringLiteral("arkusze")][arkusz][QStringLiteral("komorki")].toArray();
}

// A CSV file written by LibreOffice as rows of fields (";" between them, no quoting in the
// fields this test reads), UTF-8, without the byte-order mark.
inline QList<QStringList> WierszeCsv(const QString& sciezka) {
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing: " << sciezka.toStdString();
        return {};
    }
    QString tekst = QString::fromUtf8(plik.readAll());
    if (tekst.startsWith(QChar(0xFEFF))) tekst.remove(0, 1);
    QList<QStringList> wiersze;
    for (const QString& linia :
         tekst.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts))
        wiersze.append(linia.split(u';'));
    return wiersze;
}

} // namespace sondrel::testy
