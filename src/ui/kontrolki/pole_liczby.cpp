// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/kontrolki/pole_liczby.h"

#include "ui/skory/skora.h"

#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <limits>

namespace sondrel {

namespace {
constexpr int SzerokoscStrzalek = 14;
}

PoleLiczby::PoleLiczby(int min, int max, int k, QWidget* rodzic)
    : QLineEdit(rodzic), minimum(min), maksimum(max), krok(k), ostatnia(min),
      powtarzanie(new QTimer(this)) {
    setFont(skora::CzcionkaPunkty(8));
    setTextMargins(0, 0, SzerokoscStrzalek, 0);
    setMouseTracking(true);
    setText(QString::number(min));
    connect(this, &QLineEdit::textChanged, this, &PoleLiczby::TekstZmieniony);
    // holding an arrow repeats its step, after a pause
    connect(powtarzanie, &QTimer::timeout, this, [this] {
        powtarzanie->setInterval(60);
        if (wcisnieta) Krokuj(wcisnieta);
    });
}

std::optional<int> PoleLiczby::LiczbaZTekstu(const QString& tekst) {
    if (tekst.isEmpty()) return std::nullopt;
    int i = 0;
    bool ujemna = false;
    if (tekst[0] == QLatin1Char('+') || tekst[0] == QLatin1Char('-')) {
        ujemna = tekst[0] == QLatin1Char('-');
        i = 1;
    }
    if (i == tekst.size()) return std::nullopt;
    qint64 wartosc = 0;
    for (; i < tekst.size(); ++i) {
        const QChar z = tekst[i];
        if (z < QLatin1Char('0') || z > QLatin1Char('9')) return std::nullopt;
        wartosc = wartosc * 10 + (z.unicode() - '0');
        if (wartosc > qint64(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (ujemna) wartosc = -wartosc;
    if (wartosc < std::numeric_limits<int>::min() || wartosc > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(wartosc);
}

std::optional<int> PoleLiczby::Liczba() const {
    return LiczbaZTekstu(text());
}

void PoleLiczby::UstawLiczbe(int liczba) {
    setText(QString::number(liczba));
}

void PoleLiczby::Krokuj(int kierunek) {
    const qint64 od = Liczba().value_or(minimum);
    const qint64 nowa = std::clamp<qint64>(od + qint64(kierunek) * krok, minimum, maksimum);
    UstawLiczbe(int(nowa));
    selectAll();
}

void PoleLiczby::TekstZmieniony(const QString& tekst) {
    if (const auto liczba = LiczbaZTekstu(tekst)) {
        ostatnia = *liczba;
        emit liczbaZmieniona(*liczba);
    }
}

void PoleLiczby::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Up:
        Krokuj(+1);
        return;
    case Qt::Key_Down:
        Krokuj(-1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->ignore();
        return;
    default:
        break;
    }
    const QString tekst = e->text();
    const bool sterujacy = tekst.isEmpty() || tekst[0].unicode() < 0x20 ||
                           (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!sterujacy) {
        const QString przecinek = QLocale().decimalPoint();
        for (const QChar z : tekst) {
            const bool dozwolony = (z >= QLatin1Char('0') && z <= QLatin1Char('9')) ||
                                   z == QLatin1Char('+') || z == QLatin1Char('-') ||
                                   przecinek.contains(z);
            if (!dozwolony) return; // dropped
        }
    }
    QLineEdit::keyPressEvent(e);
}

void PoleLiczby::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // the window losing the activation (a dialog, another program) is not leaving the box
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    const auto liczba = Liczba();
    if (!liczba) {
        emit bladLiczby(text());
        const QSignalBlocker cicho(this);
        UstawLiczbe(ostatnia);
        return;
    }
    if (*liczba < minimum || *liczba > maksimum)
        UstawLiczbe(std::clamp(*liczba, minimum, maksimum));
}

QRect PoleLiczby::Strzalka(int kierunek) const {
    const int polowa = height() / 2;
    return kierunek > 0
               ? QRect(width() - SzerokoscStrzalek, 0, SzerokoscStrzalek, polowa)
               : QRect(width() - SzerokoscStrzalek, polowa, SzerokoscStrzalek, height() - polowa);
}

void PoleLiczby::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    update();
}

void PoleLiczby::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool czynne = isEnabled();
    for (const int kierunek : {+1, -1}) {
        const QRectF r = QRectF(Strzalka(kierunek)).adjusted(1.5, 1.5, -1.5, -1.5);
        const bool wcisnieta = this->wcisnieta == kierunek;
        p.setPen(Qt::NoPen);
        p.setBrush(wcisnieta ? QColor(0xD2, 0xD5, 0xE0) : QColor::fromRgba(skora::PanelJasny));
        p.drawRoundedRect(r, 2, 2);
        const QPointF s = r.center();
        QPolygonF grot;
        const qreal d = kierunek > 0 ? -1.5 : 1.5;
        grot << QPointF(s.x() - 3, s.y() - d) << QPointF(s.x() + 3, s.y() - d)
             << QPointF(s.x(), s.y() + d);
        p.setBrush(czynne ? QColor::fromRgba(skora::Lupek) : QColor(0xB4, 0xB6, 0xC2));
        p.drawPolygon(grot);
    }
}

void PoleLiczby::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        for (const int kierunek : {+1, -1}) {
            if (!Strzalka(kierunek).contains(e->position().toPoint())) continue;
            setFocus(Qt::MouseFocusReason);
            wcisnieta = kierunek;
            Krokuj(kierunek);
            powtarzanie->start(400);
            update();
            return;
        }
    }
    QLineEdit::mousePressEvent(e);
}

void PoleLiczby::mouseReleaseEvent(QMouseEvent* e) {
    if (wcisnieta) {
        wcisnieta = 0;
        powtarzanie->stop();
        update();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void PoleLiczby::mouseMoveEvent(QMouseEvent* e) {
    const bool nadStrzalka = Strzalka(+1).contains(e->position().toPoint()) ||
                             Strzalka(-1).contains(e->position().toPoint());
    setCursor(nadStrzalka ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (wcisnieta) return;
    QLineEdit::mouseMoveEvent(e);
}

} // namespace sondrel
