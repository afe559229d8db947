// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/okno_pytania.h"

#include "ui/kontrolki/etykieta.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ustawwykres.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace sondrel {

namespace {

constexpr int SzerokoscPrzycisku = 87;

} // namespace

QPixmap TloOknaPytania(QSize rozmiar, const QString& tytul) {
    const qreal skala = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap obraz(rozmiar * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    const int w = rozmiar.width(), h = rozmiar.height();
    skora::MalujRamkeOkna(p, rozmiar, skora::Ksztalt::Zaokraglony, OknoPytania::WysokoscListwy,
                          tytul, 14);
    const qreal pas = h - 44;
    // the band fills the body inside the frame's line, its lower corners rounded with it
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath wnetrze =
        skora::SciezkaKsztaltu(skora::Ksztalt::Zaokraglony, QSizeF(w - 2, h - 2)).translated(1, 1);
    QPainterPath dol;
    dol.addRect(QRectF(0, pas, w, h - pas));
    p.fillPath(wnetrze.intersected(dol), QColor::fromRgba(skora::PanelJasny));
    p.setPen(QPen(QColor::fromRgba(skora::Linia), 1));
    p.drawLine(QPointF(1, pas + 0.5), QPointF(w - 1, pas + 0.5));
    skora::MalujZnakZamkniecia(p, QRectF(w - 26, 8, 15, 12).adjusted(-1, -2, 1, 2));
    return obraz;
}

OknoPytania::OknoPytania(QWidget* rodzic) : Okno(rodzic) {
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("archiwum.htm"));
    setStyleSheet(skora::ArkuszUstawienWykresu());
    setFont(skora::CzcionkaPunkty(8));
    LListwa = new Etykieta(this, 8, 6, 1, 16);
    PodlaczListwe(LListwa);
    LClose = new Etykieta(this, 0, 8, 15, 12);
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Anuluj"));
    connect(LClose, &Etykieta::klik, this, &OknoPytania::Anuluj);
    BPrzyjmij = new Przycisk(QStringLiteral("Zapisz"), this);
    BAnuluj = new Przycisk(QStringLiteral("Anuluj"), this);
    connect(BPrzyjmij, &QPushButton::clicked, this, &OknoPytania::Przyjmij);
    connect(BAnuluj, &QPushButton::clicked, this, &OknoPytania::Anuluj);
}

void OknoPytania::UlozPytanie(QSize rozmiar, const QString& tytul) {
    const int w = rozmiar.width(), h = rozmiar.height();
    UstawTytulOkna(tytul);
    UstawRozmiar(w, h);
    UstawTlo(TloOknaPytania(rozmiar, tytul));
    LListwa->setGeometry(8, 6, w - 44, 16);
    LClose->move(w - 26, 8);
    BAnuluj->setGeometry(w - 20 - SzerokoscPrzycisku, h - 33, SzerokoscPrzycisku, 23);
    BPrzyjmij->setGeometry(w - 30 - 2 * SzerokoscPrzycisku, h - 33, SzerokoscPrzycisku, 23);
    przyjeto = false;
}

void OknoPytania::Przyjmij() {
    if (!BPrzyjmij->isEnabled() || !Przyjmowalne()) return;
    przyjeto = true;
    Zamknij();
}

void OknoPytania::Anuluj() {
    przyjeto = false;
    Zamknij();
}

bool OknoPytania::KlawiszWcisniety(QKeyEvent* e) {
    if (e->modifiers() & ~Qt::KeypadModifier) return false;
    switch (e->key()) {
    case Qt::Key_Escape:
        Anuluj();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusWidget() == BAnuluj)
            Anuluj();
        else
            Przyjmij();
        return true;
    default:
        return false;
    }
}

bool OknoPytania::ZamkniecieZZewnatrz() {
    przyjeto = false;
    return true;
}

} // namespace sondrel
