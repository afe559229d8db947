// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are given: the results grid as a table (rows, columns, headers, cell
// texts, rows scrolled out marked off screen, the keyboard's cell as the focused cell), the
// program's windows as frames and dialogs, and Tab through every window.
#include "ui/kontrolki/dostepnosc_tabeli.h"

#include "support/klasa_testowa.h"
#include "support/pliki_testowe.h"
#include "support/ui/program_testowy.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okna/tf_browser.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_okno_l_plikow.h"
#include "ui/okna/tf_okno_obie_listy.h"
#include "ui/okna/tf_pop_menu.h"
#include "ui/okna/tf_pop_osoba.h"
#include "ui/okna/tf_pop_pyt.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_ustawwykres.h"
#include "ui/okna/tf_warning.h"
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_wykres.h"
#include "ui/okna/tf_zegar.h"
#include "ui/program.h"

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

QAccessibleTableInterface* TabelaDostepu(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->tableInterface() : nullptr;
}

QString Tekst(QAccessibleInterface* i) {
    return i ? i->text(QAccessible::Name) : QStringLiteral("<brak>");
}

QStringList Teksty(const QList<QAccessibleInterface*>& komorki) {
    QStringList t;
    for (QAccessibleInterface* k : komorki)
        t.append(Tekst(k));
    return t;
}

// A grid of 30 rows under the header, 10 of them (with the header) on screen.
class SiatkaDostepu : public ::testing::Test {
protected:
    void SetUp() override {
        Etykieta dostep; // the program's accessibility factory comes with its first label
        tabela = Tabela({120, 18, 18, 50}, 31);
        const QStringList naglowki{"Nazwisko i imię", "1", "2", "Suma"};
        for (int k = 0; k < 4; ++k)
            tabela.Ustaw(0, k, naglowki[k]);
        for (int w = 1; w <= 30; ++w) {
            tabela.Ustaw(w, 0, QStringLiteral("Uczeń %1").arg(w));
            tabela.Ustaw(w, 1, w % 2 ? "1" : "0");
            tabela.Ustaw(w, 2, w % 3 ? "1" : "0");
            tabela.Ustaw(w, 3, QString::number(w));
        }
        okno.resize(240, 200);
        siatka = new SiatkaTabeli(&okno);
        siatka->setGeometry(0, 0, 210, 10 * SiatkaTabeli::Krok);
        siatka->UstawTabele(&tabela);
        siatka->UstawWidoczneWiersze(10);
        okno.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&okno));
    }

    Tabela tabela;
    QWidget okno;
    SiatkaTabeli* siatka = nullptr;
};

TEST_F(SiatkaDostepu, WierszeKolumnyNaglowkiITeksty) {
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(siatka);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->role(), QAccessible::Table);
    QAccessibleTableInterface* t = grid->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 30);
    EXPECT_EQ(t->columnCount(), 4);
    EXPECT_EQ(grid->childCount(), 31 * 4);
    EXPECT_EQ(t->columnDescription(3), "Suma");
    EXPECT_EQ(t->rowDescription(6), QStringLiteral("Uczeń 7"));

    // every cell: its text, its place, its headers, and the same object when asked again
    const struct {
        int wiersz, kolumna;
        const char* tekst;
        QAccessible::Role rola;
        QStringList naglowekKolumny, naglowekWiersza;
    } komorki[] = {
        {-1, 0, "Nazwisko i imię", QAccessible::ColumnHeader, {}, {}},
        {-1, 3, "Suma", QAccessible::ColumnHeader, {}, {}},
        {0, 0, "Uczeń 1", QAccessible::RowHeader, {"Nazwisko i imię"}, {}},
        {0, 1, "1", QAccessible::Cell, {"1"}, {"Uczeń 1"}},
        {1, 2, "1", QAccessible::Cell, {"2"}, {"Uczeń 2"}},
        {2, 2, "0", QAccessible::Cell, {"2"}, {"Uczeń 3"}},
        {29, 3, "30", QAccessible::Cell, {"Suma"}, {"Uczeń 30"}},
    };
    for (const auto& k : komorki) {
        SCOPED_TRACE(testing::Message() << k.wiersz << "," << k.kolumna);
        QAccessibleInterface* c = t->cellAt(k.wiersz, k.kolumna);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c, t->cellAt(k.wiersz, k.kolumna));
        EXPECT_EQ(Tekst(c), QString::fromUtf8(k.tekst));
        EXPECT_EQ(c->role(), k.rola);
        EXPECT_TRUE(c->state().readOnly);
        EXPECT_EQ(c->parent(), grid);
        EXPECT_EQ(grid->child(grid->indexOfChild(c)), c);
        QAccessibleTableCellInterface* ci = c->tableCellInterface();
        ASSERT_NE(ci, nullptr);
        EXPECT_EQ(ci->rowIndex(), k.wiersz);
        EXPECT_EQ(ci->columnIndex(), k.kolumna);
        EXPECT_EQ(Teksty(ci->columnHeaderCells()), k.naglowekKolumny);
        EXPECT_EQ(Teksty(ci->rowHeaderCells()), k.naglowekWiersza);
        EXPECT_EQ(ci->table(), grid);
    }
    EXPECT_EQ(t->cellAt(30, 0), nullptr);
    EXPECT_EQ(t->cellAt(0, 4), nullptr);
}

TEST_F(SiatkaDostepu, WierszePozaEkranemIWierszKlawiatury) {
    QAccessibleTableInterface* t = TabelaDostepu(siatka);
    ASSERT_NE(t, nullptr);
    const QRect ekran(siatka->mapToGlobal(QPoint(0, 0)), siatka->size());
    // the header and rows 1..9 are drawn; row 20 is not
    QAccessibleInterface* widoczna = t->cellAt(8, 1);
    QAccessibleInterface* ukryta = t->cellAt(19, 1);
    EXPECT_TRUE(ekran.contains(widoczna->rect())) << widoczna->rect().y();
    EXPECT_FALSE(widoczna->state().offscreen);
    EXPECT_TRUE(ukryta->state().offscreen);
    EXPECT_TRUE(ukryta->rect().isEmpty());
    EXPECT_EQ(Tekst(ukryta), "0"); // read all the same
    // a point on screen names its cell
    const QRect r = widoczna->rect();
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(siatka)->childAt(r.center().x(), r.center().y()),
        widoczna);

    // scrolled down, the rows change places
    siatka->UstawGornyWiersz(15);
    EXPECT_TRUE(ekran.contains(ukryta->rect()));
    EXPECT_TRUE(widoczna->state().offscreen);
    EXPECT_EQ(t->cellAt(-1, 0)->rect().top(), ekran.top()); // the header stays on top

    // the keyboard's row is the focused cell
    siatka->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return siatka->hasFocus(); }, 2000));
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(siatka);
    EXPECT_EQ(Tekst(grid->focusChild()), QStringLiteral("Uczeń 1"));
    QTest::keyClick(siatka, Qt::Key_Down);
    QTest::keyClick(siatka, Qt::Key_Down);
    EXPECT_EQ(Tekst(grid->focusChild()), QStringLiteral("Uczeń 3"));
    EXPECT_TRUE(grid->focusChild()->state().focused);
}

TEST_F(SiatkaDostepu, NowaTabelaToNoweKomorki) {
    QAccessibleTableInterface* t = TabelaDostepu(siatka);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Tekst(t->cellAt(0, 3)), "1");
    Tabela mniejsza({120, 80}, 3);
    mniejsza.Ustaw(0, 0, "Ocena");
    mniejsza.Ustaw(0, 1, "Ilość ocen");
    mniejsza.Ustaw(1, 0, "Cel");
    mniejsza.Ustaw(1, 1, "4");
    siatka->UstawTabele(&mniejsza);
    EXPECT_EQ(t->rowCount(), 2);
    EXPECT_EQ(t->columnCount(), 2);
    EXPECT_EQ(t->cellAt(0, 3), nullptr);
    EXPECT_EQ(Tekst(t->cellAt(0, 1)), "4");
    EXPECT_EQ(Teksty(t->cellAt(0, 1)->tableCellInterface()->columnHeaderCells()),
              QStringList{"Ilość ocen"});
    siatka->UstawTabele(nullptr);
    EXPECT_EQ(t->rowCount(), 0);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(siatka)->childCount(), 0);
}

// The program's results table after a real analysis, and the roles of all its windows.
TEST(DostepnoscProgramu, TabelaWynikowIRoleOkien) {
    QTemporaryDir folder;
    QStringList pliki;
    const std::pair<const char*, const char*> uczniowie[] = {
        {"Nowak", "Anna"}, {"Kowalski", "Jan"}, {"Zając", "Ewa"}};
    for (const auto& [nazwisko, imie] : uczniowie) {
        pliki.append(folder.filePath(QString::fromUtf8(nazwisko) + ".sko"));
        ASSERT_TRUE(testy::ZapiszPlikOdpowiedzi(
            pliki.last(), {.nazwisko = QString::fromUtf8(nazwisko), .imie = imie}));
    }
    Program program(pliki);
    program.srodowisko.komunikaty.ustawObsluge(
        [](int, int, const QString&) { return WynikZamknij; });
    program.UtworzOkna();
    program.FGlowny()->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.FTabela()->isVisible(); }, 5000));

    QAccessibleInterface* grid =
        QAccessible::queryAccessibleInterface(program.FTabela()->GridTabela);
    ASSERT_NE(grid, nullptr);
    QAccessibleTableInterface* t = grid->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_FALSE(Tekst(grid).isEmpty());
    // three students, the sum and the mean
    EXPECT_EQ(t->rowCount(), 5);
    EXPECT_EQ(t->columnDescription(0), QStringLiteral("Nazwisko i imię"));
    EXPECT_EQ(t->columnDescription(1), "1");
    EXPECT_EQ(t->columnDescription(t->columnCount() - 1), "Ocena");
    QStringList wiersze;
    for (int w = 0; w < t->rowCount(); ++w)
        wiersze.append(t->rowDescription(w));
    EXPECT_EQ(wiersze, (QStringList{"Kowalski Jan", "Nowak Anna", QString::fromUtf8("Zając Ewa"),
                                    "Suma", QString::fromUtf8("Średnia (%)")}));
    QAccessibleInterface* ocena = t->cellAt(1, t->columnCount() - 1);
    EXPECT_FALSE(Tekst(ocena).isEmpty());
    EXPECT_EQ(Teksty(ocena->tableCellInterface()->rowHeaderCells()), QStringList{"Nowak Anna"});

    const struct {
        const char* nazwa;
        QWidget* okno;
        QAccessible::Role rola;
    } okna[] = {
        {"glowne", program.FGlowny(), QAccessible::Window},
        {"tabela", program.FTabela(), QAccessible::Window},
        {"wykres", program.FWykres(), QAccessible::Window},
        {"raport", program.FBrowser(), QAccessible::Window},
        {"komunikat", program.FWarning(), QAccessible::AlertMessage},
        {"lista plikow", program.FOknoLPlikow(), QAccessible::Dialog},
        {"obie listy", program.FOknoObieListy(), QAccessible::Dialog},
        {"ustawienia wykresu", program.FUstawwykres(), QAccessible::Dialog},
        {"ustawienia", program.FIniSondrel(), QAccessible::Dialog},
        {"popup pytania", program.FPopMenu(), QAccessible::Dialog},
        {"popup odpowiedzi", program.FPopPyt(), QAccessible::Dialog},
        {"popup ucznia", program.FPopOsoba(), QAccessible::Dialog},
        {"winieta", program.FWinieta(), QAccessible::Dialog},
    };
    for (const auto& o : okna) {
        SCOPED_TRACE(o.nazwa);
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o.okno);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->role(), o.rola);
        EXPECT_EQ(i->text(QAccessible::Name), o.okno->windowTitle());
    }
}

} // namespace
} // namespace sondrel

namespace sondrel {
namespace {

class ProgramKlawiatury : public testy::ProgramTestowy {};

// Tab walks every window's controls and never stops on the window itself, where no focus mark
// could show: two full rounds of Tab and of Shift+Tab land on controls only.
TEST_F(ProgramKlawiatury, TabNigdyNieZatrzymujeSieNaOknie) {
    testy::KlasaWykresu(program.analiza, 5);
    program.UtworzOkna();
    ZapisujKomunikaty();
    const struct {
        const char* nazwa;
        Okno* okno;
    } okna[] = {
        {"glowne", program.FGlowny()},         {"tabela", program.FTabela()},
        {"wykres", program.FWykres()},         {"ustawienia wykresu", program.FUstawwykres()},
        {"ustawienia", program.FIniSondrel()}, {"popup pytania", program.FPopMenu()},
        {"popup ucznia", program.FPopOsoba()},
    };
    program.FGlowny()->show(); // the others are its tool windows
    for (const auto& o : okna) {
        SCOPED_TRACE(o.nazwa);
        o.okno->show();
        o.okno->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == o.okno; }));
        for (const bool naprzod : {true, false}) {
            QList<QWidget*> przystanki;
            for (int i = 0; i < 40; ++i) {
                QWidget* cel = QApplication::focusWidget() ? QApplication::focusWidget() : o.okno;
                QTest::keyClick(cel, Qt::Key_Tab, naprzod ? Qt::NoModifier : Qt::ShiftModifier);
                przystanki << QApplication::focusWidget();
            }
            EXPECT_FALSE(przystanki.contains(o.okno)) << naprzod;
            EXPECT_FALSE(przystanki.contains(nullptr)) << naprzod;
            for (QWidget* w : przystanki)
                if (w) EXPECT_TRUE(w->focusPolicy() & Qt::TabFocus) << w->metaObject()->className();
        }
        if (o.okno != program.FGlowny()) o.okno->hide();
    }
}

} // namespace
} // namespace sondrel
