// SPDX-License-Identifier: GPL-3.0-or-later
// HTML for the clipboard: the clipboard carries UTF-8, so the document it holds declares UTF-8
// whatever its file declared (the table's file says windows-1250), and its readable text.
#include "ui/schowek_html.h"

#include <QMimeData>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <memory>

namespace sondrel {
namespace {

TEST(SchowekHtml, DokumentDeklarujeUtf8) {
    const struct {
        const char* html;
        const char* oczekiwany;
    } przypadki[] = {
        {"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1250\"></head><body><p>Nazwisko i imię</p></body></html>",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=utf-8\"></head><body><p>Nazwisko i imię</p></body></html>"},
        {"<HTML><HEAD><META CHARSET='Windows-1250'></HEAD><BODY>Polska i świat</BODY></HTML>",
         "<HTML><HEAD><META CHARSET='utf-8'></HEAD><BODY>Polska i świat</BODY></HTML>"},
        {"<p>Polska i świat</p>", "<meta charset=\"utf-8\"><p>Polska i świat</p>"},
        // a text that merely mentions a character set is left alone
        {"<meta charset=\"utf-8\"><p>charset=windows-1250</p>",
         "<meta charset=\"utf-8\"><p>charset=windows-1250</p>"},
    };
    for (const auto& p : przypadki) {
        SCOPED_TRACE(p.html);
        const std::unique_ptr<QMimeData> dane(DaneHtmlDoSchowka(QString::fromUtf8(p.html)));
        const QByteArray bajty = dane->data(QStringLiteral("text/html"));
        EXPECT_EQ(bajty, QByteArray(p.oczekiwany));
        // the bytes are the UTF-8 they declare
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString tekst = utf8(bajty);
        EXPECT_FALSE(utf8.hasError());
        EXPECT_EQ(tekst, QString::fromUtf8(p.oczekiwany));
    }
}

} // namespace
} // namespace sondrel
