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
#include <algorithm>

namespace sondrel {

namespace {

constexpr int SzerokoscPoczatkowa = 550, WysokoscPoczatkowa = 350;
constexpr int SzerokoscMinimalna = 450, WysokoscMinimalna = 350;

// A count with its noun in the Polish form the number takes: "1 grupa", "3 grupy", "5 grup".
QString Ile(qsizetype n, const char* jedna, const char* kilka, const char* wiele) {
    const bool kilku = n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
    return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? jedna : kilku ? kilka : wiele);
}

QString IleWartosci(qsizetype n) {
    return Ile(n, "wartość", "wartości", "wartości");
}

} // namespace

QString OpisDanychWykresu(const chartengine::Wykres& w) {
    using chartengine::RodzajSerii;
    const chartengine::Seria* s = w.Aktywna();
    if (!s || s->punkty.isEmpty()) return QStringLiteral("Wykres bez danych.");
    const auto liczba = [&w](double v) {
        return w.formatLiczby ? w.formatLiczby(v) : chartengine::TekstLiczbyDomyslny(v);
    };
    const auto etykieta = [s](qsizetype i) {
        const QString e = s->punkty.at(i).etykieta.simplified();
        return e.isEmpty() ? QString::number(i + 1) : e;
    };
    // the values with their labels: all of a few, the range of many
    const auto wartosci = [&](const auto& wartosc, qsizetype n) {
        if (n <= 12) {
            QStringList lista;
            for (qsizetype i = 0; i < n; ++i)
                lista << etykieta(i) + QStringLiteral(": ") + liczba(wartosc(i));
            return lista.join(QStringLiteral(", "));
        }
        qsizetype min = 0, max = 0;
        for (qsizetype i = 1; i < n; ++i) {
            if (wartosc(i) < wartosc(min)) min = i;
            if (wartosc(i) > wartosc(max)) max = i;
        }
        return QStringLiteral("od %1 (%2) do %3 (%4)")
            .arg(liczba(wartosc(min)), etykieta(min), liczba(wartosc(max)), etykieta(max));
    };
    const qsizetype n = s->punkty.size();
    QString opis;
    switch (s->rodzaj) {
    case RodzajSerii::Slupki:
        opis = QStringLiteral("Wykres słupkowy");
        break;
    case RodzajSerii::Kolo:
        opis = QStringLiteral("Wykres kołowy");
        break;
    case RodzajSerii::Linia:
        opis = QStringLiteral("Wykres liniowy");
        break;
    }
    if (s->rodzaj == RodzajSerii::Slupki && !w.grupy.isEmpty()) {
        opis += QStringLiteral(", %1 po %2.")
                    .arg(Ile(w.grupy.size(), "grupa", "grupy", "grup"), IleWartosci(n));
        for (const chartengine::SeriaGrupy& g : w.grupy) {
            const qsizetype ile = std::min(n, g.wartosci.size());
            opis += QLatin1Char(' ') + g.nazwa.simplified() + QStringLiteral(": ") +
                    wartosci([&g](qsizetype i) { return g.wartosci.at(i); }, ile) +
                    QLatin1Char('.');
        }
    } else {
        opis += QStringLiteral(", %1: ").arg(IleWartosci(n)) +
                wartosci([s](qsizetype i) { return s->punkty.at(i).wartosc; }, n) +
                QLatin1Char('.');
    }
    if (s->rodzaj != RodzajSerii::Kolo) {
        if (!w.dolna.tytul.isEmpty())
            opis += QStringLiteral(" Oś pozioma: ") + w.dolna.tytul.simplified() + u'.';
        if (!w.lewa.tytul.isEmpty())
            opis += QStringLiteral(" Oś pionowa: ") + w.lewa.tytul.simplified() + u'.';
    }
    return opis;
}

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
    // what screen readers tell of it: its title and its data
    const QString tytul = stan.Wykres.tytul.wiersze.join(u' ').simplified();
    const QString nazwa = tytul.isEmpty() ? QStringLiteral("Wykres") : tytul;
    if (Wykres->accessibleName() != nazwa) Wykres->setAccessibleName(nazwa);
    const QString opis = OpisDanychWykresu(stan.Wykres);
    if (Wykres->accessibleDescription() != opis) Wykres->setAccessibleDescription(opis);
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
