// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/wzorce.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <gtest/gtest.h>

namespace sondrel::testy {

namespace {

// The text of a golden file as the program writes it.
QByteArray JakoWynik(const QString& tekst, bool* ok) {
    QString wiersze = tekst;
    wiersze.remove(QLatin1Char('\r'));
    wiersze.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QStringEncoder koder("windows-1250");
    const QByteArray bajty = koder(wiersze);
    *ok = !koder.hasError();
    return bajty;
}

// The output as a golden file keeps it; empty with *ok false when that would not give the
// same bytes back (a lone CR or LF, a byte Windows-1250 leaves undefined).
QByteArray JakoWzorzec(const QByteArray& bajty, bool* ok) {
    QString tekst = QStringDecoder("windows-1250")(bajty);
    tekst.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray utf8 = tekst.toUtf8();
    bool zapisany = false;
    *ok = JakoWynik(tekst, &zapisany) == bajty && zapisany;
    return *ok ? utf8 : QByteArray();
}

QString Czytelnie(const QByteArray& wiersz) {
    return QStringDecoder("windows-1250")(wiersz);
}

} // namespace

QByteArray Zawartosc(const QString& sciezka) {
    QFile plik(sciezka);
    return plik.open(QIODevice::ReadOnly) ? plik.readAll() : QByteArray();
}

QByteArray BajtyWzorca(const QStringList& pliki) {
    QByteArray bajty;
    for (const QString& sciezka : pliki) {
        QFile plik(sciezka);
        EXPECT_TRUE(plik.open(QIODevice::ReadOnly)) << "no golden file " << sciezka.toStdString();
        bool ok = false;
        bajty += JakoWynik(QString::fromUtf8(plik.readAll()), &ok);
        EXPECT_TRUE(ok) << sciezka.toStdString() << " holds characters Windows-1250 has not";
    }
    return bajty;
}

void PorownajZPlikamiWzorca(const QByteArray& bajty, const QStringList& pliki) {
    ASSERT_FALSE(pliki.isEmpty());
    const QString ostatni = pliki.last();
    if (qEnvironmentVariableIsSet("SONDREL_NOWE_WZORCE")) {
        const QByteArray poczatek = BajtyWzorca(pliki.mid(0, pliki.size() - 1));
        ASSERT_TRUE(bajty.startsWith(poczatek)) << "the output does not start with the files "
                                                   "before "
                                                << ostatni.toStdString();
        bool ok = false;
        const QByteArray tresc = JakoWzorzec(bajty.mid(poczatek.size()), &ok);
        ASSERT_TRUE(ok) << "the output cannot be kept as UTF-8 text with LF line ends: "
                        << ostatni.toStdString();
        QFile plik(ostatni);
        ASSERT_TRUE(plik.open(QIODevice::WriteOnly)) << ostatni.toStdString();
        ASSERT_EQ(plik.write(tresc), tresc.size());
        return;
    }
    const QByteArray wzorzec = BajtyWzorca(pliki);
    if (bajty == wzorzec) return;
    const QList<QByteArray> mamy = bajty.split('\n'), wzor = wzorzec.split('\n');
    for (qsizetype i = 0; i < std::max(mamy.size(), wzor.size()); ++i)
        if (i >= mamy.size() || i >= wzor.size() || mamy.at(i) != wzor.at(i)) {
            ADD_FAILURE() << QFileInfo(ostatni).fileName().toStdString() << ", line " << i + 1
                          << " of the output"
                          << (i < mamy.size() ? ":\n  got:      " : ": the output ends here")
                          << Czytelnie(mamy.value(i)).toStdString()
                          << (i < wzor.size() ? "\n  expected: " : "\n  the golden files end")
                          << Czytelnie(wzor.value(i)).toStdString();
            return;
        }
}

} // namespace sondrel::testy
