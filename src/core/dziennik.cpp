// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "core/srodowisko.h"
#include "core/zegar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sondrel {

// The line is appended rather than the whole file rewritten: the file gets the same lines,
// and two running copies of the program no longer lose each other's lines.
void Srodowisko::WpiszDoDziennika(int poziom, const QString& tekst) const {
    if (PoziomDziennika < poziom || foldery.PlikDziennika.isEmpty()) return;
    const QDateTime teraz = Zegar::teraz();
    const QString wiersz = TekstDatyKrotkiej(teraz.date()) + QLatin1Char(' ') +
                           TekstGodzinyDlugiej(teraz.time()) + QStringLiteral(" - ") + tekst;
    QFile plik(foldery.PlikDziennika);
    if (!plik.open(QIODevice::ReadWrite | QIODevice::Append) &&
        !plik.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    // It names files and students: its owner's alone.
    plik.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A journal whose last line has no line break (edited by hand, cut short) gets one first,
    // so the new line stays a line of its own.
    QByteArray bajty;
    if (plik.isReadable() && plik.size() > 0 && plik.seek(plik.size() - 1)) {
        const QByteArray ostatni = plik.read(1);
        if (ostatni != "\n" && ostatni != "\r") bajty = "\r\n";
    }
    bajty += Na1250(wiersz) + "\r\n";
    plik.write(bajty);
}

void Srodowisko::PominietoPlik(const QString& sciezka, const QString& przed,
                               const QString& po) const {
    WpiszDoDziennika(0, przed + QFileInfo(sciezka).fileName() + po);
    if (pominietoPlik)
        pominietoPlik(przed + QDir::toNativeSeparators(QFileInfo(sciezka).absoluteFilePath()) + po);
}

} // namespace sondrel
