// SPDX-License-Identifier: GPL-3.0-or-later
// The writers themselves: each kind of cell as the CSV form writes it, the quoting, the bytes
// of a whole list, sheet names, and workbooks that the library could refuse (a text longer
// than a cell holds, a class without students) or that cannot be saved.

#include "arkusze/csv.h"
#include "arkusze/listy_analizy.h"
#include "arkusze/listy_archiwum.h"
#include "arkusze/skoroszyt.h"
#include "support/klasa_testowa.h"
#include "support/pelny_dysk.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

using K = KomorkaArkusza;

TEST(ZapisCsv, EachKindOfCellIsWrittenAsASpreadsheetReadsItBack) {
    const struct {
        KomorkaArkusza komorka;
        const char* tekst;
    } przypadki[] = {
        {K::Pusta(), ""},
        {K::Napis("Żółć"), "Żółć"},
        {K::Napis("=SUMA(A1:A9)"), "'=SUMA(A1:A9)"},
        {K::Napis("+48 600"), "'+48 600"},
        {K::Napis("-Lis"), "'-Lis"},
        {K::Napis("@Wrona"), "'@Wrona"},
        {K::Napis("\tTab"), "'\tTab"},
        {K::Napis("\rCR"), "'\rCR"},
        {K::Napis("A=B"), "A=B"},
        {K::Liczba(12), "12"},
        {K::Liczba(-3.5), "-3,5"},
        {K::Liczba(12.35), "12,35"},
        {K::Liczba(1.0 / 3), "0,333333333333333"},
        {K::Liczba(0.00001), "0,00001"},
        {K::Liczba(1e16), "10000000000000000"},
        {K::Liczba(-0.0), "0"},
        {K::DwaMiejsca(0.165, 16), "0,16"},
        {K::DwaMiejsca(1, 100), "1,00"},
        {K::DwaMiejsca(-0.05, -5), "-0,05"},
        {K::Procent(65), "65%"},
        {K::Procent(0), "0%"},
        {K::Godzina(9 * 3600 + 5 * 60 + 7), "09:05:07"},
        {K::CzasTrwania(31 * 60 + 15), "0:31:15"},
        {K::CzasTrwania(26 * 3600 + 1), "26:00:01"},
        {K::Data(QDate(2026, 3, 1)), "2026-03-01"},
        {K::Data(QDate()), ""},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(TekstKomorkiCsv(p.komorka), QString::fromUtf8(p.tekst)) << p.tekst;
}

TEST(ZapisCsv, AListIsUtf8WithBomSemicolonsQuotingAndCrLf) {
    ListaArkusza l;
    l.Naglowek = {K::Napis("Nazwisko"), K::Napis("Uwaga")};
    l.Wiersze = {{K::Napis("Kowal;ski"), K::Napis("powiedział \"nie\"")},
                 {K::Napis("=1+1"), K::Napis("dwa\nwiersze")},
                 {K::Napis("-\"x\""), K::Pusta()}};
    l.Ponizej = {{K::Napis("Suma"), K::Liczba(2.5)}};
    EXPECT_EQ(CsvListy(l), QByteArray("\xEF\xBB\xBF"
                                      "Nazwisko;Uwaga\r\n"
                                      "\"Kowal;ski\";\"powiedział \"\"nie\"\"\"\r\n"
                                      "'=1+1;\"dwa\nwiersze\"\r\n"
                                      "\"'-\"\"x\"\"\";\r\n"
                                      "Suma;2,5\r\n"));
}

TEST(ZapisArkusza, SheetNamesTakeTheCareOfFileNames) {
    const struct {
        const char* nazwa;
        const char* arkusz;
    } przypadki[] = {
        {"Wyniki", "Wyniki"},
        {"a/b\\c:d*e?f[g]h", "a_b_c_d_e_f_g_h"},
        {"'cytat'", "cytat"},
        {"", "Arkusz"},
        {"'", "Arkusz"},
        {"Bardzo długa nazwa arkusza ponad limit", "Bardzo długa nazwa arkusza pona"},
        {"z\x01kontrolnym", "z_kontrolnym"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(NazwaArkusza(QString::fromUtf8(p.nazwa)), QString::fromUtf8(p.arkusz)) << p.nazwa;
}

TEST(ZapisArkusza, FileNamesOfferedFromNamesStayInTheFolder) {
    EXPECT_EQ(NazwaPlikuArkusza(QStringLiteral("Ułamki/zwykłe: test?")),
              QStringLiteral("Ułamki_zwykłe_ test_.xlsx"));
    EXPECT_EQ(NazwaArkuszaHistorii(QStringLiteral("../..\\Nowak Anna")),
              QStringLiteral(".._.._Nowak Anna_HistoriaUcznia.xlsx"));
    EXPECT_EQ(NazwaArkuszaPorownania(QStringLiteral("..")),
              QStringLiteral("__PorownanieKlas.xlsx"));
}

TEST(ZapisArkusza, WorkbooksTheLibraryCouldRefuseAreStillWritten) {
    // A class without students, a text longer than a cell holds (cut, not a failure) and values
    // that are not numbers (written as empty cells).
    Analiza pusta;
    testy::Klasa(pusta, QStringLiteral("Pusty"), 3);
    testy::Podsumuj(pusta);
    ListaArkusza dluga;
    dluga.Nazwa = QStringLiteral("Długa");
    dluga.Naglowek = {K::Napis(QString(40000, u'x'))};
    dluga.Wiersze = {{K::Liczba(std::nan("")), K::Liczba(HUGE_VAL)}};
    for (const auto& listy : {ListyAnalizy(pusta, false), std::vector<ListaArkusza>{dluga}}) {
        QString blad;
        const auto bajty = Skoroszyt(listy, &blad);
        ASSERT_TRUE(bajty) << blad.toStdString();
        EXPECT_TRUE(bajty->startsWith("PK\x03\x04"));
    }
}

TEST(ZapisArkusza, ASaveThatDoesNotFitLeavesTheOldFileWhole) {
    testy::MalyDysk dysk(64 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    Analiza a;
    testy::Klasa(a, QStringLiteral("Test"), 4);
    for (int s = 0; s < 30; ++s)
        testy::Uczen(a, QStringLiteral("Uczeń%1").arg(s), QStringLiteral("Imię"), "1010");
    testy::Podsumuj(a);
    const QString xlsx = dysk.sciezka("a.xlsx");
    const QString csv = dysk.sciezka("a.csv");
    ASSERT_TRUE(ZapiszSkoroszyt(xlsx, {ListaAnalizy(a, RodzajListy::Oceny, false)}));
    ASSERT_TRUE(ZapiszCsv(csv, ListaAnalizy(a, RodzajListy::Oceny, false)));
    const auto czytaj = [](const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray staryXlsx = czytaj(xlsx), staryCsv = czytaj(csv);
    dysk.Zapelnij();
    const WynikRaportu wynik = ZapiszArkusz(xlsx, ListyAnalizy(a, false));
    EXPECT_FALSE(wynik.udany());
    EXPECT_EQ(wynik.blad, "Nie udało się zapisać pliku " + xlsx + ": brak miejsca na dysku");
    QString blad;
    EXPECT_FALSE(ZapiszCsv(csv, ListaAnalizy(a, RodzajListy::Wyniki, false), &blad));
    EXPECT_EQ(blad, "brak miejsca na dysku");
    EXPECT_EQ(czytaj(xlsx), staryXlsx);
    EXPECT_EQ(czytaj(csv), staryCsv);
}

} // namespace
} // namespace sondrel
