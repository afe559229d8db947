#include "core/lokalizacja.h"
#include "polecenia.h"

#include <QCoreApplication>
#include <csignal>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write beyond the file-size limit then fails with an error that is reported like any
    // other failed write (exit 4), instead of the signal ending the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    sondrel::UstawJezykProgramu();
    QStringList argumenty = QCoreApplication::arguments();
    argumenty.removeFirst();
    return sondrel::UruchomCli(argumenty);
}
