// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/zegar.h"

namespace sondrel {

namespace {
std::function<QDateTime()>& zrodlo() {
    static std::function<QDateTime()> z;
    return z;
}
} // namespace

QDateTime Zegar::teraz() {
    return zrodlo() ? zrodlo()() : QDateTime::currentDateTime();
}
void Zegar::ustaw(std::function<QDateTime()> z) {
    zrodlo() = std::move(z);
}
void Zegar::przywroc() {
    zrodlo() = nullptr;
}

} // namespace sondrel
