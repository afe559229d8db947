// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_serwer_archiwum.h"

#include "ui/kontrolki/przycisk.h"
#include "ui/okna/teksty_archiwum.h"
#include "ui/skory/paleta.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QThread>
#include <memory>

namespace sondrel {

namespace {

constexpr int Szerokosc = 420, Wysokosc = 420;

// The three choices of "Szyfrowanie:" as libpq's sslmode; another mode an address carries is
// shown as the nearest: verify-ca as the verification, everything else but disable as
// "wymagane" (a window never weakens what it was given to "bez szyfrowania").
const QString Tryby[] = {QStringLiteral("require"), QStringLiteral("verify-full"),
                         QStringLiteral("disable")};

int IndeksTrybu(const QString& sslmode) {
    if (sslmode == u"verify-full" || sslmode == u"verify-ca") return 1;
    if (sslmode == u"disable") return 2;
    return 0;
}

} // namespace

TFSerwerArchiwum::TFSerwerArchiwum(QWidget* rodzic) : OknoPytania(rodzic) {
    namespace T = TekstyUstawienArchiwum;
    UlozPytanie(QSize(Szerokosc, Wysokosc), QStringLiteral("Archiwum na serwerze szkoły"));

    int y = WysokoscListwy + 14;
    const int polePelne = Szerokosc - 150;
    const auto etykieta = [&](const QString& napis, QWidget* pole) {
        auto* l = new QLabel(napis, this);
        l->setGeometry(20, y, 110, 22);
        l->setBuddy(pole);
    };
    const auto pole = [&](const QString& napis, const QString& nazwa, int szerokosc) {
        auto* e = new QLineEdit(this);
        etykieta(napis, e);
        e->setGeometry(130, y, szerokosc, 22);
        e->setAccessibleName(nazwa);
        e->setMaxLength(255);
        connect(e, &QLineEdit::textChanged, this, &TFSerwerArchiwum::Sprawdz);
        y += 28;
        return e;
    };
    EHost = pole(QStringLiteral("&Serwer:"), QStringLiteral("Serwer"), polePelne);
    EHost->setPlaceholderText(QStringLiteral("np. serwer.szkola.local"));
    EPort = pole(QStringLiteral("&Port:"), QStringLiteral("Port"), 70);
    EPort->setValidator(new QIntValidator(1, 65535, EPort));
    EBaza = pole(QStringLiteral("&Baza danych:"), QStringLiteral("Baza danych"), polePelne);
    EUzytkownik = pole(QStringLiteral("&Użytkownik:"), QStringLiteral("Użytkownik"), polePelne);

    CSzyfrowanie = new QComboBox(this);
    etykieta(QStringLiteral("S&zyfrowanie:"), CSzyfrowanie);
    CSzyfrowanie->setGeometry(130, y, polePelne, 22);
    CSzyfrowanie->addItems({T::Wymagane, T::ZWeryfikacja, T::BezSzyfrowania});
    CSzyfrowanie->setAccessibleName(T::Szyfrowanie.chopped(1));
    connect(CSzyfrowanie, &QComboBox::currentIndexChanged, this, &TFSerwerArchiwum::Sprawdz);
    y += 28;
    ECa = pole(QStringLiteral("Plik &CA:"), QStringLiteral("Plik urzędu certyfikacji"),
               polePelne - 90);
    ECa->setPlaceholderText(QStringLiteral("certyfikat urzędu (CA) serwera"));
    BCa = new Przycisk(QStringLiteral("Wybierz…"), this);
    BCa->setGeometry(Szerokosc - 20 - 84, y - 28 - 1, 84, 24);
    connect(BCa, &QPushButton::clicked, this, [this] {
        const QString plik = QFileDialog::getOpenFileName(
            this, QStringLiteral("Certyfikat urzędu certyfikacji serwera"), ECa->text(),
            QStringLiteral("Certyfikaty (*.crt *.pem *.cer);;Wszystkie pliki (*)"));
        if (!plik.isEmpty()) ECa->setText(plik);
    });

    LHaslo = new QLabel(T::Haslo, this);
    LHaslo->setWordWrap(true);
    LHaslo->setStyleSheet(QStringLiteral("color: %1;").arg(skora::Css(skora::TekstPodpowiedzi)));
    LHaslo->setGeometry(20, y, Szerokosc - 40, 30);
    y += 36;

    BSprawdz = new Przycisk(T::Sprawdz, this);
    BSprawdz->setGeometry(20, y, 150, 24);
    connect(BSprawdz, &QPushButton::clicked, this, &TFSerwerArchiwum::SprawdzPolaczenieClick);
    y += 30;
    LWynik = new QLabel(this);
    LWynik->setWordWrap(true);
    LWynik->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LWynik->setTextFormat(Qt::PlainText);
    LWynik->setAccessibleName(QStringLiteral("Wynik sprawdzenia połączenia"));
    LWynik->setStyleSheet(QStringLiteral("color: %1;").arg(skora::Css(skora::Tekst2)));
    LWynik->setGeometry(20, y, Szerokosc - 40, Wysokosc - 48 - y);

    LBlad = new QLabel(this);
    LBlad->setWordWrap(true);
    LBlad->setTextFormat(Qt::PlainText);
    LBlad->setStyleSheet(QStringLiteral("color: %1;").arg(skora::Css(skora::Granat)));
    LBlad->setGeometry(20, Wysokosc - 40, Szerokosc - 40 - 2 * 87 - 10, 32);

    BPrzyjmij->setText(QStringLiteral("Ustaw"));
}

void TFSerwerArchiwum::Przygotuj(const UstawieniaArchiwum& u) {
    EHost->setText(u.Host);
    EPort->setText(QString::number(u.Port > 0 ? u.Port : 5432));
    EBaza->setText(u.Baza);
    EUzytkownik->setText(u.Uzytkownik);
    // A new address asks for encryption.
    CSzyfrowanie->setCurrentIndex(IndeksTrybu(u.Sslmode));
    ECa->setText(u.Sslrootcert);
    LBlad->clear();
    LWynik->clear();
    ++numerSprawdzenia;
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
    const int tryb = std::clamp(CSzyfrowanie->currentIndex(), 0, 2);
    u.Sslmode = Tryby[tryb];
    if (tryb == 1) u.Sslrootcert = ECa->text().trimmed();
    return u;
}

void TFSerwerArchiwum::Sprawdz() {
    const bool weryfikacja = CSzyfrowanie->currentIndex() == 1;
    ECa->setEnabled(weryfikacja);
    BCa->setEnabled(weryfikacja);
    const bool pelne = !EHost->text().trimmed().isEmpty() && !EBaza->text().trimmed().isEmpty();
    BPrzyjmij->setEnabled(pelne);
    BSprawdz->setEnabled(pelne && !sprawdzanie);
}

QString TFSerwerArchiwum::BladUstawien() {
    const UstawieniaArchiwum u = Ustawienia();
    if (u.Sslmode == u"verify-full") {
        if (u.Sslrootcert.isEmpty())
            return QStringLiteral("Wybierz plik certyfikatu urzędu certyfikacji (CA), którym "
                                  "program sprawdzi certyfikat serwera.");
        if (!QFileInfo(u.Sslrootcert).isFile())
            return QStringLiteral("Nie ma pliku certyfikatu %1.").arg(u.Sslrootcert);
    }
    // the address these values make must be one the archive can use
    QString blad;
    if (!RozbierzAdresSerwera(AdresArchiwum(u, QString()), blad)) return blad;
    return QString();
}

bool TFSerwerArchiwum::Przyjmowalne() {
    const QString blad = BladUstawien();
    LBlad->setText(blad);
    return blad.isEmpty();
}

void TFSerwerArchiwum::SprawdzPolaczenieClick() {
    if (sprawdzanie || !BSprawdz->isEnabled()) return;
    const QString blad = BladUstawien();
    LBlad->setText(blad);
    if (!blad.isEmpty()) return;
    sprawdzanie = true;
    const int numer = ++numerSprawdzenia;
    LWynik->setText(TekstyUstawienArchiwum::Sprawdzanie);
    Sprawdz();
    // The check waits for the server (up to its connection limit): never on this thread. The
    // thread ends by itself and deletes itself; a window closed meanwhile gets no answer.
    const QString adres = AdresArchiwum(Ustawienia(), QString());
    auto wynik = std::make_shared<WynikSprawdzenia>();
    QThread* watek = QThread::create([adres, wynik] { *wynik = SprawdzPolaczenie(adres); });
    connect(watek, &QThread::finished, watek, &QObject::deleteLater);
    connect(watek, &QThread::finished, this, [this, wynik, numer] {
        sprawdzanie = false;
        Sprawdz();
        if (numer != numerSprawdzenia) return;
        LWynik->setText(wynik->Opis());
        emit Sprawdzono(LWynik->text());
    });
    watek->start();
}

} // namespace sondrel
