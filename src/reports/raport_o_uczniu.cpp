// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport_o_uczniu.h"

#include "analysis/ocenianie.h"
#include "core/analiza.h"
#include "reports/materialy_testu.h"
#include "reports/wspolne.h"

namespace sondrel {

using namespace raporty;

DokumentRaportu ZbudujRaportOUczniu(const Analiza& a, const UstawieniaRaportu& ustawienia, int s) {
    Q_ASSERT(s >= 1 && s <= Uczniow(a));
    DokumentRaportu d = NowyRaport(NazwaRaportuOUczniu(a.Test.NazwaTestu, s), StylRaportu::Pelny,
                                   QStringLiteral("Informacje o uczniu."), ustawienia);
    QStringList& w = d.wiersze;
    const OdpowiedzBig& u = a.Uczniowie[s];

    w << QStringLiteral("<p><b>Nazwa testu: </b> ") + NazwaTestuHtml(a) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Autor testu: </b> ") + AutorHtml(a) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Ilość odpowiedzi w pytaniu: </b> ") +
             QString::number(a.Test.IloscOdpowiedzi) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Typ testu: </b>") + TypTestu(a) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Ilość pytań: </b>") + QString::number(a.Test.IloscPytan) +
             QStringLiteral("</p>")
      << QStringLiteral("<p> ") + Kreska + QStringLiteral(" <br><br></p>");

    w << QStringLiteral("<p><b>Uczeń: </b> ") + TekstHtml(NazwaUcznia(u, ustawienia.najpierwImie)) +
             QStringLiteral("</p>")
      << QStringLiteral("<p><b>Ilość poprawnych odpowiedzi: </b> ") +
             QString::number(u.Poprawnych) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Średnia: </b> ") + QString::number(u.Procent) +
             QStringLiteral("%</p>")
      << QStringLiteral("<p><b>Ocena: </b> ") + TekstHtml(u.Ocena) + QStringLiteral("</p>")
      << QStringLiteral("<p> ") + Kreska + QStringLiteral(" </p>") << QStringLiteral("</div>");

    MaterialyTestu materialy(a, d);
    for (int q = 1; q <= Pytan(a); ++q) {
        const Pytanie& p = a.Pytania[q];
        if (const int n = materialy.NumerTekstu(p.Tekst))
            w << QStringLiteral("<div class=\"w\">") << QStringLiteral("<p class=\"N\">&nbsp;</p>")
              << QStringLiteral("<p class=\"N\"><b>Tekst nr %1:</b></p>").arg(n)
              << QStringLiteral("<p class=\"N\">") + materialy.Tekst(p.Tekst) +
                     QStringLiteral("</p>")
              << QStringLiteral("<p class=\"N\">&nbsp;</p>") << QStringLiteral("</div>");
        if (const int m = materialy.NumerObrazu(p.Obraz))
            w << QStringLiteral("<div class=\"w\">") << QStringLiteral("<p class=\"N\">&nbsp;</p>")
              << QStringLiteral("<p class=\"N\"><b>Obraz nr %1:</b></p>").arg(m)
              << materialy.WierszObrazu(p.Obraz) << QStringLiteral("<p>&nbsp;</p>")
              << QStringLiteral("</div>");

        w << QStringLiteral("<div class=\"w\">") << QStringLiteral("<p class=\"N\">&nbsp;</p>")
          << QStringLiteral("<p class=\"N\"><b>Pytanie nr %1:</b><br>").arg(q)
          << p.Tresc + QStringLiteral("</p>");
        QString wybor;
        for (int k = 1; k <= MaksOdpowiedzi; ++k) {
            if (!OpcjaWidoczna(a, k)) continue;
            const Odpowiedz& o = p.Odpowiedzi[k];
            w << (o.Poprawna ? QStringLiteral("<p class=\"N1\"><b>%1:</B>&nbsp;")
                             : QStringLiteral("<p class=\"N1\">%1:&nbsp;"))
                         .arg(Litera(k)) +
                     o.Tresc + QStringLiteral("</p>");
            if (u.Pytania[q][k].Wybrana) wybor += Litera(k) + QLatin1Char(' ');
        }
        w << (wybor.isEmpty() ? QStringLiteral("Uczeń nie udzielił odpowiedzi na to pytanie.")
                              : QStringLiteral("Wybór ucznia: ") + wybor) +
                 QStringLiteral("&nbsp;<br><br></p>")
          << QStringLiteral("</div>");
    }

    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportOUczniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                           const Srodowisko& srodowisko, int uczen) {
    return ZapiszRaportONumerze(ZbudujRaportOUczniu, uczen, Uczniow(analiza),
                                QStringLiteral("Nie ma ucznia nr %1."), analiza, ustawienia,
                                srodowisko);
}

} // namespace sondrel
