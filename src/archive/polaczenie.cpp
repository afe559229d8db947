// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/polaczenie.h"

#include <QSqlDatabase>
#include <QUrl>
#include <QUrlQuery>

namespace sondrel {

namespace {

constexpr int DomyslnyCzasLaczenia = 5; // seconds

// libpq parameters a URI may set; anything else is refused rather than silently ignored.
const QStringList DozwoloneParametry = {
    QStringLiteral("sslmode"),
    QStringLiteral("sslrootcert"),
    QStringLiteral("sslcert"),
    QStringLiteral("sslkey"),
    QStringLiteral("sslcrl"),
    QStringLiteral("connect_timeout"),
    QStringLiteral("application_name"),
    QStringLiteral("options"),
    QStringLiteral("target_session_attrs"),
    QStringLiteral("gssencmode"),
    QStringLiteral("sslcompression"),
    QStringLiteral("keepalives"),
    QStringLiteral("keepalives_idle"),
    QStringLiteral("channel_binding"),
};

QString Odkoduj(const QString& s) {
    return QUrl::fromPercentEncoding(s.toUtf8());
}

// A value as libpq's conninfo text quotes it.
QString Cytuj(const QString& s) {
    QString t = s;
    t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    t.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

} // namespace

bool JestAdresemSerwera(const QString& adres) {
    return adres.startsWith(QLatin1String("postgresql://")) ||
           adres.startsWith(QLatin1String("postgres://"));
}

QString AdresSerwera::Opis() const {
    QString opis;
    if (!Uzytkownik.isEmpty()) opis += Uzytkownik + QLatin1Char('@');
    const bool gniazdo = Host.isEmpty() || Host.startsWith(QLatin1Char('/'));
    opis += gniazdo ? QStringLiteral("localhost") : Host;
    if (Port > 0) opis += QLatin1Char(':') + QString::number(Port);
    opis += QLatin1Char('/') + Baza;
    if (Host.startsWith(QLatin1Char('/'))) opis += QStringLiteral(" (gniazdo %1)").arg(Host);
    return opis;
}

std::optional<AdresSerwera> RozbierzAdresSerwera(const QString& adres, QString& blad) {
    const auto zly = [&](const QString& powod) -> std::optional<AdresSerwera> {
        blad = QStringLiteral("Błędny adres archiwum na serwerze: %1.").arg(powod);
        return std::nullopt;
    };
    if (!JestAdresemSerwera(adres)) return zly(QStringLiteral("oczekiwano postgresql://…"));
    QString reszta = adres.mid(adres.indexOf(QLatin1String("://")) + 3);
    QString zapytanie;
    if (const qsizetype q = reszta.indexOf(QLatin1Char('?')); q >= 0) {
        zapytanie = reszta.mid(q + 1);
        reszta.truncate(q);
    }
    QString sciezka;
    if (const qsizetype s = reszta.indexOf(QLatin1Char('/')); s >= 0) {
        sciezka = reszta.mid(s + 1);
        reszta.truncate(s);
    }
    AdresSerwera a;
    QString hostPort = reszta;
    if (const qsizetype m = reszta.lastIndexOf(QLatin1Char('@')); m >= 0) {
        const QString uzytkownik = reszta.left(m);
        hostPort = reszta.mid(m + 1);
        if (uzytkownik.contains(QLatin1Char(':')))
            return zly(QStringLiteral("hasła nie podaje się w adresie (program go nie zapisuje; "
                                      "użyj pliku ~/.pgpass albo zmiennej PGPASSWORD)"));
        a.Uzytkownik = Odkoduj(uzytkownik);
    }
    if (hostPort.contains(QLatin1Char(','))) return zly(QStringLiteral("podaj jeden serwer"));
    QString portTekst;
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype k = hostPort.indexOf(QLatin1Char(']'));
        if (k < 0) return zly(QStringLiteral("niedomknięty adres IPv6"));
        a.Host = hostPort.mid(1, k - 1);
        const QString po = hostPort.mid(k + 1);
        if (!po.isEmpty()) {
            if (!po.startsWith(QLatin1Char(':'))) return zly(QStringLiteral("błędny port"));
            portTekst = po.mid(1);
        }
    } else if (const qsizetype d = hostPort.indexOf(QLatin1Char(':')); d >= 0) {
        a.Host = Odkoduj(hostPort.left(d));
        portTekst = hostPort.mid(d + 1);
    } else {
        a.Host = Odkoduj(hostPort);
    }
    const auto ustawPort = [&](const QString& tekst) {
        bool ok = false;
        const int port = tekst.toInt(&ok);
        if (!ok || port < 1 || port > 65535) return false;
        a.Port = port;
        return true;
    };
    if (!portTekst.isEmpty() && !ustawPort(portTekst)) return zly(QStringLiteral("błędny port"));
    a.Baza = Odkoduj(sciezka);
    bool czasPodany = false;
    for (const QString& para : zapytanie.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype r = para.indexOf(QLatin1Char('='));
        const QString klucz = Odkoduj(r < 0 ? para : para.left(r));
        const QString wartosc = r < 0 ? QString() : Odkoduj(para.mid(r + 1));
        if (klucz == u"host") {
            a.Host = wartosc;
        } else if (klucz == u"port") {
            if (!ustawPort(wartosc)) return zly(QStringLiteral("błędny port"));
        } else if (klucz == u"dbname") {
            a.Baza = wartosc;
        } else if (klucz == u"user") {
            a.Uzytkownik = wartosc;
        } else if (klucz == u"password" || klucz == u"passfile") {
            return zly(QStringLiteral("hasła nie podaje się w adresie (program go nie zapisuje; "
                                      "użyj pliku ~/.pgpass albo zmiennej PGPASSWORD)"));
        } else if (DozwoloneParametry.contains(klucz)) {
            if (wartosc.contains(QLatin1Char(';')))
                return zly(QStringLiteral("błędna wartość %1").arg(klucz));
            a.Parametry.emplace_back(klucz, wartosc);
            czasPodany = czasPodany || klucz == u"connect_timeout";
        } else {
            return zly(QStringLiteral("nieznany parametr %1").arg(klucz));
        }
    }
    if (a.Host.contains(QLatin1Char(',')) || a.Host.contains(QLatin1Char(';')))
        return zly(QStringLiteral("podaj jeden serwer"));
    if (a.Baza.isEmpty()) return zly(QStringLiteral("brak nazwy bazy danych"));
    if (!czasPodany)
        a.Parametry.emplace_back(QStringLiteral("connect_timeout"),
                                 QString::number(DomyslnyCzasLaczenia));
    return a;
}

QString AdresArchiwum(const UstawieniaArchiwum& u, const QString& sciezkaPliku) {
    if (!u.Serwer) return sciezkaPliku;
    const auto koduj = [](const QString& s) {
        return QString::fromLatin1(QUrl::toPercentEncoding(s));
    };
    QString adres = QStringLiteral("postgresql://");
    if (!u.Uzytkownik.isEmpty()) adres += koduj(u.Uzytkownik) + QLatin1Char('@');
    QStringList zapytanie;
    if (u.Host.startsWith(QLatin1Char('/')))
        zapytanie.append(QStringLiteral("host=") + koduj(u.Host));
    else if (u.Host.contains(QLatin1Char(':')))
        adres += QLatin1Char('[') + u.Host + QLatin1Char(']');
    else
        adres += koduj(u.Host);
    if (u.Port > 0 && u.Port != 5432) {
        if (u.Host.startsWith(QLatin1Char('/')))
            zapytanie.append(QStringLiteral("port=%1").arg(u.Port));
        else
            adres += QStringLiteral(":%1").arg(u.Port);
    }
    adres += QLatin1Char('/') + koduj(u.Baza);
    if (!u.Sslmode.isEmpty()) zapytanie.append(QStringLiteral("sslmode=") + koduj(u.Sslmode));
    if (!zapytanie.isEmpty()) adres += QLatin1Char('?') + zapytanie.join(QLatin1Char('&'));
    return adres;
}

UstawieniaArchiwum UstawieniaZAdresu(const QString& adres) {
    UstawieniaArchiwum u;
    QString blad;
    const auto a = JestAdresemSerwera(adres) ? RozbierzAdresSerwera(adres, blad) : std::nullopt;
    if (!a) return u;
    u.Serwer = true;
    u.Host = a->Host;
    u.Port = a->Port > 0 ? a->Port : 5432;
    u.Baza = a->Baza;
    u.Uzytkownik = a->Uzytkownik;
    for (const auto& [klucz, wartosc] : a->Parametry)
        if (klucz == u"sslmode") u.Sslmode = wartosc;
    return u;
}

void UstawPolaczenieSerwera(QSqlDatabase& baza, const AdresSerwera& adres) {
    if (!adres.Host.isEmpty()) baza.setHostName(adres.Host);
    if (adres.Port > 0) baza.setPort(adres.Port);
    baza.setDatabaseName(adres.Baza);
    if (!adres.Uzytkownik.isEmpty()) baza.setUserName(adres.Uzytkownik);
    QStringList opcje;
    for (const auto& [klucz, wartosc] : adres.Parametry)
        opcje.append(klucz + QLatin1Char('=') + Cytuj(wartosc));
    baza.setConnectOptions(opcje.join(QLatin1Char(';')));
}

} // namespace sondrel
