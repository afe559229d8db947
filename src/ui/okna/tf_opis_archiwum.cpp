// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_opis_archiwum.h"

#include "ui/kontrolki/etykieta.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ustawwykres.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace sondrel {

namespace {

constexpr int Szerokosc = 372;
constexpr int Listwa = 28;
constexpr int WysokoscOpisu = 196;
constexpr int WysokoscUcznia = 166;

} // namespace

QPixmap TloOknaPytania(QSize rozmiar, const QString& tytul) {
    const qreal skala = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap obraz(rozmiar * skala);
    obraz.setDevicePixelRatio(skala);
    obraz.fill(Qt::transparent);
    QPainter p(&obraz);
    const int w = rozmiar.width(), h = rozmiar.height();
    skora::MalujRamkeOkna(p, rozmiar, skora::Ksztalt::Zaokraglony, Listwa, tytul, 14);
    const qreal pas = h - 44;
    // the band fills the body inside the frame's line, its lower corners rounded with it
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath wnetrze =
        skora::SciezkaKsztaltu(skora::Ksztalt::Zaokraglony, QSizeF(w - 2, h - 2)).translated(1, 1);
    QPainterPath dol;
    dol.addRect(QRectF(0, pas, w, h - pas));
    p.fillPath(wnetrze.intersected(dol), QColor::fromRgba(skora::PanelJasny));
    p.setPen(QPen(QColor::fromRgba(skora::Linia), 1));
    p.drawLine(QPointF(1, pas + 0.5), QPointF(w - 1, pas + 0.5));
    skora::MalujZnakZamkniecia(p, QRectF(w - 26, 8, 15, 12).adjusted(-1, -2, 1, 2));
    return obraz;
}

TFOpisArchiwum::TFOpisArchiwum(QWidget* rodzic) : Okno(rodzic) {
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("archiwum.htm"));
    setStyleSheet(skora::ArkuszUstawienWykresu());
    QFont czcionka = skora::CzcionkaPunkty(8);
    setFont(czcionka);

    LListwa = new Etykieta(this, 8, 6, Szerokosc - 44, 16);
    PodlaczListwe(LListwa);
    LClose = new Etykieta(this, Szerokosc - 26, 8, 15, 12);
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Anuluj"));
    connect(LClose, &Etykieta::klik, this, &TFOpisArchiwum::Anuluj);

    LPytanie = new QLabel(this);
    LPytanie->setWordWrap(true);
    LPytanie->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LKlasa = new QLabel(this);
    EKlasa = new QLineEdit(this);
    EKlasa->setMaxLength(200);
    LKlasa->setBuddy(EKlasa);
    LData = new QLabel(QStringLiteral("&Data napisania:"), this);
    EData = new QDateEdit(this);
    EData->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    EData->setCalendarPopup(true);
    EData->setMinimumDate(QDate(1990, 1, 1));
    EData->setMaximumDate(QDate(2999, 12, 31));
    LData->setBuddy(EData);
    BPrzyjmij = new Przycisk(QStringLiteral("Zapisz"), this);
    BAnuluj = new Przycisk(QStringLiteral("Anuluj"), this);
    connect(BPrzyjmij, &QPushButton::clicked, this, &TFOpisArchiwum::Przyjmij);
    connect(BAnuluj, &QPushButton::clicked, this, &TFOpisArchiwum::Anuluj);
    connect(EKlasa, &QLineEdit::textChanged, this, &TFOpisArchiwum::Sprawdz);
    setTabOrder(EKlasa, EData);
    setTabOrder(EData, BPrzyjmij);
    setTabOrder(BPrzyjmij, BAnuluj);
}

void TFOpisArchiwum::Uloz(bool zData, const QString& tytul) {
    const int h = zData ? WysokoscOpisu : WysokoscUcznia;
    UstawTytulOkna(tytul);
    UstawRozmiar(Szerokosc, h);
    UstawTlo(TloOknaPytania(QSize(Szerokosc, h), tytul));
    LPytanie->setGeometry(20, Listwa + 12, Szerokosc - 40, 30);
    LKlasa->setGeometry(20, Listwa + 50, 120, 22);
    EKlasa->setGeometry(140, Listwa + 50, Szerokosc - 160, 22);
    LData->setGeometry(20, Listwa + 82, 120, 22);
    EData->setGeometry(140, Listwa + 82, 110, 22);
    LData->setVisible(zData);
    EData->setVisible(zData);
    BAnuluj->setGeometry(Szerokosc - 20 - 87, h - 33, 87, 23);
    BPrzyjmij->setGeometry(Szerokosc - 20 - 2 * 87 - 10, h - 33, 87, 23);
    przyjeto = false;
    Sprawdz();
    EKlasa->setFocus();
    EKlasa->selectAll();
}

void TFOpisArchiwum::PrzygotujOpis(const QString& tytul, const QString& przycisk,
                                   const OpisAnalizy& opis) {
    LPytanie->setText(QStringLiteral("Jak opisać tę analizę w archiwum?"));
    LKlasa->setText(QStringLiteral("&Klasa:"));
    EKlasa->setAccessibleName(QStringLiteral("Klasa"));
    EKlasa->setPlaceholderText(QStringLiteral("np. 7b"));
    EKlasa->setText(opis.Klasa);
    EData->setDate(opis.DataNapisania.isValid() ? opis.DataNapisania : QDate::currentDate());
    BPrzyjmij->setText(przycisk);
    Uloz(true, tytul);
}

void TFOpisArchiwum::PrzygotujUcznia() {
    LPytanie->setText(QStringLiteral("Czyje wyniki pokazać? Wpisz nazwisko i imię ucznia."));
    LKlasa->setText(QStringLiteral("&Nazwisko i imię:"));
    EKlasa->setAccessibleName(QStringLiteral("Nazwisko i imię"));
    EKlasa->setPlaceholderText(QStringLiteral("np. Kowalska Anna"));
    EKlasa->clear();
    BPrzyjmij->setText(QStringLiteral("Pokaż"));
    Uloz(false, QStringLiteral("Historia ucznia"));
}

OpisAnalizy TFOpisArchiwum::Opis() const {
    return {EKlasa->text().trimmed(), EData->date()};
}

QString TFOpisArchiwum::Uczen() const {
    return EKlasa->text().simplified();
}

std::optional<OpisAnalizy> TFOpisArchiwum::ZapytajOOpis(const QString& tytul,
                                                        const QString& przycisk,
                                                        const OpisAnalizy& poczatkowy) {
    PrzygotujOpis(tytul, przycisk, poczatkowy);
    if (parentWidget() == nullptr) Wysrodkuj();
    PokazModalnie();
    if (!przyjeto) return std::nullopt;
    return Opis();
}

std::optional<QString> TFOpisArchiwum::ZapytajOUcznia() {
    PrzygotujUcznia();
    if (parentWidget() == nullptr) Wysrodkuj();
    PokazModalnie();
    if (!przyjeto) return std::nullopt;
    return Uczen();
}

void TFOpisArchiwum::Sprawdz() {
    BPrzyjmij->setEnabled(!EKlasa->text().trimmed().isEmpty());
}

void TFOpisArchiwum::Przyjmij() {
    if (!BPrzyjmij->isEnabled()) return;
    przyjeto = true;
    Zamknij();
}

void TFOpisArchiwum::Anuluj() {
    przyjeto = false;
    Zamknij();
}

bool TFOpisArchiwum::KlawiszWcisniety(QKeyEvent* e) {
    if (e->modifiers() & ~Qt::KeypadModifier) return false;
    switch (e->key()) {
    case Qt::Key_Escape:
        Anuluj();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (focusWidget() == BAnuluj)
            Anuluj();
        else
            Przyjmij();
        return true;
    default:
        return false;
    }
}

bool TFOpisArchiwum::ZamkniecieZZewnatrz() {
    przyjeto = false;
    return true;
}

} // namespace sondrel
