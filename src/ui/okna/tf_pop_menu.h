// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question popup: a right-click on a question column's header or summary cell in the
// results table shows the question, its options and, for each option, a vertical bar with the
// number of students who ticked it (correct options in green), and offers the question report.

#include "ui/kontrolki/wskaznik_pionowy.h"
#include "ui/okna/okno_popup.h"

#include <array>

namespace sondrel {

class Program;

class TFPopMenu : public OknoPopup {
    Q_OBJECT
public:
    explicit TFPopMenu(Program& program, QWidget* rodzic = nullptr);

    // Fills the popup for question q (1..IloscPytan) and shows it modally.
    void PokazPytanie(int q);
    void WypelnijPytanie(int q);
    int Pytanie() const { return pytanie; }

    // The link: closes the popup, hides the table window and shows the question report.
    void LGenerujRaportClick();

    Etykieta* LPytanie;
    std::array<Etykieta*, 6> LOdp{};       // LOdp[1..5]
    std::array<WskaznikPionowy*, 6> Cyl{}; // Cyl[1..5]
    Etykieta* LPodpis;
    Etykieta* LGenerujRaport;

private:
    Program& program;
    int pytanie = 0;
};

} // namespace sondrel
