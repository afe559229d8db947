// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame every report shares (document head with its style sheet, the 500-pixel page table
// with the header and footer pictures, the recipient and date lines), the report as a document
// in memory, and the thin layer that saves it into the temporary folder.
//
// A report is built as lines of text (ZbudujRaport… functions, testable without any file) and
// then saved in one piece with the pictures it refers to (ZapiszRaport). Showing the saved file
// (in the report window or the default browser) is the caller's business.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace sondrel {

class Analiza;
class Srodowisko;

// The full style (document type, paragraph classes N1, N2, division w) serves the student and
// question reports; the short style the test, statistics and grade-list reports.
enum class StylRaportu { Pelny, Krotki };

// What every report needs besides the analysis records.
struct UstawieniaRaportu {
    // The text after "Przygotowano dla: " (plain text, escaped when written).
    QString odbiorca;
    // The setting fn: student names first name first.
    bool najpierwImie = false;
};

// The recipient of every report: the user's full name as the system knows it (the first field
// of the passwd entry's comment), else the login name. Computed once for the run.
QString OdbiorcaRaportu();
// The same from an account's comment field ("Jan Kowalski,room,phone…"; "&" stands for the
// login name with a capital first letter) and its login name.
QString OdbiorcaZKonta(const QString& komentarz, const QString& login);

// A picture of the test's container that a report refers to: copied unchanged from the member
// `czlonek` to the file `plik` beside the report.
struct ObrazRaportu {
    QString czlonek;
    QString plik;
};

// A file the report's builder made (a chart's picture), written beside the report.
struct PlikRaportu {
    QString plik;
    QByteArray bajty;
};

struct DokumentRaportu {
    QString nazwaPliku; // the file's name inside the temporary folder
    QStringList wiersze;
    QList<ObrazRaportu> obrazy;
    QList<PlikRaportu> pliki;
    // The test report asks the report window to show an empty page before the report.
    bool najpierwPustaStrona = false;
};

// The report's bytes: every line in Windows-1250 followed by CR LF; a character that
// Windows-1250 cannot hold becomes a numeric character reference.
QByteArray BajtyRaportu(const QStringList& wiersze);

// Head, style sheet, opening of the page table, recipient row and title row.
void ZacznijRaport(QStringList& wiersze, StylRaportu styl, const QString& tytul,
                   const QString& odbiorca);
// Date line (today by Zegar, the locale's short date), closing of the page table.
void ZakonczRaport(QStringList& wiersze);
// The title a report's page shows in its title row, as plain text without the closing
// period ("Informacje o teście"); the page's <title> when it has no title row.
QString TytulRaportu(const QByteArray& strona);

// Text that came from a student's answer file (or the system), made safe as HTML text.
QString TekstHtml(const QString& tekst);

// A name made fit for a file name on Linux and Windows: each of / \ : * ? " < > | and every
// control character becomes "_"; "." and ".." become "_"; a name longer than 200 bytes in UTF-8
// is cut to fit.
QString BezpiecznaNazwaPliku(const QString& nazwa);

// File names of the reports in the temporary folder, from the test's name as stored.
QString NazwaRaportuOTescie(const QString& nazwaTestu);
QString NazwaWykazuOcen(const QString& nazwaTestu); // statistics and grade list share it
QString NazwaRaportuOUczniu(const QString& nazwaTestu, int uczen);
QString NazwaRaportuOPytaniu(const QString& nazwaTestu, int pytanie);

// Writes the picture resource of that name ("Naglowek", "stopka"; letter case ignored)
// unchanged to the file (left as it is when it holds these bytes already; a link in its place is
// replaced). False with a reason in `blad` when there is no such resource or the file cannot be
// written.
bool ZapiszObrazZasobu(const QString& nazwaZasobu, const QString& sciezka, QString* blad = nullptr);

// The outcome of making a report: the path of the saved report, or the message for the user.
struct WynikRaportu {
    QString sciezka;
    QString blad;
    bool najpierwPustaStrona = false;
    bool udany() const { return blad.isEmpty(); }
};

// Whether a picture of the test may be copied under this file name beside the reports: it ends
// with .jpg, .jpeg, .gif, .bmp or .png (any letter case) and does not start with a dot.
bool NazwaObrazuDozwolona(const QString& plik);

// Saves the report into the temporary folder: the test's pictures it refers to (a member that
// cannot be read is left out, and so, with a journal line, is a name NazwaObrazuDozwolona
// refuses; the report goes on), the header and footer pictures, then the report itself, each
// file written whole under a temporary name and renamed, a link in its place replaced. A file
// that cannot be written gives the message and a journal line, and no report path.
WynikRaportu ZapiszRaport(const DokumentRaportu& dokument, const Analiza& analiza,
                          const Srodowisko& srodowisko);

// Saves a report that takes nothing from a test's container into the folder (made when
// missing): the files its builder made, the header and footer pictures, then the report, each
// written whole as ZapiszRaport writes them.
WynikRaportu ZapiszRaportWFolderze(const DokumentRaportu& dokument, const QString& folder,
                                   const Srodowisko& srodowisko);

} // namespace sondrel
