// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/raport_historii.h"

#include "analysis/ocenianie.h"
#include "archive/porownanie.h"
#include "archive/wykres_archiwum.h"
#include "core/lokalizacja.h"
#include "reports/odnosniki.h"
#include "reports/wspolne.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <map>

namespace sondrel {

QString NazwaRaportuHistorii(const QString& nazwiskoIImie) {
    return BezpiecznaNazwaPliku(nazwiskoIImie.simplified()) + QStringLiteral("_HistoriaUcznia.htm");
}

QString LiniaKlasy(const QString& klasa) {
    QString t;
    for (const QChar z : klasa.toLower())
        if (z.isLetterOrNumber()) t += z;
    qsizetype rok = 0;
    while (rok < t.size() && t[rok].isDigit())
        ++rok;
    if (rok == 0) {
        static const QString rzymskie = QStringLiteral("ivx");
        while (rok < t.size() && rzymskie.contains(t[rok]))
            ++rok;
    }
    return rok < t.size() ? t.mid(rok) : t;
}

std::vector<UczenHistorii> RozdzielHistorie(const std::vector<WynikUcznia>& wyniki) {
    std::vector<QString> linie;
    std::vector<UczenHistorii> grupy;
    const auto grupa = [&](const QString& linia) -> UczenHistorii& {
        const auto it = std::find(linie.begin(), linie.end(), linia);
        if (it != linie.end()) return grupy[static_cast<std::size_t>(it - linie.begin())];
        linie.push_back(linia);
        return grupy.emplace_back();
    };
    QSet<QString> zOpisem;
    for (const WynikUcznia& w : wyniki)
        if (!w.Analiza.Klasa.trimmed().isEmpty()) zOpisem.insert(LiniaKlasy(w.Analiza.Klasa));
    for (const WynikUcznia& w : wyniki) {
        const bool bezOpisu = w.Analiza.Klasa.trimmed().isEmpty();
        UczenHistorii& g = grupa(!bezOpisu             ? LiniaKlasy(w.Analiza.Klasa)
                                 : zOpisem.size() == 1 ? *zOpisem.begin()
                                                       : QString());
        if (!g.Klasy.contains(w.Analiza.Klasa)) g.Klasy << w.Analiza.Klasa;
        g.Wyniki.push_back(w);
    }
    return grupy;
}

QStringList RozniUczniowie(const std::vector<WynikUcznia>& wyniki) {
    QStringList zdania;
    std::map<QDate, QStringList> klasyDnia;
    std::map<qint64, int> wAnalizie;
    for (const WynikUcznia& w : wyniki) {
        QStringList& k = klasyDnia[w.Analiza.DataNapisania];
        if (!k.contains(w.Analiza.Klasa)) k << w.Analiza.Klasa;
        ++wAnalizie[w.Analiza.Id];
    }
    for (const auto& [data, klasy] : klasyDnia) {
        if (klasy.size() < 2) continue;
        QStringList nazwy;
        for (const QString& k : klasy)
            nazwy << OpisKlasy(k);
        zdania << QStringLiteral("Tego samego dnia (%1) to nazwisko i imię ma wyniki w klasach %2 "
                                 "i %3: to różni uczniowie.")
                      .arg(TekstDatyKrotkiej(data), nazwy.mid(0, nazwy.size() - 1).join(", "),
                           nazwy.last());
    }
    for (const auto& [id, ile] : wAnalizie) {
        if (ile < 2) continue;
        const auto it = std::find_if(wyniki.begin(), wyniki.end(), [id = id](const WynikUcznia& w) {
            return w.Analiza.Id == id;
        });
        zdania << QStringLiteral("W klasie %1 (%2, test „%3”) to nazwisko i imię ma %4 uczniów: "
                                 "ich wyniki są w tabeli osobno.")
                      .arg(OpisKlasy(it->Analiza.Klasa),
                           TekstDatyKrotkiej(it->Analiza.DataNapisania), it->Analiza.NazwaTestu)
                      .arg(ile);
    }
    return zdania;
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

    const std::vector<UczenHistorii> grupy = RozdzielHistorie(wyniki);
    const QStringList rozni = RozniUczniowie(wyniki);
    if (grupy.size() > 1)
        w << QStringLiteral("<p class=\"N\">To nazwisko i imię ma w archiwum wyniki z klas, "
                            "które nie są jedną klasą w kolejnych latach: to mogą być różni "
                            "uczniowie. Wyniki pokazano osobno dla każdej z nich.</p>");
    for (const QString& zdanie : rozni)
        w << QStringLiteral("<p class=\"N\">") + TekstHtml(zdanie) + QStringLiteral("</p>");

    const QString th = QStringLiteral("<th class=\"M\" align=\"%1\" style=\"padding:2px 3px;"
                                      "border-bottom:1px solid #2F2F47\">%2</th>");
    const QString td = QStringLiteral("<td class=\"M\" align=\"%1\" style=\"padding:2px 3px;"
                                      "border-bottom:1px solid #D6D8E0\">%2</td>");
    const QString l = QStringLiteral("left"), p = QStringLiteral("right");
    for (std::size_t g = 0; g < grupy.size(); ++g) {
        const UczenHistorii& uczen = grupy[g];
        if (grupy.size() > 1) {
            QStringList klasy;
            for (const QString& k : uczen.Klasy)
                klasy << TekstHtml(OpisKlasy(k));
            w << QStringLiteral("<p class=\"N\"><b>") +
                     (klasy.size() == 1 ? QStringLiteral("Klasa ") : QStringLiteral("Klasy ")) +
                     klasy.join(QStringLiteral(", ")) + QStringLiteral("</b></p>");
        }
        QStringList punkty;
        std::vector<double> procenty;
        for (const WynikUcznia& r : uczen.Wyniki) {
            punkty << TekstDatyKrotkiej(r.Analiza.DataNapisania);
            procenty.push_back(r.Procent);
        }
        const QImage obraz =
            WykresLinii(punkty, procenty, QStringLiteral("Data"), QStringLiteral("Wynik (%)"));
        const QString plik = QFileInfo(nazwaPliku).completeBaseName() +
                             (g == 0 ? QString() : QStringLiteral("_%1").arg(g + 1)) +
                             QStringLiteral(".png");
        d.pliki.append({plik, BajtyPng(obraz)});
        w << QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\" "
                            "alt=\"Wyniki ucznia w czasie\"></p>")
                 .arg(AdresPliku(plik))
                 .arg(obraz.deviceIndependentSize().width())
                 .arg(obraz.deviceIndependentSize().height());
        w << QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" "
                            "width=\"500\" style=\"border-collapse:collapse\">")
          << QStringLiteral("<tr>") + th.arg(l, QStringLiteral("Data")) +
                 th.arg(l, QStringLiteral("Test")) + th.arg(l, QStringLiteral("Klasa")) +
                 th.arg(p, QStringLiteral("Punkty")) + th.arg(p, QStringLiteral("Wynik")) +
                 th.arg(l, QStringLiteral("Ocena")) + QStringLiteral("</tr>");
        for (const WynikUcznia& r : uczen.Wyniki)
            w << QStringLiteral("<tr>") + td.arg(l, TekstDatyKrotkiej(r.Analiza.DataNapisania)) +
                     td.arg(l, TekstHtml(r.Analiza.NazwaTestu)) +
                     td.arg(l, TekstHtml(r.Analiza.Klasa)) +
                     td.arg(p,
                            QStringLiteral("%1 / %2").arg(r.Poprawnych).arg(r.Analiza.IloscPytan)) +
                     td.arg(p, QString::number(r.Procent) + QStringLiteral("%")) +
                     td.arg(l, TekstHtml(NazwaOceny(StopienOceny(r.Ocena)))) +
                     QStringLiteral("</tr>");
        w << QStringLiteral("</table>");
    }
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
