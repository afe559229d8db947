// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze/csv.h"

#include "core/pliki.h"

#include <algorithm>
#include <cmath>

namespace sondrel {

namespace {

// A real with at most 15 significant digits, no exponent, no trailing zeros, a decimal comma:
// the same whatever locale the program runs in.
QString LiczbaCsv(double wartosc) {
    if (!std::isfinite(wartosc)) return {};
    QString t = QString::number(wartosc, 'g', 15);
    if (t.contains(u'e')) {
        // Very small or very large values: fixed notation with the digits that matter.
        const int wykladnik = static_cast<int>(std::floor(std::log10(std::fabs(wartosc))));
        t = QString::number(wartosc, 'f', std::clamp(14 - wykladnik, 0, 340));
        if (t.contains(u'.')) {
            while (t.endsWith(u'0'))
                t.chop(1);
            if (t.endsWith(u'.')) t.chop(1);
        }
    }
    if (t == u"-0") t = QStringLiteral("0");
    t.replace(u'.', u',');
    return t;
}

QString Setne(std::int64_t setne) {
    const bool ujemne = setne < 0;
    const std::uint64_t m = ujemne ? 0 - static_cast<std::uint64_t>(setne) : setne;
    return (ujemne ? QStringLiteral("-") : QString()) + QString::number(m / 100) + u',' +
           QStringLiteral("%1").arg(m % 100, 2, 10, QLatin1Char('0'));
}

QString Sekundy(double wartosc, bool godzinaDoby) {
    const std::int64_t s = static_cast<std::int64_t>(std::llround(std::fabs(wartosc)));
    const std::int64_t godziny = s / 3600;
    return QStringLiteral("%1:%2:%3")
        .arg(godziny, godzinaDoby ? 2 : 1, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString PoleCsv(const KomorkaArkusza& k) {
    QString t = TekstKomorkiCsv(k);
    if (t.contains(u';') || t.contains(u'"') || t.contains(u'\r') || t.contains(u'\n')) {
        t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        t = u'"' + t + u'"';
    }
    return t;
}

void DopiszWiersz(QByteArray& bajty, const WierszArkusza& wiersz) {
    QString linia;
    for (std::size_t i = 0; i < wiersz.size(); ++i) {
        if (i > 0) linia += u';';
        linia += PoleCsv(wiersz[i]);
    }
    bajty += linia.toUtf8();
    bajty += "\r\n";
}

} // namespace

bool JakFormula(const QString& tekst) {
    if (tekst.isEmpty()) return false;
    switch (tekst.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    default:
        return false;
    }
}

QString TekstKomorkiCsv(const KomorkaArkusza& k) {
    switch (k.Rodzaj) {
    case RodzajKomorki::Pusta:
        return {};
    case RodzajKomorki::Tekst:
        return JakFormula(k.Tekst) ? u'\'' + k.Tekst : k.Tekst;
    case RodzajKomorki::Liczba:
        return LiczbaCsv(k.Wartosc);
    case RodzajKomorki::DwaMiejsca:
        return Setne(k.Setne);
    case RodzajKomorki::Procent:
        return QString::number(k.Setne) + u'%';
    case RodzajKomorki::Godzina:
        return Sekundy(k.Wartosc, true);
    case RodzajKomorki::CzasTrwania:
        return Sekundy(k.Wartosc, false);
    case RodzajKomorki::Data:
        return k.Dzien.toString(Qt::ISODate);
    }
    return {};
}

QByteArray CsvListy(const ListaArkusza& lista) {
    QByteArray bajty("\xEF\xBB\xBF");
    DopiszWiersz(bajty, lista.Naglowek);
    for (const WierszArkusza& w : lista.Wiersze)
        DopiszWiersz(bajty, w);
    for (const WierszArkusza& w : lista.Ponizej)
        DopiszWiersz(bajty, w);
    return bajty;
}

bool ZapiszCsv(const QString& sciezka, const ListaArkusza& lista, QString* blad) {
    return ZapiszPlik(sciezka, CsvListy(lista), blad);
}

} // namespace sondrel
