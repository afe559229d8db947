// SPDX-License-Identifier: GPL-3.0-or-later
// Who sees and changes what on a school's archive server: two teachers, a head of subject and
// the owner, through the program and (the teacher) straight through SQL; and the limits that
// keep a call from waiting for ever on a locked table or a server that stopped answering; and
// the roles file of resources/sql run as its header tells an administrator to, over TCP with
// passwords.

#include "archive/archiwum.h"

#include "analysis/ocenianie.h"
#include "archive/polaczenie.h"
#include "support/klasa_testowa.h"
#include "support/serwer_testowy.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <arpa/inet.h>
#include <csignal>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

// The roles are the cluster's (made once, kept by later tests); the database is the test's.
bool UstawRole(const BazaTestowa& baza) {
    return baza.Wykonaj(QStringLiteral(
        "DO $$\n"
        "DECLARE r text[];\n"
        "BEGIN\n"
        "    FOREACH r SLICE 1 IN ARRAY ARRAY[\n"
        "        ['sondrel_nauczyciele', 'NOLOGIN'], ['sondrel_kierownicy', 'NOLOGIN'],\n"
        "        ['t_anna', 'LOGIN IN ROLE sondrel_nauczyciele'],\n"
        "        ['t_piotr', 'LOGIN IN ROLE sondrel_nauczyciele'],\n"
        "        ['t_kierownik', 'LOGIN IN ROLE sondrel_kierownicy'], ['t_obcy', 'LOGIN']] LOOP\n"
        "        IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = r[1]) THEN\n"
        "            EXECUTE format('CREATE ROLE %I %s', r[1], r[2]);\n"
        "        END IF;\n"
        "    END LOOP;\n"
        "END $$"));
}

std::vector<QString> Klasy(Archiwum& a) {
    std::vector<QString> klasy;
    const auto lista = a.Lista();
    EXPECT_TRUE(lista) << a.Blad().toStdString();
    if (lista)
        for (const WpisArchiwum& w : *lista)
            klasy.push_back(w.Klasa + QLatin1Char('/') + w.Dodal);
    return klasy;
}

AnalizaArchiwalna Klasa(int ziarno, const char* etykieta) {
    AnalizaArchiwalna a = KlasaArchiwalna(ziarno);
    a.Klasa = QString::fromUtf8(etykieta);
    return a;
}

class ArchiwumUprawnienia : public testing::Test {
protected:
    void SetUp() override {
        POMIN_BEZ_SERWERA(baza);
        ASSERT_TRUE(UstawRole(baza));
        // The owner (here the tests' superuser) makes the tables and the groups' rights.
        ASSERT_TRUE(wlasciciel.Otworz(baza.Adres())) << wlasciciel.Blad().toStdString();
        for (auto [a, rola] : {std::pair{&anna, "t_anna"}, std::pair{&piotr, "t_piotr"},
                               std::pair{&kierownik, "t_kierownik"}})
            ASSERT_TRUE(a->Otworz(baza.Adres(QString::fromLatin1(rola))))
                << a->Blad().toStdString();
    }

    BazaTestowa baza;
    Archiwum wlasciciel, anna, piotr, kierownik;
};

} // namespace

TEST_F(ArchiwumUprawnienia, KazdyWidziIZmieniaTylkoToCoMuWolno) {
    AnalizaArchiwalna a1 = Klasa(1, "7a"), p1 = Klasa(2, "7b"), k1 = Klasa(3, "7c");
    ASSERT_TRUE(anna.Dodaj(a1)) << anna.Blad().toStdString();
    ASSERT_TRUE(piotr.Dodaj(p1)) << piotr.Blad().toStdString();
    ASSERT_TRUE(kierownik.Dodaj(k1)) << kierownik.Blad().toStdString();
    EXPECT_EQ(a1.Dodal, QStringLiteral("t_anna"));

    // Who sees what: a teacher their own, the head of subject and the owner everything.
    using Lista = std::vector<QString>;
    EXPECT_EQ(Klasy(anna), (Lista{"7a/t_anna"}));
    EXPECT_EQ(Klasy(piotr), (Lista{"7b/t_piotr"}));
    const Lista wszystkie{"7a/t_anna", "7b/t_piotr", "7c/t_kierownik"};
    EXPECT_EQ(Klasy(kierownik), wszystkie);
    EXPECT_EQ(Klasy(wlasciciel), wszystkie);
    EXPECT_FALSE(anna.Wczytaj(p1.Id));
    EXPECT_EQ(anna.Blad(), QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(p1.Id));
    EXPECT_EQ(kierownik.Wczytaj(p1.Id)->Uczniowie, p1.Uczniowie);
    // A student's history: only the classes the caller sees.
    const QString uczen = p1.Uczniowie[0].Nazwisko + QLatin1Char(' ') + p1.Uczniowie[0].Imie;
    EXPECT_TRUE(anna.HistoriaUcznia(uczen)->empty());
    EXPECT_EQ(kierownik.HistoriaUcznia(uczen)->size(), 1u);

    // Who changes what, and the refusals naming the missing right.
    const QString odmowaOpisu =
        QStringLiteral("Brak uprawnień do zmiany opisu w archiwum %1: opis analizy zmienia tylko "
                       "ten, kto ją dodał, i właściciel archiwum.");
    const QString odmowaUsuniecia =
        QStringLiteral("Brak uprawnień do usuwania z archiwum %1: analizę usuwa tylko ten, kto ją "
                       "dodał, i właściciel archiwum.");
    EXPECT_TRUE(anna.ZmienOpis(a1.Id, QStringLiteral("7A"), QDate(2026, 2, 1)))
        << anna.Blad().toStdString();
    EXPECT_FALSE(anna.ZmienOpis(p1.Id, QStringLiteral("x"), QDate(2026, 2, 1)));
    EXPECT_EQ(anna.Blad(), QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(p1.Id));
    EXPECT_FALSE(kierownik.ZmienOpis(a1.Id, QStringLiteral("x"), QDate(2026, 2, 1)));
    EXPECT_EQ(kierownik.Blad(), odmowaOpisu.arg(kierownik.Opis()));
    EXPECT_FALSE(kierownik.Usun(p1.Id));
    EXPECT_EQ(kierownik.Blad(), odmowaUsuniecia.arg(kierownik.Opis()));
    EXPECT_FALSE(piotr.Usun(a1.Id));
    EXPECT_EQ(Klasy(wlasciciel), (Lista{"7A/t_anna", "7b/t_piotr", "7c/t_kierownik"}));

    // The same class added by a colleague: already archived, though not visible to this one.
    AnalizaArchiwalna znowu = Klasa(1, "7a");
    const auto powtorka = piotr.Dodaj(znowu);
    ASSERT_TRUE(powtorka) << piotr.Blad().toStdString();
    EXPECT_TRUE(powtorka->JuzBylo);
    EXPECT_TRUE(piotr.Blad().startsWith(QStringLiteral("Ta analiza jest już w archiwum.")));

    // Each deletes their own; the owner anything.
    EXPECT_TRUE(kierownik.Usun(k1.Id)) << kierownik.Blad().toStdString();
    EXPECT_TRUE(anna.Usun(a1.Id)) << anna.Blad().toStdString();
    EXPECT_TRUE(wlasciciel.Usun(p1.Id)) << wlasciciel.Blad().toStdString();
    EXPECT_TRUE(Klasy(wlasciciel).empty());

    // A role in neither group is refused, and told which right it lacks.
    Archiwum obcy;
    EXPECT_FALSE(obcy.Otworz(baza.Adres(QStringLiteral("t_obcy"))));
    EXPECT_EQ(obcy.Blad(), QStringLiteral("Brak uprawnień do odczytu archiwum %1: prawo odczytu "
                                          "nadaje administrator serwera rolą sondrel_nauczyciele "
                                          "albo sondrel_kierownicy.")
                               .arg(obcy.Opis()));
}

TEST_F(ArchiwumUprawnienia, SprawdzeniePolaczeniaMowiCoKomuWolno) {
    const QString wersja = baza.Zapytaj(QStringLiteral("SHOW server_version")).toString();
    const QString poczatek = QStringLiteral("Połączono z serwerem PostgreSQL %1 jako %2 "
                                            "(połączenie bez szyfrowania).");
    const struct {
        const char* rola;
        const char* reszta;
    } przypadki[] = {
        {"t_anna", " Może: dodawać analizy, czytać swoje analizy, usuwać tylko swoje analizy."},
        {"t_kierownik",
         " Może: dodawać analizy, czytać wszystkie analizy, usuwać tylko swoje analizy."},
        {"sondrel_test",
         " Może: dodawać analizy, czytać wszystkie analizy, usuwać wszystkie analizy."},
        {"t_obcy", " Ten użytkownik nie ma uprawnień do archiwum."},
    };
    for (const auto& p : przypadki) {
        const QString rola = QString::fromLatin1(p.rola);
        const WynikSprawdzenia w = SprawdzPolaczenie(baza.Adres(rola));
        EXPECT_TRUE(w.Polaczono) << p.rola << w.Blad.toStdString();
        EXPECT_EQ(w.Opis(), poczatek.arg(wersja, rola) + QString::fromUtf8(p.reszta)) << p.rola;
    }
    // An empty database: who may make the tables; a role the server does not know.
    BazaTestowa pusta;
    EXPECT_TRUE(SprawdzPolaczenie(pusta.Adres())
                    .Opis()
                    .endsWith(QStringLiteral(
                        "ten użytkownik założy jego tabele przy pierwszym otwarciu.")));
    EXPECT_TRUE(SprawdzPolaczenie(pusta.Adres(QStringLiteral("t_anna")))
                    .Opis()
                    .endsWith(QStringLiteral("jego tabele założy właściciel archiwum przy "
                                             "pierwszym otwarciu.")));
    const WynikSprawdzenia nikt = SprawdzPolaczenie(pusta.Adres(QStringLiteral("t_nikt")));
    EXPECT_FALSE(nikt.Polaczono);
    EXPECT_TRUE(
        nikt.Opis().endsWith(QStringLiteral("nie ma takiej bazy danych albo takiego użytkownika.")))
        << nikt.Blad.toStdString();
}

TEST_F(ArchiwumUprawnienia, NauczycielNieObchodziZasadPrzezSql) {
    AnalizaArchiwalna a1 = Klasa(1, "7a"), p1 = Klasa(2, "7b");
    ASSERT_TRUE(anna.Dodaj(a1));
    ASSERT_TRUE(piotr.Dodaj(p1));
    const QString adres = baza.Adres(QStringLiteral("t_anna"));
    const QString uczen = QStringLiteral(
        "INSERT INTO uczniowie (analiza_id, lp, nazwisko, imie, start, koniec, zapis, zwm, "
        "zaznaczone, poprawnych, procent, ocena, szukane) VALUES (%1, %2, 'X', 'Y', 0, 0, 0, 0, "
        "'111111', 6, 100, 'Cel', 'x y')");
    const QString analiza = QStringLiteral(
        "INSERT INTO analizy (%1odcisk, pliki_odcisk, klasa, data_napisania, dodano, nazwa, "
        "autor, ilosc_pytan, ilosc_odpowiedzi, typ, czas, wersja, tkk, prog_cel, prog_bdb, "
        "prog_db, prog_dst, prog_dp, klucz, plik_testu, ilosc_uczniow, procent_klasy, dodal) "
        "%2 VALUES (%3'o', '%4', 'z', '2026-01-01', '2026-01-01T00:00:00Z', 'T', 'A', 6, 4, 0, "
        "0, '', 0, 95, 85, 70, 50, 30, '124812', '', 0, 0, 't_piotr') RETURNING id, dodal");

    const struct {
        QString sql;
        bool udane;
    } proby[] = {
        // Students into a colleague's analysis, or its students deleted: refused / nothing.
        {uczen.arg(p1.Id).arg(100), false},
        {QStringLiteral("DELETE FROM uczniowie WHERE analiza_id = %1").arg(p1.Id), true},
        {QStringLiteral("UPDATE analizy SET klasa = 'x' WHERE id = %1").arg(p1.Id), true},
        // Who added it is the server's to say.
        {QStringLiteral("UPDATE analizy SET dodal = 't_piotr' WHERE id = %1").arg(a1.Id), false},
        // An explicit id: refused, or (forced) replaced by the server's.
        {analiza.arg(QStringLiteral("id, "), QString(), QStringLiteral("100000, "),
                     QStringLiteral("p1")),
         false},
        {analiza.arg(QStringLiteral("id, "), QStringLiteral("OVERRIDING SYSTEM VALUE"),
                     QStringLiteral("100001, "), QStringLiteral("p2")),
         true},
        // Her own analysis she may fill as she likes: the list follows its rows.
        {uczen.arg(a1.Id).arg(100), true},
        {QStringLiteral("UPDATE analizy SET procent_klasy = 100, ilosc_uczniow = 99 WHERE id = "
                        "%1")
             .arg(a1.Id),
         true},
    };
    for (const auto& p : proby) {
        bool ok = false;
        ZapytajSerwer(adres, p.sql, &ok);
        EXPECT_EQ(ok, p.udane) << p.sql.toStdString();
    }

    // The colleague's analysis is whole.
    EXPECT_EQ(*piotr.Wczytaj(p1.Id), p1);
    // The forced id was the server's and the row is hers, so later adds never collide.
    EXPECT_EQ(
        baza.Zapytaj(QStringLiteral("SELECT count(*) FROM analizy WHERE id >= 100000")).toInt(), 0);
    EXPECT_EQ(baza.Zapytaj(QStringLiteral("SELECT dodal FROM analizy WHERE pliki_odcisk = 'p2'"))
                  .toString(),
              QStringLiteral("t_anna"));
    std::vector<qint64> numery;
    for (int i = 3; i < 6; ++i) {
        AnalizaArchiwalna a = Klasa(i, "8a");
        EXPECT_TRUE(piotr.Dodaj(a)) << piotr.Blad().toStdString();
        numery.push_back(a.Id);
    }
    // Numbers in a row: the server's check takes no number of its own.
    EXPECT_EQ(numery, (std::vector<qint64>{numery[0], numery[0] + 1, numery[0] + 2}));
    // The figures of the list are those of the rows: 6 students with one of 100 %.
    const auto lista = anna.Lista();
    ASSERT_TRUE(lista);
    const auto wpis = std::find_if(lista->begin(), lista->end(),
                                   [&](const WpisArchiwum& w) { return w.Id == a1.Id; });
    ASSERT_NE(wpis, lista->end());
    const auto pelna = anna.Wczytaj(a1.Id);
    ASSERT_EQ(pelna->Uczniowie.size(), 6u);
    qint64 suma = 0;
    for (const UczenArchiwalny& u : pelna->Uczniowie)
        suma += u.Poprawnych;
    EXPECT_EQ(wpis->IloscUczniow, 6);
    EXPECT_EQ(wpis->ProcentKlasy, ProcentZaokraglony(suma, 6 * 6));
}

TEST_F(ArchiwumUprawnienia, ZablokowanaTabelaIMilczacySerwerKonczaSieWCzasie) {
    AnalizaArchiwalna a1 = Klasa(1, "7a");
    ASSERT_TRUE(anna.Dodaj(a1));

    // Another session holds the analyses table: the list gives up after the lock limit.
    Archiwum krotko;
    ASSERT_TRUE(krotko.Otworz(baza.Adres(QStringLiteral("t_anna")) +
                              QStringLiteral("&lock_timeout=1&statement_timeout=2")))
        << krotko.Blad().toStdString();
    {
        QSqlDatabase blokujaca =
            QSqlDatabase::cloneDatabase(wlasciciel.NazwaPolaczenia(), QStringLiteral("blokada"));
        ASSERT_TRUE(blokujaca.open());
        QSqlQuery q(blokujaca);
        ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
        ASSERT_TRUE(q.exec(QStringLiteral("LOCK TABLE analizy IN ACCESS EXCLUSIVE MODE")));
        QElapsedTimer czas;
        czas.start();
        EXPECT_FALSE(krotko.Lista());
        EXPECT_LT(czas.elapsed(), 4000);
        EXPECT_TRUE(krotko.Blad().endsWith(QStringLiteral(
            "inne połączenie zbyt długo blokuje archiwum (minął czas oczekiwania na blokadę).")))
            << krotko.Blad().toStdString();
        EXPECT_FALSE(krotko.Blad().contains(QStringLiteral("lock")));
        q.exec(QStringLiteral("ROLLBACK"));
        blokujaca.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("blokada"));
    EXPECT_EQ(krotko.Lista()->size(), 1u);

    // The server process of this connection stops answering (its kernel still acknowledges
    // every packet): the call ends after twice the statement limit, the connection is made
    // anew for the next one.
    qint64 pid = 0;
    {
        QSqlQuery q(QSqlDatabase::database(krotko.NazwaPolaczenia()));
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT pg_backend_pid()")) && q.next());
        pid = q.value(0).toLongLong();
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    QElapsedTimer czas;
    czas.start();
    const auto lista = krotko.Lista();
    const qint64 trwalo = czas.elapsed();
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    EXPECT_FALSE(lista);
    EXPECT_LT(trwalo, 7000);
    EXPECT_TRUE(krotko.Blad().endsWith(QStringLiteral(
        "serwer nie odpowiedział w ciągu 4 s, połączenie przerwano, nic nie zapisano.")))
        << krotko.Blad().toStdString();
    const auto znowu = krotko.Lista();
    ASSERT_TRUE(znowu) << krotko.Blad().toStdString();
    EXPECT_EQ(znowu->size(), 1u);
}

namespace {

// A cluster of its own on 127.0.0.1 with scram-sha-256 passwords (tools/pg_testowy.sh).
class SerwerTcp {
public:
    SerwerTcp() {
        // A free port, as the kernel gives one.
        const int gniazdo = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in adres{};
        adres.sin_family = AF_INET;
        adres.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t dlugosc = sizeof adres;
        if (::bind(gniazdo, reinterpret_cast<sockaddr*>(&adres), sizeof adres) == 0 &&
            ::getsockname(gniazdo, reinterpret_cast<sockaddr*>(&adres), &dlugosc) == 0)
            port = ntohs(adres.sin_port);
        ::close(gniazdo);
        folder = QStringLiteral("/tmp/sondrel-pg-tcp-%1").arg(QCoreApplication::applicationPid());
        QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert(QStringLiteral("SONDREL_PG_HASLO"), Haslo);
        dziala = port > 0 &&
                 Uruchom(Skrypt(), {QStringLiteral("start"), folder, QString::number(port)},
                         srodowisko) == 0 &&
                 QFileInfo::exists(folder + QStringLiteral("/.s.PGSQL.%1").arg(port));
    }
    ~SerwerTcp() { Uruchom(Skrypt(), {QStringLiteral("stop"), folder}); }

    static QString Zrodla(const char* sciezka) {
        return QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../../") +
                               QString::fromLatin1(sciezka));
    }
    static QString Skrypt() { return Zrodla("tools/pg_testowy.sh"); }
    static QString Program(const char* nazwa) {
        return qEnvironmentVariable("SONDREL_PG_BIN",
                                    QStringLiteral("/usr/lib/postgresql/15/bin")) +
               QLatin1Char('/') + QString::fromLatin1(nazwa);
    }
    // A program of PostgreSQL's run as the superuser over TCP with its password.
    int Klient(const char* program, const QStringList& argumenty, QByteArray* wyjscie = nullptr) {
        QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert(QStringLiteral("PGPASSWORD"), Haslo);
        return Uruchom(Program(program),
                       QStringList{QStringLiteral("-h"), QStringLiteral("127.0.0.1"),
                                   QStringLiteral("-p"), QString::number(port),
                                   QStringLiteral("-U"), QStringLiteral("sondrel_test")} +
                           argumenty,
                       srodowisko, wyjscie);
    }
    static int
    Uruchom(const QString& program, const QStringList& argumenty,
            const QProcessEnvironment& srodowisko = QProcessEnvironment::systemEnvironment(),
            QByteArray* wyjscie = nullptr) {
        QProcess p;
        p.setProcessEnvironment(srodowisko);
        p.start(program, argumenty);
        if (!p.waitForFinished(240000)) return -1;
        if (wyjscie) *wyjscie = p.readAllStandardOutput();
        const QByteArray bledy = p.readAllStandardError();
        if (p.exitCode() != 0)
            ADD_FAILURE() << program.toStdString() << ": " << bledy.toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    inline static const QString Haslo = QStringLiteral("nadzorca-7");
    QString folder;
    int port = 0;
    bool dziala = false;
};

} // namespace

TEST(SkryptRol, DzialaJakPiszeWNaglowkuPrzezTcpZHaslami) {
    if (!QFileInfo::exists(SerwerTcp::Program("initdb")) ||
        !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        GTEST_SKIP() << "PostgreSQL 15 or the QPSQL driver is not installed";
    SerwerTcp serwer;
    ASSERT_TRUE(serwer.dziala);
    ASSERT_EQ(serwer.Klient("createdb", {QStringLiteral("archiwum")}), 0);
    // As the header says, on a fresh cluster (no owner role yet), and again (all there).
    const QStringList skrypt{
        QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
        QStringLiteral("-d"), QStringLiteral("archiwum"),
        QStringLiteral("-f"), SerwerTcp::Zrodla("resources/sql/archiwum_uprawnienia.sql")};
    QByteArray wyjscie;
    ASSERT_EQ(serwer.Klient("psql", skrypt, &wyjscie), 0);
    EXPECT_TRUE(wyjscie.contains("\\password sondrel_wlasciciel")) << wyjscie.toStdString();
    ASSERT_EQ(serwer.Klient("psql", skrypt), 0);
    const auto sql = [&](const char* polecenie) {
        return serwer.Klient("psql", {QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                                      QStringLiteral("-d"), QStringLiteral("archiwum"),
                                      QStringLiteral("-c"), QString::fromUtf8(polecenie)});
    };
    ASSERT_EQ(sql("ALTER ROLE sondrel_wlasciciel PASSWORD 'wlasciciel-1'"), 0);
    ASSERT_EQ(sql("CREATE ROLE anna LOGIN PASSWORD 'anna-1' IN ROLE sondrel_nauczyciele"), 0);
    ASSERT_EQ(sql("CREATE ROLE marek LOGIN PASSWORD 'marek-1' IN ROLE sondrel_kierownicy"), 0);

    // The owner makes the tables; then the script runs clean over them too.
    const auto adres = [&](const char* rola) {
        return QStringLiteral("postgresql://%1@127.0.0.1:%2/archiwum?sslmode=disable")
            .arg(QString::fromLatin1(rola))
            .arg(serwer.port);
    };
    const QByteArray dotad = qgetenv("PGPASSWORD");
    const auto jako = [&](Archiwum& a, const char* rola, const char* haslo) {
        qputenv("PGPASSWORD", haslo);
        const bool ok = a.Otworz(adres(rola));
        qputenv("PGPASSWORD", dotad);
        return ok;
    };
    Archiwum wlasciciel, anna, marek, zle;
    ASSERT_TRUE(jako(wlasciciel, "sondrel_wlasciciel", "wlasciciel-1"))
        << wlasciciel.Blad().toStdString();
    ASSERT_EQ(serwer.Klient("psql", skrypt), 0);
    ASSERT_TRUE(jako(anna, "anna", "anna-1")) << anna.Blad().toStdString();
    ASSERT_TRUE(jako(marek, "marek", "marek-1")) << marek.Blad().toStdString();
    AnalizaArchiwalna a1 = Klasa(1, "7a"), m1 = Klasa(2, "7b");
    ASSERT_TRUE(anna.Dodaj(a1)) << anna.Blad().toStdString();
    ASSERT_TRUE(marek.Dodaj(m1)) << marek.Blad().toStdString();
    EXPECT_EQ(Klasy(anna), (std::vector<QString>{"7a/anna"}));
    EXPECT_EQ(Klasy(marek), (std::vector<QString>{"7a/anna", "7b/marek"}));
    EXPECT_EQ(Klasy(wlasciciel), (std::vector<QString>{"7a/anna", "7b/marek"}));

    // A wrong password: refused in Polish, without libpq's English.
    EXPECT_FALSE(jako(zle, "anna", "zle"));
    EXPECT_EQ(zle.Blad(), QStringLiteral("Nie można połączyć się z archiwum na serwerze "
                                         "anna@127.0.0.1:%1/archiwum: serwer nie przyjął hasła "
                                         "(hasło podaje plik ~/.pgpass albo zmienna PGPASSWORD).")
                              .arg(serwer.port));
    EXPECT_TRUE(zle.SzczegolyBledu().contains(QStringLiteral("password authentication failed")));

    // Encryption required of a server without TLS: refused in Polish, by the check too.
    const WynikSprawdzenia bezTls = SprawdzPolaczenie(
        adres("anna").replace(QStringLiteral("disable"), QStringLiteral("require")));
    EXPECT_FALSE(bezTls.Polaczono);
    EXPECT_TRUE(bezTls.Opis().endsWith(
        QStringLiteral("serwer nie przyjmuje połączeń szyfrowanych (TLS), a adres ich wymaga.")))
        << bezTls.Opis().toStdString();
}
