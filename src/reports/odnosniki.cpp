// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/odnosniki.h"

#include "core/kodowanie1250.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace sondrel {

QString BezOdwolanZnakow(const QString& tekst) {
    static const QRegularExpression wzor(
        QStringLiteral("&(?:#([0-9]{1,7})|#[xX]([0-9a-fA-F]{1,6})|(amp|lt|gt|quot|apos|nbsp));"));
    QString wynik;
    qsizetype od = 0;
    auto it = wzor.globalMatch(tekst);
    while (it.hasNext()) {
        const auto m = it.next();
        char32_t znak = 0;
        if (m.hasCaptured(1))
            znak = m.captured(1).toUInt();
        else if (m.hasCaptured(2))
            znak = m.captured(2).toUInt(nullptr, 16);
        else {
            const QString nazwa = m.captured(3);
            znak = nazwa == u"amp"    ? U'&'
                   : nazwa == u"lt"   ? U'<'
                   : nazwa == u"gt"   ? U'>'
                   : nazwa == u"quot" ? U'"'
                   : nazwa == u"nbsp" ? U'\u00A0'
                                      : U'\'';
        }
        // no NUL, no surrogate, nothing beyond Unicode: left as written
        if (znak == 0 || (znak >= 0xD800 && znak <= 0xDFFF) || znak > 0x10FFFF) continue;
        wynik += tekst.mid(od, m.capturedStart() - od);
        wynik += QString::fromUcs4(&znak, 1);
        od = m.capturedEnd();
    }
    return wynik + tekst.mid(od);
}

QString AdresPliku(const QString& plik) {
    return QString::fromLatin1(QUrl::toPercentEncoding(plik));
}

QString PlikZAdresu(const QByteArray& adres) {
    const QByteArray bajty =
        QByteArray::fromPercentEncoding(BezOdwolanZnakow(Z1250(adres)).toUtf8());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString nazwa = utf8.decode(bajty);
    if (!utf8.hasError()) return nazwa;
    // Percent-encoded bytes of the page's own code page.
    QByteArray surowy = adres;
    surowy.replace("&amp;", "&");
    return Z1250(QByteArray::fromPercentEncoding(surowy));
}

} // namespace sondrel
