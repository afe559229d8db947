// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "archive/archiwum_dane.h"
#include "archive/schemat.h"
#include "core/pliki.h"
#include "core/srodowisko.h"
#include "core/zegar.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace sondrel {

namespace archiwum_wewn {

QString TekstDodano(const QDateTime& czas) {
    return czas.toUTC().toString(Qt::ISODate);
}

QDateTime DodanoZTekstu(const QString& tekst) {
    QDateTime czas = QDateTime::fromString(tekst, Qt::ISODate);
    return czas.isValid() ? czas.toUTC() : QDateTime();
}

// A connection refused, in words a teacher can pass on to whoever runs the server (libpq's
// own English text stays out of it: Archiwum::SzczegolyBledu gives it).
QString PowodPolaczenia(const QSqlError& blad) {
    const QString tekst = blad.databaseText().isEmpty() ? blad.text() : blad.databaseText();
    QString powod;
    if (tekst.contains(QLatin1String("password authentication failed")) ||
        tekst.contains(QLatin1String("no password supplied")))
        powod = QStringLiteral("serwer nie przyjął hasła (hasło podaje plik ~/.pgpass albo "
                               "zmienna PGPASSWORD)");
    else if (tekst.contains(QLatin1String("timeout expired")))
        powod = QStringLiteral("serwer nie odpowiada (minął czas na połączenie)");
    else if (tekst.contains(QLatin1String("server does not support SSL")))
        powod = QStringLiteral("serwer nie przyjmuje połączeń szyfrowanych (TLS), a adres ich "
                               "wymaga");
    else if (tekst.contains(QLatin1String("certificate")) ||
             tekst.contains(QLatin1String("root cert")))
        powod = QStringLiteral("nie udało się sprawdzić certyfikatu serwera (zły certyfikat, "
                               "inna nazwa serwera albo brak pliku urzędu certyfikacji)");
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
    return powod + QLatin1Char('.');
}

QString OpisBleduBazy(const QString& tekst) {
    static const struct {
        const char* wzor;
        const char* opis;
    } przypadki[] = {
        {"lock timeout", "inne połączenie zbyt długo blokuje archiwum (minął czas oczekiwania "
                         "na blokadę)"},
        {"statement timeout", "serwer nie wykonał polecenia w dozwolonym czasie"},
        {"server closed the connection", "połączenie z serwerem zostało przerwane"},
        {"terminating connection", "połączenie z serwerem zostało przerwane"},
        {"no connection to the server", "połączenie z serwerem zostało przerwane"},
        {"could not receive data", "połączenie z serwerem zostało przerwane"},
        {"could not send data", "połączenie z serwerem zostało przerwane"},
        {"row-level security", "brak uprawnień: zasady dostępu serwera nie pozwalają na to "
                               "temu użytkownikowi"},
        {"permission denied", "brak uprawnień"},
        {"duplicate key", "taki wpis już jest w archiwum"},
        {"UNIQUE constraint", "taki wpis już jest w archiwum"},
        {"database is locked", "archiwum jest zajęte przez inny program"},
        {"disk is full", "brak miejsca na dysku"},
        {"No space left", "brak miejsca na dysku"},
        {"readonly", "archiwum jest tylko do odczytu"},
        {"read-only", "archiwum jest tylko do odczytu"},
        {"disk I/O error", "błąd odczytu albo zapisu dysku"},
        {"out of memory", "brak pamięci"},
    };
    for (const auto& p : przypadki)
        if (tekst.contains(QLatin1String(p.wzor), Qt::CaseInsensitive))
            return QString::fromUtf8(p.opis);
    return QStringLiteral("błąd bazy danych");
}

QString BrakAnalizy(qint64 id) {
    return QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(id);
}

} // namespace archiwum_wewn

using namespace archiwum_wewn;

namespace {

QAtomicInteger<quint64> licznikPolaczen;

// The user's login name, who adds to an archive file.
QString NazwaLogowania() {
    passwd wpis{};
    passwd* wynik = nullptr;
    char bufor[4096];
    if (getpwuid_r(geteuid(), &wpis, bufor, sizeof bufor, &wynik) == 0 && wynik && wynik->pw_name &&
        *wynik->pw_name)
        return QString::fromLocal8Bit(wynik->pw_name);
    return qEnvironmentVariable("USER");
}

QString RadaOdlozenia() {
    return QStringLiteral("\rArchiwum nie zostało zmienione. Można je odłożyć na bok (zmienić mu "
                          "nazwę) i założyć nowe.");
}

} // namespace

QString KomunikatJuzWArchiwum() {
    return QStringLiteral("Ta analiza jest już w archiwum.");
}

QString KluczUcznia(const QString& nazwiskoIImie) {
    return nazwiskoIImie.simplified().toCaseFolded();
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
QString Archiwum::SzczegolyBledu() const {
    return d->szczegoly;
}
QString Archiwum::Dodajacy() const {
    return d->kto;
}

void Archiwum::Zamknij() {
    d->straznik.Rozbroj();
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
    d->szczegoly.clear();
    d->kto.clear();
    d->sciezka = sciezka;
    d->serwer.reset();
    d->zerwane = false;
    if (JestAdresemSerwera(sciezka)) {
        if (!d->OtworzSerwer()) return false;
        const auto straz = d->Pilnuj();
        return d->Przygotuj();
    }
    // A mistyped address never becomes a folder named after it.
    if (WygladaNaAdres(sciezka)) {
        d->opis.clear();
        d->Odmowa(StanArchiwum::BrakDostepu, OdmowaAdresu(sciezka));
        return false;
    }
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
    kto = NazwaLogowania();
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
        if (!baza.open()) {
            szczegoly = baza.lastError().text().trimmed();
            odmowa = QStringLiteral("Nie można połączyć się z archiwum %1: %2")
                         .arg(opis, PowodPolaczenia(baza.lastError()));
        } else {
            QSqlQuery q(baza);
            if (q.exec(QStringLiteral("SELECT current_user")) && q.next())
                kto = q.value(0).toString();
        }
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
            if (!q.exec(QStringLiteral("SELECT wersja FROM wersja_schematu")) &&
                Dane::BrakUprawnien(q.lastError())) {
                d->szczegoly = q.lastError().text().trimmed();
                d->Odmowa(StanArchiwum::BrakDostepu,
                          QStringLiteral("Brak uprawnień do odczytu archiwum %1: prawo odczytu "
                                         "nadaje administrator serwera rolą sondrel_nauczyciele "
                                         "albo sondrel_kierownicy.")
                              .arg(nazwa));
                return std::nullopt;
            }
            if (!q.isActive() || !q.next()) {
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
                      QStringLiteral("Nie można zapisać archiwum %1: %2.")
                          .arg(nazwa, d->PowodZapisu(blad)));
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
                          QStringLiteral("Nie można zapisać archiwum %1: %2.")
                              .arg(nazwa, d->PowodZapisu(blad)));
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

} // namespace sondrel
