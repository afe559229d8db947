#pragma once
// The program's folders: its own folder under the application data with the settings file,
// the journal and the temporary folder for reports.

#include "core/srodowisko.h"

class QString;

namespace sondrel {

class Analiza;

enum class RodzajFolderu { DaneAplikacji, Dokumenty };

QString FolderSpecjalny(RodzajFolderu rodzaj);

// The executable's folder with a trailing separator.
QString FolderPlikuProgramu();

// Creates the program's folder and sets the paths; touches nothing else (the command-line tool
// uses it, so that the temporary folder of a running desktop program stays as it is).
void UstawFoldery(Srodowisko& srodowisko);

// Creates the program's folder, sets the paths, empties the list of answer files and starts a
// fresh, empty temporary folder.
void PrzygotujFoldery(Srodowisko& srodowisko, Analiza& analiza);

// Empties and removes the temporary folder.
void UsunFolderTemp(const Foldery& foldery);

// Deletes every file in the folder, then the folder itself; failures are ignored (a folder
// that still holds a sub-folder stays).
void WyczyscFolder(const QString& sciezka);

} // namespace sondrel
