#include "ui/kontrolki/etykieta.h"

#include "ui/skory/skora.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace sondrel {

Etykieta::Etykieta(QWidget* rodzic) : QLabel(rodzic) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFont(skora::CzcionkaPunkty(8));
    setMouseTracking(true);
}

Etykieta::Etykieta(QWidget* rodzic, int x, int y, int w, int h) : Etykieta(rodzic) {
    setGeometry(x, y, w, h);
}

void Etykieta::UstawLink(QColor n, QColor p) {
    link = true;
    normalny = n;
    podswietlony = p;
    UstawKolor(podswietlona ? podswietlony : normalny);
}

void Etykieta::Podswietl(bool wlaczone) {
    podswietlona = wlaczone;
    if (link) UstawKolor(wlaczone ? podswietlony : normalny);
}

void Etykieta::UstawKolor(QColor kolor) {
    QPalette paleta = palette();
    paleta.setColor(QPalette::WindowText, kolor);
    setPalette(paleta);
}

void Etykieta::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) wcisnieta = true;
    e->accept();
}

void Etykieta::mouseReleaseEvent(QMouseEvent* e) {
    const bool byla = wcisnieta;
    wcisnieta = false;
    e->accept();
    if (byla && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit klik();
}

void Etykieta::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit ruch();
}

void Etykieta::enterEvent(QEnterEvent* e) {
    QLabel::enterEvent(e);
    if (link) Podswietl(true);
}

void Etykieta::leaveEvent(QEvent* e) {
    QLabel::leaveEvent(e);
    if (link) Podswietl(false);
}

void Etykieta::UstawKlawiature(const QString& nazwa) {
    // Tab only: a click keeps the focus where it was and draws no mark
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(nazwa);
}

Etykieta* Etykieta::Sasiad(int krok) const {
    QList<Etykieta*> rodzenstwo;
    if (!parentWidget()) return nullptr;
    const auto dzieci = parentWidget()->findChildren<Etykieta*>(Qt::FindDirectChildrenOnly);
    for (Etykieta* e : dzieci)
        if (e == this || (e->isVisibleTo(parentWidget()) && (e->focusPolicy() & Qt::TabFocus)))
            rodzenstwo.append(e);
    std::stable_sort(rodzenstwo.begin(), rodzenstwo.end(),
                     [](const Etykieta* a, const Etykieta* b) {
                         return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
                     });
    const qsizetype i = rodzenstwo.indexOf(const_cast<Etykieta*>(this));
    if (rodzenstwo.size() < 2 || i < 0) return nullptr;
    return rodzenstwo.at((i + krok + rodzenstwo.size()) % rodzenstwo.size());
}

void Etykieta::keyPressEvent(QKeyEvent* e) {
    if (!(focusPolicy() & Qt::TabFocus) || (e->modifiers() & ~Qt::KeypadModifier)) {
        QLabel::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        e->accept();
        emit klik();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
        e->accept();
        const bool naprzod = e->key() == Qt::Key_Down || e->key() == Qt::Key_Right;
        if (Etykieta* s = Sasiad(naprzod ? 1 : -1)) s->setFocus(Qt::TabFocusReason);
        return;
    }
    default:
        QLabel::keyPressEvent(e);
    }
}

void Etykieta::focusInEvent(QFocusEvent* e) {
    QLabel::focusInEvent(e);
    if (link) Podswietl(true);
    emit ruch(); // the window highlights and describes it as under the mouse
    update();
}

void Etykieta::focusOutEvent(QFocusEvent* e) {
    QLabel::focusOutEvent(e);
    if (link && !underMouse()) Podswietl(false);
    update();
}

void Etykieta::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!hasFocus()) return;
    // the focus mark: a slate and a white line, readable on light panels and slate strips
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor::fromRgba(skora::Granat), 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
}

Etykieta* EtykietaMenu(QWidget* panel, const QString& napis, const QRect& gdzie) {
    auto* l = new Etykieta(panel, gdzie.x(), gdzie.y(), gdzie.width(), gdzie.height());
    l->setText(napis);
    l->setCursor(Qt::PointingHandCursor);
    l->UstawLink(QColor(46, 46, 46), Qt::white);
    return l;
}

Etykieta* KreskaMenu(QWidget* panel, int y) {
    const QColor kolor(0x8C, 0x90, 0xA6);
    auto* l = new Etykieta(panel, 15, y, 104, 15);
    l->setText(QStringLiteral("_____________"));
    l->UstawLink(kolor, kolor);
    return l;
}

} // namespace sondrel
