// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a browser makes of a saved report's picture links: each src="…" of the page resolved as
// a browser resolves it against the page's own folder (the page read as Windows-1250, the path
// percent-decoded as UTF-8), without the program's own link reader.

#include <QString>
#include <QStringList>

namespace sondrel::testy {

// The local files the page's picture links lead to, in the page's order (each once).
QStringList PlikiOdnosnikow(const QString& strona);
// Those of them that are not files.
QStringList OdnosnikiBezPlikow(const QString& strona);

} // namespace sondrel::testy
