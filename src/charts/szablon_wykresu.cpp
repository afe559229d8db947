// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/szablon_wykresu.h"

#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"
#include "core/kodowanie1250.h"
#include "core/pliki.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>

namespace sondrel {

namespace {

// The record's layout, written once: Pola() walks every field with its offset, and the writer
// and the reader below are the two things done at each one.

class Zapis {
public:
    explicit Zapis(QByteArray& b) : b_(b) {}
    void operator()(int off, const bool& v) { b_[off] = v ? 1 : 0; }
    void operator()(int off, const qint32& v) { qToLittleEndian<qint32>(v, b_.data() + off); }
    void operator()(int off, const Kolor& k) {
        qToLittleEndian<quint32>(k & 0x00FFFFFFu, b_.data() + off);
    }
    void operator()(int off, const std::uint8_t& styl) { b_[off] = char(styl & 0x0F); }
    void operator()(int off, const QString& t) {
        const QByteArray z = Na1250(QStringView(t).left(DlugoscTekstu50)).left(DlugoscTekstu50);
        b_[off] = char(z.size());
        std::copy(z.begin(), z.end(), b_.begin() + off + 1);
    }

private:
    QByteArray& b_;
};

class Odczyt {
public:
    explicit Odczyt(QByteArrayView b) : b_(b) {}
    void operator()(int off, bool& v) const { v = b_[off] != 0; }
    void operator()(int off, qint32& v) const { v = qFromLittleEndian<qint32>(b_.data() + off); }
    void operator()(int off, Kolor& k) const { k = qFromLittleEndian<quint32>(b_.data() + off); }
    void operator()(int off, std::uint8_t& styl) const {
        styl = static_cast<unsigned char>(b_[off]) & 0x0F;
    }
    void operator()(int off, QString& t) const {
        const int dl = std::min<int>(static_cast<unsigned char>(b_[off]), DlugoscTekstu50);
        t = Z1250(b_.sliced(off + 1, dl));
    }

private:
    QByteArrayView b_;
};

template <typename Czynnosc, typename C> void PolaCzcionki(Czynnosc& f, int off, C& c) {
    f(off, c.NazwaCzcionki);
    f(off + 52, c.KolorCzcionki);
    f(off + 56, c.Rozmiar);
    f(off + 60, c.Styl);
}

template <typename Czynnosc, typename T> void PolaTekstu(Czynnosc& f, int off, T& t) {
    f(off, t.Widoczny);
    f(off + 1, t.TloDoTekstu);
    f(off + 2, t.Przezroczysty);
    f(off + 3, t.Ramka);
    f(off + 4, t.Tekst);
    f(off + 56, t.Wyrownanie);
    PolaCzcionki(f, off + 60, t.Czcionka);
    f(off + 124, t.KolorTla);
}

template <typename Czynnosc, typename O> void PolaOsi(Czynnosc& f, int off, O& a) {
    f(off, a.Opis);
    f(off + 52, a.Kat);
    f(off + 56, a.KolorOsi);
    PolaCzcionki(f, off + 60, a.CzcionkaOpisu);
    PolaCzcionki(f, off + 124, a.CzcionkaEtykiet);
    f(off + 188, a.SiatkaWidoczna);
    f(off + 192, a.KolorSiatki);
    f(off + 196, a.RodzajLinii);
    f(off + 200, a.SciankaPrzezroczysta);
    f(off + 204, a.KolorScianki);
}

// U is UstawieniaWykresu, const for writing.
template <typename Czynnosc, typename U> void Pola(Czynnosc& f, U& u) {
    PolaTekstu(f, 0, u.Naglowek);
    PolaTekstu(f, 128, u.Stopka);
    PolaOsi(f, 256, u.OsPozioma);
    PolaOsi(f, 464, u.OsPionowa);
    f(672, u.LegendaWidoczna);
    f(676, u.KolorLegendy);
    f(680, u.KolorCienia);
    PolaCzcionki(f, 684, u.CzcionkaLegendy);
    f(748, u.DlugoscCienia);
    f(752, u.PolozenieLegendy);
    f(756, u.PokazLegende);
    f(760, u.ObrazTla);
    f(761, u.ObrazWewnatrz);
    f(762, u.ObrazWysrodkowany);
    f(764, u.KolorTlaWykresu);
    f(768, u.KolorTlaZewnetrzny);
    f(772, u.KolorObramowania);
    f(776, u.Gradient);
    f(780, u.KolorPoczatkowy);
    f(784, u.KolorKoncowy);
    f(788, u.Wykres3D);
    f(789, u.Osie3D);
    f(792, u.Glebokosc3D);
    f(796, u.Ortogonalny);
    f(800, u.Perspektywa);
    f(804, u.Elewacja);
    f(808, u.Obrot);
    f(812, u.Zoom);
    f(816, u.PokazWartosci);
    f(817, u.WartosciPrzezroczyste);
    f(820, u.KolorTlaWartosci);
    PolaCzcionki(f, 824, u.CzcionkaWartosci);
    f(888, u.RodzajWartosci);
    f(892, u.KsztaltSlupka);
    f(896, u.KolorTlaKola);
    f(900, u.WierzcholkiWidoczne);
    f(904, u.KolorWierzcholkow);
    f(908, u.KsztaltWierzcholka);
    f(912, u.DlugoscWierzcholka);
    f(916, u.SzerokoscWierzcholka);
    f(920, u.Kreskowane);
    f(924, u.Rezerwa);
    f(928, u.Eksplozja);
    f(932, u.ObrotKola);
    f(936, u.WartoscPoczatkowa);
    f(940, u.SzerokoscSlupka);
}

} // namespace

QByteArray BajtySzablonu(const UstawieniaWykresu& u) {
    QByteArray b(RozmiarSzablonu, '\0');
    Zapis z(b);
    Pola(z, u);
    z(924, KolorRGB(255, 255, 255)); // reserved, always written white
    return b;
}

std::optional<UstawieniaWykresu> UstawieniaZSzablonu(QByteArrayView b) {
    if (b.size() < RozmiarSzablonu) return std::nullopt;
    const Odczyt o(b.first(RozmiarSzablonu));
    UstawieniaWykresu u;
    Pola(o, u);
    return u;
}

bool ZapiszWzorzecDoPliku(const StanWykresu& stan, const QString& sciezka, QString* blad) {
    return ZapiszPlik(sciezka, BajtySzablonu(stan.UstawieniaWykresu), blad);
}

bool WczytajWzorzecZPliku(StanWykresu& stan, const QString& sciezka, QString* blad) {
    // A FIFO or a device in the template's place is refused at once, never waited on.
    QFile plik;
    QString powod;
    if (!OtworzZwyklyPlik(plik, sciezka, &powod)) {
        if (blad) *blad = QStringLiteral("Nie można otworzyć pliku (%1).").arg(powod);
        return false;
    }
    errno = 0;
    const QByteArray bajty = plik.read(RozmiarSzablonu);
    if (plik.error() != QFileDevice::NoError) {
        if (blad) *blad = QStringLiteral("Błąd odczytu pliku (%1).").arg(PowodBledu(plik, errno));
        return false;
    }
    const std::optional<UstawieniaWykresu> u = UstawieniaZSzablonu(bajty);
    if (!u) {
        if (blad)
            *blad = QStringLiteral("Plik ma %1 B, a wzorzec wykresu ma %2 B.")
                        .arg(bajty.size())
                        .arg(RozmiarSzablonu);
        return false;
    }
    stan.UstawieniaWykresu = *u;
    PokazRodzajWykresu(stan, stan.ZadanyRodzajWykresu);
    return true;
}

} // namespace sondrel
