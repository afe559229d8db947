// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/schowek_html.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace sondrel {

namespace {

QString TekstRamki(QTextFrame* ramka);

QString TekstKomorki(const QTextTableCell& komorka) {
    QStringList czesci;
    for (auto it = komorka.begin(); !it.atEnd(); ++it) {
        if (QTextFrame* f = it.currentFrame())
            czesci << TekstRamki(f);
        else if (it.currentBlock().isValid())
            czesci << it.currentBlock().text().trimmed();
    }
    czesci.removeAll(QString());
    return czesci.join(QLatin1Char(' ')).replace(QChar::Nbsp, QLatin1Char(' ')).trimmed();
}

QString TekstRamki(QTextFrame* ramka) {
    QStringList wiersze;
    if (auto* tabela = qobject_cast<QTextTable*>(ramka)) {
        for (int r = 0; r < tabela->rows(); ++r) {
            QStringList komorki;
            for (int k = 0; k < tabela->columns(); ++k) {
                const QTextTableCell c = tabela->cellAt(r, k);
                // a cell spanning several columns is written once
                if (c.column() != k || c.row() != r) continue;
                komorki << TekstKomorki(c);
            }
            wiersze << komorki.join(QLatin1Char('\t'));
        }
        return wiersze.join(QLatin1Char('\n'));
    }
    for (auto it = ramka->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* f = it.currentFrame())
            wiersze << TekstRamki(f);
        else if (it.currentBlock().isValid())
            wiersze << it.currentBlock().text().replace(QChar::Nbsp, QLatin1Char(' ')).trimmed();
    }
    return wiersze.join(QLatin1Char('\n'));
}

} // namespace

QString TekstZHtml(const QString& html) {
    QTextDocument dokument;
    dokument.setHtml(html);
    QStringList wiersze = TekstRamki(dokument.rootFrame()).split(QLatin1Char('\n'));
    // no empty lines at the ends, no runs of them inside
    QStringList wynik;
    for (const QString& w : std::as_const(wiersze)) {
        if (w.trimmed().isEmpty() && (wynik.isEmpty() || wynik.constLast().isEmpty())) continue;
        wynik << (w.trimmed().isEmpty() ? QString() : w);
    }
    while (!wynik.isEmpty() && wynik.constLast().isEmpty())
        wynik.removeLast();
    return wynik.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString HtmlWUtf8(const QString& html) {
    // charset=… inside a <meta> tag, in either form (http-equiv content or charset attribute)
    static const QRegularExpression meta(QStringLiteral("<meta\\b[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression zestaw(
        QStringLiteral("(charset\\s*=\\s*[\"']?)([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QString wynik;
    qsizetype od = 0;
    bool deklaracja = false;
    for (auto it = meta.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        QString znacznik = m.captured();
        if (!znacznik.contains(zestaw)) continue;
        deklaracja = true;
        znacznik.replace(zestaw, QStringLiteral("\\1utf-8"));
        wynik += html.mid(od, m.capturedStart() - od) + znacznik;
        od = m.capturedEnd();
    }
    wynik += html.mid(od);
    return deklaracja ? wynik : QStringLiteral("<meta charset=\"utf-8\">") + html;
}

QMimeData* DaneHtmlDoSchowka(const QString& html) {
    auto* dane = new QMimeData;
    dane->setHtml(HtmlWUtf8(html));
    dane->setText(TekstZHtml(html));
    return dane;
}

} // namespace sondrel
