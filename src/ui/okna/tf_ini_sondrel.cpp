// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_ini_sondrel.h"

#include "settings/ustawienia.h"
#include "ui/kontrolki/pole_opcji.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/okna/teksty_archiwum.h"
#include "ui/okna/tf_serwer_archiwum.h"
#include "ui/program.h"
#include "ui/skory/paleta.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ustawien.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace sondrel {

namespace {

QColor K(QRgb rgb) {
    return QColor::fromRgba(rgb);
}

const QString PytanieOZapis = QStringLiteral("Zmieniono ustawienia. Czy zapisać zmiany?");
const QString BladZapisu = QStringLiteral(
    "Wystąpiły problemy z zapisaniem zmian.Brak możliwości zapisu w wybranym miejscu.");

QString Wiersze(std::initializer_list<const char*> wiersze) {
    QStringList tekst;
    for (const char* w : wiersze)
        tekst << QString::fromUtf8(w);
    return tekst.join(QLatin1Char('\r'));
}

} // namespace

// ---- the window --------------------------------------------------------------------------------

TFIniSondrel::TFIniSondrel(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    skora::DodajObrazkiUstawien();
    UstawTytulOkna(QStringLiteral("Ustawienia"));
    UstawStronePomocy(QStringLiteral("ustawienia.htm"));
    UstawRozmiar(506, 499);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    setMouseTracking(true);

    ImTlo = new Etykieta(this, 0, 0, 506, 499);
    ImTlo->setPixmap(skora::Obrazek(QStringLiteral("tloini")));
    connect(ImTlo, &Etykieta::ruch, this, [this] { PokazPodpowiedz({}); });
    LListwa = new Etykieta(this, 124, 4, 506 - 124 - 8, 30);
    PodlaczListwe(LListwa);

    const auto pole = [this](const char* napis, int y) {
        auto* c = new PoleWyboru(QString::fromUtf8(napis), this);
        c->setGeometry(152, y, c->sizeHint().width(), 17);
        c->installEventFilter(this);
        connect(c, &QAbstractButton::clicked, this, &TFIniSondrel::Zmieniono);
        return c;
    };
    CNajpierwImie = pole("Prezentując ucznia najpierw podawaj imię", 66);
    CCopyAll = pole("Kopiuj/zapisuj tabelę jako htm w całości", 84);
    CBezposrednio = pole("Wczytuj pliki odpowiedzi pomijając okno listy", 102);
    CDefaultBrowser = pole("Otwieraj raporty w zewnętrznej przeglądarce", 120);

    LWskazSciezke = new Etykieta(this, 159, 159, 25, 25);
    LWskazSciezke->setCursor(Qt::PointingHandCursor);
    LWskazSciezke->setToolTip(QStringLiteral("Wskaż plik listy testów"));
    LWskazSciezke->UstawKlawiature(LWskazSciezke->toolTip());
    connect(LWskazSciezke, &Etykieta::klik, this, &TFIniSondrel::LWskazSciezkeClick);

    EScListyTestow = new QLineEdit(this);
    EScListyTestow->setGeometry(200, 162, 201, 15);
    EScListyTestow->setFrame(false);
    EScListyTestow->setFont(skora::CzcionkaPunkty(8));
    EScListyTestow->setTextMargins(0, 0, 0, 0);
    {
        QPalette paleta = EScListyTestow->palette();
        paleta.setColor(QPalette::Base, Qt::white);
        paleta.setColor(QPalette::Text, K(skora::Tekst2));
        paleta.setColor(QPalette::Highlight, K(skora::MenuTlo));
        paleta.setColor(QPalette::HighlightedText, K(skora::Tekst));
        EScListyTestow->setPalette(paleta);
    }
    EScListyTestow->installEventFilter(this);
    connect(EScListyTestow, &QLineEdit::textChanged, this, &TFIniSondrel::Zmieniono);

    // The archive's place, in the room between the test list and the hint.
    LArchiwum = new QLabel(TekstyUstawienArchiwum::Archiwum, this);
    LArchiwum->setFont(skora::Czcionka(11, true));
    LArchiwum->setStyleSheet(
        QStringLiteral("color: %1; background: transparent;").arg(skora::Css(skora::Granat)));
    LArchiwum->setGeometry(136, 212, 70, 18);
    RTenKomputer = new PoleOpcji(TekstyUstawienArchiwum::TenKomputer, this);
    RTenKomputer->setGeometry(210, 212, RTenKomputer->sizeHint().width(), 18);
    RSerwerSzkoly = new PoleOpcji(TekstyUstawienArchiwum::SerwerSzkoly, this);
    RSerwerSzkoly->setGeometry(318, 212, RSerwerSzkoly->sizeHint().width(), 18);
    auto* grupa = new QButtonGroup(this);
    grupa->addButton(RTenKomputer);
    grupa->addButton(RSerwerSzkoly);
    BSerwer = new Przycisk(QStringLiteral("Serwer…"), this);
    BSerwer->setGeometry(421, 210, 65, 21);
    BSerwer->setAccessibleName(QStringLiteral("Serwer archiwum"));
    LOpisArchiwum = new QLabel(this);
    LOpisArchiwum->setFont(skora::Czcionka(10));
    LOpisArchiwum->setStyleSheet(QStringLiteral("color: %1; background: transparent;")
                                     .arg(skora::Css(skora::TekstPodpowiedzi)));
    LOpisArchiwum->setGeometry(159, 234, 327, 16);
    for (QWidget* w : std::initializer_list<QWidget*>{RTenKomputer, RSerwerSzkoly, BSerwer})
        w->installEventFilter(this);
    connect(RTenKomputer, &QAbstractButton::clicked, this, &TFIniSondrel::RTenKomputerClick);
    connect(RSerwerSzkoly, &QAbstractButton::clicked, this, &TFIniSondrel::RSerwerSzkolyClick);
    connect(BSerwer, &QAbstractButton::clicked, this, &TFIniSondrel::BSerwerClick);

    // The hints keep their own line breaks; their longest lines need a little more than 332
    // pixels in the windows' font.
    LPodpowiedz = new Etykieta(this, 136, 280, 348, 73);
    LPodpowiedz->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LPodpowiedz->setFont(skora::Czcionka(10));
    LPodpowiedz->UstawLink(K(skora::Tekst2), K(skora::Tekst2));

    // the two painted buttons: Tab reaches them (after the archive's controls), Enter or Space
    // presses them, screen readers name them
    LZapiszIni = new Etykieta(this, 388, 408, 87, 23);
    LZapiszIni->setCursor(Qt::PointingHandCursor);
    LZapiszIni->UstawKlawiature(QStringLiteral("Zapisz"));
    LZapiszIni->UstawZnakFokusuWewnatrz(3);
    connect(LZapiszIni, &Etykieta::klik, this, &TFIniSondrel::LZapiszIniClick);
    LZamknijIni = new Etykieta(this, 388, 446, 87, 23);
    LZamknijIni->setCursor(Qt::PointingHandCursor);
    LZamknijIni->UstawKlawiature(QStringLiteral("Zamknij"));
    LZamknijIni->UstawZnakFokusuWewnatrz(3);
    connect(LZamknijIni, &Etykieta::klik, this, &TFIniSondrel::LZamknijIniClick);
}

QString TFIniSondrel::Podpowiedz(const QObject* k) const {
    if (k == CNajpierwImie)
        return Wiersze({"Zaznaczenie tej opcji spowoduje, że przy prezentowaniu",
                        "uczniów najpierw podawane jest imię ucznia.",
                        "Odznaczenie spowoduje, że najpierw podawane jest", "jego nazwisko."});
    if (k == CCopyAll)
        return Wiersze({"Tabela wyników mieści jednorazowo 15 pytań. Jeżeli w teście jest",
                        "więcej pytań, wówczas są one dzielone na dwie grupy.",
                        "Zaznaczenie tej opcji powoduje, że przy kopiowaniu tabeli jako html",
                        "kopiowana jest całość tabeli a nie tylko jej widoczna część.",
                        "Odznaczenie opcji, to kopiowanie jedynie widocznej części tabeli."});
    if (k == CBezposrednio)
        return Wiersze({"Wybierając prostą analizę wczytujemy jedynie pliki odpowiedzi.",
                        "Zaznaczenie tej opcji powoduje, że po wskazaniu plików",
                        "przechodzimy bezpośrednio do prezentacji wyników.",
                        "Odznaczenie spowoduje, że w dodatkowym oknie możemy zobaczyć",
                        "listę wczytanych plików."});
    if (k == CDefaultBrowser)
        return Wiersze({"Raporty generowane przez program wyświetlane są w oknie",
                        "przeglądarki programu.",
                        "Jeżeli zaznaczymy tę opcję, raporty będą otwierane",
                        "w oknie domyślnej przeglądarki systemu."});
    if (k == RTenKomputer || k == RSerwerSzkoly || k == BSerwer)
        return Wiersze({"Archiwum analiz przechowuje zapisane analizy klas.",
                        "Ten komputer: plik Archiwum.sqlite w folderze danych programu.",
                        "Serwer szkoły: wspólne archiwum nauczycieli (PostgreSQL).",
                        "Hasła program nie zapisuje: podaje je plik ~/.pgpass",
                        "albo zmienna PGPASSWORD."});
    if (k == EScListyTestow)
        return Wiersze({"Pełna analiza wyników testu wymaga wczytania również",
                        "testu, którego wyniki analizujemy.",
                        "Test możemy wczytać lub wybrać z listy testów.",
                        "Tu możemy wskazać plik listy testów."});
    return {};
}

void TFIniSondrel::PokazPodpowiedz(const QString& tekst) {
    QString wyswietlany = tekst;
    wyswietlany.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (LPodpowiedz->text() != wyswietlany) LPodpowiedz->setText(wyswietlany);
}

bool TFIniSondrel::eventFilter(QObject* obiekt, QEvent* e) {
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter) {
        const QString podpowiedz = Podpowiedz(obiekt);
        if (!podpowiedz.isEmpty()) PokazPodpowiedz(podpowiedz);
    }
    return Okno::eventFilter(obiekt, e);
}

void TFIniSondrel::Zmieniono() {
    program.ustawienia.UstawieniaZmienione = true;
}

void TFIniSondrel::Przygotuj(const QPoint& odniesienie) {
    const Ustawienia& u = program.ustawienia;
    CNajpierwImie->setChecked(u.fn);
    CCopyAll->setChecked(u.calltab);
    CBezposrednio->setChecked(u.bez);
    CDefaultBrowser->setChecked(u.rdfw);
    EScListyTestow->setText(u.sct);
    EScListyTestow->setCursorPosition(0);
    serwer = UstawieniaZAdresu(u.arch);
    (serwer.Serwer ? RSerwerSzkoly : RTenKomputer)->setChecked(true);
    PokazArchiwum();
    // filling the controls is not a change
    program.ustawienia.UstawieniaZmienione = false;
    PokazPodpowiedz({});
    move(odniesienie + QPoint(162, 38));
}

void TFIniSondrel::PokazUstawienia(const QPoint& odniesienie) {
    Przygotuj(odniesienie);
    PokazModalnie();
}

void TFIniSondrel::PrzepiszKontrolki() {
    Ustawienia& u = program.ustawienia;
    u.fn = CNajpierwImie->isChecked();
    u.calltab = CCopyAll->isChecked();
    u.bez = CBezposrednio->isChecked();
    u.rdfw = CDefaultBrowser->isChecked();
    u.sct = EScListyTestow->text();
    UstawieniaArchiwum a = serwer;
    a.Serwer = RSerwerSzkoly->isChecked() && !serwer.Host.isEmpty();
    u.arch = a.Serwer ? AdresArchiwum(a, QString()) : QString();
}

void TFIniSondrel::PokazArchiwum() {
    const bool naSerwerze = RSerwerSzkoly->isChecked();
    BSerwer->setEnabled(naSerwerze);
    if (!naSerwerze) {
        LOpisArchiwum->setText(QStringLiteral("Plik Archiwum.sqlite w folderze danych programu."));
        return;
    }
    QString blad;
    UstawieniaArchiwum a = serwer;
    a.Serwer = true;
    const auto adres = RozbierzAdresSerwera(AdresArchiwum(a, QString()), blad);
    LOpisArchiwum->setText(adres ? QStringLiteral("Serwer: ") + adres->Opis() : blad);
}

std::optional<UstawieniaArchiwum> TFIniSondrel::ZapytajOSerwer(const UstawieniaArchiwum& u) {
    TFSerwerArchiwum okno;
    if (OknoGlowne()) okno.UstawOknoGlowne(OknoGlowne());
    okno.move(pos() + QPoint(120, 150));
    return okno.Zapytaj(u);
}

void TFIniSondrel::BSerwerClick() {
    if (const auto u = ZapytajOSerwer(serwer)) {
        serwer = *u;
        Zmieniono();
    }
    PokazArchiwum();
}

void TFIniSondrel::RSerwerSzkolyClick() {
    if (BSerwer->isEnabled()) return; // chosen already
    if (serwer.Host.isEmpty() || serwer.Baza.isEmpty()) {
        const auto u = ZapytajOSerwer(serwer);
        if (!u) {
            RTenKomputer->setChecked(true);
            PokazArchiwum();
            return;
        }
        serwer = *u;
    }
    Zmieniono();
    PokazArchiwum();
}

void TFIniSondrel::RTenKomputerClick() {
    if (!BSerwer->isEnabled()) return; // chosen already
    Zmieniono();
    PokazArchiwum();
}

bool TFIniSondrel::Zapisz() {
    PrzepiszKontrolki();
    if (!ZapiszUstawienia(program.ustawienia, program.srodowisko)) return false;
    emit zapisanoUstawienia();
    emit potwierdzZapis(QPoint(x() + 30, y() + 100));
    return true;
}

void TFIniSondrel::LZapiszIniClick() {
    Zapisz(); // a failure leaves its journal line only
}

void TFIniSondrel::LZamknijIniClick() {
    if (!program.ustawienia.UstawieniaZmienione) {
        Zamknij();
        return;
    }
    program.srodowisko.PokazKomunikat(KomunikatPytanie, IkonaInformacja, PytanieOZapis);
    switch (program.srodowisko.WynikKomunikatu()) {
    case WynikTak:
        if (Zapisz()) {
            program.ustawienia.UstawieniaZmienione = false;
            Zamknij();
        } else {
            program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaInformacja, BladZapisu);
        }
        break;
    case WynikNie:
        Zamknij();
        break;
    default: // Anuluj, or the question left another way: the window stays
        break;
    }
}

QString TFIniSondrel::WybierzPlikListy(const QString& folder) {
    QFileDialog dialog(this, QStringLiteral("Wskaż plik listy"), FolderDialogu(folder),
                       // shown as "Plik listy testów (.skg)", filtering *.skg
                       QStringLiteral("Plik listy testów (.skg) (*.skg)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("skg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TFIniSondrel::LWskazSciezkeClick() {
    if (folderListy.isEmpty()) folderListy = program.srodowisko.foldery.FolderProgramu;
    const QString plik = WybierzPlikListy(folderListy);
    if (plik.isEmpty()) return;
    folderListy = QFileInfo(plik).absolutePath();
    const QString sciezka = QDir::toNativeSeparators(plik);
    // the path is used at once, for the rest of the run, saved or not
    program.ustawienia.sct = sciezka;
    EScListyTestow->setText(sciezka);
    Zmieniono(); // also when the same file was picked again
    EScListyTestow->setCursorPosition(0);
}

bool TFIniSondrel::KlawiszWcisniety(QKeyEvent* e) {
    if (e->key() != Qt::Key_Escape || (e->modifiers() & ~Qt::KeypadModifier)) return false;
    LZamknijIniClick();
    return true;
}

} // namespace sondrel
