// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_ustawien.h"

#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"

#include <QPainter>
#include <QPainterPath>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

constexpr int Listwa = ramka::Listwa;

// A folder glyph on a small flat button (pick the test list file).
void MalujPrzyciskFolderu(QPainter& p, const QRectF& r) {
    p.save();
    MalujTloMalegoPrzycisku(p, r);
    const qreal x = r.left() + 5.5, y = r.top() + 7.5, w = r.width() - 11, h = r.height() - 14;
    QPainterPath folder;
    folder.moveTo(x, y + h);
    folder.lineTo(x, y);
    folder.lineTo(x + 5, y);
    folder.lineTo(x + 6.5, y + 1.5);
    folder.lineTo(x + w, y + 1.5);
    folder.lineTo(x + w, y + h);
    folder.closeSubpath();
    p.setPen(QPen(K(Lupek), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(K(MenuTlo));
    p.drawPath(folder);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x, y + 3.5, w, h - 3.5));
    p.restore();
}

// A section heading of the settings window with a hairline under it.
void MalujSekcje(QPainter& p, qreal x, qreal y, qreal doX, const QString& tytul) {
    p.save();
    p.setFont(Czcionka(11, true));
    p.setPen(K(Granat));
    p.drawText(QPointF(x, y), tytul);
    const qreal za = x + p.fontMetrics().horizontalAdvance(tytul) + 8;
    p.setPen(QPen(K(Linia), 1));
    p.drawLine(QPointF(za, y - 3.5), QPointF(doX, y - 3.5));
    p.restore();
}

// A sliders glyph for the menu column of the settings window.
void MalujZnakUstawien(QPainter& p, QPointF s) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal polozenia[] = {-7, 6, -2};
    for (int i = 0; i < 3; ++i) {
        const qreal y = s.y() - 10 + i * 10;
        p.setPen(QPen(K(NaglowekMenu), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s.x() - 14, y), QPointF(s.x() + 14, y));
        p.setPen(QPen(K(NaglowekMenu), 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(s.x() + polozenia[i], y), 3.6, 3.6);
    }
    p.restore();
}

void MalujTloUstawien(QPainter& p, QSizeF r) {
    const qreal w = r.width(), h = r.height();
    constexpr qreal pas = 398; // top of the button band
    MalujKawalek(p, r, {true, true, true, true}, [&](QPainter& p) {
        p.fillRect(QRectF(0, 0, w, h), Qt::white);
        MalujPasListwy(p, QRectF(0, 0, w, Listwa), PromienNarozi, PromienNarozi);
        p.setPen(K(TekstListwy));
        p.setFont(Czcionka(12, true));
        p.drawText(QRectF(15, 0, 200, Listwa), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Sondrel"));
        p.drawText(QRectF(136, 0, w - 150, Listwa), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Ustawienia programu"));

        // the menu column on the left, as in the other windows
        MalujKolumneMenu(p, QRectF(0, Listwa, ramka::SzerokoscMenu, h - Listwa));
        MalujCienListwy(p, Listwa, w);
        MalujZnakUstawien(p, QPointF(ramka::SzerokoscMenu / 2.0, 86));
        p.setFont(Czcionka(11));
        p.setPen(K(NaglowekMenu));
        p.drawText(QRectF(10, 112, ramka::SzerokoscMenu - 20, 60), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Zapisywane\nw pliku\nSondrel.ini"));

        // the button band at the bottom of the body
        p.fillRect(QRectF(ramka::SzerokoscMenu, pas, w - ramka::SzerokoscMenu, h - pas),
                   K(PanelJasny));
        p.setPen(QPen(K(Linia), 1));
        p.drawLine(QPointF(ramka::SzerokoscMenu, pas + 0.5), QPointF(w, pas + 0.5));

        // sections
        MalujSekcje(p, 136, 58, w - 20, QStringLiteral("Opcje"));
        MalujSekcje(p, 136, 152, w - 20, QStringLiteral("Plik listy testów"));
        MalujPrzyciskFolderu(p, QRectF(159, 159, 25, 25));
        // the frame of the path field
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(K(MenuTlo), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(193.5, 159.5, 214, 24), 3.5, 3.5);
        p.setFont(Czcionka(10));
        p.setPen(K(TekstPodpowiedzi));
        p.drawText(QRectF(159, 192, w - 180, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Z tej listy wybierasz test do pełnej analizy (plik .skg)."));

        // the hint panel
        MalujSekcje(p, 136, 266, w - 20, QStringLiteral("Podpowiedź"));
        p.setPen(Qt::NoPen);
        p.setBrush(K(PanelJasny));
        p.drawRoundedRect(QRectF(128, 274, w - 148, 86), PromienNarozi, PromienNarozi);

        // the save and close buttons
        MalujPrzycisk(p, QRectF(388, 408, 87, 23), QStringLiteral("Zapisz"), false);
        MalujPrzycisk(p, QRectF(388, 446, 87, 23), QStringLiteral("Zamknij"), false);
        p.setFont(Czcionka(11));
        p.setPen(K(TekstPodpowiedzi));
        p.drawText(QRectF(136, 408, 240, 61), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                   QStringLiteral("F1 - pomoc do okna ustawień."));
    });
}

} // namespace

void DodajObrazkiUstawien() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("tloini"), QSize(506, 499), MalujTloUstawien);
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
