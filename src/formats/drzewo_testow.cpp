// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/drzewo_testow.h"

#include <QDir>
#include <algorithm>
#include <array>

namespace sondrel {

namespace {

constexpr int PolaWpisu = 8;

// The eight fields of a line; a field without its closing "*" stays empty.
std::array<QString, PolaWpisu> PolaWiersza(QStringView wiersz) {
    std::array<QString, PolaWpisu> pola;
    int pole = 0;
    QString biezace;
    QChar poprzedni;
    for (const QChar c : wiersz) {
        if (c == QLatin1Char('*') && poprzedni != QLatin1Char('@')) {
            pola[static_cast<std::size_t>(pole)] = biezace;
            biezace.clear();
            if (++pole == PolaWpisu) break;
        } else {
            biezace.append(c);
        }
        poprzedni = c;
    }
    return pola;
}

std::optional<qint32> Liczba(const QString& pole) {
    bool ok = false;
    const int n = pole.toInt(&ok, 10); // surrounding blanks and a sign are allowed
    if (!ok) return std::nullopt;
    return n;
}

} // namespace

std::optional<Wpis> CzytajWpis(QStringView wiersz) {
    const auto pola = PolaWiersza(wiersz);
    std::array<qint32, 6> liczby{};
    for (std::size_t i = 0; i < liczby.size(); ++i) {
        const auto n = Liczba(pola[i]);
        if (!n) return std::nullopt;
        liczby[i] = *n;
    }
    Wpis w;
    w.Id = liczby[0];
    w.Poziom = liczby[1];
    w.Potomkow = liczby[2];
    w.Rodzic = liczby[3];
    w.Widoczny = w.Poziom < 1 ? liczby[4] : 0;
    w.Stan = liczby[5] == StanWybrany ? StanNormalny : liczby[5];
    w.Opis = pola[6];
    w.Plik = pola[7];
    return w;
}

QString SciezkaTestuZListy(const QString& plikListy, const QString& plik) {
    QString folder = QDir::fromNativeSeparators(plikListy);
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString nazwa = plik;
    nazwa.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (nazwa.startsWith(QLatin1Char('/')))
        nazwa.remove(0, 1);
    const qsizetype ukosnik = folder.lastIndexOf(QLatin1Char('/'));
    if (ukosnik < 0) return QDir::toNativeSeparators(nazwa); // a list named without a folder
    folder.truncate(ukosnik);
    while (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + nazwa);
}

ZakresListwy ZakresListwyListy(int wierszy, int widocznych) {
    if (widocznych < 1 || wierszy <= widocznych) return {};
    return {true, wierszy - widocznych, std::max(widocznych - 1, 1), std::max(widocznych - 2, 1)};
}

void DrzewoTestow::Wyczysc() {
    wpisy.clear();
    wiersze.clear();
    wybrany = -1;
    pozycja = 0;
}

bool DrzewoTestow::Zbuduj(const QStringList& linie) {
    Wyczysc();
    QList<Wpis> nowe;
    nowe.reserve(linie.size());
    for (const QString& linia : linie) {
        auto w = CzytajWpis(linia);
        if (!w) return false;
        nowe.append(std::move(*w));
    }
    wpisy = std::move(nowe);
    if (!wpisy.isEmpty()) {
        wybrany = 0;
        wpisy[0].Stan = StanWybrany;
    }
    PoliczWiersze();
    return true;
}

void DrzewoTestow::PoliczWiersze() {
    wiersze.clear();
    for (int i = 0; i < wpisy.size(); ++i)
        if (wpisy[i].Widoczny == 1) wiersze.append(i);
    UstawPozycje(pozycja);
}

const Wpis* DrzewoTestow::WybranyWpis() const {
    return wybrany >= 0 && wybrany < wpisy.size() ? &wpisy[wybrany] : nullptr;
}

int DrzewoTestow::WpisWWierszu(int wiersz) const {
    return wiersz >= 0 && wiersz < wiersze.size() ? wiersze[wiersz] : -1;
}

int DrzewoTestow::WierszNaWysokosci(int y) {
    return y > Margines - 1 ? (y - Margines) / WysokoscWiersza : 0;
}

bool DrzewoTestow::Grupa(int i) const {
    return i >= 0 && i < wpisy.size() && wpisy[i].Potomkow > 0;
}

bool DrzewoTestow::Otwarta(int i) const {
    return Grupa(i) && i + 1 < wpisy.size() && wpisy[i + 1].Widoczny == 1;
}

int DrzewoTestow::WybierzWiersz(int wiersz) {
    const int nowy = WpisWWierszu(wiersz);
    if (nowy < 0) return -1;
    if (wybrany >= 0 && wybrany < wpisy.size()) wpisy[wybrany].Stan = StanNormalny;
    wybrany = nowy;
    wpisy[wybrany].Stan = StanWybrany;
    return wybrany;
}

bool DrzewoTestow::PrzelaczWybrana() {
    if (!Grupa(wybrany)) return false;
    if (Otwarta(wybrany)) {
        // every level below it, however deep, as far as the list goes
        const qsizetype koniec = std::min<qsizetype>(
            wpisy.size(), qsizetype(wybrany) + 1 + qsizetype(wpisy[wybrany].Potomkow));
        for (qsizetype i = wybrany + 1; i < koniec; ++i)
            wpisy[i].Widoczny = 0;
    } else {
        const qint32 id = wpisy[wybrany].Id;
        for (qsizetype i = 0; i < wpisy.size(); ++i)
            if (wpisy[i].Rodzic == id && i != wybrany) wpisy[i].Widoczny = 1;
    }
    PoliczWiersze();
    return true;
}

void DrzewoTestow::UstawPozycje(int p) {
    const ZakresListwy z = Listwa();
    pozycja = z.widoczna ? std::clamp(p, 0, z.maks) : 0;
}

} // namespace sondrel
