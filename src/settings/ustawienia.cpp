// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ustawienia.h"

#include "formats/wartosci.h"
#include "formats/xml.h"

#include <QFileInfo>

namespace sondrel {

namespace {

const QString NazwaModulu = QStringLiteral("Sondrel");
const QString KomunikatUszkodzony =
    QString::fromUtf8("Plik ustawień jest uszkodzony. Utworzono nowy plik.");

QString Wlacznik(bool wartosc) {
    return wartosc ? QStringLiteral("1") : QStringLiteral("0");
}

QString Odczytaj(TpkXML& d, const QString& klucz) {
    return OdkodujUstawienia(WezTekst(0, {QStringLiteral("Ini"), klucz}, d));
}

int Liczba(const QString& tekst) {
    bool ok = false;
    const int n = tekst.toInt(&ok, 10);
    return ok ? n : 0;
}

void UstawKlucz(TpkXML& d, const QString& klucz, const QString& wartosc) {
    d.FindNode(u"Ini", true)->ChildByName(klucz, true)->text = Zakoduj(wartosc);
}

// The damaged-file path: one message, one journal line, the defaults, a new whole file.
void ZastapUszkodzony(Ustawienia& u, Srodowisko& s, const QString& wiersz) {
    s.PokazKomunikat(KomunikatInformacja, IkonaInformacja, KomunikatUszkodzony);
    s.WpiszDoDziennika(0, wiersz);
    u = Ustawienia::Domyslne();
    s.PoziomDziennika = u.dfpz;
    ZapiszUstawienia(u, s);
}

bool ZapiszKlucz(Srodowisko& s, const QString& klucz, const QString& wartosc) {
    const QString& sciezka = s.foldery.PlikUstawien;
    TpkXML d;
    if (QFileInfo::exists(sciezka))
        d.LoadFromFile(sciezka);
    else // a new file gets its header, so that the next start reads it instead of replacing it
        UstawKlucz(d, QStringLiteral("ed"), NazwaModulu);
    UstawKlucz(d, klucz, wartosc);
    return !sciezka.isEmpty() && d.SaveToFile(sciezka);
}

} // namespace

Ustawienia Ustawienia::Domyslne() {
    Ustawienia u;
    u.fn = u.calltab = u.bez = u.rdfw = true;
    u.wo = 0;
    u.dfpz = 1;
    return u;
}

bool Ustawienia::operator==(const Ustawienia& i) const {
    return sct == i.sct && fn == i.fn && calltab == i.calltab && bez == i.bez && rdfw == i.rdfw &&
           wo == i.wo && dfpz == i.dfpz && arch == i.arch;
}

StanPlikuUstawien OdczytajPlikUstawien(const QString& sciezka, Ustawienia& u) {
    if (sciezka.isEmpty() || !QFileInfo::exists(sciezka)) return StanPlikuUstawien::Brak;
    TpkXML d;
    // A file that cannot be opened, is empty, or whose parse stops at an error is damaged.
    if (!d.LoadFromFile(sciezka)) return StanPlikuUstawien::Nieczytelny;
    if (Odczytaj(d, QStringLiteral("ed")) != NazwaModulu) return StanPlikuUstawien::ZlyNaglowek;
    u.sct = Odczytaj(d, QStringLiteral("sct"));
    u.fn = Odczytaj(d, QStringLiteral("fn")) == u"1";
    u.calltab = Odczytaj(d, QStringLiteral("calltab")) == u"1";
    u.bez = Odczytaj(d, QStringLiteral("bez")) == u"1";
    u.rdfw = Odczytaj(d, QStringLiteral("rdfw")) == u"1";
    u.wo = Liczba(Odczytaj(d, QStringLiteral("wo")));
    u.dfpz = Liczba(Odczytaj(d, QStringLiteral("dfpz")));
    u.arch = Odczytaj(d, QStringLiteral("arch"));
    return StanPlikuUstawien::Wczytany;
}

void CzytajUstawienia(Ustawienia& u, Srodowisko& s) {
    switch (OdczytajPlikUstawien(s.foldery.PlikUstawien, u)) {
    case StanPlikuUstawien::Brak:
        s.PoziomDziennika = u.dfpz;
        return;
    case StanPlikuUstawien::Nieczytelny:
        ZastapUszkodzony(u, s, QString::fromUtf8("Uszkodzony plik Sondrel.ini. Błąd odczytu."));
        return;
    case StanPlikuUstawien::ZlyNaglowek:
        ZastapUszkodzony(u, s, QString::fromUtf8("Błędny nagłówek pliku ini lub plik uszkodzony."));
        return;
    case StanPlikuUstawien::Wczytany:
        s.PoziomDziennika = u.dfpz;
        s.WpiszDoDziennika(3, QStringLiteral("Poprawnie wczytano plik Sondrel.ini."));
        return;
    }
}

bool ZapiszUstawienia(Ustawienia& u, Srodowisko& s) {
    TpkXML d;
    UstawKlucz(d, QStringLiteral("ed"), NazwaModulu);
    UstawKlucz(d, QStringLiteral("sct"), u.sct);
    UstawKlucz(d, QStringLiteral("fn"), Wlacznik(u.fn));
    UstawKlucz(d, QStringLiteral("calltab"), Wlacznik(u.calltab));
    UstawKlucz(d, QStringLiteral("bez"), Wlacznik(u.bez));
    UstawKlucz(d, QStringLiteral("rdfw"), Wlacznik(u.rdfw));
    UstawKlucz(d, QStringLiteral("wo"), QString::number(u.wo));
    UstawKlucz(d, QStringLiteral("dfpz"), QString::number(u.dfpz));
    if (!u.arch.isEmpty()) UstawKlucz(d, QStringLiteral("arch"), u.arch);
    if (s.foldery.PlikUstawien.isEmpty() || !d.SaveToFile(s.foldery.PlikUstawien)) {
        s.WpiszDoDziennika(1, QStringLiteral("Problem z zapisem Sondrel.ini."));
        return false;
    }
    s.WpiszDoDziennika(3, QStringLiteral("Zapisano nowy plik Sondrel.ini."));
    u.UstawieniaZmienione = false;
    return true;
}

bool ZapiszPoziomDziennika(Ustawienia& u, Srodowisko& s, int poziom) {
    u.dfpz = poziom;
    s.PoziomDziennika = poziom;
    if (!ZapiszKlucz(s, QStringLiteral("dfpz"), QString::number(poziom))) {
        s.WpiszDoDziennika(1, QString::fromUtf8("Problem z zapisem zmiany ustawień do ini."));
        return false;
    }
    s.WpiszDoDziennika(1, QString::fromUtf8("Zmieniono poziom zdarzeń. Aktualny poziom, to: ") +
                              QString::number(poziom));
    return true;
}

bool ZapiszRozmiarOkna(const Ustawienia& u, Srodowisko& s) {
    if (!ZapiszKlucz(s, QStringLiteral("wo"), QString::number(u.wo))) {
        s.WpiszDoDziennika(1, QString::fromUtf8("Problem z zapisem zmiany ustawień do ini."));
        return false;
    }
    s.WpiszDoDziennika(3, QString::fromUtf8("Zmieniono w ini wielkość okna."));
    return true;
}

} // namespace sondrel
