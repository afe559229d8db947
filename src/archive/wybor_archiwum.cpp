// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/wybor_archiwum.h"

#include "archive/archiwum.h"
#include "archive/polaczenie.h"
#include "core/srodowisko.h"
#include "settings/ustawienia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sondrel {

namespace {

// The school's preset: the first line of the first sondrel/archiwum among $XDG_CONFIG_DIRS
// that is neither empty nor a comment ("#"), with the file's path in `plik`. Only a small
// regular file is read.
QString UstawienieSzkoly(QString& plik) {
    QString foldery = qEnvironmentVariable("XDG_CONFIG_DIRS");
    if (foldery.isEmpty()) foldery = QStringLiteral("/etc/xdg");
    for (const QString& folder : foldery.split(u':', Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(folder)) continue;
        const QString sciezka = QDir(folder).filePath(QStringLiteral("sondrel/archiwum"));
        const QFileInfo info(sciezka);
        if (!info.isFile() || info.size() > 4096) continue;
        QFile f(sciezka);
        if (!f.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& bajty : f.readAll().split('\n')) {
            const QString wiersz = QString::fromUtf8(bajty).trimmed();
            if (wiersz.isEmpty() || wiersz.startsWith(u'#')) continue;
            plik = sciezka;
            return wiersz;
        }
    }
    return {};
}

} // namespace

QString WybranyAdresArchiwum(const QString& arch, const Foldery& foldery, QString* skad) {
    const auto wybor = [skad](const QString& adres, const QString& zrodlo) {
        if (skad) *skad = zrodlo;
        return adres;
    };
    if (const QString z = qEnvironmentVariable(ZmiennaArchiwum).trimmed(); !z.isEmpty())
        return wybor(z, QStringLiteral("zmienna ") + QLatin1String(ZmiennaArchiwum));
    if (JestAdresemSerwera(arch)) return wybor(arch, QStringLiteral("ustawienia programu"));
    QString plik;
    if (const QString szkola = UstawienieSzkoly(plik); !szkola.isEmpty())
        return wybor(szkola, QStringLiteral("plik ") + QDir::toNativeSeparators(plik));
    if (foldery.FolderDanych.isEmpty())
        return wybor(QString(), QStringLiteral("brak folderu danych programu"));
    return wybor(Archiwum::DomyslnaSciezka(foldery),
                 QStringLiteral("domyślne archiwum w folderze danych programu"));
}

QString WybranyAdresArchiwum(const Foldery& foldery, QString* skad) {
    Ustawienia ustawienia;
    if (foldery.PlikUstawien.isEmpty() ||
        OdczytajPlikUstawien(foldery.PlikUstawien, ustawienia) != StanPlikuUstawien::Wczytany)
        ustawienia.arch.clear();
    return WybranyAdresArchiwum(ustawienia.arch, foldery, skad);
}

bool FolderDanychDoUstalenia() {
    if (QDir::isAbsolutePath(qEnvironmentVariable("XDG_DATA_HOME"))) return true;
    const QString dom = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(dom) && QDir::cleanPath(dom) != u"/" && QFileInfo(dom).isDir();
}

} // namespace sondrel
