// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive of analyses: one database (by default the SQLite file Archiwum.sqlite in the
// program's data folder) holding whole analyses. Everything goes through Qt SQL; the few
// statements that differ between SQLite and PostgreSQL come from one dialect table
// (archive/dialekt.h). Every write is one transaction: an interrupted add leaves the archive as
// it was. A file that is not a readable archive is never written to: opening it is refused, and
// only OdlozUszkodzone sets it aside.
//
// Use: Archiwum a; if (!a.Otworz(sciezka)) show a.Blad(); then Dodaj, Lista, Wczytaj,
// HistoriaUcznia, Usun, ZmienOpis, Eksport, Import. Each call that fails gives false or nothing
// and leaves its Polish message in Blad(). An Archiwum is used from the thread that opened it
// (a Qt SQL connection belongs to its thread); several Archiwum objects, in one process or
// many, may work on one file at once.

#include "archive/analiza_archiwalna.h"

#include <QByteArray>
#include <QDate>
#include <QIODevice>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace sondrel {

struct Foldery;

// What opening found.
enum class StanArchiwum {
    Zamkniete,    // not opened yet, or closed
    Otwarte,      // ready
    BrakDostepu,  // the file or its folder cannot be read, made or written
    Uszkodzone,   // not a database, or a damaged one
    Obce,         // a database of another program
    NowszaWersja, // written by a newer version of the program
};

// One line of the list: an analysis without its students.
struct WpisArchiwum {
    qint64 Id = 0;
    QString Klasa;
    QDate DataNapisania;
    QDateTime Dodano;
    qint32 IloscUczniow = 0;
    qint32 ProcentKlasy = 0; // as the analysis computes it, from the stored students
    QString NazwaTestu;
    QString Autor;
    qint32 IloscPytan = 0;
    qint32 IloscOdpowiedzi = 0;
    qint32 TypTestu = 0;
    QString Odcisk;
    // Who added it: on a server the database role, in a file the user's login name; empty for
    // an entry older than the archive's record of it.
    QString Dodal;

    bool operator==(const WpisArchiwum&) const = default;
};

// One archived result of a student.
struct WynikUcznia {
    WpisArchiwum Analiza; // the analysis it belongs to
    QString Nazwisko;     // as stored
    QString Imie;
    qint32 Poprawnych = 0;
    qint32 Procent = 0;
    QString Ocena;
};

struct WynikDodania {
    qint64 Id = 0;
    bool JuzBylo = false; // the same set of answer files was already archived: nothing added
};

struct WynikImportu {
    int Dodane = 0;
    int JuzByly = 0;
    int Odrzucone = 0;
    std::vector<QString> Powody; // one Polish reason per refused analysis, in the source's order
};

struct WynikUsunieciaUcznia {
    int UsunieteWyniki = 0;  // the student's results removed
    int UsunieteAnalizy = 0; // analyses left with no student, removed with them
};

// The message of an add that found the class already archived.
QString KomunikatJuzWArchiwum();

class Archiwum {
public:
    Archiwum();
    ~Archiwum();
    Archiwum(const Archiwum&) = delete;
    Archiwum& operator=(const Archiwum&) = delete;

    // Archiwum.sqlite in the program's data folder.
    static QString DomyslnaSciezka(const Foldery& foldery);

    // Opens the archive file, making it (mode 0600) with the current schema when it does not
    // exist or is empty, and bringing an older schema up to date. Refuses, touching nothing,
    // a file that is not a readable archive; the message says what happened (a full disk, no
    // rights, another process holding the file past the busy timeout) and advises setting the
    // file aside only when SQLite's integrity check finds it damaged. A file or folder this
    // user may not write is opened for reading only (list, read, export). A postgresql:// URI
    // (archive/polaczenie.h) opens a database on a server instead, with the same schema, made and
    // migrated the same way.
    bool Otworz(const QString& sciezka);
    void Zamknij();
    // Where opening writes a journal line about what it chose for a file (a network folder
    // gets a rollback journal instead of WAL, and the line says why).
    void UstawDziennik(std::function<void(const QString& wiersz)> dziennik);
    StanArchiwum Stan() const;
    QString Sciezka() const; // the file's path or the server's URI
    // The archive as messages name it: the file's path, or "na serwerze user@host/baza".
    QString Opis() const;
    QString Blad() const;

    // Sets the file aside as <name>.uszkodzone-<RRRR-MM-DD> (with -N added when that name is
    // taken), with its -wal and -shm companions, so that the next Otworz starts a new archive.
    // The archive must not be open on it. Refuses a healthy archive (one that passes SQLite's
    // integrity check and holds a schema this program reads). Gives the new name, or nothing
    // with a message.
    static std::optional<QString> OdlozUszkodzone(const QString& sciezka, QString& blad);

    // Stores the whole analysis in one transaction and sets its Id, Odcisk and Dodano (unless
    // Dodano is already set, as an import does). The same set of answer-file hashes already
    // archived adds nothing and gives the existing entry with JuzBylo.
    std::optional<WynikDodania> Dodaj(AnalizaArchiwalna& analiza);

    // Every analysis, oldest written first (date written, then id).
    std::optional<std::vector<WpisArchiwum>> Lista();
    // One whole analysis; nothing (with a message) when there is no such id.
    std::optional<AnalizaArchiwalna> Wczytaj(qint64 id);
    // Every result of the student, oldest first; surname and first name compared without
    // regard to letter case and surrounding or repeated spaces.
    std::optional<std::vector<WynikUcznia>> HistoriaUcznia(const QString& nazwisko,
                                                           const QString& imie);
    // The same for "NAZWISKO IMIĘ" in one text.
    std::optional<std::vector<WynikUcznia>> HistoriaUcznia(const QString& nazwiskoIImie);
    bool Usun(qint64 id);
    bool ZmienOpis(qint64 id, const QString& klasa, const QDate& dataNapisania);

    // Erasing a student: removes the student's results (compared as HistoriaUcznia compares
    // names) and the records of their answer files from every analysis the caller may change,
    // and nothing of other students, in one transaction; each changed analysis gets its stored
    // figures (number of students, class percent, the answer files' fingerprint) computed
    // again from the students left, and an analysis left with no student is removed. A
    // failure leaves the archive as it was. What would go is previewed with HistoriaUcznia.
    // An answer file's record goes when its name holds the student's surname and first name
    // (the archive keeps no other link from a student to the file).
    std::optional<WynikUsunieciaUcznia> UsunUcznia(const QString& nazwiskoIImie);
    // Retention: removes, in one transaction, the analyses written (date written) before
    // `dzien` that the caller may delete; gives how many.
    std::optional<int> UsunPrzed(const QDate& dzien);

    // The whole archive as one JSON document (see eksport_archiwum.h); nothing on failure.
    // An analysis whose rows cannot be read (a damaged row) is left out and named, with the
    // reason, in *pominiete; the others are exported.
    std::optional<QByteArray> Eksport(std::vector<QString>* pominiete = nullptr);
    // The same written to a device as a stream, one analysis at a time; false on failure.
    bool Eksport(QIODevice& cel, std::vector<QString>* pominiete = nullptr);
    // Adds every analysis of such a document, each in its own transaction, skipping those
    // already archived and going on past a refused one (its reason in Powody). Every figure
    // of a student is computed again from the answers and the key. A document that cannot be
    // read at all adds nothing and gives nothing. The device is read analysis by analysis.
    std::optional<WynikImportu> Import(const QByteArray& json);
    std::optional<WynikImportu> Import(QIODevice& zrodlo);

    // Adds every analysis of another archive (a teacher's file into the school's server, or
    // back), one at a time and each in its own transaction, skipping those already here (the
    // same set of answer files) and going on past one that cannot be read or stored (its
    // reason in Powody). Copying again adds what was refused once the cause is gone.
    std::optional<WynikImportu> KopiujZ(Archiwum& zrodlo);

    // The same with files: the export written (mode 0600: it holds names) under a temporary
    // name and renamed (a failure leaves an earlier file whole), the import read from a file.
    // *bladPliku tells a file that could not be written from an archive that could not be read.
    bool EksportDoPliku(const QString& sciezka, std::vector<QString>* pominiete = nullptr,
                        bool* bladPliku = nullptr);
    std::optional<WynikImportu> ImportZPliku(const QString& sciezka);
    // Writes an export document to a file as EksportDoPliku does.
    static bool ZapiszPlikEksportu(const QByteArray& dokument, const QString& sciezka,
                                   QString& blad);

    // The name by which Qt SQL knows this archive's connection (for tests and tools).
    QString NazwaPolaczenia() const;
    // The database's own (English) text of the last failure, for a journal; Blad() is Polish.
    QString SzczegolyBledu() const;
    // Who adds in this archive once open: the server's role, or the user's login name.
    QString Dodajacy() const;

private:
    struct Dane;
    std::unique_ptr<Dane> d;
};

// The normalised form of a student's name by which the history looks them up.
QString KluczUcznia(const QString& nazwiskoIImie);

} // namespace sondrel
