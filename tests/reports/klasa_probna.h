// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small class for the report tests, built directly in the records: a test of three questions
// with texts and pictures in a real container, four students (one with a hostile name).

#include "analysis/ocenianie.h"
#include "analysis/statystyka_pytan.h"
#include "core/analiza.h"
#include "core/zegar.h"
#include "formats/pak.h"
#include "support/pak_zapis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sondrel::testy {

struct UczenProbny {
    QString nazwisko, imie;
    QStringList wybory; // one choice string per question
};

// Fills the students and computes what the reading loop computes after reading them.
inline void DodajUczniow(Analiza& a, const QStringList& klucze,
                         const QList<UczenProbny>& uczniowie) {
    a.IloscUczniow = 0;
    for (const UczenProbny& u : uczniowie) {
        OdpowiedzBig& rekord = a.Uczniowie[++a.IloscUczniow];
        rekord = OdpowiedzBig{};
        rekord.Nazwisko = u.nazwisko;
        rekord.Imie = u.imie;
        for (int q = 1; q <= a.Test.IloscPytan; ++q)
            if (ZapiszOdpowiedz(rekord, q, u.wybory.value(q - 1), klucze.value(q - 1)))
                ++rekord.Poprawnych;
        OcenUcznia(a.Test, rekord);
    }
    SortujUczniow(a);
    StatystykiPytan(a);
    PodsumujKlase(a);
}

inline void UstawPytanie(Analiza& a, int q, const QString& tresc, const QStringList& opcje,
                         const QString& klucz) {
    Pytanie& p = a.Pytania[q];
    p.Tresc = tresc;
    p.WzorOdpowiedzi = klucz;
    for (int k = 1; k <= MaksOdpowiedzi; ++k) {
        p.Odpowiedzi[k].Tresc = opcje.value(k - 1);
        p.Odpowiedzi[k].Poprawna = klucz.mid(k - 1, 1) == QLatin1String("1");
    }
}

inline void UstawNaglowek(Analiza& a, const QString& nazwa, int odpowiedzi, int pytan) {
    a.Test.NazwaTestu = nazwa;
    a.Test.Autor = QString::fromUtf8("Anna Żak");
    a.Test.IloscOdpowiedzi = odpowiedzi;
    a.Test.TypTestu = 0;
    a.Test.IloscPytan = pytan;
    a.Test.ProgCel = 100;
    a.Test.ProgBdb = 90;
    a.Test.ProgDb = 70;
    a.Test.ProgDst = 50;
    a.Test.ProgDp = 30;
    a.RodzajAnalizy = AnalizaZTestem;
}

const QByteArray TekstOpisu = QByteArray("Przeczytaj uwa\xBFnie.\r\nDruga <i>linia</i>");
const QByteArray TekstDrugi = QByteArray("Tekst drugi\n");
inline QByteArray ObrazRysunku() {
    return ObrazJpeg(64, 32);
}

// The class: "Ułamki zwykłe", 4 options, 3 questions, 4 students. Question 1 has the text
// opis.txt and the picture rys1.jpg; question 2 the same text as OPIS.TXT and the missing
// picture brak.gif; question 3 the text drugi.txt and RYS1.JPG, the first picture again.
inline void KlasaProbna(Analiza& a, const QString& folderKontenera) {
    UstawNaglowek(a, QString::fromUtf8("Ułamki zwykłe"), 4, 3);
    a.WyczyscPytania();
    UstawPytanie(a, 1, QString::fromUtf8("Ile to jest <b>1/2 + 1/4</b>?"),
                 {"3/4", "2/6", "1/8", "1"}, "1000");
    a.Pytania[1].Tekst = "opis.txt";
    a.Pytania[1].Obraz = "rys1.jpg";
    UstawPytanie(a, 2, QString::fromUtf8("Które ułamki są większe od 1/2?"),
                 {"2/3", "1/3", "3/4", "1/4"}, "1010");
    a.Pytania[2].Tekst = "OPIS.TXT";
    a.Pytania[2].Obraz = "brak.gif";
    UstawPytanie(a, 3, QString::fromUtf8("Ile to jest 1 − 1/3?"), {"1/3", "2/3", "3/3", "0"},
                 "0100");
    a.Pytania[3].Tekst = "drugi.txt";
    a.Pytania[3].Obraz = "RYS1.JPG";

    DodajUczniow(
        a, {"1000", "1010", "0100"},
        {{QString::fromUtf8("Nowak"), QString::fromUtf8("Łucja"), {"1000", "1010", "0100"}},
         {"Kowalski", "Jan", {"1000", "1000", "0100"}},
         {QString::fromUtf8("O\"Brien & <script>alert(1)</script>"),
          QString::fromUtf8("Ωmega"),
          {"0000", "1110", "0010"}},
         {QString::fromUtf8("Zięba"), "Ewa", {"0100", "0000", "0000"}}});

    const QString sciezka = QDir(folderKontenera).filePath("test.skt");
    EXPECT_TRUE(
        ZapiszPak(sciezka, {Czlon("opis.txt", TekstOpisu), Czlon("rys1.jpg", ObrazRysunku()),
                            Czlon("drugi.txt", TekstDrugi)}));
    a.KontenerTestu = std::make_shared<TVfsPAK>();
    EXPECT_TRUE(OtworzPak(sciezka, *a.KontenerTestu));
}

// Fixes "now" for the reports' date line while a test runs.
class StalyZegar {
public:
    explicit StalyZegar(const QDateTime& chwila) {
        Zegar::ustaw([chwila] { return chwila; });
    }
    ~StalyZegar() { Zegar::przywroc(); }
};

inline QByteArray Zawartosc(const QString& sciezka) {
    QFile plik(sciezka);
    return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

inline QString FolderDanych() {
    return QStringLiteral(SONDREL_DANE_TESTU);
}

} // namespace sondrel::testy
