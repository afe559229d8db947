// SPDX-License-Identifier: GPL-3.0-or-later
// The answer-file list window: choosing files and listing their students, damaged files,
// confirming and cancelling, the setting "bez", the list's scroll bar, place and keys.
#include "ui/okna/tf_okno_l_plikow.h"

#include "analysis/przebieg_analizy.h"
#include "okno_plikow_testowe.h"
#include "support/pliki_testowe.h"
#include "ui/program.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

const QString BrakPlikow =
    QStringLiteral("Uwaga.\rWskaż pliki wyników, jeśli chcesz dokonać ich analizy.");
const QString StaraWersja =
    QStringLiteral("Wersja ta nie analizuje wyników starszych wersji programu.\rSkorzystaj ze "
                   "starszej wersji modułu Sondrel.\rPrzerwano dalszą analizę wyników.");

class OknoTestowe : public TFOknoLPlikow {
public:
    using TFOknoLPlikow::TFOknoLPlikow;
    QList<QUrl> otwarte;

protected:
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

class TFOknoLPlikowTest : public OknoPlikowTest<OknoTestowe> {
protected:
    void SetUp() override {
        OknoPlikowTest::SetUp();
        program.srodowisko.foldery.FolderDokumentow = sciezka("Dokumenty");
    }
    void Otworz() override { okno.WybierzPlikiOdpowiedzi(); }

    QString uczen(const QString& nazwa, const QString& nazwisko, const QString& imie) {
        const QString s = sciezka(nazwa);
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(s, {.nazwisko = nazwisko, .imie = imie}));
        return s;
    }
    QString stary(const QString& nazwa) {
        const QString s = sciezka(nazwa);
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(s, {.staraWersja = true}));
        return s;
    }
};

} // namespace

TEST_F(TFOknoLPlikowTest, MiejscaIWyglad) {
    EXPECT_EQ(okno.size(), QSize(312, 487));
    EXPECT_EQ(okno.mask(), skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(312, 487)));
    EXPECT_EQ(okno.LWczytajPliki->geometry(), QRect(32, 48, 33, 25));
    EXPECT_EQ(okno.PLista->geometry(), QRect(35, 102, 220, 267));
    EXPECT_EQ(okno.ListwaVPliki->geometry(), QRect(260, 105, 16, 260));
    EXPECT_EQ(okno.LWprowadz->geometry(), QRect(181, 385, 89, 24));
    EXPECT_EQ(okno.LAnuluj->geometry(), QRect(181, 421, 89, 24));
    EXPECT_FALSE(okno.ImTlo->pixmap().isNull());

    WModalnym([this] {
        EXPECT_EQ(okno.pos(), QPoint(100 + 280, 50 + 61));
        EXPECT_TRUE(okno.ListwaVPliki->isHidden());
        // F1 opens the menu's help page; Alt+F4 does not close the window
        QTest::keyClick(&okno, Qt::Key_F1);
        ASSERT_EQ(okno.otwarte.size(), 1);
        EXPECT_TRUE(okno.otwarte[0].toLocalFile().endsWith(QStringLiteral("Pomoc/menu.htm")));
        QTest::keyClick(&okno, Qt::Key_F4, Qt::AltModifier);
        EXPECT_TRUE(okno.isVisible());
    });
}

TEST_F(TFOknoLPlikowTest, WybranePlikiIUczniowie) {
    wybor = {uczen("c.sko", "Nowak", "Ewa"), uczen("A.sko", "Zieliński", "Adam"),
             uczen("b.sko", "Abacki", "Jan")};
    program.analiza.PlikiOdpowiedzi = {"stare.sko"};
    WModalnym([this] {
        EXPECT_TRUE(program.analiza.PlikiOdpowiedzi.isEmpty()); // emptied when the window opens
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        // the files in case-insensitive order, the names in alphabetical order
        EXPECT_EQ(program.analiza.PlikiOdpowiedzi,
                  (QStringList{sciezka("A.sko"), sciezka("b.sko"), sciezka("c.sko")}));
        EXPECT_EQ(okno.BLista->Nazwy(), (QStringList{"Abacki Jan", "Nowak Ewa", "Zieliński Adam"}));
        EXPECT_TRUE(okno.isVisible());

        // first name first with the setting fn; the dialog opens where it was left
        program.ustawienia.fn = true;
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_EQ(okno.BLista->Nazwy(), (QStringList{"Adam Zieliński", "Ewa Nowak", "Jan Abacki"}));

        // a cancelled dialog changes nothing
        wybor.clear();
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_EQ(okno.BLista->count(), 3);
        EXPECT_EQ(program.analiza.PlikiOdpowiedzi.size(), 3);
        EXPECT_TRUE(okno.isVisible());
    });
    EXPECT_EQ(folderyDialogu, (QStringList{sciezka("Dokumenty"), folder.path(), folder.path()}));
    EXPECT_TRUE(komunikaty.isEmpty());
}

TEST_F(TFOknoLPlikowTest, StaryPlikKonczyListeAleAnalizaCzytaWszystkie) {
    wybor = {uczen("a.sko", "Nowak", "Ewa"), stary("b.sko"), uczen("c.sko", "Abacki", "Jan")};
    program.analiza.RodzajAnalizy = AnalizaProsta;
    WModalnym([this] {
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_EQ(okno.BLista->Nazwy(), QStringList{"Nowak Ewa"});
        EXPECT_EQ(komunikaty, (QList<Komunikat>{{1, 1, StaraWersja}}));
        EXPECT_EQ(program.analiza.PlikiOdpowiedzi.size(), 3);
        komunikaty.clear();
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton);
        EXPECT_FALSE(okno.isVisible());
    });
    // all three files were read: the old one skipped with the driver's summary
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_EQ(komunikaty, (QList<Komunikat>{{1, 1,
                                             "Nie wszystkie pliki odpowiedzi poddano analizie.\rPo "
                                             "szczegóły sięgnij do dziennika zdarzeń."}}));
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaProsta);
}

TEST_F(TFOknoLPlikowTest, NikogoNieDaSieWymienic) {
    // the first file in order cannot be named: nobody is listed and the window closes
    wybor = {uczen("b.sko", "Nowak", "Ewa"), stary("a.sko")};
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    WModalnym([this] {
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_FALSE(okno.isVisible());
    });
    EXPECT_EQ(okno.BLista->count(), 0);
    EXPECT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(gotowa.count(), 0);
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    EXPECT_EQ(program.analiza.IloscUczniow, 0);
}

TEST_F(TFOknoLPlikowTest, WprowadzIAnuluj) {
    // confirming an empty list keeps the window open with a warning
    WModalnym([this] {
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton);
        EXPECT_TRUE(okno.isVisible());
        EXPECT_EQ(komunikaty, (QList<Komunikat>{{KomunikatInformacja, IkonaUwaga, BrakPlikow}}));
        QTest::mouseClick(okno.LAnuluj, Qt::LeftButton);
    });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_EQ(gotowa.count(), 0);

    // the close mark cancels too, and so does Esc
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    WModalnym([this] { QTest::mouseClick(okno.LClose, Qt::LeftButton); });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    WModalnym([this] { QTest::keyClick(okno.BLista, Qt::Key_Escape); });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_FALSE(okno.isVisible());

    // a confirmed choice is analysed and announced; the window closes first
    komunikaty.clear();
    wybor = {uczen("a.sko", "Nowak", "Ewa"), uczen("b.sko", "Abacki", "Jan")};
    program.analiza.RodzajAnalizy = AnalizaProsta;
    WModalnym([this] {
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        QObject::connect(&okno, &TFOknoLPlikow::analizaGotowa, &okno,
                         [this] { EXPECT_FALSE(okno.isVisible()); });
        QTest::mouseClick(okno.LWprowadz, Qt::LeftButton);
    });
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 2);
    EXPECT_TRUE(komunikaty.isEmpty());
}

// The whole window from the keyboard: Tab and Shift+Tab through the button that adds files,
// the list and the two buttons; Space and Enter press the focused button; Enter in the list
// confirms; Alt+letters press the buttons; the focused row and list carry a mark.
TEST_F(TFOknoLPlikowTest, KlawiaturaBezMyszy) {
    const auto fokus = [] { return QApplication::focusWidget(); };
    const auto klawisz = [&](int k, Qt::KeyboardModifiers m = {}) {
        QTest::keyClick(fokus() ? fokus() : static_cast<QWidget*>(&okno), Qt::Key(k), m);
    };
    wybor = {uczen("a.sko", "Nowak", "Ewa"), uczen("b.sko", "Abacki", "Jan")};
    program.analiza.RodzajAnalizy = AnalizaProsta;
    WModalnym([&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
        const QList<QWidget*> kolejnosc{okno.LWczytajPliki, okno.BLista, okno.LWprowadz,
                                        okno.LAnuluj};
        for (QWidget* w : kolejnosc) {
            klawisz(Qt::Key_Tab);
            EXPECT_EQ(fokus(), w) << (fokus() ? fokus()->metaObject()->className() : "brak");
        }
        klawisz(Qt::Key_Tab);
        EXPECT_EQ(fokus(), okno.LWczytajPliki); // round
        klawisz(Qt::Key_Backtab);
        EXPECT_EQ(fokus(), okno.LAnuluj);
        klawisz(Qt::Key_Backtab);
        EXPECT_EQ(fokus(), okno.LWprowadz);
        klawisz(Qt::Key_Backtab);
        klawisz(Qt::Key_Backtab);
        // Space on the focused button opens the dialog; the list shows the students
        ASSERT_EQ(fokus(), okno.LWczytajPliki);
        klawisz(Qt::Key_Space);
        EXPECT_EQ(okno.BLista->Nazwy(), (QStringList{"Abacki Jan", "Nowak Ewa"}));
        EXPECT_EQ(folderyDialogu.size(), 1);
        // Alt+P is the same button, from anywhere
        klawisz(Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(folderyDialogu.size(), 2);

        // the list with the keyboard: a row is current and marked, and so is the list
        klawisz(Qt::Key_Tab);
        ASSERT_EQ(fokus(), okno.BLista);
        EXPECT_EQ(okno.BLista->currentRow(), 0);
        const QImage obraz = okno.BLista->viewport()->grab().toImage();
        EXPECT_TRUE(ZnakFokusuW(obraz, 0, obraz.height() / 2));                // dotted
        EXPECT_EQ(QColor(obraz.pixel(1, 6)), QColor::fromRgba(skora::Granat)); // the row's edge
        okno.BLista->clearFocus();
        EXPECT_FALSE(ZnakFokusuW(okno.BLista->viewport()->grab().toImage(), 0, obraz.height() / 2));
        okno.BLista->setFocus();
        klawisz(Qt::Key_Down);
        EXPECT_EQ(okno.BLista->currentRow(), 1);
        // Enter in the list confirms
        klawisz(Qt::Key_Return);
        EXPECT_FALSE(okno.isVisible());
    });
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 2);

    // Enter on a focused "Anuluj" cancels (the window sees the key first and leaves it to the
    // button); Alt+W with nothing chosen warns; Alt+A cancels
    const struct {
        const char* nazwa;
        std::function<void()> klawisze;
        int komunikatow;
    } anulowania[] = {
        {"Enter na Anuluj",
         [&] {
             okno.LAnuluj->setFocus();
             klawisz(Qt::Key_Enter);
         },
         0},
        {"Alt+W, potem Alt+A",
         [&] {
             klawisz(Qt::Key_W, Qt::AltModifier);
             EXPECT_TRUE(okno.isVisible());
             klawisz(Qt::Key_A, Qt::AltModifier);
         },
         1},
    };
    for (const auto& a : anulowania) {
        SCOPED_TRACE(a.nazwa);
        komunikaty.clear();
        wybor.clear();
        program.analiza.RodzajAnalizy = AnalizaProsta;
        WModalnym([&] {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
            a.klawisze();
            EXPECT_FALSE(okno.isVisible());
        });
        EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
        EXPECT_EQ(komunikaty.size(), a.komunikatow);
        if (a.komunikatow) EXPECT_EQ(komunikaty.value(0).tekst, BrakPlikow);
    }
    EXPECT_EQ(gotowa.count(), 1);
}

// Screen readers: the three buttons are named buttons with a press action and their shortcut.
TEST_F(TFOknoLPlikowTest, PrzyciskiDlaCzytnikowEkranu) {
    const struct {
        Etykieta* przycisk;
        const char* nazwa;
        const char* skrot;
    } przyciski[] = {{okno.LWczytajPliki, "Wczytaj pliki odpowiedzi", "Alt+P"},
                     {okno.LWprowadz, "Wprowadź", "Alt+W"},
                     {okno.LAnuluj, "Anuluj", "Alt+A"}};
    for (const auto& p : przyciski) {
        SCOPED_TRACE(p.nazwa);
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(p.przycisk);
        ASSERT_NE(i, nullptr);
        EXPECT_EQ(i->role(), QAccessible::Button);
        EXPECT_EQ(i->text(QAccessible::Name), QString::fromUtf8(p.nazwa));
        EXPECT_EQ(i->text(QAccessible::Accelerator), QString::fromUtf8(p.skrot));
        EXPECT_TRUE(p.przycisk->toolTip().endsWith(QStringLiteral("(%1)").arg(p.skrot)));
        ASSERT_NE(i->actionInterface(), nullptr);
        EXPECT_TRUE(i->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    // pressing "Anuluj" through the screen reader cancels like a click
    program.analiza.RodzajAnalizy = AnalizaProsta;
    WModalnym([&] {
        QAccessible::queryAccessibleInterface(okno.LAnuluj)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    });
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaAnulowana);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&okno)->role(), QAccessible::Dialog);
}

TEST_F(TFOknoLPlikowTest, UstawienieBezPomijaOkno) {
    program.ustawienia.bez = true;
    wybor = {uczen("a.sko", "Nowak", "Ewa"), uczen("b.sko", "Abacki", "Jan"),
             uczen("c.sko", "Kowal", "Ola")};
    okno.WybierzPlikiOdpowiedzi(); // no modal loop: the dialog answers at once
    EXPECT_FALSE(okno.isVisible());
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 3);

    // a cancelled dialog does nothing and leaves no files chosen
    wybor.clear();
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    okno.WybierzPlikiOdpowiedzi();
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_TRUE(program.analiza.PlikiOdpowiedzi.isEmpty());
    EXPECT_EQ(program.analiza.RodzajAnalizy, AnalizaZTestem);
    EXPECT_EQ(program.analiza.IloscUczniow, 3);

    // files nobody can be named from: no analysis
    wybor = {stary("d.sko")};
    okno.WybierzPlikiOdpowiedzi();
    EXPECT_EQ(gotowa.count(), 1);
    EXPECT_EQ(program.analiza.IloscUczniow, 3);
}

TEST_F(TFOknoLPlikowTest, ListwaListy) {
    for (int i = 0; i < 25; ++i)
        wybor.append(uczen(QStringLiteral("u%1.sko").arg(i, 2, 10, QLatin1Char('0')),
                           QStringLiteral("Uczeń%1").arg(i, 2, 10, QLatin1Char('0')), "Jan"));
    WModalnym([this] {
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        ASSERT_FALSE(okno.ListwaVPliki->isHidden());
        EXPECT_EQ(okno.ListwaVPliki->minimum(), 0);
        EXPECT_EQ(okno.ListwaVPliki->maximum(), 5);
        EXPECT_EQ(okno.ListwaVPliki->pageStep(), 19);
        EXPECT_EQ(okno.ListwaVPliki->singleStep(), 18);
        // the bar scrolls the list, and the list's keys move the bar
        okno.ListwaVPliki->setValue(3);
        EXPECT_EQ(okno.BLista->Pozycja(), 3);
        okno.BLista->setFocus();
        okno.BLista->setCurrentRow(3);
        QTest::keyClick(okno.BLista, Qt::Key_End);
        EXPECT_EQ(okno.ListwaVPliki->value(), 5);

        wybor = wybor.mid(0, 20);
        QTest::mouseClick(okno.LWczytajPliki, Qt::LeftButton);
        EXPECT_TRUE(okno.ListwaVPliki->isHidden());
    });
}
