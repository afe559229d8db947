// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/raport_jakosc_pytan.h"

#include "analysis/jakosc_pytan.h"
#include "core/analiza.h"
#include "core/lokalizacja.h"
#include "reports/wspolne.h"

namespace sondrel {

using namespace raporty;

namespace {

// The look: the program's slate for the best students' bars, a light slate for the weakest,
// red for the flags that may mean a wrong key, amber for the others.
const QString Granat = QStringLiteral("#2F2F47");
const QString Jasny = QStringLiteral("#A9AEC2");
const QString TloPaska = QStringLiteral("#ECEDF2");
const QString Czerwony = QStringLiteral("#A3201B");
const QString TloCzerwone = QStringLiteral("#FBE4E2");
const QString Bursztyn = QStringLiteral("#7A5200");
const QString TloBursztynowe = QStringLiteral("#FFF3D3");
const QString Zielony = QStringLiteral("#2D6A2F");
constexpr int SzerokoscPaska = 70; // pixels for a share of 1

const QString Brak = QStringLiteral("–"); // a figure that cannot be computed

QString Setne(const WskaznikOpcjonalny& w) {
    return w ? TekstSetnych(w->Setne) : Brak;
}

// Negative discrimination points at the key or the wording: the question to look at first.
bool MaPowazne(const JakoscPytania& p) {
    return p.Uwagi.contains(uwagi_jakosci::UjemnaMoc);
}

// A paragraph set off in colour: a list of questions or a warning.
QString Wyroznienie(const QString& tlo, const QString& kolor, const QString& tresc) {
    return QStringLiteral("<p class=\"N\" style=\"background:%1;padding:3px 6px;color:%2\">")
               .arg(tlo, kolor) +
           tresc + QStringLiteral("</p>");
}

QString ListaNumerow(const QList<int>& numery) {
    QStringList t;
    for (const int n : numery)
        t << QString::number(n);
    return t.join(QStringLiteral(", "));
}

QString ZdanieORzetelnosci(const JakoscTestu& t) {
    if (!t.KR20)
        return t.IloscPytan < 2 ? QStringLiteral("Rzetelności nie da się obliczyć dla testu z "
                                                 "jednym pytaniem.")
                                : QStringLiteral("Rzetelności nie da się obliczyć: wszyscy "
                                                 "uczniowie mają ten sam wynik.");
    const qint64 r = t.KR20->Setne;
    QString zdanie = r >= 80   ? QStringLiteral("wynik testu dobrze odróżnia uczniów.")
                     : r >= 60 ? QStringLiteral("wynik testu dość dobrze odróżnia uczniów; przy "
                                                "ocenach na granicy progów warto wziąć pod uwagę "
                                                "także inne prace ucznia.")
                               : QStringLiteral("wynik testu słabo odróżnia uczniów: uczniowie o "
                                                "podobnej wiedzy mogą dostać wyraźnie różne "
                                                "wyniki. Pytania oznaczone niżej warto poprawić "
                                                "albo pominąć.");
    return QStringLiteral("Rzetelność testu (KR-20): <b>") + TekstSetnych(r) +
           QStringLiteral("</b> – ") + zdanie;
}

QString ZdanieORozkladzie(const JakoscTestu& t) {
    QString w = QStringLiteral("Średni wynik: <b>") + TekstSetnych(t.Srednia.Setne) +
                QStringLiteral("</b> pkt. na ") + QString::number(t.IloscPytan) +
                QStringLiteral(" możliwych; wariancja ") + TekstSetnych(t.Wariancja.Setne) +
                QStringLiteral(", skośność ") + Setne(t.Skosnosc) + QStringLiteral(", kurtoza ") +
                Setne(t.Kurtoza) + QStringLiteral(".");
    if (t.Skosnosc) {
        const qint64 s = t.Skosnosc->Setne;
        w += s > 50 ? QStringLiteral(" Przeważają wyniki niskie: test był dla tej klasy raczej "
                                     "trudny.")
             : s < -50 ? QStringLiteral(" Przeważają wyniki wysokie: test był dla tej klasy "
                                        "raczej łatwy.")
                       : QStringLiteral(" Wyniki rozkładają się mniej więcej symetrycznie wokół "
                                        "średniej.");
    }
    return w;
}

// A share as two stacked bars (best students dark, weakest light) and its percentages.
QString WierszOpcji(const OpcjaJakosci& o, bool przyciaga) {
    const auto pasek = [](const Wskaznik& udzial, const QString& kolor, bool drugi) {
        const qint64 szer = (udzial.Setne * SzerokoscPaska + 50) / 100;
        return QStringLiteral("<span style=\"display:block;height:5px;width:%1px;background:%2;%3"
                              "\"></span>")
            .arg(szer)
            .arg(kolor, drugi ? QStringLiteral("margin-top:1px;") : QString());
    };
    const QString kolorLitery = o.Poprawna  ? Zielony
                                : przyciaga ? Czerwony
                                            : QStringLiteral("#000000");
    QString litera = Litera(o.Numer);
    if (o.Poprawna)
        litera = QStringLiteral("<b>") + litera + QStringLiteral("&#10003;</b>");
    else if (przyciaga)
        litera = QStringLiteral("<b>") + litera + QStringLiteral("!</b>");
    return QStringLiteral("<div style=\"white-space:nowrap;margin:1px 0\">"
                          "<span style=\"display:inline-block;width:24px;color:%1\">%2</span>")
               .arg(kolorLitery, litera) +
           QStringLiteral("<span style=\"display:inline-block;width:%1px;background:%2;"
                          "vertical-align:middle;padding:1px 0\">")
               .arg(SzerokoscPaska)
               .arg(TloPaska) +
           pasek(o.Gorna, Granat, false) + pasek(o.Dolna, Jasny, true) +
           QStringLiteral("</span> <span class=\"M\">%1% / %2% (%3)</span></div>")
               .arg(o.Gorna.Setne)
               .arg(o.Dolna.Setne)
               .arg(o.Wybrali);
}

} // namespace

QString TekstSetnych(qint64 setne) {
    return TekstLiczby(static_cast<double>(setne) / 100.0);
}

QString NazwaRaportuJakosciPytan(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_JakoscPytan.htm");
}

DokumentRaportu ZbudujRaportJakoscPytan(const Analiza& a, const UstawieniaRaportu& ustawienia) {
    DokumentRaportu d = NowyRaport(NazwaRaportuJakosciPytan(a.Test.NazwaTestu), StylRaportu::Pelny,
                                   QStringLiteral("Jakość pytań."), ustawienia);
    QStringList& w = d.wiersze;
    const JakoscTestu t = ObliczJakoscPytan(a);

    w << QStringLiteral("<p><b>Nazwa testu: </b> ") + NazwaTestuHtml(a) + QStringLiteral(".</p>")
      << QStringLiteral("<p><b>Ilość uczniów: </b> %1&nbsp;&nbsp;&nbsp;<b>Ilość pytań: </b> %2</p>")
             .arg(t.IloscUczniow)
             .arg(t.IloscPytan)
      << QStringLiteral("</div>");

    if (!t.Ostrzezenie.isEmpty())
        w << QStringLiteral("<p class=\"N\" style=\"background:%1;border:1px solid #D9A92E;"
                            "padding:4px 6px;color:%2\"><b>Uwaga:</b> ")
                     .arg(TloBursztynowe, Bursztyn) +
                 t.Ostrzezenie +
                 QStringLiteral(" Wszystkie liczby poniżej traktuj jako orientacyjne.</p>");

    // The test as a whole.
    w << QStringLiteral("<p class=\"N\"><b>Test jako całość</b></p>")
      << QStringLiteral("<p class=\"N\">") + ZdanieORzetelnosci(t) + QStringLiteral("</p>");
    if (t.SEM)
        w << QStringLiteral("<p class=\"N\">Błąd pomiaru: około <b>&plusmn;") +
                 TekstSetnych(t.SEM->Setne) +
                 QStringLiteral("</b> pkt. – o tyle wynik ucznia może się różnić od wyniku, "
                                "który uzyskałby w innym, podobnym teście.</p>");
    w << QStringLiteral("<p class=\"N\">") + ZdanieORozkladzie(t) + QStringLiteral("</p>");

    // Which questions to look at.
    QList<int> najpierw, warto;
    for (const JakoscPytania& p : t.Pytania)
        if (MaPowazne(p))
            najpierw << p.Nr;
        else if (!p.Uwagi.isEmpty())
            warto << p.Nr;
    w << QStringLiteral("<p class=\"N\"><b>Które pytania przejrzeć</b></p>");
    if (najpierw.isEmpty() && warto.isEmpty())
        w << QStringLiteral("<p class=\"N\">Żadne pytanie nie zostało oznaczone.</p>");
    if (!najpierw.isEmpty())
        w << Wyroznienie(TloCzerwone, Czerwony,
                         QStringLiteral("<b>Najpierw:</b> ") + ListaNumerow(najpierw) +
                             QStringLiteral(" – słabsi uczniowie odpowiadają tu lepiej niż "
                                            "mocniejsi: zwykle to błąd w kluczu albo niejasna "
                                            "treść."));
    if (!warto.isEmpty())
        w << Wyroznienie(TloBursztynowe, Bursztyn,
                         QStringLiteral("<b>Warto przejrzeć:</b> ") + ListaNumerow(warto) +
                             QStringLiteral(" – pytania zbyt łatwe, zbyt trudne, słabo "
                                            "różnicujące, z błędną odpowiedzią, którą częściej "
                                            "wybierają lepsi uczniowie, albo z odpowiedziami, "
                                            "których nikt nie wybiera."));

    // How to read the table.
    w << QStringLiteral("<p class=\"N\" style=\"margin-bottom:2px\"><b>Jak czytać tabelę</b></p>")
      << QStringLiteral("<ul class=\"M\" style=\"margin-top:0;padding-left:18px\">")
      << QStringLiteral("<li><b>Łatwość</b> – jaka część klasy odpowiedziała poprawnie (0 – nikt, "
                        "1 – wszyscy).</li>")
      << QStringLiteral("<li><b>Moc różnicująca</b> – czy pytanie lepiej wychodzi uczniom, którzy "
                        "dobrze napisali resztę testu: od -1 do 1; poniżej %1 pytanie słabo "
                        "różnicuje, poniżej 0 działa odwrotnie, niż powinno.</li>")
             .arg(TekstSetnych(10))
      << QStringLiteral("<li><b>D</b> – łatwość w grupie najlepszych minus łatwość w grupie "
                        "najsłabszych (%1 i %2 uczniów, po około 27% klasy).</li>")
             .arg(t.LicznoscGornej)
             .arg(t.LicznoscDolnej)
      << QStringLiteral("<li><b>Odpowiedzi</b> – jaka część najlepszych (ciemny pasek) i "
                        "najsłabszych (jasny pasek) wybrała odpowiedź; w nawiasie – ilu uczniów "
                        "wybrało ją w całej klasie. &#10003; – odpowiedź poprawna, ! – błędna "
                        "odpowiedź, którą lepsi wybierają częściej niż słabsi.</li>")
      << QStringLiteral("<li>") + Brak +
             QStringLiteral(" w miejscu liczby – nie da się jej obliczyć, bo wszyscy odpowiedzieli "
                            "tak samo.</li>")
      << QStringLiteral("</ul>");

    // One row per question; its flags in a row of their own under it.
    const auto th = [](const char* wyrownanie, int szerokosc, const QString& tekst) {
        return QStringLiteral("<th class=\"M\" align=\"%1\" width=\"%2\" style=\"border-bottom:"
                              "1px solid %3;padding:2px\">%4</th>")
            .arg(QLatin1String(wyrownanie))
            .arg(szerokosc)
            .arg(Granat, tekst);
    };
    w << QStringLiteral("<table border=\"0\" cellpadding=\"2\" cellspacing=\"0\" width=\"500\" "
                        "style=\"border-collapse:collapse\">")
      << QStringLiteral("<thead><tr>") + th("left", 28, QStringLiteral("Nr")) +
             th("right", 52, QStringLiteral("Łatwość")) +
             th("right", 62, QStringLiteral("Moc różn.")) + th("right", 44, QStringLiteral("D")) +
             th("left", 314, QStringLiteral("&nbsp;&nbsp;Odpowiedzi: najlepsi / najsłabsi")) +
             QStringLiteral("</tr></thead>");
    for (const JakoscPytania& p : t.Pytania) {
        const bool powazne = MaPowazne(p), uwagi = !p.Uwagi.isEmpty();
        const QString tlo = powazne ? TloCzerwone
                            : uwagi ? TloBursztynowe
                                    : QStringLiteral("#FFFFFF");
        const QString kolor = powazne ? Czerwony : uwagi ? Bursztyn : QStringLiteral("#000000");
        const QString krawedz =
            uwagi ? QString() : QStringLiteral("border-bottom:1px solid #D6D8E0;");
        const QString td = QStringLiteral("<td class=\"N\" align=\"%1\" valign=\"top\" "
                                          "style=\"background:%2;%3\">%4</td>");
        QString opcje;
        for (const OpcjaJakosci& o : p.Opcje)
            opcje += WierszOpcji(o, p.Uwagi.contains(uwagi_jakosci::PrzyciagaLepszych(o.Numer)));
        // a question's rows (figures and flags) stay on one printed page
        w << QStringLiteral("<tbody style=\"break-inside:avoid;page-break-inside:avoid\"><tr>") +
                 td.arg(QStringLiteral("left"), tlo, krawedz,
                        QStringLiteral("<b style=\"color:%1\">%2</b>").arg(kolor).arg(p.Nr)) +
                 td.arg(QStringLiteral("right"), tlo, krawedz, TekstSetnych(p.Latwosc.Setne)) +
                 td.arg(QStringLiteral("right"), tlo, krawedz, Setne(p.MocRoznicujaca)) +
                 td.arg(QStringLiteral("right"), tlo, krawedz, TekstSetnych(p.D.Setne)) +
                 td.arg(QStringLiteral("left"), tlo, krawedz,
                        QStringLiteral("<div style=\"padding-left:10px\">") + opcje +
                            QStringLiteral("</div>")) +
                 QStringLiteral("</tr>");
        if (uwagi)
            w << QStringLiteral("<tr><td colspan=\"5\" class=\"N\" style=\"background:%1;"
                                "color:%2;border-bottom:1px solid #D6D8E0;padding:0 4px 4px "
                                "28px\">&#9888; ")
                         .arg(tlo, kolor) +
                     p.Uwagi.join(QStringLiteral("; ")) + QStringLiteral(".</td></tr>");
        w << QStringLiteral("</tbody>");
    }
    w << QStringLiteral("</table>");
    ZakonczRaport(w);
    return d;
}

WynikRaportu RaportJakoscPytan(const Analiza& analiza, const UstawieniaRaportu& ustawienia,
                               const Srodowisko& srodowisko) {
    return ZapiszRaport(ZbudujRaportJakoscPytan(analiza, ustawienia), analiza, srodowisko);
}

} // namespace sondrel
