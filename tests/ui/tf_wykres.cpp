// SPDX-License-Identifier: GPL-3.0-or-later
// The chart window: its size and layout, the grip, keeping its place, zoom, the template
// commands (through a replaced dialog) and the two copies.
#include "ui/okna/tf_wykres.h"

#include "charts/szablon_wykresu.h"
#include "support/klasa_testowa.h"
#include "support/ui/program_testowy.h"
#include "ui/program.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QScreen>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

class WykresTestowy : public TFWykres {
public:
    using TFWykres::TFWykres;
    QString odpowiedz;
    QList<bool> dialogi; // true: a save dialog
    QList<QUrl> otwarte;

protected:
    QString WybierzPlikWzorca(bool zapis) override {
        dialogi.append(zapis);
        return odpowiedz;
    }
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
};

class TFWykresTest : public testy::ProgramTestowy {
protected:
    std::unique_ptr<WykresTestowy> okno;

    void SetUp() override {
        testy::KlasaWykresu(program.analiza, 25);
        okno = std::make_unique<WykresTestowy>(program);
    }
    // Press, move and release the left button on the grip, the cursor ending at `kursor`
    // (global).
    void CiagnijUchwyt(QPoint kursor) {
        QWidget* u = okno->LCiongnij;
        const QPoint start = u->mapToGlobal(QPoint(5, 5));
        auto wyslij = [&](QEvent::Type typ, QPoint globalnie, Qt::MouseButtons przyciski) {
            QMouseEvent e(typ, u->mapFromGlobal(globalnie), globalnie, Qt::LeftButton, przyciski,
                          Qt::NoModifier);
            QApplication::sendEvent(u, &e);
        };
        wyslij(QEvent::MouseButtonPress, start, Qt::LeftButton);
        wyslij(QEvent::MouseMove, kursor, Qt::LeftButton);
        wyslij(QEvent::MouseButtonRelease, kursor, Qt::NoButton);
    }
};

TEST_F(TFWykresTest, RozmiarUkladIUchwyt) {
    okno->OtworzWykres(1);
    ASSERT_TRUE(okno->isVisible());
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Sondrel – Wykres"));
    EXPECT_EQ(okno->size(), QSize(550, 350));
    const QRect ekran = okno->screen()->availableGeometry();
    EXPECT_LE((okno->geometry().center() - ekran.center()).manhattanLength(), 2);
    EXPECT_EQ(okno->PPodWykres->geometry(), QRect(124, 37, 397, 279));
    EXPECT_EQ(okno->Wykres->geometry(), QRect(-2, -2, 398, 280));
    EXPECT_EQ(okno->RozmiarWykresu(), QSize(398, 280));

    // Too small a frame gives the least size; a bigger one moves the edges with it.
    CiagnijUchwyt(okno->pos() + QPoint(300, 200));
    EXPECT_EQ(okno->size(), QSize(450, 350));
    CiagnijUchwyt(okno->pos() + QPoint(800, 600));
    EXPECT_EQ(okno->size(), QSize(800, 600));
    EXPECT_EQ(okno->PRightDown->geometry(), QRect(770, 566, 30, 34));
    EXPECT_EQ(okno->Pdown->geometry(), QRect(124, 566, 646, 34));
    EXPECT_EQ(okno->PRight->geometry(), QRect(770, 37, 30, 529));
    EXPECT_EQ(okno->Wykres->size(), QSize(648, 530));

    // Another chart while the window is visible: place and size stay.
    okno->move(okno->pos() + QPoint(-40, 30));
    const QRect gdzie = okno->geometry();
    okno->OtworzWykres(3);
    EXPECT_EQ(okno->geometry(), gdzie);
    // Hidden and shown again: back to 550 x 350.
    okno->ZamknijWykres();
    EXPECT_FALSE(okno->isVisible());
    okno->OtworzWykres(2);
    EXPECT_EQ(okno->size(), QSize(550, 350));
}

TEST_F(TFWykresTest, KlawiszeIPowiekszanie) {
    okno->OtworzWykres(1);
    QTest::keyClick(okno.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(okno->isVisible());
    QTest::keyClick(okno.get(), Qt::Key_F1);
    ASSERT_EQ(okno->otwarte.size(), 1);
    EXPECT_TRUE(okno->otwarte[0].toLocalFile().endsWith(QStringLiteral("Pomoc/menudiagr.htm")));

    QWidget* w = okno->Wykres;
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(150, 60));
    QTest::mouseMove(w, QPoint(300, 200));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(300, 200));
    ASSERT_TRUE(okno->Stan().Wykres.zakres.has_value());
    const QImage powiekszony = okno->ObrazWykresu();
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(200, 150));
    QTest::mouseMove(w, QPoint(220, 120));
    QTest::mouseRelease(w, Qt::RightButton, {}, QPoint(220, 120));
    EXPECT_NE(okno->ObrazWykresu(), powiekszony);
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(300, 200));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_FALSE(okno->Stan().Wykres.zakres.has_value());

    okno->OtworzWykres(3); // the pie does not zoom
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(150, 60));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_FALSE(okno->Stan().Wykres.zakres.has_value());
}

TEST_F(TFWykresTest, ZapisIWczytanieFormatu) {
    okno->OtworzWykres(1);
    okno->odpowiedz = folder.filePath("wzorzec"); // the extension is added
    okno->ZapiszWzorzec();
    QFile plik(folder.filePath("wzorzec.ssw"));
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    EXPECT_EQ(plik.readAll(), BajtySzablonu(okno->Stan().UstawieniaWykresu));

    QFile krotki(folder.filePath("krotki.ssw"));
    ASSERT_TRUE(krotki.open(QIODevice::WriteOnly));
    krotki.write(QByteArray(943, '\1'));
    krotki.close();
    const QImage przed = okno->ObrazWykresu();
    okno->odpowiedz = krotki.fileName();
    okno->WczytajWzorzec();
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].tekst.contains(QDir::toNativeSeparators(krotki.fileName())));
    EXPECT_EQ(okno->ObrazWykresu(), przed);
    QFile dziennik(program.srodowisko.foldery.PlikDziennika);
    ASSERT_TRUE(dziennik.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dziennik.readAll().contains("krotki.ssw"));
    okno->odpowiedz.clear(); // cancelled: nothing happens
    okno->WczytajWzorzec();
    EXPECT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(okno->dialogi, (QList<bool>{true, false, false}));
}

TEST_F(TFWykresTest, KopieBitmapyISvg) {
    okno->OtworzWykres(3);
    okno->KopiujJakoBmp();
    const QImage bmp = QApplication::clipboard()->image();
    EXPECT_EQ(bmp.size(), okno->RozmiarWykresu() * okno->devicePixelRatioF());

    okno->KopiujJakoSvg();
    const QMimeData* dane = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(dane);
    ASSERT_TRUE(dane->hasFormat(QStringLiteral("image/svg+xml")));
    QSvgRenderer svg(dane->data(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.defaultSize(), okno->RozmiarWykresu());
    EXPECT_TRUE(dane->hasImage());
    if (!qEnvironmentVariableIsEmpty("SONDREL_ZRZUT")) {
        okno->grab().save(qEnvironmentVariable("SONDREL_ZRZUT") + QStringLiteral("/okno_kolo.png"));
        okno->OtworzWykres(1);
        okno->grab().save(qEnvironmentVariable("SONDREL_ZRZUT") +
                          QStringLiteral("/okno_slupki.png"));
    }
}

// The menu column by keyboard and for screen readers: every entry is a Tab stop and a named
// button whose press action runs it; Enter on the focused entry runs it too; the separators
// are hidden from screen readers.
TEST_F(TFWykresTest, MenuKlawiaturaICzytnikEkranu) {
    okno->OtworzWykres(3);
    const struct {
        Etykieta* pozycja;
        const char* nazwa;
    } pozycje[] = {{okno->LWykresFormat, "Formatuj wykres"},
                   {okno->LZapiszFormat, "Zapisz format.."},
                   {okno->LWczytajFormat, "Wczytaj format..."},
                   {okno->LKopiujBmp, "Kopiuj jako BMP"},
                   {okno->LKopiujMeta, "Kopiuj jako SVG"}};
    for (const auto& p : pozycje) {
        SCOPED_TRACE(p.nazwa);
        EXPECT_TRUE(p.pozycja->focusPolicy() & Qt::TabFocus);
        QAccessibleInterface* d = QAccessible::queryAccessibleInterface(p.pozycja);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->role(), QAccessible::Button);
        EXPECT_EQ(d->text(QAccessible::Name), QString::fromUtf8(p.nazwa));
        ASSERT_NE(d->actionInterface(), nullptr);
        EXPECT_TRUE(d->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    for (Etykieta* kreska : {okno->LKreska1, okno->LKreska2}) {
        EXPECT_FALSE(kreska->focusPolicy() & Qt::TabFocus);
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(kreska)->state().invisible);
    }

    QApplication::clipboard()->clear();
    QAccessible::queryAccessibleInterface(okno->LKopiujBmp)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    QApplication::clipboard()->clear();
    okno->LKopiujMeta->setFocus(Qt::TabFocusReason);
    QTest::keyClick(okno->LKopiujMeta, Qt::Key_Return);
    const QMimeData* dane = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(dane);
    EXPECT_TRUE(dane->hasFormat(QStringLiteral("image/svg+xml")));
}

// Screen readers find the chart as a chart named by its title and described by its data; a
// chart of another kind (or data) is described anew.
TEST_F(TFWykresTest, WykresDlaCzytnikaEkranu) {
    okno->OtworzWykres(1);
    QAccessibleInterface* d = QAccessible::queryAccessibleInterface(okno->Wykres);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->role(), QAccessible::Chart);
    EXPECT_EQ(d->text(QAccessible::Name), QStringLiteral("Wyniki testu"));
    // 25 students with i % 21 points: none for the 21st, 20 for the 20th
    EXPECT_EQ(d->text(QAccessible::Description),
              QStringLiteral("Wykres słupkowy, 25 wartości: od 0 (Nazwisko21 Imię21) do 20 "
                             "(Nazwisko20 Imię20). Oś pozioma: Ilość punktów."));
    okno->OtworzWykres(3);
    EXPECT_EQ(d->text(QAccessible::Name), QStringLiteral("Zestawienie ocen"));
    EXPECT_EQ(d->text(QAccessible::Description),
              QStringLiteral("Wykres kołowy, 6 wartości: Cel: 2, Bdb: 0, Db: 5, Dst: 1, Dp: 0, "
                             "Ndst: 3."));
}

TEST(OpisDanychWykresu, RodzajeIGrupy) {
    using namespace chartengine;
    Wykres pusty;
    Wykres linia;
    linia.UstawAktywnosc(2, true);
    linia.serie[2].Dodaj(7, QStringLiteral("  Nowak\tAnna "), Qt::red);
    linia.lewa.tytul = QStringLiteral("Czas [min]");
    Wykres grupy;
    grupy.UstawAktywnosc(0, true);
    for (const char* pytanie : {"1", "2", "3"})
        grupy.serie[0].Dodaj(0, QString::fromLatin1(pytanie), Qt::red);
    grupy.grupy = {{QStringLiteral("7a"), Qt::red, {50, 75, 100}},
                   {QStringLiteral("7b (2026)"), Qt::blue, {20, 40}}};
    Wykres bezEtykiet;
    bezEtykiet.UstawAktywnosc(0, true);
    for (int i = 0; i < 13; ++i)
        bezEtykiet.serie[0].Dodaj(i == 4 ? 0 : i + 1, QString(), Qt::red);
    const struct {
        const char* nazwa;
        const Wykres& wykres;
        const char* opis;
    } przypadki[] = {
        {"bez danych", pusty, "Wykres bez danych."},
        {"jedna wartosc", linia,
         "Wykres liniowy, 1 wartość: Nowak Anna: 7. Oś pionowa: Czas [min]."},
        {"grupy", grupy,
         "Wykres słupkowy, 2 grupy po 3 wartości. 7a: 1: 50, 2: 75, 3: 100. 7b (2026): 1: 20, "
         "2: 40."},
        {"zakres bez etykiet", bezEtykiet, "Wykres słupkowy, 13 wartości: od 0 (5) do 13 (13)."},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        EXPECT_EQ(OpisDanychWykresu(p.wykres), QString::fromUtf8(p.opis));
    }
}

// The menu by keyboard alone: Tab and Shift+Tab walk the entries in their order, the entry with
// the focus wears a visible mark, Space and Enter run it, Esc closes the window as its close
// mark does (and it opens again).
TEST_F(TFWykresTest, MenuTabSpacjaIEsc) {
    okno->OtworzWykres(1);
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    const QList<Etykieta*> kolejnosc = {okno->LWykresFormat, okno->LZapiszFormat,
                                        okno->LWczytajFormat, okno->LKopiujBmp, okno->LKopiujMeta};
    EXPECT_EQ(okno->PozycjeMenu(), kolejnosc);
    const QImage bezFokusu = okno->LKopiujMeta->grab().toImage();
    okno->LWykresFormat->setFocus(Qt::TabFocusReason);
    for (int i = 1; i < kolejnosc.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), kolejnosc[i]) << i;
    }
    EXPECT_NE(okno->LKopiujMeta->grab().toImage(), bezFokusu); // the focus mark
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), okno->LKopiujBmp);
    EXPECT_TRUE(okno->LKopiujBmp->Podswietlona());
    EXPECT_FALSE(okno->LKopiujMeta->Podswietlona());

    QApplication::clipboard()->clear();
    QTest::keyClick(okno->LKopiujBmp, Qt::Key_Space);
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    QTest::keyClick(okno->LKopiujBmp, Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    okno->OtworzWykres(2);
    EXPECT_TRUE(okno->isVisible());
}

// While the grip is dragged the new size shows as a dotted outline that leaves the chart in
// sight (only its edges are painted), not as a box over the chart; the outline goes with the
// release.
TEST_F(TFWykresTest, UchwytRysujeObrysNieZakrywajacWykresu) {
    okno->OtworzWykres(1);
    QWidget* u = okno->LCiongnij;
    const QPoint start = u->mapToGlobal(QPoint(5, 5));
    const QPoint koniec = okno->pos() + QPoint(700, 500);
    const auto wyslij = [&](QEvent::Type typ, QPoint globalnie, Qt::MouseButtons przyciski) {
        QMouseEvent e(typ, u->mapFromGlobal(globalnie), globalnie, Qt::LeftButton, przyciski,
                      Qt::NoModifier);
        QApplication::sendEvent(u, &e);
    };
    wyslij(QEvent::MouseButtonPress, start, Qt::LeftButton);
    wyslij(QEvent::MouseMove, koniec, Qt::LeftButton);
    QWidget* obrys = okno->Rameczka;
    ASSERT_NE(obrys, nullptr);
    EXPECT_TRUE(obrys->isVisible());
    EXPECT_EQ(obrys->geometry(), QRect(okno->pos(), QSize(700, 500)));
    const QRegion maska = obrys->mask();
    EXPECT_TRUE(maska.contains(QPoint(1, 1)));
    EXPECT_TRUE(maska.contains(QPoint(698, 250)));
    EXPECT_FALSE(maska.contains(QPoint(350, 250))); // the chart under it stays visible
    EXPECT_EQ(okno->size(), QSize(550, 350));       // the window keeps its size until the release
    wyslij(QEvent::MouseButtonRelease, koniec, Qt::NoButton);
    EXPECT_FALSE(obrys->isVisible());
    EXPECT_EQ(okno->size(), QSize(700, 500));
}

} // namespace
} // namespace sondrel
