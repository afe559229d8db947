// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport_o_pytaniu.h"

#include "core/analiza.h"
#include "reports/materialy_testu.h"
#include "reports/wspolne.h"

namespace sondrel {

using namespace raporty;

DokumentRaportu ZbudujRaportOPytaniu(const Analiza& a, const UstawieniaRaportu& ustawienia, int q) {
    Q_ASSERT(q >= 1 && q <= Pytan(a));
    DokumentRaportu d = NowyRaport(NazwaRaportuOPytaniu(a.Test.NazwaTestu, q), StylRaportu::Pelny,
                                   QStringLiteral("Informacje o pytaniu."), ustawienia);
    QStringList& w = d.wiersze;
    const Pytanie& p = a.Pytania[q];
    const StatPytania& s = a.StatPytan[q];

    w << QStringLiteral("<p><b>Nazwa testu: </b> ") + NazwaTestuHtml(a) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Autor testu: </b> ") + AutorHtml(a) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Pytanie nr:</b> %1</p>").arg(q)
      << QStringLiteral("<p><b>Ilość odpowiedzi w pytaniu: </b> ") +
             QString::number(a.Test.IloscOdpowiedzi) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Średnia: </b> ") + QString::number(s.ProcentPoprawnych) +
             QStringLiteral("%</p>")
      << QStringLiteral("<p><b>Typ testu: </b>") + TypTestu(a) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Ilość odpowiadających:</b> ") + QString::number(a.IloscUczniow) +
             QStringLiteral("</p>")
      << QStringLiteral("</div>");

    MaterialyTestu materialy(a, d);
    if (!p.Tekst.isEmpty())
        w << QStringLiteral("<div class=\"w\">") << QStringLiteral("<p>&nbsp;</p>")
          << QStringLiteral("<p><b>Tekst dodatkowy towarzyszący pytaniu:</b></p>")
          << QStringLiteral("<p>") + materialy.Tekst(p.Tekst) + QStringLiteral("</p>")
          << QStringLiteral("</div>");
    if (!p.Obraz.isEmpty()) {
        const QString obraz = materialy.WierszObrazu(p.Obraz);
        w << QStringLiteral("<p class=\"N\"><b>Obraz towarzyszący pytaniu:</b></p>") << obraz;
    }

    w << QStringLiteral("<div class=\"w\">") << QStringLiteral("<p>&nbsp;</p>")
      << QStringLiteral("<p class=\"N\"><b>Treść pytania:</b></p>")
      << QStringLiteral("<p>") + p.Tresc + QStringLiteral("</p>") << QStringLiteral("</div>")
      << QStringLiteral("<p></p>");

    w << QStringLiteral("<div class=\"w\">")
      << QStringLiteral("<p class=\"N\"><b>Odpowiedzi:</b></p>");
    for (int k = 1; k <= MaksOdpowiedzi; ++k) {
        if (!OpcjaWidoczna(a, k)) continue;
        const Odpowiedz& o = p.Odpowiedzi[k];
        // C and E close their bold with "</B>", the others with "</b>".
        const QString koniecB =
            (k == 3 || k == 5) ? QStringLiteral("</B>") : QStringLiteral("</b>");
        w << (o.Poprawna
                  ? QStringLiteral("<p class=\"N1\"><b>") + Litera(k) + QLatin1Char(':') + koniecB +
                        QStringLiteral("&nbsp;")
                  : QStringLiteral("<p class=\"N1\">") + Litera(k) + QStringLiteral(":&nbsp;")) +
                 o.Tresc + QStringLiteral("</p>")
          << QStringLiteral("<p class=\"N2\"> Ilość wyborów: ") + QString::number(s.Wybrali[k]) +
                 QStringLiteral("</p>");
    }
    w << QStringLiteral("</div>");

    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportOPytaniu(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                            const Srodowisko& srodowisko, int pytanie) {
    return ZapiszRaportONumerze(ZbudujRaportOPytaniu, pytanie, Pytan(analiza),
                                QStringLiteral("Nie ma pytania nr %1."), analiza, ustawienia,
                                srodowisko);
}

} // namespace sondrel
