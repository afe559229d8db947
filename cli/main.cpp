#include "archiwum_cli.h"
#include "core/lokalizacja.h"
#include "polecenia.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write beyond the file-size limit then fails with an error that is reported like any
    // other failed write (exit 4), instead of the signal ending the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Commands that draw charts need fonts (not a display); the others start without them.
    const char* polecenie = argc > 1 ? argv[1] : "";
    const bool rysuje = !std::strcmp(polecenie, "wykres") || !std::strcmp(polecenie, "wszystko") ||
                        sondrel::ArchiwumRysuje(argc, argv);
    std::unique_ptr<QCoreApplication> aplikacja;
    if (rysuje) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        aplikacja = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        aplikacja = std::make_unique<QCoreApplication>(argc, argv);
    }
    sondrel::UstawJezykProgramu();
    QStringList argumenty = QCoreApplication::arguments();
    argumenty.removeFirst();
    return sondrel::UruchomCli(argumenty);
}
