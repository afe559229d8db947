// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A radio button in the windows' look, the round sibling of the check box PoleWyboru: a small
// ring, a slate dot when chosen, and its caption; on white.

#include <QRadioButton>

namespace sondrel {

class PoleOpcji : public QRadioButton {
    Q_OBJECT
public:
    PoleOpcji(const QString& napis, QWidget* rodzic);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool hitButton(const QPoint& punkt) const override;
};

} // namespace sondrel
