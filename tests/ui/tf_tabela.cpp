// SPDX-License-Identifier: GPL-3.0-or-later
// The table window: sizes per table kind and class size, paging, its own scroll bar, the
// menu's save and copy actions (through a replaced save dialog), keys and closing.
#include "ui/okna/tf_tabela.h"

#include "arkusze/csv.h"
#include "arkusze/zapis_arkusza.h"
#include "core/kodowanie1250.h"
#include "support/klasa_testowa.h"
#include "support/ui/program_testowy.h"
#include "tables/eksport_tabel.h"
#include "ui/okna/tf_zegar.h"
#include "ui/program.h"
#include "ui/skory/paleta.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

struct Dialog {
    QString tytul, folder, nazwa, filtr, rozszerzenie;
};

// The window with its save dialog and the shell's open action replaced.
class TabelaTestowa : public TFTabela {
public:
    using TFTabela::TFTabela;
    QString odpowiedz; // what the save dialog answers (empty: cancelled)
    QList<Dialog> dialogi;
    QList<QUrl> otwarte;

protected:
    QString WybierzPlikZapisu(const QString& tytul, const QString& folder, const QString& nazwa,
                              const QString& filtr, const QString& rozszerzenie) override {
        dialogi.append({tytul, folder, nazwa, filtr, rozszerzenie});
        return odpowiedz;
    }
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

// A class of n students and q questions; student i answers question j correctly unless
// (i + j) % 3 == 0.
void Klasa(Analiza& a, int uczniow, int pytan) {
    testy::Klasa(a, QStringLiteral("Ułamki zwykłe"), pytan);
    for (int i = 1; i <= uczniow; ++i) {
        QString wyniki;
        for (int j = 1; j <= pytan; ++j)
            wyniki += (i + j) % 3 == 0 ? QLatin1Char('0') : QLatin1Char('1');
        testy::Uczen(a, QStringLiteral("Nazwisko%1").arg(i, 3, 10, QLatin1Char('0')),
                     QStringLiteral("Imię"), wyniki);
    }
    testy::Podsumuj(a);
}

class TFTabelaTest : public testy::ProgramTestowy {
protected:
    std::unique_ptr<TabelaTestowa> okno;

    void SetUp() override { okno = std::make_unique<TabelaTestowa>(program); }
    void TearDown() override { okno.reset(); }

    QString Naglowki() const {
        QStringList t;
        const Tabela& s = okno->Stan().Siatka;
        for (int k = 0; k < s.IloscKolumn(); ++k)
            t << s.komorka(0, k).Tekst;
        return t.join(QLatin1Char(' '));
    }
};

TEST_F(TFTabelaTest, RozmiaryWedlugRodzajuIWielkosciKlasy) {
    const struct {
        RodzajTabeli rodzaj;
        int uczniow, pytan;
        QSize okno, podGrid, grid, tabela;
        bool listwa;
        int zakres; // the scroll bar's maximum
    } przypadki[] = {
        // 14 students: the grid as the table, no scroll bar, PTabela as wide as the grid
        {RodzajTabeli::Wynikow,
         14,
         20,
         {508 + 180, 292 + 100},
         {508, 292},
         {508, 292},
         {508, 320},
         false,
         0},
        // 20 students, 23 rows: no scroll bar, yet the area is 20 pixels wider
        {RodzajTabeli::Wynikow,
         20,
         10,
         {413 + 180, 391 + 100},
         {413, 391},
         {413, 391},
         {433, 419},
         false,
         0},
        // 25 students, 28 rows: 23 rows visible, scroll range 0..5
        {RodzajTabeli::Wynikow,
         25,
         3,
         {280 + 180, 491},
         {280, 391},
         {280, 476},
         {300, 419},
         true,
         5},
        // work time: no arrows below; 27 rows scroll 0..4
        {RodzajTabeli::Czasu, 25, 3, {445 + 180, 491}, {445, 391}, {445, 459}, {465, 391}, true, 4},
        {RodzajTabeli::Czasu, 3, 3, {445 + 180, 250}, {445, 88}, {445, 88}, {445, 88}, false, 0},
        // the grade table: 383 x 250 (its height raised to the minimum)
        {RodzajTabeli::Ocen, 25, 3, {383, 250}, {203, 137}, {203, 137}, {203, 137}, false, 0},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(testing::Message() << "rodzaj " << int(p.rodzaj) << " uczniow " << p.uczniow);
        Klasa(program.analiza, p.uczniow, p.pytan);
        okno->PokazTabele(p.rodzaj);
        EXPECT_TRUE(okno->isVisible());
        EXPECT_EQ(okno->size(), p.okno);
        EXPECT_EQ(okno->PPodGrid->size(), p.podGrid);
        EXPECT_EQ(okno->GridTabela->size(), p.grid);
        EXPECT_EQ(okno->PTabela->size(), p.tabela);
        EXPECT_EQ(okno->PTabela->pos(), QPoint(128, 47));
        EXPECT_EQ(okno->PPodListwe->isVisible(), p.listwa);
        if (p.listwa) {
            EXPECT_EQ(okno->ListwaV->minimum(), 0);
            EXPECT_EQ(okno->ListwaV->maximum(), p.zakres);
            EXPECT_EQ(okno->ListwaV->pageStep(), 22);
            EXPECT_EQ(okno->PPodListwe->x(), p.podGrid.width() + 2);
            EXPECT_EQ(okno->PPodListwe->height(), p.podGrid.height() - 20);
        }
        EXPECT_FALSE(okno->PTabelaWLewo->isVisible());
        EXPECT_EQ(okno->PTabelawPrawo->isVisible(),
                  p.rodzaj == RodzajTabeli::Wynikow && p.pytan > 15);
        // the skin follows the size
        EXPECT_EQ(okno->PTopRight->pos(), QPoint(p.okno.width() - 30, 0));
        EXPECT_EQ(okno->PListwaSrodek->width(), p.okno.width() - 153);
        EXPECT_EQ(okno->LListwa->width(), p.okno.width() - 153);
        EXPECT_EQ(okno->PRight->geometry(),
                  QRect(p.okno.width() - 30, 37, 30, p.okno.height() - 71));
        EXPECT_EQ(okno->PRightDown->pos(), QPoint(p.okno.width() - 30, p.okno.height() - 34));
        EXPECT_EQ(okno->PLeft->height(), p.okno.height() - 206);
        EXPECT_EQ(okno->PLeftDown->pos(), QPoint(0, p.okno.height() - 34));
        EXPECT_EQ(okno->Pdown->geometry(),
                  QRect(124, p.okno.height() - 34, p.okno.width() - 154, 34));
        EXPECT_EQ(okno->mask(), skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, p.okno));
    }
}

TEST_F(TFTabelaTest, StrzalkiPrzewijajaStronyIOknoZostajeWMiejscu) {
    Klasa(program.analiza, 4, 20);
    okno->PokazTabele(RodzajTabeli::Wynikow);
    const QPoint miejsce(120, 80);
    okno->move(miejsce);
    EXPECT_EQ(okno->Stan().Strona, 1);
    EXPECT_FALSE(okno->PTabelaWLewo->isVisible());
    ASSERT_TRUE(okno->PTabelawPrawo->isVisible());
    const QSize pod = okno->PPodGrid->size();
    EXPECT_EQ(okno->PTabelaWLewo->pos(), QPoint(pod.width() - 60, pod.height() + 2));
    EXPECT_EQ(okno->PTabelawPrawo->pos(), QPoint(pod.width() - 30, pod.height() + 2));
    EXPECT_TRUE(okno->LListwa->text().contains(QStringLiteral("1–15 z 20")));

    QTest::mouseClick(okno->ImTabelaWPrawo, Qt::LeftButton);
    EXPECT_EQ(okno->Stan().Strona, 2);
    EXPECT_EQ(Naglowki(), QStringLiteral("Nazwisko i imię 16 17 18 19 20 Suma Ocena"));
    EXPECT_TRUE(okno->PTabelaWLewo->isVisible());
    EXPECT_FALSE(okno->PTabelawPrawo->isVisible());
    EXPECT_EQ(okno->width(), 121 + 5 * 19 + 102 + 180);
    EXPECT_EQ(okno->pos(), miejsce); // resized while visible: left and top stay
    EXPECT_EQ(okno->PTabelaWLewo->pos(),
              QPoint(okno->PPodGrid->width() - 60, okno->PPodGrid->height() + 2));

    QTest::mouseClick(okno->ImTabelaWLewo, Qt::LeftButton);
    EXPECT_EQ(okno->Stan().Strona, 1);
    EXPECT_EQ(okno->GridTabela->TabelaRysowana(), &okno->Stan().Siatka);

    // after the naming setting changed, the same page is built again with the new names
    QTest::mouseClick(okno->ImTabelaWPrawo, Qt::LeftButton);
    program.ustawienia.fn = true;
    okno->OdswiezTabele();
    EXPECT_EQ(okno->Stan().Strona, 2);
    EXPECT_EQ(okno->Stan().Siatka.komorka(1, 0).Tekst, QStringLiteral("Imię Nazwisko001"));
    EXPECT_EQ(okno->pos(), miejsce);
    QTest::mouseClick(okno->ImTabelaWLewo, Qt::LeftButton);

    // opening the results table again starts from page 1; other tables hide the arrows
    QTest::mouseClick(okno->ImTabelaWPrawo, Qt::LeftButton);
    okno->PokazTabele(RodzajTabeli::Czasu);
    EXPECT_FALSE(okno->PTabelaWLewo->isVisible());
    EXPECT_FALSE(okno->PTabelawPrawo->isVisible());
    EXPECT_EQ(okno->LListwa->text(), QStringLiteral("Zestawienie czasu pracy"));
    okno->PokazTabele(RodzajTabeli::Wynikow);
    EXPECT_EQ(okno->Stan().Strona, 1);
}

TEST_F(TFTabelaTest, ListwaIKlawiszePrzewijajaSiatke) {
    Klasa(program.analiza, 25, 3); // 28 rows, 23 visible
    okno->PokazTabele(RodzajTabeli::Wynikow);
    SiatkaTabeli* grid = okno->GridTabela;
    EXPECT_EQ(grid->GornyWiersz(), 1);
    EXPECT_EQ(grid->OstatniGornyWiersz(), 6);

    okno->ListwaV->setValue(5);
    EXPECT_EQ(grid->GornyWiersz(), 6);
    okno->ListwaV->setValue(2);
    EXPECT_EQ(grid->GornyWiersz(), 3);

    // the wheel over the grid does nothing
    QWheelEvent kolko(QPointF(10, 40), grid->mapToGlobal(QPointF(10, 40)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &kolko);
    EXPECT_EQ(grid->GornyWiersz(), 3);
    // over the scroll bar one notch moves three rows
    QWheelEvent naListwie(QPointF(5, 40), okno->ListwaV->mapToGlobal(QPointF(5, 40)), QPoint(),
                          QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(okno->ListwaV, &naListwie);
    EXPECT_EQ(okno->ListwaV->value(), 5);
    EXPECT_EQ(grid->GornyWiersz(), 6);

    // arrow keys move the current row; the top row follows it, the bar follows on release
    okno->ListwaV->setValue(0);
    for (int i = 0; i < 24; ++i)
        QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->BiezacyWiersz(), 25);
    EXPECT_EQ(grid->GornyWiersz(), 4); // rows 4..25 under the header
    EXPECT_EQ(okno->ListwaV->value(), 3);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->GornyWiersz(), 6);
    EXPECT_EQ(okno->ListwaV->value(), 5);
    QTest::keyClick(grid, Qt::Key_PageUp);
    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_EQ(grid->GornyWiersz(), 1);
    EXPECT_EQ(okno->ListwaV->value(), 0);

    // a press on the track pages by 22 rows (clamped to the range)
    const QRect suwak = okno->ListwaV->ProstokatSuwaka();
    QTest::mouseClick(okno->ListwaV, Qt::LeftButton, {},
                      QPoint(okno->ListwaV->width() / 2, okno->ListwaV->height() - 2));
    EXPECT_GT(okno->ListwaV->height() - 2, suwak.bottom());
    EXPECT_EQ(okno->ListwaV->value(), 5);
    EXPECT_EQ(grid->GornyWiersz(), 6);

    // a new table starts at its first row
    okno->PokazTabele(RodzajTabeli::Czasu);
    EXPECT_EQ(grid->GornyWiersz(), 1);
    EXPECT_EQ(okno->ListwaV->value(), 0);
    EXPECT_EQ(okno->ListwaV->maximum(), 4);
}

TEST_F(TFTabelaTest, ZapisJakoHtmITxtPrzezOknoZapisu) {
    Klasa(program.analiza, 4, 20);
    program.ustawienia.calltab = false;
    okno->PokazTabele(RodzajTabeli::Wynikow);
    QTest::mouseClick(okno->ImTabelaWPrawo, Qt::LeftButton); // page 2

    const QString cel = folder.filePath(QStringLiteral("wyniki")); // no extension given
    okno->odpowiedz = cel;
    QTest::mouseClick(okno->LZapiszHtml, Qt::LeftButton);
    ASSERT_EQ(okno->dialogi.size(), 1);
    const Dialog& d = okno->dialogi.at(0);
    EXPECT_EQ(d.tytul, QStringLiteral("Wskaż miejsce zapisu"));
    EXPECT_EQ(d.folder, program.srodowisko.foldery.FolderDokumentow);
    EXPECT_NE(d.folder, program.srodowisko.foldery.FolderProgramu);
    EXPECT_EQ(d.nazwa, QStringLiteral("TabelaWynikow.htm"));
    EXPECT_EQ(d.filtr, QStringLiteral("Plik tekstowy (*.htm)"));
    EXPECT_EQ(d.rozszerzenie, QStringLiteral("htm"));
    QFile htm(cel + QStringLiteral(".htm"));
    ASSERT_TRUE(htm.open(QIODevice::ReadOnly));
    EXPECT_EQ(htm.readAll(), TabelaHtml(program.analiza, okno->Stan(), false, false));
    EXPECT_TRUE(komunikaty.isEmpty());

    // text: the grid's page, with the dialog starting where the last file went
    okno->odpowiedz = folder.filePath(QStringLiteral("wyniki.txt"));
    QTest::mouseClick(okno->LZapiszTxt, Qt::LeftButton);
    ASSERT_EQ(okno->dialogi.size(), 2);
    EXPECT_EQ(okno->dialogi.at(1).folder, folder.path());
    EXPECT_EQ(okno->dialogi.at(1).nazwa, QStringLiteral("TabelaWynikow.txt"));
    EXPECT_EQ(okno->dialogi.at(1).filtr, QStringLiteral("Plik tekstowy (*.txt)"));
    QFile txt(okno->odpowiedz);
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QByteArray tekst = txt.readAll();
    EXPECT_EQ(tekst, TekstTabeliDoPliku(okno->Stan().Siatka));
    EXPECT_TRUE(tekst.startsWith("Nazwisko i imi\xea\t"
                                 "16\t17\t18\t19\t20\tSuma\tOcena\t\r\n"));

    // the other tables save under their own names
    okno->PokazTabele(RodzajTabeli::Ocen);
    okno->odpowiedz.clear(); // cancelled: nothing written
    QTest::mouseClick(okno->LZapiszTxt, Qt::LeftButton);
    EXPECT_EQ(okno->dialogi.last().nazwa, QStringLiteral("ZestawienieOcen.txt"));
    okno->PokazTabele(RodzajTabeli::Czasu);
    QTest::mouseClick(okno->LZapiszHtml, Qt::LeftButton);
    EXPECT_EQ(okno->dialogi.last().nazwa, QStringLiteral("ZestawienieCzasuPracy.htm"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("wyniki.htm"), QStringLiteral("wyniki.txt")}));
    EXPECT_TRUE(komunikaty.isEmpty());
}

TEST_F(TFTabelaTest, NieudanyZapisJestZglaszanyAPotwierdzenieTylkoPoUdanym) {
    TFZegar zegar;
    program.Zasady().Podlacz(&zegar);
    program.Zasady().Podlacz(okno.get());
    Klasa(program.analiza, 3, 5);
    okno->PokazTabele(RodzajTabeli::Ocen);

    okno->odpowiedz = folder.filePath(QStringLiteral("brak/oceny.htm"));
    QTest::mouseClick(okno->LZapiszHtml, Qt::LeftButton);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty.at(0).tekst.startsWith(QStringLiteral("Nie udało się zapisać tabeli.")));
    EXPECT_FALSE(zegar.isVisible());
    EXPECT_FALSE(QFile::exists(okno->odpowiedz));

    okno->odpowiedz = folder.filePath(QStringLiteral("oceny.htm"));
    QTest::mouseClick(okno->LZapiszHtml, Qt::LeftButton);
    EXPECT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(zegar.isVisible());
}

// "Zapisz jako arkusz...": the workbook of the analysis, or the table shown as CSV (the
// extension picks the form); a failed save says why and shows no confirmation.
TEST_F(TFTabelaTest, ZapisJakoArkuszSkoroszytLubCsvTabeli) {
    TFZegar zegar;
    program.Zasady().Podlacz(&zegar);
    program.Zasady().Podlacz(okno.get());
    Klasa(program.analiza, 3, 5);
    okno->PokazTabele(RodzajTabeli::Czasu);

    okno->odpowiedz = folder.filePath(QStringLiteral("klasa")); // no extension given
    QTest::mouseClick(okno->LZapiszArkusz, Qt::LeftButton);
    ASSERT_EQ(okno->dialogi.size(), 1);
    EXPECT_EQ(okno->dialogi.at(0).nazwa, QStringLiteral("Ułamki zwykłe.xlsx"));
    EXPECT_EQ(okno->dialogi.at(0).filtr, FiltrZapisuArkusza());
    QFile xlsx(okno->odpowiedz + QStringLiteral(".xlsx"));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xlsx.readAll().startsWith("PK\x03\x04"));
    EXPECT_TRUE(zegar.isVisible());

    okno->odpowiedz = folder.filePath(QStringLiteral("czas.csv"));
    QTest::mouseClick(okno->LZapiszArkusz, Qt::LeftButton);
    QFile csv(okno->odpowiedz);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(),
              CsvListy(ListaAnalizy(program.analiza, RodzajListy::CzasPracy, false)));
    EXPECT_TRUE(komunikaty.isEmpty());

    zegar.hide();
    okno->odpowiedz = folder.filePath(QStringLiteral("brak/klasa.xlsx"));
    QTest::mouseClick(okno->LZapiszArkusz, Qt::LeftButton);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty.at(0).tekst.startsWith(QStringLiteral("Nie udało się zapisać pliku ") +
                                                  okno->odpowiedz + QStringLiteral(": ")));
    EXPECT_FALSE(zegar.isVisible());
    EXPECT_FALSE(QFile::exists(okno->odpowiedz));

    // from the keyboard: Tab goes on from the close entry to it
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    okno->LCloseTabele->setFocus(Qt::TabFocusReason);
    QTest::keyClick(okno->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), okno->LZapiszArkusz);
    EXPECT_EQ(okno->LZapiszArkusz->accessibleName(), QStringLiteral("Zapisz jako arkusz..."));
}

TEST_F(TFTabelaTest, KopiowanieJakoTxtIHtm) {
    Klasa(program.analiza, 6, 4);
    okno->PokazTabele(RodzajTabeli::Wynikow);
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(okno->LKopiujTxt, Qt::LeftButton);
    const QString schowek = QGuiApplication::clipboard()->text();
    EXPECT_EQ(schowek, TekstTabeliDoSchowka(okno->Stan().Siatka));
    EXPECT_TRUE(schowek.startsWith(QStringLiteral("Nazwisko i imię\t1\t2\t3\t4\tSuma\tOcena\r\n")));
    EXPECT_TRUE(schowek.endsWith(QStringLiteral("\r\n")));

    // as htm: the document "Zapisz jako htm" writes, as HTML and as readable text
    program.ustawienia.calltab = true;
    QTest::mouseClick(okno->LKopiujHtml, Qt::LeftButton);
    const QMimeData* dane = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dane && dane->hasHtml() && dane->hasText());
    // the file's document, declaring the UTF-8 the clipboard carries instead of windows-1250
    const QString plik = Z1250(TabelaHtml(program.analiza, okno->Stan(), true, false));
    EXPECT_TRUE(plik.contains(QStringLiteral("charset=windows-1250")));
    EXPECT_EQ(dane->html(), QString(plik).replace(QStringLiteral("charset=windows-1250"),
                                                  QStringLiteral("charset=utf-8")));
    const QStringList wiersze = dane->text().split(QStringLiteral("\r\n"));
    EXPECT_TRUE(wiersze.contains(QStringLiteral("Nazwisko i imię\t1\t2\t3\t4\tSuma\tOcena")))
        << dane->text().toStdString();
    EXPECT_TRUE(dane->text().contains(QStringLiteral("Nazwisko001 Imię\t")));
    // no file is needed for it
    EXPECT_FALSE(QFileInfo::exists(PlikTabeliDoKopii(program.srodowisko.foldery.FolderTemp)));
}

TEST_F(TFTabelaTest, PrawyKlikOtwieraPopupKomorki) {
    Klasa(program.analiza, 25, 20);
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    okno->PokazTabele(RodzajTabeli::Wynikow);
    QList<KlikniecieTabeli> popupy;
    QObject::connect(okno.get(), &TFTabela::prawyKlik,
                     [&](const KlikniecieTabeli& k) { popupy << k; });
    const auto klik = [&](QPoint punkt, Qt::MouseButton przycisk = Qt::RightButton) {
        popupy.clear();
        QTest::mouseClick(okno->GridTabela, przycisk, {}, punkt);
        QCoreApplication::processEvents(); // the popup opens after the press
        return popupy.isEmpty() ? KlikniecieTabeli{} : popupy.constFirst();
    };
    const auto jest = [](const KlikniecieTabeli& k, CelKlikniecia cel, int pytanie, int uczen) {
        return k.cel == cel && k.pytanie == pytanie && k.uczen == uczen;
    };
    EXPECT_TRUE(jest(klik({10, 20}), CelKlikniecia::Uczen, 0, 1));
    EXPECT_TRUE(jest(klik({125, 5}), CelKlikniecia::Pytanie, 1, 0));
    EXPECT_TRUE(jest(klik({10, 20}, Qt::LeftButton), CelKlikniecia::Nic, 0, 0));
    // page 2, question column 3: question 18
    okno->ZmienStroneTabeli(+1);
    EXPECT_TRUE(jest(klik({120 + 2 * 19 + 3, 5}), CelKlikniecia::Pytanie, 18, 0));
    EXPECT_TRUE(jest(klik({120 + 2 * 19 + 3, 40}), CelKlikniecia::OdpowiedzUcznia, 18, 2));
    // scrolled down by 5 rows: the first visible student row is student 6
    okno->ListwaV->setValue(5);
    EXPECT_TRUE(jest(klik({10, 20}), CelKlikniecia::Uczen, 0, 6));
    // nothing in the other tables, nothing after a simple analysis
    okno->PokazTabele(RodzajTabeli::Czasu);
    EXPECT_TRUE(jest(klik({10, 20}), CelKlikniecia::Nic, 0, 0));
    okno->PokazTabele(RodzajTabeli::Wynikow);
    program.analiza.RodzajAnalizy = AnalizaProsta;
    EXPECT_TRUE(jest(klik({10, 20}), CelKlikniecia::Nic, 0, 0));
}

// The keyboard in the grid: the current cell wears a focus mark while the grid has the
// keyboard (and none without it), the arrows, Home and End move it, and the context-menu key or
// Shift+F10 opens that cell's popup, the one a right-click on it opens.
TEST_F(TFTabelaTest, KlawiaturaZnakFokusuIPopupKomorki) {
    Klasa(program.analiza, 25, 20);
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    okno->PokazTabele(RodzajTabeli::Wynikow);
    SiatkaTabeli* grid = okno->GridTabela;
    QList<KlikniecieTabeli> popupy;
    QObject::connect(okno.get(), &TFTabela::prawyKlik,
                     [&](const KlikniecieTabeli& k) { popupy << k; });

    // the mark: the current cell's left edge is slate with the focus, the cell's own colour
    // without it
    const auto lewaKrawedz = [&] {
        const QRect k = grid->ProstokatBiezacejKomorki();
        return grid->grab().toImage().pixelColor(k.left(), k.center().y());
    };
    const QColor znak = QColor::fromRgba(skora::Granat);
    grid->clearFocus();
    EXPECT_NE(lewaKrawedz(), znak);
    grid->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid->hasFocus(); }, 2000));
    EXPECT_EQ(grid->ProstokatBiezacejKomorki(), QRect(0, SiatkaTabeli::Krok, 120, 16));
    EXPECT_EQ(lewaKrawedz(), znak);

    const struct {
        const char* nazwa;
        QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> klawisze;
        CelKlikniecia cel;
        int pytanie, uczen;
    } przypadki[] = {
        {"imie ucznia 1", {{Qt::Key_Menu, {}}}, CelKlikniecia::Uczen, 0, 1},
        {"odpowiedz 2 ucznia 3",
         {{Qt::Key_Right, {}},
          {Qt::Key_Right, {}},
          {Qt::Key_Down, {}},
          {Qt::Key_Down, {}},
          {Qt::Key_F10, Qt::ShiftModifier}},
         CelKlikniecia::OdpowiedzUcznia,
         2,
         3},
        {"wiersz sredniej",
         {{Qt::Key_End, Qt::ControlModifier},
          {Qt::Key_Left, {}},
          {Qt::Key_Left, {}},
          {Qt::Key_Menu, {}}},
         CelKlikniecia::Pytanie,
         15,
         0},
        {"kolumna sumy",
         {{Qt::Key_Home, {}}, {Qt::Key_End, {}}, {Qt::Key_Menu, {}}},
         CelKlikniecia::Nic,
         0,
         0},
        {"F10 bez Shift",
         {{Qt::Key_Home, Qt::ControlModifier}, {Qt::Key_F10, {}}},
         CelKlikniecia::Nic,
         0,
         0},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        popupy.clear();
        for (const auto& [klawisz, modyfikatory] : p.klawisze)
            QTest::keyClick(grid, klawisz, modyfikatory);
        QCoreApplication::processEvents(); // the popup opens after the key
        if (p.cel == CelKlikniecia::Nic) {
            EXPECT_TRUE(popupy.isEmpty());
            continue;
        }
        if (p.cel == CelKlikniecia::OdpowiedzUcznia &&
            !qEnvironmentVariableIsEmpty("SONDREL_ZRZUT"))
            okno->grab().save(qEnvironmentVariable("SONDREL_ZRZUT") +
                              QStringLiteral("/tabela_fokus.png"));
        ASSERT_EQ(popupy.size(), 1);
        EXPECT_EQ(popupy.at(0).cel, p.cel);
        EXPECT_EQ(popupy.at(0).pytanie, p.pytanie);
        EXPECT_EQ(popupy.at(0).uczen, p.uczen);
    }
    // scrolled away by the bar, the current row (student 1) has no mark; its popup scrolls it
    // back into view and asks for that student, not for what took its place
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    okno->ListwaV->setValue(3);
    EXPECT_TRUE(grid->ProstokatBiezacejKomorki().isEmpty());
    EXPECT_NE(grid->grab().toImage().pixelColor(1, SiatkaTabeli::Krok + 8), znak);
    popupy.clear();
    QTest::keyClick(grid, Qt::Key_Menu);
    QCoreApplication::processEvents();
    ASSERT_EQ(popupy.size(), 1);
    EXPECT_EQ(popupy.at(0).cel, CelKlikniecia::Uczen);
    EXPECT_EQ(popupy.at(0).uczen, 1);
    EXPECT_EQ(grid->GornyWiersz(), 1);
    EXPECT_EQ(okno->ListwaV->value(), 0);

    // the last row is kept on screen: scrolled down to it
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->GornyWiersz(), grid->OstatniGornyWiersz());
    EXPECT_LT(grid->ProstokatBiezacejKomorki().bottom(), grid->height());

    // the context-menu event a window system sends with the key opens no second popup; sent
    // alone (the platform's keyboard request), it opens one
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    popupy.clear();
    QTest::keyPress(grid, Qt::Key_Menu);
    QContextMenuEvent zKlawisza(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &zKlawisza);
    QTest::keyRelease(grid, Qt::Key_Menu);
    QCoreApplication::processEvents();
    EXPECT_EQ(popupy.size(), 1);
    QContextMenuEvent sam(QContextMenuEvent::Keyboard, QPoint(5, 5),
                          grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &sam);
    QCoreApplication::processEvents();
    EXPECT_EQ(popupy.size(), 2);
    EXPECT_EQ(popupy.at(1).cel, CelKlikniecia::Uczen);
}

// A name longer than the name column keeps the table's one text size: it ends in an ellipsis
// and its cell's tooltip shows it whole; a name that fits has no tooltip.
TEST_F(TFTabelaTest, DlugieNazwiskoWPodpowiedzi) {
    Klasa(program.analiza, 3, 12);
    const QString dlugie = QStringLiteral("Konstantynopolitańczykiewicz-Wielkopolska");
    program.analiza.Uczniowie[2].Nazwisko = dlugie;
    okno->PokazTabele(RodzajTabeli::Wynikow);
    SiatkaTabeli* siatka = okno->GridTabela;
    const auto podpowiedz = [&](QPoint punkt) {
        QHelpEvent e(QEvent::ToolTip, punkt, siatka->mapToGlobal(punkt));
        QApplication::sendEvent(siatka, &e);
        return e.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // rows: the header, then students 1, 2, 3 at 17 pixels each
    int wiersz = -1, kolumna = -1;
    QRect komorka;
    ASSERT_TRUE(
        siatka->KomorkaPod(QPoint(10, 2 * SiatkaTabeli::Krok + 5), wiersz, kolumna, komorka));
    EXPECT_EQ(wiersz, 2);
    EXPECT_EQ(kolumna, 0);
    EXPECT_TRUE(podpowiedz(QPoint(10, 2 * SiatkaTabeli::Krok + 5)).startsWith(dlugie));
    EXPECT_TRUE(podpowiedz(QPoint(10, SiatkaTabeli::Krok + 5)).isEmpty());
    // a two-digit question number fits its 18-pixel column at the table's size
    QPoint naglowek11;
    for (int x = 0; x < siatka->width() && naglowek11.isNull(); x += 5)
        if (siatka->KomorkaPod(QPoint(x, 5), wiersz, kolumna, komorka) &&
            siatka->TabelaRysowana()->komorka(0, kolumna).Tekst == QLatin1String("11"))
            naglowek11 = komorka.center();
    ASSERT_FALSE(naglowek11.isNull());
    EXPECT_EQ(komorka.width(), 18);
    EXPECT_TRUE(podpowiedz(naglowek11).isEmpty());
}

TEST_F(TFTabelaTest, KlawiszeMenuIZamykanie) {
    Klasa(program.analiza, 3, 5);
    okno->PokazTabele(RodzajTabeli::Wynikow);
    ASSERT_TRUE(okno->isVisible());

    // Alt+F4 in the grid or the window is swallowed; F1 opens the table's help page
    QTest::keyClick(okno->GridTabela, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(okno.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(okno->isVisible());
    QTest::keyClick(okno->GridTabela, Qt::Key_F1);
    ASSERT_EQ(okno->otwarte.size(), 1);
    EXPECT_TRUE(okno->otwarte.at(0).toLocalFile().endsWith(QStringLiteral("Pomoc/menutabeli.htm")));

    // the menu: the entry under the mouse is white, the others dark
    QTest::mouseMove(okno->LKopiujTxt);
    QMouseEvent ruch(QEvent::MouseMove, QPointF(5, 5), okno->LKopiujTxt->mapToGlobal(QPointF(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(okno->LKopiujTxt, &ruch);
    EXPECT_TRUE(okno->LKopiujTxt->Podswietlona());
    EXPECT_FALSE(okno->LZapiszHtml->Podswietlona());
    QMouseEvent nadSiatka(QEvent::MouseMove, QPointF(5, 5),
                          okno->GridTabela->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
    QApplication::sendEvent(okno->GridTabela, &nadSiatka);
    EXPECT_FALSE(okno->LKopiujTxt->Podswietlona());

    QMouseEvent nadZamknij(QEvent::MouseMove, QPointF(5, 5),
                           okno->LCloseTabele->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(okno->LCloseTabele, &nadZamknij);
    ASSERT_TRUE(okno->LCloseTabele->Podswietlona());
    QTest::mouseClick(okno->LCloseTabele, Qt::LeftButton);
    EXPECT_FALSE(okno->isVisible());
    // kind and page stay while hidden
    EXPECT_EQ(okno->Stan().Rodzaj, RodzajTabeli::Wynikow);
    okno->PokazOknoTabeli();
    EXPECT_TRUE(okno->isVisible());
    // shown again, no entry is lit: the mouse is not over the one that closed it
    for (const Etykieta* l : {okno->LZapiszHtml, okno->LZapiszTxt, okno->LKopiujHtml,
                              okno->LKopiujTxt, okno->LCloseTabele})
        EXPECT_FALSE(l->Podswietlona());
    QTest::mouseClick(okno->LCloseWykres, Qt::LeftButton);
    EXPECT_FALSE(okno->isVisible());

    // the menu from the keyboard: Tab, arrows, Enter; Esc closes the window
    okno->PokazOknoTabeli();
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    const auto klawisz = [&](Qt::Key k) { QTest::keyClick(okno->windowHandle(), k); };
    klawisz(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), okno->LZapiszHtml);
    EXPECT_TRUE(okno->LZapiszHtml->Podswietlona());
    EXPECT_EQ(okno->LZapiszHtml->accessibleName(), QStringLiteral("Zapisz jako htm"));
    klawisz(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), okno->LZapiszTxt);
    EXPECT_FALSE(okno->LZapiszHtml->Podswietlona());
    klawisz(Qt::Key_Return);
    ASSERT_EQ(okno->dialogi.size(), 1); // cancelled: nothing written
    EXPECT_EQ(okno->dialogi.at(0).nazwa, QStringLiteral("TabelaWynikow.txt"));
    klawisz(Qt::Key_Up);
    klawisz(Qt::Key_Up); // round to the last entry
    EXPECT_EQ(QApplication::focusWidget(), okno->LCloseTabele);
    klawisz(Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
}

} // namespace
} // namespace sondrel

namespace sondrel {
namespace {

// Every help page that a window opens with F1 or the help menu lies beside the program, in
// Windows-1250 as it declares.
TEST(StronyPomocy, KazdaOtwieranaStronaIstnieje) {
    for (const char* strona : {"index.htm", "menu.htm", "menutabeli.htm", "menudiagr.htm",
                               "wlasndiagr.htm", "menuraport.htm", "ustawienia.htm"}) {
        SCOPED_TRACE(strona);
        QFile plik(Okno::SciezkaPomocy(QString::fromLatin1(strona)));
        ASSERT_TRUE(plik.open(QIODevice::ReadOnly)) << plik.fileName().toStdString();
        const QByteArray tresc = plik.readAll();
        EXPECT_TRUE(tresc.contains("<meta charset=\"windows-1250\">"));
        EXPECT_TRUE(tresc.contains("href=\"styl.css\""));
        EXPECT_FALSE(tresc.contains("\xC5")); // no UTF-8 sequences of Polish letters
    }
    EXPECT_TRUE(QFile::exists(Okno::SciezkaPomocy(QStringLiteral("styl.css"))));
}

} // namespace
} // namespace sondrel
