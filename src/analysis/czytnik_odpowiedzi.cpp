#include "analysis/czytnik_odpowiedzi.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "formats/pak.h"
#include "formats/wartosci.h"
#include "formats/xml.h"

#include <QFileInfo>
#include <optional>

namespace sondrel {

namespace {

enum class Otwarcie { Dokument, StaraWersja, Blad };

// The common start of the three reads: the container is opened (a file that is missing or not
// a container simply has no members), an older version is recognised, "Selo0.xml" is extracted
// and parsed and the decode flag of this document is read. A document that does not parse keeps
// what was read before the error; missing elements read as empty text or 0.
Otwarcie OtworzOdpowiedzi(const QString& sciezka, TpkXML& dokument, int& flaga) {
    TVfsPAK pak;
    OtworzPak(sciezka, pak);
    if (JestWPak(QStringLiteral("Selo0.txp"), pak)) return Otwarcie::StaraWersja;
    const std::optional<QByteArray> dane = StrumienZPak(QStringLiteral("Selo0.xml"), pak);
    if (!dane) return Otwarcie::Blad;
    dokument.Parse(*dane);
    flaga = FlagaDekodowania(dokument, u"odp");
    return Otwarcie::Dokument;
}

// "pyt" and the question's number, held on the stack: made for every question of every file.
class NazwaPytania {
public:
    // `numer` is 1..MaksPytan: one or two digits.
    static_assert(MaksPytan < 100);
    explicit NazwaPytania(int numer) {
        if (numer >= 10) znaki[dlugosc++] = char16_t(u'0' + numer / 10);
        znaki[dlugosc++] = char16_t(u'0' + numer % 10);
    }
    QStringView tekst() const { return QStringView(znaki, dlugosc); }

private:
    char16_t znaki[5] = {u'p', u'y', u't'};
    int dlugosc = 3;
};

QString NazwaPliku(const QString& sciezka) {
    return QFileInfo(sciezka).fileName();
}

const QString StaraWersjaPierwszego =
    QStringLiteral("Wersja ta nie analizuje wyników starszych wersji programu.\rSkorzystaj ze "
                   "starszej wersji modułu Sondrel.\rPrzerwano dalszą analizę wyników.");

void JournalBladPliku(const Srodowisko& s, const QString& sciezka) {
    s.WpiszDoDziennika(0, QStringLiteral("Odczyt pliku wyniku. Błąd analizy zawartości pliku ") +
                              NazwaPliku(sciezka) + QLatin1Char('.'));
}

} // namespace

WynikNaglowka WczytajNaglowek(const QString& sciezka, Analiza& analiza, Srodowisko& srodowisko) {
    TpkXML dokument;
    int flaga = 0;
    switch (OtworzOdpowiedzi(sciezka, dokument, flaga)) {
    case Otwarcie::StaraWersja:
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, StaraWersjaPierwszego);
        return WynikNaglowka::StaraWersja;
    case Otwarcie::Blad:
        srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            QStringLiteral(
                "Wystąpiły problemy z przetwarzaniem pierwszego z plików.\r"
                "Prawdopodobnie plik jest uszkodzony.\rDalsza analiza została przerwana."));
        srodowisko.WpiszDoDziennika(
            0, QStringLiteral("Odczyt pliku wyniku. Błąd analizy zawartości pliku xml."));
        return WynikNaglowka::Odrzucony;
    case Otwarcie::Dokument:
        break;
    }
    auto tekst = [&](const QStringList& s) { return WezTekst(flaga, s, dokument); };
    auto liczba = [&](const QStringList& s) { return WezLiczbe(flaga, s, dokument); };

    OTescie& t = analiza.Test;
    t.IloscPytan = liczba({"odp", "ilp"});
    t.IloscOdpowiedzi = liczba({"odp", "ilo"});
    t.TypTestu = liczba({"odp", "typ"});
    // The records hold 1..60 questions of 1..5 options; a test of no questions would make
    // every percentage a division by zero.
    if (t.IloscPytan < 1 || t.IloscPytan > MaksPytan || t.IloscOdpowiedzi < 1 ||
        t.IloscOdpowiedzi > MaksOdpowiedzi) {
        srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            QStringLiteral("Plik odpowiedzi opisuje test, którego program nie obsłuży.\rTest może "
                           "mieć od 1 do 60 pytań i od 1 do 5 odpowiedzi w pytaniu.\rDalsza "
                           "analiza została przerwana."));
        srodowisko.WpiszDoDziennika(
            0, QStringLiteral("Odczyt pliku wyniku. Nieobsługiwana liczba pytań lub odpowiedzi."));
        return WynikNaglowka::Odrzucony;
    }
    t.NazwaTestu = tekst({"odp", "nmt"});
    t.Autor = tekst({"odp", "name"});
    t.Czas = liczba({"odp", "tim"});
    t.Wersja = tekst({"odp", "ver"});
    t.Tkk = liczba({"odp", "skl", "tkk"});
    t.ProgCel = liczba({"odp", "skl", "cel"});
    t.ProgBdb = liczba({"odp", "skl", "bdb"});
    t.ProgDb = liczba({"odp", "skl", "db"});
    t.ProgDst = liczba({"odp", "skl", "dst"});
    t.ProgDp = liczba({"odp", "skl", "dp"});
    return WynikNaglowka::Przyjety;
}

int WczytajUcznia(const QString& sciezka, int slot, Analiza& analiza, Srodowisko& srodowisko) {
    TpkXML dokument;
    int flaga = 0;
    switch (OtworzOdpowiedzi(sciezka, dokument, flaga)) {
    case Otwarcie::StaraWersja:
        // A later file of an older version is skipped; the reading goes on.
        srodowisko.WpiszDoDziennika(0, QStringLiteral("Odczyt pliku wyniku. Stara wersja pliku ") +
                                           NazwaPliku(sciezka) + QLatin1Char('.'));
        return UczenStaraWersja;
    case Otwarcie::Blad:
        JournalBladPliku(srodowisko, sciezka);
        return UczenBlad;
    case Otwarcie::Dokument:
        break;
    }
    // Every value lies under `odp` (the answers one level deeper, under `pyt`n): the elements
    // are found once instead of walking the path from the top for every value. Missing ones are
    // created empty and read as empty text, as WezTekst reads them.
    TpkXMLNode& odp = *dokument.FindNode(u"odp", true);
    auto element = [](TpkXMLNode& rodzic, QStringView nazwa) -> TpkXMLNode& {
        return *rodzic.ChildByName(nazwa, true);
    };
    auto tekst = [&](TpkXMLNode& rodzic, QStringView nazwa) {
        return TekstElementu(flaga, element(rodzic, nazwa));
    };
    auto liczba = [&](QStringView nazwa) {
        int kod = 0;
        return LiczbaElementu(flaga, element(odp, nazwa), kod);
    };

    const OTescie& t = analiza.Test;
    const QString nmt = tekst(odp, u"nmt");
    const qint32 ilp = liczba(u"ilp");
    const qint32 ilo = liczba(u"ilo");
    if (nmt != t.NazwaTestu || ilp != t.IloscPytan || ilo != t.IloscOdpowiedzi) {
        srodowisko.WpiszDoDziennika(
            0, QStringLiteral("Odczyt pliku wyniku. Plik ") + NazwaPliku(sciezka) +
                   QStringLiteral(" dotyczy innego testu niż analizowany."));
        return UczenInnyTest;
    }
    // Only a header that WczytajNaglowek accepted gets here in an analysis; anything else
    // would reach past the records.
    if (slot < 1 || slot > MaksUczniow || t.IloscPytan < 1 || t.IloscPytan > MaksPytan) {
        JournalBladPliku(srodowisko, sciezka);
        return UczenBlad;
    }

    OdpowiedzBig& u = analiza.Uczniowie[slot];
    u.Nazwisko = tekst(odp, u"nzu");
    u.Imie = tekst(odp, u"imu");
    DataCzas* czasy[] = {&u.Start, &u.Koniec, &u.Zapis};
    const char16_t* elementy[] = {u"dts", u"dtk", u"dtz"};
    for (int i = 0; i < 3; ++i) {
        const std::optional<DataCzas> czas = CzasZTekstu(tekst(odp, elementy[i]));
        if (!czas) {
            JournalBladPliku(srodowisko, sciezka);
            return UczenBlad;
        }
        *czasy[i] = *czas;
    }
    u.Zwm = tekst(odp, u"zwm") == QLatin1String("1");
    u.Poprawnych = 0;

    QString w, k; // the answers of every question go through the same two strings
    for (int q = 1; q <= t.IloscPytan; ++q) {
        NazwaPytania pyt(q);
        TpkXMLNode& pytanie = element(odp, pyt.tekst());
        TekstElementu(flaga, element(pytanie, u"nrw"), w);
        TekstElementu(flaga, element(pytanie, u"nrp"), k);
        if (w.isEmpty() || k.isEmpty()) {
            JournalBladPliku(srodowisko, sciezka);
            return UczenBlad;
        }
        if (ZapiszOdpowiedz(u, q, w, k)) ++u.Poprawnych;
    }
    OcenUcznia(t, u);
    return UczenWczytany;
}

QString OdczytajNazweUcznia(const QString& sciezka, bool najpierwImie, Srodowisko& srodowisko) {
    TpkXML dokument;
    int flaga = 0;
    switch (OtworzOdpowiedzi(sciezka, dokument, flaga)) {
    case Otwarcie::StaraWersja:
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, StaraWersjaPierwszego);
        srodowisko.WpiszDoDziennika(0, QStringLiteral("Odczyt pliku wyniku. Stara wersja pliku ") +
                                           NazwaPliku(sciezka) + QLatin1Char('.'));
        return QString();
    case Otwarcie::Blad:
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                                  QStringLiteral("Wystąpiły problemy z przetwarzaniem pliku ") +
                                      NazwaPliku(sciezka) +
                                      QStringLiteral(".\rPrawdopodobnie plik jest uszkodzony.\r"
                                                     "Dalsza analiza została przerwana."));
        JournalBladPliku(srodowisko, sciezka);
        return QString();
    case Otwarcie::Dokument:
        break;
    }
    OdpowiedzBig uczen;
    uczen.Imie = WezTekst(flaga, {"odp", "imu"}, dokument);
    uczen.Nazwisko = WezTekst(flaga, {"odp", "nzu"}, dokument);
    return NazwaUcznia(uczen, najpierwImie);
}

} // namespace sondrel
