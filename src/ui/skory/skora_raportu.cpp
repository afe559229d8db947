// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_raportu.h"

#include "ui/skory/skora.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace sondrel::skora {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

} // namespace

void MalujOknoRaportu(QPainter& p, QSizeF r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath obrys = SciezkaKsztaltu(Ksztalt::Zaokraglony, r);
    p.setClipPath(obrys);
    // the slate body, a shade lighter towards the bottom
    QLinearGradient tlo(0, 0, 0, r.height());
    tlo.setColorAt(0, K(Lupek));
    tlo.setColorAt(1, K(LupekJasny));
    p.fillRect(QRectF(QPointF(0, 0), r), tlo);
    // the title strip
    MalujListwe(p, QRectF(0, 0, r.width(), 24));
    p.setPen(K(TekstListwy));
    p.setFont(Czcionka(12, true));
    p.drawText(QRectF(14, 0, 100, 24), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Raport"));
    MalujZnakZamkniecia(p, QRectF(raport::ZnakZamkniecia));
    // the command column
    p.setPen(QPen(K(KrawedzMenu), 1));
    p.setBrush(K(MenuTlo));
    p.drawRoundedRect(QRectF(raport::Polecenia).adjusted(0.5, 0.5, -0.5, -0.5), PromienNarozi,
                      PromienNarozi);
    p.setPen(K(TekstListwy));
    p.setFont(Czcionka(11, true));
    p.drawText(QRectF(15, 32, 100, 18), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Polecenia"));
    // the page panel's edge, a shadow under the white page
    const qreal dolStrony = r.height() - 71 + raport::GoraStrony;
    p.setPen(QPen(K(CienStrony), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(raport::LewaStrony - 1.5, raport::GoraStrony - 1.5,
                      raport::SzerokoscStrony + 3, dolStrony - raport::GoraStrony + 3));
    // the bottom strip with the resize grip at its right end
    const QRectF dol(0, r.height() - raport::DolnyPas, r.width(), raport::DolnyPas);
    QLinearGradient g(dol.topLeft(), dol.bottomLeft());
    g.setColorAt(0, K(DolnyPasGora));
    g.setColorAt(1, K(Granat));
    p.fillRect(dol, g);
    p.setPen(Qt::NoPen);
    p.setBrush(K(TekstListwy));
    const QPointF chwyt(r.width() - 9, r.height() - 5); // the grip's bottom right dot
    for (int rzad = 0; rzad < 3; ++rzad)
        for (int i = 0; i <= rzad; ++i)
            p.drawEllipse(chwyt - QPointF(4.0 * i, 4.0 * (rzad - i)), 1.1, 1.1);
    p.setClipping(false);
    p.setPen(QPen(K(Granat), 1));
    p.setBrush(Qt::NoBrush);
    QPainterPath rama;
    rama.addRoundedRect(QRectF(0.5, 0.5, r.width() - 1, r.height() - 1), PromienNarozi - 0.5,
                        PromienNarozi - 0.5);
    p.drawPath(rama);
    p.restore();
}

QPixmap ObrazOknaRaportu(QSize rozmiar, qreal skala) {
    QPixmap obraz(rozmiar * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    MalujOknoRaportu(p, QSizeF(rozmiar));
    return obraz;
}

namespace {

void MalujPopup(QPainter& p, QSizeF r, const QString& tytul, bool panelSlupkow) {
    MalujRamkeOkna(p, r.toSize(), Ksztalt::Sciety, popup::Listwa, tytul, 16);
    const QRectF znak(r.width() - 28, 5, 19, 15);
    MalujZnakZamkniecia(p, znak);
    if (!panelSlupkow) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(K(Linia), 1));
    p.setBrush(K(PanelJasny));
    p.drawRoundedRect(QRectF(popup::PanelSlupkow).adjusted(0.5, 0.5, -0.5, -0.5), PromienNarozi,
                      PromienNarozi);
    p.restore();
}

} // namespace

void DodajObrazkiPopupow() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("popuczen"), QSize(405, 232), [](QPainter& p, QSizeF r) {
            MalujPopup(p, r, QStringLiteral("Informacja o uczniu"), false);
        });
        DodajObrazek(QStringLiteral("poppyt"), QSize(405, 232), [](QPainter& p, QSizeF r) {
            MalujPopup(p, r, QStringLiteral("Odpowiedź ucznia"), false);
        });
        DodajObrazek(QStringLiteral("poppytanie"), QSize(485, 280), [](QPainter& p, QSizeF r) {
            MalujPopup(p, r, QStringLiteral("Informacja o pytaniu"), true);
        });
        return true;
    }();
    (void)dodane;
}

} // namespace sondrel::skora
