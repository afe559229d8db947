// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora.h"

#include <QGuiApplication>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <functional>

#ifndef SONDREL_WERSJA
#define SONDREL_WERSJA "?"
#endif

namespace sondrel::skora {

namespace {

QColor Kolor(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

qreal SkalaAplikacji() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return app->devicePixelRatio();
    return 1.0;
}

QPainterPath Prostokat(const QRectF& r) {
    QPainterPath s;
    s.addRect(r);
    return s;
}

// A path of the window outline shrunk by d on every side (for a frame stroked inside).
QPainterPath SciezkaWewnetrzna(Ksztalt ksztalt, QSizeF rozmiar, qreal d) {
    const QRectF r(d, d, rozmiar.width() - 2 * d, rozmiar.height() - 2 * d);
    QPainterPath s;
    switch (ksztalt) {
    case Ksztalt::Prostokat:
        s.addRect(r);
        break;
    case Ksztalt::Zaokraglony:
        s.addRoundedRect(r, PromienNarozi - d, PromienNarozi - d);
        break;
    case Ksztalt::Sciety: {
        const qreal c = SciecieNarozi;
        const qreal x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
        s.addPolygon(QPolygonF({{x1 - c, y0},
                                {x1, y0 + c},
                                {x1, y1 - c},
                                {x1 - c, y1},
                                {x0 + c, y1},
                                {x0, y1 - c},
                                {x0, y0 + c},
                                {x0 + c, y0}}));
        s.closeSubpath();
        break;
    }
    }
    return s;
}

// ---- icons ---------------------------------------------------------------------------------

enum class Ikona { Informacja, Pytanie, Uwaga };

// A round badge with a white ring, so that it sits well both on a strip and on a panel.
void MalujIkone(QPainter& p, QSizeF rozmiar, Ikona ikona) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF s(rozmiar.width() / 2, rozmiar.height() / 2);
    const qreal R = std::min(rozmiar.width(), rozmiar.height()) / 2 - 1.5;

    // soft shadow
    QRadialGradient cien(s + QPointF(0, 1.2), R + 1.5);
    cien.setColorAt(0.80, QColor(0, 0, 0, 70));
    cien.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(cien);
    p.drawEllipse(s + QPointF(0, 1.2), R + 1.5, R + 1.5);

    p.setBrush(Qt::white);
    p.drawEllipse(s, R, R);

    QColor gora, dol;
    switch (ikona) {
    case Ikona::Informacja:
        gora = QColor(0x6A, 0x86, 0xB4);
        dol = QColor(0x45, 0x60, 0x90);
        break;
    case Ikona::Pytanie:
        gora = QColor(0x62, 0x62, 0x80);
        dol = Kolor(Granat);
        break;
    case Ikona::Uwaga:
        gora = QColor(0xE6, 0xB0, 0x45);
        dol = QColor(0xC8, 0x8A, 0x1E);
        break;
    }
    const qreal r = R - 2.5;
    QLinearGradient g(s.x(), s.y() - r, s.x(), s.y() + r);
    g.setColorAt(0, gora);
    g.setColorAt(1, dol);
    p.setBrush(g);
    p.drawEllipse(s, r, r);

    p.setBrush(Qt::white);
    const qreal k = r / 16.0; // the glyphs are drawn for a 16-pixel inner radius
    switch (ikona) {
    case Ikona::Informacja:
        p.drawEllipse(QPointF(s.x(), s.y() - 7.5 * k), 2.3 * k, 2.3 * k);
        p.drawRoundedRect(QRectF(s.x() - 2.1 * k, s.y() - 2.5 * k, 4.2 * k, 12.5 * k), 1.2 * k,
                          1.2 * k);
        break;
    case Ikona::Uwaga:
        p.drawRoundedRect(QRectF(s.x() - 2.1 * k, s.y() - 10 * k, 4.2 * k, 13 * k), 1.5 * k,
                          1.5 * k);
        p.drawEllipse(QPointF(s.x(), s.y() + 7.5 * k), 2.3 * k, 2.3 * k);
        break;
    case Ikona::Pytanie: {
        QPen pioro(Qt::white, 3.6 * k, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pioro);
        p.setBrush(Qt::NoBrush);
        QPainterPath haczyk;
        const QRectF luk(s.x() - 5.6 * k, s.y() - 10.5 * k, 11.2 * k, 10.5 * k);
        haczyk.arcMoveTo(luk, 160);
        haczyk.arcTo(luk, 160, -230);
        haczyk.quadTo(QPointF(s.x(), s.y() + 0.5 * k), QPointF(s.x(), s.y() + 3.2 * k));
        p.drawPath(haczyk);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(s.x(), s.y() + 8.6 * k), 2.3 * k, 2.3 * k);
        break;
    }
    }
}

// ---- the message dialog ----------------------------------------------------------------------

constexpr int ListwaKomunikatu = 32;
constexpr int PasPrzyciskow = 106; // top of the button band

void MalujOknoKomunikatu(QPainter& p, QSizeF r) {
    const QSize rozmiar = r.toSize();
    MalujRamkeOkna(p, rozmiar, Ksztalt::Zaokraglony, ListwaKomunikatu, QStringLiteral("Sondrel"),
                   62);
    // the button band
    QPainterPath pas = SciezkaWewnetrzna(Ksztalt::Zaokraglony, r, 1)
                           .intersected(Prostokat(
                               QRectF(0, PasPrzyciskow, r.width(), r.height() - PasPrzyciskow)));
    p.fillPath(pas, Kolor(PanelJasny));
    p.setPen(QPen(Kolor(Linia), 1));
    p.drawLine(QPointF(1, PasPrzyciskow + 0.5), QPointF(r.width() - 1, PasPrzyciskow + 0.5));
    MalujZnakZamkniecia(p, QRectF(323, 8, 17, 17));
}

// ---- the vignette ----------------------------------------------------------------------------

void MalujWiniete(QPainter& p, QSizeF r) {
    const qreal w = r.width(), h = r.height();
    constexpr qreal pas = 74;
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath ksztalt = SciezkaKsztaltu(Ksztalt::Sciety, r);
    p.fillPath(ksztalt, Kolor(PanelJasny));
    QPainterPath listwa = ksztalt.intersected(Prostokat(QRectF(0, 0, w, pas)));
    QLinearGradient g(0, 0, 0, pas);
    g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
    g.setColorAt(1, Kolor(Granat));
    p.fillPath(listwa, g);

    // a calm bar chart motif on the right of the body
    const qreal podstawa = h - 44;
    const struct {
        qreal wysokosc;
        QRgb kolor;
    } slupki[] = {
        {46, 0xFF9A9EB5}, {78, 0xFF6E7290}, {62, Lupek}, {104, 0xFF7FA86A}, {70, 0xFFB4B8C8}};
    qreal x = 236;
    for (const auto& s : slupki) {
        QPainterPath sl;
        sl.addRoundedRect(QRectF(x, podstawa - s.wysokosc, 16, s.wysokosc + 3), 3, 3);
        p.fillPath(sl.intersected(Prostokat(QRectF(x, 0, 16, podstawa))), Kolor(s.kolor));
        x += 22;
    }
    p.setPen(QPen(Kolor(0xFF9A9EB5), 1));
    p.drawLine(QPointF(228, podstawa + 0.5), QPointF(w - 18, podstawa + 0.5));

    // texts
    p.setPen(Kolor(Panel));
    p.setFont(Czcionka(30, true));
    p.drawText(QPointF(24, 44), QStringLiteral("Sondrel"));
    p.setPen(Kolor(MenuTlo));
    p.setFont(Czcionka(12));
    p.drawText(QPointF(26, 63),
               QStringLiteral("wersja %1 · zbudowana %2")
                   .arg(WersjaProgramu(), DataKompilacji().toString(QStringLiteral("dd.MM.yyyy"))));

    p.setPen(Kolor(Granat));
    p.setFont(Czcionka(13, true));
    p.drawText(QPointF(24, 112), QStringLiteral("Analiza wyników testów"));
    p.setPen(Kolor(Tekst2));
    p.setFont(Czcionka(12));
    p.drawText(QRectF(24, 120, 196, 60), Qt::TextWordWrap,
               QStringLiteral("Punkty, oceny, trudność pytań i czas pracy klasy w tabelach, na "
                              "wykresach i w raportach."));

    p.setPen(QPen(Kolor(Linia), 1));
    p.drawLine(QPointF(1, h - 30.5), QPointF(w - 1, h - 30.5));
    p.setPen(Kolor(0xFF7A7D90));
    p.setFont(Czcionka(11));
    p.drawText(QRectF(24, h - 30, w - 48, 30), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Autor: Brenvik · rodzina programów Zadrix"));

    p.setPen(QPen(Kolor(Granat), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(SciezkaWewnetrzna(Ksztalt::Sciety, r, 0.5));
    MalujZnakZamkniecia(p, QRectF(323, 21, 25, 17));
}

// ---- the save icon ----------------------------------------------------------------------------

// Frame n (0..7): the ring is drawn in four steps, the tick in three, the last frame fills the
// ring with green and holds.
void MalujKlatkeZapisu(QPainter& p, QSizeF r, int n) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF s(r.width() / 2, r.height() / 2);
    const qreal R = std::min(r.width(), r.height()) / 2 - 4;
    const QRectF okrag(s.x() - R, s.y() - R, 2 * R, 2 * R);

    p.setPen(QPen(Kolor(Linia), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(okrag);

    const bool koniec = n >= 7;
    if (koniec) {
        p.setPen(Qt::NoPen);
        p.setBrush(Kolor(Zielen));
        p.drawEllipse(okrag.adjusted(-1.5, -1.5, 1.5, 1.5));
    } else {
        const int cwierci = std::min(n + 1, 4);
        p.setPen(QPen(Kolor(Lupek), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(okrag, 90 * 16, -cwierci * 90 * 16);
    }

    const int kreski = koniec ? 3 : std::max(0, n - 3); // 0..3 thirds of the tick
    if (kreski > 0) {
        const QPointF a(s.x() - 0.42 * R, s.y() + 0.02 * R), b(s.x() - 0.12 * R, s.y() + 0.34 * R),
            c(s.x() + 0.46 * R, s.y() - 0.32 * R);
        QPainterPath haczyk(a);
        haczyk.lineTo(b);
        haczyk.lineTo(c);
        const qreal dlugosc = haczyk.length();
        QPainterPath czesc(a);
        const qreal do_ = dlugosc * kreski / 3.0;
        for (int i = 1; i <= 24; ++i)
            czesc.lineTo(haczyk.pointAtPercent(haczyk.percentAtLength(do_ * i / 24.0)));
        p.setPen(QPen(koniec ? QColor(Qt::white) : Kolor(Zielen), 3.4, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(czesc);
    }
}

// ---- the table of named pictures --------------------------------------------------------------

struct Przepis {
    QSize rozmiar;
    std::function<void(QPainter&, QSizeF)> maluj;
};

Przepis Przycisk(const QString& napis, bool zaznaczony) {
    return {QSize(88, 26), [napis, zaznaczony](QPainter& p, QSizeF r) {
                MalujPrzycisk(p, QRectF(QPointF(0, 0), r), napis, zaznaczony);
            }};
}

QHash<QString, Przepis>& Przepisy() {
    static QHash<QString, Przepis> przepisy = [] {
        QHash<QString, Przepis> t;
        t.insert(QStringLiteral("oknowarning"), {QSize(350, 150), MalujOknoKomunikatu});
        const auto ikona = [](Ikona i) {
            return Przepis{QSize(42, 43), [i](QPainter& p, QSizeF r) { MalujIkone(p, r, i); }};
        };
        t.insert(QStringLiteral("ikoinfo"), ikona(Ikona::Informacja));
        t.insert(QStringLiteral("ikopytanie"), ikona(Ikona::Pytanie));
        t.insert(QStringLiteral("ikouwaga"), ikona(Ikona::Uwaga));
        const struct {
            const char* nazwa;
            const char* napis;
        } przyciski[] = {{"buttak", "Tak"},         {"butnie", "Nie"},    {"butanuluj", "Anuluj"},
                         {"butzamknij", "Zamknij"}, {"butyes", "Yes"},    {"butno", "No"},
                         {"butcancel", "Cancel"},   {"butclose", "Close"}};
        for (const auto& b : przyciski) {
            const QString nazwa = QString::fromLatin1(b.nazwa);
            const QString napis = QString::fromLatin1(b.napis);
            t.insert(nazwa, Przycisk(napis, false));
            t.insert(nazwa + QStringLiteral("akt"), Przycisk(napis, true));
        }
        t.insert(QStringLiteral("winieta"), {QSize(366, 239), MalujWiniete});
        t.insert(QStringLiteral("zapisikona"),
                 {QSize(42, 42), [](QPainter& p, QSizeF r) { MalujKlatkeZapisu(p, r, 7); }});
        return t;
    }();
    return przepisy;
}

} // namespace

// ---- fonts ------------------------------------------------------------------------------------

void UstawCzcionki() {
    static const bool ustawione = [] {
        // Liberation Sans first: its widths are Arial's, the closest to the stored font's, so
        // the captions fit their labels at the stored size; DejaVu Sans is a fifth wider.
        QFont::insertSubstitutions(QString::fromLatin1(NazwaCzcionki),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("DejaVu Sans"), QStringLiteral("Helvetica")});
        return true;
    }();
    (void)ustawione;
}

QFont Czcionka(int piksele, bool pogrubiona) {
    UstawCzcionki();
    QFont f(QString::fromLatin1(NazwaCzcionki));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(piksele);
    f.setBold(pogrubiona);
    return f;
}

QFont CzcionkaPunkty(int punkty, bool pogrubiona) {
    QFont f = Czcionka(12, pogrubiona);
    f.setPointSize(punkty);
    return f;
}

// ---- outlines ---------------------------------------------------------------------------------

QPainterPath SciezkaKsztaltu(Ksztalt ksztalt, QSizeF rozmiar) {
    return SciezkaWewnetrzna(ksztalt, rozmiar, 0);
}

QRegion RegionKsztaltu(Ksztalt ksztalt, QSize rozmiar) {
    const int w = rozmiar.width(), h = rozmiar.height();
    if (w <= 0 || h <= 0) return {};
    switch (ksztalt) {
    case Ksztalt::Prostokat:
        return QRegion(0, 0, w, h);
    case Ksztalt::Sciety: {
        const int c = SciecieNarozi;
        return QRegion(QPolygon(
            {{w - c, 0}, {w, c}, {w, h - c}, {w - c, h}, {c, h}, {0, h - c}, {0, c}, {c, 0}}));
    }
    case Ksztalt::Zaokraglony: {
        const int r = std::min({PromienNarozi, w / 2, h / 2});
        QRegion region(0, r, w, h - 2 * r);
        for (int y = 0; y < r; ++y) {
            const double dy = r - (y + 0.5);
            const int wciecie = int(std::lround(r - std::sqrt(double(r) * r - dy * dy)));
            region += QRect(wciecie, y, w - 2 * wciecie, 1);
            region += QRect(wciecie, h - 1 - y, w - 2 * wciecie, 1);
        }
        return region;
    }
    }
    return {};
}

// ---- building blocks --------------------------------------------------------------------------

void MalujListwe(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
    g.setColorAt(1, Kolor(Granat));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawLine(QPointF(r.left() + 6, r.top() + 1.5), QPointF(r.right() - 6, r.top() + 1.5));
}

void MalujRamkeOkna(QPainter& p, QSize rozmiar, Ksztalt ksztalt, int wysokoscListwy,
                    const QString& tytul, int tytulX) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF r(rozmiar);
    const QPainterPath obrys = SciezkaKsztaltu(ksztalt, r);
    p.fillPath(obrys, Kolor(Panel));
    if (wysokoscListwy > 0) {
        const QRectF pas(0, 0, r.width(), wysokoscListwy);
        QLinearGradient g(pas.topLeft(), pas.bottomLeft());
        g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
        g.setColorAt(1, Kolor(Granat));
        p.fillPath(obrys.intersected(Prostokat(pas)), g);
        p.setPen(QPen(QColor(255, 255, 255, 26), 1));
        p.drawLine(QPointF(PromienNarozi, 1.5), QPointF(r.width() - PromienNarozi, 1.5));
        if (!tytul.isEmpty()) {
            p.setPen(Kolor(TekstListwy));
            p.setFont(Czcionka(12, true));
            p.drawText(QRectF(tytulX, 0, r.width() - tytulX - 40, wysokoscListwy),
                       Qt::AlignVCenter | Qt::AlignLeft, tytul);
        }
    }
    p.setPen(QPen(Kolor(Granat), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(SciezkaWewnetrzna(ksztalt, r, 0.5));
    p.restore();
}

void MalujZnakZamkniecia(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal bok = std::min(r.width(), r.height());
    const QRectF kw(r.center().x() - bok / 2, r.center().y() - bok / 2, bok, bok);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 24));
    p.drawRoundedRect(kw, 3.5, 3.5);
    const qreal d = bok * 0.32;
    p.setPen(QPen(Kolor(TekstListwy), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(kw.topLeft() + QPointF(d, d), kw.bottomRight() - QPointF(d, d));
    p.drawLine(kw.topRight() + QPointF(-d, d), kw.bottomLeft() + QPointF(d, -d));
    p.restore();
}

namespace {

// A button's face: the rounded frame `ramka` in MenuTlo, filled with a vertical gradient from
// `gora` to `dol` spread over `pas`.
void MalujLico(QPainter& p, const QRectF& ramka, const QRectF& pas, QColor gora, QColor dol,
               qreal promien) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(pas.topLeft(), pas.bottomLeft());
    g.setColorAt(0, gora);
    g.setColorAt(1, dol);
    p.setPen(QPen(Kolor(MenuTlo), 1));
    p.setBrush(g);
    p.drawRoundedRect(ramka, promien, promien);
}

} // namespace

void MalujLicoPrzycisku(QPainter& p, const QRectF& r) {
    MalujLico(p, r.adjusted(0.5, 0.5, -0.5, -0.5), r, QColor(0xE9, 0xEA, 0xF0),
              QColor(0xDD, 0xDF, 0xE7), PromienNarozi - 1.5);
}

void MalujTloMalegoPrzycisku(QPainter& p, const QRectF& r) {
    const QRectF ramka = r.adjusted(0.5, 0.5, -0.5, -0.5);
    MalujLico(p, ramka, ramka, QColor(0xF1, 0xF2, 0xF6), QColor(0xE2, 0xE4, 0xEB),
              PromienNarozi - 1);
}

void MalujPrzycisk(QPainter& p, const QRectF& r, const QString& napis, bool zaznaczony) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ramka = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (zaznaczony) {
        p.setPen(QPen(Kolor(Lupek), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(ramka, PromienNarozi - 1.5, PromienNarozi - 1.5);
        // the inner ring that marks the keyboard selection
        p.setPen(QPen(QColor(0x46, 0x46, 0x5A, 70), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(ramka.adjusted(1.5, 1.5, -1.5, -1.5), PromienNarozi - 3,
                          PromienNarozi - 3);
    } else {
        MalujLicoPrzycisku(p, r);
    }
    p.setPen(Kolor(zaznaczony ? Granat : Tekst));
    p.setFont(Czcionka(12, zaznaczony));
    // "&" marks the letter of the button's Alt shortcut, drawn underlined
    p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, napis);
    p.restore();
}

// ---- named pictures ---------------------------------------------------------------------------

QString ArkuszListwy(Qt::Orientation kierunek) {
    const bool pionowa = kierunek == Qt::Vertical;
    return QStringLiteral(
               "QScrollBar:%1 { background: %3; %4: %5px; margin: 0; border: 1px solid %6;"
               "  border-radius: 4px; }"
               "QScrollBar::handle:%1 { background: %7; min-%2: %8px; margin: 2px;"
               "  border-radius: 3px; }"
               "QScrollBar::handle:%1:hover { background: %9; }"
               "QScrollBar::handle:%1:pressed { background: %10; }"
               "QScrollBar::handle:%1:disabled { background: %11; }"
               "QScrollBar::add-line:%1, QScrollBar::sub-line:%1 { %2: 0; border: none;"
               "  background: none; }"
               "QScrollBar::add-page:%1, QScrollBar::sub-page:%1 { background: none; }")
        .arg(pionowa ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
             pionowa ? QStringLiteral("height") : QStringLiteral("width"), Css(PanelJasny),
             pionowa ? QStringLiteral("width") : QStringLiteral("height"),
             QString::number(pionowa ? 16 : 14), Css(Linia), Css(MenuTlo),
             QString::number(pionowa ? 24 : 18), Css(SuwakNad))
        .arg(Css(SuwakWcisniety), Css(SuwakWylaczony));
}

QPixmap Obrazek(const QString& nazwa) {
    return Obrazek(nazwa, RozmiarObrazka(nazwa));
}

QPixmap Obrazek(const QString& nazwa, QSize rozmiar) {
    const auto it = Przepisy().constFind(nazwa.toLower());
    if (it == Przepisy().constEnd() || rozmiar.isEmpty()) return {};
    const qreal skala = SkalaAplikacji();
    QPixmap obraz(rozmiar * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSize wlasny = it->rozmiar;
    if (rozmiar != wlasny)
        p.scale(qreal(rozmiar.width()) / wlasny.width(), qreal(rozmiar.height()) / wlasny.height());
    it->maluj(p, QSizeF(wlasny));
    return obraz;
}

QSize RozmiarObrazka(const QString& nazwa) {
    const auto it = Przepisy().constFind(nazwa.toLower());
    return it == Przepisy().constEnd() ? QSize() : it->rozmiar;
}

QStringList NazwyObrazkow() {
    QStringList nazwy = Przepisy().keys();
    nazwy.sort();
    return nazwy;
}

void DodajObrazek(const QString& nazwa, QSize rozmiar, Malowanie maluj) {
    Przepisy().insert(nazwa.toLower(), {rozmiar, std::move(maluj)});
}

QList<Klatka> KlatkiIkonyZapisu(qreal skala) {
    if (skala <= 0) skala = 1.0;
    QList<Klatka> klatki;
    const QSizeF r(42, 42);
    for (int n = 0; n < 8; ++n) {
        QImage obraz((r * skala).toSize(), QImage::Format_ARGB32_Premultiplied);
        obraz.setDevicePixelRatio(skala);
        obraz.fill(Qt::transparent);
        QPainter p(&obraz);
        MalujKlatkeZapisu(p, r, n);
        p.end();
        // seven quick steps of 120 ms, then the finished mark is held: 2000 ms in all
        klatki.append({obraz, n < 7 ? 120 : 2000 - 7 * 120});
    }
    return klatki;
}

QString WersjaProgramu() {
    return QStringLiteral(SONDREL_WERSJA);
}

QDate DataKompilacji() {
    return QDate::fromString(QStringLiteral(SONDREL_DATA_KOMPILACJI), Qt::ISODate);
}

} // namespace sondrel::skora
