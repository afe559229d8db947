// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_opis_archiwum.h"

#include "ui/kontrolki/przycisk.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace sondrel {

namespace {

constexpr int Szerokosc = 372;
constexpr int WysokoscOpisu = 196;
constexpr int WysokoscUcznia = 166;

} // namespace

TFOpisArchiwum::TFOpisArchiwum(QWidget* rodzic) : OknoPytania(rodzic) {
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
    // the calendar opens as a window of its own, which does not take this window's font
    EData->calendarWidget()->setFont(font());
    EData->setMinimumDate(QDate(1990, 1, 1));
    EData->setMaximumDate(QDate(2999, 12, 31));
    LData->setBuddy(EData);
    connect(EKlasa, &QLineEdit::textChanged, this, &TFOpisArchiwum::Sprawdz);
    setTabOrder(EKlasa, EData);
    setTabOrder(EData, BPrzyjmij);
    setTabOrder(BPrzyjmij, BAnuluj);
}

void TFOpisArchiwum::Uloz(bool zData, const QString& tytul) {
    const int h = zData ? WysokoscOpisu : WysokoscUcznia;
    UlozPytanie(QSize(Szerokosc, h), tytul);
    LPytanie->setGeometry(20, WysokoscListwy + 12, Szerokosc - 40, 30);
    LKlasa->setGeometry(20, WysokoscListwy + 50, 120, 22);
    EKlasa->setGeometry(140, WysokoscListwy + 50, Szerokosc - 160, 22);
    LData->setGeometry(20, WysokoscListwy + 82, 120, 22);
    EData->setGeometry(140, WysokoscListwy + 82, 110, 22);
    LData->setVisible(zData);
    EData->setVisible(zData);
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

void TFOpisArchiwum::PrzygotujUcznia(const QString& tytul, const QString& przycisk,
                                     const QString& pytanie) {
    LPytanie->setText(pytanie);
    LKlasa->setText(QStringLiteral("&Nazwisko i imię:"));
    EKlasa->setAccessibleName(QStringLiteral("Nazwisko i imię"));
    EKlasa->setPlaceholderText(QStringLiteral("np. Kowalska Anna"));
    EKlasa->clear();
    BPrzyjmij->setText(przycisk);
    Uloz(false, tytul);
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
    Wysrodkuj();
    PokazModalnie();
    if (!Przyjeto()) return std::nullopt;
    return Opis();
}

std::optional<QString> TFOpisArchiwum::ZapytajOUcznia(const QString& tytul, const QString& przycisk,
                                                      const QString& pytanie) {
    PrzygotujUcznia(tytul, przycisk, pytanie);
    Wysrodkuj();
    PokazModalnie();
    if (!Przyjeto()) return std::nullopt;
    return Uczen();
}

void TFOpisArchiwum::Sprawdz() {
    BPrzyjmij->setEnabled(!EKlasa->text().trimmed().isEmpty());
}

} // namespace sondrel
