// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/okno_popup.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_raportu.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace sondrel {

OknoPopup::OknoPopup(int w, int h, const QString& obrazek, QRect zamkniecie, QWidget* rodzic)
    : Okno(rodzic) {
    skora::DodajObrazkiPopupow();
    UstawRozmiar(w, h);
    UstawKsztalt(skora::Ksztalt::Sciety);

    ImTlo = new Etykieta(this, 0, 0, w, h);
    ImTlo->setPixmap(skora::Obrazek(obrazek));
    LListwa = new Etykieta(this, 16, 4, 345, 17);
    PodlaczListwe(LListwa);
    LClose =
        new Etykieta(this, zamkniecie.x(), zamkniecie.y(), zamkniecie.width(), zamkniecie.height());
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Zamknij"));
    connect(LClose, &Etykieta::klik, this, &OknoPopup::LCloseClick);
    LNrPytania = Tekst(32, 35, 300, 15);
    LNrPytania->setFont(skora::CzcionkaPunkty(8, true));
}

void OknoPopup::LCloseClick() {
    Zamknij();
}

bool OknoPopup::ZamkniecieZZewnatrz() {
    LCloseClick();
    return false;
}

bool OknoPopup::KlawiszWcisniety(QKeyEvent* e) {
    // Esc closes the popup, as its close mark does
    if (e->key() != Qt::Key_Escape || (e->modifiers() & ~Qt::KeypadModifier)) return false;
    LCloseClick();
    return true;
}

Etykieta* OknoPopup::Link(const QString& tekst, int x, int y, int w, int h) {
    auto* l = new Etykieta(this, x, y, w, h);
    l->setText(tekst);
    l->setCursor(Qt::PointingHandCursor);
    l->UstawLink(QColor(0x2E, 0x2E, 0x2E), QColor(0x80, 0x80, 0x80));
    l->UstawKlawiature(tekst); // Tab reaches it, Enter follows it
    return l;
}

Etykieta* OknoPopup::Tekst(int x, int y, int w, int h, bool zawijany) {
    auto* l = new Etykieta(this, x, y, w, h);
    l->setWordWrap(zawijany);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    UstawKolorTekstu(l, QColor(0x2E, 0x2E, 0x2E));
    return l;
}

void OknoPopup::UstawKolorTekstu(Etykieta* etykieta, QColor kolor) {
    QPalette paleta = etykieta->palette();
    paleta.setColor(QPalette::WindowText, kolor);
    etykieta->setPalette(paleta);
}

void OknoPopup::Pokaz() {
    PokazModalnie();
}

void OknoPopup::GenerujRaport(Etykieta* link, const std::function<WynikRaportu()>& zrob) {
    link->Podswietl(false);
    Zamknij();
    emit raportWybrany(zrob);
}

void OknoPopup::showEvent(QShowEvent* e) {
    if (!e->spontaneous() && odniesienie) move(odniesienie->x() + 150, odniesienie->y() + 80);
    Okno::showEvent(e);
}

} // namespace sondrel
