// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of sondrel-cli's commands: the exit statuses, the reading of options, the messages,
// the writing of the output and of files, and the table of command families that the tool
// dispatches on.
//
// A command family is a class derived from PolecenieCli (it reads its arguments in Rozbierz
// and does its work in Wykonaj) and one entry of RodzinyPolecen() in rodziny_polecen.cpp: the
// first words that choose it, whether a command line of it draws (it then needs fonts), its
// part of the usage text and the function that makes the command. Everything else (--help after
// the command, a usage error with its pointer to --help, messages with the file and the reason,
// control characters in messages, the journal, the exit status of a lost output) is done here,
// once for every family.

#include "core/analiza.h"
#include "core/pliki.h"
#include "core/srodowisko.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace sondrel {

// Exit statuses.
constexpr int KodAnalizaWykonana = 0; // also with skipped files or a test that was not usable
constexpr int KodBlednePolecenie = 1; // usage error (the usage text goes to the error output)
constexpr int KodBrakAnalizy = 2;     // the first answer file was refused or no student was read
constexpr int KodBrakTestu = 3;       // a report was asked for but the test could not be used
constexpr int KodBladZapisu = 4;      // an output could not be written
constexpr int KodBlednySzablon = 5;   // a chart template could not be read
// The archive cannot be opened or written, the numbers given do not belong together (no such
// analysis, or analyses of different tests), or an import file is refused.
constexpr int KodBladArchiwum = 6;

// The options of one command: switches and options with a value, in any order among the
// positional arguments; "--" ends the options.
class OpcjeCli {
public:
    using Ustaw = std::function<bool(const QString& wartosc, QString& powod)>;

    OpcjeCli& Przelacznik(const QString& nazwa, bool& cel);
    OpcjeCli& Wartosc(const QString& nazwa, QString& cel);
    // An option whose value is checked: `ustaw` gives false with the reason for a wrong one.
    OpcjeCli& Wartosc(const QString& nazwa, Ustaw ustaw);

    // Reads `argumenty` after the command's name (argumenty[0]): the options into their
    // targets, everything else into `pozycyjne`. False with the reason for an unknown option,
    // a missing value or a wrong one.
    bool Rozbierz(const QStringList& argumenty, QStringList& pozycyjne, QString& powod) const;

private:
    struct Opcja {
        QString nazwa;
        bool* przelacznik = nullptr;
        Ustaw ustaw;
    };
    std::vector<Opcja> opcje;
};

class PolecenieCli {
public:
    PolecenieCli(QIODevice& wyjscie, QIODevice& bledy);
    virtual ~PolecenieCli();
    PolecenieCli(const PolecenieCli&) = delete;
    PolecenieCli& operator=(const PolecenieCli&) = delete;

    // Reads the command line (argumenty[0] is the command's name), prepares the program's
    // folders, journal and messages, and runs the command; the exit status. --help (or -h)
    // among the options prints the command's usage (Pomoc, else `skladnia`) instead, exit 0.
    int Uruchom(const QStringList& argumenty, QString (*skladnia)() = nullptr);

protected:
    // Reads the arguments; false with the reason of the usage error.
    virtual bool Rozbierz(const QStringList& argumenty, QString& powod) = 0;
    // Does the command's work; the exit status.
    virtual int Wykonaj() = 0;
    // The usage that "POLECENIE ... --help" prints (argumenty[0] is the command's name): by
    // default nothing, and the base prints the family's part of the usage.
    virtual QString Pomoc(const QStringList& argumenty) const;

    // One message on the error output: every CR a line break, a line break at the end, every
    // other control character written out (TekstDoTerminala).
    void Blad(const QString& tekst);
    // A usage error: its reason and where the usage is described.
    int BladWywolania(const QString& powod);
    // Bytes on the standard output; false (nothing said) when they do not all go.
    bool Pisz(const QByteArray& bajty);
    // The message of an output that could not be written; KodBladZapisu.
    int BladWyjscia();
    // The command's whole result on the standard output: KodAnalizaWykonana or BladWyjscia().
    int Wypisz(const QByteArray& bajty);
    // The path of a file written, one line on the standard output.
    bool WypiszSciezke(const QString& sciezka);
    // Writes a file (pliki.h's ZapiszPlik) and lists its path; a failure is said with the path
    // and the reason.
    bool ZapiszDoPliku(const QString& sciezka, const QByteArray& bajty,
                       Dowiazanie dowiazanie = Dowiazanie::Podazaj);
    // The analysis of the answer files, as files dropped on the program (with a test: an
    // analysis with the test): KodAnalizaWykonana or KodBrakAnalizy (messages given).
    int Analizuj(const QStringList& pliki, const QString& test);

    Srodowisko srodowisko;
    std::unique_ptr<Analiza> analiza = std::make_unique<Analiza>();

private:
    void PrzygotujSrodowisko();
    void Komunikat(const QString& tekst);

    QIODevice& wyjscie;
    QIODevice& bledy;
    bool dziennik = true; // whether the journal can be written (messages may send the user there)
};

// A family of commands, as the tool's dispatcher sees it.
struct RodzinaPolecen {
    QStringList polecenia; // the first words of the command line that choose it
    // Whether the command line (argumenty[0] is one of `polecenia`) draws charts (fonts, no
    // display); none: it never draws.
    bool (*rysuje)(const QStringList& argumenty);
    QString (*skladnia)(); // its part of the usage text, shown alone by "POLECENIE --help"
    std::unique_ptr<PolecenieCli> (*utworz)(QIODevice& wyjscie, QIODevice& bledy);
};

// Every family, in the order of the usage text.
const std::vector<RodzinaPolecen>& RodzinyPolecen();
// Whether the command line (without the program name) draws charts (the tool then starts with
// fonts).
bool PolecenieRysuje(const QStringList& argumenty);

// The text as it may go to a terminal: every control character but the line break and the tab
// (C0, DEL, C1) written as \xHH, so that a name read from a file cannot move the cursor, change
// colours or the window title.
QString TekstDoTerminala(const QString& tekst);

// Runs the command line (without the program name) with standard output and standard error.
int UruchomCli(const QStringList& argumenty);

// The same writing the command's output to `wyjscie` and the messages (one line per message,
// every CR of a message a line break) to `bledy`. The journal goes to the program's journal at
// the level of the settings file (read, never written; level 0 without a readable one). The
// program's temporary folder is never touched: reports go to the folder given with --do.
int UruchomCli(const QStringList& argumenty, QIODevice& wyjscie, QIODevice& bledy);

// The journal level (setting dfpz) held by the settings file at `sciezka`, read without
// changing the file; 0 when there is no such file or it cannot be read.
int PoziomDziennikaZUstawien(const QString& sciezka);

// The usage text, and the answer to --version ("sondrel-cli" and the version).
QString SkladniaCli();
QString WersjaCli();

} // namespace sondrel
