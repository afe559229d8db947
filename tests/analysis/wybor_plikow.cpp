// SPDX-License-Identifier: GPL-3.0-or-later
// The names the file-list windows show for the chosen answer files, and their order.
#include "analysis/wybor_plikow.h"

#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <gtest/gtest.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

class WyborPlikow : public ::testing::Test {
protected:
    SrodowiskoTestowe st;

    QString uczen(const QString& nazwa, const QString& nazwisko, const QString& imie) {
        const QString sciezka = st.sciezka(nazwa);
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(sciezka, {.nazwisko = nazwisko, .imie = imie}));
        return sciezka;
    }
    QString stary(const QString& nazwa) {
        const QString sciezka = st.sciezka(nazwa);
        EXPECT_TRUE(ZapiszPlikOdpowiedzi(sciezka, {.staraWersja = true}));
        return sciezka;
    }
};

} // namespace

TEST(PosortujBezWielkosciLiter, KolejnoscJezyka) {
    // Polish letters in their places, letter case ignored, equal texts in their order
    EXPECT_EQ(PosortujBezWielkosciLiter({"żaneta.sko", "Zenon.sko", "łucja.sko", "Lech.sko",
                                         "ADAM.sko", "ąbel.sko", "adam.sko", "Ćma.sko"}),
              (QStringList{"ADAM.sko", "adam.sko", "ąbel.sko", "Ćma.sko", "Lech.sko", "łucja.sko",
                           "Zenon.sko", "żaneta.sko"}));
}

TEST_F(WyborPlikow, ListaUczniowKonczySiePierwszymPlikiemBezNazwy) {
    const QStringList pliki = {uczen("a.sko", "Zieliński", "Adam"), uczen("b.sko", "Nowak", "Ewa"),
                               stary("c.sko"), uczen("d.sko", "Abacki", "Jan")};
    EXPECT_EQ(NazwyUczniowDoListy(pliki, false, st.srodowisko),
              (QStringList{"Nowak Ewa", "Zieliński Adam"}));
    EXPECT_EQ(st.komunikaty.size(), 1); // the reader tells about the old file, once
    st.wyczysc();

    EXPECT_EQ(NazwyUczniowDoListy(pliki.mid(0, 2), true, st.srodowisko),
              (QStringList{"Adam Zieliński", "Ewa Nowak"}));
    EXPECT_TRUE(
        NazwyUczniowDoListy({st.sciezka("brak.sko"), pliki[0]}, true, st.srodowisko).isEmpty());
    EXPECT_TRUE(NazwyUczniowDoListy({}, true, st.srodowisko).isEmpty());
}

TEST_F(WyborPlikow, DrugieOknoPokazujeKazdyPlik) {
    const QStringList pliki = {uczen("a.sko", "Zieliński", "Adam"), stary("c.sko"),
                               st.sciezka("brak.sko"), uczen("b.sko", "Nowak", "Ewa")};
    EXPECT_EQ(NazwyWszystkichPlikow(pliki, false, st.srodowisko),
              (QStringList{"Zieliński Adam", "", "", "Nowak Ewa"}));
    EXPECT_EQ(st.komunikaty.size(), 2);
}
