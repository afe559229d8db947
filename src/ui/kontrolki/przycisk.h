// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A flat push button in the windows' look: a light face in a rounded frame, a lighter outlined
// face while it has the keyboard focus, a darker one while pressed; the caption in the windows'
// font.

#include <QPushButton>

namespace sondrel {

class Przycisk : public QPushButton {
    Q_OBJECT
public:
    Przycisk(const QString& napis, QWidget* rodzic);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace sondrel
