// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The records of one analysis: the test as the first answer file declares it with the class
// figures, the questions of the test, the item statistics, the students' results and the run
// state. The program creates one Analiza; every reader, computation, table, chart and report
// takes it as a parameter. Indices are 1-based (question 1..60, option 1..5, student 1..400).

#include "core/tablica.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace sondrel {

class TVfsPAK;

constexpr int MaksPytan = 60;
constexpr int MaksOdpowiedzi = 5;
constexpr int MaksUczniow = 400;

// A time of day as a fraction of a day (the integer part stays 0).
using DataCzas = double;

struct OTescie {
    qint32 IloscOdpowiedzi = 0;
    qint32 TypTestu = 0; // 0 single choice, anything else multiple choice
    qint32 IloscPytan = 0;
    QString NazwaTestu;
    qint32 Czas = 0;
    QString Autor;
    qint32 SumaPoprawnych = 0;
    qint32 ProcentKlasy = 0;
    QString OcenaKlasy;
    double SredniaOcen = 0;
    DataCzas SredniCzasPracy = 0;
    QString DataUtworzenia;
    QString Uwagi;
    QString Wersja;
    Tablica1<qint32, 6> LiczbaOcen; // Cel, Bdb, Db, Dst, Dp, Ndst
    qint32 Tkk = 0;
    qint32 ProgCel = 0;
    qint32 ProgBdb = 0;
    qint32 ProgDb = 0;
    qint32 ProgDst = 0;
    qint32 ProgDp = 0;
};

struct StatPytania {
    qint32 Poprawnych = 0;
    qint32 ProcentPoprawnych = 0;
    Tablica1<qint32, MaksOdpowiedzi> Wybrali;
};

struct Odpowiedz {
    QString Tresc;
    bool Poprawna = false;
};

using OdpowiedziPytania =
    Tablica1<Odpowiedz, MaksOdpowiedzi>; // the record type of the five options

struct Pytanie {
    QString Tresc;
    OdpowiedziPytania Odpowiedzi;
    QString WzorOdpowiedzi;
    QString Obraz;
    QString Tekst;
    QString Komentarz;
};

// One option of one question in a student's record: whether the key marks it correct and
// whether the student ticked it (each 0 or 1).
struct ParaOdpowiedzi {
    std::uint8_t Poprawna = 0;
    std::uint8_t Wybrana = 0;
};

struct OdpowiedzBig {
    QString Nazwisko;
    QString Imie;
    DataCzas Start = 0;
    DataCzas Koniec = 0;
    DataCzas Zapis = 0;
    bool Zwm = false;
    Tablica1<Tablica1<ParaOdpowiedzi, MaksOdpowiedzi>, MaksPytan> Pytania;
    qint32 Procent = 0;
    qint32 Poprawnych = 0;
    QString Ocena;
};

struct OLiscie {
    QString Nazwa;
    QString Data;
    QString Uwagi;
};

// Kinds of analysis.
constexpr int AnalizaAnulowana = -1;
constexpr int AnalizaProsta = 0;
constexpr int AnalizaZTestem = 1;

class Analiza {
public:
    Analiza();
    Analiza(const Analiza&) = delete;
    Analiza& operator=(const Analiza&) = delete;

    OTescie Test;
    Tablica1<StatPytania, MaksPytan> StatPytan;
    Tablica1<Pytanie, MaksPytan> Pytania;
    Tablica1<OdpowiedzBig, MaksUczniow> Uczniowie;
    OLiscie Lista;

    QStringList PlikiOdpowiedzi;
    QString PlikTestu;
    QString WybranyTest;
    int RodzajAnalizy = AnalizaProsta;
    int IloscUczniow = 0;
    // The container of the current test: made by the first test read, re-opened by every
    // later one and kept open so that reports can take question pictures and texts from it.
    std::shared_ptr<TVfsPAK> KontenerTestu;

    void WyczyscPytania();
    void WyczyscStatystyki();
    void WyczyscNaglowekListy();
};

} // namespace sondrel
