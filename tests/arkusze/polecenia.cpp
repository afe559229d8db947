// SPDX-License-Identifier: GPL-3.0-or-later
// sondrel-cli's spreadsheet outputs: the workbook of an analysis (its figures equal those of
// the "json" command on the same files), the CSV lists on standard output, the workbooks of
// the archive's comparison and history, the usage errors, and a full disk (exit status 4, the
// old file left whole).

#include "cli/program_cli.h"
#include "odczyt.h"
#include "support/pelny_dysk.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

using namespace testy;

PlikOdpowiedzi Uczen(const QString& nazwisko, const QString& imie, const QString& koniec,
                     const QStringList& wybory) {
    const QStringList klucz{"1000", "0100", "0010", "0001"};
    PlikOdpowiedzi p;
    p.nazwaTestu = QStringLiteral("Ułamki");
    p.nazwisko = nazwisko;
    p.imie = imie;
    p.start = QStringLiteral("10:00:00");
    p.koniec = koniec;
    p.zapis = koniec;
    p.pytania.clear();
    for (int q = 0; q < 4; ++q)
        p.pytania.append({wybory[q], klucz[q]});
    return p;
}

QByteArray Czytaj(const QString& sciezka) {
    QFile f(sciezka);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Four students of a test of four questions, and its test file.
class PoleceniaArkuszy : public testing::Test {
protected:
    void SetUp() override {
        const struct {
            const char* plik;
            PlikOdpowiedzi odpowiedzi;
        } uczniowie[] = {
            {"a.sko", Uczen("Nowak", "Anna", "10:20:00", {"1000", "0100", "0100", "0000"})},
            {"b.sko", Uczen("=1+2", "Jan", "10:31:15", {"1000", "0100", "0010", "0001"})},
            {"c.sko", Uczen("Łukasiewicz", "Ewa", "10:05:00", {"1000", "1000", "0000", "0011"})},
            {"d.sko", Uczen("Adamska", "Ola;\"O\"", "10:25:30", {"1000", "0100", "0010", "0000"})},
        };
        for (const auto& u : uczniowie) {
            ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka(u.plik), u.odpowiedzi));
            klasa.append(st.sciezka(u.plik));
        }
        PlikTestu test;
        test.nazwaTestu = QStringLiteral("Ułamki");
        test.pytania.clear();
        for (const char* klucz : {"1000", "0100", "0010", "0001"})
            test.pytania.append(
                {.tresc = "Pytanie", .odpowiedzi = {"a", "b", "c", "d"}, .klucz = klucz});
        ASSERT_TRUE(ZapiszPlikTestu(st.sciezka("test.skt"), test));
    }

    QJsonObject Json(const QStringList& argumenty) {
        const Wynik w = Uruchom(QStringList{"json"} + argumenty);
        EXPECT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
        return QJsonDocument::fromJson(w.wyjscie).object();
    }

    SrodowiskoTestowe st;
    QStringList klasa;
};

TEST_F(PoleceniaArkuszy, WorkbookOfTheAnalysisHoldsTheFiguresOfTheJsonCommand) {
    const QString plik = st.sciezka("wyniki.xlsx");
    const QStringList zTestem{"--test", st.sciezka("test.skt")};
    const Wynik w = Uruchom(QStringList{"arkusz", "--do", plik} + zTestem + klasa);
    ASSERT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
    EXPECT_EQ(w.wyjscie, plik.toUtf8() + "\n");
    // Without the test: no sheet of questions.
    const QString prosty = st.sciezka("prosty.xlsx");
    ASSERT_EQ(Uruchom(QStringList{"arkusz", "--imie-najpierw", "--do", prosty} + klasa).kod, 0);

    const QJsonObject odczyt = CzytajOpenpyxl({plik, prosty});
    EXPECT_EQ(odczyt[plik][u"kolejnosc"].toArray().size(), 6);
    EXPECT_EQ(odczyt[prosty][u"kolejnosc"].toArray().toVariantList(),
              QVariantList({"Wyniki", "Czas pracy", "Oceny", "Klasa", "Do dziennika"}));
    const QJsonObject json = Json(zTestem + klasa);
    const QJsonArray uczniowie = json["uczniowie"].toArray();
    const QJsonArray wyniki = Komorki(odczyt, plik, "Wyniki");
    const QJsonArray poImieniu = Komorki(odczyt, prosty, "Wyniki");
    ASSERT_EQ(wyniki.size(), uczniowie.size() + 2);
    for (int s = 0; s < uczniowie.size(); ++s) {
        const QJsonObject u = uczniowie[s].toObject();
        const QJsonArray r = wyniki[s + 1].toArray();
        SCOPED_TRACE(u["nazwisko"].toString().toStdString());
        EXPECT_EQ(r[0][u"v"].toString(), u["nazwisko"].toString());
        EXPECT_EQ(r[0][u"t"].toString(), "s");
        EXPECT_EQ(poImieniu[s + 1].toArray()[1][u"v"].toString(), u["nazwisko"].toString());
        QString wynik;
        for (int q = 0; q < 4; ++q)
            wynik += QString::number(r[2 + q][u"v"].toInt());
        EXPECT_EQ(wynik, u["wynik"].toString());
        EXPECT_EQ(r[6][u"v"].toInt(), u["poprawnych"].toInt());
        EXPECT_DOUBLE_EQ(r[7][u"v"].toDouble(), u["procent"].toInt() / 100.0);
        EXPECT_EQ(r[8][u"v"].toString(), u["ocena"].toString());
    }
    const QJsonArray pytania = json["pytania"].toArray();
    const QJsonArray arkuszPytan = Komorki(odczyt, plik, "Pytania");
    for (int q = 0; q < pytania.size(); ++q) {
        const QJsonObject p = pytania[q].toObject();
        EXPECT_EQ(arkuszPytan[q + 1][1][u"v"].toInt(), p["poprawnych"].toInt());
        EXPECT_EQ(arkuszPytan[q + 1][3][u"v"].toString(), p["kategoria"].toString());
        for (int o = 0; o < 4; ++o)
            EXPECT_EQ(arkuszPytan[q + 1][4 + o][u"v"].toInt(), p["wybrali"][o].toInt());
    }
    const QJsonArray oceny = Komorki(odczyt, plik, "Oceny");
    for (int g = 0; g < 6; ++g)
        EXPECT_EQ(oceny[g + 1][2][u"v"].toInt(), json["klasa"][u"liczbaOcen"][g].toInt());
}

TEST_F(PoleceniaArkuszy, TableCommandWritesEachListAsCsv) {
    // The grade book's list: by surname, names as data (the formula-like one quoted with an
    // apostrophe, the one with ";" and quotes in quotes), CR LF, a decimal-free percent.
    const Wynik w = Uruchom(QStringList{"tabela", "dziennik", "csv"} + klasa);
    ASSERT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
    const QByteArray oczekiwane = "\xEF\xBB\xBF"
                                  "Nazwisko;Imię;Ocena (cyfra);Ocena;Punkty;Procent\r\n"
                                  "'=1+2;Jan;6;Cel;4;100%\r\n"
                                  "Adamska;\"Ola;\"\"O\"\"\";4;Db;3;75%\r\n"
                                  "Łukasiewicz;Ewa;1;Ndst;1;25%\r\n"
                                  "Nowak;Anna;3;Dst;2;50%\r\n";
    EXPECT_EQ(QString::fromUtf8(w.wyjscie), QString::fromUtf8(oczekiwane));

    struct Przypadek {
        QStringList argumenty;
        int kod;
        QByteArray naglowek; // the first line after the byte-order mark
    };
    const QStringList zTestem{"--test", st.sciezka("test.skt")};
    for (const Przypadek& p : {
             Przypadek{{"tabela", "wyniki", "csv"},
                       0,
                       "Nazwisko;Imię;1;2;3;4;Suma;Procent;Ocena;Ocena (cyfra)"},
             Przypadek{{"tabela", "czas", "csv", "--imie-najpierw"},
                       0,
                       "Imię;Nazwisko;Początek;Koniec;Czas pracy"},
             Przypadek{{"tabela", "oceny", "csv"}, 0, "Ocena;Ocena (cyfra);Ilość ocen"},
             Przypadek{QStringList{"tabela", "pytania", "csv"} + zTestem, 0,
                       "Nr;Poprawnych;Łatwość;Kategoria;A;B;C;D;Moc różnicująca;Uwaga"},
             Przypadek{{"tabela", "pytania", "csv"}, KodBrakTestu, {}},
             Przypadek{{"tabela", "klasa", "csv"}, KodBlednePolecenie, {}},
         }) {
        SCOPED_TRACE(p.argumenty.join(' ').toStdString());
        const Wynik r = Uruchom(p.argumenty + klasa);
        EXPECT_EQ(r.kod, p.kod) << r.bledy.toStdString();
        if (p.kod != 0) {
            EXPECT_TRUE(r.wyjscie.isEmpty());
            continue;
        }
        EXPECT_TRUE(r.wyjscie.startsWith("\xEF\xBB\xBF" + p.naglowek + "\r\n"))
            << r.wyjscie.left(120).toStdString();
    }
    // The working time of Jan (10:00:00 to 10:31:15) as a duration a spreadsheet reads.
    const Wynik czas = Uruchom(QStringList{"tabela", "czas", "csv"} + klasa);
    EXPECT_TRUE(czas.wyjscie.contains("'=1+2;Jan;10:00:00;10:31:15;0:31:15\r\n"));
}

TEST_F(PoleceniaArkuszy, ArchiveComparisonAndHistoryAsWorkbooks) {
    const QString archiwum = st.sciezka("archiwum.sqlite");
    const QStringList a{"--archiwum", archiwum};
    ASSERT_EQ(Uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7a", "--data", "2026-03-02"} +
                      a + klasa.mid(0, 2))
                  .kod,
              0);
    ASSERT_EQ(Uruchom(QStringList{"archiwum", "dodaj", "--klasa", "7b", "--data", "2026-04-20"} +
                      a + klasa.mid(2))
                  .kod,
              0);
    const QString porownanie = st.sciezka("porownanie.XLSX");
    const QString historia = st.sciezka("historia.xlsx");
    Wynik w = Uruchom(QStringList{"archiwum", "porownaj", "1", "2", "--do", porownanie} + a);
    ASSERT_EQ(w.kod, 0) << w.bledy.toStdString();
    EXPECT_EQ(w.wyjscie, porownanie.toUtf8() + "\n");
    w = Uruchom(QStringList{"archiwum", "uczen", "Nowak Anna", "--do", historia} + a);
    ASSERT_EQ(w.kod, 0) << w.bledy.toStdString();
    // A student with no result: the history report's message, no file.
    w = Uruchom(QStringList{"archiwum", "uczen", "Nikt Taki", "--do", st.sciezka("n.xlsx")} + a);
    EXPECT_NE(w.kod, 0);
    EXPECT_TRUE(w.bledy.contains("W archiwum nie ma wyników ucznia Nikt Taki."))
        << w.bledy.toStdString();
    EXPECT_FALSE(QFile::exists(st.sciezka("n.xlsx")));

    const QJsonObject json =
        QJsonDocument::fromJson(Uruchom(QStringList{"archiwum", "porownaj", "1", "2"} + a).wyjscie)
            .object();
    const QJsonObject odczyt = CzytajOpenpyxl({porownanie, historia});
    const QJsonArray k = Komorki(odczyt, porownanie, "Porównanie");
    ASSERT_EQ(k.size(), 4);
    const QJsonArray klasy = json["klasy"].toArray();
    for (int r = 0; r < 3; ++r) {
        const QJsonObject f = r < 2 ? klasy[r].toObject() : json["razem"].toObject();
        const QJsonArray w = k[r + 1].toArray();
        EXPECT_EQ(w[1][u"v"].toString(), r < 2 ? f["klasa"].toString() : "Razem");
        EXPECT_EQ(w[3][u"v"].toInt(), f["iloscUczniow"].toInt());
        EXPECT_DOUBLE_EQ(w[4][u"v"].toDouble(), f["srednia"].toDouble());
        EXPECT_DOUBLE_EQ(w[7][u"v"].toDouble(), f["procentKlasy"].toInt() / 100.0);
        EXPECT_EQ(w[14][u"v"].toString(), f["ocenaKlasy"].toString());
    }
    EXPECT_EQ(k[1][2][u"v"].toString(), "2026-03-02");
    const QJsonArray pytania = Komorki(odczyt, porownanie, "Pytania w klasach");
    ASSERT_EQ(pytania.size(), 5);
    for (int q = 0; q < 4; ++q)
        EXPECT_DOUBLE_EQ(pytania[q + 1][1][u"v"].toDouble(),
                         klasy[0][u"pytania"][q][u"procentPoprawnych"].toInt() / 100.0);
    const QJsonArray h = Komorki(odczyt, historia, "Historia ucznia");
    ASSERT_EQ(h.size(), 2);
    EXPECT_EQ(h[1][0][u"v"].toString(), "2026-03-02");
    EXPECT_EQ(h[1][1][u"v"].toString(), "Ułamki");
    EXPECT_EQ(h[1][2][u"v"].toString(), "7a");
    EXPECT_EQ(h[1][3][u"v"].toInt(), 2);
    EXPECT_DOUBLE_EQ(h[1][4][u"v"].toDouble(), 0.5);
    EXPECT_EQ(h[1][5][u"v"].toString(), "Dst");
}

TEST_F(PoleceniaArkuszy, UsageErrorsWriteNothing) {
    for (const QStringList& argumenty : {
             QStringList{"arkusz"} + klasa,
             QStringList{"arkusz", "--do", st.sciezka("a.csv")} + klasa,
             QStringList{"arkusz", "--do", st.sciezka("a.xlsx")},
         }) {
        const Wynik w = Uruchom(argumenty);
        EXPECT_EQ(w.kod, KodBlednePolecenie) << argumenty.join(' ').toStdString();
        EXPECT_TRUE(w.bledy.contains("sondrel-cli --help")) << w.bledy.toStdString();
    }
    EXPECT_TRUE(QDir(st.sciezka("")).entryList({"*.xlsx", "*.csv"}).isEmpty());
}

// A full disk: exit status 4 with the path and the reason, and the earlier workbook stays
// whole (no file cut short, none left under a temporary name).
TEST_F(PoleceniaArkuszy, FullDiskLeavesTheOldWorkbookWhole) {
    MalyDysk dysk(256 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    const QString plik = dysk.sciezka("wyniki.xlsx");
    ASSERT_EQ(Uruchom(QStringList{"arkusz", "--do", plik} + klasa.mid(0, 1)).kod, 0);
    const QByteArray stary = Czytaj(plik);
    ASSERT_FALSE(stary.isEmpty());
    dysk.Zapelnij(1024);
    const Wynik w = Uruchom(QStringList{"arkusz", "--do", plik} + klasa);
    EXPECT_EQ(w.kod, KodBladZapisu);
    EXPECT_TRUE(w.bledy.contains("Nie udało się zapisać pliku " + plik + ": brak miejsca na dysku"))
        << w.bledy.toStdString();
    EXPECT_EQ(Czytaj(plik), stary);
    EXPECT_EQ(QDir(dysk.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2); // + filler
}

} // namespace
} // namespace sondrel
