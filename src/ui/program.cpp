// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include "core/foldery.h"
#include "tables/klikniecie_tabeli.h"
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

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <vector>

namespace sondrel {

struct Program::Okna {
    // In the order of creation; destroyed in the reverse order, the main window last.
    std::vector<std::unique_ptr<QWidget>> lista;
    ~Okna() {
        while (!lista.empty())
            lista.pop_back();
    }
};

Program::Program(QStringList a) : argumenty(std::move(a)), okna(std::make_unique<Okna>()) {
    srodowisko.foldery.FolderProgramu = FolderPlikuProgramu();
    OtworzWPrzegladarce = [](const QUrl& adres) { QDesktopServices::openUrl(adres); };
}

Program::~Program() = default;

void Program::UtworzOkna() {
    if (FGlowny) return;
    const auto dodaj = [this](auto* okno) {
        okna->lista.emplace_back(okno);
        // every window after the main one stays above it as its tool window
        if (FGlowny) okno->UstawOknoGlowne(FGlowny);
        return okno;
    };
    // Each window once for the whole run, in this order.
    FGlowny = dodaj(new TFGlowny(*this));
    FWarning = dodaj(new TFWarning(QStringLiteral("pl")));
    UstawOknoKomunikatow(srodowisko.komunikaty, *FWarning);
    FOknoLPlikow = dodaj(new TFOknoLPlikow(*this));
    FWykres = dodaj(new TFWykres(*this));
    FUstawwykres = dodaj(new TFUstawwykres(srodowisko, *FWykres));
    // "Formatuj wykres" opens the settings window modally over the chart
    FWykres->OtworzUstawienia = [this](WykresDlaUstawien&) { FUstawwykres->PokazUstawienia(); };
    FTabela = dodaj(new TFTabela(*this));
    FPopMenu = dodaj(new TFPopMenu(*this));
    FPopPyt = dodaj(new TFPopPyt(*this));
    FPopOsoba = dodaj(new TFPopOsoba(*this));
    FBrowser = dodaj(new TFBrowser(*this));
    FOknoObieListy = dodaj(new TFOknoObieListy(*this));
    FIniSondrel = dodaj(new TFIniSondrel(*this));
    FZegar = dodaj(new TFZegar());
    FWinieta = dodaj(new TFWinieta());
    FArchiwum = dodaj(new TFArchiwum(*this));

    // A confirmed choice of files whose analysis has something to show switches the main
    // window to its analysis panel.
    QObject::connect(FOknoLPlikow, &TFOknoLPlikow::analizaGotowa, FGlowny, &TFGlowny::PokazAnalize);
    QObject::connect(FOknoObieListy, &TFOknoObieListy::analizaGotowa, FGlowny,
                     &TFGlowny::PokazAnalize);

    // Right-clicks in the results table open the popups; they open beside the table window
    // (the answer popup where it was last).
    FPopMenu->UstawOknoOdniesienia(FTabela);
    FPopOsoba->UstawOknoOdniesienia(FTabela);
    FTabela->PokazPopup = [this](const KlikniecieTabeli& k) {
        switch (k.cel) {
        case CelKlikniecia::Uczen:
            FPopOsoba->PokazUcznia(k.uczen);
            break;
        case CelKlikniecia::Pytanie:
            FPopMenu->PokazPytanie(k.pytanie);
            break;
        case CelKlikniecia::OdpowiedzUcznia:
            FPopPyt->PokazOdpowiedzUcznia(k.pytanie, k.uczen);
            break;
        case CelKlikniecia::Nic:
            break;
        }
    };
}

UstawieniaRaportu Program::UstawieniaRaportow() const {
    UstawieniaRaportu u;
    u.odbiorca = OdbiorcaRaportu();
    u.najpierwImie = ustawienia.fn;
    return u;
}

void Program::PokazRaport(const WynikRaportu& wynik) {
    const bool zTabeli = FBrowser && FBrowser->PowrotDoTabeli == 1;
    const auto przywrocTabele = [&] {
        if (zTabeli && FTabela) FTabela->PokazOknoTabeli();
    };
    if (!wynik.udany()) {
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, wynik.blad);
        przywrocTabele();
        return;
    }
    if (ustawienia.rdfw) {
        // the browser is another program: nothing would bring the table window back later
        if (OtworzWPrzegladarce) OtworzWPrzegladarce(QUrl::fromLocalFile(wynik.sciezka));
        przywrocTabele();
        return;
    }
    if (FBrowser) FBrowser->WyswietlRaport(wynik.sciezka);
}

void Program::RaportZTabeli(const std::function<WynikRaportu()>& zrob) {
    if (FTabela) FTabela->hide();
    QCoreApplication::processEvents();
    if (FBrowser) FBrowser->PowrotDoTabeli = 1;
    PokazRaport(zrob());
}

} // namespace sondrel
