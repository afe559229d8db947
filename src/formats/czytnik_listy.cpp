// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/czytnik_listy.h"

#include "formats/pak.h"
#include "formats/wartosci.h"
#include "formats/wiersze_txp.h"
#include "formats/xml.h"

#include <optional>

namespace sondrel {

namespace {

const QString DokumentXml = QStringLiteral("Selt0.xml");
const QString DokumentTxp = QStringLiteral("Selt0.txp");

void BladSpakowanej(const Srodowisko& s) {
    s.WpiszDoDziennika(
        0, QStringLiteral("Odczyt listy testów. Błąd wczytania spakowanej zawartości."));
}

bool Wersja35(const TVfsPAK& pak, QStringList& wpisy, Analiza& a, Srodowisko& s) {
    a.WyczyscNaglowekListy();
    wpisy.clear();
    const std::optional<QByteArray> dane = StrumienZPak(DokumentTxp, pak);
    if (!dane) {
        s.WpiszDoDziennika(0, QStringLiteral("Odczyt listy testów. Ver 35. Błąd odczytu."));
        s.PokazKomunikat(
            KomunikatInformacja, IkonaInformacja,
            QStringLiteral("Błąd odczytu listy.\rPrawdopodobnie lista jest uszkodzona."));
        return false;
    }
    // Line 0 is not used; the header of an older list is not stored in it.
    const QList<QByteArray> wiersze = WierszeTxp(*dane);
    for (qsizetype i = 1; i < wiersze.size(); ++i)
        wpisy.append(OdkodujUstawienia(QByteArrayView(wiersze[i])));
    return true;
}

bool Wersja40(const TVfsPAK& pak, QStringList& wpisy, Analiza& a, Srodowisko& s) {
    a.WyczyscNaglowekListy();
    const std::optional<QByteArray> dane = StrumienZPak(DokumentXml, pak);
    if (!dane) {
        // The member is listed but its data does not lie inside the file.
        BladSpakowanej(s);
        return false;
    }
    TpkXML dokument;
    dokument.Parse(*dane);
    const int flaga = FlagaDekodowania(dokument, u"lst");
    const qint32 ilw = WezLiczbe(flaga, {"lst", "ilw"}, dokument);
    a.Lista.Nazwa = WezTekst(flaga, {"lst", "name"}, dokument);
    a.Lista.Data = WezTekst(flaga, {"lst", "dtu"}, dokument);
    a.Lista.Uwagi = WezTekst(flaga, {"lst", "uwg"}, dokument);

    // Entries that the document lacks read as empty lines. Every entry the document really
    // holds takes more than one byte of it, so a claimed count beyond the document's size adds
    // nothing but empty lines; it is cut there to keep a lying count from filling the memory.
    const qint64 wpisow = std::min<qint64>(ilw, dane->size());
    wpisy.clear();
    TpkXMLNode* lista = dokument.FindNode(u"lst", true);
    for (qint64 i = 0; i < wpisow; ++i) {
        const QString nazwa = QStringLiteral("dx%1").arg(i);
        // Looked up without creating: a missing entry is an empty line either way.
        if (lista->ChildByName(nazwa, false))
            wpisy.append(WezTekst(flaga, {"lst", nazwa}, dokument));
        else
            wpisy.append(QString());
    }
    return true;
}

} // namespace

bool WczytajListeTestow(const QString& sciezka, QStringList& wpisy, Analiza& analiza,
                        Srodowisko& srodowisko) {
    TVfsPAK pak;
    // A file that is missing or not a container simply has no members.
    OtworzPak(sciezka, pak);
    if (JestWPak(DokumentTxp, pak)) return Wersja35(pak, wpisy, analiza, srodowisko);
    if (!JestWPak(DokumentXml, pak)) {
        BladSpakowanej(srodowisko);
        return false;
    }
    return Wersja40(pak, wpisy, analiza, srodowisko);
}

} // namespace sondrel
