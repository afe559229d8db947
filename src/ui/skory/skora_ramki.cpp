// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_ramki.h"

#include "ui/skory/skora.h"

#include <QLinearGradient>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

// The window's rounded outline as seen by a piece of size r lying against the given sides,
// shrunk by d (0.5 for a 1-pixel frame stroked inside).
QPainterPath Obrys(QSizeF r, Boki b, qreal d) {
    constexpr qreal z = 100; // how far the window goes on beyond a side that is not its edge
    const qreal x0 = b.lewy ? 0 : -z, y0 = b.gorny ? 0 : -z;
    const qreal x1 = r.width() + (b.prawy ? 0 : z), y1 = r.height() + (b.dolny ? 0 : z);
    QPainterPath s;
    s.addRoundedRect(QRectF(x0 + d, y0 + d, x1 - x0 - 2 * d, y1 - y0 - 2 * d), PromienNarozi - d,
                     PromienNarozi - d);
    return s;
}

void MalujBiale(QPainter& p, QSizeF r, Boki b) {
    MalujKawalek(p, r, b, [r](QPainter& p) { p.fillRect(QRectF(QPointF(0, 0), r), Qt::white); });
}

void MalujLewo(QPainter& p, QSizeF r, Boki b) {
    MalujKawalek(p, r, b, [r](QPainter& p) { MalujKolumneMenu(p, QRectF(QPointF(0, 0), r)); });
}

// Three short diagonal ridges in the lower right corner: the grip that resizes the window.
void MalujUchwyt(QPainter& p, QSizeF r) {
    MalujBiale(p, r, {.prawy = true, .dolny = true});
    p.setRenderHint(QPainter::Antialiasing);
    const QRect& u = ramka::Uchwyt;
    const QPointF rog(u.x() + u.width() - 1, u.y() + u.height() - 1);
    for (int i = 1; i <= 3; ++i) {
        const double d = i * 4;
        p.setPen(QPen(K(Kreska), 1.2));
        p.drawLine(rog + QPointF(-d, 0), rog + QPointF(0, -d));
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(rog + QPointF(-d + 1, 0), rog + QPointF(0, -d + 1));
    }
}

} // namespace

void MalujKawalek(QPainter& p, QSizeF r, Boki b, const std::function<void(QPainter&)>& wypelnij) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath kawalek;
    kawalek.addRect(QRectF(QPointF(0, 0), r));
    p.setClipPath(Obrys(r, b, 0).intersected(kawalek));
    wypelnij(p);
    p.setClipRect(QRectF(QPointF(0, 0), r));
    p.setPen(QPen(K(Granat), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Obrys(r, b, 0.5));
    p.restore();
}

void MalujPasListwy(QPainter& p, const QRectF& r, qreal odLewej, qreal odPrawej) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, K(ListwaGora));
    g.setColorAt(1, K(Granat));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawLine(QPointF(r.left() + odLewej, r.top() + 1.5),
               QPointF(r.right() - odPrawej, r.top() + 1.5));
}

void MalujKolumneMenu(QPainter& p, const QRectF& r) {
    p.fillRect(r, K(MenuTlo));
    p.setPen(QPen(K(KrawedzMenu), 1));
    p.drawLine(QPointF(r.right() - 0.5, r.top()), QPointF(r.right() - 0.5, r.bottom()));
}

void MalujNaglowekMenu(QPainter& p, qreal x, qreal y, const QString& tekst) {
    p.save();
    QFont f = Czcionka(10, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    p.setFont(f);
    p.setPen(K(NaglowekMenu));
    p.drawText(QPointF(x, y), tekst);
    p.restore();
}

void MalujCienListwy(QPainter& p, qreal listwa, qreal szerokosc) {
    QColor od = K(Granat), doo = K(Granat);
    od.setAlpha(40);
    doo.setAlpha(0);
    QLinearGradient cien(0, listwa, 0, listwa + 4);
    cien.setColorAt(0, od);
    cien.setColorAt(1, doo);
    p.fillRect(QRectF(0, listwa, szerokosc, 4), cien);
}

void MalujMenuKolumny(QPainter& p, QSizeF r, const QString& naglowek,
                      const std::function<void(QPainter&, const QRectF&)>& znak) {
    const int listwa = ramka::Listwa;
    MalujKawalek(p, r, {.lewy = true, .gorny = true}, [&](QPainter& p) {
        MalujPasListwy(p, QRectF(0, 0, r.width(), listwa), PromienNarozi, 0);
        MalujKolumneMenu(p, QRectF(0, listwa, r.width(), r.height() - listwa));
        p.setPen(K(TekstListwy));
        p.setFont(Czcionka(12, true));
        p.drawText(QRectF(15, 0, r.width() - 15, listwa), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Sondrel"));
        MalujCienListwy(p, listwa, r.width() - 1);
        znak(p, QRectF(15, 44, 13, 11));
        MalujNaglowekMenu(p, 33, 54, naglowek);
    });
}

void DodajObrazkiRamki() {
    static const bool dodane = [] {
        const int prawy = ramka::PrawyBok, dol = ramka::DolnyPas, menu = ramka::SzerokoscMenu;
        DodajObrazek(QStringLiteral("ramkalewo"), QSize(menu, 20),
                     [](QPainter& p, QSizeF r) { MalujLewo(p, r, {.lewy = true}); });
        DodajObrazek(QStringLiteral("ramkalewodol"), QSize(menu, dol),
                     [](QPainter& p, QSizeF r) { MalujLewo(p, r, {.lewy = true, .dolny = true}); });
        DodajObrazek(
            QStringLiteral("ramkalistwa"), QSize(100, ramka::Listwa), [](QPainter& p, QSizeF r) {
                MalujKawalek(p, r, {.gorny = true},
                             [r](QPainter& p) { MalujPasListwy(p, QRectF(QPointF(0, 0), r)); });
            });
        DodajObrazek(QStringLiteral("ramkalistwaprawa"), QSize(prawy, ramka::Listwa),
                     [](QPainter& p, QSizeF r) {
                         MalujKawalek(p, r, {.gorny = true, .prawy = true}, [r](QPainter& p) {
                             MalujPasListwy(p, QRectF(QPointF(0, 0), r), 0, PromienNarozi);
                             MalujZnakZamkniecia(p, QRectF(ramka::ZnakZamkniecia));
                         });
                     });
        DodajObrazek(QStringLiteral("ramkaprawo"), QSize(prawy, 20),
                     [](QPainter& p, QSizeF r) { MalujBiale(p, r, {.prawy = true}); });
        DodajObrazek(QStringLiteral("ramkaprawodol"), QSize(prawy, dol), [](QPainter& p, QSizeF r) {
            MalujBiale(p, r, {.prawy = true, .dolny = true});
        });
        DodajObrazek(QStringLiteral("ramkauchwyt"), QSize(prawy, dol), MalujUchwyt);
        DodajObrazek(QStringLiteral("ramkadol"), QSize(100, dol),
                     [](QPainter& p, QSizeF r) { MalujBiale(p, r, {.dolny = true}); });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
