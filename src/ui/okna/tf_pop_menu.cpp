// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_pop_menu.h"

#include "reports/raport_o_pytaniu.h"
#include "ui/program.h"
#include "ui/skory/skora.h"

namespace sondrel {

namespace {
const QColor Zielony(0x00, 0x80, 0x00);
const QColor Szary(0x80, 0x80, 0x80);
const QColor Zwykly(0x2E, 0x2E, 0x2E);
} // namespace

TFPopMenu::TFPopMenu(Program& p, QWidget* rodzic)
    : OknoPopup(485, 280, QStringLiteral("poppytanie"), QRect(457, 4, 19, 15), rodzic), program(p) {
    UstawTytulOkna(QStringLiteral("Pytanie"));
    LPytanie = Tekst(112, 59, 345, 51, true);
    static constexpr int gory[] = {0, 129, 145, 161, 178, 194};
    for (int k = 1; k <= 5; ++k) {
        LOdp[k] = Tekst(112, gory[k], 330, 15);
        Cyl[k] = new WskaznikPionowy(this, 20 + 14 * (k - 1), 87, 17, 119);
        Cyl[k]->UstawKolorTla(Qt::white);
    }
    LPodpis = Tekst(22, 208, 80, 15);
    LPodpis->setFont(skora::CzcionkaPunkty(8, true));
    LGenerujRaport = Link(QStringLiteral("Generuj pełną informację o pytaniu"), 24, 245, 250, 15);
    connect(LGenerujRaport, &Etykieta::klik, this, &TFPopMenu::LGenerujRaportClick);
}

void TFPopMenu::WypelnijPytanie(int q) {
    const Analiza& a = program.analiza;
    if (q < 1 || q > std::min(a.Test.IloscPytan, MaksPytan)) return;
    pytanie = q;
    const int ile = a.Test.IloscOdpowiedzi;
    // the layout by the number of options; another number leaves it as it was
    if (ile >= 3 && ile <= 5) {
        for (int k = 4; k <= 5; ++k) {
            Cyl[k]->setVisible(k <= ile);
            LOdp[k]->setVisible(k <= ile);
        }
        static const char* const podpisy[] = {" 1  2   3", " 1  2   3   4", " 1  2   3   4   5"};
        LPodpis->setText(QString::fromLatin1(podpisy[ile - 3]));
    }
    const auto& p = a.Pytania[q];
    for (int k = 1; k <= 5; ++k) {
        Cyl[k]->UstawZakres(0, a.IloscUczniow);
        if (k > 3 && k > ile) continue;
        const int wybrali = a.StatPytan[q].Wybrali[k];
        const bool poprawna = p.Odpowiedzi[k].Poprawna;
        Cyl[k]->UstawPozycje(wybrali);
        Cyl[k]->UstawPodpis(QString::number(wybrali));
        Cyl[k]->UstawKolorWypelnienia(poprawna ? Zielony : Szary);
        Cyl[k]->UstawKolorTla(Qt::white);
        UstawKolorTekstu(LOdp[k], poprawna ? Zielony : Zwykly);
        LOdp[k]->UstawTekstPrzyciety(p.Odpowiedzi[k].Tresc);
    }
    LNrPytania->UstawTekstPrzyciety(QStringLiteral("Pytanie nr ") + QString::number(q));
    LPytanie->UstawTekstPrzyciety(p.Tresc);
}

void TFPopMenu::PokazPytanie(int q) {
    WypelnijPytanie(q);
    if (pytanie != q) return;
    Pokaz();
}

void TFPopMenu::LGenerujRaportClick() {
    const int q = pytanie;
    GenerujRaport(LGenerujRaport, [this, q] {
        return RaportOPytaniu(program.analiza, program.UstawieniaRaportow(), program.srodowisko, q);
    });
}

} // namespace sondrel
