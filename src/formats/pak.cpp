#include "formats/pak.h"

#include "core/kodowanie1250.h"
#include "core/pliki.h"
#include "formats/wiersze_txp.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cstring>

namespace sondrel {

namespace {

constexpr char Magia[4] = {'P', 'A', 'C', 'K'};

qint32 liczba(const char* bajty) {
    return qFromLittleEndian<qint32>(bajty);
}

} // namespace

TVfsPAK::TVfsPAK() = default;
TVfsPAK::~TVfsPAK() = default;

void TVfsPAK::Close() {
    plik.reset();
    nazwy.clear();
    wpisy.clear();
    nazwaPliku.clear();
}

bool TVfsPAK::IsOpen() const {
    return plik != nullptr;
}

bool TVfsPAK::Open(const QString& sciezka) {
    Close();
    // Only a regular file: a folder or a pipe is no container (and a pipe could block).
    if (!QFileInfo(sciezka).isFile()) return false;
    auto nowy = std::make_unique<QFile>(sciezka);
    if (!nowy->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;

    const qint64 dlugosc = nowy->size();
    if (dlugosc < RozmiarNaglowka) return false;
    char naglowek[RozmiarNaglowka];
    if (nowy->read(naglowek, RozmiarNaglowka) != RozmiarNaglowka ||
        std::memcmp(naglowek, Magia, sizeof Magia) != 0)
        return false;
    const qint32 poczatekKatalogu = liczba(naglowek + 4);
    const qint32 rozmiarKatalogu = liczba(naglowek + 8);

    // The whole directory must lie inside the file; a remainder under one entry is ignored.
    if (poczatekKatalogu < 0 || rozmiarKatalogu < 0 || poczatekKatalogu > dlugosc) return false;
    const qint64 ileWpisow = rozmiarKatalogu / RozmiarWpisu;
    if (ileWpisow > (dlugosc - poczatekKatalogu) / RozmiarWpisu) return false;

    QByteArray katalog;
    if (ileWpisow > 0) {
        if (!nowy->seek(poczatekKatalogu)) return false;
        katalog = nowy->read(ileWpisow * RozmiarWpisu);
        if (katalog.size() != ileWpisow * RozmiarWpisu) return false;
    }

    QStringList noweNazwy;
    QVector<Wpis> noweWpisy;
    noweNazwy.reserve(ileWpisow);
    noweWpisy.reserve(ileWpisow);
    for (qint64 i = 0; i < ileWpisow; ++i) {
        const char* wpis = katalog.constData() + i * RozmiarWpisu;
        // The name ends at the first zero byte or fills all 120 bytes.
        const char* zero = static_cast<const char*>(std::memchr(wpis, 0, DlugoscNazwy));
        const qsizetype dlugoscNazwy = zero ? zero - wpis : DlugoscNazwy;
        noweNazwy.append(Z1250(QByteArrayView(wpis, dlugoscNazwy)));
        noweWpisy.append(Wpis{liczba(wpis + DlugoscNazwy), liczba(wpis + DlugoscNazwy + 4)});
    }

    plik = std::move(nowy);
    nazwy = std::move(noweNazwy);
    wpisy = std::move(noweWpisy);
    nazwaPliku = sciezka;
    return true;
}

qsizetype TVfsPAK::indeks(const QString& nazwa) const {
    for (qsizetype i = 0; i < nazwy.size(); ++i)
        if (QString::compare(nazwy[i], nazwa, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool TVfsPAK::Exists(const QString& nazwa) const {
    return indeks(nazwa) >= 0;
}

std::optional<QByteArray> TVfsPAK::Extract(const QString& nazwa) const {
    const qsizetype i = indeks(nazwa);
    if (i < 0 || !plik) return std::nullopt;
    const Wpis wpis = wpisy[i];
    // Checked against the file's length now, not at opening: the file may have shrunk since.
    const qint64 dlugosc = plik->size();
    if (wpis.przesuniecie < 0 || wpis.rozmiar < 0 || wpis.przesuniecie > dlugosc ||
        wpis.rozmiar > dlugosc - wpis.przesuniecie)
        return std::nullopt;
    if (wpis.rozmiar == 0) return QByteArray();
    if (!plik->seek(wpis.przesuniecie)) return std::nullopt;
    QByteArray dane(wpis.rozmiar, Qt::Uninitialized);
    if (plik->read(dane.data(), wpis.rozmiar) != wpis.rozmiar) return std::nullopt;
    return dane;
}

bool TVfsPAK::ExtractToFile(const QString& nazwa, const QString& sciezkaDocelowa) const {
    const std::optional<QByteArray> dane = Extract(nazwa);
    if (!dane) return false;
    return ZapiszPlik(sciezkaDocelowa, *dane) && !dane->isEmpty();
}

bool OtworzPak(const QString& sciezka, TVfsPAK& pak) {
    return pak.Open(sciezka);
}

void ListaPlikowPak(QStringList& lista, const TVfsPAK& pak) {
    lista = pak.Names();
}

bool JestWPak(const QString& nazwa, const TVfsPAK& pak) {
    return pak.Exists(nazwa);
}

std::optional<QByteArray> StrumienZPak(const QString& nazwa, const TVfsPAK& pak) {
    return pak.Extract(nazwa);
}

bool WypakujDoPliku(const QString& nazwa, const QString& sciezkaDocelowa, const TVfsPAK& pak) {
    return pak.ExtractToFile(nazwa, sciezkaDocelowa);
}

bool WczytajTekstZPak(const QString& nazwa, QStringList& lista, const TVfsPAK& pak) {
    lista.clear();
    const std::optional<QByteArray> dane = pak.Extract(nazwa);
    if (!dane) return false;
    for (const QByteArray& wiersz : WierszeTxp(*dane))
        lista.append(Z1250(wiersz));
    return true;
}

bool WczytajObrazZPak(const QString& nazwa, RozmiarObrazu& obraz, const TVfsPAK& pak) {
    obraz = RozmiarObrazu{};
    if (!pak.Exists(nazwa)) return false;
    const std::optional<RodzajObrazu> rodzaj = RodzajObrazuZNazwy(nazwa);
    if (!rodzaj) return false;
    const std::optional<QByteArray> dane = pak.Extract(nazwa);
    if (!dane) return false;
    const std::optional<RozmiarObrazu> rozmiar = RozmiarObrazuZDanych(*rodzaj, *dane);
    if (!rozmiar) return false;
    obraz = *rozmiar;
    return true;
}

} // namespace sondrel
