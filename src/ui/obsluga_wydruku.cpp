// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/obsluga_wydruku.h"

#include "core/pliki.h"
#include "reports/raport.h"
#include "ui/wydruk_raportu.h"

#include <QBoxLayout>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QtMath>

namespace sondrel {

ObslugaWydruku::ObslugaWydruku(QWidget* o) : QObject(o), okno(o) {}

void ObslugaWydruku::UstawStrone(SilnikHtml* s, const QString& plik) {
    silnik = s;
    sciezka = plik;
}

void ObslugaWydruku::ZapiszPdf(const QString& cel) {
    if (!silnik) {
        emit zapisanoPdf(false, QStringLiteral("raport nie jest gotowy"));
        return;
    }
    if (zajety) return; // a PDF, a print or a preview is being made: one at a time
    zajety = true;
    ZrobPdf([this, cel](const QByteArray& pdf, const QString& blad) {
        zajety = false;
        if (pdf.isEmpty()) {
            emit zapisanoPdf(false, blad);
            return;
        }
        QString przyczyna;
        const bool ok = ZapiszPlik(cel, pdf, &przyczyna);
        emit zapisanoPdf(ok, przyczyna);
    });
}

void ObslugaWydruku::ZrobPdf(std::function<void(const QByteArray&, const QString&)> dalej) {
    QFile plik(sciezka);
    const QString tytul = plik.open(QIODevice::ReadOnly) ? TytulRaportu(plik.readAll()) : QString();
    silnik->DrukujDoPdf(UkladStronyRaportu(), [dalej, tytul](const QByteArray& pdf) {
        if (pdf.isEmpty()) {
            dalej({}, QStringLiteral("silnik HTML nie utworzył dokumentu PDF"));
            return;
        }
        QString blad;
        const QByteArray zeStopka = PdfZeStopka(pdf, tytul, &blad);
        dalej(zeStopka, blad);
    });
}

void ObslugaWydruku::DrukujZDialogiem() {
    if (!silnik || zajety) return;
    auto drukarka = std::make_shared<QPrinter>(QPrinter::HighResolution);
    UstawDrukarke(*drukarka);
    QPrintDialog dialog(drukarka.get(), okno);
    dialog.setWindowTitle(QStringLiteral("Drukuj raport"));
    // a printer gets the pages as pictures; the saved PDF keeps the text as text
    if (auto* uklad = qobject_cast<QBoxLayout*>(dialog.layout())) {
        auto* uwaga = new QLabel(QStringLiteral("Drukarka otrzymuje strony raportu jako obrazy "
                                                "(wydruk do pliku PDF zachowuje tekst). Dokument "
                                                "PDF z tekstem daje też „Zapisz raport ...”."),
                                 &dialog);
        uwaga->setWordWrap(true);
        uklad->insertWidget(std::max(0, uklad->count() - 1), uwaga);
    }
    if (dialog.exec() != QDialog::Accepted) return;
    Drukuj(drukarka);
}

void ObslugaWydruku::Drukuj(std::shared_ptr<QPrinter> drukarka) {
    if (!silnik || zajety) return;
    zajety = true;
    UstawDrukarke(*drukarka);
    ZrobPdf([this, drukarka](const QByteArray& pdf, const QString& blad) {
        // a printer that writes a PDF file gets the engine's PDF itself: its text stays text
        if (!pdf.isEmpty() && drukarka->outputFormat() == QPrinter::PdfFormat &&
            !drukarka->outputFileName().isEmpty() && drukarka->printRange() == QPrinter::AllPages &&
            drukarka->copyCount() == 1) {
            zajety = false;
            QString przyczyna;
            const bool ok = ZapiszPlik(drukarka->outputFileName(), pdf, &przyczyna);
            if (!ok)
                emit niepowodzenie(QStringLiteral("Nie udało się wydrukować raportu."),
                                   QStringLiteral("Problem z wydrukiem raportu: ") + przyczyna);
            emit wydrukowano(ok);
            return;
        }
        QString powod = blad;
        std::shared_ptr<DokumentPdf> dokument;
        if (!pdf.isEmpty()) dokument = OtworzPdf(pdf, &powod);
        auto pedzel = std::make_shared<QPainter>();
        if (!dokument || !pedzel->begin(drukarka.get())) {
            zajety = false;
            emit niepowodzenie(
                QStringLiteral("Nie udało się wydrukować raportu."),
                QStringLiteral("Problem z wydrukiem raportu: ") +
                    (powod.isEmpty() ? QStringLiteral("drukarka niedostępna") : powod));
            emit wydrukowano(false);
            return;
        }
        // one page at a time, so that the window stays responsive
        DrukujStrone(drukarka, dokument, pedzel, 0);
    });
}

void ObslugaWydruku::DrukujStrone(std::shared_ptr<QPrinter> drukarka,
                                  std::shared_ptr<DokumentPdf> pdf,
                                  std::shared_ptr<QPainter> pedzel, int nr) {
    if (nr > 0) drukarka->newPage();
    MalujStronePdf(*pedzel, *pdf, nr, drukarka->paperRect(QPrinter::DevicePixel));
    if (nr + 1 < pdf->IloscStron()) {
        QTimer::singleShot(0, this, [=, this] { DrukujStrone(drukarka, pdf, pedzel, nr + 1); });
        return;
    }
    pedzel->end();
    zajety = false;
    emit wydrukowano(true);
}

void ObslugaWydruku::Podglad() {
    if (!silnik || zajety) return;
    zajety = true;
    ZrobPdf([this](const QByteArray& pdf, const QString& blad) {
        zajety = false;
        QString powod = blad;
        std::shared_ptr<DokumentPdf> dokument;
        if (!pdf.isEmpty()) dokument = OtworzPdf(pdf, &powod);
        if (!dokument) {
            emit niepowodzenie(QStringLiteral("Nie udało się przygotować podglądu wydruku."),
                               QStringLiteral("Problem z podglądem wydruku: ") + powod);
            return;
        }
        auto drukarka = std::make_shared<QPrinter>(QPrinter::HighResolution);
        UstawDrukarke(*drukarka);
        auto* podglad = new QPrintPreviewDialog(drukarka.get(), okno);
        podglad->setAttribute(Qt::WA_DeleteOnClose);
        podglad->setWindowTitle(QStringLiteral("Sondrel – Podgląd wydruku"));
        // 800 x 900, or less where the screen is smaller (its frame included)
        const QSize ekran = okno->screen()->availableGeometry().size() - QSize(16, 48);
        podglad->resize(QSize(800, 900).boundedTo(ekran));
        // The pages are rendered at the size they are shown (the zoom and the screen's pixel
        // ratio), again whenever the zoom changes: a picture made finer and scaled down loses
        // the thin strokes of the letters.
        auto* widok = podglad->findChild<QPrintPreviewWidget*>();
        auto pokazana = std::make_shared<qreal>(0);
        connect(podglad, &QPrintPreviewDialog::paintRequested, podglad,
                [dokument, drukarka, widok, pokazana](QPrinter* p) {
                    if (!widok) {
                        DrukujPdf(*dokument, *p);
                        return;
                    }
                    *pokazana = widok->zoomFactor();
                    const qreal dpi = *pokazana * widok->logicalDpiY() * widok->devicePixelRatioF();
                    DrukujPdf(*dokument, *p, std::max(36, qCeil(dpi)));
                });
        if (widok)
            connect(widok, &QPrintPreviewWidget::previewChanged, podglad, [widok, pokazana] {
                if (*pokazana > 0 && !qFuzzyCompare(widok->zoomFactor(), *pokazana))
                    QTimer::singleShot(0, widok, &QPrintPreviewWidget::updatePreview);
            });
        podglad->open();
        emit podgladOtwarty();
    });
}

} // namespace sondrel
