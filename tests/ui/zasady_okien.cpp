// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window rules with every window of the program: what each entry of the analysis
// panel's menus closes and opens, and the archive's entries of the start screen as requests.
// Reports go to the default browser here, so the HTML engine is not needed.
#include "ui/zasady_okien.h"

#include "support/klasa_testowa.h"
#include "support/ui/program_testowy.h"
#include "ui/okna/panel_archiwum.h"
#include "ui/okna/tf_archiwum.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_okno_l_plikow.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_wykres.h"
#include "ui/program.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace sondrel {
namespace {

class ZasadyOkienTest : public testy::ProgramTestowy {
protected:
    void SetUp() override {
        program.srodowisko.foldery.FolderDanych = sciezka(QStringLiteral("dane"));
        program.OtworzWPrzegladarce = [this](const QUrl& u) { otwarte << u; };
        program.UtworzOkna();
        ZapisujKomunikaty();
        program.FGlowny()->show();
        QCoreApplication::processEvents();
        program.ustawienia.rdfw = true; // after the settings file was read at the first show
    }
    // An analysis with the test, shown as the program shows one.
    void Analiza() {
        testy::KlasaProbna(program.analiza, folder.path());
        program.FGlowny()->PokazAnalize();
    }
    bool Widac(Okno* o) const { return o->isVisible(); }

    QList<QUrl> otwarte; // reports handed to the default browser
};

// Each entry of the analysis panel, chosen while both the table and the chart window are on
// screen: which of them stays, and what else happens.
TEST_F(ZasadyOkienTest, MenuPaneluAnalizyZamykaIOtwieraWedlugZasad) {
    Analiza();
    TFGlowny& g = *program.FGlowny();
    const struct {
        const char* nazwa;
        std::function<void()> wybierz;
        bool tabela, wykres;
        int raportow; // reports opened
    } przypadki[] = {
        {"tabela ocen", [&] { g.LTabelaOceny->klik(); }, true, false, 0},
        {"wykres wyników", [&] { g.LDiagramWynikow->klik(); }, false, true, 0},
        // a report puts away the table window and the chart window alike
        {"raport o teście", [&] { g.LRaport1->klik(); }, false, false, 1},
        {"jakość pytań", [&] { g.LRaport4->klik(); }, false, false, 1},
        {"zamknij analizę", [&] { g.LZamknijAnaliza->klik(); }, false, false, 0},
        {"nowa analiza", [&] { g.PokazAnalize(); }, true, false, 0},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        program.FTabela()->PokazTabele(RodzajTabeli::Czasu);
        program.FWykres()->OtworzWykres(3);
        ASSERT_TRUE(Widac(program.FTabela()) && Widac(program.FWykres()));
        otwarte.clear();
        p.wybierz();
        EXPECT_EQ(Widac(program.FTabela()), p.tabela);
        EXPECT_EQ(Widac(program.FWykres()), p.wykres);
        EXPECT_EQ(otwarte.size(), p.raportow);
    }
    EXPECT_TRUE(teksty().isEmpty());
    // the chart and table entries open what they name
    g.LTabelaOceny->klik();
    EXPECT_EQ(program.FTabela()->Stan().Rodzaj, RodzajTabeli::Ocen);
    g.LDiagramCzas->klik();
    EXPECT_EQ(program.FWykres()->Stan().BiezacyRodzajWykresu, WykresSlupkowy);
    EXPECT_EQ(program.FWykres()->Stan().Wykres.tytul.wiersze.value(0),
              QStringLiteral("Czas pracy"));
}

// A new analysis puts away the windows of the step before it.
TEST_F(ZasadyOkienTest, NowaAnalizaZamykaOknaPoprzedniegoKroku) {
    program.FOknoLPlikow()->show();
    program.FIniSondrel()->show();
    Analiza();
    EXPECT_FALSE(Widac(program.FOknoLPlikow()));
    EXPECT_FALSE(Widac(program.FIniSondrel()));
    EXPECT_TRUE(Widac(program.FTabela()));
    EXPECT_EQ(program.FTabela()->Stan().Rodzaj, RodzajTabeli::Wynikow);
}

// A report made by another window is shown as the report menu's are: in the default browser
// here, a failure as its message.
TEST_F(ZasadyOkienTest, RaportInnegoOknaJakRaportZMenu) {
    WynikRaportu udany, nieudany;
    udany.sciezka = folder.filePath("r.htm");
    nieudany.blad = QStringLiteral("Nie udało się zapisać raportu.");
    program.PokazRaport(udany);
    EXPECT_EQ(otwarte, QList<QUrl>{QUrl::fromLocalFile(udany.sciezka)});
    program.PokazRaport(nieudany);
    EXPECT_EQ(teksty(), QStringList{nieudany.blad});
    EXPECT_EQ(otwarte.size(), 1);
}

// The archive's two entries: browsing opens the archive window; saving needs an analysis first
// (what it asks and saves: the archive window's tests).
TEST_F(ZasadyOkienTest, MenuArchiwum) {
    TFGlowny& g = *program.FGlowny();
    g.LArchiwum_0->klik();
    ASSERT_TRUE(g.PPodMenuArchiwum->isVisible());
    EXPECT_FALSE(g.PPodMenuTesty->isVisible());
    EXPECT_FALSE(g.LZapiszWArchiwum->isEnabled()); // no analysis yet
    g.LZapiszWArchiwum->klik();                    // does nothing
    EXPECT_TRUE(teksty().isEmpty());
    QMouseEvent ruch(QEvent::MouseMove, QPointF(3, 3),
                     g.LPrzegladajArchiwum->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g.LPrzegladajArchiwum, &ruch);
    EXPECT_TRUE(g.LOpisMenu->text().startsWith(QStringLiteral("Przeglądanie archiwum analiz.")));
    QSignalSpy wczytano(program.FArchiwum()->Panel, &PanelArchiwum::wykonano);
    g.LPrzegladajArchiwum->klik();
    EXPECT_TRUE(program.FArchiwum()->isVisible());
    ASSERT_TRUE(wczytano.wait(15000));             // the list read (on the archive's thread)
    EXPECT_FALSE(g.PPodMenuArchiwum->isVisible()); // the menu goes before the archive comes
    program.FArchiwum()->Zamknij();

    Analiza();
    g.LZamknijAnaliza->klik();
    g.LArchiwum_0->klik();
    EXPECT_TRUE(g.LZapiszWArchiwum->isEnabled());
}

} // namespace
} // namespace sondrel
