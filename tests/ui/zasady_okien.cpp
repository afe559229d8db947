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
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSet>
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

// A report made by another window (the archive's) is shown as the report menu's are: in the
// default browser here, a failure as its message.
TEST_F(ZasadyOkienTest, RaportInnegoOknaJakRaportZMenu) {
    WynikRaportu udany, nieudany;
    udany.sciezka = folder.filePath("r.htm");
    nieudany.blad = QStringLiteral("Nie udało się zapisać raportu.");
    emit program.FArchiwum()->raportGotowy(udany);
    EXPECT_EQ(otwarte, QList<QUrl>{QUrl::fromLocalFile(udany.sciezka)});
    emit program.FArchiwum()->raportGotowy(nieudany);
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

    // the analysis panel has the same two entries: saving asks the archive window's question
    Analiza();
    ASSERT_TRUE(g.LZapiszWArchiwumAnalizy->isVisible());
    int pytan = 0;
    program.FArchiwum()->Panel->wybory.Opis = [&](const QString& tytul, const QString&,
                                                  const OpisAnalizy&) {
        EXPECT_EQ(tytul, TekstyArchiwum::ZapiszWArchiwum);
        ++pytan;
        return std::optional<OpisAnalizy>();
    };
    g.LZapiszWArchiwumAnalizy->klik();
    EXPECT_EQ(pytan, 1);
    EXPECT_FALSE(program.FArchiwum()->isVisible());
    QSignalSpy wczytanoZPanelu(program.FArchiwum()->Panel, &PanelArchiwum::wykonano);
    g.LPrzegladajArchiwumAnalizy->klik();
    EXPECT_TRUE(program.FArchiwum()->isVisible());
    ASSERT_TRUE(wczytanoZPanelu.wait(15000));
    program.FArchiwum()->Zamknij();

    g.LZamknijAnaliza->klik();
    g.LArchiwum_0->klik();
    EXPECT_TRUE(g.LZapiszWArchiwum->isEnabled());
}

// The rules are one table: every request has its rule, and only the program object and the
// rules know the windows. No window includes the header of another of the program's windows, and
// nothing but the program object looks a window up through the program.
TEST(ZasadyOkienTabela, KazdaProsbaMaRegule) {
    for (int i = 0; i < IloscProsb; ++i) {
        const auto p = static_cast<Prosba>(i);
        const ZasadyOkien::Regula* r = ZasadyOkien::RegulaDla(p);
        ASSERT_NE(r, nullptr) << "request " << i;
        EXPECT_EQ(r->prosba, p);
    }
}

TEST(ZasadyOkienTabela, OknaNieSiegajaDoSiebie) {
    const struct {
        OknoProgramu okno;
        const char* naglowek;
    } okna[] = {
        {OknoProgramu::Glowne, "tf_glowny"},
        {OknoProgramu::Komunikaty, "tf_warning"},
        {OknoProgramu::ListaPlikow, "tf_okno_l_plikow"},
        {OknoProgramu::Wykres, "tf_wykres"},
        {OknoProgramu::UstawieniaWykresu, "tf_ustawwykres"},
        {OknoProgramu::Tabela, "tf_tabela"},
        {OknoProgramu::PopupPytania, "tf_pop_menu"},
        {OknoProgramu::PopupOdpowiedzi, "tf_pop_pyt"},
        {OknoProgramu::PopupUcznia, "tf_pop_osoba"},
        {OknoProgramu::Raport, "tf_browser"},
        {OknoProgramu::ObieListy, "tf_okno_obie_listy"},
        {OknoProgramu::Ustawienia, "tf_ini_sondrel"},
        {OknoProgramu::IkonaZapisu, "tf_zegar"},
        {OknoProgramu::Winieta, "tf_winieta"},
        {OknoProgramu::Archiwum, "tf_archiwum"},
    };
    ASSERT_EQ(std::size(okna), std::size_t(IloscOkien)); // a new window is named here too
    QSet<QString> naglowki;
    for (const auto& o : okna)
        naglowki.insert(QString::fromLatin1(o.naglowek));

    const QDir zrodla(QDir::cleanPath(QStringLiteral(SONDREL_DANE_TESTU "/../../..")));
    ASSERT_TRUE(zrodla.exists(QStringLiteral("src/ui/program.cpp")));
    // the program object and the rules create, hand in and act on the windows
    const QSet<QString> wolno = {QStringLiteral("src/ui/program.cpp"),
                                 QStringLiteral("src/ui/program.h"),
                                 QStringLiteral("src/ui/zasady_okien.cpp")};
    static const QRegularExpression dolaczenie(QStringLiteral(R"(#include\s+"ui/okna/(\w+)\.h")"));
    static const QRegularExpression szukanieOkna(QStringLiteral(
        R"((\.|->)F(Glowny|Warning|OknoLPlikow|Wykres|Ustawwykres|Tabela|PopMenu|)"
        R"(PopPyt|PopOsoba|Browser|OknoObieListy|IniSondrel|Zegar|Winieta|Archiwum)\(\))"));
    int plikow = 0;
    for (const QString& folder : {QStringLiteral("src"), QStringLiteral("app")}) {
        QDirIterator it(zrodla.filePath(folder), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString sciezka = it.next();
            const QString wzgledna = zrodla.relativeFilePath(sciezka);
            if (wolno.contains(wzgledna)) continue;
            QFile f(sciezka);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << wzgledna.toStdString();
            const QString tekst = QString::fromUtf8(f.readAll());
            ++plikow;
            const QString wlasny = QFileInfo(sciezka).completeBaseName();
            // the windows and what stands beside them (the small controls a window is built of
            // are parts of it)
            const bool okno = wzgledna.startsWith(QStringLiteral("src/ui/okna/")) ||
                              QFileInfo(wzgledna).path() == QStringLiteral("src/ui");
            for (auto m = dolaczenie.globalMatch(tekst); okno && m.hasNext();) {
                const QString naglowek = m.next().captured(1);
                EXPECT_FALSE(naglowki.contains(naglowek) && naglowek != wlasny)
                    << wzgledna.toStdString() << " includes " << naglowek.toStdString() << ".h";
            }
            const auto m = szukanieOkna.match(tekst);
            EXPECT_FALSE(m.hasMatch())
                << wzgledna.toStdString() << " looks up a window: " << m.captured(0).toStdString();
        }
    }
    EXPECT_GT(plikow, 50);
}

} // namespace
} // namespace sondrel
