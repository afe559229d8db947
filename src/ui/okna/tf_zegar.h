// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save confirmation icon: a small window with an animated tick, shown for two seconds
// beside the window whose save succeeded (the settings, table and report windows), which
// closes by itself.

#include "ui/kontrolki/animowany_obraz.h"
#include "ui/okno.h"

#include <QTimer>

namespace sondrel {

class TFZegar : public Okno {
    Q_OBJECT
public:
    explicit TFZegar(QWidget* rodzic = nullptr);

    // Places the icon's top left corner at (x, y) (screen pixels) and shows it without making
    // it modal. A call while it is showing only moves it; it still closes two seconds after
    // the first call.
    void PokazIkoneZapisu(int x, int y);

    QWidget* PZapisIkona;
    AnimowanyObraz* ImZapisIkona;
    QTimer Zegar; // 2000 ms

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ZegarTimer();
};

} // namespace sondrel
