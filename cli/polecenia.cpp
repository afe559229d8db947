// SPDX-License-Identifier: GPL-3.0-or-later
#include "polecenia.h"

#include "analysis/przebieg_analizy.h"
#include "arkusze/csv.h"
#include "arkusze_cli.h"
#include "core/foldery.h"
#include "core/pliki.h"
#include "json_analizy.h"
#include "psychometria.h"
#include "reports/raport.h"
#include "reports/raport_jakosc_pytan.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"
#include "tables/eksport_tabel.h"
#include "tables/tabele.h"
#include "wykresy_cli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <memory>
#include <optional>

namespace sondrel {

namespace {

QString SkladniaAnalizy() {
    return QStringLiteral(
        "Użycie:\n"
        "  sondrel-cli json [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli tabela (wyniki|czas|oceny) (htm|txt) [--strona N] [--calosc]\n"
        "              [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli tabela (wyniki|czas|oceny|dziennik|pytania) csv [--test PLIK.skt]\n"
        "              [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli psychometria [--test PLIK.skt] PLIK.sko...\n"
        "  sondrel-cli raport (test|statystyka|oceny|uczen:N|pytanie:N|psychometria) --do KATALOG\n"
        "              --test PLIK.skt [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli wszystko --do KATALOG [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
        "\n"
        "Pliki odpowiedzi są czytane w podanej kolejności; pierwszy wyznacza test. Z --test\n"
        "analiza obejmuje test (raporty); test, którego nie da się wykorzystać, daje prostą\n"
        "analizę, jak w programie.\n"
        "  json        analiza jako jeden obiekt JSON (UTF-8) na standardowym wyjściu\n"
        "  tabela      tabela zapisana jak \"Zapisz jako htm/txt\", na standardowe wyjście;\n"
        "              --strona N: strona tabeli wyników (domyślnie 1), --calosc: cała\n"
        "              tabela wyników w htm; csv: lista jak arkusz kalkulacyjny (UTF-8 z BOM,\n"
        "              średniki, przecinek dziesiętny), dziennik: oceny do dziennika,\n"
        "              pytania: z testem\n"
        "  psychometria  jakość pytań (łatwość, moc różnicująca, odpowiedzi, rzetelność)\n"
        "              jako obiekt JSON na standardowym wyjściu\n"
        "  raport      plik raportu z obrazami w KATALOGU; wypisuje ścieżkę raportu;\n"
        "              uczen:N to uczeń N w kolejności alfabetycznej\n"
        "  wszystko    w KATALOGU: TabelaWynikow.htm (cała), TabelaWynikow_N.txt (każda\n"
        "              strona), ZestawienieCzasuPracy.htm/.txt, ZestawienieOcen.htm/.txt,\n"
        "              wykresy WykresWynikow, WykresCzasuPracy, WykresOcen (.svg i .png),\n"
        "              a z testem wszystkie raporty (statystyka jako NAZWA_Statystyka.htm,\n"
        "              jakość pytań jako NAZWA_JakoscPytan.htm);\n"
        "              wypisuje ścieżki zapisanych plików\n"
        "  --imie-najpierw  uczniowie nazywani imieniem i nazwiskiem\n"
        "\n"
        "  --help      ten opis; po poleceniu (np. wykres --help): opis tego polecenia\n"
        "  --version   wersja programu\n"
        "\n"
        "Komunikaty trafiają na standardowe wyjście błędów, zdarzenia do dziennika programu.\n"
        "Kody wyjścia:\n"
        "  0  analiza wykonana (także z pominiętymi plikami albo bez testu)\n"
        "  1  błędne wywołanie\n"
        "  2  pierwszy plik odpowiedzi odrzucony albo nie wczytano żadnego ucznia\n"
        "  3  raport wymaga testu, którego nie udało się wykorzystać\n"
        "  4  nie udało się zapisać wyniku\n"
        "  5  nie udało się wczytać wzorca wykresu\n"
        "  6  archiwum nie daje się otworzyć ani zapisać, podane numery analiz nie należą do\n"
        "     siebie (brak wpisu, różne testy) albo plik importu jest błędny\n"
        "\n");
}

} // namespace

QString NazwaRaportuStatystyki(const QString& nazwaTestu) {
    return BezpiecznaNazwaPliku(nazwaTestu) + QStringLiteral("_Statystyka.htm");
}

QString NazwaStronyTabeliTxt(int strona) {
    return QStringLiteral("TabelaWynikow_%1.txt").arg(strona);
}

namespace {

enum class Polecenie { Json, Tabela, Raport, Wszystko, Psychometria };

enum class RodzajRaportu { Test, Statystyka, Oceny, Uczen, Pytanie, Psychometria };

struct Wywolanie {
    Polecenie polecenie = Polecenie::Json;
    // tabela
    RodzajTabeli tabela = RodzajTabeli::Wynikow;
    bool html = true;
    std::optional<RodzajListy> csv; // the spreadsheet list of "tabela ... csv"
    int strona = 1;
    bool calosc = false;
    // raport
    RodzajRaportu raport = RodzajRaportu::Test;
    int numer = 0;
    // all
    QString test;
    QString katalog;
    bool imieNajpierw = false;
    QStringList pliki;
};

std::optional<int> LiczbaDodatnia(const QString& tekst) {
    bool ok = false;
    const int n = tekst.toInt(&ok, 10);
    if (!ok || n < 1 || tekst.startsWith(u'+')) return std::nullopt;
    return n;
}

class PoleceniaAnalizy : public PolecenieCli {
public:
    using PolecenieCli::PolecenieCli;

private:
    bool Rozbierz(const QStringList& argumenty, QString& powod) override;
    int Wykonaj() override;
    int Json();
    int Tabela();
    int Raport();
    int Wszystko();
    // Every file "wszystko" writes into its folder is the command's own: a link in its place is
    // replaced, never written through.
    bool ZapiszDoKatalogu(const QString& nazwa, const QByteArray& bajty);
    bool ZapiszRaportDoKatalogu(const WynikRaportu& wynik);

    Wywolanie w;
};

bool PoleceniaAnalizy::Rozbierz(const QStringList& argumenty, QString& powod) {
    const QString polecenie = argumenty.value(0);
    int pozycyjnych = 0; // arguments of the command before the answer files
    if (polecenie == u"json") {
        w.polecenie = Polecenie::Json;
    } else if (polecenie == u"tabela") {
        w.polecenie = Polecenie::Tabela;
        pozycyjnych = 2;
    } else if (polecenie == u"raport") {
        w.polecenie = Polecenie::Raport;
        pozycyjnych = 1;
    } else if (polecenie == u"wszystko") {
        w.polecenie = Polecenie::Wszystko;
    } else {
        w.polecenie = Polecenie::Psychometria;
    }

    OpcjeCli opcje;
    opcje.Przelacznik(QStringLiteral("--imie-najpierw"), w.imieNajpierw)
        .Wartosc(QStringLiteral("--test"), w.test);
    if (w.polecenie == Polecenie::Raport || w.polecenie == Polecenie::Wszystko)
        opcje.Wartosc(QStringLiteral("--do"), w.katalog);
    if (w.polecenie == Polecenie::Tabela) {
        opcje.Przelacznik(QStringLiteral("--calosc"), w.calosc)
            .Wartosc(QStringLiteral("--strona"), [this](const QString& v, QString& powod) {
                const auto n = LiczbaDodatnia(v);
                if (!n) powod = QStringLiteral("Błędny numer strony: ") + v;
                w.strona = n.value_or(w.strona);
                return n.has_value();
            });
    }
    QStringList pozycyjne;
    if (!opcje.Rozbierz(argumenty, pozycyjne, powod)) return false;

    if (pozycyjne.size() < pozycyjnych) {
        powod = QStringLiteral("Za mało argumentów polecenia ") + polecenie + u'.';
        return false;
    }
    if (w.polecenie == Polecenie::Tabela) {
        const QString rodzaj = pozycyjne[0];
        const QString forma = pozycyjne[1];
        if (forma == u"csv") {
            w.csv = ListaTabeliCsv(rodzaj);
            if (!w.csv) {
                powod = QStringLiteral("Nieznana tabela: ") + rodzaj;
                return false;
            }
        } else if (rodzaj == u"wyniki")
            w.tabela = RodzajTabeli::Wynikow;
        else if (rodzaj == u"czas")
            w.tabela = RodzajTabeli::Czasu;
        else if (rodzaj == u"oceny")
            w.tabela = RodzajTabeli::Ocen;
        else {
            powod = QStringLiteral("Nieznana tabela: ") + rodzaj;
            return false;
        }
        if (forma != u"htm" && forma != u"txt" && forma != u"csv") {
            powod = QStringLiteral("Nieznana forma tabeli: ") + forma;
            return false;
        }
        w.html = forma == u"htm";
    }
    if (w.polecenie == Polecenie::Raport) {
        const QString rodzaj = pozycyjne[0];
        const auto numer = [&](const QString& przedrostek) -> std::optional<int> {
            if (!rodzaj.startsWith(przedrostek)) return std::nullopt;
            return LiczbaDodatnia(rodzaj.mid(przedrostek.size()));
        };
        if (rodzaj == u"test") {
            w.raport = RodzajRaportu::Test;
        } else if (rodzaj == u"statystyka") {
            w.raport = RodzajRaportu::Statystyka;
        } else if (rodzaj == u"oceny") {
            w.raport = RodzajRaportu::Oceny;
        } else if (rodzaj == u"psychometria") {
            w.raport = RodzajRaportu::Psychometria;
        } else if (const auto n = numer(QStringLiteral("uczen:"))) {
            w.raport = RodzajRaportu::Uczen;
            w.numer = *n;
        } else if (const auto n = numer(QStringLiteral("pytanie:"))) {
            w.raport = RodzajRaportu::Pytanie;
            w.numer = *n;
        } else {
            powod = QStringLiteral("Nieznany raport: ") + rodzaj;
            return false;
        }
        if (w.test.isEmpty()) {
            powod = QStringLiteral("Raport wymaga testu: podaj --test PLIK.skt.");
            return false;
        }
    }
    if ((w.polecenie == Polecenie::Raport || w.polecenie == Polecenie::Wszystko) &&
        w.katalog.isEmpty()) {
        powod = QStringLiteral("Podaj katalog wyników: --do KATALOG.");
        return false;
    }
    w.pliki = pozycyjne.mid(pozycyjnych);
    if (w.pliki.isEmpty()) {
        powod = QStringLiteral("Podaj pliki odpowiedzi.");
        return false;
    }
    return true;
}

int PoleceniaAnalizy::Wykonaj() {
    if (const int kod = Analizuj(w.pliki, w.test); kod != KodAnalizaWykonana) return kod;
    switch (w.polecenie) {
    case Polecenie::Json:
        return Json();
    case Polecenie::Tabela:
        return Tabela();
    case Polecenie::Raport:
        return Raport();
    case Polecenie::Wszystko:
        return Wszystko();
    case Polecenie::Psychometria:
        return Wypisz(QJsonDocument(JsonPsychometrii(*analiza)).toJson(QJsonDocument::Indented));
    }
    return KodAnalizaWykonana;
}

int PoleceniaAnalizy::Json() {
    const int pominiete = static_cast<int>(w.pliki.size()) - analiza->IloscUczniow;
    return Wypisz(DokumentJsonAnalizy(*analiza, w.imieNajpierw, pominiete));
}

int PoleceniaAnalizy::Tabela() {
    Analiza& a = *analiza;
    const bool fn = w.imieNajpierw;
    if (w.csv) {
        if (*w.csv == RodzajListy::Pytania && a.RodzajAnalizy != AnalizaZTestem) {
            Blad(QStringLiteral("Listy pytań nie utworzono: nie udało się wykorzystać testu."));
            return KodBrakTestu;
        }
        return Wypisz(CsvListy(ListaAnalizy(a, *w.csv, fn)));
    }
    QByteArray bajty;
    switch (w.tabela) {
    case RodzajTabeli::Wynikow: {
        const int stron = IloscStronTabeli(a.Test.IloscPytan);
        if (w.strona > stron) {
            return BladWywolania(QStringLiteral("Tabela wyników nie ma strony %1 (stron: %2).")
                                     .arg(w.strona)
                                     .arg(stron));
        }
        bajty = w.html ? TabelaHtml(a, RodzajTabeli::Wynikow, w.strona, w.calosc, fn)
                       : TekstTabeliDoPliku(BudujTabeleWynikow(a, w.strona, fn));
        break;
    }
    case RodzajTabeli::Czasu: {
        // Building the table computes the mean working time that its HTML form writes.
        const sondrel::Tabela tabela = BudujTabeleCzasu(a, fn);
        bajty = w.html ? TabelaHtml(a, RodzajTabeli::Czasu, 1, w.calosc, fn)
                       : TekstTabeliDoPliku(tabela);
        break;
    }
    case RodzajTabeli::Ocen:
        bajty = w.html ? TabelaHtml(a, RodzajTabeli::Ocen, 1, w.calosc, fn)
                       : TekstTabeliDoPliku(BudujTabeleOcen(a));
        break;
    }
    return Wypisz(bajty);
}

bool PoleceniaAnalizy::ZapiszRaportDoKatalogu(const WynikRaportu& wynik) {
    if (!wynik.udany()) {
        Blad(wynik.blad);
        return false;
    }
    return WypiszSciezke(wynik.sciezka);
}

int PoleceniaAnalizy::Raport() {
    Analiza& a = *analiza;
    if (a.RodzajAnalizy != AnalizaZTestem) {
        Blad(QStringLiteral("Raportu nie utworzono: nie udało się wykorzystać testu."));
        return KodBrakTestu;
    }
    if (w.raport == RodzajRaportu::Uczen && w.numer > a.IloscUczniow)
        return BladWywolania(
            QStringLiteral("Nie ma ucznia nr %1 (uczniów: %2).").arg(w.numer).arg(a.IloscUczniow));
    if (w.raport == RodzajRaportu::Pytanie && w.numer > a.Test.IloscPytan)
        return BladWywolania(QStringLiteral("Nie ma pytania nr %1 (pytań: %2).")
                                 .arg(w.numer)
                                 .arg(a.Test.IloscPytan));
    srodowisko.foldery.FolderTemp = QDir(w.katalog).absolutePath();
    const UstawieniaRaportu u{OdbiorcaRaportu(), w.imieNajpierw};
    WynikRaportu wynik;
    switch (w.raport) {
    case RodzajRaportu::Test:
        wynik = RaportOTescie(a, u, srodowisko);
        break;
    case RodzajRaportu::Statystyka:
        wynik = RaportStatystyka(a, u, srodowisko);
        break;
    case RodzajRaportu::Oceny:
        wynik = RaportWykazOcen(a, u, srodowisko);
        break;
    case RodzajRaportu::Uczen:
        wynik = RaportOUczniu(a, u, srodowisko, w.numer);
        break;
    case RodzajRaportu::Pytanie:
        wynik = RaportOPytaniu(a, u, srodowisko, w.numer);
        break;
    case RodzajRaportu::Psychometria:
        wynik = RaportJakoscPytan(a, u, srodowisko);
        break;
    }
    return ZapiszRaportDoKatalogu(wynik) ? KodAnalizaWykonana : KodBladZapisu;
}

bool PoleceniaAnalizy::ZapiszDoKatalogu(const QString& nazwa, const QByteArray& bajty) {
    return ZapiszDoPliku(QDir(w.katalog).absoluteFilePath(nazwa), bajty, Dowiazanie::Zastap);
}

int PoleceniaAnalizy::Wszystko() {
    Analiza& a = *analiza;
    const bool fn = w.imieNajpierw;
    if (!QDir().mkpath(w.katalog)) {
        Blad(QStringLiteral("Nie udało się utworzyć katalogu ") +
             QDir::toNativeSeparators(w.katalog) + u'.');
        return KodBladZapisu;
    }

    // The tables: the whole results table in HTML, every page of it as text, the work-time
    // and grade tables in both forms.
    bool ok = ZapiszDoKatalogu(NazwaPlikuTabeli(RodzajTabeli::Wynikow, true),
                               TabelaHtml(a, RodzajTabeli::Wynikow, 1, true, fn));
    for (int s = 1; ok && s <= IloscStronTabeli(a.Test.IloscPytan); ++s)
        ok = ZapiszDoKatalogu(NazwaStronyTabeliTxt(s),
                              TekstTabeliDoPliku(BudujTabeleWynikow(a, s, fn)));
    if (ok) {
        const sondrel::Tabela czas = BudujTabeleCzasu(a, fn);
        ok = ZapiszDoKatalogu(NazwaPlikuTabeli(RodzajTabeli::Czasu, true),
                              TabelaHtml(a, RodzajTabeli::Czasu, 1, true, fn)) &&
             ZapiszDoKatalogu(NazwaPlikuTabeli(RodzajTabeli::Czasu, false),
                              TekstTabeliDoPliku(czas));
    }
    ok = ok &&
         ZapiszDoKatalogu(NazwaPlikuTabeli(RodzajTabeli::Ocen, true),
                          TabelaHtml(a, RodzajTabeli::Ocen, 1, true, fn)) &&
         ZapiszDoKatalogu(NazwaPlikuTabeli(RodzajTabeli::Ocen, false),
                          TekstTabeliDoPliku(BudujTabeleOcen(a)));
    ok = ok && ZapiszWykresyKlasy(a, fn, [this](const QString& nazwa, const QByteArray& bajty) {
             return ZapiszDoKatalogu(nazwa, bajty);
         });
    if (!ok) return KodBladZapisu;
    if (a.RodzajAnalizy != AnalizaZTestem) return KodAnalizaWykonana;

    // Every report of the class; the statistics report gets a name of its own so that the
    // grade list does not replace it.
    srodowisko.foldery.FolderTemp = QDir(w.katalog).absolutePath();
    const UstawieniaRaportu u{OdbiorcaRaportu(), fn};
    DokumentRaportu statystyka = ZbudujRaportStatystyka(a, u);
    statystyka.nazwaPliku = NazwaRaportuStatystyki(a.Test.NazwaTestu);
    ok = ZapiszRaportDoKatalogu(RaportOTescie(a, u, srodowisko)) &&
         ZapiszRaportDoKatalogu(ZapiszRaport(statystyka, a, srodowisko)) &&
         ZapiszRaportDoKatalogu(RaportWykazOcen(a, u, srodowisko));
    for (int s = 1; ok && s <= a.IloscUczniow; ++s)
        ok = ZapiszRaportDoKatalogu(RaportOUczniu(a, u, srodowisko, s));
    for (int q = 1; ok && q <= a.Test.IloscPytan; ++q)
        ok = ZapiszRaportDoKatalogu(RaportOPytaniu(a, u, srodowisko, q));
    ok = ok && ZapiszRaportDoKatalogu(RaportJakoscPytan(a, u, srodowisko));
    return ok ? KodAnalizaWykonana : KodBladZapisu;
}

} // namespace

RodzinaPolecen RodzinaAnalizy() {
    return {{QStringLiteral("json"), QStringLiteral("tabela"), QStringLiteral("psychometria"),
             QStringLiteral("raport"), QStringLiteral("wszystko")},
            [](const QStringList& argumenty) { return argumenty.value(0) == u"wszystko"; },
            SkladniaAnalizy,
            [](QIODevice& wyjscie, QIODevice& bledy) -> std::unique_ptr<PolecenieCli> {
                return std::make_unique<PoleceniaAnalizy>(wyjscie, bledy);
            }};
}

} // namespace sondrel
