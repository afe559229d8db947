// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/srodowisko_testowe.h"

#include "core/kodowanie1250.h"

#include <QFile>

namespace sondrel::testy {

void ZapisujKomunikaty(Komunikaty& komunikaty, QList<Komunikat>& lista, const int& odpowiedz) {
    komunikaty.ustawObsluge([&lista, &odpowiedz](int rodzaj, int ikona, const QString& tekst) {
        lista.append({rodzaj, ikona, tekst});
        return JestPytaniem(rodzaj) ? odpowiedz : WynikZamknij;
    });
}

QStringList Teksty(const QList<Komunikat>& lista) {
    QStringList teksty;
    for (const Komunikat& k : lista)
        teksty.append(k.tekst);
    return teksty;
}

SrodowiskoTestowe::SrodowiskoTestowe(int odpowiedz) : odpowiedz(odpowiedz) {
    srodowisko.foldery.PlikDziennika = katalog.filePath(QStringLiteral("Dziennik.txt"));
    srodowisko.foldery.FolderTemp = katalog.filePath(QStringLiteral("Temp"));
    srodowisko.PoziomDziennika = 2;
    ZapisujKomunikaty(srodowisko.komunikaty, komunikaty, this->odpowiedz);
}

QStringList SrodowiskoTestowe::dziennik() const {
    QFile plik(srodowisko.foldery.PlikDziennika);
    QStringList wiersze;
    if (!plik.open(QIODevice::ReadOnly)) return wiersze;
    const QByteArray tresc = plik.readAll();
    for (QByteArray wiersz : tresc.split('\n')) {
        if (wiersz.isEmpty()) continue;
        if (wiersz.endsWith('\r')) wiersz.chop(1);
        const qsizetype myslnik = wiersz.indexOf(" - ");
        wiersze.append(Z1250(myslnik >= 0 ? wiersz.mid(myslnik + 3) : wiersz));
    }
    return wiersze;
}

void SrodowiskoTestowe::wyczysc() {
    komunikaty.clear();
    QFile::remove(srodowisko.foldery.PlikDziennika);
}

} // namespace sondrel::testy
