// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Classes for the archive's tests: whole archived analyses built in code, and classes of
// answer files written to a folder for the command-line tool.

#include "archive/analiza_archiwalna.h"
#include "support/pliki_testowe.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <random>

namespace sondrel::testy {

// A class of `uczniow` students writing a test of `pytan` questions with four options; the
// answers, names and file hashes follow from `ziarno`.
inline AnalizaArchiwalna KlasaArchiwalna(int ziarno, int uczniow = 5, int pytan = 6,
                                         const QString& test = QStringLiteral("Ułamki"),
                                         const QString& klasa = QStringLiteral("7b")) {
    std::mt19937 los(static_cast<unsigned>(ziarno));
    AnalizaArchiwalna a;
    a.Test = {test,
              QStringLiteral("Anna Zielińska"),
              pytan,
              4,
              0,
              45,
              QStringLiteral("4.0"),
              1,
              95,
              85,
              70,
              50,
              30,
              {}};
    for (int q = 0; q < pytan; ++q)
        a.Test.Klucz.push_back(OpcjePytania(1u << (q % 4)));
    a.Odcisk = OdciskTestu(a.Test);
    for (int s = 0; s < uczniow; ++s) {
        UczenArchiwalny u;
        u.Nazwisko = QStringLiteral("Nazwisko%1żółć").arg(s);
        u.Imie = QStringLiteral("Imię%1").arg(ziarno);
        u.Start = 0.4 + s / 1000.0;
        u.Koniec = u.Start + 1.0 / 48;
        u.Zapis = u.Koniec + 1.0 / 86400;
        u.Zwm = s % 2;
        u.Klucz = a.Test.Klucz;
        for (int q = 0; q < pytan; ++q) {
            u.Zaznaczone.push_back(OpcjePytania(1u << (los() % 4)));
            if (u.PoprawnaOdpowiedz(q + 1)) ++u.Poprawnych;
        }
        u.Procent = u.Poprawnych * 100 / pytan;
        u.Ocena = u.Procent >= 50 ? QStringLiteral("Dst") : QStringLiteral("Ndst");
        a.Uczniowie.push_back(u);
        const QByteArray tresc = QByteArray::number(ziarno) + '/' + QByteArray::number(s);
        a.Pliki.push_back(
            {QStringLiteral("u%1.sko").arg(s),
             QString::fromLatin1(
                 QCryptographicHash::hash(tresc, QCryptographicHash::Sha256).toHex())});
    }
    a.Klasa = klasa;
    a.DataNapisania = QDate(2026, 3, 1).addDays(ziarno);
    return a;
}

// Writes a class of answer files (test "Ułamki", `pytan` questions of four options) to the
// folder and gives their paths; `ziarno` picks the names and answers.
inline QStringList ZapiszKlase(const QString& folder, int ziarno, int uczniow, int pytan = 10) {
    std::mt19937 los(static_cast<unsigned>(ziarno));
    QDir().mkpath(folder);
    QStringList sciezki;
    for (int s = 0; s < uczniow; ++s) {
        PlikOdpowiedzi p;
        p.nazwaTestu = QStringLiteral("Ułamki");
        p.nazwisko = QStringLiteral("Uczeń%1").arg(s);
        p.imie = QStringLiteral("Klasa%1").arg(ziarno);
        p.pytania.clear();
        for (int q = 0; q < pytan; ++q) {
            QString klucz = QStringLiteral("0000"), wybor = QStringLiteral("0000");
            klucz[q % 4] = u'1';
            wybor[static_cast<int>(los() % 4)] = u'1';
            p.pytania.append({wybor, klucz});
        }
        const QString sciezka =
            QDir(folder).filePath(QStringLiteral("k%1_u%2.sko").arg(ziarno).arg(s));
        if (!ZapiszPlikOdpowiedzi(sciezka, p)) return {};
        sciezki.append(sciezka);
    }
    return sciezki;
}

// A value of one query on a separate connection to the file (no archive logic in between).
inline QVariant ZapytajPlik(const QString& sciezka, const QString& sql) {
    QVariant wynik;
    {
        QSqlDatabase baza =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("podglad"));
        baza.setDatabaseName(sciezka);
        if (baza.open()) {
            QSqlQuery q(baza);
            if (q.exec(sql) && q.next()) wynik = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("podglad"));
    return wynik;
}

} // namespace sondrel::testy
