// SPDX-License-Identifier: GPL-3.0-or-later
// The message dialog: its keyboard, mouse and close behaviour, the pictures of the keyboard
// selection, the state kept between calls and the modal call through the message hand-off.
#include "core/srodowisko.h"
#include "ui/okna/tf_warning.h"
#include "ui/skory/skora.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace sondrel;

namespace {

bool TenSamObrazek(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

// Shows the prepared dialog without blocking.
void Otworz(TFWarning& okno, int rodzaj, int ikona = IkonaInformacja,
            const QString& tekst = QStringLiteral("Tekst")) {
    okno.Przygotuj(rodzaj, ikona, tekst);
    okno.show();
}

// A close request of the window system (window manager, Alt+F4 on the desktop), delivered as
// the platform delivers it.
void ZamknijZPulpitu(QWidget& okno) {
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::sendEvent(okno.windowHandle(), &e);
}

struct Klawisz {
    Qt::Key klawisz;
    Qt::KeyboardModifiers mod = Qt::NoModifier;
};

} // namespace

TEST(TFWarning, Klawiatura) {
    const Klawisz enter{Qt::Key_Return}, prawo{Qt::Key_Right}, lewo{Qt::Key_Left},
        esc{Qt::Key_Escape};
    const struct Przypadek {
        const char* opis;
        const char* jezyk;
        int rodzaj;
        std::vector<Klawisz> klawisze;
        bool zamkniete;
        int wynik;
    } przypadki[] = {
        {"pytanie: Enter bez strzałek", "pl", KomunikatPytanie, {enter}, true, WynikTak},
        {"pytanie: Enter z klawiatury numerycznej",
         "pl",
         KomunikatPytanie,
         {{Qt::Key_Enter, Qt::KeypadModifier}},
         true,
         WynikTak},
        {"pytanie: prawo, Enter", "pl", KomunikatPytanie, {prawo, enter}, true, WynikNie},
        {"pytanie: prawo, prawo, Enter",
         "pl",
         KomunikatPytanie,
         {prawo, prawo, enter},
         true,
         WynikAnuluj},
        {"pytanie: trzy razy prawo wraca do Tak",
         "pl",
         KomunikatPytanie,
         {prawo, prawo, prawo, enter},
         true,
         WynikTak},
        {"pytanie: lewo, Enter", "pl", KomunikatPytanie, {lewo, enter}, true, WynikAnuluj},
        {"pytanie: lewo, lewo, Enter", "pl", KomunikatPytanie, {lewo, lewo, enter}, true, WynikNie},
        {"pytanie: Esc nic nie robi", "pl", KomunikatPytanie, {esc}, false, WynikNie},
        {"pytanie: t", "pl", KomunikatPytanie, {{Qt::Key_T}}, true, WynikTak},
        {"pytanie: Shift+N",
         "pl",
         KomunikatPytanie,
         {{Qt::Key_N, Qt::ShiftModifier}},
         true,
         WynikNie},
        {"pytanie: a", "pl", KomunikatPytanie, {{Qt::Key_A}}, true, WynikAnuluj},
        {"pytanie: Z (Zamknij ukryty)", "pl", KomunikatPytanie, {{Qt::Key_Z}}, false, WynikNie},
        {"pytanie: litera spoza tabeli", "pl", KomunikatPytanie, {{Qt::Key_Q}}, false, WynikNie},
        // a question whose "Tak" destroys starts on "Nie"
        {"pytanie z Nie: Enter", "pl", KomunikatPytanieNie, {enter}, true, WynikNie},
        {"pytanie z Nie: lewo, Enter", "pl", KomunikatPytanieNie, {lewo, enter}, true, WynikTak},
        {"pytanie z Nie: t", "pl", KomunikatPytanieNie, {{Qt::Key_T}}, true, WynikTak},
        {"komunikat: Esc", "pl", KomunikatInformacja, {esc}, true, WynikZamknij},
        {"komunikat: Enter", "pl", KomunikatInformacja, {enter}, true, WynikZamknij},
        {"komunikat: strzałki nic nie zmieniają",
         "pl",
         KomunikatInformacja,
         {prawo, lewo, enter},
         true,
         WynikZamknij},
        {"komunikat: N nic nie robi", "pl", KomunikatInformacja, {{Qt::Key_N}}, false, WynikNie},
        {"komunikat: T nic nie robi", "pl", KomunikatInformacja, {{Qt::Key_T}}, false, WynikNie},
        {"komunikat: z", "pl", KomunikatInformacja, {{Qt::Key_Z}}, true, WynikZamknij},
        {"komunikat: Shift+Z",
         "pl",
         KomunikatInformacja,
         {{Qt::Key_Z, Qt::ShiftModifier}},
         true,
         WynikZamknij},
        {"angielski pytanie: y", "en", KomunikatPytanie, {{Qt::Key_Y}}, true, WynikTak},
        {"angielski pytanie: T nie działa", "en", KomunikatPytanie, {{Qt::Key_T}}, false, WynikNie},
        {"angielski pytanie: c to Anuluj",
         "en",
         KomunikatPytanie,
         {{Qt::Key_C}},
         true,
         WynikAnuluj},
        {"angielski komunikat: C to Zamknij",
         "en",
         KomunikatInformacja,
         {{Qt::Key_C, Qt::ShiftModifier}},
         true,
         WynikZamknij},
        {"angielski komunikat: Z nie działa",
         "en",
         KomunikatInformacja,
         {{Qt::Key_Z}},
         false,
         WynikNie},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.opis);
        TFWarning okno(QString::fromLatin1(p.jezyk));
        Otworz(okno, p.rodzaj);
        for (const auto& k : p.klawisze)
            QTest::keyClick(&okno, k.klawisz, k.mod);
        EXPECT_EQ(okno.isVisible(), !p.zamkniete);
        EXPECT_EQ(okno.WynikKomunikatu(), p.wynik);
    }
}

TEST(TFWarning, ZaznaczenieZmieniaObrazkiPrzyciskow) {
    TFWarning okno;
    Otworz(okno, KomunikatPytanie);
    EXPECT_EQ(okno.Zaznaczenie(), 1);
    EXPECT_TRUE(TenSamObrazek(okno.ImButTak->pixmap(), skora::Obrazek("buttakakt")));
    EXPECT_TRUE(TenSamObrazek(okno.ImButNie->pixmap(), skora::Obrazek("butnie")));

    QTest::keyClick(&okno, Qt::Key_Right);
    EXPECT_EQ(okno.Zaznaczenie(), 2);
    EXPECT_TRUE(TenSamObrazek(okno.ImButTak->pixmap(), skora::Obrazek("buttak")));
    EXPECT_TRUE(TenSamObrazek(okno.ImButNie->pixmap(), skora::Obrazek("butnieakt")));

    // The next call starts again from Tak, whatever the previous one left selected.
    okno.hide();
    Otworz(okno, KomunikatPytanie);
    EXPECT_EQ(okno.Zaznaczenie(), 1);
    EXPECT_TRUE(TenSamObrazek(okno.ImButTak->pixmap(), skora::Obrazek("buttakakt")));
    EXPECT_TRUE(TenSamObrazek(okno.ImButNie->pixmap(), skora::Obrazek("butnie")));

    okno.hide();
    Otworz(okno, KomunikatInformacja);
    EXPECT_EQ(okno.Zaznaczenie(), 4);
    EXPECT_TRUE(TenSamObrazek(okno.ImButZamknij->pixmap(), skora::Obrazek("butzamknijakt")));
}

TEST(TFWarning, MyszIZnakZamkniecia) {
    const struct {
        int rodzaj;
        Etykieta* TFWarning::*cel;
        int wynik;
    } przypadki[] = {
        {KomunikatPytanie, &TFWarning::LClose, WynikAnuluj},
        {KomunikatInformacja, &TFWarning::LClose, WynikZamknij},
        {KomunikatPytanie, &TFWarning::ImButTak, WynikTak},
        {KomunikatPytanie, &TFWarning::ImButNie, WynikNie},
        {KomunikatPytanie, &TFWarning::ImButAnuluj, WynikAnuluj},
        {KomunikatInformacja, &TFWarning::ImButZamknij, WynikZamknij},
    };
    for (const auto& p : przypadki) {
        TFWarning okno;
        Otworz(okno, p.rodzaj);
        // a click at the centre, through the window, reaches the mark or button itself
        Etykieta* cel = okno.*p.cel;
        const QPoint srodek = cel->mapTo(&okno, cel->rect().center());
        EXPECT_EQ(okno.childAt(srodek), cel);
        QTest::mouseClick(okno.windowHandle(), Qt::LeftButton, {}, srodek);
        EXPECT_FALSE(okno.isVisible());
        EXPECT_EQ(okno.WynikKomunikatu(), p.wynik);
    }
}

TEST(TFWarning, ZamkniecieZPulpituDzialaJakZnakZamkniecia) {
    for (const auto& [rodzaj, wynik] :
         {std::pair{KomunikatPytanie, WynikAnuluj}, std::pair{KomunikatInformacja, WynikZamknij}}) {
        TFWarning okno;
        Otworz(okno, rodzaj);
        ASSERT_TRUE(okno.windowHandle());
        ZamknijZPulpitu(okno);
        EXPECT_FALSE(okno.isVisible());
        EXPECT_EQ(okno.WynikKomunikatu(), wynik);
    }
}

TEST(TFWarning, StanPozostajeMiedzyWywolaniami) {
    TFWarning okno;
    okno.Przygotuj(KomunikatInformacja, IkonaUwaga, QStringLiteral("Pierwszy"));
    const QImage ikona = okno.ImIkona->pixmap().toImage();
    EXPECT_EQ(ikona, skora::Obrazek("ikouwaga").toImage());

    // Another kind keeps the buttons, the text and the icon; the selection follows the shown
    // button, so Enter still closes the message.
    okno.Przygotuj(7, IkonaPytanie, QStringLiteral("Drugi"));
    EXPECT_EQ(okno.LTekstWarning->text(), QStringLiteral("Pierwszy"));
    EXPECT_EQ(okno.ImIkona->pixmap().toImage(), ikona);
    EXPECT_FALSE(okno.PButTak->isVisibleTo(&okno));
    EXPECT_TRUE(okno.pButZamknij->isVisibleTo(&okno));
    okno.show();
    QTest::keyClick(&okno, Qt::Key_Return);
    EXPECT_EQ(okno.WynikKomunikatu(), WynikZamknij);

    // An unknown icon keeps the previous icon while the text changes.
    okno.Przygotuj(KomunikatPytanie, 0, QStringLiteral("Trzeci"));
    EXPECT_EQ(okno.LTekstWarning->text(), QStringLiteral("Trzeci"));
    EXPECT_EQ(okno.ImIkona->pixmap().toImage(), ikona);
    EXPECT_TRUE(okno.PButAnuluj->isVisibleTo(&okno));
    EXPECT_FALSE(okno.pButZamknij->isVisibleTo(&okno));
    EXPECT_EQ(okno.WynikKomunikatu(), WynikNie); // the preset of every call
}

TEST(TFWarning, TekstZDwomaCRMaTrzyWiersze) {
    TFWarning okno;
    okno.Przygotuj(KomunikatInformacja, IkonaInformacja, QStringLiteral("jeden\rdwa\rtrzy"));
    const QString tekst = okno.LTekstWarning->text();
    EXPECT_EQ(tekst.split(QLatin1Char('\n')).size(), 3);
    const QFontMetrics m(okno.LTekstWarning->font());
    const QRect zajety =
        m.boundingRect(QRect(0, 0, okno.LTekstWarning->width(), 1000), Qt::TextWordWrap, tekst);
    EXPECT_EQ(zajety.height(), 3 * m.lineSpacing());
    EXPECT_LE(zajety.height(), okno.LTekstWarning->height());
}

TEST(TFWarning, WywolanieModalneZaPosrednictwemKomunikatow) {
    TFWarning okno;
    Srodowisko srodowisko;
    UstawOknoKomunikatow(srodowisko.komunikaty, okno);

    QTimer::singleShot(0, [] {
        QWidget* modalne = QApplication::activeModalWidget();
        ASSERT_TRUE(modalne);
        QTest::keyClick(modalne, Qt::Key_Right);
        QTest::keyClick(modalne, Qt::Key_Return);
    });
    srodowisko.PokazKomunikat(KomunikatPytanie, IkonaInformacja,
                              QStringLiteral("Zmieniono ustawienia. Czy zapisać zmiany?"));
    EXPECT_EQ(srodowisko.WynikKomunikatu(), WynikNie);
    EXPECT_FALSE(okno.isVisible());

    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), 'a'); });
    srodowisko.PokazKomunikat(KomunikatPytanie, IkonaPytanie, QStringLiteral("Pytanie"));
    EXPECT_EQ(srodowisko.WynikKomunikatu(), WynikAnuluj);

    // The dialog is centred on its screen every time it is shown.
    QTimer::singleShot(0, [&okno] {
        const QRect obszar = okno.screen()->availableGeometry();
        EXPECT_EQ(okno.geometry().center().x(), obszar.center().x());
        okno.LClose->hide(); // nothing special: a message closed by Esc
        QTest::keyClick(&okno, Qt::Key_Escape);
    });
    srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, QStringLiteral("Koniec"));
    EXPECT_EQ(srodowisko.WynikKomunikatu(), WynikZamknij);
}

TEST(TFWarning, KsztaltZaokraglony) {
    TFWarning okno;
    okno.show();
    EXPECT_EQ(okno.size(), QSize(350, 150));
    EXPECT_TRUE(okno.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(okno.windowFlags() & Qt::FramelessWindowHint);
    const QRegion maska = okno.mask();
    for (const QPoint naroznik : {QPoint(0, 0), QPoint(349, 0), QPoint(0, 149), QPoint(349, 149)})
        EXPECT_FALSE(maska.contains(naroznik)) << naroznik.x() << "," << naroznik.y();
    for (const QPoint wewnatrz : {QPoint(6, 0), QPoint(0, 6), QPoint(175, 75), QPoint(343, 149)})
        EXPECT_TRUE(maska.contains(wewnatrz)) << wewnatrz.x() << "," << wewnatrz.y();

    // The painted background is transparent outside the outline too (compositors, Wayland).
    const QImage tlo = okno.ImWarning->pixmap().toImage();
    EXPECT_EQ(qAlpha(tlo.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(tlo.pixel(349, 149)), 0);
    EXPECT_EQ(qAlpha(tlo.pixel(175, 75)), 255);
}

TEST(TFWarning, DlugiTekstPowiekszaOknoZamiastGoObcinac) {
    TFWarning okno;
    const QString dlugi = QStringLiteral(
        "\rPodaj poprawnie konieczne dane.\r\rWczytaj pliki wyników i wybierz test z powyższej "
        "listy testów.");
    for (const int rodzaj : {KomunikatInformacja, KomunikatPytanie}) {
        okno.Przygotuj(rodzaj, IkonaUwaga, dlugi);
        const QLabel& tekst = *okno.LTekstWarning;
        EXPECT_GE(tekst.height(), tekst.heightForWidth(tekst.width())) << rodzaj;
        EXPECT_GT(okno.height(), 150);
        EXPECT_EQ(okno.width(), 350);
        EXPECT_EQ(okno.ImWarning->size(), okno.size());
        EXPECT_EQ(okno.mask().boundingRect().height(), okno.height());
        for (QWidget* przycisk : {okno.PButTak, okno.pButZamknij}) {
            EXPECT_GE(przycisk->y(), tekst.geometry().bottom());
            EXPECT_EQ(przycisk->geometry().bottom(), okno.height() - 150 + 141);
        }
    }
    // A text that fits brings the dialog back to its size and places.
    okno.Przygotuj(KomunikatInformacja, IkonaInformacja, QStringLiteral("Krótko."));
    EXPECT_EQ(okno.size(), QSize(350, 150));
    EXPECT_EQ(okno.LTekstWarning->geometry(), QRect(17, 51, 313, 53));
    EXPECT_EQ(okno.pButZamknij->geometry(), QRect(190, 116, 88, 26));
    EXPECT_EQ(okno.ImWarning->pixmap().toImage(),
              skora::Obrazek(QStringLiteral("oknowarning")).toImage());
}

// Screen readers: the message window is an alert whose description is its text; its buttons
// are named buttons whose press action answers as a click does.
TEST(TFWarning, CzytnikEkranu) {
    const struct {
        int rodzaj;
        const char* nazwa;
        int wynik;
    } przypadki[] = {{KomunikatInformacja, "Zamknij", WynikZamknij},
                     {KomunikatPytanie, "Tak", WynikTak},
                     {KomunikatPytanie, "Anuluj", WynikAnuluj}};
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        TFWarning okno;
        Otworz(okno, p.rodzaj, IkonaInformacja, QStringLiteral("Plik zapisany."));
        QAccessibleInterface* dostep = QAccessible::queryAccessibleInterface(&okno);
        ASSERT_NE(dostep, nullptr);
        EXPECT_EQ(dostep->role(), QAccessible::AlertMessage);
        EXPECT_EQ(dostep->text(QAccessible::Description), QStringLiteral("Plik zapisany."));
        QAccessibleInterface* przycisk = nullptr;
        for (Etykieta* e : {okno.ImButTak, okno.ImButNie, okno.ImButAnuluj, okno.ImButZamknij})
            if (e->accessibleName() == QLatin1String(p.nazwa))
                przycisk = QAccessible::queryAccessibleInterface(e);
        ASSERT_NE(przycisk, nullptr);
        EXPECT_EQ(przycisk->role(), QAccessible::Button);
        EXPECT_EQ(przycisk->text(QAccessible::Name), QString::fromLatin1(p.nazwa));
        EXPECT_FALSE(przycisk->state().invisible);
        ASSERT_NE(przycisk->actionInterface(), nullptr);
        EXPECT_TRUE(przycisk->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        przycisk->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(okno.WynikKomunikatu(), p.wynik);
        EXPECT_FALSE(okno.isVisible());
    }
}
