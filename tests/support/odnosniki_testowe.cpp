// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/odnosniki_testowe.h"

#include "core/kodowanie1250.h"
#include "support/wzorce.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace sondrel::testy {

QStringList PlikiOdnosnikow(const QString& strona) {
    static const QRegularExpression wzor(QStringLiteral("\\bsrc\\s*=\\s*([\"'])([^\"'<>]*)\\1"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QUrl baza = QUrl::fromLocalFile(QFileInfo(strona).absolutePath() + QLatin1Char('/'));
    QStringList pliki;
    auto it = wzor.globalMatch(Z1250(Zawartosc(strona)));
    while (it.hasNext()) {
        const QUrl adres = baza.resolved(QUrl(it.next().captured(2), QUrl::TolerantMode));
        if (adres.isLocalFile() && !pliki.contains(adres.toLocalFile()))
            pliki << adres.toLocalFile();
    }
    return pliki;
}

QStringList OdnosnikiBezPlikow(const QString& strona) {
    QStringList brak;
    for (const QString& plik : PlikiOdnosnikow(strona))
        if (!QFileInfo(plik).isFile()) brak << plik;
    return brak;
}

} // namespace sondrel::testy
