// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_tabela.h"

#include "arkusze/zapis_arkusza.h"
#include "core/kodowanie1250.h"
#include "tables/eksport_tabel.h"
#include "ui/program.h"
#include "ui/schowek_html.h"
#include "ui/skory/skora.h"
#include "ui/skory/skora_ramki.h"
#include "ui/skory/skora_tabela.h"
#include "ui/zapis_arkusza_okna.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace sondrel {

namespace {

// A page arrow: its picture, a hand cursor, its name as tooltip and for the keyboard.
Etykieta* Strzalka(QWidget* panel, const QString& obraz, const QString& nazwa) {
    auto* s = new Etykieta(panel, 0, 0, panel->width(), panel->height());
    s->setPixmap(skora::Obrazek(obraz, panel->size()));
    s->setCursor(Qt::PointingHandCursor);
    s->setToolTip(nazwa);
    s->UstawKlawiature(nazwa);
    return s;
}

// The fixed sizes of the table area.
constexpr int WierszeWidoku = 23;        // rows a long table shows at once, header included
constexpr int WysokoscWidoku = 391;      // 23 rows of 17 pixels
constexpr int SzerokoscListwyV = 18;     // the scroll bar
constexpr int MiejsceNaStrzalki = 28;    // below the grid of the results table
constexpr int WysokoscMinimalna = 250;   // the window never gets lower
constexpr int SzerokoscTabeliOcen = 203; // the grade table's grid
constexpr int WysokoscTabeliOcen = 137;

} // namespace

TFTabela::TFTabela(Program& p, QWidget* rodzic) : OknoZRamka(rodzic), program(p) {
    skora::DodajObrazkiTabeli();
    UstawTytulOkna(TytulTabeli(RodzajTabeli::Wynikow));
    UstawStronePomocy(QStringLiteral("menutabeli.htm"));
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawRozmiar(383, WysokoscMinimalna);
    ZbudujRamke(QStringLiteral("tabelamenu"), QStringLiteral("Zamknij tabelę"));

    LZapiszHtml = DodajPozycjeMenu(PListwaLeft, 64, QStringLiteral("Zapisz jako htm"),
                                   [this] { ZapiszTabeleHtm(); });
    LZapiszTxt = DodajPozycjeMenu(PListwaLeft, 79, QStringLiteral("Zapisz jako txt"),
                                  [this] { ZapiszTabeleTxt(); });
    LKreska1 = DodajKreskeMenu(PListwaLeft, 86);
    LKopiujHtml = DodajPozycjeMenu(PListwaLeft, 104, QStringLiteral("Kopiuj jako htm"),
                                   [this] { KopiujTabeleHtm(); });
    LKopiujTxt = DodajPozycjeMenu(PListwaLeft, 119, QStringLiteral("Kopiuj jako txt"),
                                  [this] { KopiujTabeleTxt(); });
    LKreska2 = DodajKreskeMenu(PListwaLeft, 126);
    LCloseTabele = DodajPozycjeMenu(PListwaLeft, 143, QString::fromUtf8("Zamknij tabelę"),
                                    [this] { ZamknijOkno(); });
    // the column below the menu panel goes on with a separator and the spreadsheet entry
    LKreska3 = DodajKreskeMenu(PLeft, -6);
    LZapiszArkusz = DodajPozycjeMenu(PLeft, 11, QStringLiteral("Zapisz jako arkusz..."),
                                     [this] { ZapiszJakoArkusz(); });

    PTabela = Panel(this, QRect(128, 47, 203, 137));
    PPodGrid = Panel(PTabela, QRect(0, 0, 203, 137));
    GridTabela = new SiatkaTabeli(PPodGrid);
    GridTabela->setGeometry(0, 0, 203, 137);
    PTabelaWLewo = Panel(PTabela, QRect(0, 0, 25, 25));
    ImTabelaWLewo =
        Strzalka(PTabelaWLewo, QStringLiteral("tabelawlewo"), QStringLiteral("Poprzednie pytania"));
    PTabelawPrawo = Panel(PTabela, QRect(30, 0, 25, 25));
    ImTabelaWPrawo = Strzalka(PTabelawPrawo, QStringLiteral("tabelawprawo"),
                              QString::fromUtf8("Następne pytania"));
    PPodListwe = Panel(PTabela, QRect(0, 0, SzerokoscListwyV, 100));
    ListwaV = new ListwaTabeli(PPodListwe);
    ListwaV->setGeometry(0, 0, SzerokoscListwyV, 100);
    PTabelaWLewo->hide();
    PTabelawPrawo->hide();
    PPodListwe->hide();

    connect(ImTabelaWLewo, &Etykieta::klik, this, [this] { ZmienStroneTabeli(-1); });
    connect(ImTabelaWPrawo, &Etykieta::klik, this, [this] { ZmienStroneTabeli(+1); });
    connect(ListwaV, &QAbstractSlider::valueChanged, this, &TFTabela::ListwaVChange);
    connect(GridTabela, &SiatkaTabeli::klawiszZwolniony, this, &TFTabela::GridTabelaKeyUp);
    connect(GridTabela, &SiatkaTabeli::ruch, this, [this] { PodswietlMenu(nullptr); });
    connect(GridTabela, &SiatkaTabeli::wcisnieto, this, &TFTabela::GridTabelaMouseDown);
    connect(GridTabela, &SiatkaTabeli::wcisnieto, this, &TFTabela::GridTabelaMouseDownPrawy);
    connect(GridTabela, &SiatkaTabeli::menuKomorki, this, [this](QPoint punkt) {
        GridTabelaKeyUp(); // the grid may have scrolled its current row back into view
        PopupKomorki(punkt);
    });
    GasMenuNad(PTabela);

    UlozOkno();
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
    if (!e->spontaneous()) UmiescObokMenu();
    OknoZRamka::showEvent(e);
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
    UlozRamke();
    // the table and the menu stay above the skin's edges (the page arrows stand on the bottom)
    PTabela->raise();
    PListwaLeft->raise();
}

void TFTabela::resizeEvent(QResizeEvent* e) {
    OknoZRamka::resizeEvent(e);
    UlozOkno();
}

void TFTabela::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(skora::SciezkaKsztaltu(skora::Ksztalt::Zaokraglony, QSizeF(size())), Qt::white);
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
    RozszerzenieZFiltra(dialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TFTabela::ZapiszTabele(bool html) {
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

void TFTabela::ZapiszJakoArkusz() {
    if (stan.Siatka.IloscWierszy() == 0) return;
    if (folderZapisu.isEmpty()) folderZapisu = program.srodowisko.foldery.FolderDokumentow;
    const QString sciezka =
        ZapiszArkuszZOkna(program,
                          WybierzPlikZapisu(QString::fromUtf8(TytulZapisuTabeli), folderZapisu,
                                            NazwaPlikuArkusza(program.analiza.Test.NazwaTestu),
                                            FiltrZapisuArkusza(), QStringLiteral("xlsx")),
                          ListaTabeli(stan.Rodzaj));
    if (sciezka.isEmpty()) return;
    folderZapisu = QFileInfo(sciezka).absolutePath();
    PotwierdzZapis();
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
    if (przycisk == Qt::RightButton) PopupKomorki(punkt);
}

void TFTabela::PopupKomorki(QPoint punkt) {
    const KlikniecieTabeli k = AdresKlikniecia(punkt);
    if (k.cel == CelKlikniecia::Nic) return;
    // the modal popup after the press has been handled
    QTimer::singleShot(0, this, [this, k] { emit prawyKlik(k); });
}

void TFTabela::KopiujTabeleTxt() {
    if (stan.Siatka.IloscWierszy() == 0) return;
    QGuiApplication::clipboard()->setText(TekstTabeliDoSchowka(stan.Siatka));
}

} // namespace sondrel
