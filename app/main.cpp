// SPDX-License-Identifier: GPL-3.0-or-later
// Sondrel, the desktop program: the windows are created once, the main window is shown and the
// program runs until the main window ends it. Answer files named on the command line are
// analysed when the main window is first shown; while a copy runs, a later start hands its
// files to it and ends.
//
// --czas-startu prints the time from the start of the program to the main window's first
// appearance on screen (in milliseconds, on standard output) and ends the program. --help and
// --version answer on standard output without opening a window (nor needing a display).
#include "core/foldery.h"
#include "core/lokalizacja.h"
#include "ui/jedna_kopia.h"
#include "ui/okno.h"
#include "ui/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// Waits for the main window's first exposure on screen.
class PomiarStartu : public QObject {
public:
    explicit PomiarStartu(const QElapsedTimer& czas) : czas(czas) {}

protected:
    bool eventFilter(QObject* obiekt, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(obiekt)->isExposed() &&
            !zmierzony) {
            zmierzony = true;
            std::printf("%lld\n", static_cast<long long>(czas.elapsed()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    const QElapsedTimer& czas;
    bool zmierzony = false;
};

// --help or --version among the arguments (before a "--", after which every argument is a
// file): the answer, printed; else nullptr.
const char* OdpowiedzNaOpcje(int argc, char** argv) {
    static const char* const pomoc =
        "Użycie: sondrel [--test PLIK.skt] [PLIK.sko...]\n"
        "Zadrix - Sondrel: analiza wyników testów. Pliki odpowiedzi podane w wierszu\n"
        "polecenia są analizowane zaraz po otwarciu okna programu.\n"
        "  --test PLIK.skt  analiza z testem z tego pliku\n"
        "  --help           ten opis\n"
        "  --version        wersja programu\n"
        "Analizę bez okna wykonuje sondrel-cli (sondrel-cli --help).\n";
    static const char* const wersja = "sondrel " SONDREL_WERSJA "\n";
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return pomoc;
        if (std::strcmp(argv[i], "--version") == 0) return wersja;
    }
    return nullptr;
}

// The first argument that looks like an option the program does not know (before a "--"),
// else nullptr. "-" alone and arguments after "--" are file names.
const char* NieznanaOpcja(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const char* a = argv[i];
        if (a[0] != '-' || a[1] == '\0') continue;
        if (std::strcmp(a, "--czas-startu") == 0) continue;
        if (std::strcmp(a, "--test") == 0) { // its value is the test file
            ++i;
            continue;
        }
        // the toolkit's own options, and the value of those that take one
        static const char* const qt[] = {
            "-platform",        "-style",        "-display",     "-geometry",
            "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-platformpluginpath",
            "-platformtheme",   "-session",      "-name",        "-title",
            "-stylesheet"};
        bool znana = std::strcmp(a, "-reverse") == 0 || std::strcmp(a, "-widgetcount") == 0;
        for (const char* o : qt)
            if (std::strcmp(a, o) == 0 || (a[1] == '-' && std::strcmp(a + 1, o) == 0)) {
                znana = true;
                ++i; // its value
            }
        if (!znana) return a;
    }
    return nullptr;
}

// Whether a window system can be reached: a platform named in QT_QPA_PLATFORM or a -platform
// argument is trusted; else on X11/Wayland systems one of their displays must be set.
bool JestEkran(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer czas;
    czas.start();
    if (const char* odpowiedz = OdpowiedzNaOpcje(argc, argv)) {
        std::fputs(odpowiedz, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (const char* opcja = NieznanaOpcja(argc, argv)) {
        std::fprintf(stderr, "sondrel: nieznana opcja %s (sondrel --help)\n", opcja);
        return 1;
    }
    if (!JestEkran(argc, argv)) {
        std::fputs("sondrel: brak ekranu (nie ustawiono DISPLAY ani WAYLAND_DISPLAY); program "
                   "potrzebuje pulpitu. Analizę bez okna wykonuje sondrel-cli.\n",
                   stderr);
        return 1;
    }
#ifdef SIGXFSZ
    // A write beyond the file-size limit fails with an error the program reports, instead of
    // the signal ending it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zadrix - Sondrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pl.brenvik.sondrel"));
    sondrel::UstawJezykProgramu();
    // The program speaks Polish: so do the file dialogs and the toolkit's own texts.
    QTranslator tlumaczenie;
    if (tlumaczenie.load(QStringLiteral("qtbase_pl"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&tlumaczenie);

    QStringList argumenty = QCoreApplication::arguments().mid(1);
    const bool pomiar = argumenty.removeAll(QStringLiteral("--czas-startu")) > 0;
    // --test PLIK.skt (before a "--"): the answer files are analysed with that test.
    QString plikTestu;
    const qsizetype koniecOpcji = argumenty.contains(QStringLiteral("--"))
                                      ? argumenty.indexOf(QStringLiteral("--"))
                                      : argumenty.size();
    if (const qsizetype test = argumenty.indexOf(QStringLiteral("--test"));
        test >= 0 && test < koniecOpcji) {
        if (test + 1 >= koniecOpcji) {
            std::fputs("sondrel: --test wymaga pliku testu (--test PLIK.skt)\n", stderr);
            return 1;
        }
        plikTestu = argumenty.takeAt(test + 1);
        argumenty.removeAt(test);
    }
    argumenty.removeOne(QStringLiteral("--")); // the arguments after it are files

    // One running copy: a copy that runs for this user and data folder takes this start's files
    // and comes up; this start then ends. The start-time measurement measures a start of its
    // own.
    const QString gniazdo = sondrel::GniazdoKopii(sondrel::FolderDanychProgramu());
    if (!pomiar && sondrel::PrzekazDzialajacejKopii(
                       gniazdo, sondrel::PrzekazanieZArgumentow(argumenty, plikTestu)))
        return 0;

    sondrel::Program program(argumenty);
    program.plikTestu = plikTestu;
    program.UtworzOkna();
    sondrel::SerwerKopii serwerKopii;
    if (!pomiar) {
        serwerKopii.Nasluchuj(gniazdo);
        program.PrzyjmujPrzekazania(serwerKopii);
    }
    PomiarStartu pomiarStartu(czas);
    if (pomiar) {
        program.OknoGlowne()->winId(); // the native window, to watch its exposure
        program.OknoGlowne()->windowHandle()->installEventFilter(&pomiarStartu);
    }
    program.OknoGlowne()->show();
    return QApplication::exec();
}
