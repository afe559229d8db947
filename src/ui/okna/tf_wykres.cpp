// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_wykres.h"

#include "chartengine/rysowanie.h"
#include "chartengine/uklad.h"
#include "charts/dane_wykresu.h"
#include "charts/szablon_wykresu.h"
#include "ui/program.h"
#include "ui/skory/skora_ramki.h"
#include "ui/skory/skora_wykres.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace sondrel {

namespace {

constexpr int SzerokoscPoczatkowa = 550, WysokoscPoczatkowa = 350;
constexpr int SzerokoscMinimalna = 450, WysokoscMinimalna = 350;

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
    p.setPen(QColor::fromRgba(skora::Lupek));
    p.drawRect(r);
    p.setPen(QColor::fromRgba(skora::FazaCiemna));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
    p.setPen(QColor::fromRgba(skora::PanelJasny));
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

TFWykres::TFWykres(Program& p, QWidget* rodzic) : OknoZRamka(rodzic), program(p) {
    skora::DodajObrazkiWykresu();
    UstawTytulOkna(QStringLiteral("Wykres"));
    UstawStronePomocy(QStringLiteral("menudiagr.htm"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    setAutoFillBackground(false);
    UstawRozmiar(SzerokoscPoczatkowa, WysokoscPoczatkowa);
    ZbudujRamke(QStringLiteral("wykresmenu"), QStringLiteral("Zamknij wykres"), true);
    DodajUchwyt(PRightDown, skora::ramka::Uchwyt, QSize(SzerokoscMinimalna, WysokoscMinimalna),
                QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    PPodWykres = new QWidget(this);
    PPodWykres->setMouseTracking(true);
    Wykres = new PoleWykresu(stan, PPodWykres);

    const auto pozycja = [this](int y, int h, const char* napis, void (TFWykres::*akcja)()) {
        return DodajPozycjeMenu(
            PListwaLeft, y, QString::fromUtf8(napis), [this, akcja] { (this->*akcja)(); }, h);
    };
    LWykresFormat = pozycja(62, 16, "Formatuj wykres", &TFWykres::FormatujWykres);
    LKreska1 = DodajKreskeMenu(PListwaLeft, 69);
    LZapiszFormat = pozycja(86, 15, "Zapisz format..", &TFWykres::ZapiszWzorzec);
    LWczytajFormat = pozycja(101, 15, "Wczytaj format...", &TFWykres::WczytajWzorzec);
    LKreska2 = DodajKreskeMenu(PListwaLeft, 106);
    LKopiujBmp = pozycja(124, 15, "Kopiuj jako BMP", &TFWykres::KopiujJakoBmp);
    LKopiujMeta = pozycja(140, 15, "Kopiuj jako SVG", &TFWykres::KopiujJakoSvg);
    connect(Wykres, &PoleWykresu::ruch, this, [this] { PodswietlMenu(nullptr); });

    UlozOknoWykresu();
}

TFWykres::~TFWykres() = default;

void TFWykres::UlozOknoWykresu() {
    const int W = width(), H = height();
    UlozRamke();
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
    QString sciezka = WybierzPlikWzorca(true);
    if (sciezka.isEmpty()) return;
    if (QFileInfo(sciezka).suffix().isEmpty()) sciezka += QStringLiteral(".ssw");
    nazwaWzorca = QFileInfo(sciezka).fileName();
    folderWzorca = QFileInfo(sciezka).absolutePath();
    QString blad;
    if (!ZapiszWzorzecDoPliku(stan, sciezka, &blad)) ZglosBladWzorca(true, sciezka, blad);
}

void TFWykres::WczytajWzorzec() {
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
    QImage obraz = ObrazWykresu();
    obraz.setDevicePixelRatio(1);
    QGuiApplication::clipboard()->setImage(obraz);
}

void TFWykres::KopiujJakoSvg() {
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
    ZamknijOkno();
}

QSize TFWykres::RozmiarZUchwytu(QPoint kursor) const {
    return QSize(kursor.x() - pos().x(), kursor.y() - pos().y());
}

void TFWykres::UstawRozmiarUchwytem(QSize rozmiar) {
    UstawRozmiar(rozmiar.width(), rozmiar.height());
    UlozOknoWykresu();
}

} // namespace sondrel
