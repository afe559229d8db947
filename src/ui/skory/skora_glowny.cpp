// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_glowny.h"

#include "ui/skory/skora.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sondrel::skora {

namespace {

QColor Kolor(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

constexpr QRgb NaglowekTlo = 0xFFA6AABC;   // closed menu headers on the menu column
constexpr QRgb NaglowekRamka = 0xFF9599AE; // their outline
constexpr QRgb PoleTlo = 0xFFC3C6D3;       // light fills on the menu column
constexpr QRgb TekstSzary = 0xFF7A7D90;    // footers and captions on light panels
constexpr QRgb TloOkna = PanelJasny;       // the body of the window around its panels

constexpr int ListwaGlowna = 30; // height of the title strip

QPainterPath Zaokraglony(const QRectF& r, qreal promien) {
    QPainterPath s;
    s.addRoundedRect(r, promien, promien);
    return s;
}

// A chevron in the box r: pointing down (an open group) or to the right (a closed one).
void MalujStrzalke(QPainter& p, const QRectF& r, bool wDol, QColor kolor) {
    p.save();
    p.setPen(QPen(kolor, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF s = r.center();
    QPolygonF linia;
    if (wDol)
        linia << s + QPointF(-3.5, -1.8) << s + QPointF(0, 1.8) << s + QPointF(3.5, -1.8);
    else
        linia << s + QPointF(-1.8, -3.5) << s + QPointF(1.8, 0) << s + QPointF(-1.8, 3.5);
    p.drawPolyline(linia);
    p.restore();
}

// A header row of the menu accordions: the open group in slate with white text, a closed
// group a shade darker than the menu column with dark text.
void MalujNaglowek(QPainter& p, const QRectF& r, const QString& tekst, bool otwarty,
                   int wielkosc = 12) {
    p.save();
    const QRectF ramka = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (otwarty) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
        g.setColorAt(1, Kolor(Granat));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(Zaokraglony(ramka, 4));
        p.setPen(QPen(QColor(255, 255, 255, 26), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1.5), QPointF(r.right() - 4, r.top() + 1.5));
    } else {
        p.setPen(QPen(Kolor(NaglowekRamka), 1));
        p.setBrush(Kolor(NaglowekTlo));
        p.drawPath(Zaokraglony(ramka, 4));
    }
    const QColor kolorTekstu = otwarty ? Kolor(Panel) : Kolor(Granat);
    MalujStrzalke(p, QRectF(r.left() + 4, r.top(), 14, r.height()), otwarty, kolorTekstu);
    p.setPen(kolorTekstu);
    p.setFont(Czcionka(wielkosc, true));
    p.drawText(r.adjusted(20, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, tekst);
    p.restore();
}

// The program's sign: a slate tile with three bars, the last one green.
void MalujZnak(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x4B, 0x4B, 0x66));
    g.setColorAt(1, Kolor(Granat));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(Zaokraglony(r, r.width() * 0.2));
    const qreal k = r.width() / 40.0;
    const struct {
        qreal x, h;
        QRgb kolor;
    } slupki[] = {{9, 12, 0xFFB4B8C8}, {17, 19, 0xFFE6E7EF}, {25, 25, 0xFF8FC07A}};
    for (const auto& s : slupki) {
        p.setBrush(Kolor(s.kolor));
        p.drawPath(Zaokraglony(QRectF(r.left() + s.x * k, r.top() + (32 - s.h) * k, 6 * k, s.h * k),
                               1.5 * k));
    }
    p.restore();
}

// The calm bar-chart motif of the panels, its base line at `podstawa`.
void MalujMotyw(QPainter& p, qreal x, qreal podstawa, qreal skala) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // faint grid lines
    p.setPen(QPen(Kolor(Linia), 1));
    for (int i = 1; i <= 3; ++i) {
        const qreal y = podstawa - i * 34 * skala + 0.5;
        p.drawLine(QPointF(x - 10 * skala, y), QPointF(x + 150 * skala, y));
    }
    const struct {
        qreal wysokosc;
        QRgb kolor;
    } slupki[] = {{46, 0xFF9A9EB5},  {78, 0xFF6E7290}, {62, Lupek},
                  {104, 0xFF7FA86A}, {70, 0xFFB4B8C8}, {34, 0xFFCBCEDA}};
    qreal sx = x;
    for (const auto& s : slupki) {
        const QRectF slupek(sx, podstawa - s.wysokosc * skala, 16 * skala, s.wysokosc * skala + 4);
        QPainterPath sl = Zaokraglony(slupek, 3 * skala);
        QPainterPath pod;
        pod.addRect(QRectF(sx - 1, 0, 18 * skala, podstawa));
        p.fillPath(sl.intersected(pod), Kolor(s.kolor));
        sx += 24 * skala;
    }
    p.setPen(QPen(Kolor(0xFF9A9EB5), 1));
    p.drawLine(QPointF(x - 10 * skala, podstawa + 0.5), QPointF(x + 150 * skala, podstawa + 0.5));
    p.restore();
}

// A rounded field filling r: its thin frame and its fill.
void MalujPole(QPainter& p, const QRectF& r, QRgb ramka, QRgb tlo) {
    p.save();
    p.setPen(QPen(Kolor(ramka), 1));
    p.setBrush(Kolor(tlo));
    p.drawPath(Zaokraglony(r.adjusted(0.5, 0.5, -0.5, -0.5), PromienNarozi));
    p.restore();
}

// A white panel with a thin frame.
void MalujPanel(QPainter& p, const QRectF& r) {
    MalujPole(p, r, Linia, Panel);
}

// The menu column on the left of both skins.
void MalujKolumne(QPainter& p, const QRectF& r) {
    MalujPole(p, r, NaglowekRamka, MenuTlo);
}

// The body of a 790 x 581 window: white frame and strip, light body.
void MalujKorpus(QPainter& p, QSizeF r, const QString& tytul) {
    MalujRamkeOkna(p, r.toSize(), Ksztalt::Zaokraglony, ListwaGlowna);
    QPainterPath korpus = SciezkaKsztaltu(Ksztalt::Zaokraglony, r);
    QPainterPath dol;
    dol.addRect(QRectF(1, ListwaGlowna, r.width() - 2, r.height() - ListwaGlowna - 1));
    p.fillPath(korpus.intersected(dol), Kolor(TloOkna));
    // the strip's title: the name in bold, the rest lighter
    p.setFont(Czcionka(12, true));
    p.setPen(Kolor(TekstListwy));
    const QString nazwa = QStringLiteral("Sondrel");
    p.drawText(QRectF(16, 0, 300, ListwaGlowna), Qt::AlignVCenter | Qt::AlignLeft, nazwa);
    const qreal x = 16 + QFontMetricsF(p.font()).horizontalAdvance(nazwa) + 8;
    p.setFont(Czcionka(12));
    p.setPen(Kolor(MenuTlo));
    p.drawText(QRectF(x, 0, 400, ListwaGlowna), Qt::AlignVCenter | Qt::AlignLeft, tytul);
    // the frame once more, over the body
    p.setPen(QPen(Kolor(Granat), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Zaokraglony(QRectF(0.5, 0.5, r.width() - 1, r.height() - 1), PromienNarozi - 0.5));
}

// The three window buttons of the strip: enlarge, minimise, close (each 19 x 11).
void MalujPrzyciskiOkna(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const auto tlo = [&p](const QRectF& r) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 24));
        p.drawRoundedRect(r.adjusted(1, -2, -1, 2), 3.5, 3.5);
    };
    const QPen pioro(Kolor(TekstListwy), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    // enlarge: a frame with a second one behind it
    const QRectF big(666, 9, 19, 11);
    tlo(big);
    p.setPen(pioro);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(big.center().x() - 4, big.center().y() - 2.5, 7, 6));
    p.drawPolyline(QPolygonF({QPointF(big.center().x() - 2, big.center().y() - 4.5),
                              QPointF(big.center().x() + 5, big.center().y() - 4.5),
                              QPointF(big.center().x() + 5, big.center().y() + 1.5)}));
    // minimise: a line at the bottom
    const QRectF min(715, 8, 19, 11);
    tlo(min);
    p.setPen(pioro);
    p.drawLine(QPointF(min.center().x() - 4, min.center().y() + 3),
               QPointF(min.center().x() + 4, min.center().y() + 3));
    // close
    const QRectF zamknij(744, 8, 19, 11);
    tlo(zamknij);
    p.setPen(QPen(Kolor(TekstListwy), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF s = zamknij.center();
    p.drawLine(s + QPointF(-3.5, -3.5), s + QPointF(3.5, 3.5));
    p.drawLine(s + QPointF(3.5, -3.5), s + QPointF(-3.5, 3.5));
    p.restore();
}

void MalujTekst(QPainter& p, const QRectF& r, const QString& tekst, int wielkosc, QRgb kolor,
                bool pogrubiony = false, int wyrownanie = Qt::AlignLeft | Qt::AlignTop) {
    p.setFont(Czcionka(wielkosc, pogrubiony));
    p.setPen(Kolor(kolor));
    p.drawText(r, wyrownanie | Qt::TextWordWrap, tekst);
}

// ---- the main skin --------------------------------------------------------------------------

// The accordion of the test, help and archive menus: in the main skin and the three open menus
// its headers stand at the same places (relative to the menu's place 7, 128).
constexpr QRectF NaglowekTestow(6, 2, 228, 24);
constexpr QRectF NaglowekPomocyZamkniety(6, 28, 228, 24);   // under the closed test menu
constexpr QRectF NaglowekPomocyPodTestami(6, 94, 228, 24);  // under the open test menu
constexpr QRectF NaglowekArchiwumZamkniety(6, 54, 228, 24); // under the two closed ones
constexpr QRectF NaglowekArchiwumNaDole(6, 120, 228, 24);   // under an open test or help menu

const QString TytulTestow = QStringLiteral("Analiza testu");
const QString TytulPomocy = QStringLiteral("Pomoc i ustawienia");
const QString TytulArchiwum = QStringLiteral("Archiwum");

void MalujTloGlowne(QPainter& p, QSizeF r) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    MalujKorpus(p, r, QStringLiteral("analiza wyników testów"));
    MalujPrzyciskiOkna(p);

    // the menu column
    const QRectF kolumna(7, 38, 240, 535);
    MalujKolumne(p, kolumna);
    MalujZnak(p, QRectF(20, 52, 40, 40));
    MalujTekst(p, QRectF(70, 52, 170, 26), QStringLiteral("Sondrel"), 22, Granat, true);
    MalujTekst(p, QRectF(71, 78, 170, 16), QStringLiteral("wyniki testów w klasie"), 11, Lupek);
    p.setPen(QPen(Kolor(NaglowekRamka), 1));
    p.drawLine(QPointF(19, 111.5), QPointF(235, 111.5));
    p.save();
    p.translate(7, 128);
    MalujNaglowek(p, NaglowekTestow, TytulTestow, false);
    MalujNaglowek(p, NaglowekPomocyZamkniety, TytulPomocy, false);
    MalujNaglowek(p, NaglowekArchiwumZamkniety, TytulArchiwum, false);
    p.restore();

    // the keys worth knowing, above the foot of the column
    MalujTekst(p, QRectF(20, 420, 214, 16), QStringLiteral("Klawisze"), 11, Lupek, true);
    const struct {
        const char* klawisz;
        const char* opis;
    } klawisze[] = {{"F1", "pomoc"}, {"Ctrl+F4", "powiększ / zmniejsz okno"}};
    for (int i = 0; i < 2; ++i) {
        const qreal y = 442 + i * 22;
        const QString klawisz = QString::fromUtf8(klawisze[i].klawisz);
        p.save();
        p.setFont(Czcionka(10, true));
        const qreal w = QFontMetricsF(p.font()).horizontalAdvance(klawisz) + 10;
        p.setPen(QPen(Kolor(NaglowekRamka), 1));
        p.setBrush(Kolor(PoleTlo));
        p.drawRoundedRect(QRectF(20.5, y + 0.5, w, 16), 3, 3);
        p.setPen(Kolor(Granat));
        p.drawText(QRectF(20.5, y + 0.5, w, 16), Qt::AlignCenter, klawisz);
        p.restore();
        MalujTekst(p, QRectF(20 + w + 8, y, 200, 17), QString::fromUtf8(klawisze[i].opis), 11,
                   Tekst2, false, Qt::AlignLeft | Qt::AlignVCenter);
    }

    // the hint about dropping files, at the foot of the column
    p.setPen(QPen(Kolor(NaglowekRamka), 1));
    p.drawLine(QPointF(19, 499.5), QPointF(235, 499.5));
    {
        // a sheet with a folded corner and an arrow into it
        p.save();
        const QRectF k(22, 514, 22, 28);
        QPainterPath kartka;
        kartka.moveTo(k.topLeft());
        kartka.lineTo(k.right() - 7, k.top());
        kartka.lineTo(k.right(), k.top() + 7);
        kartka.lineTo(k.bottomRight());
        kartka.lineTo(k.bottomLeft());
        kartka.closeSubpath();
        p.setPen(QPen(Kolor(Lupek), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Kolor(PoleTlo));
        p.drawPath(kartka);
        p.drawPolyline(
            QPolygonF({QPointF(k.right() - 7, k.top()), QPointF(k.right() - 7, k.top() + 7),
                       QPointF(k.right(), k.top() + 7)}));
        p.setPen(QPen(Kolor(Zielen), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const qreal sx = k.center().x();
        p.drawLine(QPointF(sx, k.top() + 9), QPointF(sx, k.bottom() - 6));
        p.drawPolyline(QPolygonF({QPointF(sx - 4, k.bottom() - 10), QPointF(sx, k.bottom() - 6),
                                  QPointF(sx + 4, k.bottom() - 10)}));
        p.restore();
    }
    MalujTekst(p, QRectF(54, 510, 184, 48),
               QStringLiteral("Pliki odpowiedzi (*.sko) możesz też przeciągnąć i upuścić na to "
                              "okno."),
               11, Tekst2);

    // the welcome panel
    const QRectF panel(255, 38, 528, 535);
    MalujPanel(p, panel);
    MalujTekst(p, QRectF(286, 66, 260, 28), QStringLiteral("Analiza wyników testów"), 19, Granat,
               true);
    MalujTekst(p, QRectF(287, 100, 262, 60),
               QStringLiteral("Punkty i oceny uczniów, łatwość pytań i czas pracy klasy w "
                              "tabelach, na wykresach i w raportach."),
               12, Tekst2);
    // three steps, each with its number in a circle
    const char* const kroki[] = {"Wybierz rodzaj analizy w menu.",
                                 "Wskaż pliki odpowiedzi uczniów.",
                                 "Przeglądaj tabele, wykresy i raporty."};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 176 + i * 34;
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(Kolor(i == 0 ? Granat : MenuTlo));
        p.drawEllipse(QPointF(298, y), 10, 10);
        p.restore();
        MalujTekst(p, QRectF(288, y - 10, 20, 20), QString::number(i + 1), 11,
                   i == 0 ? Panel : Granat, true, Qt::AlignCenter);
        MalujTekst(p, QRectF(318, y - 10, 240, 20), QString::fromUtf8(kroki[i]), 12, Tekst, false,
                   Qt::AlignLeft | Qt::AlignVCenter);
    }
    MalujMotyw(p, 590, 270, 1.0);

    // the description box (the text is the window's label 296, 344, 361 x 137)
    const QRectF opis(284, 332, 471, 161);
    MalujPole(p, opis, Linia, PanelJasny);
    MalujTekst(p, QRectF(286, 310, 300, 16), QStringLiteral("Opis pozycji menu"), 11, TekstSzary,
               true);

    // footer
    p.setPen(QPen(Kolor(Linia), 1));
    p.drawLine(QPointF(271, 530.5), QPointF(767, 530.5));
    MalujTekst(p, QRectF(286, 538, 300, 24), QStringLiteral("Brenvik · rodzina programów Zadrix"),
               11, TekstSzary, false, Qt::AlignLeft | Qt::AlignVCenter);
    MalujTekst(p, QRectF(560, 538, 196, 24), QStringLiteral("wersja %1").arg(WersjaProgramu()), 11,
               TekstSzary, false, Qt::AlignRight | Qt::AlignVCenter);
}

// The menu column's side lines, through a menu picture that lies over the column's edges.
void MalujBrzegiKolumny(QPainter& p, QSizeF r) {
    p.save();
    p.setPen(QPen(Kolor(NaglowekRamka), 1));
    p.drawLine(QPointF(0.5, 0), QPointF(0.5, r.height()));
    p.drawLine(QPointF(r.width() - 0.5, 0), QPointF(r.width() - 0.5, r.height()));
    p.restore();
}

// An open menu of the column (0 tests, 1 help, 2 archive). The test menu: its three items are
// the window's captioned labels (15, 38 / 52 / 67), the help header below them. The help menu:
// its items at 15, 65 / 82 / 99. The archive menu: its items at 15, 91 / 108. The archive header
// closes the accordion below an open test or help menu.
void MalujMenuKolumny(QPainter& p, QSizeF r, int otwarte) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), r), Kolor(MenuTlo));
    MalujBrzegiKolumny(p, r);
    MalujNaglowek(p, NaglowekTestow, TytulTestow, otwarte == 0);
    MalujNaglowek(p, otwarte == 0 ? NaglowekPomocyPodTestami : NaglowekPomocyZamkniety, TytulPomocy,
                  otwarte == 1);
    MalujNaglowek(p, otwarte == 2 ? NaglowekArchiwumZamkniety : NaglowekArchiwumNaDole,
                  TytulArchiwum, otwarte == 2);
}

// ---- the backdrop of the big mode ---------------------------------------------------------

void MalujTloBig(QPainter& p, QSizeF r) {
    QLinearGradient g(0, 0, 0, r.height());
    g.setColorAt(0, QColor(0x3C, 0x3C, 0x56));
    g.setColorAt(1, QColor(0x24, 0x24, 0x38));
    p.fillRect(QRectF(QPointF(0, 0), r), g);
    // a soft light behind the window in the middle
    const QPointF s(r.width() / 2, r.height() / 2);
    QRadialGradient swiatlo(s, 720);
    swiatlo.setColorAt(0, QColor(0x6E, 0x72, 0x90, 90));
    swiatlo.setColorAt(1, QColor(0x6E, 0x72, 0x90, 0));
    p.fillRect(QRectF(QPointF(0, 0), r), swiatlo);
    // the window's shadow
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF okno(s.x() - 395, s.y() - 290.5, 790, 581);
    for (int i = 14; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 7));
        p.drawRoundedRect(okno.adjusted(-i, -i + 4, i, i + 4), 6 + i, 6 + i);
    }
}

// ---- the analysis panel -------------------------------------------------------------------

void MalujTloTabele(QPainter& p, QSizeF r) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    MalujKorpus(p, r, QStringLiteral("analiza wyników"));
    MalujPrzyciskiOkna(p);

    const QRectF kolumna(7, 38, 129, 535);
    MalujKolumne(p, kolumna);
    MalujZnak(p, QRectF(17, 50, 28, 28));
    MalujTekst(p, QRectF(52, 50, 84, 20), QStringLiteral("Sondrel"), 15, Granat, true);
    MalujTekst(p, QRectF(53, 68, 84, 14), QStringLiteral("analiza"), 11, Lupek);
    p.setPen(QPen(Kolor(NaglowekRamka), 1));
    p.drawLine(QPointF(17, 99.5), QPointF(126, 99.5));
    MalujTekst(p, QRectF(14, 114, 118, 20), QStringLiteral("Zestawienia"), 11, Lupek, true,
               Qt::AlignLeft | Qt::AlignVCenter);
    // the archive's entries near the column's foot
    p.drawLine(QPointF(17, GoraArchiwumAnalizy - 38.5), QPointF(126, GoraArchiwumAnalizy - 38.5));
    MalujTekst(p, QRectF(14, GoraArchiwumAnalizy - 26, 118, 20), QStringLiteral("Archiwum"), 11,
               Lupek, true, Qt::AlignLeft | Qt::AlignVCenter);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Kolor(NaglowekRamka));
    for (int i = 0; i < 2; ++i) // a small mark before each entry, as in the small menus
        p.drawEllipse(QPointF(18.5, GoraArchiwumAnalizy + i * WysokoscPozycji + 8.5), 2, 2);
    p.restore();

    const QRectF panel(144, 38, 639, 535);
    MalujPanel(p, panel);
    MalujTekst(p, QRectF(176, 66, 420, 28), QStringLiteral("Analiza jest gotowa"), 19, Granat,
               true);
    MalujTekst(p, QRectF(177, 100, 356, 130),
               QStringLiteral("Tabela wyników testu otwiera się w osobnym oknie. Pozostałe tabele, "
                              "wykresy i raporty wybierzesz z menu po lewej stronie; raporty są "
                              "dostępne po analizie z testem."),
               12, Tekst2);
    MalujMotyw(p, 566, 236, 1.2);

    // three quiet notes about what the menus hold
    const struct {
        const char* tytul;
        const char* tekst;
    } notki[] = {
        {"Tabele", "Wyniki testu, czas pracy uczniów i zestawienie ocen: do zapisania i "
                   "skopiowania."},
        {"Wykresy", "Punkty, czas pracy i oceny klasy w postaci diagramów."},
        {"Raporty", "Raport o teście, statystyka, wykaz ocen i jakość pytań, gotowe do "
                    "wydruku."},
    };
    qreal x = 176;
    for (const auto& n : notki) {
        const QRectF karta(x, 318, 182, 118);
        MalujPole(p, karta, Linia, PanelJasny);
        MalujTekst(p, karta.adjusted(16, 16, -16, 0), QString::fromUtf8(n.tytul), 13, Granat, true);
        MalujTekst(p, karta.adjusted(16, 42, -16, -12), QString::fromUtf8(n.tekst), 12, Tekst2);
        x += 198;
    }

    // the close button (the window's hot spot 628, 509, 87 x 23)
    p.setPen(QPen(Kolor(Linia), 1));
    p.drawLine(QPointF(160, 490.5), QPointF(767, 490.5));
    const QRectF przycisk(628, 509, 87, 23);
    p.save();
    MalujLicoPrzycisku(p, przycisk);
    p.restore();
    QFont f = Czcionka(11);
    f.setStretch(QFont::SemiCondensed);
    p.setFont(f);
    p.setPen(Kolor(Tekst));
    p.drawText(przycisk, Qt::AlignCenter, QStringLiteral("Zamknij analizę"));
}

// A small menu of the analysis panel: the three group headers, the open one in slate, and the
// field of its items (the window's captioned labels).
void MalujMaleMenu(QPainter& p, QSizeF r, const UkladMalegoMenu& uklad, int otwarta) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), r), Kolor(MenuTlo));
    static const char* const tytuly[] = {"Tabele", "Wykresy", "Raporty"};
    for (int i = 0; i < 3; ++i)
        MalujNaglowek(p, QRectF(uklad.naglowki[i]), QString::fromUtf8(tytuly[i]), i == otwarta, 12);
    // a small mark before each item
    p.setPen(Qt::NoPen);
    p.setBrush(Kolor(NaglowekRamka));
    for (int i = 0; i < uklad.pozycji; ++i)
        p.drawEllipse(QPointF(8.5, uklad.pierwszaPozycja + i * WysokoscPozycji + 8.5), 2, 2);
}

} // namespace

void DodajObrazkiGlowne() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("tloglowny"), QSize(790, 581), MalujTloGlowne);
        DodajObrazek(QStringLiteral("tlobig"), QSize(1920, 1200), MalujTloBig);
        const QSize menuStartu(240, WysokoscMenuStartu);
        DodajObrazek(QStringLiteral("menutesty"), menuStartu,
                     [](QPainter& p, QSizeF r) { MalujMenuKolumny(p, r, 0); });
        DodajObrazek(QStringLiteral("tlomenupomoc"), menuStartu,
                     [](QPainter& p, QSizeF r) { MalujMenuKolumny(p, r, 1); });
        DodajObrazek(QStringLiteral("menuarchiwum"), menuStartu,
                     [](QPainter& p, QSizeF r) { MalujMenuKolumny(p, r, 2); });
        DodajObrazek(QStringLiteral("tlotabele"), QSize(790, 581), MalujTloTabele);
        DodajObrazek(QStringLiteral("menutabele"), QSize(123, 150),
                     [](QPainter& p, QSizeF r) { MalujMaleMenu(p, r, MenuTabeleUklad, 0); });
        DodajObrazek(QStringLiteral("menudiagramy"), QSize(123, 150),
                     [](QPainter& p, QSizeF r) { MalujMaleMenu(p, r, MenuDiagramyUklad, 1); });
        DodajObrazek(QStringLiteral("menuraporty"),
                     QSize(123, WysokoscMalegoMenu(MenuRaportyUklad)),
                     [](QPainter& p, QSizeF r) { MalujMaleMenu(p, r, MenuRaportyUklad, 2); });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
