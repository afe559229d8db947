// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/czytnik_testu.h"

#include "formats/pak.h"
#include "formats/wartosci.h"
#include "formats/wiersze_txp.h"
#include "formats/xml.h"

#include <algorithm>
#include <optional>

namespace sondrel {

namespace {

const QString DokumentXml = QStringLiteral("Serr0.xml");
const QString DokumentTxp = QStringLiteral("Serr0.txp");

// Every question and every number the records can hold; a header that claims more (it never
// does after the first answer file was accepted) reads no further than the records reach.
int PytanDoWczytania(const OTescie& test) {
    return std::clamp(test.IloscPytan, 0, MaksPytan);
}

int InnyTest(Srodowisko& s) {
    const QString tekst = QStringLiteral(
        "Otwierany test, jest inny, niż rozwiązywany przez analizowanych użykowników.");
    s.WpiszDoDziennika(0, tekst);
    s.PokazKomunikat(KomunikatInformacja, IkonaInformacja,
                     tekst +
                         QStringLiteral("\rZostanie wykonana tylko prosta analiza wyników testu."));
    return TestInny;
}

// Sets the five Poprawna flags from the key: character k is "1", characters beyond the end of
// the key are not.
void UstawPoprawne(Pytanie& p, int opcji) {
    for (int k = 1; k <= opcji; ++k)
        p.Odpowiedzi[k].Poprawna =
            k <= p.WzorOdpowiedzi.size() && p.WzorOdpowiedzi.at(k - 1) == QLatin1Char('1');
}

int Wersja40(Analiza& a, Srodowisko& s) {
    const std::optional<QByteArray> dane = StrumienZPak(DokumentXml, *a.KontenerTestu);
    if (!dane) {
        s.WpiszDoDziennika(0,
                           QStringLiteral("Odczyt. Ver 40. Błąd dekodowania informacji o teście."));
        return TestNieczytelny;
    }
    // A document that does not parse keeps what was read before the error; missing elements
    // read as empty text or 0.
    TpkXML dokument;
    dokument.Parse(*dane);
    const int flaga = FlagaDekodowania(dokument, u"tst");
    auto tekst = [&](const QStringList& sciezka) { return WezTekst(flaga, sciezka, dokument); };
    auto liczba = [&](const QStringList& sciezka) { return WezLiczbe(flaga, sciezka, dokument); };

    // Checked in this order, stopping at the first difference.
    if (liczba({"tst", "typ"}) != a.Test.TypTestu) return InnyTest(s);
    if (liczba({"tst", "ilp"}) != a.Test.IloscPytan) return InnyTest(s);
    if (tekst({"tst", "nmt"}) != a.Test.NazwaTestu) return InnyTest(s);
    if (liczba({"tst", "ilo"}) != a.Test.IloscOdpowiedzi) return InnyTest(s);

    const int pytan = PytanDoWczytania(a.Test);
    for (int n = 1; n <= pytan; ++n) {
        const QString pyt = QStringLiteral("pyt%1").arg(n);
        Pytanie& p = a.Pytania[n];
        p.Tresc = tekst({"tst", pyt, "tr"});
        for (int k = 1; k <= MaksOdpowiedzi; ++k)
            p.Odpowiedzi[k].Tresc = tekst({"tst", pyt, QStringLiteral("od%1").arg(k)});
        p.WzorOdpowiedzi = tekst({"tst", pyt, "odp"});
        p.Tekst = tekst({"tst", pyt, "plr"});
        p.Obraz = tekst({"tst", pyt, "plimg"});
        p.Komentarz = tekst({"tst", pyt, "kom"});
        if (p.WzorOdpowiedzi.isEmpty()) {
            s.WpiszDoDziennika(0, QStringLiteral("Odczyt. Ver 40. Błąd dekodowania pytania nr. ") +
                                      QString::number(n));
            return TestNieczytelny;
        }
        UstawPoprawne(p, MaksOdpowiedzi);
    }
    a.Test.DataUtworzenia = tekst({"tst", "dtu"});
    a.Test.Uwagi = tekst({"tst", "uwg"});
    return TestWczytany;
}

int Wersja35(Analiza& a, Srodowisko& s) {
    const std::optional<QByteArray> dane = StrumienZPak(DokumentTxp, *a.KontenerTestu);
    const QList<QByteArray> wiersze = dane ? WierszeTxp(*dane) : QList<QByteArray>();

    // Lines 1, 2, 3 and 5 are decoded and 1, 2 and 5 converted before anything is compared.
    auto naglowekBlad = [&] {
        s.WpiszDoDziennika(0,
                           QStringLiteral("Odczyt. Ver 35. Błąd dekodowania informacji o teście."));
        return TestNieczytelny;
    };
    if (!dane || wiersze.size() < 6) return naglowekBlad();
    bool okTyp = false, okPytan = false, okOpcji = false;
    const int typ = OdkodujTest(wiersze[1]).toInt(&okTyp, 10);
    const int pytan = OdkodujTest(wiersze[2]).toInt(&okPytan, 10);
    const QString nazwa = OdkodujTest(wiersze[3]);
    const int opcji = OdkodujTest(wiersze[5]).toInt(&okOpcji, 10);
    if (!okTyp || !okPytan || !okOpcji) return naglowekBlad();

    if (typ != a.Test.TypTestu || pytan != a.Test.IloscPytan || nazwa != a.Test.NazwaTestu ||
        opcji != a.Test.IloscOdpowiedzi)
        return InnyTest(s);

    const int doWczytania = PytanDoWczytania(a.Test);
    for (int n = 1; n <= doWczytania; ++n) {
        Pytanie& p = a.Pytania[n];
        // The nine lines of the question, in this order; a missing line stops the question
        // with the fields before it filled.
        QString* pola[] = {&p.Tresc,
                           &p.Odpowiedzi[1].Tresc,
                           &p.Odpowiedzi[2].Tresc,
                           &p.Odpowiedzi[3].Tresc,
                           &p.Odpowiedzi[4].Tresc,
                           &p.WzorOdpowiedzi,
                           &p.Tekst,
                           &p.Obraz,
                           &p.Komentarz};
        const qsizetype pierwszy = 9 * qsizetype{n} - 3;
        bool dobre = true;
        for (qsizetype i = 0; i < 9; ++i) {
            if (pierwszy + i >= wiersze.size()) {
                dobre = false;
                break;
            }
            *pola[i] = OdkodujTest(wiersze[pierwszy + i]);
        }
        if (dobre) {
            p.Odpowiedzi[5].Tresc.clear();
            dobre = !p.WzorOdpowiedzi.isEmpty();
        }
        if (!dobre) {
            s.WpiszDoDziennika(0, QStringLiteral("Odczyt. Ver 35. Błąd dekodowania pytania nr. ") +
                                      QString::number(n));
            return TestNieczytelny;
        }
        // Four options; the fifth is always flagged correct.
        UstawPoprawne(p, 4);
        p.Odpowiedzi[5].Poprawna = true;
    }
    return TestWczytany;
}

} // namespace

int WczytajTest(const QString& sciezka, Analiza& analiza, Srodowisko& srodowisko) {
    analiza.WyczyscPytania();
    if (!analiza.KontenerTestu) analiza.KontenerTestu = std::make_shared<TVfsPAK>();
    // A file that is missing or not a container simply has no members.
    OtworzPak(sciezka, *analiza.KontenerTestu);
    const int wynik = JestWPak(DokumentTxp, *analiza.KontenerTestu) ? Wersja35(analiza, srodowisko)
                                                                    : Wersja40(analiza, srodowisko);
    if (wynik == TestNieczytelny)
        srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            QStringLiteral(
                "Problemy z otwarciem pliku testu.\rPrawdopodobnie plik jest uszkodzony."),
            analiza.KontenerTestu->Powod());
    return wynik;
}

} // namespace sondrel
