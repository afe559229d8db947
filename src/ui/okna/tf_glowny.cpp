// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_glowny.h"

#include "analysis/przebieg_analizy.h"
#include "core/foldery.h"
#include "reports/raport.h"
#include "reports/raport_jakosc_pytan.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_statystyka.h"
#include "settings/ustawienia.h"
#include "ui/kontrolki/pozycja_menu.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/program.h"
#include "ui/skory/skora_glowny.h"
#include "ui/zapis_arkusza_okna.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace sondrel {

namespace {

constexpr int Szerokosc = 790, Wysokosc = 581;
constexpr int SzerokoscTla = 1920, WysokoscTla = 1200;
// The entries of the test and help menus reach across their panel (the captions of the test
// menu are long), so that they keep the captions' size.
constexpr int SzerokoscPozycji = 224;

// The local files among dropped URLs, in drop order.
QStringList PlikiLokalne(const QMimeData* dane) {
    QStringList pliki;
    if (!dane || !dane->hasUrls()) return pliki;
    const auto adresy = dane->urls();
    for (const QUrl& adres : adresy)
        if (adres.isLocalFile()) pliki.append(QDir::toNativeSeparators(adres.toLocalFile()));
    return pliki;
}

// The captions of the menu entries in one font that keeps each inside its label: the captions'
// font (which the labels hold with the program's own substitute of the stored font), else a
// narrower cut of it, then smaller sizes, where only a wider substitute is installed.
void DopasujCzcionke(const QList<Etykieta*>& etykiety) {
    const struct {
        qreal punkty;
        int szerokosc;
    } kroje[] = {{8, 100}, {8, 87}, {8, 75}, {7.5, 75}, {7, 75}, {6.5, 75}};
    QFont f = skora::CzcionkaPunkty(8);
    for (const auto& k : kroje) {
        f.setPointSizeF(k.punkty);
        f.setStretch(k.szerokosc);
        const QFontMetricsF miara(f);
        bool miesci = true;
        for (const Etykieta* e : etykiety)
            miesci = miesci && miara.horizontalAdvance(e->text().trimmed()) <=
                                   e->width() - 2 * e->indent() - 1;
        if (miesci) break;
    }
    for (Etykieta* e : etykiety)
        e->setFont(f);
}

} // namespace

// ---- the menus' entries ------------------------------------------------------------------------

const std::vector<TFGlowny::PozycjaMenuGlownego>& TFGlowny::PozycjeMenu() {
    using G = Grupa;
    static const std::vector<PozycjaMenuGlownego> pozycje = {
        // the test menu: the three analyses
        {&TFGlowny::LAnalizaProsta, G::Testy, 38, "Chcę dokonać tylko zestawienia ocen ",
         "Analiza prosta - bez testu.\r\rWskazujesz pliki odpowiedzi i otrzymujesz\rzestawienie "
         "wyników w formie tabelarycznej.\rMożesz również przedstawić zestawienie w postaci "
         "diagramu.\rNie możesz robić innych zestawien ani porównań",
         nullptr, [](TFGlowny& g) { g.LAnalizaProstaClick(); }},
        {&TFGlowny::LAnalizaZPliku, G::Testy, 52, "Chcę dokonać analizy wczytując test z pliku",
         "Analiza rozszerzona - test z pliku.\r\rWskazujesz pliki odpowiedzi oraz plik testu.\r"
         "Masz możliwość dokonać pełnej analizy wyników\roraz zaprezentować ją w różnej postaci.",
         nullptr, [](TFGlowny& g) { g.LAnalizaZPlikuClick(); }},
        {&TFGlowny::LAnalizaZListy, G::Testy, 67, "Chcę dokonać analizy wczytując test z listy",
         "Analiza rozszerzona - test z listy.\r\rWskazujesz pliki odpowiedzi oraz wybierasz test\r"
         "z listy testów.\rMasz możliwość dokonać pełnej analizy wyników\roraz zaprezentować ją "
         "w różnej postaci.",
         nullptr, [](TFGlowny& g) { g.LAnalizaZListyClick(); }},
        // the help menu
        {&TFGlowny::LOProgramie, G::Pomoc, 65, "O programie",
         "Krótka informacja o programie.\r\rKto, kiedy, wersja programu.", nullptr,
         [](TFGlowny& g) { g.LOProgramieClick(); }},
        {&TFGlowny::LHelp, G::Pomoc, 82, "Pomoc                 F1          ",
         "Pomoc do programu.\r\rPomoc do programu z którym pracujesz.\rMasz pytania, "
         "wątpliwości - najpierw zajrzyj tutaj.",
         "Pomoc (F1)", [](TFGlowny& g) { g.LHelpClick(); }},
        {&TFGlowny::LUstawienia, G::Pomoc, 99, "Ustawienia",
         "Ustawienia programu.\r\rKolejność imienia i nazwiska, plik listy testów,\rzapis i "
         "kopiowanie tabel oraz raporty w przeglądarce.\r\rSzczegółowość dziennika zdarzeń "
         "zmieniają\rklawisze Ctrl+Alt+0 … Ctrl+Alt+4.",
         nullptr, [](TFGlowny& g) { g.LUstawieniaClick(); }},
        // the archive menu
        {&TFGlowny::LZapiszWArchiwum, G::Archiwum, 91, "Zapisz analizę w archiwum",
         "Zapisanie analizy w archiwum.\r\rWyniki klasy z ostatniej analizy trafiają do "
         "archiwum\rrazem z opisem klasy i datą pisania testu.\rDostępne po wykonaniu analizy.",
         nullptr, [](TFGlowny& g) { g.LZapiszWArchiwumClick(); }},
        {&TFGlowny::LPrzegladajArchiwum, G::Archiwum, 108, "Przeglądaj archiwum",
         "Przeglądanie archiwum analiz.\r\rTesty i klasy zapisane w archiwum.\rMożesz porównać "
         "klasy, prześledzić historię ucznia\roraz wyeksportować lub zaimportować archiwum.",
         nullptr, [](TFGlowny& g) { g.LPrzegladajArchiwumClick(); }},
        // the analysis panel's small menus (y: the entry's row in its menu)
        {&TFGlowny::LTabelaWynikow, G::Tabele, 0, "Wyników testu", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazTabele(1); }},
        {&TFGlowny::LTabelaCzas, G::Tabele, 1, "Czasu pracy", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazTabele(2); }},
        {&TFGlowny::LTabelaOceny, G::Tabele, 2, "Zestawienie ocen", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazTabele(3); }},
        {&TFGlowny::LDiagramWynikow, G::Diagramy, 0, "Wyników testu", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazWykres(1); }},
        {&TFGlowny::LDiagramCzas, G::Diagramy, 1, "Czasu pracy", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazWykres(2); }},
        {&TFGlowny::LDiagramOceny, G::Diagramy, 2, "Zestawienie ocen", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazWykres(3); }},
        {&TFGlowny::LRaport1, G::Raporty, 0, "Globalny o teście", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazRaportZMenu(&RaportOTescie); }},
        {&TFGlowny::Lraport2, G::Raporty, 1, "Statystyka", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazRaportZMenu(&RaportStatystyka); }},
        {&TFGlowny::LRaport3, G::Raporty, 2, "Zestawienie ocen", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazRaportZMenu(&RaportWykazOcen); }},
        {&TFGlowny::LRaport4, G::Raporty, 3, "Jakość pytań", nullptr, nullptr,
         [](TFGlowny& g) { g.PokazRaportZMenu(&RaportJakoscPytan); }},
        // the analysis panel's archive entries (y: the entry's row)
        {&TFGlowny::LZapiszWArchiwumAnalizy, G::ArchiwumAnalizy, 0, "Zapisz analizę", nullptr,
         "Zapisz analizę w archiwum", [](TFGlowny& g) { g.LZapiszWArchiwumClick(); }},
        {&TFGlowny::LPrzegladajArchiwumAnalizy, G::ArchiwumAnalizy, 1, "Przeglądaj", nullptr,
         "Przeglądaj archiwum", [](TFGlowny& g) { g.LPrzegladajArchiwumClick(); }},
    };
    return pozycje;
}

QList<Etykieta*> TFGlowny::Pozycje(std::initializer_list<Grupa> grupy) const {
    QList<Etykieta*> wynik;
    for (const PozycjaMenuGlownego& p : PozycjeMenu())
        if (std::find(grupy.begin(), grupy.end(), p.grupa) != grupy.end())
            wynik.append(this->*p.pole);
    return wynik;
}

const skora::UkladMalegoMenu& TFGlowny::UkladMalegoMenu(Grupa g) {
    return g == Grupa::Tabele     ? skora::MenuTabeleUklad
           : g == Grupa::Diagramy ? skora::MenuDiagramyUklad
                                  : skora::MenuRaportyUklad;
}

QWidget* TFGlowny::PanelGrupy(Grupa grupa) const {
    switch (grupa) {
    case Grupa::Testy:
        return PPodMenuTesty;
    case Grupa::Pomoc:
        return PPodMenuPomoc;
    case Grupa::Archiwum:
        return PPodMenuArchiwum;
    case Grupa::Tabele:
        return PMenuTabele;
    case Grupa::Diagramy:
        return PMenuDiagramy;
    case Grupa::Raporty:
        return PMenuRaporty;
    case Grupa::ArchiwumAnalizy:
        return PArchiwumAnalizy;
    }
    return nullptr;
}

// ---- the window ---------------------------------------------------------------------------------

TFGlowny::TFGlowny(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    // FormCreate: the program's folder; the window takes dropped files for its whole life.
    program.srodowisko.foldery.FolderProgramu = FolderPlikuProgramu();
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("Zadrix - Sondrel"));
    skora::DodajObrazkiGlowne();
    UstawStronePomocy(QStringLiteral("menu.htm"));

    UstawRozmiar(Szerokosc, Wysokosc);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);

    const auto naTleStartu = [this](Etykieta* obraz) {
        connect(obraz, &Etykieta::ruch, this, [this] {
            ZresetujKoloryMenu();
            LOpisMenu->clear();
        });
    };
    ImTloBig = new Etykieta(this, 0, 0, SzerokoscTla, WysokoscTla);
    ImTloBig->hide(); // painted when the big mode is first used
    naTleStartu(ImTloBig);

    PGlowny = Panel(this, 0, 0, Szerokosc, Wysokosc);
    ImTloGlowny = new Etykieta(PGlowny, 0, 0, Szerokosc, Wysokosc);
    ImTloGlowny->setPixmap(skora::Obrazek(QStringLiteral("tloglowny")));
    naTleStartu(ImTloGlowny);
    connect(ImTloGlowny, &Etykieta::klik, this, [this] {
        ZresetujKoloryMenu();
        UkryjPodmenu();
    });

    LOpisMenu = new Etykieta(PGlowny, 296, 344, 361, 137);
    LOpisMenu->setWordWrap(true);
    LOpisMenu->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LOpisMenu->setFont(skora::CzcionkaPunkty(8));
    {
        QPalette paleta = LOpisMenu->palette();
        paleta.setColor(QPalette::WindowText, QColor::fromRgba(skora::Tekst));
        LOpisMenu->setPalette(paleta);
    }

    LListwa = new Etykieta(PGlowny, 16, 8, 617, 15);
    PodlaczListwe(LListwa);
    ZnakiOkna(PGlowny, LClose, LMinimize, LBig);

    // ---- the start screen's menus: three groups, one open at a time, in one place ----
    // The closed headers painted on the skin, and in each open menu the headers of the others.
    LTest_0 = GoracyPunkt(PGlowny, 17, 137, 129, 15);
    LPomoc_0 = GoracyPunkt(PGlowny, 17, 161, 129, 17);
    LArchiwum_0 = GoracyPunkt(PGlowny, 17, 187, 129, 17);
    const auto menuStartu = [&](QWidget*& panel, Etykieta*& obraz, const char* obrazek) {
        panel = Panel(PGlowny, 7, 128, 240, skora::WysokoscMenuStartu);
        obraz = new Etykieta(panel, 0, 0, 240, skora::WysokoscMenuStartu);
        obraz->setPixmap(skora::Obrazek(QString::fromLatin1(obrazek)));
        naTleStartu(obraz);
    };
    menuStartu(PPodMenuTesty, ImMenutesty, "menutesty");
    menuStartu(PPodMenuPomoc, ImTloMenuPomoc, "tlomenupomoc");
    menuStartu(PPodMenuArchiwum, ImMenuArchiwum, "menuarchiwum");

    // ---- the analysis panel ----
    PAnalizaTabele = Panel(PGlowny, 0, 0, Szerokosc, Wysokosc);
    ImTloTabele = new Etykieta(PAnalizaTabele, 0, 0, Szerokosc, Wysokosc);
    ImTloTabele->setPixmap(skora::Obrazek(QStringLiteral("tlotabele")));
    LZamknijAnaliza = GoracyPunkt(PAnalizaTabele, 628, 509, 87, 23);
    connect(LZamknijAnaliza, &Etykieta::klik, this, &TFGlowny::LZamknijAnalizaClick);
    BZapiszArkusz = new Przycisk(QStringLiteral("Zapisz jako arkusz..."), PAnalizaTabele);
    BZapiszArkusz->setGeometry(500, 509, 118, 23);
    connect(BZapiszArkusz, &QPushButton::clicked, this, &TFGlowny::ZapiszArkusz);
    LListwaTable = new Etykieta(PAnalizaTabele, 24, 8, 705, 15);
    PodlaczListwe(LListwaTable);
    // over the strip, which reaches under them
    ZnakiOkna(PAnalizaTabele, LCloseAnaliza, LMinimizeAnaliza, LBigAnaliza);
    const auto maleMenu = [this](QWidget*& panel, Etykieta*& obraz, const char* obrazek,
                                 const skora::UkladMalegoMenu& uklad) {
        const int wysokosc = skora::WysokoscMalegoMenu(uklad);
        panel = Panel(PAnalizaTabele, 10, 142, 123, wysokosc);
        obraz = new Etykieta(panel, 0, 0, 123, wysokosc);
        obraz->setPixmap(skora::Obrazek(QString::fromLatin1(obrazek)));
    };
    maleMenu(PMenuTabele, ImMenuTabele, "menutabele", skora::MenuTabeleUklad);
    maleMenu(PMenuDiagramy, ImMenuDiagramy, "menudiagramy", skora::MenuDiagramyUklad);
    maleMenu(PMenuRaporty, ImMenuRaporty, "menuraporty", skora::MenuRaportyUklad);
    // under the heading "Archiwum" that the panel's picture paints
    PArchiwumAnalizy =
        Panel(PAnalizaTabele, 10, skora::GoraArchiwumAnalizy, 123, 2 * skora::WysokoscPozycji);

    // ---- the captioned entries, from the table ----
    for (const PozycjaMenuGlownego& p : PozycjeMenu()) {
        QWidget* panel = PanelGrupy(p.grupa);
        const QString napis = QString::fromUtf8(p.napis);
        const QString nazwa = p.nazwa ? QString::fromUtf8(p.nazwa) : QString();
        Etykieta* e = nullptr;
        if (MenuStartu(p.grupa)) {
            e = Pozycja(panel, 15, p.y, SzerokoscPozycji, 14, napis, nazwa);
        } else if (p.grupa == Grupa::ArchiwumAnalizy) {
            e = Pozycja(panel, 15, p.y * skora::WysokoscPozycji + 1, 105, 16, napis, nazwa);
        } else {
            const skora::UkladMalegoMenu& uklad = UkladMalegoMenu(p.grupa);
            e = Pozycja(panel, 15, uklad.pierwszaPozycja + p.y * skora::WysokoscPozycji + 1, 105,
                        16, napis, nazwa);
        }
        this->*p.pole = e;
        const auto akcja = p.akcja;
        connect(e, &Etykieta::klik, this, [this, akcja] { akcja(*this); });
        // hover: the entry lit, its siblings not; the start screen's entries are described
        const Grupa grupa = p.grupa;
        connect(e, &Etykieta::ruch, this, [this, e, grupa] {
            Podswietl(e, Pozycje({grupa}));
            if (MenuStartu(grupa)) PokazOpis(e);
        });
    }
    // Every menu entry in one font, the captions' own where the labels hold them.
    DopasujCzcionke(Pozycje({Grupa::Testy, Grupa::Pomoc, Grupa::Archiwum, Grupa::Tabele,
                             Grupa::Diagramy, Grupa::Raporty, Grupa::ArchiwumAnalizy}));

    // ---- the headers: each opens its group ----
    LPomoc_1 = GoracyPunkt(PPodMenuTesty, 9, 99, 222, 17);
    LArchiwum_1 = GoracyPunkt(PPodMenuTesty, 9, 125, 222, 17);
    LTesty1 = GoracyPunkt(PPodMenuPomoc, 8, 9, 222, 17);
    LArchiwum_2 = GoracyPunkt(PPodMenuPomoc, 9, 125, 222, 17);
    LTesty2 = GoracyPunkt(PPodMenuArchiwum, 8, 9, 222, 17);
    LPomoc_2 = GoracyPunkt(PPodMenuArchiwum, 9, 35, 222, 17);
    const auto naglowek = [this](QWidget* panel, const QRect& r) {
        return GoracyPunkt(panel, r.x(), r.y(), r.width(), r.height());
    };
    LTabeleDiagramy = naglowek(PMenuTabele, skora::MenuTabeleUklad.naglowki[1]);
    LTabeleRaporty = naglowek(PMenuTabele, skora::MenuTabeleUklad.naglowki[2]);
    LDiagramyTabele = naglowek(PMenuDiagramy, skora::MenuDiagramyUklad.naglowki[0]);
    LDiagramyRaporty = naglowek(PMenuDiagramy, skora::MenuDiagramyUklad.naglowki[2]);
    LRaportyTabele = naglowek(PMenuRaporty, skora::MenuRaportyUklad.naglowki[0]);
    LRaportyDiagramy = naglowek(PMenuRaporty, skora::MenuRaportyUklad.naglowki[1]);

    const auto doTestow = [this] { LTest_0Click(); };
    const auto doPomocy = [this] { PokazMenuStartu(PPodMenuPomoc, false); };
    const auto doArchiwum = [this] { PokazMenuStartu(PPodMenuArchiwum, false); };
    const auto doDiagramow = [this] { PokazMaleMenu(PMenuDiagramy); };
    const auto doTabel = [this] { PokazMaleMenu(PMenuTabele); };
    const auto doRaportow = [this] {
        if (program.analiza.RodzajAnalizy == AnalizaZTestem) PokazMaleMenu(PMenuRaporty);
    };
    // every header: where it stands, its name for the keyboard and screen readers, what it opens
    const struct {
        Etykieta* naglowek;
        const char* nazwa;
        std::function<void()> otworz;
    } naglowki[] = {
        {LTest_0, "Analiza testu", doTestow},
        {LPomoc_0, "Pomoc i ustawienia", [this] { PokazMenuStartu(PPodMenuPomoc, true); }},
        {LArchiwum_0, "Archiwum", [this] { PokazMenuStartu(PPodMenuArchiwum, true); }},
        {LPomoc_1, "Pomoc i ustawienia", doPomocy},
        {LArchiwum_1, "Archiwum", doArchiwum},
        {LTesty1, "Analiza testu", doTestow},
        {LArchiwum_2, "Archiwum", doArchiwum},
        {LTesty2, "Analiza testu", doTestow},
        {LPomoc_2, "Pomoc i ustawienia", doPomocy},
        {LTabeleDiagramy, "Wykresy", doDiagramow},
        {LTabeleRaporty, "Raporty", doRaportow},
        {LDiagramyTabele, "Tabele", doTabel},
        {LDiagramyRaporty, "Raporty", doRaportow},
        {LRaportyTabele, "Tabele", doTabel},
        {LRaportyDiagramy, "Wykresy", doDiagramow},
        {LZamknijAnaliza, "Zamknij analizę", nullptr}, // connected above
    };
    for (const auto& n : naglowki) {
        n.naglowek->UstawKlawiature(QString::fromUtf8(n.nazwa));
        if (n.otworz) connect(n.naglowek, &Etykieta::klik, this, n.otworz);
    }

    // hover over the small menus' pictures and the panel: their entries back to normal
    connect(ImMenuTabele, &Etykieta::ruch, this,
            [this] { ZresetujKolory(Pozycje({Grupa::Tabele})); });
    connect(ImMenuDiagramy, &Etykieta::ruch, this,
            [this] { ZresetujKolory(Pozycje({Grupa::Diagramy})); });
    connect(ImMenuRaporty, &Etykieta::ruch, this,
            [this] { ZresetujKolory(Pozycje({Grupa::Raporty})); });
    connect(ImTloTabele, &Etykieta::ruch, this, [this] {
        ZresetujKolory(Pozycje({Grupa::Tabele, Grupa::Diagramy, Grupa::Raporty}));
    });

    // At start: the start screen's menus closed, no analysis panel, its table menu the one shown.
    PPodMenuTesty->hide();
    PPodMenuPomoc->hide();
    PPodMenuArchiwum->hide();
    PAnalizaTabele->hide();
    PMenuDiagramy->hide();
    PMenuRaporty->hide();

    // ---- the choices the window makes itself ----
    wybory.PlikTestu = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Wskaż plik testu"),
                                            FolderDialogu(folder),
                                            QStringLiteral("Plik testu (*.skt)"));
    };
    wybory.Zakoncz = [] { QCoreApplication::exit(0); };
    wybory.PlikArkusza = [this](const QString& folder, const QString& nazwa) {
        return OknoZapisuArkusza(this, folder, nazwa);
    };
}

TFGlowny::~TFGlowny() {
    // FormDestroy: the temporary folder goes with the program.
    UsunFolderTemp(program.srodowisko.foldery);
}

// ---- building blocks --------------------------------------------------------------------------

QWidget* TFGlowny::Panel(QWidget* rodzic, int x, int y, int w, int h) {
    auto* p = new QWidget(rodzic);
    p->setGeometry(x, y, w, h);
    p->setAttribute(Qt::WA_TranslucentBackground);
    return p;
}

void TFGlowny::ZnakiOkna(QWidget* rodzic, Etykieta*& zamknij, Etykieta*& minimalizuj,
                         Etykieta*& powieksz) {
    zamknij = GoracyPunkt(rodzic, 744, 8, 19, 11);
    minimalizuj = GoracyPunkt(rodzic, 715, 8, 19, 11);
    powieksz = GoracyPunkt(rodzic, 666, 9, 19, 11);
    zamknij->setToolTip(QStringLiteral("Zamknij"));
    minimalizuj->setToolTip(QStringLiteral("Minimalizuj"));
    powieksz->setToolTip(QStringLiteral("Powiększ / zmniejsz okno (Ctrl+F4)"));
    zamknij->setAccessibleName(QStringLiteral("Zamknij program"));
    minimalizuj->setAccessibleName(QStringLiteral("Minimalizuj"));
    powieksz->setAccessibleName(QStringLiteral("Powiększ lub zmniejsz okno"));
    connect(zamknij, &Etykieta::klik, this, [this] {
        if (wybory.Zakoncz) wybory.Zakoncz();
    });
    connect(minimalizuj, &Etykieta::klik, this, [this] { showMinimized(); });
    connect(powieksz, &Etykieta::klik, this, &TFGlowny::PrzelaczTrybDuzy);
}

Etykieta* TFGlowny::GoracyPunkt(QWidget* rodzic, int x, int y, int w, int h) {
    auto* e = new Etykieta(rodzic, x, y, w, h);
    e->setCursor(Qt::PointingHandCursor);
    return e;
}

Etykieta* TFGlowny::Pozycja(QWidget* rodzic, int x, int y, int w, int h, const QString& napis,
                            const QString& nazwa) {
    return new PozycjaMenu(rodzic, x, y, w, h, napis, nazwa);
}

// ---- hover --------------------------------------------------------------------------------------

void TFGlowny::Podswietl(Etykieta* pozycja, const QList<Etykieta*>& rodzenstwo) {
    for (Etykieta* e : rodzenstwo)
        if (e != pozycja && e->isVisible()) e->Podswietl(false);
    if (pozycja->isVisible()) pozycja->Podswietl(true);
}

void TFGlowny::PokazOpis(Etykieta* pozycja) {
    QString opis;
    for (const PozycjaMenuGlownego& p : PozycjeMenu())
        if (this->*p.pole == pozycja && p.opis) opis = QString::fromUtf8(p.opis);
    opis.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (LOpisMenu->text() != opis) LOpisMenu->setText(opis);
}

void TFGlowny::ZresetujKoloryMenu() {
    ZresetujKolory(Pozycje({Grupa::Testy, Grupa::Pomoc, Grupa::Archiwum}));
}

void TFGlowny::ZresetujKolory(const QList<Etykieta*>& pozycje) {
    for (Etykieta* e : pozycje)
        e->Podswietl(false);
}

// ---- menus ------------------------------------------------------------------------------------

void TFGlowny::UkryjPodmenu() {
    PPodMenuTesty->hide();
    PPodMenuPomoc->hide();
    PPodMenuArchiwum->hide();
    LOpisMenu->clear();
    repaint(); // on screen now, before the work that follows
}

void TFGlowny::LTest_0Click() {
    PokazMenuStartu(PPodMenuTesty, true);
}

void TFGlowny::PokazMenuStartu(QWidget* menu, bool resetujKolory) {
    if (resetujKolory) ZresetujKoloryMenu();
    // saving in the archive asks for an analysis to save
    LZapiszWArchiwum->setEnabled(AnalizaDoZapisu());
    for (QWidget* m : {PPodMenuTesty, PPodMenuPomoc, PPodMenuArchiwum})
        if (m != menu) m->hide();
    menu->show();
    LOpisMenu->clear();
    FokusNa(menu == PPodMenuTesty           ? LAnalizaProsta
            : menu == PPodMenuPomoc         ? LOProgramie
            : LZapiszWArchiwum->isEnabled() ? LZapiszWArchiwum
                                            : LPrzegladajArchiwum);
}

bool TFGlowny::AnalizaDoZapisu() const {
    return poAnalizie && program.analiza.IloscUczniow > 0;
}

void TFGlowny::FokusNa(Etykieta* cel) {
    // only while the keyboard walks the menus: after a mouse click the focus stays
    if (klawiatura) cel->setFocus(Qt::TabFocusReason);
}

bool TFGlowny::eventFilter(QObject* obiekt, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) klawiatura = false;
    return Okno::eventFilter(obiekt, e);
}

void TFGlowny::UstawEkranStartowy(bool wlaczony) {
    // under the analysis panel the start screen's hot spots are out of the keyboard's reach
    for (Etykieta* e : {LTest_0, LPomoc_0, LArchiwum_0})
        e->setFocusPolicy(wlaczony ? Qt::TabFocus : Qt::NoFocus);
}

void TFGlowny::LOProgramieClick() {
    ZresetujKoloryMenu();
    emit oProgramie();
}

void TFGlowny::LUstawieniaClick() {
    ZresetujKoloryMenu();
    emit ustawieniaProgramu();
}

void TFGlowny::LZapiszWArchiwumClick() {
    ZresetujKoloryMenu();
    if (!AnalizaDoZapisu()) return;
    UkryjPodmenu();
    emit zapiszWArchiwum();
}

void TFGlowny::ZapiszArkusz() {
    if (program.analiza.IloscUczniow < 1 || !wybory.PlikArkusza) return;
    if (folderArkusza.isEmpty()) folderArkusza = program.srodowisko.foldery.FolderDokumentow;
    const QString sciezka = ZapiszArkuszZOkna(
        program,
        wybory.PlikArkusza(folderArkusza, NazwaPlikuArkusza(program.analiza.Test.NazwaTestu)),
        RodzajListy::DoDziennika);
    if (!sciezka.isEmpty()) folderArkusza = QFileInfo(sciezka).absolutePath();
}

void TFGlowny::LPrzegladajArchiwumClick() {
    ZresetujKoloryMenu();
    UkryjPodmenu();
    emit przegladajArchiwum();
}

std::optional<QPoint> TFGlowny::Naroznik() const {
    // the central panel is the window's corner in the normal layout
    if (!isVisible()) return std::nullopt;
    return PGlowny->mapToGlobal(QPoint(0, 0));
}

void TFGlowny::LHelpClick() {
    OtworzPomoc(QStringLiteral("index.htm"));
}

// ---- the three analyses -------------------------------------------------------------------------

void TFGlowny::LAnalizaProstaClick() {
    UkryjPodmenu();
    program.analiza.RodzajAnalizy = AnalizaProsta;
    emit plikiOdpowiedzi();
}

void TFGlowny::LAnalizaZPlikuClick() {
    UkryjPodmenu();
    if (folderTestu.isEmpty()) folderTestu = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikTestu ? wybory.PlikTestu(folderTestu) : QString();
    if (plik.isEmpty()) return; // cancelled: nothing changes
    folderTestu = QFileInfo(plik).absolutePath();
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    program.analiza.PlikTestu = QDir::toNativeSeparators(plik);
    emit plikiOdpowiedzi();
}

void TFGlowny::LAnalizaZListyClick() {
    UkryjPodmenu();
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    emit testIPliki();
}

void TFGlowny::AnalizujPliki(const QStringList& pliki) {
    if (AnalizujUpuszczonePliki(pliki, program.analiza, program.srodowisko)) PokazAnalize();
}

// ---- the analysis panel -------------------------------------------------------------------------

void TFGlowny::PokazAnalize() {
    poAnalizie = true;
    PMenuRaporty->hide();
    PMenuDiagramy->hide();
    PMenuTabele->show();
    UstawEkranStartowy(false);
    PAnalizaTabele->show();
    FokusNa(LTabelaWynikow);
    // the windows of an earlier step or analysis go, the results table comes
    emit analizaPokazana();
}

void TFGlowny::PokazMaleMenu(QWidget* menu) {
    for (QWidget* m : {PMenuTabele, PMenuDiagramy, PMenuRaporty})
        if (m != menu) m->hide();
    menu->show();
    FokusNa(menu == PMenuTabele     ? LTabelaWynikow
            : menu == PMenuDiagramy ? LDiagramWynikow
                                    : LRaport1);
}

void TFGlowny::PokazRaportZMenu(RaportZMenu zrob) {
    ZresetujKolory(Pozycje({Grupa::Raporty})); // painted before the report (the rules repaint)
    if (program.analiza.RodzajAnalizy != AnalizaZTestem) return;
    Program& p = program;
    emit raportWybrany(
        [&p, zrob] { return zrob(p.analiza, p.UstawieniaRaportow(), p.srodowisko); });
}

void TFGlowny::PokazWykres(int typ) {
    ZresetujKolory(Pozycje({Grupa::Diagramy}));
    emit wykresWybrany(typ);
}

void TFGlowny::PokazTabele(int rodzaj) {
    ZresetujKolory(Pozycje({Grupa::Tabele}));
    emit tabelaWybrana(rodzaj);
}

void TFGlowny::LZamknijAnalizaClick() {
    emit analizaZamknieta();
    UstawEkranStartowy(true);
    FokusNa(LTest_0);
    PAnalizaTabele->hide();
}

// ---- big mode -----------------------------------------------------------------------------------

void TFGlowny::PrzelaczTrybDuzy() {
    int& wo = program.ustawienia.wo;
    wo = wo == 0 ? 1 : 0;
    RozmiescOkno();
    ZapiszRozmiarOkna(program.ustawienia, program.srodowisko);
}

void TFGlowny::RozmiescOkno() {
    QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect obszar = ekran ? ekran->availableGeometry() : QRect(0, 0, Szerokosc, Wysokosc);
    const int W = obszar.width(), H = obszar.height();
    switch (program.ustawienia.wo) {
    case 0:
        duzy = false;
        ImTloBig->hide();
        PGlowny->move(0, 0);
        UstawKsztalt(skora::Ksztalt::Zaokraglony);
        UstawRozmiar(Szerokosc, Wysokosc);
        move(obszar.x() + (W - Szerokosc) / 2, obszar.y() + (H - Wysokosc) / 2);
        break;
    case 1:
        duzy = true;
        UstawKsztalt(skora::Ksztalt::Prostokat);
        UstawRozmiar(W, H);
        move(obszar.topLeft());
        if (ImTloBig->pixmap().isNull())
            ImTloBig->setPixmap(skora::Obrazek(QStringLiteral("tlobig")));
        ImTloBig->move((W - SzerokoscTla) / 2, (H - WysokoscTla) / 2);
        ImTloBig->show();
        ImTloBig->lower();
        PGlowny->move((W - Szerokosc) / 2, (H - Wysokosc) / 2);
        break;
    default: // an unknown mode leaves the layout as it is
        break;
    }
    update();
}

bool TFGlowny::ZamkniecieZZewnatrz() {
    if (wybory.Zakoncz) wybory.Zakoncz();
    return false;
}

QRect TFGlowny::ObszarOdsloniety() const {
    const QRect kolumna =
        !PAnalizaTabele->isHidden() ? QRect(7, 38, 129, 535) : QRect(7, 38, 240, 535);
    return QRect(PGlowny->mapToGlobal(kolumna.topLeft()), kolumna.size());
}

QList<QRect> TFGlowny::ObszaryOdsloniete() const {
    QList<QRect> obszary = Okno::ObszaryOdsloniete();
    if (!PAnalizaTabele->isHidden())
        obszary.append(QRect(LZamknijAnaliza->mapToGlobal(QPoint(0, 0)), LZamknijAnaliza->size()));
    return obszary;
}

bool TFGlowny::PrzeciaganieDozwolone() const {
    return !duzy;
}

// ---- events -------------------------------------------------------------------------------------

void TFGlowny::showEvent(QShowEvent* e) {
    Okno::showEvent(e);
    if (pokazane) return;
    pokazane = true;
    FormShow();
}

void TFGlowny::FormShow() {
    // The tables' row colours are fixed in the tables themselves.
    PrzygotujFoldery(program.srodowisko, program.analiza);
    CzytajUstawienia(program.ustawienia, program.srodowisko);
    // The page setup for printing belongs to the report window, which writes it itself.
    RozmiescOkno();
    UkryjPodmenu();
    PMenuTabele->show();
    PMenuDiagramy->hide();
    PMenuRaporty->hide();
    // The command line once the window is on screen: its messages need the window shown.
    QTimer::singleShot(0, this, &TFGlowny::WejscieZLiniiPolecen);
}

void TFGlowny::WejscieZLiniiPolecen() {
    if (program.argumenty.isEmpty()) return;
    const auto sciezka = [](const QString& a) {
        const QUrl adres(a);
        return QDir::toNativeSeparators(
            QFileInfo(adres.isLocalFile() ? adres.toLocalFile() : a).absoluteFilePath());
    };
    QStringList pliki;
    for (const QString& a : std::as_const(program.argumenty))
        pliki.append(sciezka(a));
    const QString test = program.plikTestu.isEmpty() ? QString() : sciezka(program.plikTestu);
    if (AnalizujUpuszczonePliki(pliki, program.analiza, program.srodowisko, test)) PokazAnalize();
}

bool TFGlowny::KlawiszWcisniety(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers();
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        klawiatura = true; // the menus are walked from the keyboard
        break;
    default:
        break;
    }
    if (e->key() == Qt::Key_F4 && m == Qt::ControlModifier) {
        PrzelaczTrybDuzy();
        return true;
    }
    // digits of the main keyboard only: the keypad's carry the keypad modifier
    if (m == (Qt::ControlModifier | Qt::AltModifier) && e->key() >= Qt::Key_0 &&
        e->key() <= Qt::Key_4) {
        ZapiszPoziomDziennika(program.ustawienia, program.srodowisko, e->key() - Qt::Key_0);
        return true;
    }
    return false;
}

void TFGlowny::paintEvent(QPaintEvent* e) {
    Okno::paintEvent(e);
    if (!duzy) return;
    // beyond the backdrop on screens larger than it
    QPainter p(this);
    p.fillRect(rect(), QColor(0x24, 0x24, 0x38));
}

void TFGlowny::wheelEvent(QWheelEvent* e) {
    e->accept();
}

void TFGlowny::dragEnterEvent(QDragEnterEvent* e) {
    if (!PlikiLokalne(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void TFGlowny::dragMoveEvent(QDragMoveEvent* e) {
    if (!PlikiLokalne(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void TFGlowny::dropEvent(QDropEvent* e) {
    const QStringList pliki = PlikiLokalne(e->mimeData());
    if (pliki.isEmpty()) return;
    e->acceptProposedAction();
    // The drag ends first; the analysis and its messages follow from the event loop.
    QTimer::singleShot(0, this, [this, pliki] { AnalizujPliki(pliki); });
}

} // namespace sondrel
