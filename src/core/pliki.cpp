#include "core/pliki.h"

#include "core/kodowanie1250.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstdio>

namespace sondrel {

namespace {

// A temporary name beside the target, then a rename over it, without a sync.
bool ZapiszBezSynchronizacji(const QString& sciezka, const QByteArray& bajty, QString* blad) {
    QTemporaryFile plik(sciezka + QStringLiteral(".XXXXXX"));
    plik.setAutoRemove(true);
    bool ok = plik.open() && plik.write(bajty) == bajty.size() && plik.flush();
    if (ok) {
        plik.close();
        // std::rename replaces an existing target in one step, unlike QFile::rename.
        ok = std::rename(QFile::encodeName(plik.fileName()).constData(),
                         QFile::encodeName(sciezka).constData()) == 0;
        if (ok) plik.setAutoRemove(false);
    }
    if (!ok && blad)
        *blad = plik.error() != QFileDevice::NoError
                    ? plik.errorString()
                    : (QFileInfo(sciezka).isDir() ? QStringLiteral("Is a directory")
                                                  : QStringLiteral("Cannot replace the file"));
    return ok;
}

} // namespace

bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad, Trwalosc trwalosc) {
    if (trwalosc == Trwalosc::Tymczasowy) return ZapiszBezSynchronizacji(sciezka, bajty, blad);
    QSaveFile plik(sciezka);
    const bool ok =
        plik.open(QIODevice::WriteOnly) && plik.write(bajty) == bajty.size() && plik.commit();
    if (!ok && blad) *blad = plik.errorString();
    return ok;
}

bool ZapiszPlikGdyInny(const QString& sciezka, const QByteArray& bajty, QString* blad) {
    QFile obecny(sciezka);
    if (obecny.size() == bajty.size() && obecny.open(QIODevice::ReadOnly) &&
        obecny.readAll() == bajty)
        return true;
    return ZapiszPlik(sciezka, bajty, blad);
}

QByteArray Wiersze1250(const QStringList& wiersze) {
    QByteArray wynik;
    for (const QString& w : wiersze)
        wynik += Na1250(w) + "\r\n";
    return wynik;
}

} // namespace sondrel
