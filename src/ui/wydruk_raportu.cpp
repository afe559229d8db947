#include "ui/wydruk_raportu.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QPrinter>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

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

namespace {

// N pages of A4 holding nothing but the footer, centred in the bottom margin.
QByteArray StronyStopek(int ile) {
    const auto& u = UstawStronyWydruku();
    QByteArray pdf;
    QBuffer bufor(&pdf);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pisarz(&bufor);
    pisarz.setResolution(720);
    pisarz.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), u.orientacja, QMarginsF(), QPageLayout::Millimeter));
    pisarz.setCreator(QStringLiteral("Sondrel"));
    QPainter p(&pisarz);
    QFont czcionka(u.czcionka);
    czcionka.setPointSizeF(u.punkty);
    p.setFont(czcionka);
    p.setPen(u.kolor);
    const QRect strona = pisarz.pageLayout().fullRectPixels(pisarz.resolution());
    const int margines = qRound(u.marginesMm / 25.4 * pisarz.resolution());
    const QRect pas(strona.left(), strona.bottom() - margines, strona.width(), margines);
    for (int i = 1; i <= ile; ++i) {
        if (i > 1) pisarz.newPage();
        p.drawText(pas, Qt::AlignCenter, TekstStopki(i));
    }
    p.end();
    return pdf;
}

} // namespace

QByteArray PdfZeStopka(const QByteArray& pdf, QString* blad) {
    try {
        QPDF dokument;
        dokument.processMemoryFile("raport", pdf.constData(), size_t(pdf.size()));
        auto strony = QPDFPageDocumentHelper(dokument).getAllPages();
        if (strony.empty()) {
            if (blad) *blad = QStringLiteral("dokument PDF bez stron");
            return {};
        }
        const QByteArray stopki = StronyStopek(int(strony.size()));
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

void MalujStronePdf(QPainter& p, QPdfDocument& dokument, int strona, const QRectF& cel, int dpi) {
    const QSizeF punkty = dokument.pagePointSize(strona);
    if (punkty.isEmpty()) return;
    // no finer than the device, no finer than dpi
    const qreal skala = std::min<qreal>(dpi, p.device()->logicalDpiX()) / 72.0;
    const QSize rozmiar = (punkty * skala).toSize();
    const QImage obraz = dokument.render(strona, rozmiar);
    p.drawImage(cel, obraz);
}

void UstawDrukarke(QPrinter& drukarka) {
    drukarka.setPageLayout(UkladStronyRaportu());
    drukarka.setFullPage(true);
}

void DrukujPdf(QPdfDocument& dokument, QPrinter& drukarka) {
    QPainter p;
    if (!p.begin(&drukarka)) return;
    for (int i = 0; i < dokument.pageCount(); ++i) {
        if (i > 0) drukarka.newPage();
        MalujStronePdf(p, dokument, i, drukarka.paperRect(QPrinter::DevicePixel));
    }
    p.end();
}

} // namespace sondrel
