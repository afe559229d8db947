// SPDX-License-Identifier: GPL-3.0-or-later
// What a right-click on the results table addresses: from the fixed sizes, the page and the
// scroll offset.
#include "tables/klikniecie_tabeli.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(KlikniecieTabeli, KomorkaZeStalychRozmiarow) {
    using enum CelKlikniecia;
    // a class of 25 students; page 2 of a 20-question test holds 5 questions
    const struct {
        int x, y, strona, pytan, gorny;
        CelKlikniecia cel;
        int pytanie, uczen;
    } przypadki[] = {
        {10, 20, 1, 15, 1, Uczen, 0, 1},                // the first student's name
        {119, 16 * 17 + 5, 1, 15, 1, Uczen, 0, 16},     // the name column's last pixel
        {120, 5, 1, 15, 1, Pytanie, 1, 0},              // header of question column 1
        {120 + 2 * 19 + 3, 5, 2, 5, 1, Pytanie, 18, 0}, // header of column 3 on page 2
        {125, 26 * 17 + 2, 1, 15, 1, Pytanie, 1, 0},    // the average row below column 1
        {125, 27 * 17 + 2, 1, 15, 1, Pytanie, 1, 0},    // the sum row
        {120 + 19, 17, 1, 15, 1, OdpowiedzUcznia, 2, 1},
        {120 + 4 * 19, 40, 2, 5, 1, OdpowiedzUcznia, 20, 2},
        {120 + 5 * 19, 40, 2, 5, 1, Nic, 0, 0},   // "Suma" on page 2
        {120 + 15 * 19, 40, 1, 15, 1, Nic, 0, 0}, // "Suma" on page 1
        {10, 5, 1, 15, 1, Nic, 0, 0},             // the corner "Nazwisko i imię"
        {10, 26 * 17 + 2, 1, 15, 1, Nic, 0, 0},   // the summary rows' labels
        // scrolled down by 5 rows: the first visible student row is student 6
        {10, 17, 1, 15, 6, Uczen, 0, 6},
        {120, 17 * 5 + 3, 1, 15, 6, OdpowiedzUcznia, 1, 10},
        {10, 17 * 21, 1, 15, 6, Nic, 0, 0}, // row 26: the average row
        {-1, 20, 1, 15, 1, Nic, 0, 0},
    };
    for (const auto& p : przypadki) {
        const KlikniecieTabeli k = CelKliknieciaTabeli(p.x, p.y, p.strona, p.pytan, 25, p.gorny);
        EXPECT_EQ(k.cel, p.cel) << p.x << "," << p.y << " strona " << p.strona;
        EXPECT_EQ(k.pytanie, p.pytanie) << p.x << "," << p.y;
        EXPECT_EQ(k.uczen, p.uczen) << p.x << "," << p.y;
    }
}

} // namespace
} // namespace sondrel
