// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/modul_silnika.h"

#include "core/foldery.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>
#include <QOpenGLContext>

#include <cstring>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#ifndef SONDREL_SILNIK_BUDOWA
#error "SONDREL_SILNIK_BUDOWA (the build identity of the module's interface) is set by the build"
#endif

// Qt's own setter of the context that all OpenGL contexts of the program share (QtGui exports
// it; the engine needs that context, which Qt otherwise makes only at program start).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace sondrel {

namespace {

const QString NazwaModulu = QStringLiteral("libsondrel_silnik.so");
const QByteArray FlagaDostepnosci = QByteArrayLiteral("--force-renderer-accessibility");

// The desktop's accessibility bus (AT-SPI): one of its two switches is on.
bool DostepnoscWlaczonaNaSzynie() {
    QDBusConnection sesja = QDBusConnection::sessionBus();
    if (!sesja.isConnected()) return false;
    for (const char* wlasnosc : {"IsEnabled", "ScreenReaderEnabled"}) {
        QDBusMessage pytanie = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        pytanie << QStringLiteral("org.a11y.Status") << QString::fromLatin1(wlasnosc);
        const QDBusMessage odpowiedz = sesja.call(pytanie, QDBus::Block, 500);
        if (odpowiedz.type() != QDBusMessage::ReplyMessage || odpowiedz.arguments().isEmpty())
            return false; // no bus: nothing asks
        if (odpowiedz.arguments().constFirst().value<QDBusVariant>().variant().toBool())
            return true;
    }
    return false;
}

// What the engine needs before it is loaded.
void PrzygotujSrodowisko() {
#ifdef Q_OS_UNIX
    // The engine's sandbox refuses to start as root and would end the program: a program run as
    // root switches it off; other users keep it.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
    // The engine's description of its set-up is not for the user's terminal (QT_LOGGING_RULES
    // still brings it back).
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    // The engine reads its flags when it starts, with the first report.
    const QByteArray flagi = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const QByteArray nowe = FlagiSilnika(flagi, DostepnoscAktywna());
    if (nowe != flagi) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", nowe);
    // The context the engine renders with, shared with the program's windows, made here rather
    // than at every start of the program (Qt makes it at start when the program sets
    // Qt::AA_ShareOpenGLContexts, which took about a quarter of a second of every start).
    if (QOpenGLContext::globalShareContext()) return;
    auto* kontekst = new QOpenGLContext(qApp);
    kontekst->create(); // may fail (no OpenGL): the engine then draws in software
    qt_gl_set_global_share_context(kontekst);
}

} // namespace

QString ModulSilnika::Komunikat() const {
    const QString poczatek = QStringLiteral("Nie udało się uruchomić przeglądarki raportów.\r");
    switch (stan) {
    case StanModulu::Gotowy:
        return {};
    case StanModulu::Brak:
        return poczatek + QStringLiteral("Brak modułu przeglądarki (%1). Zainstaluj program "
                                         "ponownie.")
                              .arg(NazwaModulu);
    case StanModulu::InnaBudowa:
        return poczatek + QStringLiteral("Moduł przeglądarki (%1) pochodzi z innej wersji "
                                         "programu. Zainstaluj program ponownie.")
                              .arg(NazwaModulu);
    case StanModulu::Uszkodzony:
        break;
    }
    return poczatek + QStringLiteral("Nie można wczytać modułu przeglądarki (%1). Zainstaluj "
                                     "program ponownie.")
                          .arg(NazwaModulu);
}

QByteArray FlagiSilnika(const QByteArray& dane, bool dostepnosc) {
    if (!dostepnosc) return dane;
    for (const QByteArray& flaga : dane.simplified().split(' '))
        if (flaga == FlagaDostepnosci || flaga.startsWith(QByteArray(FlagaDostepnosci + '=')))
            return dane;
    QByteArray flagi = dane.trimmed();
    if (!flagi.isEmpty()) flagi += ' ';
    return flagi + FlagaDostepnosci;
}

bool DostepnoscAktywna() {
    if (QAccessible::isActive()) return true;
    const QByteArray wymuszona = qgetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    if (!wymuszona.isEmpty() && wymuszona != "0") return true;
    return DostepnoscWlaczonaNaSzynie();
}

const char* TozsamoscBudowySilnika() {
    return SONDREL_SILNIK_BUDOWA;
}

ModulSilnika WczytajModulSilnika(const QString& plik) {
    ModulSilnika m;
    m.plik = plik;
    if (!QFileInfo(plik).isFile()) {
        m.stan = StanModulu::Brak;
        m.powod = QDir::toNativeSeparators(plik) + QStringLiteral(": brak pliku");
        return m;
    }
    // kept loaded for the run (a refused module too: unloading what it may have started is
    // not safe), never unloaded
    auto* biblioteka = new QLibrary(plik);
    if (!biblioteka->load()) {
        m.stan = StanModulu::Uszkodzony;
        m.powod = biblioteka->errorString();
        delete biblioteka;
        return m;
    }
    // held for the run on purpose, never freed (nor the list, so they stay reachable at exit)
    static auto* wczytane = new std::vector<QLibrary*>;
    wczytane->push_back(biblioteka);
    const auto tozsamosc =
        reinterpret_cast<SondrelSilnikTozsamosc>(biblioteka->resolve(SONDREL_SILNIK_TOZSAMOSC));
    const char* jego = tozsamosc ? tozsamosc() : nullptr;
    if (!jego || std::strcmp(jego, TozsamoscBudowySilnika()) != 0) {
        m.stan = StanModulu::InnaBudowa;
        m.powod = QDir::toNativeSeparators(plik) + QStringLiteral(": moduł budowy ") +
                  (jego ? QString::fromLatin1(jego).left(200) : QStringLiteral("bez tożsamości")) +
                  QStringLiteral(", program budowy ") +
                  QString::fromLatin1(TozsamoscBudowySilnika());
        return m;
    }
    const auto funkcje =
        reinterpret_cast<SondrelSilnikFunkcje>(biblioteka->resolve(SONDREL_SILNIK_FUNKCJE));
    m.funkcje = funkcje ? funkcje() : nullptr;
    if (!m.funkcje) {
        m.stan = StanModulu::Uszkodzony;
        m.powod = biblioteka->errorString();
        return m;
    }
    m.stan = StanModulu::Gotowy;
    return m;
}

const ModulSilnika& ModulSilnikaProgramu() {
    static const ModulSilnika modul = [] {
        PrzygotujSrodowisko();
        // beside the program (a build), else in the installed program's library folder
        const QString obok = FolderPlikuProgramu() + NazwaModulu;
        const QString zainstalowany = QDir::cleanPath(
            FolderPlikuProgramu() + QStringLiteral("../lib/sondrel/") + NazwaModulu);
        return WczytajModulSilnika(QFileInfo::exists(obok) ? obok : zainstalowany);
    }();
    return modul;
}

std::unique_ptr<SilnikHtml> UtworzSilnikHtml(QWidget* rodzic, QString* blad, QString* szczegoly) {
    const ModulSilnika& m = ModulSilnikaProgramu();
    if (!m.funkcje) {
        if (blad) *blad = m.Komunikat();
        if (szczegoly) *szczegoly = m.powod;
        return nullptr;
    }
    return std::unique_ptr<SilnikHtml>(m.funkcje->UtworzSilnik(rodzic));
}

QByteArray DodajStopkiPdf(const QByteArray& pdf, const StopkaPdf& stopka, const OpisPdf& opis,
                          QString* blad) {
    const ModulSilnika& m = ModulSilnikaProgramu();
    if (!m.funkcje) {
        if (blad) *blad = m.powod;
        return {};
    }
    return m.funkcje->DodajStopki(pdf, stopka, opis, blad);
}

std::unique_ptr<DokumentPdf> OtworzPdf(const QByteArray& pdf, QString* blad) {
    const ModulSilnika& m = ModulSilnikaProgramu();
    if (!m.funkcje) {
        if (blad) *blad = m.powod;
        return nullptr;
    }
    return std::unique_ptr<DokumentPdf>(m.funkcje->OtworzPdf(pdf, blad));
}

} // namespace sondrel
