// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/pak.h"

#include "core/kodowanie1250.h"
#include "core/pliki.h"
#include "formats/wiersze_txp.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cerrno>
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
    calosc.clear();
    wPamieci = false;
    bufor.clear();
    nazwy.clear();
    wpisy.clear();
    nazwaPliku.clear();
    powod.clear();
}

bool TVfsPAK::IsOpen() const {
    return plik != nullptr || wPamieci;
}

bool TVfsPAK::Open(const QString& sciezka) {
    Close();
    // Only a regular file: a folder or a pipe is no container (and a pipe could block).
    auto nowy = std::make_unique<QFile>();
    if (!OtworzZwyklyPlik(*nowy, sciezka, &powod)) return false;
    plik = std::move(nowy);
    nazwaPliku = sciezka;
    return CzytajKatalog();
}

bool TVfsPAK::WczytajCaly(const QString& sciezka) {
    Close();
    auto nowy = std::make_unique<QFile>();
    if (!OtworzZwyklyPlik(*nowy, sciezka, &powod)) return false;
    const qint64 rozmiar = nowy->size();
    if (rozmiar > MaksWPamieci) {
        plik = std::move(nowy);
        nazwaPliku = sciezka;
        return CzytajKatalog();
    }
    QByteArray dane(static_cast<qsizetype>(rozmiar), Qt::Uninitialized);
    qsizetype przeczytane = 0;
    // One read takes the whole file; more only when the system hands it out in parts.
    while (przeczytane < dane.size()) {
        errno = 0;
        const qint64 r = nowy->read(dane.data() + przeczytane, dane.size() - przeczytane);
        if (r < 0) {
            powod = PowodBledu(*nowy, errno);
            return false;
        }
        if (r == 0) break;
        przeczytane += r;
    }
    dane.truncate(przeczytane); // a file that shrank since its size was taken
    calosc = std::move(dane);
    wPamieci = true;
    nazwaPliku = sciezka;
    return CzytajKatalog();
}

qint64 TVfsPAK::Dlugosc() const {
    if (wPamieci) return calosc.size();
    return plik ? plik->size() : 0;
}

std::optional<QByteArrayView> TVfsPAK::Fragment(qint64 od, qint64 ile, QByteArray& cel) const {
    if (od < 0 || ile < 0 || od > Dlugosc() || ile > Dlugosc() - od) return std::nullopt;
    if (wPamieci) return QByteArrayView(calosc).sliced(od, ile);
    if (!plik || !plik->seek(od)) return std::nullopt;
    cel.resize(ile);
    if (plik->read(cel.data(), ile) != ile) return std::nullopt;
    return QByteArrayView(cel);
}

bool TVfsPAK::CzytajKatalog() {
    const qint64 dlugosc = Dlugosc();
    QByteArray bufor;
    const std::optional<QByteArrayView> naglowek = Fragment(0, RozmiarNaglowka, bufor);
    if (!naglowek || std::memcmp(naglowek->data(), Magia, sizeof Magia) != 0) {
        Close();
        return false;
    }
    const qint32 poczatekKatalogu = liczba(naglowek->data() + 4);
    const qint32 rozmiarKatalogu = liczba(naglowek->data() + 8);

    // The whole directory must lie inside the file; a remainder under one entry is ignored.
    if (poczatekKatalogu < 0 || rozmiarKatalogu < 0 || poczatekKatalogu > dlugosc) {
        Close();
        return false;
    }
    const qint64 ileWpisow = rozmiarKatalogu / RozmiarWpisu;
    if (ileWpisow > (dlugosc - poczatekKatalogu) / RozmiarWpisu) {
        Close();
        return false;
    }
    const std::optional<QByteArrayView> katalog =
        Fragment(poczatekKatalogu, ileWpisow * RozmiarWpisu, bufor);
    if (!katalog) {
        Close();
        return false;
    }

    nazwy.reserve(ileWpisow);
    wpisy.reserve(ileWpisow);
    for (qint64 i = 0; i < ileWpisow; ++i) {
        const char* wpis = katalog->data() + i * RozmiarWpisu;
        // The name ends at the first zero byte or fills all 120 bytes.
        const char* zero = static_cast<const char*>(std::memchr(wpis, 0, DlugoscNazwy));
        const qsizetype dlugoscNazwy = zero ? zero - wpis : DlugoscNazwy;
        nazwy.append(Z1250(QByteArrayView(wpis, dlugoscNazwy)));
        wpisy.append(Wpis{liczba(wpis + DlugoscNazwy), liczba(wpis + DlugoscNazwy + 4)});
    }
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

std::optional<QByteArrayView> TVfsPAK::Czlon(qsizetype i, QByteArray& cel) const {
    if (i < 0 || !IsOpen()) return std::nullopt;
    // Checked against the file's length now, not at opening: the file may have shrunk since.
    return Fragment(wpisy[i].przesuniecie, wpisy[i].rozmiar, cel);
}

std::optional<QByteArray> TVfsPAK::Extract(const QString& nazwa) const {
    QByteArray dane;
    const std::optional<QByteArrayView> czlon = Czlon(indeks(nazwa), dane);
    if (!czlon) return std::nullopt;
    return wPamieci ? czlon->toByteArray() : dane;
}

std::optional<QByteArrayView> TVfsPAK::ExtractView(const QString& nazwa) const {
    return Czlon(indeks(nazwa), bufor);
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
