// SPDX-License-Identifier: GPL-3.0-or-later
// The archive's list grouped by test: groups in the order of their first class, versions of one
// name numbered, student totals, and a name that looks like a placeholder kept as it is.
#include "archive/grupy_testow.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

WpisArchiwum Wpis(qint64 id, const char* test, const char* odcisk, const char* klasa, int uczniow) {
    WpisArchiwum w;
    w.Id = id;
    w.NazwaTestu = QString::fromUtf8(test);
    w.Odcisk = QString::fromLatin1(odcisk);
    w.Klasa = QString::fromUtf8(klasa);
    w.IloscUczniow = uczniow;
    return w;
}

TEST(GrupyTestow, GrupyWersjeISumy) {
    const std::vector<WpisArchiwum> lista = {
        Wpis(1, "Ułamki", "a", "7a", 5), Wpis(2, "Potęgi", "b", "8a", 6),
        Wpis(3, "Ułamki", "c", "6a", 3), Wpis(4, "Ułamki", "a", "7b", 4),
        Wpis(5, "%1 %2", "d", "5a", 2),  Wpis(6, "%1 %2", "e", "5b", 1),
        Wpis(7, "Potęgi", "b", "8b", 0),
    };
    const auto grupy = GrupujTesty(lista);
    const struct {
        const char* nazwa;
        std::vector<qint64> klasy;
        qint64 uczniow;
    } oczekiwane[] = {
        {"Ułamki (wersja 1)", {1, 4}, 9}, {"Potęgi", {2, 7}, 6},
        {"Ułamki (wersja 2)", {3}, 3},    {"%1 %2 (wersja 1)", {5}, 2},
        {"%1 %2 (wersja 2)", {6}, 1},
    };
    ASSERT_EQ(grupy.size(), std::size(oczekiwane));
    for (std::size_t i = 0; i < grupy.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(grupy[i].Nazwa, QString::fromUtf8(oczekiwane[i].nazwa));
        std::vector<qint64> idy;
        for (const WpisArchiwum& w : grupy[i].Klasy)
            idy.push_back(w.Id);
        EXPECT_EQ(idy, oczekiwane[i].klasy);
        EXPECT_EQ(grupy[i].Uczniow, oczekiwane[i].uczniow);
    }
    EXPECT_TRUE(GrupujTesty({}).empty());
}

} // namespace
} // namespace sondrel
