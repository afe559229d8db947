#include "json_analizy.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "analysis/statystyka_pytan.h"
#include "core/lokalizacja.h"

#include <QJsonArray>
#include <algorithm>

namespace sondrel {

namespace {

QJsonObject JsonTestu(const OTescie& t) {
    return {{"nazwa", t.NazwaTestu},
            {"autor", t.Autor},
            {"typ", t.TypTestu},
            {"iloscPytan", t.IloscPytan},
            {"iloscOdpowiedzi", t.IloscOdpowiedzi},
            {"progi", QJsonObject{{"cel", t.ProgCel},
                                  {"bdb", t.ProgBdb},
                                  {"db", t.ProgDb},
                                  {"dst", t.ProgDst},
                                  {"dp", t.ProgDp}}}};
}

QJsonObject JsonUcznia(const OdpowiedzBig& u, int pytan, bool najpierwImie) {
    QString wynik;
    wynik.reserve(pytan);
    for (int q = 1; q <= pytan; ++q)
        wynik += PoprawnaOdpowiedz(u, q) ? QLatin1Char('1') : QLatin1Char('0');
    return {{"nazwisko", u.Nazwisko},
            {"imie", u.Imie},
            {"nazwa", NazwaUcznia(u, najpierwImie)},
            {"poprawnych", u.Poprawnych},
            {"procent", u.Procent},
            {"ocena", u.Ocena},
            {"startMs", MilisekundyGodziny(u.Start)},
            {"koniecMs", MilisekundyGodziny(u.Koniec)},
            {"zapisMs", MilisekundyGodziny(u.Zapis)},
            {"czasPracyMs", MilisekundyCzasu(CzasPracy(u))},
            {"wynik", wynik}};
}

QJsonObject JsonPytania(const Analiza& a, int q) {
    const StatPytania& s = a.StatPytan[q];
    QJsonArray wybrali;
    for (int k = 1; k <= MaksOdpowiedzi; ++k)
        wybrali.append(s.Wybrali[k]);
    const double latwosc = LatwoscZadania(a, q);
    return {{"nr", q},
            {"poprawnych", s.Poprawnych},
            {"procentPoprawnych", s.ProcentPoprawnych},
            {"wybrali", wybrali},
            {"latwosc", latwosc},
            {"kategoria", KategoriaTrudnosci(latwosc)}};
}

} // namespace

QJsonObject JsonAnalizy(Analiza& a, bool najpierwImie, int pominiete) {
    const int pytan = std::clamp(a.Test.IloscPytan, 0, MaksPytan);
    const int uczniow = std::clamp(a.IloscUczniow, 0, MaksUczniow);

    QJsonArray uczniowie;
    qint64 sumaCzasow = 0;
    for (int s = 1; s <= uczniow; ++s) {
        uczniowie.append(JsonUcznia(a.Uczniowie[s], pytan, najpierwImie));
        sumaCzasow += MilisekundyCzasu(CzasPracy(a.Uczniowie[s]));
    }
    QJsonArray pytania;
    for (int q = 1; q <= pytan; ++q)
        pytania.append(JsonPytania(a, q));

    // The mean working time as the work-time table computes it, kept in the records.
    ObliczSredniCzasPracy(a);
    QJsonArray liczbaOcen;
    for (int g = 1; g <= LiczbaStopni; ++g)
        liczbaOcen.append(a.Test.LiczbaOcen[g]);
    const QJsonObject klasa = {
        {"iloscUczniow", uczniow},
        {"sumaPoprawnych", a.Test.SumaPoprawnych},
        {"procentKlasy", a.Test.ProcentKlasy},
        {"ocenaKlasy", a.Test.OcenaKlasy},
        {"liczbaOcen", liczbaOcen},
        {"sredniaOcen", a.Test.SredniaOcen},
        // Exact: every working time is a whole number of milliseconds.
        {"sredniCzasPracyMs", uczniow > 0 ? ZaokraglijIloraz(sumaCzasow, uczniow) : 0}};

    const StatystykaOpisowa st = ObliczStatystykeOpisowa(a);
    const QJsonObject statystyka = {{"minimum", st.WynikMinimalny},
                                    {"maksimum", st.WynikMaksymalny},
                                    {"rozstep", st.Rozstep},
                                    {"srednia", st.SredniaPunktow},
                                    {"mediana", st.Mediana},
                                    {"modalna", st.Modalna},
                                    {"odchylenie", st.OdchylenieStandardowe},
                                    {"latwosc", st.LatwoscTestu},
                                    {"kategoria", st.KategoriaTestu}};

    return {{"rodzajAnalizy", a.RodzajAnalizy},
            {"test", JsonTestu(a.Test)},
            {"uczniowie", uczniowie},
            {"pytania", pytania},
            {"klasa", klasa},
            {"statystyka", statystyka},
            {"pominiete", pominiete}};
}

} // namespace sondrel
