// SPDX-License-Identifier: GPL-3.0-or-later
// The two-list window: the test list that cannot be read, the tree opened, closed, scrolled and
// picked from, the answer files in the dialog's order, confirming and cancelling.
#include "ui/okna/tf_okno_obie_listy.h"

#include "okno_plikow_testowe.h"
#include "support/pliki_testowe.h"
#include "ui/program.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString BrakDanych = QStringLiteral("\rPodaj poprawnie konieczne dane.\r\rWczytaj pliki "
                                          "wyników i wybierz test z powyższej listy testów.");
const QString BrakWyboru = QStringLiteral("Wybór testu: brak wyboru. ");

// The height of the middle of row r in the whole tree.
int Y(int wiersz) {
    return wiersz * 16 + 5 + 7;
}

class TFOknoObieListyTest : public OknoPlikowTest<TFOknoObieListy> {
protected:
    void SetUp() override {
        OknoPlikowTest::SetUp();
        program.srodowisko.foldery.FolderProgramu = sciezka("Program") + QDir::separator();
        program.ustawienia.sct = sciezka("listy/lista.skg");
        QDir(folder.path()).mkpath("listy");
        // Klasa 1 (Ułamki, Procenty), Klasa 2 (Podgrupa (Test)), Powtórka
        ZapiszLista(WierszeWpisow(WpisyDrzewa(
            {{"Klasa 1", "", {{"Ułamki", "\\ulamki.skt"}, {"Procenty", "\\procenty.skt"}}},
             {"Klasa 2", "", {{"Podgrupa", "", {{"Test", "\\test.skt"}}}}},
             {"Powtórka", "\\test.skt"}})));
        ASSERT_TRUE(ZapiszPlikTestu(sciezka("listy/test.skt"), {}));
    }

    void ZapiszLista(const QStringList& wpisy) {
        ASSERT_TRUE(ZapiszPlikListy(program.ustawienia.sct, {.wpisy = wpisy}));
    }
    void Otworz() override { okno.WybierzTestIPliki(); }
    QString uczen(const QString& nazwa, const QString& nazwisko, PlikOdpowiedzi p = {}) {
        const QString s = sciezka(nazwa);
        p.nazwisko = nazwisko;
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(s, p));
        return s;
    }
    QStringList Wiersze() const {
        QStringList w;
        for (int r = 0; r < okno.Drzewo().IloscWierszy(); ++r)
            w.append(okno.Drzewo().Wpisy()[okno.Drzewo().WpisWWierszu(r)].Opis);
        return w;
    }
    void Klik(int y) { QTest::mouseClick(okno.ImDrzewo, Qt::LeftButton, {}, QPoint(40, y)); }
    void Dwuklik(int y) { QTest::mouseDClick(okno.ImDrzewo, Qt::LeftButton, {}, QPoint(40, y)); }
};

} // namespace

TEST_F(TFOknoObieListyTest, MiejscaIWyglad) {
    EXPECT_EQ(okno.size(), QSize(585, 486));
    EXPECT_EQ(okno.StronaPomocy(), "menu.htm");
    EXPECT_EQ(okno.LWczytajPliki->geometry(), QRect(38, 47, 33, 33));
    EXPECT_EQ(okno.PLista->geometry(), QRect(39, 112, 220, 300));
    EXPECT_EQ(okno.ListwaVPliki->geometry(), QRect(266, 111, 16, 307));
    EXPECT_EQ(okno.PDrzewo->geometry(), QRect(301, 47, 245, 305));
    EXPECT_EQ(okno.ImDrzewo->geometry(), QRect(0, 0, 220, 305));
    EXPECT_EQ(okno.ListwaVTesty->geometry(), QRect(226, 0, 16, 301));
    EXPECT_EQ(okno.LTest->geometry(), QRect(32, 443, 257, 13));
    EXPECT_TRUE(okno.LTest->font().bold());
    EXPECT_EQ(okno.LWprowadz->geometry(), QRect(456, 383, 89, 24));
    EXPECT_EQ(okno.LAnuluj->geometry(), QRect(456, 419, 89, 24));

    program.analiza.WybranyTest = "Wcześniejszy";
    WModalnym([this] {
        EXPECT_EQ(okno.pos(), QPoint(100 + 170, 50 + 59));
        EXPECT_EQ(okno.LTest->text(), BrakWyboru);
        QTest::keyClick(&okno, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(okno.isVisible());
    });
}

TEST_F(TFOknoObieListyTest, ListaKtorejNieMoznaOdczytac) {
    const Komunikat otwarcie{KomunikatInformacja, IkonaUwaga,
                             "Problem z otwarciem pliku listy testów.\rBrak pliku lub plik jest "
                             "uszkodzony."};
    const Komunikat wczytanie{KomunikatInformacja, IkonaUwaga,
                              "Problem z wczytaniem listy testów.\rPlik listy jest uszkodzony."};
    program.analiza.PlikiOdpowiedzi = {"a.sko"};
    for (const QString& sct : {sciezka("brak.skg"), QString()}) {
        komunikaty.clear();
        program.ustawienia.sct = sct;
        okno.WybierzTestIPliki(); // returns at once: nothing is shown
        EXPECT_FALSE(okno.isVisible());
        EXPECT_EQ(komunikaty, QList<Komunikat>{otwarcie});
    }
    EXPECT_EQ(program.analiza.PlikiOdpowiedzi, QStringList{"a.sko"});

    // entry lines that are not entries
    program.ustawienia.sct = sciezka("listy/lista.skg");
    ZapiszLista({"1*0*0*0*1*0*Dobry*\\a.skt*", "2*zero*0*0*1*0*Zły**"});
    komunikaty.clear();
    okno.WybierzTestIPliki();
    EXPECT_FALSE(okno.isVisible());
    EXPECT_EQ(komunikaty, QList<Komunikat>{wczytanie});
    EXPECT_EQ(okno.Drzewo().IloscWierszy(), 0);
}

TEST_F(TFOknoObieListyTest, DrzewoOtwieraneZamykaneIWybierane) {
    program.analiza.PlikTestu = "z_pliku.skt";
    WModalnym([this] {
        EXPECT_EQ(Wiersze(), (QStringList{"Klasa 1", "Klasa 2", "Powtórka"}));
        EXPECT_EQ(okno.Drzewo().Wybrany(), 0);

        // a click in the top five pixels picks the first entry; a group changes no choice
        Klik(2);
        EXPECT_EQ(okno.Drzewo().Wybrany(), 0);
        EXPECT_EQ(program.analiza.PlikTestu, "z_pliku.skt");
        EXPECT_EQ(okno.LTest->text(), BrakWyboru);

        Dwuklik(Y(1)); // opens Klasa 2, one level
        EXPECT_EQ(Wiersze(), (QStringList{"Klasa 1", "Klasa 2", "Podgrupa", "Powtórka"}));
        Dwuklik(Y(2));
        EXPECT_EQ(Wiersze(), (QStringList{"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}));

        Klik(Y(3));
        EXPECT_EQ(program.analiza.PlikTestu, QDir::toNativeSeparators(sciezka("listy/test.skt")));
        EXPECT_EQ(program.analiza.WybranyTest, "Test");
        EXPECT_EQ(okno.LTest->text(), "Wybór testu: Test");
        EXPECT_TRUE(okno.TestWybrany());

        // the picked row is highlighted: the band behind its caption
        const QImage obraz = okno.ImDrzewo->grab().toImage();
        // just left of the captions: Test at level 2, Powtórka at level 0
        EXPECT_EQ(QColor(obraz.pixel(2 * 20 + 18 - 3, Y(3) - 2)), QColor(0xE3, 0xE6, 0xF0));
        EXPECT_EQ(QColor(obraz.pixel(18 - 3, Y(4) - 2)), QColor(Qt::white));

        // a double click on the open top group closes all its levels; again, opens one
        Dwuklik(Y(1));
        EXPECT_EQ(Wiersze(), (QStringList{"Klasa 1", "Klasa 2", "Powtórka"}));
        Dwuklik(Y(1));
        EXPECT_EQ(Wiersze(), (QStringList{"Klasa 1", "Klasa 2", "Podgrupa", "Powtórka"}));
        // picking a group leaves the chosen test
        EXPECT_EQ(okno.LTest->text(), "Wybór testu: Test");
        EXPECT_EQ(program.analiza.WybranyTest, "Test");

        // below the last row nothing happens
        Klik(Y(3));
        EXPECT_EQ(program.analiza.WybranyTest, "Powtórka");
        Klik(Y(8));
        EXPECT_EQ(okno.Drzewo().Wybrany(), 6);
    });
}

// The tree from the keyboard: Tab reaches it between the list and the buttons; the arrows pick
// rows as clicks do; Right and Left open and close groups, Space too; Enter opens a group and
// confirms on a test; the picked row and the tree carry the focus mark.
TEST_F(TFOknoObieListyTest, DrzewoZKlawiatury) {
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    wybor = {uczen("a.sko", "Abacki")};
    WModalnym([this] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        const auto klawisz = [](int k, Qt::KeyboardModifiers m = {}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
        };
        okno.BLista->setFocus();
        klawisz(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), okno.ImDrzewo);
        klawisz(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), okno.LWprowadz);
        klawisz(Qt::Key_Backtab);
        ASSERT_EQ(QApplication::focusWidget(), okno.ImDrzewo);

        const struct {
            int klawisz;
            QStringList wiersze;
            const char* wybrany;
        } kroki[] = {
            {Qt::Key_Down, {"Klasa 1", "Klasa 2", "Powtórka"}, "Klasa 2"},
            {Qt::Key_Right, {"Klasa 1", "Klasa 2", "Podgrupa", "Powtórka"}, "Klasa 2"},
            {Qt::Key_Right, {"Klasa 1", "Klasa 2", "Podgrupa", "Powtórka"}, "Klasa 2"}, // open
            {Qt::Key_Down, {"Klasa 1", "Klasa 2", "Podgrupa", "Powtórka"}, "Podgrupa"},
            {Qt::Key_Space, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Podgrupa"},
            {Qt::Key_Down, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Test"},
            {Qt::Key_Home, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Klasa 1"},
            {Qt::Key_Return,
             {"Klasa 1", "Ułamki", "Procenty", "Klasa 2", "Podgrupa", "Test", "Powtórka"},
             "Klasa 1"},
            {Qt::Key_Left, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Klasa 1"},
            {Qt::Key_Up, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Klasa 1"},
            {Qt::Key_End, {"Klasa 1", "Klasa 2", "Podgrupa", "Test", "Powtórka"}, "Powtórka"},
        };
        for (const auto& k : kroki) {
            SCOPED_TRACE(QString::fromUtf8(k.wybrany).toStdString());
            klawisz(k.klawisz);
            EXPECT_EQ(Wiersze(), k.wiersze);
            ASSERT_NE(okno.Drzewo().WybranyWpis(), nullptr);
            EXPECT_EQ(okno.Drzewo().WybranyWpis()->Opis, QString::fromUtf8(k.wybrany));
            EXPECT_TRUE(okno.isVisible());
        }
        // picked from the keyboard as by a click
        EXPECT_EQ(okno.LTest->text(), QString::fromUtf8("Wybór testu: Powtórka"));
        EXPECT_EQ(okno.ImDrzewo->accessibleDescription(), QString::fromUtf8("Powtórka"));
        // the focus mark: the tree's frame and the picked row's outline
        const QImage obraz = okno.ImDrzewo->grab().toImage();
        EXPECT_TRUE(ZnakFokusuW(obraz, 0, obraz.height() / 2)); // dotted
        EXPECT_EQ(QColor(obraz.pixel(14, Y(4))), QColor::fromRgba(skora::Granat));

        // Enter on a test confirms, once files are chosen (Alt+P)
        klawisz(Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(okno.BLista->count(), 1);
        klawisz(Qt::Key_Enter);
        EXPECT_FALSE(okno.isVisible());
    });
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.WybranyTest, QString::fromUtf8("Powtórka"));
}

TEST_F(TFOknoObieListyTest, WprowadzWymagaTestuIPlikow) {
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    const QString inny = uczen("inny.sko", "Obcy", {.nazwaTestu = "Inny test"});
    wybor = {uczen("z.sko", "Zieliński"), sciezka("brak.sko"), uczen("a.sko", "Abacki"), inny};
    WModalnym([this] {
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton); // nothing chosen
        EXPECT_TRUE(okno.isVisible());
        EXPECT_EQ(komunikaty.size(), 1);
        EXPECT_EQ(komunikaty.value(0), (Komunikat{KomunikatInformacja, IkonaUwaga, BrakDanych}));

        // the files in the dialog's order; one that cannot be named is an empty row
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_EQ(program.analiza.PlikiOdpowiedzi, wybor);
        EXPECT_EQ(okno.BLista->Nazwy(),
                  (QStringList{"Zieliński Jan", "", "Abacki Jan", "Obcy Jan"}));
        EXPECT_EQ(komunikaty.size(), 2); // the reader's message about the missing file

        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton); // no test yet
        EXPECT_TRUE(okno.isVisible());
        EXPECT_EQ(komunikaty.size(), 3);
        EXPECT_EQ(komunikaty.value(2).tekst, BrakDanych);

        Klik(Y(2)); // Powtórka
        komunikaty.clear();
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton);
        EXPECT_FALSE(okno.isVisible());
    });
    EXPECT_EQ(folderyDialogu, QStringList{program.srodowisko.foldery.FolderProgramu});
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem); // the test was read
    EXPECT_EQ(komunikaty, (QList<Komunikat>{{1, 1,
                                             "Nie wszystkie pliki odpowiedzi dotyczyły tego "
                                             "samego testu.\rWczytano jedynie zgodne z pierwszym "
                                             "podanym plikiem."}}));
}

TEST_F(TFOknoObieListyTest, AnulujIWczesniejszyWybor) {
    wybor = {uczen("a.sko", "Abacki")};
    WModalnym([this] {
        Klik(Y(2));
        QTest::mouseClick(okno.LAnuluj, Qt::LeftButton);
    });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_EQ(program.analiza.WybranyTest, "Powtórka"); // kept between openings

    // the next opening says "brak wyboru", and so it is: the earlier pick does not count
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    WModalnym([this] {
        EXPECT_EQ(okno.LTest->text(), BrakWyboru);
        EXPECT_FALSE(okno.TestWybrany());
        EXPECT_EQ(okno.Drzewo().Wybrany(), 0); // the tree was built anew
        EXPECT_EQ(okno.BLista->count(), 0);
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton);
        EXPECT_TRUE(okno.isVisible());
        EXPECT_EQ(komunikaty.value(0).tekst, BrakDanych);
        QTest::mouseClick(okno.LClose, Qt::LeftButton);
    });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_EQ(gotowa.count(), 0);
}

TEST_F(TFOknoObieListyTest, ListwyPrzewijania) {
    for (int i = 0; i < 25; ++i)
        wybor.append(sciezka(QStringLiteral("brak%1.sko").arg(i)));
    // 30 top-level tests and a group of 5
    QList<WezelListy> drzewo;
    for (int i = 0; i < 30; ++i)
        drzewo.append({QStringLiteral("Test %1").arg(i), QStringLiteral("\\t%1.skt").arg(i)});
    drzewo.append({"Grupa", "", {{"a", "\\a.skt"}, {"b", "\\b.skt"}, {"c", "\\c.skt"}}});
    ZapiszLista(WierszeWpisow(WpisyDrzewa(drzewo)));

    WModalnym([this] {
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_EQ(okno.BLista->count(), 25);
        ASSERT_FALSE(okno.ListwaVPliki->isHidden());
        EXPECT_EQ(okno.ListwaVPliki->maximum(), 2);
        EXPECT_EQ(okno.ListwaVPliki->pageStep(), 22);
        EXPECT_EQ(okno.ListwaVPliki->singleStep(), 21);

        ASSERT_FALSE(okno.ListwaVTesty->isHidden());
        EXPECT_EQ(okno.ListwaVTesty->minimum(), 0);
        EXPECT_EQ(okno.ListwaVTesty->maximum(), 31 - 19);
        EXPECT_EQ(okno.ListwaVTesty->pageStep(), 18);
        EXPECT_EQ(okno.ListwaVTesty->singleStep(), 17);

        // the bar moves the tree; a click lands on the row drawn under the mouse
        okno.ListwaVTesty->setValue(12);
        EXPECT_EQ(okno.ImDrzewo->Przesuniecie(), 12 * 16);
        Klik(Y(18)); // the last row in view: the group
        EXPECT_EQ(okno.Drzewo().Wybrany(), 30);
        Dwuklik(Y(18));
        EXPECT_EQ(okno.ListwaVTesty->maximum(), 34 - 19);
        EXPECT_EQ(okno.ListwaVTesty->value(), 12);
        okno.ListwaVTesty->setValue(15);
        Klik(Y(18));
        EXPECT_EQ(program.analiza.WybranyTest, "c");

        // the wheel scrolls three rows
        QWheelEvent kolko(QPointF(40, 40), okno.ImDrzewo->mapToGlobal(QPointF(40, 40)), {},
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(okno.ImDrzewo, &kolko);
        EXPECT_EQ(okno.ListwaVTesty->value(), 12);
    });

    // a tree that fits: no bar, drawn from its top
    ZapiszLista(WierszeWpisow(WpisyDrzewa({{"Jeden", "\\1.skt"}})));
    WModalnym([this] {
        EXPECT_TRUE(okno.ListwaVTesty->isHidden());
        EXPECT_EQ(okno.ImDrzewo->Przesuniecie(), 0);
    });
}
