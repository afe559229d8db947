#include "ui/silnik_html.h"

#include "core/foldery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Qt's own setter of the context that all OpenGL contexts of the program share (QtGui exports
// it; the engine needs that context, which Qt otherwise makes only at program start).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace sondrel {

namespace {

// The shared context the engine renders with, made when the engine is first needed instead of
// at program start (where it would slow every start down).
void PrzygotujWspolnyKontekst() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (QOpenGLContext::globalShareContext()) return;
    auto* kontekst = new QOpenGLContext(qApp);
    kontekst->create(); // may fail (no OpenGL): the engine then draws in software
    qt_gl_set_global_share_context(kontekst);
}

// The module, loaded once and kept for the whole run.
QLibrary* Modul(QString* blad) {
    static QLibrary* modul = [] {
#ifdef Q_OS_UNIX
        // The engine's sandbox refuses to start as root and would end the program: a program
        // run as root switches it off; other users keep it.
        if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
        PrzygotujWspolnyKontekst();
        auto* l = new QLibrary;
        // beside the program (a build), else in the installed program's library folder
        const QString obok = FolderPlikuProgramu() + QStringLiteral("libsondrel_silnik.so");
        const QString zainstalowany = QDir::cleanPath(
            FolderPlikuProgramu() + QStringLiteral("../lib/sondrel/libsondrel_silnik.so"));
        l->setFileName(QFileInfo::exists(obok) ? obok : zainstalowany);
        l->load();
        return l;
    }();
    if (!modul->isLoaded() && blad) *blad = modul->errorString();
    return modul->isLoaded() ? modul : nullptr;
}

template <class F> F Funkcja(const char* nazwa, QString* blad) {
    QLibrary* modul = Modul(blad);
    if (!modul) return nullptr;
    auto f = reinterpret_cast<F>(modul->resolve(nazwa));
    if (!f && blad) *blad = modul->errorString();
    return f;
}

} // namespace

std::unique_ptr<SilnikHtml> UtworzSilnikHtml(QWidget* rodzic, QString* blad) {
    const auto utworz = Funkcja<SondrelUtworzSilnik>("sondrel_utworz_silnik", blad);
    return std::unique_ptr<SilnikHtml>(utworz ? utworz(rodzic) : nullptr);
}

QByteArray DodajStopkiPdf(const QByteArray& pdf, const QString& stopka, const QString& czcionka,
                          int punkty, qreal marginesMm, QString* blad) {
    const auto dodaj = Funkcja<SondrelDodajStopki>("sondrel_dodaj_stopki", blad);
    return dodaj ? dodaj(pdf, stopka, czcionka, punkty, marginesMm, blad) : QByteArray();
}

std::unique_ptr<DokumentPdf> OtworzPdf(const QByteArray& pdf) {
    const auto otworz = Funkcja<SondrelOtworzPdf>("sondrel_otworz_pdf", nullptr);
    return std::unique_ptr<DokumentPdf>(otworz ? otworz(pdf) : nullptr);
}

} // namespace sondrel
