// SPDX-License-Identifier: GPL-3.0-or-later
#include "archiwum_usuwanie.h"

#include "archive/archiwum.h"
#include "core/foldery.h"
#include "core/srodowisko.h"

#include <QDate>

namespace sondrel {

namespace {

constexpr int KodWykonane = 0;
constexpr int KodBlednePolecenie = 1;
constexpr int KodBladZapisu = 4;
constexpr int KodBladArchiwum = 6;

void Pisz(QIODevice& cel, QString tekst) {
    tekst.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    cel.write(tekst.toUtf8() + '\n');
}

} // namespace

bool JestPolecenieUsuwania(const QStringList& argumenty) {
    const QString polecenie = argumenty.value(1);
    return polecenie == u"usun-ucznia" ||
           (polecenie == u"usun" && argumenty.contains(QStringLiteral("--przed")));
}

int UruchomUsuwanieArchiwum(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy) {
    const bool uczen = argumenty.value(1) == u"usun-ucznia";
    QString adres;
    QDate przed;
    QStringList pozycyjne;
    const auto wywolanie = [&](const QString& powod) {
        Pisz(bledy, powod + QStringLiteral("\rOpis wywołania: sondrel-cli --help"));
        return KodBlednePolecenie;
    };
    for (qsizetype i = 2; i < argumenty.size(); ++i) {
        const QString& a = argumenty[i];
        const bool opcja = a == u"--archiwum" || (!uczen && a == u"--przed");
        if (!opcja) {
            if (a.startsWith(QLatin1String("--")))
                return wywolanie(QStringLiteral("Nieznana opcja polecenia archiwum %1: %2")
                                     .arg(argumenty[1], a));
            pozycyjne.append(a);
            continue;
        }
        if (i + 1 >= argumenty.size()) return wywolanie(QStringLiteral("Brak wartości opcji ") + a);
        const QString wartosc = argumenty[++i];
        if (a == u"--archiwum") {
            adres = wartosc;
        } else {
            przed = QDate::fromString(wartosc, QStringLiteral("yyyy-MM-dd"));
            if (!przed.isValid())
                return wywolanie(QStringLiteral("Błędna data (RRRR-MM-DD): ") + wartosc);
        }
    }
    if (uczen && pozycyjne.size() != 1)
        return wywolanie(QStringLiteral("Podaj jedno nazwisko z imieniem ucznia: "
                                        "archiwum usun-ucznia \"NAZWISKO IMIĘ\"."));
    if (!uczen && !pozycyjne.isEmpty())
        return wywolanie(QStringLiteral("Za dużo argumentów polecenia archiwum usun."));

    Srodowisko srodowisko;
    UstawFoldery(srodowisko);
    if (adres.isEmpty()) adres = Archiwum::DomyslnaSciezka(srodowisko.foldery);
    Archiwum archiwum;
    archiwum.UstawDziennik(
        [&srodowisko](const QString& wiersz) { srodowisko.WpiszDoDziennika(0, wiersz); });
    QString tekst;
    if (archiwum.Otworz(adres)) {
        if (uczen) {
            if (const auto wynik = archiwum.UsunUcznia(pozycyjne.front()))
                tekst = QStringLiteral("Usunięto wyników ucznia: %1.\nUsunięto analiz, w których "
                                       "nie został żaden uczeń: %2.\n")
                            .arg(wynik->UsunieteWyniki)
                            .arg(wynik->UsunieteAnalizy);
        } else if (const auto ile = archiwum.UsunPrzed(przed)) {
            tekst = QStringLiteral("Usunięto analiz: %1.\n").arg(*ile);
        }
    }
    if (tekst.isEmpty()) {
        Pisz(bledy, archiwum.Blad());
        return KodBladArchiwum;
    }
    const QByteArray bajty = tekst.toUtf8();
    if (wyjscie.write(bajty) != bajty.size()) return KodBladZapisu;
    return KodWykonane;
}

QString OpisPominietych(const QString& naglowek, const std::vector<QString>& powody) {
    QString tekst = naglowek.arg(powody.size());
    for (const QString& powod : powody)
        tekst += QLatin1Char('\r') + powod;
    return tekst;
}

QString SkladniaUsuwania() {
    return QStringLiteral(
        "  sondrel-cli archiwum usun-ucznia \"NAZWISKO IMIĘ\"\n"
        "  sondrel-cli archiwum usun --przed RRRR-MM-DD\n"
        "  usun-ucznia usuwa wyniki ucznia (i zapisy jego plików odpowiedzi) ze wszystkich\n"
        "              analiz, które wolno zmieniać, i przelicza ich podsumowania; analiza bez\n"
        "              uczniów znika; wypisuje, ile wyników usunięto\n"
        "  usun --przed  usuwa analizy napisane przed tym dniem; wypisuje, ile ich usunięto\n");
}

} // namespace sondrel
