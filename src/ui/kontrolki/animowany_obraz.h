// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of several frames that plays while it is enabled and stops when disabled.

#include "ui/kontrolki/etykieta.h"
#include "ui/skory/skora.h"

#include <QTimer>

namespace sondrel {

class AnimowanyObraz : public Etykieta {
    Q_OBJECT
public:
    AnimowanyObraz(QWidget* rodzic, int x, int y, int w, int h);
    void UstawKlatki(QList<skora::Klatka> klatki);
    int Klatka() const { return klatka; }
    bool Gra() const { return zegar.isActive(); }

protected:
    void changeEvent(QEvent* e) override;

private:
    void PokazKlatke(int n);
    void Nastepna();

    QList<skora::Klatka> klatki;
    int klatka = 0;
    QTimer zegar;
};

} // namespace sondrel
