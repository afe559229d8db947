// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_serwer_archiwum.h"

#include "ui/kontrolki/przycisk.h"
#include "ui/okna/teksty_archiwum.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace sondrel {

namespace {

constexpr int Szerokosc = 372, Wysokosc = 262;

} // namespace

TFSerwerArchiwum::TFSerwerArchiwum(QWidget* rodzic) : OknoPytania(rodzic) {
    UlozPytanie(QSize(Szerokosc, Wysokosc), QStringLiteral("Archiwum na serwerze szkoły"));

    int y = WysokoscListwy + 14;
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

    BPrzyjmij->setText(QStringLiteral("Ustaw"));
}

void TFSerwerArchiwum::Przygotuj(const UstawieniaArchiwum& u) {
    EHost->setText(u.Host);
    EPort->setText(QString::number(u.Port > 0 ? u.Port : 5432));
    EBaza->setText(u.Baza);
    EUzytkownik->setText(u.Uzytkownik);
    sslmode = u.Sslmode;
    LBlad->clear();
    Sprawdz();
    EHost->setFocus();
}

std::optional<UstawieniaArchiwum> TFSerwerArchiwum::Zapytaj(const UstawieniaArchiwum& u) {
    Przygotuj(u);
    PokazModalnie();
    if (!Przyjeto()) return std::nullopt;
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

bool TFSerwerArchiwum::Przyjmowalne() {
    // the address these values make must be one the archive can use
    QString blad;
    if (RozbierzAdresSerwera(AdresArchiwum(Ustawienia(), QString()), blad)) return true;
    LBlad->setText(blad);
    return false;
}

} // namespace sondrel
