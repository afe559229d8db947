// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/analiza_archiwalna.h"

#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "core/analiza.h"
#include "core/pliki.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace sondrel {

namespace {

OpcjePytania Opcje(const Tablica1<ParaOdpowiedzi, MaksOdpowiedzi>& pary, bool klucz) {
    OpcjePytania opcje = 0;
    for (int k = 1; k <= MaksOdpowiedzi; ++k)
        if (klucz ? pary[k].Poprawna : pary[k].Wybrana) opcje |= OpcjePytania(1u << (k - 1));
    return opcje;
}

// SHA-256 of a file's bytes in lowercase hex, or nothing when it cannot be read whole.
std::optional<QString> Sha256Pliku(const QString& sciezka) {
    QFile plik(sciezka);
    if (!OtworzZwyklyPlik(plik, sciezka)) return std::nullopt;
    QCryptographicHash skrot(QCryptographicHash::Sha256);
    if (!skrot.addData(&plik) || plik.error() != QFileDevice::NoError) return std::nullopt;
    return QString::fromLatin1(skrot.result().toHex());
}

// The fields that the analysis's records and the archive's share, copied either way.
template <typename Z, typename Do> void KopiujUcznia(const Z& z, Do& d) {
    d.Nazwisko = z.Nazwisko;
    d.Imie = z.Imie;
    d.Start = z.Start;
    d.Koniec = z.Koniec;
    d.Zapis = z.Zapis;
    d.Zwm = z.Zwm;
    d.Poprawnych = z.Poprawnych;
    d.Procent = z.Procent;
    d.Ocena = z.Ocena;
}

template <typename Z, typename Do> void KopiujTest(const Z& z, Do& d) {
    d.Autor = z.Autor;
    d.IloscOdpowiedzi = z.IloscOdpowiedzi;
    d.TypTestu = z.TypTestu;
    d.Czas = z.Czas;
    d.Wersja = z.Wersja;
    d.Tkk = z.Tkk;
    d.ProgCel = z.ProgCel;
    d.ProgBdb = z.ProgBdb;
    d.ProgDb = z.ProgDb;
    d.ProgDst = z.ProgDst;
    d.ProgDp = z.ProgDp;
}

} // namespace

QString OdciskTestu(const TestArchiwalny& test) {
    QString klucz;
    for (std::size_t q = 0; q < test.Klucz.size(); ++q) {
        if (q > 0) klucz += QLatin1Char(',');
        for (int k = 1; k <= 8; ++k)
            if (OpcjaUstawiona(test.Klucz[q], k)) klucz += QString::number(k);
    }
    const QString tekst = QStringLiteral("sondrel-odcisk-1\n") + test.Nazwa + QLatin1Char('\n') +
                          QString::number(test.IloscPytan) + QLatin1Char('\n') +
                          QString::number(test.IloscOdpowiedzi) + QLatin1Char('\n') +
                          QString::number(test.TypTestu != 0 ? 1 : 0) + QLatin1Char('\n') + klucz +
                          QLatin1Char('\n');
    return QString::fromLatin1(
        QCryptographicHash::hash(tekst.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::vector<OpcjePytania> KluczTestu(const std::vector<UczenArchiwalny>& uczniowie, int pytan) {
    std::vector<OpcjePytania> klucz;
    for (std::size_t q = 0; q < static_cast<std::size_t>(std::max(pytan, 0)); ++q) {
        std::map<OpcjePytania, int> ile;
        for (const UczenArchiwalny& u : uczniowie)
            if (q < u.Klucz.size()) ++ile[u.Klucz[q]];
        // the most declared; of keys declared as often, the one the earliest record declares
        std::optional<OpcjePytania> najczestszy;
        for (const UczenArchiwalny& u : uczniowie)
            if (q < u.Klucz.size() && (!najczestszy || ile[u.Klucz[q]] > ile[*najczestszy]))
                najczestszy = u.Klucz[q];
        klucz.push_back(najczestszy.value_or(OpcjePytania{}));
    }
    return klucz;
}

bool SkrotyPlikowOdpowiedzi(const QStringList& sciezki, std::vector<PlikArchiwalny>& pliki,
                            QString& blad) {
    pliki.clear();
    for (const QString& sciezka : sciezki) {
        const std::optional<QString> sha = Sha256Pliku(sciezka);
        if (!sha) {
            blad = QStringLiteral("Nie udało się odczytać pliku odpowiedzi %1.")
                       .arg(QFileInfo(sciezka).fileName());
            return false;
        }
        pliki.push_back({QFileInfo(sciezka).fileName(), *sha});
    }
    return true;
}

std::optional<AnalizaArchiwalna> AnalizaDoArchiwum(const Analiza& analiza, const QString& klasa,
                                                   QString& blad, SkrotyPlikow skroty) {
    const int n = std::clamp(analiza.IloscUczniow, 0, MaksUczniow);
    const int pytan = std::clamp(analiza.Test.IloscPytan, 0, MaksPytan);
    if (n == 0 || pytan == 0) {
        blad = QStringLiteral("Analiza nie obejmuje żadnego ucznia: nie ma czego zapisać.");
        return std::nullopt;
    }
    AnalizaArchiwalna a;
    const OTescie& t = analiza.Test;
    TestArchiwalny& test = a.Test;
    KopiujTest(t, test);
    test.Nazwa = t.NazwaTestu;
    test.IloscPytan = pytan;

    a.Uczniowie.reserve(static_cast<std::size_t>(n));
    for (int s = 1; s <= n; ++s) {
        const OdpowiedzBig& u = analiza.Uczniowie[s];
        UczenArchiwalny& uczen = a.Uczniowie.emplace_back();
        KopiujUcznia(u, uczen);
        for (int q = 1; q <= pytan; ++q) {
            uczen.Zaznaczone.push_back(Opcje(u.Pytania[q], false));
            uczen.Klucz.push_back(Opcje(u.Pytania[q], true));
        }
    }
    test.Klucz = KluczTestu(a.Uczniowie, pytan);
    a.Odcisk = OdciskTestu(test);

    if (analiza.RodzajAnalizy == AnalizaZTestem) {
        a.PlikTestu = QFileInfo(analiza.PlikTestu).fileName();
        const int opcji = std::clamp(t.IloscOdpowiedzi, 0, MaksOdpowiedzi);
        for (int q = 1; q <= pytan; ++q) {
            TrescPytania& p = a.Pytania.emplace_back();
            p.Tresc = analiza.Pytania[q].Tresc;
            for (int k = 1; k <= opcji; ++k)
                p.Odpowiedzi.push_back(analiza.Pytania[q].Odpowiedzi[k].Tresc);
        }
    }

    if (skroty == ZeSkrotamiPlikow &&
        !SkrotyPlikowOdpowiedzi(analiza.PlikiOdpowiedzi, a.Pliki, blad))
        return std::nullopt;
    QDateTime najnowszy;
    for (const QString& sciezka : analiza.PlikiOdpowiedzi) {
        const QDateTime zmiana = QFileInfo(sciezka).lastModified();
        if (!najnowszy.isValid() || zmiana > najnowszy) najnowszy = zmiana;
    }
    a.Klasa = klasa;
    a.DataNapisania = najnowszy.isValid() ? najnowszy.date() : QDate();
    return a;
}

QString PrzeliczWyniki(AnalizaArchiwalna& a) {
    const TestArchiwalny& t = a.Test;
    if (t.IloscPytan < 1 || t.IloscPytan > MaksPytan || t.IloscOdpowiedzi < 1 ||
        t.IloscOdpowiedzi > MaksOdpowiedzi ||
        t.Klucz.size() != static_cast<std::size_t>(t.IloscPytan))
        return QStringLiteral("opis testu jest niepełny albo błędny");
    OTescie progi;
    KopiujTest(t, progi);
    progi.IloscPytan = t.IloscPytan;
    for (UczenArchiwalny& u : a.Uczniowie) {
        if (u.Zaznaczone.size() != t.Klucz.size() || u.Klucz.size() != t.Klucz.size())
            return QStringLiteral("odpowiedzi ucznia nie pasują do testu");
        u.Poprawnych = 0;
        for (int q = 1; q <= t.IloscPytan; ++q)
            u.Poprawnych += u.PoprawnaOdpowiedz(q) ? 1 : 0;
        u.Procent = ProcentZaokraglony(u.Poprawnych, t.IloscPytan);
        u.Ocena = OcenaZProcentu(progi, u.Procent);
    }
    return QString();
}

bool WypelnijAnalize(const AnalizaArchiwalna& archiwalna, Analiza& analiza) {
    const TestArchiwalny& test = archiwalna.Test;
    const auto n = archiwalna.Uczniowie.size();
    if (n == 0 || n > static_cast<std::size_t>(MaksUczniow) || test.IloscPytan < 1 ||
        test.IloscPytan > MaksPytan || test.IloscOdpowiedzi < 1 ||
        test.IloscOdpowiedzi > MaksOdpowiedzi ||
        test.Klucz.size() != static_cast<std::size_t>(test.IloscPytan))
        return false;
    for (const UczenArchiwalny& u : archiwalna.Uczniowie)
        if (u.Zaznaczone.size() != test.Klucz.size() || u.Klucz.size() != test.Klucz.size())
            return false;

    analiza.WyczyscPytania();
    analiza.WyczyscStatystyki();
    analiza.Test = OTescie();
    OTescie& t = analiza.Test;
    KopiujTest(test, t);
    t.NazwaTestu = test.Nazwa;
    t.IloscPytan = test.IloscPytan;

    for (int s = 1; s <= MaksUczniow; ++s)
        analiza.Uczniowie[s] = OdpowiedzBig();
    for (std::size_t i = 0; i < n; ++i) {
        const UczenArchiwalny& u = archiwalna.Uczniowie[i];
        OdpowiedzBig& uczen = analiza.Uczniowie[static_cast<int>(i) + 1];
        KopiujUcznia(u, uczen);
        for (int q = 1; q <= test.IloscPytan; ++q) {
            const auto j = static_cast<std::size_t>(q - 1);
            for (int k = 1; k <= MaksOdpowiedzi; ++k) {
                uczen.Pytania[q][k].Poprawna = OpcjaUstawiona(u.Klucz[j], k) ? 1 : 0;
                uczen.Pytania[q][k].Wybrana = OpcjaUstawiona(u.Zaznaczone[j], k) ? 1 : 0;
            }
        }
    }
    analiza.IloscUczniow = static_cast<int>(n);

    const bool zTestem = archiwalna.Pytania.size() == static_cast<std::size_t>(test.IloscPytan);
    for (int q = 1; q <= test.IloscPytan; ++q) {
        Pytanie& p = analiza.Pytania[q];
        const auto j = static_cast<std::size_t>(q - 1);
        if (zTestem) p.Tresc = archiwalna.Pytania[j].Tresc;
        for (int k = 1; k <= test.IloscOdpowiedzi; ++k) {
            p.Odpowiedzi[k].Poprawna = OpcjaUstawiona(test.Klucz[j], k);
            if (zTestem && static_cast<std::size_t>(k) <= archiwalna.Pytania[j].Odpowiedzi.size())
                p.Odpowiedzi[k].Tresc =
                    archiwalna.Pytania[j].Odpowiedzi[static_cast<std::size_t>(k - 1)];
        }
    }
    analiza.RodzajAnalizy = zTestem ? AnalizaZTestem : AnalizaProsta;
    analiza.PlikTestu = archiwalna.PlikTestu;
    analiza.PlikiOdpowiedzi.clear();
    for (const PlikArchiwalny& p : archiwalna.Pliki)
        analiza.PlikiOdpowiedzi.append(p.Nazwa);
    analiza.KontenerTestu.reset();

    StatystykiPytan(analiza);
    PodsumujKlase(analiza);
    return true;
}

} // namespace sondrel
