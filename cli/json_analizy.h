// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis as one JSON object: the kind of analysis, the test as the answer files declare
// it, every student in the sorted order, every question's statistics, the class figures, the
// descriptive statistics and the number of answer files that were skipped.

#include "core/analiza.h"

#include <QByteArray>

namespace sondrel {

// The document's bytes, as QJsonDocument writes the object indented (UTF-8, object keys in the
// order of their names). `najpierwImie` is the setting fn (the display name); `pominiete` the
// number of answer files given minus the students read. Times are milliseconds: times of day
// since midnight, working times as end minus start (signed), the class mean rounded half to
// even.
QByteArray DokumentJsonAnalizy(Analiza& analiza, bool najpierwImie, int pominiete);

} // namespace sondrel
