// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the two 500 x 20 bands that frame every report: the header (naglowek.jpg) and the
// footer (stopka.jpg), in the program's deep slate with a light accent line.
// Usage: obrazy_raportu <output folder>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <cstdio>

namespace {

const QColor Ciemny(0x2F, 0x2F, 0x47);
const QColor Jasniejszy(0x46, 0x46, 0x5A);
const QColor Akcent(0xB4, 0xB8, 0xC8);
const QColor AkcentJasny(0xDC, 0xDE, 0xE8);
constexpr int Szerokosc = 500;
constexpr int Wysokosc = 20;

// The slate band with a soft vertical gradient; `jasnaGora` puts the lighter slate on top.
void tlo(QPainter& p, bool jasnaGora) {
    QLinearGradient g(0, 0, 0, Wysokosc);
    g.setColorAt(0, jasnaGora ? Jasniejszy : Ciemny);
    g.setColorAt(1, jasnaGora ? Ciemny : Jasniejszy);
    p.fillRect(0, 0, Szerokosc, Wysokosc, g);
}

// A one-pixel accent line that fades out towards the right.
void linia(QPainter& p, int y) {
    QLinearGradient g(0, 0, Szerokosc, 0);
    QColor koniec = Akcent;
    koniec.setAlpha(40);
    g.setColorAt(0, Akcent);
    g.setColorAt(0.6, Akcent);
    g.setColorAt(1, koniec);
    p.fillRect(0, y, Szerokosc, 1, g);
}

QImage naglowek() {
    QImage obraz(Szerokosc, Wysokosc, QImage::Format_RGB32);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    tlo(p, true);
    linia(p, Wysokosc - 2);
    // A short bright tab at the left end of the accent line.
    p.fillRect(20, Wysokosc - 3, 36, 2, AkcentJasny);
    // The program's name, small and quiet, at the right.
    QFont czcionka(QStringLiteral("DejaVu Sans"));
    czcionka.setPixelSize(11);
    czcionka.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    p.setFont(czcionka);
    QColor napis = Akcent;
    napis.setAlpha(190);
    p.setPen(napis);
    p.drawText(QRect(0, 1, Szerokosc - 20, Wysokosc - 4), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Sondrel"));
    p.end();
    return obraz;
}

QImage stopka() {
    QImage obraz(Szerokosc, Wysokosc, QImage::Format_RGB32);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    tlo(p, false);
    linia(p, 1);
    // Three small dots in the middle of the band.
    p.setPen(Qt::NoPen);
    QColor kropka = Akcent;
    kropka.setAlpha(150);
    p.setBrush(kropka);
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(QPointF(Szerokosc / 2.0 + i * 10, Wysokosc / 2.0 + 1), 1.6, 1.6);
    p.end();
    return obraz;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: obrazy_raportu <output folder>\n");
        return 2;
    }
    const QDir cel(QString::fromLocal8Bit(argv[1]));
    const bool ok = naglowek().save(cel.filePath(QStringLiteral("naglowek.jpg")), "JPG", 92) &&
                    stopka().save(cel.filePath(QStringLiteral("stopka.jpg")), "JPG", 92);
    if (!ok) std::fprintf(stderr, "cannot write the pictures\n");
    return ok ? 0 : 1;
}
