// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "analysis/ocenianie.h"
#include "archive/archiwum_dane.h"
#include "archive/eksport_archiwum.h"
#include "archive/schemat.h"
#include "core/pliki.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace sondrel {

using namespace archiwum_wewn;

std::optional<WpisArchiwum> Archiwum::Dane::WpisZWiersza(const QSqlQuery& q, int od) const {
    WpisArchiwum w;
    w.Id = q.value(od).toLongLong();
    w.Klasa = q.value(od + 1).toString();
    w.DataNapisania = QDate::fromString(q.value(od + 2).toString(), FormatDaty);
    w.Dodano = DodanoZTekstu(q.value(od + 3).toString());
    w.IloscUczniow = q.value(od + 4).toInt();
    w.NazwaTestu = q.value(od + 6).toString();
    w.Autor = q.value(od + 7).toString();
    w.IloscPytan = q.value(od + 8).toInt();
    w.IloscOdpowiedzi = q.value(od + 9).toInt();
    w.TypTestu = q.value(od + 10).toInt();
    w.Odcisk = q.value(od + 11).toString();
    w.Dodal = q.value(od + 12).toString();
    w.ProcentKlasy =
        ProcentZaokraglony(q.value(od + 5).toLongLong(), qint64(w.IloscUczniow) * w.IloscPytan);
    return w;
}

std::optional<std::vector<WpisArchiwum>> Archiwum::Lista() {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    QSqlQuery q(d->baza());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + KolumnyListy + QStringLiteral(" FROM analizy a") +
                ZliczeniaWpisow + QStringLiteral(" ORDER BY a.data_napisania, a.id"))) {
        d->BladBazy(QStringLiteral("Nie udało się odczytać archiwum"), q.lastError().text());
        return std::nullopt;
    }
    std::vector<WpisArchiwum> lista;
    while (q.next())
        lista.push_back(*d->WpisZWiersza(q, 0));
    return lista;
}

std::optional<AnalizaArchiwalna> Archiwum::Wczytaj(qint64 id) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    QSqlDatabase baza = d->baza();
    const auto blad = [&](const QString& szczegoly) -> std::optional<AnalizaArchiwalna> {
        d->Wycofaj();
        d->BladBazy(QStringLiteral("Nie udało się odczytać analizy z archiwum"), szczegoly);
        return std::nullopt;
    };
    // One read transaction: the four tables as one moment of the archive.
    if (!d->Wykonaj(d->dialekt->PoczatekOdczytu)) return blad(d->blad);
    AnalizaArchiwalna a;
    {
        QSqlQuery q(baza);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "SELECT id, odcisk, klasa, data_napisania, dodano, nazwa, autor, ilosc_pytan, "
            "ilosc_odpowiedzi, typ, czas, wersja, tkk, prog_cel, prog_bdb, prog_db, prog_dst, "
            "prog_dp, klucz, plik_testu, dodal, dodal_w_zrodle FROM analizy WHERE id = ?"));
        q.addBindValue(id);
        if (!q.exec()) return blad(q.lastError().text());
        if (!q.next()) {
            q.finish();
            d->Wycofaj();
            d->blad = BrakAnalizy(id);
            return std::nullopt;
        }
        a.Id = q.value(0).toLongLong();
        a.Odcisk = q.value(1).toString();
        a.Klasa = q.value(2).toString();
        a.DataNapisania = QDate::fromString(q.value(3).toString(), FormatDaty);
        a.Dodano = DodanoZTekstu(q.value(4).toString());
        TestArchiwalny& t = a.Test;
        t.Nazwa = q.value(5).toString();
        t.Autor = q.value(6).toString();
        t.IloscPytan = q.value(7).toInt();
        t.IloscOdpowiedzi = q.value(8).toInt();
        t.TypTestu = q.value(9).toInt();
        t.Czas = q.value(10).toInt();
        t.Wersja = q.value(11).toString();
        t.Tkk = q.value(12).toInt();
        t.ProgCel = q.value(13).toInt();
        t.ProgBdb = q.value(14).toInt();
        t.ProgDb = q.value(15).toInt();
        t.ProgDst = q.value(16).toInt();
        t.ProgDp = q.value(17).toInt();
        const auto klucz = OpcjeZeZnakow(q.value(18).toString());
        if (!klucz) return blad(QStringLiteral("błędny klucz testu"));
        t.Klucz = *klucz;
        a.PlikTestu = q.value(19).toString();
        a.Dodal = q.value(20).toString();
        a.DodalWZrodle = q.value(21).toString();
    }
    {
        QSqlQuery q(baza);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "SELECT tresc, odpowiedzi FROM pytania WHERE analiza_id = ? ORDER BY nr"));
        q.addBindValue(id);
        if (!q.exec()) return blad(q.lastError().text());
        while (q.next()) {
            TrescPytania& p = a.Pytania.emplace_back();
            p.Tresc = q.value(0).toString();
            const QJsonArray odpowiedzi =
                QJsonDocument::fromJson(q.value(1).toString().toUtf8()).array();
            for (const QJsonValue& o : odpowiedzi)
                p.Odpowiedzi.push_back(o.toString());
        }
    }
    {
        QSqlQuery q(baza);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "SELECT nazwisko, imie, start, koniec, zapis, zwm, zaznaczone, klucz, poprawnych, "
            "procent, ocena FROM uczniowie WHERE analiza_id = ? ORDER BY lp"));
        q.addBindValue(id);
        if (!q.exec()) return blad(q.lastError().text());
        while (q.next()) {
            UczenArchiwalny& u = a.Uczniowie.emplace_back();
            u.Nazwisko = q.value(0).toString();
            u.Imie = q.value(1).toString();
            u.Start = q.value(2).toDouble();
            u.Koniec = q.value(3).toDouble();
            u.Zapis = q.value(4).toDouble();
            u.Zwm = q.value(5).toInt() != 0;
            const auto zaznaczone = OpcjeZeZnakow(q.value(6).toString());
            const auto klucz = q.value(7).isNull() ? std::optional(a.Test.Klucz)
                                                   : OpcjeZeZnakow(q.value(7).toString());
            if (!zaznaczone || !klucz) return blad(QStringLiteral("błędne odpowiedzi ucznia"));
            u.Zaznaczone = *zaznaczone;
            u.Klucz = *klucz;
            u.Poprawnych = q.value(8).toInt();
            u.Procent = q.value(9).toInt();
            u.Ocena = q.value(10).toString();
        }
    }
    {
        QSqlQuery q(baza);
        q.setForwardOnly(true);
        q.prepare(
            QStringLiteral("SELECT nazwa, sha256 FROM pliki WHERE analiza_id = ? ORDER BY lp"));
        q.addBindValue(id);
        if (!q.exec()) return blad(q.lastError().text());
        while (q.next())
            a.Pliki.push_back({q.value(0).toString(), q.value(1).toString()});
    }
    d->Wykonaj(QStringLiteral("COMMIT"));
    return a;
}

std::optional<std::vector<WynikUcznia>> Archiwum::HistoriaUcznia(const QString& nazwisko,
                                                                 const QString& imie) {
    return HistoriaUcznia(nazwisko + QLatin1Char(' ') + imie);
}

std::optional<std::vector<WynikUcznia>> Archiwum::HistoriaUcznia(const QString& nazwiskoIImie) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    QSqlQuery q(d->baza());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT ") + KolumnyWpisu +
              QStringLiteral(", u.nazwisko, u.imie, u.poprawnych, u.procent, u.ocena FROM "
                             "uczniowie u JOIN analizy a ON a.id = u.analiza_id WHERE "
                             "u.szukane = ? ORDER BY a.data_napisania, a.id, u.lp"));
    q.addBindValue(KluczUcznia(nazwiskoIImie));
    if (!q.exec()) {
        d->BladBazy(QStringLiteral("Nie udało się odczytać archiwum"), q.lastError().text());
        return std::nullopt;
    }
    std::vector<WynikUcznia> wyniki;
    while (q.next()) {
        WynikUcznia w;
        w.Analiza = *d->WpisZWiersza(q, 0);
        constexpr int u = LiczbaKolumnWpisu;
        w.Nazwisko = q.value(u).toString();
        w.Imie = q.value(u + 1).toString();
        w.Poprawnych = q.value(u + 2).toInt();
        w.Procent = q.value(u + 3).toInt();
        w.Ocena = q.value(u + 4).toString();
        wyniki.push_back(std::move(w));
    }
    return wyniki;
}

std::optional<QByteArray> Archiwum::Eksport(std::vector<QString>* pominiete) {
    QByteArray dokument;
    QBuffer bufor(&dokument);
    bufor.open(QIODevice::WriteOnly);
    if (!Eksport(bufor, pominiete)) return std::nullopt;
    return dokument;
}

bool Archiwum::Eksport(QIODevice& cel, std::vector<QString>* pominiete) {
    if (!d->Otwarte()) return false;
    const auto straz = d->Pilnuj();
    std::vector<qint64> ids;
    {
        QSqlQuery q(d->baza());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT id FROM analizy ORDER BY id"))) {
            d->BladBazy(QStringLiteral("Nie udało się odczytać archiwum"), q.lastError().text());
            return false;
        }
        while (q.next())
            ids.push_back(q.value(0).toLongLong());
    }
    const auto zapis = [&](bool ok) {
        if (!ok)
            d->blad = QStringLiteral("Nie udało się zapisać eksportu archiwum: %1")
                          .arg(cel.errorString());
        return ok;
    };
    PisarzEksportu pisarz(cel);
    if (!zapis(pisarz.Poczatek())) return false;
    for (const qint64 id : ids) {
        const auto a = Wczytaj(id);
        if (!a) {
            // Deleted by another user since the list was read: not part of the export.
            if (d->blad == BrakAnalizy(id)) continue;
            // A lost connection ends the export; a damaged analysis is left out, named.
            if (d->zerwane || !d->Zywe()) return false;
            if (pominiete)
                pominiete->push_back(QStringLiteral("analiza %1: %2").arg(id).arg(d->blad));
            continue;
        }
        if (!zapis(pisarz.Analiza(*a))) return false;
    }
    if (!zapis(pisarz.Koniec())) return false;
    d->blad.clear();
    return true;
}

bool Archiwum::ZapiszPlikEksportu(const QByteArray& dokument, const QString& sciezka,
                                  QString& blad) {
    QString powod;
    if (ZapiszPlik(sciezka, dokument, &powod)) {
        // An export holds students' names: for its owner only.
        QFile::setPermissions(sciezka, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return true;
    }
    blad = QStringLiteral("Nie udało się zapisać pliku %1: %2")
               .arg(QDir::toNativeSeparators(sciezka), powod);
    return false;
}

bool Archiwum::EksportDoPliku(const QString& sciezka, std::vector<QString>* pominiete,
                              bool* bladPliku) {
    bool zastepczy = false;
    if (!bladPliku) bladPliku = &zastepczy;
    *bladPliku = true;
    // Written as a stream under a temporary name beside the file, made for its owner only
    // (an export holds students' names), and renamed over the file only when whole.
    const QString nazwa = QDir::toNativeSeparators(sciezka);
    if (QFileInfo info(sciezka); info.exists() && !info.isFile()) {
        d->blad =
            QStringLiteral("Nie udało się zapisać pliku %1: to nie jest zwykły plik.").arg(nazwa);
        return false;
    }
    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly)) {
        d->blad = QStringLiteral("Nie udało się zapisać pliku %1: %2")
                      .arg(nazwa, PowodBledu(plik, errno));
        return false;
    }
    ::fchmod(plik.handle(), 0600);
    if (!Eksport(plik, pominiete)) {
        *bladPliku = plik.error() != QFileDevice::NoError;
        plik.cancelWriting();
        return false;
    }
    if (!plik.commit()) {
        d->blad = QStringLiteral("Nie udało się zapisać pliku %1: %2")
                      .arg(nazwa, PowodBledu(plik, errno));
        return false;
    }
    return true;
}

std::optional<WynikImportu> Archiwum::ImportZPliku(const QString& sciezka) {
    QFile plik;
    QString powod;
    if (!OtworzZwyklyPlik(plik, sciezka, &powod)) {
        d->blad = QStringLiteral("Nie można odczytać pliku %1: %2")
                      .arg(QDir::toNativeSeparators(sciezka), powod);
        return std::nullopt;
    }
    return Import(plik);
}

} // namespace sondrel
