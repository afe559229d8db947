// SPDX-License-Identifier: GPL-3.0-or-later
// What a teacher waits for after a click, as the teacher sees it: the real program's windows
// driven by input events (a click on a menu entry, a right-click on the results table and a
// click in its popup, a click and Enter in the archive window), from the event to the new page
// on the screen, for the class of 400 students and 60 questions and an archive of 2,000
// analyses.
//
// "On the screen" is taken as the report window's frame that carries the page: the engine
// reported the page loaded (its load finished), the engine rendered its frame of the page (the
// last frame it rendered once the load finished; it is waited for a while, so that a frame that
// comes after the load is not missed), the white cover the window keeps over a loading page has
// gone, and the report window was then composed and flushed to the window system (the window's
// next paint after all of that). For the chart it is the chart
// window's first paint flushed after the click.
//
// The first report of a run can happen once per run: it is measured in fresh runs of this
// program (each a child process), the click coming 2 s after the analysis opened. One line per
// case: "<case>: median <N> ms (min <N>, max <N>)", then the parts of the time measured on their
// own with the same functions: building the lines, writing the files to Temp, drawing the chart
// picture, the engine's load and paint of the saved page.
//
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/bench_klikniecie [repeats]
#include "analysis/przebieg_analizy.h"
#include "archive/archiwum.h"
#include "archive/porownanie.h"
#include "archive/raport_historii.h"
#include "archive/raport_porownania.h"
#include "archiwum_pomiarowe.h"
#include "core/foldery.h"
#include "klasa_pomiarowa.h"
#include "reports/raport_o_pytaniu.h"
#include "reports/raport_o_tescie.h"
#include "reports/raport_o_uczniu.h"
#include "reports/raport_statystyka.h"
#include "ui/kontrolki/siatka_tabeli.h"
#include "ui/modul_silnika.h"
#include "ui/okna/panel_archiwum.h"
#include "ui/okna/tf_archiwum.h"
#include "ui/okna/tf_browser.h"
#include "ui/okna/tf_glowny.h"
#include "ui/okna/tf_opis_archiwum.h"
#include "ui/okna/tf_pop_menu.h"
#include "ui/okna/tf_pop_osoba.h"
#include "ui/okna/tf_tabela.h"
#include "ui/okna/tf_wykres.h"
#include "ui/program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using namespace sondrel;
using namespace sondrel::pomiary;

namespace {

QElapsedTimer zegar; // one clock for the whole run

double Teraz() {
    return static_cast<double>(zegar.nsecsElapsed()) / 1e6;
}

// Processes events until `gotowe` holds (false after `ms`).
bool CzekajNa(const std::function<bool()>& gotowe, int ms = 60000) {
    QElapsedTimer czas;
    czas.start();
    while (!gotowe()) {
        if (czas.elapsed() > ms) return false;
        QEventLoop petla;
        QTimer::singleShot(2, &petla, &QEventLoop::quit);
        petla.exec();
    }
    return true;
}

void Czekaj(int ms) {
    CzekajNa([] { return false; }, ms);
}

// The moments a top-level window's frames were flushed to the window system: its expose and
// update requests are handled here, so that the time is taken once the paint and the flush are
// done.
class Klatki : public QObject {
public:
    explicit Klatki(QWidget* okno) {
        okno->winId();
        w = okno->windowHandle();
        w->installEventFilter(this);
    }
    std::vector<double> czasy;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o != w || wewnatrz ||
            (e->type() != QEvent::UpdateRequest && e->type() != QEvent::Expose))
            return false;
        wewnatrz = true;
        static_cast<QObject*>(w)->event(e);
        wewnatrz = false;
        if (w->isExposed()) czasy.push_back(Teraz());
        return true;
    }

private:
    QWindow* w;
    bool wewnatrz = false;
};

std::vector<double> Po(const std::vector<double>& czasy, double od) {
    std::vector<double> wynik;
    for (double t : czasy)
        if (t > od) wynik.push_back(t);
    return wynik;
}

// The report window's page on the screen after a click: the engine's load finished, the
// engine's last frame of the page (frames are waited for a while after the load), and the
// window's flush after that frame.
class PomiarRaportu {
public:
    explicit PomiarRaportu(TFBrowser& okno) : okno(okno), ekran(&okno) {
        QObject::connect(&okno, &TFBrowser::zaladowano, &okno, [this](bool ok) {
            if (zaladowano < 0) {
                zaladowano = Teraz();
                udany = ok;
            }
        });
        QObject::connect(&okno, &TFBrowser::klatkaStrony, &okno,
                         [this] { silnik.push_back(Teraz()); });
        // the white cover over the page while a new report loads: the page shows once it goes
        if (QWidget* z = okno.findChild<QWidget*>(QStringLiteral("zaslona")))
            z->installEventFilter(&odsloniecia);
    }
    // Arms the measure for a click at `moment`.
    void Uzbroj(double moment) {
        klik = moment;
        zaladowano = -1;
        udany = false;
    }
    // The time from the click to the page on the screen; -1 when it never loaded.
    double Zakoncz() {
        if (!CzekajNa([this] { return zaladowano >= 0; }) || !udany) return -1;
        Czekaj(150); // a frame the engine renders after the load
        const std::vector<double> ramki = Po(silnik, klik), flush = Po(ekran.czasy, klik);
        ramkiPoZaladowaniu += Po(ramki, zaladowano).size();
        // the page is on the screen with the first flush after its last frame and after the
        // cover went
        double od = zaladowano;
        if (!ramki.empty()) od = std::max(od, ramki.back());
        const std::vector<double> odsloniete = Po(odsloniecia.czasy, klik);
        if (!odsloniete.empty()) od = std::max(od, odsloniete.back());
        for (double t : flush)
            if (t >= od) return t - klik;
        return od - klik;
    }
    double Zaladowano() const { return zaladowano - klik; }
    std::size_t ramkiPoZaladowaniu = 0; // frames the engine rendered after a load finished

private:
    struct Odsloniecia : QObject {
        std::vector<double> czasy;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide) czasy.push_back(Teraz());
            return false;
        }
    } odsloniecia;
    TFBrowser& okno;
    Klatki ekran;
    std::vector<double> silnik;
    double klik = 0, zaladowano = -1;
    bool udany = false;
};

struct Wyniki {
    std::vector<std::pair<QString, std::vector<double>>> przypadki;
    std::vector<double>& operator[](const QString& nazwa) {
        for (auto& p : przypadki)
            if (p.first == nazwa) return p.second;
        przypadki.emplace_back(nazwa, std::vector<double>());
        return przypadki.back().second;
    }
};

void Drukuj(const QString& nazwa, std::vector<double> czasy) {
    czasy.erase(std::remove(czasy.begin(), czasy.end(), -1.0), czasy.end());
    if (czasy.empty()) {
        std::printf("%s: nie zmierzono\n", qPrintable(nazwa));
        return;
    }
    std::sort(czasy.begin(), czasy.end());
    const std::size_t n = czasy.size();
    const double mediana = n % 2 ? czasy[n / 2] : (czasy[n / 2 - 1] + czasy[n / 2]) / 2;
    std::printf("%s: median %.0f ms (min %.0f, max %.0f)\n", qPrintable(nazwa), mediana,
                czasy.front(), czasy.back());
    std::fflush(stdout);
}

// A left click on an entry, as the mouse gives it: the clock starts at the press.
double Kliknij(QWidget* w, Qt::MouseButton przycisk = Qt::LeftButton, QPoint gdzie = QPoint()) {
    if (gdzie.isNull()) gdzie = w->rect().center();
    QTest::mouseMove(w, gdzie);
    const double t = Teraz();
    QTest::mouseClick(w, przycisk, Qt::NoModifier, gdzie);
    return t;
}

// The program as the teacher runs it, with the class of 400 analysed and a 2,000-analysis
// archive in its data folder.
struct Stanowisko {
    Program program;
    std::unique_ptr<PomiarRaportu> pomiar;
    double otwarto = 0; // the analysis opened

    Stanowisko() : program(Klasa().pliki) {
        program.plikTestu = Klasa().test;
        program.UtworzOkna();
        program.srodowisko.komunikaty.ustawObsluge([](int, int, const QString& t) {
            std::fprintf(stderr, "komunikat: %s\n", qPrintable(t));
            return WynikZamknij;
        });
        TFGlowny& g = *program.FGlowny();
        QObject::connect(&g, &TFGlowny::analizaPokazana, &g, [this] { otwarto = Teraz(); });
        g.show();
        if (!CzekajNa([this] { return otwarto > 0; }))
            qFatal("the analysis of the class did not open");
        pomiar = std::make_unique<PomiarRaportu>(*program.FBrowser());
    }

    double Raport(const std::function<double()>& klik) {
        const double t = klik();
        pomiar->Uzbroj(t);
        return pomiar->Zakoncz();
    }
    TFGlowny& G() { return *program.FGlowny(); }
    // A report of the main window's report menu.
    double RaportZMenu(Etykieta* pozycja) {
        if (!G().PMenuRaporty->isVisible()) Kliknij(G().LTabeleRaporty);
        if (!G().PMenuRaporty->isVisible()) Kliknij(G().LDiagramyRaporty);
        Czekaj(100);
        return Raport([&] { return Kliknij(pozycja); });
    }
    // A popup's report: a right-click on the results table at `komorka` opens the popup; its
    // report link is clicked once the popup has been on the screen for a moment.
    double RaportZPopupu(QPoint komorka, Okno* popup, Etykieta* link) {
        if (!program.FTabela()->isVisible()) {
            if (!G().PMenuTabele->isVisible()) Kliknij(G().LRaportyTabele);
            Kliknij(G().LTabelaWynikow);
            CzekajNa([&] { return program.FTabela()->isVisible(); });
            Czekaj(200);
        }
        double klik = -1;
        QTimer kliknij;
        QElapsedTimer widoczny;
        kliknij.setInterval(5);
        QObject::connect(&kliknij, &QTimer::timeout, [&] {
            if (!popup->isVisible()) return;
            if (!widoczny.isValid()) widoczny.start();
            if (widoczny.elapsed() < 300) return;
            kliknij.stop();
            klik = Teraz();
            pomiar->Uzbroj(klik);
            QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, link->rect().center());
        });
        kliknij.start();
        // the popup is modal: its own loop runs inside this call
        Kliknij(program.FTabela()->GridTabela, Qt::RightButton, komorka);
        if (!CzekajNa([&] { return klik >= 0; })) return -1;
        return pomiar->Zakoncz();
    }
    // The chart window's first paint after a click on the chart menu's entry.
    double Wykres(Etykieta* pozycja) {
        TFWykres& w = *program.FWykres();
        if (w.isVisible()) {
            if (!G().PMenuTabele->isVisible()) Kliknij(G().LDiagramyTabele);
            Kliknij(G().LTabelaWynikow); // the table menu puts the chart away
        }
        if (!G().PMenuDiagramy->isVisible()) {
            if (G().PMenuTabele->isVisible())
                Kliknij(G().LTabeleDiagramy);
            else
                Kliknij(G().LRaportyDiagramy);
        }
        Czekaj(200);
        Klatki ekran(&w);
        const double klik = Kliknij(pozycja);
        if (!CzekajNa([&] { return !Po(ekran.czasy, klik).empty(); })) return -1;
        return Po(ekran.czasy, klik).front() - klik;
    }
};

// The parts of a report's time, measured on their own with the functions the click runs.
struct Czesci {
    std::vector<double> budowa, zapis, obraz, silnik;
};

template <class F> double Zmierz(F&& f) {
    const double t = Teraz();
    f();
    return Teraz() - t;
}

// The engine's part: the saved page shown in the open report window, loaded and painted.
double Silnik(Stanowisko& s, const QString& sciezka) {
    return s.Raport([&] {
        const double t = Teraz();
        s.program.FBrowser()->WyswietlRaport(sciezka);
        return t;
    });
}

// One run that measures the first report alone (a child process of the main run): prints the
// click's time, the engine's start and the rest.
int PierwszyRaport() {
    Stanowisko s;
    Czekaj(2000); // the teacher clicks 2 s after the analysis opened
    std::fprintf(stderr, "first report: the engine %s when the click came\n",
                 s.program.FBrowser()->SilnikUruchomiony() ? "had started" : "had not started");
    const double czas = s.RaportZMenu(s.G().LRaport1);
    std::printf("%.3f\n", czas);
    std::fprintf(stderr, "first report: loaded after %.0f ms, on the screen after %.0f ms\n",
                 s.pomiar->Zaladowano(), czas);
    return czas < 0 ? 1 : 0;
}

// The archive of 2,000 analyses in the program's data folder, made once.
void PrzygotujArchiwum() {
    const QString plik = QDir(FolderDanychProgramu()).filePath(QStringLiteral("Archiwum.sqlite"));
    QDir().mkpath(FolderDanychProgramu());
    Archiwum a;
    if (!a.Otworz(plik)) qFatal("%s", qPrintable(a.Blad()));
    const auto lista = a.Lista();
    for (int i = lista ? static_cast<int>(lista->size()) : 0; i < AnalizArchiwum; ++i) {
        AnalizaArchiwalna k = KlasaArchiwalna(i);
        if (!a.Dodaj(k)) qFatal("%s", qPrintable(a.Blad()));
    }
}

} // namespace

int main(int argc, char** argv) {
    zegar.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zadrix - Sondrel"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QStringList argumenty = QCoreApplication::arguments();
    const bool pierwszy = argumenty.contains(QStringLiteral("--pierwszy"));
    int powtorzen = 7;
    QStringList grupy; // which cases: pierwszy, okna, archiwum, czesci (all when none is named)
    for (const QString& a : argumenty.mid(1)) {
        if (a.toInt() > 0)
            powtorzen = a.toInt();
        else if (!a.startsWith(QLatin1Char('-')))
            grupy << a;
    }
    const auto grupa = [&](const char* nazwa) {
        return grupy.isEmpty() || grupy.contains(QLatin1String(nazwa));
    };

    // the data folder (and the class's files) shared with the child runs
    const QTemporaryDir dane;
    if (!qEnvironmentVariableIsSet("XDG_DATA_HOME"))
        qputenv("XDG_DATA_HOME", dane.path().toLocal8Bit());
    if (!qEnvironmentVariableIsSet("SONDREL_KLASA"))
        qputenv("SONDREL_KLASA", QDir(dane.path()).filePath(QStringLiteral("klasa")).toLocal8Bit());
    if (pierwszy) return PierwszyRaport();

    Klasa(); // the class's files, before any clock runs
    Wyniki wyniki;
    // the first report of a run: fresh runs of this program
    for (int i = 0; grupa("pierwszy") && i < std::max(3, powtorzen / 2); ++i) {
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--pierwszy")});
        run.waitForFinished(300000);
        bool ok = false;
        const double t = run.readAllStandardOutput().trimmed().toDouble(&ok);
        wyniki[QStringLiteral("first report of a run (click 2 s after the analysis opened)")]
            .push_back(ok && run.exitCode() == 0 ? t : -1);
    }
    if (grupa("pierwszy")) Drukuj(wyniki.przypadki.back().first, wyniki.przypadki.back().second);

    PrzygotujArchiwum();
    Stanowisko s;
    TFGlowny& g = s.G();
    s.RaportZMenu(g.LRaport1); // the engine has started: every report below is a later one
    const QList<Etykieta*> menu = {g.LRaport1, g.Lraport2, g.LRaport3, g.LRaport4};
    const QString pozniej = QStringLiteral("later report (report menu)");
    const int okna = grupa("okna") ? powtorzen : 0;
    for (int i = 0; i < okna; ++i)
        wyniki[pozniej].push_back(s.RaportZMenu(menu[i % menu.size()]));
    if (okna) Drukuj(pozniej, wyniki[pozniej]);

    // the results table: the name column is 120 pixels wide, question columns 19, rows 17
    const QString uczen = QStringLiteral("student popup's report");
    const QString pytanie = QStringLiteral("question popup's report");
    for (int i = 0; i < okna; ++i) {
        const int wiersz = 1 + i % 5, kolumna = i % 10;
        wyniki[uczen].push_back(s.RaportZPopupu(QPoint(60, 17 * wiersz + 8), s.program.FPopOsoba(),
                                                s.program.FPopOsoba()->LGenerujRaport));
        wyniki[pytanie].push_back(s.RaportZPopupu(QPoint(121 + 19 * kolumna + 9, 8),
                                                  s.program.FPopMenu(),
                                                  s.program.FPopMenu()->LGenerujRaport));
    }
    if (okna) {
        Drukuj(uczen, wyniki[uczen]);
        Drukuj(pytanie, wyniki[pytanie]);
    }

    const QString wykres = QStringLiteral("chart (chart menu)");
    const QList<Etykieta*> wykresy = {g.LDiagramWynikow, g.LDiagramCzas, g.LDiagramOceny};
    for (int i = 0; i < okna; ++i)
        wyniki[wykres].push_back(s.Wykres(wykresy[i % wykresy.size()]));
    if (okna) Drukuj(wykres, wyniki[wykres]);

    // the archive window: ten classes of one test compared, a student's history
    s.program.Zasady().Wykonaj(Prosba::PrzegladajArchiwum);
    TFArchiwum& archiwum = *s.program.FArchiwum();
    PanelArchiwum& panel = *archiwum.Panel;
    if (!CzekajNa([&] { return panel.Wpisy().size() >= AnalizArchiwum && !panel.Zajety(); }))
        qFatal("the archive's list did not come");
    std::vector<qint64> dziesiec;
    for (const WpisArchiwum& w : panel.Wpisy())
        if (w.NazwaTestu == QStringLiteral("Sprawdzian 0") && dziesiec.size() < 10)
            dziesiec.push_back(w.Id);
    const QString porownanie = QStringLiteral("comparison of 10 classes (2,000 in the archive)");
    const QString historia = QStringLiteral("student's history (Enter in the name dialog)");
    const int wArchiwum = grupa("archiwum") ? powtorzen : 0;
    for (int i = 0; i < wArchiwum; ++i) {
        archiwum.raise();
        archiwum.activateWindow();
        panel.Zaznacz(dziesiec);
        Czekaj(200);
        wyniki[porownanie].push_back(s.Raport([&] { return Kliknij(archiwum.LPorownaj); }));
        CzekajNa([&] { return !panel.Zajety(); });

        archiwum.raise();
        archiwum.activateWindow();
        Czekaj(200);
        double klik = -1;
        QTimer wpisz;
        wpisz.setInterval(5);
        QObject::connect(&wpisz, &QTimer::timeout, [&] {
            TFOpisArchiwum* pytanie = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* o = qobject_cast<TFOpisArchiwum*>(w); o && o->isVisible()) pytanie = o;
            if (!pytanie) return;
            wpisz.stop();
            pytanie->EKlasa->setText(QStringLiteral("Uczeń%1 Rocznik%2").arg(i % 30).arg(i));
            Czekaj(100);
            klik = Teraz();
            s.pomiar->Uzbroj(klik);
            QTest::keyClick(pytanie->EKlasa, Qt::Key_Return);
        });
        wpisz.start();
        Kliknij(archiwum.LHistoria);
        double t = -1;
        if (CzekajNa([&] { return klik >= 0; })) t = s.pomiar->Zakoncz();
        wyniki[historia].push_back(t);
        CzekajNa([&] { return !panel.Zajety(); });
    }
    if (wArchiwum) {
        Drukuj(porownanie, wyniki[porownanie]);
        Drukuj(historia, wyniki[historia]);
    }
    archiwum.ZamknijOkno();
    if (!grupa("czesci")) return 0;

    // ---- the parts ----
    std::printf("\nparts (median ms):\n");
    Analiza& a = s.program.analiza;
    const UstawieniaRaportu u = s.program.UstawieniaRaportow();
    Srodowisko& sr = s.program.srodowisko;
    std::map<QString, Czesci> czesci;
    for (int i = 0; i < powtorzen; ++i) {
        const auto raport = [&](const QString& nazwa,
                                const std::function<DokumentRaportu()>& zbuduj) {
            DokumentRaportu d;
            Czesci& c = czesci[nazwa];
            c.budowa.push_back(Zmierz([&] { d = zbuduj(); }));
            WynikRaportu w;
            c.zapis.push_back(Zmierz([&] { w = ZapiszRaport(d, a, sr); }));
            c.silnik.push_back(Silnik(s, w.sciezka));
        };
        raport(QStringLiteral("test report"), [&] { return ZbudujRaportOTescie(a, u); });
        raport(QStringLiteral("statistics report"), [&] { return ZbudujRaportStatystyka(a, u); });
        raport(QStringLiteral("student report"),
               [&] { return ZbudujRaportOUczniu(a, u, 1 + i * 37 % a.IloscUczniow); });
        raport(QStringLiteral("question report"),
               [&] { return ZbudujRaportOPytaniu(a, u, 1 + i % a.Test.IloscPytan); });
    }
    {
        Archiwum ar;
        ar.Otworz(panel.Adres());
        for (int i = 0; i < powtorzen; ++i) {
            Czesci& c = czesci[QStringLiteral("comparison of 10 classes")];
            std::vector<AnalizaArchiwalna> klasy;
            ZestawienieKlas z;
            c.budowa.push_back(Zmierz([&] {
                for (qint64 id : dziesiec)
                    if (auto k = ar.Wczytaj(id)) klasy.push_back(std::move(*k));
                z = PorownajKlasy(klasy);
            }));
            c.obraz.push_back(Zmierz([&] { WykresPorownania(z); }));
            DokumentRaportu d;
            const double doc = Zmierz(
                [&] { d = ZbudujRaportPorownania(z, u, NazwaRaportuPorownania(z.Test.Nazwa)); });
            c.budowa.back() += doc - c.obraz.back(); // the document's lines draw the chart too
            WynikRaportu w;
            c.zapis.push_back(
                Zmierz([&] { w = ZapiszRaportWFolderze(d, sr.foldery.FolderTemp, sr); }));
            c.silnik.push_back(Silnik(s, w.sciezka));

            Czesci& h = czesci[QStringLiteral("student's history")];
            const QString kto = QStringLiteral("Uczeń%1 Rocznik%2").arg(i % 30).arg(i);
            std::optional<std::vector<WynikUcznia>> wyniki;
            DokumentRaportu dh;
            h.budowa.push_back(Zmierz([&] {
                wyniki = ar.HistoriaUcznia(kto);
                dh = ZbudujRaportHistorii(kto, *wyniki, u, NazwaRaportuHistorii(kto));
            }));
            WynikRaportu wh;
            h.zapis.push_back(
                Zmierz([&] { wh = ZapiszRaportWFolderze(dh, sr.foldery.FolderTemp, sr); }));
            h.silnik.push_back(Silnik(s, wh.sciezka));
        }
    }
    const auto mediana = [](std::vector<double> v) {
        if (v.empty()) return 0.0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    for (const auto& [nazwa, c] : czesci)
        std::printf("  %s: lines %.1f, files to Temp %.1f, chart picture %.1f, engine load and "
                    "paint %.0f\n",
                    qPrintable(nazwa), mediana(c.budowa), mediana(c.zapis), mediana(c.obraz),
                    mediana(c.silnik));
    std::printf("engine frames after a load finished: %zu\n", s.pomiar->ramkiPoZaladowaniu);
    return 0;
}
