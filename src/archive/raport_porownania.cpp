// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/raport_porownania.h"

#include "analysis/ocenianie.h"
#include "archive/archiwum.h"
#include "archive/wykres_archiwum.h"
#include "chartengine/rysowanie.h"
#include "core/foldery.h"
#include "core/lokalizacja.h"
#include "core/srodowisko.h"
#include "reports/odnosniki.h"
#include "reports/wspolne.h"

#include <QFileInfo>
#include <cmath>

namespace sondrel {

namespace {

const QString Granat = QStringLiteral("#2F2F47");
const QString TloLatwiejsze = QStringLiteral("#E2F0E2");
const QString TloTrudniejsze = QStringLiteral("#FBE4E2");
const QString Brak = QStringLiteral("–");

QString Setne(const std::optional<double>& liczba) {
    return liczba ? TekstLiczby(std::nearbyint(*liczba * 100) / 100) : Brak;
}

QString EtykietaKlasy(const FiguryKlasy& f) {
    return f.Klasa.isEmpty() ? QStringLiteral("(bez opisu)") : f.Klasa;
}

// A table cell of the report's tables.
QString Komorka(const QString& tresc, const char* wyrownanie = "right", const QString& tlo = {}) {
    return QStringLiteral("<td class=\"M\" align=\"%1\" style=\"padding:2px 3px;border-bottom:"
                          "1px solid #D6D8E0;%2\">%3</td>")
        .arg(QLatin1String(wyrownanie),
             tlo.isEmpty() ? QString() : QStringLiteral("background:") + tlo + u';', tresc);
}

QString Naglowek(const QString& tresc, const char* wyrownanie = "right") {
    return QStringLiteral("<th class=\"M\" align=\"%1\" style=\"padding:2px 3px;border-bottom:"
                          "1px solid %2\">%3</th>")
        .arg(QLatin1String(wyrownanie), Granat, tresc);
}

const QString Tabela = QStringLiteral("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" "
                                      "width=\"500\" style=\"border-collapse:collapse\">");

// One row per class and one for the pooled class, columns from `kolumny`.
template <typename F>
void WierszeKlas(QStringList& w, const ZestawienieKlas& z, const QStringList& kolumny, F wartosci) {
    QString naglowek = QStringLiteral("<tr>") + Naglowek(QStringLiteral("Klasa"), "left");
    for (const QString& k : kolumny)
        naglowek += Naglowek(k);
    w << Tabela << naglowek + QStringLiteral("</tr>");
    const auto wiersz = [&](const FiguryKlasy& f, const QString& etykieta) {
        QString t = QStringLiteral("<tr>") + Komorka(etykieta, "left");
        for (const QString& v : wartosci(f))
            t += Komorka(v);
        w << t + QStringLiteral("</tr>");
    };
    for (const FiguryKlasy& f : z.Klasy)
        wiersz(f, TekstHtml(EtykietaKlasy(f)) + QStringLiteral(" <span style=\"color:#666\">(") +
                      TekstDatyKrotkiej(f.DataNapisania) + QStringLiteral(")</span>"));
    wiersz(z.Razem, QStringLiteral("<b>Razem</b>"));
    w << QStringLiteral("</table>");
}

} // namespace

QString NazwaRaportuPorownania(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_PorownanieKlas.htm");
}

QImage WykresPorownania(const ZestawienieKlas& z) {
    std::vector<SeriaWykresuArchiwum> serie;
    for (std::size_t k = 0; k < z.Klasy.size(); ++k) {
        SeriaWykresuArchiwum s;
        s.nazwa = EtykietaKlasy(z.Klasy[k]);
        for (const PytanieKlasy& p : z.Klasy[k].Pytania)
            s.wartosci.push_back(p.ProcentPoprawnych);
        serie.push_back(std::move(s));
    }
    QStringList pytania;
    for (const PytanieKlasy& p : z.Razem.Pytania)
        pytania << QString::number(p.Nr);
    return WykresSlupkowGrup(pytania, serie, QStringLiteral("Pytanie"),
                             QStringLiteral("Poprawne odpowiedzi (%)"));
}

DokumentRaportu ZbudujRaportPorownania(const ZestawienieKlas& z,
                                       const UstawieniaRaportu& ustawienia,
                                       const QString& nazwaPliku) {
    DokumentRaportu d = raporty::NowyRaport(nazwaPliku, StylRaportu::Pelny,
                                            QStringLiteral("Porównanie klas."), ustawienia);
    QStringList& w = d.wiersze;
    const TestArchiwalny& t = z.Test;
    w << QStringLiteral("<p><b>Nazwa testu: </b> ") + TekstHtml(t.Nazwa) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Autor: </b> ") + TekstHtml(t.Autor) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Ilość pytań: </b> %1&nbsp;&nbsp;&nbsp;<b>Ilość klas: </b> %2"
                        "&nbsp;&nbsp;&nbsp;<b>Ilość uczniów: </b> %3</p>")
             .arg(t.IloscPytan)
             .arg(z.Klasy.size())
             .arg(z.Razem.IloscUczniow)
      << QStringLiteral("</div>");

    // The classes' figures.
    w << QStringLiteral("<p class=\"N\"><b>Wyniki klas</b> (punkty na %1 możliwych)</p>")
             .arg(t.IloscPytan);
    WierszeKlas(w, z,
                {QStringLiteral("Uczniów"), QStringLiteral("Średnia"), QStringLiteral("Mediana"),
                 QStringLiteral("Odch. std."), QStringLiteral("Wynik"), QStringLiteral("Ocena"),
                 QStringLiteral("KR-20")},
                [](const FiguryKlasy& f) {
                    return QStringList{QString::number(f.IloscUczniow),
                                       TekstLiczby(f.Srednia),
                                       TekstLiczby(f.Mediana),
                                       TekstLiczby(f.Odchylenie),
                                       QString::number(f.ProcentKlasy) + QStringLiteral("%"),
                                       NazwaOceny(StopienOceny(f.OcenaKlasy)),
                                       Setne(f.KR20)};
                });
    w << QStringLiteral("<p class=\"N\"><b>Liczba ocen</b></p>");
    QStringList oceny;
    for (int g = 1; g <= LiczbaStopni; ++g)
        oceny << SkrotOceny(g);
    WierszeKlas(w, z, oceny, [](const FiguryKlasy& f) {
        QStringList t;
        for (int g = 1; g <= LiczbaStopni; ++g)
            t << QString::number(f.LiczbaOcen[g]);
        return t;
    });
    if (z.Klasy.size() > 1)
        w << QStringLiteral("<p class=\"M\">Ocena klasy „Razem” – według progów testu w klasie "
                            "%1.</p>")
                 .arg(TekstHtml(EtykietaKlasy(z.Klasy.front())));

    // The chart.
    const QImage obraz = WykresPorownania(z);
    const QString plikObrazu = QFileInfo(nazwaPliku).completeBaseName() + QStringLiteral(".png");
    d.pliki.append({plikObrazu, BajtyPng(obraz)});
    w << QStringLiteral("<p class=\"N\"><b>Łatwość pytań w klasach</b> (odsetek poprawnych "
                        "odpowiedzi)</p>")
      << QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\" "
                        "alt=\"Łatwość pytań w klasach\"></p>")
             .arg(AdresPliku(plikObrazu))
             .arg(obraz.deviceIndependentSize().width())
             .arg(obraz.deviceIndependentSize().height());

    // The marked questions in words.
    QStringList zdania;
    for (const FiguryKlasy& f : z.Klasy) {
        QStringList latwiejsze, trudniejsze;
        for (const PytanieKlasy& p : f.Pytania)
            (p.Uwaga == UwagaLatwiejsze ? latwiejsze : trudniejsze)
                << (p.Uwaga.isEmpty() ? QString() : QString::number(p.Nr));
        latwiejsze.removeAll(QString());
        trudniejsze.removeAll(QString());
        const QString klasa =
            QStringLiteral("<b>") + TekstHtml(EtykietaKlasy(f)) + QStringLiteral("</b>: ");
        if (!latwiejsze.isEmpty())
            zdania << klasa + QStringLiteral("pytania ") + latwiejsze.join(QStringLiteral(", ")) +
                          QStringLiteral(" – ") + UwagaLatwiejsze;
        if (!trudniejsze.isEmpty())
            zdania << klasa + QStringLiteral("pytania ") + trudniejsze.join(QStringLiteral(", ")) +
                          QStringLiteral(" – ") + UwagaTrudniejsze;
    }
    w << QStringLiteral("<p class=\"N\"><b>Pytania, które w jednej klasie poszły wyraźnie inaczej"
                        "</b> (łatwość różna od łatwości w całej grupie o co najmniej 0,2)</p>");
    if (zdania.isEmpty())
        w << QStringLiteral("<p class=\"N\">Żadne pytanie nie zostało oznaczone.</p>");
    else
        w << QStringLiteral("<p class=\"N\">") + zdania.join(QStringLiteral(".<br>")) +
                 QStringLiteral(".</p>");

    // Per question: facility in percent (marked cells coloured) and discrimination.
    const auto tabelaPytan = [&](const QString& tytul, auto wartosc, bool zUwagami) {
        w << QStringLiteral("<p class=\"N\"><b>") + tytul + QStringLiteral("</b></p>") << Tabela;
        QString naglowek = QStringLiteral("<tr>") + Naglowek(QStringLiteral("Nr"), "left");
        for (const FiguryKlasy& f : z.Klasy)
            naglowek += Naglowek(TekstHtml(EtykietaKlasy(f)));
        w << naglowek + Naglowek(QStringLiteral("Razem")) + QStringLiteral("</tr>");
        for (std::size_t q = 0; q < z.Razem.Pytania.size(); ++q) {
            QString t = QStringLiteral("<tr>") + Komorka(QString::number(q + 1), "left");
            for (const FiguryKlasy& f : z.Klasy) {
                const PytanieKlasy& p = f.Pytania[q];
                const bool latwiejsze = zUwagami && p.Uwaga == UwagaLatwiejsze;
                const bool trudniejsze = zUwagami && p.Uwaga == UwagaTrudniejsze;
                t += Komorka(wartosc(p) + (latwiejsze    ? QStringLiteral("&nbsp;&#9650;")
                                           : trudniejsze ? QStringLiteral("&nbsp;&#9660;")
                                                         : QString()),
                             "right",
                             latwiejsze    ? TloLatwiejsze
                             : trudniejsze ? TloTrudniejsze
                                           : QString());
            }
            w << t +
                     Komorka(QStringLiteral("<b>") + wartosc(z.Razem.Pytania[q]) +
                             QStringLiteral("</b>")) +
                     QStringLiteral("</tr>");
        }
        w << QStringLiteral("</table>");
    };
    tabelaPytan(
        QStringLiteral("Poprawne odpowiedzi w klasach (%)"),
        [](const PytanieKlasy& p) { return QString::number(p.ProcentPoprawnych); }, true);
    w << QStringLiteral("<p class=\"M\">&#9650; – %1, &#9660; – %2.</p>")
             .arg(UwagaLatwiejsze, UwagaTrudniejsze);
    tabelaPytan(
        QStringLiteral("Moc różnicująca w klasach"),
        [](const PytanieKlasy& p) { return Setne(p.MocRoznicujaca); }, false);
    w << QStringLiteral("<p class=\"M\">") + Brak +
             QStringLiteral(" – nie da się obliczyć: wszyscy w klasie odpowiedzieli tak samo.</p>");
    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportPorownania(const ZestawienieKlas& zestawienie,
                              const UstawieniaRaportu& ustawienia, const QString& folder,
                              const Srodowisko& srodowisko, const QString& nazwaPliku) {
    if (!zestawienie.Udane()) {
        WynikRaportu wynik;
        wynik.blad = zestawienie.Blad;
        return wynik;
    }
    const QString nazwa =
        nazwaPliku.isEmpty() ? NazwaRaportuPorownania(zestawienie.Test.Nazwa) : nazwaPliku;
    return ZapiszRaportWFolderze(ZbudujRaportPorownania(zestawienie, ustawienia, nazwa), folder,
                                 srodowisko);
}

WynikRaportu RaportPorownania(Archiwum& archiwum, const std::vector<qint64>& idy,
                              const UstawieniaRaportu& ustawienia, const Srodowisko& srodowisko) {
    std::vector<AnalizaArchiwalna> analizy;
    for (const qint64 id : idy) {
        auto a = archiwum.Wczytaj(id);
        if (!a) {
            WynikRaportu wynik;
            wynik.blad = archiwum.Blad();
            return wynik;
        }
        analizy.push_back(std::move(*a));
    }
    return RaportPorownania(PorownajKlasy(analizy), ustawienia, srodowisko.foldery.FolderTemp,
                            srodowisko);
}

} // namespace sondrel
