// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An entry of a painted menu (the main window's menus, the table window's menu): its caption in
// the normal colour (#2E2E2E), white on a slate band while the mouse or the keyboard is on it,
// reached by Tab and the arrow keys and clicked by Enter; greyed while disabled. One look for
// every window's menus.

#include "ui/kontrolki/etykieta.h"

namespace sondrel {

class PozycjaMenu : public Etykieta {
    Q_OBJECT
public:
    // At a place given in the parent's coordinates; the caption (trimmed) names it for screen
    // readers unless `nazwa` is given.
    PozycjaMenu(QWidget* rodzic, int x, int y, int w, int h, const QString& napis,
                const QString& nazwa = {});

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace sondrel
