// SPDX-License-Identifier: GPL-3.0-or-later
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

// The program's own folder under the application data (settings, journal, temporary folder).
QString FolderDanychProgramu();

// Sets the paths and creates the program's folder with every folder above it; touches nothing
// else (the command-line tool uses it, so that the temporary folder of a running desktop
// program stays as it is). A folder that cannot be made is said once (KomunikatBrakuFolderuDanych)
// and gives false: the settings and the journal then cannot be written.
bool UstawFoldery(Srodowisko& srodowisko);

// The message for a program's folder that cannot be made.
QString KomunikatBrakuFolderuDanych(const QString& folder);

// UstawFoldery, then empties the list of answer files and starts a fresh, empty temporary
// folder (a link in its place is removed as a link and a real folder made). The folder is this
// running copy's own, under a lock: "Temp", or "Temp-<pid>" while another copy holds "Temp".
bool PrzygotujFoldery(Srodowisko& srodowisko, Analiza& analiza);

// Empties and removes this copy's temporary folder and lets its lock go; a folder whose lock
// this copy does not hold is left alone.
void UsunFolderTemp(Foldery& foldery);

// Deletes every file and link in the folder, then the folder itself; failures are ignored (a
// folder that still holds a sub-folder stays). Links are removed, never followed: a link in
// the folder's own place is removed alone.
void WyczyscFolder(const QString& sciezka);

} // namespace sondrel
