// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a right-click on the results table addresses, found from the table's fixed sizes (a
// name column of 120 pixels, question columns of 19 and rows of 17 pixels with their grid
// lines), the page shown and how far the grid is scrolled.

namespace sondrel {

enum class CelKlikniecia {
    Nic,             // the "Suma" and "Ocena" columns, the corner cells, outside the table
    Uczen,           // a student's name: the student popup
    Pytanie,         // a question's header or summary cell: the question popup
    OdpowiedzUcznia, // one student's answer to one question: the answer popup
};

struct KlikniecieTabeli {
    CelKlikniecia cel = CelKlikniecia::Nic;
    int pytanie = 0; // absolute question number, 1..IloscPytan
    int uczen = 0;   // student slot, 1..IloscUczniow
};

// x, y: the point in grid pixels (the header row at the top); strona: the page (from 1);
// pytanNaStronie: the question columns of that page; uczniow: the students; gornyWiersz: the
// first student row drawn under the header (1 when not scrolled).
KlikniecieTabeli CelKliknieciaTabeli(int x, int y, int strona, int pytanNaStronie, int uczniow,
                                     int gornyWiersz);

} // namespace sondrel
