// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_wykres.h"

#include "chartengine/rysowanie.h"
#include "chartengine/uklad.h"
#include "charts/dane_wykresu.h"
#include "charts/szablon_wykresu.h"
#include "ui/program.h"
#include "ui/skory/skora_tabela.h"
#include "ui/skory/skora_wykres.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace sondrel {

namespace {

constexpr int SzerokoscPoczatkowa = 550, WysokoscPoczatkowa = 350;
constexpr int SzerokoscMinimalna = 450, WysokoscMinimalna = 350;

QWidget* Panel(QWidget* rodzic) {
    auto* p = new QWidget(rodzic);
    p->setAttribute(Qt::WA_TranslucentBackground);
    p->setMouseTracking(true);
    return p;
}

Etykieta* Obraz(QWidget* panel, const QString& nazwa) {
    auto* obraz = new Etykieta(panel, 0, 0, 1, 1);
    obraz->setObjectName(nazwa);
    return obraz;
}

// The panel at its place and its picture painted at the panel's size.
void Uloz(QWidget* panel, Etykieta* obraz, int x, int y, int w, int h) {
    w = std::max(w, 1);
    h = std::max(h, 1);
    panel->setGeometry(x, y, w, h);
    if (obraz->size() == QSize(w, h) && !obraz->pixmap().isNull()) return;
    obraz->setGeometry(0, 0, w, h);
    obraz->setPixmap(skora::Obrazek(obraz->objectName(), QSize(w, h)));
}

} // namespace

// ---- the chart --------------------------------------------------------------------------------

PoleWykresu::PoleWykresu(StanWykresu& s, QWidget* rodzic) : QWidget(rodzic), stan(s) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRectF PoleWykresu::Obszar() const {
    return QRectF(rect()).adjusted(2, 2, -2, -2);
}

void PoleWykresu::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    chartengine::Rysuj(stan.Wykres, p, Obszar());
    // One-pixel border and a lowered inner bevel.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(QColor(0x46, 0x46, 0x5A));
    p.drawRect(r);
    p.setPen(QColor(0xA0, 0xA0, 0xA8));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    p.setPen(QColor(0xF3, 0xF3, 0xF6));
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
    if (tryb == Tryb::Powiekszanie) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(poczatek, biezacy).normalized());
    }
}

void PoleWykresu::mousePressEvent(QMouseEvent* e) {
    const chartengine::Wykres& w = stan.Wykres;
    if (!w.Aktywna()) return;
    if (e->button() == Qt::LeftButton && w.powiekszanie)
        tryb = Tryb::Powiekszanie;
    else if (e->button() == Qt::RightButton && w.przesuwanie)
        tryb = Tryb::Przesuwanie;
    else
        return;
    poczatek = biezacy = e->position().toPoint();
}

void PoleWykresu::mouseMoveEvent(QMouseEvent* e) {
    emit ruch();
    const QPoint tu = e->position().toPoint();
    if (tryb == Tryb::Przesuwanie) {
        stan.Wykres.zakres =
            chartengine::ZakresPrzesuniety(stan.Wykres, Obszar(), QPointF(tu - biezacy));
        biezacy = tu;
        update();
    } else if (tryb == Tryb::Powiekszanie) {
        biezacy = tu;
        update();
    }
}

void PoleWykresu::mouseReleaseEvent(QMouseEvent* e) {
    if (tryb == Tryb::Powiekszanie) {
        const QPoint d = e->position().toPoint() - poczatek;
        if (d.x() > 4 && d.y() > 4)
            stan.Wykres.zakres = chartengine::ZakresProstokata(stan.Wykres, Obszar(),
                                                               QRectF(poczatek, e->position()));
        else if (d.x() < 0 && d.y() < 0)
            stan.Wykres.zakres.reset();
    }
    tryb = Tryb::Nic;
    update();
}

// ---- the window -------------------------------------------------------------------------------

TFWykres::TFWykres(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    skora::DodajObrazkiWykresu();
    UstawTytulOkna(QStringLiteral("Wykres"));
    UstawStronePomocy(QStringLiteral("menudiagr.htm"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    setMouseTracking(true);
    setAutoFillBackground(false);

    PListwaLeft = Panel(this);
    ImListwaLeft = Obraz(PListwaLeft, QStringLiteral("wykresmenu"));
    PListwaSrodek = Panel(this);
    ImListwaSrodek = Obraz(PListwaSrodek, QStringLiteral("wykreslistwa"));
    LListwa = new Etykieta(PListwaSrodek, 0, 4, 10, 16);
    PodlaczListwe(LListwa);
    PTopRight = Panel(this);
    ImListwaRight = Obraz(PTopRight, QStringLiteral("wykreslistwaprawa"));
    // The hot spot covers the painted close mark.
    LCloseWykres =
        new Etykieta(PTopRight, skora::ZnakZamknieciaTabeliX, skora::ZnakZamknieciaTabeliY,
                     skora::ZnakZamknieciaTabeliBok, skora::ZnakZamknieciaTabeliBok);
    LCloseWykres->setCursor(Qt::PointingHandCursor);
    LCloseWykres->setToolTip(QStringLiteral("Zamknij"));
    PLeft = Panel(this);
    ImLeft = Obraz(PLeft, QStringLiteral("wykreslewo"));
    PLeftDown = Panel(this);
    ImLeftDown = Obraz(PLeftDown, QStringLiteral("wykreslewodol"));
    Pdown = Panel(this);
    ImDown = Obraz(Pdown, QStringLiteral("wykresdol"));
    PRight = Panel(this);
    ImRight = Obraz(PRight, QStringLiteral("wykresprawo"));
    PRightDown = Panel(this);
    ImRightDown = Obraz(PRightDown, QStringLiteral("wykresprawodol"));
    LCiongnij = new Etykieta(PRightDown, skora::UchwytWykresuX, skora::UchwytWykresuY,
                             skora::UchwytWykresuW, skora::UchwytWykresuH);
    LCiongnij->setCursor(Qt::SizeFDiagCursor);
    LCiongnij->installEventFilter(this);
    PPodWykres = Panel(this);
    PPodWykres->setAttribute(Qt::WA_TranslucentBackground, false);
    Wykres = new PoleWykresu(stan, PPodWykres);

    const auto pozycja = [this](const char* napis, int x, int y, int w, int h) {
        // a little wider than the caption's box, so that the painted font never clips it
        auto* l = EtykietaMenu(PListwaLeft, QString::fromUtf8(napis), QRect(x, y, w + 20, h + 2));
        l->setFont(skora::CzcionkaPunkty(8));
        connect(l, &Etykieta::ruch, this, [this, l] { PodswietlMenu(l); });
        return l;
    };
    const auto kreska = [this](int y) { return KreskaMenu(PListwaLeft, y); };
    LWykresFormat = pozycja("Formatuj wykres", 16, 62, 78, 14);
    LKreska1 = kreska(69);
    LZapiszFormat = pozycja("Zapisz format..", 15, 86, 82, 13);
    LWczytajFormat = pozycja("Wczytaj format...", 14, 101, 83, 13);
    LKreska2 = kreska(106);
    LKopiujBmp = pozycja("Kopiuj jako BMP", 15, 124, 81, 13);
    LKopiujMeta = pozycja("Kopiuj jako SVG", 15, 140, 81, 13);
    LKreska1->lower();
    LKreska2->lower();
    ImListwaLeft->lower();

    connect(LWykresFormat, &Etykieta::klik, this, &TFWykres::FormatujWykres);
    connect(LZapiszFormat, &Etykieta::klik, this, &TFWykres::ZapiszWzorzec);
    connect(LWczytajFormat, &Etykieta::klik, this, &TFWykres::WczytajWzorzec);
    connect(LKopiujBmp, &Etykieta::klik, this, &TFWykres::KopiujJakoBmp);
    connect(LKopiujMeta, &Etykieta::klik, this, &TFWykres::KopiujJakoSvg);
    connect(LCloseWykres, &Etykieta::klik, this, &TFWykres::ZamknijWykres);
    connect(Wykres, &PoleWykresu::ruch, this, [this] { PodswietlMenu(nullptr); });
    connect(ImLeft, &Etykieta::ruch, this, [this] { PodswietlMenu(nullptr); });

    UstawRozmiar(SzerokoscPoczatkowa, WysokoscPoczatkowa);
    UlozOknoWykresu();
}

TFWykres::~TFWykres() = default;

void TFWykres::UlozOknoWykresu() {
    const int W = width(), H = height();
    Uloz(PListwaLeft, ImListwaLeft, 0, 0, 124, 172);
    Uloz(PListwaSrodek, ImListwaSrodek, 123, 0, W - 153, 37);
    LListwa->setGeometry(0, 4, std::max(1, W - 153), 16);
    Uloz(PTopRight, ImListwaRight, W - 30, 0, 30, 37);
    Uloz(PLeft, ImLeft, 0, 172, 124, H - 206);
    Uloz(PLeftDown, ImLeftDown, 0, H - 34, 124, 34);
    Uloz(Pdown, ImDown, 124, H - 34, W - 154, 34);
    Uloz(PRight, ImRight, W - 30, 37, 30, H - 71);
    Uloz(PRightDown, ImRightDown, W - 30, H - 34, 30, 34);
    PPodWykres->setGeometry(124, 37, W - 153, H - 71);
    Wykres->setGeometry(-2, -2, W - 152, H - 70);
    // The window's shape follows its size (the base window's resize handling).
    update();
}

void TFWykres::OtworzWykres(int typ) {
    stan.ZadanyRodzajWykresu = RodzajDlaTypu(typ);
    if (sondrel::OtworzWykres(stan, program.analiza, program.ustawienia.fn, typ)) PokazanoRodzaj();
}

void TFWykres::PokazanoRodzaj() {
    emit rodzajPokazany(stan.BiezacyRodzajWykresu);
    PokazOknoWykresu();
}

void TFWykres::Odswiez() {
    Wykres->update();
}

void TFWykres::PokazOknoWykresu() {
    Odswiez();
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    UstawRozmiar(SzerokoscPoczatkowa, WysokoscPoczatkowa);
    UlozOknoWykresu();
    UmiescObokMenu(); // clear of the main window's menu column when the screen has room
    show();
    raise();
    activateWindow();
}

void TFWykres::FormatujWykres() {
    PodswietlMenu(nullptr);
    WybierzSerie(stan);
    emit formatowanie();
    UstawRzutPoUstawieniach(stan);
    Odswiez();
}

QString TFWykres::WybierzPlikWzorca(bool zapis) {
    QFileDialog dialog(
        this,
        zapis ? QStringLiteral("Zapisz format wykresu") : QStringLiteral("Wczytaj format wykresu"),
        FolderDialogu(folderWzorca.isEmpty() ? program.srodowisko.foldery.FolderDokumentow
                                             : folderWzorca),
        QStringLiteral("Plik tekstowy (*.ssw)"));
    dialog.setAcceptMode(zapis ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(zapis ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("ssw"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.selectFile(zapis ? QStringLiteral("Wzorzec.ssw") : nazwaWzorca);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TFWykres::ZglosBladWzorca(bool zapis, const QString& sciezka, const QString& blad) {
    const QString co = zapis ? QStringLiteral("Nie udało się zapisać formatu wykresu do pliku")
                             : QStringLiteral("Nie udało się wczytać formatu wykresu z pliku");
    const QString plik = QDir::toNativeSeparators(sciezka);
    program.srodowisko.WpiszDoDziennika(0, QStringLiteral("Wzorzec wykresu. ") + co + u' ' + plik +
                                               QStringLiteral(": ") + blad);
    program.srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga,
                                      co + u'\r' + plik + u'\r' + blad);
}

void TFWykres::ZapiszWzorzec() {
    PodswietlMenu(nullptr);
    QString sciezka = WybierzPlikWzorca(true);
    if (sciezka.isEmpty()) return;
    if (QFileInfo(sciezka).suffix().isEmpty()) sciezka += QStringLiteral(".ssw");
    nazwaWzorca = QFileInfo(sciezka).fileName();
    folderWzorca = QFileInfo(sciezka).absolutePath();
    QString blad;
    if (!ZapiszWzorzecDoPliku(stan, sciezka, &blad)) ZglosBladWzorca(true, sciezka, blad);
}

void TFWykres::WczytajWzorzec() {
    PodswietlMenu(nullptr);
    const QString sciezka = WybierzPlikWzorca(false);
    if (sciezka.isEmpty()) return;
    nazwaWzorca = QFileInfo(sciezka).fileName();
    folderWzorca = QFileInfo(sciezka).absolutePath();
    QString blad;
    if (!WczytajWzorzecZPliku(stan, sciezka, &blad))
        ZglosBladWzorca(false, sciezka, blad);
    else if (ZnanyRodzajWykresu(stan.ZadanyRodzajWykresu)) // the template showed that kind
        PokazanoRodzaj();
    Odswiez();
}

QSize TFWykres::RozmiarWykresu() const {
    return Wykres->size();
}

QImage TFWykres::ObrazWykresu() const {
    return chartengine::RysujObraz(stan.Wykres, RozmiarWykresu(), Wykres->devicePixelRatioF());
}

void TFWykres::KopiujJakoBmp() {
    PodswietlMenu(nullptr);
    QImage obraz = ObrazWykresu();
    obraz.setDevicePixelRatio(1);
    QGuiApplication::clipboard()->setImage(obraz);
}

void TFWykres::KopiujJakoSvg() {
    PodswietlMenu(nullptr);
    // No metafiles here: a scalable SVG drawing of an explicit size, and the same chart as a
    // bitmap for programs that take no SVG.
    auto* dane = new QMimeData;
    dane->setData(
        QStringLiteral("image/svg+xml"),
        chartengine::RysujSvg(stan.Wykres, RozmiarWykresu(), stan.Wykres.tytul.wiersze.join(u' ')));
    QImage obraz = ObrazWykresu();
    obraz.setDevicePixelRatio(1);
    dane->setImageData(obraz);
    QGuiApplication::clipboard()->setMimeData(dane);
}

void TFWykres::ZamknijWykres() {
    Zamknij();
}

bool TFWykres::ZamkniecieZZewnatrz() {
    ZamknijWykres();
    return false;
}

QList<Etykieta*> TFWykres::Menu() const {
    return {LWykresFormat, LZapiszFormat, LWczytajFormat, LKopiujBmp, LKopiujMeta};
}

void TFWykres::PodswietlMenu(Etykieta* wybrana) {
    for (Etykieta* e : Menu())
        e->Podswietl(e == wybrana);
}

bool TFWykres::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt == LCiongnij) {
        // Resizing by the grip: a dotted frame from the window's corner to the cursor, the new
        // size when the button is released.
        switch (e->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
                rozciaganie = true;
                if (!rameczka) rameczka = new QRubberBand(QRubberBand::Rectangle);
                rameczka->setGeometry(
                    QRect(pos(), static_cast<QMouseEvent*>(e)->globalPosition().toPoint())
                        .normalized());
                rameczka->show();
                return true;
            }
            break;
        case QEvent::MouseMove:
            if (rozciaganie) {
                rameczka->setGeometry(
                    QRect(pos(), static_cast<QMouseEvent*>(e)->globalPosition().toPoint())
                        .normalized());
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (rozciaganie) {
                rozciaganie = false;
                rameczka->hide();
                const QPoint kursor = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
                const int w = std::max(SzerokoscMinimalna, kursor.x() - pos().x());
                const int h = std::max(WysokoscMinimalna, kursor.y() - pos().y());
                UstawRozmiar(w, h);
                UlozOknoWykresu();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return Okno::eventFilter(obiekt, e);
}

} // namespace sondrel
