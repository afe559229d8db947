// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A check box in the program's look: a small rounded box, slate with a white tick when on, and
// its caption; on white, text #444444 unless given, greyed while disabled.

#include <QCheckBox>

namespace sondrel {

class PoleWyboru : public QCheckBox {
    Q_OBJECT
public:
    PoleWyboru(const QString& napis, QWidget* rodzic);
    QSize sizeHint() const override;
    void UstawKolorTekstu(QColor kolor) { kolorTekstu = kolor; }

protected:
    void paintEvent(QPaintEvent* e) override;
    bool hitButton(const QPoint& punkt) const override;

private:
    QColor kolorTekstu;
};

} // namespace sondrel
