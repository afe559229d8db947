#include "ui/tf_zegar.h"

#include "ui/skora.h"

namespace sondrel {

TFZegar::TFZegar(QWidget* rodzic) : Okno(rodzic) {
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    UstawNaWierzchu(true);
    UstawBlokadeZamykania(false);
    UstawRozmiar(44, 44);

    PZapisIkona = new QWidget(this);
    PZapisIkona->setGeometry(0, 0, 44, 44);
    PZapisIkona->setAutoFillBackground(true);
    QPalette paleta = PZapisIkona->palette();
    paleta.setColor(QPalette::Window, Qt::white);
    PZapisIkona->setPalette(paleta);

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
