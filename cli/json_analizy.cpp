// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_analizy.h"

#include "analysis/czas_pracy.h"
#include "analysis/ocenianie.h"
#include "analysis/statystyka_opisowa.h"
#include "analysis/statystyka_pytan.h"
#include "core/lokalizacja.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <charconv>

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

// Whether QJsonDocument writes the text as its UTF-8 bytes: printable ASCII but the quote and
// the backslash, and characters outside ASCII that are not surrogates.
bool ZwyklyTekst(QStringView tekst) {
    for (QChar z : tekst) {
        const char16_t u = z.unicode();
        if (u < 0x20 || u == u'"' || u == u'\\' || u == 0x7F || z.isSurrogate()) return false;
    }
    return true;
}

// The UTF-8 bytes of a plain text (ZwyklyTekst: every character is one code point).
void DopiszUtf8(QByteArray& json, QStringView tekst) {
    for (QChar z : tekst) {
        const char16_t u = z.unicode();
        if (u < 0x80) {
            json += char(u);
        } else if (u < 0x800) {
            json += char(0xC0 | (u >> 6));
            json += char(0x80 | (u & 0x3F));
        } else {
            json += char(0xE0 | (u >> 12));
            json += char(0x80 | ((u >> 6) & 0x3F));
            json += char(0x80 | (u & 0x3F));
        }
    }
}

// A string as QJsonDocument writes it, in quotes: a plain text as its UTF-8 bytes; any other
// string by Qt's writer itself, whose escapes the document keeps.
void DopiszTekst(QByteArray& json, const QString& tekst) {
    if (ZwyklyTekst(tekst)) {
        json += '"';
        DopiszUtf8(json, tekst);
        json += '"';
        return;
    }
    const QByteArray tablica = QJsonDocument(QJsonArray{tekst}).toJson(QJsonDocument::Compact);
    json += QByteArrayView(tablica).sliced(1, tablica.size() - 2); // without "[" and "]"
}

// One member of a student's object, at the indentation of the students' objects' members.
void DopiszNazwe(QByteArray& json, const char* nazwa) {
    json += "            \"";
    json += nazwa;
    json += "\": ";
}

// A student as QJsonDocument writes an object at the second level of indentation: members in
// the order of their names (as QJsonObject keeps them), one a line. A class holds hundreds of
// students, so their array is written here rather than built as QJsonObjects first.
void DopiszUcznia(QByteArray& json, const OdpowiedzBig& u, int pytan, bool najpierwImie) {
    const auto liczba = [&json](const char* nazwa, qint64 wartosc, bool ostatnia = false) {
        DopiszNazwe(json, nazwa);
        char cyfry[24];
        const auto koniec = std::to_chars(cyfry, cyfry + sizeof cyfry, wartosc).ptr;
        json.append(cyfry, koniec - cyfry);
        json += ostatnia ? "\n" : ",\n";
    };
    const auto tekst = [&json](const char* nazwa, const QString& wartosc) {
        DopiszNazwe(json, nazwa);
        DopiszTekst(json, wartosc);
        json += ",\n";
    };
    json += "{\n";
    liczba("czasPracyMs", MilisekundyCzasu(CzasPracy(u)));
    tekst("imie", u.Imie);
    liczba("koniecMs", MilisekundyGodziny(u.Koniec));
    // The display name (NazwaUcznia) without making it first, when both names are plain.
    const QString& pierwsza = najpierwImie ? u.Imie : u.Nazwisko;
    const QString& druga = najpierwImie ? u.Nazwisko : u.Imie;
    if (ZwyklyTekst(pierwsza) && ZwyklyTekst(druga)) {
        DopiszNazwe(json, "nazwa");
        json += '"';
        DopiszUtf8(json, pierwsza);
        json += ' ';
        DopiszUtf8(json, druga);
        json += "\",\n";
    } else {
        tekst("nazwa", NazwaUcznia(u, najpierwImie));
    }
    tekst("nazwisko", u.Nazwisko);
    tekst("ocena", u.Ocena);
    liczba("poprawnych", u.Poprawnych);
    liczba("procent", u.Procent);
    liczba("startMs", MilisekundyGodziny(u.Start));
    DopiszNazwe(json, "wynik");
    json += '"';
    for (int q = 1; q <= pytan; ++q)
        json += PoprawnaOdpowiedz(u, q) ? '1' : '0';
    json += "\",\n";
    liczba("zapisMs", MilisekundyGodziny(u.Zapis), true);
    json += "        }";
}

// A value as QJsonDocument writes it as a member of the document's object (nested members
// indented from the first level): an array's only element is written at that level.
QByteArray TekstWartosci(const QJsonValue& wartosc) {
    const QByteArray tablica = QJsonDocument(QJsonArray{wartosc}).toJson(QJsonDocument::Indented);
    // "[\n    " + the value + "\n]\n"
    return tablica.sliced(6, tablica.size() - 6 - 3);
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

QByteArray DokumentJsonAnalizy(Analiza& a, bool najpierwImie, int pominiete) {
    const int pytan = std::clamp(a.Test.IloscPytan, 0, MaksPytan);
    const int uczniow = std::clamp(a.IloscUczniow, 0, MaksUczniow);

    QByteArray uczniowie = "[\n";
    uczniowie.reserve(480 * uczniow + 16);
    qint64 sumaCzasow = 0;
    for (int s = 1; s <= uczniow; ++s) {
        uczniowie += "        ";
        DopiszUcznia(uczniowie, a.Uczniowie[s], pytan, najpierwImie);
        uczniowie += s < uczniow ? ",\n" : "\n";
        sumaCzasow += MilisekundyCzasu(CzasPracy(a.Uczniowie[s]));
    }
    uczniowie += "    ]";
    QJsonArray pytania;
    for (int q = 1; q <= pytan; ++q)
        pytania.append(JsonPytania(a, q));

    // The mean working time as the work-time table computes it, kept in the records.
    ObliczSredniCzasPracy(a);
    // The grade counts as an array from Cel to Ndst and, for readers that look a grade up by
    // its short text, as an object keyed by it.
    QJsonArray liczbaOcen;
    QJsonObject liczbaOcenWgStopnia;
    for (int g = 1; g <= LiczbaStopni; ++g) {
        liczbaOcen.append(a.Test.LiczbaOcen[g]);
        liczbaOcenWgStopnia.insert(SkrotOceny(g), a.Test.LiczbaOcen[g]);
    }
    const QJsonObject klasa = {
        {"iloscUczniow", uczniow},
        {"sumaPoprawnych", a.Test.SumaPoprawnych},
        {"procentKlasy", a.Test.ProcentKlasy},
        {"ocenaKlasy", a.Test.OcenaKlasy},
        {"liczbaOcen", liczbaOcen},
        {"liczbaOcenWgStopnia", liczbaOcenWgStopnia},
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

    const QJsonObject reszta = {{"rodzajAnalizy", a.RodzajAnalizy},
                                {"test", JsonTestu(a.Test)},
                                {"pytania", pytania},
                                {"klasa", klasa},
                                {"statystyka", statystyka},
                                {"pominiete", pominiete}};
    // The document's object as QJsonDocument writes it, its members in the order of their
    // names, the students' array among them.
    const QString kluczUczniow = QStringLiteral("uczniowie");
    QByteArray json = "{\n";
    json.reserve(uczniowie.size() + 64 * 1024);
    bool uczniowieZapisani = false;
    const auto czlon = [&json](const QString& klucz, QByteArrayView wartosc, bool ostatni) {
        json += "    \"";
        json += klucz.toUtf8();
        json += "\": ";
        json += wartosc;
        json += ostatni ? "\n" : ",\n";
    };
    for (auto i = reszta.begin(); i != reszta.end(); ++i) {
        if (!uczniowieZapisani && kluczUczniow < i.key()) {
            czlon(kluczUczniow, uczniowie, false);
            uczniowieZapisani = true;
        }
        czlon(i.key(), TekstWartosci(i.value()), uczniowieZapisani && i + 1 == reszta.end());
    }
    if (!uczniowieZapisani) czlon(kluczUczniow, uczniowie, true);
    json += "}\n";
    return json;
}

} // namespace sondrel
