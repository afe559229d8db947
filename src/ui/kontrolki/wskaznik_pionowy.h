// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A vertical gauge: a bar filled from the bottom in proportion to its position within its range,
// with a caption drawn inside it from bottom to top in bold 8-point Arial. The fill and the
// background colours are settable; the caption reads white over the fill and dark over the
// background.

#include <QColor>
#include <QWidget>

namespace sondrel {

class WskaznikPionowy : public QWidget {
    Q_OBJECT
public:
    explicit WskaznikPionowy(QWidget* rodzic = nullptr);
    WskaznikPionowy(QWidget* rodzic, int x, int y, int w, int h);

    void UstawZakres(int minimum, int maksimum);
    void UstawPozycje(int pozycja);
    void UstawPodpis(const QString& podpis);
    void UstawKolorWypelnienia(QColor kolor);
    void UstawKolorTla(QColor kolor);

    int Minimum() const { return minimum; }
    int Maksimum() const { return maksimum; }
    int Pozycja() const { return pozycja; }
    QString Podpis() const { return podpis; }
    QColor KolorWypelnienia() const { return wypelnienie; }
    QColor KolorTla() const { return tlo; }
    // The filled height in pixels inside the frame.
    int WysokoscWypelnienia() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int minimum = 0, maksimum = 100, pozycja = 0;
    QString podpis;
    QColor wypelnienie = QColor(0x80, 0x80, 0x80);
    QColor tlo = Qt::white;
};

} // namespace sondrel
