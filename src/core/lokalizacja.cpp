// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lokalizacja.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace sondrel {

void UstawJezykProgramu() {
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

qint64 ZaokraglijIloraz(qint64 licznik, qint64 mianownik) {
    qint64 iloraz = licznik / mianownik;
    qint64 reszta = licznik % mianownik;
    if (reszta < 0) { // floor division
        --iloraz;
        reszta += mianownik;
    }
    const qint64 podwojona = 2 * reszta;
    if (podwojona > mianownik || (podwojona == mianownik && (iloraz & 1))) ++iloraz;
    return iloraz;
}

QString TekstLiczby(double wartosc) {
    if (!std::isfinite(wartosc)) return QString::number(wartosc);
    if (wartosc == 0) return QStringLiteral("0");
    // Round to 15 significant digits first, then write the result without an exponent. The
    // round trip goes through the locale-free conversions: the C library's would follow
    // LC_NUMERIC, which the toolkit takes from the user's environment.
    char bufor[64];
    const auto zapis =
        std::to_chars(bufor, bufor + sizeof bufor, wartosc, std::chars_format::scientific, 14);
    double zaokraglona = wartosc;
    std::from_chars(bufor, zapis.ptr, zaokraglona);
    const int wykladnik = static_cast<int>(std::floor(std::log10(std::fabs(zaokraglona))));
    const int miejsc = std::max(0, 14 - wykladnik);
    QString tekst = QString::number(zaokraglona, 'f', std::min(miejsc, 340));
    if (tekst.contains(QLatin1Char('.'))) {
        while (tekst.endsWith(QLatin1Char('0')))
            tekst.chop(1);
        if (tekst.endsWith(QLatin1Char('.'))) tekst.chop(1);
    }
    if (tekst == QLatin1String("-0")) tekst = QStringLiteral("0");
    tekst.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return tekst;
}

QString FormatGodzinyDlugiej() {
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    // Drop the time zone (t, tt, ttt, tttt outside quoted text).
    QString wynik;
    bool wCudzyslowie = false;
    for (const QChar z : format) {
        if (z == QLatin1Char('\'')) wCudzyslowie = !wCudzyslowie;
        if (!wCudzyslowie && z == QLatin1Char('t')) continue;
        wynik.append(z);
    }
    return wynik.trimmed();
}

QString TekstDatyKrotkiej(const QDate& data) {
    return QLocale().toString(data, QLocale::ShortFormat);
}

QString TekstGodzinyDlugiej(const QTime& czas) {
    return QLocale().toString(czas, FormatGodzinyDlugiej());
}

} // namespace sondrel
