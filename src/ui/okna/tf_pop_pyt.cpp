// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_pop_pyt.h"

#include "analysis/ocenianie.h"
#include "ui/program.h"

namespace sondrel {

TFPopPyt::TFPopPyt(Program& p, QWidget* rodzic)
    : OknoPopup(405, 232, QStringLiteral("poppyt"), QRect(377, 6, 19, 15), rodzic), program(p) {
    UstawTytulOkna(QStringLiteral("Odpowiedź ucznia"));
    LPytanie = Tekst(32, 59, 345, 38, true);
    static constexpr int gory[] = {0, 103, 119, 135, 152, 168};
    for (int k = 1; k <= 5; ++k)
        LOdp[k] = Tekst(32, gory[k], 330, 15);
    LPodsuma = Tekst(32, 197, 169, 15);
    LPodsuma->setMinimumWidth(169);
    LPodsuma->resize(300, 15); // the verdict is longer than its stored width in our font
    move(300, 151);            // the first opening; later ones where it was left
}

void TFPopPyt::WypelnijOdpowiedzUcznia(int q, int s) {
    const Analiza& a = program.analiza;
    wypelniona = false;
    if (q < 1 || q > std::min(a.Test.IloscPytan, MaksPytan)) return;
    if (s < 1 || s > std::min(a.IloscUczniow, MaksUczniow)) return;
    const int ile = a.Test.IloscOdpowiedzi;
    LOdp[4]->setVisible(ile > 3);
    LOdp[5]->setVisible(ile > 4);
    const OdpowiedzBig& u = a.Uczniowie[s];
    for (int k = 1; k <= 5; ++k) {
        if (k > 3 && k > ile) continue;
        const ParaOdpowiedzi& para = u.Pytania[q][k];
        QColor kolor(0x2E, 0x2E, 0x2E);
        if (para.Poprawna && para.Wybrana)
            kolor = QColor(0x00, 0x80, 0x00);
        else if (para.Wybrana)
            kolor = QColor(0xFF, 0x00, 0x00);
        else if (para.Poprawna)
            kolor = QColor(0xFF, 0xFF, 0x00);
        UstawKolorTekstu(LOdp[k], kolor);
        LOdp[k]->UstawTekstPrzyciety(a.Pytania[q].Odpowiedzi[k].Tresc);
    }
    LNrPytania->UstawTekstPrzyciety(QStringLiteral("Pytanie nr ") + QString::number(q) +
                                    QStringLiteral(" - Uczeń: ") +
                                    NazwaUcznia(u, program.ustawienia.fn));
    LPytanie->UstawTekstPrzyciety(a.Pytania[q].Tresc);
    LPodsuma->setText(PoprawnaOdpowiedz(u, q) ? QStringLiteral("Uczeń odpowiedział poprawnie.")
                                              : QStringLiteral("Uczeń odpowiedział błędnie."));
    wypelniona = true;
}

void TFPopPyt::PokazOdpowiedzUcznia(int q, int s) {
    WypelnijOdpowiedzUcznia(q, s);
    if (wypelniona) Pokaz();
}

} // namespace sondrel
