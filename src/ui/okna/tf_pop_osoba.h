// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The student popup: a right-click on a student's name in the results table shows the
// student's summary (questions, correct answers, success rate, start, end and working time,
// grade) and offers the full student report.

#include "ui/okna/okno_popup.h"

namespace sondrel {

class Program;

class TFPopOsoba : public OknoPopup {
    Q_OBJECT
public:
    explicit TFPopOsoba(Program& program, QWidget* rodzic = nullptr);

    // Fills the popup for student slot s (1..IloscUczniow) and shows it modally.
    void PokazUcznia(int s);
    // Only the filling (the texts, the remembered slot).
    void WypelnijUcznia(int s);
    int Uczen() const { return uczen; }

    // The link: closes the popup, hides the table window and shows the student report.
    void LGenerujRaportClick();

    Etykieta* LWynikiUcznia;
    Etykieta* LGenerujRaport;

private:
    Program& program;
    int uczen = 0;
};

} // namespace sondrel
