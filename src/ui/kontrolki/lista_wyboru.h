// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down choice list in the windows' look: a white box in a thin rounded frame (slate while
// it has the focus or the mouse), the chosen item, and the arrow on a light band.

#include <QComboBox>

namespace sondrel {

class ListaWyboru : public QComboBox {
    Q_OBJECT
public:
    explicit ListaWyboru(QWidget* rodzic);

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace sondrel
