// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "analysis/czytnik_odpowiedzi.h"
#include "analysis/ocenianie.h"
#include "archive/archiwum_dane.h"
#include "archive/eksport_archiwum.h"
#include "archive/schemat.h"
#include "core/zegar.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace sondrel {

using namespace archiwum_wewn;

namespace {

// The duplicate rule's key: the SHA-256 of the sorted, distinct answer-file hashes.
QString OdciskPlikow(const std::vector<PlikArchiwalny>& pliki) {
    QStringList skroty;
    for (const PlikArchiwalny& p : pliki)
        skroty.append(p.Sha256.toLower());
    skroty.sort();
    skroty.removeDuplicates();
    return QString::fromLatin1(QCryptographicHash::hash(skroty.join(QLatin1Char('\n')).toUtf8(),
                                                        QCryptographicHash::Sha256)
                                   .toHex());
}

bool JestSha256(const QString& tekst) {
    if (tekst.size() != 64) return false;
    return std::all_of(tekst.begin(), tekst.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
    });
}

bool Zatwierdz(QSqlDatabase& baza, QString& blad) {
    QSqlQuery q(baza);
    if (q.exec(QStringLiteral("COMMIT"))) return true;
    blad = q.lastError().text();
    return false;
}

QString DlugaKlasa() {
    return QStringLiteral("etykieta klasy jest dłuższa niż %1 znaków").arg(MaksDlugoscKlasy);
}

// Whether the record can be stored as it is: the sizes agree and every option set fits.
QString BladRekordu(const AnalizaArchiwalna& a) {
    const TestArchiwalny& t = a.Test;
    const auto pytan = static_cast<std::size_t>(std::max(t.IloscPytan, 0));
    const auto poprawne = [&](const std::vector<OpcjePytania>& opcje) {
        return opcje.size() == pytan &&
               std::all_of(opcje.begin(), opcje.end(), [](OpcjePytania o) { return o < 32; });
    };
    if (t.IloscPytan < 1 || t.IloscOdpowiedzi < 1 || t.IloscOdpowiedzi > 5 || !poprawne(t.Klucz))
        return QStringLiteral("opis testu jest niepełny");
    if (a.Klasa.size() > MaksDlugoscKlasy) return DlugaKlasa();
    if (a.Uczniowie.empty()) return QStringLiteral("analiza nie obejmuje żadnego ucznia");
    for (const UczenArchiwalny& u : a.Uczniowie)
        if (!poprawne(u.Zaznaczone) || !poprawne(u.Klucz))
            return QStringLiteral("odpowiedzi ucznia nie pasują do testu");
    if (!a.Pytania.empty() && a.Pytania.size() != pytan)
        return QStringLiteral("treści pytań nie pasują do testu");
    if (a.Pliki.empty()) return QStringLiteral("brak plików odpowiedzi");
    for (const PlikArchiwalny& p : a.Pliki)
        if (!JestSha256(p.Sha256)) return QStringLiteral("błędny skrót pliku odpowiedzi");
    if (!a.DataNapisania.isValid()) return QStringLiteral("brak daty napisania");
    return QString();
}

} // namespace

Zatwierdzenie archiwum_wewn::ZatwierdzDodanie = Zatwierdz;

std::optional<WynikDodania> Archiwum::Dodaj(AnalizaArchiwalna& a) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    if (const QString blad = BladRekordu(a); !blad.isEmpty()) {
        d->blad = QStringLiteral("Nie można zapisać analizy w archiwum: %1.").arg(blad);
        return std::nullopt;
    }
    // A control character in a name (a NUL from a damaged file) is no part of it, and a
    // server would refuse the whole analysis for it.
    for (UczenArchiwalny& u : a.Uczniowie) {
        u.Nazwisko = NazwaBezZnakowSterujacych(u.Nazwisko);
        u.Imie = NazwaBezZnakowSterujacych(u.Imie);
    }
    a.Odcisk = OdciskTestu(a.Test);
    if (!a.Dodano.isValid())
        a.Dodano = QDateTime::fromSecsSinceEpoch(Zegar::teraz().toSecsSinceEpoch(), Qt::UTC);
    else
        a.Dodano = QDateTime::fromSecsSinceEpoch(a.Dodano.toSecsSinceEpoch(), Qt::UTC);
    const QString odciskPlikow = OdciskPlikow(a.Pliki);
    qint64 suma = 0;
    for (const UczenArchiwalny& u : a.Uczniowie)
        suma += u.Poprawnych;
    const qint32 procentKlasy =
        ProcentZaokraglony(suma, static_cast<qint64>(a.Uczniowie.size()) * a.Test.IloscPytan);

    QSqlDatabase baza = d->baza();
    const auto niepowodzenie = [&](const QString& szczegoly) -> std::optional<WynikDodania> {
        d->Wycofaj();
        d->BladBazy(QStringLiteral("Nie udało się zapisać analizy w archiwum"), szczegoly);
        return std::nullopt;
    };
    if (!d->Wykonaj(d->dialekt->PoczatekZapisu)) return niepowodzenie(d->blad);

    // Who added it: the server records its own role; a file, the user's login name. Who had
    // added it in the archive it comes from is kept when that was someone else.
    const QString zrodlo = a.DodalWZrodle.isEmpty() ? a.Dodal : a.DodalWZrodle;
    const QString dodalWZrodle = zrodlo == d->kto ? QStringLiteral("") : zrodlo;
    const bool dodajacyZSerwera = d->dialekt->DodajacyZSerwera;
    QSqlQuery q(baza);
    q.prepare(QStringLiteral(
                  "INSERT INTO analizy (odcisk, pliki_odcisk, klasa, data_napisania, dodano, "
                  "nazwa, autor, ilosc_pytan, ilosc_odpowiedzi, typ, czas, wersja, tkk, prog_cel, "
                  "prog_bdb, prog_db, prog_dst, prog_dp, klucz, plik_testu, ilosc_uczniow, "
                  "procent_klasy, dodal_w_zrodle%1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                  "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?%2) RETURNING id, dodal")
                  .arg(dodajacyZSerwera ? QString() : QStringLiteral(", dodal"),
                       dodajacyZSerwera ? QString() : QStringLiteral(", ?")));
    if (!dodajacyZSerwera) q.bindValue(23, d->kto);
    int nr = 0;
    const TestArchiwalny& t = a.Test;
    for (const QVariant& v : {QVariant(a.Odcisk),
                              QVariant(odciskPlikow),
                              QVariant(a.Klasa),
                              QVariant(a.DataNapisania.toString(FormatDaty)),
                              QVariant(TekstDodano(a.Dodano)),
                              QVariant(t.Nazwa),
                              QVariant(t.Autor),
                              QVariant(t.IloscPytan),
                              QVariant(t.IloscOdpowiedzi),
                              QVariant(t.TypTestu),
                              QVariant(t.Czas),
                              QVariant(t.Wersja),
                              QVariant(t.Tkk),
                              QVariant(t.ProgCel),
                              QVariant(t.ProgBdb),
                              QVariant(t.ProgDb),
                              QVariant(t.ProgDst),
                              QVariant(t.ProgDp),
                              QVariant(ZnakiOpcji(t.Klucz)),
                              QVariant(a.PlikTestu),
                              QVariant(qint32(a.Uczniowie.size())),
                              QVariant(procentKlasy),
                              QVariant(dodalWZrodle)})
        q.bindValue(nr++, v.typeId() == QMetaType::QString && v.toString().isNull()
                              ? QVariant(QStringLiteral(""))
                              : v);
    if (!q.exec() || !q.next()) {
        // The unique set of answer files decides: a class already archived refuses the row.
        const QSqlError bladWstawienia = q.lastError();
        const QString szczegoly = bladWstawienia.text();
        if (Dane::BrakUprawnien(bladWstawienia)) {
            q.finish();
            d->Wycofaj();
            d->blad = QStringLiteral("Brak uprawnień do dodawania analiz w archiwum %1 (prawo "
                                     "zapisu nadaje administrator serwera rolą "
                                     "sondrel_nauczyciele albo sondrel_kierownicy).")
                          .arg(d->opis);
            return std::nullopt;
        }
        q.finish();
        d->Wycofaj();
        QSqlQuery istniejaca(baza);
        istniejaca.prepare(QStringLiteral("SELECT id FROM analizy WHERE pliki_odcisk = ?"));
        istniejaca.addBindValue(odciskPlikow);
        if (istniejaca.exec() && istniejaca.next()) {
            a.Id = istniejaca.value(0).toLongLong();
            d->blad = KomunikatJuzWArchiwum();
            return WynikDodania{a.Id, true};
        }
        // On a server the same class may be there, added by someone whose analyses this user
        // does not see.
        if (Dane::Duplikat(bladWstawienia)) {
            d->blad = KomunikatJuzWArchiwum() +
                      QStringLiteral(" Dodał ją inny użytkownik archiwum; nie masz do niej "
                                     "dostępu.");
            return WynikDodania{0, true};
        }
        d->BladBazy(QStringLiteral("Nie udało się zapisać analizy w archiwum"), szczegoly);
        return std::nullopt;
    }
    const qint64 id = q.value(0).toLongLong();
    const QString dodal = q.value(1).toString();
    q.finish();

    const auto tekst = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
    if (!a.Pytania.empty()) {
        QSqlQuery p(baza);
        p.prepare(QStringLiteral(
            "INSERT INTO pytania (analiza_id, nr, tresc, odpowiedzi) VALUES (?, ?, ?, ?)"));
        for (std::size_t i = 0; i < a.Pytania.size(); ++i) {
            QJsonArray odpowiedzi;
            for (const QString& o : a.Pytania[i].Odpowiedzi)
                odpowiedzi.append(o);
            p.addBindValue(id);
            p.addBindValue(static_cast<int>(i + 1));
            p.addBindValue(tekst(a.Pytania[i].Tresc));
            p.addBindValue(
                QString::fromUtf8(QJsonDocument(odpowiedzi).toJson(QJsonDocument::Compact)));
            if (!p.exec()) return niepowodzenie(p.lastError().text());
        }
    }
    {
        QSqlQuery u(baza);
        u.prepare(QStringLiteral(
            "INSERT INTO uczniowie (analiza_id, lp, nazwisko, imie, start, koniec, zapis, zwm, "
            "zaznaczone, klucz, poprawnych, procent, ocena, szukane) VALUES "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        for (std::size_t i = 0; i < a.Uczniowie.size(); ++i) {
            const UczenArchiwalny& s = a.Uczniowie[i];
            u.addBindValue(id);
            u.addBindValue(static_cast<int>(i + 1));
            u.addBindValue(tekst(s.Nazwisko));
            u.addBindValue(tekst(s.Imie));
            u.addBindValue(s.Start);
            u.addBindValue(s.Koniec);
            u.addBindValue(s.Zapis);
            u.addBindValue(s.Zwm ? 1 : 0);
            u.addBindValue(ZnakiOpcji(s.Zaznaczone));
            // The file's key is kept only where it differs from the test's.
            u.addBindValue(s.Klucz == t.Klucz ? QVariant(QMetaType(QMetaType::QString))
                                              : QVariant(ZnakiOpcji(s.Klucz)));
            u.addBindValue(s.Poprawnych);
            u.addBindValue(s.Procent);
            u.addBindValue(tekst(s.Ocena));
            u.addBindValue(KluczUcznia(s.Nazwisko + QLatin1Char(' ') + s.Imie));
            if (!u.exec()) return niepowodzenie(u.lastError().text());
        }
    }
    {
        QSqlQuery p(baza);
        p.prepare(QStringLiteral(
            "INSERT INTO pliki (analiza_id, lp, nazwa, sha256) VALUES (?, ?, ?, ?)"));
        for (std::size_t i = 0; i < a.Pliki.size(); ++i) {
            p.addBindValue(id);
            p.addBindValue(static_cast<int>(i + 1));
            p.addBindValue(tekst(a.Pliki[i].Nazwa));
            p.addBindValue(a.Pliki[i].Sha256.toLower());
            if (!p.exec()) return niepowodzenie(p.lastError().text());
        }
    }
    QString szczegoly;
    if (!ZatwierdzDodanie(baza, szczegoly)) {
        if (!d->serwer || d->Zywe()) return niepowodzenie(szczegoly);
        // The connection went with the answer to the commit: whether the analysis was saved
        // is told by its answer files, asked as soon as the server answers again.
        d->zerwane = true;
        if (d->Otwarte()) {
            QSqlQuery q(d->baza());
            q.prepare(QStringLiteral("SELECT id FROM analizy WHERE pliki_odcisk = ?"));
            q.addBindValue(odciskPlikow);
            if (q.exec()) {
                if (q.next()) {
                    a.Id = q.value(0).toLongLong();
                    d->blad.clear();
                    return WynikDodania{a.Id, false};
                }
                d->blad = QStringLiteral("Nie udało się zapisać analizy w archiwum (archiwum %1): "
                                         "połączenie z serwerem zostało przerwane, nic nie "
                                         "zapisano (%2)")
                              .arg(d->opis, szczegoly.trimmed());
                return std::nullopt;
            }
        }
        d->zerwane = true;
        d->blad = QStringLiteral("Nie wiadomo, czy analiza została zapisana w archiwum %1: "
                                 "połączenie z serwerem zostało przerwane w chwili zatwierdzania "
                                 "zapisu (%2). Gdy serwer znów będzie dostępny, dodaj ją ponownie: "
                                 "jeśli została zapisana, program rozpozna ją po plikach "
                                 "odpowiedzi i nie doda jej drugi raz.")
                      .arg(d->opis, szczegoly.trimmed());
        return std::nullopt;
    }
    a.Id = id;
    a.Dodal = dodal;
    a.DodalWZrodle = dodalWZrodle;
    d->blad.clear();
    return WynikDodania{id, false};
}

// Runs a statement that changes the one row of analysis `id` (the id bound last).
bool Archiwum::Dane::ZmienWiersz(const QString& sql, const QVariantList& wartosci, qint64 id,
                                 const QString& co, const QString& odmowa) {
    if (!Otwarte()) return false;
    const auto straz = Pilnuj();
    QSqlQuery q(baza());
    q.prepare(sql);
    for (const QVariant& v : wartosci)
        q.addBindValue(v);
    q.addBindValue(id);
    if (!q.exec()) {
        if (BrakUprawnien(q.lastError()) && !odmowa.isEmpty()) {
            blad = odmowa.arg(opis);
            return false;
        }
        return BladBazy(co, q.lastError().text());
    }
    if (q.numRowsAffected() < 1) {
        // On a server, an analysis this user sees but did not add is left alone by its rules.
        QSqlQuery widoczna(baza());
        widoczna.prepare(QStringLiteral("SELECT 1 FROM analizy WHERE id = ?"));
        widoczna.addBindValue(id);
        blad = widoczna.exec() && widoczna.next() && !odmowa.isEmpty() ? odmowa.arg(opis)
                                                                       : BrakAnalizy(id);
        return false;
    }
    return true;
}

bool Archiwum::Usun(qint64 id) {
    return d->ZmienWiersz(QStringLiteral("DELETE FROM analizy WHERE id = ?"), {}, id,
                          QStringLiteral("Nie udało się usunąć analizy z archiwum"),
                          QStringLiteral("Brak uprawnień do usuwania z archiwum %1: analizę "
                                         "usuwa tylko ten, kto ją dodał, i właściciel "
                                         "archiwum."));
}

bool Archiwum::ZmienOpis(qint64 id, const QString& klasa, const QDate& dataNapisania) {
    if (!dataNapisania.isValid()) {
        d->blad = QStringLiteral("Błędna data napisania.");
        return false;
    }
    if (klasa.size() > MaksDlugoscKlasy) {
        d->blad = QStringLiteral("Błędna klasa: %1.").arg(DlugaKlasa());
        return false;
    }
    return d->ZmienWiersz(
        QStringLiteral("UPDATE analizy SET klasa = ?, data_napisania = ? WHERE id = ?"),
        {klasa.isNull() ? QStringLiteral("") : klasa, dataNapisania.toString(FormatDaty)}, id,
        QStringLiteral("Nie udało się zmienić opisu analizy"),
        QStringLiteral("Brak uprawnień do zmiany opisu w archiwum %1: opis analizy zmienia "
                       "tylko ten, kto ją dodał, i właściciel archiwum."));
}

namespace {

// The words of a name as the history compares them: letters and digits, case-folded.
QStringList SlowaNazwy(const QString& tekst) {
    QString t = tekst.toCaseFolded();
    for (QChar& c : t)
        if (!c.isLetterOrNumber()) c = u' ';
    return t.split(u' ', Qt::SkipEmptyParts);
}

// Whether an answer file's name holds every word of a student's name.
bool NazwaPlikuUcznia(const QStringList& slowaPliku, const QStringList& slowaUcznia) {
    if (slowaUcznia.size() < 2) return false; // a surname alone names no file for certain
    return std::all_of(slowaUcznia.begin(), slowaUcznia.end(),
                       [&](const QString& s) { return slowaPliku.contains(s); });
}

} // namespace

std::optional<WynikUsunieciaUcznia> Archiwum::UsunUcznia(const QString& nazwiskoIImie) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    const QString klucz = KluczUcznia(nazwiskoIImie);
    if (klucz.isEmpty()) {
        d->blad = QStringLiteral("Podaj nazwisko i imię ucznia.");
        return std::nullopt;
    }
    const QStringList slowaUcznia = SlowaNazwy(klucz);
    QSqlDatabase baza = d->baza();
    const QString co = QStringLiteral("Nie udało się usunąć ucznia z archiwum");
    const auto niepowodzenie =
        [&](const QString& szczegoly) -> std::optional<WynikUsunieciaUcznia> {
        d->Wycofaj();
        d->BladBazy(co, szczegoly);
        return std::nullopt;
    };
    const auto odmowa = [&](const QSqlQuery& q) -> std::optional<WynikUsunieciaUcznia> {
        if (!Dane::BrakUprawnien(q.lastError())) return niepowodzenie(q.lastError().text());
        d->Wycofaj();
        d->blad = QStringLiteral("Brak uprawnień do usuwania z archiwum %1.").arg(d->opis);
        return std::nullopt;
    };
    if (!d->Wykonaj(d->dialekt->PoczatekZapisu)) return niepowodzenie(d->blad);

    std::vector<qint64> analizy;
    {
        QSqlQuery q(baza);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "SELECT DISTINCT analiza_id FROM uczniowie WHERE szukane = ? ORDER BY analiza_id"));
        q.addBindValue(klucz);
        if (!q.exec()) return niepowodzenie(q.lastError().text());
        while (q.next())
            analizy.push_back(q.value(0).toLongLong());
    }
    WynikUsunieciaUcznia wynik;
    for (const qint64 id : analizy) {
        // Rows the caller may not change are not removed: such an analysis stays as it is.
        QSqlQuery q(baza);
        q.prepare(QStringLiteral("DELETE FROM uczniowie WHERE analiza_id = ? AND szukane = ?"));
        q.addBindValue(id);
        q.addBindValue(klucz);
        if (!q.exec()) return odmowa(q);
        const int usuniete = q.numRowsAffected();
        if (usuniete < 1) continue;
        wynik.UsunieteWyniki += usuniete;

        // What is left of the class.
        std::vector<QStringList> pozostali;
        qint64 suma = 0;
        int pytan = 0;
        {
            QSqlQuery r(baza);
            r.setForwardOnly(true);
            r.prepare(QStringLiteral(
                "SELECT u.szukane, u.poprawnych, a.ilosc_pytan FROM uczniowie u JOIN analizy a "
                "ON a.id = u.analiza_id WHERE u.analiza_id = ?"));
            r.addBindValue(id);
            if (!r.exec()) return niepowodzenie(r.lastError().text());
            while (r.next()) {
                pozostali.push_back(SlowaNazwy(r.value(0).toString()));
                suma += r.value(1).toLongLong();
                pytan = r.value(2).toInt();
            }
        }
        if (pozostali.empty()) {
            QSqlQuery u(baza);
            u.prepare(QStringLiteral("DELETE FROM analizy WHERE id = ?"));
            u.addBindValue(id);
            if (!u.exec()) return odmowa(u);
            ++wynik.UsunieteAnalizy;
            continue;
        }

        // The student's answer files: those whose names name this student and no one left.
        std::vector<PlikArchiwalny> pliki;
        std::vector<int> doUsuniecia;
        {
            QSqlQuery r(baza);
            r.setForwardOnly(true);
            r.prepare(QStringLiteral("SELECT lp, nazwa, sha256 FROM pliki WHERE analiza_id = ?"));
            r.addBindValue(id);
            if (!r.exec()) return niepowodzenie(r.lastError().text());
            while (r.next()) {
                const QString nazwa = r.value(1).toString();
                const QStringList slowa = SlowaNazwy(QFileInfo(nazwa).completeBaseName());
                const bool ucznia =
                    NazwaPlikuUcznia(slowa, slowaUcznia) &&
                    std::none_of(pozostali.begin(), pozostali.end(), [&](const QStringList& inny) {
                        return NazwaPlikuUcznia(slowa, inny);
                    });
                if (ucznia)
                    doUsuniecia.push_back(r.value(0).toInt());
                else
                    pliki.push_back({nazwa, r.value(2).toString()});
            }
        }
        for (const int lp : doUsuniecia) {
            QSqlQuery u(baza);
            u.prepare(QStringLiteral("DELETE FROM pliki WHERE analiza_id = ? AND lp = ?"));
            u.addBindValue(id);
            u.addBindValue(lp);
            if (!u.exec()) return odmowa(u);
        }
        QSqlQuery u(baza);
        u.prepare(QStringLiteral(
            "UPDATE analizy SET ilosc_uczniow = ?, procent_klasy = ?, pliki_odcisk = "
            "COALESCE(?, pliki_odcisk) WHERE id = ?"));
        u.addBindValue(static_cast<qint32>(pozostali.size()));
        u.addBindValue(
            ProcentZaokraglony(suma, static_cast<qint64>(pozostali.size()) * std::max(pytan, 1)));
        // With no file record left the old fingerprint stays: the empty set names no class.
        u.addBindValue(doUsuniecia.empty() || pliki.empty()
                           ? QVariant(QMetaType(QMetaType::QString))
                           : QVariant(OdciskPlikow(pliki)));
        u.addBindValue(id);
        if (!u.exec()) return odmowa(u);
    }
    if (!d->Wykonaj(QStringLiteral("COMMIT"))) return niepowodzenie(d->blad);
    d->blad.clear();
    return wynik;
}

std::optional<int> Archiwum::UsunPrzed(const QDate& dzien) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    if (!dzien.isValid()) {
        d->blad = QStringLiteral("Błędna data.");
        return std::nullopt;
    }
    const auto niepowodzenie = [&](const QString& szczegoly) -> std::optional<int> {
        d->Wycofaj();
        d->BladBazy(QStringLiteral("Nie udało się usunąć analiz z archiwum"), szczegoly);
        return std::nullopt;
    };
    if (!d->Wykonaj(d->dialekt->PoczatekZapisu)) return niepowodzenie(d->blad);
    QSqlQuery q(d->baza());
    q.prepare(QStringLiteral("DELETE FROM analizy WHERE data_napisania < ?"));
    q.addBindValue(dzien.toString(FormatDaty));
    if (!q.exec()) {
        if (!Dane::BrakUprawnien(q.lastError())) return niepowodzenie(q.lastError().text());
        d->Wycofaj();
        d->blad = QStringLiteral("Brak uprawnień do usuwania z archiwum %1.").arg(d->opis);
        return std::nullopt;
    }
    const int ile = std::max(q.numRowsAffected(), 0);
    q.finish();
    if (!d->Wykonaj(QStringLiteral("COMMIT"))) return niepowodzenie(d->blad);
    d->blad.clear();
    return ile;
}

std::optional<WynikImportu> Archiwum::Import(const QByteArray& json) {
    QBuffer bufor;
    bufor.setData(json);
    bufor.open(QIODevice::ReadOnly);
    return Import(bufor);
}

namespace {

// One analysis refused by an import or a copy: counted, with its reason.
void Odrzucona(WynikImportu& wynik, qsizetype nr, const QString& powod) {
    ++wynik.Odrzucone;
    wynik.Powody.push_back(QStringLiteral("analiza %1: %2").arg(nr).arg(powod));
}

} // namespace

std::optional<WynikImportu> Archiwum::Import(QIODevice& zrodlo) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    QString blad;
    CzytnikEksportu czytnik(zrodlo);
    if (!czytnik.Otworz(blad)) {
        d->blad = QStringLiteral("Nie można zaimportować pliku: %1").arg(blad);
        return std::nullopt;
    }
    WynikImportu wynik;
    for (std::size_t i = 0; i < czytnik.Ilosc(); ++i) {
        const auto nr = static_cast<qsizetype>(i + 1);
        QString powod;
        auto a = czytnik.Analiza(i, powod);
        if (!a) {
            Odrzucona(wynik, nr, powod);
            continue;
        }
        const auto dodanie = Dodaj(*a);
        if (!dodanie) {
            Odrzucona(wynik, nr, d->blad);
            continue;
        }
        ++(dodanie->JuzBylo ? wynik.JuzByly : wynik.Dodane);
    }
    d->blad.clear();
    return wynik;
}

std::optional<WynikImportu> Archiwum::KopiujZ(Archiwum& zrodlo) {
    if (!d->Otwarte()) return std::nullopt;
    const auto straz = d->Pilnuj();
    const auto lista = zrodlo.Lista();
    if (!lista) {
        d->blad = zrodlo.Blad();
        return std::nullopt;
    }
    WynikImportu wynik;
    for (const WpisArchiwum& w : *lista) {
        auto a = zrodlo.Wczytaj(w.Id);
        if (!a) {
            // Deleted from the source since its list was read: nothing to copy.
            if (zrodlo.Blad() == BrakAnalizy(w.Id)) continue;
            Odrzucona(wynik, w.Id, zrodlo.Blad());
            continue;
        }
        // The figures come from the answers, whatever the source holds.
        if (const QString powod = PrzeliczWyniki(*a); !powod.isEmpty()) {
            Odrzucona(wynik, w.Id, powod);
            continue;
        }
        const auto dodanie = Dodaj(*a);
        if (!dodanie) {
            Odrzucona(wynik, w.Id, d->blad);
            continue;
        }
        ++(dodanie->JuzBylo ? wynik.JuzByly : wynik.Dodane);
    }
    d->blad.clear();
    return wynik;
}

} // namespace sondrel
