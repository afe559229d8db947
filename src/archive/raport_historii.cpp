// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/raport_historii.h"

#include "analysis/ocenianie.h"
#include "archive/wykres_archiwum.h"
#include "core/lokalizacja.h"
#include "reports/wspolne.h"

#include <QFileInfo>
#include <QUrl>

namespace sondrel {

QString NazwaRaportuHistorii(const QString& nazwiskoIImie) {
    return BezpiecznaNazwaPliku(nazwiskoIImie.simplified()) + QStringLiteral("_HistoriaUcznia.htm");
}

DokumentRaportu ZbudujRaportHistorii(const QString& nazwiskoIImie,
                                     const std::vector<WynikUcznia>& wyniki,
                                     const UstawieniaRaportu& ustawienia,
                                     const QString& nazwaPliku) {
    DokumentRaportu d = raporty::NowyRaport(nazwaPliku, StylRaportu::Pelny,
                                            QStringLiteral("Historia ucznia."), ustawienia);
    QStringList& w = d.wiersze;
    const QString nazwa = wyniki.empty()
                              ? nazwiskoIImie.simplified()
                              : wyniki.front().Nazwisko + QLatin1Char(' ') + wyniki.front().Imie;
    w << QStringLiteral("<p><b>Uczeń: </b> ") + TekstHtml(nazwa) + QStringLiteral("</p>")
      << QStringLiteral("<p><b>Ilość wyników w archiwum: </b> %1</p>").arg(wyniki.size())
      << QStringLiteral("</div>");

    QStringList punkty;
    std::vector<double> procenty;
    for (const WynikUcznia& r : wyniki) {
        punkty << TekstDatyKrotkiej(r.Analiza.DataNapisania);
        procenty.push_back(r.Procent);
    }
    if (!wyniki.empty()) {
        const QImage obraz =
            WykresLinii(punkty, procenty, QStringLiteral("Data"), QStringLiteral("Wynik (%)"));
        const QString plik = QFileInfo(nazwaPliku).completeBaseName() + QStringLiteral(".png");
        d.pliki.append({plik, BajtyPng(obraz)});
        w << QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\" "
                            "alt=\"Wyniki ucznia w czasie\"></p>")
                 .arg(QString::fromLatin1(QUrl::toPercentEncoding(plik)))
                 .arg(obraz.deviceIndependentSize().width())
                 .arg(obraz.deviceIndependentSize().height());
    }
    const QString th = QStringLiteral("<th class=\"M\" align=\"%1\" style=\"padding:2px 3px;"
                                      "border-bottom:1px solid #2F2F47\">%2</th>");
    const QString td = QStringLiteral("<td class=\"M\" align=\"%1\" style=\"padding:2px 3px;"
                                      "border-bottom:1px solid #D6D8E0\">%2</td>");
    const QString l = QStringLiteral("left"), p = QStringLiteral("right");
    w << QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"500\" "
                        "style=\"border-collapse:collapse\">")
      << QStringLiteral("<tr>") + th.arg(l, QStringLiteral("Data")) +
             th.arg(l, QStringLiteral("Test")) + th.arg(l, QStringLiteral("Klasa")) +
             th.arg(p, QStringLiteral("Punkty")) + th.arg(p, QStringLiteral("Wynik")) +
             th.arg(l, QStringLiteral("Ocena")) + QStringLiteral("</tr>");
    for (const WynikUcznia& r : wyniki)
        w << QStringLiteral("<tr>") + td.arg(l, TekstDatyKrotkiej(r.Analiza.DataNapisania)) +
                 td.arg(l, TekstHtml(r.Analiza.NazwaTestu)) +
                 td.arg(l, TekstHtml(r.Analiza.Klasa)) +
                 td.arg(p, QStringLiteral("%1 / %2").arg(r.Poprawnych).arg(r.Analiza.IloscPytan)) +
                 td.arg(p, QString::number(r.Procent) + QStringLiteral("%")) +
                 td.arg(l, TekstHtml(NazwaOceny(StopienOceny(r.Ocena)))) + QStringLiteral("</tr>");
    w << QStringLiteral("</table>");
    ZakonczRaport(w);
    return d;
}

std::optional<std::vector<WynikUcznia>>
WynikiHistorii(Archiwum& archiwum, const QString& nazwiskoIImie, QString& blad) {
    auto historia = archiwum.HistoriaUcznia(nazwiskoIImie);
    if (!historia) {
        blad = archiwum.Blad();
        return std::nullopt;
    }
    if (historia->empty()) {
        blad =
            QStringLiteral("W archiwum nie ma wyników ucznia %1.").arg(nazwiskoIImie.simplified());
        return std::nullopt;
    }
    return historia;
}

WynikRaportu RaportHistorii(Archiwum& archiwum, const QString& nazwiskoIImie,
                            const UstawieniaRaportu& ustawienia, const QString& folder,
                            const Srodowisko& srodowisko, const QString& nazwaPliku) {
    WynikRaportu wynik;
    const auto historia = WynikiHistorii(archiwum, nazwiskoIImie, wynik.blad);
    if (!historia) return wynik;
    const QString nazwa = nazwaPliku.isEmpty() ? NazwaRaportuHistorii(nazwiskoIImie) : nazwaPliku;
    return ZapiszRaportWFolderze(ZbudujRaportHistorii(nazwiskoIImie, *historia, ustawienia, nazwa),
                                 folder, srodowisko);
}

} // namespace sondrel
