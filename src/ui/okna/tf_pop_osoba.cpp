// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_pop_osoba.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "reports/raport_o_uczniu.h"
#include "ui/program.h"

namespace sondrel {

TFPopOsoba::TFPopOsoba(Program& p, QWidget* rodzic)
    : OknoPopup(405, 232, QStringLiteral("popuczen"), QRect(377, 6, 19, 15), rodzic), program(p) {
    UstawTytulOkna(QStringLiteral("Uczeń"));
    LWynikiUcznia = Tekst(32, 59, 337, 118, true);
    LGenerujRaport = Link(QStringLiteral("Generuj pełną informację o uczniu"), 32, 200, 250, 15);
    connect(LGenerujRaport, &Etykieta::klik, this, &TFPopOsoba::LGenerujRaportClick);
}

void TFPopOsoba::WypelnijUcznia(int s) {
    const Analiza& a = program.analiza;
    if (s < 1 || s > std::min(a.IloscUczniow, MaksUczniow)) return;
    const OdpowiedzBig& u = a.Uczniowie[s];
    LNrPytania->UstawTekstPrzyciety(QStringLiteral("Uczeń ") +
                                    NazwaUcznia(u, program.ustawienia.fn));
    const QStringList wiersze{
        QStringLiteral("Ilość pytań w teście: ") + QString::number(a.Test.IloscPytan),
        QStringLiteral("Ilość poprawnych odpowiedzi: ") + QString::number(u.Poprawnych),
        QStringLiteral("Skuteczność: ") + QString::number(u.Procent) + QStringLiteral("%"),
        QStringLiteral("Rozpoczął pracę nad testem o: ") + TekstGodziny(u.Start),
        QStringLiteral("Zakończył pracę o: ") + TekstGodziny(u.Koniec),
        QStringLiteral("Czas pracy nad testem: ") + TekstCzasu(u.Koniec - u.Start),
        QString(),
        QStringLiteral("Ocena ogólna: ") + u.Ocena};
    LWynikiUcznia->setText(wiersze.join(QLatin1Char('\n')));
    uczen = s;
}

void TFPopOsoba::PokazUcznia(int s) {
    WypelnijUcznia(s);
    if (uczen != s) return;
    Pokaz();
}

void TFPopOsoba::LGenerujRaportClick() {
    const int s = uczen;
    GenerujRaport(LGenerujRaport, [this, s] {
        return RaportOUczniu(program.analiza, program.UstawieniaRaportow(), program.srodowisko, s);
    });
}

} // namespace sondrel
