// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/polaczenie.h"

#include "archive/archiwum_dane.h"

#include <QAtomicInteger>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QUrl>
#include <QUrlQuery>
#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <mutex>
#include <sys/socket.h>
#include <thread>

namespace sondrel {

namespace {

constexpr int DomyslnyCzasLaczenia = 5; // seconds
constexpr int MaksCzasLaczenia = 30;    // seconds
constexpr int MaksLimitSesji = 600;     // seconds

// Set unless the URI sets them: a server or a network that is gone is noticed within about a
// minute even while the program waits for an answer (ignored on a Unix socket).
const std::pair<const char*, const char*> ParametryTcp[] = {
    {"keepalives", "1"},       {"keepalives_idle", "30"},     {"keepalives_interval", "10"},
    {"keepalives_count", "3"}, {"tcp_user_timeout", "60000"},
};

// libpq parameters a URI may set; anything else is refused rather than silently ignored.
const QStringList DozwoloneParametry = {
    QStringLiteral("sslmode"),
    QStringLiteral("sslrootcert"),
    QStringLiteral("sslcert"),
    QStringLiteral("sslkey"),
    QStringLiteral("sslcrl"),
    QStringLiteral("connect_timeout"),
    QStringLiteral("application_name"),
    QStringLiteral("options"),
    QStringLiteral("target_session_attrs"),
    QStringLiteral("gssencmode"),
    QStringLiteral("sslcompression"),
    QStringLiteral("keepalives"),
    QStringLiteral("keepalives_idle"),
    QStringLiteral("keepalives_interval"),
    QStringLiteral("keepalives_count"),
    QStringLiteral("tcp_user_timeout"),
    QStringLiteral("channel_binding"),
};

bool PoczatekAdresu(const QString& adres, QLatin1String schemat) {
    return adres.startsWith(schemat, Qt::CaseInsensitive);
}

QString Odkoduj(const QString& s) {
    return QUrl::fromPercentEncoding(s.toUtf8());
}

// A value as libpq's conninfo text quotes it.
QString Cytuj(const QString& s) {
    QString t = s;
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    t.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

} // namespace

bool JestAdresemSerwera(const QString& adres) {
    return PoczatekAdresu(adres, QLatin1String("postgresql://")) ||
           PoczatekAdresu(adres, QLatin1String("postgres://"));
}

bool WygladaNaAdres(const QString& adres) {
    static const QRegularExpression wzor(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:/"));
    return wzor.match(adres).hasMatch();
}

QString OdmowaAdresu(const QString& adres) {
    const QString schemat = adres.left(adres.indexOf(QLatin1Char(':')));
    return QStringLiteral("Błędny adres archiwum: tekst zaczynający się od „%1:/” nie jest "
                          "ścieżką pliku ani adresem serwera (adres serwera zaczyna się od "
                          "postgresql://).")
        .arg(schemat.left(20));
}

QString AdresSerwera::Opis() const {
    QString opis;
    if (!Uzytkownik.isEmpty()) opis += Uzytkownik + QLatin1Char('@');
    const bool gniazdo = Host.isEmpty() || Host.startsWith(QLatin1Char('/'));
    opis += gniazdo ? QStringLiteral("localhost") : Host;
    if (Port > 0) opis += QLatin1Char(':') + QString::number(Port);
    opis += QLatin1Char('/') + Baza;
    if (Host.startsWith(QLatin1Char('/'))) opis += QStringLiteral(" (gniazdo %1)").arg(Host);
    return opis;
}

std::optional<AdresSerwera> RozbierzAdresSerwera(const QString& adres, QString& blad) {
    const auto zly = [&](const QString& powod) -> std::optional<AdresSerwera> {
        blad = QStringLiteral("Błędny adres archiwum na serwerze: %1.").arg(powod);
        return std::nullopt;
    };
    if (!JestAdresemSerwera(adres)) return zly(QStringLiteral("oczekiwano postgresql://…"));
    QString reszta = adres.mid(adres.indexOf(QLatin1String("://")) + 3);
    QString zapytanie;
    if (const qsizetype q = reszta.indexOf(QLatin1Char('?')); q >= 0) {
        zapytanie = reszta.mid(q + 1);
        reszta.truncate(q);
    }
    QString sciezka;
    if (const qsizetype s = reszta.indexOf(QLatin1Char('/')); s >= 0) {
        sciezka = reszta.mid(s + 1);
        reszta.truncate(s);
    }
    AdresSerwera a;
    QString hostPort = reszta;
    if (const qsizetype m = reszta.lastIndexOf(QLatin1Char('@')); m >= 0) {
        const QString uzytkownik = reszta.left(m);
        hostPort = reszta.mid(m + 1);
        if (uzytkownik.contains(QLatin1Char(':')))
            return zly(QStringLiteral("hasła nie podaje się w adresie (program go nie zapisuje; "
                                      "użyj pliku ~/.pgpass albo zmiennej PGPASSWORD)"));
        a.Uzytkownik = Odkoduj(uzytkownik);
    }
    if (hostPort.contains(QLatin1Char(','))) return zly(QStringLiteral("podaj jeden serwer"));
    QString portTekst;
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype k = hostPort.indexOf(QLatin1Char(']'));
        if (k < 0) return zly(QStringLiteral("niedomknięty adres IPv6"));
        a.Host = hostPort.mid(1, k - 1);
        const QString po = hostPort.mid(k + 1);
        if (!po.isEmpty()) {
            if (!po.startsWith(QLatin1Char(':'))) return zly(QStringLiteral("błędny port"));
            portTekst = po.mid(1);
        }
    } else if (const qsizetype d = hostPort.indexOf(QLatin1Char(':')); d >= 0) {
        a.Host = Odkoduj(hostPort.left(d));
        portTekst = hostPort.mid(d + 1);
    } else {
        a.Host = Odkoduj(hostPort);
    }
    const auto ustawPort = [&](const QString& tekst) {
        bool ok = false;
        const int port = tekst.toInt(&ok);
        if (!ok || port < 1 || port > 65535) return false;
        a.Port = port;
        return true;
    };
    if (!portTekst.isEmpty() && !ustawPort(portTekst)) return zly(QStringLiteral("błędny port"));
    a.Baza = Odkoduj(sciezka);
    bool czasPodany = false;
    // A limit of the session in whole seconds, 1..MaksLimitSesji.
    const auto limit = [](const QString& tekst, int& cel) {
        bool ok = false;
        const int sekundy = tekst.toInt(&ok);
        if (!ok || sekundy < 1 || sekundy > MaksLimitSesji) return false;
        cel = sekundy;
        return true;
    };
    for (const QString& para : zapytanie.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype r = para.indexOf(QLatin1Char('='));
        const QString klucz = Odkoduj(r < 0 ? para : para.left(r));
        const QString wartosc = r < 0 ? QString() : Odkoduj(para.mid(r + 1));
        if (klucz == u"host") {
            a.Host = wartosc;
        } else if (klucz == u"port") {
            if (!ustawPort(wartosc)) return zly(QStringLiteral("błędny port"));
        } else if (klucz == u"dbname") {
            a.Baza = wartosc;
        } else if (klucz == u"user") {
            a.Uzytkownik = wartosc;
        } else if (klucz == u"password" || klucz == u"passfile") {
            return zly(QStringLiteral("hasła nie podaje się w adresie (program go nie zapisuje; "
                                      "użyj pliku ~/.pgpass albo zmiennej PGPASSWORD)"));
        } else if (klucz == u"statement_timeout") {
            if (!limit(wartosc, a.LimitPolecenia))
                return zly(QStringLiteral("błędna wartość %1 (sekundy, 1..%2)")
                               .arg(klucz)
                               .arg(MaksLimitSesji));
        } else if (klucz == u"lock_timeout") {
            if (!limit(wartosc, a.LimitBlokady))
                return zly(QStringLiteral("błędna wartość %1 (sekundy, 1..%2)")
                               .arg(klucz)
                               .arg(MaksLimitSesji));
        } else if (DozwoloneParametry.contains(klucz)) {
            if (wartosc.contains(QLatin1Char(';')))
                return zly(QStringLiteral("błędna wartość %1").arg(klucz));
            QString w = wartosc;
            if (klucz == u"connect_timeout") {
                // libpq waits for ever on 0: never more than MaksCzasLaczenia here.
                bool ok = false;
                const int sekundy = wartosc.toInt(&ok);
                if (!ok || sekundy < 0) return zly(QStringLiteral("błędna wartość %1").arg(klucz));
                w = QString::number(sekundy == 0 ? MaksCzasLaczenia
                                                 : std::min(sekundy, MaksCzasLaczenia));
                czasPodany = true;
            }
            a.Parametry.emplace_back(klucz, w);
        } else {
            return zly(QStringLiteral("nieznany parametr %1").arg(klucz));
        }
    }
    if (a.Host.contains(QLatin1Char(',')) || a.Host.contains(QLatin1Char(';')))
        return zly(QStringLiteral("podaj jeden serwer"));
    if (a.Baza.isEmpty()) return zly(QStringLiteral("brak nazwy bazy danych"));
    if (!czasPodany)
        a.Parametry.emplace_back(QStringLiteral("connect_timeout"),
                                 QString::number(DomyslnyCzasLaczenia));
    for (const auto& [klucz, wartosc] : ParametryTcp) {
        const QString k = QString::fromLatin1(klucz);
        if (std::none_of(a.Parametry.begin(), a.Parametry.end(),
                         [&](const auto& p) { return p.first == k; }))
            a.Parametry.emplace_back(k, QString::fromLatin1(wartosc));
    }
    return a;
}

QString AdresArchiwum(const UstawieniaArchiwum& u, const QString& sciezkaPliku) {
    if (!u.Serwer) return sciezkaPliku;
    const auto koduj = [](const QString& s) {
        return QString::fromLatin1(QUrl::toPercentEncoding(s));
    };
    QString adres = QStringLiteral("postgresql://");
    if (!u.Uzytkownik.isEmpty()) adres += koduj(u.Uzytkownik) + QLatin1Char('@');
    QStringList zapytanie;
    if (u.Host.startsWith(QLatin1Char('/')))
        zapytanie.append(QStringLiteral("host=") + koduj(u.Host));
    else if (u.Host.contains(QLatin1Char(':')))
        adres += QLatin1Char('[') + u.Host + QLatin1Char(']');
    else
        adres += koduj(u.Host);
    if (u.Port > 0 && u.Port != 5432) {
        if (u.Host.startsWith(QLatin1Char('/')))
            zapytanie.append(QStringLiteral("port=%1").arg(u.Port));
        else
            adres += QStringLiteral(":%1").arg(u.Port);
    }
    adres += QLatin1Char('/') + koduj(u.Baza);
    if (!u.Sslmode.isEmpty()) zapytanie.append(QStringLiteral("sslmode=") + koduj(u.Sslmode));
    if (!u.Sslrootcert.isEmpty())
        zapytanie.append(QStringLiteral("sslrootcert=") + koduj(u.Sslrootcert));
    if (!zapytanie.isEmpty()) adres += QLatin1Char('?') + zapytanie.join(QLatin1Char('&'));
    return adres;
}

UstawieniaArchiwum UstawieniaZAdresu(const QString& adres) {
    UstawieniaArchiwum u;
    QString blad;
    const auto a = JestAdresemSerwera(adres) ? RozbierzAdresSerwera(adres, blad) : std::nullopt;
    if (!a) return u;
    u.Serwer = true;
    u.Host = a->Host;
    u.Port = a->Port > 0 ? a->Port : 5432;
    u.Baza = a->Baza;
    u.Uzytkownik = a->Uzytkownik;
    for (const auto& [klucz, wartosc] : a->Parametry)
        if (klucz == u"sslmode")
            u.Sslmode = wartosc;
        else if (klucz == u"sslrootcert")
            u.Sslrootcert = wartosc;
    return u;
}

void UstawPolaczenieSerwera(QSqlDatabase& baza, const AdresSerwera& adres) {
    if (!adres.Host.isEmpty()) baza.setHostName(adres.Host);
    if (adres.Port > 0) baza.setPort(adres.Port);
    baza.setDatabaseName(adres.Baza);
    if (!adres.Uzytkownik.isEmpty()) baza.setUserName(adres.Uzytkownik);
    // The session's limits first, so that options the URI gives come after them. The
    // archive's statements are small: compiling them (JIT, which the row-level security's
    // cost estimates would switch on) costs far more than it saves. The server's notices are
    // not for the teacher (libpq would print them on the standard error).
    QString opcjeSesji = QStringLiteral("-c statement_timeout=%1s -c lock_timeout=%2s -c jit=off "
                                        "-c client_min_messages=warning")
                             .arg(adres.LimitPolecenia)
                             .arg(adres.LimitBlokady);
    QStringList opcje;
    for (const auto& [klucz, wartosc] : adres.Parametry) {
        if (klucz == u"options")
            opcjeSesji += QLatin1Char(' ') + wartosc;
        else
            opcje.append(klucz + QLatin1Char('=') + Cytuj(wartosc));
    }
    opcje.append(QStringLiteral("options=") + Cytuj(opcjeSesji));
    baza.setConnectOptions(opcje.join(QLatin1Char(';')));
}

QString WynikSprawdzenia::Opis() const {
    if (!Polaczono) return Blad;
    QString t = QStringLiteral("Połączono z serwerem PostgreSQL %1 jako %2 (%3).")
                    .arg(Wersja, Uzytkownik,
                         Szyfrowane ? QStringLiteral("połączenie szyfrowane")
                                    : QStringLiteral("połączenie bez szyfrowania"));
    if (!SaTabele)
        return t + (MozeZalozyc ? QStringLiteral(" Archiwum jest puste: ten użytkownik założy jego "
                                                 "tabele przy pierwszym otwarciu.")
                                : QStringLiteral(" Archiwum jest puste: jego tabele założy "
                                                 "właściciel archiwum przy pierwszym otwarciu."));
    const QString czyje = Wlasciciel ? QStringLiteral("wszystkie") : QStringLiteral("tylko swoje");
    QStringList moze;
    if (MozeDodawac) moze.append(QStringLiteral("dodawać analizy"));
    if (MozeCzytac)
        moze.append(QStringLiteral("czytać %1 analizy")
                        .arg(Wszystkie ? QStringLiteral("wszystkie") : QStringLiteral("swoje")));
    if (MozeUsuwac) moze.append(QStringLiteral("usuwać %1 analizy").arg(czyje));
    if (moze.isEmpty()) return t + QStringLiteral(" Ten użytkownik nie ma uprawnień do archiwum.");
    QStringList nie;
    if (!MozeDodawac) nie.append(QStringLiteral("dodawać"));
    if (!MozeCzytac) nie.append(QStringLiteral("czytać"));
    if (!MozeUsuwac) nie.append(QStringLiteral("usuwać"));
    t += QStringLiteral(" Może: ") + moze.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!nie.isEmpty())
        t += QStringLiteral(" Nie może: ") + nie.join(QStringLiteral(", ")) + QLatin1Char('.');
    return t;
}

WynikSprawdzenia SprawdzPolaczenie(const QString& adres) {
    static QAtomicInteger<quint64> licznik;
    WynikSprawdzenia w;
    QString blad;
    const auto a = RozbierzAdresSerwera(adres, blad);
    if (!a) {
        w.Blad = blad;
        return w;
    }
    const QString opis = a->Opis();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        w.Blad = QStringLiteral("Nie można połączyć się z serwerem %1: brak sterownika PostgreSQL "
                                "(pakiet libqt6sql6-psql).")
                     .arg(opis);
        return w;
    }
    const QString nazwa = QStringLiteral("sondrel-sprawdzenie-%1").arg(++licznik);
    {
        QSqlDatabase baza = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nazwa);
        UstawPolaczenieSerwera(baza, *a);
        if (!baza.open()) {
            w.Blad = QStringLiteral("Nie można połączyć się z serwerem %1: %2")
                         .arg(opis, archiwum_wewn::PowodPolaczenia(baza.lastError()));
        } else {
            QSqlQuery q(baza);
            const bool ok = q.exec(QStringLiteral(
                                "SELECT current_setting('server_version'), current_user, "
                                "coalesce((SELECT ssl FROM pg_stat_ssl WHERE pid = "
                                "pg_backend_pid()), false), to_regclass('analizy') IS NOT NULL, "
                                "has_schema_privilege(current_schema(), 'CREATE'), "
                                "coalesce(has_table_privilege(to_regclass('analizy'), 'INSERT'), "
                                "false), coalesce(has_table_privilege(to_regclass('analizy'), "
                                "'SELECT'), false), coalesce(has_table_privilege("
                                "to_regclass('analizy'), 'DELETE'), false), coalesce(pg_has_role("
                                "current_user, (SELECT relowner FROM pg_class WHERE oid = "
                                "to_regclass('analizy')), 'MEMBER'), false), EXISTS (SELECT 1 "
                                "FROM pg_roles WHERE rolname = 'sondrel_kierownicy' AND "
                                "pg_has_role(current_user, oid, 'MEMBER'))")) &&
                            q.next();
            if (!ok) {
                w.Blad = QStringLiteral("Połączono z serwerem %1, ale nie udało się sprawdzić "
                                        "uprawnień: %2.")
                             .arg(opis, archiwum_wewn::OpisBleduBazy(q.lastError().text()));
            } else {
                w.Polaczono = true;
                w.Wersja = q.value(0).toString();
                w.Uzytkownik = q.value(1).toString();
                w.Szyfrowane = q.value(2).toBool();
                w.SaTabele = q.value(3).toBool();
                w.MozeZalozyc = q.value(4).toBool();
                w.MozeDodawac = q.value(5).toBool();
                w.MozeCzytac = q.value(6).toBool();
                w.MozeUsuwac = q.value(7).toBool();
                w.Wlasciciel = q.value(8).toBool();
                w.Wszystkie = w.Wlasciciel || q.value(9).toBool();
            }
        }
    }
    QSqlDatabase::removeDatabase(nazwa);
    return w;
}

namespace {

// libpq's PQsocket, from the copy the Qt driver loaded (nothing when it is not loaded).
int GniazdoPolaczenia(const QSqlDatabase& baza) {
    using FunkcjaGniazda = int (*)(const void*);
    static const FunkcjaGniazda pqSocket = []() -> FunkcjaGniazda {
        void* biblioteka = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD);
        return biblioteka ? reinterpret_cast<FunkcjaGniazda>(dlsym(biblioteka, "PQsocket"))
                          : nullptr;
    }();
    if (!pqSocket || !baza.driver()) return -1;
    const QVariant uchwyt = baza.driver()->handle();
    // PGconn is libpq's typedef of struct pg_conn: Qt names the type either way.
    if (!uchwyt.isValid() ||
        (qstrcmp(uchwyt.typeName(), "PGconn*") != 0 && qstrcmp(uchwyt.typeName(), "pg_conn*") != 0))
        return -1;
    const void* polaczenie = *static_cast<void* const*>(uchwyt.constData());
    return polaczenie ? pqSocket(polaczenie) : -1;
}

} // namespace

struct StraznikPolaczenia::Stan {
    std::mutex m;
    std::condition_variable cv;
    std::thread watek;
    int gniazdo = -1;
    std::chrono::steady_clock::time_point termin;
    bool koniec = false;
    bool odcial = false;

    void Czuwaj() {
        std::unique_lock blokada(m);
        while (!koniec) {
            if (gniazdo < 0) {
                cv.wait(blokada);
                continue;
            }
            if (cv.wait_until(blokada, termin) == std::cv_status::timeout && gniazdo >= 0 &&
                std::chrono::steady_clock::now() >= termin) {
                // The blocked call's read or write returns at once; the connection is dead.
                ::shutdown(gniazdo, SHUT_RDWR);
                gniazdo = -1;
                odcial = true;
            }
        }
    }
};

StraznikPolaczenia::StraznikPolaczenia() : s(new Stan) {}

StraznikPolaczenia::~StraznikPolaczenia() {
    {
        std::lock_guard blokada(s->m);
        s->koniec = true;
    }
    s->cv.notify_all();
    if (s->watek.joinable()) s->watek.join();
    delete s;
}

void StraznikPolaczenia::Uzbroj(const QSqlDatabase& baza, int limitMs) {
    const int gniazdo = GniazdoPolaczenia(baza);
    {
        std::lock_guard blokada(s->m);
        s->gniazdo = gniazdo;
        s->termin = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        if (gniazdo >= 0 && !s->watek.joinable())
            s->watek = std::thread([st = s] { st->Czuwaj(); });
    }
    s->cv.notify_all();
}

void StraznikPolaczenia::Rozbroj() {
    {
        std::lock_guard blokada(s->m);
        s->gniazdo = -1;
    }
    s->cv.notify_all();
}

bool StraznikPolaczenia::Odcial() const {
    std::lock_guard blokada(s->m);
    return s->odcial;
}

void StraznikPolaczenia::Wyczysc() {
    std::lock_guard blokada(s->m);
    s->odcial = false;
}

} // namespace sondrel
