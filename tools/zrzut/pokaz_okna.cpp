// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the skinned windows side by side on a neutral backdrop, for a screenshot under Xvfb
// (see zrzut.sh): the question and the message dialogs, the vignette, the save icon and a sheet
// of every named picture and of the save icon's frames.
#include "ui/skory/skora.h"
#include "ui/okna/tf_warning.h"
#include "ui/okna/tf_winieta.h"
#include "ui/okna/tf_zegar.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

using namespace sondrel;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget tlo;
    tlo.setStyleSheet(QStringLiteral("background:#8a8f99"));
    tlo.setGeometry(0, 0, 1280, 800);
    tlo.show();

    TFWarning pytanie;
    pytanie.Przygotuj(KomunikatPytanie, IkonaInformacja,
                      QStringLiteral("Zmieniono ustawienia. Czy zapisać zmiany?"));
    pytanie.move(40, 40);
    pytanie.show();
    TFWarning komunikat;
    komunikat.Przygotuj(KomunikatInformacja, IkonaUwaga,
                        QStringLiteral("Plik testu nie pasuje do plików odpowiedzi.\rAnaliza "
                                       "zostanie wykonana bez testu.\rSprawdź, czy wskazano "
                                       "właściwy plik."));
    komunikat.move(420, 40);
    komunikat.show();
    TFWarning drugie(QStringLiteral("en"));
    drugie.Przygotuj(KomunikatPytanie, IkonaPytanie, QStringLiteral("Czy na pewno?"));
    drugie.move(40, 220);
    drugie.show();
    TFWinieta winieta;
    winieta.move(420, 220);
    winieta.show();
    TFZegar zegar;
    zegar.PokazIkoneZapisu(820, 40);

    QImage arkusz(1280, 300, QImage::Format_ARGB32);
    arkusz.fill(QColor::fromRgba(skora::PanelJasny));
    {
        QPainter p(&arkusz);
        int x = 10, y = 10;
        for (const QString& nazwa : skora::NazwyObrazkow()) {
            if (nazwa == QLatin1String("oknowarning") || nazwa == QLatin1String("winieta"))
                continue;
            const QPixmap obraz = skora::Obrazek(nazwa);
            if (x + obraz.width() > 1270) {
                x = 10;
                y += 50;
            }
            p.drawPixmap(x, y, obraz);
            x += obraz.width() + 10;
        }
        x = 10;
        y += 60;
        for (const auto& klatka : skora::KlatkiIkonyZapisu()) {
            p.drawImage(x, y, klatka.obraz);
            x += 50;
        }
    }
    QLabel arkuszEtykieta;
    arkuszEtykieta.setPixmap(QPixmap::fromImage(arkusz));
    arkuszEtykieta.setWindowFlag(Qt::FramelessWindowHint);
    arkuszEtykieta.setGeometry(0, 480, 1280, 300);
    arkuszEtykieta.show();

    QTimer::singleShot(4000, &app, &QApplication::quit);
    return app.exec();
}
