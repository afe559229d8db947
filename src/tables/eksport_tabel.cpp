// SPDX-License-Identifier: GPL-3.0-or-later
#include "tables/eksport_tabel.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "core/pliki.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace sondrel {

namespace {

// The document head: the style sheet of the program's reports, without their page table.
const char* const GlowaHtml[] = {
    R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">)",
    R"(<html><head>)",
    R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1250">)",
    R"(<title>Program &quot;Zadrix&quot; - analiza wyników</title>)",
    R"(</head>)",
    R"(<STYLE TYPE="text/css">)",
    R"(<!--)",
    R"(BODY { )",
    R"(scrollbar-face-color: #2F2F47;)",
    R"(scrollbar-highlight-color: #FFFFFF;)",
    R"(scrollbar-3dlight-color: #FFFFFF;)",
    R"(scrollbar-darkshadow-color: #FFFFFF;)",
    R"(scrollbar-shadow-color: #FFFFFF;)",
    R"(scrollbar-arrow-color: #FFFFFF;)",
    R"(scrollbar-track-color: #FFFFFF; }  )",
    R"(.N {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; text-decoration: none;color: #000000; line-height: normal; })",
    R"(.N1 {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; text-decoration: none;color: #000000; line-height: normal; text-indent: 1.5em})",
    R"(.N2 {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; text-decoration: none;color: #000000; line-height: normal; text-indent: 4em})",
    R"(.M {font-family: verdana, tahoma, arial;  font-size: 8pt; font-weight: normal; text-decoration: none;color: #000000; })",
    R"(.U {font-family: verdana, tahoma, arial;  font-size: 10pt; font-weight: normal; text-decoration: underline; color: #000000; })",
    R"(div.w p, p.w {margin-top: 0pt; margin-bottom: 0pt; })",
    R"(-->)",
    R"(</STYLE>)",
    R"(<body bgcolor="#FFFFFF" topmargin="0" leftmargin="20" rightmargin="20">)",
    R"(<div  align="center">)",
};

// Text from the records that is not markup: names from the answer files, the test's name
// (also from the first answer file, which anyone can write).
QString Html(const QString& tekst) {
    return tekst.toHtmlEscaped();
}

QString Liczba(qint64 n) {
    return QString::number(n);
}

struct Dokument {
    QStringList wiersze;

    Dokument& operator<<(const QString& w) {
        wiersze.append(w);
        return *this;
    }
    Dokument& operator<<(const char* w) {
        wiersze.append(QString::fromUtf8(w));
        return *this;
    }

    QByteArray Bajty() const {
        QByteArray wynik;
        for (const QString& w : wiersze)
            wynik += Na1250Html(w) + "\r\n";
        return wynik;
    }
};

// A name cell holds one space followed by the student's display name.
QString KomorkaNazwy(const OdpowiedzBig& uczen, bool fn, int szerokosc) {
    return QStringLiteral(R"(<td align="left" width="%1" class="N"> %2</td>)")
        .arg(szerokosc)
        .arg(Html(NazwaUcznia(uczen, fn)));
}

QString Srodek(int szerokosc, const QString& tekst, bool pogrubiona) {
    const QString w = pogrubiona ? QStringLiteral("<b>") + tekst + QStringLiteral("</b>") : tekst;
    return QStringLiteral(R"(<td align="center" width="%1" class="N">%2</td>)")
        .arg(szerokosc)
        .arg(w);
}

int IloscUczniow(const Analiza& a) {
    return std::clamp(a.IloscUczniow, 0, MaksUczniow);
}

void WierszeWynikow(Dokument& d, const Analiza& a, int pierwsze, int ile, bool fn) {
    const int n = IloscUczniow(a);
    d << "<tr>"
      << R"(<td align="left" width="200" class="N"><b>Nazwisko i imię</b></td>)";
    for (int q = pierwsze; q < pierwsze + ile; ++q)
        d << Srodek(18, Liczba(q), true);
    d << R"(<td width="60" class="N"><b>Suma</b></td>)"
      << R"(<td width="60" class="N"><b>Ocena</b></td>)"
      << "</tr>";

    for (int s = 1; s <= n; ++s) {
        const OdpowiedzBig& uczen = a.Uczniowie[s];
        d << "<tr>" << KomorkaNazwy(uczen, fn, 200);
        for (int q = pierwsze; q < pierwsze + ile; ++q)
            d << Srodek(18, PoprawnaOdpowiedz(uczen, q) ? "1" : "0", false);
        d << Srodek(60, Liczba(uczen.Poprawnych), true) << Srodek(60, Html(uczen.Ocena), true)
          << "</tr>";
    }

    d << "<tr>"
      << R"(<td align="left" width="200" class="N"><b>Suma</b></td>)";
    for (int q = pierwsze; q < pierwsze + ile; ++q)
        d << Srodek(18, Liczba(a.StatPytan[q].Poprawnych), true);
    d << Srodek(60, Liczba(a.Test.SumaPoprawnych), true) << Srodek(60, "&nbsp;", true) << "</tr>";

    d << "<tr>"
      << R"(<td align="left" width="200" class="N"><b>Średnia (%)</b></td>)";
    for (int q = pierwsze; q < pierwsze + ile; ++q) {
        const qint32 procent = a.StatPytan[q].ProcentPoprawnych;
        d << Srodek(18, procent == 100 ? QStringLiteral("M") : Liczba(procent), true);
    }
    d << Srodek(60, Liczba(a.Test.ProcentKlasy), true) << Srodek(60, Html(a.Test.OcenaKlasy), true)
      << "</tr>";
}

void WierszeCzasu(Dokument& d, const Analiza& a, bool fn) {
    d << "<tr>"
      << R"(<td align="left" width="200" class="N"><b>Nazwisko i imię</b></td>)"
      << R"(<td align="center" width="60" class="N"><b>Początek</b></td>)"
      << R"(<td align="center" width="60" class="N"><b>Koniec</b></td>)"
      << R"(<td align="center" width="60" class="N"><b>Zapis</b></td>)"
      << R"(<td align="center" width="100" class="N"><b>Czas pracy</b></td>)"
      << "</tr>";
    for (int s = 1; s <= IloscUczniow(a); ++s) {
        const OdpowiedzBig& uczen = a.Uczniowie[s];
        d << "<tr>" << KomorkaNazwy(uczen, fn, 200) << Srodek(60, TekstGodziny(uczen.Start), false)
          << Srodek(60, TekstGodziny(uczen.Koniec), false)
          << Srodek(60, TekstGodziny(uczen.Zapis), false)
          << Srodek(100, TekstCzasu(CzasPracy(uczen)), true) << "</tr>";
    }
    d << "<tr>"
      << R"(<td align="left" width="480" class="N" colspan="4"><b>Średni (min)</b></td>)"
      << Srodek(100, TekstCzasu(a.Test.SredniCzasPracy), true) << "</tr>";
}

void WierszeOcen(Dokument& d, const Analiza& a) {
    d << "<tr>"
      << R"(<td align="left" width="120" class="N"><b>Ocena</b></td>)"
      << R"(<td align="center" width="80" class="N"><b>Ilość ocen</b></td>)"
      << "</tr>";
    for (int stopien = 1; stopien <= LiczbaStopni; ++stopien)
        d << "<tr>"
          << QStringLiteral(R"(<td align="left" width="120" class="N">%1</td>)")
                 .arg(NazwaOceny(stopien))
          << Srodek(80, Liczba(a.Test.LiczbaOcen[stopien]), false) << "</tr>";
    d << "<tr>"
      << R"(<td align="left" width="120" class="N"><b>Średnia ocen</b></td>)"
      << Srodek(80, TekstLiczby(a.Test.SredniaOcen), true) << "</tr>";
}

// A cell's text in the text forms: a TAB, CR or LF inside a name would break the rows and
// columns, so control characters become spaces.
QString TekstKomorki(const QString& tekst) {
    QString wynik = tekst;
    for (QChar& z : wynik)
        if (z.unicode() < 0x20) z = QLatin1Char(' ');
    return wynik;
}

} // namespace

QString TytulTabeli(RodzajTabeli rodzaj) {
    switch (rodzaj) {
    case RodzajTabeli::Wynikow:
        return QStringLiteral("Tabela wyników");
    case RodzajTabeli::Czasu:
        return QStringLiteral("Zestawienie czasu pracy");
    case RodzajTabeli::Ocen:
        return QStringLiteral("Zestawienie ocen");
    }
    return {};
}

QString NazwaPlikuTabeli(RodzajTabeli rodzaj, bool html) {
    QString nazwa;
    switch (rodzaj) {
    case RodzajTabeli::Wynikow:
        nazwa = QStringLiteral("TabelaWynikow");
        break;
    case RodzajTabeli::Czasu:
        nazwa = QStringLiteral("ZestawienieCzasuPracy");
        break;
    case RodzajTabeli::Ocen:
        nazwa = QStringLiteral("ZestawienieOcen");
        break;
    }
    return nazwa + (html ? QStringLiteral(".htm") : QStringLiteral(".txt"));
}

QString FiltrZapisuTabeli(bool html) {
    return html ? QStringLiteral("Plik tekstowy (*.htm)") : QStringLiteral("Plik tekstowy (*.txt)");
}

int PytaniaTabeliHtml(const Analiza& a, int strona, bool calltab, int* ile) {
    const int ip = std::clamp<int>(a.Test.IloscPytan, 0, MaksPytan);
    if (calltab) {
        *ile = ip;
        return 1;
    }
    strona = std::clamp(strona, 1, IloscStronTabeli(ip));
    *ile = PytanNaStronieTabeli(ip, strona);
    return PierwszePytanieStrony(strona);
}

QByteArray TabelaHtml(const Analiza& a, RodzajTabeli rodzaj, int strona, bool calltab, bool fn) {
    Dokument d;
    for (const char* w : GlowaHtml)
        d << w;
    d << QStringLiteral(R"(<p align="center" class="N"><br><b>%1 - %2</b><br><br></p>)")
             .arg(Html(a.Test.NazwaTestu), TytulTabeli(rodzaj))
      << R"(<table bgColor="#FFFFFF" border="1" cellpadding="0" cellspacing="0" class="N">)";
    switch (rodzaj) {
    case RodzajTabeli::Wynikow: {
        int ile = 0;
        const int pierwsze = PytaniaTabeliHtml(a, strona, calltab, &ile);
        WierszeWynikow(d, a, pierwsze, ile, fn);
        break;
    }
    case RodzajTabeli::Czasu:
        WierszeCzasu(d, a, fn);
        break;
    case RodzajTabeli::Ocen:
        WierszeOcen(d, a);
        break;
    }
    d << "   </table></div>"
      << "</body>"
      << "</html>";
    return d.Bajty();
}

bool TabelaHtml(const Analiza& a, RodzajTabeli rodzaj, int strona, bool calltab, bool fn,
                const QString& sciezka) {
    return ZapiszPlik(sciezka, TabelaHtml(a, rodzaj, strona, calltab, fn));
}

QByteArray TabelaHtml(const Analiza& a, const StanTabeli& stan, bool calltab, bool fn) {
    return TabelaHtml(a, stan.Rodzaj, stan.Strona, calltab, fn);
}

bool TabelaHtml(const Analiza& a, const StanTabeli& stan, bool calltab, bool fn,
                const QString& sciezka) {
    return TabelaHtml(a, stan.Rodzaj, stan.Strona, calltab, fn, sciezka);
}

QString PlikTabeliDoKopii(const QString& folderTemp) {
    return QDir(folderTemp).filePath(QStringLiteral("tab.htm"));
}

QString ZapiszTabeleDoKopii(const Analiza& a, const StanTabeli& stan, bool calltab, bool fn,
                            const QString& folderTemp, QString* blad) {
    // The program's own folder: a link planted in the file's place is replaced, not written
    // through.
    const QString sciezka = PlikTabeliDoKopii(folderTemp);
    return ZapiszPlik(sciezka, TabelaHtml(a, stan, calltab, fn), blad, Dowiazanie::Zastap)
               ? sciezka
               : QString();
}

QByteArray TekstTabeliDoPliku(const Tabela& t) {
    QByteArray wynik;
    for (int w = 0; w < t.IloscWierszy(); ++w) {
        for (int k = 0; k < t.IloscKolumn(); ++k)
            wynik += Na1250(TekstKomorki(t.komorka(w, k).Tekst)) + '\t';
        wynik += "\r\n";
    }
    return wynik;
}

bool ZapiszTabeleTxt(const Tabela& t, const QString& sciezka, QString* blad) {
    return ZapiszPlik(sciezka, TekstTabeliDoPliku(t), blad);
}

QString TekstTabeliDoSchowka(const Tabela& t) {
    QString wynik;
    for (int w = 0; w < t.IloscWierszy(); ++w) {
        for (int k = 0; k < t.IloscKolumn(); ++k) {
            if (k > 0) wynik += QLatin1Char('\t');
            wynik += TekstKomorki(t.komorka(w, k).Tekst);
        }
        wynik += QStringLiteral("\r\n");
    }
    return wynik;
}

} // namespace sondrel
