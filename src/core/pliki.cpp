#include "core/pliki.h"

#include "core/kodowanie1250.h"

#include <QFile>
#include <QSaveFile>

namespace sondrel {

bool ZapiszPlik(const QString& sciezka, const QByteArray& bajty, QString* blad) {
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
