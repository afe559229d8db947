// SPDX-License-Identifier: GPL-3.0-or-later
#include "wykresy_cli.h"

#include "analysis/przebieg_analizy.h"
#include "chartengine/rysowanie.h"
#include "charts/dane_wykresu.h"
#include "charts/stan_wykresu.h"
#include "charts/szablon_wykresu.h"
#include "core/foldery.h"
#include "core/pliki.h"
#include "polecenia.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <memory>

namespace sondrel {

namespace {

constexpr QSize RozmiarDomyslny(800, 500);

int TypWykresu(const QString& nazwa) {
    if (nazwa == u"wyniki") return 1;
    if (nazwa == u"czas") return 2;
    if (nazwa == u"oceny") return 3;
    return 0;
}

QByteArray Png(const QImage& obraz) {
    QByteArray bajty;
    QBuffer bufor(&bajty);
    bufor.open(QIODevice::WriteOnly);
    obraz.save(&bufor, "PNG");
    return bajty;
}

// A freshly started program's chart state after the chart menu's choice.
std::unique_ptr<StanWykresu> OtworzNowy(const Analiza& analiza, bool najpierwImie, int typ) {
    auto stan = std::make_unique<StanWykresu>();
    stan->ZadanyRodzajWykresu = RodzajDlaTypu(typ);
    OtworzWykres(*stan, analiza, najpierwImie, typ);
    return stan;
}

class PoleceniaWykresow : public PolecenieCli {
public:
    using PolecenieCli::PolecenieCli;

private:
    int Wykonaj() override {
        if (const int kod = Analizuj(pliki, test); kod != KodAnalizaWykonana) return kod;
        auto stan = OtworzNowy(*analiza, imieNajpierw, typ);
        if (szablon) return Zapisz(BajtySzablonu(stan->UstawieniaWykresu));
        if (dane) return Wypisz(QJsonDocument(JsonWykresu(*stan)).toJson(QJsonDocument::Indented));
        if (!plikSzablonu.isEmpty()) {
            QString blad;
            if (!WczytajWzorzecZPliku(*stan, plikSzablonu, &blad)) {
                const QString tekst =
                    QStringLiteral("Nie udało się wczytać wzorca wykresu z pliku %1: %2")
                        .arg(QDir::toNativeSeparators(plikSzablonu), blad);
                srodowisko.WpiszDoDziennika(0, QStringLiteral("Wzorzec wykresu. ") + tekst);
                Blad(tekst);
                return KodBlednySzablon;
            }
        }
        const QString rozszerzenie = QFileInfo(cel).suffix().toLower();
        const QString tytul = stan->Wykres.tytul.wiersze.join(u' ');
        QByteArray bajty;
        if (rozszerzenie == u"svg")
            bajty = chartengine::RysujSvg(stan->Wykres, rozmiar, tytul);
        else if (rozszerzenie == u"pdf")
            bajty = chartengine::RysujPdf(stan->Wykres, rozmiar, tytul);
        else
            bajty = Png(chartengine::RysujObraz(stan->Wykres, rozmiar));
        return Zapisz(bajty);
    }

    int Zapisz(const QByteArray& bajty) {
        return ZapiszDoPliku(cel, bajty) ? KodAnalizaWykonana : KodBladZapisu;
    }

    bool Rozbierz(const QStringList& a, QString& powod) override {
        szablon = a.value(0) == u"szablon";
        OpcjeCli opcje;
        opcje.Przelacznik(QStringLiteral("--imie-najpierw"), imieNajpierw)
            .Wartosc(QStringLiteral("--test"), test);
        if (!szablon) {
            opcje.Wartosc(QStringLiteral("--do"), cel)
                .Przelacznik(QStringLiteral("--dane"), dane)
                .Wartosc(QStringLiteral("--szablon"), plikSzablonu)
                .Wartosc(QStringLiteral("--rozmiar"), [this](const QString& r, QString& powod) {
                    const auto m =
                        QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(r);
                    const int sz = m.hasMatch() ? m.captured(1).toInt() : 0;
                    const int wy = m.hasMatch() ? m.captured(2).toInt() : 0;
                    if (sz < 16 || wy < 16 || sz > 10000 || wy > 10000) {
                        powod = QStringLiteral("Błędny rozmiar wykresu (SZERxWYS, od 16 do "
                                               "10000): ") +
                                r;
                        return false;
                    }
                    rozmiar = QSize(sz, wy);
                    return true;
                });
        }
        QStringList pozycyjne;
        if (!opcje.Rozbierz(a, pozycyjne, powod)) return false;
        if (pozycyjne.isEmpty() || !(typ = TypWykresu(pozycyjne[0]))) {
            powod = pozycyjne.isEmpty() ? QStringLiteral("Podaj wykres: wyniki, czas albo oceny.")
                                        : QStringLiteral("Nieznany wykres: ") + pozycyjne[0];
            return false;
        }
        pozycyjne.removeFirst();
        if (szablon) {
            if (pozycyjne.isEmpty()) {
                powod = QStringLiteral("Podaj plik wzorca PLIK.ssw.");
                return false;
            }
            cel = pozycyjne.takeFirst();
        } else if (dane == !cel.isEmpty()) {
            powod = QStringLiteral("Podaj albo --do PLIK.(png|svg|pdf), albo --dane.");
            return false;
        } else if (!dane) {
            const QString r = QFileInfo(cel).suffix().toLower();
            if (r != u"png" && r != u"svg" && r != u"pdf") {
                powod = QStringLiteral("Wykres zapisuje się jako .png, .svg albo .pdf: ") + cel;
                return false;
            }
        }
        pliki = pozycyjne;
        if (pliki.isEmpty()) {
            powod = QStringLiteral("Podaj pliki odpowiedzi.");
            return false;
        }
        return true;
    }

    bool szablon = false, dane = false, imieNajpierw = false;
    int typ = 0;
    QString cel, plikSzablonu, test;
    QSize rozmiar = RozmiarDomyslny;
    QStringList pliki;
};

QString SkladniaWykresow() {
    return QStringLiteral(
        "Wykresy:\n"
        "  sondrel-cli wykres (wyniki|czas|oceny) --do PLIK.(png|svg|pdf) [--rozmiar SZERxWYS]\n"
        "                     [--szablon PLIK.ssw] [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli wykres (wyniki|czas|oceny) --dane [--imie-najpierw] PLIK.sko...\n"
        "  sondrel-cli szablon (wyniki|czas|oceny) PLIK.ssw [--imie-najpierw] PLIK.sko...\n"
        "  wykres --do  rysuje wykres tak, jak pokazuje go program zaraz po wyborze w menu\n"
        "               (800x500, jeśli nie podano --rozmiar), i wypisuje ścieżkę pliku\n"
        "  wykres --dane  wypisuje dane wykresu jako JSON\n"
        "  szablon      zapisuje wzorzec wykresu (944 bajty), jaki zapisuje \"Zapisz format..\"\n"
        "  Kod wyjścia 5: nie udało się wczytać wzorca wykresu.\n");
}

} // namespace

RodzinaPolecen RodzinaWykresow() {
    return {{QStringLiteral("wykres"), QStringLiteral("szablon")},
            [](const QStringList& argumenty) { return argumenty.value(0) == u"wykres"; },
            SkladniaWykresow,
            [](QIODevice& wyjscie, QIODevice& bledy) -> std::unique_ptr<PolecenieCli> {
                return std::make_unique<PoleceniaWykresow>(wyjscie, bledy);
            }};
}

QJsonObject JsonWykresu(const StanWykresu& stan) {
    const int rodzaj = stan.ZadanyRodzajWykresu;
    QJsonArray punkty;
    if (rodzaj >= 1 && rodzaj <= 3)
        for (const chartengine::Punkt& p : stan.Wykres.serie[rodzaj - 1].punkty)
            punkty.append(QJsonObject{{"etykieta", p.etykieta},
                                      {"wartosc", p.wartosc},
                                      {"kolor", p.kolor.name(QColor::HexRgb).toUpper()}});
    return QJsonObject{{"rodzaj", rodzaj},
                       {"tytul", stan.Wykres.tytul.wiersze.join(u'\n')},
                       {"osPozioma", stan.Wykres.dolna.tytul},
                       {"osPionowa", stan.Wykres.lewa.tytul},
                       {"punkty", punkty}};
}

bool ZapiszWykresyKlasy(const Analiza& analiza, bool najpierwImie,
                        const std::function<bool(const QString&, const QByteArray&)>& zapisz) {
    static const char* const nazwy[3] = {"WykresWynikow", "WykresCzasuPracy", "WykresOcen"};
    for (int typ = 1; typ <= 3; ++typ) {
        const auto stan = OtworzNowy(analiza, najpierwImie, typ);
        const QString nazwa = QString::fromLatin1(nazwy[typ - 1]);
        const QString tytul = stan->Wykres.tytul.wiersze.join(u' ');
        if (!zapisz(nazwa + QStringLiteral(".svg"),
                    chartengine::RysujSvg(stan->Wykres, RozmiarDomyslny, tytul)) ||
            !zapisz(nazwa + QStringLiteral(".png"),
                    Png(chartengine::RysujObraz(stan->Wykres, RozmiarDomyslny))))
            return false;
    }
    return true;
}

} // namespace sondrel
