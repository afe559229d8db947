// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/komunikaty.h"

#include <cstdio>

namespace sondrel {

Komunikaty::Komunikaty() : obsluga(KomunikatNaStderr) {}

void Komunikaty::ustawObsluge(Obsluga o) {
    obsluga = o ? std::move(o) : Obsluga(KomunikatNaStderr);
}

void Komunikaty::PokazKomunikat(int rodzaj, int ikona, const QString& tekst) {
    WynikKomunikatu = WynikNie;
    WynikKomunikatu = obsluga(rodzaj, ikona, tekst);
}

QString OdeslanieDoDziennika() {
    return QStringLiteral("Po szczegóły sięgnij do dziennika zdarzeń.");
}

int KomunikatNaStderr(int rodzaj, int, const QString& tekst) {
    QString t = tekst;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", t.toUtf8().constData());
    std::fflush(stderr);
    // Nobody can answer a question here: it is cancelled.
    return JestPytaniem(rodzaj) ? WynikAnuluj : WynikZamknij;
}

} // namespace sondrel
