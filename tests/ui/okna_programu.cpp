// SPDX-License-Identifier: GPL-3.0-or-later
// Every window of the program together: a close request from the desktop (as a window manager
// sends it) leaves each window as its close mark does, so it opens again; every window is
// transient for the main window itself, in the toolkit and, under X11, in WM_TRANSIENT_FOR.
// Runs on the offscreen platform and, registered a second time, under Xvfb.
#include "analysis/przebieg_analizy.h"
#include "support/klasa_testowa.h"
#include "support/pliki_testowe.h"
#include "support/ui/program_testowy.h"
#include "ui/okna/tf_archiwum.h"
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

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#ifdef SONDREL_XCB
#include <xcb/xcb.h>
#endif

namespace sondrel {
namespace {

#ifdef SONDREL_XCB
QNativeInterface::QX11Application* X11() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
}
#endif

// What a window manager sends for its close button, Alt+F4 or `wmctrl -c`: under X11 the
// WM_DELETE_WINDOW message to the window itself, elsewhere the platform's close request.
void ZamknijJakPulpit(QWidget* okno) {
    QWindow* w = okno->windowHandle();
    ASSERT_NE(w, nullptr);
#ifndef SONDREL_XCB
    w->close();
#else
    auto* x11 = X11();
    if (!x11) {
        w->close(); // the platform window's close: a spontaneous close event, as from outside
        return;
    }
    xcb_connection_t* c = x11->connection();
    const auto atom = [c](const char* nazwa) {
        auto* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(nazwa), nazwa), nullptr);
        const xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
        free(r);
        return a;
    };
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = static_cast<xcb_window_t>(okno->winId());
    m.type = atom("WM_PROTOCOLS");
    m.data.data32[0] = atom("WM_DELETE_WINDOW");
    m.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, m.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&m));
    xcb_flush(c);
#endif
}

// WM_TRANSIENT_FOR of a window under X11 (0 when it has none); -1 on another platform.
qint64 TransientForX11(QWidget* okno) {
#ifndef SONDREL_XCB
    Q_UNUSED(okno);
    return -1;
#else
    auto* x11 = X11();
    if (!x11) return -1;
    xcb_connection_t* c = x11->connection();
    auto* r =
        xcb_get_property_reply(c,
                               xcb_get_property(c, 0, static_cast<xcb_window_t>(okno->winId()),
                                                XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1),
                               nullptr);
    qint64 wynik = 0;
    if (r && xcb_get_property_value_length(r) == 4)
        wynik = *static_cast<xcb_window_t*>(xcb_get_property_value(r));
    free(r);
    return wynik;
#endif
}

// The program with all its windows: the messages are the message dialog's.
class OknaProgramu : public testy::ProgramTestowy {
protected:
    void SetUp() override {
        plik = folder.filePath("a.sko");
        ASSERT_TRUE(testy::ZapiszPlikOdpowiedzi(plik, {}));
        program.UtworzOkna();
        program.FGlowny()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(program.FGlowny()));
        program.FGlowny()->AnalizujPliki({plik});
        raport = folder.filePath("raport.htm");
        QFile f(raport);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body><p>Raport</p></body></html>");
    }

    // Each window opened the way the program opens it (a plain show where its opening needs a
    // modal loop or a user's choice).
    struct Otwieranie {
        const char* nazwa;
        std::function<Okno*(Program&)> okno;
        std::function<void(Program&)> otworz;
    };
    std::vector<Otwieranie> Okna() {
        const QString r = raport;
        return {
            {"raport", [](Program& p) -> Okno* { return p.FBrowser(); },
             [r](Program& p) { p.FBrowser()->WyswietlRaport(r); }},
            {"wykres", [](Program& p) -> Okno* { return p.FWykres(); },
             [](Program& p) { p.FGlowny()->LDiagramWynikow->klik(); }},
            {"tabela", [](Program& p) -> Okno* { return p.FTabela(); },
             [](Program& p) { p.FGlowny()->LTabelaWynikow->klik(); }},
            {"popup pytania", [](Program& p) -> Okno* { return p.FPopMenu(); },
             [](Program& p) { p.FPopMenu()->PokazPytanie(0); }},
            {"popup ucznia", [](Program& p) -> Okno* { return p.FPopOsoba(); },
             [](Program& p) { p.FPopOsoba()->PokazUcznia(0); }},
            {"popup odpowiedzi", [](Program& p) -> Okno* { return p.FPopPyt(); },
             [](Program& p) {
                 p.FPopPyt()->PokazOdpowiedzUcznia(0, 0);
                 if (!p.FPopPyt()->isVisible()) p.FPopPyt()->show(); // no test: nothing to fill in
             }},
            {"ustawienia wykresu", [](Program& p) -> Okno* { return p.FUstawwykres(); },
             [](Program& p) { p.FUstawwykres()->show(); }},
            {"komunikat", [](Program& p) -> Okno* { return p.FWarning(); },
             [](Program& p) { p.FWarning()->show(); }},
            {"lista plikow", [](Program& p) -> Okno* { return p.FOknoLPlikow(); },
             [](Program& p) { p.FOknoLPlikow()->show(); }},
            {"obie listy", [](Program& p) -> Okno* { return p.FOknoObieListy(); },
             [](Program& p) { p.FOknoObieListy()->show(); }},
            {"ustawienia", [](Program& p) -> Okno* { return p.FIniSondrel(); },
             [](Program& p) { p.FIniSondrel()->show(); }},
            {"zegar", [](Program& p) -> Okno* { return p.FZegar(); },
             [](Program& p) { p.FZegar()->show(); }},
            {"winieta", [](Program& p) -> Okno* { return p.FWinieta(); },
             [](Program& p) { p.FWinieta()->show(); }},
            {"archiwum", [](Program& p) -> Okno* { return p.FArchiwum(); },
             [](Program& p) { p.FArchiwum()->Pokaz(); }},
        };
    }

    QString plik, raport;
};

// Opens a window as the program does and runs `sprawdz` once it is on screen (from inside the
// window's modal loop for the windows shown modally); returns when `sprawdz` has run.
void OtworzISprawdz(Program& program, const std::function<void(Program&)>& otworz, Okno* okno,
                    const std::function<void()>& sprawdz) {
    bool gotowe = false;
    QTimer::singleShot(0, okno, [&] {
        struct Koniec {
            bool& g;
            ~Koniec() { g = true; }
        } koniec{gotowe}; // also when an assertion leaves early
        EXPECT_TRUE(QTest::qWaitForWindowExposed(okno));
        if (okno == program.FBrowser()) // the engine's view joins the window as the page comes
            EXPECT_TRUE(QTest::qWaitFor([&] { return program.FBrowser()->Zaladowany(); }, 20000));
        sprawdz();
    });
    otworz(program);
    EXPECT_TRUE(QTest::qWaitFor([&] { return gotowe; }, 30000));
}

TEST_F(OknaProgramu, ZamknieciePrzezPulpitZostawiaOknoDoPonownegoOtwarcia) {
    for (const auto& o : Okna()) {
        SCOPED_TRACE(o.nazwa);
        Okno* okno = o.okno(program);
        for (int raz = 0; raz < 2; ++raz) {
            OtworzISprawdz(program, o.otworz, okno, [&] {
                EXPECT_TRUE(okno->isVisible()) << "not shown again";
                ASSERT_TRUE(okno->windowHandle() && okno->windowHandle()->handle())
                    << "native window gone";
                ZamknijJakPulpit(okno);
                QTest::qWaitFor([okno] { return !okno->isVisible(); }, 2000);
            });
            EXPECT_FALSE(okno->isVisible());
            EXPECT_TRUE(program.FGlowny()->isVisible()); // the program goes on
        }
    }
}

TEST_F(OknaProgramu, KazdeOknoPrzejscioweDlaGlownego) {
    const qint64 glowne = static_cast<qint64>(program.FGlowny()->winId());
    for (const auto& o : Okna()) {
        SCOPED_TRACE(o.nazwa);
        Okno* okno = o.okno(program);
        OtworzISprawdz(program, o.otworz, okno, [&] {
            EXPECT_EQ(okno->windowHandle()->transientParent(), program.FGlowny()->windowHandle());
            const qint64 x11 = TransientForX11(okno);
            if (x11 != -1) EXPECT_EQ(x11, glowne);
            okno->Zamknij();
        });
    }
}

// The desktop's close request for the main window while the message dialog is open (the
// toolkit drops it, the dialog blocking the window): the dialog closes as its close mark
// would, then the program ends. Only a window manager's message shows it: under X11.
TEST_F(OknaProgramu, ZamkniecieGlownegoZaOtwartymKomunikatem) {
#ifdef SONDREL_XCB
    if (!X11()) GTEST_SKIP() << "the X11 run of this test checks it";
#else
    GTEST_SKIP() << "built without X11";
#endif
    int zakonczen = 0;
    program.FGlowny()->wybory.Zakoncz = [&] { ++zakonczen; };
    bool wyslane = false;
    QTimer::singleShot(0, program.FWarning(), [&] {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(program.FWarning()));
        ZamknijJakPulpit(program.FGlowny());
        wyslane = true;
    });
    program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, QStringLiteral("Uwaga"));
    const int wynik = program.srodowisko.WynikKomunikatu();
    EXPECT_TRUE(wyslane);
    EXPECT_EQ(wynik, WynikZamknij);
    EXPECT_FALSE(program.FWarning()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return zakonczen == 1; }, 2000));
}

// The table window after an analysis of a class of 25 (a table of 23 rows with page arrows):
// on a screen with room for that it leaves both the main window's menu column and the analysis
// panel's "Zamknij analizę" button uncovered, measured on the windows as they stand.
TEST_F(OknaProgramu, TabelaNieZakrywaMenuAniZamknieciaAnalizy) {
    const QRect ekran = program.FGlowny()->screen()->availableGeometry();
    if (ekran.width() < 1280 || ekran.height() < 1024)
        GTEST_SKIP() << "needs a 1280 x 1024 screen: the Xvfb run checks it";
    program.FGlowny()->move(ekran.center() - program.FGlowny()->rect().center());
    testy::Klasa(program.analiza, QStringLiteral("Ułamki"), 20);
    for (int i = 1; i <= 25; ++i)
        testy::Uczen(program.analiza, QStringLiteral("Nazwisko%1").arg(i), QStringLiteral("Imię"),
                     QStringLiteral("10110111011101110110"));
    testy::Podsumuj(program.analiza);
    program.FTabela()->Zamknij(); // the first analysis showed it; it is placed as it comes up
    program.FTabela()->PokazTabele(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(program.FTabela()));

    Etykieta* przycisk = program.FGlowny()->LZamknijAnaliza;
    ASSERT_TRUE(przycisk->isVisible());
    const QRect tabela = program.FTabela()->frameGeometry();
    EXPECT_GE(tabela.height(), 450); // big enough to have covered the button before
    EXPECT_FALSE(tabela.intersects(QRect(przycisk->mapToGlobal(QPoint(0, 0)), przycisk->size())))
        << "table " << tabela.x() << "," << tabela.y() << " " << tabela.width() << "x"
        << tabela.height();
    EXPECT_FALSE(tabela.intersects(program.FGlowny()->ObszarOdsloniety()));
    EXPECT_TRUE(ekran.contains(tabela));
}

} // namespace
} // namespace sondrel
