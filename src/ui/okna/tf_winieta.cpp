// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_winieta.h"

#include "ui/skory/skora.h"

namespace sondrel {

TFWinieta::TFWinieta(QWidget* rodzic) : Okno(rodzic) {
    UstawTytulOkna(QStringLiteral("O programie"));
    UstawBlokadeZamykania(false); // the desktop may close it like its close mark
    UstawRozmiar(366, 239);
    UstawKsztalt(skora::Ksztalt::Sciety);

    Image1 = new Etykieta(this, 0, 0, 366, 239);
    Image1->setPixmap(skora::Obrazek(QStringLiteral("winieta")));
    LCloseWinieta = new Etykieta(this, 323, 21, 25, 17);
    LCloseWinieta->setCursor(Qt::PointingHandCursor);
    connect(LCloseWinieta, &Etykieta::klik, this, &Okno::Zamknij);
}

void TFWinieta::Pokaz(const QPoint& odniesienie) {
    move(odniesienie + QPoint(260, 160));
    PokazModalnie();
}

} // namespace sondrel
