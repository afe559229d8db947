#include "core/kodowanie1250.h"
#include "core/lokalizacja.h"
#include "core/srodowisko.h"
#include "core/zegar.h"

#include <QFile>

namespace sondrel {

// The line is appended rather than the whole file rewritten: the file gets the same lines,
// and two running copies of the program no longer lose each other's lines.
void Srodowisko::WpiszDoDziennika(int poziom, const QString& tekst) const {
    if (PoziomDziennika < poziom || foldery.PlikDziennika.isEmpty()) return;
    const QDateTime teraz = Zegar::teraz();
    const QString wiersz = TekstDatyKrotkiej(teraz.date()) + QLatin1Char(' ') +
                           TekstGodzinyDlugiej(teraz.time()) + QStringLiteral(" - ") + tekst;
    QFile plik(foldery.PlikDziennika);
    if (!plik.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    plik.write(Na1250(wiersz) + "\r\n");
}

} // namespace sondrel
