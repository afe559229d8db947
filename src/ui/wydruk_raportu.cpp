// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wydruk_raportu.h"

#include <QPainter>
#include <QPrinter>

namespace sondrel {

const UstawieniaStronyWydruku& UstawStronyWydruku() {
    static const UstawieniaStronyWydruku ustawienia{QStringLiteral(" - Str. %1 - "),
                                                    QString(),
                                                    QStringLiteral("Verdana"),
                                                    10,
                                                    Qt::black,
                                                    19.05,
                                                    QPageLayout::Portrait};
    return ustawienia;
}

QPageLayout UkladStronyRaportu() {
    const auto& u = UstawStronyWydruku();
    const qreal m = u.marginesMm;
    return QPageLayout(QPageSize(QPageSize::A4), u.orientacja, QMarginsF(m, m, m, m),
                       QPageLayout::Millimeter);
}

QString TekstStopki(int strona) {
    return UstawStronyWydruku().stopka.arg(strona);
}

QString TworcaPdf() {
    return QStringLiteral("Zadrix - Sondrel " SONDREL_WERSJA);
}

QByteArray PdfZeStopka(const QByteArray& pdf, const QString& tytul, QString* blad) {
    const auto& u = UstawStronyWydruku();
    return DodajStopkiPdf(pdf, StopkaPdf{u.stopka, u.czcionka, u.punkty, u.marginesMm},
                          OpisPdf{tytul, TworcaPdf()}, blad);
}

void MalujStronePdf(QPainter& p, DokumentPdf& dokument, int strona, const QRectF& cel, int dpi) {
    const QSizeF punkty = dokument.RozmiarStrony(strona);
    if (punkty.isEmpty()) return;
    const qreal skala = std::min<qreal>(dpi, p.device()->logicalDpiX()) / 72.0;
    p.drawImage(cel, dokument.Strona(strona, (punkty * skala).toSize()));
}

void UstawDrukarke(QPrinter& drukarka) {
    drukarka.setPageLayout(UkladStronyRaportu());
    drukarka.setFullPage(true);
}

void DrukujPdf(DokumentPdf& dokument, QPrinter& drukarka, int dpi) {
    QPainter p;
    if (!p.begin(&drukarka)) return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < dokument.IloscStron(); ++i) {
        if (i > 0) drukarka.newPage();
        MalujStronePdf(p, dokument, i, drukarka.paperRect(QPrinter::DevicePixel), dpi);
    }
    p.end();
}

} // namespace sondrel
