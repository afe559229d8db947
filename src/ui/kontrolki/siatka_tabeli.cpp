// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/siatka_tabeli.h"

#include "ui/skory/skora.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

namespace sondrel {

namespace {

QColor Kolor_(Kolor k) {
    return QColor::fromRgba(k);
}

} // namespace

SiatkaTabeli::SiatkaTabeli(QWidget* rodzic) : QWidget(rodzic) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SiatkaTabeli::UstawTabele(const Tabela* t) {
    tabela = t;
    gorny = 1;
    biezacy = 1;
    biezacaKolumna = 0;
    update();
}

void SiatkaTabeli::UstawWidoczneWiersze(int ile) {
    widoczne = std::max(0, ile);
    UstawGornyWiersz(gorny);
}

int SiatkaTabeli::OstatniGornyWiersz() const {
    if (!tabela) return 1;
    // the header stays; the other visible rows end with the last row at the bottom
    return std::max(1, tabela->IloscWierszy() - (widoczne - 1));
}

void SiatkaTabeli::UstawGornyWiersz(int wiersz) {
    const int nowy = std::clamp(wiersz, 1, OstatniGornyWiersz());
    if (nowy == gorny) return;
    gorny = nowy;
    update();
}

void SiatkaTabeli::UstawBiezacyWiersz(int wiersz) {
    if (!tabela || tabela->IloscWierszy() < 2) return;
    biezacy = std::clamp(wiersz, 1, tabela->IloscWierszy() - 1);
    const int naEkranie = std::max(1, widoczne - 1);
    if (biezacy < gorny)
        UstawGornyWiersz(biezacy);
    else if (biezacy >= gorny + naEkranie)
        UstawGornyWiersz(biezacy - naEkranie + 1);
    update();
}

void SiatkaTabeli::UstawBiezacaKolumne(int kolumna) {
    if (!tabela || tabela->IloscKolumn() < 1) return;
    biezacaKolumna = std::clamp(kolumna, 0, tabela->IloscKolumn() - 1);
    update();
}

QRect SiatkaTabeli::ProstokatBiezacejKomorki() const {
    if (!tabela || biezacy >= tabela->IloscWierszy() || biezacaKolumna >= tabela->IloscKolumn())
        return {};
    // the scroll bar may have taken the current row out of the rows drawn under the header
    if (biezacy < gorny || biezacy >= gorny + std::max(1, widoczne - 1)) return {};
    int x = 0;
    for (int k = 0; k < biezacaKolumna; ++k)
        x += tabela->SzerokoscKolumny(k) + Tabela::GruboscLinii;
    const int y = (biezacy - gorny + 1) * Krok;
    return QRect(x, y, tabela->SzerokoscKolumny(biezacaKolumna), Tabela::WysokoscWiersza);
}

void SiatkaTabeli::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!tabela || tabela->IloscKolumn() == 0) return;
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont zwykla = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli);
    const QFont gruba = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli, true);

    const auto rysujWiersz = [&](int wiersz, int y) {
        int x = 0;
        for (int k = 0; k < tabela->IloscKolumn(); ++k) {
            const int w = tabela->SzerokoscKolumny(k);
            const Komorka& c = tabela->komorka(wiersz, k);
            const QRect komorka(x, y, w, Tabela::WysokoscWiersza);
            p.fillRect(komorka, Kolor_(c.Tlo));
            if (!c.Tekst.isEmpty()) {
                const QRect pole = PoleTekstu(komorka, c.Wyrownanie);
                const QFont& f = c.Pogrubiona ? gruba : zwykla;
                // One size for every cell: a text wider than its column (a long name in the
                // fixed name column) ends in an ellipsis and shows whole in its tooltip.
                const QString tekst =
                    QFontMetrics(f).elidedText(c.Tekst, Qt::ElideRight, pole.width());
                p.setFont(f);
                p.setPen(Kolor_(c.KolorCzcionki));
                Qt::Alignment a = Qt::AlignVCenter;
                switch (c.Wyrownanie) {
                case RodzajWyrownania::DoLewej:
                    a |= Qt::AlignLeft;
                    break;
                case RodzajWyrownania::DoSrodka:
                    a |= Qt::AlignHCenter;
                    break;
                case RodzajWyrownania::DoPrawej:
                    a |= Qt::AlignRight;
                    break;
                }
                p.save();
                p.setClipRect(komorka);
                p.drawText(pole, a, tekst);
                p.restore();
            }
            x += w + Tabela::GruboscLinii;
        }
    };

    const int wiersze = tabela->IloscWierszy();
    rysujWiersz(0, 0);
    int y = Krok;
    for (int w = gorny; w < wiersze && y < height(); ++w, y += Krok)
        rysujWiersz(w, y);
    const int dol = y; // below the last row drawn

    // grid lines after every column and every row
    p.setPen(QPen(QColor::fromRgba(skora::LiniaSiatki), 1));
    int x = 0;
    for (int k = 0; k < tabela->IloscKolumn(); ++k) {
        x += tabela->SzerokoscKolumny(k);
        p.drawLine(x, 0, x, dol - 1);
        x += Tabela::GruboscLinii;
    }
    for (int ly = Tabela::WysokoscWiersza; ly < dol; ly += Krok)
        p.drawLine(0, ly, x - 1, ly);
    // and the left edge of the rows under the header, so that the table reads as closed
    p.drawLine(0, Tabela::WysokoscWiersza, 0, dol - 1);

    // the keyboard's place: the current row outlined, its current cell framed
    const QRect komorka = ProstokatBiezacejKomorki();
    if (!hasFocus() || komorka.isEmpty()) return;
    const QColor znak = QColor::fromRgba(skora::Granat);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(znak, 1, Qt::DotLine));
    p.drawRect(QRect(0, komorka.y() - 1, x - 1, Tabela::WysokoscWiersza + 1));
    p.setPen(QPen(znak, 2));
    p.drawRect(QRectF(komorka).adjusted(1, 1, -1, -1)); // the 2-pixel line within the cell
}

QRect SiatkaTabeli::PoleTekstu(const QRect& komorka, RodzajWyrownania wyrownanie) {
    // a margin on the side the text keeps to; centred texts (two-digit question numbers in
    // 18-pixel columns) get the whole cell but its edge pixels
    switch (wyrownanie) {
    case RodzajWyrownania::DoLewej:
        return komorka.adjusted(3, 0, -1, 0);
    case RodzajWyrownania::DoPrawej:
        return komorka.adjusted(1, 0, -3, 0);
    case RodzajWyrownania::DoSrodka:
        break;
    }
    return komorka.adjusted(1, 0, -1, 0);
}

bool SiatkaTabeli::KomorkaPod(QPoint punkt, int& wiersz, int& kolumna, QRect& prostokat) const {
    if (!tabela || punkt.x() < 0 || punkt.y() < 0) return false;
    // the header row, then the rows from the top row on
    const int pozycja = punkt.y() / Krok;
    wiersz = pozycja == 0 ? 0 : gorny + pozycja - 1;
    if (wiersz >= tabela->IloscWierszy()) return false;
    int x = 0;
    for (kolumna = 0; kolumna < tabela->IloscKolumn(); ++kolumna) {
        const int w = tabela->SzerokoscKolumny(kolumna);
        if (punkt.x() < x + w) {
            prostokat = QRect(x, pozycja * Krok, w, Tabela::WysokoscWiersza);
            return true;
        }
        x += w + Tabela::GruboscLinii;
    }
    return false;
}

bool SiatkaTabeli::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    // the whole text of a cell that shows it cut short
    const auto* h = static_cast<QHelpEvent*>(e);
    int wiersz = 0, kolumna = 0;
    QRect komorka;
    if (KomorkaPod(h->pos(), wiersz, kolumna, komorka)) {
        const Komorka& c = tabela->komorka(wiersz, kolumna);
        const QFont f = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli, c.Pogrubiona);
        if (QFontMetrics(f).horizontalAdvance(c.Tekst) >
            PoleTekstu(komorka, c.Wyrownanie).width()) {
            QToolTip::showText(h->globalPos(), c.Tekst, this, komorka);
            return true;
        }
    }
    QToolTip::hideText();
    e->ignore();
    return true;
}

void SiatkaTabeli::keyPressEvent(QKeyEvent* e) {
    if (!tabela) return QWidget::keyPressEvent(e);
    const int strona = std::max(1, widoczne - 1);
    switch (e->key()) {
    case Qt::Key_Up:
        UstawBiezacyWiersz(biezacy - 1);
        break;
    case Qt::Key_Down:
        UstawBiezacyWiersz(biezacy + 1);
        break;
    case Qt::Key_PageUp:
        UstawBiezacyWiersz(biezacy - strona);
        break;
    case Qt::Key_PageDown:
        UstawBiezacyWiersz(biezacy + strona);
        break;
    case Qt::Key_Left:
        UstawBiezacaKolumne(biezacaKolumna - 1);
        break;
    case Qt::Key_Right:
        UstawBiezacaKolumne(biezacaKolumna + 1);
        break;
    case Qt::Key_Home: // the first column; with Ctrl the first row
        if (e->modifiers() & Qt::ControlModifier) UstawBiezacyWiersz(1);
        UstawBiezacaKolumne(0);
        break;
    case Qt::Key_End: // the last column; with Ctrl the last row
        if (e->modifiers() & Qt::ControlModifier) UstawBiezacyWiersz(tabela->IloscWierszy() - 1);
        UstawBiezacaKolumne(tabela->IloscKolumn() - 1);
        break;
    case Qt::Key_Menu:
        menuZKlawisza = true;
        PokazMenuKomorki();
        break;
    case Qt::Key_F10:
        if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier)
            return QWidget::keyPressEvent(e);
        PokazMenuKomorki();
        break;
    default:
        return QWidget::keyPressEvent(e);
    }
    e->accept();
}

void SiatkaTabeli::keyReleaseEvent(QKeyEvent* e) {
    e->accept(); // consumed; the scroll bar follows the top row
    if (e->key() == Qt::Key_Menu) menuZKlawisza = false;
    if (!e->isAutoRepeat()) emit klawiszZwolniony();
}

void SiatkaTabeli::contextMenuEvent(QContextMenuEvent* e) {
    // a right-click asks through the press (wcisnieto); the keyboard's request comes here on
    // platforms that send one for the context-menu key
    if (e->reason() != QContextMenuEvent::Keyboard) return QWidget::contextMenuEvent(e);
    e->accept();
    if (std::exchange(menuZKlawisza, false)) return; // the key press asked already
    PokazMenuKomorki();
}

void SiatkaTabeli::PokazMenuKomorki() {
    UstawBiezacyWiersz(biezacy); // scrolled back into view first
    const QRect komorka = ProstokatBiezacejKomorki();
    if (!komorka.isEmpty()) emit menuKomorki(komorka.center());
}

void SiatkaTabeli::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    update(); // the focus mark
}

void SiatkaTabeli::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    menuZKlawisza = false;
    update();
}

void SiatkaTabeli::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    e->accept();
    emit wcisnieto(e->button(), e->position().toPoint());
}

void SiatkaTabeli::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit ruch();
}

void SiatkaTabeli::wheelEvent(QWheelEvent* e) {
    e->accept(); // the wheel over the grid does nothing
}

} // namespace sondrel
