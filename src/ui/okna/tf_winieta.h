// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The vignette of "O programie": a fixed picture in a borderless frame with a close mark.

#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

namespace sondrel {

class TFWinieta : public Okno {
    Q_OBJECT
public:
    explicit TFWinieta(QWidget* rodzic = nullptr);

    // Shows the vignette modally, its top left corner at (260, 160) from the given point: the
    // main window's top left corner, or its central panel's in the big mode.
    void Pokaz(const QPoint& odniesienie);

    Etykieta* Image1;
    Etykieta* LCloseWinieta;
};

} // namespace sondrel
