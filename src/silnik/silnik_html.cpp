// SPDX-License-Identifier: GPL-3.0-or-later
// The report viewer of the HTML engine module: Qt WebEngine with local, inert pages.
#include "silnik/silnik_html.h"

#include <QPointer>
#include <QQuickWidget>
#include <QQuickWindow>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

namespace sondrel {

namespace {

// Refuses every request that does not read a local file or the program's resources.
class StraznikZapytan : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QString schemat = info.requestUrl().scheme();
        if (schemat != QLatin1String("file") && schemat != QLatin1String("qrc")) info.block(true);
    }
};

// The page of a report: it goes only where the program sends it (no links, no redirects, no
// forms, no new windows).
class StronaRaportu : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QUrl dozwolony;

protected:
    bool acceptNavigationRequest(const QUrl& adres, NavigationType typ, bool glownaRamka) override {
        return glownaRamka && typ == NavigationTypeTyped && adres == dozwolony;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}
};

class SilnikWebEngine : public SilnikHtml {
public:
    explicit SilnikWebEngine(QWidget* rodzic) {
        profil = new QWebEngineProfile(); // off the record: nothing written to disk
        profil->setUrlRequestInterceptor(new StraznikZapytan(profil));
        profil->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profil->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        profil->setSpellCheckEnabled(false);
        QWebEngineSettings* s = profil->settings();
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
        s->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
        s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
        s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
        s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
        strona = new StronaRaportu(profil, nullptr);
        widok = new QWebEngineView(rodzic);
        widok->setContextMenuPolicy(Qt::NoContextMenu);
        widok->setPage(strona);
        // Only the program's own loads are reported, each once. A navigation the page attempts
        // on its own (a link, a form, a refresh, a reload) is refused; the engine still
        // announces it as a load that failed, but the page shown stays as it was.
        QObject::connect(strona, &QWebEnginePage::loadingChanged, strona,
                         [this](const QWebEngineLoadingInfo& info) { ZmianaLadowania(info); });
    }
    ~SilnikWebEngine() override {
        // the view and the page before their profile
        delete widok.data();
        delete strona.data();
        delete profil;
    }

    QWidget* Widok() override { return widok; }
    void Zaladuj(const QUrl& adres) override {
        PodlaczKlatki();
        strona->dozwolony = adres;
        oczekiwany = true;
        strona->load(adres);
    }
    void Rozgrzej(const QUrl& pusta) override {
        PodlaczKlatki();
        strona->dozwolony = pusta;
        oczekiwany = false;
        strona->load(strona->dozwolony);
    }
    QUrl Adres() const override { return strona->url(); }
    QString Tytul() const override { return strona->title(); }
    void UruchomSkrypt(const QString& skrypt, std::function<void()> potem) override {
        strona->runJavaScript(skrypt, QWebEngineScript::ApplicationWorld, [potem](const QVariant&) {
            if (potem) potem();
        });
    }
    void Kopiuj() override { strona->triggerAction(QWebEnginePage::Copy); }
    void DrukujDoPdf(const QPageLayout& uklad,
                     std::function<void(const QByteArray&)> wynik) override {
        strona->printToPdf([wynik](const QByteArray& pdf) { wynik(pdf); }, uklad);
    }

private:
    // The view draws the engine's frames through a scene of its own (made with the page's first
    // load, made anew when the engine's renderer is): each rendered scene is a frame.
    void PodlaczKlatki() {
        auto* scena = qobject_cast<QQuickWidget*>(widok ? widok->focusProxy() : nullptr);
        QQuickWindow* okno = scena ? scena->quickWindow() : nullptr;
        if (!okno || okno == podlaczona) return;
        podlaczona = okno;
        QObject::connect(okno, &QQuickWindow::afterRendering, strona, [this] {
            if (klatka) klatka();
        });
    }

    void ZmianaLadowania(const QWebEngineLoadingInfo& info) {
        PodlaczKlatki();
        if (!oczekiwany || info.url() != strona->dozwolony) return;
        bool ok = false;
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            ok = true;
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
            // a refused navigation to the page's own address (a reload) ends as aborted
            if (info.errorDomain() == QWebEngineLoadingInfo::InternalErrorDomain &&
                info.errorCode() == -3)
                return;
            break;
        default:
            return;
        }
        oczekiwany = false;
        if (zaladowano) zaladowano(ok);
    }

    bool oczekiwany = false; // a load of the program's own waits for its outcome
    QWebEngineProfile* profil = nullptr;
    QPointer<StronaRaportu> strona;
    QPointer<QWebEngineView> widok;
    QPointer<QQuickWindow> podlaczona; // the scene whose frames are reported
};

} // namespace

SilnikHtml* UtworzSilnikWebEngine(QWidget* rodzic) {
    return new SilnikWebEngine(rodzic);
}

} // namespace sondrel
