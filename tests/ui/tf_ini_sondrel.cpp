// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window: filling, hints, the test list path, saving, and the three answers to
// the question asked when it is closed with unsaved changes.
#include "ui/okna/tf_ini_sondrel.h"

#include "settings/ustawienia.h"
#include "support/ui/program_testowy.h"
#include "ui/kontrolki/pole_opcji.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/okna/tf_serwer_archiwum.h"
#include "ui/okna/tf_zegar.h"
#include "ui/program.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

// The window's messages are its questions.
using Pytanie = testy::Komunikat;

class UstawieniaTestowe : public TFIniSondrel {
public:
    using TFIniSondrel::TFIniSondrel;
    QString plik; // what the open dialog answers (empty: cancelled)
    QStringList folderyDialogu;
    QList<QUrl> otwarte;
    std::optional<UstawieniaArchiwum> serwer; // what the server's question answers
    QList<UstawieniaArchiwum> pytaniaOSerwer;

protected:
    std::optional<UstawieniaArchiwum> ZapytajOSerwer(const UstawieniaArchiwum& u) override {
        pytaniaOSerwer << u;
        return serwer;
    }
    QString WybierzPlikListy(const QString& folder) override {
        folderyDialogu << folder;
        return plik;
    }
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

const QString PytanieOZapis = QStringLiteral("Zmieniono ustawienia. Czy zapisać zmiany?");
const QString BladZapisu = QStringLiteral(
    "Wystąpiły problemy z zapisaniem zmian.Brak możliwości zapisu w wybranym miejscu.");

class TFIniSondrelTest : public testy::ProgramTestowy {
protected:
    TFZegar zegar;
    std::unique_ptr<UstawieniaTestowe> okno;
    QList<Pytanie>& pytania = komunikaty;

    void SetUp() override {
        odpowiedz = WynikAnuluj;
        program.Zasady().Podlacz(&zegar);
        okno = std::make_unique<UstawieniaTestowe>(program);
        program.Zasady().Podlacz(okno.get());
    }

    void Otworz() {
        okno->Przygotuj(QPoint(100, 50));
        okno->show();
    }
    Ustawienia ZPliku() {
        Ustawienia u;
        Srodowisko s;
        s.foldery = program.srodowisko.foldery;
        CzytajUstawienia(u, s);
        return u;
    }
    void Najedz(QWidget* w) {
        QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};

TEST_F(TFIniSondrelTest, OtwarcieWypelniaKontrolkiBezZmiany) {
    program.ustawienia.fn = true;
    program.ustawienia.rdfw = true;
    program.ustawienia.sct = QStringLiteral("/szkoła/testy.skg");
    program.ustawienia.UstawieniaZmienione = true;
    Otworz();
    EXPECT_EQ(okno->size(), QSize(506, 499));
    EXPECT_EQ(okno->pos(), QPoint(262, 88));
    EXPECT_TRUE(okno->CNajpierwImie->isChecked());
    EXPECT_FALSE(okno->CCopyAll->isChecked());
    EXPECT_FALSE(okno->CBezposrednio->isChecked());
    EXPECT_TRUE(okno->CDefaultBrowser->isChecked());
    EXPECT_EQ(okno->EScListyTestow->text(), QStringLiteral("/szkoła/testy.skg"));
    EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);
    EXPECT_EQ(okno->CCopyAll->pos(), QPoint(152, 84));
    EXPECT_EQ(okno->EScListyTestow->geometry(), QRect(200, 162, 201, 15));
    EXPECT_EQ(okno->LZapiszIni->geometry(), QRect(388, 408, 87, 23));
    EXPECT_EQ(okno->LZamknijIni->geometry(), QRect(388, 446, 87, 23));

    // closing untouched asks nothing
    QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_FALSE(QFile::exists(program.srodowisko.foldery.PlikUstawien));
}

TEST_F(TFIniSondrelTest, PodpowiedziPodMysza) {
    Otworz();
    Najedz(okno->CCopyAll);
    EXPECT_TRUE(okno->LPodpowiedz->text().startsWith(
        QStringLiteral("Tabela wyników mieści jednorazowo 15 pytań. Jeżeli w teście jest\n"
                       "więcej pytań")));
    Najedz(okno->EScListyTestow);
    EXPECT_EQ(okno->LPodpowiedz->text(),
              QStringLiteral("Pełna analiza wyników testu wymaga wczytania również\ntestu, "
                             "którego wyniki analizujemy.\nTest możemy wczytać lub wybrać z "
                             "listy testów.\nTu możemy wskazać plik listy testów."));
    EXPECT_EQ(okno->Podpowiedz(okno->CNajpierwImie).count(QLatin1Char('\r')), 3);
    EXPECT_EQ(okno->Podpowiedz(okno->CBezposrednio).count(QLatin1Char('\r')), 4);
    EXPECT_TRUE(okno->Podpowiedz(okno->CDefaultBrowser).endsWith(QStringLiteral("systemu.")));
    Najedz(okno->ImTlo);
    EXPECT_TRUE(okno->LPodpowiedz->text().isEmpty());
}

TEST_F(TFIniSondrelTest, ZapiszZapisujeIZostawiaOknoOtwarte) {
    Otworz();
    QTest::mouseClick(okno->CCopyAll, Qt::LeftButton);
    EXPECT_TRUE(program.ustawienia.UstawieniaZmienione);
    EXPECT_FALSE(program.ustawienia.calltab); // not until saved

    QTest::mouseClick(okno->LZapiszIni, Qt::LeftButton);
    EXPECT_TRUE(okno->isVisible());
    EXPECT_TRUE(program.ustawienia.calltab);
    EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);
    EXPECT_TRUE(ZPliku().calltab);
    EXPECT_TRUE(zegar.isVisible());
    EXPECT_EQ(zegar.pos(), okno->pos() + QPoint(30, 100));

    // now closing asks nothing
    QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(pytania.isEmpty());
}

TEST_F(TFIniSondrelTest, ZamkniecieZeZmianamiPyta) {
    const struct {
        int odpowiedz;
        bool otwarte;  // the window stays
        bool zapisane; // the file holds the change
        bool wPamieci; // the held value has the change
    } przypadki[] = {
        {WynikTak, false, true, true},
        {WynikNie, false, false, false},
        {WynikAnuluj, true, false, false},
        {WynikZamknij, true, false, false}, // the question left another way
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.odpowiedz);
        QFile::remove(program.srodowisko.foldery.PlikUstawien);
        program.ustawienia = Ustawienia{};
        pytania.clear();
        zegar.hide();
        odpowiedz = p.odpowiedz;
        Otworz();
        QTest::mouseClick(okno->CBezposrednio, Qt::LeftButton);
        QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
        EXPECT_EQ(pytania, (QList<Pytanie>{{KomunikatPytanie, IkonaInformacja, PytanieOZapis}}));
        EXPECT_EQ(okno->isVisible(), p.otwarte);
        EXPECT_EQ(QFile::exists(program.srodowisko.foldery.PlikUstawien), p.zapisane);
        if (p.zapisane) EXPECT_TRUE(ZPliku().bez);
        EXPECT_EQ(program.ustawienia.bez, p.wPamieci);
        EXPECT_EQ(zegar.isVisible(), p.zapisane);
        if (p.odpowiedz == WynikTak) EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);
        okno->hide();
    }
}

TEST_F(TFIniSondrelTest, TakGdyZapisSieNieUdaje) {
    program.srodowisko.foldery.PlikUstawien = folder.filePath(QStringLiteral("brak/Sondrel.ini"));
    odpowiedz = WynikTak;
    Otworz();
    QTest::mouseClick(okno->CNajpierwImie, Qt::LeftButton);
    QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    EXPECT_EQ(pytania, (QList<Pytanie>{{KomunikatPytanie, IkonaInformacja, PytanieOZapis},
                                       {KomunikatInformacja, IkonaInformacja, BladZapisu}}));
    EXPECT_TRUE(okno->isVisible());
    EXPECT_TRUE(program.ustawienia.fn); // the held values already hold the choice
    EXPECT_FALSE(zegar.isVisible());

    // the save button's failure shows nothing beyond the journal line
    pytania.clear();
    QTest::mouseClick(okno->LZapiszIni, Qt::LeftButton);
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_TRUE(okno->isVisible());
    EXPECT_FALSE(zegar.isVisible());
}

TEST_F(TFIniSondrelTest, WskazanaSciezkaListyObowiazujeOdRazu) {
    Otworz();
    // cancelled: nothing changes
    QTest::mouseClick(okno->LWskazSciezke, Qt::LeftButton);
    EXPECT_EQ(okno->folderyDialogu, QStringList{program.srodowisko.foldery.FolderProgramu});
    EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);
    EXPECT_TRUE(program.ustawienia.sct.isEmpty());

    okno->plik = folder.filePath(QStringLiteral("listy/klasa 3b.skg"));
    QTest::mouseClick(okno->LWskazSciezke, Qt::LeftButton);
    const QString sciezka = QDir::toNativeSeparators(okno->plik);
    EXPECT_EQ(program.ustawienia.sct, sciezka);
    EXPECT_EQ(okno->EScListyTestow->text(), sciezka);
    EXPECT_TRUE(program.ustawienia.UstawieniaZmienione);

    // Nie: not saved, but used for the rest of the run; the dialog starts where it ended
    odpowiedz = WynikNie;
    QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_FALSE(QFile::exists(program.srodowisko.foldery.PlikUstawien));
    EXPECT_EQ(program.ustawienia.sct, sciezka);
    Otworz();
    EXPECT_EQ(okno->EScListyTestow->text(), sciezka);
    okno->plik.clear();
    QTest::mouseClick(okno->LWskazSciezke, Qt::LeftButton);
    EXPECT_EQ(okno->folderyDialogu.last(), folder.filePath(QStringLiteral("listy")));

    // typing in the field is a change too
    QTest::keyClick(okno->EScListyTestow, Qt::Key_X);
    EXPECT_TRUE(program.ustawienia.UstawieniaZmienione);
}

TEST_F(TFIniSondrelTest, KlawiszeOkna) {
    Otworz();
    QTest::keyClick(okno->EScListyTestow, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(okno->isVisible());
    QTest::keyClick(okno->CCopyAll, Qt::Key_F1);
    ASSERT_EQ(okno->otwarte.size(), 1);
    EXPECT_TRUE(okno->otwarte.at(0).toLocalFile().endsWith(QStringLiteral("Pomoc/ustawienia.htm")));
    // Esc closes as the close button does: unchanged settings close at once
    QTest::keyClick(okno->CCopyAll, Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(pytania.isEmpty());
    // changed ones ask first, and "Anuluj" keeps the window
    odpowiedz = WynikAnuluj;
    Otworz();
    QTest::mouseClick(okno->CBezposrednio, Qt::LeftButton);
    QTest::keyClick(okno->EScListyTestow, Qt::Key_Escape);
    EXPECT_EQ(pytania, (QList<Pytanie>{{KomunikatPytanie, IkonaInformacja, PytanieOZapis}}));
    EXPECT_TRUE(okno->isVisible());
}

// Tab reaches every control, the painted "Zapisz" and "Zamknij" too, and never stops on the
// window itself; screen readers find those two as named buttons; Enter and Space press them.
TEST_F(TFIniSondrelTest, TabDoZapiszIZamknij) {
    Otworz();
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    QList<QWidget*> przystanki;
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : okno.get(),
                        Qt::Key_Tab);
        przystanki << QApplication::focusWidget();
    }
    EXPECT_FALSE(przystanki.contains(okno.get()));
    EXPECT_FALSE(przystanki.contains(nullptr));
    const qsizetype zapisz = przystanki.indexOf(okno->LZapiszIni);
    ASSERT_GE(zapisz, 0);
    EXPECT_EQ(przystanki.value(zapisz + 1), okno->LZamknijIni);
    EXPECT_TRUE(przystanki.contains(okno->LWskazSciezke));
    for (const auto& [etykieta, nazwa] :
         {std::pair{okno->LZapiszIni, "Zapisz"}, std::pair{okno->LZamknijIni, "Zamknij"}}) {
        QAccessibleInterface* d = QAccessible::queryAccessibleInterface(etykieta);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->role(), QAccessible::Button);
        EXPECT_EQ(d->text(QAccessible::Name), QString::fromLatin1(nazwa));
    }

    QTest::mouseClick(okno->CCopyAll, Qt::LeftButton);
    okno->LZapiszIni->setFocus(Qt::TabFocusReason);
    QTest::keyClick(okno->LZapiszIni, Qt::Key_Return);
    EXPECT_TRUE(ZPliku().calltab);
    EXPECT_TRUE(okno->isVisible());
    okno->LZamknijIni->setFocus(Qt::TabFocusReason);
    QTest::keyClick(okno->LZamknijIni, Qt::Key_Space);
    EXPECT_FALSE(okno->isVisible());
    EXPECT_TRUE(pytania.isEmpty());
}

TEST_F(TFIniSondrelTest, PokazUstawieniaJestModalne) {
    QTimer::singleShot(0, okno.get(), [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), okno.get());
        EXPECT_EQ(okno->pos(), QPoint(20 + 162, 30 + 38));
        QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    });
    okno->PokazUstawienia(QPoint(20, 30));
    EXPECT_FALSE(okno->isVisible());
}

TEST_F(TFIniSondrelTest, ArchiwumNaTymKomputerzeAlboNaSerwerzeSzkoly) {
    Otworz();
    EXPECT_TRUE(okno->RTenKomputer->isChecked());
    EXPECT_FALSE(okno->BSerwer->isEnabled());
    EXPECT_EQ(okno->LOpisArchiwum->text(),
              QStringLiteral("Plik Archiwum.sqlite w folderze danych programu."));
    Najedz(okno->RSerwerSzkoly);
    EXPECT_TRUE(okno->LPodpowiedz->text().contains(QStringLiteral("PGPASSWORD")));

    // the server chosen without its details asks for them; cancelled, nothing changes
    okno->RSerwerSzkoly->click();
    EXPECT_EQ(okno->pytaniaOSerwer.size(), 1);
    EXPECT_TRUE(okno->RTenKomputer->isChecked());
    EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);

    UstawieniaArchiwum u;
    u.Serwer = true;
    u.Host = QStringLiteral("serwer.szkola.local");
    u.Port = 5433;
    u.Baza = QStringLiteral("archiwum");
    u.Uzytkownik = QStringLiteral("nauczyciel");
    okno->serwer = u;
    okno->RSerwerSzkoly->click();
    EXPECT_EQ(okno->pytaniaOSerwer.size(), 2);
    EXPECT_TRUE(okno->RSerwerSzkoly->isChecked());
    EXPECT_TRUE(okno->BSerwer->isEnabled());
    EXPECT_TRUE(program.ustawienia.UstawieniaZmienione);
    EXPECT_EQ(okno->LOpisArchiwum->text(),
              QStringLiteral("Serwer: nauczyciel@serwer.szkola.local:5433/archiwum"));
    const QString adres =
        QStringLiteral("postgresql://nauczyciel@serwer.szkola.local:5433/archiwum");
    okno->LZapiszIniClick();
    EXPECT_EQ(ZPliku().arch, adres);
    EXPECT_EQ(program.ustawienia.arch, adres);

    // opened again: the server as saved; "Serwer…" asks with its details
    okno->Zamknij();
    Otworz();
    EXPECT_TRUE(okno->RSerwerSzkoly->isChecked());
    okno->serwer.reset();
    okno->BSerwer->click();
    ASSERT_EQ(okno->pytaniaOSerwer.size(), 3);
    EXPECT_EQ(okno->pytaniaOSerwer.last(), u);
    EXPECT_FALSE(program.ustawienia.UstawieniaZmienione);

    // back to this computer: the key is gone from the file
    okno->RTenKomputer->click();
    EXPECT_TRUE(program.ustawienia.UstawieniaZmienione);
    okno->LZapiszIniClick();
    EXPECT_TRUE(ZPliku().arch.isEmpty());
    QFile f(program.srodowisko.foldery.PlikUstawien);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains("<arch>"));
}

TEST(TFSerwerArchiwumTest, SerwerIBazaPotrzebneAdresSprawdzony) {
    TFSerwerArchiwum okno;
    UstawieniaArchiwum u;
    u.Sslmode = QStringLiteral("require");
    okno.Przygotuj(u);
    okno.show();
    EXPECT_EQ(okno.EPort->text(), QStringLiteral("5432"));
    EXPECT_FALSE(okno.BPrzyjmij->isEnabled());
    EXPECT_TRUE(okno.LHaslo->text().contains(QStringLiteral("~/.pgpass")));
    okno.EHost->setText(QStringLiteral("a.szkola,b.szkola"));
    okno.EBaza->setText(QStringLiteral("archiwum"));
    ASSERT_TRUE(okno.BPrzyjmij->isEnabled());
    // an address the archive cannot use: the reason shown, the window stays
    QTest::keyClick(okno.EBaza, Qt::Key_Return);
    EXPECT_TRUE(okno.isVisible());
    EXPECT_FALSE(okno.Przyjeto());
    EXPECT_FALSE(okno.LBlad->text().isEmpty());
    okno.EHost->setText(QStringLiteral(" 10.0.0.5 "));
    okno.EUzytkownik->setText(QStringLiteral("nauczyciel"));
    QTest::keyClick(okno.EBaza, Qt::Key_Return);
    EXPECT_FALSE(okno.isVisible());
    ASSERT_TRUE(okno.Przyjeto());
    const UstawieniaArchiwum wynik = okno.Ustawienia();
    EXPECT_TRUE(wynik.Serwer);
    EXPECT_EQ(wynik.Host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(wynik.Port, 5432);
    EXPECT_EQ(wynik.Baza, QStringLiteral("archiwum"));
    EXPECT_EQ(wynik.Uzytkownik, QStringLiteral("nauczyciel"));
    EXPECT_EQ(wynik.Sslmode, QStringLiteral("require")); // kept though not shown
    // Esc cancels
    okno.Przygotuj(wynik);
    okno.show();
    QTest::keyClick(okno.EHost, Qt::Key_Escape);
    EXPECT_FALSE(okno.isVisible());
    EXPECT_FALSE(okno.Przyjeto());
}

} // namespace
} // namespace sondrel
