// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_okno_l_plikow.h"

#include "analysis/przebieg_analizy.h"
#include "analysis/wybor_plikow.h"
#include "ui/program.h"
#include "ui/skory/skora_listy.h"

namespace sondrel {

namespace {
namespace m = skora::lplikow;
constexpr int WidoczneWiersze = 20;
const QPoint Przesuniecie(280, 61); // from the main window's corner
} // namespace

TFOknoLPlikow::TFOknoLPlikow(Program& p, QWidget* rodzic)
    : OknoListyPlikow(p,
                      {m::Rozmiar, m::ZnakZamkniecia, m::WczytajPliki, m::PanelListy, m::ListwaV,
                       m::Wprowadz, m::Anuluj, WidoczneWiersze},
                      QStringLiteral("Pliki odpowiedzi"), QStringLiteral("oknolplikow"), rodzic) {
    connect(LWczytajPliki, &Etykieta::klik, this, &TFOknoLPlikow::LWczytajPlikiClick);
    connect(LWprowadz, &Etykieta::klik, this, &TFOknoLPlikow::LWprowadzClick);
}

void TFOknoLPlikow::WybierzPlikiOdpowiedzi() {
    program.analiza.PlikiOdpowiedzi.clear();
    if (program.ustawienia.bez) {
        if (WskazPlikiOdpowiedzi()) Uruchom();
        return;
    }
    BLista->UstawNazwy({});
    PokazModalnieOd(Przesuniecie);
}

bool TFOknoLPlikow::WskazPlikiOdpowiedzi() {
    const QStringList pliki = OtworzDialog(program.srodowisko.foldery.FolderDokumentow);
    if (pliki.isEmpty()) return false;

    Analiza& a = program.analiza;
    a.PlikiOdpowiedzi = PosortujBezWielkosciLiter(pliki);
    BLista->UstawNazwy(
        NazwyUczniowDoListy(a.PlikiOdpowiedzi, program.ustawienia.fn, program.srodowisko));
    if (BLista->count() == 0) {
        Zamknij();
        return false;
    }
    return true;
}

void TFOknoLPlikow::LWczytajPlikiClick() {
    WskazPlikiOdpowiedzi();
}

void TFOknoLPlikow::LWprowadzClick() {
    if (BLista->count() == 0) {
        program.srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaUwaga,
            QStringLiteral("Uwaga.\rWskaż pliki wyników, jeśli chcesz dokonać ich analizy."));
        return;
    }
    Zamknij();
    Uruchom();
}

void TFOknoLPlikow::Uruchom() {
    if (UruchomAnalize(program.analiza, program.srodowisko, ZrodloAnalizy::Pliki))
        emit analizaGotowa();
}

} // namespace sondrel
