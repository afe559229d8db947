// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/foldery.h"

#include "core/analiza.h"
#include "core/pliki.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace sondrel {

QString FolderSpecjalny(RodzajFolderu rodzaj) {
    const auto miejsce = rodzaj == RodzajFolderu::DaneAplikacji
                             ? QStandardPaths::GenericDataLocation
                             : QStandardPaths::DocumentsLocation;
    QString sciezka = QStandardPaths::writableLocation(miejsce);
    if (sciezka.isEmpty()) sciezka = QDir::homePath();
    return QDir::toNativeSeparators(sciezka);
}

QString FolderPlikuProgramu() {
    QString folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty()) folder = QDir::currentPath();
    return QDir::toNativeSeparators(folder) + QDir::separator();
}

QString KomunikatBrakuFolderuDanych(const QString& folder) {
    return QStringLiteral("Nie udało się utworzyć folderu programu:\r") +
           QDir::toNativeSeparators(folder) +
           QStringLiteral("\rUstawienia i dziennik zdarzeń nie będą zapisywane.");
}

QString FolderDanychProgramu() {
    const QString sep = QDir::separator();
    return FolderSpecjalny(RodzajFolderu::DaneAplikacji) + sep + "Brenvik" + sep + "Zadrix" + sep +
           "Sondrel";
}

bool UstawFoldery(Srodowisko& srodowisko) {
    const QString sep = QDir::separator();
    Foldery& f = srodowisko.foldery;
    f.FolderDanych = FolderDanychProgramu();
    f.PlikUstawien = f.FolderDanych + sep + "Sondrel.ini";
    f.FolderTemp = f.FolderDanych + sep + "Temp";
    f.FolderDokumentow = FolderSpecjalny(RodzajFolderu::Dokumenty);
    f.PlikDziennika = f.FolderDanych + sep + "Dziennik.txt";
    // The whole path: on a fresh account even the application-data folder may be missing. The
    // folder holds students' names and results: its owner's alone, an older one made so too.
    if (UtworzFolderPrywatny(f.FolderDanych)) return true;
    srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga,
                              KomunikatBrakuFolderuDanych(f.FolderDanych));
    return false;
}

namespace {

// The lock of a temporary folder, held while this copy runs; nothing when another live copy
// holds it. A lock left by a copy that ended without removing it is taken over.
std::shared_ptr<QLockFile> ZablokujFolder(const QString& folder) {
    const QString plik = folder + QStringLiteral(".lock");
    auto blokada = std::make_shared<QLockFile>(plik);
    blokada->setStaleLockTime(0); // stale only when its process is gone
    if (!blokada->tryLock(0)) return nullptr;
    QFile::setPermissions(plik, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return blokada;
}

} // namespace

bool PrzygotujFoldery(Srodowisko& srodowisko, Analiza& analiza) {
    const bool folderDanych = UstawFoldery(srodowisko);
    Foldery& f = srodowisko.foldery;
    analiza.PlikiOdpowiedzi.clear();
    // The temporary folder is one running copy's own: the first copy takes "Temp"; a copy
    // started while another runs takes "Temp-<pid>", so that no copy empties or removes the
    // reports of another. Folders of such copies that have ended are removed.
    f.BlokadaTemp.reset();
    f.BlokadaTemp = ZablokujFolder(f.FolderTemp);
    if (!f.BlokadaTemp) {
        f.FolderTemp += QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
        f.BlokadaTemp = ZablokujFolder(f.FolderTemp);
    }
    const QDir dane(f.FolderDanych);
    for (const QString& nazwa :
         dane.entryList({QStringLiteral("Temp-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = dane.filePath(nazwa);
        if (QDir::toNativeSeparators(folder) == f.FolderTemp) continue;
        if (auto blokada = ZablokujFolder(folder)) WyczyscFolder(folder);
    }
    const QFileInfo temp(f.FolderTemp);
    if (temp.exists() || temp.isSymLink()) WyczyscFolder(f.FolderTemp);
    UtworzFolderPrywatny(f.FolderTemp);
    return folderDanych;
}

void UsunFolderTemp(Foldery& foldery) {
    if (!foldery.FolderTemp.isEmpty() && foldery.BlokadaTemp) WyczyscFolder(foldery.FolderTemp);
    foldery.BlokadaTemp.reset(); // removes the lock file
}

void WyczyscFolder(const QString& sciezka) {
    // A link in the folder's place goes as a link: the folder it leads to is not ours to empty.
    if (QFileInfo(sciezka).isSymLink()) {
        QFile::remove(sciezka);
        return;
    }
    QDir dir(sciezka);
    const QFileInfoList wpisy =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& wpis : wpisy)
        if (wpis.isSymLink() || !wpis.isDir())
            dir.remove(wpis.fileName()); // a link, not its target
    QDir().rmdir(sciezka);
}

} // namespace sondrel
