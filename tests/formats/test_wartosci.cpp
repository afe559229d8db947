// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kodowanie1250.h"
#include "formats/wartosci.h"
#include "formats/xml.h"
#include "support/xml_zapis.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

using namespace sondrel;
using testy::Base64Utf16;

namespace {

// Every byte that a Windows-1250 text can hold, but the ones a document trims from its ends.
QString WszystkieZnaki() {
    QByteArray b;
    for (int c = 33; c < 256; ++c)
        if (c != 0x81 && c != 0x83 && c != 0x88 && c != 0x90 && c != 0x98)
            b.append(static_cast<char>(c));
    return Z1250(b);
}

} // namespace

TEST(Getter, TekstILiczbaPoSciezce) {
    const QString imie = QString::fromUtf8("Zażółć ж");
    TpkXML d;
    ASSERT_TRUE(d.Parse("<ODP><CD>tr</CD><Imu>" + Base64Utf16(imie) + "</Imu><SKL><cel>" +
                        Base64Utf16("90") + "</cel></SKL><pyt1><nrw>" + Base64Utf16("10100") +
                        "</nrw></pyt1></ODP>"));
    EXPECT_EQ(FlagaDekodowania(d, u"odp"), 1);
    int kod = -1;
    EXPECT_EQ(WezTekst(1, {"odp", "imu"}, d, kod), imie);
    EXPECT_EQ(kod, WartoscOdczytana);
    EXPECT_EQ(WezTekst(0, {"odp", "imu"}, d, kod), QString::fromLatin1(Base64Utf16(imie)));
    EXPECT_EQ(WezTekst(1, {"odp", "pyt1", "nrw"}, d, kod), "10100");
    EXPECT_EQ(WezLiczbe(1, {"odp", "skl", "cel"}, d, kod), 90);
    EXPECT_EQ(kod, WartoscOdczytana);

    // Missing elements read as empty (and 0 for a number) and are created on the way.
    EXPECT_EQ(WezTekst(1, {"odp", "pyt7", "nrp"}, d, kod), "");
    EXPECT_EQ(kod, WartoscOdczytana);
    EXPECT_NE(d.FindNode(u"odp", false)->ChildByName(u"pyt7", false), nullptr);
    EXPECT_EQ(WezLiczbe(1, {"odp", "ilp"}, d, kod), 0);
    EXPECT_EQ(kod, WartoscNieLiczba);

    // Paths of two to four names only.
    EXPECT_EQ(WezTekst(0, {"odp"}, d, kod), "");
    EXPECT_EQ(kod, WartoscBrakSciezki);
    EXPECT_EQ(WezTekst(0, {"odp", "a", "b", "c", "d"}, d, kod), "");
    EXPECT_EQ(kod, WartoscBrakSciezki);
    EXPECT_EQ(WezTekst(0, {"odp", "a", "b", "c"}, d, kod), "");
    EXPECT_EQ(kod, WartoscOdczytana);

    // An odd byte at the end is dropped; unpaired surrogates do not reach the program.
    d.FindNode(u"odp", false)->ChildByName(u"x", true)->text = QStringLiteral("QQBCAEM="); // A B C?
    EXPECT_EQ(WezTekst(1, {"odp", "x"}, d), "AB");
    d.FindNode(u"odp", false)->ChildByName(u"x", true)->text =
        QString::fromLatin1(QByteArray("\x00\xD8\x41\x00", 4).toBase64());
    EXPECT_EQ(WezTekst(1, {"odp", "x"}, d), QString(QChar::ReplacementCharacter) + "A");
}

TEST(Getter, FlagaTylkoDlaDokladnieTr) {
    for (const char* cd : {"TR", " tr", "tr ", "t", ""}) {
        TpkXML d;
        d.FindNode(u"lst", true)->ChildByName(u"cd", true)->text = QString::fromLatin1(cd);
        EXPECT_EQ(FlagaDekodowania(d, u"lst"), 0) << cd;
    }
    TpkXML bez;
    EXPECT_EQ(FlagaDekodowania(bez, u"tst"), 0);
}

TEST(Getter, LiczbyDziesietne) {
    struct Przypadek {
        const char* tekst;
        qint32 liczba;
        int kod;
    } przypadki[] = {{"12", 12, 0},
                     {"-5", -5, 0},
                     {"+7", 7, 0},
                     {"2147483647", INT32_MAX, 0},
                     {"2147483648", 0, 3},
                     {"1.5", 0, 3},
                     {"12a", 0, 3},
                     {"0x10", 0, 3},
                     {"", 0, 3}};
    for (const auto& p : przypadki) {
        TpkXML d;
        d.FindNode(u"a", true)->ChildByName(u"b", true)->text = QString::fromLatin1(p.tekst);
        int kod = -1;
        EXPECT_EQ(WezLiczbe(0, {"a", "b"}, d, kod), p.liczba) << p.tekst;
        EXPECT_EQ(kod, p.kod) << p.tekst;
    }
}

TEST(Base64, WyrozumialeDekodowanie) {
    struct Przypadek {
        QByteArray tekst, bajty;
    } przypadki[] = {
        {"", ""},
        {"QUJ", ""},          // fewer than four characters
        {"QQ==", "A"},        // pad in the third place
        {"QUI=", "AB"},       // pad in the fourth place
        {"QUJD", "ABC"},      //
        {"QUJDRA", "ABC"},    // the rest after the last whole group is ignored
        {"QQ==QUJD", "AABC"}, // groups after a padded one are decoded too
        {"QQ=A", "A"},        // the fourth character is not looked at after a third pad
        {"QU I", "A@\x08"},   // no whitespace skipping: " " counts as 0
        {"////", "\xff\xff\xff"},
        {"+/+/", "\xfb\xff\xbf"},
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(Base64Dekoduj(p.tekst), p.bajty) << p.tekst.constData();
    // Anything valid agrees with the standard decoder.
    QRandomGenerator los(7);
    for (int dlugosc = 0; dlugosc < 40; ++dlugosc) {
        QByteArray b(dlugosc, Qt::Uninitialized);
        for (char& z : b)
            z = static_cast<char>(los.bounded(256));
        EXPECT_EQ(Base64Dekoduj(b.toBase64()), b);
    }
}

TEST(Podstawienia, ZakodujIOdkodujUstawienia) {
    QRandomGenerator los(1250);
    const QString wszystkie = WszystkieZnaki();
    const QStringList wartosci = {
        "", "Sondrel", "1", "0", QString::fromUtf8("/home/zoś/Łódź listy.skg"), wszystkie};
    for (const QString& w : wartosci)
        for (int i = 0; i < 20; ++i) {
            const QString z = Zakoduj(w, &los);
            EXPECT_EQ(OdkodujUstawienia(z), w);
        }

    // The encoded bytes: a marker, random characters in 33..232, the value through the table.
    QSet<int> znaczniki;
    for (int i = 0; i < 300; ++i) {
        const QByteArray pusty = Zakoduj(QByteArrayView(""), &los);
        ASSERT_EQ(static_cast<quint8>(pusty[0]), 0xFE);
        EXPECT_GE(pusty.size(), 4);
        EXPECT_LE(pusty.size(), 11);
        const QByteArray z = Zakoduj(QByteArrayView("abc"), &los);
        const quint8 znacznik = static_cast<quint8>(z[0]);
        znaczniki.insert(znacznik);
        const int losowych = znacznik == 0xA0 ? 2 : znacznik == 0xA1 ? 3 : 4;
        ASSERT_TRUE(znacznik == 0xA0 || znacznik == 0xA1 || znacznik == 0xA7);
        ASSERT_EQ(z.size(), 1 + losowych + 3);
        for (int k = 1; k < z.size(); ++k) {
            const quint8 c = static_cast<quint8>(z[k]);
            if (k <= losowych) {
                EXPECT_GE(c, 33);
                EXPECT_LE(c, 232);
            } else {
                EXPECT_EQ(c, TablicaKodowaniaUstawien()["abc"[k - 1 - losowych]]);
            }
        }
        for (int k = 1; k < pusty.size(); ++k)
            EXPECT_TRUE(static_cast<quint8>(pusty[k]) >= 33 &&
                        static_cast<quint8>(pusty[k]) <= 232);
    }
    EXPECT_EQ(znaczniki.size(), 3);

    // Encoded values are never plain: the table changes letters and digits.
    EXPECT_FALSE(Zakoduj(u"Sondrel", &los).contains(QStringLiteral("Sondrel")));
}

TEST(Podstawienia, PrzedrostkiIGranica500) {
    const auto& dek = TablicaDekodowaniaUstawien();
    auto odkodowane = [&](const QByteArray& b) {
        QByteArray w;
        for (char z : b)
            w.append(static_cast<char>(dek[static_cast<quint8>(z)]));
        return Z1250(w);
    };
    const QByteArray dane = "Kowalski";
    struct Przypadek {
        QByteArray tekst;
        QString wartosc;
    } przypadki[] = {
        {"", ""},
        {"\xFE", ""},
        {"\xFE"
         "abcdef" +
             dane,
         ""},
        {"\xA0"
         "xy" +
             dane,
         odkodowane(dane)},
        {"\xA1"
         "xyz" +
             dane,
         odkodowane(dane)},
        {"\xA7"
         "wxyz" +
             dane,
         odkodowane(dane)},
        {"\x93"
         "vwxyz" +
             dane,
         odkodowane(dane)},
        {"\xA7"
         "ab",
         ""},                                   // shorter than its prefix
        {dane, odkodowane(dane)},               // no marker: decoded whole
        {"\xA0Kowalski", odkodowane("walski")}, // a plain text that starts with a marker
    };
    for (const auto& p : przypadki)
        EXPECT_EQ(OdkodujUstawienia(QByteArrayView(p.tekst)), p.wartosc)
            << p.tekst.toHex().constData();

    QByteArray dlugi = "\xA1"
                       "abc" +
                       QByteArray(600, 'Q');
    EXPECT_EQ(OdkodujUstawienia(QByteArrayView(dlugi)), odkodowane(QByteArray(500, 'Q')));
    const QString dlugaWartosc(600, u'x');
    EXPECT_EQ(OdkodujUstawienia(Zakoduj(dlugaWartosc)), QString(500, u'x'));
    EXPECT_EQ(OdkodujUstawienia(QByteArrayView(QByteArray(600, 'Q'))).size(), 600);
}

TEST(Podstawienia, TabliceTestuIUstawienSaRozne) {
    const auto& ust = TablicaDekodowaniaUstawien();
    const auto& test = TablicaDekodowaniaTestu();
    EXPECT_NE(ust, test);
    int zmapowanych = 0;
    for (int c = 0; c < 256; ++c)
        zmapowanych += test[c] != c;
    EXPECT_EQ(zmapowanych, 132);
    // The same bytes decode differently through the two tables.
    QByteArray b = "\xA0xy";
    for (int c = 33; c < 256; ++c)
        b.append(static_cast<char>(c));
    EXPECT_NE(OdkodujTest(b), OdkodujUstawienia(QByteArrayView(b)));
}

TEST(Podstawienia, WartosciPrzetrwajaDokumentUstawien) {
    // Encoded values written into a Windows-1250 document and read back decode unchanged,
    // whatever their characters: the table never produces what the document trims or loses.
    QRandomGenerator los(35);
    const QString wszystkie = WszystkieZnaki();
    for (int i = 0; i < 50; ++i) {
        TpkXML d;
        TpkXMLNode* ini = d.FindNode(u"Ini", true);
        ini->ChildByName(u"ed", true)->text = Zakoduj(u"Sondrel", &los);
        ini->ChildByName(u"sct", true)->text = Zakoduj(wszystkie, &los);
        ini->ChildByName(u"fn", true)->text = Zakoduj(u"", &los);
        TpkXML odczyt;
        ASSERT_TRUE(odczyt.Parse(d.SaveToBytes()));
        EXPECT_EQ(OdkodujUstawienia(WezTekst(0, {"ini", "ed"}, odczyt)), "Sondrel");
        EXPECT_EQ(OdkodujUstawienia(WezTekst(0, {"ini", "sct"}, odczyt)), wszystkie);
        EXPECT_EQ(OdkodujUstawienia(WezTekst(0, {"ini", "fn"}, odczyt)), "");
    }
}

// The fixture writers that the reader tests build their documents with.
TEST(Fikstury, DokumentyZapisaneSaOdczytywaneGetterami) {
    using namespace sondrel::testy;
    const QString nazwisko = QString::fromUtf8("Żółkiewska & <Syn>");
    const QList<WartoscXml> wartosci = {
        {"ODP/Nmt", "Test 1"}, {"odp/nzu", nazwisko}, {"ODP/PYT2/NRW", "01000"}, {"odp/pyt3", ""}};
    struct Wariant {
        OpcjeXml opcje;
        int flaga;
    } warianty[] = {{{}, 0},
                    {{.kodowanie = KodowanieXml::Base64}, 1},
                    {{.kodowanie = KodowanieXml::Base64, .utf16 = true}, 1},
                    {{.utf16 = true, .deklaracja = false}, 0}};
    for (const auto& w : warianty) {
        TpkXML d;
        const QByteArray bajty = DokumentXml(wartosci, w.opcje);
        ASSERT_TRUE(d.Parse(bajty)) << bajty.constData();
        EXPECT_EQ(d.unicode, w.opcje.utf16);
        ASSERT_EQ(FlagaDekodowania(d, u"odp"), w.flaga);
        EXPECT_EQ(WezTekst(w.flaga, {"odp", "nmt"}, d), "Test 1");
        EXPECT_EQ(WezTekst(w.flaga, {"odp", "nzu"}, d), nazwisko);
        EXPECT_EQ(WezTekst(w.flaga, {"odp", "pyt2", "nrw"}, d), "01000");
        EXPECT_EQ(WezTekst(w.flaga, {"odp", "pyt3", "nrw"}, d), "");
    }
    // A `cd` given by the test is written plain: "TR" makes the values read as Base64 text.
    TpkXML d;
    ASSERT_TRUE(d.Parse(
        DokumentXml({{"odp/cd", "TR"}, {"odp/nmt", "x"}}, {.kodowanie = KodowanieXml::Base64})));
    EXPECT_EQ(FlagaDekodowania(d, u"odp"), 0);
    EXPECT_EQ(WezTekst(0, {"odp", "nmt"}, d), QString::fromLatin1(Base64Utf16("x")));
}

TEST(Fikstury, StarszeTekstyOdkodowywaneWierszPoWierszu) {
    using namespace sondrel::testy;
    QRandomGenerator los(3);
    TestTxp test{.typ = 1, .iloscPytan = 1, .nazwa = QString::fromUtf8("Ułamki")};
    test.pytania = {
        {QString::fromUtf8("Ile to 2·2?"), {"a", "b", "c", "d"}, "0100", "T.TXT", "", ""}};
    const QStringList wiersze = WierszeTestuTxp(test);
    ASSERT_EQ(wiersze.size(), 15);
    EXPECT_EQ(wiersze[3], test.nazwa);
    EXPECT_EQ(wiersze[9 * 1 - 3], test.pytania[0].tresc);
    EXPECT_EQ(wiersze[9 * 1 + 2], "0100");
    for (const QByteArray& koniec : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const QByteArray txp = TekstTxp(wiersze, TabelaTxp::Test, koniec, &los);
        const QList<QByteArray> linie = txp.split(koniec.back());
        for (int i = 0; i < wiersze.size(); ++i) {
            QByteArray linia = linie[i];
            if (koniec == "\r\n") linia.chop(1);
            EXPECT_EQ(OdkodujTest(linia), wiersze[i]) << i;
        }
    }
    const QByteArray lista =
        TekstTxp(WierszeListyTxp({"1*0*0*0*1*0*Grupa*", ""}), TabelaTxp::Lista);
    const QList<QByteArray> linie = lista.split('\n');
    EXPECT_EQ(OdkodujUstawienia(QByteArrayView(linie[1]).chopped(1)), "1*0*0*0*1*0*Grupa*");
    EXPECT_EQ(OdkodujUstawienia(QByteArrayView(linie[2]).chopped(1)), "");
    EXPECT_EQ(TekstTxp({"abc"}, TabelaTxp::Brak), "abc\r\n");
}

TEST(Wydajnosc, DokumentOdpowiedziSzescdziesieciuPytan) {
    using namespace sondrel::testy;
    QList<WartoscXml> w = {{"odp/ilp", "60"},
                           {"odp/ilo", "5"},
                           {"odp/nmt", "Test"},
                           {"odp/nzu", "Kowalski"},
                           {"odp/imu", "Jan"}};
    for (int q = 1; q <= 60; ++q) {
        w.append({QString("odp/pyt%1/nrw").arg(q), "10000"});
        w.append({QString("odp/pyt%1/nrp").arg(q), "10000"});
    }
    const QByteArray dok = DokumentXml(w, {.kodowanie = KodowanieXml::Base64});
    QElapsedTimer zegar;
    zegar.start();
    const int razy = 400;
    for (int i = 0; i < razy; ++i) {
        TpkXML d;
        ASSERT_TRUE(d.Parse(dok));
        const int flaga = FlagaDekodowania(d, u"odp");
        for (int q = 1; q <= 60; ++q)
            ASSERT_EQ(WezTekst(flaga, {"odp", "pyt" + QString::number(q), "nrw"}, d), "10000");
    }
    const double ms = zegar.nsecsElapsed() / 1e6 / razy;
    RecordProperty("ms_na_dokument", QString::number(ms).toStdString());
    std::printf("parse + 60 lookups of a %lld-byte document: %.3f ms\n",
                static_cast<long long>(dok.size()), ms);
    EXPECT_LT(ms, 50.0); // a generous ceiling that still catches a quadratic parse
}
