// SPDX-License-Identifier: GPL-3.0-or-later
// The three popups of the results table: their texts word for word, the bars and colours for
// tests of 3, 4 and 5 options, their places, modality, and the report links.
#include "ui/okna/tf_pop_menu.h"
#include "ui/okna/tf_pop_osoba.h"
#include "ui/okna/tf_pop_pyt.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "support/klasa_testowa.h"
#include "support/ui/program_testowy.h"
#include "ui/okna/tf_browser.h"
#include "ui/okna/tf_tabela.h"
#include "ui/program.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

using testy::KlasaProbna;

QColor KolorTekstu(const QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

const QColor Zielony(0x00, 0x80, 0x00), Czerwony(0xFF, 0x00, 0x00), Zolty(0xFF, 0xFF, 0x00),
    Zwykly(0x2E, 0x2E, 0x2E), Szary(0x80, 0x80, 0x80);

class Popupy : public testy::ProgramTestowy {
protected:
    std::unique_ptr<TFTabela> tabela;
    std::unique_ptr<TFPopMenu> pytanie;
    std::unique_ptr<TFPopOsoba> osoba;
    std::unique_ptr<TFPopPyt> odpowiedz;
    std::unique_ptr<TFBrowser> raport;
    QList<QUrl> otwarte;

    void SetUp() override {
        KlasaProbna(program.analiza, folder.path());
        program.OtworzWPrzegladarce = [this](const QUrl& u) { otwarte << u; };
        tabela = std::make_unique<TFTabela>(program);
        pytanie = std::make_unique<TFPopMenu>(program);
        osoba = std::make_unique<TFPopOsoba>(program);
        odpowiedz = std::make_unique<TFPopPyt>(program);
        raport = std::make_unique<TFBrowser>(program);
        // the popups' report links through the program's window rules
        program.Zasady().Podlacz(pytanie.get());
        program.Zasady().Podlacz(tabela.get());
        program.Zasady().Podlacz(osoba.get());
        program.Zasady().Podlacz(odpowiedz.get());
        program.Zasady().Podlacz(raport.get());
        pytanie->UstawOknoOdniesienia(tabela.get());
        osoba->UstawOknoOdniesienia(tabela.get());
    }
};

TEST_F(Popupy, PytanieDlaTrzechCzterechIPieciuOpcji) {
    Analiza& a = program.analiza;
    // question 2: options A and C correct; nobody ticked B
    for (int k = 1; k <= 5; ++k)
        a.Pytania[2].Odpowiedzi[k].Tresc = QStringLiteral("opcja %1").arg(k);
    a.Pytania[2].Odpowiedzi[5].Poprawna = true;
    a.StatPytan[2].Wybrali = {};
    const int wybrali[] = {0, 3, 0, 2, 1, 4};
    for (int k = 1; k <= 5; ++k)
        a.StatPytan[2].Wybrali[k] = wybrali[k];

    const struct {
        int opcji;
        const char* podpis;
    } uklady[] = {{5, " 1  2   3   4   5"}, {3, " 1  2   3"}, {4, " 1  2   3   4"}};
    for (const auto& u : uklady) {
        a.Test.IloscOdpowiedzi = u.opcji;
        pytanie->WypelnijPytanie(2);
        EXPECT_EQ(pytanie->LNrPytania->text(), QStringLiteral("Pytanie nr 2"));
        EXPECT_EQ(pytanie->LPytanie->text(), QString::fromUtf8("Które ułamki są większe od 1/2?"));
        EXPECT_EQ(pytanie->LPodpis->text(), QString::fromLatin1(u.podpis));
        for (int k = 1; k <= 5; ++k) {
            const bool widoczna = k <= u.opcji;
            EXPECT_EQ(!pytanie->Cyl[k]->isHidden(), widoczna) << u.opcji << " opcja " << k;
            EXPECT_EQ(!pytanie->LOdp[k]->isHidden(), widoczna) << u.opcji << " opcja " << k;
            if (!widoczna) continue;
            const WskaznikPionowy* c = pytanie->Cyl[k];
            const bool poprawna = k == 1 || k == 3 || k == 5;
            EXPECT_EQ(c->Maksimum(), a.IloscUczniow);
            EXPECT_EQ(c->Pozycja(), wybrali[k]);
            EXPECT_EQ(c->Podpis(), QString::number(wybrali[k]));
            EXPECT_EQ(c->KolorWypelnienia(), poprawna ? Zielony : Szary);
            EXPECT_EQ(c->KolorTla(), QColor(Qt::white));
            EXPECT_EQ(KolorTekstu(pytanie->LOdp[k]), poprawna ? Zielony : Zwykly);
            EXPECT_EQ(pytanie->LOdp[k]->text(), QStringLiteral("opcja %1").arg(k));
        }
    }
    // an empty bar, and one student who ticked everything fills a bar
    EXPECT_EQ(pytanie->Cyl[2]->WysokoscWypelnienia(), 0);
    a.StatPytan[2].Wybrali[1] = a.IloscUczniow;
    pytanie->WypelnijPytanie(2);
    EXPECT_EQ(pytanie->Cyl[1]->WysokoscWypelnienia(), pytanie->Cyl[1]->height() - 2);
    EXPECT_EQ(pytanie->LGenerujRaport->text(),
              QString::fromUtf8("Generuj pełną informację o pytaniu"));
    EXPECT_EQ(pytanie->size(), QSize(485, 280));
}

TEST_F(Popupy, UczenPodsumowanie) {
    // students sorted: Kowalski Jan, Nowak Łucja, O"Brien…, Zięba Ewa
    Analiza& a = program.analiza;
    OdpowiedzBig& u = a.Uczniowie[2];
    u.Start = CzasZGodziny(QTime(8, 5, 0));
    u.Koniec = CzasZGodziny(QTime(8, 47, 30));
    for (const bool fn : {false, true}) {
        program.ustawienia.fn = fn;
        osoba->WypelnijUcznia(2);
        EXPECT_EQ(osoba->LNrPytania->text(), fn ? QString::fromUtf8("Uczeń Łucja Nowak")
                                                : QString::fromUtf8("Uczeń Nowak Łucja"));
    }
    EXPECT_EQ(osoba->LWynikiUcznia->text(),
              QString::fromUtf8("Ilość pytań w teście: 3\n"
                                "Ilość poprawnych odpowiedzi: 3\n"
                                "Skuteczność: 100%\n"
                                "Rozpoczął pracę nad testem o: 08:05:00\n"
                                "Zakończył pracę o: 08:47:30\n"
                                "Czas pracy nad testem: 42 min 30 s\n"
                                "\n"
                                "Ocena ogólna: Cel"));
    EXPECT_EQ(osoba->Uczen(), 2);
    EXPECT_EQ(osoba->LGenerujRaport->text(),
              QString::fromUtf8("Generuj pełną informację o uczniu"));
    // a slot outside the class changes nothing
    osoba->WypelnijUcznia(9);
    EXPECT_EQ(osoba->Uczen(), 2);
}

TEST_F(Popupy, OdpowiedzUczniaKoloryIWerdykt) {
    Analiza& a = program.analiza;
    // slot 3: O"Brien ticked A, B and C in question 2 (key A and C); slot 4: Zięba ticked B in
    // question 1 (key A); slot 2: Nowak right in question 1
    const struct {
        int q, s;
        QColor kolory[5];
        const char* werdykt;
    } przypadki[] = {
        {2, 3, {Zielony, Czerwony, Zielony, Zwykly}, "Uczeń odpowiedział błędnie."},
        {1, 4, {Zolty, Czerwony, Zwykly, Zwykly}, "Uczeń odpowiedział błędnie."},
        {1, 2, {Zielony, Zwykly, Zwykly, Zwykly}, "Uczeń odpowiedział poprawnie."},
    };
    for (const auto& p : przypadki) {
        odpowiedz->WypelnijOdpowiedzUcznia(p.q, p.s);
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(KolorTekstu(odpowiedz->LOdp[k]), p.kolory[k - 1])
                << p.q << "/" << p.s << " " << k;
        EXPECT_EQ(odpowiedz->LPodsuma->text(), QString::fromUtf8(p.werdykt));
    }
    EXPECT_EQ(odpowiedz->LNrPytania->text(),
              QString::fromUtf8("Pytanie nr 1 - Uczeń: Nowak Łucja"));
    EXPECT_EQ(odpowiedz->LPytanie->text(), QString::fromUtf8("Ile to jest <b>1/2 + 1/4</b>?"));
    EXPECT_EQ(odpowiedz->LOdp[1]->text(), QStringLiteral("3/4"));
    // the number of options decides which option lines show
    for (const int opcji : {3, 5, 4}) {
        a.Test.IloscOdpowiedzi = opcji;
        odpowiedz->WypelnijOdpowiedzUcznia(1, 1);
        EXPECT_EQ(!odpowiedz->LOdp[4]->isHidden(), opcji > 3);
        EXPECT_EQ(!odpowiedz->LOdp[5]->isHidden(), opcji > 4);
    }
}

// What does not fit a popup's label is cut with "…" and read whole in its tooltip; what fits
// shows as it is, with no tooltip.
TEST_F(Popupy, DlugieTekstyPrzycieteZPodpowiedzia) {
    Analiza& a = program.analiza;
    a.Test.IloscOdpowiedzi = 4;
    const QString dlugie = QStringLiteral(
        "Bardzo długa opcja odpowiedzi, która na pewno nie mieści się w jednej linii "
        "okienka, bo ma wiele słów");
    const QString pytanieDlugie =
        QStringList(8, QStringLiteral("Pytanie w czterech liniach i więcej, ")).join(QString());
    a.Pytania[1].Tresc = pytanieDlugie;
    a.Pytania[1].Odpowiedzi[1].Tresc = dlugie;
    a.Pytania[1].Odpowiedzi[2].Tresc = QStringLiteral("krótka");
    a.Uczniowie[2].Nazwisko = QStringList(6, QStringLiteral("Dwuczłonowe-Nazwisko")).join('-');
    pytanie->WypelnijPytanie(1);
    odpowiedz->WypelnijOdpowiedzUcznia(1, 2);
    osoba->WypelnijUcznia(2);
    const struct {
        const Etykieta* l;
        QString pelny;
        bool przyciety;
    } przypadki[] = {
        {pytanie->LPytanie, pytanieDlugie, true},
        {pytanie->LOdp[1], dlugie, true},
        {pytanie->LOdp[2], QStringLiteral("krótka"), false},
        {odpowiedz->LPytanie, pytanieDlugie, true},
        {odpowiedz->LOdp[1], dlugie, true},
        {odpowiedz->LNrPytania,
         QStringLiteral("Pytanie nr 1 - Uczeń: ") + NazwaUcznia(a.Uczniowie[2], false), true},
        {osoba->LNrPytania, QStringLiteral("Uczeń ") + NazwaUcznia(a.Uczniowie[2], false), true},
        {pytanie->LNrPytania, QStringLiteral("Pytanie nr 1"), false},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.pelny.toStdString());
        EXPECT_EQ(p.l->PelnyTekst(), p.pelny);
        if (!p.przyciety) {
            EXPECT_EQ(p.l->text(), p.pelny);
            EXPECT_TRUE(p.l->toolTip().isEmpty());
            continue;
        }
        EXPECT_TRUE(p.l->text().endsWith(QChar(0x2026))) << p.l->text().toStdString();
        EXPECT_EQ(p.l->toolTip(), p.pelny);
        // what is shown fits the label's width and height
        const QFontMetrics fm(p.l->font());
        const QRect r = p.l->contentsRect();
        const QRect zajete = fm.boundingRect(QRect(0, 0, r.width(), 1 << 20),
                                             p.l->wordWrap() ? Qt::TextWordWrap : 0, p.l->text());
        EXPECT_LE(zajete.width(), r.width());
        EXPECT_LE(zajete.height(), std::max(fm.lineSpacing(), r.height()));
    }
    // a shorter text later shows whole and drops the tooltip
    a.Pytania[1].Tresc = QStringLiteral("Krótkie pytanie?");
    pytanie->WypelnijPytanie(1);
    EXPECT_EQ(pytanie->LPytanie->text(), QStringLiteral("Krótkie pytanie?"));
    EXPECT_TRUE(pytanie->LPytanie->toolTip().isEmpty());
}

TEST_F(Popupy, MiejscaIModalnosc) {
    tabela->move(100, 50);
    // the student and question popups beside the table window, the answer popup where it was
    QPoint miejsce, miejsceOdpowiedzi;
    QWidget* modalne = nullptr;
    QTimer::singleShot(0, [&] {
        miejsce = osoba->pos();
        modalne = QApplication::activeModalWidget();
        osoba->LClose->klik();
    });
    osoba->PokazUcznia(1);
    EXPECT_EQ(miejsce, QPoint(250, 130));
    EXPECT_EQ(modalne, osoba.get());
    EXPECT_FALSE(osoba->isVisible());

    QTimer::singleShot(0, [&] {
        miejsce = pytanie->pos();
        pytanie->LClose->klik();
    });
    pytanie->PokazPytanie(3);
    EXPECT_EQ(miejsce, QPoint(250, 130));

    QTimer::singleShot(0, [&] {
        miejsceOdpowiedzi = odpowiedz->pos();
        odpowiedz->move(400, 222); // dragged elsewhere
        odpowiedz->LClose->klik();
    });
    odpowiedz->PokazOdpowiedzUcznia(1, 1);
    EXPECT_EQ(miejsceOdpowiedzi, QPoint(300, 151));
    QTimer::singleShot(0, [&] {
        miejsceOdpowiedzi = odpowiedz->pos();
        odpowiedz->LClose->klik();
    });
    odpowiedz->PokazOdpowiedzUcznia(1, 1);
    EXPECT_EQ(miejsceOdpowiedzi, QPoint(400, 222));
    // made tool windows of the main window, the popups stay above it and only above it
    Okno glowne;
    for (Okno* o : {static_cast<Okno*>(osoba.get()), static_cast<Okno*>(pytanie.get()),
                    static_cast<Okno*>(odpowiedz.get())}) {
        o->UstawOknoGlowne(&glowne);
        EXPECT_EQ(o->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_FALSE(o->windowFlags() & Qt::WindowStaysOnTopHint);
    }
}

// From the keyboard: Esc closes every popup as its close mark does; Tab reaches the report
// link, which Enter follows.
TEST_F(Popupy, EscZamykaATabIEnterProwadzaDoRaportu) {
    const struct {
        const char* nazwa;
        OknoPopup* popup;
        std::function<void()> pokaz;
    } popupy[] = {
        {"ucznia", osoba.get(), [this] { osoba->PokazUcznia(1); }},
        {"pytania", pytanie.get(), [this] { pytanie->PokazPytanie(2); }},
        {"odpowiedzi", odpowiedz.get(), [this] { odpowiedz->PokazOdpowiedzUcznia(1, 1); }},
    };
    for (const auto& p : popupy) {
        SCOPED_TRACE(p.nazwa);
        bool widocznyPoEsc = true;
        QTimer::singleShot(0, [&] {
            QTest::keyClick(p.popup, Qt::Key_Escape);
            widocznyPoEsc = p.popup->isVisible();
            if (widocznyPoEsc) p.popup->LCloseClick(); // the modal loop ends all the same
        });
        p.pokaz();
        EXPECT_FALSE(widocznyPoEsc);
    }

    program.ustawienia.rdfw = true;
    tabela->PokazTabele(RodzajTabeli::Wynikow);
    for (auto [popup, link] : {std::pair<OknoPopup*, Etykieta*>{osoba.get(), osoba->LGenerujRaport},
                               {pytanie.get(), pytanie->LGenerujRaport}}) {
        const qsizetype przed = otwarte.size();
        QWidget* zFokusem = nullptr;
        QTimer::singleShot(0, [&, popup = popup, link = link] {
            QTest::keyClick(popup, Qt::Key_Tab);
            zFokusem = popup->focusWidget();
            if (zFokusem == link)
                QTest::keyClick(link, Qt::Key_Return);
            else
                popup->LCloseClick();
        });
        popup == osoba.get() ? osoba->PokazUcznia(2) : pytanie->PokazPytanie(1);
        EXPECT_EQ(zFokusem, link);
        EXPECT_EQ(link->accessibleName(), link->text());
        EXPECT_FALSE(popup->isVisible());
        EXPECT_EQ(otwarte.size(), przed + 1);
    }
}

TEST_F(Popupy, LinkiRaportowZDomyslnaPrzegladarka) {
    program.ustawienia.rdfw = true;
    tabela->PokazTabele(RodzajTabeli::Wynikow);
    // the link greys under the mouse
    QEvent wejscie(QEvent::Enter);
    QApplication::sendEvent(osoba->LGenerujRaport, &wejscie);
    EXPECT_EQ(KolorTekstu(osoba->LGenerujRaport), Szary);
    QEvent wyjscie(QEvent::Leave);
    QApplication::sendEvent(osoba->LGenerujRaport, &wyjscie);
    EXPECT_EQ(KolorTekstu(osoba->LGenerujRaport), Zwykly);

    QTimer::singleShot(0, [&] { osoba->LGenerujRaport->klik(); });
    osoba->PokazUcznia(3);
    EXPECT_FALSE(osoba->isVisible());
    ASSERT_EQ(otwarte.size(), 1);
    EXPECT_TRUE(otwarte.at(0).toLocalFile().endsWith(QString::fromUtf8("Ułamki zwykłe_Ucz3.htm")));
    EXPECT_EQ(raport->PowrotDoTabeli, 1);
    // the browser is another program: the table window comes back at once
    EXPECT_TRUE(tabela->isVisible());
    EXPECT_FALSE(raport->isVisible());

    QTimer::singleShot(0, [&] { pytanie->LGenerujRaport->klik(); });
    pytanie->PokazPytanie(2);
    ASSERT_EQ(otwarte.size(), 2);
    EXPECT_TRUE(
        otwarte.at(1).toLocalFile().endsWith(QString::fromUtf8("Ułamki zwykłe_PytNr2.htm")));
    EXPECT_TRUE(komunikaty.isEmpty());

    // a report that cannot be saved: its message, and the table window back
    program.srodowisko.foldery.FolderTemp = folder.filePath("Dziennik.txt/x");
    QFile(folder.filePath("Dziennik.txt")).open(QIODevice::Append);
    QTimer::singleShot(0, [&] { pytanie->LGenerujRaport->klik(); });
    pytanie->PokazPytanie(2);
    EXPECT_EQ(otwarte.size(), 2);
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(
        komunikaty.at(0).tekst.startsWith(QString::fromUtf8("Nie udało się zapisać raportu.")));
    EXPECT_TRUE(tabela->isVisible());
}

} // namespace
} // namespace sondrel
