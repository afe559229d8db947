// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_archiwum.h"

#include "ui/okna/panel_archiwum.h"
#include "ui/program.h"
#include "ui/skory/paleta.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_archiwum.h"
#include "ui/skory/skora_ramki.h"

#include <QTreeWidget>

namespace sondrel {

namespace {

constexpr int SzerokoscPoczatkowa = 760, WysokoscPoczatkowa = 520;
constexpr int SzerokoscMinimalna = 560, WysokoscMinimalna = 360;
constexpr int Margines = 10; // around the list in the white body

} // namespace

TFArchiwum::TFArchiwum(Program& p, QWidget* rodzic) : OknoZRamka(rodzic), program(p) {
    skora::DodajObrazkiArchiwum();
    UstawTytulOkna(TekstyArchiwum::Tytul);
    UstawStronePomocy(QStringLiteral("archiwum.htm"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    setAutoFillBackground(false);
    setAccessibleName(TekstyArchiwum::Tytul);
    UstawRozmiar(SzerokoscPoczatkowa, WysokoscPoczatkowa);
    ZbudujRamke(QStringLiteral("archiwummenu"), QStringLiteral("Zamknij archiwum"), true);
    DodajUchwyt(PRightDown, skora::ramka::Uchwyt, QSize(SzerokoscMinimalna, WysokoscMinimalna),
                QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    LListwa->setText(TekstyArchiwum::Tytul);

    PPodPanel = new QWidget(this);
    PPodPanel->setAutoFillBackground(true);
    QPalette biala = PPodPanel->palette();
    biala.setColor(QPalette::Window, QColor::fromRgb(skora::Panel));
    PPodPanel->setPalette(biala);
    Panel = new PanelArchiwum(program, PPodPanel);
    GasMenuNad(PPodPanel);

    const auto pozycja = [this](QWidget* panel, int y, const char* napis, auto akcja) {
        Etykieta* l = DodajPozycjeMenu(panel, y, QString::fromUtf8(napis), akcja);
        polecenia.append(l);
        return l;
    };
    LPorownaj = pozycja(PListwaLeft, 64, "Porównaj klasy", [this] { Panel->PorownajKlasy(); });
    LHistoria = pozycja(PListwaLeft, 79, "Historia ucznia…", [this] { Panel->HistoriaUcznia(); });
    LKreska1 = DodajKreskeMenu(PListwaLeft, 86);
    LZmienOpis = pozycja(PListwaLeft, 104, "Zmień opis", [this] { Panel->ZmienOpis(); });
    LUsun = pozycja(PListwaLeft, 119, "Usuń z archiwum", [this] { Panel->UsunZArchiwum(); });
    LUsunUcznia = pozycja(PListwaLeft, 134, "Usuń ucznia…", [this] { Panel->UsunUcznia(); });
    LUsunUcznia->setAccessibleName(QStringLiteral("Usuń ucznia z archiwum…"));
    LUsunUcznia->setToolTip(QStringLiteral("Usuń ucznia z archiwum…"));
    LKreska2 = DodajKreskeMenu(PListwaLeft, 141);
    LEksportuj = pozycja(PListwaLeft, 159, "Eksportuj…", [this] { Panel->Eksportuj(); });
    // the column below the menu panel goes on with the last entries, the last separators and
    // the close entry
    LImportuj = pozycja(PLeft, 2, "Importuj…", [this] { Panel->Importuj(); });
    LKreska3 = DodajKreskeMenu(PLeft, 9);
    LPorownanieArkusz =
        pozycja(PLeft, 26, "Arkusz porównania…", [this] { Panel->PorownanieDoArkusza(); });
    LHistoriaArkusz =
        pozycja(PLeft, 41, "Arkusz historii…", [this] { Panel->HistoriaDoArkusza(); });
    LKreska4 = DodajKreskeMenu(PLeft, 48);
    LZamknij =
        DodajPozycjeMenu(PLeft, 65, QStringLiteral("Zamknij archiwum"), [this] { ZamknijOkno(); });

    connect(Panel, &PanelArchiwum::zajetosc, this, &TFArchiwum::Zajetosc);
    connect(Panel, &PanelArchiwum::raportGotowy, this, &TFArchiwum::raportGotowy);
    connect(Panel, &PanelArchiwum::potwierdzZapis, this, &TFArchiwum::potwierdzZapis);
    connect(Panel, &PanelArchiwum::zapisanoAnalize, this, &TFArchiwum::zapisanoAnalize);
    Uloz();
}

TFArchiwum::~TFArchiwum() = default;

void TFArchiwum::Uloz() {
    using namespace skora::ramka;
    const int W = width(), H = height();
    UlozRamke();
    PPodPanel->setGeometry(SzerokoscMenu, Listwa, W - SzerokoscMenu - PrawyBok,
                           H - Listwa - DolnyPas);
    Panel->setGeometry(Margines, Margines, PPodPanel->width() - 2 * Margines,
                       PPodPanel->height() - 2 * Margines);
}

void TFArchiwum::UstawRozmiarUchwytem(QSize rozmiar) {
    UstawRozmiar(rozmiar.width(), rozmiar.height());
    Uloz();
}

void TFArchiwum::Pokaz() {
    if (!isVisible()) show();
    raise();
    activateWindow();
    Panel->Drzewo->setFocus();
    Panel->Odswiez();
}

void TFArchiwum::ZapiszAnalize() {
    if (Panel->Zajety())
        program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                                          TekstyArchiwum::Zajete);
    else
        Panel->ZapiszAnalize();
}

void TFArchiwum::showEvent(QShowEvent* e) {
    OknoZRamka::showEvent(e);
    if (!umieszczone) {
        umieszczone = true;
        UmiescObokMenu();
    }
}

void TFArchiwum::Zajetosc(bool zajety) {
    for (Etykieta* l : polecenia)
        l->setEnabled(!zajety);
}

} // namespace sondrel
