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
#include "ui/okna/tf_browser.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_okno_l_plikow.h"
#include "ui/okna/tf_okno_obie_listy.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_wykres.h"
#include "ui/program.h"
#include "ui/skory/skora_glowny.h"

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
#include <array>

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
void DopasujCzcionke(const QList<QLabel*>& etykiety) {
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
        for (QLabel* e : etykiety)
            miesci = miesci && miara.horizontalAdvance(e->text().trimmed()) <=
                                   e->width() - 2 * e->indent() - 1;
        if (miesci) break;
    }
    for (QLabel* e : etykiety)
        e->setFont(f);
}

} // namespace

TFGlowny::TFGlowny(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    // FormCreate: the program's folder; the window takes dropped files for its whole life.
    program.srodowisko.foldery.FolderProgramu = FolderPlikuProgramu();
    setAcceptDrops(true);
    setWindowTitle(QStringLiteral("Zadrix - Sondrel"));
    skora::DodajObrazkiGlowne();
    UstawStronePomocy(QStringLiteral("menu.htm"));

    UstawRozmiar(Szerokosc, Wysokosc);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);

    ImTloBig = new Etykieta(this, 0, 0, SzerokoscTla, WysokoscTla);
    ImTloBig->hide(); // painted when the big mode is first used
    connect(ImTloBig, &Etykieta::ruch, this, [this] {
        ZresetujKoloryMenu();
        LOpisMenu->clear();
    });

    PGlowny = Panel(this, 0, 0, Szerokosc, Wysokosc);
    ImTloGlowny = new Etykieta(PGlowny, 0, 0, Szerokosc, Wysokosc);
    ImTloGlowny->setPixmap(skora::Obrazek(QStringLiteral("tloglowny")));
    connect(ImTloGlowny, &Etykieta::ruch, this, [this] {
        ZresetujKoloryMenu();
        LOpisMenu->clear();
    });
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

    LTest_0 = GoracyPunkt(PGlowny, 17, 137, 129, 15);
    LPomoc_0 = GoracyPunkt(PGlowny, 17, 161, 129, 17);
    connect(LTest_0, &Etykieta::klik, this, &TFGlowny::LTest_0Click);
    connect(LPomoc_0, &Etykieta::klik, this, &TFGlowny::LPomoc_0Click);

    // ---- the test menu ----
    PPodMenuTesty = Panel(PGlowny, 7, 128, 240, 135);
    ImMenutesty = new Etykieta(PPodMenuTesty, 0, 0, 240, 135);
    ImMenutesty->setPixmap(skora::Obrazek(QStringLiteral("menutesty")));
    LAnalizaProsta = Pozycja(PPodMenuTesty, 15, 38, SzerokoscPozycji, 14,
                             QStringLiteral("Chcę dokonać tylko zestawienia ocen "));
    LAnalizaZPliku = Pozycja(PPodMenuTesty, 15, 52, SzerokoscPozycji, 14,
                             QStringLiteral("Chcę dokonać analizy wczytując test z pliku"));
    LAnalizaZListy = Pozycja(PPodMenuTesty, 15, 67, SzerokoscPozycji, 14,
                             QStringLiteral("Chcę dokonać analizy wczytując test z listy"));
    LPomoc_1 = GoracyPunkt(PPodMenuTesty, 9, 99, 222, 17);
    LAnalizaProsta->setObjectName(QStringLiteral("LAnalizaProsta"));
    LAnalizaZPliku->setObjectName(QStringLiteral("LAnalizaZPliku"));
    LAnalizaZListy->setObjectName(QStringLiteral("LAnalizaZListy"));
    connect(LAnalizaProsta, &Etykieta::klik, this, &TFGlowny::LAnalizaProstaClick);
    connect(LAnalizaZPliku, &Etykieta::klik, this, &TFGlowny::LAnalizaZPlikuClick);
    connect(LAnalizaZListy, &Etykieta::klik, this, &TFGlowny::LAnalizaZListyClick);
    connect(LPomoc_1, &Etykieta::klik, this, &TFGlowny::LPomoc_1Click);

    // ---- the help menu ----
    PPodMenuPomoc = Panel(PGlowny, 7, 128, 240, 135);
    ImTloMenuPomoc = new Etykieta(PPodMenuPomoc, 0, 0, 240, 135);
    ImTloMenuPomoc->setPixmap(skora::Obrazek(QStringLiteral("tlomenupomoc")));
    LOProgramie =
        Pozycja(PPodMenuPomoc, 15, 65, SzerokoscPozycji, 14, QStringLiteral("O programie"));
    LHelp = Pozycja(PPodMenuPomoc, 15, 82, SzerokoscPozycji, 14,
                    QStringLiteral("Pomoc                 F1          "));
    LUstawienia =
        Pozycja(PPodMenuPomoc, 15, 99, SzerokoscPozycji, 14, QStringLiteral("Ustawienia"));
    LTesty1 = GoracyPunkt(PPodMenuPomoc, 8, 9, 222, 17);
    LOProgramie->setObjectName(QStringLiteral("LOProgramie"));
    LHelp->setObjectName(QStringLiteral("LHelp"));
    LUstawienia->setObjectName(QStringLiteral("LUstawienia"));
    connect(LOProgramie, &Etykieta::klik, this, &TFGlowny::LOProgramieClick);
    connect(LHelp, &Etykieta::klik, this, &TFGlowny::LHelpClick);
    connect(LUstawienia, &Etykieta::klik, this, &TFGlowny::LUstawieniaClick);
    connect(LTesty1, &Etykieta::klik, this, &TFGlowny::LTest_0Click);

    for (Etykieta* obraz : {ImMenutesty, ImTloMenuPomoc}) {
        connect(obraz, &Etykieta::ruch, this, [this] {
            ZresetujKoloryMenu();
            LOpisMenu->clear();
        });
    }
    for (Etykieta* e : {LAnalizaProsta, LAnalizaZPliku, LAnalizaZListy})
        connect(e, &Etykieta::ruch, this, [this, e] {
            Podswietl(e, {LAnalizaProsta, LAnalizaZPliku, LAnalizaZListy});
            PokazOpis(e);
        });
    for (Etykieta* e : {LOProgramie, LHelp, LUstawienia})
        connect(e, &Etykieta::ruch, this, [this, e] {
            Podswietl(e, {LOProgramie, LHelp, LUstawienia});
            PokazOpis(e);
        });

    // ---- the analysis panel ----
    PAnalizaTabele = Panel(PGlowny, 0, 0, Szerokosc, Wysokosc);
    ImTloTabele = new Etykieta(PAnalizaTabele, 0, 0, Szerokosc, Wysokosc);
    ImTloTabele->setPixmap(skora::Obrazek(QStringLiteral("tlotabele")));
    LZamknijAnaliza = GoracyPunkt(PAnalizaTabele, 628, 509, 87, 23);
    connect(LZamknijAnaliza, &Etykieta::klik, this, &TFGlowny::LZamknijAnalizaClick);
    LListwaTable = new Etykieta(PAnalizaTabele, 24, 8, 705, 15);
    PodlaczListwe(LListwaTable);
    // over the strip, which reaches under them
    ZnakiOkna(PAnalizaTabele, LCloseAnaliza, LMinimizeAnaliza, LBigAnaliza);

    const auto maleMenu = [this](QWidget*& panel, Etykieta*& obraz, const char* nazwaObrazka,
                                 const skora::UkladMalegoMenu& uklad,
                                 std::initializer_list<Etykieta**> pozycje,
                                 std::initializer_list<const char*> napisy) {
        const int wysokosc = skora::WysokoscMalegoMenu(uklad);
        panel = Panel(PAnalizaTabele, 10, 142, 123, wysokosc);
        obraz = new Etykieta(panel, 0, 0, 123, wysokosc);
        obraz->setPixmap(skora::Obrazek(QString::fromLatin1(nazwaObrazka)));
        for (int i = 0; i < static_cast<int>(pozycje.size()); ++i)
            *pozycje.begin()[i] =
                Pozycja(panel, 15, uklad.pierwszaPozycja + i * skora::WysokoscPozycji + 1, 105, 16,
                        QString::fromUtf8(napisy.begin()[i]));
    };
    maleMenu(PMenuTabele, ImMenuTabele, "menutabele", skora::MenuTabeleUklad,
             {&LTabelaWynikow, &LTabelaCzas, &LTabelaOceny},
             {"Wyników testu", "Czasu pracy", "Zestawienie ocen"});
    maleMenu(PMenuDiagramy, ImMenuDiagramy, "menudiagramy", skora::MenuDiagramyUklad,
             {&LDiagramWynikow, &LDiagramCzas, &LDiagramOceny},
             {"Wyników testu", "Czasu pracy", "Zestawienie ocen"});
    maleMenu(PMenuRaporty, ImMenuRaporty, "menuraporty", skora::MenuRaportyUklad,
             {&LRaport1, &Lraport2, &LRaport3, &LRaport4},
             {"Globalny o teście", "Statystyka", "Zestawienie ocen", "Jakość pytań"});
    // Every menu entry in one font, the captions' own where the labels hold them.
    DopasujCzcionke({LAnalizaProsta, LAnalizaZPliku, LAnalizaZListy, LOProgramie, LHelp,
                     LUstawienia, LTabelaWynikow, LTabelaCzas, LTabelaOceny, LDiagramWynikow,
                     LDiagramCzas, LDiagramOceny, LRaport1, Lraport2, LRaport3, LRaport4});
    // the headers of the closed groups switch the menus
    const auto naglowek = [this](QWidget* panel, const QRect& r) {
        return GoracyPunkt(panel, r.x(), r.y(), r.width(), r.height());
    };
    LTabeleDiagramy = naglowek(PMenuTabele, skora::MenuTabeleUklad.naglowki[1]);
    LTabeleRaporty = naglowek(PMenuTabele, skora::MenuTabeleUklad.naglowki[2]);
    LDiagramyTabele = naglowek(PMenuDiagramy, skora::MenuDiagramyUklad.naglowki[0]);
    LDiagramyRaporty = naglowek(PMenuDiagramy, skora::MenuDiagramyUklad.naglowki[2]);
    LRaportyTabele = naglowek(PMenuRaporty, skora::MenuRaportyUklad.naglowki[0]);
    LRaportyDiagramy = naglowek(PMenuRaporty, skora::MenuRaportyUklad.naglowki[1]);

    const auto doDiagramow = [this] { PokazMaleMenu(PMenuDiagramy); };
    const auto doTabel = [this] { PokazMaleMenu(PMenuTabele); };
    const auto doRaportow = [this] {
        if (program.analiza.RodzajAnalizy == AnalizaZTestem) PokazMaleMenu(PMenuRaporty);
    };
    connect(LTabeleDiagramy, &Etykieta::klik, this, doDiagramow);
    connect(LRaportyDiagramy, &Etykieta::klik, this, doDiagramow);
    connect(LDiagramyTabele, &Etykieta::klik, this, doTabel);
    connect(LRaportyTabele, &Etykieta::klik, this, doTabel);
    connect(LTabeleRaporty, &Etykieta::klik, this, doRaportow);
    connect(LDiagramyRaporty, &Etykieta::klik, this, doRaportow);

    // tables
    const std::initializer_list<Etykieta*> tabele = {LTabelaWynikow, LTabelaCzas, LTabelaOceny};
    connect(LTabelaWynikow, &Etykieta::klik, this, [this] { PokazTabele(1); });
    connect(LTabelaCzas, &Etykieta::klik, this, [this] { PokazTabele(2); });
    connect(LTabelaOceny, &Etykieta::klik, this, [this] { PokazTabele(3); });
    // charts
    connect(LDiagramWynikow, &Etykieta::klik, this, [this] { PokazWykres(1); });
    connect(LDiagramCzas, &Etykieta::klik, this, [this] { PokazWykres(2); });
    connect(LDiagramOceny, &Etykieta::klik, this, [this] { PokazWykres(3); });
    // reports: each entry and the report it makes
    const std::pair<Etykieta*, RaportZMenu> raporty[] = {{LRaport1, &RaportOTescie},
                                                         {Lraport2, &RaportStatystyka},
                                                         {LRaport3, &RaportWykazOcen},
                                                         {LRaport4, &RaportJakoscPytan}};
    for (const auto& [pozycja, zrob] : raporty)
        connect(pozycja, &Etykieta::klik, this, [this, zrob = zrob] { PokazRaportZMenu(zrob); });

    // hover in the small menus
    const auto trojka = [this](std::array<Etykieta*, 3> t) {
        for (Etykieta* e : t)
            connect(e, &Etykieta::ruch, this, [this, e, t] { Podswietl(e, {t[0], t[1], t[2]}); });
    };
    trojka({LTabelaWynikow, LTabelaCzas, LTabelaOceny});
    trojka({LDiagramWynikow, LDiagramCzas, LDiagramOceny});
    for (Etykieta* e : {LRaport1, Lraport2, LRaport3, LRaport4})
        connect(e, &Etykieta::ruch, this, [this, e] {
            Podswietl(e, {LRaport1, Lraport2, LRaport3, LRaport4});
        });
    (void)tabele;
    connect(ImMenuTabele, &Etykieta::ruch, this, [this] {
        ZresetujKolory({LTabelaWynikow, LTabelaCzas, LTabelaOceny});
    });
    connect(ImMenuDiagramy, &Etykieta::ruch, this, [this] {
        ZresetujKolory({LDiagramWynikow, LDiagramCzas, LDiagramOceny});
    });
    connect(ImMenuRaporty, &Etykieta::ruch, this, [this] {
        ZresetujKolory({LRaport1, Lraport2, LRaport3, LRaport4});
        QCoreApplication::processEvents();
    });
    connect(ImTloTabele, &Etykieta::ruch, this, [this] {
        ZresetujKolory({LTabelaWynikow, LTabelaCzas, LTabelaOceny, LDiagramWynikow, LDiagramCzas,
                        LDiagramOceny, LRaport1, Lraport2, LRaport3, LRaport4});
    });

    // ---- the keyboard and screen readers: the hot spots are named by what is painted there ----
    LHelp->setAccessibleName(QStringLiteral("Pomoc (F1)"));
    const std::pair<Etykieta*, const char*> goraceDlaKlawiatury[] = {
        {LTest_0, "Analiza testu"},          {LPomoc_0, "Pomoc i ustawienia"},
        {LPomoc_1, "Pomoc i ustawienia"},    {LTesty1, "Analiza testu"},
        {LTabeleDiagramy, "Wykresy"},        {LTabeleRaporty, "Raporty"},
        {LDiagramyTabele, "Tabele"},         {LDiagramyRaporty, "Raporty"},
        {LRaportyTabele, "Tabele"},          {LRaportyDiagramy, "Wykresy"},
        {LZamknijAnaliza, "Zamknij analizę"}};
    for (const auto& [e, nazwa] : goraceDlaKlawiatury)
        e->UstawKlawiature(QString::fromUtf8(nazwa));

    // At start: both menus closed, no analysis panel, its table menu the one shown.
    PPodMenuTesty->hide();
    PPodMenuPomoc->hide();
    PAnalizaTabele->hide();
    PMenuDiagramy->hide();
    PMenuRaporty->hide();

    // ---- the choices: the dialogs and the file-list windows ----
    wybory.PlikTestu = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Wskaż plik testu"),
                                            FolderDialogu(folder),
                                            QStringLiteral("Plik testu (*.skt)"));
    };
    wybory.PlikiOdpowiedzi = [this] {
        if (program.FOknoLPlikow) program.FOknoLPlikow->WybierzPlikiOdpowiedzi();
    };
    wybory.TestIPliki = [this] {
        if (program.FOknoObieListy) program.FOknoObieListy->WybierzTestIPliki();
    };
    wybory.Zakoncz = [] { QCoreApplication::exit(0); };
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

Etykieta* TFGlowny::Pozycja(QWidget* rodzic, int x, int y, int w, int h, const QString& napis) {
    return new PozycjaMenu(rodzic, x, y, w, h, napis);
}

QString TFGlowny::OpisPozycji(const QString& nazwa) {
    if (nazwa == QLatin1String("LAnalizaProsta"))
        return QStringLiteral("Analiza prosta - bez testu.\r\rWskazujesz pliki odpowiedzi i "
                              "otrzymujesz\rzestawienie wyników w formie tabelarycznej.\rMożesz "
                              "również przedstawić zestawienie w postaci diagramu.\rNie możesz "
                              "robić innych zestawien ani porównań");
    if (nazwa == QLatin1String("LAnalizaZPliku"))
        return QStringLiteral("Analiza rozszerzona - test z pliku.\r\rWskazujesz pliki odpowiedzi "
                              "oraz plik testu.\rMasz możliwość dokonać pełnej analizy "
                              "wyników\roraz zaprezentować ją w różnej postaci.");
    if (nazwa == QLatin1String("LAnalizaZListy"))
        return QStringLiteral("Analiza rozszerzona - test z listy.\r\rWskazujesz pliki odpowiedzi "
                              "oraz wybierasz test\rz listy testów.\rMasz możliwość dokonać pełnej "
                              "analizy wyników\roraz zaprezentować ją w różnej postaci.");
    if (nazwa == QLatin1String("LOProgramie"))
        return QStringLiteral("Krótka informacja o programie.\r\rKto, kiedy, wersja programu.");
    if (nazwa == QLatin1String("LHelp"))
        return QStringLiteral("Pomoc do programu.\r\rPomoc do programu z którym pracujesz.\rMasz "
                              "pytania, wątpliwości - najpierw zajrzyj tutaj.");
    if (nazwa == QLatin1String("LUstawienia"))
        return QStringLiteral("Ustawienia programu.\r\rKolejność imienia i nazwiska, plik listy "
                              "testów,\rzapis i kopiowanie tabel oraz raporty w przeglądarce."
                              "\r\rSzczegółowość dziennika zdarzeń zmieniają\rklawisze "
                              "Ctrl+Alt+0 … Ctrl+Alt+4.");
    return {};
}

// ---- hover --------------------------------------------------------------------------------------

void TFGlowny::Podswietl(Etykieta* pozycja, std::initializer_list<Etykieta*> rodzenstwo) {
    for (Etykieta* e : rodzenstwo)
        if (e != pozycja && e->isVisible()) e->Podswietl(false);
    if (pozycja->isVisible()) pozycja->Podswietl(true);
}

void TFGlowny::PokazOpis(Etykieta* pozycja) {
    QString opis = OpisPozycji(pozycja->objectName());
    opis.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (LOpisMenu->text() != opis) LOpisMenu->setText(opis);
}

void TFGlowny::ZresetujKoloryMenu() {
    ZresetujKolory(
        {LAnalizaProsta, LAnalizaZPliku, LAnalizaZListy, LOProgramie, LHelp, LUstawienia});
}

void TFGlowny::ZresetujKolory(std::initializer_list<Etykieta*> pozycje) {
    for (Etykieta* e : pozycje)
        e->Podswietl(false);
}

// ---- menus ------------------------------------------------------------------------------------

void TFGlowny::UkryjPodmenu() {
    PPodMenuTesty->hide();
    PPodMenuPomoc->hide();
    LOpisMenu->clear();
    QCoreApplication::processEvents();
}

void TFGlowny::LTest_0Click() {
    ZresetujKoloryMenu();
    PPodMenuPomoc->hide();
    PPodMenuTesty->show();
    LOpisMenu->clear();
    FokusNa(LAnalizaProsta);
}

void TFGlowny::LPomoc_0Click() {
    ZresetujKoloryMenu();
    PPodMenuPomoc->show();
    PPodMenuTesty->hide();
    LOpisMenu->clear();
    FokusNa(LOProgramie);
}

void TFGlowny::LPomoc_1Click() {
    PPodMenuPomoc->show();
    PPodMenuTesty->hide();
    LOpisMenu->clear();
    FokusNa(LOProgramie);
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
    for (Etykieta* e : {LTest_0, LPomoc_0})
        e->setFocusPolicy(wlaczony ? Qt::TabFocus : Qt::NoFocus);
}

void TFGlowny::LOProgramieClick() {
    ZresetujKoloryMenu();
    // relative to the central panel, which is the window's corner in the normal layout
    if (program.FWinieta) program.FWinieta->Pokaz(PGlowny->mapToGlobal(QPoint(0, 0)));
}

void TFGlowny::LUstawieniaClick() {
    ZresetujKoloryMenu();
    if (program.FIniSondrel)
        program.FIniSondrel->PokazUstawienia(PGlowny->mapToGlobal(QPoint(0, 0)));
}

void TFGlowny::LHelpClick() {
    OtworzPomoc(QStringLiteral("index.htm"));
}

// ---- the three analyses -------------------------------------------------------------------------

void TFGlowny::LAnalizaProstaClick() {
    UkryjPodmenu();
    QCoreApplication::processEvents();
    program.analiza.RodzajAnalizy = AnalizaProsta;
    if (wybory.PlikiOdpowiedzi) wybory.PlikiOdpowiedzi();
}

void TFGlowny::LAnalizaZPlikuClick() {
    UkryjPodmenu();
    if (folderTestu.isEmpty()) folderTestu = program.srodowisko.foldery.FolderDokumentow;
    const QString plik = wybory.PlikTestu ? wybory.PlikTestu(folderTestu) : QString();
    if (plik.isEmpty()) return; // cancelled: nothing changes
    folderTestu = QFileInfo(plik).absolutePath();
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    program.analiza.PlikTestu = QDir::toNativeSeparators(plik);
    if (wybory.PlikiOdpowiedzi) wybory.PlikiOdpowiedzi();
}

void TFGlowny::LAnalizaZListyClick() {
    UkryjPodmenu();
    program.analiza.RodzajAnalizy = AnalizaZTestem;
    QCoreApplication::processEvents();
    if (wybory.TestIPliki) wybory.TestIPliki();
}

void TFGlowny::AnalizujPliki(const QStringList& pliki) {
    if (AnalizujUpuszczonePliki(pliki, program.analiza, program.srodowisko)) PokazAnalize();
}

// ---- the analysis panel -------------------------------------------------------------------------

void TFGlowny::PokazAnalize() {
    // the windows of an earlier step or analysis
    QList<Okno*> okna;
    okna.append(program.FOknoLPlikow);
    okna.append(program.FOknoObieListy);
    okna.append(program.FIniSondrel);
    okna.append(program.FWinieta);
    okna.append(program.FBrowser); // a report of the earlier analysis
    for (Okno* okno : okna)
        if (okno && okno->isVisible()) okno->Zamknij();

    PMenuRaporty->hide();
    PMenuDiagramy->hide();
    PMenuTabele->show();
    UstawEkranStartowy(false);
    PAnalizaTabele->show();
    FokusNa(LTabelaWynikow);
    PokazTabele(1);
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
    ZresetujKolory({LRaport1, Lraport2, LRaport3, LRaport4});
    QCoreApplication::processEvents();
    if (program.analiza.RodzajAnalizy != AnalizaZTestem) return;
    if (program.FTabela && program.FTabela->isVisible()) program.FTabela->Zamknij();
    // closing this report does not bring the table window back
    if (program.FBrowser) program.FBrowser->PowrotDoTabeli = 0;
    repaint();
    const WynikRaportu wynik =
        zrob(program.analiza, program.UstawieniaRaportow(), program.srodowisko);
    if (wynik.udany() && !program.FBrowser) {
        // the main window without the program's other windows: the desktop opens the report
        OtworzAdres(QUrl::fromLocalFile(wynik.sciezka));
        return;
    }
    program.PokazRaport(wynik);
}

void TFGlowny::PokazWykres(int typ) {
    ZresetujKolory({LDiagramWynikow, LDiagramCzas, LDiagramOceny});
    if (program.FTabela && program.FTabela->isVisible()) program.FTabela->Zamknij();
    if (program.FBrowser && program.FBrowser->isVisible()) program.FBrowser->Zamknij();
    if (program.FWykres) program.FWykres->OtworzWykres(typ);
}

void TFGlowny::PokazTabele(int rodzaj) {
    if (program.FBrowser && program.FBrowser->isVisible()) program.FBrowser->Zamknij();
    ZresetujKolory({LTabelaWynikow, LTabelaCzas, LTabelaOceny});
    if (program.FWykres && program.FWykres->isVisible()) program.FWykres->ZamknijWykres();
    if (program.FTabela) program.FTabela->PokazTabele(static_cast<RodzajTabeli>(rodzaj));
}

// The question-quality report: made into the temporary folder like the other reports and
// opened in the default browser (a failure to save it is told in the message dialog).
void TFGlowny::LZamknijAnalizaClick() {
    if (program.FTabela && program.FTabela->isVisible()) program.FTabela->Zamknij();
    if (program.FWykres && program.FWykres->isVisible()) program.FWykres->ZamknijWykres();
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
