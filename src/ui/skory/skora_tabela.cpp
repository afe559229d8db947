// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_tabela.h"

#include "ui/skory/skora.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

constexpr QRgb KrawedzMenu = 0xFFA2A6B8;  // the menu column's edge towards the white body
constexpr QRgb NaglowekMenu = 0xFF4A4E66; // small headings on the menu column
constexpr int Listwa = 37;                // the title strip's height

// The outer sides of the window that a piece of the skin touches.
struct Boki {
    bool lewy = false, gorny = false, prawy = false, dolny = false;
};

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

// Fills the piece inside the window's outline, then strokes the frame along its outer sides.
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

// The strip's gradient with the faint highlight under its top edge.
void MalujPasListwy(QPainter& p, const QRectF& r, qreal odLewej = 0, qreal odPrawej = 0) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
    g.setColorAt(1, K(Granat));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawLine(QPointF(r.left() + odLewej, r.top() + 1.5),
               QPointF(r.right() - odPrawej, r.top() + 1.5));
}

// The menu column: its colour and its edge towards the body.
void MalujKolumneMenu(QPainter& p, const QRectF& r) {
    p.fillRect(r, K(MenuTlo));
    p.setPen(QPen(K(KrawedzMenu), 1));
    p.drawLine(QPointF(r.right() - 0.5, r.top()), QPointF(r.right() - 0.5, r.bottom()));
}

// A small table glyph for the menu's heading.
void MalujZnakTabeli(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(K(NaglowekMenu), 1));
    p.setBrush(Qt::white);
    const QRect k = r.toRect();
    p.drawRect(k.adjusted(0, 0, -1, -1));
    p.fillRect(QRect(k.left() + 1, k.top() + 1, k.width() - 2, 3), K(NaglowekMenu));
    p.drawLine(k.left() + 5, k.top() + 4, k.left() + 5, k.bottom() - 1);
    p.drawLine(k.left() + 1, k.top() + 7, k.right() - 1, k.top() + 7);
    p.restore();
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

// ---- table window ------------------------------------------------------------------------------

} // namespace

void MalujMenuKolumny(QPainter& p, QSizeF r, const QString& naglowek,
                      const std::function<void(QPainter&, const QRectF&)>& znak) {
    MalujKawalek(p, r, {.lewy = true, .gorny = true}, [&](QPainter& p) {
        MalujPasListwy(p, QRectF(0, 0, r.width(), Listwa), PromienNarozi, 0);
        MalujKolumneMenu(p, QRectF(0, Listwa, r.width(), r.height() - Listwa));
        p.setPen(K(TekstListwy));
        p.setFont(Czcionka(12, true));
        p.drawText(QRectF(15, 0, r.width() - 15, Listwa), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("Sondrel"));
        // a soft shadow under the strip
        QLinearGradient cien(0, Listwa, 0, Listwa + 4);
        cien.setColorAt(0, QColor(0x2F, 0x2F, 0x47, 40));
        cien.setColorAt(1, QColor(0x2F, 0x2F, 0x47, 0));
        p.fillRect(QRectF(0, Listwa, r.width() - 1, 4), cien);
        znak(p, QRectF(15, 44, 13, 11));
        MalujNaglowekMenu(p, 33, 54, naglowek);
    });
}

namespace {

void MalujMenuTabeli(QPainter& p, QSizeF r) {
    MalujMenuKolumny(p, r, QStringLiteral("TABELA"), MalujZnakTabeli);
}

void MalujLewoTabeli(QPainter& p, QSizeF r) {
    MalujKawalek(p, r, {.lewy = true},
                 [r](QPainter& p) { MalujKolumneMenu(p, QRectF(QPointF(0, 0), r)); });
}

void MalujLewoDolTabeli(QPainter& p, QSizeF r) {
    MalujKawalek(p, r, {.lewy = true, .dolny = true},
                 [r](QPainter& p) { MalujKolumneMenu(p, QRectF(QPointF(0, 0), r)); });
}

void MalujListweTabeli(QPainter& p, QSizeF r) {
    MalujKawalek(p, r, {.gorny = true},
                 [r](QPainter& p) { MalujPasListwy(p, QRectF(QPointF(0, 0), r)); });
}

void MalujListwePrawaTabeli(QPainter& p, QSizeF r) {
    MalujKawalek(p, r, {.gorny = true, .prawy = true}, [r](QPainter& p) {
        MalujPasListwy(p, QRectF(QPointF(0, 0), r), 0, PromienNarozi);
        MalujZnakZamkniecia(p, QRectF(ZnakZamknieciaTabeliX, ZnakZamknieciaTabeliY,
                                      ZnakZamknieciaTabeliBok, ZnakZamknieciaTabeliBok));
    });
}

void MalujBiale(QPainter& p, QSizeF r, Boki b) {
    MalujKawalek(p, r, b, [r](QPainter& p) { p.fillRect(QRectF(QPointF(0, 0), r), Qt::white); });
}

// A page arrow: a small flat button with a chevron.
void MalujStrzalke(QPainter& p, QSizeF r, bool wPrawo) {
    MalujTloMalegoPrzycisku(p, QRectF(QPointF(0, 0), r));
    const qreal sx = r.width() / 2 + (wPrawo ? 1 : -1), sy = r.height() / 2;
    const qreal d = 4;
    QPainterPath szewron;
    if (wPrawo) {
        szewron.moveTo(sx - d / 2 - 1, sy - d - 0.5);
        szewron.lineTo(sx + d / 2, sy);
        szewron.lineTo(sx - d / 2 - 1, sy + d + 0.5);
    } else {
        szewron.moveTo(sx + d / 2 + 1, sy - d - 0.5);
        szewron.lineTo(sx - d / 2, sy);
        szewron.lineTo(sx + d / 2 + 1, sy + d + 0.5);
    }
    p.setPen(QPen(K(Granat), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(szewron);
}

// ---- settings window ---------------------------------------------------------------------------

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
        MalujKolumneMenu(p, QRectF(0, Listwa, SzerokoscKolumnyMenu, h - Listwa));
        QLinearGradient cien(0, Listwa, 0, Listwa + 4);
        cien.setColorAt(0, QColor(0x2F, 0x2F, 0x47, 40));
        cien.setColorAt(1, QColor(0x2F, 0x2F, 0x47, 0));
        p.fillRect(QRectF(0, Listwa, w, 4), cien);
        MalujZnakUstawien(p, QPointF(SzerokoscKolumnyMenu / 2.0, 86));
        p.setFont(Czcionka(11));
        p.setPen(K(NaglowekMenu));
        p.drawText(QRectF(10, 112, SzerokoscKolumnyMenu - 20, 60), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Zapisywane\nw pliku\nSondrel.ini"));

        // the button band at the bottom of the body
        p.fillRect(QRectF(SzerokoscKolumnyMenu, pas, w - SzerokoscKolumnyMenu, h - pas),
                   K(PanelJasny));
        p.setPen(QPen(K(Linia), 1));
        p.drawLine(QPointF(SzerokoscKolumnyMenu, pas + 0.5), QPointF(w, pas + 0.5));

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
        p.setPen(K(0xFF7A7D90));
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
        p.setPen(K(0xFF7A7D90));
        p.drawText(QRectF(136, 408, 240, 61), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                   QStringLiteral("F1 - pomoc do okna ustawień."));
    });
}

} // namespace

void DodajObrazkiTabeli() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("tabelamenu"), QSize(124, 172), MalujMenuTabeli);
        DodajObrazek(QStringLiteral("tabelalewo"), QSize(124, 20), MalujLewoTabeli);
        DodajObrazek(QStringLiteral("tabelalewodol"), QSize(124, 34), MalujLewoDolTabeli);
        DodajObrazek(QStringLiteral("tabelalistwa"), QSize(100, 37), MalujListweTabeli);
        DodajObrazek(QStringLiteral("tabelalistwaprawa"), QSize(30, 37), MalujListwePrawaTabeli);
        DodajObrazek(QStringLiteral("tabelaprawo"), QSize(30, 20),
                     [](QPainter& p, QSizeF r) { MalujBiale(p, r, {.prawy = true}); });
        DodajObrazek(QStringLiteral("tabelaprawodol"), QSize(30, 34), [](QPainter& p, QSizeF r) {
            MalujBiale(p, r, {.prawy = true, .dolny = true});
        });
        DodajObrazek(QStringLiteral("tabeladol"), QSize(100, 34),
                     [](QPainter& p, QSizeF r) { MalujBiale(p, r, {.dolny = true}); });
        DodajObrazek(QStringLiteral("tabelawlewo"), QSize(25, 25),
                     [](QPainter& p, QSizeF r) { MalujStrzalke(p, r, false); });
        DodajObrazek(QStringLiteral("tabelawprawo"), QSize(25, 25),
                     [](QPainter& p, QSizeF r) { MalujStrzalke(p, r, true); });
        return true;
    }();
    (void)dodane;
}

void DodajObrazkiUstawien() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("tloini"), QSize(506, 499), MalujTloUstawien);
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
