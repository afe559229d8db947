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
#include <QRegularExpression>
#include <cmath>
#include <span>

namespace sondrel {

namespace {

const QString Granat = QStringLiteral("#2F2F47");
const QString TloLatwiejsze = QStringLiteral("#E2F0E2");
const QString TloTrudniejsze = QStringLiteral("#FBE4E2");
const QString Brak = QStringLiteral("–");
// What a mark means.
const QString Legenda = QStringLiteral(
    "Pytanie jest oznaczone w klasie, gdy odsetek poprawnych odpowiedzi w niej różni się od "
    "odsetka w całej grupie o co najmniej 0,2 i tej różnicy nie da się wyjaśnić przypadkiem: "
    "dokładny test Fishera (klasa wobec pozostałych klas porównania) daje p &lt; 0,05. "
    "Przy jednej klasie nic nie jest oznaczane.");

QString Setne(const std::optional<double>& liczba) {
    return liczba ? TekstLiczby(std::nearbyint(*liczba * 100) / 100) : Brak;
}

// Whether the class's label already carries its date (another class has the same label).
bool EtykietaZData(const FiguryKlasy& f) {
    return f.Etykieta != OpisKlasy(f.Klasa);
}

// "pytanie 18" or "pytania 3, 7".
QString Pytania(const QStringList& numery) {
    return (numery.size() == 1 ? QStringLiteral("pytanie ") : QStringLiteral("pytania ")) +
           numery.join(QStringLiteral(", "));
}

// The beginning of a question's text (markup) as plain text: tags dropped, the usual character
// references resolved, white space joined, cut after a word near `dlugosc` characters.
QString PoczatekTresci(const QString& tresc, int dlugosc = 40) {
    // a tag that breaks a line parts words; any other joins what it surrounds
    static const QRegularExpression podzial(
        QStringLiteral("<\\s*/?\\s*(br|p|div|li|tr|td|th|h[1-6]|table|ul|ol)\\b[^>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression znacznik(QStringLiteral("<[^>]*>"));
    QString t = QString(tresc).replace(podzial, QStringLiteral(" ")).replace(znacznik, QString());
    t = BezOdwolanZnakow(t).replace(QChar(0xA0), QLatin1Char(' ')).simplified();
    if (t.size() <= dlugosc) return t;
    qsizetype koniec = t.lastIndexOf(QLatin1Char(' '), dlugosc);
    if (koniec < dlugosc / 2) koniec = dlugosc;
    return t.left(koniec).trimmed() + QStringLiteral("…");
}

// Ranges [od, do) that share `ile` items out into parts of at most `naCzesc`, evenly.
std::vector<std::pair<int, int>> Czesci(int ile, int naCzesc) {
    const int czesci = std::max(1, (ile + naCzesc - 1) / std::max(1, naCzesc));
    std::vector<std::pair<int, int>> w;
    for (int i = 0; i < czesci; ++i)
        w.emplace_back(ile * i / czesci, ile * (i + 1) / czesci);
    return w;
}

// The groups of classes that share a chart and a question table.
std::vector<std::pair<int, int>> GrupyKlas(const ZestawienieKlas& z) {
    return Czesci(static_cast<int>(z.Klasy.size()), MaksKlasNaWykresie);
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
        wiersz(f, TekstHtml(f.Etykieta) +
                      (EtykietaZData(f)
                           ? QString()
                           : QStringLiteral(" <span style=\"color:#666\">(") +
                                 TekstDatyKrotkiej(f.DataNapisania) + QStringLiteral(")</span>")));
    wiersz(z.Razem, QStringLiteral("<b>Razem</b>"));
    w << QStringLiteral("</table>");
}

} // namespace

QString NazwaRaportuPorownania(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_PorownanieKlas.htm");
}

std::vector<WykresPorownania> WykresyPorownania(const ZestawienieKlas& z) {
    std::vector<WykresPorownania> wykresy;
    const int pytan = static_cast<int>(z.Razem.Pytania.size());
    const auto grupy = GrupyKlas(z);
    for (const auto& [od, doKlasy] : grupy) {
        std::vector<SeriaWykresuArchiwum> serie;
        QStringList klasy;
        for (int k = od; k < doKlasy; ++k) {
            const FiguryKlasy& f = z.Klasy[static_cast<std::size_t>(k)];
            SeriaWykresuArchiwum s;
            s.nazwa = f.Etykieta;
            klasy << f.Etykieta;
            for (const PytanieKlasy& p : f.Pytania)
                s.wartosci.push_back(p.ProcentPoprawnych);
            serie.push_back(std::move(s));
        }
        // as many questions per chart as fit the height
        int naWykres = 1;
        while (naWykres < pytan &&
               WysokoscSlupkowGrup(naWykres + 1, doKlasy - od) <= MaksWysokoscWykresu)
            ++naWykres;
        const auto czesci = Czesci(pytan, naWykres);
        for (const auto& [pierwsze, poOstatnim] : czesci) {
            QStringList numery;
            std::vector<SeriaWykresuArchiwum> wycinek = serie;
            for (int q = pierwsze; q < poOstatnim; ++q)
                numery << QString::number(z.Razem.Pytania[static_cast<std::size_t>(q)].Nr);
            for (SeriaWykresuArchiwum& s : wycinek)
                s.wartosci = std::vector<double>(s.wartosci.begin() + pierwsze,
                                                 s.wartosci.begin() + poOstatnim);
            WykresPorownania w;
            w.obraz = WykresSlupkowGrup(numery, wycinek, QStringLiteral("Pytanie"),
                                        QStringLiteral("Poprawne odpowiedzi (%)"));
            if (grupy.size() > 1 || czesci.size() > 1)
                w.opis = (klasy.size() == 1 ? QStringLiteral("Klasa ") : QStringLiteral("Klasy ")) +
                         klasy.join(QStringLiteral(", ")) + QStringLiteral("; ") +
                         (numery.size() == 1 ? QStringLiteral("pytanie ") + numery.front()
                                             : QStringLiteral("pytania ") + numery.front() +
                                                   QStringLiteral("–") + numery.back()) +
                         QStringLiteral(".");
            wykresy.push_back(std::move(w));
        }
    }
    return wykresy;
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
                 .arg(TekstHtml(z.Klasy.front().Etykieta));

    // The charts.
    w << QStringLiteral("<p class=\"N\"><b>Łatwość pytań w klasach</b> (odsetek poprawnych "
                        "odpowiedzi)</p>");
    const std::vector<WykresPorownania> wykresy = WykresyPorownania(z);
    const QString nazwaBazowa = QFileInfo(nazwaPliku).completeBaseName();
    for (std::size_t i = 0; i < wykresy.size(); ++i) {
        const WykresPorownania& wykres = wykresy[i];
        const QString plikObrazu = nazwaBazowa +
                                   (i == 0 ? QString() : QStringLiteral("_%1").arg(i + 1)) +
                                   QStringLiteral(".png");
        d.pliki.append({plikObrazu, BajtyPng(wykres.obraz)});
        if (!wykres.opis.isEmpty())
            w << QStringLiteral("<p class=\"M\">") + TekstHtml(wykres.opis) +
                     QStringLiteral("</p>");
        w << QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\" "
                            "alt=\"%4\"></p>")
                 .arg(AdresPliku(plikObrazu))
                 .arg(wykres.obraz.deviceIndependentSize().width())
                 .arg(wykres.obraz.deviceIndependentSize().height())
                 .arg(QStringLiteral("Łatwość pytań w klasach") +
                      (wykres.opis.isEmpty() ? QString()
                                             : QStringLiteral(": ") + TekstHtml(wykres.opis)));
    }

    // The marked questions in words, each with the beginning of its text where the test's texts
    // were archived.
    const auto pytanie = [&](const PytanieKlasy& p) {
        const auto q = static_cast<std::size_t>(p.Nr - 1);
        const QString poczatek = q < z.Tresci.size() ? PoczatekTresci(z.Tresci[q]) : QString();
        return QString::number(p.Nr) +
               (poczatek.isEmpty()
                    ? QString()
                    : QStringLiteral(" („") + TekstHtml(poczatek) + QStringLiteral("”)"));
    };
    QStringList zdania;
    for (const FiguryKlasy& f : z.Klasy) {
        QStringList latwiejsze, trudniejsze;
        for (const PytanieKlasy& p : f.Pytania)
            if (p.Uwaga == UwagaLatwiejsze)
                latwiejsze << pytanie(p);
            else if (p.Uwaga == UwagaTrudniejsze)
                trudniejsze << pytanie(p);
        const QString klasa =
            QStringLiteral("<b>") + TekstHtml(f.Etykieta) + QStringLiteral("</b>: ");
        if (!latwiejsze.isEmpty())
            zdania << klasa + Pytania(latwiejsze) + QStringLiteral(" – ") + UwagaLatwiejsze;
        if (!trudniejsze.isEmpty())
            zdania << klasa + Pytania(trudniejsze) + QStringLiteral(" – ") + UwagaTrudniejsze;
    }
    w << QStringLiteral(
        "<p class=\"N\"><b>Pytania, które w jednej klasie poszły wyraźnie inaczej"
        "</b> (łatwość różna od łatwości w całej grupie o co najmniej 0,2, a różnica "
        "nie do wyjaśnienia przypadkiem: dokładny test Fishera, p &lt; 0,05)</p>");
    if (z.Klasy.size() < 2)
        w << QStringLiteral("<p class=\"N\">Porównano jedną klasę: nie ma jej z czym porównać, "
                            "więc żadne pytanie nie jest oznaczane.</p>");
    else if (zdania.isEmpty())
        w << QStringLiteral("<p class=\"N\">Żadne pytanie nie zostało oznaczone.</p>");
    else
        w << QStringLiteral("<p class=\"N\">") + zdania.join(QStringLiteral(".<br>")) +
                 QStringLiteral(".</p>");

    // Per question: facility in percent (marked cells coloured) and discrimination.
    // Many classes: a table per group of classes, as the charts group them.
    const auto tabelaPytan = [&](const QString& tytul, auto wartosc, bool zUwagami) {
        w << QStringLiteral("<p class=\"N\"><b>") + tytul + QStringLiteral("</b></p>");
        for (const auto& [od, doKlasy] : GrupyKlas(z)) {
            const auto klasy = std::span(z.Klasy).subspan(static_cast<std::size_t>(od),
                                                          static_cast<std::size_t>(doKlasy - od));
            w << Tabela;
            QString naglowek = QStringLiteral("<tr>") + Naglowek(QStringLiteral("Nr"), "left");
            for (const FiguryKlasy& f : klasy)
                naglowek += Naglowek(TekstHtml(f.Etykieta));
            w << naglowek + Naglowek(QStringLiteral("Razem")) + QStringLiteral("</tr>");
            for (std::size_t q = 0; q < z.Razem.Pytania.size(); ++q) {
                QString t = QStringLiteral("<tr>") + Komorka(QString::number(q + 1), "left");
                for (const FiguryKlasy& f : klasy) {
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
        }
    };
    tabelaPytan(
        QStringLiteral("Poprawne odpowiedzi w klasach (%)"),
        [](const PytanieKlasy& p) { return QString::number(p.ProcentPoprawnych); }, true);
    w << QStringLiteral("<p class=\"M\">&#9650; – %1, &#9660; – %2. %3</p>")
             .arg(UwagaLatwiejsze, UwagaTrudniejsze, Legenda);
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
