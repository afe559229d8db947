// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which archive both programs use when none is named on the command line, in this order:
//   1. the environment variable SONDREL_ARCHIWUM (a file's path or a server's URI);
//   2. the user's own choice in the desktop program's settings (the key `arch`, a server's URI;
//      anything else there is not taken for a path);
//   3. a school's preset for every account: the first line (not empty, not a "#" comment) of
//      `sondrel/archiwum` in the first folder of $XDG_CONFIG_DIRS (default /etc/xdg) that has
//      such a line;
//   4. Archiwum.sqlite in the program's data folder.
// A data folder that could not be found (no usable home folder) is never guessed: the choice
// then ends without an archive.

#include <QString>

namespace sondrel {

struct Foldery;

// The variable that names the archive for both programs.
inline constexpr char ZmiennaArchiwum[] = "SONDREL_ARCHIWUM";

// The choice with the user's settings read from foldery.PlikUstawien (none when that is empty).
// `skad` (when given) receives where the choice came from, in Polish, for messages. An empty
// result: no archive could be chosen (no data folder, nothing set).
QString WybranyAdresArchiwum(const Foldery& foldery, QString* skad = nullptr);
// The same with the settings' `arch` value as the running desktop program holds it.
QString WybranyAdresArchiwum(const QString& arch, const Foldery& foldery, QString* skad = nullptr);

// Whether the user's data folder can be found without guessing: $XDG_DATA_HOME is an absolute
// path, or $HOME is an absolute path other than "/" naming an existing folder.
bool FolderDanychDoUstalenia();

} // namespace sondrel
