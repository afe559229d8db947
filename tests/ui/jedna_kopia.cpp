// SPDX-License-Identifier: GPL-3.0-or-later
// One running copy: a later start of the real program hands its files to the running copy and
// ends with 0, and the running copy analyses them; a socket left by a copy that died, or a copy
// that does not answer, lets a start go on as a copy of its own.
#include "ui/jedna_kopia.h"

#include "support/pliki_testowe.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_tabela.h"
#include "ui/program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace sondrel {
namespace {

// A private data folder and runtime folder for the program's copies, so that they never reach
// a real copy of the user's.
class JednaKopia : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("dane");
        QDir(folder.path()).mkpath("run");
        QDir(folder.path()).mkpath("pliki");
        QFile::setPermissions(folder.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert("XDG_DATA_HOME", folder.filePath("dane"));
        srodowisko.insert("XDG_RUNTIME_DIR", folder.filePath("run"));
        srodowisko.insert("HOME", folder.path());
        srodowisko.insert("QT_QPA_PLATFORM", "offscreen");
        gniazdo = GniazdoKopii(FolderDanych(), folder.filePath("run"));
        // a good first file, so that a later damaged one is named in the journal
        ASSERT_TRUE(testy::ZapiszPlikOdpowiedzi(Plik("dobry.sko"), {}));
    }
    void TearDown() override {
        for (auto& p : procesy)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    }

    QString FolderDanych() const {
        return QDir::toNativeSeparators(folder.filePath("dane/Brenvik/Zadrix/Sondrel"));
    }
    QString Plik(const QString& nazwa) const { return folder.filePath("pliki/" + nazwa); }
    QString Zly(const QString& nazwa) const {
        QFile f(Plik(nazwa));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("to nie jest plik odpowiedzi");
        return Plik(nazwa);
    }

    QProcess* Uruchom(const QStringList& argumenty) {
        auto& p = procesy.emplace_back(std::make_unique<QProcess>());
        p->setProcessEnvironment(srodowisko);
        p->setWorkingDirectory(folder.filePath("pliki")); // relative names are this start's
        p->start(QStringLiteral(SONDREL_PROGRAM), argumenty);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p.get();
    }

    // Whether a copy answers on the socket.
    bool Odpowiada() const {
        QLocalSocket s;
        s.connectToServer(gniazdo);
        return s.waitForConnected(500);
    }
    bool CzekajNaKopie(QProcess* p) const {
        for (int i = 0; i < 200 && p->state() == QProcess::Running; ++i) {
            if (Odpowiada()) return true;
            QTest::qWait(50);
        }
        return false;
    }

    QString Dziennik() const {
        QFile f(FolderDanych() + "/Dziennik.txt");
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromLocal8Bit(f.readAll());
    }
    bool CzekajNaWpis(const QString& nazwa) const {
        for (int i = 0; i < 300; ++i) {
            if (Dziennik().contains(nazwa)) return true;
            QTest::qWait(50);
        }
        return false;
    }
    QStringList FolderyTemp() const {
        return QDir(FolderDanych()).entryList({"Temp*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    QProcessEnvironment srodowisko;
    QString gniazdo;
    std::vector<std::unique_ptr<QProcess>> procesy;
};

TEST_F(JednaKopia, DrugiStartPrzekazujePlikiIKonczySie) {
    QProcess* pierwsza = Uruchom({});
    ASSERT_TRUE(CzekajNaKopie(pierwsza));

    // a relative name of the later start's own working folder reaches the running copy whole
    Zly("zly1.sko");
    QProcess* druga = Uruchom({"dobry.sko", "zly1.sko"});
    ASSERT_TRUE(druga->waitForFinished(15000));
    EXPECT_EQ(druga->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(druga->exitCode(), 0);
    EXPECT_TRUE(CzekajNaWpis("zly1.sko")) << Dziennik().toStdString();
    EXPECT_EQ(pierwsza->state(), QProcess::Running);
    // the later start never made a temporary folder of its own
    EXPECT_EQ(FolderyTemp(), QStringList{"Temp"});
}

TEST_F(JednaKopia, GniazdoMartwejKopiiNieZatrzymujeStartu) {
    QProcess* pierwsza = Uruchom({});
    ASSERT_TRUE(CzekajNaKopie(pierwsza));
    // a copy that dies leaves its socket behind
    pierwsza->kill();
    ASSERT_TRUE(pierwsza->waitForFinished(5000));
    ASSERT_TRUE(QFileInfo::exists(gniazdo));
    ASSERT_FALSE(Odpowiada());

    // the next start goes on as the running copy and takes the socket over
    QProcess* druga = Uruchom({"dobry.sko"});
    ASSERT_TRUE(CzekajNaKopie(druga));
    QTest::qWait(500);
    EXPECT_EQ(druga->state(), QProcess::Running);

    // and a later start, with a test named, hands its files to it
    Zly("zly2.sko");
    QProcess* trzecia = Uruchom({"--test", "brak.skt", Plik("dobry.sko"), "zly2.sko"});
    ASSERT_TRUE(trzecia->waitForFinished(15000));
    EXPECT_EQ(trzecia->exitCode(), 0);
    EXPECT_TRUE(CzekajNaWpis("zly2.sko")) << Dziennik().toStdString();
    EXPECT_EQ(druga->state(), QProcess::Running);
}

// A copy that takes the connection but never answers (hung): the start does not wait for ever
// and does not count the files as handed over.
TEST_F(JednaKopia, KopiaBezOdpowiedziNieDostajePlikow) {
    QLocalServer milczacy;
    ASSERT_TRUE(milczacy.listen(gniazdo));
    QElapsedTimer czas;
    czas.start();
    EXPECT_FALSE(PrzekazDzialajacejKopii(gniazdo, {{"/a.sko"}, {}}, 300));
    EXPECT_LT(czas.elapsed(), 3000);
    // nobody at all
    milczacy.close();
    EXPECT_FALSE(PrzekazDzialajacejKopii(gniazdo, {{"/a.sko"}, {}}, 300));
}

// The server end in this process: what arrives is what was sent; a message of another kind is
// dropped; a second server on the same socket refuses while the first lives.
TEST_F(JednaKopia, SerwerPrzyjmujeTylkoSwojeWiadomosci) {
    SerwerKopii serwer;
    ASSERT_TRUE(serwer.Nasluchuj(gniazdo));
    QList<Przekazanie> przekazane;
    QObject::connect(&serwer, &SerwerKopii::przekazano,
                     [&](const Przekazanie& p) { przekazane.append(p); });
    SerwerKopii drugi;
    EXPECT_FALSE(drugi.Nasluchuj(gniazdo));

    QLocalSocket obcy;
    obcy.connectToServer(gniazdo);
    ASSERT_TRUE(obcy.waitForConnected(1000));
    obcy.write(QByteArray(64, 'x'));
    obcy.flush();
    QTest::qWait(200);
    EXPECT_TRUE(przekazane.isEmpty());

    // the client blocks until answered: it runs beside this thread's event loop
    const Przekazanie p{{"/x/ą b.sko", "/y/c.sko"}, "/t/test.skt"};
    std::atomic<bool> przyjete = false, koniec = false;
    std::thread klient([&] {
        przyjete = PrzekazDzialajacejKopii(gniazdo, p, 5000);
        koniec = true;
    });
    const bool doszlo = QTest::qWaitFor([&] { return koniec.load(); }, 8000);
    klient.join();
    ASSERT_TRUE(doszlo);
    EXPECT_TRUE(przyjete);
    ASSERT_EQ(przekazane.size(), 1);
    EXPECT_EQ(przekazane.constFirst(), p);
}

// In the running program: a handover made while the user is in a modal window waits until it
// closes, then analyses the files as the command line's are; the main window comes up at once.
TEST_F(JednaKopia, PrzekazanieCzekaNaZamkniecieOknaModalnego) {
    Program program;
    program.srodowisko.komunikaty.ustawObsluge(
        [](int, int, const QString&) { return WynikZamknij; });
    program.UtworzOkna();
    program.FGlowny()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(program.FGlowny()));
    SerwerKopii serwer;
    ASSERT_TRUE(serwer.Nasluchuj(gniazdo));
    program.PrzyjmujPrzekazania(serwer);

    QWidget modalne;
    modalne.setWindowModality(Qt::ApplicationModal);
    modalne.show();
    program.FGlowny()->showMinimized();

    std::atomic<bool> przyjete = false, koniec = false;
    std::thread klient([&] {
        przyjete = PrzekazDzialajacejKopii(gniazdo, {{Plik("dobry.sko")}, {}}, 5000);
        koniec = true;
    });
    const bool doszlo = QTest::qWaitFor([&] { return koniec.load(); }, 8000);
    klient.join();
    ASSERT_TRUE(doszlo);
    EXPECT_TRUE(przyjete);
    EXPECT_FALSE(program.FGlowny()->isMinimized());
    QTest::qWait(600);
    EXPECT_EQ(program.analiza.IloscUczniow, 0); // not under the modal window

    modalne.close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.analiza.IloscUczniow == 1; }, 5000));
    EXPECT_EQ(program.analiza.PlikiOdpowiedzi, QStringList{Plik("dobry.sko")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.FTabela()->isVisible(); }, 3000));
}

TEST(PrzekazanieZArgumentow, SciezkiBezwzgledneZFolderuStartu) {
    const QString folder = QDir::currentPath();
    const Przekazanie p = PrzekazanieZArgumentow(
        {"a.sko", "pod/../b.sko", "/abs/c.sko", "file:///abs/z%20spacja.sko"}, "t.skt");
    EXPECT_EQ(p.pliki, (QStringList{QDir::toNativeSeparators(folder + "/a.sko"),
                                    QDir::toNativeSeparators(folder + "/b.sko"), "/abs/c.sko",
                                    "/abs/z spacja.sko"}));
    EXPECT_EQ(p.plikTestu, QDir::toNativeSeparators(folder + "/t.skt"));
    EXPECT_TRUE(PrzekazanieZArgumentow({}, {}).plikTestu.isEmpty());
}

} // namespace
} // namespace sondrel
