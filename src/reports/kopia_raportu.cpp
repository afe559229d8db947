// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/kopia_raportu.h"

#include "core/pliki.h"
#include "core/zamiana_folderu.h"
#include "reports/odnosniki.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace sondrel {

namespace {

// Pictures that every report has beside it.
bool ObrazRamki(const QString& nazwa) {
    return nazwa == QLatin1String("naglowek.jpg") || nazwa == QLatin1String("stopka.jpg");
}

// The file a reference names, relative to the report's folder; empty when the reference is
// not a plain local name there (an address with a scheme, an absolute path, a way up).
QString PlikOdnosnika(const QByteArray& odnosnik, const QString& folderRaportu) {
    if (odnosnik.isEmpty() || odnosnik.contains(':') || odnosnik.startsWith('/') ||
        odnosnik.startsWith('\\') || odnosnik.startsWith('#') || odnosnik.startsWith('?'))
        return {};
    const QString nazwa = PlikZAdresu(odnosnik).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList czesci = nazwa.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (czesci.isEmpty() || czesci.contains(QStringLiteral("..")) ||
        czesci.contains(QStringLiteral(".")))
        return {};
    const QString wzgledna = czesci.join(QLatin1Char('/'));
    // a picture the report never had is left alone; one of the frame's is always there
    if (!QFileInfo(QDir(folderRaportu).filePath(wzgledna)).isFile() && !ObrazRamki(wzgledna))
        return {};
    return wzgledna;
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
    const QByteArray przedrostek = AdresPliku(folderObrazow).toLatin1() + '/';
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

bool ZapiszKopieRaportu(const QString& zrodlo, const QString& cel, QString* blad,
                        QString* plikZrodla) {
    if (plikZrodla) plikZrodla->clear();
    const auto porazka = [&](const QString& przyczyna) {
        if (blad) *blad = przyczyna;
        return false;
    };
    // a file of the report itself that cannot be read: its path is kept for the message
    const auto brakZrodla = [&](const QString& sciezka, const QString& powod) {
        if (plikZrodla) *plikZrodla = QDir::toNativeSeparators(sciezka);
        return porazka(QDir::toNativeSeparators(sciezka) + QStringLiteral(": ") + powod);
    };
    QFile plik;
    QString powodOdczytu;
    if (!OtworzZwyklyPlik(plik, zrodlo, &powodOdczytu)) return brakZrodla(zrodlo, powodOdczytu);
    const QByteArray raport = plik.readAll();
    plik.close();

    const QString folderRaportu = QFileInfo(zrodlo).absolutePath();
    const QString folderObrazow = FolderObrazowKopii(QFileInfo(cel).absoluteFilePath());
    QStringList obrazy;
    const QByteArray strona = PrzestawOdnosnikiObrazow(raport, QFileInfo(folderObrazow).fileName(),
                                                       folderRaportu, &obrazy);
    QString przyczyna;
    if (obrazy.isEmpty()) {
        if (!ZapiszPlik(cel, strona, &przyczyna))
            return porazka(QDir::toNativeSeparators(cel) + QStringLiteral(": ") + przyczyna);
        return true;
    }

    // The pictures go into a new folder of their own beside the page; it takes the place of the
    // old pictures' folder (whatever that is: a folder, a planted link) only when all of them are
    // written, and the page is written last. A failure on the way leaves the old page and its
    // pictures as they were.
    ZamianaFolderu folder(folderObrazow);
    if (!folder.Przygotuj(&przyczyna))
        return porazka(QDir::toNativeSeparators(folderObrazow) + QStringLiteral(": ") + przyczyna);
    for (const QString& obraz : std::as_const(obrazy)) {
        const QString docelowy = QDir(folder.Nowy()).filePath(obraz);
        QFile zrodlowy;
        const QString nazwa = QDir(folderObrazow).filePath(obraz);
        if (!QDir().mkpath(QFileInfo(docelowy).absolutePath()))
            return porazka(QDir::toNativeSeparators(QFileInfo(nazwa).absolutePath()) +
                           QStringLiteral(": nie można utworzyć folderu"));
        const QString zrodloObrazu = QDir(folderRaportu).filePath(obraz);
        if (!OtworzZwyklyPlik(zrodlowy, zrodloObrazu, &przyczyna))
            return brakZrodla(zrodloObrazu, przyczyna);
        if (!ZapiszPlik(docelowy, zrodlowy.readAll(), &przyczyna, Dowiazanie::Zastap))
            return porazka(QDir::toNativeSeparators(nazwa) + QStringLiteral(": ") + przyczyna);
    }
    if (!folder.Wstaw(&przyczyna))
        return porazka(QDir::toNativeSeparators(folderObrazow) + QStringLiteral(": ") + przyczyna);
    if (!ZapiszPlik(cel, strona, &przyczyna)) {
        folder.Cofnij();
        return porazka(QDir::toNativeSeparators(cel) + QStringLiteral(": ") + przyczyna);
    }
    folder.Zatwierdz();
    return true;
}

QString KomunikatNieudanejKopii(const QString& plikZrodla, const QString& blad) {
    const QString poczatek = QStringLiteral("Nie udało się zapisać raportu.\r");
    if (plikZrodla.isEmpty())
        return poczatek + QStringLiteral("Brak możliwości zapisu w wybranym miejscu.");
    if (!QFileInfo::exists(plikZrodla))
        return poczatek +
               QStringLiteral("Plik raportu zniknął z folderu tymczasowego programu:\r") +
               plikZrodla + QStringLiteral("\rOtwórz raport ponownie i zapisz go jeszcze raz.");
    const QString przedrostek = plikZrodla + QStringLiteral(": ");
    const QString powod = blad.startsWith(przedrostek) ? blad.mid(przedrostek.size()) : blad;
    return poczatek + QStringLiteral("Nie można odczytać pliku raportu:\r") + plikZrodla +
           QStringLiteral(" (") + powod + QStringLiteral(").");
}

} // namespace sondrel
