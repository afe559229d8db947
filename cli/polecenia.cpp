#include "polecenia.h"

#include "analysis/przebieg_analizy.h"
#include "archiwum_cli.h"
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
#include "settings/ustawienia.h"
#include "tables/eksport_tabel.h"
#include "tables/tabele.h"
#include "wykresy_cli.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <cstdio>
#include <memory>
#include <optional>

namespace sondrel {

QString SkladniaCli() {
    return QStringLiteral(
        "Użycie:\n"
        "  sondrel-cli json [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli tabela (wyniki|czas|oceny) (htm|txt) [--strona N] [--calosc]\n"
        "              [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
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
        "              tabela wyników w htm\n"
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
        "  --help      ten opis;  --version  wersja programu\n"
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
        "\n") + SkladniaWykresow() + SkladniaArchiwum();
}

QString WersjaCli() {
    return QStringLiteral("sondrel-cli " SONDREL_WERSJA);
}

int PoziomDziennikaZUstawien(const QString& sciezka) {
    Ustawienia ustawienia;
    return OdczytajPlikUstawien(sciezka, ustawienia) == StanPlikuUstawien::Wczytany
               ? ustawienia.dfpz
               : 0;
}

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

class Cli {
public:
    Cli(QIODevice& wyjscie, QIODevice& bledy) : wyjscie(wyjscie), bledy(bledy) {}

    int Uruchom(const QStringList& argumenty);

private:
    // One message: every CR a line break, a line break at the end.
    void Blad(const QString& tekst) {
        QString t = tekst;
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        bledy.write(t.toUtf8() + '\n');
    }
    // A message of the analysis: the file it is about and where the journal is, when the
    // message sends the user there.
    void Komunikat(const QString& tekst) {
        QString t = tekst;
        if (const QString& plik = srodowisko.komunikaty.plik; !plik.isEmpty())
            t += QStringLiteral("\rPlik: ") + QDir::toNativeSeparators(plik);
        if (tekst.contains(OdeslanieDoDziennika()))
            t += QStringLiteral("\rDziennik zdarzeń: ") +
                 QDir::toNativeSeparators(srodowisko.foldery.PlikDziennika);
        Blad(t);
    }
    // A usage error: its reason and where the usage is described (without a command at all:
    // the usage itself).
    int BladWywolania(const QString& powod) {
        if (powod.isEmpty())
            bledy.write(SkladniaCli().toUtf8());
        else
            Blad(powod + QStringLiteral("\rOpis wywołania: sondrel-cli --help"));
        return KodBlednePolecenie;
    }
    bool Pisz(const QByteArray& bajty) {
        return wyjscie.write(bajty) == bajty.size() || bajty.isEmpty();
    }
    int BladWyjscia() {
        Blad(QStringLiteral("Nie udało się zapisać wyniku na standardowe wyjście."));
        return KodBladZapisu;
    }
    // The path of a file written, one line on the standard output.
    bool WypiszSciezke(const QString& sciezka) {
        if (Pisz(QDir::toNativeSeparators(sciezka).toUtf8() + '\n')) return true;
        BladWyjscia();
        return false;
    }

    std::optional<Wywolanie> Rozbierz(const QStringList& argumenty, QString& powod);
    int Analizuj();
    int Json();
    int Tabela();
    int Raport();
    int Wszystko();
    bool ZapiszDoKatalogu(const QString& nazwa, const QByteArray& bajty);
    bool ZapiszRaportDoKatalogu(const WynikRaportu& wynik);

    QIODevice& wyjscie;
    QIODevice& bledy;
    Wywolanie w;
    std::unique_ptr<Analiza> analiza = std::make_unique<Analiza>();
    Srodowisko srodowisko;
};

std::optional<Wywolanie> Cli::Rozbierz(const QStringList& argumenty, QString& powod) {
    Wywolanie w;
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
    } else if (polecenie == u"psychometria") {
        w.polecenie = Polecenie::Psychometria;
    } else {
        powod =
            polecenie.isEmpty() ? QString() : QStringLiteral("Nieznane polecenie: ") + polecenie;
        return std::nullopt;
    }

    QStringList pozycyjne;
    bool bezOpcji = false;
    for (qsizetype i = 1; i < argumenty.size(); ++i) {
        const QString& a = argumenty[i];
        if (bezOpcji || !a.startsWith(QLatin1String("--"))) {
            pozycyjne.append(a);
            continue;
        }
        const auto wartosc = [&]() -> std::optional<QString> {
            if (i + 1 >= argumenty.size()) {
                powod = QStringLiteral("Brak wartości opcji ") + a;
                return std::nullopt;
            }
            return argumenty[++i];
        };
        const bool tabela = w.polecenie == Polecenie::Tabela;
        const bool doKatalogu =
            w.polecenie == Polecenie::Raport || w.polecenie == Polecenie::Wszystko;
        if (a == u"--") {
            bezOpcji = true;
        } else if (a == u"--imie-najpierw") {
            w.imieNajpierw = true;
        } else if (a == u"--test") {
            const auto v = wartosc();
            if (!v) return std::nullopt;
            w.test = *v;
        } else if (a == u"--do" && doKatalogu) {
            const auto v = wartosc();
            if (!v) return std::nullopt;
            w.katalog = *v;
        } else if (a == u"--calosc" && tabela) {
            w.calosc = true;
        } else if (a == u"--strona" && tabela) {
            const auto v = wartosc();
            if (!v) return std::nullopt;
            const auto n = LiczbaDodatnia(*v);
            if (!n) {
                powod = QStringLiteral("Błędny numer strony: ") + *v;
                return std::nullopt;
            }
            w.strona = *n;
        } else {
            powod =
                QStringLiteral("Nieznana opcja polecenia ") + polecenie + QStringLiteral(": ") + a;
            return std::nullopt;
        }
    }

    if (pozycyjne.size() < pozycyjnych) {
        powod = QStringLiteral("Za mało argumentów polecenia ") + polecenie + u'.';
        return std::nullopt;
    }
    if (w.polecenie == Polecenie::Tabela) {
        const QString rodzaj = pozycyjne[0];
        const QString forma = pozycyjne[1];
        if (rodzaj == u"wyniki")
            w.tabela = RodzajTabeli::Wynikow;
        else if (rodzaj == u"czas")
            w.tabela = RodzajTabeli::Czasu;
        else if (rodzaj == u"oceny")
            w.tabela = RodzajTabeli::Ocen;
        else {
            powod = QStringLiteral("Nieznana tabela: ") + rodzaj;
            return std::nullopt;
        }
        if (forma != u"htm" && forma != u"txt") {
            powod = QStringLiteral("Nieznana forma tabeli: ") + forma;
            return std::nullopt;
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
            return std::nullopt;
        }
        if (w.test.isEmpty()) {
            powod = QStringLiteral("Raport wymaga testu: podaj --test PLIK.skt.");
            return std::nullopt;
        }
    }
    if ((w.polecenie == Polecenie::Raport || w.polecenie == Polecenie::Wszystko) &&
        w.katalog.isEmpty()) {
        powod = QStringLiteral("Podaj katalog wyników: --do KATALOG.");
        return std::nullopt;
    }
    w.pliki = pozycyjne.mid(pozycyjnych);
    if (w.pliki.isEmpty()) {
        powod = QStringLiteral("Podaj pliki odpowiedzi.");
        return std::nullopt;
    }
    return w;
}

int Cli::Uruchom(const QStringList& argumenty) {
    const QString pierwszy = argumenty.value(0);
    if (pierwszy == u"--help" || pierwszy == u"-h" || pierwszy == u"pomoc")
        return Pisz(SkladniaCli().toUtf8()) ? KodAnalizaWykonana : BladWyjscia();
    if (pierwszy == u"--version")
        return Pisz(WersjaCli().toUtf8() + '\n') ? KodAnalizaWykonana : BladWyjscia();
    if (JestPolecenieWykresu(pierwszy)) return UruchomPolecenieWykresu(argumenty, wyjscie, bledy);
    if (JestPolecenieArchiwum(pierwszy)) return UruchomPolecenieArchiwum(argumenty, wyjscie, bledy);
    QString powod;
    const auto wywolanie = Rozbierz(argumenty, powod);
    if (!wywolanie) return BladWywolania(powod);
    w = *wywolanie;

    // The program's journal at the level the user chose; the desktop program's temporary
    // folder is left alone (it may be running).
    srodowisko.komunikaty.ustawObsluge([this](int rodzaj, int, const QString& tekst) {
        Komunikat(tekst);
        return rodzaj == KomunikatPytanie ? WynikAnuluj : WynikZamknij;
    });
    UstawFoldery(srodowisko);
    srodowisko.PoziomDziennika = PoziomDziennikaZUstawien(srodowisko.foldery.PlikUstawien);

    if (const int kod = Analizuj(); kod != KodAnalizaWykonana) return kod;
    int kod = KodAnalizaWykonana;
    switch (w.polecenie) {
    case Polecenie::Json:
        kod = Json();
        break;
    case Polecenie::Tabela:
        kod = Tabela();
        break;
    case Polecenie::Raport:
        kod = Raport();
        break;
    case Polecenie::Wszystko:
        kod = Wszystko();
        break;
    case Polecenie::Psychometria:
        kod = Pisz(QJsonDocument(JsonPsychometrii(*analiza)).toJson(QJsonDocument::Indented))
                  ? KodAnalizaWykonana
                  : BladWyjscia();
        break;
    }
    if (auto* plik = qobject_cast<QFileDevice*>(&wyjscie); plik && !plik->flush())
        return BladWyjscia();
    return kod;
}

// As files dropped on the program: only the first file's extension is checked, the files are
// read in the order given; a test makes it an analysis with the test.
int Cli::Analizuj() {
    if (!SaPlikamiOdpowiedzi(w.pliki, srodowisko)) return KodBrakAnalizy;
    Analiza& a = *analiza;
    a.RodzajAnalizy = w.test.isEmpty() ? AnalizaProsta : AnalizaZTestem;
    a.PlikTestu = w.test;
    a.PlikiOdpowiedzi = w.pliki;
    if (!UruchomAnalize(a, srodowisko)) return KodBrakAnalizy;
    return KodAnalizaWykonana;
}

int Cli::Json() {
    const int pominiete = static_cast<int>(w.pliki.size()) - analiza->IloscUczniow;
    return Pisz(DokumentJsonAnalizy(*analiza, w.imieNajpierw, pominiete)) ? KodAnalizaWykonana
                                                                          : BladWyjscia();
}

int Cli::Tabela() {
    Analiza& a = *analiza;
    const bool fn = w.imieNajpierw;
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
    return Pisz(bajty) ? KodAnalizaWykonana : BladWyjscia();
}

bool Cli::ZapiszRaportDoKatalogu(const WynikRaportu& wynik) {
    if (!wynik.udany()) {
        Blad(wynik.blad);
        return false;
    }
    return WypiszSciezke(wynik.sciezka);
}

int Cli::Raport() {
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

bool Cli::ZapiszDoKatalogu(const QString& nazwa, const QByteArray& bajty) {
    const QString sciezka = QDir(w.katalog).absoluteFilePath(nazwa);
    QString blad;
    if (!ZapiszPlik(sciezka, bajty, &blad)) {
        Blad(QStringLiteral("Nie udało się zapisać pliku ") + QDir::toNativeSeparators(sciezka) +
             QStringLiteral(": ") + blad);
        return false;
    }
    return WypiszSciezke(sciezka);
}

int Cli::Wszystko() {
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

int UruchomCli(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy) {
    Cli cli(wyjscie, bledy);
    return cli.Uruchom(argumenty);
}

int UruchomCli(const QStringList& argumenty) {
    QFile wyjscie;
    QFile bledy;
    wyjscie.open(stdout, QIODevice::WriteOnly);
    bledy.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return UruchomCli(argumenty, wyjscie, bledy);
}

} // namespace sondrel
