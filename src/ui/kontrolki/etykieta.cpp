#include "ui/kontrolki/etykieta.h"

#include "ui/skory/skora.h"

#include <QMouseEvent>

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
