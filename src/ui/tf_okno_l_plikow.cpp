#include "ui/tf_okno_l_plikow.h"

#include "analysis/przebieg_analizy.h"
#include "analysis/wybor_plikow.h"
#include "ui/program.h"
#include "ui/skora_listy.h"

#include <QFileInfo>

namespace sondrel {

namespace {
namespace m = skora::lplikow;
constexpr int WidoczneWiersze = 20;
const QPoint Przesuniecie(280, 61); // from the main window's corner
} // namespace

TFOknoLPlikow::TFOknoLPlikow(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    skora::DodajObrazkiList();
    UstawRozmiar(m::Rozmiar.width(), m::Rozmiar.height());
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawNaWierzchu(true);
    UstawStronePomocy(QStringLiteral("menu.htm"));
    setWindowTitle(QStringLiteral("Pliki odpowiedzi"));

    ImTlo = new Etykieta(this, 0, 0, m::Rozmiar.width(), m::Rozmiar.height());
    ImTlo->setPixmap(skora::Obrazek(QStringLiteral("oknolplikow")));
    LListwa = new Etykieta(this, 6, 3, m::ZnakZamkniecia.left() - 12, skora::ListwaListy - 6);
    PodlaczListwe(LListwa);
    LClose = new Etykieta(this, m::ZnakZamkniecia.x(), m::ZnakZamkniecia.y(),
                          m::ZnakZamkniecia.width(), m::ZnakZamkniecia.height());
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Anuluj"));

    LWczytajPliki = new Etykieta(this, m::WczytajPliki.x(), m::WczytajPliki.y(),
                                 m::WczytajPliki.width(), m::WczytajPliki.height());
    LWczytajPliki->setCursor(Qt::PointingHandCursor);
    LWczytajPliki->setToolTip(QStringLiteral("Wybierz pliki odpowiedzi"));

    PLista = BialyPanel(this, m::PanelListy);
    ListwaVPliki = new ListwaPrzewijania(this);
    ListwaVPliki->setGeometry(m::ListwaV);
    BLista = new ListaNazw(PLista, ListwaVPliki, WidoczneWiersze);
    BLista->UmiescWPanelu();

    LWprowadz = new Etykieta(this, m::Wprowadz.x(), m::Wprowadz.y(), m::Wprowadz.width(),
                             m::Wprowadz.height());
    LWprowadz->setCursor(Qt::PointingHandCursor);
    LAnuluj =
        new Etykieta(this, m::Anuluj.x(), m::Anuluj.y(), m::Anuluj.width(), m::Anuluj.height());
    LAnuluj->setCursor(Qt::PointingHandCursor);

    connect(LWczytajPliki, &Etykieta::klik, this, &TFOknoLPlikow::LWczytajPlikiClick);
    connect(LWprowadz, &Etykieta::klik, this, &TFOknoLPlikow::LWprowadzClick);
    connect(LAnuluj, &Etykieta::klik, this, &TFOknoLPlikow::LAnulujClick);
    connect(LClose, &Etykieta::klik, this, &TFOknoLPlikow::LAnulujClick);

    OknoOtwierania = [this](QString& folder) { return OtworzPlikiOdpowiedzi(this, folder); };
}

void TFOknoLPlikow::WybierzPlikiOdpowiedzi() {
    program.analiza.PlikiOdpowiedzi.clear();
    if (program.ustawienia.bez) {
        if (WskazPlikiOdpowiedzi()) Uruchom();
        return;
    }
    BLista->UstawNazwy({});
    const std::optional<QPoint> punkt =
        PunktOdniesienia ? std::optional<QPoint>(PunktOdniesienia()) : PunktGlownegoOkna(program);
    if (punkt)
        move(*punkt + Przesuniecie);
    else
        Wysrodkuj();
    PokazModalnie();
}

bool TFOknoLPlikow::WskazPlikiOdpowiedzi() {
    QString folder =
        folderDialogu.isEmpty() ? program.srodowisko.foldery.FolderDokumentow : folderDialogu;
    const QStringList pliki = OknoOtwierania ? OknoOtwierania(folder) : QStringList();
    if (pliki.isEmpty()) return false;
    folderDialogu = folder.isEmpty() ? QFileInfo(pliki.first()).absolutePath() : folder;

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

void TFOknoLPlikow::LAnulujClick() {
    Zamknij();
    program.analiza.RodzajAnalizy = AnalizaAnulowana;
}

void TFOknoLPlikow::Uruchom() {
    if (UruchomAnalize(program.analiza, program.srodowisko, ZrodloAnalizy::Pliki))
        emit analizaGotowa();
}

} // namespace sondrel
