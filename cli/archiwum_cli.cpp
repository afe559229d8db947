// SPDX-License-Identifier: GPL-3.0-or-later
#include "archiwum_cli.h"

#include "analysis/przebieg_analizy.h"
#include "archive/archiwum.h"
#include "archive/polaczenie.h"
#include "archive/porownanie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "arkusze/listy_archiwum.h"
#include "arkusze/skoroszyt.h"
#include "arkusze_cli.h"
#include "core/analiza.h"
#include "core/foldery.h"
#include "core/srodowisko.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstring>
#include <memory>
#include <optional>

namespace sondrel {

namespace {

// Exit statuses shared with the other commands (polecenia.h).
constexpr int KodWykonane = 0;
constexpr int KodBlednePolecenieArchiwum = 1;
constexpr int KodBrakAnalizyArchiwum = 2;
constexpr int KodBladZapisuArchiwum = 4;

enum class PolecenieArchiwum {
    Dodaj,
    Lista,
    Porownaj,
    Uczen,
    Usun,
    Eksport,
    Import,
    Odloz,
    Kopiuj
};

struct WywolanieArchiwum {
    PolecenieArchiwum polecenie = PolecenieArchiwum::Lista;
    QString archiwum;
    QString klasa;
    bool maKlase = false;
    QDate data;
    QString test;
    bool imieNajpierw = false;
    QString doPliku;
    QString zrodlo; // kopiuj --z
    QStringList pozycyjne;
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
    {u"usun", PolecenieArchiwum::Usun, 1, 1},
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

QString TekstDaty(const QDate& data) {
    return data.toString(QStringLiteral("yyyy-MM-dd"));
}

QJsonValue LiczbaLubNull(const std::optional<double>& liczba) {
    return liczba ? QJsonValue(*liczba) : QJsonValue(QJsonValue::Null);
}

// One class of the comparison; the pooled class has no id, label or marks.
QJsonObject JsonKlasy(const FiguryKlasy& f, bool razem) {
    QJsonArray liczbaOcen;
    for (int g = 1; g <= 6; ++g)
        liczbaOcen.append(f.LiczbaOcen[g]);
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
                      {"ocenaKlasy", f.OcenaKlasy},
                      {"kr20", LiczbaLubNull(f.KR20)},
                      {"pytania", pytania}};
    if (!razem) {
        klasa.insert(QStringLiteral("id"), f.Id);
        klasa.insert(QStringLiteral("klasa"), f.Klasa);
    }
    return klasa;
}

class CliArchiwum {
public:
    CliArchiwum(QIODevice& wyjscie, QIODevice& bledy) : wyjscie(wyjscie), bledy(bledy) {}
    int Uruchom(const QStringList& argumenty);

private:
    void Blad(const QString& tekst) {
        QString t = tekst;
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        bledy.write(t.toUtf8() + '\n');
    }
    int BladWywolania(const QString& powod) {
        Blad(powod + QStringLiteral("\rOpis wywołania: sondrel-cli --help"));
        return KodBlednePolecenieArchiwum;
    }
    int BladArchiwum() {
        const StanArchiwum stan = archiwum.Stan();
        Blad(archiwum.Blad() +
             ((stan == StanArchiwum::Uszkodzone || stan == StanArchiwum::Obce) &&
                      !JestAdresemSerwera(w.archiwum)
                  ? QStringLiteral("\rOdłożenie pliku: sondrel-cli archiwum odloz --archiwum ") +
                        QDir::toNativeSeparators(w.archiwum)
                  : QString()));
        return KodBladArchiwum;
    }
    int Pisz(const QByteArray& bajty) {
        if (wyjscie.write(bajty) == bajty.size()) {
            if (auto* plik = qobject_cast<QFileDevice*>(&wyjscie); !plik || plik->flush())
                return KodWykonane;
        }
        Blad(QStringLiteral("Nie udało się zapisać wyniku na standardowe wyjście."));
        return KodBladZapisuArchiwum;
    }
    int PiszJson(const QJsonArray& tablica) {
        return Pisz(QJsonDocument(tablica).toJson(QJsonDocument::Indented));
    }
    // A saved report: its path on the standard output; a report not saved: the message.
    int PiszRaport(const WynikRaportu& wynik) {
        if (!wynik.udany()) {
            Blad(wynik.blad);
            return KodBladZapisuArchiwum;
        }
        return Pisz(QDir::toNativeSeparators(wynik.sciezka).toUtf8() + '\n');
    }
    std::optional<qint64> Numer(const QString& tekst) {
        bool ok = false;
        const qint64 n = tekst.toLongLong(&ok, 10);
        if (!ok || n < 1 || tekst.startsWith(u'+')) return std::nullopt;
        return n;
    }

    std::optional<WywolanieArchiwum> Rozbierz(const QStringList& argumenty, QString& powod);
    int Dodaj();
    int Lista();
    int Porownaj();
    int Uczen();
    int Usun();
    int Eksport();
    int Import();
    int Odloz();
    int Kopiuj();

    QIODevice& wyjscie;
    QIODevice& bledy;
    WywolanieArchiwum w;
    Srodowisko srodowisko;
    Archiwum archiwum;
};

std::optional<WywolanieArchiwum> CliArchiwum::Rozbierz(const QStringList& argumenty,
                                                       QString& powod) {
    WywolanieArchiwum w;
    const QString nazwa = argumenty.value(1);
    const OpisPolecenia* opis = nullptr;
    for (const OpisPolecenia& p : Polecenia)
        if (nazwa == QStringView(p.nazwa)) opis = &p;
    if (!opis) {
        powod = nazwa.isEmpty() ? QStringLiteral("Podaj polecenie archiwum.")
                                : QStringLiteral("Nieznane polecenie archiwum: ") + nazwa;
        return std::nullopt;
    }
    w.polecenie = opis->polecenie;
    const bool dodaj = w.polecenie == PolecenieArchiwum::Dodaj;
    bool bezOpcji = false;
    for (qsizetype i = 2; i < argumenty.size(); ++i) {
        const QString& a = argumenty[i];
        if (bezOpcji || !a.startsWith(QLatin1String("--"))) {
            w.pozycyjne.append(a);
            continue;
        }
        const auto wartosc = [&]() -> std::optional<QString> {
            if (i + 1 >= argumenty.size()) {
                powod = QStringLiteral("Brak wartości opcji ") + a;
                return std::nullopt;
            }
            return argumenty[++i];
        };
        std::optional<QString> v;
        if (a == u"--") {
            bezOpcji = true;
        } else if (a == u"--archiwum") {
            if (!(v = wartosc())) return std::nullopt;
            w.archiwum = *v;
        } else if (a == u"--klasa" && dodaj) {
            if (!(v = wartosc())) return std::nullopt;
            w.klasa = *v;
            w.maKlase = true;
        } else if (a == u"--data" && dodaj) {
            if (!(v = wartosc())) return std::nullopt;
            w.data = QDate::fromString(*v, QStringLiteral("yyyy-MM-dd"));
            if (!w.data.isValid()) {
                powod = QStringLiteral("Błędna data (RRRR-MM-DD): ") + *v;
                return std::nullopt;
            }
        } else if (a == u"--test" && dodaj) {
            if (!(v = wartosc())) return std::nullopt;
            w.test = *v;
        } else if (a == u"--imie-najpierw" && dodaj) {
            w.imieNajpierw = true;
        } else if (a == u"--do" && (w.polecenie == PolecenieArchiwum::Porownaj ||
                                    w.polecenie == PolecenieArchiwum::Uczen)) {
            if (!(v = wartosc())) return std::nullopt;
            w.doPliku = *v;
        } else if (a == u"--z" && w.polecenie == PolecenieArchiwum::Kopiuj) {
            if (!(v = wartosc())) return std::nullopt;
            w.zrodlo = *v;
        } else if (a == u"--do" && w.polecenie == PolecenieArchiwum::Kopiuj) {
            if (!(v = wartosc())) return std::nullopt;
            w.archiwum = *v;
        } else {
            powod = QStringLiteral("Nieznana opcja polecenia archiwum %1: %2").arg(nazwa, a);
            return std::nullopt;
        }
    }
    if (w.polecenie == PolecenieArchiwum::Kopiuj && (w.zrodlo.isEmpty() || w.archiwum.isEmpty())) {
        powod = QStringLiteral("Podaj oba archiwa: --z ŹRÓDŁO --do CEL.");
        return std::nullopt;
    }
    if (dodaj && !w.maKlase) {
        powod = QStringLiteral("Podaj klasę: --klasa ETYKIETA.");
        return std::nullopt;
    }
    if (w.pozycyjne.size() < opis->najmniej) {
        powod = dodaj ? QStringLiteral("Podaj pliki odpowiedzi.")
                      : QStringLiteral("Za mało argumentów polecenia archiwum %1.").arg(nazwa);
        return std::nullopt;
    }
    if (w.pozycyjne.size() > opis->najwiecej) {
        powod = QStringLiteral("Za dużo argumentów polecenia archiwum %1.").arg(nazwa);
        return std::nullopt;
    }
    return w;
}

int CliArchiwum::Uruchom(const QStringList& argumenty) {
    QString powod;
    const auto wywolanie = Rozbierz(argumenty, powod);
    if (!wywolanie) return BladWywolania(powod);
    w = *wywolanie;

    srodowisko.komunikaty.ustawObsluge([this](int rodzaj, int, const QString& tekst) {
        QString t = tekst;
        if (const QString& plik = srodowisko.komunikaty.plik; !plik.isEmpty())
            t += QStringLiteral("\rPlik: ") + QDir::toNativeSeparators(plik);
        Blad(t);
        return rodzaj == KomunikatPytanie ? WynikAnuluj : WynikZamknij;
    });
    UstawFoldery(srodowisko);
    if (w.archiwum.isEmpty()) w.archiwum = Archiwum::DomyslnaSciezka(srodowisko.foldery);

    if (w.polecenie == PolecenieArchiwum::Odloz) return Odloz();
    // The analysis runs before the archive is opened: a class that cannot be read touches
    // nothing.
    std::unique_ptr<Analiza> analiza;
    if (w.polecenie == PolecenieArchiwum::Dodaj) {
        if (!SaPlikamiOdpowiedzi(w.pozycyjne, srodowisko)) return KodBrakAnalizyArchiwum;
        analiza = std::make_unique<Analiza>();
        analiza->RodzajAnalizy = w.test.isEmpty() ? AnalizaProsta : AnalizaZTestem;
        analiza->PlikTestu = w.test;
        analiza->PlikiOdpowiedzi = w.pozycyjne;
        if (!UruchomAnalize(*analiza, srodowisko)) return KodBrakAnalizyArchiwum;
    }
    if (!archiwum.Otworz(w.archiwum)) return BladArchiwum();

    switch (w.polecenie) {
    case PolecenieArchiwum::Dodaj: {
        QString blad;
        auto zapis = AnalizaDoArchiwum(*analiza, w.klasa, blad);
        if (!zapis) {
            Blad(blad);
            return KodBrakAnalizyArchiwum;
        }
        if (w.data.isValid()) zapis->DataNapisania = w.data;
        const auto wynik = archiwum.Dodaj(*zapis);
        if (!wynik) return BladArchiwum();
        if (wynik->JuzBylo) Blad(KomunikatJuzWArchiwum());
        return Pisz(QByteArray::number(wynik->Id) + '\n');
    }
    case PolecenieArchiwum::Lista:
        return Lista();
    case PolecenieArchiwum::Porownaj:
        return Porownaj();
    case PolecenieArchiwum::Uczen:
        return Uczen();
    case PolecenieArchiwum::Usun:
        return Usun();
    case PolecenieArchiwum::Eksport:
        return Eksport();
    case PolecenieArchiwum::Import:
        return Import();
    case PolecenieArchiwum::Kopiuj:
        return Kopiuj();
    case PolecenieArchiwum::Odloz:
        break;
    }
    return KodWykonane;
}

int CliArchiwum::Lista() {
    const auto lista = archiwum.Lista();
    if (!lista) return BladArchiwum();
    QJsonArray tablica;
    for (const WpisArchiwum& wpis : *lista)
        tablica.append(JsonWpisuArchiwum(wpis));
    return PiszJson(tablica);
}

int CliArchiwum::Porownaj() {
    std::vector<AnalizaArchiwalna> analizy;
    for (const QString& tekst : w.pozycyjne) {
        const auto id = Numer(tekst);
        if (!id) return BladWywolania(QStringLiteral("Błędny numer analizy: ") + tekst);
        auto a = archiwum.Wczytaj(*id);
        if (!a) return BladArchiwum();
        analizy.push_back(std::move(*a));
    }
    const ZestawienieKlas zestawienie = PorownajKlasy(analizy);
    if (!zestawienie.Udane()) {
        Blad(zestawienie.Blad);
        return KodBladArchiwum;
    }
    if (SciezkaSkoroszytu(w.doPliku))
        return PiszRaport(ZapiszArkusz(w.doPliku, ListyPorownania(zestawienie)));
    if (!w.doPliku.isEmpty()) {
        const QFileInfo plik(w.doPliku);
        return PiszRaport(RaportPorownania(zestawienie, {OdbiorcaRaportu(), false},
                                           plik.absolutePath(), srodowisko, plik.fileName()));
    }
    return Pisz(QJsonDocument(JsonZestawienia(zestawienie)).toJson(QJsonDocument::Indented));
}

int CliArchiwum::Uczen() {
    if (SciezkaSkoroszytu(w.doPliku))
        return PiszRaport(ArkuszHistorii(archiwum, w.pozycyjne.front(), w.doPliku));
    if (!w.doPliku.isEmpty()) {
        const QFileInfo plik(w.doPliku);
        return PiszRaport(RaportHistorii(archiwum, w.pozycyjne.front(), {OdbiorcaRaportu(), false},
                                         plik.absolutePath(), srodowisko, plik.fileName()));
    }
    const auto historia = archiwum.HistoriaUcznia(w.pozycyjne.front());
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
    return PiszJson(tablica);
}

int CliArchiwum::Usun() {
    const auto id = Numer(w.pozycyjne.front());
    if (!id) return BladWywolania(QStringLiteral("Błędny numer analizy: ") + w.pozycyjne.front());
    return archiwum.Usun(*id) ? KodWykonane : BladArchiwum();
}

int CliArchiwum::Eksport() {
    const auto dokument = archiwum.Eksport();
    if (!dokument) return BladArchiwum();
    QString blad;
    if (Archiwum::ZapiszPlikEksportu(*dokument, w.pozycyjne.front(), blad)) return KodWykonane;
    Blad(blad);
    return KodBladZapisuArchiwum;
}

int CliArchiwum::Import() {
    const auto wynik = archiwum.ImportZPliku(w.pozycyjne.front());
    if (!wynik) return BladArchiwum();
    if (wynik->JuzByly > 0)
        Blad(
            QStringLiteral("Analiz już obecnych w archiwum, pominiętych: %1.").arg(wynik->JuzByly));
    return Pisz(QStringLiteral("Zaimportowano analiz: %1.\n").arg(wynik->Dodane).toUtf8());
}

int CliArchiwum::Kopiuj() {
    Archiwum zrodlo;
    if (!zrodlo.Otworz(w.zrodlo)) {
        Blad(zrodlo.Blad());
        return KodBladArchiwum;
    }
    const auto wynik = archiwum.KopiujZ(zrodlo);
    if (!wynik) return BladArchiwum();
    return Pisz(QStringLiteral("Skopiowano analiz: %1.\nPominięto analiz już obecnych w "
                               "archiwum docelowym: %2.\n")
                    .arg(wynik->Dodane)
                    .arg(wynik->JuzByly)
                    .toUtf8());
}

int CliArchiwum::Odloz() {
    QString blad;
    const auto nowa = Archiwum::OdlozUszkodzone(w.archiwum, blad);
    if (!nowa) {
        Blad(blad);
        return KodBladArchiwum;
    }
    return Pisz(QDir::toNativeSeparators(*nowa).toUtf8() + '\n');
}

} // namespace

bool JestPolecenieArchiwum(const QString& polecenie) {
    return polecenie == u"archiwum";
}

bool ArchiwumRysuje(int argc, const char* const* argv) {
    if (argc < 2 || std::strcmp(argv[1], "archiwum") != 0) return false;
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--do") == 0) return true;
    return false;
}

int UruchomPolecenieArchiwum(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy) {
    CliArchiwum cli(wyjscie, bledy);
    return cli.Uruchom(argumenty);
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
        "              [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli archiwum lista\n"
        "  sondrel-cli archiwum porownaj ID ID... [--do PLIK.htm|PLIK.xlsx]\n"
        "  sondrel-cli archiwum uczen \"NAZWISKO IMIĘ\" [--do PLIK.htm|PLIK.xlsx]\n"
        "  sondrel-cli archiwum usun ID\n"
        "  sondrel-cli archiwum eksport PLIK.json\n"
        "  sondrel-cli archiwum import PLIK.json\n"
        "  sondrel-cli archiwum odloz\n"
        "  sondrel-cli archiwum kopiuj --z ŹRÓDŁO --do CEL\n"
        "  dodaj       analizuje klasę i zapisuje ją w archiwum; wypisuje numer wpisu (klasa\n"
        "              już zapisana: ten sam numer i komunikat); --data: data napisania\n"
        "              (domyślnie dzień najnowszej zmiany plików odpowiedzi)\n"
        "  lista       wpisy archiwum jako tablica JSON\n"
        "  porownaj    porównanie klas, które pisały ten sam test (JSON; z --do: raport, a obok\n"
        "              niego wykres PLIK.png; wypisuje ścieżkę raportu)\n"
        "  uczen       wszystkie wyniki ucznia, od najstarszego (JSON; z --do: raport z wykresem)\n"
        "  usun        usuwa wpis z archiwum\n"
        "  eksport     całe archiwum do pliku JSON; import dodaje analizy z takiego pliku,\n"
        "              pomijając te, które już są w archiwum\n"
        "  odloz       odkłada nieczytelny plik archiwum (nowa nazwa .uszkodzone-RRRR-MM-DD);\n"
        "              następne polecenie zakłada nowe archiwum\n"
        "  kopiuj      dodaje do archiwum CEL wszystkie analizy archiwum ŹRÓDŁO, pomijając\n"
        "              te, które już w nim są; wypisuje liczby skopiowanych i pominiętych\n"
        "  --archiwum PLIK  inny plik archiwum (domyślnie Archiwum.sqlite w folderze danych\n"
        "              programu)\n"
        "  Archiwum na serwerze PostgreSQL (zamiast pliku, także w --z i --do):\n"
        "              postgresql://UŻYTKOWNIK@SERWER:PORT/BAZA[?sslmode=require]\n"
        "              (także postgres://…, ?host=/folder/gniazda); hasło podaje plik\n"
        "              ~/.pgpass albo zmienna PGPASSWORD, nigdy adres\n");
}

} // namespace sondrel
