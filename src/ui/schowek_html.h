// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An HTML document for the clipboard: the document itself as text/html, for word processors and
// spreadsheets, and its readable text as text/plain (table rows as lines, cells separated by
// TABs), for plain editors.

#include <QString>

class QMimeData;

namespace sondrel {

// The readable text of an HTML document: paragraphs as lines, every table row as one line with
// a TAB between its cells.
QString TekstZHtml(const QString& html);

// The document as the clipboard carries it (UTF-8): every character-set declaration in its
// markup says utf-8; a document without one gets it at the start.
QString HtmlWUtf8(const QString& html);

// A new clipboard content holding both forms (the caller hands it to the clipboard); the HTML
// declares UTF-8, what the clipboard holds.
QMimeData* DaneHtmlDoSchowka(const QString& html);

} // namespace sondrel
