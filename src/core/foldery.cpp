#include "core/foldery.h"

#include "core/analiza.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

bool UstawFoldery(Srodowisko& srodowisko) {
    const QString dane = FolderSpecjalny(RodzajFolderu::DaneAplikacji);
    const QString sep = QDir::separator();
    Foldery& f = srodowisko.foldery;
    f.FolderDanych = dane + sep + "Brenvik" + sep + "Zadrix" + sep + "Sondrel";
    f.PlikUstawien = f.FolderDanych + sep + "Sondrel.ini";
    f.FolderTemp = f.FolderDanych + sep + "Temp";
    f.FolderDokumentow = FolderSpecjalny(RodzajFolderu::Dokumenty);
    f.PlikDziennika = f.FolderDanych + sep + "Dziennik.txt";
    // The whole path: on a fresh account even the application-data folder may be missing.
    if (QDir().mkpath(f.FolderDanych)) return true;
    srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga,
                              KomunikatBrakuFolderuDanych(f.FolderDanych));
    return false;
}

bool PrzygotujFoldery(Srodowisko& srodowisko, Analiza& analiza) {
    const bool folderDanych = UstawFoldery(srodowisko);
    const Foldery& f = srodowisko.foldery;
    analiza.PlikiOdpowiedzi.clear();
    const QFileInfo temp(f.FolderTemp);
    if (temp.exists() || temp.isSymLink()) WyczyscFolder(f.FolderTemp);
    QDir().mkdir(f.FolderTemp);
    return folderDanych;
}

void UsunFolderTemp(const Foldery& foldery) {
    if (!foldery.FolderTemp.isEmpty()) WyczyscFolder(foldery.FolderTemp);
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
