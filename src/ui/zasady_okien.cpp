// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/zasady_okien.h"

#include "analysis/przebieg_analizy.h"
#include "core/analiza.h"
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

#include <QApplication>
#include <QUrl>
#include <algorithm>

namespace sondrel {

namespace {

using O = OknoProgramu;
using P = Prosba;
using Z = ZasadyOkien;

} // namespace

ZasadyOkien::ZasadyOkien(Program& p) : program(p) {}

ZasadyOkien::~ZasadyOkien() = default;

const ZasadyOkien::Regula* ZasadyOkien::RegulaDla(Prosba prosba) {
    // The rules, one per request: what the user asked for, the windows that close first (each only
    // when visible), then what is done.
    static const Regula Reguly[] = {
        // A new analysis puts away the windows of the earlier step or analysis and shows its
        // results table (the main window shows its analysis panel itself).
        {P::NowaAnaliza,
         {O::Raport, O::Wykres, O::UstawieniaWykresu, O::ListaPlikow, O::ObieListy, O::Ustawienia,
          O::PopupPytania, O::PopupUcznia, O::PopupOdpowiedzi, O::Winieta},
         &Z::PokazTabele},
        {P::ZamknijAnalize, {O::Tabela, O::Wykres}, nullptr},
        {P::Tabela, {O::Wykres, O::Raport}, &Z::PokazTabele},
        {P::Wykres, {O::Tabela, O::Raport}, &Z::OtworzWykres},
        // closing the report does not bring the table window back
        {P::RaportZMenu, {O::Tabela, O::Wykres}, &Z::PokazRaportZMenu},
        // the table window comes back when the report window is closed
        {P::RaportZTabeli, {O::Tabela}, &Z::PokazRaportZTabeli},
        {P::ZamknietoRaport, {}, &Z::PowrotDoTabeli},
        {P::PopupTabeli, {}, &Z::PokazPopup},
        {P::FormatujWykres, {}, &Z::PokazUstawieniaWykresu},
        {P::PlikiOdpowiedzi, {}, &Z::WybierzPlikiOdpowiedzi},
        {P::TestIPliki, {}, &Z::WybierzTestIPliki},
        {P::OProgramie, {}, &Z::PokazWiniete},
        {P::Ustawienia, {}, &Z::PokazUstawienia},
        {P::PotwierdzenieZapisu, {}, &Z::PokazIkoneZapisu},
        // a table on screen names its students as the settings now say
        {P::ZapisaneUstawienia, {}, &Z::OdswiezTabele},
        {P::GotowyRaport, {}, &Z::PokazRaportZMenu},
        {P::ZapiszWArchiwum, {}, &Z::ZapiszWArchiwum},
        {P::PrzegladajArchiwum, {}, &Z::PokazArchiwum},
        {P::ZapisanoWArchiwum, {}, &Z::PokazIkoneZapisuGlownego},
        // the main window comes up over the program's windows, a dialog in use above it
        {P::PodniesProgram, {}, &Z::PodniesProgram},
        // handed-over files are analysed as dropped ones: a new analysis
        {P::PrzekazanePliki, {}, &Z::AnalizujPrzekazane},
    };
    const auto r = std::find_if(std::begin(Reguly), std::end(Reguly),
                                [prosba](const Regula& r) { return r.prosba == prosba; });
    return r != std::end(Reguly) ? &*r : nullptr;
}

void ZasadyOkien::Wykonaj(const Zadanie& zadanie) {
    const Regula* r = RegulaDla(zadanie.prosba);
    if (!r) return;
    for (const OknoProgramu ktore : r->zamknij)
        if (Okno* okno = Wskaz(ktore); okno && okno->isVisible()) okno->Zamknij();
    if (r->potem) (this->*r->potem)(zadanie);
}

// ---- the windows' announcements ---------------------------------------------------------------

void ZasadyOkien::Zapisz(OknoProgramu ktore, Okno* okno) {
    okna[static_cast<int>(ktore)] = okno;
}

void ZasadyOkien::Podlacz(TFGlowny* o) {
    Zapisz(O::Glowne, o);
    connect(o, &TFGlowny::analizaPokazana, this, [this] {
        Wykonaj({P::NowaAnaliza, 1});
        // reports will follow: the report window's engine starts while the teacher looks
        if (auto* b = Wskaz<TFBrowser>(O::Raport)) b->UruchomWTle();
    });
    connect(o, &TFGlowny::analizaZamknieta, this, [this] { Wykonaj(P::ZamknijAnalize); });
    connect(o, &TFGlowny::tabelaWybrana, this, [this](int k) { Wykonaj({P::Tabela, k}); });
    connect(o, &TFGlowny::wykresWybrany, this, [this](int k) { Wykonaj({P::Wykres, k}); });
    connect(o, &TFGlowny::raportWybrany, this, [this](const std::function<WynikRaportu()>& zrob) {
        Wykonaj({P::RaportZMenu, zrob});
    });
    connect(o, &TFGlowny::plikiOdpowiedzi, this, [this] { Wykonaj(P::PlikiOdpowiedzi); });
    connect(o, &TFGlowny::testIPliki, this, [this] { Wykonaj(P::TestIPliki); });
    connect(o, &TFGlowny::oProgramie, this, [this] { Wykonaj(P::OProgramie); });
    connect(o, &TFGlowny::ustawieniaProgramu, this, [this] { Wykonaj(P::Ustawienia); });
    connect(o, &TFGlowny::zapiszWArchiwum, this, [this] { Wykonaj(P::ZapiszWArchiwum); });
    connect(o, &TFGlowny::przegladajArchiwum, this, [this] { Wykonaj(P::PrzegladajArchiwum); });
}

void ZasadyOkien::Podlacz(TFWarning* o) {
    Zapisz(O::Komunikaty, o);
}

void ZasadyOkien::Podlacz(TFOknoLPlikow* o) {
    Zapisz(O::ListaPlikow, o);
    PodlaczListe(o);
}

void ZasadyOkien::Podlacz(TFOknoObieListy* o) {
    Zapisz(O::ObieListy, o);
    PodlaczListe(o);
}

void ZasadyOkien::PodlaczListe(OknoListyPlikow* o) {
    // A confirmed choice of files whose analysis has something to show switches the main
    // window to its analysis panel.
    connect(o, &OknoListyPlikow::analizaGotowa, this, [this] {
        if (auto* g = Wskaz<TFGlowny>(O::Glowne)) g->PokazAnalize();
    });
    // placed from the main window's corner while it is shown
    o->PunktOdniesienia = [this]() -> std::optional<QPoint> {
        const auto* g = Wskaz<TFGlowny>(O::Glowne);
        return g ? g->Naroznik() : std::nullopt;
    };
}

void ZasadyOkien::Podlacz(TFWykres* o) {
    Zapisz(O::Wykres, o);
    // showing a kind on the chart shows its panel in the settings window
    connect(o, &TFWykres::rodzajPokazany, this, [this](int rodzaj) {
        if (auto* u = Wskaz<TFUstawwykres>(O::UstawieniaWykresu)) u->PokazRodzajWykresu(rodzaj);
    });
    connect(o, &TFWykres::formatowanie, this, [this] { Wykonaj(P::FormatujWykres); });
}

void ZasadyOkien::Podlacz(TFUstawwykres* o) {
    Zapisz(O::UstawieniaWykresu, o);
}

void ZasadyOkien::Podlacz(TFTabela* o) {
    Zapisz(O::Tabela, o);
    connect(o, &TFTabela::prawyKlik, this, [this](const KlikniecieTabeli& k) {
        Wykonaj({P::PopupTabeli, k});
    });
    PodlaczPotwierdzenieZapisu(o);
}

template <class T> void ZasadyOkien::PodlaczPotwierdzenieZapisu(T* o) {
    connect(o, &T::potwierdzZapis, this, [this](QPoint gdzie) {
        Wykonaj({P::PotwierdzenieZapisu, gdzie});
    });
}

void ZasadyOkien::PodlaczPopup(OknoPopup* o) {
    connect(o, &OknoPopup::raportWybrany, this, [this](const std::function<WynikRaportu()>& zrob) {
        Wykonaj({P::RaportZTabeli, zrob});
    });
}

void ZasadyOkien::Podlacz(TFPopMenu* o) {
    Zapisz(O::PopupPytania, o);
    PodlaczPopup(o);
}

void ZasadyOkien::Podlacz(TFPopPyt* o) {
    Zapisz(O::PopupOdpowiedzi, o);
    PodlaczPopup(o);
}

void ZasadyOkien::Podlacz(TFPopOsoba* o) {
    Zapisz(O::PopupUcznia, o);
    PodlaczPopup(o);
}

void ZasadyOkien::Podlacz(TFBrowser* o) {
    Zapisz(O::Raport, o);
    connect(o, &TFBrowser::zamknietoRaport, this, [this] { Wykonaj(P::ZamknietoRaport); });
    PodlaczPotwierdzenieZapisu(o);
}

void ZasadyOkien::Podlacz(TFIniSondrel* o) {
    Zapisz(O::Ustawienia, o);
    connect(o, &TFIniSondrel::zapisanoUstawienia, this, [this] { Wykonaj(P::ZapisaneUstawienia); });
    PodlaczPotwierdzenieZapisu(o);
}

void ZasadyOkien::Podlacz(TFZegar* o) {
    Zapisz(O::IkonaZapisu, o);
}

void ZasadyOkien::Podlacz(TFWinieta* o) {
    Zapisz(O::Winieta, o);
}

void ZasadyOkien::Podlacz(TFArchiwum* o) {
    Zapisz(O::Archiwum, o);
    connect(o, &TFArchiwum::raportGotowy, this, [this](const WynikRaportu& w) {
        Wykonaj({P::GotowyRaport, [w] { return w; }});
    });
    connect(o, &TFArchiwum::potwierdzZapis, this, [this](QPoint gdzie) {
        Wykonaj({P::PotwierdzenieZapisu, gdzie});
    });
    connect(o, &TFArchiwum::zapisanoAnalize, this, [this] { Wykonaj(P::ZapisanoWArchiwum); });
}

void ZasadyOkien::Podlacz(OdbiorPrzekazan* o) {
    connect(o, &OdbiorPrzekazan::podnies, this, [this] { Wykonaj(P::PodniesProgram); });
    connect(o, &OdbiorPrzekazan::gotowe, this, [this](const Przekazanie& p) {
        Wykonaj({P::PrzekazanePliki, p});
    });
    // the files wait while the main window is not on screen
    o->MoznaPrzyjac = [this] {
        const Okno* g = Wskaz(O::Glowne);
        return g && g->isVisible();
    };
}

// ---- what the rules do ------------------------------------------------------------------------

void ZasadyOkien::PokazTabele(const Zadanie& z) {
    if (auto* t = Wskaz<TFTabela>(O::Tabela)) t->PokazTabele(static_cast<RodzajTabeli>(z.numer));
}

void ZasadyOkien::OtworzWykres(const Zadanie& z) {
    if (auto* w = Wskaz<TFWykres>(O::Wykres)) w->OtworzWykres(z.numer);
}

void ZasadyOkien::PokazRaportZMenu(const Zadanie& z) {
    if (auto* b = Wskaz<TFBrowser>(O::Raport)) b->PowrotDoTabeli = 0;
    if (auto* g = Wskaz<TFGlowny>(O::Glowne)) g->repaint();
    if (z.raport) PokazRaport(z.raport(), false);
}

void ZasadyOkien::PokazRaportZTabeli(const Zadanie& z) {
    // the table window off the screen before the work; no input is taken meanwhile
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (auto* b = Wskaz<TFBrowser>(O::Raport)) b->PowrotDoTabeli = 1;
    if (z.raport) PokazRaport(z.raport(), true);
}

void ZasadyOkien::PokazRaport(const WynikRaportu& wynik, bool zTabeli) {
    auto* przegladarka = Wskaz<TFBrowser>(O::Raport);
    const auto przywrocTabele = [&] {
        if (auto* t = Wskaz<TFTabela>(O::Tabela); zTabeli && t) t->PokazOknoTabeli();
    };
    if (!wynik.udany()) {
        program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, wynik.blad);
        przywrocTabele();
        return;
    }
    if (program.ustawienia.rdfw || !przegladarka) {
        // the browser is another program: nothing would bring the table window back later
        if (program.OtworzWPrzegladarce)
            program.OtworzWPrzegladarce(QUrl::fromLocalFile(wynik.sciezka));
        przywrocTabele();
        return;
    }
    przegladarka->WyswietlRaport(wynik.sciezka);
}

void ZasadyOkien::PowrotDoTabeli(const Zadanie&) {
    const auto* b = Wskaz<TFBrowser>(O::Raport);
    auto* t = Wskaz<TFTabela>(O::Tabela);
    if (b && t && b->PowrotDoTabeli == 1) t->PokazOknoTabeli();
}

void ZasadyOkien::PokazPopup(const Zadanie& z) {
    // the popups open beside the table window (the answer popup where it was last)
    auto* tabela = Wskaz<TFTabela>(O::Tabela);
    const KlikniecieTabeli& k = z.klikniecie;
    switch (k.cel) {
    case CelKlikniecia::Uczen:
        if (auto* p = Wskaz<TFPopOsoba>(O::PopupUcznia)) {
            p->UstawOknoOdniesienia(tabela);
            p->PokazUcznia(k.uczen);
        }
        break;
    case CelKlikniecia::Pytanie:
        if (auto* p = Wskaz<TFPopMenu>(O::PopupPytania)) {
            p->UstawOknoOdniesienia(tabela);
            p->PokazPytanie(k.pytanie);
        }
        break;
    case CelKlikniecia::OdpowiedzUcznia:
        if (auto* p = Wskaz<TFPopPyt>(O::PopupOdpowiedzi))
            p->PokazOdpowiedzUcznia(k.pytanie, k.uczen);
        break;
    case CelKlikniecia::Nic:
        break;
    }
}

void ZasadyOkien::PokazUstawieniaWykresu(const Zadanie&) {
    // modally over the chart: the chart window goes on when it is closed
    if (auto* u = Wskaz<TFUstawwykres>(O::UstawieniaWykresu)) u->PokazUstawienia();
}

void ZasadyOkien::WybierzPlikiOdpowiedzi(const Zadanie&) {
    if (auto* l = Wskaz<TFOknoLPlikow>(O::ListaPlikow)) l->WybierzPlikiOdpowiedzi();
}

void ZasadyOkien::WybierzTestIPliki(const Zadanie&) {
    if (auto* l = Wskaz<TFOknoObieListy>(O::ObieListy)) l->WybierzTestIPliki();
}

void ZasadyOkien::PokazWiniete(const Zadanie&) {
    auto* w = Wskaz<TFWinieta>(O::Winieta);
    const auto* g = Wskaz<TFGlowny>(O::Glowne);
    if (w && g) w->Pokaz(g->Naroznik().value_or(QPoint()));
}

void ZasadyOkien::PokazUstawienia(const Zadanie&) {
    auto* u = Wskaz<TFIniSondrel>(O::Ustawienia);
    const auto* g = Wskaz<TFGlowny>(O::Glowne);
    if (u) u->PokazUstawienia(g ? g->Naroznik().value_or(QPoint()) : QPoint());
}

void ZasadyOkien::PokazIkoneZapisu(const Zadanie& z) {
    if (auto* i = Wskaz<TFZegar>(O::IkonaZapisu)) i->PokazIkoneZapisu(z.miejsce.x(), z.miejsce.y());
}

void ZasadyOkien::OdswiezTabele(const Zadanie&) {
    if (auto* t = Wskaz<TFTabela>(O::Tabela)) t->OdswiezTabele();
}

void ZasadyOkien::ZapiszWArchiwum(const Zadanie&) {
    if (auto* a = Wskaz<TFArchiwum>(O::Archiwum)) a->ZapiszAnalize();
}

void ZasadyOkien::PokazArchiwum(const Zadanie&) {
    if (auto* a = Wskaz<TFArchiwum>(O::Archiwum)) a->Pokaz();
}

void ZasadyOkien::PokazIkoneZapisuGlownego(const Zadanie&) {
    const Okno* g = Wskaz(O::Glowne);
    if (g && g->isVisible())
        PokazIkoneZapisu(Zadanie(P::PotwierdzenieZapisu, g->pos() + QPoint(30, 100)));
}

void ZasadyOkien::PodniesProgram(const Zadanie&) {
    Okno* g = Wskaz(O::Glowne);
    if (!g) return;
    if (g->isMinimized()) g->setWindowState(g->windowState() & ~Qt::WindowMinimized);
    if (g->isVisible()) {
        g->raise();
        g->activateWindow();
    }
    // a modal window the user is in stays above the main window
    if (QWidget* modalne = QApplication::activeModalWidget()) {
        modalne->raise();
        modalne->activateWindow();
    }
}

void ZasadyOkien::AnalizujPrzekazane(const Zadanie& z) {
    auto* g = Wskaz<TFGlowny>(O::Glowne);
    if (g && AnalizujUpuszczonePliki(z.przekazanie.pliki, program.analiza, program.srodowisko,
                                     z.przekazanie.plikTestu))
        g->PokazAnalize();
}

} // namespace sondrel
