// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "analysis/ocenianie.h"
#include "archive/dialekt.h"
#include "archive/eksport_archiwum.h"
#include "archive/polaczenie.h"
#include "archive/schemat.h"
#include "core/pliki.h"
#include "core/srodowisko.h"
#include "core/zegar.h"

#include <QAtomicInteger>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sondrel {

namespace {

QAtomicInteger<quint64> licznikPolaczen;

const QString FormatDaty = QStringLiteral("yyyy-MM-dd");

QString TekstDodano(const QDateTime& czas) {
    return czas.toUTC().toString(Qt::ISODate);
}

QDateTime DodanoZTekstu(const QString& tekst) {
    QDateTime czas = QDateTime::fromString(tekst, Qt::ISODate);
    return czas.isValid() ? czas.toUTC() : QDateTime();
}

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

QString RadaOdlozenia() {
    return QStringLiteral("\rArchiwum nie zostało zmienione. Można je odłożyć na bok (zmienić mu "
                          "nazwę) i założyć nowe.");
}

// A connection refused, in words a teacher can pass on to whoever runs the server, followed
// by libpq's own text (which never holds a password).
QString PowodPolaczenia(const QSqlError& blad) {
    const QString tekst = blad.databaseText().isEmpty() ? blad.text() : blad.databaseText();
    QString powod;
    if (tekst.contains(QLatin1String("password authentication failed")) ||
        tekst.contains(QLatin1String("no password supplied")))
        powod = QStringLiteral("serwer nie przyjął hasła (hasło podaje plik ~/.pgpass albo "
                               "zmienna PGPASSWORD)");
    else if (tekst.contains(QLatin1String("timeout expired")))
        powod = QStringLiteral("serwer nie odpowiada");
    else if (tekst.contains(QLatin1String("Connection refused")) ||
             tekst.contains(QLatin1String("No such file or directory")) ||
             tekst.contains(QLatin1String("could not translate host name")))
        powod = QStringLiteral("serwer jest nieosiągalny albo nie przyjmuje połączeń");
    else if (tekst.contains(QLatin1String("permission denied")) ||
             tekst.contains(QLatin1String("no pg_hba.conf entry")))
        powod = QStringLiteral("brak uprawnień do tej bazy danych");
    else if (tekst.contains(QLatin1String("does not exist")))
        powod = QStringLiteral("nie ma takiej bazy danych albo takiego użytkownika");
    else
        powod = QStringLiteral("połączenie nie powiodło się");
    return powod + QStringLiteral(" (") + tekst.trimmed() + QStringLiteral(").");
}

QString BrakAnalizy(qint64 id) {
    return QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(id);
}

} // namespace

QString KomunikatJuzWArchiwum() {
    return QStringLiteral("Ta analiza jest już w archiwum.");
}

QString KluczUcznia(const QString& nazwiskoIImie) {
    return nazwiskoIImie.simplified().toCaseFolded();
}

struct Archiwum::Dane {
    QString polaczenie;
    QString sciezka; // the file's path or the server's URI
    QString opis;    // the archive in messages: the file's path, or "na serwerze user@host/db"
    std::optional<AdresSerwera> serwer;
    bool zerwane = false; // the server's connection was lost: made again before the next call
    QString blad;
    StanArchiwum stan = StanArchiwum::Zamkniete;
    const Dialekt* dialekt = &DialektSterownika(QStringLiteral("QSQLITE"));

    QSqlDatabase baza() const { return QSqlDatabase::database(polaczenie, false); }

    void Odmowa(StanArchiwum s, const QString& tekst) {
        stan = s;
        blad = tekst;
        if (QSqlDatabase::contains(polaczenie)) {
            {
                QSqlDatabase b = baza();
                b.close();
            }
            QSqlDatabase::removeDatabase(polaczenie);
        }
    }

    // A failure of the database in the middle of some work: the message names the archive.
    // On a server, a lost connection is said so (the transaction died with it: nothing of the
    // work stays) and is made again before the next call.
    bool BladBazy(const QString& co, const QString& szczegoly) {
        QString tekst = szczegoly;
        if (serwer && !zerwane && !Zywe()) {
            zerwane = true;
            tekst = QStringLiteral("połączenie z serwerem zostało przerwane, nic nie zapisano (") +
                    szczegoly.trimmed() + QLatin1Char(')');
        }
        blad = QStringLiteral("%1 (archiwum %2): %3").arg(co, opis, tekst);
        return false;
    }
    bool Zywe() {
        QSqlQuery q(baza());
        return q.exec(QStringLiteral("SELECT 1"));
    }
    // A statement the server refused for want of rights.
    static bool BrakUprawnien(const QSqlError& e) {
        return e.nativeErrorCode() == QLatin1String("42501");
    }

    bool OtworzPlik();
    bool OtworzSerwer();
    bool Przygotuj();

    bool Wykonaj(QSqlQuery& q, const QString& sql) {
        if (q.exec(sql)) return true;
        blad = q.lastError().text();
        return false;
    }
    bool Wykonaj(const QString& sql) {
        QSqlQuery q(baza());
        return Wykonaj(q, sql);
    }
    void Wycofaj() {
        QSqlQuery q(baza());
        q.exec(QStringLiteral("ROLLBACK"));
    }
    bool Otwarte() {
        if (stan == StanArchiwum::Otwarte && zerwane) {
            QSqlDatabase b = baza();
            b.close();
            if (!b.open()) {
                blad = QStringLiteral("Nie można połączyć się z archiwum %1: %2")
                           .arg(opis, PowodPolaczenia(b.lastError()));
                return false;
            }
            zerwane = false;
        }
        if (stan == StanArchiwum::Otwarte) return true;
        if (blad.isEmpty()) blad = QStringLiteral("Archiwum nie jest otwarte.");
        return false;
    }

    std::optional<WpisArchiwum> WpisZWiersza(const QSqlQuery& q, int od) const;
    // `odmowa` (%1: the archive) is the message when the server refuses it for want of rights.
    bool ZmienWiersz(const QString& sql, const QVariantList& wartosci, qint64 id, const QString& co,
                     const QString& odmowa);
};

// Columns: id, klasa, data_napisania, dodano, ilosc_uczniow, procent_klasy, nazwa, autor,
// ilosc_pytan, ilosc_odpowiedzi, typ, odcisk.
static const QString KolumnyWpisu = QStringLiteral(
    "a.id, a.klasa, a.data_napisania, a.dodano, a.ilosc_uczniow, a.procent_klasy, a.nazwa, "
    "a.autor, a.ilosc_pytan, a.ilosc_odpowiedzi, a.typ, a.odcisk");

std::optional<WpisArchiwum> Archiwum::Dane::WpisZWiersza(const QSqlQuery& q, int od) const {
    WpisArchiwum w;
    w.Id = q.value(od).toLongLong();
    w.Klasa = q.value(od + 1).toString();
    w.DataNapisania = QDate::fromString(q.value(od + 2).toString(), FormatDaty);
    w.Dodano = DodanoZTekstu(q.value(od + 3).toString());
    w.IloscUczniow = q.value(od + 4).toInt();
    w.ProcentKlasy = q.value(od + 5).toInt();
    w.NazwaTestu = q.value(od + 6).toString();
    w.Autor = q.value(od + 7).toString();
    w.IloscPytan = q.value(od + 8).toInt();
    w.IloscOdpowiedzi = q.value(od + 9).toInt();
    w.TypTestu = q.value(od + 10).toInt();
    w.Odcisk = q.value(od + 11).toString();
    return w;
}

Archiwum::Archiwum() : d(std::make_unique<Dane>()) {
    d->polaczenie = QStringLiteral("sondrel-archiwum-%1").arg(++licznikPolaczen);
}

Archiwum::~Archiwum() {
    Zamknij();
}

QString Archiwum::DomyslnaSciezka(const Foldery& foldery) {
    return QDir(foldery.FolderDanych).filePath(QStringLiteral("Archiwum.sqlite"));
}

StanArchiwum Archiwum::Stan() const {
    return d->stan;
}
QString Archiwum::Sciezka() const {
    return d->sciezka;
}
QString Archiwum::Opis() const {
    return d->opis;
}
QString Archiwum::Blad() const {
    return d->blad;
}
QString Archiwum::NazwaPolaczenia() const {
    return d->polaczenie;
}

void Archiwum::Zamknij() {
    if (QSqlDatabase::contains(d->polaczenie)) {
        {
            QSqlDatabase b = d->baza();
            b.close();
        }
        QSqlDatabase::removeDatabase(d->polaczenie);
    }
    d->stan = StanArchiwum::Zamkniete;
}

bool Archiwum::Otworz(const QString& sciezka) {
    Zamknij();
    d->blad.clear();
    d->sciezka = sciezka;
    d->serwer.reset();
    d->zerwane = false;
    if (JestAdresemSerwera(sciezka)) return d->OtworzSerwer() && d->Przygotuj();
    d->opis = QDir::toNativeSeparators(sciezka);
    return d->OtworzPlik() && d->Przygotuj();
}

bool Archiwum::Dane::OtworzPlik() {
    const QString nazwa = opis;
    const QString rada = RadaOdlozenia();

    // The file is made here with mode 0600 so that SQLite never makes it with another (its
    // journal files take the database file's mode).
    const QFileInfo info(sciezka);
    if (!QDir().mkpath(info.absolutePath())) {
        Odmowa(StanArchiwum::BrakDostepu, QStringLiteral("Nie można utworzyć folderu archiwum %1.")
                                              .arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    const QByteArray lokalna = QFile::encodeName(sciezka);
    const int fd = ::open(lokalna.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
    } else if (errno != EEXIST) {
        Odmowa(StanArchiwum::BrakDostepu,
               QStringLiteral("Nie można utworzyć archiwum %1: %2.").arg(nazwa, PowodBledu(errno)));
        return false;
    }

    // Anything that is not an SQLite database is refused before SQLite sees it.
    {
        QFile plik(sciezka);
        // A FIFO or a device in the archive's place would never give its first bytes.
        if (!QFileInfo(sciezka).isFile()) {
            Odmowa(StanArchiwum::BrakDostepu,
                   QStringLiteral("Nie można otworzyć archiwum %1 do zapisu: %2.")
                       .arg(nazwa, QStringLiteral("to nie jest zwykły plik")));
            return false;
        }
        if (!plik.open(QIODevice::ReadWrite)) {
            Odmowa(StanArchiwum::BrakDostepu,
                   QStringLiteral("Nie można otworzyć archiwum %1 do zapisu: %2.")
                       .arg(nazwa, PowodBledu(plik, errno)));
            return false;
        }
        const QByteArray naglowek = plik.read(16);
        if (plik.size() > 0 && naglowek != QByteArray("SQLite format 3\0", 16)) {
            Odmowa(StanArchiwum::Uszkodzone,
                   QStringLiteral("Plik %1 nie jest archiwum analiz: jest uszkodzony albo "
                                  "zawiera coś innego.")
                           .arg(nazwa) +
                       rada);
            return false;
        }
    }

    {
        QSqlDatabase baza = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), polaczenie);
        baza.setDatabaseName(sciezka);
        // Several processes may add at once: a writer waits for another's transaction.
        baza.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
        if (!baza.open()) {
            Odmowa(StanArchiwum::BrakDostepu, QStringLiteral("Nie można otworzyć archiwum %1: %2.")
                                                  .arg(nazwa, baza.lastError().text()));
            return false;
        }
    }
    dialekt = &DialektSterownika(QStringLiteral("QSQLITE"));
    return true;
}

bool Archiwum::Dane::OtworzSerwer() {
    QString powod;
    const auto adres = RozbierzAdresSerwera(sciezka, powod);
    if (!adres) {
        Odmowa(StanArchiwum::BrakDostepu, powod);
        return false;
    }
    serwer = *adres;
    opis = QStringLiteral("na serwerze ") + adres->Opis();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        Odmowa(StanArchiwum::BrakDostepu,
               QStringLiteral("Nie można połączyć się z archiwum %1: brak sterownika PostgreSQL "
                              "(pakiet libqt6sql6-psql).")
                   .arg(opis));
        return false;
    }
    QString odmowa;
    {
        QSqlDatabase baza = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), polaczenie);
        UstawPolaczenieSerwera(baza, *adres);
        if (!baza.open())
            odmowa = QStringLiteral("Nie można połączyć się z archiwum %1: %2")
                         .arg(opis, PowodPolaczenia(baza.lastError()));
    }
    if (!odmowa.isEmpty()) {
        Odmowa(StanArchiwum::BrakDostepu, odmowa);
        return false;
    }
    dialekt = &DialektSterownika(QStringLiteral("QPSQL"));
    return true;
}

// What the archive holds, checked, and the schema made or brought up to date.
bool Archiwum::Dane::Przygotuj() {
    Dane* const d = this;
    const QString nazwa = opis;
    const bool plik = !serwer;
    // A file can be set aside; a server's database is the school's to deal with.
    const QString rada = plik ? RadaOdlozenia() : QString();

    // What the file holds, read without writing anything.
    const auto uszkodzone = [&](const QString& szczegoly) {
        d->Odmowa(StanArchiwum::Uszkodzone,
                  (plik ? QStringLiteral("Plik %1 nie jest czytelnym archiwum analiz (%2).")
                        : QStringLiteral("Baza danych %1 nie jest czytelnym archiwum analiz (%2)."))
                          .arg(nazwa, szczegoly) +
                      rada);
        return false;
    };
    const auto obce = [&]() {
        d->Odmowa(StanArchiwum::Obce,
                  (plik ? QStringLiteral("Plik %1 jest bazą danych innego programu, nie archiwum "
                                         "analiz.")
                        : QStringLiteral("Baza danych %1 zawiera tabele innego programu, nie "
                                         "archiwum analiz. Archiwum nie zostało zmienione."))
                          .arg(nazwa) +
                      rada);
        return false;
    };
    const auto nowsze = [&](int wersja) {
        d->Odmowa(StanArchiwum::NowszaWersja,
                  QStringLiteral("Archiwum %1 zapisała nowsza wersja programu (schemat %2, ten "
                                 "program zna schematy do %3). Archiwum nie zostało zmienione; "
                                 "otwórz je nowszą wersją programu.")
                      .arg(nazwa)
                      .arg(wersja)
                      .arg(WersjaSchematu));
        return false;
    };
    // Reads the application id, the tables and the version row: nothing on a damaged file.
    struct Zawartosc {
        qint64 idAplikacji = 0;
        QStringList tabele;
        int wersja = 0;
    };
    const auto czytaj = [&]() -> std::optional<Zawartosc> {
        Zawartosc z;
        QSqlQuery q(d->baza());
        if (!q.exec(d->dialekt->ListaTabel)) {
            uszkodzone(q.lastError().text());
            return std::nullopt;
        }
        while (q.next())
            z.tabele.append(q.value(0).toString());
        if (d->dialekt->IdAplikacji.isEmpty()) {
            // An engine without a mark of its own: the version table marks the archive.
            if (z.tabele.contains(QStringLiteral("wersja_schematu")))
                z.idAplikacji = IdAplikacjiArchiwum;
        } else {
            if (!q.exec(d->dialekt->IdAplikacji) || !q.next()) {
                uszkodzone(q.lastError().text());
                return std::nullopt;
            }
            z.idAplikacji = q.value(0).toLongLong();
        }
        if (z.tabele.contains(QStringLiteral("wersja_schematu"))) {
            if (!q.exec(QStringLiteral("SELECT wersja FROM wersja_schematu")) || !q.next()) {
                uszkodzone(q.lastError().isValid() ? q.lastError().text()
                                                   : QStringLiteral("brak wersji schematu"));
                return std::nullopt;
            }
            z.wersja = q.value(0).toInt();
        }
        return z;
    };
    const auto sprawdz = [&](const Zawartosc& z) {
        const bool nasze = z.tabele.contains(QStringLiteral("wersja_schematu"));
        if (z.idAplikacji != 0 && z.idAplikacji != IdAplikacjiArchiwum) return obce();
        if (!z.tabele.isEmpty() && (!nasze || z.idAplikacji != IdAplikacjiArchiwum)) return obce();
        if (nasze && z.wersja < 1) return uszkodzone(QStringLiteral("brak wersji schematu"));
        if (z.wersja > WersjaSchematu) return nowsze(z.wersja);
        return true;
    };

    // One read transaction: the id, the tables and the version as one moment of the file,
    // never half of another process's making of the schema.
    if (!d->Wykonaj(d->dialekt->PoczatekOdczytu)) return uszkodzone(d->blad);
    auto z = czytaj();
    if (!z) return false;
    d->Wykonaj(QStringLiteral("COMMIT"));
    if (!sprawdz(*z)) return false;

    for (const QString& sql : d->dialekt->UstawieniaPolaczenia)
        if (!d->Wykonaj(sql)) return uszkodzone(d->blad);

    if (z->wersja < WersjaSchematu) {
        // Made or brought up to date under the write lock, after reading again what another
        // process may have done meanwhile.
        if (!d->Wykonaj(d->dialekt->PoczatekZapisu) ||
            (!d->dialekt->BlokadaSchematu.isEmpty() && !d->Wykonaj(d->dialekt->BlokadaSchematu))) {
            const QString blad = d->blad;
            d->Wycofaj();
            d->Odmowa(StanArchiwum::BrakDostepu,
                      QStringLiteral("Nie można zapisać archiwum %1: %2.").arg(nazwa, blad));
            return false;
        }
        z = czytaj();
        if (!z) return false;
        if (!sprawdz(*z)) {
            return false;
        }
        if (z->wersja < WersjaSchematu) {
            QString blad;
            const bool ok = [&] {
                QSqlDatabase baza = d->baza();
                return MigrujSchemat(baza, *d->dialekt, z->wersja, blad);
            }();
            if (!ok || !d->Wykonaj(QStringLiteral("COMMIT"))) {
                if (ok) blad = d->blad;
                d->Wycofaj();
                d->Odmowa(StanArchiwum::BrakDostepu,
                          QStringLiteral("Nie można zapisać archiwum %1: %2.").arg(nazwa, blad));
                return false;
            }
        } else {
            d->Wycofaj();
        }
    }
    d->stan = StanArchiwum::Otwarte;
    return true;
}

std::optional<QString> Archiwum::OdlozUszkodzone(const QString& sciezka, QString& blad) {
    if (!QFileInfo::exists(sciezka)) {
        blad = QStringLiteral("Nie ma pliku archiwum %1.").arg(QDir::toNativeSeparators(sciezka));
        return std::nullopt;
    }
    const QString podstawa =
        sciezka + QStringLiteral(".uszkodzone-") + Zegar::teraz().date().toString(FormatDaty);
    QString cel = podstawa;
    for (int n = 2; QFileInfo::exists(cel) || QFileInfo::exists(cel + QStringLiteral("-wal")); ++n)
        cel = podstawa + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(sciezka, cel)) {
        blad = QStringLiteral("Nie udało się zmienić nazwy pliku archiwum %1.")
                   .arg(QDir::toNativeSeparators(sciezka));
        return std::nullopt;
    }
    // The companions go with it, so that the new archive never reads the old one's journal.
    for (const QString& dodatek : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(sciezka + dodatek)) QFile::rename(sciezka + dodatek, cel + dodatek);
    return cel;
}

std::optional<WynikDodania> Archiwum::Dodaj(AnalizaArchiwalna& a) {
    if (!d->Otwarte()) return std::nullopt;
    if (const QString blad = BladRekordu(a); !blad.isEmpty()) {
        d->blad = QStringLiteral("Nie można zapisać analizy w archiwum: %1.").arg(blad);
        return std::nullopt;
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

    QSqlQuery q(baza);
    q.prepare(QStringLiteral(
        "INSERT INTO analizy (odcisk, pliki_odcisk, klasa, data_napisania, dodano, nazwa, autor, "
        "ilosc_pytan, ilosc_odpowiedzi, typ, czas, wersja, tkk, prog_cel, prog_bdb, prog_db, "
        "prog_dst, prog_dp, klucz, plik_testu, ilosc_uczniow, procent_klasy) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"));
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
                              QVariant(procentKlasy)})
        q.addBindValue(v.typeId() == QMetaType::QString && v.toString().isNull()
                           ? QVariant(QStringLiteral(""))
                           : v);
    if (!q.exec() || !q.next()) {
        // The unique set of answer files decides: a class already archived refuses the row.
        const QString szczegoly = q.lastError().text();
        if (Dane::BrakUprawnien(q.lastError())) {
            q.finish();
            d->Wycofaj();
            d->blad = QStringLiteral("Brak uprawnień do zapisu w archiwum %1.").arg(d->opis);
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
        d->BladBazy(QStringLiteral("Nie udało się zapisać analizy w archiwum"), szczegoly);
        return std::nullopt;
    }
    const qint64 id = q.value(0).toLongLong();
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
    if (!d->Wykonaj(QStringLiteral("COMMIT"))) return niepowodzenie(d->blad);
    a.Id = id;
    d->blad.clear();
    return WynikDodania{id, false};
}

std::optional<std::vector<WpisArchiwum>> Archiwum::Lista() {
    if (!d->Otwarte()) return std::nullopt;
    QSqlQuery q(d->baza());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + KolumnyWpisu +
                QStringLiteral(" FROM analizy a ORDER BY a.data_napisania, a.id"))) {
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
            "prog_dp, klucz, plik_testu FROM analizy WHERE id = ?"));
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
        w.Nazwisko = q.value(12).toString();
        w.Imie = q.value(13).toString();
        w.Poprawnych = q.value(14).toInt();
        w.Procent = q.value(15).toInt();
        w.Ocena = q.value(16).toString();
        wyniki.push_back(std::move(w));
    }
    return wyniki;
}

// Runs a statement that changes the one row of analysis `id` (the id bound last).
bool Archiwum::Dane::ZmienWiersz(const QString& sql, const QVariantList& wartosci, qint64 id,
                                 const QString& co, const QString& odmowa) {
    if (!Otwarte()) return false;
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
        blad = BrakAnalizy(id);
        return false;
    }
    return true;
}

bool Archiwum::Usun(qint64 id) {
    return d->ZmienWiersz(QStringLiteral("DELETE FROM analizy WHERE id = ?"), {}, id,
                          QStringLiteral("Nie udało się usunąć analizy z archiwum"),
                          QStringLiteral("Brak uprawnień do usuwania z archiwum %1: usuwać może "
                                         "tylko właściciel archiwum."));
}

bool Archiwum::ZmienOpis(qint64 id, const QString& klasa, const QDate& dataNapisania) {
    if (!dataNapisania.isValid()) {
        d->blad = QStringLiteral("Błędna data napisania.");
        return false;
    }
    return d->ZmienWiersz(
        QStringLiteral("UPDATE analizy SET klasa = ?, data_napisania = ? WHERE id = ?"),
        {klasa.isNull() ? QStringLiteral("") : klasa, dataNapisania.toString(FormatDaty)}, id,
        QStringLiteral("Nie udało się zmienić opisu analizy"),
        QStringLiteral("Brak uprawnień do zmiany opisu w archiwum %1: zmieniać może tylko "
                       "właściciel archiwum."));
}

std::optional<QByteArray> Archiwum::Eksport() {
    if (!d->Otwarte()) return std::nullopt;
    std::vector<qint64> ids;
    {
        QSqlQuery q(d->baza());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT id FROM analizy ORDER BY id"))) {
            d->BladBazy(QStringLiteral("Nie udało się odczytać archiwum"), q.lastError().text());
            return std::nullopt;
        }
        while (q.next())
            ids.push_back(q.value(0).toLongLong());
    }
    std::vector<AnalizaArchiwalna> analizy;
    analizy.reserve(ids.size());
    for (const qint64 id : ids) {
        auto a = Wczytaj(id);
        if (!a) {
            // Deleted by another user since the list was read: not part of the export.
            if (d->blad == BrakAnalizy(id)) continue;
            return std::nullopt;
        }
        analizy.push_back(std::move(*a));
    }
    return DokumentEksportu(analizy);
}

std::optional<WynikImportu> Archiwum::Import(const QByteArray& json) {
    if (!d->Otwarte()) return std::nullopt;
    QString blad;
    auto analizy = CzytajDokumentEksportu(json, blad);
    if (!analizy) {
        d->blad = QStringLiteral("Nie można zaimportować pliku: %1").arg(blad);
        return std::nullopt;
    }
    WynikImportu wynik;
    for (AnalizaArchiwalna& a : *analizy) {
        const auto dodanie = Dodaj(a);
        if (!dodanie) return std::nullopt;
        ++(dodanie->JuzBylo ? wynik.JuzByly : wynik.Dodane);
    }
    d->blad.clear();
    return wynik;
}

std::optional<WynikImportu> Archiwum::KopiujZ(Archiwum& zrodlo) {
    if (!d->Otwarte()) return std::nullopt;
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
            d->blad = zrodlo.Blad();
            return std::nullopt;
        }
        const auto dodanie = Dodaj(*a);
        if (!dodanie) return std::nullopt;
        ++(dodanie->JuzBylo ? wynik.JuzByly : wynik.Dodane);
    }
    d->blad.clear();
    return wynik;
}

bool Archiwum::ZapiszPlikEksportu(const QByteArray& dokument, const QString& sciezka,
                                  QString& blad) {
    QString powod;
    if (ZapiszPlik(sciezka, dokument, &powod)) return true;
    blad = QStringLiteral("Nie udało się zapisać pliku %1: %2")
               .arg(QDir::toNativeSeparators(sciezka), powod);
    return false;
}

bool Archiwum::EksportDoPliku(const QString& sciezka) {
    const auto dokument = Eksport();
    return dokument && ZapiszPlikEksportu(*dokument, sciezka, d->blad);
}

std::optional<WynikImportu> Archiwum::ImportZPliku(const QString& sciezka) {
    QFile plik;
    QString powod;
    if (!OtworzZwyklyPlik(plik, sciezka, &powod)) {
        d->blad = QStringLiteral("Nie można odczytać pliku %1: %2")
                      .arg(QDir::toNativeSeparators(sciezka), powod);
        return std::nullopt;
    }
    return Import(plik.readAll());
}

} // namespace sondrel
