// The module libsondrel_silnik.so: the report window's HTML engine (Qt WebEngine) and the PDF
// tools of printing (the footers laid over the engine's PDF with qpdf, rendering with Qt PDF).
// Loaded by the program when the first report or print needs it (see ui/silnik_html.h).
#include "ui/silnik_html.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

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
        QObject::connect(strona, &QWebEnginePage::loadFinished, strona, [this](bool ok) {
            if (zaladowano) zaladowano(ok);
        });
    }
    ~SilnikWebEngine() override {
        // the view and the page before their profile
        delete widok.data();
        delete strona.data();
        delete profil;
    }

    QWidget* Widok() override { return widok; }
    void Zaladuj(const QUrl& adres) override {
        strona->dozwolony = adres;
        strona->load(adres);
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
    QWebEngineProfile* profil = nullptr;
    QPointer<StronaRaportu> strona;
    QPointer<QWebEngineView> widok;
};

// N pages of A4 holding nothing but the footer, centred in the bottom margin.
QByteArray StronyStopek(int ile, const QString& stopka, const QString& nazwaCzcionki, int punkty,
                        qreal marginesMm) {
    QByteArray pdf;
    QBuffer bufor(&pdf);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pisarz(&bufor);
    pisarz.setResolution(720);
    pisarz.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
    pisarz.setCreator(QStringLiteral("Sondrel"));
    QPainter p(&pisarz);
    QFont czcionka(nazwaCzcionki);
    czcionka.setPointSizeF(punkty);
    p.setFont(czcionka);
    p.setPen(Qt::black);
    const QRect strona = pisarz.pageLayout().fullRectPixels(pisarz.resolution());
    const int margines = qRound(marginesMm / 25.4 * pisarz.resolution());
    const QRect pas(strona.left(), strona.bottom() - margines, strona.width(), margines);
    for (int i = 1; i <= ile; ++i) {
        if (i > 1) pisarz.newPage();
        p.drawText(pas, Qt::AlignCenter, stopka.arg(i));
    }
    p.end();
    return pdf;
}

// A PDF held in memory, opened with Qt PDF.
class DokumentQtPdf : public DokumentPdf {
public:
    bool Otworz(const QByteArray& pdf) {
        dane = pdf;
        bufor.setBuffer(&dane);
        bufor.open(QIODevice::ReadOnly);
        dokument.load(&bufor);
        return dokument.status() == QPdfDocument::Status::Ready && dokument.pageCount() > 0;
    }
    int IloscStron() const override { return dokument.pageCount(); }
    QSizeF RozmiarStrony(int strona) const override { return dokument.pagePointSize(strona); }
    QImage Strona(int strona, QSize rozmiar) override { return dokument.render(strona, rozmiar); }
    QString Tekst(int strona) override { return dokument.getAllText(strona).text(); }

private:
    QByteArray dane;
    QBuffer bufor;
    QPdfDocument dokument;
};

} // namespace

} // namespace sondrel

extern "C" Q_DECL_EXPORT sondrel::SilnikHtml* sondrel_utworz_silnik(QWidget* rodzic) {
    return new sondrel::SilnikWebEngine(rodzic);
}

extern "C" Q_DECL_EXPORT QByteArray sondrel_dodaj_stopki(const QByteArray& pdf,
                                                         const QString& stopka,
                                                         const QString& czcionka, int punkty,
                                                         qreal marginesMm, QString* blad) {
    try {
        QPDF dokument;
        dokument.processMemoryFile("raport", pdf.constData(), size_t(pdf.size()));
        auto strony = QPDFPageDocumentHelper(dokument).getAllPages();
        if (strony.empty()) {
            if (blad) *blad = QStringLiteral("dokument PDF bez stron");
            return {};
        }
        const QByteArray stopki =
            sondrel::StronyStopek(int(strony.size()), stopka, czcionka, punkty, marginesMm);
        QPDF zrodloStopek;
        zrodloStopek.processMemoryFile("stopki", stopki.constData(), size_t(stopki.size()));
        auto stronyStopek = QPDFPageDocumentHelper(zrodloStopek).getAllPages();
        for (size_t i = 0; i < strony.size() && i < stronyStopek.size(); ++i) {
            QPDFPageObjectHelper& strona = strony[i];
            QPDFObjectHandle forma =
                dokument.copyForeignObject(stronyStopek[i].getFormXObjectForPage());
            QPDFObjectHandle zasoby = strona.getAttribute("/Resources", true);
            int przyrostek = 1;
            const std::string nazwa = zasoby.getUniqueResourceName("/Fx", przyrostek);
            const std::string tresc = strona.placeFormXObject(
                forma, nazwa, strona.getTrimBox().getArrayAsRectangle(), true, true, true);
            if (tresc.empty()) continue;
            zasoby.mergeResources(QPDFObjectHandle::parse("<< /XObject << >> >>"));
            zasoby.getKey("/XObject").replaceKey(nazwa, forma);
            strona.addPageContents(dokument.newStream("q\n"), true);
            strona.addPageContents(dokument.newStream("\nQ\n" + tresc), false);
        }
        QPDFWriter pisarz(dokument);
        pisarz.setOutputMemory();
        pisarz.write();
        auto bufor = pisarz.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(bufor->getBuffer()),
                          qsizetype(bufor->getSize()));
    } catch (const std::exception& e) {
        if (blad) *blad = QString::fromLocal8Bit(e.what());
        return {};
    }
}

extern "C" Q_DECL_EXPORT sondrel::DokumentPdf* sondrel_otworz_pdf(const QByteArray& pdf) {
    auto* dokument = new sondrel::DokumentQtPdf;
    if (dokument->Otworz(pdf)) return dokument;
    delete dokument;
    return nullptr;
}
