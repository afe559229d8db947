// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/czas_pracy.h"

#include "core/lokalizacja.h"

#include <algorithm>
#include <cmath>

namespace sondrel {

namespace {

constexpr qint64 MilisekundGodziny = 3'600'000;
constexpr qint64 MilisekundMinuty = 60'000;
constexpr double NajwiecejMilisekund = 4e15; // well inside both double's exact integers and qint64

// Reads 1 or 2 ASCII digits at pozycja; returns -1 when there is none.
int CzytajLiczbe(const QString& tekst, qsizetype& pozycja) {
    int wartosc = 0;
    int cyfr = 0;
    while (pozycja < tekst.size() && cyfr < 3) {
        const char16_t z = tekst.at(pozycja).unicode();
        if (z < u'0' || z > u'9') break;
        wartosc = wartosc * 10 + (z - u'0');
        ++cyfr;
        ++pozycja;
    }
    if (cyfr == 0 || cyfr > 2) return -1;
    return wartosc;
}

bool CzytajTekst(const QString& tekst, qsizetype& pozycja, const QString& wzor) {
    if (wzor.isEmpty() || !QStringView(tekst).mid(pozycja).startsWith(wzor)) return false;
    pozycja += wzor.size();
    return true;
}

} // namespace

qint64 MilisekundyCzasu(double dni) {
    double ms = dni * static_cast<double>(MilisekundDoby);
    if (!std::isfinite(ms)) return 0;
    ms = std::clamp(ms, -NajwiecejMilisekund, NajwiecejMilisekund);
    // std::nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<qint64>(std::nearbyint(ms));
}

double CzasZMilisekund(qint64 milisekundy) {
    return static_cast<double>(milisekundy) / static_cast<double>(MilisekundDoby);
}

qint64 MilisekundyGodziny(DataCzas t) {
    const qint64 reszta = MilisekundyCzasu(t) % MilisekundDoby;
    return reszta < 0 ? reszta + MilisekundDoby : reszta;
}

QTime GodzinaZCzasu(DataCzas t) {
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(MilisekundyGodziny(t)));
}

DataCzas CzasZGodziny(const QTime& godzina) {
    return godzina.isValid() ? CzasZMilisekund(godzina.msecsSinceStartOfDay()) : 0;
}

QString TekstGodziny(DataCzas t) {
    return TekstGodzinyDlugiej(GodzinaZCzasu(t));
}

QString TekstCzasu(double dni) {
    const qint64 ms = std::abs(MilisekundyCzasu(dni)) % MilisekundDoby;
    const qint64 godziny = ms / MilisekundGodziny;
    const qint64 minuty = (ms / MilisekundMinuty) % 60;
    const qint64 sekundy = (ms % MilisekundMinuty) / 1000;
    QString tekst;
    if (godziny > 0) tekst += QString::number(godziny) + QStringLiteral(" godz. ");
    if (minuty > 0) tekst += QString::number(minuty) + QStringLiteral(" min ");
    if (sekundy > 0) tekst += QString::number(sekundy) + QStringLiteral(" s");
    return tekst;
}

double MinutyCzasu(double dni) {
    const qint64 sekundy = (std::abs(MilisekundyCzasu(dni)) % MilisekundDoby) / 1000;
    // minutes * 10 = seconds / 6, rounded half to even
    return static_cast<double>(ZaokraglijIloraz(sekundy, 6)) / 10.0;
}

double CzasPracy(const OdpowiedzBig& uczen) {
    return uczen.Koniec - uczen.Start;
}

DataCzas ObliczSredniCzasPracy(Analiza& analiza) {
    const int n = std::clamp(analiza.IloscUczniow, 0, MaksUczniow);
    long double suma = 0;
    for (int s = 1; s <= n; ++s)
        suma += CzasPracy(analiza.Uczniowie[s]);
    analiza.Test.SredniCzasPracy = n > 0 ? static_cast<double>(suma / n) : 0;
    return analiza.Test.SredniCzasPracy;
}

QString SeparatorGodziny(const QLocale& jezyk) {
    // The first character after the hours in the locale's short time format.
    const QString format = jezyk.timeFormat(QLocale::ShortFormat);
    qsizetype i = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    if (i >= 0) {
        while (i < format.size() && format.at(i).toLower() == QLatin1Char('h'))
            ++i;
        if (i < format.size() && !format.at(i).isLetterOrNumber() && !format.at(i).isSpace() &&
            format.at(i) != QLatin1Char('\''))
            return QString(format.at(i));
    }
    return QStringLiteral(":");
}

std::optional<DataCzas> CzasZTekstu(const QString& tekst, const QLocale& jezyk) {
    const QString t = tekst.trimmed();
    // The companion program writes ":" whatever the reader's locale says; the locale's own
    // separator ("." in Finnish or Danish) is read as well. One text keeps one separator.
    const QString dwukropek = QStringLiteral(":");
    const QString wlasny = SeparatorGodziny(jezyk);
    qsizetype i = 0;

    const int godziny = CzytajLiczbe(t, i);
    if (godziny < 0) return std::nullopt;
    QString separator;
    if (CzytajTekst(t, i, dwukropek))
        separator = dwukropek;
    else if (CzytajTekst(t, i, wlasny))
        separator = wlasny;
    else
        return std::nullopt;
    const int minuty = CzytajLiczbe(t, i);
    if (minuty < 0) return std::nullopt;
    int sekundy = 0;
    if (CzytajTekst(t, i, separator)) {
        sekundy = CzytajLiczbe(t, i);
        if (sekundy < 0) return std::nullopt;
    }
    if (minuty > 59 || sekundy > 59) return std::nullopt;

    // An AM/PM designator, compared without regard to case, where the locale writes one.
    const QString reszta = t.mid(i).trimmed();
    int godzina = godziny;
    if (reszta.isEmpty()) {
        if (godzina > 23) return std::nullopt;
    } else {
        if (!jezyk.timeFormat(QLocale::LongFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive))
            return std::nullopt;
        const bool am =
            !jezyk.amText().isEmpty() && reszta.compare(jezyk.amText(), Qt::CaseInsensitive) == 0;
        const bool pm =
            !jezyk.pmText().isEmpty() && reszta.compare(jezyk.pmText(), Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || godzina < 1 || godzina > 12) return std::nullopt;
        godzina = godzina % 12 + (pm ? 12 : 0);
    }
    return CzasZMilisekund(godzina * MilisekundGodziny + minuty * MilisekundMinuty +
                           qint64{sekundy} * 1000);
}

} // namespace sondrel
