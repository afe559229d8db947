// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_tabela.h"

#include "core/kodowanie1250.h"
#include "tables/eksport_tabel.h"
#include "ui/kontrolki/pozycja_menu.h"
#include "ui/program.h"
#include "ui/schowek_html.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_tabela.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

namespace sondrel {

namespace {

QWidget* Panel(QWidget* rodzic, int x, int y, int w, int h) {
    auto* p = new QWidget(rodzic);
    p->setGeometry(x, y, w, h);
    p->setAttribute(Qt::WA_TranslucentBackground);
    p->setMouseTracking(true);
    return p;
}

// A picture that fills its panel; stretched pictures are painted anew at the panel's size.
Etykieta* Obraz(QWidget* panel, const QString& nazwa) {
    auto* obraz = new Etykieta(panel, 0, 0, panel->width(), panel->height());
    obraz->setObjectName(nazwa);
    obraz->setPixmap(skora::Obrazek(nazwa, panel->size()));
    return obraz;
}

void DopasujObraz(QWidget* panel, Etykieta* obraz) {
    if (obraz->size() == panel->size()) return;
    obraz->setGeometry(0, 0, panel->width(), panel->height());
    obraz->setPixmap(skora::Obrazek(obraz->objectName(), panel->size()));
}

QColor Kolor_(Kolor k) {
    return QColor::fromRgba(k);
}

constexpr QRgb KolorLiniiSiatki = 0xFFC9CCD6;

// The fixed sizes of the table area.
constexpr int WierszeWidoku = 23;        // rows a long table shows at once, header included
constexpr int WysokoscWidoku = 391;      // 23 rows of 17 pixels
constexpr int SzerokoscListwyV = 18;     // the scroll bar
constexpr int MiejsceNaStrzalki = 28;    // below the grid of the results table
constexpr int WysokoscMinimalna = 250;   // the window never gets lower
constexpr int SzerokoscTabeliOcen = 203; // the grade table's grid
constexpr int WysokoscTabeliOcen = 137;

} // namespace

// ---- the grid ----------------------------------------------------------------------------------

SiatkaTabeli::SiatkaTabeli(QWidget* rodzic) : QWidget(rodzic) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SiatkaTabeli::UstawTabele(const Tabela* t) {
    tabela = t;
    gorny = 1;
    biezacy = 1;
    update();
}

void SiatkaTabeli::UstawWidoczneWiersze(int ile) {
    widoczne = std::max(0, ile);
    UstawGornyWiersz(gorny);
}

int SiatkaTabeli::OstatniGornyWiersz() const {
    if (!tabela) return 1;
    // the header stays; the other visible rows end with the last row at the bottom
    return std::max(1, tabela->IloscWierszy() - (widoczne - 1));
}

void SiatkaTabeli::UstawGornyWiersz(int wiersz) {
    const int nowy = std::clamp(wiersz, 1, OstatniGornyWiersz());
    if (nowy == gorny) return;
    gorny = nowy;
    update();
}

void SiatkaTabeli::UstawBiezacyWiersz(int wiersz) {
    if (!tabela || tabela->IloscWierszy() < 2) return;
    biezacy = std::clamp(wiersz, 1, tabela->IloscWierszy() - 1);
    const int naEkranie = std::max(1, widoczne - 1);
    if (biezacy < gorny)
        UstawGornyWiersz(biezacy);
    else if (biezacy >= gorny + naEkranie)
        UstawGornyWiersz(biezacy - naEkranie + 1);
}

void SiatkaTabeli::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!tabela || tabela->IloscKolumn() == 0) return;
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont zwykla = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli);
    const QFont gruba = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli, true);

    const auto rysujWiersz = [&](int wiersz, int y) {
        int x = 0;
        for (int k = 0; k < tabela->IloscKolumn(); ++k) {
            const int w = tabela->SzerokoscKolumny(k);
            const Komorka& c = tabela->komorka(wiersz, k);
            const QRect komorka(x, y, w, Tabela::WysokoscWiersza);
            p.fillRect(komorka, Kolor_(c.Tlo));
            if (!c.Tekst.isEmpty()) {
                const QRect pole = PoleTekstu(komorka, c.Wyrownanie);
                const QFont& f = c.Pogrubiona ? gruba : zwykla;
                // One size for every cell: a text wider than its column (a long name in the
                // fixed name column) ends in an ellipsis and shows whole in its tooltip.
                const QString tekst =
                    QFontMetrics(f).elidedText(c.Tekst, Qt::ElideRight, pole.width());
                p.setFont(f);
                p.setPen(Kolor_(c.KolorCzcionki));
                Qt::Alignment a = Qt::AlignVCenter;
                switch (c.Wyrownanie) {
                case RodzajWyrownania::DoLewej:
                    a |= Qt::AlignLeft;
                    break;
                case RodzajWyrownania::DoSrodka:
                    a |= Qt::AlignHCenter;
                    break;
                case RodzajWyrownania::DoPrawej:
                    a |= Qt::AlignRight;
                    break;
                }
                p.save();
                p.setClipRect(komorka);
                p.drawText(pole, a, tekst);
                p.restore();
            }
            x += w + Tabela::GruboscLinii;
        }
    };

    const int wiersze = tabela->IloscWierszy();
    rysujWiersz(0, 0);
    int y = Krok;
    for (int w = gorny; w < wiersze && y < height(); ++w, y += Krok)
        rysujWiersz(w, y);
    const int dol = y; // below the last row drawn

    // grid lines after every column and every row
    p.setPen(QPen(QColor::fromRgba(KolorLiniiSiatki), 1));
    int x = 0;
    for (int k = 0; k < tabela->IloscKolumn(); ++k) {
        x += tabela->SzerokoscKolumny(k);
        p.drawLine(x, 0, x, dol - 1);
        x += Tabela::GruboscLinii;
    }
    for (int ly = Tabela::WysokoscWiersza; ly < dol; ly += Krok)
        p.drawLine(0, ly, x - 1, ly);
    // and the left edge of the rows under the header, so that the table reads as closed
    p.drawLine(0, Tabela::WysokoscWiersza, 0, dol - 1);
}

QRect SiatkaTabeli::PoleTekstu(const QRect& komorka, RodzajWyrownania wyrownanie) {
    // a margin on the side the text keeps to; centred texts (two-digit question numbers in
    // 18-pixel columns) get the whole cell but its edge pixels
    switch (wyrownanie) {
    case RodzajWyrownania::DoLewej:
        return komorka.adjusted(3, 0, -1, 0);
    case RodzajWyrownania::DoPrawej:
        return komorka.adjusted(1, 0, -3, 0);
    case RodzajWyrownania::DoSrodka:
        break;
    }
    return komorka.adjusted(1, 0, -1, 0);
}

bool SiatkaTabeli::KomorkaPod(QPoint punkt, int& wiersz, int& kolumna, QRect& prostokat) const {
    if (!tabela || punkt.x() < 0 || punkt.y() < 0) return false;
    // the header row, then the rows from the top row on
    const int pozycja = punkt.y() / Krok;
    wiersz = pozycja == 0 ? 0 : gorny + pozycja - 1;
    if (wiersz >= tabela->IloscWierszy()) return false;
    int x = 0;
    for (kolumna = 0; kolumna < tabela->IloscKolumn(); ++kolumna) {
        const int w = tabela->SzerokoscKolumny(kolumna);
        if (punkt.x() < x + w) {
            prostokat = QRect(x, pozycja * Krok, w, Tabela::WysokoscWiersza);
            return true;
        }
        x += w + Tabela::GruboscLinii;
    }
    return false;
}

bool SiatkaTabeli::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    // the whole text of a cell that shows it cut short
    const auto* h = static_cast<QHelpEvent*>(e);
    int wiersz = 0, kolumna = 0;
    QRect komorka;
    if (KomorkaPod(h->pos(), wiersz, kolumna, komorka)) {
        const Komorka& c = tabela->komorka(wiersz, kolumna);
        const QFont f = skora::CzcionkaPunkty(RozmiarCzcionkiTabeli, c.Pogrubiona);
        if (QFontMetrics(f).horizontalAdvance(c.Tekst) >
            PoleTekstu(komorka, c.Wyrownanie).width()) {
            QToolTip::showText(h->globalPos(), c.Tekst, this, komorka);
            return true;
        }
    }
    QToolTip::hideText();
    e->ignore();
    return true;
}

void SiatkaTabeli::keyPressEvent(QKeyEvent* e) {
    if (!tabela) return QWidget::keyPressEvent(e);
    const int strona = std::max(1, widoczne - 1);
    switch (e->key()) {
    case Qt::Key_Up:
        UstawBiezacyWiersz(biezacy - 1);
        break;
    case Qt::Key_Down:
        UstawBiezacyWiersz(biezacy + 1);
        break;
    case Qt::Key_PageUp:
        UstawBiezacyWiersz(biezacy - strona);
        break;
    case Qt::Key_PageDown:
        UstawBiezacyWiersz(biezacy + strona);
        break;
    case Qt::Key_Home:
        if (!(e->modifiers() & Qt::ControlModifier)) return QWidget::keyPressEvent(e);
        UstawBiezacyWiersz(1);
        break;
    case Qt::Key_End:
        if (!(e->modifiers() & Qt::ControlModifier)) return QWidget::keyPressEvent(e);
        UstawBiezacyWiersz(tabela->IloscWierszy() - 1);
        break;
    default:
        return QWidget::keyPressEvent(e);
    }
    e->accept();
}

void SiatkaTabeli::keyReleaseEvent(QKeyEvent* e) {
    e->accept(); // consumed; the scroll bar follows the top row
    if (!e->isAutoRepeat()) emit klawiszZwolniony();
}

void SiatkaTabeli::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    e->accept();
    emit wcisnieto(e->button(), e->position().toPoint());
}

void SiatkaTabeli::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    emit ruch();
}

void SiatkaTabeli::wheelEvent(QWheelEvent* e) {
    e->accept(); // the wheel over the grid does nothing
}

// ---- the scroll bar ----------------------------------------------------------------------------

ListwaTabeli::ListwaTabeli(QWidget* rodzic) : QAbstractSlider(rodzic) {
    setOrientation(Qt::Vertical);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::ArrowCursor);
}

QRect ListwaTabeli::ProstokatSuwaka() const {
    const int zakres = maximum() - minimum();
    const int h = height();
    int dlugosc = zakres + pageStep() > 0 ? h * pageStep() / (zakres + pageStep()) : h;
    dlugosc = std::clamp(dlugosc, std::min(h, 24), h);
    const int wolne = h - dlugosc;
    const int y = zakres > 0 ? wolne * (value() - minimum()) / zakres : 0;
    return QRect(0, y, width(), dlugosc);
}

int ListwaTabeli::WartoscZPolozenia(int y) const {
    const QRect s = ProstokatSuwaka();
    const int wolne = height() - s.height();
    if (wolne <= 0) return minimum();
    const int zakres = maximum() - minimum();
    return minimum() + (std::clamp(y, 0, wolne) * zakres + wolne / 2) / wolne;
}

void ListwaTabeli::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tor = QRectF(rect()).adjusted(5.5, 0.5, -5.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(skora::PanelJasny));
    p.drawRoundedRect(tor, tor.width() / 2, tor.width() / 2);
    const QRectF s = QRectF(ProstokatSuwaka()).adjusted(3.5, 1, -3.5, -1);
    QColor kolor = QColor::fromRgba(skora::MenuTlo);
    if (ciagnie)
        kolor = QColor::fromRgba(skora::Lupek);
    else if (nad)
        kolor = QColor(0x8C, 0x90, 0xA6);
    p.setBrush(kolor);
    p.drawRoundedRect(s, s.width() / 2, s.width() / 2);
}

void ListwaTabeli::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int y = e->position().toPoint().y();
    const QRect s = ProstokatSuwaka();
    if (s.contains(e->position().toPoint())) {
        ciagnie = true;
        chwyt = y - s.top();
        setSliderDown(true);
    } else {
        triggerAction(y < s.top() ? SliderPageStepSub : SliderPageStepAdd);
    }
    update();
}

void ListwaTabeli::mouseMoveEvent(QMouseEvent* e) {
    if (!ciagnie) return;
    setSliderPosition(WartoscZPolozenia(e->position().toPoint().y() - chwyt));
}

void ListwaTabeli::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !ciagnie) return;
    ciagnie = false;
    setSliderDown(false);
    update();
}

void ListwaTabeli::wheelEvent(QWheelEvent* e) {
    e->accept();
    resztaKolka += e->angleDelta().y();
    const int wierszy = resztaKolka / 40; // 120 per notch, three rows
    resztaKolka -= wierszy * 40;
    if (wierszy != 0) setValue(value() - wierszy);
}

void ListwaTabeli::enterEvent(QEnterEvent* e) {
    QAbstractSlider::enterEvent(e);
    nad = true;
    update();
}

void ListwaTabeli::leaveEvent(QEvent* e) {
    QAbstractSlider::leaveEvent(e);
    nad = false;
    update();
}

// ---- the window --------------------------------------------------------------------------------

TFTabela::TFTabela(Program& p, QWidget* rodzic) : Okno(rodzic), program(p) {
    skora::DodajObrazkiTabeli();
    UstawTytulOkna(TytulTabeli(RodzajTabeli::Wynikow));
    UstawStronePomocy(QStringLiteral("menutabeli.htm"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    setMouseTracking(true);
    UstawRozmiar(383, WysokoscMinimalna);

    const int W = width(), H = height();
    PListwaLeft = Panel(this, 0, 0, 124, 172);
    ImListwaLeft = Obraz(PListwaLeft, QStringLiteral("tabelamenu"));
    PListwaSrodek = Panel(this, 123, 0, W - 153, 37);
    ImListwaSrodek = Obraz(PListwaSrodek, QStringLiteral("tabelalistwa"));
    LListwa = new Etykieta(PListwaSrodek, 0, 0, PListwaSrodek->width(), 37);
    LListwa->setFont(skora::Czcionka(12, true));
    LListwa->setContentsMargins(12, 0, 4, 0);
    LListwa->UstawLink(QColor::fromRgba(skora::TekstListwy), QColor::fromRgba(skora::TekstListwy));
    PodlaczListwe(LListwa);
    PTopRight = Panel(this, W - 30, 0, 30, 37);
    ImListwaRight = Obraz(PTopRight, QStringLiteral("tabelalistwaprawa"));
    LCloseWykres =
        new Etykieta(PTopRight, skora::ZnakZamknieciaTabeliX, skora::ZnakZamknieciaTabeliY,
                     skora::ZnakZamknieciaTabeliBok, skora::ZnakZamknieciaTabeliBok);
    LCloseWykres->setCursor(Qt::PointingHandCursor);
    LCloseWykres->setAccessibleName(QStringLiteral("Zamknij tabelę"));
    PLeft = Panel(this, 0, 172, 124, H - 206);
    ImLeft = Obraz(PLeft, QStringLiteral("tabelalewo"));
    PLeftDown = Panel(this, 0, H - 34, 124, 34);
    ImLeftDown = Obraz(PLeftDown, QStringLiteral("tabelalewodol"));
    Pdown = Panel(this, 124, H - 34, W - 154, 34);
    ImDown = Obraz(Pdown, QStringLiteral("tabeladol"));
    PRight = Panel(this, W - 30, 37, 30, H - 71);
    ImRight = Obraz(PRight, QStringLiteral("tabelaprawo"));
    PRightDown = Panel(this, W - 30, H - 34, 30, 34);
    ImRightDown = Obraz(PRightDown, QStringLiteral("tabelaprawodol"));

    const auto pozycja = [this](const char* napis, int y) {
        Etykieta* l = new PozycjaMenu(PListwaLeft, 11, y, 108, 15, QString::fromUtf8(napis));
        connect(l, &Etykieta::ruch, this, [this, l] { PodswietlMenu(l); });
        return l;
    };
    const auto kreska = [this](int y) { return KreskaMenu(PListwaLeft, y); };
    LZapiszHtml = pozycja("Zapisz jako htm", 64);
    LZapiszTxt = pozycja("Zapisz jako txt", 79);
    LKreska1 = kreska(86);
    LKopiujHtml = pozycja("Kopiuj jako htm", 104);
    LKopiujTxt = pozycja("Kopiuj jako txt", 119);
    LKreska2 = kreska(126);
    LCloseTabele = pozycja("Zamknij tabelę", 143);
    // the separators lie under the entries, so that they never take the mouse
    LKreska1->lower();
    LKreska2->lower();
    ImListwaLeft->lower();

    PTabela = Panel(this, 128, 47, 203, 137);
    PPodGrid = Panel(PTabela, 0, 0, 203, 137);
    GridTabela = new SiatkaTabeli(PPodGrid);
    GridTabela->setGeometry(0, 0, 203, 137);
    PTabelaWLewo = Panel(PTabela, 0, 0, 25, 25);
    ImTabelaWLewo = Obraz(PTabelaWLewo, QStringLiteral("tabelawlewo"));
    ImTabelaWLewo->setCursor(Qt::PointingHandCursor);
    ImTabelaWLewo->setToolTip(QStringLiteral("Poprzednie pytania"));
    ImTabelaWLewo->UstawKlawiature(ImTabelaWLewo->toolTip());
    PTabelawPrawo = Panel(PTabela, 30, 0, 25, 25);
    ImTabelaWPrawo = Obraz(PTabelawPrawo, QStringLiteral("tabelawprawo"));
    ImTabelaWPrawo->setCursor(Qt::PointingHandCursor);
    ImTabelaWPrawo->setToolTip(QStringLiteral("Następne pytania"));
    ImTabelaWPrawo->UstawKlawiature(ImTabelaWPrawo->toolTip());
    PPodListwe = Panel(PTabela, 0, 0, SzerokoscListwyV, 100);
    ListwaV = new ListwaTabeli(PPodListwe);
    ListwaV->setGeometry(0, 0, SzerokoscListwyV, 100);
    PTabelaWLewo->hide();
    PTabelawPrawo->hide();
    PPodListwe->hide();

    connect(LZapiszHtml, &Etykieta::klik, this, &TFTabela::ZapiszTabeleHtm);
    connect(LZapiszTxt, &Etykieta::klik, this, &TFTabela::ZapiszTabeleTxt);
    connect(LKopiujHtml, &Etykieta::klik, this, &TFTabela::KopiujTabeleHtm);
    connect(LKopiujTxt, &Etykieta::klik, this, &TFTabela::KopiujTabeleTxt);
    connect(LCloseTabele, &Etykieta::klik, this, &Okno::Zamknij);
    connect(LCloseWykres, &Etykieta::klik, this, &Okno::Zamknij);
    connect(ImTabelaWLewo, &Etykieta::klik, this, [this] { ZmienStroneTabeli(-1); });
    connect(ImTabelaWPrawo, &Etykieta::klik, this, [this] { ZmienStroneTabeli(+1); });
    connect(ListwaV, &QAbstractSlider::valueChanged, this, &TFTabela::ListwaVChange);
    connect(GridTabela, &SiatkaTabeli::klawiszZwolniony, this, &TFTabela::GridTabelaKeyUp);
    connect(GridTabela, &SiatkaTabeli::ruch, this, [this] { PodswietlMenu(nullptr); });
    connect(GridTabela, &SiatkaTabeli::wcisnieto, this, &TFTabela::GridTabelaMouseDown);
    connect(GridTabela, &SiatkaTabeli::wcisnieto, this, &TFTabela::GridTabelaMouseDownPrawy);
    for (Etykieta* tlo : {ImListwaLeft, ImLeft})
        connect(tlo, &Etykieta::ruch, this, [this] { PodswietlMenu(nullptr); });
    PTabela->installEventFilter(this);

    UlozOkno();
}

QList<Etykieta*> TFTabela::Menu() const {
    return {LZapiszHtml, LZapiszTxt, LKopiujHtml, LKopiujTxt, LCloseTabele};
}

void TFTabela::PodswietlMenu(Etykieta* wybrana) {
    for (Etykieta* l : Menu())
        l->Podswietl(l == wybrana);
    if (!wybrana) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFTabela::PokazTabele(RodzajTabeli rodzaj) {
    OtworzTabele(stan, program.analiza, rodzaj, program.ustawienia.fn);
    PokazOknoTabeli();
}

void TFTabela::PokazTabele(int rodzaj) {
    if (rodzaj < 1 || rodzaj > 3) return;
    PokazTabele(static_cast<RodzajTabeli>(rodzaj));
}

void TFTabela::ZmienStroneTabeli(int krok) {
    if (!ZmienStrone(stan, program.analiza, krok, program.ustawienia.fn)) return;
    PokazOknoTabeli();
}

void TFTabela::PokazOknoTabeli() {
    UlozTabele();
    show();
    raise();
    activateWindow();
}

void TFTabela::UlozTabele() {
    const Tabela& t = stan.Siatka;
    const int r = t.IloscWierszy();
    const int n = program.analiza.IloscUczniow;
    const bool wyniki = stan.Rodzaj == RodzajTabeli::Wynikow;

    GridTabela->UstawTabele(&stan.Siatka);
    QSize grid, podGrid;
    int szerokoscTabeli = 0;
    bool listwa = false;
    if (stan.Rodzaj == RodzajTabeli::Ocen) {
        grid = podGrid = QSize(SzerokoscTabeliOcen, WysokoscTabeliOcen);
        szerokoscTabeli = podGrid.width();
    } else if (n < 15) {
        grid = podGrid = QSize(t.Szerokosc(), t.Wysokosc());
        szerokoscTabeli = podGrid.width();
    } else {
        grid = QSize(t.Szerokosc(), r * SiatkaTabeli::Krok);
        podGrid = QSize(t.Szerokosc(), r <= WierszeWidoku ? grid.height() : WysokoscWidoku);
        szerokoscTabeli = podGrid.width() + 2 + SzerokoscListwyV;
        listwa = r >= WierszeWidoku + 1;
    }
    PPodGrid->setGeometry(0, 0, podGrid.width(), podGrid.height());
    GridTabela->setGeometry(0, 0, grid.width(), grid.height());
    GridTabela->UstawWidoczneWiersze(
        std::min(r, (podGrid.height() + Tabela::GruboscLinii) / SiatkaTabeli::Krok));
    PTabela->resize(szerokoscTabeli, podGrid.height() + (wyniki ? MiejsceNaStrzalki : 0));

    // the scroll bar stands beside the student rows, below the header
    PPodListwe->setGeometry(podGrid.width() + 2, SiatkaTabeli::Krok, SzerokoscListwyV,
                            std::max(0, podGrid.height() - 20));
    ListwaV->setGeometry(0, 0, PPodListwe->width(), PPodListwe->height());
    {
        const QSignalBlocker blokada(ListwaV);
        ListwaV->setRange(0, listwa ? r - WierszeWidoku : 0);
        ListwaV->setPageStep(22);
        ListwaV->setSingleStep(21);
        ListwaV->setValue(GridTabela->GornyWiersz() - 1);
    }
    PPodListwe->setVisible(listwa);

    PTabelaWLewo->move(podGrid.width() - 60, podGrid.height() + 2);
    PTabelawPrawo->move(podGrid.width() - 30, podGrid.height() + 2);
    PTabelaWLewo->setVisible(wyniki && stan.StrzalkaWstecz);
    PTabelawPrawo->setVisible(wyniki && stan.StrzalkaNaprzod);

    UstawTytul();
    // a resize while visible keeps the window's left and top
    UstawRozmiar(podGrid.width() + 180, std::max(WysokoscMinimalna, podGrid.height() + 100));
    UlozOkno();

    if (Przeciaga()) { // a drag in progress ends
        QMouseEvent puszczenie(QEvent::MouseButtonRelease, QPointF(), QCursor::pos(),
                               Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(LListwa, &puszczenie);
    }
}

void TFTabela::OdswiezTabele() {
    if (stan.Siatka.IloscWierszy() == 0) return; // nothing built yet
    ZbudujTabele(stan, program.analiza, program.ustawienia.fn);
    UlozTabele(); // shown or not, without coming to the front
}

void TFTabela::showEvent(QShowEvent* e) {
    // placed each time it becomes visible, however it is shown: clear of the main window's menu
    // column when the screen has room, which the teacher needs next
    if (!e->spontaneous()) {
        UmiescObokMenu();
        // the entry that closed the window last time is not under the mouse any more
        for (Etykieta* l : Menu())
            l->Podswietl(false);
    }
    Okno::showEvent(e);
}

bool TFTabela::KlawiszWcisniety(QKeyEvent* e) {
    // Esc closes the window, as "Zamknij tabelę" does
    if (e->key() == Qt::Key_Escape && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Zamknij();
        return true;
    }
    return false;
}

void TFTabela::UstawTytul() {
    QString tytul = TytulTabeli(stan.Rodzaj);
    if (stan.Rodzaj == RodzajTabeli::Wynikow && stan.OstatniePytanie > 0 &&
        program.analiza.Test.IloscPytan > PytanNaStronie)
        tytul += QStringLiteral("  ·  pytania %1–%2 z %3")
                     .arg(stan.PierwszePytanie)
                     .arg(stan.OstatniePytanie)
                     .arg(program.analiza.Test.IloscPytan);
    LListwa->setText(tytul);
    UstawTytulOkna(TytulTabeli(stan.Rodzaj));
}

void TFTabela::UlozOkno() {
    const int W = width(), H = height();
    PTopRight->move(W - 30, 0);
    PListwaSrodek->resize(W - 153, 37);
    PRight->setGeometry(W - 30, 37, 30, H - 71);
    PRightDown->move(W - 30, H - 34);
    PLeft->resize(124, H - 206);
    PLeftDown->move(0, H - 34);
    Pdown->setGeometry(124, H - 34, W - 154, 34);
    LListwa->resize(PListwaSrodek->width(), 37);
    DopasujObraz(PListwaSrodek, ImListwaSrodek);
    DopasujObraz(PRight, ImRight);
    DopasujObraz(PLeft, ImLeft);
    DopasujObraz(Pdown, ImDown);
    // the table and the menu stay above the skin's edges (the page arrows stand on the bottom)
    PTabela->raise();
    PListwaLeft->raise();
}

void TFTabela::resizeEvent(QResizeEvent* e) {
    Okno::resizeEvent(e);
    UlozOkno();
}

void TFTabela::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(skora::SciezkaKsztaltu(skora::Ksztalt::Zaokraglony, QSizeF(size())), Qt::white);
}

bool TFTabela::eventFilter(QObject* obiekt, QEvent* e) {
    if (obiekt == PTabela && e->type() == QEvent::MouseMove) PodswietlMenu(nullptr);
    return Okno::eventFilter(obiekt, e);
}

void TFTabela::ListwaVChange(int wartosc) {
    GridTabela->UstawGornyWiersz(wartosc + 1);
}

void TFTabela::GridTabelaKeyUp() {
    const QSignalBlocker blokada(ListwaV);
    ListwaV->setValue(GridTabela->GornyWiersz() - 1);
}

// ---- save and copy -----------------------------------------------------------------------------

QString TFTabela::WybierzPlikZapisu(const QString& tytul, const QString& folder,
                                    const QString& nazwa, const QString& filtr,
                                    const QString& rozszerzenie) {
    QFileDialog dialog(this, tytul, QDir(FolderDialogu(folder)).filePath(nazwa), filtr);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(rozszerzenie);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TFTabela::ZapiszTabele(bool html) {
    PodswietlMenu(nullptr);
    if (stan.Siatka.IloscWierszy() == 0) return; // no table built yet
    // the user's documents, then the folder of the last save in this run; never the
    // program's own folder (/usr/bin, or a build folder)
    if (folderZapisu.isEmpty()) folderZapisu = program.srodowisko.foldery.FolderDokumentow;
    const QString rozszerzenie = html ? QStringLiteral("htm") : QStringLiteral("txt");
    QString sciezka = WybierzPlikZapisu(QString::fromUtf8(TytulZapisuTabeli), folderZapisu,
                                        NazwaPlikuTabeli(stan.Rodzaj, html),
                                        FiltrZapisuTabeli(html), rozszerzenie);
    if (sciezka.isEmpty()) return;
    if (QFileInfo(sciezka).suffix().isEmpty()) sciezka += QLatin1Char('.') + rozszerzenie;
    folderZapisu = QFileInfo(sciezka).absolutePath();

    const bool zapisano = html ? TabelaHtml(program.analiza, stan, program.ustawienia.calltab,
                                            program.ustawienia.fn, sciezka)
                               : sondrel::ZapiszTabeleTxt(stan.Siatka, sciezka);
    if (zapisano) {
        PotwierdzZapis();
        return;
    }
    program.srodowisko.WpiszDoDziennika(1, QStringLiteral("Problem z zapisem tabeli do pliku ") +
                                               QDir::toNativeSeparators(sciezka));
    program.srodowisko.PokazKomunikat(
        KomunikatInformacja, IkonaUwaga,
        QStringLiteral("Nie udało się zapisać tabeli.\rBrak możliwości zapisu w wybranym "
                       "miejscu."));
}

void TFTabela::PotwierdzZapis() {
    emit potwierdzZapis(QPoint(x() + 40, y() + 190));
}

void TFTabela::ZapiszTabeleHtm() {
    ZapiszTabele(true);
}

void TFTabela::ZapiszTabeleTxt() {
    ZapiszTabele(false);
}

void TFTabela::KopiujTabeleHtm() {
    PodswietlMenu(nullptr);
    if (stan.Siatka.IloscWierszy() == 0) return;
    // the document "Zapisz jako htm" writes, straight to the clipboard
    const QByteArray html =
        TabelaHtml(program.analiza, stan, program.ustawienia.calltab, program.ustawienia.fn);
    if (html.isEmpty()) return;
    QGuiApplication::clipboard()->setMimeData(DaneHtmlDoSchowka(Z1250(html)));
}

KlikniecieTabeli TFTabela::AdresKlikniecia(QPoint punkt) const {
    if (stan.Rodzaj != RodzajTabeli::Wynikow || program.analiza.RodzajAnalizy != AnalizaZTestem ||
        stan.OstatniePytanie < 1)
        return {};
    return CelKliknieciaTabeli(punkt.x(), punkt.y(), stan.Strona,
                               stan.OstatniePytanie - stan.PierwszePytanie + 1,
                               program.analiza.IloscUczniow, GridTabela->GornyWiersz());
}

void TFTabela::GridTabelaMouseDownPrawy(Qt::MouseButton przycisk, QPoint punkt) {
    if (przycisk != Qt::RightButton) return;
    const KlikniecieTabeli k = AdresKlikniecia(punkt);
    if (k.cel == CelKlikniecia::Nic) return;
    // the modal popup after the press has been handled
    QTimer::singleShot(0, this, [this, k] { emit prawyKlik(k); });
}

void TFTabela::KopiujTabeleTxt() {
    PodswietlMenu(nullptr);
    if (stan.Siatka.IloscWierszy() == 0) return;
    QGuiApplication::clipboard()->setText(TekstTabeliDoSchowka(stan.Siatka));
}

} // namespace sondrel
