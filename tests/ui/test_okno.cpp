// SPDX-License-Identifier: GPL-3.0-or-later
// The frameless base window and the skin painter: shapes, dragging, help key, close requests,
// keys seen before the controls, link colours, centring, named pictures.
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"
#include "ui/skory/skora.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace sondrel;

namespace {

class OknoTestowe : public Okno {
public:
    using Okno::Okno;
    QList<QUrl> otwarte;
    QList<int> klawisze;    // keys seen by the window
    bool polykajF5 = false; // swallow F5 before the controls

protected:
    void OtworzAdres(const QUrl& adres) override { otwarte.append(adres); }
    bool KlawiszWcisniety(QKeyEvent* e) override {
        if (e->key() < Qt::Key_Shift || e->key() > Qt::Key_ScrollLock) // not a modifier alone
            klawisze.append(e->key());
        return polykajF5 && e->key() == Qt::Key_F5;
    }
};

void WyslijMysz(QWidget* w, QEvent::Type typ, QPoint globalny, Qt::MouseButton przycisk,
                Qt::MouseButtons przyciski) {
    QMouseEvent e(typ, QPointF(w->mapFromGlobal(globalny)), QPointF(globalny), przycisk, przyciski,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

bool ZamknijZPulpitu(QWidget& okno) {
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::sendEvent(okno.windowHandle(), &e);
    return e.isAccepted();
}

} // namespace

TEST(Ksztalt, RegionyNarozy) {
    const QSize r(100, 60);
    const QRegion zaokr = skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, r);
    // a 12 x 12 corner ellipse leaves 4, 2, 1, 1 pixels out in the first rows of every corner
    const struct {
        QPoint punkt;
        bool wewnatrz;
    } zaokraglony[] = {{{0, 0}, false},   {{3, 0}, false},  {{4, 0}, true},   {{1, 1}, false},
                       {{2, 1}, true},    {{0, 4}, true},   {{0, 3}, false},  {{99, 0}, false},
                       {{95, 0}, true},   {{96, 0}, false}, {{0, 59}, false}, {{4, 59}, true},
                       {{99, 59}, false}, {{50, 30}, true}, {{99, 30}, true}, {{100, 30}, false}};
    for (const auto& p : zaokraglony)
        EXPECT_EQ(zaokr.contains(p.punkt), p.wewnatrz) << p.punkt.x() << "," << p.punkt.y();

    const QRegion sciety = skora::RegionKsztaltu(skora::Ksztalt::Sciety, QSize(366, 239));
    const struct {
        QPoint punkt;
        bool wewnatrz;
    } ciecie[] = {{{0, 0}, false},   {{1, 1}, false},     {{2, 2}, true},     {{4, 0}, true},
                  {{0, 4}, true},    {{365, 0}, false},   {{363, 0}, false},  {{361, 0}, true},
                  {{0, 238}, false}, {{365, 238}, false}, {{183, 120}, true}, {{365, 120}, true}};
    for (const auto& p : ciecie)
        EXPECT_EQ(sciety.contains(p.punkt), p.wewnatrz) << p.punkt.x() << "," << p.punkt.y();

    EXPECT_TRUE(skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(0, 10)).isEmpty());
    // a window smaller than the corners still has a sane outline
    EXPECT_FALSE(skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(5, 3)).isEmpty());
}

TEST(Okno, MaskaIdzieZaRozmiarem) {
    OknoTestowe okno;
    okno.UstawRozmiar(200, 100);
    okno.UstawKsztalt(skora::Ksztalt::Zaokraglony);
    okno.show();
    EXPECT_EQ(okno.mask(), skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(200, 100)));
    okno.UstawRozmiar(300, 120);
    EXPECT_EQ(okno.mask(), skora::RegionKsztaltu(skora::Ksztalt::Zaokraglony, QSize(300, 120)));
    okno.UstawKsztalt(skora::Ksztalt::Sciety);
    EXPECT_EQ(okno.mask(), skora::RegionKsztaltu(skora::Ksztalt::Sciety, QSize(300, 120)));
    EXPECT_TRUE(okno.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_FALSE(okno.testAttribute(Qt::WA_QuitOnClose));
}

TEST(Okno, PrzeciaganieListwa) {
    OknoTestowe okno;
    okno.UstawRozmiar(300, 200);
    Etykieta* listwa = new Etykieta(&okno, 10, 5, 200, 20);
    okno.PodlaczListwe(listwa);
    okno.move(100, 100);
    okno.show();
    const QPoint start = okno.pos();
    const QPoint kursor = listwa->mapToGlobal(QPoint(20, 10));

    WyslijMysz(listwa, QEvent::MouseButtonPress, kursor, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(okno.Przeciaga());
    WyslijMysz(listwa, QEvent::MouseMove, kursor + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    WyslijMysz(listwa, QEvent::MouseMove, kursor + QPoint(35, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(okno.pos(), start + QPoint(35, 10));
    WyslijMysz(listwa, QEvent::MouseButtonRelease, kursor + QPoint(35, 10), Qt::LeftButton,
               Qt::NoButton);
    EXPECT_FALSE(okno.Przeciaga());
    // after the release the mouse moves without the window
    WyslijMysz(listwa, QEvent::MouseMove, kursor + QPoint(80, 80), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(okno.pos(), start + QPoint(35, 10));

    // a press elsewhere does not drag
    Etykieta* inna = new Etykieta(&okno, 10, 50, 100, 20);
    inna->show();
    WyslijMysz(inna, QEvent::MouseButtonPress, inna->mapToGlobal(QPoint(5, 5)), Qt::LeftButton,
               Qt::LeftButton);
    EXPECT_FALSE(okno.Przeciaga());
}

TEST(Okno, F1OtwieraStronePomocy) {
    OknoTestowe okno;
    okno.show();
    QTest::keyClick(&okno, Qt::Key_F1);
    EXPECT_TRUE(okno.otwarte.isEmpty()); // no page: F1 goes to the window's own keys
    EXPECT_EQ(okno.klawisze, QList<int>{Qt::Key_F1});

    okno.UstawStronePomocy(QStringLiteral("ustawienia.htm"));
    QTest::keyClick(&okno, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_EQ(okno.otwarte.size(), 1);
    const QString oczekiwana =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/Pomoc/ustawienia.htm");
    EXPECT_EQ(okno.otwarte[0], QUrl::fromLocalFile(oczekiwana));
    EXPECT_EQ(okno.klawisze.size(), 1); // the help key does not reach the window's own keys
}

TEST(Okno, AltF4PolknietyAZamkniecieZPulpituJakZnakZamkniecia) {
    OknoTestowe okno;
    okno.show();
    QTest::keyClick(&okno, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(okno.klawisze.isEmpty()); // Alt+F4 as a key is swallowed
    EXPECT_TRUE(okno.isVisible());

    // Ctrl+Alt+F4 is another key
    QTest::keyClick(&okno, Qt::Key_F4, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(okno.klawisze, QList<int>{Qt::Key_F4});

    // The desktop's close request hides the window as its close mark does.
    EXPECT_TRUE(ZamknijZPulpitu(okno));
    EXPECT_FALSE(okno.isVisible());

    // A window whose close mark does more does it instead of hiding.
    struct ZWlasnymZamknieciem : OknoTestowe {
        int zamkniec = 0;
        bool ZamkniecieZZewnatrz() override {
            ++zamkniec;
            return false;
        }
    } wlasne;
    wlasne.show();
    EXPECT_FALSE(ZamknijZPulpitu(wlasne));
    EXPECT_EQ(wlasne.zamkniec, 1);
    EXPECT_TRUE(wlasne.isVisible());
    wlasne.Zamknij(); // the program's own close is no request from the desktop
    EXPECT_EQ(wlasne.zamkniec, 1);
    EXPECT_FALSE(wlasne.isVisible());
}

TEST(Okno, ZamknietePrzezPulpitOtwieraSieZnowu) {
    // Windows whose close mark closes them from inside the desktop's close request (the chart,
    // report and popup windows do): the window must come back when shown again, its native
    // window included, as after its close mark.
    struct ZamykaSieSamo : OknoTestowe {
        bool ZamkniecieZZewnatrz() override {
            Zamknij();
            return false;
        }
    } okno;
    OknoTestowe zwykle;
    for (OknoTestowe* o : {static_cast<OknoTestowe*>(&okno), &zwykle}) {
        for (int raz = 0; raz < 2; ++raz) {
            o->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(o));
            QSignalSpy ukryte(o, &Okno::ukryte);
            ZamknijZPulpitu(*o);
            EXPECT_FALSE(o->isVisible());
            EXPECT_EQ(ukryte.count(), 1);
            o->show();
            EXPECT_TRUE(o->isVisible());
            ASSERT_NE(o->windowHandle(), nullptr);
            EXPECT_TRUE(o->windowHandle()->handle() != nullptr) << "native window gone";
            EXPECT_TRUE(o->windowHandle()->isVisible());
            EXPECT_TRUE(QTest::qWaitForWindowExposed(o));
            o->Zamknij();
        }
    }
}

TEST(Okno, KlawiszeWidziPrzedKontrolkami) {
    OknoTestowe okno;
    auto* pole = new QLineEdit(&okno);
    okno.show();
    pole->setFocus();

    okno.polykajF5 = true;
    QTest::keyClick(pole, Qt::Key_F5);
    QTest::keyClick(pole, Qt::Key_X);
    // F5 is swallowed before the field; "x" reaches the field once the window has seen it,
    // and the window does not see it a second time
    EXPECT_EQ(okno.klawisze, (QList<int>{Qt::Key_F5, Qt::Key_X}));
    EXPECT_EQ(pole->text(), QStringLiteral("x"));

    // A key that the field passes on reaches the window once.
    QTest::keyClick(pole, Qt::Key_F6);
    EXPECT_EQ(okno.klawisze.count(Qt::Key_F6), 1);

    // A control added while the window is visible, after PodgladajKlawisze.
    auto* drugie = new QLineEdit(&okno);
    drugie->show();
    okno.PodgladajKlawisze();
    QTest::keyClick(drugie, Qt::Key_F5);
    EXPECT_TRUE(drugie->text().isEmpty());
    EXPECT_EQ(okno.klawisze.count(Qt::Key_F5), 2);
}

TEST(Okno, ModalnePokazanieWracaPoZamknieciu) {
    OknoTestowe okno;
    okno.UstawRozmiar(120, 80);
    QTimer::singleShot(0, &okno, [&okno] {
        EXPECT_EQ(QApplication::activeModalWidget(), &okno);
        EXPECT_TRUE(okno.WPetliModalnej());
        okno.Zamknij();
    });
    okno.PokazModalnie();
    EXPECT_FALSE(okno.isVisible());
    EXPECT_FALSE(okno.WPetliModalnej());
}

TEST(Okno, Wysrodkowanie) {
    OknoTestowe okno;
    okno.UstawRozmiar(350, 150);
    okno.Wysrodkuj();
    const QRect obszar = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(okno.x(), obszar.x() + (obszar.width() - 350) / 2);
    EXPECT_EQ(okno.y(), obszar.y() + (obszar.height() - 150) / 2);
}

// Every window after the main one is its tool window: transient for it (above it only), never
// above other programs, with its own title for the window switchers.
TEST(Okno, OknoNarzedzioweOknaGlownego) {
    OknoTestowe glowne, okno;
    glowne.show();
    okno.show();
    okno.UstawOknoGlowne(&glowne);
    EXPECT_TRUE(okno.isVisible()); // a visible window stays visible
    EXPECT_EQ(okno.windowType(), Qt::Tool);
    EXPECT_FALSE(okno.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(okno.windowFlags() & Qt::FramelessWindowHint);
    ASSERT_TRUE(okno.windowHandle());
    EXPECT_EQ(okno.windowHandle()->transientParent(), glowne.windowHandle());
    okno.UstawTytulOkna(QStringLiteral("Tabela wyników"));
    EXPECT_EQ(okno.windowTitle(), QStringLiteral("Sondrel – Tabela wyników"));

    // a window shown for the first time after it was made a tool window
    OknoTestowe pozniejsze;
    pozniejsze.UstawOknoGlowne(&glowne);
    pozniejsze.show();
    EXPECT_EQ(pozniejsze.windowHandle()->transientParent(), glowne.windowHandle());
}

TEST(Okno, MiejsceObokMenuOknaGlownego) {
    const QRect ekran(0, 0, 1280, 1024);
    const QRect menu(252, 259, 129, 535); // the column of a centred main window
    const struct {
        const char* opis;
        QSize okno;
        QRect ekran, menu;
        QPoint miejsce;
    } przypadki[] = {
        {"nothing to keep clear: centred", {690, 480}, ekran, {}, {295, 272}},
        {"centred covers the column: just right of it", {690, 480}, ekran, menu, {389, 272}},
        {"centred already clear of it", {300, 200}, ekran, menu, {490, 412}},
        {"no room on the right: left of it", {690, 480}, ekran, {900, 259, 129, 535}, {202, 272}},
        {"no room either side: centred", {1200, 480}, ekran, menu, {40, 272}},
        {"a work area that does not start at 0", {690, 480}, {0, 30, 1280, 994}, menu, {389, 287}},
        {"higher than the screen: from its top", {690, 1100}, ekran, menu, {389, 0}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        const QPoint miejsce = Okno::MiejsceObokObszaru(p.okno, p.ekran, p.menu);
        EXPECT_EQ(miejsce, p.miejsce);
        if (!p.menu.isEmpty() && p.okno.width() < 1000) {
            EXPECT_FALSE(QRect(miejsce, p.okno).intersects(p.menu));
        }
    }
}

// Several areas kept clear: the main window's menu column first, then the analysis panel's
// close button; the window moves up or down clear of the button where the screen has room.
TEST(Okno, MiejsceObokMenuIPrzyciskuZamkniecia) {
    const QRect ekran(0, 0, 1280, 1024);
    const QRect menu(252, 259, 129, 535);
    const QRect przycisk(873, 730, 87, 23); // "Zamknij analizę" of the same main window
    const struct {
        const char* opis;
        QSize okno;
        QPoint miejsce;
    } przypadki[] = {
        {"beside the column it would cover the button: above it", {690, 480}, {389, 242}},
        {"centred it covers the button alone: above it", {500, 480}, {390, 242}},
        {"centred, clear of both", {400, 480}, {440, 272}},
        {"no room above or below: beside the column, as without the button",
         {690, 740},
         {389, 142}},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        const QPoint miejsce = Okno::MiejsceObokObszarow(p.okno, ekran, {menu, przycisk});
        EXPECT_EQ(miejsce, p.miejsce);
        EXPECT_FALSE(QRect(miejsce, p.okno).intersects(menu));
    }
}

TEST(Etykieta, LinkZmieniaKolorPodMysza) {
    QWidget rodzic;
    Etykieta link(&rodzic, 0, 0, 100, 16);
    link.setText(QStringLiteral("Ustawienia"));
    link.UstawLink();
    rodzic.show();
    const auto kolor = [&] { return link.palette().color(QPalette::WindowText); };
    EXPECT_EQ(kolor(), QColor(0x2E, 0x2E, 0x2E));
    QEnterEvent wejscie(QPointF(5, 5), QPointF(5, 5), link.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&link, &wejscie);
    EXPECT_EQ(kolor(), QColor(Qt::white));
    QEvent wyjscie(QEvent::Leave);
    QApplication::sendEvent(&link, &wyjscie);
    EXPECT_EQ(kolor(), QColor(0x2E, 0x2E, 0x2E));

    int klikniecia = 0;
    QObject::connect(&link, &Etykieta::klik, [&] { ++klikniecia; });
    QTest::mouseClick(&link, Qt::LeftButton);
    // pressed on the label, released outside it: no click
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(300, 5));
    EXPECT_EQ(klikniecia, 1);
}

TEST(Skora, ObrazkiPoNazwie) {
    const struct {
        const char* nazwa;
        QSize rozmiar;
    } obrazki[] = {
        {"oknowarning", {350, 150}}, {"ikoinfo", {42, 43}},      {"ikopytanie", {42, 43}},
        {"ikouwaga", {42, 43}},      {"buttak", {88, 26}},       {"buttakakt", {88, 26}},
        {"butnie", {88, 26}},        {"butanulujakt", {88, 26}}, {"butzamknij", {88, 26}},
        {"butcloseakt", {88, 26}},   {"butyes", {88, 26}},       {"butno", {88, 26}},
        {"butcancel", {88, 26}},     {"winieta", {366, 239}},    {"zapisikona", {42, 42}}};
    for (const auto& o : obrazki) {
        SCOPED_TRACE(o.nazwa);
        const QPixmap obraz = skora::Obrazek(QString::fromLatin1(o.nazwa));
        ASSERT_FALSE(obraz.isNull());
        EXPECT_EQ(obraz.deviceIndependentSize().toSize(), o.rozmiar);
    }
    EXPECT_TRUE(skora::Obrazek(QStringLiteral("nieznany")).isNull());
    EXPECT_TRUE(skora::RozmiarObrazka(QStringLiteral("nieznany")).isEmpty());
    // the selected look differs from the normal one
    EXPECT_NE(skora::Obrazek("buttak").toImage(), skora::Obrazek("buttakakt").toImage());
    EXPECT_NE(skora::Obrazek("buttak").toImage(), skora::Obrazek("butyes").toImage());
    // a picture painted at another size
    EXPECT_EQ(skora::Obrazek("ikoinfo", QSize(84, 86)).deviceIndependentSize().toSize(),
              QSize(84, 86));
    // the vignette's cut corners are transparent
    const QImage winieta = skora::Obrazek("winieta").toImage();
    EXPECT_EQ(qAlpha(winieta.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(winieta.pixel(183, 120)), 255);
}

TEST(Skora, KlatkiIkonyZapisuTrwajaDwieSekundy) {
    const auto klatki = skora::KlatkiIkonyZapisu();
    ASSERT_EQ(klatki.size(), 8);
    int razem = 0;
    for (int i = 0; i < klatki.size(); ++i) {
        EXPECT_EQ(klatki[i].obraz.size(), QSize(42, 42));
        EXPECT_GT(klatki[i].czasMs, 0);
        if (i > 0) {
            EXPECT_NE(klatki[i].obraz, klatki[i - 1].obraz) << i;
        }
        razem += klatki[i].czasMs;
    }
    EXPECT_EQ(razem, 2000);
}

TEST(Okno, FolderDialoguToNajblizszyIstniejacy) {
    QTemporaryDir tmp;
    const QString baza = QDir::toNativeSeparators(tmp.path());
    QDir().mkpath(tmp.path() + QStringLiteral("/jest"));
    const struct {
        QString folder, oczekiwany;
    } przypadki[] = {
        {tmp.path() + QStringLiteral("/jest"), baza + QDir::separator() + QStringLiteral("jest")},
        {tmp.path() + QStringLiteral("/Documents"), baza},
        {tmp.path() + QStringLiteral("/brak/glebiej/"), baza},
        {QString(), QString()},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(Okno::FolderDialogu(p.folder), p.oczekiwany) << p.folder.toStdString();
}
