#pragma once
// Lines of a document in the older text form ("Serr0.txp", "Selt0.txp") as raw bytes: the
// substitution decoders work on the stored bytes, so the lines are split before anything is
// read as Windows-1250.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace sondrel {

// The text ends at a zero byte; every CR LF, lone LF or lone CR ends a line, and a line break
// at the very end starts no further line (the same rule as WczytajTekstZPak).
QList<QByteArray> WierszeTxp(QByteArrayView dane);

} // namespace sondrel
