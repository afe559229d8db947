// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_warning.h"

#include "ui/skory/skora.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace sondrel {

namespace {

constexpr int Szerokosc = 350, Wysokosc = 150;
constexpr int WysokoscTekstu = 53; // the text's room in the normal size
constexpr int GoraPrzyciskow = 116;
constexpr int Ciecie = 100; // a row of the plain body, above the button band

// The frame for a text that needs `nadmiar` more pixels: the painted frame with its plain body
// drawn longer, so the title, the close mark and the button band keep their look.
QPixmap TloKomunikatu(int nadmiar) {
    const QPixmap wzor = skora::Obrazek(QStringLiteral("oknowarning"));
    if (nadmiar <= 0 || wzor.isNull()) return wzor;
    const qreal skala = wzor.devicePixelRatio();
    const QImage obraz = wzor.toImage();
    const auto kawalek = [&](int y, int h) {
        QImage k = obraz.copy(QRect(0, qRound(y * skala), obraz.width(), qRound(h * skala)));
        k.setDevicePixelRatio(skala);
        return k;
    };
    QPixmap tlo(QSize(Szerokosc, Wysokosc + nadmiar) * skala);
    tlo.setDevicePixelRatio(skala);
    tlo.fill(Qt::transparent);
    QPainter p(&tlo);
    p.drawImage(QPointF(0, 0), kawalek(0, Ciecie));
    p.drawImage(QRectF(0, Ciecie, Szerokosc, nadmiar), kawalek(Ciecie - 1, 1));
    p.drawImage(QPointF(0, Ciecie + nadmiar), kawalek(Ciecie, Wysokosc - Ciecie));
    return tlo;
}

QWidget* Panel(QWidget* rodzic, int x, int y, int w, int h) {
    auto* p = new QWidget(rodzic);
    p->setGeometry(x, y, w, h);
    p->setAttribute(Qt::WA_TranslucentBackground);
    return p;
}

} // namespace

namespace {
// Screen readers announce the message window as an alert, its text as the description.
class DostepKomunikatu : public QAccessibleWidget {
public:
    explicit DostepKomunikatu(TFWarning* w) : QAccessibleWidget(w, QAccessible::AlertMessage) {}
    QString text(QAccessible::Text t) const override {
        const auto* w = static_cast<const TFWarning*>(widget());
        if (t == QAccessible::Description) return w->LTekstWarning->text();
        if (t == QAccessible::Name && QAccessibleWidget::text(t).isEmpty()) return w->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* FabrykaKomunikatu(const QString& klasa, QObject* obiekt) {
    if (klasa == QLatin1String("sondrel::TFWarning") && obiekt && obiekt->isWidgetType())
        return new DostepKomunikatu(static_cast<TFWarning*>(obiekt));
    return nullptr;
}
} // namespace

TFWarning::TFWarning(const QString& j, QWidget* rodzic) : Okno(rodzic), jezyk(j) {
    static const bool fabryka = [] {
        QAccessible::installFactory(FabrykaKomunikatu);
        return true;
    }();
    (void)fabryka;
    UstawRozmiar(Szerokosc, Wysokosc);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawTytulOkna(QStringLiteral("Komunikat"));
    // A close request from the desktop answers as the close mark does (see ZamkniecieZZewnatrz).
    UstawBlokadeZamykania(false);

    ImWarning = new Etykieta(this, 0, 0, Szerokosc, Wysokosc);
    PIkona = Panel(this, 12, 4, 42, 43);
    ImIkona = new Etykieta(PIkona, 0, 0, 42, 43);
    LTekstWarning = new Etykieta(this, 17, 51, 313, WysokoscTekstu);
    LTekstWarning->setWordWrap(true);
    LTekstWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LTekstWarning->setFont(skora::Czcionka(12));
    QPalette paleta = LTekstWarning->palette();
    paleta.setColor(QPalette::WindowText, QColor::fromRgba(skora::Tekst2));
    LTekstWarning->setPalette(paleta);

    const auto przycisk = [this](int x, QWidget*& panel, Etykieta*& obraz, int odpowiedz) {
        panel = Panel(this, x, GoraPrzyciskow, 88, 26);
        obraz = new Etykieta(panel, 0, 0, 88, 26);
        obraz->setCursor(Qt::PointingHandCursor);
        connect(obraz, &Etykieta::klik, this, [this, odpowiedz] { Odpowiedz(odpowiedz); });
    };
    przycisk(63, PButTak, ImButTak, WynikTak);
    przycisk(156, PButNie, ImButNie, WynikNie);
    przycisk(248, PButAnuluj, ImButAnuluj, WynikAnuluj);
    przycisk(190, pButZamknij, ImButZamknij, WynikZamknij);
    // named buttons for screen readers; the keys stay with the window's own selection
    const std::pair<Etykieta*, const char*> nazwy[] = {
        {ImButTak, "Tak"}, {ImButNie, "Nie"}, {ImButAnuluj, "Anuluj"}, {ImButZamknij, "Zamknij"}};
    for (const auto& [obraz, nazwa] : nazwy) {
        obraz->setProperty("przycisk", true);
        obraz->setAccessibleName(QString::fromLatin1(nazwa));
    }

    LClose = new Etykieta(this, 323, 8, 17, 17);
    LClose->setCursor(Qt::PointingHandCursor);
    connect(LClose, &Etykieta::klik, this, [this] { LCloseClick(); });
    LListwa = new Etykieta(this, 56, 5, 281, 23);
    PodlaczListwe(LListwa);
    // the drag strip reaches under the close mark: the whole mark takes the mouse
    LClose->raise();

    // Until the first message: the message's single button.
    PButTak->hide();
    PButNie->hide();
    PButAnuluj->hide();
    ImWarning->setPixmap(skora::Obrazek(QStringLiteral("oknowarning")));
    ImButZamknij->setPixmap(skora::Obrazek(NazwaObrazka(BZamknij, true)));
}

QString TFWarning::NazwaObrazka(int przycisk, bool zaznaczony) const {
    static const char* const pl[] = {"", "buttak", "butnie", "butanuluj", "butzamknij"};
    static const char* const en[] = {"", "butyes", "butno", "butcancel", "butclose"};
    const bool polski = jezyk == QLatin1String("pl");
    QString nazwa = QString::fromLatin1((polski ? pl : en)[przycisk]);
    if (zaznaczony) nazwa += QStringLiteral("akt");
    return nazwa;
}

Etykieta* TFWarning::ObrazPrzycisku(int przycisk) const {
    switch (przycisk) {
    case BTak:
        return ImButTak;
    case BNie:
        return ImButNie;
    case BAnuluj:
        return ImButAnuluj;
    default:
        return ImButZamknij;
    }
}

bool TFWarning::Pokazany(int przycisk) const {
    return !ObrazPrzycisku(przycisk)->parentWidget()->isHidden();
}

void TFWarning::Przygotuj(int rodzaj, int ikona, const QString& tekst) {
    ImWarning->setPixmap(TloKomunikatu(nadmiar));
    for (int b : {BTak, BNie, BAnuluj, BZamknij})
        ObrazPrzycisku(b)->setPixmap(skora::Obrazek(NazwaObrazka(b, b == BTak)));

    const bool pytanie = JestPytaniem(rodzaj);
    if (rodzaj == KomunikatInformacja || pytanie) {
        PButTak->setVisible(pytanie);
        PButNie->setVisible(pytanie);
        PButAnuluj->setVisible(pytanie);
        pButZamknij->setVisible(!pytanie);
        QString t = tekst;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        LTekstWarning->setText(t);
        DopasujWysokosc();
        static const char* const ikony[] = {"", "ikoinfo", "ikopytanie", "ikouwaga"};
        if (ikona >= IkonaInformacja && ikona <= IkonaUwaga)
            ImIkona->setPixmap(skora::Obrazek(QString::fromLatin1(ikony[ikona])));
    }
    // The selection follows the buttons on show: Zamknij alone, or Tak of the question (Nie of
    // the question whose Tak destroys). (Any other kind keeps the previous call's buttons, and
    // its selection follows them too.)
    zaznaczenie = Pokazany(BZamknij) ? BZamknij : BTak;
    if (zaznaczenie == BZamknij)
        ImButZamknij->setPixmap(skora::Obrazek(NazwaObrazka(BZamknij, true)));
    else if (rodzaj == KomunikatPytanieNie)
        Zaznacz(BNie);
    wynik = WynikNie;
}

void TFWarning::DopasujWysokosc() {
    // A text longer than the label's room makes the dialog taller rather than losing its last
    // lines; the buttons stay below it.
    const int potrzeba = LTekstWarning->heightForWidth(LTekstWarning->width());
    const int n = std::max(0, potrzeba - WysokoscTekstu);
    if (n == nadmiar) return;
    nadmiar = n;
    UstawRozmiar(Szerokosc, Wysokosc + nadmiar);
    ImWarning->resize(size());
    ImWarning->setPixmap(TloKomunikatu(nadmiar));
    LTekstWarning->resize(LTekstWarning->width(), WysokoscTekstu + nadmiar);
    for (QWidget* panel : {PButTak, PButNie, PButAnuluj, pButZamknij})
        panel->move(panel->x(), GoraPrzyciskow + nadmiar);
}

int TFWarning::PokazKomunikat(int rodzaj, int ikona, const QString& tekst) {
    Przygotuj(rodzaj, ikona, tekst);
    Wysrodkuj();
    PokazModalnie();
    return wynik;
}

void TFWarning::Zaznacz(int przycisk) {
    ObrazPrzycisku(zaznaczenie)->setPixmap(skora::Obrazek(NazwaObrazka(zaznaczenie, false)));
    zaznaczenie = przycisk;
    ObrazPrzycisku(zaznaczenie)->setPixmap(skora::Obrazek(NazwaObrazka(zaznaczenie, true)));
}

void TFWarning::Odpowiedz(int odpowiedz) {
    wynik = odpowiedz;
    Zamknij();
}

void TFWarning::LCloseClick() {
    if (Pokazany(BAnuluj))
        Odpowiedz(WynikAnuluj);
    else if (Pokazany(BZamknij))
        Odpowiedz(WynikZamknij);
}

bool TFWarning::ZamkniecieZZewnatrz() {
    // Closing the dialog from the desktop means what its close mark means: "Anuluj" on the
    // question (so that nothing is discarded), "Zamknij" on a message.
    if (Pokazany(BAnuluj))
        wynik = WynikAnuluj;
    else if (Pokazany(BZamknij))
        wynik = WynikZamknij;
    return true;
}

bool TFWarning::KlawiszWcisniety(QKeyEvent* e) {
    const bool polski = jezyk == QLatin1String("pl");
    int przycisk = 0;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Odpowiedz(WynikPrzycisku(zaznaczenie));
        return true;
    case Qt::Key_Escape:
        if (Pokazany(BZamknij)) Odpowiedz(WynikZamknij);
        return true;
    case Qt::Key_Right:
        if (zaznaczenie != BZamknij) Zaznacz(zaznaczenie == BAnuluj ? BTak : zaznaczenie + 1);
        return true;
    case Qt::Key_Left:
        if (zaznaczenie != BZamknij) Zaznacz(zaznaczenie == BTak ? BAnuluj : zaznaczenie - 1);
        return true;
    case Qt::Key_T:
        przycisk = polski ? BTak : 0;
        break;
    case Qt::Key_Y:
        przycisk = polski ? 0 : BTak;
        break;
    case Qt::Key_N:
        przycisk = BNie;
        break;
    case Qt::Key_A:
        przycisk = polski ? BAnuluj : 0;
        break;
    case Qt::Key_Z:
        przycisk = polski ? BZamknij : 0;
        break;
    case Qt::Key_C:
        if (!polski) przycisk = Pokazany(BAnuluj) ? BAnuluj : BZamknij;
        break;
    default:
        break;
    }
    if (przycisk && Pokazany(przycisk)) Odpowiedz(WynikPrzycisku(przycisk));
    // Every key stays with the dialog: nothing reaches a control as text.
    return true;
}

void UstawOknoKomunikatow(Komunikaty& komunikaty, TFWarning& okno) {
    QPointer<TFWarning> wskaznik(&okno);
    komunikaty.ustawObsluge([wskaznik](int rodzaj, int ikona, const QString& tekst) {
        if (!wskaznik) return KomunikatNaStderr(rodzaj, ikona, tekst);
        return wskaznik->PokazKomunikat(rodzaj, ikona, tekst);
    });
}

} // namespace sondrel
