// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport_o_tescie.h"

#include "analysis/statystyka_pytan.h"
#include "core/analiza.h"
#include "core/lokalizacja.h"
#include "reports/materialy_testu.h"
#include "reports/wspolne.h"

namespace sondrel {

using namespace raporty;

DokumentRaportu ZbudujRaportOTescie(const Analiza& a, const UstawieniaRaportu& ustawienia) {
    DokumentRaportu d = NowyRaport(NazwaRaportuOTescie(a.Test.NazwaTestu), StylRaportu::Krotki,
                                   QStringLiteral("Informacje o teście."), ustawienia);
    d.najpierwPustaStrona = true;
    QStringList& w = d.wiersze;

    w << QStringLiteral("<p><b>Nazwa testu: </b> ") + NazwaTestuHtml(a) + QStringLiteral(".<br>")
      << QStringLiteral("<b>Autor testu: </b> ") + AutorHtml(a) + QStringLiteral(".<br>")
      << QStringLiteral("<b>Ilość odpowiedzi w pytaniu: </b> ") +
             QString::number(a.Test.IloscOdpowiedzi) + QStringLiteral("<br>")
      << QStringLiteral("<b>Typ testu: </b>") + TypTestu(a) + QStringLiteral("<br>")
      << QStringLiteral("<b>Ilość pytań: </b>") + QString::number(a.Test.IloscPytan) +
             QStringLiteral("<br>")
      << QStringLiteral(" ") + Kreska + QStringLiteral(" </p>");

    MaterialyTestu materialy(a, d);
    for (int q = 1; q <= Pytan(a); ++q) {
        const Pytanie& p = a.Pytania[q];
        if (const int n = materialy.NumerTekstu(p.Tekst))
            w << QStringLiteral("<p class=\"N\">&nbsp;</p>")
              << QStringLiteral("<p class=\"N\"><b>Tekst nr %1:</b></p>").arg(n)
              << QStringLiteral("<p class=\"N\">") + materialy.Tekst(p.Tekst) +
                     QStringLiteral("</p>");
        if (const int m = materialy.NumerObrazu(p.Obraz))
            w << QStringLiteral("<p class=\"N\">&nbsp;</p>")
              << QStringLiteral("<p class=\"N\"><b>Obraz nr %1:</b></p>").arg(m)
              << materialy.WierszObrazu(p.Obraz) << QStringLiteral("<p>&nbsp;</p>");

        w << QStringLiteral("<p class=\"N\">&nbsp;</p>")
          << QStringLiteral("<p class=\"N\"><b>Pytanie nr %1:</b><br>").arg(q)
          << p.Tresc + QStringLiteral("</p>");
        for (int k = 1; k <= MaksOdpowiedzi; ++k) {
            if (!OpcjaWidoczna(a, k)) continue;
            const Odpowiedz& o = p.Odpowiedzi[k];
            QString wiersz = k == 1 ? QStringLiteral("<p class=\"N\">") : QString();
            if (!o.Poprawna)
                wiersz += QStringLiteral("&nbsp;&nbsp;%1:&nbsp;").arg(Litera(k));
            else if (k == 4)
                wiersz += QStringLiteral("<b>&nbsp;&nbsp;D:</B>&nbsp;");
            else
                wiersz += QStringLiteral("&nbsp;&nbsp;<b>%1:</B>&nbsp;").arg(Litera(k));
            w << wiersz + o.Tresc + QStringLiteral("<br>");
        }

        const StatPytania& s = a.StatPytan[q];
        w << QStringLiteral("<p class=\"N\">Wybory:<br>")
          << QStringLiteral("&nbsp;&nbsp;A: ") + QString::number(s.Wybrali[1]) + Spacje4
          << QStringLiteral("B: ") + QString::number(s.Wybrali[2]) + Spacje4
          << QStringLiteral("C: ") + QString::number(s.Wybrali[3]) + Spacje4;
        if (a.Test.IloscOdpowiedzi == 4) {
            w << QStringLiteral("D: ") + QString::number(s.Wybrali[4]) + QStringLiteral("</p>");
        } else if (a.Test.IloscOdpowiedzi == 5) {
            w << QStringLiteral("D: ") + QString::number(s.Wybrali[4]) + Spacje4
              << QStringLiteral("E: ") + QString::number(s.Wybrali[5]) + QStringLiteral("</p>");
        } else {
            w << QStringLiteral("</p>");
        }

        const double e = LatwoscZadania(a, q);
        w << QStringLiteral("<p class=\"N\">Poziom łatwości zadania: ") + TekstLiczby(e) +
                 QStringLiteral(" - ") + KategoriaTrudnosci(e) + QStringLiteral("</p>");
    }

    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportOTescie(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                           const Srodowisko& srodowisko) {
    return ZapiszRaport(ZbudujRaportOTescie(analiza, ustawienia), analiza, srodowisko);
}

} // namespace sondrel
