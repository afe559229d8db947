// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/okno_z_ramka.h"

#include "ui/kontrolki/pozycja_menu.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace sondrel {

namespace {

// The menu column's entries: the caption starts 15 pixels from the panel's left edge (the
// entry's band reaches a little further left).
constexpr int PozycjaX = 11, PozycjaW = 108;

// A picture that fills its panel, named after the skin's picture.
Etykieta* Obraz(QWidget* panel, const QString& nazwa) {
    auto* obraz = new Etykieta(panel, 0, 0, 1, 1);
    obraz->setObjectName(nazwa);
    return obraz;
}

// The panel at its place and its picture painted anew when its size changed.
void Uloz(QWidget* panel, Etykieta* obraz, int x, int y, int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    panel->setGeometry(x, y, w, h);
    if (obraz->size() == QSize(w, h) && !obraz->pixmap().isNull()) return;
    obraz->setGeometry(0, 0, w, h);
    obraz->setPixmap(skora::Obrazek(obraz->objectName(), QSize(w, h)));
}

} // namespace

// ---- the outline ------------------------------------------------------------------------------

RamkaRozmiaru::RamkaRozmiaru()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_QuitOnClose, false);
}

void RamkaRozmiaru::resizeEvent(QResizeEvent*) {
    const QRect r = rect();
    setMask(QRegion(r).subtracted(QRegion(r.adjusted(3, 3, -3, -3))));
}

void RamkaRozmiaru::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor::fromRgba(skora::Granat), 3, Qt::DotLine));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

// ---- the window -------------------------------------------------------------------------------

OknoZRamka::OknoZRamka(QWidget* rodzic) : Okno(rodzic) {
    setMouseTracking(true);
}

OknoZRamka::~OknoZRamka() {
    delete Rameczka;
}

QWidget* OknoZRamka::Panel(QWidget* rodzic, const QRect& gdzie) {
    auto* p = new QWidget(rodzic);
    if (!gdzie.isNull()) p->setGeometry(gdzie);
    p->setAttribute(Qt::WA_TranslucentBackground);
    p->setMouseTracking(true);
    return p;
}

void OknoZRamka::ZbudujRamke(const QString& obrazMenu, const QString& nazwaZamkniecia,
                             bool uchwyt) {
    skora::DodajObrazkiRamki();
    PListwaLeft = Panel(this);
    ImListwaLeft = Obraz(PListwaLeft, obrazMenu);
    PListwaSrodek = Panel(this);
    ImListwaSrodek = Obraz(PListwaSrodek, QStringLiteral("ramkalistwa"));
    LListwa = new Etykieta(PListwaSrodek, 0, 0, 1, skora::ramka::Listwa);
    LListwa->setFont(skora::Czcionka(12, true));
    LListwa->setContentsMargins(12, 0, 4, 0);
    LListwa->UstawLink(QColor::fromRgba(skora::TekstListwy), QColor::fromRgba(skora::TekstListwy));
    PodlaczListwe(LListwa);
    PTopRight = Panel(this);
    ImListwaRight = Obraz(PTopRight, QStringLiteral("ramkalistwaprawa"));
    DodajZnakZamkniecia(PTopRight, skora::ramka::ZnakZamkniecia, nazwaZamkniecia);
    PLeft = Panel(this);
    ImLeft = Obraz(PLeft, QStringLiteral("ramkalewo"));
    PLeftDown = Panel(this);
    ImLeftDown = Obraz(PLeftDown, QStringLiteral("ramkalewodol"));
    Pdown = Panel(this);
    ImDown = Obraz(Pdown, QStringLiteral("ramkadol"));
    PRight = Panel(this);
    ImRight = Obraz(PRight, QStringLiteral("ramkaprawo"));
    PRightDown = Panel(this);
    ImRightDown =
        Obraz(PRightDown, uchwyt ? QStringLiteral("ramkauchwyt") : QStringLiteral("ramkaprawodol"));
    // the mouse over the menu panel's background or the column clears the highlight
    GasMenuNad(ImListwaLeft);
    GasMenuNad(ImLeft);
    UlozRamke();
}

void OknoZRamka::UlozRamke() {
    if (!PListwaLeft) return;
    using namespace skora::ramka;
    const int W = width(), H = height();
    const int srodek = W - SzerokoscMenu - PrawyBok + 1; // the strip overlaps the panel by 1
    Uloz(PListwaLeft, ImListwaLeft, 0, 0, SzerokoscMenu, WysokoscMenu);
    Uloz(PListwaSrodek, ImListwaSrodek, SzerokoscMenu - 1, 0, srodek, Listwa);
    LListwa->setGeometry(0, 0, std::max(1, srodek), Listwa);
    Uloz(PTopRight, ImListwaRight, W - PrawyBok, 0, PrawyBok, Listwa);
    Uloz(PLeft, ImLeft, 0, WysokoscMenu, SzerokoscMenu, H - WysokoscMenu - DolnyPas);
    Uloz(PLeftDown, ImLeftDown, 0, H - DolnyPas, SzerokoscMenu, DolnyPas);
    Uloz(Pdown, ImDown, SzerokoscMenu, H - DolnyPas, W - SzerokoscMenu - PrawyBok, DolnyPas);
    Uloz(PRight, ImRight, W - PrawyBok, Listwa, PrawyBok, H - Listwa - DolnyPas);
    Uloz(PRightDown, ImRightDown, W - PrawyBok, H - DolnyPas, PrawyBok, DolnyPas);
    // the menu stays above the strip it overlaps
    PListwaLeft->raise();
}

Etykieta* OknoZRamka::DodajZnakZamkniecia(QWidget* rodzic, const QRect& gdzie,
                                          const QString& nazwa) {
    LCloseWykres = new Etykieta(rodzic, gdzie.x(), gdzie.y(), gdzie.width(), gdzie.height());
    LCloseWykres->setCursor(Qt::PointingHandCursor);
    LCloseWykres->setToolTip(QStringLiteral("Zamknij"));
    LCloseWykres->setAccessibleName(nazwa);
    LCloseWykres->setProperty("przycisk", true); // a button with a press action for screen readers
    connect(LCloseWykres, &Etykieta::klik, this, &OknoZRamka::ZamknijOkno);
    return LCloseWykres;
}

Etykieta* OknoZRamka::DodajPozycjeMenu(QWidget* panel, int y, const QString& napis,
                                       std::function<void()> akcja, int wysokosc) {
    auto* l = new PozycjaMenu(panel, PozycjaX, y, PozycjaW, wysokosc, napis);
    connect(l, &Etykieta::ruch, this, [this, l] { PodswietlMenu(l); });
    connect(l, &Etykieta::klik, this, [this, akcja = std::move(akcja)] {
        PodswietlMenu(nullptr); // the command may open a dialog: the entry is not under it
        akcja();
    });
    menu.append(l);
    return l;
}

Etykieta* OknoZRamka::DodajKreskeMenu(QWidget* panel, int y) {
    Etykieta* l = KreskaMenu(panel, y);
    // the mouse goes through it to the entries or the panel under it
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

void OknoZRamka::GasMenuNad(QWidget* w) {
    if (auto* e = qobject_cast<Etykieta*>(w))
        connect(e, &Etykieta::ruch, this, [this] { PodswietlMenu(nullptr); });
    else {
        gaszace.append(w);
        w->installEventFilter(this);
    }
}

void OknoZRamka::PodswietlMenu(Etykieta* wybrana) {
    for (Etykieta* l : menu)
        l->Podswietl(l == wybrana);
}

void OknoZRamka::ZamknijOkno() {
    PodswietlMenu(nullptr);
    Zamknij();
}

bool OknoZRamka::ZamkniecieZZewnatrz() {
    ZamknijOkno();
    return false;
}

bool OknoZRamka::KlawiszWcisniety(QKeyEvent* e) {
    // Esc closes the window, as its close mark does
    if (e->key() == Qt::Key_Escape && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        ZamknijOkno();
        return true;
    }
    return false;
}

void OknoZRamka::showEvent(QShowEvent* e) {
    // the entry that closed the window last time is not under the mouse any more
    if (!e->spontaneous()) PodswietlMenu(nullptr);
    Okno::showEvent(e);
}

// ---- the grip ---------------------------------------------------------------------------------

Etykieta* OknoZRamka::DodajUchwyt(QWidget* rodzic, const QRect& gdzie, QSize min, QSize max) {
    minimum = min;
    maksimum = max;
    LCiongnij = new Etykieta(rodzic, gdzie.x(), gdzie.y(), gdzie.width(), gdzie.height());
    LCiongnij->setCursor(min.width() == max.width() ? Qt::SizeVerCursor : Qt::SizeFDiagCursor);
    LCiongnij->installEventFilter(this);
    if (!Rameczka) Rameczka = new RamkaRozmiaru();
    return LCiongnij;
}

QSize OknoZRamka::RozmiarZUchwytu(QPoint kursor) const {
    const QPoint o = kursor - poczatekCiagniecia;
    return rozmiarPrzed + QSize(minimum.width() == maksimum.width() ? 0 : o.x(), o.y());
}

void OknoZRamka::UstawRozmiarUchwytem(QSize rozmiar) {
    UstawRozmiar(rozmiar.width(), rozmiar.height());
}

bool OknoZRamka::eventFilter(QObject* obiekt, QEvent* e) {
    if (e->type() == QEvent::MouseMove && gaszace.contains(obiekt)) PodswietlMenu(nullptr);
    if (obiekt != LCiongnij || !LCiongnij) return Okno::eventFilter(obiekt, e);
    const QEvent::Type rodzaj = e->type();
    if (rodzaj != QEvent::MouseButtonPress && rodzaj != QEvent::MouseMove &&
        rodzaj != QEvent::MouseButtonRelease)
        return Okno::eventFilter(obiekt, e);
    const auto* m = static_cast<QMouseEvent*>(e);
    switch (rodzaj) {
    case QEvent::MouseButtonPress:
        if (m->button() != Qt::LeftButton) break;
        ciagnie = true;
        poczatekCiagniecia = m->globalPosition().toPoint();
        rozmiarPrzed = size();
        Rameczka->setGeometry(geometry());
        Rameczka->show();
        return true;
    case QEvent::MouseMove:
        if (!ciagnie) break;
        Rameczka->setGeometry(
            QRect(geometry().topLeft(),
                  RozmiarZUchwytu(m->globalPosition().toPoint()).expandedTo(QSize(1, 1))));
        return true;
    case QEvent::MouseButtonRelease:
        if (!ciagnie || m->button() != Qt::LeftButton) break;
        ciagnie = false;
        Rameczka->hide();
        UstawRozmiarUchwytem(
            RozmiarZUchwytu(m->globalPosition().toPoint()).expandedTo(minimum).boundedTo(maksimum));
        return true;
    default:
        break;
    }
    return Okno::eventFilter(obiekt, e);
}

} // namespace sondrel
