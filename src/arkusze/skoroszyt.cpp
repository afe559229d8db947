// SPDX-License-Identifier: GPL-3.0-or-later
#include "arkusze/skoroszyt.h"

#include "arkusze/csv.h"
#include "core/pliki.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <xlsxwriter.h>

namespace sondrel {

namespace {

// The longest text a cell takes.
constexpr qsizetype NajdluzszyTekst = 32767;

// The widths of the columns in characters.
constexpr int NajwezszaKolumna = 5;
constexpr int NajszerszaKolumna = 60;

const std::array<const char*, 8> FormatyLiczb = {
    nullptr,      // Pusta
    nullptr,      // Tekst
    nullptr,      // Liczba
    "0.00",       // DwaMiejsca
    "0%",         // Procent
    "hh:mm:ss",   // Godzina
    "[h]:mm:ss",  // CzasTrwania
    "yyyy-mm-dd", // Data
};

class Formaty {
public:
    explicit Formaty(lxw_workbook* skoroszyt) : skoroszyt(skoroszyt) {}

    lxw_format* Komorki(RodzajKomorki rodzaj, bool pogrubiona) {
        lxw_format*& f = komorki[static_cast<std::size_t>(rodzaj)][pogrubiona ? 1 : 0];
        const char* wzor = FormatyLiczb[static_cast<std::size_t>(rodzaj)];
        if (!f && (wzor || pogrubiona)) {
            f = workbook_add_format(skoroszyt);
            if (wzor) format_set_num_format(f, wzor);
            if (pogrubiona) format_set_bold(f);
        }
        return f;
    }

    lxw_format* Naglowka() {
        if (!naglowek) {
            naglowek = workbook_add_format(skoroszyt);
            format_set_bold(naglowek);
            format_set_bottom(naglowek, LXW_BORDER_THIN);
            format_set_bg_color(naglowek, 0xE4E6EE);
            format_set_pattern(naglowek, LXW_PATTERN_SOLID);
        }
        return naglowek;
    }

private:
    lxw_workbook* skoroszyt;
    std::array<std::array<lxw_format*, 2>, 8> komorki{};
    lxw_format* naglowek = nullptr;
};

double DzienArkusza(const QDate& dzien) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(dzien));
}

class ZapisArkusza {
public:
    ZapisArkusza(lxw_worksheet* arkusz, Formaty& formaty, int kolumn)
        : arkusz(arkusz), formaty(formaty), szerokosci(static_cast<std::size_t>(kolumn), 0) {}

    void Wiersz(lxw_row_t r, const WierszArkusza& wiersz, lxw_format* wymuszony, bool pogrubiony) {
        for (std::size_t c = 0; c < wiersz.size(); ++c) {
            const KomorkaArkusza& k = wiersz[c];
            lxw_format* f = wymuszony ? wymuszony : formaty.Komorki(k.Rodzaj, pogrubiony);
            Komorka(r, static_cast<lxw_col_t>(c), k, f);
            if (c >= szerokosci.size()) szerokosci.resize(c + 1, 0);
            const qsizetype dlugosc =
                k.Rodzaj == RodzajKomorki::Tekst ? k.Tekst.size() : TekstKomorkiCsv(k).size();
            szerokosci[c] = std::max(szerokosci[c], dlugosc + (pogrubiony || wymuszony ? 1 : 0));
        }
    }

    void Szerokosci() {
        for (std::size_t c = 0; c < szerokosci.size(); ++c) {
            const double s =
                std::clamp<qsizetype>(szerokosci[c] + 2, NajwezszaKolumna, NajszerszaKolumna);
            Sprawdz(worksheet_set_column(arkusz, static_cast<lxw_col_t>(c),
                                         static_cast<lxw_col_t>(c), s, nullptr));
        }
    }

    void Sprawdz(lxw_error e) {
        if (e != LXW_NO_ERROR && blad == LXW_NO_ERROR) blad = e;
    }

    lxw_error blad = LXW_NO_ERROR;

private:
    void Komorka(lxw_row_t r, lxw_col_t c, const KomorkaArkusza& k, lxw_format* f) {
        // A value that is not a number would make the sheet unreadable: an empty cell instead.
        if (k.Rodzaj != RodzajKomorki::Tekst && k.Rodzaj != RodzajKomorki::Data &&
            !std::isfinite(k.Wartosc)) {
            Sprawdz(worksheet_write_blank(arkusz, r, c, f));
            return;
        }
        switch (k.Rodzaj) {
        case RodzajKomorki::Pusta:
            if (f) Sprawdz(worksheet_write_blank(arkusz, r, c, f));
            break;
        case RodzajKomorki::Tekst: {
            // A string cell whatever the text: the library never makes a formula, a number or a
            // link of it.
            const QByteArray utf8 = k.Tekst.left(NajdluzszyTekst).toUtf8();
            Sprawdz(utf8.isEmpty() ? (f ? worksheet_write_blank(arkusz, r, c, f) : LXW_NO_ERROR)
                                   : worksheet_write_string(arkusz, r, c, utf8.constData(), f));
            break;
        }
        case RodzajKomorki::Liczba:
        case RodzajKomorki::DwaMiejsca:
        case RodzajKomorki::Procent:
            Sprawdz(worksheet_write_number(arkusz, r, c, k.Wartosc, f));
            break;
        case RodzajKomorki::Godzina:
        case RodzajKomorki::CzasTrwania:
            Sprawdz(worksheet_write_number(arkusz, r, c, k.Wartosc / 86400.0, f));
            break;
        case RodzajKomorki::Data:
            Sprawdz(worksheet_write_number(arkusz, r, c, DzienArkusza(k.Dzien), f));
            break;
        }
    }

    lxw_worksheet* arkusz;
    Formaty& formaty;
    std::vector<qsizetype> szerokosci;
};

lxw_error ZapiszListe(lxw_workbook* skoroszyt, Formaty& formaty, const ListaArkusza& lista) {
    const QByteArray nazwa = NazwaArkusza(lista.Nazwa).toUtf8();
    lxw_worksheet* arkusz = workbook_add_worksheet(skoroszyt, nazwa.constData());
    if (!arkusz) return LXW_ERROR_SHEETNAME_ALREADY_USED;
    const int kolumn = static_cast<int>(lista.Naglowek.size());
    ZapisArkusza zapis(arkusz, formaty, kolumn);
    zapis.Wiersz(0, lista.Naglowek, formaty.Naglowka(), true);
    lxw_row_t r = 1;
    for (const WierszArkusza& w : lista.Wiersze)
        zapis.Wiersz(r++, w, nullptr, false);
    for (const WierszArkusza& w : lista.Ponizej)
        zapis.Wiersz(r++, w, nullptr, true);
    zapis.Szerokosci();
    worksheet_freeze_panes(arkusz, 1, static_cast<lxw_col_t>(lista.ZamrozoneKolumny));
    if (kolumn > 0)
        zapis.Sprawdz(worksheet_autofilter(arkusz, 0, 0,
                                           static_cast<lxw_row_t>(lista.Wiersze.size()),
                                           static_cast<lxw_col_t>(kolumn - 1)));
    return zapis.blad;
}

QString PowodBibliotekiArkuszy(lxw_error e) {
    return QStringLiteral("błąd tworzenia arkusza (%1)").arg(QString::fromUtf8(lxw_strerror(e)));
}

} // namespace

QString NazwaArkusza(const QString& nazwa) {
    QString t;
    for (const QChar z : nazwa) {
        const bool zakazany = z.unicode() < 0x20 || z == u'[' || z == u']' || z == u':' ||
                              z == u'*' || z == u'?' || z == u'/' || z == u'\\';
        t += zakazany ? QChar(u'_') : z;
    }
    while (t.startsWith(u'\''))
        t.remove(0, 1);
    t = t.left(31);
    while (t.endsWith(u'\''))
        t.chop(1);
    return t.isEmpty() ? QStringLiteral("Arkusz") : t;
}

std::optional<QByteArray> Skoroszyt(const std::vector<ListaArkusza>& listy, QString* blad) {
    const auto porazka = [blad](const QString& powod) -> std::optional<QByteArray> {
        if (blad) *blad = powod;
        return std::nullopt;
    };
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/sondrel-arkusz-XXXXXX"));
    if (!folder.isValid()) return porazka(folder.errorString());
    const QByteArray sciezka = QFile::encodeName(folder.filePath(QStringLiteral("a.xlsx")));
    QByteArray tymczasowe = QFile::encodeName(folder.path());
    lxw_workbook_options opcje{};
    opcje.tmpdir = tymczasowe.data();
    lxw_workbook* skoroszyt = workbook_new_opt(sciezka.constData(), &opcje);
    if (!skoroszyt) return porazka(PowodBibliotekiArkuszy(LXW_ERROR_MEMORY_MALLOC_FAILED));
    Formaty formaty(skoroszyt);
    lxw_error e = LXW_NO_ERROR;
    for (const ListaArkusza& lista : listy) {
        e = ZapiszListe(skoroszyt, formaty, lista);
        if (e != LXW_NO_ERROR) break;
    }
    // Closing writes the file (and frees the workbook in any case).
    const lxw_error zamkniecie = workbook_close(skoroszyt);
    if (e == LXW_NO_ERROR) e = zamkniecie;
    if (e != LXW_NO_ERROR) return porazka(PowodBibliotekiArkuszy(e));
    QFile plik(QFile::decodeName(sciezka));
    QString powod;
    if (!OtworzZwyklyPlik(plik, plik.fileName(), &powod)) return porazka(powod);
    QByteArray bajty = plik.readAll();
    if (plik.error() != QFileDevice::NoError) return porazka(PowodBledu(plik, 0));
    return bajty;
}

bool ZapiszSkoroszyt(const QString& sciezka, const std::vector<ListaArkusza>& listy,
                     QString* blad) {
    const auto bajty = Skoroszyt(listy, blad);
    return bajty && ZapiszPlik(sciezka, *bajty, blad);
}

WynikRaportu WynikZapisu(const QString& sciezka, bool zapisano, const QString& powod) {
    WynikRaportu wynik;
    if (zapisano)
        wynik.sciezka = sciezka;
    else
        wynik.blad = QStringLiteral("Nie udało się zapisać pliku ") +
                     QDir::toNativeSeparators(sciezka) + QStringLiteral(": ") + powod;
    return wynik;
}

WynikRaportu ZapiszArkusz(const QString& sciezka, const std::vector<ListaArkusza>& listy) {
    QString blad;
    const bool zapisano = ZapiszSkoroszyt(sciezka, listy, &blad);
    return WynikZapisu(sciezka, zapisano, blad);
}

} // namespace sondrel
