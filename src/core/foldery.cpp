#include "core/foldery.h"

#include "core/analiza.h"

#include <QCoreApplication>
#include <QDir>
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

void UstawFoldery(Srodowisko& srodowisko) {
    const QString dane = FolderSpecjalny(RodzajFolderu::DaneAplikacji);
    QDir dir(dane);
    for (const char* poziom : {"Brenvik", "Zadrix", "Sondrel"}) {
        dir.mkdir(QLatin1String(poziom)); // an existing folder is fine, a failure is ignored
        dir.cd(QLatin1String(poziom));
    }
    const QString sep = QDir::separator();
    Foldery& f = srodowisko.foldery;
    f.FolderDanych = dane + sep + "Brenvik" + sep + "Zadrix" + sep + "Sondrel";
    f.PlikUstawien = f.FolderDanych + sep + "Sondrel.ini";
    f.FolderTemp = f.FolderDanych + sep + "Temp";
    f.FolderDokumentow = FolderSpecjalny(RodzajFolderu::Dokumenty);
    f.PlikDziennika = f.FolderDanych + sep + "Dziennik.txt";
}

void PrzygotujFoldery(Srodowisko& srodowisko, Analiza& analiza) {
    UstawFoldery(srodowisko);
    const Foldery& f = srodowisko.foldery;
    analiza.PlikiOdpowiedzi.clear();
    if (QFileInfo::exists(f.FolderTemp)) WyczyscFolder(f.FolderTemp);
    QDir().mkdir(f.FolderTemp);
}

void UsunFolderTemp(const Foldery& foldery) {
    if (!foldery.FolderTemp.isEmpty()) WyczyscFolder(foldery.FolderTemp);
}

void WyczyscFolder(const QString& sciezka) {
    QDir dir(sciezka);
    const auto pliki = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& nazwa : pliki)
        dir.remove(nazwa);
    QDir().rmdir(sciezka);
}

} // namespace sondrel
