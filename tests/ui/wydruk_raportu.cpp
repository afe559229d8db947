// SPDX-License-Identifier: GPL-3.0-or-later
// The footer " - Str. N - " laid over the pages of a PDF: on every page, as text, over the
// page's own text, which stays text; a damaged PDF is refused with a reason.
#include "ui/wydruk_raportu.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace sondrel {
namespace {

QByteArray PdfStron(const QStringList& teksty) {
    QByteArray pdf;
    QBuffer bufor(&pdf);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pisarz(&bufor);
    pisarz.setPageLayout(UkladStronyRaportu());
    QPainter p(&pisarz);
    for (int i = 0; i < teksty.size(); ++i) {
        if (i > 0) pisarz.newPage();
        p.drawText(QPointF(100, 200), teksty.at(i));
    }
    p.end();
    return pdf;
}

TEST(WydrukRaportu, StopkaNaKazdejStronieJakoTekst) {
    const QStringList strony{"Pierwsza strona", "Druga strona", "Trzecia strona"};
    QString blad;
    QByteArray zeStopka =
        PdfZeStopka(PdfStron(strony), QString::fromUtf8("Informacje o teście"), &blad);
    ASSERT_FALSE(zeStopka.isEmpty()) << blad.toStdString();
    QBuffer bufor(&zeStopka);
    bufor.open(QIODevice::ReadOnly);
    QPdfDocument dokument;
    dokument.load(&bufor);
    ASSERT_EQ(dokument.status(), QPdfDocument::Status::Ready);
    ASSERT_EQ(dokument.pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const QString tekst = dokument.getAllText(i).text();
        EXPECT_TRUE(tekst.contains(strony.at(i))) << tekst.toStdString();
        EXPECT_TRUE(tekst.contains(QStringLiteral("- Str. %1 -").arg(i + 1)))
            << tekst.toStdString();
        // the footer lies in the bottom margin, centred
        const QPdfSelection stopka =
            dokument.getSelectionAtIndex(i, tekst.indexOf(QStringLiteral("Str.")), 4);
        const QRectF gdzie = stopka.boundingRectangle();
        EXPECT_GT(gdzie.top(), 841.9 - 19.05 / 25.4 * 72) << i;
        EXPECT_NEAR(gdzie.center().x(), 595.3 / 2, 25) << i;
    }
    EXPECT_EQ(TekstStopki(12), QStringLiteral(" - Str. 12 - "));
    EXPECT_TRUE(UstawStronyWydruku().naglowek.isEmpty());
}

TEST(WydrukRaportu, UszkodzonyPdfOdrzucony) {
    QString blad;
    EXPECT_TRUE(PdfZeStopka(QByteArray("%PDF-1.4 nic tu nie ma"), {}, &blad).isEmpty());
    EXPECT_FALSE(blad.isEmpty());
}

} // namespace
} // namespace sondrel
