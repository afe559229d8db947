// SPDX-License-Identifier: GPL-3.0-or-later
#include "archiwum_cli.h"

#include "analysis/ocenianie.h"
#include "archive/archiwum.h"
#include "archive/polaczenie.h"
#include "archive/porownanie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archive/wybor_archiwum.h"
#include "core/analiza.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
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

struct OpisPolecenia {
    const char16_t* nazwa;
    PolecenieArchiwum polecenie;
    int najmniej; // positional arguments
    int najwiecej;
};

constexpr OpisPolecenia Polecenia[] = {
    {u"dodaj", PolecenieArchiwum::Dodaj, 1, 1 << 30},
    {u"lista", PolecenieArchiwum::Lista, 0, 0},
    {u"porownaj", PolecenieArchiwum::Porownaj, 1, 1 << 30},
    {u"uczen", PolecenieArchiwum::Uczen, 1, 1},
    {u"usun", PolecenieArchiwum::Usun, 0, 1}, // ID, or none with --przed
    {u"usun-ucznia", PolecenieArchiwum::UsunUcznia, 1, 1},
    {u"opis", PolecenieArchiwum::Opis, 1, 1},
    {u"eksport", PolecenieArchiwum::Eksport, 1, 1},
    {u"import", PolecenieArchiwum::Import, 1, 1},
    {u"odloz", PolecenieArchiwum::Odloz, 0, 0},
    {u"kopiuj", PolecenieArchiwum::Kopiuj, 0, 0},
};

QJsonObject JsonTestu(const WpisArchiwum& w) {
    return QJsonObject{{"nazwa", w.NazwaTestu},      {"autor", w.Autor},
                       {"iloscPytan", w.IloscPytan}, {"iloscOdpowiedzi", w.IloscOdpowiedzi},
                       {"typ", w.TypTestu},          {"odcisk", w.Odcisk}};
}

// "naglowek" (with %1: how many) and one line per analysis with its reason.
QString OpisOdrzuconych(const QString& naglowek, const std::vector<QString>& powody) {
    QString tekst = naglowek.arg(powody.size());
    for (const QString& powod : powody)
        tekst += QLatin1Char('\r') + powod;
    return tekst;
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
    for (int g = 1; g <= LiczbaStopni; ++g) {
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
    int WypiszWynikDodawania(const WynikImportu& wynik, const QString& tekst);
    int Opis();
    int Eksport();
    int Import();
    int Odloz();
    int Kopiuj();

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
    const OpisPolecenia* opis = nullptr;
    for (const OpisPolecenia& p : Polecenia)
        if (nazwa == QStringView(p.nazwa)) opis = &p;
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
    if (polecenie == PolecenieArchiwum::Usun && pozycyjne.isEmpty() == !przed.isValid()) {
        powod = przed.isValid() ? QStringLiteral("Za dużo argumentów polecenia archiwum usun.")
                                : QStringLiteral("Podaj numer analizy albo --przed RRRR-MM-DD.");
        return false;
    }
    if (pozycyjne.size() < opis->najmniej) {
        powod = dodaj ? QStringLiteral("Podaj pliki odpowiedzi.")
                      : QStringLiteral("Za mało argumentów polecenia archiwum %1.").arg(nazwa);
        return false;
    }
    if (pozycyjne.size() > opis->najwiecej) {
        powod = QStringLiteral("Za dużo argumentów polecenia archiwum %1.").arg(nazwa);
        return false;
    }
    const bool zNumerem =
        polecenie == PolecenieArchiwum::Usun || opisz || polecenie == PolecenieArchiwum::Porownaj;
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
    if (!doPliku.isEmpty()) {
        const QFileInfo plik(doPliku);
        return WypiszRaport(RaportPorownania(zestawienie, {OdbiorcaRaportu(), false},
                                             plik.absolutePath(), srodowisko, plik.fileName()));
    }
    return Wypisz(QJsonDocument(JsonZestawienia(zestawienie)).toJson(QJsonDocument::Indented));
}

int PoleceniaArchiwum::Uczen() {
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

// One analysis by its number, or with --przed every analysis written before that day that the
// caller may delete (how many is printed).
int PoleceniaArchiwum::Usun() {
    if (przed.isValid()) {
        const auto ile = archiwum.UsunPrzed(przed);
        if (!ile) return BladArchiwum();
        return Wypisz(QStringLiteral("Usunięto analiz: %1.\n").arg(*ile).toUtf8());
    }
    return archiwum.Usun(*Numer(pozycyjne.front())) ? KodAnalizaWykonana : BladArchiwum();
}

// The student's results out of every analysis the caller may change; how many went is printed.
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

// "-" is the standard output: the same bytes as the file.
// Analyses that could not be read are left out and named; the rest is written.
int PoleceniaArchiwum::Eksport() {
    std::vector<QString> pominiete;
    if (pozycyjne.front() == StandardowyStrumien) {
        const auto dokument = archiwum.Eksport(&pominiete);
        if (!dokument) return BladArchiwum();
        if (const int kod = Wypisz(*dokument); kod != KodAnalizaWykonana) return kod;
    } else {
        bool bladPliku = false;
        if (!archiwum.EksportDoPliku(pozycyjne.front(), &pominiete, &bladPliku)) {
            if (!bladPliku) return BladArchiwum();
            Blad(archiwum.Blad());
            return KodBladZapisu;
        }
    }
    if (pominiete.empty()) return KodAnalizaWykonana;
    Blad(OpisOdrzuconych(QStringLiteral("Pominięto analiz, których nie da się odczytać: %1."),
                         pominiete));
    return KodBladArchiwum;
}

// What an import or a copy added, then the refused analyses with their reasons (exit 6).
int PoleceniaArchiwum::WypiszWynikDodawania(const WynikImportu& wynik, const QString& tekst) {
    const int kod = Wypisz(tekst.toUtf8());
    if (wynik.Odrzucone == 0 || kod != KodAnalizaWykonana) return kod;
    Blad(OpisOdrzuconych(QStringLiteral("Odrzucono analiz: %1."), wynik.Powody));
    return KodBladArchiwum;
}

// "-" is the standard input, read to its end.
int PoleceniaArchiwum::Import() {
    std::optional<WynikImportu> wynik;
    if (pozycyjne.front() == StandardowyStrumien) {
        QFile wejscie;
        QByteArray bajty;
        if (wejscie.open(stdin, QIODevice::ReadOnly)) bajty = wejscie.readAll();
        if (wejscie.error() != QFileDevice::NoError) {
            Blad(QStringLiteral("Nie można odczytać standardowego wejścia: ") +
                 wejscie.errorString());
            return KodBladArchiwum;
        }
        wynik = archiwum.Import(bajty);
    } else {
        wynik = archiwum.ImportZPliku(pozycyjne.front());
    }
    if (!wynik) return BladArchiwum();
    if (wynik->JuzByly > 0)
        Blad(
            QStringLiteral("Analiz już obecnych w archiwum, pominiętych: %1.").arg(wynik->JuzByly));
    return WypiszWynikDodawania(*wynik,
                                QStringLiteral("Zaimportowano analiz: %1.\n").arg(wynik->Dodane));
}

int PoleceniaArchiwum::Kopiuj() {
    Archiwum z;
    if (!z.Otworz(zrodlo)) return BladArchiwum(z);
    const auto wynik = archiwum.KopiujZ(z);
    if (!wynik) return BladArchiwum();
    return WypiszWynikDodawania(*wynik,
                                QStringLiteral("Skopiowano analiz: %1.\nPominięto analiz już "
                                               "obecnych w archiwum docelowym: %2.\n")
                                    .arg(wynik->Dodane)
                                    .arg(wynik->JuzByly));
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
    return QStringLiteral(
        "\n"
        "Archiwum analiz:\n"
        "  sondrel-cli archiwum dodaj --klasa ETYKIETA [--data RRRR-MM-DD] [--test PLIK.skt]\n"
        "              PLIK.sko...\n"
        "  sondrel-cli archiwum lista\n"
        "  sondrel-cli archiwum porownaj ID ID... [--do PLIK.htm]\n"
        "  sondrel-cli archiwum uczen \"NAZWISKO IMIĘ\" [--do PLIK.htm]\n"
        "  sondrel-cli archiwum usun ID\n"
        "  sondrel-cli archiwum usun --przed RRRR-MM-DD\n"
        "  sondrel-cli archiwum usun-ucznia \"NAZWISKO IMIĘ\"\n"
        "  sondrel-cli archiwum opis ID --klasa ETYKIETA [--data RRRR-MM-DD]\n"
        "  sondrel-cli archiwum eksport (PLIK.json|-)\n"
        "  sondrel-cli archiwum import (PLIK.json|-)\n"
        "  sondrel-cli archiwum odloz\n"
        "  sondrel-cli archiwum kopiuj --z ŹRÓDŁO --do CEL\n"
        "  dodaj       analizuje klasę i zapisuje ją w archiwum; wypisuje numer wpisu (klasa\n"
        "              już zapisana: ten sam numer i komunikat); --data: data napisania\n"
        "              (domyślnie dzień najnowszej zmiany plików odpowiedzi)\n"
        "  lista       wpisy archiwum jako tablica JSON\n"
        "  porownaj    porównanie klas, które pisały ten sam test (JSON; z --do: raport, a obok\n"
        "              niego wykres PLIK.png; wypisuje ścieżkę raportu)\n"
        "  uczen       wszystkie wyniki ucznia, od najstarszego (JSON; z --do: raport z wykresem)\n"
        "  usun        usuwa wpis z archiwum; z --przed: analizy napisane przed tym dniem,\n"
        "              które wolno usuwać; wypisuje, ile ich usunięto\n"
        "  usun-ucznia usuwa wyniki ucznia (i zapisy jego plików odpowiedzi) ze wszystkich\n"
        "              analiz, które wolno zmieniać, i przelicza ich podsumowania; analiza bez\n"
        "              uczniów znika; wypisuje, ile wyników usunięto\n"
        "  opis        zmienia etykietę klasy wpisu i, z --data, datę napisania\n"
        "  eksport     całe archiwum do pliku JSON; import dodaje analizy z takiego pliku,\n"
        "              pomijając te, które już są w archiwum; \"-\" to standardowe wyjście\n"
        "              (eksport) albo standardowe wejście (import), plik o tej nazwie: ./-\n"
        "  odloz       odkłada nieczytelny plik archiwum (nowa nazwa .uszkodzone-RRRR-MM-DD);\n"
        "              następne polecenie zakłada nowe archiwum\n"
        "  kopiuj      dodaje do archiwum CEL wszystkie analizy archiwum ŹRÓDŁO, pomijając\n"
        "              te, które już w nim są; wypisuje liczby skopiowanych i pominiętych\n"
        "  --archiwum PLIK  inne archiwum niż to, którego używa program; bez tej opcji:\n"
        "              zmienna SONDREL_ARCHIWUM, archiwum wybrane w ustawieniach programu,\n"
        "              ustawienie szkoły ($XDG_CONFIG_DIRS/sondrel/archiwum, domyślnie\n"
        "              /etc/xdg/sondrel/archiwum: jeden wiersz z adresem), a w końcu\n"
        "              Archiwum.sqlite w folderze danych programu\n"
        "  Archiwum na serwerze PostgreSQL (zamiast pliku, także w --z i --do):\n"
        "              postgresql://UŻYTKOWNIK@SERWER:PORT/BAZA[?sslmode=require]\n"
        "              (także postgres://…, ?host=/folder/gniazda); hasło podaje plik\n"
        "              ~/.pgpass albo zmienna PGPASSWORD, nigdy adres\n"
        "  Kod wyjścia 6: archiwum nie daje się otworzyć ani zapisać, podane numery analiz nie\n"
        "              należą do siebie albo plik importu jest błędny.\n");
}

} // namespace sondrel
