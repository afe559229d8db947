// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How GoogleTest prints Qt values in its failure messages: a QString in quotes, a QStringList
// as its items between brackets with " | " between them, a QByteArray as quoted text with every
// byte outside printable ASCII escaped (\r, \n, \t, \xHH: a Windows-1250 letter shows as its
// byte), points, sizes and rectangles as their numbers, and colours as #AARRGGBB. Without these
// GoogleTest prints Qt's strings and containers as dumps of their bytes.
//
// Every test program gets this header before its own first line (the test support library's
// compile options), so no test file includes it.

#include <QByteArray>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <ostream>
#ifdef QT_GUI_LIB
#include <QColor>
#endif

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& tekst, std::ostream* os) {
    *os << '"' << tekst.toStdString() << '"';
}
inline void PrintTo(const QStringList& lista, std::ostream* os) {
    *os << '[' << lista.join(QStringLiteral(" | ")).toStdString() << ']';
}
inline void PrintTo(const QByteArray& bajty, std::ostream* os) {
    static const char cyfry[] = "0123456789ABCDEF";
    *os << '"';
    for (const char z : bajty) {
        const auto b = static_cast<unsigned char>(z);
        if (b == '\r')
            *os << "\\r";
        else if (b == '\n')
            *os << "\\n";
        else if (b == '\t')
            *os << "\\t";
        else if (b == '"' || b == '\\')
            *os << '\\' << z;
        else if (b >= 0x20 && b < 0x7F)
            *os << z;
        else
            *os << "\\x" << cyfry[b >> 4] << cyfry[b & 0xF];
    }
    *os << '"';
}
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "QPoint(" << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QPointF& p, std::ostream* os) {
    *os << "QPointF(" << p.x() << ", " << p.y() << ')';
}
inline void PrintTo(const QSize& s, std::ostream* os) {
    *os << "QSize(" << s.width() << ", " << s.height() << ')';
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
}
inline void PrintTo(const QRectF& r, std::ostream* os) {
    *os << "QRectF(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ')';
}
#ifdef QT_GUI_LIB
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << (c.isValid() ? c.name(QColor::HexArgb).toStdString() : std::string("QColor()"));
}
#endif
QT_END_NAMESPACE
