// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One list of a spreadsheet: a sheet's name, its header row and its rows of typed cells, with
// the rows that follow the list (a sum row) outside it. The lists of an analysis, of a
// comparison of classes and of a student's history are built once as such lists; the workbook
// writer and the CSV writer write the same cells, so the two forms always hold the same
// figures.

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace sondrel {

enum class RodzajKomorki {
    Pusta,
    Tekst,       // a string cell, never a formula or a link, whatever it starts with
    Liczba,      // a number in the general format
    DwaMiejsca,  // a number shown with two decimals (format 0.00)
    Procent,     // a fraction shown as a percent (format 0%): 65 % is 0.65
    Godzina,     // a time of day, whole seconds (format hh:mm:ss)
    CzasTrwania, // a duration, whole seconds (format [h]:mm:ss)
    Data,        // a date (format yyyy-mm-dd)
};

struct KomorkaArkusza {
    RodzajKomorki Rodzaj = RodzajKomorki::Pusta;
    QString Tekst;
    // Liczba, DwaMiejsca: the value; Procent: the fraction; Godzina, CzasTrwania: whole seconds.
    double Wartosc = 0;
    // DwaMiejsca: the value in hundredths as the program rounds it (half to even, exactly),
    // which the CSV form writes (the workbook keeps the exact value); Procent: the percent.
    std::int64_t Setne = 0;
    QDate Dzien;

    static KomorkaArkusza Pusta() { return {}; }
    static KomorkaArkusza Napis(const QString& tekst) {
        return {RodzajKomorki::Tekst, tekst, 0, 0, {}};
    }
    static KomorkaArkusza Liczba(double wartosc) {
        return {RodzajKomorki::Liczba, {}, wartosc, 0, {}};
    }
    static KomorkaArkusza DwaMiejsca(double wartosc, std::int64_t setne) {
        return {RodzajKomorki::DwaMiejsca, {}, wartosc, setne, {}};
    }
    // A whole percent (0..100) as the analysis rounded it.
    static KomorkaArkusza Procent(int procent) {
        return {RodzajKomorki::Procent, {}, procent / 100.0, procent, {}};
    }
    static KomorkaArkusza Godzina(std::int64_t sekundy) {
        return {RodzajKomorki::Godzina, {}, static_cast<double>(sekundy), 0, {}};
    }
    static KomorkaArkusza CzasTrwania(std::int64_t sekundy) {
        return {RodzajKomorki::CzasTrwania, {}, static_cast<double>(sekundy), 0, {}};
    }
    // An invalid date gives an empty cell.
    static KomorkaArkusza Data(const QDate& dzien) {
        if (!dzien.isValid()) return {};
        return {RodzajKomorki::Data, {}, 0, 0, dzien};
    }
};

using WierszArkusza = std::vector<KomorkaArkusza>;

struct ListaArkusza {
    QString Nazwa;          // the sheet's name
    WierszArkusza Naglowek; // the header row (texts, or numbers such as question numbers)
    std::vector<WierszArkusza> Wiersze; // the list itself: under the header and the filter
    std::vector<WierszArkusza> Ponizej; // rows after the list (sums), outside the filter
    int ZamrozoneKolumny = 0;           // columns kept in view beside the frozen header
};

} // namespace sondrel
