#include "core/lokalizacja.h"
#include "polecenia.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    sondrel::UstawJezykProgramu();
    QStringList argumenty = QCoreApplication::arguments();
    argumenty.removeFirst();
    return sondrel::UruchomCli(argumenty);
}
