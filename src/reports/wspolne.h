#pragma once
// Small helpers shared by the report builders.

#include "core/analiza.h"

#include <QString>
#include <algorithm>

namespace sondrel::raporty {

// The numbers of questions and students that the records can hold, whatever was declared.
inline int Pytan(const Analiza& a) {
    return std::clamp(a.Test.IloscPytan, 0, MaksPytan);
}
inline int Uczniow(const Analiza& a) {
    return std::clamp(a.IloscUczniow, 0, MaksUczniow);
}

// Whether option k (1..5) is shown: A, B and C always, D and E when the test has them.
inline bool OpcjaWidoczna(const Analiza& a, int k) {
    return k <= 3 || k <= a.Test.IloscOdpowiedzi;
}

inline QString Litera(int k) {
    return QString(QChar(u'A' + (k - 1)));
}

inline QString TypTestu(const Analiza& a) {
    return a.Test.TypTestu == 0 ? QStringLiteral("pojedynczego wyboru.")
                                : QStringLiteral("wielokrotnego wyboru.");
}

inline const QString Spacje4 = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;");
inline const QString Kreska = QString(45, QLatin1Char('_'));

} // namespace sondrel::raporty
