// SPDX-License-Identifier: GPL-3.0-or-later
#include "baza_cli.h"
#include "core/lokalizacja.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <csignal>
#include <memory>

namespace {

QtMessageHandler obslugaQt = nullptr;

// Under cron or ssh there is no XDG_RUNTIME_DIR; Qt then uses a folder of its own and says so
// on the error output, where a script would take it for a fault of the tool. That one notice
// is dropped; every other message of Qt goes on as before, its control characters written out
// as the tool's own messages have them.
void BezUwagiOFolderzeUruchomieniowym(QtMsgType typ, const QMessageLogContext& kontekst,
                                      const QString& tekst) {
    if (typ == QtWarningMsg && tekst.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    obslugaQt(typ, kontekst, sondrel::TekstDoTerminala(tekst));
}

} // namespace

int main(int argc, char** argv) {
    obslugaQt = qInstallMessageHandler(BezUwagiOFolderzeUruchomieniowym);
#ifdef SIGXFSZ
    // A write beyond the file-size limit then fails with an error that is reported like any
    // other failed write (exit 4), instead of the signal ending the tool without a word.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Commands that draw charts need fonts (not a display); the others start without them.
    QStringList wiersz;
    for (int i = 1; i < argc; ++i)
        wiersz.append(QString::fromLocal8Bit(argv[i]));
    const bool rysuje = sondrel::PolecenieRysuje(wiersz);
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
