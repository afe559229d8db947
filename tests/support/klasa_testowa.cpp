// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/klasa_testowa.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "formats/pak.h"
#include "support/pak_zapis.h"
#include "support/pliki_testowe.h"

#include <QCryptographicHash>
#include <QDir>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace sondrel::testy {

namespace {

// The lowest percentages of the grades Cel, Bdb, Db, Dst and Dp (OTescie, TestArchiwalny).
template <class Test> void UstawProgi(Test& t, int cel, int bdb, int db, int dst, int dp) {
    t.ProgCel = cel;
    t.ProgBdb = bdb;
    t.ProgDb = db;
    t.ProgDst = dst;
    t.ProgDp = dp;
}

} // namespace

void Klasa(Analiza& a, const QString& nazwa, int iloscPytan) {
    a.Test = OTescie{};
    a.Test.NazwaTestu = nazwa;
    a.Test.IloscPytan = iloscPytan;
    a.Test.IloscOdpowiedzi = 4;
    UstawProgi(a.Test, 90, 75, 50, 30, 20);
    a.IloscUczniow = 0;
    a.WyczyscStatystyki();
}

OdpowiedzBig& DodajUcznia(Analiza& a, const QString& nazwisko, const QString& imie,
                          const QStringList& wybory, const QStringList& klucze) {
    OdpowiedzBig& u = a.Uczniowie[++a.IloscUczniow];
    u = OdpowiedzBig{};
    u.Nazwisko = nazwisko;
    u.Imie = imie;
    for (int q = 1; q <= a.Test.IloscPytan; ++q)
        if (ZapiszOdpowiedz(u, q, wybory.value(q - 1), klucze.value(q - 1))) ++u.Poprawnych;
    OcenUcznia(a.Test, u);
    return u;
}

OdpowiedzBig& Uczen(Analiza& a, const QString& nazwisko, const QString& imie, const QString& wyniki,
                    QTime start, QTime koniec, QTime zapis) {
    QStringList wybory;
    for (int q = 1; q <= a.Test.IloscPytan; ++q)
        wybory.append(q <= wyniki.size() && wyniki.at(q - 1) == QLatin1Char('1') ? Klucz : Zle);
    OdpowiedzBig& u = DodajUcznia(a, nazwisko, imie, wybory, QStringList(a.Test.IloscPytan, Klucz));
    u.Start = CzasZGodziny(start);
    u.Koniec = CzasZGodziny(koniec);
    u.Zapis = CzasZGodziny(zapis);
    return u;
}

void Podsumuj(Analiza& a) {
    StatystykiPytan(a);
    PodsumujKlase(a);
}

void UstawNaglowek(Analiza& a, const QString& nazwa, int odpowiedzi, int pytan) {
    a.Test.NazwaTestu = nazwa;
    a.Test.Autor = QStringLiteral("Anna Żak");
    a.Test.IloscOdpowiedzi = odpowiedzi;
    a.Test.TypTestu = 0;
    a.Test.IloscPytan = pytan;
    UstawProgi(a.Test, 100, 90, 70, 50, 30);
    a.RodzajAnalizy = AnalizaZTestem;
}

void UstawPytanie(Analiza& a, int q, const QString& tresc, const QStringList& opcje,
                  const QString& klucz) {
    Pytanie& p = a.Pytania[q];
    p.Tresc = tresc;
    p.WzorOdpowiedzi = klucz;
    for (int k = 1; k <= MaksOdpowiedzi; ++k) {
        p.Odpowiedzi[k].Tresc = opcje.value(k - 1);
        p.Odpowiedzi[k].Poprawna = klucz.mid(k - 1, 1) == QLatin1String("1");
    }
}

void DodajUczniow(Analiza& a, const QStringList& klucze, const QList<UczenProbny>& uczniowie) {
    a.IloscUczniow = 0;
    for (const UczenProbny& u : uczniowie)
        DodajUcznia(a, u.nazwisko, u.imie, u.wybory, klucze);
    SortujUczniow(a);
    Podsumuj(a);
}

QByteArray ObrazRysunku() {
    return ObrazJpeg(64, 32);
}

void KlasaProbna(Analiza& a, const QString& folderKontenera) {
    UstawNaglowek(a, QStringLiteral("Ułamki zwykłe"), 4, 3);
    a.WyczyscPytania();
    UstawPytanie(a, 1, QStringLiteral("Ile to jest <b>1/2 + 1/4</b>?"), {"3/4", "2/6", "1/8", "1"},
                 "1000");
    a.Pytania[1].Tekst = "opis.txt";
    a.Pytania[1].Obraz = "rys1.jpg";
    UstawPytanie(a, 2, QStringLiteral("Które ułamki są większe od 1/2?"),
                 {"2/3", "1/3", "3/4", "1/4"}, "1010");
    a.Pytania[2].Tekst = "OPIS.TXT";
    a.Pytania[2].Obraz = "brak.gif";
    UstawPytanie(a, 3, QStringLiteral("Ile to jest 1 − 1/3?"), {"1/3", "2/3", "3/3", "0"}, "0100");
    a.Pytania[3].Tekst = "drugi.txt";
    a.Pytania[3].Obraz = "RYS1.JPG";

    DodajUczniow(a, {"1000", "1010", "0100"},
                 {{QStringLiteral("Nowak"), QStringLiteral("Łucja"), {"1000", "1010", "0100"}},
                  {"Kowalski", "Jan", {"1000", "1000", "0100"}},
                  {QStringLiteral("O\"Brien & <script>alert(1)</script>"),
                   QStringLiteral("Ωmega"),
                   {"0000", "1110", "0010"}},
                  {QStringLiteral("Zięba"), "Ewa", {"0100", "0000", "0000"}}});

    const QString sciezka = QDir(folderKontenera).filePath("test.skt");
    EXPECT_TRUE(
        ZapiszPak(sciezka, {Czlon("opis.txt", TekstOpisu), Czlon("rys1.jpg", ObrazRysunku()),
                            Czlon("drugi.txt", TekstDrugi)}));
    a.KontenerTestu = std::make_shared<TVfsPAK>();
    EXPECT_TRUE(OtworzPak(sciezka, *a.KontenerTestu));
}

void KlasaWykresu(Analiza& a, int n) {
    a.IloscUczniow = n;
    for (int i = 1; i <= n; ++i) {
        OdpowiedzBig& u = a.Uczniowie[i];
        u = OdpowiedzBig{};
        u.Nazwisko = QStringLiteral("Nazwisko%1").arg(i);
        u.Imie = QStringLiteral("Imię%1").arg(i);
        u.Poprawnych = i % 21;
        u.Start = CzasZGodziny(QTime(10, 0));
        u.Koniec = CzasZGodziny(QTime(10, 0).addSecs(60 * i));
    }
    const int oceny[6] = {2, 0, 5, 1, 0, 3};
    for (int i = 1; i <= 6; ++i)
        a.Test.LiczbaOcen[i] = oceny[i - 1];
}

AnalizaArchiwalna KlasaArchiwalna(qint64 id, const QString& klasa,
                                  const std::vector<std::vector<int>>& wybory, int pytan) {
    AnalizaArchiwalna a;
    a.Id = id;
    a.Klasa = klasa;
    a.Test.Nazwa = QStringLiteral("Ułamki");
    a.Test.IloscPytan = pytan;
    a.Test.IloscOdpowiedzi = 4;
    UstawProgi(a.Test, 95, 85, 70, 50, 30);
    for (int q = 0; q < pytan; ++q)
        a.Test.Klucz.push_back(OpcjePytania(1u << (q % 4)));
    a.Odcisk = OdciskTestu(a.Test);
    OTescie progi;
    UstawProgi(progi, 95, 85, 70, 50, 30);
    for (const std::vector<int>& ucznia : wybory) {
        UczenArchiwalny u;
        u.Klucz = a.Test.Klucz;
        for (const int w : ucznia)
            u.Zaznaczone.push_back(OpcjePytania(1u << (w - 1)));
        for (int q = 1; q <= pytan; ++q)
            u.Poprawnych += u.PoprawnaOdpowiedz(q);
        u.Procent = ProcentZaokraglony(u.Poprawnych, pytan);
        u.Ocena = OcenaZProcentu(progi, u.Procent);
        a.Uczniowie.push_back(u);
    }
    return a;
}

AnalizaArchiwalna KlasaArchiwalna(int ziarno, int uczniow, int pytan, const QString& test,
                                  const QString& klasa) {
    std::mt19937 los(static_cast<unsigned>(ziarno));
    std::vector<std::vector<int>> wybory(static_cast<std::size_t>(uczniow));
    for (std::vector<int>& ucznia : wybory)
        for (int q = 0; q < pytan; ++q)
            ucznia.push_back(static_cast<int>(los() % 4) + 1);
    AnalizaArchiwalna a = KlasaArchiwalna(0, klasa, wybory, pytan);
    a.Test.Nazwa = test;
    a.Test.Autor = QStringLiteral("Anna Zielińska");
    a.Test.Czas = 45;
    a.Test.Wersja = QStringLiteral("4.0");
    a.Test.Tkk = 1;
    a.Odcisk = OdciskTestu(a.Test);
    for (int s = 0; s < uczniow; ++s) {
        UczenArchiwalny& u = a.Uczniowie[static_cast<std::size_t>(s)];
        u.Nazwisko = QStringLiteral("Nazwisko%1żółć").arg(s);
        u.Imie = QStringLiteral("Imię%1").arg(ziarno);
        u.Start = 0.4 + s / 1000.0;
        u.Koniec = u.Start + 1.0 / 48;
        u.Zapis = u.Koniec + 1.0 / 86400;
        u.Zwm = s % 2;
        const QByteArray tresc = QByteArray::number(ziarno) + '/' + QByteArray::number(s);
        a.Pliki.push_back(
            {QStringLiteral("u%1.sko").arg(s),
             QString::fromLatin1(
                 QCryptographicHash::hash(tresc, QCryptographicHash::Sha256).toHex())});
    }
    a.DataNapisania = QDate(2026, 3, 1).addDays(ziarno);
    return a;
}

QStringList ZapiszKlase(const QString& folder, int ziarno, int uczniow, int pytan) {
    std::mt19937 los(static_cast<unsigned>(ziarno));
    QDir().mkpath(folder);
    QStringList sciezki;
    for (int s = 0; s < uczniow; ++s) {
        PlikOdpowiedzi p;
        p.nazwaTestu = QStringLiteral("Ułamki");
        p.nazwisko = QStringLiteral("Uczeń%1").arg(s);
        p.imie = QStringLiteral("Klasa%1").arg(ziarno);
        p.pytania.clear();
        for (int q = 0; q < pytan; ++q) {
            QString klucz = QStringLiteral("0000"), wybor = QStringLiteral("0000");
            klucz[q % 4] = u'1';
            wybor[static_cast<int>(los() % 4)] = u'1';
            p.pytania.append({wybor, klucz});
        }
        const QString sciezka =
            QDir(folder).filePath(QStringLiteral("k%1_u%2.sko").arg(ziarno).arg(s));
        if (!ZapiszPlikOdpowiedzi(sciezka, p)) return {};
        sciezki.append(sciezka);
    }
    return sciezki;
}

} // namespace sondrel::testy
