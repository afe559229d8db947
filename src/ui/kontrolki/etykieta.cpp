// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/etykieta.h"

#include "ui/kontrolki/dostepnosc_tabeli.h"
#include "ui/skory/skora.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace sondrel {

namespace {

// How screen readers see a label: one the keyboard reaches is a button that a press action
// clicks; a menu separator is hidden; any other is the plain text or picture it shows.
class DostepEtykiety : public QAccessibleWidget {
public:
    explicit DostepEtykiety(Etykieta* e) : QAccessibleWidget(e, QAccessible::StaticText) {}
    Etykieta* etykieta() const { return static_cast<Etykieta*>(widget()); }
    bool Przycisk() const {
        return (etykieta()->focusPolicy() & Qt::TabFocus) ||
               etykieta()->property("przycisk").toBool();
    }

    QAccessible::Role role() const override {
        if (Przycisk()) return QAccessible::Button;
        return etykieta()->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (etykieta()->property("kreska").toBool()) s.invisible = true;
        return s;
    }
    QString text(QAccessible::Text t) const override {
        QString tekst = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && tekst.isEmpty()) tekst = etykieta()->PelnyTekst();
        if (t == QAccessible::Name && tekst.isEmpty()) tekst = etykieta()->text();
        if (t == QAccessible::Accelerator && tekst.isEmpty()) tekst = etykieta()->Skrot();
        return tekst;
    }
    QStringList actionNames() const override {
        QStringList nazwy = QAccessibleWidget::actionNames();
        if (Przycisk()) nazwy.prepend(pressAction());
        return nazwy;
    }
    void doAction(const QString& nazwa) override {
        if (nazwa == pressAction() && Przycisk())
            emit etykieta()->klik();
        else
            QAccessibleWidget::doAction(nazwa);
    }
};

QAccessibleInterface* FabrykaDostepu(const QString& klasa, QObject* obiekt) {
    if (klasa == QLatin1String("sondrel::Etykieta") && obiekt && obiekt->isWidgetType())
        return new DostepEtykiety(static_cast<Etykieta*>(obiekt));
    return DostepTabeliIOkien(klasa, obiekt);
}

} // namespace

Etykieta::Etykieta(QWidget* rodzic) : QLabel(rodzic) {
    static const bool fabryka = [] {
        QAccessible::installFactory(FabrykaDostepu);
        return true;
    }();
    (void)fabryka;
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

void Etykieta::UstawSkrot(const QString& s) {
    skrot = s;
    const QString opis = toolTip().isEmpty() ? accessibleName() : toolTip();
    setToolTip(opis + QStringLiteral(" (") + s + QLatin1Char(')'));
}

Etykieta* Etykieta::Sasiad(int krok) const {
    QList<Etykieta*> rodzenstwo;
    if (!parentWidget()) return nullptr;
    const auto dzieci = parentWidget()->findChildren<Etykieta*>(Qt::FindDirectChildrenOnly);
    for (Etykieta* e : dzieci)
        if (e == this ||
            (e->isVisibleTo(parentWidget()) && e->isEnabled() && (e->focusPolicy() & Qt::TabFocus)))
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
    if (wewnatrz > 0) {
        const qreal m = wewnatrz + 0.5;
        p.setPen(QPen(QColor::fromRgba(skora::Granat), 1, Qt::DotLine));
        p.drawRoundedRect(QRectF(rect()).adjusted(m, m, -m, -m), 2, 2);
        return;
    }
    p.setPen(QPen(QColor::fromRgba(skora::Granat), 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor::fromRgba(skora::Podswietlenie), 1));
    p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 2, 2);
}

void Etykieta::UstawTekstPrzyciety(const QString& tekst) {
    przycinana = true;
    pelny = tekst;
    Przytnij();
}

void Etykieta::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    if (przycinana) Przytnij();
}

void Etykieta::Przytnij() {
    const QFontMetrics fm(font());
    const int szer = std::max(0, contentsRect().width());
    QString widoczny = pelny;
    if (!wordWrap()) {
        widoczny = fm.elidedText(pelny, Qt::ElideRight, szer);
    } else {
        // the longest start of the text that, with "…", wraps within the label's height
        const int wys = std::max(fm.lineSpacing(), contentsRect().height());
        const auto miesci = [&](const QString& t) {
            return fm.boundingRect(QRect(0, 0, szer, 1 << 20), Qt::TextWordWrap, t).height() <= wys;
        };
        if (!miesci(pelny)) {
            qsizetype od = 0, doo = pelny.size();
            while (od < doo) {
                const qsizetype srodek = (od + doo + 1) / 2;
                if (miesci(pelny.left(srodek).trimmed() + QChar(0x2026)))
                    od = srodek;
                else
                    doo = srodek - 1;
            }
            widoczny = pelny.left(od).trimmed() + QChar(0x2026);
        }
    }
    setText(widoczny);
    setToolTip(widoczny == pelny ? QString() : pelny);
}

Etykieta* KreskaMenu(QWidget* panel, int y) {
    const QColor kolor = QColor::fromRgba(skora::Kreska);
    auto* l = new Etykieta(panel, 15, y, 104, 15);
    l->setText(QStringLiteral("_____________"));
    l->setProperty("kreska", true); // hidden from screen readers
    l->UstawLink(kolor, kolor);
    return l;
}

} // namespace sondrel
