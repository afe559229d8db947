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

// A new clipboard content holding both forms (the caller hands it to the clipboard).
QMimeData* DaneHtmlDoSchowka(const QString& html);

} // namespace sondrel
