// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icon to the PNG sizes that desktops without SVG icons look for:
//   ikony <icon.svg> <output folder>   writes sondrel-16.png ... sondrel-256.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "użycie: ikony IKONA.svg FOLDER\n");
        return 1;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "nie można odczytać %s\n", argv[1]);
        return 1;
    }
    for (const int bok : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage obraz(bok, bok, QImage::Format_ARGB32_Premultiplied);
        obraz.fill(Qt::transparent);
        QPainter p(&obraz);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QRectF(0, 0, bok, bok));
        p.end();
        const QString plik = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/sondrel-%1.png").arg(bok);
        if (!obraz.save(plik)) {
            std::fprintf(stderr, "nie można zapisać %s\n", qPrintable(plik));
            return 1;
        }
    }
    return 0;
}
