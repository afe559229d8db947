#include "reports/kopia_raportu.h"

#include "core/kodowanie1250.h"
#include "core/pliki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace sondrel {

namespace {

// The file a reference names, relative to the report's folder; empty when the reference is
// not a plain local name there (an address with a scheme, an absolute path, a way up).
QString PlikOdnosnika(const QByteArray& odnosnik, const QString& folderRaportu) {
    if (odnosnik.isEmpty() || odnosnik.contains(':') || odnosnik.startsWith('/') ||
        odnosnik.startsWith('\\') || odnosnik.startsWith('#') || odnosnik.startsWith('?'))
        return {};
    QByteArray surowy = odnosnik;
    surowy.replace("&amp;", "&");
    surowy = QByteArray::fromPercentEncoding(surowy);
    const QString nazwa = Z1250(surowy).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList czesci = nazwa.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (czesci.isEmpty() || czesci.contains(QStringLiteral("..")) ||
        czesci.contains(QStringLiteral(".")))
        return {};
    const QFileInfo plik(QDir(folderRaportu).filePath(czesci.join(QLatin1Char('/'))));
    if (!plik.isFile()) return {};
    return czesci.join(QLatin1Char('/'));
}

} // namespace

QString FolderObrazowKopii(const QString& sciezka) {
    const QFileInfo info(sciezka);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("_pliki"));
}

QByteArray PrzestawOdnosnikiObrazow(const QByteArray& raport, const QString& folderObrazow,
                                    const QString& folderRaportu, QStringList* obrazy) {
    // src="…" or src='…' in any letter case, as the test's own markup may write it
    static const QRegularExpression wzor(QStringLiteral("(\\bsrc\\s*=\\s*)([\"'])([^\"'<>]*)\\2"),
                                         QRegularExpression::CaseInsensitiveOption);
    // matched on the bytes read as Latin-1, so that offsets are byte offsets
    const QString tekst = QString::fromLatin1(raport);
    const QByteArray przedrostek = QUrl::toPercentEncoding(folderObrazow) + '/';
    QByteArray wynik;
    qsizetype od = 0;
    auto it = wzor.globalMatch(tekst);
    while (it.hasNext()) {
        const auto m = it.next();
        const QByteArray odnosnik = m.captured(3).toLatin1();
        const QString plik = PlikOdnosnika(odnosnik, folderRaportu);
        if (plik.isEmpty()) continue;
        if (obrazy && !obrazy->contains(plik)) obrazy->append(plik);
        wynik += raport.mid(od, m.capturedStart(3) - od);
        wynik += przedrostek + odnosnik;
        od = m.capturedEnd(3);
    }
    wynik += raport.mid(od);
    return wynik;
}

bool ZapiszKopieRaportu(const QString& zrodlo, const QString& cel, QString* blad) {
    const auto porazka = [&](const QString& przyczyna) {
        if (blad) *blad = przyczyna;
        return false;
    };
    QFile plik(zrodlo);
    if (!plik.open(QIODevice::ReadOnly))
        return porazka(QDir::toNativeSeparators(zrodlo) + QStringLiteral(": ") +
                       plik.errorString());
    const QByteArray raport = plik.readAll();
    plik.close();

    const QString folderRaportu = QFileInfo(zrodlo).absolutePath();
    const QString folderObrazow = FolderObrazowKopii(cel);
    QStringList obrazy;
    const QByteArray strona = PrzestawOdnosnikiObrazow(raport, QFileInfo(folderObrazow).fileName(),
                                                       folderRaportu, &obrazy);

    // The pictures first, the page last: a page is only there when its pictures are.
    const bool nowyFolder = !obrazy.isEmpty() && !QFileInfo::exists(folderObrazow);
    const auto sprzatnij = [&] {
        if (nowyFolder) QDir(folderObrazow).removeRecursively();
    };
    for (const QString& obraz : std::as_const(obrazy)) {
        const QString docelowy = QDir(folderObrazow).filePath(obraz);
        QFile zrodlowy(QDir(folderRaportu).filePath(obraz));
        QString przyczyna;
        if (!QDir().mkpath(QFileInfo(docelowy).absolutePath())) {
            sprzatnij();
            return porazka(QDir::toNativeSeparators(folderObrazow) +
                           QStringLiteral(": nie można utworzyć folderu"));
        }
        if (!zrodlowy.open(QIODevice::ReadOnly) ||
            !ZapiszPlik(docelowy, zrodlowy.readAll(), &przyczyna)) {
            sprzatnij();
            return porazka(QDir::toNativeSeparators(docelowy) + QStringLiteral(": ") +
                           (przyczyna.isEmpty() ? zrodlowy.errorString() : przyczyna));
        }
    }
    QString przyczyna;
    if (!ZapiszPlik(cel, strona, &przyczyna)) {
        sprzatnij();
        return porazka(QDir::toNativeSeparators(cel) + QStringLiteral(": ") + przyczyna);
    }
    return true;
}

} // namespace sondrel
