// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer popup: a right-click on one student's answer cell in the results table shows the
// question with its options coloured by what the student ticked against the key (green ticked
// and correct, red ticked and wrong, yellow correct but missed) and a verdict line.

#include "ui/okna/okno_popup.h"

#include <array>

namespace sondrel {

class Program;

class TFPopPyt : public OknoPopup {
    Q_OBJECT
public:
    explicit TFPopPyt(Program& program, QWidget* rodzic = nullptr);

    // Fills the popup for question q and student slot s and shows it modally, where it was
    // last.
    void PokazOdpowiedzUcznia(int q, int s);
    void WypelnijOdpowiedzUcznia(int q, int s);

    Etykieta* LPytanie;
    std::array<Etykieta*, 6> LOdp{}; // LOdp[1..5]
    Etykieta* LPodsuma;

private:
    Program& program;
    bool wypelniona = false;
};

} // namespace sondrel
