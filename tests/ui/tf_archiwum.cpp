// SPDX-License-Identifier: GPL-3.0-or-later
// The archive window through its commands, on a real archive file in a temporary folder: the
// list as a tree, comparing classes and a student's history (reports handed to the program),
// changing a description, deleting after the question, export and import, saving the program's
// analysis, refusals while the archive works, a damaged file left untouched, and the event loop
// turning while a server that never answers is being connected to.
#include "ui/okna/tf_archiwum.h"

#include "analysis/przebieg_analizy.h"
#include "archive/archiwum.h"
#include "archive/polaczenie.h"
#include "core/lokalizacja.h"
#include "support/klasa_testowa.h"
#include "support/serwer_testowy.h"
#include "support/ui/program_testowy.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/okna/panel_archiwum.h"
#include "ui/okna/tf_opis_archiwum.h"
#include "ui/program.h"
#include "ui/watek_archiwum.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace sondrel {
namespace {

using testy::KlasaArchiwalna;

// A message as the window's checks compare it: its kind and text.
struct Wiadomosc {
    int rodzaj;
    QString tekst;
    bool operator==(const Wiadomosc&) const = default;
};

class TFArchiwumTest : public testy::ProgramTestowy {
protected:
    std::unique_ptr<TFArchiwum> okno;
    PanelArchiwum* panel = nullptr;
    QList<QUrl> raporty; // reports handed to the browser

    QList<Wiadomosc> wiadomosci() const {
        QList<Wiadomosc> w;
        for (const testy::Komunikat& k : komunikaty)
            w.append({k.rodzaj, k.tekst});
        return w;
    }

    void SetUp() override {
        Foldery& f = program.srodowisko.foldery;
        f.FolderDanych = sciezka(QStringLiteral("dane"));
        QDir().mkpath(f.FolderDanych);
        odpowiedz = WynikNie;           // what a question answers
        program.ustawienia.rdfw = true; // reports go to the (recorded) browser
        program.OtworzWPrzegladarce = [this](const QUrl& u) { raporty.append(u); };
        okno = std::make_unique<TFArchiwum>(program);
        program.Zasady().Podlacz(okno.get());
        panel = okno->Panel;
    }
    void TearDown() override { okno.reset(); }

    QString PlikArchiwum() const { return Archiwum::DomyslnaSciezka(program.srodowisko.foldery); }

    // Adds the analyses straight to the archive file; gives their ids.
    std::vector<qint64> Dodaj(std::vector<AnalizaArchiwalna> analizy) {
        Archiwum a;
        EXPECT_TRUE(a.Otworz(PlikArchiwum())) << a.Blad().toStdString();
        std::vector<qint64> idy;
        for (AnalizaArchiwalna& x : analizy) {
            const auto w = a.Dodaj(x);
            EXPECT_TRUE(w) << a.Blad().toStdString();
            idy.push_back(w ? w->Id : 0);
        }
        return idy;
    }
    std::vector<WpisArchiwum> ZPliku() {
        Archiwum a;
        EXPECT_TRUE(a.Otworz(PlikArchiwum()));
        return a.Lista().value_or(std::vector<WpisArchiwum>{});
    }

    // Runs a command and waits for its end (its messages shown, the list read again).
    bool Wykonaj(const std::function<bool()>& polecenie) {
        QSignalSpy koniec(panel, &PanelArchiwum::wykonano);
        if (!polecenie()) return false;
        EXPECT_TRUE(koniec.wait(15000));
        return true;
    }
    void Pokaz() {
        QSignalSpy koniec(panel, &PanelArchiwum::wykonano);
        okno->Pokaz();
        ASSERT_TRUE(koniec.wait(15000));
    }
    QTreeWidgetItem* Test(int t) { return panel->Drzewo->topLevelItem(t); }
};

// Two classes of "Ułamki", one of "Potęgi", and "Ułamki" with another key (another version).
std::vector<AnalizaArchiwalna> CzteryKlasy() {
    AnalizaArchiwalna innaWersja = KlasaArchiwalna(4, 3, 6, QStringLiteral("Ułamki"), "6a");
    innaWersja.Test.Klucz[0] = 2;
    for (UczenArchiwalny& u : innaWersja.Uczniowie)
        u.Klucz = innaWersja.Test.Klucz;
    return {KlasaArchiwalna(1, 5, 6, QStringLiteral("Ułamki"), "7a"),
            KlasaArchiwalna(2, 4, 6, QStringLiteral("Ułamki"), "7b"),
            KlasaArchiwalna(3, 6, 8, QStringLiteral("Potęgi"), "8a"), innaWersja};
}

TEST_F(TFArchiwumTest, DrzewoTestowZKlasami) {
    // only a server's address in the settings moves the archive; other text is no path
    program.ustawienia.arch = QStringLiteral("Archiwum.sqlite");
    EXPECT_EQ(panel->Adres(), PlikArchiwum());
    program.ustawienia.arch = QStringLiteral("postgresql://n@serwer/baza");
    EXPECT_EQ(panel->Adres(), program.ustawienia.arch);
    program.ustawienia.arch.clear();

    Pokaz();
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 0);
    EXPECT_EQ(panel->LStan->text(), TekstyArchiwum::Puste);
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(PlikArchiwum())); // made on first use

    const auto idy = Dodaj(CzteryKlasy());
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    // tests in the order their first class was written; one name, two keys: two versions
    ASSERT_EQ(panel->Drzewo->topLevelItemCount(), 3);
    EXPECT_EQ(Test(0)->text(0), QStringLiteral("Ułamki (wersja 1)"));
    EXPECT_EQ(Test(1)->text(0), QStringLiteral("Potęgi"));
    EXPECT_EQ(Test(2)->text(0), QStringLiteral("Ułamki (wersja 2)"));
    ASSERT_EQ(Test(0)->childCount(), 2);
    const auto lista = ZPliku();
    const QTreeWidgetItem* k = Test(0)->child(1);
    EXPECT_EQ(k->text(0), QStringLiteral("7b"));
    EXPECT_EQ(k->text(1), TekstDatyKrotkiej(QDate(2026, 3, 3)));
    EXPECT_EQ(k->text(2), QStringLiteral("4"));
    EXPECT_EQ(k->text(3), QString::number(lista[1].ProcentKlasy) + QStringLiteral("%"));
    EXPECT_EQ(Test(0)->text(2), QStringLiteral("9")); // students of both classes
    EXPECT_EQ(panel->Drzewo->headerItem()->text(4), QStringLiteral("Dodał"));
    EXPECT_EQ(k->text(4), lista[1].Dodal);
    EXPECT_TRUE(panel->LStan->text().endsWith(QStringLiteral("analiz: 4")));

    // choosing a test chooses its classes; a class chosen twice counts once
    Test(0)->setSelected(true);
    Test(0)->child(0)->setSelected(true);
    Test(1)->child(0)->setSelected(true);
    EXPECT_EQ(panel->Zaznaczone(), (std::vector<qint64>{idy[0], idy[1], idy[2]}));
    // the choice survives reading the list again
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    EXPECT_EQ(panel->Zaznaczone(), (std::vector<qint64>{idy[0], idy[1], idy[2]}));
}

TEST_F(TFArchiwumTest, PorownanieKlasIHistoriaUczniaWOknieRaportu) {
    const auto idy = Dodaj(CzteryKlasy());
    Pokaz();

    // nothing chosen: told what to choose, nothing started
    EXPECT_FALSE(panel->PorownajKlasy());
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::ZaznaczKlasy}}));
    komunikaty.clear();

    Test(0)->setSelected(true);
    ASSERT_TRUE(Wykonaj([&] { return panel->PorownajKlasy(); }));
    EXPECT_TRUE(komunikaty.isEmpty());
    ASSERT_EQ(raporty.size(), 1);
    const QString raport = raporty[0].toLocalFile();
    EXPECT_EQ(QFileInfo(raport).absolutePath(),
              QFileInfo(program.srodowisko.foldery.FolderTemp).absoluteFilePath());
    EXPECT_TRUE(raport.endsWith(QStringLiteral("_PorownanieKlas.htm")));
    QFile f(raport);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    EXPECT_TRUE(html.contains("7a") && html.contains("7b"));
    EXPECT_FALSE(html.contains(QStringLiteral("Nazwisko0").toUtf8())); // no student named

    // the line tells about the list again once the command ended
    EXPECT_TRUE(panel->LStan->text().endsWith(QStringLiteral("analiz: 4")))
        << panel->LStan->text().toStdString();

    // classes of two versions of one test are refused, named as the teacher knows them (never
    // by the archive's numbers)
    panel->Zaznacz({idy[0], idy[3]});
    EXPECT_FALSE(panel->PorownajKlasy());
    const auto lista = ZPliku();
    EXPECT_EQ(
        wiadomosci(),
        (QList<Wiadomosc>{
            {KomunikatInformacja,
             TekstyArchiwum::RozneTesty.arg(
                 QStringLiteral("7a (%1)").arg(TekstDatyKrotkiej(lista[0].DataNapisania)),
                 QStringLiteral("6a (%1)").arg(TekstDatyKrotkiej(lista[3].DataNapisania)))}}));
    EXPECT_EQ(raporty.size(), 1);

    // a student's history: the name asked, the report handed over; an unknown name is said
    komunikaty.clear();
    QString imie = QString::fromUtf8("  nazwisko0ŻÓŁĆ   imię1 ");
    panel->wybory.Uczen = [&](const QString&, const QString&) {
        return std::optional<QString>(imie);
    };
    ASSERT_TRUE(Wykonaj([&] { return panel->HistoriaUcznia(); }));
    EXPECT_TRUE(komunikaty.isEmpty());
    ASSERT_EQ(raporty.size(), 2);
    EXPECT_TRUE(raporty[1].toLocalFile().endsWith(QStringLiteral("_HistoriaUcznia.htm")));
    imie = QStringLiteral("Nieznany Jan");
    ASSERT_TRUE(Wykonaj([&] { return panel->HistoriaUcznia(); }));
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja,
                                               "W archiwum nie ma wyników ucznia Nieznany Jan."}}));
    // cancelled: nothing runs
    panel->wybory.Uczen = [](const QString&, const QString&) { return std::optional<QString>(); };
    EXPECT_FALSE(panel->HistoriaUcznia());
    EXPECT_EQ(raporty.size(), 2);
}

// The comparison and a student's history saved as workbooks: the file asked (named after the
// test or the student, ".xlsx" added to a bare name), written in the archive's thread; a
// comparison that cannot be made and an unknown student are said, and nothing is written.
TEST_F(TFArchiwumTest, PorownanieIHistoriaJakoArkusze) {
    const auto idy = Dodaj(CzteryKlasy());
    Pokaz();
    QStringList dialogi;
    QString odpowiedz = folder.filePath(QStringLiteral("porownanie"));
    panel->wybory.PlikArkusza = [&](const QString&, const QString& nazwa) {
        dialogi << nazwa;
        return odpowiedz;
    };
    EXPECT_FALSE(panel->PorownanieDoArkusza()); // nothing chosen
    komunikaty.clear();

    panel->Zaznacz({idy[0], idy[1]});
    ASSERT_TRUE(Wykonaj([&] { return panel->PorownanieDoArkusza(); }));
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(dialogi, QStringList{QStringLiteral("Ułamki_PorownanieKlas.xlsx")});
    QFile xlsx(odpowiedz + QStringLiteral(".xlsx"));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xlsx.readAll().startsWith("PK\x03\x04"));

    odpowiedz = folder.filePath(QStringLiteral("wersje.xlsx"));
    panel->Zaznacz({idy[0], idy[3]}); // two versions of one test
    ASSERT_TRUE(Wykonaj([&] { return panel->PorownanieDoArkusza(); }));
    EXPECT_EQ(komunikaty.size(), 1);
    EXPECT_FALSE(QFile::exists(odpowiedz));

    komunikaty.clear();
    QString imie = QString::fromUtf8("nazwisko0ŻÓŁĆ imię1");
    panel->wybory.Uczen = [&](const QString&, const QString&) {
        return std::optional<QString>(imie);
    };
    odpowiedz = folder.filePath(QStringLiteral("historia.xlsx"));
    ASSERT_TRUE(Wykonaj([&] { return panel->HistoriaDoArkusza(); }));
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(dialogi.last(), imie + QStringLiteral("_HistoriaUcznia.xlsx"));
    EXPECT_TRUE(QFile::exists(odpowiedz));
    imie = QStringLiteral("Nieznany Jan");
    odpowiedz = folder.filePath(QStringLiteral("nieznany.xlsx"));
    ASSERT_TRUE(Wykonaj([&] { return panel->HistoriaDoArkusza(); }));
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja,
                                               "W archiwum nie ma wyników ucznia Nieznany Jan."}}));
    EXPECT_FALSE(QFile::exists(odpowiedz));
    // the menu's entries for both, reached from the keyboard
    for (Etykieta* l : {okno->LPorownanieArkusz, okno->LHistoriaArkusz}) {
        EXPECT_NE(l->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(l->accessibleName().isEmpty());
    }
}

TEST_F(TFArchiwumTest, ZmianaOpisuIUsuwaniePoPytaniu) {
    const auto idy = Dodaj(CzteryKlasy());
    Pokaz();
    OpisAnalizy zaproponowany;
    panel->wybory.Opis = [&](const QString&, const QString&, const OpisAnalizy& p) {
        zaproponowany = p;
        return std::optional<OpisAnalizy>({QStringLiteral("8c"), QDate(2025, 11, 5)});
    };

    // exactly one class
    panel->Zaznacz({idy[0], idy[1]});
    EXPECT_FALSE(panel->ZmienOpis());
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::ZaznaczJedna}}));
    komunikaty.clear();

    panel->Zaznacz({idy[1]});
    ASSERT_TRUE(Wykonaj([&] { return panel->ZmienOpis(); }));
    EXPECT_EQ(zaproponowany, (OpisAnalizy{QStringLiteral("7b"), QDate(2026, 3, 3)}));
    EXPECT_TRUE(komunikaty.isEmpty());
    auto lista = ZPliku();
    const auto zmieniony =
        std::find_if(lista.begin(), lista.end(), [&](const auto& w) { return w.Id == idy[1]; });
    ASSERT_NE(zmieniony, lista.end());
    EXPECT_EQ(zmieniony->Klasa, QStringLiteral("8c"));
    EXPECT_EQ(zmieniony->DataNapisania, QDate(2025, 11, 5));
    // the list shows it (now the oldest class of its test) and it stays chosen
    EXPECT_EQ(Test(0)->child(0)->text(0), QStringLiteral("8c"));
    EXPECT_EQ(panel->Zaznaczone(), std::vector<qint64>{idy[1]});

    // deleting asks first, naming each class with its test and date, "Nie" chosen at first:
    // "Nie" deletes nothing, "Tak" deletes the chosen
    panel->Zaznacz({idy[1], idy[2]});
    odpowiedz = WynikNie;
    EXPECT_FALSE(panel->UsunZArchiwum());
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty[0].rodzaj, KomunikatPytanieNie);
    const QStringList linie = komunikaty[0].tekst.split(QLatin1Char('\r'));
    ASSERT_EQ(linie.size(), 4) << komunikaty[0].tekst.toStdString();
    EXPECT_EQ(linie[1], QStringLiteral("8c, test „Ułamki”, napisany %1")
                            .arg(TekstDatyKrotkiej(QDate(2025, 11, 5))));
    EXPECT_TRUE(linie[2].startsWith(QStringLiteral("8a, test „Potęgi”, napisany ")));
    EXPECT_EQ(ZPliku().size(), 4u);
    odpowiedz = WynikTak;
    ASSERT_TRUE(Wykonaj([&] { return panel->UsunZArchiwum(); }));
    lista = ZPliku();
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(lista[0].Id, idy[0]);
    EXPECT_EQ(lista[1].Id, idy[3]);
    EXPECT_EQ(panel->Wpisy().size(), 2u);
    EXPECT_TRUE(panel->Zaznaczone().empty());

    // the Delete key in the list asks the same question
    komunikaty.clear();
    odpowiedz = WynikNie;
    panel->Zaznacz({idy[0]});
    panel->Drzewo->setFocus();
    QTest::keyClick(panel->Drzewo, Qt::Key_Delete);
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatPytanieNie,
                                 TekstyArchiwum::PytanieUsunJedna.arg(
                                     QStringLiteral("7a, test „Ułamki”, napisany %1")
                                         .arg(TekstDatyKrotkiej(lista[0].DataNapisania)))}}));
}

TEST_F(TFArchiwumTest, EksportIImportPlikuJson) {
    Dodaj(CzteryKlasy());
    Pokaz();
    const QString json = folder.filePath(QStringLiteral("Dokumenty/kopia.json"));
    QStringList foldery;
    panel->wybory.PlikEksportu = [&](const QString& f) {
        foldery << f;
        return json;
    };
    ASSERT_TRUE(Wykonaj([&] { return panel->Eksportuj(); }));
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(foldery, QStringList{program.srodowisko.foldery.FolderDokumentow});
    Archiwum a;
    ASSERT_TRUE(a.Otworz(PlikArchiwum()));
    QFile f(json);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), a.Eksport().value_or(QByteArray()));
    a.Zamknij();

    // into an empty archive: the data folder's archive is now another file
    program.srodowisko.foldery.FolderDanych = folder.filePath(QStringLiteral("dane2"));
    QDir().mkpath(program.srodowisko.foldery.FolderDanych);
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    EXPECT_EQ(panel->Wpisy().size(), 0u);
    panel->wybory.PlikImportu = [&](const QString& f) {
        foldery << f;
        return json;
    };
    ASSERT_TRUE(Wykonaj([&] { return panel->Importuj(); }));
    EXPECT_EQ(foldery.last(), QFileInfo(json).absolutePath()); // the dialog starts where it was
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja, "Zaimportowano analiz: 4."}}));
    EXPECT_EQ(panel->Wpisy().size(), 4u);
    komunikaty.clear();
    ASSERT_TRUE(Wykonaj([&] { return panel->Importuj(); }));
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja,
                                 "Zaimportowano analiz: 0.\rAnaliz już obecnych w archiwum, "
                                 "pominiętych: 4."}}));

    // failures are the archive's own messages, and nothing changes
    struct Przypadek {
        const char* opis;
        std::function<bool()> polecenie;
    };
    QFile zly(folder.filePath(QStringLiteral("zly.json")));
    ASSERT_TRUE(zly.open(QIODevice::WriteOnly));
    zly.write("{\"to nie\": \"archiwum\"}");
    zly.close();
    const Przypadek przypadki[] = {
        {"import of a file that is not an export",
         [&] {
             panel->wybory.PlikImportu = [&](const QString&) { return zly.fileName(); };
             return panel->Importuj();
         }},
        {"import of a missing file",
         [&] {
             panel->wybory.PlikImportu = [&](const QString&) {
                 return folder.filePath(QStringLiteral("brak.json"));
             };
             return panel->Importuj();
         }},
        {"export into a missing folder",
         [&] {
             panel->wybory.PlikEksportu = [&](const QString&) {
                 return folder.filePath(QStringLiteral("brak/kopia.json"));
             };
             return panel->Eksportuj();
         }},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.opis);
        komunikaty.clear();
        ASSERT_TRUE(Wykonaj(p.polecenie));
        ASSERT_EQ(komunikaty.size(), 1);
        EXPECT_EQ(komunikaty[0].rodzaj, KomunikatInformacja);
        EXPECT_FALSE(komunikaty[0].tekst.isEmpty());
        EXPECT_EQ(ZPliku().size(), 4u);
    }
    // a cancelled dialog starts nothing
    panel->wybory.PlikImportu = [](const QString&) { return QString(); };
    EXPECT_FALSE(panel->Importuj());
}

TEST_F(TFArchiwumTest, ZapisAnalizyProgramu) {
    // no analysis yet
    EXPECT_FALSE(panel->ZapiszAnalize());
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::BrakAnalizy}}));
    komunikaty.clear();

    const QStringList pliki = testy::ZapiszKlase(folder.filePath(QStringLiteral("klasa 7c")), 5, 4);
    ASSERT_EQ(pliki.size(), 4);
    const QDate zmiana(2026, 2, 14);
    for (const QString& p : pliki) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime(zmiana, QTime(10, 0)), QFileDevice::FileModificationTime);
    }
    program.analiza.PlikiOdpowiedzi = pliki;
    ASSERT_TRUE(UruchomAnalize(program.analiza, program.srodowisko));
    komunikaty.clear();

    QList<OpisAnalizy> pytania;
    std::optional<OpisAnalizy> odpowiedzOpis;
    panel->wybory.Opis = [&](const QString& tytul, const QString&, const OpisAnalizy& p) {
        EXPECT_EQ(tytul, TekstyArchiwum::ZapiszWArchiwum);
        pytania.append(p);
        return odpowiedzOpis;
    };
    // cancelled: nothing saved
    EXPECT_FALSE(panel->ZapiszAnalize());
    // prefilled with the folder's name and the newest modification day of the answer files
    ASSERT_EQ(pytania.size(), 1);
    EXPECT_EQ(pytania[0], (OpisAnalizy{QStringLiteral("klasa 7c"), zmiana}));

    odpowiedzOpis = OpisAnalizy{QStringLiteral("7c"), QDate(2026, 2, 13)};
    ASSERT_TRUE(Wykonaj([&] {
        okno->ZapiszAnalize(); // the main window's entry
        return panel->Zajety();
    }));
    EXPECT_TRUE(komunikaty.isEmpty());
    auto lista = ZPliku();
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].Klasa, QStringLiteral("7c"));
    EXPECT_EQ(lista[0].DataNapisania, QDate(2026, 2, 13));
    EXPECT_EQ(lista[0].IloscUczniow, 4);
    EXPECT_EQ(lista[0].ProcentKlasy, program.analiza.Test.ProcentKlasy);

    // the same class again adds nothing and says so
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja, KomunikatJuzWArchiwum()}}));
    EXPECT_EQ(ZPliku().size(), 1u);
}

TEST_F(TFArchiwumTest, UszkodzonyPlikNieJestRuszany) {
    QFile f(PlikArchiwum());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const QByteArray smieci(8192, 'x');
    f.write(smieci);
    f.close();
    Pokaz();
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].tekst.contains(PlikArchiwum())) << komunikaty[0].tekst.toStdString();
    EXPECT_EQ(panel->LStan->text(), komunikaty[0].tekst);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), smieci);
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 0);
}

// A TCP port that takes connections into its backlog and never answers: a server that does not
// respond.
class GluchyPort {
public:
    GluchyPort() {
        gniazdo = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t dl = sizeof a;
        if (gniazdo >= 0 && ::bind(gniazdo, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::listen(gniazdo, 8) == 0 &&
            ::getsockname(gniazdo, reinterpret_cast<sockaddr*>(&a), &dl) == 0)
            port = ntohs(a.sin_port);
    }
    ~GluchyPort() {
        if (gniazdo >= 0) ::close(gniazdo);
    }
    int port = 0;

private:
    int gniazdo = -1;
};

TEST_F(TFArchiwumTest, OknoZyjePodczasLaczeniaZGluchymSerwerem) {
    GluchyPort gluchy;
    ASSERT_GT(gluchy.port, 0);
    Dodaj(CzteryKlasy()); // the list of this computer's archive on screen first
    Pokaz();
    ASSERT_EQ(panel->Drzewo->topLevelItemCount(), 3);
    program.ustawienia.arch =
        QStringLiteral("postgresql://nauczyciel@127.0.0.1:%1/archiwum?connect_timeout=3")
            .arg(gluchy.port);
    okno->show();
    int tykniecia = 0;
    QTimer zegar;
    QObject::connect(&zegar, &QTimer::timeout, [&] { ++tykniecia; });
    zegar.start(20);

    QSignalSpy koniec(panel, &PanelArchiwum::wykonano);
    QElapsedTimer czas;
    czas.start();
    ASSERT_TRUE(panel->Odswiez());
    // the window says it is connecting, shows no other archive's list meanwhile and refuses a
    // second command
    EXPECT_TRUE(panel->Zajety());
    EXPECT_EQ(panel->LStan->text(), TekstyArchiwum::Laczenie);
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 0);
    EXPECT_TRUE(panel->Wpisy().empty());
    EXPECT_FALSE(okno->LPorownaj->isEnabled());
    EXPECT_FALSE(panel->Odswiez());
    panel->wybory.Uczen = [](const QString&, const QString&) {
        return std::optional<QString>(QStringLiteral("Ktoś"));
    };
    EXPECT_FALSE(panel->HistoriaUcznia());

    // the main window's entry is told that the archive is busy
    okno->ZapiszAnalize();
    EXPECT_EQ(wiadomosci(), (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::Zajete}}));
    komunikaty.clear();

    ASSERT_TRUE(koniec.wait(20000));
    const qint64 ms = czas.elapsed();
    EXPECT_GE(ms, 1500);
    // the event loop kept turning all along (a timer of 20 ms: at least half of its ticks)
    EXPECT_GE(tykniecia, ms / 40) << "ms " << ms;
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].tekst.contains(QStringLiteral("127.0.0.1")))
        << komunikaty[0].tekst.toStdString();
    EXPECT_FALSE(panel->Zajety());
    EXPECT_TRUE(okno->LPorownaj->isEnabled());
    EXPECT_EQ(panel->LStan->text(), komunikaty[0].tekst); // no longer "connecting"
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 0);
}

TEST_F(TFArchiwumTest, KlawiaturaIZamykanie) {
    Pokaz();
    // every menu entry is reached from the keyboard and named for screen readers
    for (Etykieta* l : {okno->LPorownaj, okno->LHistoria, okno->LZmienOpis, okno->LUsun,
                        okno->LEksportuj, okno->LImportuj, okno->LZamknij}) {
        EXPECT_NE(l->focusPolicy(), Qt::NoFocus) << l->text().toStdString();
        EXPECT_FALSE(l->accessibleName().isEmpty());
    }
    EXPECT_EQ(okno->StronaPomocy(), QStringLiteral("archiwum.htm"));
    // Enter on an entry runs it
    okno->LPorownaj->setFocus();
    QTest::keyClick(okno->LPorownaj, Qt::Key_Return);
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::ZaznaczKlasy}}));
    // Esc closes; the window opens again
    QTest::keyClick(panel->Drzewo, Qt::Key_Escape);
    EXPECT_FALSE(okno->isVisible());
    Pokaz();
    EXPECT_TRUE(okno->isVisible());
}

TEST_F(TFArchiwumTest, ArchiwumNaSerwerzeSzkolyZUstawien) {
    testy::BazaTestowa baza;
    POMIN_BEZ_SERWERA(baza);
    // the settings window's record of the tests' server, as the settings keep it
    UstawieniaArchiwum u;
    u.Serwer = true;
    u.Host = testy::GniazdoSerweraTestowego();
    u.Baza = baza.Nazwa();
    u.Uzytkownik = QStringLiteral("sondrel_test");
    program.ustawienia.arch = AdresArchiwum(u, QString());
    Pokaz();
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.value(0).tekst.toStdString();
    EXPECT_EQ(panel->LStan->text(), TekstyArchiwum::Puste);

    program.analiza.PlikiOdpowiedzi =
        testy::ZapiszKlase(folder.filePath(QStringLiteral("7d")), 8, 3);
    ASSERT_TRUE(UruchomAnalize(program.analiza, program.srodowisko));
    komunikaty.clear();
    panel->wybory.Opis = [](const QString&, const QString&, const OpisAnalizy& p) {
        return std::optional<OpisAnalizy>(p);
    };
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.value(0).tekst.toStdString();
    // on the server, listed in the window (shown: its list read again); no file made here
    ASSERT_EQ(panel->Wpisy().size(), 1u);
    EXPECT_EQ(panel->Wpisy()[0].Klasa, QStringLiteral("7d"));
    EXPECT_EQ(baza.Zapytaj(QStringLiteral("SELECT count(*) FROM analizy")).toInt(), 1);
    EXPECT_FALSE(QFileInfo::exists(PlikArchiwum()));
}

// Removing a student: the name asked, the analyses that hold the student's results listed in a
// question ("Nie" first), then the results removed from each (an analysis left with no student
// goes whole) and the list read again.
TEST_F(TFArchiwumTest, UsuniecieUczniaPoPytaniu) {
    Dodaj({KlasaArchiwalna(1, 5, 6, QStringLiteral("Ułamki"), "7a"),
           KlasaArchiwalna(1, 1, 6, QStringLiteral("Potęgi"), "7b")});
    Pokaz();
    ASSERT_EQ(panel->Wpisy().size(), 2u);
    QString imie = QStringLiteral("nazwisko0ŻÓŁĆ  imię1");
    QStringList tytuly;
    panel->wybory.Uczen = [&](const QString& tytul, const QString&) {
        tytuly << tytul;
        return std::optional<QString>(imie);
    };
    odpowiedz = WynikNie;
    ASSERT_TRUE(Wykonaj([&] { return panel->UsunUcznia(); }));
    EXPECT_EQ(tytuly, QStringList{TekstyArchiwum::UsunUcznia});
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty[0].rodzaj, KomunikatPytanieNie);
    EXPECT_TRUE(komunikaty[0].tekst.contains(QStringLiteral("(analiz: 2)")));
    EXPECT_TRUE(komunikaty[0].tekst.contains(QStringLiteral("\r7a, test „Ułamki”, napisany ")));
    EXPECT_TRUE(komunikaty[0].tekst.contains(QStringLiteral("\r7b, test „Potęgi”, napisany ")));
    EXPECT_EQ(ZPliku().size(), 2u); // "Nie": nothing removed

    komunikaty.clear();
    odpowiedz = WynikTak;
    ASSERT_TRUE(Wykonaj([&] { return panel->UsunUcznia(); }));
    ASSERT_EQ(komunikaty.size(), 2);
    EXPECT_EQ(komunikaty[1].tekst, TekstyArchiwum::UsunietoUcznia.arg(imie, QStringLiteral("2")) +
                                       TekstyArchiwum::UsunietoAnalizy.arg(1));
    const auto lista = ZPliku();
    ASSERT_EQ(lista.size(), 1u);
    EXPECT_EQ(lista[0].Klasa, QStringLiteral("7a"));
    EXPECT_EQ(lista[0].IloscUczniow, 4);
    EXPECT_EQ(panel->Wpisy().size(), 1u); // the list read again

    // a name the archive does not hold is said so; nothing is asked
    komunikaty.clear();
    ASSERT_TRUE(Wykonaj([&] { return panel->UsunUcznia(); }));
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::BrakUcznia.arg(imie)}}));
}

// The list is always the list of the archive the settings name: another archive's list and
// choice go before the new one is read (ids of two archives name different classes), and a
// refresh that fails keeps the last list of the same archive with a line saying so; F5 refreshes.
TEST_F(TFArchiwumTest, ListaTylkoTegoArchiwumIOstatniaPoNieudanymOdswiezeniu) {
    const auto idy = Dodaj(CzteryKlasy());
    Pokaz();
    panel->Zaznacz({idy[1]});
    ASSERT_EQ(panel->Zaznaczone(), std::vector<qint64>{idy[1]});

    // another archive file with the same ids: nothing stays chosen in it
    const QString pierwszy = program.srodowisko.foldery.FolderDanych;
    program.srodowisko.foldery.FolderDanych = sciezka(QStringLiteral("dane2"));
    QDir().mkpath(program.srodowisko.foldery.FolderDanych);
    Dodaj({KlasaArchiwalna(7, 3, 6, QStringLiteral("Potęgi"), "1a"),
           KlasaArchiwalna(8, 3, 6, QStringLiteral("Potęgi"), "1b")});
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    EXPECT_EQ(panel->Wpisy().size(), 2u);
    EXPECT_TRUE(panel->Zaznaczone().empty());
    // a command on a choice made before the settings named another archive is refused, and
    // the list of the archive in use is read
    panel->Zaznacz({idy[0]});
    program.srodowisko.foldery.FolderDanych = pierwszy;
    const auto polecenia = {std::function<bool()>([&] { return panel->PorownajKlasy(); }),
                            std::function<bool()>([&] { return panel->ZmienOpis(); }),
                            std::function<bool()>([&] { return panel->UsunZArchiwum(); })};
    for (const auto& polecenie : polecenia) {
        komunikaty.clear();
        QSignalSpy odczyt(panel, &PanelArchiwum::wykonano);
        EXPECT_FALSE(polecenie());
        EXPECT_EQ(wiadomosci(),
                  (QList<Wiadomosc>{{KomunikatInformacja, TekstyArchiwum::InneArchiwum}}));
        ASSERT_TRUE(odczyt.wait(15000));
        EXPECT_EQ(panel->Wpisy().size(), 4u);
        EXPECT_TRUE(panel->Zaznaczone().empty());
        panel->Zaznacz({idy[0]});
        program.srodowisko.foldery.FolderDanych = sciezka(QStringLiteral("dane2"));
        ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
        panel->Zaznacz({idy[0]});
        program.srodowisko.foldery.FolderDanych = pierwszy;
    }
    EXPECT_EQ(ZPliku().size(), 4u);
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    EXPECT_TRUE(panel->Zaznaczone().empty());
    komunikaty.clear();

    // the same archive, no longer readable: the last list stays, the line says why
    panel->Zaznacz({idy[2]});
    {
        QFile f(PlikArchiwum());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(8192, 'x'));
    }
    ASSERT_TRUE(Wykonaj([&] { return panel->Odswiez(); }));
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(panel->Wpisy().size(), 4u);
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 3);
    EXPECT_EQ(panel->Zaznaczone(), std::vector<qint64>{idy[2]});
    EXPECT_TRUE(panel->LStan->text().startsWith(QStringLiteral("Nie udało się odświeżyć listy")))
        << panel->LStan->text().toStdString();
    EXPECT_TRUE(panel->LStan->text().endsWith(komunikaty[0].tekst));

    // F5 reads the list again
    komunikaty.clear();
    QFile::remove(PlikArchiwum());
    QSignalSpy koniec(panel, &PanelArchiwum::wykonano);
    okno->show();
    panel->Drzewo->setFocus();
    QTest::keyClick(panel->Drzewo, Qt::Key_F5);
    ASSERT_TRUE(koniec.wait(15000));
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(panel->Drzewo->topLevelItemCount(), 0);
    EXPECT_EQ(panel->LStan->text(), TekstyArchiwum::Puste);
}

// A port where nothing listens: the connection is refused at once.
int ZamknietyPort() {
    const int g = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t dl = sizeof a;
    int port = 0;
    if (g >= 0 && ::bind(g, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(g, reinterpret_cast<sockaddr*>(&a), &dl) == 0)
        port = ntohs(a.sin_port);
    if (g >= 0) ::close(g);
    return port;
}

// A save the archive refused (its server down) keeps the typed description for the next try
// of the same analysis, and only for it.
TEST_F(TFArchiwumTest, NieudanyZapisZachowujeOpis) {
    const int port = ZamknietyPort();
    ASSERT_GT(port, 0);
    program.ustawienia.arch =
        QStringLiteral("postgresql://nauczyciel@127.0.0.1:%1/archiwum?connect_timeout=2").arg(port);
    program.analiza.PlikiOdpowiedzi =
        testy::ZapiszKlase(folder.filePath(QStringLiteral("klasa 7e")), 5, 3);
    ASSERT_TRUE(UruchomAnalize(program.analiza, program.srodowisko));
    komunikaty.clear();
    QList<OpisAnalizy> zaproponowane;
    panel->wybory.Opis = [&](const QString&, const QString&, const OpisAnalizy& p) {
        zaproponowane.append(p);
        return std::optional<OpisAnalizy>({QStringLiteral("7e gr. 1"), QDate(2026, 1, 9)});
    };
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    ASSERT_EQ(komunikaty.size(), 1); // the server's refusal
    EXPECT_TRUE(komunikaty[0].tekst.contains(QStringLiteral("127.0.0.1")));
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    ASSERT_EQ(zaproponowane.size(), 2);
    EXPECT_EQ(zaproponowane[0].Klasa, QStringLiteral("klasa 7e"));
    EXPECT_EQ(zaproponowane[1], (OpisAnalizy{QStringLiteral("7e gr. 1"), QDate(2026, 1, 9)}));

    // another analysis starts from its own folder's name; saved, nothing is kept any more
    program.ustawienia.arch.clear();
    program.analiza.PlikiOdpowiedzi =
        testy::ZapiszKlase(folder.filePath(QStringLiteral("klasa 7f")), 6, 3);
    ASSERT_TRUE(UruchomAnalize(program.analiza, program.srodowisko));
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    EXPECT_EQ(zaproponowane.last().Klasa, QStringLiteral("klasa 7f"));
    EXPECT_EQ(ZPliku().size(), 1u);
}

// An answer file replaced by a FIFO: the save neither freezes the window nor waits on the
// archive's thread; it is refused, naming the file.
TEST_F(TFArchiwumTest, ZapisZFifoZamiastPlikuOdpowiedzi) {
    const QStringList pliki = testy::ZapiszKlase(folder.filePath(QStringLiteral("7g")), 9, 3);
    program.analiza.PlikiOdpowiedzi = pliki;
    ASSERT_TRUE(UruchomAnalize(program.analiza, program.srodowisko));
    komunikaty.clear();
    const QByteArray fifo = QFile::encodeName(pliki[1]);
    ASSERT_TRUE(QFile::remove(pliki[1]));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    // a reader stuck on the FIFO is let go after 4 s, so that a fault fails the test, not hangs it
    std::atomic<bool> koniec = false;
    std::thread zwolnij([fifo, &koniec] {
        for (int i = 0; i < 40 && !koniec; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int d = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (d >= 0) ::close(d);
    });
    panel->wybory.Opis = [](const QString&, const QString&, const OpisAnalizy& p) {
        return std::optional<OpisAnalizy>(p);
    };
    QElapsedTimer czas;
    czas.start();
    ASSERT_TRUE(Wykonaj([&] { return panel->ZapiszAnalize(); }));
    EXPECT_LT(czas.elapsed(), 2000);
    koniec = true;
    zwolnij.join();
    EXPECT_EQ(wiadomosci(),
              (QList<Wiadomosc>{{KomunikatInformacja, QStringLiteral("Nie udało się odczytać pliku "
                                                                     "odpowiedzi %1.")
                                                          .arg(QFileInfo(pliki[1]).fileName())}}));
    EXPECT_TRUE(ZPliku().empty());
}

// Quitting never waits for a server that does not answer: the window (and with it the archive's
// thread) goes within 2 s while the thread is still connecting.
TEST_F(TFArchiwumTest, ZamkniecieNieCzekaNaGluchySerwer) {
    GluchyPort gluchy;
    ASSERT_GT(gluchy.port, 0);
    program.ustawienia.arch =
        QStringLiteral("postgresql://nauczyciel@127.0.0.1:%1/archiwum?connect_timeout=10")
            .arg(gluchy.port);
    okno->show();
    ASSERT_TRUE(panel->Odswiez());
    QTest::qWait(200); // the thread is inside the connection
    QElapsedTimer czas;
    czas.start();
    okno.reset();
    EXPECT_LT(czas.elapsed(), 2000);
}

// A test's name from an answer file is text in the tooltip, never markup; the status line gives
// screen readers its text; the keyboard comes back to the window after a message it showed.
TEST_F(TFArchiwumTest, PodpowiedzStanIPowrotKlawiatury) {
    const QString nazwa = QStringLiteral("<b>Ułamki</b> & <i>x</i>  2");
    auto ids = Dodaj({KlasaArchiwalna(1, 5, 6, nazwa, "7a")});
    Pokaz();
    QTextDocument podpowiedz;
    podpowiedz.setHtml(Test(0)->toolTip(0));
    EXPECT_TRUE(podpowiedz.toPlainText().startsWith(nazwa + QLatin1Char('\n')))
        << podpowiedz.toPlainText().toStdString();

    QAccessibleInterface* stan = QAccessible::queryAccessibleInterface(panel->LStan);
    ASSERT_TRUE(stan);
    EXPECT_EQ(stan->text(QAccessible::Name), panel->LStan->text());
    EXPECT_FALSE(panel->LStan->text().isEmpty());

    // the message dialog's closing hands the keyboard to another window, as a window manager
    // hands it to the dialog's own main window
    QWidget inne;
    inne.show();
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    program.srodowisko.komunikaty.ustawObsluge([&](int, int, const QString&) {
        inne.activateWindow();
        return WynikNie;
    });
    panel->Zaznacz(ids);
    EXPECT_FALSE(panel->UsunZArchiwum());
    EXPECT_TRUE(QTest::qWaitForWindowActive(okno.get(), 2000));
}

TEST(TFOpisArchiwumTest, PytanieOOpisIUcznia) {
    TFOpisArchiwum okno;
    okno.PrzygotujOpis(QStringLiteral("Zmień opis"), QStringLiteral("Zapisz"),
                       {QStringLiteral("7b"), QDate(2026, 3, 3)});
    okno.show();
    EXPECT_EQ(okno.EKlasa->text(), QStringLiteral("7b"));
    EXPECT_EQ(okno.EData->date(), QDate(2026, 3, 3));
    EXPECT_TRUE(okno.EData->isVisible());
    // the calendar, a window of its own, in the program's font too
    EXPECT_EQ(okno.EData->calendarWidget()->font(), okno.font());
    // an empty label cannot be saved, Enter does nothing then
    okno.EKlasa->setText(QStringLiteral("   "));
    EXPECT_FALSE(okno.BPrzyjmij->isEnabled());
    QTest::keyClick(okno.EKlasa, Qt::Key_Return);
    EXPECT_TRUE(okno.isVisible());
    EXPECT_FALSE(okno.Przyjeto());
    // Enter saves the trimmed label and the date
    okno.EKlasa->setText(QStringLiteral(" 7b gr. 2 "));
    okno.EData->setDate(QDate(2026, 3, 4));
    QTest::keyClick(okno.EKlasa, Qt::Key_Return);
    EXPECT_FALSE(okno.isVisible());
    EXPECT_TRUE(okno.Przyjeto());
    EXPECT_EQ(okno.Opis(), (OpisAnalizy{QStringLiteral("7b gr. 2"), QDate(2026, 3, 4)}));

    // the student's name: no date, Esc cancels, Enter on "Anuluj" cancels
    okno.PrzygotujUcznia();
    okno.show();
    EXPECT_FALSE(okno.EData->isVisible());
    EXPECT_TRUE(okno.EKlasa->text().isEmpty());
    okno.EKlasa->setText(QStringLiteral("Kowalska  Anna"));
    QTest::keyClick(okno.EKlasa, Qt::Key_Escape);
    EXPECT_FALSE(okno.isVisible());
    EXPECT_FALSE(okno.Przyjeto());
    okno.PrzygotujUcznia();
    okno.show();
    okno.EKlasa->setText(QStringLiteral("Kowalska  Anna"));
    okno.BAnuluj->setFocus();
    QTest::keyClick(okno.BAnuluj, Qt::Key_Return);
    EXPECT_FALSE(okno.Przyjeto());
    okno.PrzygotujUcznia();
    okno.show();
    okno.EKlasa->setText(QStringLiteral(" Kowalska  Anna "));
    okno.BPrzyjmij->click();
    EXPECT_TRUE(okno.Przyjeto());
    EXPECT_EQ(okno.Uczen(), QStringLiteral("Kowalska Anna"));
}

} // namespace
} // namespace sondrel
