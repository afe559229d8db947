// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF tools of the HTML engine module: footers laid over the engine's PDF with qpdf (the
// page's text stays text), the document information set, and PDFs rendered with Qt PDF.
#include "silnik/dokument_pdf.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace sondrel {

namespace {

QString PowodBledu(QPdfDocument::Error blad) {
    switch (blad) {
    case QPdfDocument::Error::None:
        return QStringLiteral("dokument PDF bez stron");
    case QPdfDocument::Error::FileNotFound:
        return QStringLiteral("brak pliku PDF");
    case QPdfDocument::Error::InvalidFileFormat:
        return QStringLiteral("to nie jest poprawny dokument PDF");
    case QPdfDocument::Error::IncorrectPassword:
        return QStringLiteral("dokument PDF chroniony hasłem");
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return QStringLiteral("nieobsługiwane zabezpieczenie dokumentu PDF");
    default:
        return QStringLiteral("nie można odczytać dokumentu PDF");
    }
}

// The title and the creating program in the document information (other entries stay).
void UstawOpis(QPDF& dokument, const OpisPdf& opis) {
    QPDFObjectHandle trailer = dokument.getTrailer();
    QPDFObjectHandle info = trailer.getKey("/Info");
    if (!info.isDictionary()) {
        info = dokument.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", info);
    }
    if (!opis.tytul.isEmpty())
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(opis.tytul.toStdString()));
    if (!opis.tworca.isEmpty())
        info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(opis.tworca.toStdString()));
}

// N pages of A4 holding nothing but the footer, centred in the bottom margin.
QByteArray StronyStopek(int ile, const StopkaPdf& stopka) {
    QByteArray pdf;
    QBuffer bufor(&pdf);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pisarz(&bufor);
    pisarz.setResolution(720);
    pisarz.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(),
                                     QPageLayout::Millimeter));
    pisarz.setCreator(QStringLiteral("Sondrel"));
    QPainter p(&pisarz);
    QFont czcionka(stopka.czcionka);
    czcionka.setPointSizeF(stopka.punkty);
    p.setFont(czcionka);
    p.setPen(Qt::black);
    const QRect strona = pisarz.pageLayout().fullRectPixels(pisarz.resolution());
    const int margines = qRound(stopka.marginesMm / 25.4 * pisarz.resolution());
    const QRect pas(strona.left(), strona.bottom() - margines, strona.width(), margines);
    for (int i = 1; i <= ile; ++i) {
        if (i > 1) pisarz.newPage();
        p.drawText(pas, Qt::AlignCenter, stopka.tekst.arg(i));
    }
    p.end();
    return pdf;
}

// A PDF held in memory, opened with Qt PDF.
class DokumentQtPdf : public DokumentPdf {
public:
    bool Otworz(const QByteArray& pdf, QString* blad) {
        dane = pdf;
        bufor.setBuffer(&dane);
        bufor.open(QIODevice::ReadOnly);
        dokument.load(&bufor);
        if (dokument.status() == QPdfDocument::Status::Ready && dokument.pageCount() > 0)
            return true;
        if (blad) *blad = PowodBledu(dokument.error());
        return false;
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

QByteArray DodajStopkiPdf(const QByteArray& pdf, const StopkaPdf& stopka, const OpisPdf& opis,
                          QString* blad) {
    try {
        QPDF dokument;
        dokument.processMemoryFile("raport", pdf.constData(), size_t(pdf.size()));
        auto strony = QPDFPageDocumentHelper(dokument).getAllPages();
        if (strony.empty()) {
            if (blad) *blad = QStringLiteral("dokument PDF bez stron");
            return {};
        }
        const QByteArray stopki = StronyStopek(int(strony.size()), stopka);
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
        UstawOpis(dokument, opis);
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

DokumentPdf* OtworzDokumentPdf(const QByteArray& pdf, QString* blad) {
    auto* dokument = new DokumentQtPdf;
    if (dokument->Otworz(pdf, blad)) return dokument;
    delete dokument;
    return nullptr;
}

} // namespace sondrel
