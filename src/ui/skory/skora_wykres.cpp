// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_wykres.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_tabela.h"

#include <QPainter>

namespace sondrel::skora {

namespace {

void Jak(const char* tabeli, QPainter& p, QSizeF r) {
    p.drawPixmap(QRectF(QPointF(0, 0), r), Obrazek(QString::fromLatin1(tabeli), r.toSize()),
                 QRectF());
}

// Three short diagonal ridges in the lower right corner: the grip that resizes the window.
void MalujUchwyt(QPainter& p, QSizeF r) {
    Jak("tabelaprawodol", p, r);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF rog(UchwytWykresuX + UchwytWykresuW - 1, UchwytWykresuY + UchwytWykresuH - 1);
    for (int i = 1; i <= 3; ++i) {
        const double d = i * 4;
        p.setPen(QPen(QColor(0x8C, 0x90, 0xA6), 1.2));
        p.drawLine(rog + QPointF(-d, 0), rog + QPointF(0, -d));
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(rog + QPointF(-d + 1, 0), rog + QPointF(0, -d + 1));
    }
}

// The chart window's sign: three bars of rising height.
void MalujZnakWykresu(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const double szer = r.width() / 4;
    for (int i = 0; i < 3; ++i) {
        const double h = r.height() * (0.45 + 0.275 * i);
        p.fillRect(QRectF(r.left() + i * (szer + szer / 2), r.bottom() - h, szer, h),
                   QColor(0x46, 0x46, 0x5A));
    }
    p.restore();
}

} // namespace

void DodajObrazkiWykresu() {
    static const bool dodane = [] {
        DodajObrazkiTabeli();
        const auto alias = [](const char* nazwa, const char* tabeli, QSize r) {
            DodajObrazek(QString::fromLatin1(nazwa), r,
                         [tabeli](QPainter& p, QSizeF s) { Jak(tabeli, p, s); });
        };
        DodajObrazek(QStringLiteral("wykresmenu"), QSize(124, 172), [](QPainter& p, QSizeF r) {
            MalujMenuKolumny(p, r, QStringLiteral("WYKRES"), MalujZnakWykresu);
        });
        alias("wykreslewo", "tabelalewo", QSize(124, 20));
        alias("wykreslewodol", "tabelalewodol", QSize(124, 34));
        alias("wykreslistwa", "tabelalistwa", QSize(100, 37));
        alias("wykreslistwaprawa", "tabelalistwaprawa", QSize(30, 37));
        alias("wykresprawo", "tabelaprawo", QSize(30, 20));
        alias("wykresdol", "tabeladol", QSize(100, 34));
        DodajObrazek(QStringLiteral("wykresprawodol"), QSize(30, 34), MalujUchwyt);
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
