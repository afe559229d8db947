// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the program's windows for looking at them after a change (under a real X server,
// e.g. Xvfb; see zrzuty_okien.sh): the main window's menus and analysis panel, the three
// tables of a small and a long class, the report window with three reports (and the test
// report as PDF), the three popups, the settings window, and the archive window with the
// question that saves an analysis in it.
//
//     zrzuty_okien FOLDER
#include "archive/archiwum.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "support/klasa_testowa.h"
#include "support/pliki_testowe.h"
#include "support/ui/program_testowy.h"
#include "ui/okna/panel_archiwum.h"
#include "ui/okna/tf_archiwum.h"
#include "ui/okna/tf_browser.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_ini_sondrel.h"
#include "ui/okna/tf_opis_archiwum.h"
#include "ui/okna/tf_pop_menu.h"
#include "ui/okna/tf_pop_osoba.h"
#include "ui/okna/tf_pop_pyt.h"
#include "ui/okna/tf_tabela.h"
#include "ui/program.h"
#include "ui/zasady_okien.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <memory>

using namespace sondrel;

namespace {

// The program with its folders in a temporary folder, messages written to standard error.
struct ProgramZrzutow : testy::ProgramWFolderze {
    ProgramZrzutow() { program.srodowisko.komunikaty.ustawObsluge(KomunikatNaStderr); }
};

class Zrzuty {
public:
    explicit Zrzuty(const QString& cel) : cel(cel) {}
    // The window alone.
    void Okno(QWidget* okno, const QString& nazwa, int czekaj = 300) {
        QTest::qWait(czekaj);
        Zapisz(okno->grab(), nazwa);
    }
    // The whole screen.
    void Ekran(const QString& nazwa, int czekaj = 400) {
        QTest::qWait(czekaj);
        Zapisz(QGuiApplication::primaryScreen()->grabWindow(0), nazwa);
    }
    QString Sciezka(const QString& nazwa) const { return QDir(cel).filePath(nazwa); }
    bool blad = false;

private:
    void Zapisz(const QPixmap& obraz, const QString& nazwa) {
        if (obraz.save(Sciezka(nazwa))) return;
        std::fprintf(stderr, "zrzuty_okien: cannot write %s\n", qPrintable(Sciezka(nazwa)));
        blad = true;
    }
    QString cel;
};

void GlowneOkno(Zrzuty& z) {
    ProgramZrzutow p;
    const QStringList pliki = {p.folder.filePath("a.sko"), p.folder.filePath("b.sko")};
    for (const QString& plik : pliki)
        testy::ZapiszPlikOdpowiedzi(plik, {.nazwisko = QFileInfo(plik).baseName()});
    TFGlowny o(p.program);
    p.program.Zasady().Podlacz(&o);
    o.show();
    QCoreApplication::processEvents();
    o.LTest_0->klik();
    o.LAnalizaZPliku->setFocus(Qt::TabFocusReason);
    z.Okno(&o, QStringLiteral("menu_testow.png"));
    o.LPomoc_0->klik();
    o.LUstawienia->setFocus(Qt::TabFocusReason);
    z.Okno(&o, QStringLiteral("menu_pomocy.png"));
    o.AnalizujPliki(pliki);
    QCoreApplication::processEvents();
    o.LTabelaCzas->setFocus(Qt::TabFocusReason);
    z.Okno(&o, QStringLiteral("panel_analizy.png"));
}

// A class of `ile` of 25 students (18 questions), with a spread of results and times.
void KlasaTabel(Analiza& a, int ile) {
    const char* const uczniowie[][2] = {{"Adamska", "Alicja"},
                                        {"Bąk", "Bartosz"},
                                        {"Cichy", "Cezary"},
                                        {"Dudek", "Dorota"},
                                        {"Ełk", "Ewa"},
                                        {"Fijałkowski", "Filip"},
                                        {"Górska", "Gabriela"},
                                        {"Hołownia", "Henryk"},
                                        {"Iwańska", "Izabela"},
                                        {"Jasiński", "Jakub"},
                                        {"Kowalczyk", "Karolina"},
                                        {"Lis", "Łukasz"},
                                        {"Mazur", "Monika"},
                                        {"Nowak", "Norbert"},
                                        {"Olszewska", "Oliwia"},
                                        {"Pawlak", "Piotr"},
                                        {"Rutkowska", "Róża"},
                                        {"Sikora", "Szymon"},
                                        {"Tomaszewska", "Teresa"},
                                        {"Urban", "Urszula"},
                                        {"Wróbel", "Wiktor"},
                                        {"Zając", "Zofia"},
                                        {"Żak", "Żaneta"},
                                        {"Żuraw", "Zenon"},
                                        {"Żyła", "Zuzanna"}};
    testy::Klasa(a, QStringLiteral("Ułamki zwykłe"), 18);
    int i = 0;
    for (const auto& u : uczniowie) {
        if (++i > ile) break;
        QString wyniki;
        for (int j = 1; j <= 18; ++j)
            wyniki +=
                (i * 7 + j * 3) % 5 == 0 || (i + j) % 7 == 0 ? QLatin1Char('0') : QLatin1Char('1');
        if (i % 6 == 0) wyniki = QStringLiteral("110100101001011001");
        if (i == 4) wyniki = QStringLiteral("111111111111111111");
        testy::Uczen(a, QString::fromUtf8(u[0]), QString::fromUtf8(u[1]), wyniki,
                     QTime(9, 0).addSecs(i * 37), QTime(9, 31).addSecs(i * 53),
                     QTime(9, 32).addSecs(i * 59));
    }
    testy::Podsumuj(a);
}

void Tabele(Zrzuty& z) {
    ProgramZrzutow p;
    TFTabela okno(p.program);
    const auto zrzut = [&](const QString& nazwa) {
        okno.move(40, 30);
        z.Ekran(nazwa);
    };
    KlasaTabel(p.program.analiza, 9);
    okno.PokazTabele(RodzajTabeli::Wynikow);
    QTest::mouseMove(okno.LKopiujTxt, QPoint(20, 6));
    zrzut(QStringLiteral("tabela_wynikow.png"));
    okno.activateWindow();
    okno.LZapiszTxt->setFocus(Qt::TabFocusReason); // the keyboard's focus mark
    okno.LKopiujTxt->Podswietl(true);              // and the highlight
    zrzut(QStringLiteral("tabela_klawiatura.png"));
    QTest::mouseClick(okno.ImTabelaWPrawo, Qt::LeftButton);
    zrzut(QStringLiteral("tabela_wynikow_2.png"));
    okno.PokazTabele(RodzajTabeli::Czasu);
    zrzut(QStringLiteral("tabela_czasu.png"));
    okno.PokazTabele(RodzajTabeli::Ocen);
    zrzut(QStringLiteral("tabela_ocen.png"));
    KlasaTabel(p.program.analiza, 25); // a long class: the scroll bar
    okno.PokazTabele(RodzajTabeli::Wynikow);
    okno.ListwaV->setValue(5);
    zrzut(QStringLiteral("tabela_wynikow_dluga.png"));
    okno.hide();
}

bool RaportyIPopupy(Zrzuty& z) {
    constexpr int Czekaj = 30000; // the engine's first start may take long
    ProgramZrzutow p;
    Analiza& a = p.program.analiza;
    testy::KlasaProbna(a, p.folder.path());
    auto tabela = std::make_unique<TFTabela>(p.program);
    auto okno = std::make_unique<TFBrowser>(p.program);
    p.program.Zasady().Podlacz(tabela.get());
    p.program.Zasady().Podlacz(okno.get());
    const UstawieniaRaportu u = p.program.UstawieniaRaportow();
    for (const auto& [nazwa, raport] :
         {std::pair{"raport_ucznia.png", RaportOUczniu(a, u, p.program.srodowisko, 3)},
          std::pair{"raport_pytania.png", RaportOPytaniu(a, u, p.program.srodowisko, 1)},
          std::pair{"raport_testu.png", RaportOTescie(a, u, p.program.srodowisko)}}) {
        QSignalSpy zaladowano(okno.get(), &TFBrowser::zaladowano);
        okno->WyswietlRaport(raport.sciezka);
        if (!zaladowano.wait(Czekaj)) {
            std::fprintf(stderr, "zrzuty_okien: the report %s did not load\n", nazwa);
            return false;
        }
        z.Ekran(QLatin1String(nazwa), 1500);
    }
    // the last report, the test report, as PDF too
    QSignalSpy zapisano(okno.get(), &TFBrowser::zapisano);
    okno->ZapiszRaportJako(z.Sciezka(QStringLiteral("raport_testu.pdf")));
    if (zapisano.isEmpty()) zapisano.wait(Czekaj);
    okno->Zamknij();
    tabela->move(60, 40);
    TFPopMenu pytanie(p.program);
    TFPopOsoba osoba(p.program);
    TFPopPyt odpowiedz(p.program);
    pytanie.UstawOknoOdniesienia(tabela.get());
    pytanie.WypelnijPytanie(2);
    pytanie.show();
    osoba.WypelnijUcznia(3);
    osoba.move(620, 60);
    osoba.show();
    odpowiedz.WypelnijOdpowiedzUcznia(2, 3);
    odpowiedz.move(620, 330);
    odpowiedz.show();
    z.Ekran(QStringLiteral("popupy.png"), 1500);
    return true;
}

void OknoUstawien(Zrzuty& z) {
    ProgramZrzutow p;
    p.program.ustawienia.fn = true;
    p.program.ustawienia.calltab = true;
    p.program.ustawienia.sct =
        QStringLiteral("/home/nauczyciel/Dokumenty/Zadrix/Listy/klasa3b.skg");
    TFIniSondrel okno(p.program);
    okno.Przygotuj(QPoint(-122, -8));
    okno.show();
    QTest::mouseMove(okno.CCopyAll, QPoint(3, 3));
    z.Ekran(QStringLiteral("ustawienia.png"));
    okno.hide();
}

// The archive window over four classes of two tests, two classes chosen; then the question
// that saves an analysis.
void OknoArchiwum(Zrzuty& z) {
    ProgramZrzutow p;
    Foldery& f = p.program.srodowisko.foldery;
    f.FolderDanych = p.folder.filePath(QStringLiteral("dane"));
    QDir().mkpath(f.FolderDanych);
    std::vector<qint64> idy;
    {
        Archiwum a;
        if (!a.Otworz(Archiwum::DomyslnaSciezka(f))) {
            std::fprintf(stderr, "zrzuty_okien: %s\n", qPrintable(a.Blad()));
            z.blad = true;
            return;
        }
        for (AnalizaArchiwalna x :
             {testy::KlasaArchiwalna(1, 5, 6, QStringLiteral("Ułamki"), "7a"),
              testy::KlasaArchiwalna(2, 4, 6, QStringLiteral("Ułamki"), "7b"),
              testy::KlasaArchiwalna(3, 6, 8, QStringLiteral("Potęgi"), "8a"),
              testy::KlasaArchiwalna(4, 3, 6, QStringLiteral("Ułamki"), "6a")})
            if (const auto w = a.Dodaj(x)) idy.push_back(w->Id);
    }
    TFArchiwum okno(p.program);
    p.program.Zasady().Podlacz(&okno);
    QSignalSpy koniec(okno.Panel, &PanelArchiwum::wykonano);
    okno.Pokaz();
    koniec.wait(15000);
    okno.move(20, 20);
    if (idy.size() >= 2) okno.Panel->Zaznacz({idy[0], idy[1]});
    z.Ekran(QStringLiteral("archiwum.png"));
    TFOpisArchiwum pytanie;
    pytanie.PrzygotujOpis(TekstyArchiwum::ZapiszWArchiwum, QStringLiteral("Zapisz"),
                          {QStringLiteral("7b"), QDate(2026, 3, 3)});
    pytanie.move(220, 160);
    pytanie.show();
    z.Ekran(QStringLiteral("archiwum_zapis.png"));
    pytanie.hide();
    okno.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zrzuty_okien FOLDER\n");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QString cel = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(cel)) {
        std::fprintf(stderr, "zrzuty_okien: cannot make %s\n", argv[1]);
        return 1;
    }
    Zrzuty z(cel);
    GlowneOkno(z);
    Tabele(z);
    const bool raporty = RaportyIPopupy(z);
    OknoUstawien(z);
    OknoArchiwum(z);
    return raporty && !z.blad ? 0 : 1;
}
