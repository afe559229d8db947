// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/pak.h"

#include "support/pak_zapis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

class Pak : public ::testing::Test {
protected:
    QTemporaryDir folder;

    QString sciezka(const QString& nazwa) const { return folder.filePath(nazwa); }

    // Writes the container to a file of its own and returns the path.
    QString zapisz(const QList<CzlonPak>& czlony, const UstawieniaPak& ustawienia = {},
                   const QString& nazwa = "test.skt") {
        const QString s = sciezka(nazwa);
        EXPECT_TRUE(ZapiszPak(s, czlony, ustawienia));
        return s;
    }

    static QByteArray zawartosc(const QString& s) {
        QFile plik(s);
        return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray("<missing>");
    }
};

TEST_F(Pak, CzytaCzlonkowWKolejnosciKataloguBezWzgleduNaWielkoscLiter) {
    const QByteArray xml = "<?xml version=\"1.0\"?><test/>";
    const QByteArray obraz = QByteArray(5000, 'x');
    const QString s = zapisz({Czlon("serr0.XML", xml), Czlon("Obraz1.jpg", obraz),
                              Czlon(QString::fromUtf8("Żółw ĄĘ.txt"), "tekst")});
    TVfsPAK pak;
    ASSERT_TRUE(OtworzPak(s, pak));
    EXPECT_TRUE(pak.IsOpen());
    EXPECT_EQ(pak.FileName(), s);
    QStringList lista{"stare"};
    ListaPlikowPak(lista, pak);
    EXPECT_EQ(lista, QStringList({"serr0.XML", "Obraz1.jpg", QString::fromUtf8("Żółw ĄĘ.txt")}));

    EXPECT_TRUE(JestWPak("Serr0.xml", pak));
    EXPECT_TRUE(JestWPak(QString::fromUtf8("żółw ąę.TXT"), pak));
    EXPECT_FALSE(JestWPak("Serr0.txp", pak));
    EXPECT_FALSE(JestWPak("", pak));
    EXPECT_EQ(StrumienZPak("SERR0.xml", pak), xml);
    EXPECT_EQ(StrumienZPak("obraz1.JPG", pak), obraz);
    EXPECT_EQ(StrumienZPak("Serr0.txp", pak), std::nullopt);
}

TEST_F(Pak, KatalogINazwy) {
    const QByteArray dluga(120, 'n');
    // Two entries of one name (letter case aside): the first wins.
    const QString s =
        zapisz({Czlon("Selo0.xml", "pierwszy"), Czlon("SELO0.XML", "drugi"), {dluga, "dlugi"}});
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(s));
    ASSERT_EQ(pak.Names().size(), 3);
    EXPECT_EQ(pak.Extract("selo0.xml"), QByteArray("pierwszy"));
    // A name that fills all 120 bytes has no zero byte and is taken whole.
    EXPECT_EQ(pak.Names()[2], QString(dluga));
    EXPECT_EQ(pak.Extract(QString(dluga)), QByteArray("dlugi"));
    EXPECT_FALSE(pak.Exists(QString(dluga.left(119))));
}

TEST_F(Pak, RozmiarKataloguLiczyTylkoPelneWpisy) {
    struct Przypadek {
        int czlonkow;
        qint32 rozmiarKatalogu;
        int nazw;
    } przypadki[] = {{1, 200, 1}, {2, 200, 1}, {1, 127, 0}, {2, 0, 0}, {2, 256, 2}, {3, 383, 2}};
    for (const auto& p : przypadki) {
        QList<CzlonPak> czlony;
        for (int i = 0; i < p.czlonkow; ++i)
            czlony.append(Czlon(QString("plik%1.txt").arg(i), "dane"));
        UstawieniaPak u;
        u.rozmiarKatalogu = p.rozmiarKatalogu;
        // The directory is last in the file; pad it so that a size over n * 128 still fits.
        QByteArray bajty = ZbudujPak(czlony, u) + QByteArray(128, '\0');
        ASSERT_TRUE(ZapiszBajty(sciezka("k.pak"), bajty));
        TVfsPAK pak;
        EXPECT_TRUE(pak.Open(sciezka("k.pak"))) << p.rozmiarKatalogu;
        EXPECT_EQ(pak.Names().size(), p.nazw) << p.rozmiarKatalogu;
    }
}

TEST_F(Pak, PonowneOtwarcieZapominaPoprzednichCzlonkow) {
    const QString test = zapisz({Czlon("Serr0.xml", "<a/>"), Czlon("o.gif", "x")}, {}, "a.skt");
    const QString pusty = zapisz({}, {}, "pusty.skt");
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(test));
    EXPECT_TRUE(pak.Open(pusty));
    EXPECT_TRUE(pak.Names().isEmpty());
    EXPECT_FALSE(pak.Exists("Serr0.xml"));

    ASSERT_TRUE(pak.Open(test));
    EXPECT_FALSE(pak.Open(sciezka("nie ma.skt")));
    EXPECT_FALSE(pak.IsOpen());
    EXPECT_TRUE(pak.Names().isEmpty());
    EXPECT_TRUE(pak.FileName().isEmpty());
    EXPECT_EQ(pak.Extract("Serr0.xml"), std::nullopt);
}

// Files that are not containers, or whose header or directory lies: refused as a whole.
TEST_F(Pak, OdrzucaPlikiKtoreNieSaKontenerami) {
    const QList<CzlonPak> jeden{Czlon("Selo0.xml", "<a/>")};
    const qint32 maks = std::numeric_limits<qint32>::max();
    struct Przypadek {
        const char* opis;
        QByteArray bajty;
    } przypadki[] = {
        {"zero-length file", {}},
        {"shorter than the header", QByteArray("PACK\0\0\0\0\0\0\0", 11)},
        {"wrong magic", ZbudujPak(jeden, {.magia = "PAKC"})},
        {"lower-case magic", ZbudujPak(jeden, {.magia = "pack"})},
        {"directory of 2 GB", ZbudujPak(jeden, {.rozmiarKatalogu = maks})},
        {"directory beyond the end", ZbudujPak(jeden, {.przesuniecieKatalogu = 1 << 30})},
        {"directory offset past the end, size 0",
         ZbudujPak({}, {.przesuniecieKatalogu = 13, .rozmiarKatalogu = 0})},
        {"directory offset at int max", ZbudujPak(jeden, {.przesuniecieKatalogu = maks})},
        {"negative directory offset", ZbudujPak(jeden, {.przesuniecieKatalogu = -128})},
        {"negative directory size", ZbudujPak(jeden, {.rozmiarKatalogu = -256})},
        {"second entry past the end", ZbudujPak(jeden, {.rozmiarKatalogu = 256})},
    };
    for (const auto& p : przypadki) {
        ASSERT_TRUE(ZapiszBajty(sciezka("zly.sko"), p.bajty));
        TVfsPAK pak;
        EXPECT_FALSE(OtworzPak(sciezka("zly.sko"), pak)) << p.opis;
        EXPECT_FALSE(pak.IsOpen()) << p.opis;
        EXPECT_TRUE(pak.Names().isEmpty()) << p.opis;
        EXPECT_FALSE(JestWPak("Selo0.xml", pak)) << p.opis;
    }
    TVfsPAK pak;
    EXPECT_FALSE(pak.Open(folder.path())) << "a folder";
    EXPECT_FALSE(pak.Open(QString()));
}

// Entries whose data does not lie inside the file: the name is listed, its data is refused.
TEST_F(Pak, OdrzucaCzlonkaPozaPlikiem) {
    const qint32 maks = std::numeric_limits<qint32>::max();
    struct Przypadek {
        const char* opis;
        std::optional<qint32> przesuniecie, rozmiar;
    } przypadki[] = {
        {"size past the end", std::nullopt, 1 << 30},
        {"size of 2 GB", std::nullopt, maks},
        {"offset past the end", 1 << 20, std::nullopt},
        {"offset and size at int max", maks, maks},
        {"negative size", std::nullopt, -1},
        {"negative offset", -4, std::nullopt},
        // The file is 660 bytes long and the member starts at 268.
        {"one byte past the end", std::nullopt, 660 - 268 + 1},
    };
    for (const auto& p : przypadki) {
        CzlonPak zly = Czlon("zly.jpg", QByteArray(4, 'z'));
        zly.przesuniecie = p.przesuniecie;
        zly.rozmiar = p.rozmiar;
        const QString s =
            zapisz({Czlon("dobry.txt", QByteArray(256, 'd')), zly, Czlon("Tekst.txt", "a\r\nb")});
        TVfsPAK pak;
        ASSERT_TRUE(pak.Open(s)) << p.opis;
        EXPECT_TRUE(pak.Exists("zly.jpg")) << p.opis;
        EXPECT_EQ(pak.Extract("zly.jpg"), std::nullopt) << p.opis;
        EXPECT_FALSE(pak.ExtractToFile("zly.jpg", sciezka("wyjscie"))) << p.opis;
        EXPECT_FALSE(QFile::exists(sciezka("wyjscie"))) << p.opis;
        QStringList linie{"x"};
        EXPECT_FALSE(WczytajTekstZPak("zly.jpg", linie, pak)) << p.opis;
        EXPECT_TRUE(linie.isEmpty()) << p.opis;
        RozmiarObrazu rozmiar{1, 1};
        EXPECT_FALSE(WczytajObrazZPak("zly.jpg", rozmiar, pak)) << p.opis;
        EXPECT_EQ(rozmiar, RozmiarObrazu{}) << p.opis;
        // The neighbours are unharmed.
        EXPECT_EQ(pak.Extract("dobry.txt"), QByteArray(256, 'd')) << p.opis;
        EXPECT_EQ(pak.Extract("tekst.txt"), QByteArray("a\r\nb")) << p.opis;
    }
    // Up to the file's last byte is still inside.
    CzlonPak doKonca = Czlon("zly.jpg", QByteArray(4, 'z'));
    doKonca.rozmiar = 660 - 268;
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(
        zapisz({Czlon("dobry.txt", QByteArray(256, 'd')), doKonca, Czlon("Tekst.txt", "a\r\nb")})));
    ASSERT_EQ(QFileInfo(pak.FileName()).size(), 660);
    EXPECT_EQ(pak.Extract("zly.jpg")->size(), 660 - 268);
}

TEST_F(Pak, CzlonekPozaPlikiemKtoryZmalalPoOtwarciu) {
    const QString s = zapisz({Czlon("a.txt", "aaaa"), Czlon("b.txt", QByteArray(1000, 'b'))});
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(s));
    QFile plik(s);
    ASSERT_TRUE(plik.resize(100));
    EXPECT_EQ(pak.Extract("a.txt"), QByteArray("aaaa"));
    EXPECT_EQ(pak.Extract("b.txt"), std::nullopt);
}

TEST_F(Pak, WypakowanieDoPliku) {
    const QByteArray dane = QByteArray(70000, 'q') + "koniec";
    const QString s = zapisz({Czlon("pusty.txt", {}), Czlon("obraz.gif", dane)});
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(s));

    // A member of size 0 is an empty stream; extracting it makes an empty file but is false.
    EXPECT_EQ(pak.Extract("pusty.txt"), QByteArray());
    EXPECT_TRUE(pak.Extract("pusty.txt").has_value());
    EXPECT_FALSE(WypakujDoPliku("pusty.txt", sciezka("pusty.txt"), pak));
    EXPECT_TRUE(QFile::exists(sciezka("pusty.txt")));
    EXPECT_EQ(zawartosc(sciezka("pusty.txt")), QByteArray());

    // An existing file is replaced by the member.
    ASSERT_TRUE(ZapiszBajty(sciezka("obraz.gif"), QByteArray(100000, 'o')));
    EXPECT_TRUE(WypakujDoPliku("OBRAZ.GIF", sciezka("obraz.gif"), pak));
    EXPECT_EQ(zawartosc(sciezka("obraz.gif")), dane);

    EXPECT_FALSE(WypakujDoPliku("brak.gif", sciezka("brak.gif"), pak));
    EXPECT_FALSE(QFile::exists(sciezka("brak.gif")));
    EXPECT_FALSE(WypakujDoPliku("obraz.gif", sciezka("nie ma folderu/obraz.gif"), pak));
}

TEST_F(Pak, TekstZPodzialemNaWiersze) {
    struct Przypadek {
        QByteArray bajty;
        QStringList wiersze;
    } przypadki[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"", {}},
        {QByteArray("przed\0po\r\nzero", 14), {"przed"}},
        {"\xa3\xf3\x64\x9f \x8c\x9c", {QString::fromUtf8("Łódź Śś")}},
    };
    for (const auto& p : przypadki) {
        const QString s = zapisz({Czlon("opis.txt", p.bajty)});
        TVfsPAK pak;
        ASSERT_TRUE(pak.Open(s));
        QStringList wiersze{"stary"};
        EXPECT_TRUE(WczytajTekstZPak("OPIS.TXT", wiersze, pak)) << p.bajty.toHex().constData();
        EXPECT_EQ(wiersze, p.wiersze) << p.bajty.toHex().constData();
        EXPECT_FALSE(WczytajTekstZPak("brak.txt", wiersze, pak));
        EXPECT_TRUE(wiersze.isEmpty());
    }
}

TEST_F(Pak, RozmiarObrazuPoRozszerzeniu) {
    const QByteArray jpg = ObrazJpeg(17, 9);
    const QByteArray gif = ObrazGif(33, 5);
    const QByteArray bmp = ObrazBmp(7, 3);
    const QString s = zapisz({
        Czlon("a.jpg", jpg),
        Czlon("B.GIF", gif),
        Czlon("c.Bmp", bmp),
        Czlon("d.odgory.bmp", ObrazBmp(6, 11, RodzajBmp::InfoOdGory)),
        Czlon("e.bmp", ObrazBmp(300, 2, RodzajBmp::Core)),
        Czlon("f.jpeg", jpg),
        Czlon("g.png", jpg),
        Czlon("jpg", jpg),
        Czlon("h.gif", jpg), // another kind of picture than its name says
        Czlon("i.jpg", jpg.left(jpg.size() / 8)),
        Czlon("j.gif", gif.left(8)),
        Czlon("k.bmp", bmp.left(bmp.size() - 1)),
        Czlon("l.jpg", {}),
        Czlon("m.jpg", QByteArray(4096, '\xff')),
    });
    struct Przypadek {
        const char* nazwa;
        bool wynik;
        RozmiarObrazu rozmiar;
    } przypadki[] = {
        {"A.JPG", true, {17, 9}},  {"b.gif", true, {33, 5}},
        {"c.bmp", true, {7, 3}},   {"d.odgory.bmp", true, {6, 11}},
        {"e.bmp", true, {300, 2}}, {"f.jpeg", false, {}},
        {"g.png", false, {}},      {"jpg", false, {}},
        {"h.gif", false, {}},      {"i.jpg", false, {}},
        {"j.gif", false, {}},      {"k.bmp", false, {}},
        {"l.jpg", false, {}},      {"m.jpg", false, {}},
        {"brak.jpg", false, {}},
    };
    TVfsPAK pak;
    ASSERT_TRUE(pak.Open(s));
    for (const auto& p : przypadki) {
        RozmiarObrazu rozmiar{-1, -1};
        EXPECT_EQ(WczytajObrazZPak(p.nazwa, rozmiar, pak), p.wynik) << p.nazwa;
        EXPECT_EQ(rozmiar.szerokosc, p.rozmiar.szerokosc) << p.nazwa;
        EXPECT_EQ(rozmiar.wysokosc, p.rozmiar.wysokosc) << p.nazwa;
    }
}

} // namespace
