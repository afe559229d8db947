// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analiza.h"

namespace sondrel {

Analiza::Analiza() {
    WyczyscPytania();
    WyczyscNaglowekListy();
}

void Analiza::WyczyscPytania() {
    for (Pytanie& p : Pytania) {
        p.Tresc.clear();
        for (Odpowiedz& o : p.Odpowiedzi) {
            o.Tresc.clear();
            o.Poprawna = false;
        }
        p.Obraz.clear();
        p.Tekst.clear();
        p.Komentarz.clear();
        // Four characters, not five: option 5 reads as not correct after clearing.
        p.WzorOdpowiedzi = QStringLiteral("0000");
    }
}

void Analiza::WyczyscStatystyki() {
    StatPytan.fill(StatPytania{});
}

void Analiza::WyczyscNaglowekListy() {
    Lista.Nazwa.clear();
    Lista.Uwagi.clear();
    Lista.Data = QStringLiteral("0");
}

} // namespace sondrel
