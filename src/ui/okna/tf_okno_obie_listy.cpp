// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_okno_obie_listy.h"

#include "analysis/przebieg_analizy.h"
#include "analysis/wybor_plikow.h"
#include "formats/czytnik_listy.h"
#include "ui/program.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_listy.h"

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
    }
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
