// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a shown report elsewhere as a web page: the report's file and every picture it refers
// to, so that the saved page shows its pictures wherever it is opened. The pictures go into a
// folder named after the page ("Raport.htm" gets "Raport_pliki/"), the page's references are
// turned towards it, and the page itself is written last, whole, under its name.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sondrel {

// The folder the pictures of a page saved under `sciezka` go to: its name without the ending,
// followed by "_pliki".
QString FolderObrazowKopii(const QString& sciezka);

// The report's bytes with every local picture reference (src="…" that names a file in the
// report's own folder) turned towards `folderObrazow` (a folder name, written into the page).
// `obrazy` receives the referenced files' names inside the report's folder, each once.
QByteArray PrzestawOdnosnikiObrazow(const QByteArray& raport, const QString& folderObrazow,
                                    const QString& folderRaportu, QStringList* obrazy);

// Copies the report `zrodlo` to `cel` with its pictures. The pictures' folder is the program's
// own: whatever stands under its name (a folder, a link to a folder elsewhere, links in place
// of pictures) is replaced, never written into nor through, and files of an older folder that
// the new report does not have stay in it. False with a reason in `blad` when anything could
// not be read or written; then nothing has changed: no page is left under `cel` that was not
// there before, and an older page of that name keeps all its pictures as they were.
// When the report's own page or one of its pictures could not be read (removed from the
// temporary folder under the program), `plikZrodla` gets that file's path; it stays empty when
// the destination failed. The frame's pictures ("naglowek.jpg", "stopka.jpg") are part of every
// report: a reference to one of them that is gone is such a failure, not a reference to skip.
bool ZapiszKopieRaportu(const QString& zrodlo, const QString& cel, QString* blad = nullptr,
                        QString* plikZrodla = nullptr);

// What the user is told when a copy failed: a report file that vanished (or cannot be read) is
// named, with what to do; only a failure of the destination blames the chosen place.
QString KomunikatNieudanejKopii(const QString& plikZrodla, const QString& blad);

} // namespace sondrel
