// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_zegar.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel {

namespace {

// The white panel under the icon, with the windows' corner and a thin frame.
class PanelIkony : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QSizeF r(size());
        p.fillPath(skora::SciezkaKsztaltu(skora::Ksztalt::Zaokraglony, r), Qt::white);
        p.setPen(QPen(QColor::fromRgba(skora::MenuTlo), 1));
        p.drawRoundedRect(QRectF(0.5, 0.5, r.width() - 1, r.height() - 1),
                          skora::PromienNarozi - 0.5, skora::PromienNarozi - 0.5);
    }
};

} // namespace

TFZegar::TFZegar(QWidget* rodzic) : Okno(rodzic) {
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    UstawTytulOkna(QStringLiteral("Zapisano"));
    UstawBlokadeZamykania(false);
    UstawRozmiar(44, 44);

    UstawKsztalt(skora::Ksztalt::Zaokraglony);

    PZapisIkona = new PanelIkony(this);
    PZapisIkona->setGeometry(0, 0, 44, 44);

    ImZapisIkona = new AnimowanyObraz(PZapisIkona, 1, 1, 42, 42);
    ImZapisIkona->setEnabled(false);
    ImZapisIkona->UstawKlatki(skora::KlatkiIkonyZapisu(devicePixelRatioF()));

    Zegar.setInterval(2000);
    Zegar.setSingleShot(false);
    connect(&Zegar, &QTimer::timeout, this, &TFZegar::ZegarTimer);
}

void TFZegar::PokazIkoneZapisu(int x, int y) {
    move(x, y);
    show();
}

void TFZegar::showEvent(QShowEvent* e) {
    Okno::showEvent(e);
    ImZapisIkona->setEnabled(true);
    Zegar.start();
}

void TFZegar::ZegarTimer() {
    Zegar.stop();
    ImZapisIkona->setEnabled(false);
    Zamknij();
}

} // namespace sondrel
