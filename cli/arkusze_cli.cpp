// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze_cli.h"

#include "arkusze/skoroszyt.h"

namespace sondrel {

namespace {

QString SkladniaArkuszy() {
    return QStringLiteral(
        "\n"
        "Arkusze kalkulacyjne:\n"
        "  sondrel-cli arkusz --do PLIK.xlsx [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n"
        "  arkusz      skoroszyt analizy: arkusze Wyniki, Pytania (z testem), Czas pracy,\n"
        "              Oceny, Klasa, Do dziennika; wypisuje ścieżkę pliku\n"
        "  archiwum porownaj/uczen --do PLIK.xlsx  porównanie klas albo historia ucznia jako\n"
        "              skoroszyt (rozszerzenie pliku wybiera postać)\n");
}

class PolecenieArkusza : public PolecenieCli {
public:
    using PolecenieCli::PolecenieCli;

private:
    bool Rozbierz(const QStringList& argumenty, QString& powod) override {
        OpcjeCli opcje;
        opcje.Przelacznik(QStringLiteral("--imie-najpierw"), imieNajpierw)
            .Wartosc(QStringLiteral("--test"), test)
            .Wartosc(QStringLiteral("--do"), cel);
        if (!opcje.Rozbierz(argumenty, pliki, powod)) return false;
        if (cel.isEmpty() || !SciezkaSkoroszytu(cel)) {
            powod = QStringLiteral("Podaj plik skoroszytu: --do PLIK.xlsx.");
            return false;
        }
        if (pliki.isEmpty()) {
            powod = QStringLiteral("Podaj pliki odpowiedzi.");
            return false;
        }
        return true;
    }

    int Wykonaj() override {
        if (const int kod = Analizuj(pliki, test); kod != KodAnalizaWykonana) return kod;
        const WynikRaportu wynik = ZapiszArkusz(cel, ListyAnalizy(*analiza, imieNajpierw));
        if (!wynik.udany()) {
            Blad(wynik.blad);
            return KodBladZapisu;
        }
        return WypiszSciezke(cel) ? KodAnalizaWykonana : KodBladZapisu;
    }

    bool imieNajpierw = false;
    QString test;
    QString cel;
    QStringList pliki;
};

} // namespace

RodzinaPolecen RodzinaArkuszy() {
    return {{QStringLiteral("arkusz")},
            {},
            SkladniaArkuszy,
            [](QIODevice& wyjscie, QIODevice& bledy) -> std::unique_ptr<PolecenieCli> {
                return std::make_unique<PolecenieArkusza>(wyjscie, bledy);
            }};
}

std::optional<RodzajListy> ListaTabeliCsv(const QString& nazwa) {
    if (nazwa == u"wyniki") return RodzajListy::Wyniki;
    if (nazwa == u"czas") return RodzajListy::CzasPracy;
    if (nazwa == u"oceny") return RodzajListy::Oceny;
    if (nazwa == u"dziennik") return RodzajListy::DoDziennika;
    if (nazwa == u"pytania") return RodzajListy::Pytania;
    return std::nullopt;
}

bool SciezkaSkoroszytu(const QString& sciezka) {
    return sciezka.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

} // namespace sondrel
