// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Now" for the journal and the reports. Tests set it; the program reads the system clock.

#include <QDateTime>
#include <functional>

namespace sondrel {

class Zegar {
public:
    // The system clock unless a test has set its own.
    static QDateTime teraz();
    static void ustaw(std::function<QDateTime()> zrodlo);
    static void przywroc();
};

} // namespace sondrel
