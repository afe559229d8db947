// SPDX-License-Identifier: GPL-3.0-or-later
// The workbooks and the CSV lists opened by real spreadsheet software: openpyxl reads every
// cell with its type and number format, LibreOffice Calc shows the workbook's cells as they
// appear on screen and opens the CSV lists as a Polish spreadsheet opens them on a
// double-click. Every figure is compared with the analysis, the comparison and the history.
// LibreOffice starts slowly: the files are written and converted once for the whole suite.

#include "analysis/czas_pracy.h"
#include "analysis/jakosc_pytan.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "analysis/statystyka_pytan.h"
#include "arkusze/csv.h"
#include "arkusze/listy_analizy.h"
#include "arkusze/listy_archiwum.h"
#include "arkusze/skoroszyt.h"
#include "odczyt.h"
#include "support/klasa_testowa.h"
#include "tables/tabele.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace sondrel {
namespace {

using namespace testy;

const QString Formula = QStringLiteral("=HYPERLINK(\"http://x.example\";\"klik\")");
const QString ZeSrednikiem = QStringLiteral("Kowal;ski \"Junior\"");

// Twelve students, five questions of four options (enough students for the quality figures);
// surnames that a spreadsheet would run, one with ";" and quotes, Polish letters, a first name
// with a control character; working times with milliseconds, one across midnight.
void KlasaArkusza(Analiza& a) {
    UstawNaglowek(a, QStringLiteral("Ułamki \"zwykłe\""), 4, 5);
    const QStringList klucze{"1000", "0100", "0010", "0001", "1000"};
    const QStringList nazwiska{"Żak",    "Nowak", Formula, ZeSrednikiem, "+48 600", "-Lis",
                               "@Wrona", "Łuk",   "Ąbel",  "Zieliński",  "Adamska", "Ćwik"};
    QList<UczenProbny> uczniowie;
    for (int s = 0; s < nazwiska.size(); ++s) {
        QStringList wybory;
        for (int q = 0; q < 5; ++q) {
            // Every student gets a different mix of right and wrong answers.
            const bool dobrze = ((s * 7 + q * 3) % 5) < (s % 4) + 1;
            wybory << (dobrze ? klucze[q] : (q % 2 ? QStringLiteral("1000") : "0010"));
        }
        // one first name with a control character, which XML cannot hold as it is
        const QString imie =
            s == 4 ? QStringLiteral("Ewa\x07Dzwonek") : QStringLiteral("Imię%1").arg(s);
        uczniowie.append({nazwiska[s], imie, wybory});
    }
    DodajUczniow(a, klucze, uczniowie);
    for (int s = 1; s <= a.IloscUczniow; ++s) {
        OdpowiedzBig& u = a.Uczniowie[s];
        u.Start = CzasZGodziny(QTime(9, s, 7, 600));
        u.Koniec = u.Start + CzasZMilisekund(s * 97'700);
    }
    a.Uczniowie[3].Start = CzasZGodziny(QTime(23, 50, 10));
    a.Uczniowie[3].Koniec = CzasZGodziny(QTime(0, 5, 40, 999));
}

std::vector<AnalizaArchiwalna> KlasyArchiwalne() {
    std::vector<AnalizaArchiwalna> klasy{
        KlasaArchiwalna(1, 14, 6, QStringLiteral("Ułamki"), QStringLiteral("7a")),
        KlasaArchiwalna(2, 11, 6, QStringLiteral("Ułamki"), QStringLiteral("=7b"))};
    klasy[0].Id = 3;
    klasy[1].Id = 8;
    return klasy;
}

std::vector<WynikUcznia> Historia() {
    std::vector<WynikUcznia> h(2);
    h[0].Analiza.DataNapisania = QDate(2026, 3, 2);
    h[0].Analiza.NazwaTestu = QStringLiteral("Ułamki");
    h[0].Analiza.Klasa = QStringLiteral("7a");
    h[0].Poprawnych = 13;
    h[0].Procent = 65;
    h[0].Ocena = QStringLiteral("Dst");
    h[1].Analiza.DataNapisania = QDate(2026, 11, 30);
    h[1].Analiza.NazwaTestu = QStringLiteral("@Procenty");
    h[1].Analiza.Klasa = QStringLiteral("8a");
    h[1].Poprawnych = 20;
    h[1].Procent = 100;
    h[1].Ocena = QStringLiteral("Cel");
    return h;
}

const std::vector<RodzajListy> Listy{RodzajListy::Wyniki,    RodzajListy::Pytania,
                                     RodzajListy::CzasPracy, RodzajListy::Oceny,
                                     RodzajListy::Klasa,     RodzajListy::DoDziennika};

QString PlikCsv(RodzajListy r) {
    return QStringLiteral("lista%1.csv").arg(static_cast<int>(r));
}

QString Kolumna(int k) {
    QString t;
    for (++k; k > 0; k = (k - 1) / 26)
        t.prepend(QChar(u'A' + (k - 1) % 26));
    return t;
}

class WArkuszu : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<QTemporaryDir>();
        analiza = std::make_unique<Analiza>();
        KlasaArkusza(*analiza);
        zestawienie = std::make_unique<ZestawienieKlas>(PorownajKlasy(KlasyArchiwalne()));
        ASSERT_TRUE(zestawienie->Udane()) << zestawienie->Blad.toStdString();
        QString blad;
        ASSERT_TRUE(ZapiszSkoroszyt(Sciezka("analiza.xlsx"), ListyAnalizy(*analiza, false), &blad))
            << blad.toStdString();
        ASSERT_TRUE(ZapiszSkoroszyt(Sciezka("porownanie.xlsx"), ListyPorownania(*zestawienie)));
        ASSERT_TRUE(ZapiszSkoroszyt(Sciezka("historia.xlsx"), {ListaHistorii(Historia())}));
        QStringList csv;
        for (const RodzajListy r : Listy) {
            ASSERT_TRUE(ZapiszCsv(Sciezka(PlikCsv(r)), ListaAnalizy(*analiza, r, false)));
            csv << Sciezka(PlikCsv(r));
        }
        const QStringList skoroszyty{Sciezka("analiza.xlsx"), Sciezka("porownanie.xlsx"),
                                     Sciezka("historia.xlsx")};
        // Every sheet as shown on screen (Calc's own number formats), one CSV file per sheet.
        ASSERT_TRUE(KonwertujLibreOffice(
            skoroszyty,
            QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true,false,"
                           "false,-1"),
            Sciezka("pokaz")));
        // The CSV lists opened as a Polish spreadsheet opens them, saved as workbooks.
        ASSERT_TRUE(KonwertujLibreOffice(csv, QStringLiteral("xlsx"), Sciezka("z_csv"),
                                         QStringLiteral("CSV:59,34,76,1,,1045")));
        QStringList doOdczytu = skoroszyty;
        for (const RodzajListy r : Listy)
            doOdczytu << Sciezka("z_csv/" + QString(PlikCsv(r)).replace(".csv", ".xlsx"));
        odczyt = std::make_unique<QJsonObject>(CzytajOpenpyxl(doOdczytu));
    }
    static void TearDownTestSuite() {
        odczyt.reset();
        zestawienie.reset();
        analiza.reset();
        folder.reset();
    }

    static QString Sciezka(const QString& nazwa) { return folder->filePath(nazwa); }

    static QJsonArray Arkusz(const QString& plik, const QString& nazwa) {
        return Komorki(*odczyt, Sciezka(plik), nazwa);
    }
    static QJsonObject Opis(const QString& plik, const QString& nazwa) {
        return (*odczyt)[Sciezka(plik)][QStringLiteral("arkusze")][nazwa].toObject();
    }
    // The cell's value from openpyxl ({"t", "v", "f"}).
    static QJsonObject Pole(const QJsonArray& komorki, int wiersz, int kolumna) {
        return komorki[wiersz].toArray()[kolumna].toObject();
    }

    static inline std::unique_ptr<QTemporaryDir> folder;
    static inline std::unique_ptr<Analiza> analiza;
    static inline std::unique_ptr<ZestawienieKlas> zestawienie;
    static inline std::unique_ptr<QJsonObject> odczyt;
};

// A number cell with its value (and number format when given).
void LiczbaRowna(const QJsonObject& pole, double wartosc, const char* format = nullptr) {
    EXPECT_EQ(pole["t"].toString(), "n") << QJsonDocument(pole).toJson().toStdString();
    EXPECT_DOUBLE_EQ(pole["v"].toDouble(), wartosc);
    if (format) {
        EXPECT_EQ(pole["f"].toString(), QString::fromUtf8(format));
    }
}
void TekstRowny(const QJsonObject& pole, const QString& tekst) {
    EXPECT_EQ(pole["t"].toString(), "s") << tekst.toStdString();
    EXPECT_EQ(pole["v"].toString(), tekst);
}

TEST_F(WArkuszu, TheSheetsAreThoseOfTheAnalysisWithFrozenHeadersAndFilters) {
    const QJsonArray kolejnosc =
        (*odczyt)[Sciezka("analiza.xlsx")][QStringLiteral("kolejnosc")].toArray();
    EXPECT_EQ(kolejnosc.toVariantList(),
              QVariantList({"Wyniki", "Pytania", "Czas pracy", "Oceny", "Klasa", "Do dziennika"}));
    const int n = analiza->IloscUczniow;
    struct Przypadek {
        const char* arkusz;
        const char* zamrozenie;
        QString filtr;
    };
    for (const Przypadek& p : {
             Przypadek{"Wyniki", "C2", QStringLiteral("A1:K%1").arg(n + 1)},
             Przypadek{"Pytania", "B2", QStringLiteral("A1:J6")},
             Przypadek{"Czas pracy", "C2", QStringLiteral("A1:E%1").arg(n + 1)},
             Przypadek{"Oceny", "A2", QStringLiteral("A1:C7")},
             Przypadek{"Klasa", "A2", QStringLiteral("A1:B14")},
             Przypadek{"Do dziennika", "C2", QStringLiteral("A1:F%1").arg(n + 1)},
         }) {
        SCOPED_TRACE(p.arkusz);
        const QJsonObject opis = Opis("analiza.xlsx", p.arkusz);
        EXPECT_EQ(opis["zamrozenie"].toString(), p.zamrozenie);
        EXPECT_EQ(opis["filtr"].toString(), p.filtr);
    }
    // Columns as wide as their longest text: the formula-like surname is the longest name.
    const double nazwiska =
        Opis("analiza.xlsx", "Wyniki")[QStringLiteral("szerokosci")][QStringLiteral("A")]
            .toDouble();
    EXPECT_GE(nazwiska, Formula.size());
    EXPECT_LE(Opis("analiza.xlsx", "Wyniki")[QStringLiteral("szerokosci")][QStringLiteral("C")]
                  .toDouble(),
              8);
}

TEST_F(WArkuszu, ResultsSheetHoldsEveryPointPercentAndGradeOfTheAnalysis) {
    const Analiza& a = *analiza;
    const QJsonArray k = Arkusz("analiza.xlsx", "Wyniki");
    ASSERT_EQ(k.size(), a.IloscUczniow + 2);
    const QStringList naglowek{"Nazwisko", "Imię"};
    for (int c = 0; c < 2; ++c)
        TekstRowny(Pole(k, 0, c), naglowek[c]);
    for (int q = 1; q <= 5; ++q)
        LiczbaRowna(Pole(k, 0, 1 + q), q);
    const QStringList koniec{"Suma", "Procent", "Ocena", "Ocena (cyfra)"};
    for (int c = 0; c < 4; ++c)
        TekstRowny(Pole(k, 0, 7 + c), koniec[c]);

    const Tabela tabela = BudujTabeleWynikow(a, 1, false);
    for (int s = 1; s <= a.IloscUczniow; ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        SCOPED_TRACE(u.Nazwisko.toStdString());
        TekstRowny(Pole(k, s, 0), u.Nazwisko);
        TekstRowny(Pole(k, s, 1), u.Imie);
        for (int q = 1; q <= 5; ++q)
            LiczbaRowna(Pole(k, s, 1 + q), tabela.komorka(s, q).Tekst.toInt());
        LiczbaRowna(Pole(k, s, 7), tabela.komorka(s, 6).Tekst.toInt());
        LiczbaRowna(Pole(k, s, 8), u.Procent / 100.0, "0%");
        TekstRowny(Pole(k, s, 9), tabela.komorka(s, 7).Tekst);
        LiczbaRowna(Pole(k, s, 10), WartoscOceny(StopienOceny(u.Ocena)));
    }
    const int poprawnych = a.IloscUczniow + 1;
    TekstRowny(Pole(k, poprawnych, 0), "Poprawnych");
    for (int q = 1; q <= 5; ++q)
        LiczbaRowna(Pole(k, poprawnych, 1 + q), a.StatPytan[q].Poprawnych);
    LiczbaRowna(Pole(k, poprawnych, 7), tabela.komorka(a.IloscUczniow + 1, 6).Tekst.toInt());
}

TEST_F(WArkuszu, QuestionsSheetHoldsTheItemStatisticsAndQualityFlags) {
    const Analiza& a = *analiza;
    const QJsonArray k = Arkusz("analiza.xlsx", "Pytania");
    const QStringList naglowek{"Nr", "Poprawnych", "Łatwość", "Kategoria",       "A",
                               "B",  "C",          "D",       "Moc różnicująca", "Uwaga"};
    for (int c = 0; c < naglowek.size(); ++c)
        TekstRowny(Pole(k, 0, c), naglowek[c]);
    const JakoscTestu jakosc = ObliczJakoscPytan(a);
    bool uwaga = false;
    int zMoca = 0;
    for (int q = 1; q <= 5; ++q) {
        SCOPED_TRACE(q);
        const JakoscPytania& p = jakosc.Pytania[q - 1];
        LiczbaRowna(Pole(k, q, 0), q);
        LiczbaRowna(Pole(k, q, 1), a.StatPytan[q].Poprawnych);
        LiczbaRowna(Pole(k, q, 2), static_cast<double>(a.StatPytan[q].Poprawnych) / 12, "0.00");
        TekstRowny(Pole(k, q, 3), KategoriaTrudnosci(LatwoscZadania(a, q)));
        for (int o = 1; o <= 4; ++o)
            LiczbaRowna(Pole(k, q, 3 + o), a.StatPytan[q].Wybrali[o]);
        // Undefined where every student or none answered correctly: an empty cell.
        if (p.MocRoznicujaca) {
            LiczbaRowna(Pole(k, q, 8), p.MocRoznicujaca->Wartosc, "0.00");
            ++zMoca;
        } else
            EXPECT_TRUE(Pole(k, q, 8)["v"].isNull());
        if (p.Uwagi.isEmpty()) {
            EXPECT_TRUE(Pole(k, q, 9)["v"].isNull());
        } else {
            TekstRowny(Pole(k, q, 9), p.Uwagi.join("; "));
            uwaga = true;
        }
    }
    EXPECT_TRUE(uwaga) << "the fixture should flag at least one question";
    EXPECT_GE(zMoca, 3);
}

TEST_F(WArkuszu, WorkingTimesAreTimeValuesThatTheTimeTableShows) {
    Analiza& a = *analiza;
    const QJsonArray k = Arkusz("analiza.xlsx", "Czas pracy");
    const Tabela tabela = BudujTabeleCzasu(a, false);
    for (int s = 1; s <= a.IloscUczniow; ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        SCOPED_TRACE(s);
        TekstRowny(Pole(k, s, 0), u.Nazwisko);
        EXPECT_EQ(Pole(k, s, 2)["f"].toString(), "hh:mm:ss");
        EXPECT_EQ(Pole(k, s, 4)["f"].toString(), "[h]:mm:ss");
        // The start and end as the table writes them, the duration as its text.
        for (int c : {2, 3}) {
            const int sekundy = Pole(k, s, c)["v"].toInt();
            EXPECT_EQ(QTime(0, 0).addSecs(sekundy).toString("HH:mm:ss"),
                      tabela.komorka(s, c - 1).Tekst);
        }
        EXPECT_EQ(TekstCzasu(Pole(k, s, 4)["v"].toInt() / 86400.0), tabela.komorka(s, 4).Tekst);
    }
    EXPECT_EQ(TekstCzasu(Pole(k, a.IloscUczniow + 1, 4)["v"].toInt() / 86400.0),
              tabela.komorka(a.IloscUczniow + 1, 4).Tekst);
}

TEST_F(WArkuszu, GradesClassAndGradeBookSheetsAgreeWithTheAnalysis) {
    const Analiza& a = *analiza;
    const QJsonArray oceny = Arkusz("analiza.xlsx", "Oceny");
    for (int g = 1; g <= 6; ++g) {
        TekstRowny(Pole(oceny, g, 0), SkrotOceny(g));
        LiczbaRowna(Pole(oceny, g, 1), 7 - g);
        LiczbaRowna(Pole(oceny, g, 2), a.Test.LiczbaOcen[g]);
    }
    LiczbaRowna(Pole(oceny, 7, 2), a.Test.SredniaOcen);
    TekstRowny(Pole(oceny, 8, 2), a.Test.OcenaKlasy);

    const StatystykaOpisowa st = ObliczStatystykeOpisowa(a);
    const QJsonArray klasa = Arkusz("analiza.xlsx", "Klasa");
    const QList<std::pair<QString, double>> figury{
        {"Liczba uczniów", 12},
        {"Wynik minimalny", st.WynikMinimalny},
        {"Wynik maksymalny", st.WynikMaksymalny},
        {"Średnia", st.SredniaPunktow},
        {"Mediana", st.Mediana},
        {"Odchylenie standardowe", st.OdchylenieStandardowe},
        {"Łatwość zestawu zadań", st.LatwoscTestu},
        {"Procent klasy", a.Test.ProcentKlasy / 100.0}};
    for (const auto& [etykieta, wartosc] : figury) {
        bool jest = false;
        for (int r = 1; r < klasa.size(); ++r)
            if (Pole(klasa, r, 0)["v"].toString() == etykieta) {
                LiczbaRowna(Pole(klasa, r, 1), wartosc);
                jest = true;
            }
        EXPECT_TRUE(jest) << etykieta.toStdString();
    }

    // The grade book's list: alphabetical by the Polish collation (Ą after A, Ł after L, Ż last).
    const QJsonArray d = Arkusz("analiza.xlsx", "Do dziennika");
    QStringList kolejnosc;
    for (int r = 1; r < d.size(); ++r) {
        const QString nazwisko = Pole(d, r, 0)["v"].toString();
        kolejnosc << nazwisko;
        for (int s = 1; s <= a.IloscUczniow; ++s) {
            const OdpowiedzBig& u = a.Uczniowie[s];
            if (u.Nazwisko != nazwisko) continue;
            LiczbaRowna(Pole(d, r, 2), WartoscOceny(StopienOceny(u.Ocena)));
            TekstRowny(Pole(d, r, 3), u.Ocena);
            LiczbaRowna(Pole(d, r, 4), u.Poprawnych);
            LiczbaRowna(Pole(d, r, 5), u.Procent / 100.0, "0%");
        }
    }
    EXPECT_LT(kolejnosc.indexOf("Adamska"), kolejnosc.indexOf("Ąbel"));
    EXPECT_LT(kolejnosc.indexOf("Łuk"), kolejnosc.indexOf("Nowak"));
    EXPECT_EQ(kolejnosc.last(), "Żak");
}

TEST_F(WArkuszu, NamesStayTextInTheWorkbookAndInLibreOffice) {
    // A string cell in the workbook, never a formula, whatever the name starts with.
    const QJsonArray k = Arkusz("analiza.xlsx", "Wyniki");
    QStringList nazwiska;
    for (int r = 1; r <= analiza->IloscUczniow; ++r) {
        EXPECT_EQ(Pole(k, r, 0)["t"].toString(), "s");
        nazwiska << Pole(k, r, 0)["v"].toString();
    }
    for (const QString& n : {Formula, ZeSrednikiem, QStringLiteral("+48 600"),
                             QStringLiteral("-Lis"), QStringLiteral("@Wrona")})
        EXPECT_TRUE(nazwiska.contains(n)) << n.toStdString();
    // Calc shows the text itself: nothing was evaluated.
    QFile pokazane(Sciezka("pokaz/analiza-Wyniki.csv"));
    ASSERT_TRUE(pokazane.open(QIODevice::ReadOnly));
    const QString tekst = QString::fromUtf8(pokazane.readAll());
    EXPECT_TRUE(tekst.contains("\"=HYPERLINK(\"\"http://x.example\"\";\"\"klik\"\")\""));
    EXPECT_TRUE(tekst.contains("@Wrona;"));
}

TEST_F(WArkuszu, LibreOfficeShowsThePercentsTimesAndDatesWithTheirFormats) {
    const Analiza& a = *analiza;
    const auto wyniki = WierszeCsv(Sciezka("pokaz/analiza-Wyniki.csv"));
    const auto czas = WierszeCsv(Sciezka("pokaz/analiza-Czas pracy.csv"));
    const Tabela tabela = BudujTabeleCzasu(*analiza, false);
    int sprawdzone = 0;
    for (int s = 1; s <= a.IloscUczniow; ++s) {
        const OdpowiedzBig& u = a.Uczniowie[s];
        if (u.Nazwisko.contains(u';') || u.Nazwisko.contains(u'"')) continue;
        ASSERT_GT(wyniki.size(), s);
        EXPECT_EQ(wyniki[s].value(8), QString::number(u.Procent) + "%");
        EXPECT_EQ(czas[s].value(2), tabela.komorka(s, 1).Tekst);
        ++sprawdzone;
    }
    EXPECT_GE(sprawdzone, 10);
    const auto historia = WierszeCsv(Sciezka("pokaz/historia-Historia ucznia.csv"));
    ASSERT_EQ(historia.size(), 3);
    EXPECT_EQ(historia[1], QStringList({"2026-03-02", "Ułamki", "7a", "13", "65%", "Dst"}));
    EXPECT_EQ(historia[2], QStringList({"2026-11-30", "@Procenty", "8a", "20", "100%", "Cel"}));
}

TEST_F(WArkuszu, CsvListsOpenInAPolishSpreadsheetAsTheSameValues) {
    // Every list read back from its CSV by Calc (Polish locale) equals the list's cells: the
    // decimal comma, the percents, the times and durations are values again, names are texts
    // and a formula-like name keeps its apostrophe.
    for (const RodzajListy r : Listy) {
        const ListaArkusza lista = ListaAnalizy(*analiza, r, false);
        SCOPED_TRACE(lista.Nazwa.toStdString());
        const QString plik = QString("z_csv/" + PlikCsv(r)).replace(".csv", ".xlsx");
        const QJsonObject arkusze = (*odczyt)[Sciezka(plik)][QStringLiteral("arkusze")].toObject();
        ASSERT_EQ(arkusze.size(), 1);
        const QJsonArray k = arkusze.begin()->toObject()["komorki"].toArray();
        std::vector<WierszArkusza> wiersze{lista.Naglowek};
        wiersze.insert(wiersze.end(), lista.Wiersze.begin(), lista.Wiersze.end());
        wiersze.insert(wiersze.end(), lista.Ponizej.begin(), lista.Ponizej.end());
        ASSERT_EQ(k.size(), static_cast<int>(wiersze.size()));
        for (int w = 0; w < k.size(); ++w) {
            for (int c = 0; c < static_cast<int>(wiersze[w].size()); ++c) {
                const KomorkaArkusza& oczekiwana = wiersze[w][c];
                const QJsonObject pole = Pole(k, w, c);
                SCOPED_TRACE(QStringLiteral("%1%2").arg(Kolumna(c)).arg(w + 1).toStdString());
                switch (oczekiwana.Rodzaj) {
                case RodzajKomorki::Pusta:
                    EXPECT_TRUE(pole["v"].isNull());
                    break;
                case RodzajKomorki::Tekst:
                    TekstRowny(pole, JakFormula(oczekiwana.Tekst) ? "'" + oczekiwana.Tekst
                                                                  : oczekiwana.Tekst);
                    break;
                case RodzajKomorki::Liczba:
                case RodzajKomorki::Procent:
                    LiczbaRowna(pole, oczekiwana.Wartosc);
                    break;
                case RodzajKomorki::DwaMiejsca:
                    LiczbaRowna(pole, oczekiwana.Setne / 100.0);
                    break;
                case RodzajKomorki::Godzina:
                case RodzajKomorki::CzasTrwania:
                    EXPECT_EQ(pole["t"].toString(), "d");
                    EXPECT_EQ(pole["v"].toInt(), oczekiwana.Wartosc);
                    break;
                case RodzajKomorki::Data:
                    EXPECT_EQ(pole["v"].toString(), oczekiwana.Dzien.toString(Qt::ISODate));
                    break;
                }
            }
        }
    }
}

TEST_F(WArkuszu, ComparisonWorkbookHoldsTheFiguresOfTheComparison) {
    const ZestawienieKlas& z = *zestawienie;
    const QJsonArray k = Arkusz("porownanie.xlsx", "Porównanie");
    ASSERT_EQ(k.size(), 4);
    std::vector<const FiguryKlasy*> klasy{&z.Klasy[0], &z.Klasy[1], &z.Razem};
    for (int r = 1; r <= 3; ++r) {
        const FiguryKlasy& f = *klasy[r - 1];
        SCOPED_TRACE(r);
        if (r < 3) {
            LiczbaRowna(Pole(k, r, 0), f.Id);
            TekstRowny(Pole(k, r, 1), f.Klasa);
            EXPECT_EQ(Pole(k, r, 2)["v"].toString(), f.DataNapisania.toString(Qt::ISODate));
        } else {
            TekstRowny(Pole(k, r, 1), "Razem");
        }
        LiczbaRowna(Pole(k, r, 3), f.IloscUczniow);
        LiczbaRowna(Pole(k, r, 4), f.Srednia);
        LiczbaRowna(Pole(k, r, 5), f.Mediana);
        LiczbaRowna(Pole(k, r, 6), f.Odchylenie);
        LiczbaRowna(Pole(k, r, 7), f.ProcentKlasy / 100.0, "0%");
        for (int g = 1; g <= 6; ++g)
            LiczbaRowna(Pole(k, r, 7 + g), f.LiczbaOcen[g]);
        TekstRowny(Pole(k, r, 14), f.OcenaKlasy);
        if (f.KR20)
            LiczbaRowna(Pole(k, r, 15), *f.KR20, "0.00");
        else
            EXPECT_TRUE(Pole(k, r, 15)["v"].isNull());
    }

    // as Calc shows it: the pooled class's row
    const auto pokazane = WierszeCsv(Sciezka("pokaz/porownanie-Porównanie.csv"));
    ASSERT_EQ(pokazane.size(), 4);
    EXPECT_EQ(pokazane[3].value(1), "Razem");
    EXPECT_EQ(pokazane[3].value(3), QString::number(z.Razem.IloscUczniow));
    EXPECT_EQ(pokazane[3].value(7), QString::number(z.Razem.ProcentKlasy) + "%");
    EXPECT_EQ(pokazane[1].value(2), z.Klasy[0].DataNapisania.toString(Qt::ISODate));

    const QJsonArray p = Arkusz("porownanie.xlsx", "Pytania w klasach");
    TekstRowny(Pole(p, 0, 1), "7a – procent");
    TekstRowny(Pole(p, 0, 4), "=7b – uwaga");
    TekstRowny(Pole(p, 0, 5), "Razem – procent");
    ASSERT_EQ(p.size(), 7);
    for (int q = 1; q <= 6; ++q) {
        LiczbaRowna(Pole(p, q, 0), q);
        for (int c = 0; c < 2; ++c) {
            const PytanieKlasy& pk = z.Klasy[c].Pytania[q - 1];
            LiczbaRowna(Pole(p, q, 1 + 2 * c), pk.ProcentPoprawnych / 100.0, "0%");
            if (pk.Uwaga.isEmpty())
                EXPECT_TRUE(Pole(p, q, 2 + 2 * c)["v"].isNull());
            else
                TekstRowny(Pole(p, q, 2 + 2 * c), pk.Uwaga);
        }
        LiczbaRowna(Pole(p, q, 5), z.Razem.Pytania[q - 1].ProcentPoprawnych / 100.0, "0%");
    }
}

TEST_F(WArkuszu, HistoryWorkbookHoldsEveryResultWithItsDate) {
    const QJsonArray k = Arkusz("historia.xlsx", "Historia ucznia");
    ASSERT_EQ(k.size(), 3);
    const std::vector<WynikUcznia> h = Historia();
    for (int r = 1; r <= 2; ++r) {
        const WynikUcznia& w = h[static_cast<std::size_t>(r - 1)];
        EXPECT_EQ(Pole(k, r, 0)["t"].toString(), "d");
        EXPECT_EQ(Pole(k, r, 0)["v"].toString(), w.Analiza.DataNapisania.toString(Qt::ISODate));
        TekstRowny(Pole(k, r, 1), w.Analiza.NazwaTestu);
        TekstRowny(Pole(k, r, 2), w.Analiza.Klasa);
        LiczbaRowna(Pole(k, r, 3), w.Poprawnych);
        LiczbaRowna(Pole(k, r, 4), w.Procent / 100.0, "0%");
        TekstRowny(Pole(k, r, 5), w.Ocena);
    }
}

} // namespace
} // namespace sondrel
