#pragma once
// What every procedure of the program may need besides the analysis records: the program's
// folders, the event journal and the message hand-off.

#include "core/komunikaty.h"

#include <QString>

namespace sondrel {

struct Foldery {
    QString FolderProgramu;   // the executable's folder, with a trailing separator
    QString FolderDanych;     // the program's own folder under the application data
    QString PlikUstawien;     // Sondrel.ini
    QString FolderTemp;       // reports, their pictures, exported question pictures
    QString PlikDziennika;    // Dziennik.txt
    QString FolderDokumentow; // the user's documents
};

class Srodowisko {
public:
    Foldery foldery;
    // Lines whose level is at most this one are written (the setting dfpz).
    int PoziomDziennika = 0;
    Komunikaty komunikaty;

    // Appends one journal line: short date, long time, " - ", text, CR LF, Windows-1250.
    // Never fails to its caller: a line that cannot be written is lost.
    void WpiszDoDziennika(int poziom, const QString& tekst) const;

    void PokazKomunikat(int rodzaj, int ikona, const QString& tekst) {
        komunikaty.PokazKomunikat(rodzaj, ikona, tekst);
    }
    int WynikKomunikatu() const { return komunikaty.WynikKomunikatu; }
};

} // namespace sondrel
