// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the three analyses with their cancels and refusals, dropped files, the
// command line, the menus and their descriptions, the big mode, the keys, the report menu only
// after an analysis with a test, and the program's windows together.
#include "ui/okna/tf_glowny.h"

#include "analysis/przebieg_analizy.h"
#include "arkusze/csv.h"
#include "arkusze/listy_analizy.h"
#include "core/foldery.h"
#include "settings/ustawienia.h"
#include "support/pliki_testowe.h"
#include "support/ui/program_testowy.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_okno_l_plikow.h"
#include "ui/okna/tf_okno_obie_listy.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_warning.h"
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_zegar.h"
#include "ui/program.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

using testy::Komunikat;
using testy::PlikOdpowiedzi;

// The window with the desktop's "open" action recorded.
class GlownyTestowy : public TFGlowny {
public:
    using TFGlowny::TFGlowny;
    QList<QUrl> otwarte;

protected:
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

const QString NieObslugiwane =
    QStringLiteral("\rModuł Sondrel nie obsługuje plików tego typu.\rWskaż pliki odpowiedzi.");

QString FolderProgramuDanych() {
    const QString sep = QDir::separator();
    return FolderSpecjalny(RodzajFolderu::DaneAplikacji) + sep + "Brenvik" + sep + "Zadrix" + sep +
           "Sondrel";
}

void RuchMyszy(QWidget* w) {
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Upusc(QWidget* okno, const QStringList& pliki) {
    QMimeData dane;
    QList<QUrl> adresy;
    for (const QString& p : pliki)
        adresy.append(QUrl::fromLocalFile(p));
    dane.setUrls(adresy);
    const QPointF gdzie(400, 300);
    QDragEnterEvent wejscie(gdzie.toPoint(), Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(okno, &wejscie);
    ASSERT_TRUE(wejscie.isAccepted());
    QDropEvent upuszczenie(gdzie, Qt::CopyAction, &dane, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(okno, &upuszczenie);
    QCoreApplication::processEvents(); // the analysis runs from the event loop
}

class TFGlownyTest : public testy::ProgramTestowy {
protected:
    void SetUp() override {
        QFile::remove(FolderProgramuDanych() + QDir::separator() + "Sondrel.ini");
    }

    // An answer file of the default test (three questions) for a student.
    QString Odpowiedzi(const QString& nazwa, PlikOdpowiedzi plik = {}) {
        if (plik.nazwisko == QLatin1String("Kowalski")) plik.nazwisko = nazwa;
        const QString sciezka = folder.filePath(nazwa);
        EXPECT_TRUE(testy::ZapiszPlikOdpowiedzi(sciezka, plik));
        return sciezka;
    }
    QString Test(const QString& nazwa, testy::PlikTestu plik = {}) {
        const QString sciezka = folder.filePath(nazwa);
        EXPECT_TRUE(testy::ZapiszPlikTestu(sciezka, plik));
        return sciezka;
    }

    // The window shown for the first time, the answer-file choice standing in for the list
    // windows: it takes `wybrane` (or cancels when empty) and hands over like they do.
    GlownyTestowy& Okno() {
        if (!okno) {
            okno = std::make_unique<GlownyTestowy>(program);
            program.Zasady().Podlacz(okno.get());
            program.OtworzWPrzegladarce = [this](const QUrl& u) { wPrzegladarce << u; };
            okno->wybory.PlikTestu = [this](const QString& f) {
                foldery.append(f);
                return plikTestu;
            };
            QObject::connect(okno.get(), &TFGlowny::plikiOdpowiedzi, [this] {
                ++wyborowPlikow;
                Przekaz(ZrodloAnalizy::Pliki);
            });
            QObject::connect(okno.get(), &TFGlowny::testIPliki, [this] {
                ++wyborowListy;
                Przekaz(ZrodloAnalizy::Lista);
            });
            okno->wybory.Zakoncz = [this] { ++zakonczen; };
            okno->show();
            QCoreApplication::processEvents();
        }
        return *okno;
    }
    void Przekaz(ZrodloAnalizy zrodlo) {
        if (wybrane.isEmpty()) {
            program.analiza.RodzajAnalizy = AnalizaAnulowana;
            return;
        }
        program.analiza.PlikiOdpowiedzi = wybrane;
        if (UruchomAnalize(program.analiza, program.srodowisko, zrodlo)) okno->PokazAnalize();
    }
    bool PanelAnalizy() { return okno->PAnalizaTabele->isVisible(); }
    // A whole settings file, as the settings window writes it.
    Srodowisko Ustawienia(Ustawienia u) {
        Srodowisko s;
        PrzygotujFoldery(s, program.analiza);
        EXPECT_TRUE(ZapiszUstawienia(u, s));
        s.foldery.BlokadaTemp.reset(); // an earlier run that ended without removing its folder
        return s;
    }
    sondrel::Ustawienia Zapisane() {
        sondrel::Ustawienia u;
        Srodowisko s = program.srodowisko;
        CzytajUstawienia(u, s);
        return u;
    }

    std::unique_ptr<GlownyTestowy> okno;
    QStringList wybrane;       // answer files the choice confirms; empty: cancelled
    QString plikTestu;         // what the test dialog answers; empty: cancelled
    QStringList foldery;       // where the test dialog started
    QList<QUrl> wPrzegladarce; // reports the desktop was asked to open
    int wyborowPlikow = 0, wyborowListy = 0, zakonczen = 0;
};

// ---- the three analyses ---------------------------------------------------------------------

TEST_F(TFGlownyTest, AnalizaProstaPokazujePanelBezRaportow) {
    auto& o = Okno();
    o.LTest_0->klik();
    ASSERT_TRUE(o.PPodMenuTesty->isVisible());
    wybrane = {Odpowiedzi("a.sko"), Odpowiedzi("b.sko")};
    program.analiza.RodzajAnalizy = AnalizaZTestem; // from an earlier analysis
    o.LAnalizaProsta->klik();

    EXPECT_FALSE(o.PPodMenuTesty->isVisible()); // the menu is gone before the work
    EXPECT_EQ(wyborowPlikow, 1);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaProsta);
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_TRUE(PanelAnalizy());
    EXPECT_TRUE(o.PMenuTabele->isVisible());
    EXPECT_TRUE(komunikaty.isEmpty());

    // no reports after a simple analysis; charts open
    o.LTabeleRaporty->klik();
    EXPECT_TRUE(o.PMenuTabele->isVisible());
    EXPECT_FALSE(o.PMenuRaporty->isVisible());
    o.LTabeleDiagramy->klik();
    EXPECT_TRUE(o.PMenuDiagramy->isVisible());
    o.LDiagramyRaporty->klik();
    EXPECT_TRUE(o.PMenuDiagramy->isVisible());
    o.LDiagramyTabele->klik();
    EXPECT_TRUE(o.PMenuTabele->isVisible());
    EXPECT_FALSE(o.PMenuDiagramy->isVisible());

    // closing the panel keeps the analysis
    o.LZamknijAnaliza->klik();
    EXPECT_FALSE(PanelAnalizy());
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
}

TEST_F(TFGlownyTest, AnalizaZPlikuOtwieraRaportyAInnyTestNie) {
    auto& o = Okno();
    wybrane = {Odpowiedzi("a.sko"), Odpowiedzi("b.sko")};

    // cancelling the test dialog changes nothing
    program.analiza.RodzajAnalizy = AnalizaAnulowana;
    o.LAnalizaZPlikuClick();
    EXPECT_EQ(foldery, QStringList{program.srodowisko.foldery.FolderDokumentow});
    EXPECT_EQ(wyborowPlikow, 0);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_FALSE(PanelAnalizy());

    plikTestu = Test("test.skt");
    o.LAnalizaZPlikuClick();
    EXPECT_EQ(program.analiza.PlikTestu, QDir::toNativeSeparators(plikTestu));
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    ASSERT_TRUE(PanelAnalizy());
    EXPECT_TRUE(komunikaty.isEmpty());
    o.LTabeleRaporty->klik();
    EXPECT_TRUE(o.PMenuRaporty->isVisible());
    EXPECT_FALSE(o.PMenuTabele->isVisible());
    o.LRaportyDiagramy->klik();
    o.LDiagramyRaporty->klik();
    EXPECT_TRUE(o.PMenuRaporty->isVisible());
    o.LRaportyTabele->klik();
    EXPECT_TRUE(o.PMenuTabele->isVisible());

    // the dialog opens where the last test was; a test of another test gives a simple analysis
    plikTestu = Test("inny.skt", {.nazwaTestu = QStringLiteral("Inny")});
    o.LAnalizaZPlikuClick();
    EXPECT_EQ(foldery.last(), QFileInfo(plikTestu).absolutePath());
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaProsta);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].tekst.startsWith(QStringLiteral("Otwierany test, jest inny")));
    EXPECT_TRUE(PanelAnalizy());
    o.LTabeleRaporty->klik();
    EXPECT_FALSE(o.PMenuRaporty->isVisible());
}

// The fourth entry of the report menu: the question-quality report, made in the temporary folder
// and opened; it fits the menu's picture under the three entries of before.
TEST_F(TFGlownyTest, RaportJakosciPytanZMenuRaportow) {
    auto& o = Okno();
    wybrane = {Odpowiedzi("a.sko"), Odpowiedzi("b.sko")};
    plikTestu = Test("test.skt");
    o.LAnalizaZPlikuClick();
    ASSERT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    o.LTabeleRaporty->klik();
    ASSERT_TRUE(o.LRaport4->isVisible());
    EXPECT_EQ(o.LRaport4->text(), QStringLiteral("Jakość pytań"));
    EXPECT_EQ(o.LRaport4->y(), o.LRaport3->y() + (o.LRaport3->y() - o.Lraport2->y()));
    const qreal obraz = o.ImMenuRaporty->pixmap().deviceIndependentSize().height();
    EXPECT_LE(o.LRaport4->geometry().bottom(), obraz - 1);
    EXPECT_EQ(o.PMenuRaporty->height(), obraz);

    o.LRaport4->klik();
    const QString raport = QDir(program.srodowisko.foldery.FolderTemp)
                               .filePath(program.analiza.Test.NazwaTestu + "_JakoscPytan.htm");
    EXPECT_EQ(wPrzegladarce, QList<QUrl>{QUrl::fromLocalFile(raport)});
    EXPECT_TRUE(QFile::exists(raport));
    EXPECT_TRUE(komunikaty.isEmpty());

    // A temporary folder that cannot be written: the message, nothing opened.
    program.srodowisko.foldery.FolderTemp = folder.filePath("a.sko/tmp");
    o.LRaport4->klik();
    EXPECT_EQ(wPrzegladarce.size(), 1);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].tekst.startsWith(QStringLiteral("Nie udało się zapisać raportu.")));
}

TEST_F(TFGlownyTest, AnalizaZListyIJejAnulowanie) {
    auto& o = Okno();
    program.analiza.PlikTestu = Test("test.skt");
    wybrane = {Odpowiedzi("a.sko"), Odpowiedzi("b.sko", {.nazwaTestu = "Inny"}),
               Odpowiedzi("c.sko")};
    o.LAnalizaZListyClick();
    EXPECT_EQ(wyborowListy, 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    EXPECT_EQ(komunikaty,
              QList<Komunikat>({{KomunikatInformacja, IkonaInformacja,
                                 "Nie wszystkie pliki odpowiedzi dotyczyły tego samego "
                                 "testu.\rWczytano jedynie zgodne z pierwszym podanym plikiem."}}));
    ASSERT_TRUE(PanelAnalizy());

    // cancelled in the two-list window: the panel stays, its report menu no longer opens
    wybrane.clear();
    o.LAnalizaZListyClick();
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_TRUE(PanelAnalizy());
    o.LTabeleRaporty->klik();
    EXPECT_FALSE(o.PMenuRaporty->isVisible());
}

TEST_F(TFGlownyTest, OdrzuconyPierwszyPlikZostawiaEkranJakByl) {
    auto& o = Okno();
    wybrane = {Odpowiedzi("stary.sko", {.staraWersja = true}), Odpowiedzi("b.sko")};
    o.LAnalizaProstaClick();
    EXPECT_FALSE(PanelAnalizy());
    EXPECT_EQ(komunikaty.size(), 1); // the reader's own message
    EXPECT_EQ(program.analiza.IloscUczniow, 0);
}

// ---- dropped files and the command line -----------------------------------------------------

TEST_F(TFGlownyTest, UpuszczonePliki) {
    auto& o = Okno();
    const QString a = Odpowiedzi("A.SKO"), b = Odpowiedzi("b.sko");
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    Upusc(&o, {a, b});
    EXPECT_TRUE(PanelAnalizy());
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaProsta);
    EXPECT_EQ(program.analiza.PlikiOdpowiedzi, QStringList({a, b}));
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_TRUE(komunikaty.isEmpty());

    // only the first file's extension counts
    o.LZamknijAnaliza->klik();
    Upusc(&o, {Test("test.skt"), a});
    EXPECT_EQ(komunikaty, QList<Komunikat>({{KomunikatInformacja, IkonaUwaga, NieObslugiwane}}));
    EXPECT_FALSE(PanelAnalizy());
    EXPECT_EQ(program.analiza.PlikiOdpowiedzi, QStringList({a, b}));
}

// The analysis panel's "Zapisz jako arkusz...": the workbook (a bare name becomes .xlsx), or the
// grade book's list as CSV; the dialog opens where the last file went.
TEST_F(TFGlownyTest, ZapisAnalizyJakoArkusz) {
    auto& o = Okno();
    Upusc(&o, {Odpowiedzi("a.sko"), Odpowiedzi("b.sko")});
    ASSERT_TRUE(PanelAnalizy());
    QStringList dialogi;
    QString odpowiedz = folder.filePath(QStringLiteral("klasa"));
    o.wybory.PlikArkusza = [&](const QString& f, const QString& nazwa) {
        dialogi << f + u'|' + nazwa;
        return odpowiedz;
    };
    QTest::mouseClick(o.BZapiszArkusz, Qt::LeftButton);
    EXPECT_EQ(dialogi, QStringList{program.srodowisko.foldery.FolderDokumentow + "|Test.xlsx"});
    QFile xlsx(odpowiedz + QStringLiteral(".xlsx"));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xlsx.readAll().startsWith("PK\x03\x04"));

    odpowiedz = folder.filePath(QStringLiteral("dziennik.CSV"));
    QTest::mouseClick(o.BZapiszArkusz, Qt::LeftButton);
    EXPECT_EQ(dialogi.last(), folder.path() + "|Test.xlsx");
    QFile csv(odpowiedz);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(),
              CsvListy(ListaAnalizy(program.analiza, RodzajListy::DoDziennika, false)));
    EXPECT_TRUE(komunikaty.isEmpty());
}

TEST_F(TFGlownyTest, LiniaPolecenCzytaWszystkiePliki) {
    const QString a = Odpowiedzi("a.sko"), b = Odpowiedzi("b.sko");
    QDir::setCurrent(folder.path());
    program.argumenty = {QStringLiteral("a.sko"), QUrl::fromLocalFile(b).toString()};
    auto& o = Okno();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanelAnalizy(); }, 2000));
    EXPECT_EQ(program.analiza.PlikiOdpowiedzi,
              QStringList({QDir::toNativeSeparators(a), QDir::toNativeSeparators(b)}));
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaProsta);
    EXPECT_TRUE(o.PMenuTabele->isVisible());
}

// "--test PLIK.skt" (main() hands it over as plikTestu): the analysis with that test, a
// relative path taken from the current folder as the files' are.
TEST_F(TFGlownyTest, LiniaPolecenZTestem) {
    const QString a = Odpowiedzi("a.sko"), b = Odpowiedzi("b.sko"), t = Test("test.skt");
    QDir::setCurrent(folder.path());
    program.argumenty = {a, b};
    program.plikTestu = QStringLiteral("test.skt");
    auto& o = Okno();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanelAnalizy(); }, 2000));
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    EXPECT_EQ(program.analiza.PlikTestu, QDir::toNativeSeparators(t));
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_TRUE(komunikaty.isEmpty());
    o.LTabeleRaporty->klik();
    EXPECT_TRUE(o.PMenuRaporty->isVisible());
}

TEST_F(TFGlownyTest, LiniaPolecenZInnymPlikiem) {
    program.argumenty = {Test("test.skt")};
    Okno();
    QTest::qWait(50);
    EXPECT_EQ(komunikaty, QList<Komunikat>({{KomunikatInformacja, IkonaUwaga, NieObslugiwane}}));
    EXPECT_FALSE(PanelAnalizy());
}

// ---- menus, descriptions, keys ----------------------------------------------------------------

TEST_F(TFGlownyTest, MenuIOpisy) {
    auto& o = Okno();
    EXPECT_EQ(o.size(), QSize(790, 581));
    EXPECT_FALSE(o.PPodMenuTesty->isVisible());
    EXPECT_FALSE(o.PPodMenuPomoc->isVisible());
    EXPECT_FALSE(PanelAnalizy());

    o.LTest_0->klik();
    EXPECT_TRUE(o.PPodMenuTesty->isVisible());
    RuchMyszy(o.LAnalizaZPliku);
    EXPECT_TRUE(o.LAnalizaZPliku->Podswietlona());
    EXPECT_EQ(o.LOpisMenu->text(),
              QStringLiteral("Analiza rozszerzona - test z pliku.\n\nWskazujesz pliki odpowiedzi "
                             "oraz plik testu.\nMasz możliwość dokonać pełnej analizy wyników\n"
                             "oraz zaprezentować ją w różnej postaci."));
    RuchMyszy(o.LAnalizaProsta);
    EXPECT_TRUE(o.LAnalizaProsta->Podswietlona());
    EXPECT_FALSE(o.LAnalizaZPliku->Podswietlona());
    EXPECT_TRUE(o.LOpisMenu->text().startsWith(QStringLiteral("Analiza prosta - bez testu.")));
    RuchMyszy(o.ImMenutesty);
    EXPECT_FALSE(o.LAnalizaProsta->Podswietlona());
    EXPECT_TRUE(o.LOpisMenu->text().isEmpty());

    // to the help menu and back
    RuchMyszy(o.LAnalizaZListy);
    o.LPomoc_1->klik();
    EXPECT_TRUE(o.PPodMenuPomoc->isVisible());
    EXPECT_FALSE(o.PPodMenuTesty->isVisible());
    EXPECT_TRUE(o.LOpisMenu->text().isEmpty());
    RuchMyszy(o.LHelp);
    EXPECT_TRUE(o.LOpisMenu->text().startsWith(QStringLiteral("Pomoc do programu.")));
    RuchMyszy(o.LUstawienia);
    EXPECT_FALSE(o.LOpisMenu->text().isEmpty());
    o.LTesty1->klik();
    EXPECT_TRUE(o.PPodMenuTesty->isVisible());
    EXPECT_FALSE(o.LUstawienia->Podswietlona());

    // the help label opens index.htm, F1 (any modifiers) menu.htm
    o.LPomoc_0->klik();
    o.LHelp->klik();
    QTest::keyClick(&o, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(o.otwarte.size(), 2);
    EXPECT_TRUE(o.otwarte[0].toLocalFile().endsWith(QStringLiteral("Pomoc/index.htm")));
    EXPECT_TRUE(o.otwarte[1].toLocalFile().endsWith(QStringLiteral("Pomoc/menu.htm")));

    // a click on the skin closes the menus
    o.ImTloGlowny->klik();
    EXPECT_FALSE(o.PPodMenuPomoc->isVisible());
    EXPECT_FALSE(o.PPodMenuTesty->isVisible());

    o.LClose->klik();
    EXPECT_EQ(zakonczen, 1);
}

// The window's marks answer on the start screen and, drawn again, on the analysis panel; a close
// request from the desktop ends the program as the close mark does.
TEST_F(TFGlownyTest, ZnakiOknaIZamkniecieZPulpitu) {
    auto& o = Okno();
    const auto kliknijSrodek = [&](Etykieta* znak) {
        const QPoint srodek = znak->mapTo(&o, znak->rect().center());
        EXPECT_EQ(o.childAt(srodek), znak); // nothing lies over the mark
        QTest::mouseClick(o.windowHandle(), Qt::LeftButton, {}, srodek);
    };
    kliknijSrodek(o.LClose);
    EXPECT_EQ(zakonczen, 1);

    wybrane = {Odpowiedzi("a.sko")};
    o.LAnalizaProsta->klik();
    ASSERT_TRUE(PanelAnalizy());
    kliknijSrodek(o.LCloseAnaliza);
    EXPECT_EQ(zakonczen, 2);
    kliknijSrodek(o.LBigAnaliza);
    EXPECT_TRUE(o.TrybDuzy());
    kliknijSrodek(o.LBigAnaliza);
    EXPECT_FALSE(o.TrybDuzy());
    kliknijSrodek(o.LMinimizeAnaliza);
    EXPECT_TRUE(o.isMinimized());
    o.showNormal();

    QCloseEvent zamkniecie;
    QSpontaneKeyEvent::setSpontaneous(&zamkniecie);
    QApplication::sendEvent(o.windowHandle(), &zamkniecie);
    EXPECT_EQ(zakonczen, 3);
    EXPECT_FALSE(zamkniecie.isAccepted()); // the program ends through its own way
}

// The painted menus from the keyboard: Tab into them, arrows among the entries, Enter to open
// and choose; the entry with the focus is lit and described as under the mouse, with a mark.
TEST_F(TFGlownyTest, MenuZKlawiatury) {
    auto& o = Okno();
    o.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&o));
    const auto klawisz = [&](Qt::Key k) { QTest::keyClick(o.windowHandle(), k); };
    const auto fokus = [] { return QApplication::focusWidget(); };

    klawisz(Qt::Key_Tab);
    ASSERT_EQ(fokus(), o.LTest_0);
    EXPECT_EQ(o.LTest_0->accessibleName(), QStringLiteral("Analiza testu"));
    klawisz(Qt::Key_Return);
    EXPECT_TRUE(o.PPodMenuTesty->isVisible());
    EXPECT_EQ(fokus(), o.LAnalizaProsta);
    EXPECT_TRUE(o.LAnalizaProsta->Podswietlona());
    EXPECT_TRUE(o.LOpisMenu->text().startsWith(QStringLiteral("Analiza prosta")));
    klawisz(Qt::Key_Down);
    EXPECT_EQ(fokus(), o.LAnalizaZPliku);
    EXPECT_TRUE(o.LAnalizaZPliku->Podswietlona());
    EXPECT_FALSE(o.LAnalizaProsta->Podswietlona());
    EXPECT_TRUE(
        o.LOpisMenu->text().startsWith(QStringLiteral("Analiza rozszerzona - test z pliku")));
    // the focus mark is drawn in the program's look
    const QImage zFokusem = o.LAnalizaZPliku->grab().toImage();
    klawisz(Qt::Key_Up);
    EXPECT_NE(o.LAnalizaZPliku->grab().toImage(), zFokusem);
    klawisz(Qt::Key_Up); // round to the last entry: the archive menu's header
    EXPECT_EQ(fokus(), o.LArchiwum_1);
    klawisz(Qt::Key_Up);
    EXPECT_EQ(fokus(), o.LPomoc_1);
    klawisz(Qt::Key_Return);
    EXPECT_TRUE(o.PPodMenuPomoc->isVisible());
    EXPECT_EQ(fokus(), o.LOProgramie);
    klawisz(Qt::Key_Down);
    EXPECT_EQ(fokus(), o.LHelp);
    EXPECT_EQ(o.LHelp->accessibleName(), QStringLiteral("Pomoc (F1)"));
    klawisz(Qt::Key_Enter);
    ASSERT_EQ(o.otwarte.size(), 1);
    EXPECT_TRUE(o.otwarte[0].toLocalFile().endsWith(QStringLiteral("Pomoc/index.htm")));

    // an analysis from the keyboard: its panel's table menu takes the focus
    klawisz(Qt::Key_Up);
    klawisz(Qt::Key_Up);
    ASSERT_EQ(fokus(), o.LTesty1);
    klawisz(Qt::Key_Space);
    ASSERT_EQ(fokus(), o.LAnalizaProsta);
    wybrane = {Odpowiedzi("a.sko")};
    klawisz(Qt::Key_Return);
    ASSERT_TRUE(PanelAnalizy());
    EXPECT_EQ(fokus(), o.LTabelaWynikow);
    for (int i = 0; i < 3; ++i)
        klawisz(Qt::Key_Down);
    EXPECT_EQ(fokus(), o.LTabeleDiagramy);
    klawisz(Qt::Key_Return);
    EXPECT_TRUE(o.PMenuDiagramy->isVisible());
    EXPECT_EQ(fokus(), o.LDiagramWynikow);
    // Tab stays on the panel: the start screen under it is out of reach
    for (int i = 0; i < 12; ++i) {
        klawisz(Qt::Key_Tab);
        EXPECT_NE(fokus(), o.LTest_0);
        EXPECT_NE(fokus(), o.LPomoc_0);
    }
}

// Every menu entry of the window in one font, each caption whole inside its label.
TEST_F(TFGlownyTest, JednaCzcionkaWpisowMenu) {
    auto& o = Okno();
    const QList<Etykieta*> pozycje = {o.LAnalizaProsta, o.LAnalizaZPliku, o.LAnalizaZListy,
                                      o.LOProgramie,    o.LHelp,          o.LUstawienia,
                                      o.LTabelaWynikow, o.LTabelaCzas,    o.LTabelaOceny,
                                      o.LRaport1,       o.Lraport2,       o.LRaport3};
    for (Etykieta* e : pozycje) {
        SCOPED_TRACE(e->text().toStdString());
        EXPECT_EQ(e->font(), o.LAnalizaProsta->font());
        EXPECT_LE(QFontMetricsF(e->font()).horizontalAdvance(e->text().trimmed()),
                  e->width() - 2 * e->indent());
    }
}

TEST_F(TFGlownyTest, KlawiszePoziomuDziennikaIAltF4) {
    Ustawienia({.dfpz = 1});
    auto& o = Okno();
    ASSERT_EQ(program.ustawienia.dfpz, 1);
    const struct {
        Qt::Key klawisz;
        Qt::KeyboardModifiers modyfikatory;
        int poziom; // expected afterwards
    } przypadki[] = {
        {Qt::Key_3, Qt::ControlModifier | Qt::AltModifier, 3},
        {Qt::Key_3, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, 3},
        {Qt::Key_5, Qt::ControlModifier | Qt::AltModifier, 3},
        {Qt::Key_2, Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier, 3},
        {Qt::Key_1, Qt::ControlModifier, 3},
        {Qt::Key_0, Qt::ControlModifier | Qt::AltModifier, 0},
        {Qt::Key_4, Qt::ControlModifier | Qt::AltModifier, 4},
    };
    for (const auto& p : przypadki) {
        QTest::keyClick(&o, p.klawisz, p.modyfikatory);
        EXPECT_EQ(program.ustawienia.dfpz, p.poziom) << p.klawisz << " " << p.modyfikatory;
        EXPECT_EQ(program.srodowisko.PoziomDziennika, p.poziom);
    }
    EXPECT_EQ(Zapisane().dfpz, 4);

    QTest::keyClick(&o, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(o.isVisible());
}

TEST_F(TFGlownyTest, TrybDuzy) {
    Ustawienia({.fn = true});
    auto& o = Okno();
    const QRect obszar = o.screen()->availableGeometry();
    const QPoint srodek(obszar.x() + (obszar.width() - 790) / 2,
                        obszar.y() + (obszar.height() - 581) / 2);
    EXPECT_EQ(o.pos(), srodek);
    EXPECT_FALSE(o.TrybDuzy());

    QTest::keyClick(&o, Qt::Key_F4, Qt::ControlModifier);
    EXPECT_TRUE(o.TrybDuzy());
    EXPECT_EQ(program.ustawienia.wo, 1);
    EXPECT_EQ(o.geometry(), obszar);
    EXPECT_EQ(o.PGlowny->pos(), QPoint((obszar.width() - 790) / 2, (obszar.height() - 581) / 2));
    EXPECT_EQ(o.ImTloBig->pos(), QPoint((obszar.width() - 1920) / 2, (obszar.height() - 1200) / 2));
    EXPECT_TRUE(o.ImTloBig->isVisible());
    EXPECT_EQ(Zapisane().wo, 1);
    EXPECT_TRUE(Zapisane().fn); // the other settings stay

    // the title bar does not drag in the big mode
    const auto przeciagnij = [&](int dx) {
        const QPoint start = o.LListwa->mapToGlobal(QPoint(5, 5));
        for (auto [typ, punkt] : {std::pair{QEvent::MouseButtonPress, start},
                                  std::pair{QEvent::MouseMove, start + QPoint(dx, 7)},
                                  std::pair{QEvent::MouseButtonRelease, start + QPoint(dx, 7)}}) {
            QMouseEvent e(
                typ, QPointF(o.LListwa->mapFromGlobal(punkt)), QPointF(punkt), Qt::LeftButton,
                typ == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(o.LListwa, &e);
        }
    };
    przeciagnij(30);
    EXPECT_EQ(o.pos(), obszar.topLeft());

    o.LBig->klik();
    EXPECT_FALSE(o.TrybDuzy());
    EXPECT_EQ(program.ustawienia.wo, 0);
    EXPECT_EQ(o.size(), QSize(790, 581));
    EXPECT_EQ(o.pos(), srodek);
    EXPECT_EQ(o.PGlowny->pos(), QPoint(0, 0));
    EXPECT_EQ(o.mask(), skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(790, 581)));
    przeciagnij(30);
    EXPECT_EQ(o.pos(), srodek + QPoint(30, 7));
}

TEST_F(TFGlownyTest, PierwszePokazanieWedlugUstawien) {
    const Srodowisko s = Ustawienia({.wo = 1});
    QFile smiec(s.foldery.FolderTemp + QDir::separator() + "stary.htm");
    ASSERT_TRUE(smiec.open(QIODevice::WriteOnly));
    smiec.close();

    Okno();
    EXPECT_TRUE(okno->TrybDuzy());
    EXPECT_FALSE(QFileInfo::exists(smiec.fileName())); // a fresh temporary folder
    EXPECT_TRUE(QFileInfo(s.foldery.FolderTemp).isDir());
    EXPECT_EQ(program.srodowisko.foldery.PlikUstawien, s.foldery.PlikUstawien);

    okno.reset(); // the temporary folder goes with the main window
    EXPECT_FALSE(QFileInfo::exists(s.foldery.FolderTemp));
}

// ---- the program's windows together -----------------------------------------------------------

TEST(Program, OknaIKomunikatyWOknieDialogowym) {
    QTemporaryDir folder;
    const QString a = folder.filePath("a.sko");
    ASSERT_TRUE(testy::ZapiszPlikOdpowiedzi(a, {}));
    Program program({a});
    program.UtworzOkna();
    ASSERT_TRUE(program.FGlowny() && program.FWarning() && program.FOknoLPlikow() &&
                program.FTabela() && program.FOknoObieListy() && program.FIniSondrel() &&
                program.FZegar() && program.FWinieta());
    program.FGlowny()->show();
    // the command line's analysis opens the results table beside the panel
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.FTabela()->isVisible(); }, 3000));
    // every other window is a tool window of the main one, with a title of its own
    QStringList tytuly;
    for (Okno* o :
         std::initializer_list<Okno*>{program.FWarning(), program.FOknoLPlikow(), program.FTabela(),
                                      program.FOknoObieListy(), program.FIniSondrel(),
                                      program.FZegar(), program.FWinieta()}) {
        EXPECT_EQ(o->OknoGlowne(), program.FGlowny());
        EXPECT_EQ(o->windowType(), Qt::Tool);
        EXPECT_FALSE(o->windowFlags() & Qt::WindowStaysOnTopHint);
        tytuly.append(o->windowTitle());
    }
    EXPECT_EQ(program.FTabela()->windowHandle()->transientParent(),
              program.FGlowny()->windowHandle());
    EXPECT_EQ(tytuly.removeDuplicates(), 0);
    EXPECT_EQ(program.FTabela()->windowTitle(), QStringLiteral("Sondrel – Tabela wyników"));
    EXPECT_TRUE(program.FGlowny()->PAnalizaTabele->isVisible());
    EXPECT_EQ(program.FTabela()->Stan().Rodzaj, RodzajTabeli::Wynikow);
    program.FGlowny()->LTabelaOceny->klik();
    EXPECT_EQ(program.FTabela()->Stan().Rodzaj, RodzajTabeli::Ocen);
    program.FGlowny()->LZamknijAnaliza->klik();
    EXPECT_FALSE(program.FTabela()->isVisible());
    EXPECT_FALSE(program.FGlowny()->PAnalizaTabele->isVisible());

    // the program speaks through its message dialog
    bool pokazany = false;
    QTimer::singleShot(0, [&] {
        pokazany = program.FWarning()->isVisible();
        QTest::mouseClick(program.FWarning()->ImButZamknij, Qt::LeftButton);
    });
    program.FGlowny()->AnalizujPliki({folder.filePath("lista.skg")});
    EXPECT_TRUE(pokazany);
    EXPECT_FALSE(program.FWarning()->isVisible());
}

} // namespace
} // namespace sondrel
