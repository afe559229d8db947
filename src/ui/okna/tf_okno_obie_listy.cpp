// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_okno_obie_listy.h"

#include "analysis/przebieg_analizy.h"
#include "analysis/wybor_plikow.h"
#include "formats/czytnik_listy.h"
#include "ui/program.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_listy.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace sondrel {

namespace {

namespace m = skora::obielisty;

constexpr int WidoczneWiersze = 23;
const QPoint Przesuniecie(170, 59); // from the main window's corner
constexpr int KrokKolka = 3;        // rows per notch of the wheel
constexpr int SzerokoscWciecia = 20;
constexpr int NajglebszeWciecie = 8; // deeper levels are drawn at this depth
const QString BrakWyboru = QStringLiteral("Wybór testu: brak wyboru. ");

Etykieta* NaMiejscu(QWidget* rodzic, const QRect& r) {
    return new Etykieta(rodzic, r.x(), r.y(), r.width(), r.height());
}

// How a row is written, by its display state.
struct Styl {
    QRgb kolor = 0xFF5B5A5C;
    bool podkreslony = false;
};

std::optional<Styl> StylStanu(int stan) {
    switch (stan) {
    case StanNormalny:
        return Styl{0xFF5B5A5C, false};
    case StanWybrany:
        return Styl{0xFF000035, false};
    case StanSzary:
        return Styl{0xFF808080, false};
    case StanPodkreslony:
        return Styl{0xFF5B5A5C, true};
    default:
        return std::nullopt; // keeps the style of the row above
    }
}

} // namespace

// ---- the drawn tree ----------------------------------------------------------------------------

ObrazDrzewa::ObrazDrzewa(const DrzewoTestow& d, QWidget* rodzic) : QWidget(rodzic), drzewo(d) {
    // the group marks, loaded with the window
    otwarta = skora::Obrazek(QStringLiteral("Left"));
    zamknieta = skora::Obrazek(QStringLiteral("Right"));
    setFont(skora::CzcionkaPunkty(8));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Lista testów"));
}

void ObrazDrzewa::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(e);
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        emit klawisz(e->key());
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

void ObrazDrzewa::UstawPrzesuniecie(int piksele) {
    przesuniecie = std::max(0, piksele);
    update();
}

void ObrazDrzewa::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const int wys = DrzewoTestow::WysokoscWiersza, gora = DrzewoTestow::Margines;
    const int wierszy = drzewo.IloscWierszy();
    if (wierszy == 0) return;
    const int pierwszy = std::clamp((przesuniecie - gora) / wys, 0, wierszy - 1);
    const int ostatni = std::clamp((przesuniecie + height()) / wys + 1, 0, wierszy - 1);

    // the style in force before the first drawn row: that of the nearest known state above
    Styl styl;
    for (int r = pierwszy - 1; r >= 0; --r)
        if (const auto s = StylStanu(drzewo.Wpisy()[drzewo.WpisWWierszu(r)].Stan)) {
            styl = *s;
            break;
        }

    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont podstawowa = font();
    for (int r = pierwszy; r <= ostatni; ++r) {
        const int indeks = drzewo.WpisWWierszu(r);
        const Wpis& w = drzewo.Wpisy()[indeks];
        if (const auto s = StylStanu(w.Stan)) styl = *s;
        const int x = std::clamp(w.Poziom, 0, NajglebszeWciecie) * SzerokoscWciecia;
        const int y = r * wys + gora - przesuniecie;

        if (drzewo.Grupa(indeks)) p.drawPixmap(x, y, drzewo.Otwarta(indeks) ? otwarta : zamknieta);

        QFont f = podstawowa;
        f.setUnderline(styl.podkreslony || !w.Plik.isEmpty());
        p.setFont(f);
        const QFontMetrics fm(f);
        const int tx = x + 18;
        const QString opis = fm.elidedText(w.Opis, Qt::ElideRight, std::max(0, width() - tx - 3));
        if (w.Stan == StanWybrany) {
            const qreal szer = std::min<qreal>(fm.horizontalAdvance(opis) + 9, width() - tx + 3);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xE3, 0xE6, 0xF0));
            p.drawRoundedRect(QRectF(tx - 4, y - 1.5, szer, wys - 1), 3, 3);
        }
        p.setPen(QColor::fromRgba(styl.kolor));
        p.drawText(QPoint(tx, y + fm.ascent()), opis);
        if (hasFocus() && indeks == drzewo.Wybrany())
            ZnakFokusu(p, QRectF(tx - 5, y - 2, width() - tx + 4, wys + 1), false);
    }
    if (hasFocus()) ZnakFokusu(p, rect(), true);
}

void ObrazDrzewa::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit wcisniety(e->position().toPoint().y() + przesuniecie);
}

void ObrazDrzewa::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit dwuklik(e->position().toPoint().y() + przesuniecie);
}

void ObrazDrzewa::wheelEvent(QWheelEvent* e) {
    const int kroki = e->angleDelta().y() / 120;
    if (kroki != 0) emit kolko(-kroki * KrokKolka);
    e->accept();
}

// ---- the window --------------------------------------------------------------------------------

TFOknoObieListy::TFOknoObieListy(Program& p, QWidget* rodzic)
    : OknoListyPlikow(p,
                      {m::Rozmiar, m::ZnakZamkniecia, m::WczytajPliki, m::PanelListy, m::ListwaV,
                       m::Wprowadz, m::Anuluj, WidoczneWiersze},
                      QStringLiteral("Analiza z testem z listy"), QStringLiteral("oknoobielisty"),
                      rodzic) {
    PDrzewo = BialyPanel(this, m::PanelDrzewa);
    ImDrzewo = new ObrazDrzewa(drzewo, PDrzewo);
    ImDrzewo->setGeometry(m::Drzewo);
    ListwaVTesty = new ListwaPrzewijania(PDrzewo);
    ListwaVTesty->setGeometry(m::ListwaTesty);

    LTest = NaMiejscu(this, m::Test);
    LTest->setFont(skora::CzcionkaPunkty(8, true));
    LTest->UstawLink(QColor::fromRgba(skora::Tekst), QColor::fromRgba(skora::Tekst));
    UstawTest(BrakWyboru);

    connect(LWczytajPliki, &Etykieta::klik, this, &TFOknoObieListy::LWczytajPlikiClick);
    connect(LWprowadz, &Etykieta::klik, this, &TFOknoObieListy::LWprowadzClick);
    connect(ImDrzewo, &ObrazDrzewa::wcisniety, this, &TFOknoObieListy::ImDrzewoMouseDown);
    connect(ImDrzewo, &ObrazDrzewa::dwuklik, this, &TFOknoObieListy::ImDrzewoDblClick);
    connect(ImDrzewo, &ObrazDrzewa::klawisz, this, &TFOknoObieListy::ImDrzewoKlawisz);
    setTabOrder(BLista, ImDrzewo);
    setTabOrder(ImDrzewo, LWprowadz);
    connect(ImDrzewo, &ObrazDrzewa::kolko, this, [this](int wierszy) {
        if (!ListwaVTesty->isHidden()) ListwaVTesty->setValue(ListwaVTesty->value() + wierszy);
    });
    connect(ListwaVTesty, &QScrollBar::valueChanged, this, [this](int pozycja) {
        drzewo.UstawPozycje(pozycja);
        ImDrzewo->UstawPrzesuniecie(drzewo.Pozycja() * DrzewoTestow::WysokoscWiersza);
    });
}

void TFOknoObieListy::UstawTest(const QString& tekst) {
    const QFontMetrics fm(LTest->font());
    LTest->setText(fm.elidedText(tekst, Qt::ElideRight, LTest->width()));
    LTest->setToolTip(tekst);
}

bool TFOknoObieListy::WczytajDrzewoTestow() {
    QStringList wiersze;
    if (!WczytajListeTestow(program.ustawienia.sct, wiersze, program.analiza, program.srodowisko)) {
        program.srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaUwaga,
            QStringLiteral("Problem z otwarciem pliku listy testów.\rBrak pliku lub plik jest "
                           "uszkodzony."));
        return false;
    }
    drzewo.Wyczysc();
    const bool zbudowane = drzewo.Zbuduj(wiersze);
    RysujDrzewo();
    UstawListweDrzewa();
    if (!zbudowane) {
        program.srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaUwaga,
            QStringLiteral("Problem z wczytaniem listy testów.\rPlik listy jest uszkodzony."));
        return false;
    }
    return true;
}

void TFOknoObieListy::WybierzTestIPliki() {
    if (!WczytajDrzewoTestow()) return;
    program.analiza.PlikiOdpowiedzi.clear();
    BLista->UstawNazwy({});
    testWybrany = false;
    UstawTest(BrakWyboru);
    PokazModalnieOd(Przesuniecie);
}

void TFOknoObieListy::RysujDrzewo() {
    ImDrzewo->update();
}

void TFOknoObieListy::UstawListweDrzewa() {
    const QSignalBlocker blokada(ListwaVTesty);
    ListwaVTesty->UstawZakres(drzewo.Listwa(), drzewo.Pozycja());
    // a tree that fits again stands at its top
    ImDrzewo->UstawPrzesuniecie(drzewo.Pozycja() * DrzewoTestow::WysokoscWiersza);
}

void TFOknoObieListy::ImDrzewoMouseDown(int y) {
    const int indeks = drzewo.WybierzWiersz(DrzewoTestow::WierszNaWysokosci(y));
    if (indeks < 0) return;
    RysujDrzewo();
    const Wpis& w = drzewo.Wpisy()[indeks];
    ImDrzewo->setAccessibleDescription(w.Opis);
    if (w.Plik.isEmpty()) return; // a group: the test picked before stays
    program.analiza.PlikTestu = SciezkaTestuZListy(program.ustawienia.sct, w.Plik);
    program.analiza.WybranyTest = w.Opis;
    testWybrany = true;
    UstawTest(QStringLiteral("Wybór testu: ") + w.Opis);
}

void TFOknoObieListy::ImDrzewoDblClick(int y) {
    ImDrzewoMouseDown(y); // the second press of a double click picks like the first
    if (!drzewo.PrzelaczWybrana()) return;
    RysujDrzewo();
    UstawListweDrzewa();
}

int TFOknoObieListy::WierszWybranego() const {
    for (int r = 0; r < drzewo.IloscWierszy(); ++r)
        if (drzewo.WpisWWierszu(r) == drzewo.Wybrany()) return r;
    return -1;
}

bool TFOknoObieListy::EnterZatwierdza(QWidget* fokus) const {
    // Enter in the tree is the tree's own (a group opens or closes; a test confirms there)
    return fokus != ImDrzewo && OknoListyPlikow::EnterZatwierdza(fokus);
}

void TFOknoObieListy::ImDrzewoKlawisz(int klawisz) {
    const int n = drzewo.IloscWierszy();
    if (n == 0) return;
    const int wiersz = WierszWybranego();
    const int strona = DrzewoTestow::WierszeMieszczace - 1;
    int nowy = wiersz;
    switch (klawisz) {
    case Qt::Key_Up:
        nowy = wiersz - 1;
        break;
    case Qt::Key_Down:
        nowy = wiersz + 1;
        break;
    case Qt::Key_PageUp:
        nowy = wiersz - strona;
        break;
    case Qt::Key_PageDown:
        nowy = wiersz + strona;
        break;
    case Qt::Key_Home:
        nowy = 0;
        break;
    case Qt::Key_End:
        nowy = n - 1;
        break;
    default: {
        const Wpis* w = drzewo.WybranyWpis();
        if (!w) return;
        const bool grupa = drzewo.Grupa(drzewo.Wybrany());
        const bool otwarta = grupa && drzewo.Otwarta(drzewo.Wybrany());
        const bool przelacz =
            (klawisz == Qt::Key_Right && grupa && !otwarta) ||
            (klawisz == Qt::Key_Left && otwarta) ||
            ((klawisz == Qt::Key_Space || klawisz == Qt::Key_Return || klawisz == Qt::Key_Enter) &&
             grupa);
        if (przelacz && drzewo.PrzelaczWybrana()) {
            RysujDrzewo();
            UstawListweDrzewa();
        } else if (!grupa && (klawisz == Qt::Key_Return || klawisz == Qt::Key_Enter)) {
            LWprowadzClick();
        }
        return;
    }
    }
    nowy = std::clamp(nowy, 0, n - 1);
    // picked as a press on that row would pick it
    ImDrzewoMouseDown(DrzewoTestow::Margines + nowy * DrzewoTestow::WysokoscWiersza);
    // and brought into view
    if (!ListwaVTesty->isHidden()) {
        const int pozycja = ListwaVTesty->value();
        if (nowy < pozycja)
            ListwaVTesty->setValue(nowy);
        else if (nowy > pozycja + strona)
            ListwaVTesty->setValue(nowy - strona);
    }
}

void TFOknoObieListy::LWczytajPlikiClick() {
    const QStringList pliki = OtworzDialog(program.srodowisko.foldery.FolderProgramu);
    if (pliki.isEmpty()) return;
    program.analiza.PlikiOdpowiedzi = pliki; // in the dialog's order
    BLista->UstawNazwy(NazwyWszystkichPlikow(pliki, program.ustawienia.fn, program.srodowisko));
}

void TFOknoObieListy::LWprowadzClick() {
    // The test must be picked in this opening: the caption said "brak wyboru" until then, and
    // the test file of an earlier analysis may be another one.
    if (!testWybrany || program.analiza.WybranyTest.isEmpty() || BLista->count() == 0) {
        program.srodowisko.PokazKomunikat(
            KomunikatInformacja, IkonaUwaga,
            QStringLiteral("\rPodaj poprawnie konieczne dane.\r\rWczytaj pliki wyników i wybierz "
                           "test z powyższej listy testów."));
        return;
    }
    Zamknij();
    if (UruchomAnalize(program.analiza, program.srodowisko, ZrodloAnalizy::Lista))
        emit analizaGotowa();
}

} // namespace sondrel
