// SPDX-License-Identifier: GPL-3.0-or-later
// The chart commands of the command-line tool: the chart's data as JSON, the template a fresh
// program saves, the chart files and their errors.
#include "charts/szablon_wykresu.h"
#include "polecenia.h"
#include "program_cli.h"
#include "support/pliki_testowe.h"
#include "support/srodowisko_testowe.h"
#include "support/wzorce.h"
#include "wykresy_cli.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSvgRenderer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

class WykresyCli : public testing::Test {
protected:
    void SetUp() override {
        PlikOdpowiedzi nowak;
        nowak.nazwisko = QStringLiteral("Nowak");
        nowak.imie = QStringLiteral("Anna");
        nowak.koniec = QStringLiteral("10:20:00");
        PlikOdpowiedzi lukasiewicz;
        lukasiewicz.nazwisko = QStringLiteral("Łukasiewicz");
        lukasiewicz.imie = QStringLiteral("Ewa");
        lukasiewicz.start = QStringLiteral("23:50:00");
        lukasiewicz.koniec = QStringLiteral("00:10:00");
        lukasiewicz.pytania = {{"1000", "1000"}, {"0100", "0100"}, {"0010", "0010"}};
        ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka("nowak.sko"), nowak));
        ASSERT_TRUE(ZapiszPlikOdpowiedzi(st.sciezka("lukasiewicz.sko"), lukasiewicz));
        klasa = {st.sciezka("nowak.sko"), st.sciezka("lukasiewicz.sko")};
    }
    // The command on the class's answer files.
    Wynik Uruchom(const QStringList& argumenty) { return testy::Uruchom(argumenty + klasa); }
    QByteArray Plik(const QString& nazwa) { return Zawartosc(st.sciezka(nazwa)); }

    SrodowiskoTestowe st;
    QStringList klasa;
};

TEST_F(WykresyCli, DaneWykresow) {
    Wynik w = Uruchom({"wykres", "czas", "--dane"});
    ASSERT_EQ(w.kod, 0) << w.bledy.toStdString();
    QJsonObject o = QJsonDocument::fromJson(w.wyjscie).object();
    EXPECT_EQ(o["rodzaj"].toInt(), 1);
    EXPECT_EQ(o["tytul"].toString(), QStringLiteral("Czas pracy"));
    EXPECT_EQ(o["osPozioma"].toString(), QStringLiteral("Czas [min]"));
    EXPECT_EQ(o["osPionowa"].toString(), QString());
    const QJsonArray punkty = o["punkty"].toArray();
    ASSERT_EQ(punkty.size(), 2);
    EXPECT_EQ(punkty[0].toObject(), (QJsonObject{{"etykieta", QStringLiteral("Łukasiewicz Ewa")},
                                                 {"wartosc", 1420.0},
                                                 {"kolor", "#0000FF"}}));
    EXPECT_EQ(punkty[1].toObject()["wartosc"].toDouble(), 20.0);
    EXPECT_EQ(punkty[1].toObject()["kolor"].toString(), QStringLiteral("#FF0000"));

    w = Uruchom({"wykres", "oceny", "--dane", "--imie-najpierw"});
    ASSERT_EQ(w.kod, 0);
    o = QJsonDocument::fromJson(w.wyjscie).object();
    EXPECT_EQ(o["rodzaj"].toInt(), 2);
    EXPECT_EQ(o["osPozioma"].toString(), QString()); // a fresh program's axes hold nothing
    EXPECT_EQ(o["punkty"].toArray().size(), 6);
    EXPECT_EQ(o["punkty"].toArray()[0].toObject()["etykieta"].toString(), QStringLiteral("Cel"));
}

TEST_F(WykresyCli, SzablonIPlikiWykresow) {
    const QString ssw = st.sciezka("w.ssw");
    Wynik w = Uruchom({"szablon", "wyniki", ssw});
    ASSERT_EQ(w.kod, 0) << w.bledy.toStdString();
    const QByteArray szablon = Plik("w.ssw");
    ASSERT_EQ(szablon.size(), 944);
    EXPECT_EQ(szablon.first(17), QByteArray::fromHex("010001000C57796E696B69207465737475"));
    EXPECT_EQ(szablon[796], '\1');

    w = Uruchom({"wykres", "wyniki", "--do", st.sciezka("w.png")});
    ASSERT_EQ(w.kod, 0) << w.bledy.toStdString();
    EXPECT_TRUE(w.wyjscie.endsWith("w.png\n"));
    const QImage domyslny = QImage::fromData(Plik("w.png"));
    EXPECT_EQ(domyslny.size(), QSize(800, 500));

    // With a template: the chart as after loading it.
    auto inny = UstawieniaZSzablonu(szablon);
    inny->LegendaWidoczna = true;
    QFile f(st.sciezka("legenda.ssw"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(BajtySzablonu(*inny));
    f.close();
    ASSERT_EQ(
        Uruchom({"wykres", "wyniki", "--szablon", f.fileName(), "--do", st.sciezka("l.png")}).kod,
        0);
    EXPECT_NE(QImage::fromData(Plik("l.png")), domyslny);

    w = Uruchom({"wykres", "czas", "--rozmiar", "640x480", "--do", st.sciezka("c.svg")});
    ASSERT_EQ(w.kod, 0);
    QSvgRenderer svg(Plik("c.svg"));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.defaultSize(), QSize(640, 480));
    ASSERT_EQ(Uruchom({"wykres", "oceny", "--do", st.sciezka("o.pdf")}).kod, 0);
    EXPECT_TRUE(Plik("o.pdf").startsWith("%PDF"));
}

TEST_F(WykresyCli, Bledy) {
    QFile krotki(st.sciezka("krotki.ssw"));
    ASSERT_TRUE(krotki.open(QIODevice::WriteOnly));
    krotki.write(QByteArray(100, '\0'));
    krotki.close();
    Wynik w =
        Uruchom({"wykres", "wyniki", "--szablon", krotki.fileName(), "--do", st.sciezka("x.png")});
    EXPECT_EQ(w.kod, KodBlednySzablon);
    EXPECT_TRUE(w.bledy.contains(QStringLiteral("krotki.ssw")));
    EXPECT_TRUE(Plik("x.png").isEmpty());
    for (const QStringList& zle :
         {QStringList{"wykres", "wyniki", "--do", st.sciezka("x.bmp")},
          QStringList{"wykres", "wyniki", "--dane", "--rozmiar", "10x10"},
          QStringList{"wykres", "wyniki"}, QStringList{"wykres", "wykresy", "--dane"},
          QStringList{"szablon", "wyniki", "--dane"}})
        EXPECT_EQ(Uruchom(zle).kod, KodBlednePolecenie) << zle.join(u' ').toStdString();
    EXPECT_EQ(Uruchom({"wykres", "wyniki", "--do", st.sciezka("brak/x.png")}).kod, KodBladZapisu);
}

// A FIFO as the template is refused at once with the reason (a read would wait for a writer for
// ever), as is a device; a FIFO in the settings file's place does not hold up a command.
TEST_F(WykresyCli, PotokJakoWzorzecIPlikUstawien) {
    POMIN_BEZ_PROGRAMU_CLI();
    const QString potok = st.sciezka("potok.ssw");
    ASSERT_EQ(::mkfifo(QFile::encodeName(potok).constData(), 0600), 0);
    for (const QString& wzorzec : {potok, QStringLiteral("/dev/zero")}) {
        const WynikProgramu w = UruchomProgramCli(
            QStringList{"wykres", "wyniki", "--szablon", wzorzec, "--do", st.sciezka("x.png")} +
            klasa);
        EXPECT_TRUE(w.skonczony) << wzorzec.toStdString();
        EXPECT_EQ(w.kod, KodBlednySzablon) << wzorzec.toStdString();
        EXPECT_TRUE(w.bledy.contains("nie zwykły plik")) << w.bledy.toStdString();
    }

    const QString dane = st.sciezka("dane");
    const QString folder = dane + "/Brenvik/Zadrix/Sondrel";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/Sondrel.ini").constData(), 0600), 0);
    QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
    srodowisko.insert("XDG_DATA_HOME", dane);
    const WynikProgramu w =
        UruchomProgramCli(QStringList{"wykres", "wyniki", "--dane"} + klasa, srodowisko);
    EXPECT_TRUE(w.skonczony);
    EXPECT_EQ(w.kod, KodAnalizaWykonana) << w.bledy.toStdString();
}

// Saving over a FIFO or a device node is refused with the reason and leaves it as it was (as
// root, "szablon ... /dev/null" made /dev/null a file).
TEST_F(WykresyCli, ZapisNieZastepujePotokuAniUrzadzenia) {
    QStringList cele = {st.sciezka("potok.ssw")};
    ASSERT_EQ(::mkfifo(QFile::encodeName(cele[0]).constData(), 0600), 0);
    const QString urzadzenie = st.sciezka("null.png");
    if (::mknod(QFile::encodeName(urzadzenie).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        cele << urzadzenie;
    for (const QString& cel : cele) {
        const QStringList polecenie = cel.endsWith(".ssw")
                                          ? QStringList{"szablon", "wyniki", cel}
                                          : QStringList{"wykres", "wyniki", "--do", cel};
        const Wynik w = Uruchom(polecenie);
        EXPECT_EQ(w.kod, KodBladZapisu) << cel.toStdString();
        EXPECT_EQ(w.bledy, "Nie udało się zapisać pliku " + cel +
                               ": w tym miejscu jest urządzenie, potok albo gniazdo, a nie "
                               "zwykły plik\n");
        struct stat opis {};
        ASSERT_EQ(::lstat(QFile::encodeName(cel).constData(), &opis), 0);
        EXPECT_FALSE(S_ISREG(opis.st_mode)) << cel.toStdString();
        EXPECT_TRUE(w.wyjscie.isEmpty());
    }
}

} // namespace
