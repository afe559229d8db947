// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/zakladki.h"

#include "ui/skory/skora.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStackedWidget>

namespace sondrel {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

const QColor RamkaStrony(0xC4, 0xC6, 0xD2);

} // namespace

PasekZakladek::PasekZakladek(QWidget* rodzic) : QTabBar(rodzic) {
    setFont(skora::CzcionkaPunkty(8));
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

QSize PasekZakladek::tabSizeHint(int indeks) const {
    // the tabs share the whole width: each its caption's width and an equal part of the rest
    const int n = count();
    int suma = 0;
    for (int i = 0; i < n; ++i)
        suma += fontMetrics().horizontalAdvance(tabText(i));
    const int reszta = std::max(0, width() - suma);
    const int wlasna = fontMetrics().horizontalAdvance(tabText(indeks));
    // the remainder of the division goes to the first tabs, a pixel each
    const int dodatek = reszta / n + (indeks < reszta % n ? 1 : 0);
    return {wlasna + dodatek, Wysokosc};
}

void PasekZakladek::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const int biezaca = currentIndex();
    const QPoint mysz = mapFromGlobal(QCursor::pos());
    for (int i = 0; i < count(); ++i) {
        const QRectF r = QRectF(tabRect(i)).adjusted(i == 0 ? 0.5 : 0, 0.5, -0.5, 0);
        const bool wybrana = i == biezaca;
        const bool nad = !wybrana && underMouse() && tabRect(i).contains(mysz);
        QPainterPath ksztalt;
        const qreal rog = 4;
        const QRectF z = wybrana ? r : r.adjusted(1, 3, -1, 0);
        ksztalt.moveTo(z.left(), z.bottom() + 1);
        ksztalt.lineTo(z.left(), z.top() + rog);
        ksztalt.quadTo(z.left(), z.top(), z.left() + rog, z.top());
        ksztalt.lineTo(z.right() - rog, z.top());
        ksztalt.quadTo(z.right(), z.top(), z.right(), z.top() + rog);
        ksztalt.lineTo(z.right(), z.bottom() + 1);
        if (wybrana) {
            p.fillPath(ksztalt, Qt::white);
            p.setPen(QPen(RamkaStrony, 1));
            p.drawPath(ksztalt);
            // the slate accent of the chosen tab
            p.fillRect(QRectF(z.left() + 2, z.top(), z.width() - 4, 2), K(skora::Granat));
        } else {
            QLinearGradient g(z.topLeft(), z.bottomLeft());
            g.setColorAt(0, nad ? QColor(0xF7, 0xF7, 0xFA) : QColor(0xEC, 0xED, 0xF2));
            g.setColorAt(1, nad ? QColor(0xEC, 0xED, 0xF2) : QColor(0xDF, 0xE1, 0xE9));
            p.fillPath(ksztalt, g);
            p.setPen(QPen(RamkaStrony, 1));
            p.drawPath(ksztalt);
        }
        QFont f = font();
        f.setBold(false);
        p.setFont(f);
        p.setPen(!isTabEnabled(i) ? QColor(0xA0, 0xA2, 0xAE)
                 : wybrana        ? QColor(Qt::black)
                                  : K(skora::Tekst2));
        p.drawText(z.adjusted(0, wybrana ? 2 : 0, 0, 0), Qt::AlignCenter, tabText(i));
        if (wybrana && hasFocus()) {
            p.setPen(QPen(K(skora::MenuTlo), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(z.adjusted(3, 4.5, -3, -2));
        }
    }
    // the line under the tabs, open under the chosen one
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(RamkaStrony);
    const QRect w = biezaca >= 0 ? tabRect(biezaca) : QRect();
    const int y = height() - 1;
    if (w.isNull()) {
        p.drawLine(0, y, width(), y);
    } else {
        if (w.left() > 0) p.drawLine(0, y, w.left(), y);
        if (w.right() < width() - 1) p.drawLine(w.right(), y, width(), y);
    }
}

Zakladki::Zakladki(QWidget* rodzic)
    : QWidget(rodzic), pasek(new PasekZakladek(this)), strony(new QStackedWidget(this)) {
    setFont(skora::CzcionkaPunkty(8));
    connect(pasek, &QTabBar::currentChanged, this, [this](int i) {
        if (i < 0) return;
        strony->setCurrentIndex(i);
        emit zmieniona(i);
    });
}

int Zakladki::DodajStrone(QWidget* strona, const QString& napis) {
    strona->setParent(strony);
    strona->setAutoFillBackground(true);
    QPalette paleta = strona->palette();
    paleta.setColor(QPalette::Window, Qt::white);
    strona->setPalette(paleta);
    const int i = strony->addWidget(strona);
    // the first page added becomes the current one without a change signal from the row
    const QSignalBlocker cicho(pasek);
    pasek->addTab(napis);
    strony->setCurrentIndex(pasek->currentIndex());
    return i;
}

QWidget* Zakladki::Strona(int indeks) const {
    return strony->widget(indeks);
}

int Zakladki::Biezaca() const {
    return pasek->currentIndex();
}

void Zakladki::UstawBiezaca(int indeks) {
    pasek->setCurrentIndex(indeks);
}

int Zakladki::Ilosc() const {
    return pasek->count();
}

void Zakladki::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    pasek->setGeometry(0, 0, width(), PasekZakladek::Wysokosc);
    strony->setGeometry(1, PasekZakladek::Wysokosc, width() - 2,
                        height() - PasekZakladek::Wysokosc - 1);
}

void Zakladki::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r(0, PasekZakladek::Wysokosc - 1, width(), height() - PasekZakladek::Wysokosc + 1);
    p.fillRect(r, Qt::white);
    p.setPen(RamkaStrony);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topLeft() + QPoint(0, 1), r.bottomLeft());
    p.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
}

void Zakladki::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
        (e->modifiers() & Qt::ControlModifier)) {
        const int krok =
            (e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier)) ? -1 : 1;
        UstawBiezaca((Biezaca() + krok + Ilosc()) % Ilosc());
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace sondrel
