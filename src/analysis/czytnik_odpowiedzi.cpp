// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/czytnik_odpowiedzi.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "formats/pak.h"
#include "formats/wartosci.h"
#include "formats/xml.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace sondrel {

namespace {

enum class Otwarcie { Dokument, StaraWersja, Blad };

// An answer document: the container, read whole into memory with one read, and "Selo0.xml"
// parsed as a view over the container's bytes (no tree, no strings until a value is asked for).
struct DokumentOdpowiedzi {
    TVfsPAK pak;
    WidokXML xml;
    int flaga = 0;
    qint32 odp = WidokXML::Brak; // the document element; every value lies under it

    // The element `nazwa` under `rodzic`; WidokXML::Brak, which reads as empty, when missing.
    qint32 Element(qint32 rodzic, QStringView nazwa) const { return xml.Dziecko(rodzic, nazwa); }
    QString Tekst(qint32 rodzic, QStringView nazwa) const {
        return TekstElementu(flaga, xml, Element(rodzic, nazwa));
    }
    qint32 Liczba(qint32 rodzic, QStringView nazwa) const {
        int kod = 0;
        return LiczbaElementu(flaga, xml, Element(rodzic, nazwa), kod);
    }
};

// The common start of the three reads: the container is opened (a file that is missing or not
// a container simply has no members), an older version is recognised, "Selo0.xml" is extracted
// and parsed and the decode flag of this document is read. A document that does not parse keeps
// what was read before the error; missing elements read as empty text or 0.
Otwarcie OtworzOdpowiedzi(const QString& sciezka, DokumentOdpowiedzi& d) {
    d.pak.WczytajCaly(sciezka);
    if (JestWPak(QStringLiteral("Selo0.txp"), d.pak)) return Otwarcie::StaraWersja;
    const std::optional<QByteArrayView> dane = d.pak.ExtractView(QStringLiteral("Selo0.xml"));
    if (!dane) return Otwarcie::Blad;
    d.xml.Parse(*dane);
    d.odp = d.xml.Dziecko(WidokXML::Korzen, u"odp");
    d.flaga = FlagaDekodowania(d.xml, u"odp");
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

const QString BladZawartosci =
    QStringLiteral("Odczyt pliku wyniku. Błąd analizy zawartości pliku ");

void JournalBladPliku(const Srodowisko& s, const QString& sciezka) {
    s.WpiszDoDziennika(0, BladZawartosci + NazwaPliku(sciezka) + QLatin1Char('.'));
}

// A later answer file that the analysis skips because it cannot be read.
void PominietyBlad(const Srodowisko& s, const QString& sciezka) {
    s.PominietoPlik(sciezka, BladZawartosci, QStringLiteral("."));
}

} // namespace

WynikNaglowka WczytajNaglowek(const QString& sciezka, Analiza& analiza, Srodowisko& srodowisko) {
    DokumentOdpowiedzi d;
    switch (OtworzOdpowiedzi(sciezka, d)) {
    case Otwarcie::StaraWersja:
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, StaraWersjaPierwszego);
        return WynikNaglowka::StaraWersja;
    case Otwarcie::Blad:
        srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            QStringLiteral(
                "Wystąpiły problemy z przetwarzaniem pierwszego z plików.\r"
                "Prawdopodobnie plik jest uszkodzony.\rDalsza analiza została przerwana."),
            d.pak.Powod());
        srodowisko.WpiszDoDziennika(
            0, QStringLiteral("Odczyt pliku wyniku. Błąd analizy zawartości pliku xml."));
        return WynikNaglowka::Odrzucony;
    case Otwarcie::Dokument:
        break;
    }

    OTescie& t = analiza.Test;
    t.IloscPytan = d.Liczba(d.odp, u"ilp");
    t.IloscOdpowiedzi = d.Liczba(d.odp, u"ilo");
    t.TypTestu = d.Liczba(d.odp, u"typ");
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
    t.NazwaTestu = d.Tekst(d.odp, u"nmt");
    t.Autor = d.Tekst(d.odp, u"name");
    t.Czas = d.Liczba(d.odp, u"tim");
    t.Wersja = d.Tekst(d.odp, u"ver");
    const qint32 skl = d.Element(d.odp, u"skl");
    t.Tkk = d.Liczba(skl, u"tkk");
    t.ProgCel = d.Liczba(skl, u"cel");
    t.ProgBdb = d.Liczba(skl, u"bdb");
    t.ProgDb = d.Liczba(skl, u"db");
    t.ProgDst = d.Liczba(skl, u"dst");
    t.ProgDp = d.Liczba(skl, u"dp");
    return WynikNaglowka::Przyjety;
}

int WczytajUcznia(const QString& sciezka, int slot, Analiza& analiza, Srodowisko& srodowisko) {
    DokumentOdpowiedzi d;
    switch (OtworzOdpowiedzi(sciezka, d)) {
    case Otwarcie::StaraWersja:
        // A later file of an older version is skipped; the reading goes on.
        srodowisko.PominietoPlik(sciezka,
                                 QStringLiteral("Odczyt pliku wyniku. Stara wersja pliku "),
                                 QStringLiteral("."));
        return UczenStaraWersja;
    case Otwarcie::Blad:
        PominietyBlad(srodowisko, sciezka);
        return UczenBlad;
    case Otwarcie::Dokument:
        break;
    }

    const OTescie& t = analiza.Test;
    const QString nmt = d.Tekst(d.odp, u"nmt");
    const qint32 ilp = d.Liczba(d.odp, u"ilp");
    const qint32 ilo = d.Liczba(d.odp, u"ilo");
    if (nmt != t.NazwaTestu || ilp != t.IloscPytan || ilo != t.IloscOdpowiedzi) {
        srodowisko.PominietoPlik(sciezka, QStringLiteral("Odczyt pliku wyniku. Plik "),
                                 QStringLiteral(" dotyczy innego testu niż analizowany."));
        return UczenInnyTest;
    }
    // Only a header that WczytajNaglowek accepted gets here in an analysis; anything else
    // would reach past the records.
    if (slot < 1 || slot > MaksUczniow || t.IloscPytan < 1 || t.IloscPytan > MaksPytan) {
        PominietyBlad(srodowisko, sciezka);
        return UczenBlad;
    }

    OdpowiedzBig& u = analiza.Uczniowie[slot];
    u.Nazwisko = NazwaBezZnakowSterujacych(d.Tekst(d.odp, u"nzu"));
    u.Imie = NazwaBezZnakowSterujacych(d.Tekst(d.odp, u"imu"));
    DataCzas* czasy[] = {&u.Start, &u.Koniec, &u.Zapis};
    const char16_t* elementy[] = {u"dts", u"dtk", u"dtz"};
    for (int i = 0; i < 3; ++i) {
        const std::optional<DataCzas> czas = CzasZTekstu(d.Tekst(d.odp, elementy[i]));
        if (!czas) {
            PominietyBlad(srodowisko, sciezka);
            return UczenBlad;
        }
        *czasy[i] = *czas;
    }
    u.Zwm = d.Tekst(d.odp, u"zwm") == QLatin1String("1");
    u.Poprawnych = 0;

    BuforTekstu w, k; // the answers of every question go through the same two buffers
    for (int q = 1; q <= t.IloscPytan; ++q) {
        const qint32 pytanie = d.Element(d.odp, NazwaPytania(q).tekst());
        TekstElementu(d.flaga, d.xml, d.Element(pytanie, u"nrw"), w);
        TekstElementu(d.flaga, d.xml, d.Element(pytanie, u"nrp"), k);
        if (w.isEmpty() || k.isEmpty()) {
            PominietyBlad(srodowisko, sciezka);
            return UczenBlad;
        }
        if (ZapiszOdpowiedz(u, q, QStringView(w.data(), w.size()), QStringView(k.data(), k.size())))
            ++u.Poprawnych;
    }
    OcenUcznia(t, u);
    return UczenWczytany;
}

QString NazwaBezZnakowSterujacych(const QString& nazwa) {
    const auto sterujacy = [](QChar c) { return c.category() == QChar::Other_Control; };
    if (std::none_of(nazwa.begin(), nazwa.end(), sterujacy)) return nazwa;
    QString czysta;
    czysta.reserve(nazwa.size());
    for (const QChar c : nazwa) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            czysta += u' ';
        else if (!sterujacy(c))
            czysta += c;
    }
    return czysta;
}

QString OdczytajNazweUcznia(const QString& sciezka, bool najpierwImie, Srodowisko& srodowisko) {
    DokumentOdpowiedzi d;
    switch (OtworzOdpowiedzi(sciezka, d)) {
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
    uczen.Imie = NazwaBezZnakowSterujacych(d.Tekst(d.odp, u"imu"));
    uczen.Nazwisko = NazwaBezZnakowSterujacych(d.Tekst(d.odp, u"nzu"));
    return NazwaUcznia(uczen, najpierwImie);
}

} // namespace sondrel
