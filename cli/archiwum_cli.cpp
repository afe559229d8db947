// SPDX-License-Identifier: GPL-3.0-or-later
#include "archiwum_cli.h"

#include "analysis/ocenianie.h"
#include "archive/archiwum.h"
#include "archive/polaczenie.h"
#include "archive/porownanie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archive/wybor_archiwum.h"
#include "arkusze/listy_archiwum.h"
#include "arkusze/skoroszyt.h"
#include "arkusze_cli.h"
#include "core/analiza.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <optional>

namespace sondrel {

namespace {

// The name that stands for the standard output (eksport) or the standard input (import).
const QLatin1String StandardowyStrumien("-");

enum class PolecenieArchiwum {
    Dodaj,
    Lista,
    Porownaj,
    Uczen,
    Usun,
    UsunUcznia,
    Opis,
    Eksport,
    Import,
    Odloz,
    Kopiuj
};

// One sub-command: its name, its positional arguments, its usage lines (one per form; a line
// that begins with a space goes on the one before) and what it does (lines after the first
// indented by 14 spaces), as the usage text shows them.
struct OpisPolecenia {
    const char16_t* nazwa;
    PolecenieArchiwum polecenie;
    int najmniej; // positional arguments
    int najwiecej;
    const char16_t* skladnia;
    const char16_t* opis;
};

constexpr OpisPolecenia Polecenia[] = {
    {u"dodaj", PolecenieArchiwum::Dodaj, 1, 1 << 30,
     u"dodaj --klasa ETYKIETA [--data RRRR-MM-DD] [--test PLIK.skt]\n"
     u"              PLIK.sko...",
     u"analizuje klasę i zapisuje ją w archiwum; wypisuje numer wpisu (klasa\n"
     u"              już zapisana: ten sam numer i komunikat); --data: data napisania\n"
     u"              (domyślnie dzień najnowszej zmiany plików odpowiedzi)"},
    {u"lista", PolecenieArchiwum::Lista, 0, 0, u"lista", u"wpisy archiwum jako tablica JSON"},
    {u"porownaj", PolecenieArchiwum::Porownaj, 1, 1 << 30,
     u"porownaj ID ID... [--do PLIK.htm|PLIK.xlsx]",
     u"porównanie klas, które pisały ten sam test (JSON; z --do: raport, a obok\n"
     u"              niego wykres PLIK.png, albo skoroszyt .xlsx; wypisuje ścieżkę)"},
    {u"uczen", PolecenieArchiwum::Uczen, 1, 1, u"uczen \"NAZWISKO IMIĘ\" [--do PLIK.htm|PLIK.xlsx]",
     u"wszystkie wyniki ucznia, od najstarszego (JSON; z --do: raport z wykresem\n"
     u"              albo skoroszyt .xlsx)"},
    {u"usun", PolecenieArchiwum::Usun, 0, 1, u"usun ID\nusun --przed RRRR-MM-DD",
     u"usuwa wpis z archiwum; z --przed: analizy napisane przed tym dniem (te, które\n"
     u"              wolno usuwać), i wypisuje, ile ich usunięto"},
    {u"usun-ucznia", PolecenieArchiwum::UsunUcznia, 1, 1, u"usun-ucznia \"NAZWISKO IMIĘ\"",
     u"usuwa wyniki ucznia (i zapisy jego plików odpowiedzi) ze wszystkich\n"
     u"              analiz, które wolno zmieniać, i przelicza ich podsumowania; analiza bez\n"
     u"              uczniów znika; wypisuje, ile wyników usunięto"},
    {u"opis", PolecenieArchiwum::Opis, 1, 1, u"opis ID --klasa ETYKIETA [--data RRRR-MM-DD]",
     u"zmienia etykietę klasy wpisu i, z --data, datę napisania"},
    {u"eksport", PolecenieArchiwum::Eksport, 1, 1, u"eksport (PLIK.json|-)",
     u"całe archiwum do pliku JSON (\"-\": na standardowe wyjście; plik o tej\n"
     u"              nazwie: ./-)"},
    {u"import", PolecenieArchiwum::Import, 1, 1, u"import (PLIK.json|-)",
     u"dodaje analizy z takiego pliku (\"-\": ze standardowego wejścia), pomijając\n"
     u"              te, które już są w archiwum"},
    {u"odloz", PolecenieArchiwum::Odloz, 0, 0, u"odloz",
     u"odkłada nieczytelny plik archiwum (nowa nazwa .uszkodzone-RRRR-MM-DD);\n"
     u"              następne polecenie zakłada nowe archiwum"},
    {u"kopiuj", PolecenieArchiwum::Kopiuj, 0, 0, u"kopiuj --z ŹRÓDŁO --do CEL",
     u"dodaje do archiwum CEL wszystkie analizy archiwum ŹRÓDŁO, pomijając\n"
     u"              te, które już w nim są; wypisuje liczby skopiowanych i pominiętych"},
};

const OpisPolecenia* ZnajdzPolecenie(const QString& nazwa) {
    for (const OpisPolecenia& p : Polecenia)
        if (nazwa == QStringView(p.nazwa)) return &p;
    return nullptr;
}

// The usage of the given sub-commands, then what every one of them shares.
QString Skladnia(const std::vector<const OpisPolecenia*>& polecenia) {
    QString t = QStringLiteral("Archiwum analiz:\n");
    for (const OpisPolecenia* p : polecenia)
        for (const QString& wiersz : QStringView(p->skladnia).toString().split(u'\n'))
            t += (wiersz.startsWith(u' ') ? QString() : QStringLiteral("  sondrel-cli archiwum ")) +
                 wiersz + u'\n';
    for (const OpisPolecenia* p : polecenia)
        t += QStringLiteral("  ") + QStringView(p->nazwa).toString().leftJustified(11) + u' ' +
             QStringView(p->opis).toString() + u'\n';
    return t + QStringLiteral(
                   "  --archiwum PLIK  inne archiwum niż to, którego używa program; bez tej "
                   "opcji:\n"
                   "              zmienna SONDREL_ARCHIWUM, archiwum wybrane w ustawieniach "
                   "programu,\n"
                   "              ustawienie szkoły ($XDG_CONFIG_DIRS/sondrel/archiwum, "
                   "domyślnie\n"
                   "              /etc/xdg/sondrel/archiwum: jeden wiersz z adresem), a w "
                   "końcu\n"
                   "              Archiwum.sqlite w folderze danych programu\n"
                   "  Archiwum na serwerze PostgreSQL (zamiast pliku, także w --z i --do):\n"
                   "              postgresql://UŻYTKOWNIK@SERWER:PORT/BAZA[?sslmode=require]\n"
                   "              (także postgres://…, ?host=/folder/gniazda); hasło podaje "
                   "plik\n"
                   "              ~/.pgpass albo zmienna PGPASSWORD, nigdy adres\n"
                   "  Kod wyjścia 6: archiwum nie daje się otworzyć ani zapisać, podane numery "
                   "analiz nie\n"
                   "              należą do siebie albo plik importu jest błędny.\n");
}

QJsonObject JsonTestu(const WpisArchiwum& w) {
    return QJsonObject{{"nazwa", w.NazwaTestu},      {"autor", w.Autor},
                       {"iloscPytan", w.IloscPytan}, {"iloscOdpowiedzi", w.IloscOdpowiedzi},
                       {"typ", w.TypTestu},          {"odcisk", w.Odcisk}};
}

QString TekstDaty(const QDate& data) {
    return data.toString(QStringLiteral("yyyy-MM-dd"));
}

QJsonValue LiczbaLubNull(const std::optional<double>& liczba) {
    return liczba ? QJsonValue(*liczba) : QJsonValue(QJsonValue::Null);
}

// One class of the comparison; the pooled class has no id, label or marks.
QJsonObject JsonKlasy(const FiguryKlasy& f, bool razem) {
    // The grade counts as an array from Cel to Ndst and, as "json" gives them, as an object
    // keyed by the grade's short text.
    QJsonArray liczbaOcen;
    QJsonObject liczbaOcenWgStopnia;
    for (int g = 1; g <= 6; ++g) {
        liczbaOcen.append(f.LiczbaOcen[g]);
        liczbaOcenWgStopnia.insert(SkrotOceny(g), f.LiczbaOcen[g]);
    }
    QJsonArray pytania;
    for (const PytanieKlasy& p : f.Pytania) {
        QJsonObject pytanie{{"nr", p.Nr},
                            {"procentPoprawnych", p.ProcentPoprawnych},
                            {"latwosc", p.Latwosc},
                            {"mocRoznicujaca", LiczbaLubNull(p.MocRoznicujaca)}};
        if (!razem)
            pytanie.insert(QStringLiteral("uwaga"),
                           p.Uwaga.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(p.Uwaga));
        pytania.append(pytanie);
    }
    QJsonObject klasa{{"iloscUczniow", f.IloscUczniow},
                      {"srednia", f.Srednia},
                      {"mediana", f.Mediana},
                      {"odchylenie", f.Odchylenie},
                      {"procentKlasy", f.ProcentKlasy},
                      {"liczbaOcen", liczbaOcen},
                      {"liczbaOcenWgStopnia", liczbaOcenWgStopnia},
                      {"ocenaKlasy", f.OcenaKlasy},
                      {"kr20", LiczbaLubNull(f.KR20)},
                      {"pytania", pytania}};
    if (!razem) {
        klasa.insert(QStringLiteral("id"), f.Id);
        klasa.insert(QStringLiteral("klasa"), f.Klasa);
    }
    return klasa;
}

// The archive commands, on the tool's one base: the base reads nothing of the archive's
// options; this class reads the sub-command and its options, chooses the archive and runs.
class PoleceniaArchiwum : public PolecenieCli {
public:
    using PolecenieCli::PolecenieCli;

private:
    bool Rozbierz(const QStringList& argumenty, QString& powod) override;
    int Wykonaj() override;
    // "archiwum POLECENIE --help": that sub-command's usage alone.
    QString Pomoc(const QStringList& argumenty) const override {
        const OpisPolecenia* p = ZnajdzPolecenie(argumenty.value(1));
        return p ? Skladnia({p}) : SkladniaArchiwum();
    }

    // The archive's message (with the way to set a damaged file aside); KodBladArchiwum.
    int BladArchiwum(const Archiwum& a);
    int BladArchiwum() { return BladArchiwum(archiwum); }
    int WypiszJson(const QJsonArray& tablica) {
        return Wypisz(QJsonDocument(tablica).toJson(QJsonDocument::Indented));
    }
    // A saved report: its path on the standard output; a report not saved: the message.
    int WypiszRaport(const WynikRaportu& wynik) {
        if (!wynik.udany()) {
            Blad(wynik.blad);
            return KodBladZapisu;
        }
        return WypiszSciezke(wynik.sciezka) ? KodAnalizaWykonana : KodBladZapisu;
    }
    static std::optional<qint64> Numer(const QString& tekst) {
        bool ok = false;
        const qint64 n = tekst.toLongLong(&ok, 10);
        if (!ok || n < 1 || tekst.startsWith(u'+')) return std::nullopt;
        return n;
    }
    // The archive to work on: --archiwum, else the one both programs use; an empty one (said
    // here) when none can be chosen.
    bool WybierzArchiwum();

    int Dodaj();
    int Lista();
    int Porownaj();
    int Uczen();
    int Usun();
    int UsunUcznia();
    int Opis();
    int Eksport();
    int Import();
    int Odloz();
    int Kopiuj();
    int Odrzucone(const WynikImportu& wynik);
    // "Odrzucono analiz: N." (naglowek with %1) and one line per analysis with its reason.
    static QString OpisPominietych(const QString& naglowek, const std::vector<QString>& powody) {
        QString tekst = naglowek.arg(powody.size());
        for (const QString& powod : powody)
            tekst += QLatin1Char('\r') + powod;
        return tekst;
    }

    PolecenieArchiwum polecenie = PolecenieArchiwum::Lista;
    QString adres; // --archiwum, kopiuj --do
    QString skad;  // where the archive was chosen when no option named it
    QString klasa;
    bool maKlase = false;
    QDate data;
    QDate przed; // usun --przed
    QString test;
    QString doPliku;
    QString zrodlo; // kopiuj --z
    QStringList pozycyjne;
    Archiwum archiwum;
};

bool PoleceniaArchiwum::Rozbierz(const QStringList& argumenty, QString& powod) {
    const QString nazwa = argumenty.value(1);
    const OpisPolecenia* opis = ZnajdzPolecenie(nazwa);
    if (!opis) {
        powod = nazwa.isEmpty() ? QStringLiteral("Podaj polecenie archiwum.")
                                : QStringLiteral("Nieznane polecenie archiwum: ") + nazwa;
        return false;
    }
    polecenie = opis->polecenie;
    const bool dodaj = polecenie == PolecenieArchiwum::Dodaj;
    const bool opisz = polecenie == PolecenieArchiwum::Opis;

    OpcjeCli opcje;
    opcje.Wartosc(QStringLiteral("--archiwum"), adres); // kopiuj: the same as --do
    if (dodaj || opisz) {
        opcje
            .Wartosc(QStringLiteral("--klasa"),
                     [this](const QString& v, QString&) {
                         klasa = v;
                         maKlase = true;
                         return true;
                     })
            .Wartosc(QStringLiteral("--data"), [this](const QString& v, QString& powod) {
                data = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
                if (!data.isValid()) powod = QStringLiteral("Błędna data (RRRR-MM-DD): ") + v;
                return data.isValid();
            });
    }
    // Names are archived as surname and first name apart, whatever their order on the screen:
    // --imie-najpierw changes nothing that dodaj stores. It is still taken (and not described),
    // so that scripts written with it go on working.
    bool imieNajpierw = false;
    if (dodaj)
        opcje.Wartosc(QStringLiteral("--test"), test)
            .Przelacznik(QStringLiteral("--imie-najpierw"), imieNajpierw);
    if (polecenie == PolecenieArchiwum::Porownaj || polecenie == PolecenieArchiwum::Uczen)
        opcje.Wartosc(QStringLiteral("--do"), doPliku);
    if (polecenie == PolecenieArchiwum::Kopiuj)
        opcje.Wartosc(QStringLiteral("--z"), zrodlo).Wartosc(QStringLiteral("--do"), adres);
    if (polecenie == PolecenieArchiwum::Usun)
        opcje.Wartosc(QStringLiteral("--przed"), [this](const QString& v, QString& powod) {
            przed = QDate::fromString(v, QStringLiteral("yyyy-MM-dd"));
            if (!przed.isValid()) powod = QStringLiteral("Błędna data (RRRR-MM-DD): ") + v;
            return przed.isValid();
        });
    // The options' reading names the command as "archiwum <sub-command>".
    QStringList reszta = argumenty.mid(1);
    reszta[0] = QStringLiteral("archiwum ") + nazwa;
    if (!opcje.Rozbierz(reszta, pozycyjne, powod)) return false;

    if (polecenie == PolecenieArchiwum::Kopiuj && (zrodlo.isEmpty() || adres.isEmpty())) {
        powod = QStringLiteral("Podaj oba archiwa: --z ŹRÓDŁO --do CEL.");
        return false;
    }
    if ((dodaj || opisz) && !maKlase) {
        powod = QStringLiteral("Podaj klasę: --klasa ETYKIETA.");
        return false;
    }
    if (opisz && klasa.trimmed().isEmpty()) {
        powod = QStringLiteral("Etykieta klasy nie może być pusta.");
        return false;
    }
    // usun: a number, or --przed and no number.
    const int najmniej =
        polecenie == PolecenieArchiwum::Usun && !przed.isValid() ? 1 : opis->najmniej;
    const int najwiecej = przed.isValid() ? 0 : opis->najwiecej;
    if (polecenie == PolecenieArchiwum::UsunUcznia && pozycyjne.size() != 1) {
        powod = QStringLiteral("Podaj jedno nazwisko z imieniem ucznia: "
                               "archiwum usun-ucznia \"NAZWISKO IMIĘ\".");
        return false;
    }
    if (pozycyjne.size() < najmniej) {
        powod = dodaj ? QStringLiteral("Podaj pliki odpowiedzi.")
                      : QStringLiteral("Za mało argumentów polecenia archiwum %1.").arg(nazwa);
        return false;
    }
    if (pozycyjne.size() > najwiecej) {
        powod = QStringLiteral("Za dużo argumentów polecenia archiwum %1.").arg(nazwa);
        return false;
    }
    const bool zNumerem = (polecenie == PolecenieArchiwum::Usun && !przed.isValid()) || opisz ||
                          polecenie == PolecenieArchiwum::Porownaj;
    for (const QString& tekst : zNumerem ? pozycyjne : QStringList()) {
        if (!Numer(tekst)) {
            powod = QStringLiteral("Błędny numer analizy: ") + tekst;
            return false;
        }
    }
    return true;
}

// An archive that could not be opened and was not named on the command line is said with where
// it was chosen (a school's preset, the variable).
int PoleceniaArchiwum::BladArchiwum(const Archiwum& a) {
    const StanArchiwum stan = a.Stan();
    QString t = a.Blad();
    if ((stan == StanArchiwum::Uszkodzone || stan == StanArchiwum::Obce) &&
        !JestAdresemSerwera(a.Sciezka()))
        t += QStringLiteral("\rOdłożenie pliku: sondrel-cli archiwum odloz --archiwum ") +
             QDir::toNativeSeparators(a.Sciezka());
    if (stan != StanArchiwum::Otwarte && !skad.isEmpty() && &a == &archiwum)
        t += QStringLiteral("\rArchiwum wybrane przez: ") + skad;
    Blad(t);
    return KodBladArchiwum;
}

bool PoleceniaArchiwum::WybierzArchiwum() {
    if (!adres.isEmpty()) return true;
    adres = WybranyAdresArchiwum(srodowisko.foldery, &skad);
    if (!adres.isEmpty()) return true;
    Blad(QStringLiteral("Nie wiadomo, którego archiwum użyć: nie ustalono folderu danych "
                        "programu (brak folderu domowego, zmienna HOME).\rPodaj archiwum: "
                        "--archiwum PLIK albo zmienna ") +
         QLatin1String(ZmiennaArchiwum) + u'.');
    return false;
}

int PoleceniaArchiwum::Wykonaj() {
    if (!WybierzArchiwum()) return KodBladArchiwum;
    if (polecenie == PolecenieArchiwum::Odloz) return Odloz();
    // The analysis runs before the archive is opened: a class that cannot be read touches
    // nothing.
    if (polecenie == PolecenieArchiwum::Dodaj) {
        if (const int kod = Analizuj(pozycyjne, test); kod != KodAnalizaWykonana) return kod;
    }
    archiwum.UstawDziennik(
        [this](const QString& wiersz) { srodowisko.WpiszDoDziennika(0, wiersz); });
    if (!archiwum.Otworz(adres)) return BladArchiwum();

    switch (polecenie) {
    case PolecenieArchiwum::Dodaj:
        return Dodaj();
    case PolecenieArchiwum::Lista:
        return Lista();
    case PolecenieArchiwum::Porownaj:
        return Porownaj();
    case PolecenieArchiwum::Uczen:
        return Uczen();
    case PolecenieArchiwum::Usun:
        return Usun();
    case PolecenieArchiwum::UsunUcznia:
        return UsunUcznia();
    case PolecenieArchiwum::Opis:
        return Opis();
    case PolecenieArchiwum::Eksport:
        return Eksport();
    case PolecenieArchiwum::Import:
        return Import();
    case PolecenieArchiwum::Kopiuj:
        return Kopiuj();
    case PolecenieArchiwum::Odloz:
        break;
    }
    return KodAnalizaWykonana;
}

int PoleceniaArchiwum::Dodaj() {
    QString blad;
    auto zapis = AnalizaDoArchiwum(*analiza, klasa, blad);
    if (!zapis) {
        Blad(blad);
        return KodBrakAnalizy;
    }
    if (data.isValid()) zapis->DataNapisania = data;
    const auto wynik = archiwum.Dodaj(*zapis);
    if (!wynik) return BladArchiwum();
    if (wynik->JuzBylo) Blad(KomunikatJuzWArchiwum());
    return Wypisz(QByteArray::number(wynik->Id) + '\n');
}

int PoleceniaArchiwum::Lista() {
    const auto lista = archiwum.Lista();
    if (!lista) return BladArchiwum();
    QJsonArray tablica;
    for (const WpisArchiwum& wpis : *lista)
        tablica.append(JsonWpisuArchiwum(wpis));
    return WypiszJson(tablica);
}

int PoleceniaArchiwum::Porownaj() {
    std::vector<AnalizaArchiwalna> analizy;
    for (const QString& tekst : pozycyjne) {
        auto a = archiwum.Wczytaj(*Numer(tekst));
        if (!a) return BladArchiwum();
        analizy.push_back(std::move(*a));
    }
    const ZestawienieKlas zestawienie = PorownajKlasy(analizy);
    if (!zestawienie.Udane()) {
        Blad(zestawienie.Blad);
        return KodBladArchiwum;
    }
    if (SciezkaSkoroszytu(doPliku))
        return WypiszRaport(ZapiszArkusz(doPliku, ListyPorownania(zestawienie)));
    if (!doPliku.isEmpty()) {
        const QFileInfo plik(doPliku);
        return WypiszRaport(RaportPorownania(zestawienie, {OdbiorcaRaportu(), false},
                                             plik.absolutePath(), srodowisko, plik.fileName()));
    }
    return Wypisz(QJsonDocument(JsonZestawienia(zestawienie)).toJson(QJsonDocument::Indented));
}

int PoleceniaArchiwum::Uczen() {
    if (SciezkaSkoroszytu(doPliku))
        return WypiszRaport(ArkuszHistorii(archiwum, pozycyjne.front(), doPliku));
    if (!doPliku.isEmpty()) {
        const QFileInfo plik(doPliku);
        return WypiszRaport(RaportHistorii(archiwum, pozycyjne.front(), {OdbiorcaRaportu(), false},
                                           plik.absolutePath(), srodowisko, plik.fileName()));
    }
    const auto historia = archiwum.HistoriaUcznia(pozycyjne.front());
    if (!historia) return BladArchiwum();
    QJsonArray tablica;
    for (const WynikUcznia& wynik : *historia)
        tablica.append(QJsonObject{{"id", wynik.Analiza.Id},
                                   {"data", TekstDaty(wynik.Analiza.DataNapisania)},
                                   {"klasa", wynik.Analiza.Klasa},
                                   {"test", JsonTestu(wynik.Analiza)},
                                   {"poprawnych", wynik.Poprawnych},
                                   {"procent", wynik.Procent},
                                   {"ocena", wynik.Ocena}});
    return WypiszJson(tablica);
}

// One entry by its number, or (retention) every analysis written before a day that the caller
// may delete, saying how many.
int PoleceniaArchiwum::Usun() {
    if (przed.isValid()) {
        const auto ile = archiwum.UsunPrzed(przed);
        if (!ile) return BladArchiwum();
        return Wypisz(QStringLiteral("Usunięto analiz: %1.\n").arg(*ile).toUtf8());
    }
    return archiwum.Usun(*Numer(pozycyjne.front())) ? KodAnalizaWykonana : BladArchiwum();
}

// Erasing a student from every analysis the caller may change.
int PoleceniaArchiwum::UsunUcznia() {
    const auto wynik = archiwum.UsunUcznia(pozycyjne.front());
    if (!wynik) return BladArchiwum();
    return Wypisz(QStringLiteral("Usunięto wyników ucznia: %1.\nUsunięto analiz, w których nie "
                                 "został żaden uczeń: %2.\n")
                      .arg(wynik->UsunieteWyniki)
                      .arg(wynik->UsunieteAnalizy)
                      .toUtf8());
}

// A new label, and the date written when one is given (else the stored one stays).
int PoleceniaArchiwum::Opis() {
    const qint64 id = *Numer(pozycyjne.front());
    QDate dzien = data;
    if (!dzien.isValid()) {
        const auto a = archiwum.Wczytaj(id);
        if (!a) return BladArchiwum();
        dzien = a->DataNapisania;
    }
    return archiwum.ZmienOpis(id, klasa.trimmed(), dzien) ? KodAnalizaWykonana : BladArchiwum();
}

// "-" is the standard output: the same bytes as the file, written as a stream. An analysis
// that cannot be read is left out and named; the export then ends with KodBladArchiwum.
int PoleceniaArchiwum::Eksport() {
    std::vector<QString> pominiete;
    if (pozycyjne.front() == StandardowyStrumien) {
        errno = 0;
        if (!archiwum.Eksport(Wyjscie(), &pominiete)) {
            const auto* plik = qobject_cast<const QFileDevice*>(&Wyjscie());
            return plik && plik->error() != QFileDevice::NoError ? BladWyjscia() : BladArchiwum();
        }
    } else {
        bool bladPliku = false;
        if (!archiwum.EksportDoPliku(pozycyjne.front(), &pominiete, &bladPliku)) {
            if (!bladPliku) return BladArchiwum();
            Blad(archiwum.Blad());
            return KodBladZapisu;
        }
    }
    if (pominiete.empty()) return KodAnalizaWykonana;
    Blad(OpisPominietych(QStringLiteral("Pominięto analiz, których nie da się odczytać: %1."),
                         pominiete));
    return KodBladArchiwum;
}

// "-" is the standard input, kept in a private temporary file (it holds names) so that the
// import reads it analysis by analysis as it reads a file.
int PoleceniaArchiwum::Import() {
    std::optional<WynikImportu> wynik;
    if (pozycyjne.front() == StandardowyStrumien) {
        QFile wejscie;
        QTemporaryFile kopia;
        const auto przepisz = [&] {
            char bufor[65536];
            for (;;) {
                const qint64 n = wejscie.read(bufor, sizeof bufor);
                if (n <= 0) return n == 0;
                if (kopia.write(bufor, n) != n) return false;
            }
        };
        if (!wejscie.open(stdin, QIODevice::ReadOnly) || !kopia.open() || !przepisz() ||
            !kopia.flush() || !kopia.seek(0)) {
            Blad(QStringLiteral("Nie można odczytać standardowego wejścia: ") +
                 (wejscie.error() != QFileDevice::NoError ? wejscie.errorString()
                                                          : kopia.errorString()));
            return KodBladArchiwum;
        }
        wynik = archiwum.Import(kopia);
    } else {
        wynik = archiwum.ImportZPliku(pozycyjne.front());
    }
    if (!wynik) return BladArchiwum();
    if (wynik->JuzByly > 0)
        Blad(
            QStringLiteral("Analiz już obecnych w archiwum, pominiętych: %1.").arg(wynik->JuzByly));
    const int kod =
        Wypisz(QStringLiteral("Zaimportowano analiz: %1.\n").arg(wynik->Dodane).toUtf8());
    return kod == KodAnalizaWykonana ? Odrzucone(*wynik) : kod;
}

int PoleceniaArchiwum::Kopiuj() {
    Archiwum z;
    if (!z.Otworz(zrodlo)) return BladArchiwum(z);
    const auto wynik = archiwum.KopiujZ(z);
    if (!wynik) return BladArchiwum();
    const int kod = Wypisz(QStringLiteral("Skopiowano analiz: %1.\nPominięto analiz już obecnych "
                                          "w archiwum docelowym: %2.\n")
                               .arg(wynik->Dodane)
                               .arg(wynik->JuzByly)
                               .toUtf8());
    return kod == KodAnalizaWykonana ? Odrzucone(*wynik) : kod;
}

// The analyses an import or a copy refused, each with its reason: KodBladArchiwum; none: done.
int PoleceniaArchiwum::Odrzucone(const WynikImportu& wynik) {
    if (wynik.Odrzucone == 0) return KodAnalizaWykonana;
    Blad(OpisPominietych(QStringLiteral("Odrzucono analiz: %1."), wynik.Powody));
    return KodBladArchiwum;
}

int PoleceniaArchiwum::Odloz() {
    QString blad;
    const auto nowa = Archiwum::OdlozUszkodzone(adres, blad);
    if (!nowa) {
        Blad(blad);
        return KodBladArchiwum;
    }
    return WypiszSciezke(*nowa) ? KodAnalizaWykonana : KodBladZapisu;
}

// A report of the archive draws its chart: "porownaj" and "uczen" with --do.
bool ArchiwumRysuje(const QStringList& argumenty) {
    const QString polecenie = argumenty.value(1);
    if (polecenie != u"porownaj" && polecenie != u"uczen") return false;
    const qsizetype koniec = argumenty.indexOf(QStringLiteral("--"));
    const qsizetype doPliku = argumenty.indexOf(QStringLiteral("--do"));
    return doPliku >= 0 && (koniec < 0 || doPliku < koniec);
}

} // namespace

RodzinaPolecen RodzinaArchiwum() {
    return {{QStringLiteral("archiwum")},
            ArchiwumRysuje,
            SkladniaArchiwum,
            [](QIODevice& wyjscie, QIODevice& bledy) -> std::unique_ptr<PolecenieCli> {
                return std::make_unique<PoleceniaArchiwum>(wyjscie, bledy);
            }};
}

QJsonObject JsonWpisuArchiwum(const WpisArchiwum& wpis) {
    return QJsonObject{{"id", wpis.Id},
                       {"klasa", wpis.Klasa},
                       {"data", TekstDaty(wpis.DataNapisania)},
                       {"dodano", wpis.Dodano.toUTC().toString(Qt::ISODate)},
                       {"dodal", wpis.Dodal},
                       {"iloscUczniow", wpis.IloscUczniow},
                       {"procentKlasy", wpis.ProcentKlasy},
                       {"test", JsonTestu(wpis)}};
}

QJsonObject JsonZestawienia(const ZestawienieKlas& z) {
    const TestArchiwalny& t = z.Test;
    QJsonArray klasy;
    for (const FiguryKlasy& f : z.Klasy)
        klasy.append(JsonKlasy(f, false));
    return {{"test", QJsonObject{{"nazwa", t.Nazwa},
                                 {"autor", t.Autor},
                                 {"iloscPytan", t.IloscPytan},
                                 {"iloscOdpowiedzi", t.IloscOdpowiedzi},
                                 {"typ", t.TypTestu},
                                 {"odcisk", z.Odcisk}}},
            {"klasy", klasy},
            {"razem", JsonKlasy(z.Razem, true)}};
}

QString SkladniaArchiwum() {
    std::vector<const OpisPolecenia*> wszystkie;
    for (const OpisPolecenia& p : Polecenia)
        wszystkie.push_back(&p);
    return u'\n' + Skladnia(wszystkie);
}

} // namespace sondrel
