// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small colour swatch: the colour in a rounded frame, as the windows show a chosen colour.

#include <QColor>
#include <QWidget>

namespace sondrel {

class ProbkaKoloru : public QWidget {
    Q_OBJECT
public:
    explicit ProbkaKoloru(QWidget* rodzic);
    void UstawKolor(const QColor& kolor);
    QColor Kolor() const { return kolor; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor kolor = Qt::white;
};

} // namespace sondrel
