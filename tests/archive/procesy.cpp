// SPDX-License-Identifier: GPL-3.0-or-later
// The archive under real processes: sondrel-cli adding at once, a process killed in the middle
// of its adds, a disk that fills during an add. The helper processes are this test program
// itself, started again with one helper test selected and its task in the environment.

#include "archive/archiwum.h"

#include "archive/polaczenie.h"
#include "support/klasa_testowa.h"
#include "support/pelny_dysk.h"
#include "support/serwer_testowy.h"
#include "support/srodowisko_testowe.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <optional>
#include <random>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

constexpr char ZmiennaPlik[] = "SONDREL_POMOCNIK_ARCHIWUM";
constexpr char ZmiennaZiarno[] = "SONDREL_POMOCNIK_ZIARNO";

// A big record for the helpers: seed i gives class "k<i>" of 60 students and 60 questions.
AnalizaArchiwalna DuzaKlasa(int i) {
    return KlasaArchiwalna(i, 60, 60, QStringLiteral("Ułamki"), QStringLiteral("k%1").arg(i));
}

QProcess* Pomocnik(const QString& test, const QString& plik, int ziarno) {
    auto* p = new QProcess;
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert(QString::fromLatin1(ZmiennaPlik), plik);
    srodowisko.insert(QString::fromLatin1(ZmiennaZiarno), QString::number(ziarno));
    p->setProcessEnvironment(srodowisko);
    p->start(QCoreApplication::applicationFilePath(),
             {QStringLiteral("--gtest_filter=Pomocnik.") + test});
    return p;
}

// Whole entries only: every listed entry reads back equal to the record it was made from.
void SprawdzCaleWpisy(const QString& plik, int* ile = nullptr) {
    if (JestAdresemSerwera(plik))
        EXPECT_EQ(ZapytajSerwer(plik, QStringLiteral("SELECT (SELECT sum(ilosc_uczniow) FROM "
                                                     "analizy) = (SELECT count(*) FROM uczniowie)"))
                      .toBool(),
                  true);
    else
        EXPECT_EQ(ZapytajPlik(plik, QStringLiteral("PRAGMA integrity_check")).toString(),
                  QStringLiteral("ok"));
    Archiwum a;
    ASSERT_TRUE(a.Otworz(plik)) << a.Blad().toStdString();
    const auto lista = a.Lista();
    ASSERT_TRUE(lista);
    for (const WpisArchiwum& w : *lista) {
        auto zapisana = a.Wczytaj(w.Id);
        ASSERT_TRUE(zapisana);
        AnalizaArchiwalna wzor = DuzaKlasa(w.Klasa.mid(1).toInt());
        wzor.Id = zapisana->Id;
        wzor.Dodano = zapisana->Dodano;
        EXPECT_FALSE(zapisana->Dodal.isEmpty());
        wzor.Dodal = zapisana->Dodal;
        EXPECT_EQ(*zapisana, wzor) << w.Klasa.toStdString();
    }
    if (ile) *ile = static_cast<int>(lista->size());
}

QString Cli() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sondrel-cli");
}

} // namespace

// ---- Helpers (run only as helper processes) -----------------------------------------------

// Adds records 0..29 in an order of its own, then ends.
TEST(Pomocnik, DodajeTrzydziesci) {
    if (qEnvironmentVariableIsEmpty(ZmiennaPlik)) GTEST_SKIP() << "a helper process only";
    std::vector<int> kolejnosc(30);
    std::iota(kolejnosc.begin(), kolejnosc.end(), 0);
    std::shuffle(kolejnosc.begin(), kolejnosc.end(),
                 std::mt19937(static_cast<unsigned>(qEnvironmentVariableIntValue(ZmiennaZiarno))));
    Archiwum a;
    ASSERT_TRUE(a.Otworz(qEnvironmentVariable(ZmiennaPlik))) << a.Blad().toStdString();
    for (const int i : kolejnosc) {
        AnalizaArchiwalna z = DuzaKlasa(i);
        ASSERT_TRUE(a.Dodaj(z)) << a.Blad().toStdString();
    }
}

// Adds new records until it is killed.
TEST(Pomocnik, DodajeBezKonca) {
    if (qEnvironmentVariableIsEmpty(ZmiennaPlik)) GTEST_SKIP() << "a helper process only";
    Archiwum a;
    ASSERT_TRUE(a.Otworz(qEnvironmentVariable(ZmiennaPlik))) << a.Blad().toStdString();
    for (int i = qEnvironmentVariableIntValue(ZmiennaZiarno);; ++i) {
        AnalizaArchiwalna z = DuzaKlasa(i);
        ASSERT_TRUE(a.Dodaj(z)) << a.Blad().toStdString();
    }
}

// Opens the archive (a new one, made by whichever helper comes first), adds one of two small
// classes and reads the list.
TEST(Pomocnik, OtwieraNowe) {
    if (qEnvironmentVariableIsEmpty(ZmiennaPlik)) GTEST_SKIP() << "a helper process only";
    Archiwum a;
    ASSERT_TRUE(a.Otworz(qEnvironmentVariable(ZmiennaPlik))) << a.Blad().toStdString();
    AnalizaArchiwalna k = KlasaArchiwalna(qEnvironmentVariableIntValue(ZmiennaZiarno) % 2, 3, 6);
    ASSERT_TRUE(a.Dodaj(k)) << a.Blad().toStdString();
    ASSERT_TRUE(a.Lista()) << a.Blad().toStdString();
}

// ---- Tests --------------------------------------------------------------------------------

TEST(ArchiwumProcesy, KilkaProcesowZakladaNoweArchiwumNaraz) {
    // Six processes open and add to the same archive that does not exist yet, twenty times
    // over: each one gets it, none is told the file is locked or damaged, two classes stored.
    SrodowiskoTestowe st;
    for (int runda = 0; runda < 20; ++runda) {
        const QString plik = st.sciezka(QStringLiteral("nowe%1.sqlite").arg(runda));
        std::vector<std::unique_ptr<QProcess>> procesy;
        for (int i = 0; i < 6; ++i)
            procesy.emplace_back(Pomocnik(QStringLiteral("OtwieraNowe"), plik, i));
        for (auto& p : procesy) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0) << runda << p->readAllStandardOutput().toStdString();
        }
        EXPECT_EQ(ZapytajPlik(plik, QStringLiteral("SELECT count(*) FROM analizy")).toInt(), 2);
    }
}

// The process tests that run on both engines: a file, and a database on the test server.
class ArchiwumProcesySilnik : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (!GetParam()) return;
        baza.emplace();
        POMIN_BEZ_SERWERA(*baza);
    }
    QString Adres() const {
        return GetParam() ? baza->Adres() : st.sciezka(QStringLiteral("Archiwum.sqlite"));
    }
    SrodowiskoTestowe st;
    std::optional<BazaTestowa> baza;
};

INSTANTIATE_TEST_SUITE_P(, ArchiwumProcesySilnik, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& p) {
                             return p.param ? "PostgreSQL" : "SQLite";
                         });

TEST_P(ArchiwumProcesySilnik, OsiemProcesowDodajeNaraz) {
    // Eight processes add the same thirty classes, each in its own order: every class once.
    const QString plik = Adres();
    std::vector<std::unique_ptr<QProcess>> procesy;
    for (int i = 0; i < 8; ++i)
        procesy.emplace_back(Pomocnik(QStringLiteral("DodajeTrzydziesci"), plik, i));
    for (auto& p : procesy) {
        ASSERT_TRUE(p->waitForFinished(300000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().toStdString();
    }
    int ile = 0;
    SprawdzCaleWpisy(plik, &ile);
    EXPECT_EQ(ile, 30);
}

TEST_P(ArchiwumProcesySilnik, OsiemWywolanSondrelCliNaraz) {
    // sondrel-cli itself: eight calls at once, four classes each given twice; each class is
    // stored once and both of its calls print its number.
    if (!QFileInfo::exists(Cli())) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    const QString plik = Adres();
    std::vector<QStringList> klasy;
    for (int k = 0; k < 4; ++k)
        klasy.push_back(ZapiszKlase(st.sciezka(QStringLiteral("k%1").arg(k)), k, 25));
    std::vector<std::unique_ptr<QProcess>> procesy;
    for (int i = 0; i < 8; ++i) {
        auto& p = procesy.emplace_back(std::make_unique<QProcess>());
        p->start(Cli(), QStringList{"archiwum", "dodaj", "--archiwum", plik, "--klasa",
                                    QStringLiteral("k%1").arg(i % 4)} +
                            klasy[static_cast<std::size_t>(i % 4)]);
    }
    std::vector<QByteArray> numery;
    for (auto& p : procesy) {
        ASSERT_TRUE(p->waitForFinished(300000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        numery.push_back(p->readAllStandardOutput().trimmed());
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(numery[static_cast<std::size_t>(i)], numery[static_cast<std::size_t>(i + 4)]);
    QProcess lista;
    lista.start(Cli(), {"archiwum", "lista", "--archiwum", plik});
    ASSERT_TRUE(lista.waitForFinished(60000));
    EXPECT_EQ(QJsonDocument::fromJson(lista.readAllStandardOutput()).array().size(), 4);
}

TEST(ArchiwumProcesy, ZabityWTrakcieDodawaniaZostawiaCaleWpisy) {
    // A process adding big classes one after another, killed at ten moments: the archive
    // opens every time and holds whole entries only, and adding goes on afterwards.
    SrodowiskoTestowe st;
    const QString plik = st.sciezka(QStringLiteral("Archiwum.sqlite"));
    std::mt19937 los(7);
    int poprzednio = 0;
    for (int runda = 0; runda < 10; ++runda) {
        std::unique_ptr<QProcess> p(Pomocnik(QStringLiteral("DodajeBezKonca"), plik, runda * 1000));
        ASSERT_TRUE(p->waitForStarted());
        QThread::msleep(150 + los() % 200);
        ASSERT_EQ(::kill(static_cast<pid_t>(p->processId()), SIGKILL), 0);
        p->waitForFinished();
        ASSERT_EQ(p->exitStatus(), QProcess::CrashExit);
        int ile = 0;
        SprawdzCaleWpisy(plik, &ile);
        EXPECT_GE(ile, poprzednio);
        poprzednio = ile;
    }
    EXPECT_GT(poprzednio, 0);
}

TEST(ArchiwumProcesy, PelnyDyskWTrakcieDodawania) {
    // The disk fills at several points of an add: the add fails with a message naming the
    // archive, the archive keeps what it had, and the same add succeeds once there is room.
    for (const qint64 zostaw :
         {qint64(0), qint64(8 * 1024), qint64(48 * 1024), qint64(96 * 1024)}) {
        MalyDysk dysk(4 * 1024 * 1024);
        POMIN_BEZ_DYSKU(dysk);
        const QString plik = dysk.sciezka(QStringLiteral("Archiwum.sqlite"));
        {
            Archiwum a;
            ASSERT_TRUE(a.Otworz(plik));
            AnalizaArchiwalna pierwsza = DuzaKlasa(1);
            ASSERT_TRUE(a.Dodaj(pierwsza));
            dysk.Zapelnij(zostaw);
            bool odmowa = false;
            for (int i = 2; i < 40 && !odmowa; ++i) {
                AnalizaArchiwalna z = DuzaKlasa(i);
                if (!a.Dodaj(z)) {
                    odmowa = true;
                    EXPECT_TRUE(a.Blad().startsWith(
                        QStringLiteral("Nie udało się zapisać analizy w archiwum (archiwum %1): ")
                            .arg(plik)))
                        << a.Blad().toStdString();
                }
            }
            EXPECT_TRUE(odmowa) << zostaw;
            int ile = 0;
            SprawdzCaleWpisy(plik, &ile);
            EXPECT_GE(ile, 1);
            dysk.Oproznij();
            AnalizaArchiwalna po = DuzaKlasa(100);
            EXPECT_TRUE(a.Dodaj(po)) << a.Blad().toStdString();
        }
        int ile = 0;
        SprawdzCaleWpisy(plik, &ile);
    }
}

TEST(ArchiwumProcesy, PoleceniaIKodyWyjsciaSondrelCli) {
    if (!QFileInfo::exists(Cli())) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    SrodowiskoTestowe st;
    const QString plik = st.sciezka(QStringLiteral("Archiwum.sqlite"));
    const QString zly = st.sciezka(QStringLiteral("zly.sqlite"));
    QFile f(zly);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("nie archiwum");
    f.close();
    const QStringList k1 = ZapiszKlase(st.sciezka(QStringLiteral("k1")), 1, 3);
    const QStringList k2 = ZapiszKlase(st.sciezka(QStringLiteral("k2")), 2, 3, 5); // another test
    const auto uruchom = [&](const QStringList& argumenty, QByteArray* wyjscie = nullptr,
                             QByteArray* bledy = nullptr) {
        QProcess p;
        p.start(Cli(), argumenty);
        p.waitForFinished(60000);
        if (wyjscie) *wyjscie = p.readAllStandardOutput();
        if (bledy) *bledy = p.readAllStandardError();
        return p.exitCode();
    };
    const QStringList a{"--archiwum", plik};
    QByteArray wyjscie, bledy;
    ASSERT_EQ(
        uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7a", "--data", "2026-01-15"} + a + k1,
                &wyjscie),
        0);
    EXPECT_EQ(wyjscie, "1\n");
    ASSERT_EQ(uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7b"} + a + k2), 0);
    EXPECT_EQ(uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7c"} + a + k1, &wyjscie, &bledy),
              0);
    EXPECT_EQ(wyjscie, "1\n");
    EXPECT_EQ(bledy, QStringLiteral("Ta analiza jest już w archiwum.\n").toUtf8());
    ASSERT_EQ(uruchom(QStringList{"archiwum", "uczen", "uczeń0  klasa1"} + a, &wyjscie), 0);
    const QJsonArray historia = QJsonDocument::fromJson(wyjscie).array();
    ASSERT_EQ(historia.size(), 1);
    EXPECT_EQ(historia[0].toObject().value("data").toString(), QStringLiteral("2026-01-15"));
    EXPECT_EQ(historia[0].toObject().value("klasa").toString(), QStringLiteral("7a"));
    EXPECT_EQ(historia[0].toObject().keys(),
              (QStringList{"data", "id", "klasa", "ocena", "poprawnych", "procent", "test"}));
    ASSERT_EQ(uruchom(QStringList{"archiwum", "lista"} + a, &wyjscie), 0);
    const QJsonArray lista = QJsonDocument::fromJson(wyjscie).array();
    ASSERT_EQ(lista.size(), 2);
    EXPECT_EQ(lista[0].toObject().keys(),
              (QStringList{"data", "dodal", "dodano", "id", "iloscUczniow", "klasa", "procentKlasy",
                           "test"}));
    // Who added it: the login name of the user who ran the command.
    EXPECT_FALSE(lista[0].toObject().value("dodal").toString().isEmpty());
    EXPECT_EQ(lista[0].toObject().value("test").toObject().keys(),
              (QStringList{"autor", "iloscOdpowiedzi", "iloscPytan", "nazwa", "odcisk", "typ"}));

    // Export, import into a new archive, export again: the same bytes.
    const QString e1 = st.sciezka("e1.json"), e2 = st.sciezka("e2.json");
    const QString nowe = st.sciezka("nowe.sqlite");
    ASSERT_EQ(uruchom(QStringList{"archiwum", "eksport", e1} + a), 0);
    ASSERT_EQ(uruchom({"archiwum", "import", e1, "--archiwum", nowe}, &wyjscie), 0);
    EXPECT_EQ(wyjscie, "Zaimportowano analiz: 2.\n");
    ASSERT_EQ(uruchom({"archiwum", "eksport", e2, "--archiwum", nowe}), 0);
    QFile p1(e1), p2(e2);
    ASSERT_TRUE(p1.open(QIODevice::ReadOnly) && p2.open(QIODevice::ReadOnly));
    EXPECT_EQ(p1.readAll(), p2.readAll());

    const struct {
        QStringList argumenty;
        int kod;
    } przypadki[] = {
        {{"archiwum", "lista", "--archiwum", zly}, 6},
        {QStringList{"archiwum", "porownaj", "1", "2"} + a, 6}, // different tests
        {QStringList{"archiwum", "porownaj", "1", "9"} + a, 6}, // no such analysis
        {QStringList{"archiwum", "usun", "9"} + a, 6},
        {QStringList{"archiwum", "import", st.sciezka("brak.json")} + a, 6},
        {QStringList{"archiwum", "dodaj"} + a + k1, 1}, // no label
        {QStringList{"archiwum", "usun", "x"} + a, 1},
        {QStringList{"archiwum", "dodaj", "--klasa", "x", "--data", "2026-02-30"} + a + k1, 1},
        {QStringList{"archiwum", "kopiuj"} + a, 1},
        {QStringList{"archiwum", "dodaj", "--klasa", "x", "--archiwum", zly} + k1, 6},
        {QStringList{"archiwum", "eksport", st.sciezka("brak/e.json")} + a, 4},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(uruchom(p.argumenty), p.kod) << p.argumenty.join(' ').toStdString();
    EXPECT_EQ(QFileInfo(zly).size(), 12); // never written

    // Set aside on request; the next command starts a new archive.
    ASSERT_EQ(uruchom({"archiwum", "odloz", "--archiwum", zly}, &wyjscie), 0);
    EXPECT_TRUE(QFileInfo::exists(QString::fromUtf8(wyjscie.trimmed())));
    EXPECT_EQ(uruchom({"archiwum", "lista", "--archiwum", zly}, &wyjscie), 0);
    EXPECT_EQ(wyjscie, "[\n]\n");
}

namespace {

// A PostgreSQL cluster of one test's own, which the test may kill and start again
// (tools/pg_testowy.sh).
class WlasnySerwer {
public:
    WlasnySerwer()
        : folder(QStringLiteral("/tmp/sondrel-pg-w%1").arg(QCoreApplication::applicationPid())) {
        dziala = Skrypt(QStringLiteral("start")) &&
                 QFileInfo::exists(folder + QStringLiteral("/.s.PGSQL.5432"));
    }
    ~WlasnySerwer() { Skrypt(QStringLiteral("stop")); }
    bool Dziala() const { return dziala; }
    QString Adres() const {
        return QStringLiteral("postgresql://sondrel_test@/postgres?host=") + folder;
    }
    bool Skrypt(const QString& akcja) const {
        QProcess p;
        p.start(
            QStringLiteral("/bin/bash"),
            {QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../../tools/pg_testowy.sh")),
             akcja, folder});
        return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    }

private:
    QString folder;
    bool dziala = false;
};

} // namespace

TEST(ArchiwumSerwer, SerwerZatrzymanyWTrakcieDodawania) {
    // The server dies while a teacher adds big classes one after another: the add that was
    // cut off says so, naming the server, and leaves nothing half-added; opening meanwhile is
    // refused at once; once the server is back the same archive object adds again.
    BazaTestowa obecnosc;
    POMIN_BEZ_SERWERA(obecnosc);
    WlasnySerwer serwer;
    ASSERT_TRUE(serwer.Dziala());
    Archiwum a;
    ASSERT_TRUE(a.Otworz(serwer.Adres())) << a.Blad().toStdString();
    AnalizaArchiwalna pierwsza = DuzaKlasa(0);
    ASSERT_TRUE(a.Dodaj(pierwsza));

    QProcess zabojca;
    zabojca.start(
        QStringLiteral("/bin/bash"),
        {QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../../tools/pg_testowy.sh")),
         QStringLiteral("zatrzymaj"),
         QStringLiteral("/tmp/sondrel-pg-w%1").arg(QCoreApplication::applicationPid())});
    QString blad;
    for (int i = 1; i < 400 && blad.isEmpty(); ++i) {
        AnalizaArchiwalna z = DuzaKlasa(i);
        if (!a.Dodaj(z)) blad = a.Blad();
    }
    ASSERT_TRUE(zabojca.waitForFinished(60000));
    ASSERT_FALSE(blad.isEmpty()) << "every add succeeded";
    const QString opis = QStringLiteral("na serwerze sondrel_test@localhost/postgres (gniazdo ");
    EXPECT_TRUE(blad.startsWith(
        QStringLiteral("Nie udało się zapisać analizy w archiwum (archiwum ") + opis))
        << blad.toStdString();
    EXPECT_TRUE(blad.contains(QStringLiteral("połączenie z serwerem zostało przerwane")))
        << blad.toStdString();

    QElapsedTimer zegar;
    zegar.start();
    Archiwum drugie;
    EXPECT_FALSE(drugie.Otworz(serwer.Adres()));
    EXPECT_LT(zegar.elapsed(), 6000);
    EXPECT_TRUE(
        drugie.Blad().startsWith(QStringLiteral("Nie można połączyć się z archiwum ") + opis))
        << drugie.Blad().toStdString();
    EXPECT_TRUE(drugie.Blad().contains(QStringLiteral("serwer jest nieosiągalny")));

    ASSERT_TRUE(serwer.Skrypt(QStringLiteral("wznow")));
    AnalizaArchiwalna po = DuzaKlasa(1000);
    EXPECT_TRUE(a.Dodaj(po)) << a.Blad().toStdString();
    int ile = 0;
    SprawdzCaleWpisy(serwer.Adres(), &ile);
    EXPECT_GE(ile, 2);
}

TEST(ArchiwumSerwer, KopiujZPlikuNaSerwerIZPowrotem) {
    // A teacher's file into the school's server and back, through sondrel-cli: every analysis
    // once, those already there skipped, the same export on both sides.
    if (!QFileInfo::exists(Cli())) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    SrodowiskoTestowe st;
    const QString plik = st.sciezka(QStringLiteral("nauczyciel.sqlite"));
    const QString powrot = st.sciezka(QStringLiteral("powrot.sqlite"));
    {
        Archiwum a;
        ASSERT_TRUE(a.Otworz(plik));
        for (int i = 0; i < 3; ++i) {
            AnalizaArchiwalna z = KlasaArchiwalna(i, 4, 5);
            ASSERT_TRUE(a.Dodaj(z));
        }
        Archiwum s;
        ASSERT_TRUE(s.Otworz(baza.Adres()));
        AnalizaArchiwalna juzJest = KlasaArchiwalna(1, 4, 5);
        ASSERT_TRUE(s.Dodaj(juzJest)); // another teacher added this class already
    }
    const auto kopiuj = [&](const QString& z, const QString& doCelu, QByteArray* wyjscie) {
        QProcess p;
        p.start(Cli(), {"archiwum", "kopiuj", "--z", z, "--do", doCelu});
        p.waitForFinished(60000);
        *wyjscie = p.readAllStandardOutput();
        return p.exitCode();
    };
    QByteArray wyjscie;
    ASSERT_EQ(kopiuj(plik, baza.Adres(), &wyjscie), 0);
    EXPECT_EQ(wyjscie, QStringLiteral("Skopiowano analiz: 2.\nPominięto analiz już obecnych w "
                                      "archiwum docelowym: 1.\n")
                           .toUtf8());
    ASSERT_EQ(kopiuj(baza.Adres(), powrot, &wyjscie), 0);
    EXPECT_TRUE(wyjscie.startsWith("Skopiowano analiz: 3.\n"));
    ASSERT_EQ(kopiuj(plik, baza.Adres(), &wyjscie), 0);
    EXPECT_TRUE(wyjscie.startsWith("Skopiowano analiz: 0.\n"));

    // Back home, every analysis reads as the teacher's own (the server's copy of class 1 is
    // the other teacher's, equal but for the moment it was added).
    Archiwum s, r, n;
    ASSERT_TRUE(s.Otworz(baza.Adres()) && r.Otworz(powrot) && n.Otworz(plik));
    EXPECT_EQ(s.Lista()->size(), 3u);
    const auto lista = r.Lista();
    ASSERT_EQ(lista->size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        auto kopia = r.Wczytaj((*lista)[i].Id);
        auto wzor = n.Wczytaj(static_cast<qint64>(i + 1));
        ASSERT_TRUE(kopia && wzor);
        kopia->Id = wzor->Id;
        kopia->Dodano = wzor->Dodano;
        // Who added it: the same login name; class 1 keeps the server's role it came from.
        EXPECT_EQ(kopia->Dodal, wzor->Dodal);
        EXPECT_EQ(kopia->DodalWZrodle, i == 1 ? QStringLiteral("sondrel_test") : QString());
        kopia->DodalWZrodle = wzor->DodalWZrodle;
        EXPECT_EQ(*kopia, *wzor) << i;
    }
    // On the server every copy is the copying role's, with the file's owner kept beside it.
    int zPliku = 0;
    const auto naSerwerze = s.Lista();
    for (const WpisArchiwum& w : *naSerwerze) {
        EXPECT_EQ(w.Dodal, QStringLiteral("sondrel_test"));
        zPliku += s.Wczytaj(w.Id)->DodalWZrodle == n.Wczytaj(1)->Dodal;
    }
    EXPECT_EQ(zPliku, 2);

    // A source that cannot be opened: the target untouched, the exit code of the archive.
    EXPECT_EQ(kopiuj(QStringLiteral("postgresql://sondrel_test@/nie_ma_takiej?host=") +
                         GniazdoSerweraTestowego(),
                     powrot, &wyjscie),
              6);
    EXPECT_EQ(r.Lista()->size(), 3u);
}

TEST(ArchiwumSerwer, SerwerZatrzymanyWTrakcieUsuwania) {
    // The server dies in the middle of erasing a student and of a retention run (each made
    // slow by a trigger): once it is back, every analysis and every student is still there.
    BazaTestowa obecnosc;
    POMIN_BEZ_SERWERA(obecnosc);
    WlasnySerwer serwer;
    ASSERT_TRUE(serwer.Dziala());
    const struct {
        const char* tabela;
        std::function<bool(Archiwum&)> usun;
    } przypadki[] = {
        {"uczniowie", [](Archiwum& a) { return bool(a.UsunUcznia(QStringLiteral("Żak Łucja"))); }},
        {"analizy", [](Archiwum& a) { return bool(a.UsunPrzed(QDate(2030, 1, 1))); }},
    };
    for (const auto& p : przypadki) {
        Archiwum a;
        ASSERT_TRUE(a.Otworz(serwer.Adres())) << a.Blad().toStdString();
        ASSERT_TRUE(a.UsunPrzed(QDate(2030, 1, 1)));
        for (int i = 0; i < 6; ++i) {
            AnalizaArchiwalna k = KlasaArchiwalna(i, 4, 6);
            k.Uczniowie[1].Nazwisko = QStringLiteral("Żak");
            k.Uczniowie[1].Imie = QStringLiteral("Łucja");
            ASSERT_TRUE(a.Dodaj(k));
        }
        bool ok = false;
        ZapytajSerwer(serwer.Adres(),
                      QStringLiteral("SET client_min_messages TO warning; CREATE OR REPLACE "
                                     "FUNCTION powoli() RETURNS trigger AS $$ "
                                     "BEGIN PERFORM pg_sleep(0.4); RETURN OLD; END $$ LANGUAGE "
                                     "plpgsql; DROP TRIGGER IF EXISTS powoli ON uczniowie; DROP "
                                     "TRIGGER IF EXISTS powoli ON analizy; CREATE TRIGGER powoli "
                                     "BEFORE DELETE ON %1 FOR EACH ROW EXECUTE FUNCTION powoli()")
                          .arg(QLatin1String(p.tabela)),
                      &ok);
        ASSERT_TRUE(ok) << p.tabela;
        QProcess zabojca;
        zabojca.start(
            QStringLiteral("/bin/bash"),
            {QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../../tools/pg_testowy.sh")),
             QStringLiteral("zatrzymaj"),
             QStringLiteral("/tmp/sondrel-pg-w%1").arg(QCoreApplication::applicationPid())});
        EXPECT_FALSE(p.usun(a)) << p.tabela;
        EXPECT_FALSE(a.Blad().isEmpty());
        ASSERT_TRUE(zabojca.waitForFinished(60000));
        ASSERT_TRUE(serwer.Skrypt(QStringLiteral("wznow")));
        ZapytajSerwer(serwer.Adres(),
                      QStringLiteral("DROP TRIGGER powoli ON %1").arg(QLatin1String(p.tabela)));
        Archiwum po;
        ASSERT_TRUE(po.Otworz(serwer.Adres())) << po.Blad().toStdString();
        EXPECT_EQ(po.Lista()->size(), 6u) << p.tabela;
        EXPECT_EQ(po.HistoriaUcznia(QStringLiteral("Żak Łucja"))->size(), 6u) << p.tabela;
        EXPECT_EQ(
            ZapytajSerwer(serwer.Adres(), QStringLiteral("SELECT count(*) FROM uczniowie")).toInt(),
            24);
    }
}

TEST(ArchiwumProcesy, UsuwanieUczniaIStarychAnalizPrzezSondrelCli) {
    if (!QFileInfo::exists(Cli())) GTEST_SKIP() << "sondrel-cli is not built beside the tests";
    SrodowiskoTestowe st;
    const QString plik = st.sciezka(QStringLiteral("Archiwum.sqlite"));
    const auto uruchom = [&](const QStringList& argumenty, QByteArray* wyjscie = nullptr) {
        QProcess p;
        p.start(Cli(), argumenty + QStringList{"--archiwum", plik});
        p.waitForFinished(60000);
        if (wyjscie) *wyjscie = p.readAllStandardOutput();
        return p.exitCode();
    };
    ASSERT_EQ(uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7a", "--data", "2026-01-15"} +
                      ZapiszKlase(st.sciezka(QStringLiteral("k1")), 1, 3)),
              0);
    ASSERT_EQ(uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7b", "--data", "2026-02-15"} +
                      ZapiszKlase(st.sciezka(QStringLiteral("k2")), 2, 1)),
              0);
    QByteArray wyjscie;
    EXPECT_EQ(uruchom({"archiwum", "usun-ucznia", "UCZEŃ0  klasa2"}, &wyjscie), 0);
    EXPECT_EQ(wyjscie, QStringLiteral("Usunięto wyników ucznia: 1.\nUsunięto analiz, w których "
                                      "nie został żaden uczeń: 1.\n")
                           .toUtf8());
    EXPECT_EQ(uruchom({"archiwum", "usun", "--przed", "2026-01-16"}, &wyjscie), 0);
    EXPECT_EQ(wyjscie, QStringLiteral("Usunięto analiz: 1.\n").toUtf8());
    ASSERT_EQ(uruchom({"archiwum", "lista"}, &wyjscie), 0);
    EXPECT_EQ(wyjscie, "[\n]\n");
    for (const QStringList& zle :
         {QStringList{"archiwum", "usun-ucznia"}, QStringList{"archiwum", "usun", "--przed"},
          QStringList{"archiwum", "usun", "--przed", "2026-02-30"},
          QStringList{"archiwum", "usun", "--przed", "2026-01-01", "3"}})
        EXPECT_EQ(uruchom(zle), 1) << zle.join(' ').toStdString();
}
