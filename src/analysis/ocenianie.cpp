// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ocenianie.h"

#include "core/lokalizacja.h"

#include <QCollator>
#include <algorithm>
#include <array>
#include <vector>

namespace sondrel {

namespace {

struct Stopien {
    const char16_t* skrot;
    const char16_t* nazwa;
};

constexpr std::array<Stopien, LiczbaStopni> stopnie{{
    {u"Cel", u"Celujący"},
    {u"Bdb", u"Bardzo dobry"},
    {u"Db", u"Dobry"},
    {u"Dst", u"Dostateczny"},
    {u"Dp", u"Dopuszczający"},
    {u"Ndst", u"Niedostateczny"},
}};

int Ogranicz(int stopien) {
    return std::clamp(stopien, 1, LiczbaStopni);
}

int UczniowieWRekordach(const Analiza& analiza) {
    return std::clamp(analiza.IloscUczniow, 0, MaksUczniow);
}

bool ZnakJestJedynka(QStringView tekst, int pozycja) {
    return pozycja < tekst.size() && tekst.at(pozycja) == QLatin1Char('1');
}

} // namespace

QString SkrotOceny(int stopien) {
    return QString::fromUtf16(stopnie[static_cast<std::size_t>(Ogranicz(stopien) - 1)].skrot);
}

QString NazwaOceny(int stopien) {
    return QString::fromUtf16(stopnie[static_cast<std::size_t>(Ogranicz(stopien) - 1)].nazwa);
}

int WartoscOceny(int stopien) {
    return LiczbaStopni + 1 - Ogranicz(stopien);
}

int StopienOceny(const QString& skrot) {
    for (int stopien = StopienCel; stopien < StopienNdst; ++stopien)
        if (skrot == SkrotOceny(stopien)) return stopien;
    return StopienNdst;
}

QString OcenaZProcentu(const OTescie& test, int procent) {
    if (procent >= test.ProgCel) return SkrotOceny(StopienCel);
    if (procent >= test.ProgBdb) return SkrotOceny(StopienBdb);
    if (procent >= test.ProgDb) return SkrotOceny(StopienDb);
    if (procent >= test.ProgDst) return SkrotOceny(StopienDst);
    if (procent >= test.ProgDp) return SkrotOceny(StopienDp);
    return SkrotOceny(StopienNdst);
}

qint32 ProcentZaokraglony(qint64 licznik, qint64 mianownik) {
    if (mianownik <= 0) return 0;
    return static_cast<qint32>(ZaokraglijIloraz(licznik * 100, mianownik));
}

bool ZapiszOdpowiedz(OdpowiedzBig& uczen, int pytanie, const QString& wybor, const QString& klucz) {
    return ZapiszOdpowiedz(uczen, pytanie, QStringView(wybor), QStringView(klucz));
}

bool ZapiszOdpowiedz(OdpowiedzBig& uczen, int pytanie, QStringView wybor, QStringView klucz) {
    if (pytanie < 1 || pytanie > MaksPytan) return false;
    for (int k = 1; k <= MaksOdpowiedzi; ++k) {
        ParaOdpowiedzi& para = uczen.Pytania[pytanie][k];
        para.Poprawna = ZnakJestJedynka(klucz, k - 1) ? 1 : 0;
        para.Wybrana = ZnakJestJedynka(wybor, k - 1) ? 1 : 0;
    }
    return wybor == klucz;
}

void OcenUcznia(const OTescie& test, OdpowiedzBig& uczen) {
    uczen.Procent = ProcentZaokraglony(uczen.Poprawnych, test.IloscPytan);
    uczen.Ocena = OcenaZProcentu(test, uczen.Procent);
}

bool PoprawnaOdpowiedz(const OdpowiedzBig& uczen, int pytanie) {
    if (pytanie < 1 || pytanie > MaksPytan) return false;
    for (const ParaOdpowiedzi& para : uczen.Pytania[pytanie])
        if (para.Wybrana != para.Poprawna) return false;
    return true;
}

QString NazwaUcznia(const OdpowiedzBig& uczen, bool najpierwImie) {
    return najpierwImie ? uczen.Imie + QLatin1Char(' ') + uczen.Nazwisko
                        : uczen.Nazwisko + QLatin1Char(' ') + uczen.Imie;
}

void SortujUczniow(Analiza& analiza, const QLocale& jezyk) {
    const int n = UczniowieWRekordach(analiza);
    if (n < 2) return;

    QCollator collator(jezyk);
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    std::vector<QString> klucze;
    klucze.reserve(static_cast<std::size_t>(n));
    for (int s = 1; s <= n; ++s)
        klucze.push_back(analiza.Uczniowie[s].Nazwisko + analiza.Uczniowie[s].Imie);

    std::vector<int> kolejnosc(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        kolejnosc[static_cast<std::size_t>(i)] = i;
    std::stable_sort(kolejnosc.begin(), kolejnosc.end(), [&](int a, int b) {
        return collator.compare(klucze[static_cast<std::size_t>(a)],
                                klucze[static_cast<std::size_t>(b)]) < 0;
    });

    std::vector<OdpowiedzBig> posortowani;
    posortowani.reserve(static_cast<std::size_t>(n));
    for (const int i : kolejnosc)
        posortowani.push_back(std::move(analiza.Uczniowie[i + 1]));
    for (int s = 1; s <= n; ++s)
        analiza.Uczniowie[s] = std::move(posortowani[static_cast<std::size_t>(s - 1)]);
}

void PodsumujKlase(Analiza& analiza) {
    const int n = UczniowieWRekordach(analiza);
    std::vector<qint32> punkty;
    std::vector<int> stopnie;
    punkty.reserve(static_cast<std::size_t>(n));
    stopnie.reserve(static_cast<std::size_t>(n));
    for (int s = 1; s <= n; ++s) {
        punkty.push_back(analiza.Uczniowie[s].Poprawnych);
        stopnie.push_back(StopienOceny(analiza.Uczniowie[s].Ocena));
    }
    PodsumujKlase(analiza.Test, punkty, stopnie);
}

void PodsumujKlase(OTescie& test, std::span<const qint32> punkty, std::span<const int> stopnie) {
    const auto n = static_cast<qint64>(punkty.size());
    qint64 suma = 0;
    for (const qint32 p : punkty)
        suma += p;
    test.LiczbaOcen.fill(0);
    for (const int stopien : stopnie)
        ++test.LiczbaOcen[Ogranicz(stopien)];
    test.SumaPoprawnych = static_cast<qint32>(suma);
    test.ProcentKlasy = ProcentZaokraglony(suma, n * test.IloscPytan);
    test.OcenaKlasy = OcenaZProcentu(test, test.ProcentKlasy);

    qint64 wartosci = 0;
    for (int stopien = 1; stopien <= LiczbaStopni; ++stopien)
        wartosci += qint64{WartoscOceny(stopien)} * test.LiczbaOcen[stopien];
    test.SredniaOcen = n > 0 ? static_cast<double>(ZaokraglijIloraz(wartosci * 100, n)) / 100.0 : 0;
}

} // namespace sondrel
