#pragma once
// The HTML engine of the report window and the PDF tools of printing, behind a small interface.
//
// The engine (Qt WebEngine) and the PDF libraries (Qt PDF, qpdf) live in a module of their own,
// libsondrel_silnik.so, loaded when the first report or print needs them: linked into the
// program, they alone would make every start of the program slower by the time the dynamic
// loader and the engine's start-up need, whether a report is ever shown or not.

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QWidget;

namespace sondrel {

// A PDF opened for rendering.
class DokumentPdf {
public:
    virtual ~DokumentPdf() = default;
    virtual int IloscStron() const = 0;
    virtual QSizeF RozmiarStrony(int strona) const = 0; // in points
    virtual QImage Strona(int strona, QSize rozmiar) = 0;
    virtual QString Tekst(int strona) = 0;
};

// The viewer of one report page: local, inert pages (no page scripts, no requests but file:
// and qrc:, no navigation but the program's own, nothing stored on disk).
class SilnikHtml {
public:
    virtual ~SilnikHtml() = default;
    // The view, a child of the panel given when the engine was made.
    virtual QWidget* Widok() = 0;
    virtual void Zaladuj(const QUrl& adres) = 0;
    virtual QUrl Adres() const = 0;
    virtual QString Tytul() const = 0;
    // Runs the program's own script (page scripts stay off), then `potem`.
    virtual void UruchomSkrypt(const QString& skrypt, std::function<void()> potem = {}) = 0;
    // The engine's copy of the selection to the clipboard.
    virtual void Kopiuj() = 0;
    // The page as PDF with this page layout; an empty array when the engine made none.
    virtual void DrukujDoPdf(const QPageLayout& uklad,
                             std::function<void(const QByteArray&)> wynik) = 0;

    // Called when a page finished loading (true) or failed (false).
    std::function<void(bool)> zaladowano;
};

// Makes the engine with its view in `rodzic`; null with the reason in `blad` when the module
// cannot be loaded.
std::unique_ptr<SilnikHtml> UtworzSilnikHtml(QWidget* rodzic, QString* blad = nullptr);

// The PDF tools of the module.
// The PDF with `stopka` (its %1 the page number) centred in the bottom margin of every page;
// empty with the reason in `blad` when the PDF cannot be read.
QByteArray DodajStopkiPdf(const QByteArray& pdf, const QString& stopka, const QString& czcionka,
                          int punkty, qreal marginesMm, QString* blad = nullptr);
std::unique_ptr<DokumentPdf> OtworzPdf(const QByteArray& pdf);

} // namespace sondrel

// What the module exports (plain C names, looked up when the module is loaded).
extern "C" {
using SondrelUtworzSilnik = sondrel::SilnikHtml* (*)(QWidget* rodzic);
using SondrelDodajStopki = QByteArray (*)(const QByteArray& pdf, const QString& stopka,
                                          const QString& czcionka, int punkty, qreal marginesMm,
                                          QString* blad);
using SondrelOtworzPdf = sondrel::DokumentPdf* (*)(const QByteArray& pdf);
}
