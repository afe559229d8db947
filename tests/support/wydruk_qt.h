// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How GoogleTest prints Qt texts in its failure messages: a QString in quotes, a QStringList
// as its items between brackets, " | " between them.

#include <QString>
#include <QStringList>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& tekst, std::ostream* os) {
    *os << '"' << tekst.toStdString() << '"';
}
inline void PrintTo(const QStringList& lista, std::ostream* os) {
    *os << '[' << lista.join(QStringLiteral(" | ")).toStdString() << ']';
}
QT_END_NAMESPACE
