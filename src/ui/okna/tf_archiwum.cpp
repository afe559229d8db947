// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_archiwum.h"

#include "ui/okna/panel_archiwum.h"
#include "ui/program.h"
#include "ui/skory/skora.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTreeWidget>

namespace sondrel {

namespace {

constexpr int Szerokosc = 760, Wysokosc = 520;
constexpr int Listwa = 28;       // the title strip
constexpr int KolumnaMenu = 140; // the menu column's width

QPixmap TloArchiwum() {
    const qreal skala = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap obraz(QSize(Szerokosc, Wysokosc) * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    skora::MalujRamkeOkna(p, QSize(Szerokosc, Wysokosc), skora::Ksztalt::Zaokraglony, Listwa,
                          TekstyArchiwum::Tytul, 14);
    // the menu column under the strip, in the menu panels' slate grey
    QLinearGradient g(0, Listwa, KolumnaMenu, Listwa);
    g.setColorAt(0, QColor(0xBE, 0xC2, 0xD1));
    g.setColorAt(1, QColor::fromRgba(skora::MenuTlo));
    p.fillRect(QRectF(1, Listwa, KolumnaMenu - 1, Wysokosc - Listwa - 7), g);
    p.setPen(QPen(QColor::fromRgba(skora::Linia), 1));
    p.drawLine(QPointF(KolumnaMenu + 0.5, Listwa), QPointF(KolumnaMenu + 0.5, Wysokosc - 7));
    skora::MalujZnakZamkniecia(p, QRectF(Szerokosc - 26, 8, 15, 12).adjusted(-1, -2, 1, 2));
    return obraz;
}

} // namespace

TFArchiwum::TFArchiwum(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    UstawTytulOkna(TekstyArchiwum::Tytul);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("archiwum.htm"));
    UstawRozmiar(Szerokosc, Wysokosc);
    UstawTlo(TloArchiwum());
    setAccessibleName(TekstyArchiwum::Tytul);

    LListwa = new Etykieta(this, 8, 6, Szerokosc - 44, 16);
    PodlaczListwe(LListwa);
    LClose = new Etykieta(this, Szerokosc - 26, 8, 15, 12);
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Zamknij"));
    LClose->setAccessibleName(QStringLiteral("Zamknij archiwum"));
    connect(LClose, &Etykieta::klik, this, &Okno::Zamknij);

    Panel = new PanelArchiwum(program, this);
    Panel->setGeometry(KolumnaMenu + 14, Listwa + 14, Szerokosc - KolumnaMenu - 28,
                       Wysokosc - Listwa - 28);

    int y = Listwa + 22;
    const auto pozycja = [&](const char* napis, auto akcja, bool archiwum = true) {
        Etykieta* l =
            EtykietaMenu(this, QString::fromUtf8(napis), QRect(15, y, KolumnaMenu - 22, 15));
        connect(l, &Etykieta::klik, this, akcja);
        if (archiwum) polecenia.append(l);
        y += 18;
        return l;
    };
    const auto kreska = [&] {
        KreskaMenu(this, y - 6)->lower();
        y += 14;
    };
    LPorownaj = pozycja("Porównaj klasy", [this] { Panel->PorownajKlasy(); });
    LHistoria = pozycja("Historia ucznia…", [this] { Panel->HistoriaUcznia(); });
    kreska();
    LZmienOpis = pozycja("Zmień opis", [this] { Panel->ZmienOpis(); });
    LUsun = pozycja("Usuń z archiwum", [this] { Panel->UsunZArchiwum(); });
    kreska();
    LEksportuj = pozycja("Eksportuj…", [this] { Panel->Eksportuj(); });
    LImportuj = pozycja("Importuj…", [this] { Panel->Importuj(); });
    kreska();
    LZamknij = pozycja(
        "Zamknij archiwum", [this] { Zamknij(); }, false);

    connect(Panel, &PanelArchiwum::zajetosc, this, &TFArchiwum::Zajetosc);
}

TFArchiwum::~TFArchiwum() = default;

void TFArchiwum::Pokaz() {
    if (!isVisible()) show();
    raise();
    activateWindow();
    Panel->Drzewo->setFocus();
    Panel->Odswiez();
}

void TFArchiwum::showEvent(QShowEvent* e) {
    Okno::showEvent(e);
    if (!umieszczone) {
        umieszczone = true;
        UmiescObokMenu();
    }
}

void TFArchiwum::Zajetosc(bool zajety) {
    for (Etykieta* l : polecenia)
        l->setEnabled(!zajety);
}

bool TFArchiwum::KlawiszWcisniety(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && !(e->modifiers() & ~Qt::KeypadModifier)) {
        Zamknij();
        return true;
    }
    return false;
}

} // namespace sondrel
