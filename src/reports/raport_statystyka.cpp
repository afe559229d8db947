// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport_statystyka.h"

#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "core/analiza.h"
#include "core/lokalizacja.h"
#include "reports/wspolne.h"

namespace sondrel {

using namespace raporty;

DokumentRaportu ZbudujRaportStatystyka(const Analiza& a, const UstawieniaRaportu& ustawienia) {
    DokumentRaportu d = NowyRaport(NazwaWykazuOcen(a.Test.NazwaTestu), StylRaportu::Krotki,
                                   QStringLiteral("Dane statystyczne."), ustawienia);
    QStringList& w = d.wiersze;
    const StatystykaOpisowa s = ObliczStatystykeOpisowa(a);
    w << QStringLiteral("<p class=\"N\"><b>Wynik minimalny: </b>") +
             QString::number(s.WynikMinimalny) + QStringLiteral("<br>")
      << QStringLiteral("<b>Wynik maksymalny: </b>") + QString::number(s.WynikMaksymalny) +
             QStringLiteral("<br>")
      << QStringLiteral("<b>Rozstęp wyników: </b>") +
             QString::number(s.WynikMaksymalny - s.WynikMinimalny) + QStringLiteral("<br>")
      << QStringLiteral("<b>Średnia: </b>") + TekstLiczby(s.SredniaPunktow) + QStringLiteral("<br>")
      << QStringLiteral("<b>Mediana: </b>") + TekstLiczby(s.Mediana) + QStringLiteral("<br>")
      << QStringLiteral("<b>Modalna: </b>") + QString::number(s.Modalna) + QStringLiteral("<br>")
      << QStringLiteral("<b>Odchylenie standardowe: </b>") + TekstLiczby(s.OdchylenieStandardowe) +
             QStringLiteral("<br>")
      << QStringLiteral("<b>Łatwość zestawu zadań: </b>") + TekstLiczby(s.LatwoscTestu) +
             QStringLiteral(" - ") + s.KategoriaTestu + QStringLiteral("</p>");
    ZakonczRaport(w);
    return d;
}

DokumentRaportu ZbudujRaportWykazOcen(const Analiza& a, const UstawieniaRaportu& ustawienia) {
    DokumentRaportu d = NowyRaport(NazwaWykazuOcen(a.Test.NazwaTestu), StylRaportu::Krotki,
                                   QStringLiteral("Wydruk wyników."), ustawienia);
    QStringList& w = d.wiersze;
    const auto kreska = [&w] {
        w << QStringLiteral("<tr>") << QStringLiteral("<td width=\"500\" colspan=\"3\"><hr></td>")
          << QStringLiteral("</tr>");
    };
    w << QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"500\">");
    kreska();
    for (int s = 1; s <= Uczniow(a); ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        w << QStringLiteral("<tr class=\"N\">")
          << QStringLiteral("<td width=\"265\">") +
                 TekstHtml(NazwaUcznia(u, ustawienia.najpierwImie)) + QStringLiteral("</td>")
          << QStringLiteral("<td width=\"120\">") + QString::number(u.Poprawnych) +
                 QStringLiteral("</td>")
          << QStringLiteral("<td width=\"115\">") + TekstHtml(u.Ocena) + QStringLiteral("</td>")
          << QStringLiteral("</tr>");
        kreska();
    }
    w << QStringLiteral("</table>");
    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportStatystyka(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                              const Srodowisko& srodowisko) {
    return ZapiszRaport(ZbudujRaportStatystyka(analiza, ustawienia), analiza, srodowisko);
}

WynikRaportu RaportWykazOcen(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                             const Srodowisko& srodowisko) {
    return ZapiszRaport(ZbudujRaportWykazOcen(analiza, ustawienia), analiza, srodowisko);
}

} // namespace sondrel
