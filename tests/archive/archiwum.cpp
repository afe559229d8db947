// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/archiwum.h"

#include "analysis/przebieg_analizy.h"
#include "archive/archiwum_dane.h"
#include "archive/eksport_archiwum.h"
#include "archive/schemat.h"
#include "core/analiza.h"
#include "support/klasa_testowa.h"
#include "support/pelny_dysk.h"
#include "support/pliki_testowe.h"
#include "support/serwer_testowy.h"
#include "support/srodowisko_testowe.h"
#include "support/wzorce.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace sondrel;
using namespace sondrel::testy;

namespace {

bool Zapisz(const QString& sciezka, const QByteArray& bajty) {
    QFile f(sciezka);
    return f.open(QIODevice::WriteOnly) && f.write(bajty) == bajty.size();
}

class ArchiwumTest : public testing::Test {
protected:
    QString Plik() const { return st.sciezka(QStringLiteral("Archiwum.sqlite")); }
    // Where the archive under test lives: the file Plik(), or a database on the server.
    virtual QString Adres() const { return Plik(); }
    // The archive at Adres(), opened.
    Archiwum& Otwarte() {
        EXPECT_TRUE(archiwum.Otworz(Adres())) << archiwum.Blad().toStdString();
        return archiwum;
    }
    // Stores the record and sets its number, fingerprint and date added as the archive does.
    qint64 Dodaj(AnalizaArchiwalna& a) {
        const auto wynik = archiwum.Dodaj(a);
        EXPECT_TRUE(wynik) << archiwum.Blad().toStdString();
        return wynik ? wynik->Id : 0;
    }
    qint64 Dodaj(AnalizaArchiwalna&& a) { return Dodaj(a); }

    SrodowiskoTestowe st;
    Archiwum archiwum;
};

enum class Silnik { SQLite, PostgreSQL };

// The same archive checks on both engines: a file, and a fresh database on the test server.
class ArchiwumSilnikTest : public ArchiwumTest, public testing::WithParamInterface<Silnik> {
protected:
    void SetUp() override {
        if (!Serwer()) return;
        bazy.push_back(std::make_unique<BazaTestowa>());
        POMIN_BEZ_SERWERA(*bazy.front());
    }
    bool Serwer() const { return GetParam() == Silnik::PostgreSQL; }
    QString Adres() const override { return Serwer() ? bazy.front()->Adres() : Plik(); }
    // Another, empty archive of the same engine.
    QString NoweArchiwum(const QString& nazwa) {
        if (!Serwer()) return st.sciezka(nazwa + QStringLiteral(".sqlite"));
        return bazy.emplace_back(std::make_unique<BazaTestowa>())->Adres();
    }
    // A value of one statement on the archive's database, past the archive's own code.
    QVariant Zapytaj(const QString& sql) const {
        return Serwer() ? bazy.front()->Zapytaj(sql) : ZapytajPlik(Plik(), sql);
    }

    std::vector<std::unique_ptr<BazaTestowa>> bazy;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(, ArchiwumSilnikTest, testing::Values(Silnik::SQLite, Silnik::PostgreSQL),
                         [](const testing::TestParamInfo<Silnik>& p) {
                             return p.param == Silnik::SQLite ? "SQLite" : "PostgreSQL";
                         });

TEST_P(ArchiwumSilnikTest, CalaAnalizaWracaTakaSamaINowyPlikMaTryb0600) {
    Otwarte();
    if (!Serwer()) {
        struct stat s {};
        ASSERT_EQ(::stat(QFile::encodeName(Plik()).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 0777, 0600u);
    }

    AnalizaArchiwalna a = KlasaArchiwalna(1, 4, 5);
    a.PlikTestu = QStringLiteral("ułamki.skt");
    for (int q = 1; q <= 5; ++q)
        a.Pytania.push_back(
            {QStringLiteral("<b>Pytanie</b> %1 & ' \"").arg(q),
             {QStringLiteral("a"), QString(), QStringLiteral("ć"), QStringLiteral("d")}});
    a.Uczniowie[2].Klucz[3] = 0b101;  // a file that declares another key for one question
    a.Uczniowie[1].Start = 0.1 + 0.2; // a time that a decimal text would not keep exactly
    a.Uczniowie[3].Imie = QString();
    a.Test.TypTestu = 2;

    AnalizaArchiwalna zapisana = a;
    const qint64 id = Dodaj(zapisana);
    ASSERT_GT(id, 0);
    EXPECT_EQ(zapisana.Id, id);
    EXPECT_TRUE(zapisana.Dodano.isValid());
    const auto odczytana = archiwum.Wczytaj(id);
    ASSERT_TRUE(odczytana) << archiwum.Blad().toStdString();
    EXPECT_EQ(*odczytana, zapisana);
    EXPECT_EQ(odczytana->Uczniowie[2].Klucz[3], 0b101);

    // Read again by a new opening of the file.
    Archiwum drugie;
    ASSERT_TRUE(drugie.Otworz(Adres()));
    EXPECT_EQ(*drugie.Wczytaj(id), zapisana);
    const auto lista = drugie.Lista();
    ASSERT_TRUE(lista && lista->size() == 1);
    EXPECT_EQ(lista->front().IloscUczniow, 4);
    EXPECT_EQ(lista->front().Odcisk, OdciskTestu(a.Test));

    EXPECT_FALSE(archiwum.Wczytaj(id + 1));
    EXPECT_EQ(archiwum.Blad(),
              QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(id + 1));
}

TEST_P(ArchiwumSilnikTest, AnalizaZPlikowOdpowiedziIZPowrotem) {
    // A real analysis of answer files with a test: stored, read back and turned into the
    // analysis records again, it gives the analysis's own figures.
    // One file more declares another key for question 1: the test's key stays the one most
    // files declare, and that student keeps their own.
    QStringList pliki = ZapiszKlase(st.sciezka(QStringLiteral("klasa")), 3, 7, 3);
    ASSERT_EQ(pliki.size(), 7);
    PlikOdpowiedzi inny;
    inny.nazwaTestu = QStringLiteral("Ułamki");
    inny.nazwisko = QStringLiteral("Inny");
    inny.pytania = {{"0100", "0100"}, {"0100", "0100"}, {"0010", "0010"}};
    pliki.append(st.sciezka(QStringLiteral("inny.sko")));
    ASSERT_TRUE(ZapiszPlikOdpowiedzi(pliki.last(), inny));
    ASSERT_TRUE(ZapiszPlikTestu(st.sciezka(QStringLiteral("test.skt")),
                                {.nazwaTestu = QStringLiteral("Ułamki")}));
    auto analiza = std::make_unique<Analiza>();
    analiza->PlikiOdpowiedzi = pliki;
    analiza->PlikTestu = st.sciezka(QStringLiteral("test.skt"));
    analiza->RodzajAnalizy = AnalizaZTestem;
    ASSERT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
    ASSERT_EQ(analiza->RodzajAnalizy, AnalizaZTestem);

    QString blad;
    auto zapis = AnalizaDoArchiwum(*analiza, QStringLiteral("7a"), blad);
    ASSERT_TRUE(zapis) << blad.toStdString();
    EXPECT_EQ(zapis->Test.Klucz, (std::vector<OpcjePytania>{1, 2, 4}));
    EXPECT_EQ(zapis->Uczniowie[0].Nazwisko, QStringLiteral("Inny"));
    EXPECT_EQ(zapis->Uczniowie[0].Klucz, (std::vector<OpcjePytania>{2, 2, 4}));
    EXPECT_EQ(zapis->Uczniowie[0].Poprawnych, 3);
    EXPECT_EQ(zapis->Pytania.size(), 3u);
    EXPECT_EQ(zapis->Pytania[1].Tresc, QStringLiteral("Pytanie 2"));
    EXPECT_EQ(zapis->PlikTestu, QStringLiteral("test.skt"));
    EXPECT_EQ(
        zapis->Pliki[0].Sha256,
        QString::fromLatin1(
            QCryptographicHash::hash(Zawartosc(pliki[0]), QCryptographicHash::Sha256).toHex()));
    EXPECT_EQ(zapis->DataNapisania, QFileInfo(pliki.last()).lastModified().date());

    Otwarte();
    const qint64 id = Dodaj(*zapis);
    const auto odczytana = archiwum.Wczytaj(id);
    ASSERT_TRUE(odczytana);
    auto znowu = std::make_unique<Analiza>();
    ASSERT_TRUE(WypelnijAnalize(*odczytana, *znowu));
    EXPECT_EQ(znowu->IloscUczniow, analiza->IloscUczniow);
    EXPECT_EQ(znowu->Test.ProcentKlasy, analiza->Test.ProcentKlasy);
    EXPECT_EQ(znowu->Test.SumaPoprawnych, analiza->Test.SumaPoprawnych);
    EXPECT_EQ(znowu->Test.OcenaKlasy, analiza->Test.OcenaKlasy);
    for (int q = 1; q <= 3; ++q) {
        EXPECT_EQ(znowu->StatPytan[q].Poprawnych, analiza->StatPytan[q].Poprawnych);
        EXPECT_EQ(znowu->StatPytan[q].ProcentPoprawnych, analiza->StatPytan[q].ProcentPoprawnych);
    }
    for (int s = 1; s <= analiza->IloscUczniow; ++s) {
        EXPECT_EQ(znowu->Uczniowie[s].Nazwisko, analiza->Uczniowie[s].Nazwisko);
        EXPECT_EQ(znowu->Uczniowie[s].Zapis, analiza->Uczniowie[s].Zapis);
        for (int q = 1; q <= 3; ++q)
            for (int k = 1; k <= MaksOdpowiedzi; ++k) {
                EXPECT_EQ(znowu->Uczniowie[s].Pytania[q][k].Wybrana,
                          analiza->Uczniowie[s].Pytania[q][k].Wybrana);
                EXPECT_EQ(znowu->Uczniowie[s].Pytania[q][k].Poprawna,
                          analiza->Uczniowie[s].Pytania[q][k].Poprawna);
            }
    }
    EXPECT_EQ(znowu->Pytania[2].Odpowiedzi[2].Tresc, analiza->Pytania[2].Odpowiedzi[2].Tresc);
}

TEST(OdciskTestu, TenSamTestTylkoPrzyTejSamejNazwieLiczbachTypieIKluczu) {
    const TestArchiwalny wzor = KlasaArchiwalna(1, 1, 3).Test; // key 1, 2, 3 -> "1,2,3"
    // The documented canonical text.
    EXPECT_EQ(OdciskTestu(wzor),
              QString::fromLatin1(
                  QCryptographicHash::hash(
                      QStringLiteral("sondrel-odcisk-1\nUłamki\n3\n4\n0\n1,2,3\n").toUtf8(),
                      QCryptographicHash::Sha256)
                      .toHex()));
    const struct {
        const char* opis;
        void (*zmiana)(TestArchiwalny&);
        bool tenSam;
    } przypadki[] = {
        {"another author and thresholds",
         [](TestArchiwalny& t) {
             t.Autor = "X";
             t.ProgCel = 99;
         },
         true},
        {"multiple choice written as 2", [](TestArchiwalny& t) { t.TypTestu = 2; }, false},
        {"another key of one question", [](TestArchiwalny& t) { t.Klucz[1] = 0b11; }, false},
        {"another name", [](TestArchiwalny& t) { t.Nazwa += u' '; }, false},
        {"more options", [](TestArchiwalny& t) { t.IloscOdpowiedzi = 5; }, false},
    };
    for (const auto& p : przypadki) {
        TestArchiwalny t = wzor;
        p.zmiana(t);
        EXPECT_EQ(OdciskTestu(t) == OdciskTestu(wzor), p.tenSam) << p.opis;
    }
    // Two multiple-choice declarations are one type.
    TestArchiwalny a = wzor, b = wzor;
    a.TypTestu = 1;
    b.TypTestu = 2;
    EXPECT_EQ(OdciskTestu(a), OdciskTestu(b));
}

TEST_P(ArchiwumSilnikTest, TenSamZestawPlikowDodajeSieRaz) {
    Otwarte();
    const qint64 id = Dodaj(KlasaArchiwalna(1));
    // The same files in another order and under another label: the existing entry.
    AnalizaArchiwalna znowu = KlasaArchiwalna(1);
    std::reverse(znowu.Pliki.begin(), znowu.Pliki.end());
    znowu.Klasa = QStringLiteral("7c");
    const auto wynik = archiwum.Dodaj(znowu);
    ASSERT_TRUE(wynik);
    EXPECT_TRUE(wynik->JuzBylo);
    EXPECT_EQ(wynik->Id, id);
    EXPECT_EQ(archiwum.Blad(), QStringLiteral("Ta analiza jest już w archiwum."));
    // One file more is another class.
    AnalizaArchiwalna wieksza = KlasaArchiwalna(1);
    wieksza.Pliki.push_back(KlasaArchiwalna(2).Pliki.front());
    EXPECT_FALSE(archiwum.Dodaj(wieksza)->JuzBylo);
    EXPECT_EQ(archiwum.Lista()->size(), 2u);
    EXPECT_EQ(archiwum.Wczytaj(id)->Klasa, QStringLiteral("7b")); // the first entry as it was
}

TEST_P(ArchiwumSilnikTest, HistoriaUczniaBezWzgleduNaWielkoscLiterISpacje) {
    Otwarte();
    AnalizaArchiwalna pozniej = KlasaArchiwalna(5, 3);
    AnalizaArchiwalna wczesniej = KlasaArchiwalna(2, 3, 6, QStringLiteral("Inny test"));
    for (AnalizaArchiwalna* a : {&pozniej, &wczesniej}) {
        a->Uczniowie[1].Nazwisko = QStringLiteral("Żak");
        a->Uczniowie[1].Imie = QStringLiteral("Łucja");
    }
    wczesniej.Uczniowie[1].Nazwisko = QStringLiteral(" ŻAK ");
    const qint64 idPozniej = Dodaj(pozniej);
    const qint64 idWczesniej = Dodaj(wczesniej);
    const auto historia = archiwum.HistoriaUcznia(QStringLiteral("żak   ŁUCJA"));
    ASSERT_TRUE(historia);
    ASSERT_EQ(historia->size(), 2u);
    EXPECT_EQ((*historia)[0].Analiza.Id, idWczesniej); // oldest first
    EXPECT_EQ((*historia)[0].Analiza.NazwaTestu, QStringLiteral("Inny test"));
    EXPECT_EQ((*historia)[0].Nazwisko, QStringLiteral(" ŻAK "));
    EXPECT_EQ((*historia)[1].Analiza.Id, idPozniej);
    EXPECT_EQ((*historia)[1].Procent, pozniej.Uczniowie[1].Procent);
    EXPECT_EQ((*historia)[1].Ocena, pozniej.Uczniowie[1].Ocena);
    EXPECT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Żak"), QStringLiteral("Łucja"))->size(), 2u);
    EXPECT_TRUE(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucjan"))->empty());

    // Deleting takes the students with it; another date moves the entry in the order.
    ASSERT_TRUE(archiwum.ZmienOpis(idWczesniej, QStringLiteral("8a"), QDate(2030, 1, 1)));
    const auto poZmianie = archiwum.HistoriaUcznia(QStringLiteral("Żak Łucja"));
    EXPECT_EQ((*poZmianie)[1].Analiza.Klasa, QStringLiteral("8a"));
    EXPECT_EQ((*poZmianie)[1].Analiza.DataNapisania, QDate(2030, 1, 1));
    ASSERT_TRUE(archiwum.Usun(idPozniej));
    EXPECT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucja"))->size(), 1u);
    EXPECT_EQ(Zapytaj(QStringLiteral("SELECT count(*) FROM uczniowie")).toInt(), 3);
    EXPECT_FALSE(archiwum.Usun(idPozniej));
    EXPECT_EQ(archiwum.Blad(),
              QStringLiteral("W archiwum nie ma analizy o numerze %1.").arg(idPozniej));
    EXPECT_FALSE(archiwum.ZmienOpis(idPozniej, QStringLiteral("x"), QDate(2030, 1, 1)));
}

TEST_P(ArchiwumSilnikTest, EksportImportEksportDajeTeSameBajty) {
    Otwarte();
    AnalizaArchiwalna z = KlasaArchiwalna(1, 3);
    z.Pytania.assign(6, TrescPytania{QStringLiteral("Treść"), {QStringLiteral("ą"), QString()}});
    z.Uczniowie[0].Klucz[0] = 0b1000;
    ASSERT_TRUE(PrzeliczWyniki(z).isEmpty());
    Dodaj(z);
    Dodaj(KlasaArchiwalna(2, 4, 6, QStringLiteral("Inny")));
    Dodaj(KlasaArchiwalna(3));
    ASSERT_TRUE(archiwum.Usun(2)); // numbers with a gap come back numbered anew
    const auto eksport = archiwum.Eksport();
    ASSERT_TRUE(eksport);

    Archiwum puste;
    ASSERT_TRUE(puste.Otworz(NoweArchiwum(QStringLiteral("puste")))) << puste.Blad().toStdString();
    const auto wynik = puste.Import(*eksport);
    ASSERT_TRUE(wynik) << puste.Blad().toStdString();
    EXPECT_EQ(wynik->Dodane, 2);
    EXPECT_EQ(puste.Eksport(), eksport);
    auto pierwsza = puste.Wczytaj(1);
    pierwsza->Id = z.Id;
    EXPECT_EQ(*pierwsza, z);
    // Again: everything is there already.
    EXPECT_EQ(puste.Import(*eksport)->JuzByly, 2);
    EXPECT_EQ(puste.Lista()->size(), 2u);

    // A document that is not a whole export adds nothing.
    Archiwum trzecie;
    ASSERT_TRUE(trzecie.Otworz(NoweArchiwum(QStringLiteral("trzecie"))));
    for (const QByteArray& zly :
         {QByteArray("{\"format\": 1"), eksport->chopped(3), QByteArray("[]"),
          QByteArray("{\"format\":\"sondrel-archiwum\",\"wersja\":2,\"analizy\":[]}")}) {
        EXPECT_FALSE(trzecie.Import(zly));
        EXPECT_TRUE(trzecie.Blad().startsWith(QStringLiteral("Nie można zaimportować pliku: ")))
            << trzecie.Blad().toStdString();
        EXPECT_TRUE(trzecie.Lista()->empty());
    }

    // Each analysis on its own: a wrong one is refused with its reason and the others are
    // added; points, percents and grades that contradict the answers are computed anew.
    QJsonObject dokument = QJsonDocument::fromJson(*eksport).object();
    const QJsonArray analizy = dokument.value("analizy").toArray();
    QJsonObject zmieniona = analizy[0].toObject();
    QJsonArray uczniowie = zmieniona.value("uczniowie").toArray();
    QJsonObject uczen = uczniowie[0].toObject();
    uczen.insert("poprawnych", 1000000);
    uczen.insert("procent", 10000000);
    uczen.insert("ocena", "Cel");
    uczniowie.replace(0, uczen);
    zmieniona.insert("uczniowie", uczniowie);
    const auto zUczniem = [](QJsonObject a, const char* klucz, const QJsonValue& v) {
        QJsonArray u = a.value("uczniowie").toArray();
        QJsonObject pierwszy = u[0].toObject();
        pierwszy.insert(QLatin1String(klucz), v);
        u.replace(0, pierwszy);
        a.insert("uczniowie", u);
        return a;
    };
    const auto zTestem = [](QJsonObject a, const char* klucz, const QJsonValue& v) {
        QJsonObject t = a.value("test").toObject();
        t.insert(QLatin1String(klucz), v);
        a.insert("test", t);
        return a;
    };
    const auto zPolem = [](QJsonObject a, const char* klucz, const QJsonValue& v) {
        a.insert(QLatin1String(klucz), v);
        return a;
    };
    const QJsonObject dobra = analizy[1].toObject();
    const struct {
        QJsonObject analiza;
        const char* powod;
    } zle[] = {
        {zTestem(dobra, "klucz", QJsonArray{"1", "1", "1", "1", "1", "1"}), "odcisk testu"},
        {zTestem(dobra, "iloscPytan", 2147483648.0), "\"iloscPytan\""},
        {zTestem(dobra, "czas", 1e300), "\"czas\""},
        {zUczniem(dobra, "poprawnych", 1e300), "\"poprawnych\""},
        {zUczniem(dobra, "zaznaczone", QJsonArray{"1", "2"}),
         "odpowiedzi ucznia nie pasują do testu"},
        {zPolem(dobra, "klasa", QString(101, u'x')), "etykieta klasy jest dłuższa niż 100 znaków"},
    };
    QJsonArray nowe{zmieniona};
    for (const auto& z : zle)
        nowe.append(z.analiza);
    nowe.append(dobra);
    dokument.insert("analizy", nowe);
    const auto wynik2 = trzecie.Import(QJsonDocument(dokument).toJson());
    ASSERT_TRUE(wynik2) << trzecie.Blad().toStdString();
    EXPECT_EQ(wynik2->Dodane, 2);
    EXPECT_EQ(wynik2->Odrzucone, int(std::size(zle)));
    ASSERT_EQ(wynik2->Powody.size(), std::size(zle));
    for (std::size_t i = 0; i < std::size(zle); ++i) {
        EXPECT_TRUE(wynik2->Powody[i].startsWith(QStringLiteral("analiza %1: ").arg(i + 2)))
            << wynik2->Powody[i].toStdString();
        EXPECT_TRUE(wynik2->Powody[i].contains(QString::fromUtf8(zle[i].powod)))
            << wynik2->Powody[i].toStdString();
    }
    const auto lista = trzecie.Lista();
    ASSERT_EQ(lista->size(), 2u);
    auto przeliczona = trzecie.Wczytaj(lista->front().Id);
    ASSERT_TRUE(przeliczona);
    przeliczona->Id = z.Id;
    EXPECT_EQ(*przeliczona, z);
    EXPECT_EQ(lista->front().ProcentKlasy, puste.Lista()->front().ProcentKlasy);
}

TEST_F(ArchiwumTest, PlikKtoryNieJestArchiwumNieJestRuszany) {
    // A damaged file, another program's database and an archive of a newer schema: refused,
    // not a byte changed; set aside on request, after which a new archive starts.
    const auto obca = [](const QString& sciezka) {
        QSqlDatabase b =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("obca"));
        b.setDatabaseName(sciezka);
        b.open();
        QSqlQuery(b).exec(QStringLiteral("CREATE TABLE klienci (id INTEGER, nazwa TEXT)"));
        QSqlQuery(b).exec(QStringLiteral("INSERT INTO klienci VALUES (1, 'x')"));
        b.close();
    };
    const struct {
        const char* opis;
        std::function<void(const QString&)> zrob;
        StanArchiwum stan;
        QString poczatek;
    } przypadki[] = {
        {"damaged", [](const QString& p) { Zapisz(p, QByteArray(5000, 'x')); },
         StanArchiwum::Uszkodzone, QStringLiteral("Plik %1 nie jest archiwum analiz")},
        {"damaged after the header",
         [](const QString& p) {
             Archiwum a;
             a.Otworz(p);
             a.Zamknij();
             QByteArray b = Zawartosc(p);
             for (int i = 100; i < b.size(); ++i)
                 b[i] = char(i * 7);
             Zapisz(p, b);
         },
         StanArchiwum::Uszkodzone, QStringLiteral("Plik %1 nie jest czytelnym archiwum analiz")},
        {"foreign", [&](const QString& p) { obca(p); }, StanArchiwum::Obce,
         QStringLiteral("Plik %1 jest bazą danych innego programu")},
        {"newer",
         [](const QString& p) {
             {
                 Archiwum a;
                 a.Otworz(p);
             }
             ZapytajPlik(p, QStringLiteral("UPDATE wersja_schematu SET wersja = 99 RETURNING 1"));
         },
         StanArchiwum::NowszaWersja, QStringLiteral("Archiwum %1 zapisała nowsza wersja programu")},
    };
    for (const auto& p : przypadki) {
        const QString plik = st.sciezka(QString::fromLatin1(p.opis) + QStringLiteral(".sqlite"));
        p.zrob(plik);
        QSqlDatabase::removeDatabase(QStringLiteral("obca"));
        const QByteArray przed = Zawartosc(plik);
        Archiwum a;
        EXPECT_FALSE(a.Otworz(plik)) << p.opis;
        EXPECT_EQ(a.Stan(), p.stan) << p.opis;
        EXPECT_TRUE(a.Blad().startsWith(p.poczatek.arg(plik))) << a.Blad().toStdString();
        EXPECT_FALSE(a.Dodaj(*std::make_unique<AnalizaArchiwalna>(KlasaArchiwalna(1))));
        EXPECT_EQ(Zawartosc(plik), przed) << p.opis;
        EXPECT_FALSE(QFileInfo::exists(plik + QStringLiteral("-wal"))) << p.opis;

        QString blad;
        const auto odlozony = Archiwum::OdlozUszkodzone(plik, blad);
        ASSERT_TRUE(odlozony) << blad.toStdString();
        EXPECT_TRUE(
            odlozony->startsWith(plik + QStringLiteral(".uszkodzone-") +
                                 QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
        EXPECT_EQ(Zawartosc(*odlozony), przed);
        ASSERT_TRUE(a.Otworz(plik)) << a.Blad().toStdString();
        EXPECT_TRUE(a.Lista()->empty());
    }
}

// A FIFO in the archive's place has no bytes to give: it is refused at once, never waited on.
TEST_F(ArchiwumTest, KolejkaZamiastArchiwumOdrzuconaOdRazu) {
    const QString plik = st.sciezka(QStringLiteral("kolejka.sqlite"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(plik).constData(), 0600), 0);
    Archiwum a;
    EXPECT_FALSE(a.Otworz(plik));
    EXPECT_EQ(a.Stan(), StanArchiwum::BrakDostepu);
    EXPECT_TRUE(a.Blad().endsWith(QStringLiteral("to nie jest zwykły plik.")))
        << a.Blad().toStdString();
}

TEST_F(ArchiwumTest, ArchiwumPierwszegoSchematuPrzechodziNaObecny) {
    // A file as the first schema wrote it (kept here as it was, not taken from the code).
    {
        QSqlDatabase b = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        b.setDatabaseName(Plik());
        ASSERT_TRUE(b.open());
        const char* polecenia[] = {
            "PRAGMA journal_mode = WAL",
            "PRAGMA application_id = 1399811684",
            "PRAGMA user_version = 1",
            "CREATE TABLE wersja_schematu (wersja INTEGER NOT NULL)",
            "CREATE TABLE analizy (id INTEGER PRIMARY KEY, odcisk TEXT NOT NULL, pliki_odcisk TEXT "
            "NOT NULL UNIQUE, klasa TEXT NOT NULL, data_napisania TEXT NOT NULL, dodano TEXT NOT "
            "NULL, nazwa TEXT NOT NULL, autor TEXT NOT NULL, ilosc_pytan INTEGER NOT NULL, "
            "ilosc_odpowiedzi INTEGER NOT NULL, typ INTEGER NOT NULL, czas INTEGER NOT NULL, "
            "wersja TEXT NOT NULL, tkk INTEGER NOT NULL, prog_cel INTEGER NOT NULL, prog_bdb "
            "INTEGER NOT NULL, prog_db INTEGER NOT NULL, prog_dst INTEGER NOT NULL, prog_dp "
            "INTEGER NOT NULL, klucz TEXT NOT NULL, plik_testu TEXT NOT NULL, ilosc_uczniow "
            "INTEGER NOT NULL, procent_klasy INTEGER NOT NULL)",
            "CREATE INDEX analizy_odcisk ON analizy (odcisk)",
            "CREATE INDEX analizy_data ON analizy (data_napisania, id)",
            "CREATE TABLE pytania (analiza_id BIGINT NOT NULL REFERENCES analizy(id) ON DELETE "
            "CASCADE, nr INTEGER NOT NULL, tresc TEXT NOT NULL, odpowiedzi TEXT NOT NULL, PRIMARY "
            "KEY (analiza_id, nr))",
            "CREATE TABLE uczniowie (analiza_id BIGINT NOT NULL REFERENCES analizy(id) ON DELETE "
            "CASCADE, lp INTEGER NOT NULL, nazwisko TEXT NOT NULL, imie TEXT NOT NULL, start "
            "DOUBLE PRECISION NOT NULL, koniec DOUBLE PRECISION NOT NULL, zapis DOUBLE PRECISION "
            "NOT NULL, zwm INTEGER NOT NULL, zaznaczone TEXT NOT NULL, klucz TEXT, poprawnych "
            "INTEGER NOT NULL, procent INTEGER NOT NULL, ocena TEXT NOT NULL, PRIMARY KEY "
            "(analiza_id, lp))",
            "CREATE TABLE pliki (analiza_id BIGINT NOT NULL REFERENCES analizy(id) ON DELETE "
            "CASCADE, lp INTEGER NOT NULL, nazwa TEXT NOT NULL, sha256 TEXT NOT NULL, PRIMARY KEY "
            "(analiza_id, lp))",
            "INSERT INTO wersja_schematu (wersja) VALUES (1)",
            "INSERT INTO analizy VALUES (7, 'odcisk', 'pliki', '6a', '2025-06-01', "
            "'2025-06-02T08:00:00Z', 'Ułamki', 'A', 2, 4, 0, 45, '4.0', 1, 95, 85, 70, 50, 30, "
            "'12', '', 2, 75)",
            "INSERT INTO uczniowie VALUES (7, 1, 'Żak', 'Łucja', 0.5, 0.6, 0.7, 1, '12', NULL, 2, "
            "100, 'Cel')",
            "INSERT INTO uczniowie VALUES (7, 2, 'Nowak', 'Jan', 0.5, 0.6, 0.7, 0, '13', '13', 1, "
            "50, 'Dst')",
            "INSERT INTO pliki VALUES (7, 1, 'a.sko', '"
            "0000000000000000000000000000000000000000000000000000000000000001')",
        };
        for (const char* sql : polecenia)
            ASSERT_TRUE(QSqlQuery(b).exec(QString::fromUtf8(sql))) << sql;
        b.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));

    Otwarte();
    const auto historia = archiwum.HistoriaUcznia(QStringLiteral("ŻAK łucja"));
    ASSERT_TRUE(historia) << archiwum.Blad().toStdString();
    ASSERT_EQ(historia->size(), 1u);
    EXPECT_EQ(historia->front().Analiza.Id, 7);
    const auto a = archiwum.Wczytaj(7);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Uczniowie[1].Klucz, (std::vector<OpcjePytania>{1, 3}));
    EXPECT_EQ(a->Uczniowie[0].Klucz, a->Test.Klucz);
    archiwum.Zamknij();
    EXPECT_EQ(ZapytajPlik(Plik(), QStringLiteral("SELECT wersja FROM wersja_schematu")).toInt(),
              WersjaSchematu);
    EXPECT_EQ(ZapytajPlik(Plik(), QStringLiteral("PRAGMA user_version")).toInt(), WersjaSchematu);
    // New adds go on beside the old entry.
    Otwarte();
    EXPECT_GT(Dodaj(KlasaArchiwalna(1)), 7);
}

namespace {

// A class of `ziarno` in which student `nr` is Łucja Żak, whose answer file bears her name.
AnalizaArchiwalna KlasaZLucja(int ziarno, int uczniow, int nr) {
    AnalizaArchiwalna a = KlasaArchiwalna(ziarno, uczniow, 6);
    const auto i = static_cast<std::size_t>(nr);
    a.Uczniowie[i].Nazwisko = QStringLiteral("Żak");
    a.Uczniowie[i].Imie = QStringLiteral("Łucja");
    a.Pliki[i].Nazwa = QStringLiteral("ŻAK_łucja.sko");
    return a;
}

} // namespace

TEST_P(ArchiwumSilnikTest, UsuniecieUczniaPrzeliczaPodsumowaniaJakNowaAnaliza) {
    Otwarte();
    // Class A: Łucja and a Łucjan Żak, whose file name begins as hers; class B: Łucja alone;
    // class C: no Łucja.
    AnalizaArchiwalna a = KlasaZLucja(1, 6, 2);
    a.Uczniowie[4].Nazwisko = QStringLiteral("Żak");
    a.Uczniowie[4].Imie = QStringLiteral("Łucjan");
    a.Pliki[4].Nazwa = QStringLiteral("żak_łucjan.sko");
    a.Uczniowie[2].Poprawnych = 6; // her points move the class's percent
    a.Uczniowie[2].Zaznaczone = a.Test.Klucz;
    AnalizaArchiwalna b = KlasaZLucja(2, 1, 0);
    AnalizaArchiwalna c = KlasaArchiwalna(3, 4, 6);
    const qint64 idA = Dodaj(a), idB = Dodaj(b), idC = Dodaj(c);
    const auto przedC = archiwum.Wczytaj(idC);
    const auto wpis = [](Archiwum& z, qint64 id) {
        const auto lista = z.Lista();
        for (const WpisArchiwum& w : *lista)
            if (w.Id == id) return w;
        return WpisArchiwum();
    };
    const qint32 procentPrzed = wpis(archiwum, idA).ProcentKlasy;
    ASSERT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucja"))->size(), 2u);

    const auto wynik = archiwum.UsunUcznia(QStringLiteral("  żak ŁUCJA "));
    ASSERT_TRUE(wynik) << archiwum.Blad().toStdString();
    EXPECT_EQ(wynik->UsunieteWyniki, 2);
    EXPECT_EQ(wynik->UsunieteAnalizy, 1);
    EXPECT_TRUE(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucja"))->empty());
    EXPECT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucjan"))->size(), 1u);
    EXPECT_EQ(archiwum.Wczytaj(idC), przedC);
    EXPECT_FALSE(archiwum.Wczytaj(idB));
    const QString eksport = QString::fromUtf8(*archiwum.Eksport());
    EXPECT_FALSE(eksport.contains(QStringLiteral("\"Łucja\"")));
    EXPECT_FALSE(eksport.contains(QStringLiteral("ŻAK_łucja")));
    EXPECT_TRUE(eksport.contains(QStringLiteral("\"Łucjan\"")));

    // The same class analysed afresh without her, in an archive of its own: the same record,
    // the same list entry, and the same set of answer files (added again, it is already here).
    AnalizaArchiwalna reszta = a;
    reszta.Uczniowie.erase(reszta.Uczniowie.begin() + 2);
    reszta.Pliki.erase(reszta.Pliki.begin() + 2);
    Archiwum nowe;
    ASSERT_TRUE(nowe.Otworz(NoweArchiwum(QStringLiteral("nowe"))));
    ASSERT_TRUE(nowe.Dodaj(reszta));
    auto poUsunieciu = archiwum.Wczytaj(idA);
    ASSERT_TRUE(poUsunieciu);
    poUsunieciu->Id = reszta.Id;
    EXPECT_EQ(*poUsunieciu, reszta);
    WpisArchiwum oczekiwany = wpis(nowe, reszta.Id);
    oczekiwany.Id = idA;
    EXPECT_EQ(wpis(archiwum, idA), oczekiwany);
    EXPECT_NE(wpis(archiwum, idA).ProcentKlasy, procentPrzed);
    EXPECT_EQ(archiwum.Lista()->size(), 2u);
    const auto ponownie = archiwum.Dodaj(reszta);
    ASSERT_TRUE(ponownie);
    EXPECT_TRUE(ponownie->JuzBylo);
    EXPECT_EQ(ponownie->Id, idA);

    // Nobody of that name: nothing removed, not a failure.
    const auto nikt = archiwum.UsunUcznia(QStringLiteral("Żak Łucja"));
    ASSERT_TRUE(nikt);
    EXPECT_EQ(nikt->UsunieteWyniki, 0);
}

TEST_P(ArchiwumSilnikTest, UsuwaniePrzedDniemIUczniaCaleAlboWcale) {
    Otwarte();
    // Written on 2 to 5 March 2026; Łucja in the first three.
    for (int ziarno = 1; ziarno <= 4; ++ziarno)
        Dodaj(ziarno <= 3 ? KlasaZLucja(ziarno, 4, ziarno % 4) : KlasaArchiwalna(ziarno, 4, 6));
    const QByteArray przed = *archiwum.Eksport();

    // A statement that fails in the middle of the work (the last analysis of hers refuses to
    // change or go): nothing of the work stays.
    if (Serwer()) {
        ASSERT_TRUE(bazy.front()->Wykonaj(QStringLiteral(
            "CREATE FUNCTION awaria() RETURNS trigger AS $$ BEGIN IF OLD.id = 3 THEN RAISE "
            "EXCEPTION 'awaria'; END IF; IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; "
            "END $$ "
            "LANGUAGE plpgsql")));
        ASSERT_TRUE(bazy.front()->Wykonaj(
            QStringLiteral("CREATE TRIGGER awaria BEFORE UPDATE OR DELETE ON analizy FOR EACH "
                           "ROW EXECUTE FUNCTION awaria()")));
    } else {
        for (const char* zdarzenie : {"UPDATE", "DELETE"})
            ZapytajPlik(Plik(), QStringLiteral("CREATE TRIGGER awaria_%1 BEFORE %1 ON analizy "
                                               "WHEN OLD.id = 3 BEGIN SELECT RAISE(ABORT, "
                                               "'awaria'); END")
                                    .arg(QLatin1String(zdarzenie)));
        ASSERT_EQ(Zapytaj(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = "
                                         "'trigger'"))
                      .toInt(),
                  2);
    }
    EXPECT_FALSE(archiwum.UsunUcznia(QStringLiteral("Żak Łucja")));
    EXPECT_TRUE(archiwum.Blad().startsWith(
        QStringLiteral("Nie udało się usunąć ucznia z archiwum (archiwum %1): ")
            .arg(archiwum.Opis())))
        << archiwum.Blad().toStdString();
    EXPECT_FALSE(archiwum.UsunPrzed(QDate(2026, 3, 5)));
    EXPECT_EQ(*archiwum.Eksport(), przed);
    EXPECT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Żak Łucja"))->size(), 3u);

    if (Serwer())
        bazy.front()->Wykonaj(QStringLiteral("DROP TRIGGER awaria ON analizy"));
    else
        for (const char* zdarzenie : {"UPDATE", "DELETE"})
            ZapytajPlik(Plik(),
                        QStringLiteral("DROP TRIGGER awaria_%1").arg(QLatin1String(zdarzenie)));
    // Retention: the analyses written before 4 March go, with their students and files.
    const auto ile = archiwum.UsunPrzed(QDate(2026, 3, 4));
    ASSERT_TRUE(ile) << archiwum.Blad().toStdString();
    EXPECT_EQ(*ile, 2);
    const auto lista = archiwum.Lista();
    ASSERT_EQ(lista->size(), 2u);
    EXPECT_EQ(lista->front().DataNapisania, QDate(2026, 3, 4));
    EXPECT_EQ(Zapytaj(QStringLiteral("SELECT count(*) FROM uczniowie")).toInt(), 8);
    EXPECT_EQ(Zapytaj(QStringLiteral("SELECT count(*) FROM pliki")).toInt(), 8);
    EXPECT_EQ(archiwum.UsunPrzed(QDate(2026, 3, 4)), 0);
    EXPECT_FALSE(archiwum.UsunPrzed(QDate()));
    EXPECT_EQ(archiwum.UsunUcznia(QStringLiteral("Żak Łucja"))->UsunieteWyniki, 1);
}

TEST_F(ArchiwumTest, ZdroweArchiwumNieJestOdkladane) {
    // A healthy archive: setting it aside is refused, and the analyses stay listed.
    Otwarte();
    Dodaj(KlasaArchiwalna(1));
    archiwum.Zamknij();
    QString blad;
    EXPECT_FALSE(Archiwum::OdlozUszkodzone(Plik(), blad));
    EXPECT_EQ(blad, QStringLiteral("Plik %1 jest poprawnym archiwum analiz (przeszedł sprawdzenie "
                                   "spójności bazy danych): nie został odłożony.")
                        .arg(Plik()));
    Otwarte();
    EXPECT_EQ(archiwum.Lista()->size(), 1u);
}

TEST_F(ArchiwumTest, PelnyDyskIFolderTylkoDoOdczytuNazwaneTymCzymSa) {
    // A full disk, while making a new archive and while opening one whose journal needs room,
    // is said to be a full disk, never a damaged archive to be set aside.
    MalyDysk dysk(1024 * 1024);
    POMIN_BEZ_DYSKU(dysk);
    const QString stare = dysk.sciezka(QStringLiteral("stare.sqlite"));
    {
        Archiwum a;
        ASSERT_TRUE(a.Otworz(stare));
        AnalizaArchiwalna k = KlasaArchiwalna(1);
        ASSERT_TRUE(a.Dodaj(k));
    }
    const QByteArray przed = Zawartosc(stare);
    dysk.Zapelnij();
    for (const QString& plik : {dysk.sciezka(QStringLiteral("nowe.sqlite")), stare}) {
        Archiwum a;
        if (a.Otworz(plik)) {
            // Opening needed no room: the first write then says the disk is full.
            AnalizaArchiwalna k = KlasaArchiwalna(2);
            EXPECT_FALSE(a.Dodaj(k));
        }
        EXPECT_FALSE(a.Blad().contains(QStringLiteral("czytelnym"))) << a.Blad().toStdString();
        EXPECT_FALSE(a.Blad().contains(QStringLiteral("odłożyć"))) << a.Blad().toStdString();
        EXPECT_TRUE(a.Blad().contains(QStringLiteral("brak miejsca")) ||
                    a.Blad().contains(QStringLiteral("disk is full")))
            << a.Blad().toStdString();
    }
    EXPECT_EQ(Zawartosc(stare), przed);
    dysk.Oproznij();

    // A read-only file system: the archive is listed, read and exported; writing is refused
    // with a message, and nothing is written.
    ASSERT_EQ(::mount(nullptr, QFile::encodeName(dysk.folder()).constData(), nullptr,
                      MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    Archiwum a;
    ASSERT_TRUE(a.Otworz(stare)) << a.Blad().toStdString();
    ASSERT_EQ(a.Lista()->size(), 1u);
    EXPECT_TRUE(a.Wczytaj(a.Lista()->front().Id));
    EXPECT_TRUE(a.Eksport());
    AnalizaArchiwalna k = KlasaArchiwalna(3);
    EXPECT_FALSE(a.Dodaj(k));
    EXPECT_FALSE(a.Blad().isEmpty());
    Archiwum nowe;
    EXPECT_FALSE(nowe.Otworz(dysk.sciezka(QStringLiteral("inne.sqlite"))));
    EXPECT_EQ(nowe.Stan(), StanArchiwum::BrakDostepu);
    EXPECT_FALSE(nowe.Blad().contains(QStringLiteral("odłożyć"))) << nowe.Blad().toStdString();
    a.Zamknij();
    EXPECT_EQ(Zawartosc(stare), przed);
}

TEST_F(ArchiwumTest, UszkodzonaAnalizaNieZatrzymujeEksportuAniKopiowania) {
    // One analysis with a damaged row: the export and the copy leave it out, name it, and
    // carry every other analysis; the exported file is its owner's only.
    Otwarte();
    for (int ziarno = 1; ziarno <= 3; ++ziarno)
        Dodaj(KlasaArchiwalna(ziarno));
    ZapytajPlik(Plik(), QStringLiteral("UPDATE uczniowie SET zaznaczone = 'zz!' WHERE "
                                       "analiza_id = 2 RETURNING 1"));
    std::vector<QString> pominiete;
    const auto eksport = archiwum.Eksport(&pominiete);
    ASSERT_TRUE(eksport) << archiwum.Blad().toStdString();
    ASSERT_EQ(pominiete.size(), 1u);
    EXPECT_TRUE(pominiete[0].startsWith(QStringLiteral("analiza 2: ")))
        << pominiete[0].toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(*eksport).object().value("analizy").toArray().size(), 2);

    const QString plik = st.sciezka(QStringLiteral("eksport.json"));
    pominiete.clear();
    ASSERT_TRUE(archiwum.EksportDoPliku(plik, &pominiete)) << archiwum.Blad().toStdString();
    EXPECT_EQ(Zawartosc(plik), *eksport);
    EXPECT_EQ(QFileInfo(plik).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadUser | QFileDevice::WriteUser);

    Archiwum kopia;
    ASSERT_TRUE(kopia.Otworz(st.sciezka(QStringLiteral("kopia.sqlite"))));
    const auto wynik = kopia.KopiujZ(archiwum);
    ASSERT_TRUE(wynik) << kopia.Blad().toStdString();
    EXPECT_EQ(wynik->Dodane, 2);
    EXPECT_EQ(wynik->Odrzucone, 1);
    ASSERT_EQ(wynik->Powody.size(), 1u);
    EXPECT_TRUE(wynik->Powody[0].startsWith(QStringLiteral("analiza 2: ")));
    EXPECT_EQ(kopia.Eksport(), eksport);
}

TEST_P(ArchiwumSilnikTest, ZnakiSterujaceWNazwiskuNieDochodzaDoArchiwum) {
    // A damaged answer file with a NUL, an escape and a tab in the student's name, and an
    // export with the same: the names lose them where they are read, and the server takes
    // the analysis as the file does.
    QStringList pliki = ZapiszKlase(st.sciezka(QStringLiteral("klasa")), 4, 2, 3);
    PlikOdpowiedzi zly;
    zly.nazwaTestu = QStringLiteral("Ułamki");
    zly.nazwisko = QStringLiteral("No") + QChar(0) + QStringLiteral("wak\x1b[31m");
    zly.imie = QStringLiteral("Jan\tMaria\x7f");
    zly.kodowanie = KodowanieXml::Base64;
    zly.pytania = {{"1000", "1000"}, {"0100", "0100"}, {"0010", "0010"}};
    pliki.append(st.sciezka(QStringLiteral("zly.sko")));
    ASSERT_TRUE(ZapiszPlikOdpowiedzi(pliki.last(), zly));
    auto analiza = std::make_unique<Analiza>();
    analiza->PlikiOdpowiedzi = pliki;
    ASSERT_TRUE(UruchomAnalize(*analiza, st.srodowisko));
    QString blad;
    auto zapis = AnalizaDoArchiwum(*analiza, QStringLiteral("7a"), blad);
    ASSERT_TRUE(zapis) << blad.toStdString();
    Otwarte();
    const qint64 id = Dodaj(*zapis);
    const auto historia = archiwum.HistoriaUcznia(QStringLiteral("Nowak[31m Jan Maria"));
    ASSERT_TRUE(historia);
    ASSERT_EQ(historia->size(), 1u);
    EXPECT_EQ(historia->front().Nazwisko, QStringLiteral("Nowak[31m"));
    EXPECT_EQ(historia->front().Imie, QStringLiteral("Jan Maria"));

    // The same names in an export (as an older version stored them) are cleaned on import.
    QJsonObject dokument = QJsonDocument::fromJson(*archiwum.Eksport()).object();
    QJsonObject a = dokument.value("analizy").toArray()[0].toObject();
    QJsonArray uczniowie = a.value("uczniowie").toArray();
    QJsonObject u = uczniowie[0].toObject();
    u.insert("nazwisko", zly.nazwisko);
    u.insert("imie", zly.imie);
    uczniowie.replace(0, u);
    a.insert("uczniowie", uczniowie);
    a.insert("pliki",
             QJsonArray{QJsonObject{{"nazwa", "inny.sko"}, {"sha256", QString(64, u'a')}}});
    dokument.insert("analizy", QJsonArray{a});
    ASSERT_TRUE(archiwum.Usun(id));
    const auto wynik = archiwum.Import(QJsonDocument(dokument).toJson());
    ASSERT_TRUE(wynik) << archiwum.Blad().toStdString();
    EXPECT_EQ(wynik->Dodane, 1) << (wynik->Powody.empty() ? "" : wynik->Powody[0].toStdString());
    EXPECT_EQ(archiwum.HistoriaUcznia(QStringLiteral("Nowak[31m Jan Maria"))->size(), 1u);
}

namespace {

// The commit's answer lost with the connection: the server ends this session right after it
// commits, or instead of committing.
bool ZatwierdzIZerwij(QSqlDatabase& baza, QString& blad) {
    QSqlQuery(baza).exec(QStringLiteral("COMMIT"));
    QSqlQuery(baza).exec(QStringLiteral("SELECT pg_terminate_backend(pg_backend_pid())"));
    blad = QStringLiteral("server closed the connection unexpectedly");
    return false;
}
bool ZerwijBezZatwierdzenia(QSqlDatabase& baza, QString& blad) {
    QSqlQuery(baza).exec(QStringLiteral("SELECT pg_terminate_backend(pg_backend_pid())"));
    blad = QStringLiteral("server closed the connection unexpectedly");
    return false;
}

} // namespace

TEST_F(ArchiwumTest, UtraconaOdpowiedzNaZatwierdzenieRozstrzygaPlikamiOdpowiedzi) {
    // The answer to an add's commit is lost with the connection: the archive asks the server
    // again, by the analysis's answer files, whether it was saved, and says so truly.
    BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    ASSERT_TRUE(archiwum.Otworz(baza.Adres())) << archiwum.Blad().toStdString();
    const auto przywroc = archiwum_wewn::ZatwierdzDodanie;
    archiwum_wewn::ZatwierdzDodanie = ZatwierdzIZerwij;
    AnalizaArchiwalna zapisana = KlasaArchiwalna(1);
    const auto wynik = archiwum.Dodaj(zapisana);
    archiwum_wewn::ZatwierdzDodanie = ZerwijBezZatwierdzenia;
    AnalizaArchiwalna niezapisana = KlasaArchiwalna(2);
    const auto drugi = archiwum.Dodaj(niezapisana);
    const QString blad = archiwum.Blad();
    archiwum_wewn::ZatwierdzDodanie = przywroc;

    ASSERT_TRUE(wynik) << archiwum.Blad().toStdString();
    EXPECT_FALSE(wynik->JuzBylo);
    EXPECT_FALSE(drugi);
    EXPECT_TRUE(blad.contains(QStringLiteral("połączenie z serwerem zostało przerwane, nic nie "
                                             "zapisano")))
        << blad.toStdString();
    const auto lista = archiwum.Lista();
    ASSERT_TRUE(lista) << archiwum.Blad().toStdString();
    ASSERT_EQ(lista->size(), 1u);
    EXPECT_EQ(lista->front().Id, wynik->Id);
    EXPECT_EQ(lista->front().Klasa, zapisana.Klasa);
}

namespace {

long Nfs(const QString&) {
    return 0x6969;
}

} // namespace

TEST_F(ArchiwumTest, FolderSieciowyDostajeDziennikWycofania) {
    // WAL does not work on a network file system: there the archive keeps a rollback journal
    // and the journal says why; elsewhere it stays in WAL.
    EXPECT_EQ(archiwum_wewn::SiecowySystemPlikow(0xFF534D42), QStringLiteral("SMB/CIFS"));
    EXPECT_EQ(archiwum_wewn::SiecowySystemPlikow(0xFE534D42), QStringLiteral("SMB/CIFS"));
    EXPECT_EQ(archiwum_wewn::SiecowySystemPlikow(0x01021994), QString()); // tmpfs
    Otwarte();
    archiwum.Zamknij();
    EXPECT_EQ(ZapytajPlik(Plik(), QStringLiteral("PRAGMA journal_mode")).toString(),
              QStringLiteral("wal"));

    const auto przywroc = archiwum_wewn::SystemPlikow;
    archiwum_wewn::SystemPlikow = Nfs;
    QStringList wiersze;
    archiwum.UstawDziennik([&](const QString& w) { wiersze.append(w); });
    const bool otwarte = archiwum.Otworz(Plik());
    archiwum_wewn::SystemPlikow = przywroc;
    ASSERT_TRUE(otwarte) << archiwum.Blad().toStdString();
    Dodaj(KlasaArchiwalna(1));
    EXPECT_FALSE(QFileInfo::exists(Plik() + QStringLiteral("-wal")));
    ASSERT_EQ(wiersze.size(), 1);
    EXPECT_EQ(wiersze[0], QStringLiteral("Archiwum %1 leży w folderze sieciowym (NFS): zapisywane "
                                         "z dziennikiem wycofania (journal_mode=DELETE), bo tryb "
                                         "WAL nie działa w sieciowym systemie plików.")
                              .arg(Plik()));
    archiwum.Zamknij();
    EXPECT_EQ(ZapytajPlik(Plik(), QStringLiteral("PRAGMA journal_mode")).toString(),
              QStringLiteral("delete"));
}

TEST_P(ArchiwumSilnikTest, ArchiwumDrugiegoSchematuDostajeKtoDodal) {
    // An archive as the second schema made it on this engine (kept here as it was, not taken
    // from the code), with one analysis of two students.
    const QString id = Serwer() ? QStringLiteral("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY "
                                                 "KEY")
                                : QStringLiteral("INTEGER PRIMARY KEY");
    const QString rodzic = QStringLiteral("analiza_id BIGINT NOT NULL REFERENCES analizy(id) ON "
                                          "DELETE CASCADE, ");
    QStringList polecenia = {
        QStringLiteral("CREATE TABLE wersja_schematu (wersja INTEGER NOT NULL)"),
        QStringLiteral(
            "CREATE TABLE analizy (id %1, odcisk TEXT NOT NULL, pliki_odcisk TEXT NOT NULL "
            "UNIQUE, klasa TEXT NOT NULL, data_napisania TEXT NOT NULL, dodano TEXT NOT NULL, "
            "nazwa TEXT NOT NULL, autor TEXT NOT NULL, ilosc_pytan INTEGER NOT NULL, "
            "ilosc_odpowiedzi INTEGER NOT NULL, typ INTEGER NOT NULL, czas INTEGER NOT NULL, "
            "wersja TEXT NOT NULL, tkk INTEGER NOT NULL, prog_cel INTEGER NOT NULL, prog_bdb "
            "INTEGER NOT NULL, prog_db INTEGER NOT NULL, prog_dst INTEGER NOT NULL, prog_dp "
            "INTEGER NOT NULL, klucz TEXT NOT NULL, plik_testu TEXT NOT NULL, ilosc_uczniow "
            "INTEGER NOT NULL, procent_klasy INTEGER NOT NULL)")
            .arg(id),
        QStringLiteral("CREATE TABLE pytania (%1nr INTEGER NOT NULL, tresc TEXT NOT NULL, "
                       "odpowiedzi TEXT NOT NULL, PRIMARY KEY (analiza_id, nr))")
            .arg(rodzic),
        QStringLiteral(
            "CREATE TABLE uczniowie (%1lp INTEGER NOT NULL, nazwisko TEXT NOT NULL, imie TEXT "
            "NOT NULL, start DOUBLE PRECISION NOT NULL, koniec DOUBLE PRECISION NOT NULL, "
            "zapis "
            "DOUBLE PRECISION NOT NULL, zwm INTEGER NOT NULL, zaznaczone TEXT NOT NULL, klucz "
            "TEXT, poprawnych INTEGER NOT NULL, procent INTEGER NOT NULL, ocena TEXT NOT NULL, "
            "szukane TEXT NOT NULL DEFAULT '', PRIMARY KEY (analiza_id, lp))")
            .arg(rodzic),
        QStringLiteral("CREATE TABLE pliki (%1lp INTEGER NOT NULL, nazwa TEXT NOT NULL, sha256 "
                       "TEXT NOT NULL, PRIMARY KEY (analiza_id, lp))")
            .arg(rodzic),
        QStringLiteral("CREATE INDEX uczniowie_szukane ON uczniowie (szukane)"),
        QStringLiteral("INSERT INTO wersja_schematu (wersja) VALUES (2)"),
        QStringLiteral("INSERT INTO analizy (odcisk, pliki_odcisk, klasa, data_napisania, "
                       "dodano, nazwa, autor, ilosc_pytan, ilosc_odpowiedzi, typ, czas, wersja, "
                       "tkk, prog_cel, prog_bdb, prog_db, prog_dst, prog_dp, klucz, plik_testu, "
                       "ilosc_uczniow, procent_klasy) VALUES ('odcisk', 'pliki', '6a', "
                       "'2025-06-01', '2025-06-02T08:00:00Z', 'Ułamki', 'A', 2, 4, 0, 45, '4.0', "
                       "1, 95, 85, 70, 50, 30, '12', '', 2, 75)"),
        QStringLiteral("INSERT INTO uczniowie VALUES (1, 1, 'Żak', 'Łucja', 0.5, 0.6, 0.7, 1, "
                       "'12', NULL, 2, 100, 'Cel', 'żak łucja')"),
        QStringLiteral("INSERT INTO uczniowie VALUES (1, 2, 'Nowak', 'Jan', 0.5, 0.6, 0.7, 0, "
                       "'13', NULL, 1, 50, 'Dst', 'nowak jan')"),
        QStringLiteral("INSERT INTO pliki VALUES (1, 1, 'a.sko', '"
                       "0000000000000000000000000000000000000000000000000000000000000001')"),
    };
    if (!Serwer())
        polecenia = QStringList{QStringLiteral("PRAGMA journal_mode = WAL"),
                                QStringLiteral("PRAGMA application_id = 1399811684"),
                                QStringLiteral("PRAGMA user_version = 2")} +
                    polecenia;
    if (Serwer()) {
        for (const QString& sql : polecenia)
            ASSERT_TRUE(bazy.front()->Wykonaj(sql)) << sql.toStdString();
    } else {
        {
            QSqlDatabase b =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v2"));
            b.setDatabaseName(Plik());
            ASSERT_TRUE(b.open());
            for (const QString& sql : polecenia)
                ASSERT_TRUE(QSqlQuery(b).exec(sql)) << sql.toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v2"));
    }

    // The old entry: nobody known as who added it, its figures as before.
    Otwarte();
    const auto lista = archiwum.Lista();
    ASSERT_TRUE(lista) << archiwum.Blad().toStdString();
    ASSERT_EQ(lista->size(), 1u);
    EXPECT_EQ(lista->front().Dodal, QString());
    EXPECT_EQ(lista->front().IloscUczniow, 2);
    EXPECT_EQ(lista->front().ProcentKlasy, 75);
    EXPECT_EQ(archiwum.Wczytaj(lista->front().Id)->Dodal, QString());
    EXPECT_EQ(Zapytaj(QStringLiteral("SELECT wersja FROM wersja_schematu")).toInt(),
              WersjaSchematu);

    // A new add records who added it: the server's role, or the user's login name.
    AnalizaArchiwalna nowa = KlasaArchiwalna(1);
    const qint64 nowaId = Dodaj(nowa);
    ASSERT_GT(nowaId, 0);
    const QString kto = Serwer() ? QStringLiteral("sondrel_test") : archiwum.Dodajacy();
    EXPECT_FALSE(kto.isEmpty());
    EXPECT_EQ(nowa.Dodal, kto);
    EXPECT_EQ(archiwum.Lista()->back().Dodal, kto);
    EXPECT_EQ(archiwum.Wczytaj(nowaId)->Dodal, kto);
}

TEST_F(ArchiwumTest, SerwerZrywajacyPolaczenieWTrakcieOtwieraniaToNieUszkodzoneArchiwum) {
    // The server ends the session while the archive reads its schema version: that is a
    // connection lost, said so, never a database that is not an archive.
    BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    ASSERT_TRUE(archiwum.Otworz(baza.Adres())) << archiwum.Blad().toStdString();
    archiwum.Zamknij();
    ASSERT_TRUE(baza.Wykonaj(QStringLiteral(
        "ALTER TABLE wersja_schematu RENAME TO wersja_zapas; CREATE VIEW wersja_schematu AS "
        "SELECT wersja + 0 * pg_terminate_backend(pg_backend_pid())::int AS wersja FROM "
        "wersja_zapas")));
    Archiwum a;
    EXPECT_FALSE(a.Otworz(baza.Adres()));
    EXPECT_EQ(a.Stan(), StanArchiwum::BrakDostepu);
    EXPECT_TRUE(a.Blad().contains(QStringLiteral("połączenie z serwerem zostało przerwane")))
        << a.Blad().toStdString();
    EXPECT_FALSE(a.Blad().contains(QStringLiteral("czytelnym"))) << a.Blad().toStdString();
}
