// Sondrel, the desktop program: the windows are created once, the main window is shown and the
// program runs until the main window ends it. Answer files named on the command line are
// analysed when the main window is first shown.
//
// --czas-startu prints the time from the start of the program to the main window's first
// appearance on screen (in milliseconds, on standard output) and ends the program.
#include "core/lokalizacja.h"
#include "ui/okna/tf_glowny.h"
#include "ui/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <cstdio>

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

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer czas;
    czas.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zadrix - Sondrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("sondrel"));
    sondrel::UstawJezykProgramu();
    // The program speaks Polish: so do the file dialogs and the toolkit's own texts.
    QTranslator tlumaczenie;
    if (tlumaczenie.load(QStringLiteral("qtbase_pl"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&tlumaczenie);

    QStringList argumenty = QCoreApplication::arguments().mid(1);
    const bool pomiar = argumenty.removeAll(QStringLiteral("--czas-startu")) > 0;

    sondrel::Program program(argumenty);
    program.UtworzOkna();
    PomiarStartu pomiarStartu(czas);
    if (pomiar) {
        program.FGlowny->winId(); // the native window, to watch its exposure
        program.FGlowny->windowHandle()->installEventFilter(&pomiarStartu);
    }
    program.FGlowny->show();
    return QApplication::exec();
}
