// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/program.h"

#include "core/foldery.h"
#include "ui/jedna_kopia.h"
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
#include "ui/zasady_okien.h"

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

Program::Program(QStringList a)
    : argumenty(std::move(a)), zasady(std::make_unique<ZasadyOkien>(*this)),
      okna(std::make_unique<Okna>()) {
    srodowisko.foldery.FolderProgramu = FolderPlikuProgramu();
    OtworzWPrzegladarce = [](const QUrl& adres) { QDesktopServices::openUrl(adres); };
}

Program::~Program() = default;

void Program::UtworzOkna() {
    if (!okna->lista.empty()) return;
    TFGlowny* glowne = nullptr;
    const auto dodaj = [&](auto* okno) {
        okna->lista.emplace_back(okno);
        // every window after the main one stays above it as its tool window
        if (glowne) okno->UstawOknoGlowne(glowne);
        zasady->Podlacz(okno);
        return okno;
    };
    // Each window once for the whole run, in this order.
    glowne = dodaj(new TFGlowny(*this));
    UstawOknoKomunikatow(srodowisko.komunikaty, *dodaj(new TFWarning(QStringLiteral("pl"))));
    dodaj(new TFOknoLPlikow(*this));
    auto* wykres = dodaj(new TFWykres(*this));
    dodaj(new TFUstawwykres(srodowisko, *wykres));
    dodaj(new TFTabela(*this));
    dodaj(new TFPopMenu(*this));
    dodaj(new TFPopPyt(*this));
    dodaj(new TFPopOsoba(*this));
    dodaj(new TFBrowser(*this));
    dodaj(new TFOknoObieListy(*this));
    dodaj(new TFIniSondrel(*this));
    dodaj(new TFZegar());
    dodaj(new TFWinieta());
    dodaj(new TFArchiwum(*this));
}

UstawieniaRaportu Program::UstawieniaRaportow() const {
    UstawieniaRaportu u;
    u.odbiorca = OdbiorcaRaportu();
    u.najpierwImie = ustawienia.fn;
    return u;
}

Okno* Program::OknoGlowne() const {
    return zasady->Wskaz(OknoProgramu::Glowne);
}

void Program::PrzyjmujPrzekazania(SerwerKopii& serwer) {
    zasady->Podlacz(new OdbiorPrzekazan(serwer));
}

// ---- the windows ----

TFGlowny* Program::FGlowny() const {
    return zasady->Wskaz<TFGlowny>(OknoProgramu::Glowne);
}

TFWarning* Program::FWarning() const {
    return zasady->Wskaz<TFWarning>(OknoProgramu::Komunikaty);
}

TFOknoLPlikow* Program::FOknoLPlikow() const {
    return zasady->Wskaz<TFOknoLPlikow>(OknoProgramu::ListaPlikow);
}

TFWykres* Program::FWykres() const {
    return zasady->Wskaz<TFWykres>(OknoProgramu::Wykres);
}

TFUstawwykres* Program::FUstawwykres() const {
    return zasady->Wskaz<TFUstawwykres>(OknoProgramu::UstawieniaWykresu);
}

TFTabela* Program::FTabela() const {
    return zasady->Wskaz<TFTabela>(OknoProgramu::Tabela);
}

TFPopMenu* Program::FPopMenu() const {
    return zasady->Wskaz<TFPopMenu>(OknoProgramu::PopupPytania);
}

TFPopPyt* Program::FPopPyt() const {
    return zasady->Wskaz<TFPopPyt>(OknoProgramu::PopupOdpowiedzi);
}

TFPopOsoba* Program::FPopOsoba() const {
    return zasady->Wskaz<TFPopOsoba>(OknoProgramu::PopupUcznia);
}

TFBrowser* Program::FBrowser() const {
    return zasady->Wskaz<TFBrowser>(OknoProgramu::Raport);
}

TFOknoObieListy* Program::FOknoObieListy() const {
    return zasady->Wskaz<TFOknoObieListy>(OknoProgramu::ObieListy);
}

TFIniSondrel* Program::FIniSondrel() const {
    return zasady->Wskaz<TFIniSondrel>(OknoProgramu::Ustawienia);
}

TFZegar* Program::FZegar() const {
    return zasady->Wskaz<TFZegar>(OknoProgramu::IkonaZapisu);
}

TFWinieta* Program::FWinieta() const {
    return zasady->Wskaz<TFWinieta>(OknoProgramu::Winieta);
}

TFArchiwum* Program::FArchiwum() const {
    return zasady->Wskaz<TFArchiwum>(OknoProgramu::Archiwum);
}

} // namespace sondrel
