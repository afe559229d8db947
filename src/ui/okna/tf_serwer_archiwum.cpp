// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_serwer_archiwum.h"

#include "ui/kontrolki/etykieta.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/okna/tf_opis_archiwum.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ustawwykres.h"

#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace sondrel {

namespace {

constexpr int Szerokosc = 372, Wysokosc = 262, Listwa = 28;

} // namespace

TFSerwerArchiwum::TFSerwerArchiwum(QWidget* rodzic) : Okno(rodzic) {
    const QString tytul = QStringLiteral("Archiwum na serwerze szkoły");
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawStronePomocy(QStringLiteral("archiwum.htm"));
    UstawTytulOkna(tytul);
    UstawRozmiar(Szerokosc, Wysokosc);
    UstawTlo(TloOknaPytania(QSize(Szerokosc, Wysokosc), tytul));
    setStyleSheet(skora::ArkuszUstawienWykresu());
    setFont(skora::CzcionkaPunkty(8));

    LListwa = new Etykieta(this, 8, 6, Szerokosc - 44, 16);
    PodlaczListwe(LListwa);
    LClose = new Etykieta(this, Szerokosc - 26, 8, 15, 12);
    LClose->setCursor(Qt::PointingHandCursor);
    LClose->setToolTip(QStringLiteral("Anuluj"));
    connect(LClose, &Etykieta::klik, this, &TFSerwerArchiwum::Anuluj);

    int y = Listwa + 14;
    const auto pole = [&](const QString& napis, const QString& nazwa, int szerokosc) {
        auto* l = new QLabel(napis, this);
        l->setGeometry(20, y, 110, 22);
        auto* e = new QLineEdit(this);
        e->setGeometry(130, y, szerokosc, 22);
        e->setAccessibleName(nazwa);
        e->setMaxLength(255);
        l->setBuddy(e);
        connect(e, &QLineEdit::textChanged, this, &TFSerwerArchiwum::Sprawdz);
        y += 28;
        return e;
    };
    EHost = pole(QStringLiteral("&Serwer:"), QStringLiteral("Serwer"), Szerokosc - 150);
    EHost->setPlaceholderText(QStringLiteral("np. serwer.szkola.local"));
    EPort = pole(QStringLiteral("&Port:"), QStringLiteral("Port"), 70);
    EPort->setValidator(new QIntValidator(1, 65535, EPort));
    EBaza = pole(QStringLiteral("&Baza danych:"), QStringLiteral("Baza danych"), Szerokosc - 150);
    EUzytkownik =
        pole(QStringLiteral("&Użytkownik:"), QStringLiteral("Użytkownik"), Szerokosc - 150);

    LHaslo = new QLabel(TekstyUstawienArchiwum::Haslo, this);
    LHaslo->setWordWrap(true);
    LHaslo->setStyleSheet(QStringLiteral("color: #7A7D90;"));
    LHaslo->setGeometry(20, y, Szerokosc - 40, 30);
    LBlad = new QLabel(this);
    LBlad->setWordWrap(true);
    LBlad->setStyleSheet(QStringLiteral("color: #B03030;"));
    LBlad->setGeometry(20, Wysokosc - 40, Szerokosc - 40 - 2 * 87 - 10, 32);

    BPrzyjmij = new Przycisk(QStringLiteral("Ustaw"), this);
    BAnuluj = new Przycisk(QStringLiteral("Anuluj"), this);
    BAnuluj->setGeometry(Szerokosc - 20 - 87, Wysokosc - 33, 87, 23);
    BPrzyjmij->setGeometry(Szerokosc - 20 - 2 * 87 - 10, Wysokosc - 33, 87, 23);
    connect(BPrzyjmij, &QPushButton::clicked, this, &TFSerwerArchiwum::Przyjmij);
    connect(BAnuluj, &QPushButton::clicked, this, &TFSerwerArchiwum::Anuluj);
}

void TFSerwerArchiwum::Przygotuj(const UstawieniaArchiwum& u) {
    EHost->setText(u.Host);
    EPort->setText(QString::number(u.Port > 0 ? u.Port : 5432));
    EBaza->setText(u.Baza);
    EUzytkownik->setText(u.Uzytkownik);
    sslmode = u.Sslmode;
    LBlad->clear();
    przyjeto = false;
    Sprawdz();
    EHost->setFocus();
}

std::optional<UstawieniaArchiwum> TFSerwerArchiwum::Zapytaj(const UstawieniaArchiwum& u) {
    Przygotuj(u);
    PokazModalnie();
    if (!przyjeto) return std::nullopt;
    return Ustawienia();
}

UstawieniaArchiwum TFSerwerArchiwum::Ustawienia() const {
    UstawieniaArchiwum u;
    u.Serwer = true;
    u.Host = EHost->text().trimmed();
    u.Port = EPort->text().toInt();
    if (u.Port <= 0) u.Port = 5432;
    u.Baza = EBaza->text().trimmed();
    u.Uzytkownik = EUzytkownik->text().trimmed();
    u.Sslmode = sslmode;
    return u;
}

void TFSerwerArchiwum::Sprawdz() {
    BPrzyjmij->setEnabled(!EHost->text().trimmed().isEmpty() && !EBaza->text().trimmed().isEmpty());
}

void TFSerwerArchiwum::Przyjmij() {
    if (!BPrzyjmij->isEnabled()) return;
    // the address these values make must be one the archive can use
    QString blad;
    if (!RozbierzAdresSerwera(AdresArchiwum(Ustawienia(), QString()), blad)) {
        LBlad->setText(blad);
        return;
    }
    przyjeto = true;
    Zamknij();
}

void TFSerwerArchiwum::Anuluj() {
    przyjeto = false;
    Zamknij();
}

bool TFSerwerArchiwum::KlawiszWcisniety(QKeyEvent* e) {
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

bool TFSerwerArchiwum::ZamkniecieZZewnatrz() {
    przyjeto = false;
    return true;
}

} // namespace sondrel
