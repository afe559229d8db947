// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/jakosc_pytan.h"

#include "analysis/ocenianie.h"
#include "core/lokalizacja.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace sondrel {

namespace uwagi_jakosci {

QString PrzyciagaLepszych(int opcja) {
    return QStringLiteral("odpowiedź %1 przyciąga lepszych uczniów").arg(QChar(u'A' + opcja - 1));
}

QString NieDziala(int opcja) {
    return QStringLiteral("odpowiedź %1 nie działa").arg(QChar(u'A' + opcja - 1));
}

} // namespace uwagi_jakosci

namespace {

using Duza = __int128;

// licznik / mianownik (mianownik > 0).
Wskaznik Iloraz(qint64 licznik, qint64 mianownik) {
    return {static_cast<double>(licznik) / static_cast<double>(mianownik),
            ZaokraglijIloraz(100 * licznik, mianownik)};
}

// 100 * sqrt(p / q) rounded half to even, exactly (p >= 0, q > 0).
qint64 SetnePierwiastka(Duza p, Duza q) {
    const Duza cel = 10000 * p; // compare h^2 q with 10000 p
    auto h = static_cast<Duza>(
        std::floor(100.0L * std::sqrt(static_cast<long double>(p) / static_cast<long double>(q))));
    if (h < 0) h = 0;
    while ((h + 1) * (h + 1) * q <= cel)
        ++h;
    while (h > 0 && h * h * q > cel)
        --h;
    // h is the floor; the half between h and h + 1 decides.
    const Duza polowa = (2 * h + 1) * (2 * h + 1) * q, podwojony = 4 * cel;
    if (podwojony > polowa || (podwojony == polowa && (h & 1))) ++h;
    return static_cast<qint64>(h);
}

// znak * sqrt(p / q).
Wskaznik Pierwiastek(int znak, Duza p, Duza q) {
    const long double wartosc =
        std::sqrt(static_cast<long double>(p) / static_cast<long double>(q));
    const qint64 setne = SetnePierwiastka(p, q);
    return {static_cast<double>(znak < 0 ? -wartosc : wartosc), znak < 0 ? -setne : setne};
}

// A value with no exact form: hundredths from the double, halves to even.
Wskaznik ZDouble(double wartosc) {
    return {wartosc, static_cast<qint64>(std::nearbyint(wartosc * 100.0))};
}

} // namespace

JakoscTestu ObliczJakoscPytan(const Analiza& analiza) {
    OdpowiedziKlasy klasa;
    klasa.IloscUczniow = std::clamp(analiza.IloscUczniow, 0, MaksUczniow);
    klasa.IloscPytan = std::clamp(analiza.Test.IloscPytan, 0, MaksPytan);
    klasa.IloscOdpowiedzi = analiza.Test.IloscOdpowiedzi;
    const auto rozmiar =
        static_cast<std::size_t>(klasa.IloscUczniow) * static_cast<std::size_t>(klasa.IloscPytan);
    klasa.Klucz.reserve(rozmiar);
    klasa.Zaznaczone.reserve(rozmiar);
    for (int s = 1; s <= klasa.IloscUczniow; ++s)
        for (int q = 1; q <= klasa.IloscPytan; ++q) {
            std::uint8_t klucz = 0, zaznaczone = 0;
            for (int o = 1; o <= MaksOdpowiedzi; ++o) {
                const ParaOdpowiedzi& para = analiza.Uczniowie[s].Pytania[q][o];
                klucz |= static_cast<std::uint8_t>(para.Poprawna ? 1u << (o - 1) : 0u);
                zaznaczone |= static_cast<std::uint8_t>(para.Wybrana ? 1u << (o - 1) : 0u);
            }
            klasa.Klucz.push_back(klucz);
            klasa.Zaznaczone.push_back(zaznaczone);
        }
    return ObliczJakoscPytan(klasa);
}

JakoscTestu ObliczJakoscPytan(const OdpowiedziKlasy& a) {
    JakoscTestu t;
    const int k = std::max(a.IloscPytan, 0);
    const auto wpisow =
        static_cast<std::size_t>(std::max(a.IloscUczniow, 0)) * static_cast<std::size_t>(k);
    const bool cale = a.Klucz.size() == wpisow && a.Zaznaczone.size() == wpisow;
    const int n = cale ? std::max(a.IloscUczniow, 0) : 0;
    const int opcji = std::clamp(a.IloscOdpowiedzi, 0, MaksOdpowiedzi);
    t.IloscUczniow = n;
    t.IloscPytan = k;
    if (n < 10) t.Ostrzezenie = uwagi_jakosci::MaloUczniow;
    if (n == 0) return t;

    // x per student and question, and the students' scores.
    std::vector<std::vector<char>> x(static_cast<std::size_t>(n) + 1,
                                     std::vector<char>(static_cast<std::size_t>(k) + 1));
    std::vector<qint64> wynik(static_cast<std::size_t>(n) + 1);
    std::vector<qint64> poprawnych(static_cast<std::size_t>(k) + 1);
    for (int s = 1; s <= n; ++s)
        for (int q = 1; q <= k; ++q)
            if ((x[s][q] = a.Poprawna(s, q))) {
                ++wynik[s];
                ++poprawnych[q];
            }

    // The test: mean, variance and the moments of X.
    qint64 suma = 0, sumaKwadratow = 0;
    for (int s = 1; s <= n; ++s) {
        suma += wynik[s];
        sumaKwadratow += wynik[s] * wynik[s];
    }
    const qint64 b = n * sumaKwadratow - suma * suma; // n^2 * variance
    t.Srednia = Iloraz(suma, n);
    t.Wariancja = Iloraz(b, qint64(n) * n);
    qint64 a2 = 0; // n^2 * sum of p q
    for (int q = 1; q <= k; ++q)
        a2 += poprawnych[q] * (n - poprawnych[q]);
    if (k >= 2 && b > 0) {
        t.KR20 = Iloraz(qint64(k) * (b - a2), qint64(k - 1) * b);
        // sigma^2 (1 - KR-20) = (k a2 - b) / ((k - 1) n^2), never negative.
        t.SEM = Pierwiastek(1, std::max<qint64>(0, k * a2 - b), Duza(k - 1) * n * n);
    }
    // Deviations n X - sum are whole numbers: their powers add up exactly.
    Duza d2 = 0, d3 = 0, d4 = 0;
    for (int s = 1; s <= n; ++s) {
        const Duza d = Duza(n) * wynik[s] - suma;
        d2 += d * d;
        d3 += d * d * d;
        d4 += d * d * d * d;
    }
    if (d2 > 0) {
        const long double nn = n, s2 = static_cast<long double>(d2);
        // k3 / k2^1.5 = d3 n sqrt(n - 1) / ((n - 2) d2^1.5)
        if (n >= 3)
            t.Skosnosc =
                ZDouble(static_cast<double>(static_cast<long double>(d3) * nn * std::sqrt(nn - 1) /
                                            ((nn - 2) * s2 * std::sqrt(s2))));
        // k4 / k2^2 = ((n + 1) n d4 - 3 (n - 1) d2^2) (n - 1) / ((n - 2)(n - 3) d2^2)
        if (n >= 4) {
            const Duza z = Duza(n + 1) * n * d4 - Duza(3) * (n - 1) * d2 * d2;
            t.Kurtoza = ZDouble(static_cast<double>(static_cast<long double>(z) * (nn - 1) /
                                                    ((nn - 2) * (nn - 3) * s2 * s2)));
        }
    }

    // The groups: every student at or beyond the g-th score from either end.
    t.Grupa = std::max(1, (27 * n + 50) / 100);
    std::vector<qint64> wyniki(wynik.begin() + 1, wynik.begin() + 1 + n);
    std::sort(wyniki.begin(), wyniki.end());
    const qint64 progGorny = wyniki[static_cast<size_t>(n - t.Grupa)];
    const qint64 progDolny = wyniki[static_cast<size_t>(t.Grupa - 1)];
    std::vector<char> gorna(static_cast<std::size_t>(n) + 1), dolna(gorna);
    for (int s = 1; s <= n; ++s) {
        if ((gorna[s] = wynik[s] >= progGorny)) ++t.LicznoscGornej;
        if ((dolna[s] = wynik[s] <= progDolny)) ++t.LicznoscDolnej;
    }
    const qint64 u = t.LicznoscGornej, l = t.LicznoscDolnej;

    t.Pytania.reserve(static_cast<size_t>(k));
    for (int q = 1; q <= k; ++q) {
        JakoscPytania p;
        p.Nr = q;
        const qint64 c = poprawnych[q];
        p.Poprawnych = static_cast<qint32>(c);
        p.Latwosc = Iloraz(c, n);

        // Sums for the correlation of x with the rest score R = X - x.
        qint64 sumaXW = 0, poprawnychGorna = 0, poprawnychDolna = 0;
        std::array<qint64, MaksOdpowiedzi + 1> wybrali{}, wGornej{}, wDolnej{}, klucz{};
        for (int s = 1; s <= n; ++s) {
            const std::size_t i = a.Pozycja(s, q);
            const unsigned kluczUcznia = a.Klucz[i], zaznaczone = a.Zaznaczone[i];
            if (x[s][q]) {
                sumaXW += wynik[s];
                poprawnychGorna += gorna[s];
                poprawnychDolna += dolna[s];
            }
            for (int o = 1; o <= opcji; ++o) {
                klucz[o] += (kluczUcznia >> (o - 1)) & 1u;
                if (!((zaznaczone >> (o - 1)) & 1u)) continue;
                ++wybrali[o];
                wGornej[o] += gorna[s];
                wDolnej[o] += dolna[s];
            }
        }
        const qint64 sumaR = suma - c;
        const qint64 sumaRR = sumaKwadratow - 2 * sumaXW + c;
        const qint64 sumaXR = sumaXW - c;
        const qint64 licznik = n * sumaXR - c * sumaR;
        const Duza wx = n * c - c * c, wr = Duza(n) * sumaRR - Duza(sumaR) * sumaR;
        if (wx > 0 && wr > 0)
            p.MocRoznicujaca = Pierwiastek(licznik < 0 ? -1 : 1, Duza(licznik) * licznik, wx * wr);
        p.D = Iloraz(poprawnychGorna * l - poprawnychDolna * u, u * l);

        if (p.MocRoznicujaca) {
            if (licznik < 0)
                p.Uwagi << uwagi_jakosci::UjemnaMoc;
            else if (Duza(100) * licznik * licznik < wx * wr) // r < 0.1
                p.Uwagi << uwagi_jakosci::SlaboRozroznia;
        }
        if (5 * c > 4 * qint64(n)) p.Uwagi << uwagi_jakosci::BardzoLatwe;
        if (10 * c < 3 * qint64(n)) p.Uwagi << uwagi_jakosci::BardzoTrudne;

        QStringList przyciaga, nieDziala;
        for (int o = 1; o <= opcji; ++o) {
            OpcjaJakosci op;
            op.Numer = o;
            op.Poprawna = 2 * klucz[o] >= n;
            op.Wybrali = static_cast<qint32>(wybrali[o]);
            op.WybraliGorna = static_cast<qint32>(wGornej[o]);
            op.WybraliDolna = static_cast<qint32>(wDolnej[o]);
            op.Gorna = Iloraz(wGornej[o], u);
            op.Dolna = Iloraz(wDolnej[o], l);
            if (!op.Poprawna) {
                // More students of the upper group than of the lower one ticked it, and the
                // upper group's share is at least 0.10 above the lower group's: with groups of
                // unequal size one student in each is no sign.
                if (wGornej[o] > wDolnej[o] && 10 * (wGornej[o] * l - wDolnej[o] * u) >= u * l)
                    przyciaga << uwagi_jakosci::PrzyciagaLepszych(o);
                if (wybrali[o] == 0) nieDziala << uwagi_jakosci::NieDziala(o);
            }
            p.Opcje.push_back(op);
        }
        p.Uwagi << przyciaga << nieDziala;
        t.Pytania.push_back(std::move(p));
    }
    return t;
}

} // namespace sondrel
