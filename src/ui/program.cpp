#include "ui/program.h"

#include "core/foldery.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_okno_l_plikow.h"
#include "ui/okna/tf_okno_obie_listy.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_ustawwykres.h"
#include "ui/okna/tf_warning.h"
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_wykres.h"
#include "ui/okna/tf_zegar.h"

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
    FOknoObieListy = dodaj(new TFOknoObieListy(*this));
    FIniSondrel = dodaj(new TFIniSondrel(*this));
    FZegar = dodaj(new TFZegar());
    FWinieta = dodaj(new TFWinieta());

    // A confirmed choice of files whose analysis has something to show switches the main
    // window to its analysis panel.
    QObject::connect(FOknoLPlikow, &TFOknoLPlikow::analizaGotowa, FGlowny, &TFGlowny::PokazAnalize);
    QObject::connect(FOknoObieListy, &TFOknoObieListy::analizaGotowa, FGlowny,
                     &TFGlowny::PokazAnalize);
}

} // namespace sondrel
