#include "polecenia.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList argumenty = QCoreApplication::arguments();
    argumenty.removeFirst();
    return sondrel::UruchomCli(argumenty);
}
