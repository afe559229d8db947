#pragma once
// The commands of sondrel-cli.

#include <QStringList>

namespace sondrel {

// Runs the command line (without the program name); returns the exit status.
int UruchomCli(const QStringList& argumenty);

} // namespace sondrel
