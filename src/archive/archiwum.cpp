// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "archive/archiwum_dane.h"
#include "archive/schemat.h"
#include "core/pliki.h"
#include "core/srodowisko.h"
#include "core/zegar.h"

#include <QAtomicInteger>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <pwd.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
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

namespace {

long TypSystemuPlikowFolderu(const QString& folder) {
    struct statfs st {};
    if (::statfs(QFile::encodeName(folder).constData(), &st) != 0) return 0;
    return static_cast<long>(st.f_type);
}

} // namespace

TypSystemuPlikow SystemPlikow = TypSystemuPlikowFolderu;

QString SiecowySystemPlikow(long typ) {
    switch (static_cast<unsigned long>(typ) & 0xFFFFFFFFul) {
    case 0x6969: // NFS_SUPER_MAGIC
        return QStringLiteral("NFS");
    case 0x517B:     // SMB_SUPER_MAGIC
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
        return QStringLiteral("SMB/CIFS");
    case 0x73757245: // CODA
        return QStringLiteral("Coda");
    case 0x5346414F: // AFS
    case 0x6B414653: // kAFS
        return QStringLiteral("AFS");
    case 0x01021997: // 9P
        return QStringLiteral("9P");
    case 0x00C36400: // Ceph
        return QStringLiteral("Ceph");
    default:
        return QString();
    }
}

QString BrakAnalizy(qint64 id) {
    return QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(id);
}

RodzajBledu RodzajBleduBazy(const QSqlError& blad) {
    const QString kod = blad.nativeErrorCode();
    const QString tekst = blad.databaseText();
    // SQLite's result codes, PostgreSQL's SQLSTATE.
    if (kod == u"5" || kod == u"6" || kod == u"55P03" ||
        tekst.contains(QLatin1String("database is locked")))
        return RodzajBledu::Zajete;
    if (kod == u"13" || kod == u"53100" ||
        tekst.contains(QLatin1String("database or disk is full")))
        return RodzajBledu::BrakMiejsca;
    if (kod == u"3" || kod == u"8" || kod == u"14" || kod == u"23" || kod == u"42501")
        return RodzajBledu::BrakUprawnien;
    if (kod == u"11" || kod == u"26") return RodzajBledu::Uszkodzone;
    return RodzajBledu::Inny;
}

} // namespace archiwum_wewn

using namespace archiwum_wewn;

namespace {

QAtomicInteger<quint64> licznikPolaczen;

// The server driver's own English lines (a statement on a connection that just died, a
// result it cannot free) say nothing the archive's Polish message does not; they are dropped,
// and every other message goes on to whoever handled messages before.
QtMessageHandler obslugaPrzedArchiwum = nullptr;

void BezWierszySterownika(QtMsgType typ, const QMessageLogContext& kontekst, const QString& tekst) {
    if (typ == QtWarningMsg &&
        (tekst.startsWith(QLatin1String("QSqlQuery::exec: database not open")) ||
         tekst.startsWith(QLatin1String("QSqlQuery::prepare: database not open")) ||
         tekst.startsWith(QLatin1String("Unable to free statement")) ||
         tekst.startsWith(QLatin1String("QPSQL"))))
        return;
    obslugaPrzedArchiwum(typ, kontekst, tekst);
}

void UciszSterownikSerwera() {
    static std::once_flag raz;
    std::call_once(raz,
                   [] { obslugaPrzedArchiwum = qInstallMessageHandler(BezWierszySterownika); });
}

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

// Whether the file system of the file has (almost) no room left.
bool PelnyDysk(const QString& sciezka) {
    struct statvfs st {};
    if (::statvfs(QFile::encodeName(QFileInfo(sciezka).absolutePath()).constData(), &st) != 0)
        return false;
    return qint64(st.f_bavail) * qint64(st.f_frsize) < 64 * 1024;
}

// What SQLite itself finds in a file, read over a read-only connection of its own.
struct StanPliku {
    bool sprawdzony = false; // the integrity check ran
    bool spojny = false;     // and found nothing wrong
    bool archiwum = false;   // an archive of a schema this program knows
};

StanPliku SprawdzPlik(const QString& sciezka) {
    StanPliku stan;
    const QString nazwa = QStringLiteral("sondrel-sprawdzenie-%1").arg(++licznikPolaczen);
    {
        QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nazwa);
        // Without a journal beside it the file is read as it is, leaving no file behind.
        QUrl adres = QUrl::fromLocalFile(QFileInfo(sciezka).absoluteFilePath());
        adres.setQuery(QFileInfo::exists(sciezka + QStringLiteral("-wal"))
                           ? QStringLiteral("mode=ro")
                           : QStringLiteral("mode=ro&immutable=1"));
        b.setDatabaseName(adres.toString(QUrl::FullyEncoded));
        b.setConnectOptions(
            QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=10000"));
        if (b.open()) {
            QSqlQuery q(b);
            if (q.exec(QStringLiteral("PRAGMA integrity_check"))) {
                stan.sprawdzony = true;
                stan.spojny = q.next() && q.value(0).toString() == u"ok" && !q.next();
            } else {
                // A file that is not a database at all is what the check exists to find.
                stan.sprawdzony = RodzajBleduBazy(q.lastError()) == RodzajBledu::Uszkodzone;
            }
            const auto wartosc = [&](const QString& sql) {
                return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
            };
            if (stan.spojny &&
                wartosc(QStringLiteral("PRAGMA application_id")) == IdAplikacjiArchiwum) {
                const qint64 wersja = wartosc(QStringLiteral("SELECT wersja FROM wersja_schematu"));
                stan.archiwum = wersja >= 1 && wersja <= WersjaSchematu;
            }
            q.finish();
        }
        b.close();
    }
    QSqlDatabase::removeDatabase(nazwa);
    return stan;
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

void Archiwum::UstawDziennik(std::function<void(const QString&)> dziennik) {
    d->dziennik = std::move(dziennik);
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
    d->tylkoOdczyt = false;
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
    // Several processes making a new archive at once may find it held at a moment where
    // SQLite does not wait by itself: opening waits and tries again, as a writer would.
    QElapsedTimer czas;
    czas.start();
    for (;;) {
        d->zajete = false;
        if (d->OtworzPlik() && d->Przygotuj()) return true;
        if (!d->zajete || czas.elapsed() > LimitZajetosciMs) return false;
        QThread::msleep(QRandomGenerator::global()->bounded(10u, 50u));
    }
}

bool Archiwum::Dane::OtworzPlik() {
    const QString nazwa = opis;
    const QString rada = RadaOdlozenia();
    // the driver is a plugin of its own package: without it Qt would only say "Driver not loaded"
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        Odmowa(StanArchiwum::BrakDostepu, QStringLiteral("Nie można otworzyć archiwum %1: brak "
                                                         "sterownika SQLite (pakiet "
                                                         "libqt6sql6-sqlite).")
                                              .arg(nazwa));
        return false;
    }

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
    // An older archive in the program's data folder is its owner's alone too, with the
    // companion files SQLite made beside it (new ones take the archive's mode).
    if (WFolderzeDanych(sciezka))
        for (const char* koniec : {"", "-wal", "-shm"})
            if (QFileInfo(sciezka + QLatin1String(koniec)).isFile())
                QFile::setPermissions(sciezka + QLatin1String(koniec),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner);

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
        // A file or a folder this user may not write (or a read-only file system): the
        // archive is opened for reading only, so that it can still be listed and exported.
        folderTylkoDoOdczytu =
            ::access(QFile::encodeName(info.absolutePath()).constData(), W_OK) != 0;
        tylkoOdczyt = folderTylkoDoOdczytu;
        if (!plik.open(tylkoOdczyt ? QIODevice::ReadOnly : QIODevice::ReadWrite)) {
            const int numer = errno;
            if ((numer == EACCES || numer == EROFS || numer == EPERM) &&
                plik.open(QIODevice::ReadOnly)) {
                tylkoOdczyt = true;
            } else {
                Odmowa(StanArchiwum::BrakDostepu,
                       QStringLiteral("Nie można otworzyć archiwum %1: %2.")
                           .arg(nazwa, PowodBledu(plik, numer)));
                return false;
            }
        }
        const QByteArray naglowek = plik.read(16);
        if (plik.size() > 0 && naglowek != QByteArray("SQLite format 3\0", 16)) {
            // Another process making the archive this very moment: its first page may not be
            // there yet (the file already longer, its first bytes still zero). Opening waits
            // for it as for any other holder of the file.
            const bool zakladane =
                std::all_of(naglowek.begin(), naglowek.end(), [](char c) { return c == 0; }) &&
                QFileInfo(sciezka).lastModified().msecsTo(QDateTime::currentDateTime()) < 5000;
            if (zakladane) {
                zajete = true;
                Odmowa(StanArchiwum::BrakDostepu,
                       QStringLiteral("Archiwum %1 zakłada właśnie inny program; spróbuj "
                                      "ponownie za chwilę.")
                           .arg(nazwa));
                return false;
            }
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
        // Several processes may add at once: a writer waits for another's transaction.
        QString opcje = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(LimitZajetosciMs);
        if (tylkoOdczyt) {
            // A folder that cannot be written takes no -shm file: the file is read as it is.
            QUrl adres = QUrl::fromLocalFile(info.absoluteFilePath());
            adres.setQuery(folderTylkoDoOdczytu ? QStringLiteral("mode=ro&immutable=1")
                                                : QStringLiteral("mode=ro"));
            baza.setDatabaseName(adres.toString(QUrl::FullyEncoded));
            opcje += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        } else {
            baza.setDatabaseName(sciezka);
        }
        baza.setConnectOptions(opcje);
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
    UciszSterownikSerwera();
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
    UstawSesjeSerwera();
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
    // A refusal met while reading or preparing: said as what it is. Only a file that SQLite's
    // own integrity check finds damaged is called damaged and may be set aside.
    const auto awaria = [&](const QSqlError& e) {
        const QString szczegoly = e.text().trimmed();
        RodzajBledu rodzaj = RodzajBleduBazy(e);
        // SQLite reports some writes to a full disk as an input/output error.
        if (plik && rodzaj == RodzajBledu::Inny && PelnyDysk(d->sciezka))
            rodzaj = RodzajBledu::BrakMiejsca;
        switch (rodzaj) {
        case RodzajBledu::Zajete:
            d->zajete = plik;
            d->Odmowa(StanArchiwum::BrakDostepu,
                      QStringLiteral("Archiwum %1 jest zajęte przez inny program dłużej, niż "
                                     "program czeka (%2 s); spróbuj ponownie za chwilę (%3).")
                          .arg(nazwa)
                          .arg(LimitZajetosciMs / 1000)
                          .arg(szczegoly));
            return false;
        case RodzajBledu::BrakMiejsca:
            d->Odmowa(StanArchiwum::BrakDostepu,
                      QStringLiteral("Nie można otworzyć archiwum %1: brak miejsca na dysku (%2). "
                                     "Archiwum nie zostało zmienione; zwolnij miejsce i spróbuj "
                                     "ponownie.")
                          .arg(nazwa, szczegoly));
            return false;
        case RodzajBledu::BrakUprawnien:
            d->Odmowa(StanArchiwum::BrakDostepu,
                      (plik ? QStringLiteral("Nie można otworzyć archiwum %1: brak uprawnień do "
                                             "pliku archiwum albo jego folderu (%2).")
                            : QStringLiteral("Nie można otworzyć archiwum %1: brak uprawnień do "
                                             "tej bazy danych (%2)."))
                          .arg(nazwa, szczegoly));
            return false;
        case RodzajBledu::Uszkodzone:
        case RodzajBledu::Inny:
            break;
        }
        if (!plik) {
            if (d->Zywe()) return uszkodzone(szczegoly);
            d->Odmowa(StanArchiwum::BrakDostepu,
                      QStringLiteral("Nie można połączyć się z archiwum %1: połączenie z serwerem "
                                     "zostało przerwane (%2).")
                          .arg(nazwa, szczegoly));
            return false;
        }
        d->Odmowa(StanArchiwum::BrakDostepu, QString());
        const StanPliku stan = SprawdzPlik(d->sciezka);
        if (stan.sprawdzony && !stan.spojny) return uszkodzone(szczegoly);
        d->blad = QStringLiteral("Nie można odczytać archiwum %1: %2.").arg(nazwa, szczegoly);
        if (stan.spojny)
            d->blad += QStringLiteral("\rPlik przeszedł sprawdzenie spójności bazy danych: nie "
                                      "jest uszkodzony i nie należy go odkładać.");
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
            awaria(q.lastError());
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
                awaria(q.lastError());
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
                if (q.lastError().isValid())
                    awaria(q.lastError());
                else
                    uszkodzone(QStringLiteral("brak wersji schematu"));
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
    if (!d->Wykonaj(d->dialekt->PoczatekOdczytu)) return awaria(d->bladSql);
    auto z = czytaj();
    if (!z) return false;
    d->Wykonaj(QStringLiteral("COMMIT"));
    if (!sprawdz(*z)) return false;

    for (QString sql : d->dialekt->UstawieniaPolaczenia) {
        if (sql.contains(QLatin1String("journal_mode"))) {
            // A file opened for reading only keeps the journal it has.
            if (d->tylkoOdczyt) continue;
            // WAL needs memory shared through the file system, which a network one does not
            // share between computers: there the archive keeps a rollback journal.
            const QString siec =
                SiecowySystemPlikow(SystemPlikow(QFileInfo(d->sciezka).absolutePath()));
            if (!siec.isEmpty()) {
                sql = QStringLiteral("PRAGMA journal_mode = DELETE");
                if (d->dziennik)
                    d->dziennik(QStringLiteral("Archiwum %1 leży w folderze sieciowym (%2): "
                                               "zapisywane z dziennikiem wycofania "
                                               "(journal_mode=DELETE), bo tryb WAL nie działa "
                                               "w sieciowym systemie plików.")
                                    .arg(nazwa, siec));
            }
        }
        if (!d->Wykonaj(sql)) return awaria(d->bladSql);
    }

    if (z->wersja < WersjaSchematu) {
        // Made or brought up to date under the write lock, after reading again what another
        // process may have done meanwhile.
        if (d->tylkoOdczyt) {
            d->Odmowa(StanArchiwum::BrakDostepu,
                      QStringLiteral("Archiwum %1 można tylko czytać, a trzeba je założyć albo "
                                     "uaktualnić do nowszej wersji; potrzebne jest prawo zapisu "
                                     "do pliku i jego folderu.")
                          .arg(nazwa));
            return false;
        }
        if (!d->Wykonaj(d->dialekt->PoczatekZapisu) ||
            (!d->dialekt->BlokadaSchematu.isEmpty() && !d->Wykonaj(d->dialekt->BlokadaSchematu))) {
            const QSqlError blad = d->bladSql;
            d->Wycofaj();
            // On a server the schema is the owner's to make or bring up to date.
            if (d->serwer && Dane::BrakUprawnien(blad)) {
                d->Odmowa(StanArchiwum::BrakDostepu,
                          QStringLiteral("Nie można zapisać archiwum %1: %2.")
                              .arg(nazwa, d->PowodZapisu(blad.text())));
                return false;
            }
            return awaria(blad);
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
    // A healthy archive is never set aside: after that the list would be empty and the
    // teacher would believe the analyses lost.
    if (SprawdzPlik(sciezka).archiwum) {
        blad = QStringLiteral("Plik %1 jest poprawnym archiwum analiz (przeszedł sprawdzenie "
                              "spójności bazy danych): nie został odłożony.")
                   .arg(QDir::toNativeSeparators(sciezka));
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
