// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ui/program_testowy.h"

#include <QDir>

namespace sondrel::testy {

ProgramWFolderze::ProgramWFolderze() {
    Foldery& f = program.srodowisko.foldery;
    f.FolderProgramu = folder.filePath(QStringLiteral("Program")) + QDir::separator();
    f.FolderTemp = folder.filePath(QStringLiteral("Temp"));
    f.FolderDokumentow = folder.filePath(QStringLiteral("Dokumenty"));
    f.PlikDziennika = folder.filePath(QStringLiteral("Dziennik.txt"));
    f.PlikUstawien = folder.filePath(QStringLiteral("Sondrel.ini"));
    for (const QString& d : {f.FolderProgramu, f.FolderTemp, f.FolderDokumentow})
        QDir().mkpath(d);
}

ProgramTestowy::ProgramTestowy() {
    ZapisujKomunikaty();
}

} // namespace sondrel::testy
