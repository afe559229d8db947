// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print handler of the report window: it owns what is made from the page as PDF (saving as
// PDF, printing, the print preview), one at a time, instead of the window. The engine makes
// the PDF in the background; the footers are laid over it (ui/wydruk_raportu.h).

#include "ui/modul_silnika.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace sondrel {

class ObslugaWydruku : public QObject {
    Q_OBJECT
public:
    // Dialogs open over `okno`.
    explicit ObslugaWydruku(QWidget* okno);

    // The page the commands act on: shown by `silnik` from the report file `sciezka`.
    void UstawStrone(SilnikHtml* silnik, const QString& sciezka);
    // A PDF, a print or a preview is being made.
    bool Zajety() const { return zajety; }

    // The page as PDF saved under `cel`; then zapisanoPdf().
    void ZapiszPdf(const QString& cel);
    // The print dialog (with a word on where a PDF with text comes from), then Drukuj().
    void DrukujZDialogiem();
    // Printing on a printer set up already. A printer that writes a PDF file gets the engine's
    // PDF itself (its text stays text); any other gets the pages rendered.
    void Drukuj(std::shared_ptr<QPrinter> drukarka);
    // The print preview, its pages rendered at the zoom and pixel ratio they are shown at.
    void Podglad();

signals:
    void zapisanoPdf(bool ok, const QString& przyczyna);
    void wydrukowano(bool ok);
    void podgladOtwarty();
    void niepowodzenie(const QString& komunikat, const QString& szczegoly);

private:
    // The engine's PDF of the page, with the footer on every page; then `dalej` with it (empty
    // on failure, the reason in the second argument).
    void ZrobPdf(std::function<void(const QByteArray&, const QString&)> dalej);
    void DrukujStrone(std::shared_ptr<QPrinter> drukarka, std::shared_ptr<DokumentPdf> pdf,
                      std::shared_ptr<QPainter> pedzel, int strona);

    QPointer<QWidget> okno;
    SilnikHtml* silnik = nullptr;
    QString sciezka;
    bool zajety = false;
};

} // namespace sondrel
