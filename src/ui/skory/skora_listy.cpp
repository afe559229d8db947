// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_listy.h"

#include "ui/skory/skora.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

constexpr QRgb TekstPomocniczy = 0xFF7A7D90; // hints and small captions
constexpr QRgb Naglowek = 0xFF4A4E66;        // small headings over the panels
constexpr QRgb Znak = 0xFF6E7290;            // the tree's group marks

// An answer-file glyph on a small flat button: a sheet with ticked lines and a plus badge
// (add answer files).
void MalujPrzyciskPlikow(QPainter& p, const QRectF& r) {
    p.save();
    MalujTloMalegoPrzycisku(p, r);

    // the sheet, centred, 12 x 15 with a folded corner
    const qreal w = 12, h = std::min<qreal>(15, r.height() - 8);
    const qreal x = r.center().x() - w / 2 - 1.5, y = r.center().y() - h / 2;
    QPainterPath arkusz;
    arkusz.moveTo(x, y);
    arkusz.lineTo(x + w - 3.5, y);
    arkusz.lineTo(x + w, y + 3.5);
    arkusz.lineTo(x + w, y + h);
    arkusz.lineTo(x, y + h);
    arkusz.closeSubpath();
    p.setPen(QPen(K(Lupek), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(arkusz);
    p.drawLine(QPointF(x + w - 3.5, y), QPointF(x + w - 3.5, y + 3.5));
    p.drawLine(QPointF(x + w - 3.5, y + 3.5), QPointF(x + w, y + 3.5));
    p.setPen(QPen(K(MenuTlo), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (qreal ly = y + 6; ly < y + h - 2; ly += 3)
        p.drawLine(QPointF(x + 2.5, ly), QPointF(x + w - 2.5, ly));

    // the plus badge
    const QPointF s(x + w + 1, y + h - 2);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(K(Zielen));
    p.drawEllipse(s, 4.6, 4.6);
    p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(s + QPointF(-2.2, 0), s + QPointF(2.2, 0));
    p.drawLine(s + QPointF(0, -2.2), s + QPointF(0, 2.2));
    p.restore();
}

// A white panel with a hairline frame, a little larger than the component it holds.
void MalujPanel(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(K(Linia), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.restore();
}

void MalujNaglowek(QPainter& p, const QPointF& punkt, const QString& tekst) {
    p.save();
    p.setFont(Czcionka(11, true));
    p.setPen(K(Naglowek));
    p.drawText(punkt, tekst);
    p.restore();
}

void MalujPodpis(QPainter& p, const QRectF& r, const QString& tekst, int flagi = Qt::AlignLeft) {
    p.save();
    p.setFont(Czcionka(11));
    p.setPen(K(TekstPomocniczy));
    p.drawText(r, flagi | Qt::TextWordWrap, tekst);
    p.restore();
}

// The button that adds answer files with its caption beside it.
void MalujWczytajPliki(QPainter& p, const QRect& przycisk) {
    MalujPrzyciskPlikow(p, QRectF(przycisk));
    const qreal x = przycisk.right() + 10;
    const qreal srodek = przycisk.center().y() + 0.5;
    p.save();
    p.setFont(Czcionka(12, true));
    p.setPen(K(Tekst));
    const QString napis = QStringLiteral("Wczytaj pliki odpowiedzi");
    p.drawText(QPointF(x, srodek - 2), napis);
    // the letter of its Alt shortcut ("p" of "pliki") underlined, as on the other buttons
    const QFontMetricsF fm(p.font());
    const qreal od = x + fm.horizontalAdvance(napis.left(8));
    const qreal linia = srodek - 2 + fm.underlinePos();
    p.setPen(QPen(K(Tekst), std::max<qreal>(1, fm.lineWidth())));
    p.drawLine(QPointF(od, linia), QPointF(od + fm.horizontalAdvance(QStringLiteral("p")), linia));
    p.setPen(K(Tekst));
    p.setFont(Czcionka(11));
    p.setPen(K(TekstPomocniczy));
    p.drawText(QPointF(x, srodek + 11), QStringLiteral("pliki uczniów (*.sko)"));
    p.restore();
}

// What both windows have alike: the frame with its title strip and close mark, and the button
// that adds answer files.
void MalujRamkeListy(QPainter& p, QSizeF r, const QString& tytul, const QRect& znakZamkniecia,
                     const QRect& wczytajPliki) {
    MalujRamkeOkna(p, r.toSize(), Ksztalt::Zaokraglony, ListwaListy, tytul);
    MalujZnakZamkniecia(p, QRectF(znakZamkniecia));
    MalujWczytajPliki(p, wczytajPliki);
}

// The confirm and cancel buttons at the foot of both windows.
void MalujPrzyciskiWyboru(QPainter& p, const QRect& wprowadz, const QRect& anuluj) {
    MalujPrzycisk(p, QRectF(wprowadz), QStringLiteral("&Wprowadź"), true);
    MalujPrzycisk(p, QRectF(anuluj), QStringLiteral("&Anuluj"), false);
}

QRectF Obok(const QRect& komponent, int margines) {
    return QRectF(komponent).adjusted(-margines, -margines, margines, margines);
}

// ---- the answer-file list window -----------------------------------------------------------

void MalujOknoLPlikow(QPainter& p, QSizeF r) {
    using namespace lplikow;
    MalujRamkeListy(p, r, QStringLiteral("Pliki odpowiedzi"), ZnakZamkniecia, WczytajPliki);

    MalujNaglowek(p, QPointF(PanelListy.left(), PanelListy.top() - 8), QStringLiteral("Uczniowie"));
    // one panel around the list and its scroll bar
    MalujPanel(p, QRectF(PanelListy.left() - 3, PanelListy.top() - 3,
                         ListwaV.right() + 5 - (PanelListy.left() - 3), PanelListy.height() + 6));

    MalujPodpis(p, QRectF(PanelListy.left() - 1, Wprowadz.top() + 2, 132, 60),
                QStringLiteral("Sprawdź, czy na liście są wszyscy uczniowie, i wprowadź pliki "
                               "do analizy."));
    MalujPrzyciskiWyboru(p, Wprowadz, Anuluj);
}

// ---- the two-list window -------------------------------------------------------------------

void MalujOknoObieListy(QPainter& p, QSizeF r) {
    using namespace obielisty;
    MalujRamkeListy(p, r, QStringLiteral("Analiza z testem z listy"), ZnakZamkniecia, WczytajPliki);

    MalujNaglowek(p, QPointF(PanelListy.left(), PanelListy.top() - 10),
                  QStringLiteral("Pliki odpowiedzi"));
    MalujPanel(p, QRectF(PanelListy.left() - 4, ListwaV.top() - 3,
                         ListwaV.right() + 5 - (PanelListy.left() - 4), ListwaV.height() + 6));

    // the tree's panel holds the tree and its scroll bar
    MalujPanel(p, Obok(PanelDrzewa, 2));
    MalujPodpis(p, QRectF(PanelDrzewa.left(), PanelDrzewa.bottom() + 8, PanelDrzewa.width(), 30),
                QStringLiteral("Kliknięcie wybiera test, dwuklik otwiera lub zamyka grupę."));

    // the band of the chosen test
    const QRectF pas(Test.left() - 10, Test.top() - 9, Test.width() + 20, Test.height() + 18);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(K(Linia), 1));
    p.setBrush(K(PanelJasny));
    p.drawRoundedRect(pas.adjusted(0.5, 0.5, -0.5, -0.5), PromienNarozi - 1, PromienNarozi - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(K(Zielen));
    p.drawRoundedRect(QRectF(pas.left() + 3, pas.top() + 6, 3, pas.height() - 12), 1.5, 1.5);
    p.restore();

    MalujPrzyciskiWyboru(p, Wprowadz, Anuluj);
}

// ---- the tree's group marks ----------------------------------------------------------------

// The mark lies in the upper part of its 16 x 16 square, level with the caption written at the
// same height. Open: a chevron pointing down; closed: pointing right.
void MalujZnakGrupy(QPainter& p, QSizeF, bool otwarta) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF s(7.5, 6.5);
    QPainterPath szewron;
    if (otwarta) {
        szewron.moveTo(s + QPointF(-3.5, -1.75));
        szewron.lineTo(s + QPointF(0, 1.75));
        szewron.lineTo(s + QPointF(3.5, -1.75));
    } else {
        szewron.moveTo(s + QPointF(-1.75, -3.5));
        szewron.lineTo(s + QPointF(1.75, 0));
        szewron.lineTo(s + QPointF(-1.75, 3.5));
    }
    p.setPen(QPen(K(Znak), 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(szewron);
}

} // namespace

void DodajObrazkiList() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("oknolplikow"), lplikow::Rozmiar, MalujOknoLPlikow);
        DodajObrazek(QStringLiteral("oknoobielisty"), obielisty::Rozmiar, MalujOknoObieListy);
        DodajObrazek(QStringLiteral("Left"), QSize(16, 16),
                     [](QPainter& p, QSizeF r) { MalujZnakGrupy(p, r, true); });
        DodajObrazek(QStringLiteral("Right"), QSize(16, 16),
                     [](QPainter& p, QSizeF r) { MalujZnakGrupy(p, r, false); });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
