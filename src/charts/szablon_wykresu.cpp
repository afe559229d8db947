#include "charts/szablon_wykresu.h"

#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"
#include "core/kodowanie1250.h"
#include "core/pliki.h"

#include <QFile>
#include <QtEndian>

namespace sondrel {

namespace {

class Zapis {
public:
    explicit Zapis(QByteArray& b) : b_(b) {}
    void Bool(int off, bool v) { b_[off] = v ? 1 : 0; }
    void Int(int off, qint32 v) { qToLittleEndian<qint32>(v, b_.data() + off); }
    void Kol(int off, Kolor k) { qToLittleEndian<quint32>(k & 0x00FFFFFFu, b_.data() + off); }
    void Tekst(int off, const QString& t) {
        const QByteArray z = Na1250(QStringView(t).left(DlugoscTekstu50)).left(DlugoscTekstu50);
        b_[off] = char(z.size());
        std::copy(z.begin(), z.end(), b_.begin() + off + 1);
    }
    void Font(int off, const Czcionka& c) {
        Tekst(off, c.NazwaCzcionki);
        Kol(off + 52, c.KolorCzcionki);
        Int(off + 56, c.Rozmiar);
        b_[off + 60] = char(c.Styl & 0x0F);
    }

private:
    QByteArray& b_;
};

class Odczyt {
public:
    explicit Odczyt(QByteArrayView b) : b_(b) {}
    bool Bool(int off) const { return b_[off] != 0; }
    qint32 Int(int off) const { return qFromLittleEndian<qint32>(b_.data() + off); }
    Kolor Kol(int off) const { return qFromLittleEndian<quint32>(b_.data() + off); }
    QString Tekst(int off) const {
        const int dl = std::min<int>(static_cast<unsigned char>(b_[off]), DlugoscTekstu50);
        return Z1250(b_.sliced(off + 1, dl));
    }
    Czcionka Font(int off) const {
        Czcionka c;
        c.NazwaCzcionki = Tekst(off);
        c.KolorCzcionki = Kol(off + 52);
        c.Rozmiar = Int(off + 56);
        c.Styl = static_cast<unsigned char>(b_[off + 60]) & 0x0F;
        return c;
    }

private:
    QByteArrayView b_;
};

void ZapiszTekst(Zapis& z, int off, const OpisTekstu& t) {
    z.Bool(off, t.Widoczny);
    z.Bool(off + 1, t.TloDoTekstu);
    z.Bool(off + 2, t.Przezroczysty);
    z.Bool(off + 3, t.Ramka);
    z.Tekst(off + 4, t.Tekst);
    z.Int(off + 56, t.Wyrownanie);
    z.Font(off + 60, t.Czcionka);
    z.Kol(off + 124, t.KolorTla);
}

OpisTekstu CzytajTekst(const Odczyt& o, int off) {
    OpisTekstu t;
    t.Widoczny = o.Bool(off);
    t.TloDoTekstu = o.Bool(off + 1);
    t.Przezroczysty = o.Bool(off + 2);
    t.Ramka = o.Bool(off + 3);
    t.Tekst = o.Tekst(off + 4);
    t.Wyrownanie = o.Int(off + 56);
    t.Czcionka = o.Font(off + 60);
    t.KolorTla = o.Kol(off + 124);
    return t;
}

void ZapiszOs(Zapis& z, int off, const OpisOsi& a) {
    z.Tekst(off, a.Opis);
    z.Int(off + 52, a.Kat);
    z.Kol(off + 56, a.KolorOsi);
    z.Font(off + 60, a.CzcionkaOpisu);
    z.Font(off + 124, a.CzcionkaEtykiet);
    z.Bool(off + 188, a.SiatkaWidoczna);
    z.Kol(off + 192, a.KolorSiatki);
    z.Int(off + 196, a.RodzajLinii);
    z.Bool(off + 200, a.SciankaPrzezroczysta);
    z.Kol(off + 204, a.KolorScianki);
}

OpisOsi CzytajOs(const Odczyt& o, int off) {
    OpisOsi a;
    a.Opis = o.Tekst(off);
    a.Kat = o.Int(off + 52);
    a.KolorOsi = o.Kol(off + 56);
    a.CzcionkaOpisu = o.Font(off + 60);
    a.CzcionkaEtykiet = o.Font(off + 124);
    a.SiatkaWidoczna = o.Bool(off + 188);
    a.KolorSiatki = o.Kol(off + 192);
    a.RodzajLinii = o.Int(off + 196);
    a.SciankaPrzezroczysta = o.Bool(off + 200);
    a.KolorScianki = o.Kol(off + 204);
    return a;
}

} // namespace

QByteArray BajtySzablonu(const UstawieniaWykresu& u) {
    QByteArray b(RozmiarSzablonu, '\0');
    Zapis z(b);
    ZapiszTekst(z, 0, u.Naglowek);
    ZapiszTekst(z, 128, u.Stopka);
    ZapiszOs(z, 256, u.OsPozioma);
    ZapiszOs(z, 464, u.OsPionowa);
    z.Bool(672, u.LegendaWidoczna);
    z.Kol(676, u.KolorLegendy);
    z.Kol(680, u.KolorCienia);
    z.Font(684, u.CzcionkaLegendy);
    z.Int(748, u.DlugoscCienia);
    z.Int(752, u.PolozenieLegendy);
    z.Int(756, u.PokazLegende);
    z.Bool(760, u.ObrazTla);
    z.Bool(761, u.ObrazWewnatrz);
    z.Bool(762, u.ObrazWysrodkowany);
    z.Kol(764, u.KolorTlaWykresu);
    z.Kol(768, u.KolorTlaZewnetrzny);
    z.Kol(772, u.KolorObramowania);
    z.Bool(776, u.Gradient);
    z.Kol(780, u.KolorPoczatkowy);
    z.Kol(784, u.KolorKoncowy);
    z.Bool(788, u.Wykres3D);
    z.Bool(789, u.Osie3D);
    z.Int(792, u.Glebokosc3D);
    z.Bool(796, u.Ortogonalny);
    z.Int(800, u.Perspektywa);
    z.Int(804, u.Elewacja);
    z.Int(808, u.Obrot);
    z.Int(812, u.Zoom);
    z.Bool(816, u.PokazWartosci);
    z.Bool(817, u.WartosciPrzezroczyste);
    z.Kol(820, u.KolorTlaWartosci);
    z.Font(824, u.CzcionkaWartosci);
    z.Int(888, u.RodzajWartosci);
    z.Int(892, u.KsztaltSlupka);
    z.Kol(896, u.KolorTlaKola);
    z.Bool(900, u.WierzcholkiWidoczne);
    z.Kol(904, u.KolorWierzcholkow);
    z.Int(908, u.KsztaltWierzcholka);
    z.Int(912, u.DlugoscWierzcholka);
    z.Int(916, u.SzerokoscWierzcholka);
    z.Bool(920, u.Kreskowane);
    z.Kol(924, KolorRGB(255, 255, 255)); // reserved, always white
    z.Int(928, u.Eksplozja);
    z.Int(932, u.ObrotKola);
    z.Int(936, u.WartoscPoczatkowa);
    z.Int(940, u.SzerokoscSlupka);
    return b;
}

std::optional<UstawieniaWykresu> UstawieniaZSzablonu(QByteArrayView b) {
    if (b.size() < RozmiarSzablonu) return std::nullopt;
    const Odczyt o(b.first(RozmiarSzablonu));
    UstawieniaWykresu u;
    u.Naglowek = CzytajTekst(o, 0);
    u.Stopka = CzytajTekst(o, 128);
    u.OsPozioma = CzytajOs(o, 256);
    u.OsPionowa = CzytajOs(o, 464);
    u.LegendaWidoczna = o.Bool(672);
    u.KolorLegendy = o.Kol(676);
    u.KolorCienia = o.Kol(680);
    u.CzcionkaLegendy = o.Font(684);
    u.DlugoscCienia = o.Int(748);
    u.PolozenieLegendy = o.Int(752);
    u.PokazLegende = o.Int(756);
    u.ObrazTla = o.Bool(760);
    u.ObrazWewnatrz = o.Bool(761);
    u.ObrazWysrodkowany = o.Bool(762);
    u.KolorTlaWykresu = o.Kol(764);
    u.KolorTlaZewnetrzny = o.Kol(768);
    u.KolorObramowania = o.Kol(772);
    u.Gradient = o.Bool(776);
    u.KolorPoczatkowy = o.Kol(780);
    u.KolorKoncowy = o.Kol(784);
    u.Wykres3D = o.Bool(788);
    u.Osie3D = o.Bool(789);
    u.Glebokosc3D = o.Int(792);
    u.Ortogonalny = o.Bool(796);
    u.Perspektywa = o.Int(800);
    u.Elewacja = o.Int(804);
    u.Obrot = o.Int(808);
    u.Zoom = o.Int(812);
    u.PokazWartosci = o.Bool(816);
    u.WartosciPrzezroczyste = o.Bool(817);
    u.KolorTlaWartosci = o.Kol(820);
    u.CzcionkaWartosci = o.Font(824);
    u.RodzajWartosci = o.Int(888);
    u.KsztaltSlupka = o.Int(892);
    u.KolorTlaKola = o.Kol(896);
    u.WierzcholkiWidoczne = o.Bool(900);
    u.KolorWierzcholkow = o.Kol(904);
    u.KsztaltWierzcholka = o.Int(908);
    u.DlugoscWierzcholka = o.Int(912);
    u.SzerokoscWierzcholka = o.Int(916);
    u.Kreskowane = o.Bool(920);
    u.Rezerwa = o.Kol(924);
    u.Eksplozja = o.Int(928);
    u.ObrotKola = o.Int(932);
    u.WartoscPoczatkowa = o.Int(936);
    u.SzerokoscSlupka = o.Int(940);
    return u;
}

bool ZapiszWzorzecDoPliku(const StanWykresu& stan, const QString& sciezka, QString* blad) {
    return ZapiszPlik(sciezka, BajtySzablonu(stan.UstawieniaWykresu), blad);
}

bool WczytajWzorzecZPliku(StanWykresu& stan, const QString& sciezka, QString* blad) {
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        if (blad) *blad = QStringLiteral("Nie można otworzyć pliku (%1).").arg(plik.errorString());
        return false;
    }
    const QByteArray bajty = plik.read(RozmiarSzablonu);
    if (plik.error() != QFileDevice::NoError) {
        if (blad) *blad = QStringLiteral("Błąd odczytu pliku (%1).").arg(plik.errorString());
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
