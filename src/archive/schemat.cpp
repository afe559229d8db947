// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/schemat.h"

#include "archive/archiwum.h"
#include "archive/dialekt.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace sondrel {

namespace {

constexpr char16_t ZnakiCyfr[] = u"0123456789abcdefghijklmnopqrstuv";

bool Wykonaj(QSqlDatabase& baza, const QString& sql, QString& blad) {
    QSqlQuery q(baza);
    if (q.exec(sql)) return true;
    blad = q.lastError().text();
    return false;
}

bool Wersja1(QSqlDatabase& baza, const Dialekt& dialekt, QString& blad) {
    const QString analizaId =
        QStringLiteral("analiza_id BIGINT NOT NULL REFERENCES analizy(id) ON DELETE CASCADE");
    const QString polecenia[] = {
        QStringLiteral("CREATE TABLE wersja_schematu (wersja INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE analizy ("
                       "id %1, "
                       "odcisk TEXT NOT NULL, "
                       "pliki_odcisk TEXT NOT NULL UNIQUE, "
                       "klasa TEXT NOT NULL, "
                       "data_napisania TEXT NOT NULL, "
                       "dodano TEXT NOT NULL, "
                       "nazwa TEXT NOT NULL, "
                       "autor TEXT NOT NULL, "
                       "ilosc_pytan INTEGER NOT NULL, "
                       "ilosc_odpowiedzi INTEGER NOT NULL, "
                       "typ INTEGER NOT NULL, "
                       "czas INTEGER NOT NULL, "
                       "wersja TEXT NOT NULL, "
                       "tkk INTEGER NOT NULL, "
                       "prog_cel INTEGER NOT NULL, "
                       "prog_bdb INTEGER NOT NULL, "
                       "prog_db INTEGER NOT NULL, "
                       "prog_dst INTEGER NOT NULL, "
                       "prog_dp INTEGER NOT NULL, "
                       "klucz TEXT NOT NULL, "
                       "plik_testu TEXT NOT NULL, "
                       "ilosc_uczniow INTEGER NOT NULL, "
                       "procent_klasy INTEGER NOT NULL)")
            .arg(dialekt.KluczGlowny),
        QStringLiteral("CREATE INDEX analizy_odcisk ON analizy (odcisk)"),
        QStringLiteral("CREATE INDEX analizy_data ON analizy (data_napisania, id)"),
        QStringLiteral("CREATE TABLE pytania (%1, "
                       "nr INTEGER NOT NULL, "
                       "tresc TEXT NOT NULL, "
                       "odpowiedzi TEXT NOT NULL, "
                       "PRIMARY KEY (analiza_id, nr))")
            .arg(analizaId),
        QStringLiteral("CREATE TABLE uczniowie (%1, "
                       "lp INTEGER NOT NULL, "
                       "nazwisko TEXT NOT NULL, "
                       "imie TEXT NOT NULL, "
                       "start DOUBLE PRECISION NOT NULL, "
                       "koniec DOUBLE PRECISION NOT NULL, "
                       "zapis DOUBLE PRECISION NOT NULL, "
                       "zwm INTEGER NOT NULL, "
                       "zaznaczone TEXT NOT NULL, "
                       "klucz TEXT, "
                       "poprawnych INTEGER NOT NULL, "
                       "procent INTEGER NOT NULL, "
                       "ocena TEXT NOT NULL, "
                       "PRIMARY KEY (analiza_id, lp))")
            .arg(analizaId),
        QStringLiteral("CREATE TABLE pliki (%1, "
                       "lp INTEGER NOT NULL, "
                       "nazwa TEXT NOT NULL, "
                       "sha256 TEXT NOT NULL, "
                       "PRIMARY KEY (analiza_id, lp))")
            .arg(analizaId),
        QStringLiteral("INSERT INTO wersja_schematu (wersja) VALUES (1)"),
    };
    for (const QString& sql : polecenia)
        if (!Wykonaj(baza, sql, blad)) return false;
    return true;
}

// The student's normalised name, filled from the stored names.
bool Wersja2(QSqlDatabase& baza, const Dialekt&, QString& blad) {
    if (!Wykonaj(
            baza,
            QStringLiteral("ALTER TABLE uczniowie ADD COLUMN szukane TEXT NOT NULL DEFAULT ''"),
            blad))
        return false;
    QSqlQuery odczyt(baza);
    odczyt.setForwardOnly(true);
    if (!odczyt.exec(QStringLiteral("SELECT analiza_id, lp, nazwisko, imie FROM uczniowie"))) {
        blad = odczyt.lastError().text();
        return false;
    }
    struct Wiersz {
        qint64 id;
        int lp;
        QString klucz;
    };
    std::vector<Wiersz> wiersze;
    while (odczyt.next())
        wiersze.push_back({odczyt.value(0).toLongLong(), odczyt.value(1).toInt(),
                           KluczUcznia(odczyt.value(2).toString() + QLatin1Char(' ') +
                                       odczyt.value(3).toString())});
    odczyt.finish();
    QSqlQuery zapis(baza);
    if (!zapis.prepare(
            QStringLiteral("UPDATE uczniowie SET szukane = ? WHERE analiza_id = ? AND lp = ?"))) {
        blad = zapis.lastError().text();
        return false;
    }
    for (const Wiersz& w : wiersze) {
        zapis.addBindValue(w.klucz);
        zapis.addBindValue(w.id);
        zapis.addBindValue(w.lp);
        if (!zapis.exec()) {
            blad = zapis.lastError().text();
            return false;
        }
    }
    return Wykonaj(baza, QStringLiteral("CREATE INDEX uczniowie_szukane ON uczniowie (szukane)"),
                   blad) &&
           Wykonaj(baza, QStringLiteral("UPDATE wersja_schematu SET wersja = 2"), blad);
}

// Who added each analysis (old entries: nobody known) and, for one imported or copied from
// another archive, who had added it there; on a server also who sees and changes what.
bool Wersja3(QSqlDatabase& baza, const Dialekt& dialekt, QString& blad) {
    const QString polecenia[] = {
        QStringLiteral("ALTER TABLE analizy ADD COLUMN dodal TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("ALTER TABLE analizy ADD COLUMN dodal_w_zrodle TEXT NOT NULL DEFAULT ''"),
    };
    for (const QString& sql : polecenia)
        if (!Wykonaj(baza, sql, blad)) return false;
    for (const QString& sql : dialekt.Zabezpieczenia)
        if (!Wykonaj(baza, sql, blad)) return false;
    return Wykonaj(baza, QStringLiteral("UPDATE wersja_schematu SET wersja = 3"), blad);
}

using Krok = bool (*)(QSqlDatabase&, const Dialekt&, QString&);
constexpr Krok Kroki[WersjaSchematu] = {Wersja1, Wersja2, Wersja3};

} // namespace

bool MigrujSchemat(QSqlDatabase& baza, const Dialekt& dialekt, int od, QString& blad) {
    for (int wersja = od + 1; wersja <= WersjaSchematu; ++wersja)
        if (!Kroki[wersja - 1](baza, dialekt, blad)) return false;
    for (const QString& sql : dialekt.ZnacznikiSchematu)
        if (!Wykonaj(baza,
                     QString(sql).replace(QStringLiteral("%1"), QString::number(WersjaSchematu)),
                     blad))
            return false;
    return true;
}

QString ZnakiOpcji(const std::vector<OpcjePytania>& opcje) {
    QString znaki;
    znaki.reserve(static_cast<qsizetype>(opcje.size()));
    for (const OpcjePytania o : opcje)
        znaki += QChar(ZnakiCyfr[o & 31u]);
    return znaki;
}

std::optional<std::vector<OpcjePytania>> OpcjeZeZnakow(const QString& znaki) {
    std::vector<OpcjePytania> opcje;
    opcje.reserve(static_cast<std::size_t>(znaki.size()));
    for (const QChar z : znaki) {
        const char16_t c = z.unicode();
        if (c >= u'0' && c <= u'9')
            opcje.push_back(static_cast<OpcjePytania>(c - u'0'));
        else if (c >= u'a' && c <= u'v')
            opcje.push_back(static_cast<OpcjePytania>(c - u'a' + 10));
        else
            return std::nullopt;
    }
    return opcje;
}

} // namespace sondrel
