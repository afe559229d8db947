// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Srodowisko for tests: the journal in a temporary folder of its own (every level written),
// every message recorded instead of shown, and a folder for the test's files.
//
//     SrodowiskoTestowe st;
//     ZapiszPlikOdpowiedzi(st.sciezka("a.sko"), {});
//     WczytajNaglowek(st.sciezka("a.sko"), analiza, st.srodowisko);
//     EXPECT_TRUE(st.komunikaty.isEmpty());
//     EXPECT_EQ(st.dziennik(), QStringList{});

#include "core/srodowisko.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

namespace sondrel::testy {

struct Komunikat {
    int rodzaj = 0;
    int ikona = 0;
    QString tekst;
    bool operator==(const Komunikat&) const = default;
};

inline void PrintTo(const Komunikat& k, std::ostream* os) {
    *os << '{' << k.rodzaj << ", " << k.ikona << ", \"" << k.tekst.toStdString() << "\"}";
}

// Makes `komunikaty` record every message in `lista` instead of showing it. A question
// (JestPytaniem) is answered with what `odpowiedz` holds at the time, any other message
// with WynikZamknij, as its only button does.
void ZapisujKomunikaty(Komunikaty& komunikaty, QList<Komunikat>& lista, const int& odpowiedz);

// The texts of the recorded messages.
QStringList Teksty(const QList<Komunikat>& lista);

class SrodowiskoTestowe {
public:
    // `odpowiedz` is what every question answers (WynikZamknij by default).
    explicit SrodowiskoTestowe(int odpowiedz = WynikZamknij);
    SrodowiskoTestowe(const SrodowiskoTestowe&) = delete;
    SrodowiskoTestowe& operator=(const SrodowiskoTestowe&) = delete;

    Srodowisko srodowisko;
    QList<Komunikat> komunikaty;
    int odpowiedz;

    // The texts of the journal's lines, without their date and time.
    QStringList dziennik() const;
    // Forgets the messages and empties the journal.
    void wyczysc();

    QString folder() const { return katalog.path(); }
    QString sciezka(const QString& nazwa) const { return katalog.filePath(nazwa); }

private:
    QTemporaryDir katalog;
};

} // namespace sondrel::testy
