// SPDX-License-Identifier: GPL-3.0-or-later
// The chart settings window on a real chart state: every control stores its field and the chart
// follows at once; loading a tab acts as clicks where a control changes; the standard dialogs
// are answered by a test double.
#include "ui/okna/tf_ustawwykres.h"

#include "chartengine/rysowanie.h"
#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"
#include "core/analiza.h"
#include "core/srodowisko.h"
#include "support/klasa_testowa.h"
#include "ui/dialogi.h"
#include "ui/okna/tf_wykres.h"
#include "ui/program.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

class WykresTestowy : public WykresDlaUstawien {
public:
    StanWykresu stan;
    int odswiezenia = 0;
    StanWykresu& Stan() override { return stan; }
    void Odswiez() override { ++odswiezenia; }
    QRect ObszarNaEkranie() const override { return obszar; }
    QRect obszar;
};

// Answers the dialogs as a user would and remembers what they were preset to.
class DialogiTestowe : public Dialogi {
public:
    std::optional<QColor> kolor;      // nothing: cancelled
    std::optional<Czcionka> czcionka; // nothing: cancelled
    QString obraz;                    // empty: cancelled
    QList<QColor> pytanyKolor;
    QList<Czcionka> pytanaCzcionka;
    int pytanyObraz = 0;

    std::optional<QColor> WybierzKolor(QWidget*, const QColor& poczatkowy) override {
        pytanyKolor << poczatkowy;
        return kolor;
    }
    std::optional<Czcionka> WybierzCzcionke(QWidget*, const Czcionka& poczatkowa) override {
        pytanaCzcionka << poczatkowa;
        return czcionka;
    }
    QString WybierzObraz(QWidget*) override {
        ++pytanyObraz;
        return obraz;
    }
};

class TFUstawwykresTest : public ::testing::Test {
protected:
    Analiza analiza;
    Srodowisko srodowisko;
    WykresTestowy wykres;
    DialogiTestowe dialogi;
    QStringList komunikaty;
    std::unique_ptr<TFUstawwykres> okno;

    StanWykresu& stan() { return wykres.stan; }
    UstawieniaWykresu& u() { return wykres.stan.UstawieniaWykresu; }
    chartengine::Wykres& chart() { return wykres.stan.Wykres; }

    void SetUp() override {
        srodowisko.komunikaty.ustawObsluge([this](int, int, const QString& tekst) {
            komunikaty << tekst;
            return WynikZamknij;
        });
        okno = std::make_unique<TFUstawwykres>(srodowisko, wykres);
        okno->UstawDialogi(&dialogi);
    }

    // The chart menu's choice, then "Formatuj wykres" (without the modal loop).
    void OtworzWykres(int typ) {
        okno->hide();
        stan().ZadanyRodzajWykresu = RodzajDlaTypu(typ);
        sondrel::OtworzWykres(stan(), analiza, false, typ);
        Formatuj();
    }
    void Formatuj() {
        WybierzSerie(stan());
        okno->Przygotuj();
        okno->show();
    }
    void Pokaz(TFUstawwykres::Zakladka z) { okno->PageControl1->UstawBiezaca(z); }
    // A spin box's text typed over and the box left.
    static void Wpisz(QLineEdit* pole, const QString& tekst, bool opusc = true) {
        pole->selectAll();
        QTest::keyClick(pole, Qt::Key_Backspace);
        QTest::keyClicks(pole, tekst);
        if (opusc) Opusc(pole);
    }
    static void Opusc(QWidget* pole) {
        QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(pole, &e);
    }
    // Typing, letters outside ASCII too: a press and a release per character.
    static void Pisz(QWidget* w, const QString& tekst) {
        for (const QChar z : tekst) {
            QKeyEvent wcisniety(QEvent::KeyPress, 0, Qt::NoModifier, QString(z));
            QApplication::sendEvent(w, &wcisniety);
            QKeyEvent puszczony(QEvent::KeyRelease, 0, Qt::NoModifier, QString(z));
            QApplication::sendEvent(w, &puszczony);
        }
    }
    static void Klik(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, 6)); }
    static void Wybierz(ListaWyboru* lista, int pozycja) {
        lista->setCurrentIndex(pozycja);
        emit lista->activated(pozycja);
    }
};

TEST_F(TFUstawwykresTest, OknoIJegoZakladki) {
    EXPECT_EQ(okno->size(), QSize(404, 305));
    EXPECT_EQ(okno->windowTitle(), QStringLiteral("Sondrel – Formatowanie wykresu"));
    EXPECT_EQ(okno->StronaPomocy(), QStringLiteral("wlasndiagr.htm"));
    EXPECT_EQ(okno->PageControl1->geometry(), QRect(20, 36, 360, 250));
    EXPECT_EQ(okno->LCloseUstawienia->geometry(), QRect(378, 8, 15, 12));
    QStringList napisy;
    for (int i = 0; i < okno->PageControl1->Ilosc(); ++i)
        napisy << okno->PageControl1->Pasek()->tabText(i);
    EXPECT_EQ(napisy, QStringList({"Wykres", "Nagłówki", "Osie", "Legenda", "Tła", "Efekty 3D",
                                   "Wartości"}));
    // the live settings start as the defaults
    EXPECT_EQ(u(), UstawieniaDomyslne());

    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZLegenda);
    okno->CNaglowek->setCurrentIndex(1);
    Klik(okno->LCloseUstawienia);
    EXPECT_FALSE(okno->isVisible());
    // shown again: the tab "Wykres" first, the header tab on the title again
    Formatuj();
    EXPECT_EQ(okno->PageControl1->Biezaca(), TFUstawwykres::ZWykres);
    EXPECT_EQ(okno->CNaglowek->currentIndex(), 0);
    EXPECT_EQ(okno->RENaglowek->toPlainText(), QStringLiteral("Wyniki testu"));
}

// Esc is Cancel here as in every dialog-like window: it closes the window as the close spot
// does, from any control (a text field, a choice list, the number field that takes digits
// only); the changes made stay on the chart. Other keys with Esc do nothing.
TEST_F(TFUstawwykresTest, EscZamykaOkno) {
    for (QWidget* kontrolka : std::initializer_list<QWidget*>{okno->RENaglowek, okno->CNaglowek,
                                                              okno->EWartpoczontkowa, okno.get()}) {
        SCOPED_TRACE(kontrolka->metaObject()->className());
        OtworzWykres(1);
        ASSERT_TRUE(okno->isVisible());
        QTest::keyClick(kontrolka, Qt::Key_Escape, Qt::ShiftModifier);
        EXPECT_TRUE(okno->isVisible());
        QTest::keyClick(kontrolka, Qt::Key_Escape);
        EXPECT_FALSE(okno->isVisible());
    }
}

// The settings window opens beside the chart it changes when the screen has room, where it
// covers least of it when not, and centred when there is no chart on the screen.
TEST_F(TFUstawwykresTest, OknoObokWykresu) {
    const QRect ekran = QGuiApplication::primaryScreen()->availableGeometry();
    wykres.obszar = QRect(ekran.topLeft(), ekran.size() / 3);
    OtworzWykres(1);
    EXPECT_FALSE(okno->frameGeometry().intersects(wykres.obszar));
    EXPECT_TRUE(ekran.contains(okno->frameGeometry()));
    wykres.obszar = ekran.adjusted(40, 40, -40, -40); // no room beside it
    OtworzWykres(1);
    EXPECT_TRUE(ekran.contains(okno->frameGeometry()));
    const QRect wspolne = okno->frameGeometry().intersected(wykres.obszar);
    EXPECT_LT(qint64(wspolne.width()) * wspolne.height(), qint64(okno->width()) * okno->height());
    wykres.obszar = QRect();
    OtworzWykres(1);
    EXPECT_EQ(okno->pos(), Okno::MiejsceObokObszaru(okno->size(), ekran, QRect()));
}

TEST_F(TFUstawwykresTest, KoloweOsieWylaczoneZnacznikiKola) {
    OtworzWykres(3); // "Zestawienie ocen"
    EXPECT_TRUE(okno->PKolo->isVisible());
    EXPECT_FALSE(okno->PSlupki->isVisible());
    EXPECT_FALSE(okno->PLinia->isVisible());
    EXPECT_FALSE(okno->PageControl1->Strona(TFUstawwykres::ZOsie)->isEnabled());
    Pokaz(TFUstawwykres::ZEfekty3D);
    EXPECT_FALSE(okno->C3dosie->isVisible());
    Pokaz(TFUstawwykres::ZWartosci);
    Klik(okno->Cpokazwartosci);
    EXPECT_FALSE(u().PokazWartosci);
    EXPECT_FALSE(chart().serie[1].znaczniki.widoczne);
    EXPECT_TRUE(chart().serie[0].znaczniki.widoczne);

    // the bar chart again: its panel, the axes tab usable, the 3D axes box back
    OtworzWykres(1);
    EXPECT_TRUE(okno->PSlupki->isVisible());
    EXPECT_FALSE(okno->PKolo->isVisible());
    EXPECT_TRUE(okno->PageControl1->Strona(TFUstawwykres::ZOsie)->isEnabled());
    Pokaz(TFUstawwykres::ZEfekty3D);
    EXPECT_TRUE(okno->C3dosie->isVisible());
}

TEST_F(TFUstawwykresTest, StopkaDostajeCalyTekstRekordPiecdziesiatZnakow) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZNaglowki);
    Wybierz(okno->CNaglowek, 1);
    EXPECT_FALSE(okno->CWidoczny->isChecked());
    EXPECT_EQ(okno->RENaglowek->toPlainText(), QStringLiteral("Oto stopka"));
    Klik(okno->CWidoczny);
    EXPECT_TRUE(u().Stopka.Widoczny);
    EXPECT_TRUE(chart().stopka.widoczny);

    const QString dlugi = QStringLiteral("Stopka wykresu z ocenami klasy 3b, semestr drugi ŻÓŁW1");
    ASSERT_EQ(dlugi.size(), 60 - 6);
    const QString szescdziesiat = dlugi + QStringLiteral("abcdef");
    okno->RENaglowek->selectAll();
    QTest::keyClick(okno->RENaglowek, Qt::Key_Delete);
    Pisz(okno->RENaglowek, szescdziesiat);
    EXPECT_EQ(chart().stopka.wiersze, QStringList{szescdziesiat});
    EXPECT_EQ(u().Stopka.Tekst, szescdziesiat.left(50));
    // a font picked for the footer: the box takes it and shows the stored text again
    Czcionka czcionka;
    czcionka.NazwaCzcionki = QStringLiteral("DejaVu Serif");
    czcionka.Rozmiar = 12;
    dialogi.czcionka = czcionka;
    Klik(okno->BCzcionkaNaglowki);
    EXPECT_EQ(u().Stopka.Czcionka, czcionka);
    EXPECT_EQ(chart().stopka.pismo.rozmiar, 12);
    EXPECT_EQ(chart().tytul.pismo.rozmiar, 8);
    EXPECT_EQ(okno->RENaglowek->font().pointSize(), 12);
    EXPECT_EQ(okno->RENaglowek->toPlainText(), szescdziesiat.left(50));
    EXPECT_EQ(chart().stopka.wiersze, QStringList{szescdziesiat});
    Klik(okno->RDoPrawej);
    Klik(okno->Cramka);
    EXPECT_EQ(u().Stopka.Wyrownanie, 2);
    EXPECT_EQ(chart().stopka.wyrownanie, chartengine::Wyrownanie::DoPrawej);
    EXPECT_TRUE(chart().stopka.ramka);
    EXPECT_EQ(chart().tytul.wyrownanie, chartengine::Wyrownanie::DoSrodka);
    EXPECT_FALSE(chart().tytul.ramka);

    okno->RENaglowek->selectAll();
    QTest::keyClick(okno->RENaglowek, Qt::Key_Delete);
    Pisz(okno->RENaglowek, QStringLiteral("Klasa 3b!!"));
    EXPECT_EQ(u().Stopka.Tekst, QStringLiteral("Klasa 3b!!\r\n"));
    EXPECT_EQ(u().Stopka.Tekst.size(), 12);
    EXPECT_EQ(chart().stopka.wiersze, QStringList{"Klasa 3b!!"});
    // the title is not touched
    EXPECT_EQ(u().Naglowek.Tekst, QStringLiteral("Wyniki testu"));
    EXPECT_EQ(chart().tytul.wiersze, QStringList{"Wyniki testu"});

    // the text box shows the stored lines, not their line ends
    Pokaz(TFUstawwykres::ZWykres);
    Pokaz(TFUstawwykres::ZNaglowki);
    Wybierz(okno->CNaglowek, 1);
    EXPECT_EQ(okno->RENaglowek->toPlainText(), QStringLiteral("Klasa 3b!!"));
    EXPECT_EQ(u().Stopka.Tekst, QStringLiteral("Klasa 3b!!\r\n"));
}

TEST_F(TFUstawwykresTest, CzcionkaIKolorSiatkiOsiPoziomej) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZOsie);
    EXPECT_EQ(okno->Cosie->currentIndex(), 0);
    Wybierz(okno->Cosie, 1);
    EXPECT_EQ(okno->EopisOsi->text(), QStringLiteral("Ilość punktów"));

    Czcionka wybrana;
    wybrana.NazwaCzcionki = QString(60, QLatin1Char('F'));
    wybrana.KolorCzcionki = KolorRGB(0, 128, 0);
    wybrana.Rozmiar = 14;
    wybrana.Styl = StylPogrubiony | StylKursywa;
    dialogi.czcionka = wybrana;
    Klik(okno->BFontOsie);
    ASSERT_EQ(dialogi.pytanaCzcionka.size(), 1);
    EXPECT_EQ(dialogi.pytanaCzcionka[0], UstawieniaDomyslne().OsPozioma.CzcionkaOpisu);
    Czcionka zapisana = wybrana;
    zapisana.NazwaCzcionki.truncate(50);
    EXPECT_EQ(u().OsPozioma.CzcionkaOpisu, zapisana);
    EXPECT_EQ(chart().dolna.pismoTytulu.rozmiar, 14);
    EXPECT_EQ(chart().dolna.pismoTytulu.kolor, QColor(0, 128, 0));
    EXPECT_TRUE(chart().dolna.pismoTytulu.pogrubione);
    EXPECT_EQ(chart().lewa.pismoTytulu.rozmiar, 8);

    dialogi.kolor = QColor(200, 10, 20);
    Klik(okno->BKolorSiatki);
    EXPECT_EQ(dialogi.pytanyKolor.value(0), QColor(0, 0, 0)); // preset to the field's colour
    EXPECT_EQ(u().OsPozioma.KolorSiatki, KolorRGB(200, 10, 20));
    EXPECT_EQ(chart().dolna.kolorSiatki, QColor(200, 10, 20));
    EXPECT_EQ(u().OsPionowa.KolorSiatki, KolorRGB(0, 0, 0));
    EXPECT_EQ(chart().lewa.kolorSiatki, QColor(0, 0, 0));

    // cancelled dialogs change nothing
    const UstawieniaWykresu przed = u();
    dialogi.kolor.reset();
    dialogi.czcionka.reset();
    Klik(okno->BKolorScianki);
    Klik(okno->BKolorWartosci);
    EXPECT_EQ(u(), przed);

    // the axis caption: the record holds 50 characters, the chart the whole text
    const QString opis = QString(55, QLatin1Char('o'));
    Wpisz(okno->EopisOsi, opis, false);
    EXPECT_EQ(u().OsPozioma.Opis, opis.left(50));
    EXPECT_EQ(chart().dolna.tytul, opis);
    EXPECT_EQ(u().OsPionowa.Opis, QString());
}

TEST_F(TFUstawwykresTest, PoPonownymOtwarciuWykresuDomyslnePrzezroczystosci) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZWartosci);
    Klik(okno->CprzezrWart);
    EXPECT_FALSE(u().WartosciPrzezroczyste);
    EXPECT_FALSE(chart().serie[0].znaczniki.przezroczyste);
    Klik(okno->LCloseUstawienia);

    OtworzWykres(2); // "Czas pracy"
    Pokaz(TFUstawwykres::ZWartosci);
    EXPECT_TRUE(okno->CprzezrWart->isChecked());
    EXPECT_TRUE(u().WartosciPrzezroczyste);
}

TEST_F(TFUstawwykresTest, WierzcholkiLiniiIKolorLinii) {
    OtworzWykres(1);
    okno->hide();
    stan().ZadanyRodzajWykresu = WykresLiniowy;
    PokazRodzajWykresu(stan(), WykresLiniowy);
    Formatuj();
    EXPECT_TRUE(okno->PLinia->isVisible());
    Wpisz(okno->SSzer, QStringLiteral("7"));
    EXPECT_EQ(u().SzerokoscWierzcholka, 7);
    EXPECT_EQ(chart().serie[2].wysokoscWierzcholka, 7);

    // the line's colour goes to the chart only
    const UstawieniaWykresu przed = u();
    dialogi.kolor = QColor(10, 20, 30);
    Klik(okno->BKolorLini);
    EXPECT_EQ(chart().serie[2].kolorLinii, QColor(10, 20, 30));
    EXPECT_EQ(u(), przed);
}

TEST_F(TFUstawwykresTest, WartoscPoczatkowaTylkoCyfry) {
    OtworzWykres(1);
    QTest::keyClicks(okno->EWartpoczontkowa, QStringLiteral("12a-,"));
    QTest::keyClick(okno->EWartpoczontkowa, Qt::Key_Return);
    EXPECT_EQ(okno->EWartpoczontkowa->text(), QStringLiteral("012"));
    EXPECT_EQ(u().WartoscPoczatkowa, 12);
    EXPECT_EQ(chart().serie[0].poczatek, 12.0);
    // erased: the origin is 0
    okno->EWartpoczontkowa->selectAll();
    QTest::keyClick(okno->EWartpoczontkowa, Qt::Key_Delete);
    EXPECT_EQ(u().WartoscPoczatkowa, 0);
    EXPECT_EQ(chart().serie[0].poczatek, 0.0);
}

TEST_F(TFUstawwykresTest, PoleLiczbyZakresKrokIBledy) {
    OtworzWykres(1);
    PoleLiczby* s = okno->SSzerokoscSlupka;
    EXPECT_EQ(s->text(), QStringLiteral("30"));
    // letters are dropped; a value over the range stands as typed until the box is left
    Wpisz(s, QStringLiteral("1x50"), false);
    EXPECT_EQ(s->text(), QStringLiteral("150"));
    EXPECT_EQ(u().SzerokoscSlupka, 150);
    Opusc(s);
    EXPECT_EQ(s->text(), QStringLiteral("100"));
    EXPECT_EQ(u().SzerokoscSlupka, 100);
    EXPECT_EQ(chart().serie[0].szerokosc, 100);
    // the arrows step by 5 within the range
    QTest::keyClick(s, Qt::Key_Up);
    EXPECT_EQ(u().SzerokoscSlupka, 100);
    QTest::keyClick(s, Qt::Key_Down);
    EXPECT_EQ(u().SzerokoscSlupka, 95);
    EXPECT_TRUE(komunikaty.isEmpty());

    // texts that are not whole numbers are not taken, and leaving the box says so and shows the
    // last number taken again ("3" of "3,5" was taken while it was typed)
    const struct {
        QString tekst;
        int wartosc;
    } przypadki[] = {{QString(), 95}, {QStringLiteral("-"), 95}, {QStringLiteral("3,5"), 3}};
    for (const auto& [tekst, wartosc] : przypadki) {
        SCOPED_TRACE(tekst.toStdString());
        komunikaty.clear();
        Wpisz(s, tekst);
        EXPECT_EQ(u().SzerokoscSlupka, wartosc);
        EXPECT_EQ(chart().serie[0].szerokosc, wartosc);
        ASSERT_EQ(komunikaty.size(), 1);
        EXPECT_TRUE(komunikaty[0].contains(QStringLiteral("nie jest poprawną liczbą")));
        EXPECT_EQ(s->text(), QString::number(wartosc));
    }
}

TEST_F(TFUstawwykresTest, Wylaczenie3DWylaczaPochylenieIZoom) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZEfekty3D);
    EXPECT_TRUE(okno->S3dPercent->isEnabled());
    EXPECT_TRUE(okno->SZoom->isEnabled());
    Klik(okno->CWykres3d);
    EXPECT_FALSE(u().Wykres3D);
    EXPECT_FALSE(chart().widok.wlaczony);
    EXPECT_FALSE(okno->S3dPercent->isEnabled());
    EXPECT_FALSE(okno->SZoom->isEnabled());
    Klik(okno->CWykres3d);
    EXPECT_TRUE(chart().widok.wlaczony);
    EXPECT_TRUE(okno->S3dPercent->isEnabled());
    EXPECT_TRUE(okno->SZoom->isEnabled());
    okno->SZoom->setValue(150);
    EXPECT_EQ(u().Zoom, 150);
    EXPECT_EQ(chart().widok.zoom, 150);

    // on the pie the view is not orthogonal: checking again leaves both bars off
    OtworzWykres(3);
    Pokaz(TFUstawwykres::ZEfekty3D);
    Klik(okno->CWykres3d);
    Klik(okno->CWykres3d);
    EXPECT_FALSE(okno->S3dPercent->isEnabled());
    EXPECT_FALSE(okno->SZoom->isEnabled());
    // the scroll bars keep their positions between showings
    EXPECT_EQ(okno->SZoom->value(), 150);
}

TEST_F(TFUstawwykresTest, TloZewnetrznePoWczytaniuWzorca) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZTla);
    Klik(okno->RDowewn);
    EXPECT_TRUE(u().ObrazWewnatrz);
    EXPECT_TRUE(chart().tla.obrazWewnatrz);
    // a template read while the window is closed
    Klik(okno->LCloseUstawienia);
    UstawieniaWykresu wzorzec = u();
    wzorzec.ObrazWewnatrz = false;
    u() = wzorzec;
    ZastosujUstawienia(stan());
    Formatuj();
    Pokaz(TFUstawwykres::ZTla);
    EXPECT_TRUE(okno->Rzewnontrz->isChecked());
    EXPECT_FALSE(okno->RDowewn->isChecked());
    EXPECT_FALSE(u().ObrazWewnatrz);
}

TEST_F(TFUstawwykresTest, ObrazTla) {
    QTemporaryDir folder;
    const QString dobry = folder.filePath(QStringLiteral("tlo.png"));
    QImage obraz(8, 6, QImage::Format_RGB32);
    obraz.fill(Qt::green);
    ASSERT_TRUE(obraz.save(dobry));
    const QString zly = folder.filePath(QStringLiteral("zly.jpg"));
    {
        QFile f(zly);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("to nie jest obraz");
    }

    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZTla);
    // cancelled: the box stays checked, nothing else happens
    Klik(okno->WstawObrazek);
    EXPECT_EQ(dialogi.pytanyObraz, 1);
    EXPECT_TRUE(okno->WstawObrazek->isChecked());
    EXPECT_FALSE(u().ObrazTla);
    Klik(okno->WstawObrazek);
    EXPECT_TRUE(chart().tla.obraz.isNull());

    dialogi.obraz = dobry;
    Klik(okno->WstawObrazek);
    EXPECT_TRUE(u().ObrazTla);
    EXPECT_EQ(chart().tla.obraz.size(), QSize(8, 6));
    Klik(okno->WstawObrazek);
    EXPECT_FALSE(u().ObrazTla);
    EXPECT_TRUE(chart().tla.obraz.isNull());

    // an unreadable file: a message, the chart keeps the picture it had
    Klik(okno->WstawObrazek);
    UstawObrazTla(stan(), obraz); // loaded earlier and kept
    u().ObrazTla = false;
    Pokaz(TFUstawwykres::ZWykres);
    dialogi.obraz = zly;
    Pokaz(TFUstawwykres::ZTla); // the box set with ObrazTla false: the picture goes
    EXPECT_FALSE(okno->WstawObrazek->isChecked());
    EXPECT_TRUE(chart().tla.obraz.isNull());
    UstawObrazTla(stan(), obraz);
    Klik(okno->WstawObrazek);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].contains(QStringLiteral("zly.jpg")));
    EXPECT_TRUE(u().ObrazTla);
    EXPECT_EQ(chart().tla.obraz.size(), QSize(8, 6));

    // shown with ObrazTla true and the box clear: the dialog opens
    const int pytania = dialogi.pytanyObraz;
    u().ObrazTla = true;
    {
        const QSignalBlocker cicho(okno->WstawObrazek);
        okno->WstawObrazek->setChecked(false);
    }
    dialogi.obraz.clear();
    Pokaz(TFUstawwykres::ZWykres);
    Pokaz(TFUstawwykres::ZTla);
    EXPECT_EQ(dialogi.pytanyObraz, pytania + 1);
    EXPECT_TRUE(okno->WstawObrazek->isChecked());
}

TEST_F(TFUstawwykresTest, StanKontrolekNiewczytywanychZostaje) {
    OtworzWykres(1);
    Pokaz(TFUstawwykres::ZLegenda);
    EXPECT_EQ(okno->Spolozenie->text(), QStringLiteral("13"));
    EXPECT_EQ(u().PolozenieLegendy, 12);
    Wpisz(okno->Spolozenie, QStringLiteral("20"));
    EXPECT_EQ(chart().legenda.polozenie, 20);
    Klik(okno->LCloseUstawienia);
    OtworzWykres(2);
    Pokaz(TFUstawwykres::ZLegenda);
    EXPECT_EQ(okno->Spolozenie->text(), QStringLiteral("20"));
    EXPECT_EQ(u().PolozenieLegendy, 12);
}

// Every control changes its own field, and nothing else, and (where the field shows on the chart
// as it stands) the chart's picture.
TEST_F(TFUstawwykresTest, KazdaKontrolkaZmieniaSwojePole) {
    testy::KlasaWykresu(analiza, 12);
    const QColor kolor(30, 160, 90);
    Czcionka czcionka;
    czcionka.NazwaCzcionki = QStringLiteral("DejaVu Serif");
    czcionka.KolorCzcionki = KolorRGB(200, 0, 0);
    czcionka.Rozmiar = 13;
    czcionka.Styl = StylPogrubiony;
    dialogi.kolor = kolor;
    dialogi.czcionka = czcionka;
    const Kolor k = ZQColor(kolor);
    using T = TFUstawwykres;
    struct Przypadek {
        const char* nazwa;
        int rodzaj; // 1 bars, 2 pie, 3 line
        T::Zakladka zakladka;
        bool widac; // the field shows on the chart as it stands
        std::function<void(T&)> zrob;
        std::function<void(UstawieniaWykresu&)> zmiana;
    };
    const Przypadek przypadki[] = {
        {"Cksztalt", 1, T::ZWykres, true, [](T& o) { Wybierz(o.Cksztalt, 2); },
         [](auto& u) { u.KsztaltSlupka = 2; }},
        {"CKreska", 2, T::ZWykres, true, [](T& o) { Klik(o.CKreska); },
         [](auto& u) { u.Kreskowane = true; }},
        {"Seksplozja", 2, T::ZWykres, true, [](T& o) { Wpisz(o.Seksplozja, "40"); },
         [](auto& u) { u.Eksplozja = 40; }},
        {"SObrot", 2, T::ZWykres, true, [](T& o) { Wpisz(o.SObrot, "60"); },
         [](auto& u) { u.ObrotKola = 60; }},
        {"CwidoczneWierzcholki", 3, T::ZWykres, true, [](T& o) { Klik(o.CwidoczneWierzcholki); },
         [](auto& u) { u.WierzcholkiWidoczne = false; }},
        {"BKolorWierzch", 3, T::ZWykres, true, [](T& o) { Klik(o.BKolorWierzch); },
         [&](auto& u) { u.KolorWierzcholkow = k; }},
        {"Cksztaltwierzcholka", 3, T::ZWykres, true,
         [](T& o) { Wybierz(o.Cksztaltwierzcholka, 3); },
         [](auto& u) { u.KsztaltWierzcholka = 3; }},
        {"Sdlug", 3, T::ZWykres, true, [](T& o) { Wpisz(o.Sdlug, "12"); },
         [](auto& u) { u.DlugoscWierzcholka = 12; }},
        {"RDoLewej", 1, T::ZNaglowki, true, [](T& o) { Klik(o.RDoLewej); },
         [](auto& u) { u.Naglowek.Wyrownanie = 0; }},
        {"CTloDoTekstu", 1, T::ZNaglowki, false, [](T& o) { Klik(o.CTloDoTekstu); },
         [](auto& u) { u.Naglowek.TloDoTekstu = true; }},
        {"CPrzezroczyste i BTloNaglowki", 1, T::ZNaglowki, true,
         [](T& o) {
             Klik(o.CPrzezroczyste);
             Klik(o.BTloNaglowki);
         },
         [&](auto& u) {
             u.Naglowek.Przezroczysty = false;
             u.Naglowek.KolorTla = k;
         }},
        {"Cramka", 1, T::ZNaglowki, true, [](T& o) { Klik(o.Cramka); },
         [](auto& u) { u.Naglowek.Ramka = true; }},
        {"SKont", 1, T::ZOsie, true,
         [](T& o) {
             Wybierz(o.Cosie, 1);
             Wpisz(o.SKont, "90");
         },
         [](auto& u) { u.OsPozioma.Kat = 90; }},
        {"BKolorOsie", 1, T::ZOsie, true, [](T& o) { Klik(o.BKolorOsie); },
         [&](auto& u) { u.OsPionowa.KolorOsi = k; }},
        {"BKolorWartosci", 1, T::ZOsie, true, [](T& o) { Klik(o.BKolorWartosci); },
         [&](auto& u) { u.OsPionowa.CzcionkaEtykiet = czcionka; }},
        {"CwidocznaSiatka i RCiongla", 1, T::ZOsie, true,
         [](T& o) {
             Klik(o.CwidocznaSiatka);
             Klik(o.RCiongla);
         },
         [](auto& u) {
             u.OsPionowa.SiatkaWidoczna = true;
             u.OsPionowa.RodzajLinii = 0;
         }},
        {"Cprzezr", 1, T::ZOsie, true, [](T& o) { Klik(o.Cprzezr); },
         [](auto& u) { u.OsPionowa.SciankaPrzezroczysta = true; }},
        {"BKolorScianki", 1, T::ZOsie, true, [](T& o) { Klik(o.BKolorScianki); },
         [&](auto& u) { u.OsPionowa.KolorScianki = k; }},
        {"CwidocznaLegenda", 1, T::ZLegenda, true, [](T& o) { Klik(o.CwidocznaLegenda); },
         [](auto& u) { u.LegendaWidoczna = true; }},
        {"CPokazLegende", 1, T::ZLegenda, false, [](T& o) { Wybierz(o.CPokazLegende, 2); },
         [](auto& u) { u.PokazLegende = 2; }},
        {"legenda: kolory, czcionka, cień", 1, T::ZLegenda, true,
         [](T& o) {
             Klik(o.CwidocznaLegenda);
             Klik(o.BKolorTlaLegendy);
             Klik(o.BKolorCienia);
             Klik(o.BCzcionkaLegendy);
             Wpisz(o.SDlugCienia, "7");
         },
         [&](auto& u) {
             u.LegendaWidoczna = true;
             u.KolorLegendy = k;
             u.KolorCienia = k;
             u.CzcionkaLegendy = czcionka;
             u.DlugoscCienia = 7;
         }},
        {"Cgradient i kolory", 1, T::ZTla, true,
         [](T& o) {
             Klik(o.Cgradient);
             Klik(o.BKolorPocz);
             Klik(o.BKolorKonc);
             // the swatches follow the gradient colours
             EXPECT_EQ(o.LKororPocz->Kolor(), QColor(30, 160, 90));
             EXPECT_EQ(o.LKolorKonc->Kolor(), QColor(30, 160, 90));
         },
         [&](auto& u) {
             u.Gradient = true;
             u.KolorPoczatkowy = k;
             u.KolorKoncowy = k;
         }},
        {"BKolorZewn", 1, T::ZTla, true, [](T& o) { Klik(o.BKolorZewn); },
         [&](auto& u) { u.KolorTlaZewnetrzny = k; }},
        {"BKolorTla", 1, T::ZTla, true, [](T& o) { Klik(o.BKolorTla); },
         [&](auto& u) { u.KolorTlaWykresu = k; }},
        {"BKolorObramowania", 1, T::ZTla, true, [](T& o) { Klik(o.BKolorObramowania); },
         [&](auto& u) { u.KolorObramowania = k; }},
        {"C3dosie", 1, T::ZEfekty3D, true, [](T& o) { Klik(o.C3dosie); },
         [](auto& u) { u.Osie3D = false; }},
        {"S3dPercent", 1, T::ZEfekty3D, true, [](T& o) { o.S3dPercent->setValue(60); },
         [](auto& u) { u.Glebokosc3D = 60; }},
        {"RRodzajWartosci", 1, T::ZWartosci, true, [](T& o) { Klik(o.GRodzajWartosci->button(3)); },
         [](auto& u) { u.RodzajWartosci = 3; }},
        {"CprzezrWart i BKolorWart", 1, T::ZWartosci, true,
         [](T& o) {
             Klik(o.CprzezrWart);
             Klik(o.BKolorWart);
         },
         [&](auto& u) {
             u.WartosciPrzezroczyste = false;
             u.KolorTlaWartosci = k;
         }},
        {"BCzcionkaMarks", 1, T::ZWartosci, true, [](T& o) { Klik(o.BCzcionkaMarks); },
         [&](auto& u) { u.CzcionkaWartosci = czcionka; }},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        if (p.rodzaj == 3) {
            OtworzWykres(1);
            okno->hide();
            stan().ZadanyRodzajWykresu = WykresLiniowy;
            PokazRodzajWykresu(stan(), WykresLiniowy);
            Formatuj();
        } else {
            OtworzWykres(p.rodzaj == 2 ? 3 : 1);
        }
        Pokaz(p.zakladka);
        UstawieniaWykresu oczekiwane = u();
        const QImage przed = chartengine::RysujObraz(chart(), QSize(398, 280));
        const int odswiezenia = wykres.odswiezenia;
        p.zrob(*okno);
        p.zmiana(oczekiwane);
        EXPECT_EQ(u(), oczekiwane);
        EXPECT_GT(wykres.odswiezenia, odswiezenia);
        if (p.widac) EXPECT_NE(chartengine::RysujObraz(chart(), QSize(398, 280)), przed);
    }
}

TEST(TFUstawwykresProgram, FormatujWykresOtwieraOknoModalnie) {
    Program program;
    program.UtworzOkna();
    ASSERT_TRUE(program.FUstawwykres());
    program.FWykres()->OtworzWykres(3);
    bool otwarte = false;
    QTimer::singleShot(0, [&] {
        otwarte = QApplication::activeModalWidget() == program.FUstawwykres();
        // prepared for the pie the chart shows
        EXPECT_TRUE(program.FUstawwykres()->PKolo->isVisible());
        QTest::mouseClick(program.FUstawwykres()->LCloseUstawienia, Qt::LeftButton);
    });
    program.FWykres()->FormatujWykres();
    EXPECT_TRUE(otwarte);
    EXPECT_FALSE(program.FUstawwykres()->isVisible());
}

} // namespace
} // namespace sondrel
