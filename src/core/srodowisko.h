// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every procedure of the program may need besides the analysis records: the program's
// folders, the event journal and the message hand-off.

#include "core/komunikaty.h"

#include <QString>
#include <functional>
#include <memory>

class QLockFile;

namespace sondrel {

struct Foldery {
    QString FolderProgramu;   // the executable's folder, with a trailing separator
    QString FolderDanych;     // the program's own folder under the application data
    QString PlikUstawien;     // Sondrel.ini
    QString FolderTemp;       // reports, their pictures, exported question pictures
    QString PlikDziennika;    // Dziennik.txt
    QString FolderDokumentow; // the user's documents
    // The lock that makes FolderTemp this running copy's own (PrzygotujFoldery takes it).
    std::shared_ptr<QLockFile> BlokadaTemp;
};

class Srodowisko {
public:
    Foldery foldery;
    // Lines whose level is at most this one are written (the setting dfpz).
    int PoziomDziennika = 0;
    Komunikaty komunikaty;
    // Told of every answer file an analysis skips after the first, with the journal's line
    // that names the file by its whole path (the journal names the file alone); the
    // command-line tool prints it.
    std::function<void(const QString& wiersz)> pominietoPlik;

    // Appends one journal line: short date, long time, " - ", text, CR LF, Windows-1250.
    // Never fails to its caller: a line that cannot be written is lost.
    void WpiszDoDziennika(int poziom, const QString& tekst) const;

    void PokazKomunikat(int rodzaj, int ikona, const QString& tekst) {
        komunikaty.PokazKomunikat(rodzaj, ikona, tekst);
    }
    void PokazKomunikat(int rodzaj, int ikona, const QString& tekst, const QString& powod) {
        komunikaty.PokazKomunikat(rodzaj, ikona, tekst, powod);
    }
    // The journal line (level 0) about a later answer file that the analysis skips:
    // `przed`, the file's name, `po`; also given to pominietoPlik with the whole path.
    void PominietoPlik(const QString& sciezka, const QString& przed, const QString& po) const;
    int WynikKomunikatu() const { return komunikaty.WynikKomunikatu; }
};

} // namespace sondrel
