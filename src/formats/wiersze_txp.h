// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines of a text member as raw bytes: the documents in the older text form ("Serr0.txp",
// "Selt0.txp") are split before anything is read as Windows-1250, because the substitution
// decoders work on the stored bytes; WczytajTekstZPak decodes the same lines.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace sondrel {

// The text ends at a zero byte; every CR LF, lone LF or lone CR ends a line, and a line break
// at the very end starts no further line.
QList<QByteArray> WierszeTxp(QByteArrayView dane);

} // namespace sondrel
