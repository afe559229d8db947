// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/animowany_obraz.h"

#include <QEvent>

namespace sondrel {

AnimowanyObraz::AnimowanyObraz(QWidget* rodzic, int x, int y, int w, int h)
    : Etykieta(rodzic, x, y, w, h) {
    zegar.setSingleShot(true);
    connect(&zegar, &QTimer::timeout, this, &AnimowanyObraz::Nastepna);
}

void AnimowanyObraz::UstawKlatki(QList<skora::Klatka> k) {
    klatki = std::move(k);
    zegar.stop();
    PokazKlatke(0);
    if (isEnabled() && !klatki.isEmpty()) zegar.start(klatki.first().czasMs);
}

void AnimowanyObraz::PokazKlatke(int n) {
    klatka = n;
    if (n >= 0 && n < klatki.size()) setPixmap(QPixmap::fromImage(klatki[n].obraz));
}

void AnimowanyObraz::Nastepna() {
    if (klatki.isEmpty() || !isEnabled()) return;
    PokazKlatke((klatka + 1) % int(klatki.size()));
    zegar.start(klatki[klatka].czasMs);
}

void AnimowanyObraz::changeEvent(QEvent* e) {
    Etykieta::changeEvent(e);
    if (e->type() != QEvent::EnabledChange) return;
    if (isEnabled() && !klatki.isEmpty()) {
        // every run starts from the first frame
        PokazKlatke(0);
        zegar.start(klatki.first().czasMs);
    } else {
        zegar.stop();
    }
}

} // namespace sondrel
