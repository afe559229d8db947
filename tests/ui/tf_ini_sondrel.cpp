// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window: filling, hints, the test list path, saving, and the three answers to
// the question asked when it is closed with unsaved changes.
#include "ui/okna/tf_ini_sondrel.h"

#include "settings/ustawienia.h"
#include "ui/okna/tf_zegar.h"
#include "ui/program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

struct Pytanie {
    int rodzaj, ikona;
    QString tekst;
    bool operator==(const Pytanie&) const = default;
};

class UstawieniaTestowe : public TFIniSondrel {
public:
    using TFIniSondrel::TFIniSondrel;
    QString plik; // what the open dialog answers (empty: cancelled)
    QStringList folderyDialogu;
    QList<QUrl> otwarte;

protected:
    QString WybierzPlikListy(const QString& folder) override {
        folderyDialogu << folder;
        return plik;
    }
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

const QString PytanieOZapis = QStringLiteral("Zmieniono ustawienia. Czy zapisać zmiany?");
const QString BladZapisu = QStringLiteral(
    "Wystąpiły problemy z zapisaniem zmian.Brak możliwości zapisu w wybranym miejscu.");

class TFIniSondrelTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Program program;
    TFZegar zegar;
    std::unique_ptr<UstawieniaTestowe> okno;
    QList<Pytanie> pytania;
    int odpowiedz = WynikAnuluj; // what the message dialog answers

    void SetUp() override {
        Foldery& f = program.srodowisko.foldery;
        f.FolderProgramu = folder.path() + QStringLiteral("/program/");
        f.PlikUstawien = folder.filePath(QStringLiteral("Sondrel.ini"));
        f.PlikDziennika = folder.filePath(QStringLiteral("Dziennik.txt"));
        program.Zasady().Podlacz(&zegar);
        program.srodowisko.komunikaty.ustawObsluge(
            [this](int rodzaj, int ikona, const QString& tekst) {
                pytania.append({rodzaj, ikona, tekst});
                return rodzaj == KomunikatPytanie ? odpowiedz : WynikZamknij;
            });
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

TEST_F(TFIniSondrelTest, PokazUstawieniaJestModalne) {
    QTimer::singleShot(0, okno.get(), [this] {
        EXPECT_EQ(QApplication::activeModalWidget(), okno.get());
        EXPECT_EQ(okno->pos(), QPoint(20 + 162, 30 + 38));
        QTest::mouseClick(okno->LZamknijIni, Qt::LeftButton);
    });
    okno->PokazUstawienia(QPoint(20, 30));
    EXPECT_FALSE(okno->isVisible());
}

// Not a check: with SONDREL_ZRZUTY=<folder> (under a real X server) saves the screen with the
// window, for looking at it.
TEST_F(TFIniSondrelTest, Zrzut) {
    const QString cel = qEnvironmentVariable("SONDREL_ZRZUTY");
    if (cel.isEmpty()) GTEST_SKIP() << "SONDREL_ZRZUTY not set";
    program.ustawienia.fn = true;
    program.ustawienia.calltab = true;
    program.ustawienia.sct = QStringLiteral("/home/nauczyciel/Dokumenty/Zadrix/Listy/klasa3b.skg");
    okno->Przygotuj(QPoint(-122, -8));
    okno->show();
    Najedz(okno->CCopyAll);
    QTest::qWait(400);
    QDir().mkpath(cel);
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(cel).filePath("ustawienia.png"));
}

} // namespace
} // namespace sondrel
