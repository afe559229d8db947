// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/okna/tf_ustawwykres.h"

#include "charts/stan_wykresu.h"
#include "core/srodowisko.h"
#include "ui/dialogi.h"
#include "ui/skory/skora_ustawwykres.h"

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <limits>

namespace sondrel {

namespace {

constexpr int WysokoscPrzycisku = 22;

QString NieLiczba(const QString& tekst) {
    if (tekst.isEmpty()) return QStringLiteral("Puste pole nie jest poprawną liczbą całkowitą.");
    return QStringLiteral("„%1” nie jest poprawną liczbą całkowitą.").arg(tekst);
}

QString ZlyObraz(const QString& plik) {
    return QStringLiteral("Nie udało się wczytać obrazu z pliku:\r%1")
        .arg(QDir::toNativeSeparators(plik));
}

QLabel* Napis(QWidget* rodzic, const QString& tekst, int x, int y) {
    auto* l = new QLabel(tekst, rodzic);
    l->setFont(skora::CzcionkaPunkty(8));
    l->adjustSize();
    l->move(x, y);
    return l;
}

PoleWyboru* Pudelko(QWidget* rodzic, const QString& napis, int x, int y) {
    auto* c = new PoleWyboru(napis, rodzic);
    c->UstawKolorTekstu(Qt::black);
    c->setFocusPolicy(Qt::StrongFocus);
    c->setGeometry(x, y, c->sizeHint().width(), 17);
    return c;
}

PoleOpcji* Opcja(QWidget* rodzic, const QString& napis, int x, int y) {
    auto* r = new PoleOpcji(napis, rodzic);
    r->setGeometry(x, y, r->sizeHint().width(), 17);
    return r;
}

Przycisk* Guzik(QWidget* rodzic, const QString& napis, int x, int y, int w) {
    auto* b = new Przycisk(napis, rodzic);
    b->setGeometry(x, y, w, WysokoscPrzycisku);
    return b;
}

PoleLiczby* Liczba(QWidget* rodzic, int min, int max, int krok, int wartosc, int x, int y,
                   int w = 62) {
    auto* s = new PoleLiczby(min, max, krok, rodzic);
    s->UstawLiczbe(wartosc);
    s->setGeometry(x, y, w, 20);
    return s;
}

ListaWyboru* Lista(QWidget* rodzic, const QStringList& pozycje, int x, int y, int w) {
    auto* c = new ListaWyboru(rodzic);
    c->addItems(pozycje);
    c->setGeometry(x, y, w, 20);
    return c;
}

QGroupBox* Ramka(QWidget* rodzic, const QString& napis, int x, int y, int w, int h) {
    auto* g = new QGroupBox(napis, rodzic);
    g->setFont(skora::CzcionkaPunkty(8));
    g->setGeometry(x, y, w, h);
    return g;
}

QScrollBar* Suwak(QWidget* rodzic, int min, int max, int wartosc, int x, int y, int w) {
    auto* s = new QScrollBar(Qt::Horizontal, rodzic);
    s->setRange(min, max);
    s->setValue(wartosc);
    s->setPageStep(10);
    s->setGeometry(x, y, w, 14);
    s->setFocusPolicy(Qt::StrongFocus);
    return s;
}

} // namespace

TFUstawwykres::TFUstawwykres(Srodowisko& s, WykresDlaUstawien& w, QWidget* rodzic)
    : Okno(rodzic), srodowisko(s), wykres(w), wlasneDialogi(std::make_unique<Dialogi>()),
      dialogi(wlasneDialogi.get()) {
    UstawDomyslne(wykres.Stan());

    skora::DodajObrazkiUstawienWykresu();
    UstawTytulOkna(QStringLiteral("Formatowanie wykresu"));
    UstawStronePomocy(QStringLiteral("wlasndiagr.htm"));
    UstawRozmiar(404, 305);
    UstawKsztalt(skora::Ksztalt::Zaokraglony);
    UstawTlo(skora::Obrazek(QStringLiteral("tloustawwykres")));
    setStyleSheet(skora::ArkuszUstawienWykresu());
    {
        QPalette paleta = palette();
        paleta.setColor(QPalette::Window, Qt::white);
        paleta.setColor(QPalette::WindowText, Qt::black);
        paleta.setColor(QPalette::Text, Qt::black);
        paleta.setColor(QPalette::Base, Qt::white);
        setPalette(paleta);
    }

    LListwa = new Etykieta(this, 8, 6, 357, 16);
    PodlaczListwe(LListwa);
    LCloseUstawienia = new Etykieta(this, 378, 8, 15, 12);
    LCloseUstawienia->setCursor(Qt::PointingHandCursor);
    LCloseUstawienia->setToolTip(QStringLiteral("Zamknij"));
    connect(LCloseUstawienia, &Etykieta::klik, this, &TFUstawwykres::LCloseUstawieniaClick);

    PageControl1 = new Zakladki(this);
    PageControl1->setGeometry(20, 36, 360, 250);
    const std::pair<const char*, void (TFUstawwykres::*)(QWidget*)> zakladki[] = {
        {"Wykres", &TFUstawwykres::ZbudujWykres},     {"Nagłówki", &TFUstawwykres::ZbudujNaglowki},
        {"Osie", &TFUstawwykres::ZbudujOsie},         {"Legenda", &TFUstawwykres::ZbudujLegende},
        {"Tła", &TFUstawwykres::ZbudujTla},           {"Efekty 3D", &TFUstawwykres::ZbudujEfekty3D},
        {"Wartości", &TFUstawwykres::ZbudujWartosci},
    };
    for (const auto& [napis, zbuduj] : zakladki) {
        auto* strona = new QWidget;
        PageControl1->DodajStrone(strona, QString::fromUtf8(napis));
        (this->*zbuduj)(strona);
    }
    connect(PageControl1, &Zakladki::zmieniona, this, &TFUstawwykres::ZaladujZakladke);
}

TFUstawwykres::~TFUstawwykres() = default;

void TFUstawwykres::UstawDialogi(Dialogi* d) {
    dialogi = d ? d : wlasneDialogi.get();
}

UstawieniaWykresu& TFUstawwykres::U() {
    return wykres.Stan().UstawieniaWykresu;
}

OpisTekstu& TFUstawwykres::Cel() {
    return CelT() == CelTekstu::Naglowek ? U().Naglowek : U().Stopka;
}

CelTekstu TFUstawwykres::CelT() const {
    return CNaglowek->currentIndex() == 1 ? CelTekstu::Stopka : CelTekstu::Naglowek;
}

OpisOsi& TFUstawwykres::OsW() {
    return OsT() == Os::Pionowa ? U().OsPionowa : U().OsPozioma;
}

Os TFUstawwykres::OsT() const {
    return Cosie->currentIndex() == 1 ? Os::Pozioma : Os::Pionowa;
}

// ---- wiring ------------------------------------------------------------------------------------

void TFUstawwykres::PodlaczPole(PoleWyboru* c, std::function<bool&()> pole,
                                std::function<void()> zastosuj) {
    connect(c, &QAbstractButton::toggled, this, [pole, zastosuj](bool stan) {
        pole() = stan;
        zastosuj();
    });
}

void TFUstawwykres::PodlaczOpcje(PoleOpcji* r, std::function<void()> wybrana) {
    connect(r, &QAbstractButton::toggled, this, [wybrana](bool stan) {
        if (stan) wybrana();
    });
}

void TFUstawwykres::PodlaczLiczbe(PoleLiczby* s, std::function<std::int32_t&()> pole,
                                  std::function<void()> zastosuj) {
    connect(s, &PoleLiczby::liczbaZmieniona, this, [pole, zastosuj](int liczba) {
        pole() = liczba;
        zastosuj();
    });
    connect(s, &PoleLiczby::bladLiczby, this, [this](const QString& tekst) {
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, NieLiczba(tekst));
    });
}

void TFUstawwykres::PodlaczKolor(Przycisk* b, std::function<Kolor&()> pole,
                                 std::function<void()> zastosuj, std::function<void()> potem) {
    connect(b, &QAbstractButton::clicked, this, [this, pole, zastosuj, potem] {
        const auto kolor = dialogi->WybierzKolor(this, DoQColor(pole()));
        if (!kolor) return;
        pole() = ZQColor(*kolor);
        zastosuj();
        if (potem) potem();
    });
}

void TFUstawwykres::PodlaczCzcionke(Przycisk* b, std::function<Czcionka&()> pole,
                                    std::function<void()> zastosuj, std::function<void()> potem) {
    connect(b, &QAbstractButton::clicked, this, [this, pole, zastosuj, potem] {
        auto czcionka = dialogi->WybierzCzcionke(this, pole());
        if (!czcionka) return;
        czcionka->NazwaCzcionki.truncate(DlugoscTekstu50);
        pole() = *czcionka;
        zastosuj();
        if (potem) potem();
    });
}

void TFUstawwykres::PodlaczWybor(ListaWyboru* c, std::function<std::int32_t&()> pole,
                                 std::function<void()> zastosuj) {
    // only the user's choice: loading sets the list without storing
    connect(c, &QComboBox::activated, this, [pole, zastosuj](int indeks) {
        pole() = indeks;
        zastosuj();
    });
}

// ---- building the tabs -------------------------------------------------------------------------

#define POLE(wyrazenie)                                                                            \
    [this]() -> auto& {                                                                            \
        return wyrazenie;                                                                          \
    }

void TFUstawwykres::ZbudujWykres(QWidget* strona) {
    const auto zastosuj = [this](Pole p) { return [this, p] { wykres.Zastosuj(p); }; };

    PSlupki = new QWidget(strona);
    PSlupki->setGeometry(0, 0, 358, 228);
    Napis(PSlupki, QStringLiteral("Kształt wykresu:"), 16, 27);
    Cksztalt =
        Lista(PSlupki,
              {QStringLiteral("Prostopadłościan"), QStringLiteral("Prostopadłościan z gradientem"),
               QStringLiteral("Walec"), QStringLiteral("Strzałka")},
              150, 24, 196);
    PodlaczWybor(Cksztalt, POLE(U().KsztaltSlupka), zastosuj(Pole::KsztaltSlupka));
    Napis(PSlupki, QStringLiteral("Wartość początkowa:"), 16, 63);
    EWartpoczontkowa = new QLineEdit(QStringLiteral("0"), PSlupki);
    EWartpoczontkowa->setFont(skora::CzcionkaPunkty(8));
    EWartpoczontkowa->setGeometry(150, 60, 80, 20);
    // digits only: no pasting through the menu or by dropping
    EWartpoczontkowa->setContextMenuPolicy(Qt::NoContextMenu);
    EWartpoczontkowa->setAcceptDrops(false);
    EWartpoczontkowa->setMaxLength(9); // any nine digits make a 32-bit number
    EWartpoczontkowa->installEventFilter(this);
    Napis(PSlupki, QStringLiteral("Szerokość słupka:"), 16, 99);
    SSzerokoscSlupka = Liczba(PSlupki, 0, 100, 5, 30, 150, 96);
    PodlaczLiczbe(SSzerokoscSlupka, POLE(U().SzerokoscSlupka), zastosuj(Pole::SzerokoscSlupka));

    PKolo = new QWidget(strona);
    PKolo->setGeometry(0, 0, 358, 228);
    CKreska = Pudelko(PKolo, QStringLiteral("Kreskowane"), 16, 26);
    PodlaczPole(CKreska, POLE(U().Kreskowane), zastosuj(Pole::Kreskowane));
    BKolorPodKreski = Guzik(PKolo, QStringLiteral("Kolor tła..."), 150, 23, 120);
    PodlaczKolor(BKolorPodKreski, POLE(U().KolorTlaKola), zastosuj(Pole::KolorTlaKola));
    Napis(PKolo, QStringLiteral("Eksploduj największą:"), 16, 63);
    Seksplozja = Liczba(PKolo, 0, 90, 5, 15, 150, 60);
    PodlaczLiczbe(Seksplozja, POLE(U().Eksplozja), zastosuj(Pole::Eksplozja));
    Napis(PKolo, QStringLiteral("Obróć wykres:"), 16, 99);
    SObrot = Liczba(PKolo, 0, 360, 20, 0, 150, 96);
    PodlaczLiczbe(SObrot, POLE(U().ObrotKola), zastosuj(Pole::ObrotKola));

    PLinia = new QWidget(strona);
    PLinia->setGeometry(0, 0, 358, 228);
    BKolorLini = Guzik(PLinia, QStringLiteral("Kolor lini..."), 16, 14, 120);
    connect(BKolorLini, &QAbstractButton::clicked, this, [this] {
        // the line's colour is the chart's only: the record holds none
        if (const auto kolor = dialogi->WybierzKolor(this, KolorLinii(wykres.Stan())))
            wykres.ZmienKolorLinii(*kolor);
    });
    auto* wierzcholki = Ramka(PLinia, QStringLiteral(" Wierzchołki "), 10, 48, 338, 142);
    CwidoczneWierzcholki = Pudelko(wierzcholki, QStringLiteral("Wierzchołki zaznaczone"), 12, 24);
    PodlaczPole(CwidoczneWierzcholki, POLE(U().WierzcholkiWidoczne),
                zastosuj(Pole::WierzcholkiWidoczne));
    BKolorWierzch = Guzik(wierzcholki, QStringLiteral("Kolor wierzchołków..."), 180, 21, 144);
    PodlaczKolor(BKolorWierzch, POLE(U().KolorWierzcholkow), zastosuj(Pole::KolorWierzcholkow));
    Napis(wierzcholki, QStringLiteral("Kształt:"), 12, 63);
    Cksztaltwierzcholka = Lista(wierzcholki,
                                {QStringLiteral("Prostopadłościan"), QStringLiteral("Koło"),
                                 QStringLiteral("Ostrosłup"), QStringLiteral("Gwiazdka")},
                                84, 60, 150);
    PodlaczWybor(Cksztaltwierzcholka, POLE(U().KsztaltWierzcholka),
                 zastosuj(Pole::KsztaltWierzcholka));
    Napis(wierzcholki, QStringLiteral("Długość:"), 12, 101);
    Sdlug = Liczba(wierzcholki, 1, 20, 1, 5, 84, 98);
    PodlaczLiczbe(Sdlug, POLE(U().DlugoscWierzcholka), zastosuj(Pole::DlugoscWierzcholka));
    Napis(wierzcholki, QStringLiteral("Szerokość:"), 180, 101);
    SSzer = Liczba(wierzcholki, 1, 20, 1, 2, 254, 98);
    PodlaczLiczbe(SSzer, POLE(U().SzerokoscWierzcholka), zastosuj(Pole::SzerokoscWierzcholka));

    PKolo->hide();
    PLinia->hide();
}

void TFUstawwykres::ZbudujNaglowki(QWidget* strona) {
    const auto zastosuj = [this](PoleTekstu p) {
        return [this, p] { wykres.Zastosuj(CelT(), p); };
    };

    CNaglowek = Lista(strona, {QStringLiteral("Nagłówek"), QStringLiteral("Stopka")}, 12, 12, 150);
    connect(CNaglowek, &QComboBox::activated, this, [this] { ZaladujNaglowki(); });

    auto* wyrownanie = Ramka(strona, QStringLiteral("Wyrównanie"), 12, 40, 150, 90);
    RDoLewej = Opcja(wyrownanie, QStringLiteral("Do lewej"), 12, 20);
    RDoSrodka = Opcja(wyrownanie, QStringLiteral("Do środka"), 12, 42);
    RDoPrawej = Opcja(wyrownanie, QStringLiteral("Do prawej"), 12, 64);
    int wartosc = 0;
    for (PoleOpcji* r : {RDoLewej, RDoSrodka, RDoPrawej}) {
        PodlaczOpcje(r, [this, wartosc] {
            Cel().Wyrownanie = wartosc;
            wykres.Zastosuj(CelT(), PoleTekstu::Wyrownanie);
        });
        ++wartosc;
    }

    CWidoczny = Pudelko(strona, QStringLiteral("Widoczny"), 186, 48);
    PodlaczPole(CWidoczny, POLE(Cel().Widoczny), zastosuj(PoleTekstu::Widoczny));
    CTloDoTekstu = Pudelko(strona, QStringLiteral("Tło do tekstu"), 186, 70);
    PodlaczPole(CTloDoTekstu, POLE(Cel().TloDoTekstu), zastosuj(PoleTekstu::TloDoTekstu));
    CPrzezroczyste = Pudelko(strona, QStringLiteral("Przeźroczyste"), 186, 92);
    PodlaczPole(CPrzezroczyste, POLE(Cel().Przezroczysty), zastosuj(PoleTekstu::Przezroczysty));
    Cramka = Pudelko(strona, QStringLiteral("Tekst w ramce"), 186, 114);
    connect(Cramka, &QAbstractButton::toggled, this, [this](bool stan) {
        ZmienRamke(wykres.Stan(), CelT(), stan);
        wykres.Odswiez();
    });

    BTloNaglowki = Guzik(strona, QStringLiteral("Kolor tła ..."), 12, 142, 150);
    PodlaczKolor(BTloNaglowki, POLE(Cel().KolorTla), zastosuj(PoleTekstu::KolorTla),
                 [this] { UstawKoloryNaglowka(); });
    BCzcionkaNaglowki = Guzik(strona, QStringLiteral("Czcionka ..."), 186, 142, 150);
    PodlaczCzcionke(BCzcionkaNaglowki, POLE(Cel().Czcionka), zastosuj(PoleTekstu::Czcionka),
                    [this] { UstawTekstNaglowka(); });

    RENaglowek = new QPlainTextEdit(QStringLiteral("Treść nagłówka"), strona);
    RENaglowek->setGeometry(12, 180, 334, 28); // one line visible
    RENaglowek->setLineWrapMode(QPlainTextEdit::NoWrap);
    RENaglowek->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RENaglowek->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RENaglowek->setTabChangesFocus(true);
    connect(RENaglowek, &QPlainTextEdit::textChanged, this, &TFUstawwykres::RENaglowekZmiana);
}

void TFUstawwykres::ZbudujOsie(QWidget* strona) {
    const auto zastosuj = [this](PoleOsi p) { return [this, p] { wykres.Zastosuj(OsT(), p); }; };

    Cosie = Lista(strona, {QStringLiteral("Pionowa"), QStringLiteral("Pozioma")}, 12, 8, 150);
    connect(Cosie, &QComboBox::activated, this, [this] { ZaladujOsie(); });

    auto* dane = Ramka(strona, QStringLiteral(" Dane osi "), 12, 32, 334, 72);
    Napis(dane, QStringLiteral("Opis:"), 12, 21);
    EopisOsi = new QLineEdit(dane);
    EopisOsi->setFont(skora::CzcionkaPunkty(8));
    EopisOsi->setGeometry(50, 18, 170, 20);
    connect(EopisOsi, &QLineEdit::textEdited, this, [this](const QString& tekst) {
        ZmienOpisOsi(wykres.Stan(), OsT(), tekst);
        wykres.Odswiez();
    });
    Napis(dane, QStringLiteral("Kąt:"), 232, 21);
    SKont = Liczba(dane, 0, 360, 90, 0, 262, 18);
    PodlaczLiczbe(SKont, POLE(OsW().Kat), zastosuj(PoleOsi::Kat));
    BFontOsie = Guzik(dane, QStringLiteral("Czcionka osi ..."), 12, 44, 100);
    PodlaczCzcionke(BFontOsie, POLE(OsW().CzcionkaOpisu), zastosuj(PoleOsi::CzcionkaOpisu));
    BKolorOsie = Guzik(dane, QStringLiteral("Kolor osi ..."), 117, 44, 100);
    PodlaczKolor(BKolorOsie, POLE(OsW().KolorOsi), zastosuj(PoleOsi::KolorOsi));
    BKolorWartosci = Guzik(dane, QStringLiteral("Kolor wartości ..."), 222, 44, 100);
    PodlaczCzcionke(BKolorWartosci, POLE(OsW().CzcionkaEtykiet),
                    zastosuj(PoleOsi::CzcionkaEtykiet));

    auto* siatka = Ramka(strona, QStringLiteral(" Dane siatki "), 12, 106, 334, 72);
    CwidocznaSiatka = Pudelko(siatka, QStringLiteral("Widoczna"), 12, 20);
    PodlaczPole(CwidocznaSiatka, POLE(OsW().SiatkaWidoczna), zastosuj(PoleOsi::SiatkaWidoczna));
    BKolorSiatki = Guzik(siatka, QStringLiteral("Kolor siatki ..."), 12, 42, 108);
    PodlaczKolor(BKolorSiatki, POLE(OsW().KolorSiatki), zastosuj(PoleOsi::KolorSiatki));
    auto* linia = Ramka(siatka, QStringLiteral("Rodzaj lini"), 140, 12, 182, 52);
    RCiongla = Opcja(linia, QStringLiteral("Ciągła"), 12, 24);
    Rprzerywana = Opcja(linia, QStringLiteral("Przerywana"), 88, 24);
    const auto linie = [this](PoleOpcji* r, int rodzaj) {
        PodlaczOpcje(r, [this, rodzaj] {
            OsW().RodzajLinii = rodzaj;
            wykres.Zastosuj(OsT(), PoleOsi::RodzajLinii);
        });
    };
    linie(RCiongla, 0);
    linie(Rprzerywana, 1);

    auto* scianka = Ramka(strona, QStringLiteral(" Dane ścianki  "), 12, 180, 334, 44);
    Cprzezr = Pudelko(scianka, QStringLiteral("Przeźroczysta"), 12, 19);
    PodlaczPole(Cprzezr, POLE(OsW().SciankaPrzezroczysta), zastosuj(PoleOsi::SciankaPrzezroczysta));
    BKolorScianki = Guzik(scianka, QStringLiteral("Kolor ścianki ..."), 140, 14, 108);
    PodlaczKolor(BKolorScianki, POLE(OsW().KolorScianki), zastosuj(PoleOsi::KolorScianki));
}

void TFUstawwykres::ZbudujLegende(QWidget* strona) {
    const auto zastosuj = [this](Pole p) { return [this, p] { wykres.Zastosuj(p); }; };

    CwidocznaLegenda = Pudelko(strona, QStringLiteral("Widoczna"), 20, 20);
    PodlaczPole(CwidocznaLegenda, POLE(U().LegendaWidoczna), zastosuj(Pole::LegendaWidoczna));
    Napis(strona, QStringLiteral("Pokaż:"), 20, 55);
    CPokazLegende = Lista(strona,
                          {QStringLiteral("Tylko argumenty"), QStringLiteral("Tylko wartości"),
                           QStringLiteral("Argumenty i wartości")},
                          130, 52, 170);
    PodlaczWybor(CPokazLegende, POLE(U().PokazLegende), zastosuj(Pole::PokazLegende));
    Napis(strona, QStringLiteral("Długość cienia:"), 20, 89);
    SDlugCienia = Liczba(strona, 0, 8, 1, 4, 130, 86);
    PodlaczLiczbe(SDlugCienia, POLE(U().DlugoscCienia), zastosuj(Pole::DlugoscCienia));
    Napis(strona, QStringLiteral("Położenie:"), 20, 123);
    Spolozenie = Liczba(strona, 0, 30, 1, 13, 130, 120);
    PodlaczLiczbe(Spolozenie, POLE(U().PolozenieLegendy), zastosuj(Pole::PolozenieLegendy));

    BKolorTlaLegendy = Guzik(strona, QStringLiteral("Kolor tła ..."), 20, 170, 100);
    PodlaczKolor(BKolorTlaLegendy, POLE(U().KolorLegendy), zastosuj(Pole::KolorLegendy));
    BKolorCienia = Guzik(strona, QStringLiteral("Kolor cienia ..."), 129, 170, 100);
    PodlaczKolor(BKolorCienia, POLE(U().KolorCienia), zastosuj(Pole::KolorCienia));
    BCzcionkaLegendy = Guzik(strona, QStringLiteral("Czcionka ..."), 238, 170, 100);
    PodlaczCzcionke(BCzcionkaLegendy, POLE(U().CzcionkaLegendy), zastosuj(Pole::CzcionkaLegendy));
}

void TFUstawwykres::ZbudujTla(QWidget* strona) {
    const auto zastosuj = [this](Pole p) { return [this, p] { wykres.Zastosuj(p); }; };

    auto* obraz = Ramka(strona, QString(), 10, 4, 338, 74);
    WstawObrazek = Pudelko(obraz, QStringLiteral("Wstaw obraz jako:"), 10, 12);
    connect(WstawObrazek, &QAbstractButton::toggled, this, &TFUstawwykres::WstawObrazekClick);
    auto* gdzie = new QWidget(obraz); // the two radio buttons choose among themselves
    gdzie->setGeometry(26, 32, 150, 40);
    RDowewn = Opcja(gdzie, QStringLiteral("Tło wykresu"), 0, 0);
    Rzewnontrz = Opcja(gdzie, QStringLiteral("Jako tło zewnętrzne"), 0, 20);
    // a pair of radio buttons over a yes-or-no field
    const auto para = [this](PoleOpcji* tak, PoleOpcji* nie, bool UstawieniaWykresu::*pole,
                             Pole p) {
        for (const bool wartosc : {true, false}) {
            PodlaczOpcje(wartosc ? tak : nie, [this, pole, p, wartosc] {
                U().*pole = wartosc;
                wykres.Zastosuj(p);
            });
        }
    };
    para(RDowewn, Rzewnontrz, &UstawieniaWykresu::ObrazWewnatrz, Pole::ObrazWewnatrz);
    RDopasuj = Ramka(obraz, QString(), 196, 10, 130, 56);
    RWysrodkuj = Opcja(RDopasuj, QStringLiteral("Wyśrodkuj"), 10, 10);
    RRozciagnij = Opcja(RDopasuj, QStringLiteral("Rozciągnij"), 10, 30);
    para(RWysrodkuj, RRozciagnij, &UstawieniaWykresu::ObrazWysrodkowany, Pole::ObrazWysrodkowany);

    auto* gradient = Ramka(strona, QString(), 10, 84, 338, 62);
    Cgradient = Pudelko(gradient, QStringLiteral("Zastosuj gradient"), 10, 10);
    PodlaczPole(Cgradient, POLE(U().Gradient), zastosuj(Pole::Gradient));
    BKolorPocz = Guzik(gradient, QStringLiteral("Kolor początkowy ..."), 10, 32, 128);
    LKororPocz = new ProbkaKoloru(gradient);
    LKororPocz->setGeometry(144, 35, 16, 16);
    PodlaczKolor(BKolorPocz, POLE(U().KolorPoczatkowy), zastosuj(Pole::KolorPoczatkowy),
                 [this] { PokazKoloryGradientu(); });
    BKolorKonc = Guzik(gradient, QStringLiteral("Kolor końcowy ..."), 176, 32, 128);
    LKolorKonc = new ProbkaKoloru(gradient);
    LKolorKonc->setGeometry(310, 35, 16, 16);
    PodlaczKolor(BKolorKonc, POLE(U().KolorKoncowy), zastosuj(Pole::KolorKoncowy),
                 [this] { PokazKoloryGradientu(); });

    BKolorZewn = Guzik(strona, QStringLiteral("Kolor tła zewnątrz ..."), 10, 158, 164);
    PodlaczKolor(BKolorZewn, POLE(U().KolorTlaZewnetrzny), zastosuj(Pole::KolorTlaZewnetrzny));
    BKolorTla = Guzik(strona, QStringLiteral("Kolor tła wykresu ..."), 184, 158, 164);
    PodlaczKolor(BKolorTla, POLE(U().KolorTlaWykresu), zastosuj(Pole::KolorTlaWykresu));
    BKolorObramowania = Guzik(strona, QStringLiteral("Kolor obramowania ..."), 10, 190, 164);
    PodlaczKolor(BKolorObramowania, POLE(U().KolorObramowania), zastosuj(Pole::KolorObramowania));
}

void TFUstawwykres::ZbudujEfekty3D(QWidget* strona) {
    const auto zastosuj = [this](Pole p) { return [this, p] { wykres.Zastosuj(p); }; };

    CWykres3d = Pudelko(strona, QStringLiteral("Pokaż trójwymiarowo wykres"), 20, 20);
    connect(CWykres3d, &QAbstractButton::toggled, this, &TFUstawwykres::CWykres3dClick);
    C3dosie = Pudelko(strona, QStringLiteral("Pokaż trójwymiarowo osie"), 20, 44);
    PodlaczPole(C3dosie, POLE(U().Osie3D), zastosuj(Pole::Osie3D));

    auto* widok = Ramka(strona, QString(), 10, 76, 338, 80);
    Napis(widok, QStringLiteral("Pochylenie:"), 12, 19);
    S3dPercent = Suwak(widok, 1, 100, 30, 92, 19, 230);
    Napis(widok, QStringLiteral("Zoom:"), 12, 51);
    SZoom = Suwak(widok, 0, 300, 100, 92, 51, 230);
    const auto suwak = [this](QScrollBar* s, std::int32_t UstawieniaWykresu::*pole, Pole p) {
        connect(s, &QScrollBar::valueChanged, this, [this, pole, p](int wartosc) {
            U().*pole = wartosc;
            wykres.Zastosuj(p);
        });
    };
    suwak(S3dPercent, &UstawieniaWykresu::Glebokosc3D, Pole::Glebokosc3D);
    suwak(SZoom, &UstawieniaWykresu::Zoom, Pole::Zoom);

    // The free perspective view: kept with its bars, never shown.
    Cortogonalnie = Pudelko(strona, QStringLiteral("Pokaż perspektywicznie"), 20, 170);
    Sperspektywa = Suwak(strona, 0, 100, 0, 20, 190, 100);
    SElewacja = Suwak(strona, 0, 100, 0, 130, 190, 100);
    SObroty = Suwak(strona, 0, 100, 0, 240, 190, 100);
    for (QWidget* ukryty :
         {static_cast<QWidget*>(Cortogonalnie), static_cast<QWidget*>(Sperspektywa),
          static_cast<QWidget*>(SElewacja), static_cast<QWidget*>(SObroty)}) {
        ukryty->hide();
        ukryty->setEnabled(false);
    }
    connect(Cortogonalnie, &QAbstractButton::toggled, this, [this](bool stan) {
        U().Ortogonalny = stan;
        wykres.Zastosuj(Pole::Ortogonalny);
        for (QScrollBar* s : {Sperspektywa, SElewacja, SObroty})
            s->setEnabled(stan);
    });
    suwak(Sperspektywa, &UstawieniaWykresu::Perspektywa, Pole::Perspektywa);
    suwak(SElewacja, &UstawieniaWykresu::Elewacja, Pole::Elewacja);
    suwak(SObroty, &UstawieniaWykresu::Obrot, Pole::Obrot);
    // as the record starts, without applying anything yet
    const QSignalBlocker cicho1(CWykres3d), cicho2(C3dosie);
    CWykres3d->setChecked(true);
    C3dosie->setChecked(true);
}

void TFUstawwykres::ZbudujWartosci(QWidget* strona) {
    const auto zastosuj = [this](Pole p) { return [this, p] { wykres.Zastosuj(p); }; };

    Cpokazwartosci = Pudelko(strona, QStringLiteral("Pokaż wartości"), 20, 16);
    PodlaczPole(Cpokazwartosci, POLE(U().PokazWartosci), zastosuj(Pole::PokazWartosci));
    CprzezrWart = Pudelko(strona, QStringLiteral("Pokaż przeźroczyste"), 20, 38);
    PodlaczPole(CprzezrWart, POLE(U().WartosciPrzezroczyste),
                zastosuj(Pole::WartosciPrzezroczyste));

    RRodzajWartosci = Ramka(strona, QStringLiteral(" Pokaż: "), 14, 64, 180, 144);
    GRodzajWartosci = new QButtonGroup(this);
    const char* rodzaje[] = {"Nazwy", "Wartości", "Procenty", "Nazwy i wartości",
                             "Nazwy i procenty"};
    for (int i = 0; i < 5; ++i)
        GRodzajWartosci->addButton(
            Opcja(RRodzajWartosci, QString::fromUtf8(rodzaje[i]), 14, 22 + 23 * i), i);
    connect(GRodzajWartosci, &QButtonGroup::idToggled, this, [this](int id, bool wybrany) {
        if (!wybrany) return;
        U().RodzajWartosci = id;
        wykres.Zastosuj(Pole::RodzajWartosci);
        ZaladujWartosci();
    });

    BKolorWart = Guzik(strona, QStringLiteral("Kolor tła ..."), 210, 72, 128);
    PodlaczKolor(BKolorWart, POLE(U().KolorTlaWartosci), zastosuj(Pole::KolorTlaWartosci));
    BCzcionkaMarks = Guzik(strona, QStringLiteral("Czcionka ..."), 210, 104, 128);
    PodlaczCzcionke(BCzcionkaMarks, POLE(U().CzcionkaWartosci), zastosuj(Pole::CzcionkaWartosci));
}

#undef POLE

namespace {

// The top left corner for the settings window: centred when no chart is shown or the centre
// leaves it clear; else right of, left of, below or above the chart (kept on the screen),
// whichever covers the least of it.
QPoint MiejsceObokWykresu(QSize okno, const QRect& ekran, const QRect& wykres) {
    constexpr int Odstep = 8;
    const QPoint srodek = Okno::MiejsceObokObszaru(okno, ekran, {});
    if (wykres.isEmpty() || !QRect(srodek, okno).intersects(wykres)) return srodek;
    const auto naEkranie = [&](QPoint p) {
        p.setX(std::clamp(p.x(), ekran.left(),
                          std::max(ekran.left(), ekran.right() + 1 - okno.width())));
        p.setY(std::clamp(p.y(), ekran.top(),
                          std::max(ekran.top(), ekran.bottom() + 1 - okno.height())));
        return p;
    };
    const int y = wykres.center().y() - okno.height() / 2;
    const int x = wykres.center().x() - okno.width() / 2;
    const QPoint kandydaci[] = {{wykres.right() + 1 + Odstep, y},
                                {wykres.left() - Odstep - okno.width(), y},
                                {x, wykres.bottom() + 1 + Odstep},
                                {x, wykres.top() - Odstep - okno.height()}};
    QPoint najlepsze = srodek;
    qint64 najmniej = std::numeric_limits<qint64>::max();
    for (const QPoint& k : kandydaci) {
        const QPoint p = naEkranie(k);
        const QRect wspolne = QRect(p, okno).intersected(wykres);
        const qint64 pole = wspolne.isEmpty() ? 0 : qint64(wspolne.width()) * wspolne.height();
        if (pole < najmniej) {
            najmniej = pole;
            najlepsze = p;
        }
    }
    return najlepsze;
}

} // namespace

// ---- showing and loading -----------------------------------------------------------------------

void TFUstawwykres::Przygotuj() {
    PokazRodzajWykresu(wykres.RodzajWykresu());
    // the chart's choice of series decides whether the axes can be set (not for the pie)
    PageControl1->Strona(ZOsie)->setEnabled(wykres.Stan().OsieDostepne);
    // the tab "Wykres" comes first, loaded even when it already was the current one
    if (PageControl1->Biezaca() != ZWykres) {
        PageControl1->UstawBiezaca(ZWykres);
    } else {
        ZaladujZakladke(ZWykres);
    }
    CNaglowek->setCurrentIndex(0);
    ZaladujNaglowki();
    // Beside the chart it changes when the screen has room, so that every change shows; else
    // where it covers least of the chart.
    QScreen* ekran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (ekran)
        move(MiejsceObokWykresu(size(), ekran->availableGeometry(), wykres.ObszarNaEkranie()));
}

void TFUstawwykres::PokazUstawienia() {
    Przygotuj();
    PokazModalnie();
}

void TFUstawwykres::PokazRodzajWykresu(int rodzaj) {
    if (rodzaj < 1 || rodzaj > 3) return;
    PSlupki->setVisible(rodzaj == 1);
    PKolo->setVisible(rodzaj == 2);
    PLinia->setVisible(rodzaj == 3);
}

void TFUstawwykres::ZaladujZakladke(int indeks) {
    switch (indeks) {
    case ZWykres:
        ZaladujWykres();
        break;
    case ZNaglowki:
        // whenever the tab is shown it edits the title
        CNaglowek->setCurrentIndex(0);
        ZaladujNaglowki();
        break;
    case ZOsie:
        Cosie->setCurrentIndex(0);
        ZaladujOsie();
        break;
    case ZLegenda:
        ZaladujLegende();
        break;
    case ZTla:
        ZaladujTla();
        break;
    case ZEfekty3D:
        ZaladujEfekty3D();
        break;
    case ZWartosci:
        ZaladujWartosci();
        break;
    default:
        break;
    }
}

void TFUstawwykres::ZaladujWykres() {
    const UstawieniaWykresu& u = U();
    if (u.KsztaltSlupka >= 0 && u.KsztaltSlupka < Cksztalt->count())
        Cksztalt->setCurrentIndex(u.KsztaltSlupka);
    EWartpoczontkowa->setText(QString::number(u.WartoscPoczatkowa));
    SSzerokoscSlupka->UstawLiczbe(u.SzerokoscSlupka);
    CKreska->setChecked(U().Kreskowane);
    Seksplozja->UstawLiczbe(U().Eksplozja);
    SObrot->UstawLiczbe(U().ObrotKola);
    if (U().KsztaltWierzcholka >= 0 && U().KsztaltWierzcholka < Cksztaltwierzcholka->count())
        Cksztaltwierzcholka->setCurrentIndex(U().KsztaltWierzcholka);
    CwidoczneWierzcholki->setChecked(U().WierzcholkiWidoczne);
    Sdlug->UstawLiczbe(U().DlugoscWierzcholka);
    SSzer->UstawLiczbe(U().SzerokoscWierzcholka);
}

void TFUstawwykres::ZaladujNaglowki() {
    const OpisTekstu& cel = Cel();
    switch (cel.Wyrownanie) {
    case 0:
        RDoLewej->setChecked(true);
        break;
    case 1:
        RDoSrodka->setChecked(true);
        break;
    case 2:
        RDoPrawej->setChecked(true);
        break;
    default:
        break;
    }
    // each line below may store into the target; read the rest afresh
    CWidoczny->setChecked(Cel().Widoczny);
    CPrzezroczyste->setChecked(Cel().Przezroczysty);
    CTloDoTekstu->setChecked(Cel().TloDoTekstu);
    UstawTekstNaglowka();
    Cramka->setChecked(Cel().Ramka);
    ZastosujNaglowki(wykres.Stan());
    wykres.Odswiez();
}

void TFUstawwykres::UstawKoloryNaglowka() {
    const OpisTekstu& cel = Cel();
    const QColor tlo = DoQColor(cel.KolorTla);
    const QColor pismo = DoQColor(cel.Czcionka.KolorCzcionki);
    RENaglowek->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; color: %2; }")
                                  .arg(tlo.name(), pismo.name()));
}

void TFUstawwykres::UstawTekstNaglowka() {
    const OpisTekstu& cel = Cel();
    UstawKoloryNaglowka();
    RENaglowek->setFont(DoQFont(cel.Czcionka));
    ladowanie = true;
    RENaglowek->setPlainText(WierszeTekstu(cel.Tekst).join(QLatin1Char('\n')));
    ladowanie = false;
}

void TFUstawwykres::RENaglowekZmiana() {
    if (ladowanie) return;
    ZmienTekst(wykres.Stan(), CelT(), RENaglowek->toPlainText().split(QLatin1Char('\n')));
    wykres.Odswiez();
}

void TFUstawwykres::ZaladujOsie() {
    EopisOsi->setText(OsW().Opis);
    SKont->UstawLiczbe(OsW().Kat);
    CwidocznaSiatka->setChecked(OsW().SiatkaWidoczna);
    (OsW().RodzajLinii == 0 ? RCiongla : Rprzerywana)->setChecked(true);
    Cprzezr->setChecked(OsW().SciankaPrzezroczysta);
}

void TFUstawwykres::ZaladujLegende() {
    SDlugCienia->UstawLiczbe(U().DlugoscCienia);
    CwidocznaLegenda->setChecked(U().LegendaWidoczna);
    if (U().PokazLegende >= 0 && U().PokazLegende < CPokazLegende->count())
        CPokazLegende->setCurrentIndex(U().PokazLegende);
    // Spolozenie keeps what it shows
}

void TFUstawwykres::ZaladujTla() {
    WstawObrazek->setChecked(U().ObrazTla);
    Cgradient->setChecked(U().Gradient);
    PokazKoloryGradientu();
    (U().ObrazWewnatrz ? RDowewn : Rzewnontrz)->setChecked(true);
    (U().ObrazWysrodkowany ? RWysrodkuj : RRozciagnij)->setChecked(true);
}

void TFUstawwykres::PokazKoloryGradientu() {
    LKororPocz->UstawKolor(DoQColor(U().KolorPoczatkowy));
    LKolorKonc->UstawKolor(DoQColor(U().KolorKoncowy));
}

void TFUstawwykres::ZaladujEfekty3D() {
    C3dosie->setVisible(wykres.RodzajWykresu() != 2);
    CWykres3d->setChecked(U().Wykres3D);
    SZoom->setEnabled(U().Wykres3D);
    S3dPercent->setEnabled(U().Wykres3D);
    C3dosie->setChecked(U().Osie3D);
}

void TFUstawwykres::ZaladujWartosci() {
    Cpokazwartosci->setChecked(U().PokazWartosci);
    CprzezrWart->setChecked(U().WartosciPrzezroczyste);
    if (QAbstractButton* r = GRodzajWartosci->button(U().RodzajWartosci)) r->setChecked(true);
}

// ---- handlers ----------------------------------------------------------------------------------

void TFUstawwykres::CWykres3dClick(bool zaznaczony) {
    U().Wykres3D = zaznaczony;
    wykres.Zastosuj(Pole::Wykres3D);
    if (!zaznaczony) {
        for (QWidget* w : {static_cast<QWidget*>(S3dPercent), static_cast<QWidget*>(Cortogonalnie),
                           static_cast<QWidget*>(Sperspektywa), static_cast<QWidget*>(SElewacja),
                           static_cast<QWidget*>(SObroty), static_cast<QWidget*>(SZoom)})
            w->setEnabled(false);
        return;
    }
    Cortogonalnie->setEnabled(true);
    if (U().Ortogonalny) {
        S3dPercent->setEnabled(true);
        SZoom->setEnabled(true);
        for (QScrollBar* s : {Sperspektywa, SElewacja, SObroty})
            s->setEnabled(Cortogonalnie->isChecked());
    }
}

void TFUstawwykres::WstawObrazekClick(bool zaznaczony) {
    if (!zaznaczony) {
        ZmienObrazTla(wykres.Stan(), false);
        wykres.Odswiez();
        return;
    }
    const QString plik = dialogi->WybierzObraz(this);
    if (plik.isEmpty()) return; // the box stays checked
    QImageReader czytnik(plik);
    czytnik.setAutoTransform(true);
    const QImage obraz = czytnik.read();
    ZmienObrazTla(wykres.Stan(), true, obraz);
    if (obraz.isNull()) // the chart keeps the picture it had
        srodowisko.PokazKomunikat(KomunikatInformacja, IkonaUwaga, ZlyObraz(plik));
    else
        wykres.Odswiez();
}

void TFUstawwykres::EWartpoczontkowaZmiana() {
    const QString tekst = EWartpoczontkowa->text();
    U().WartoscPoczatkowa = tekst.isEmpty() ? 0 : tekst.toInt();
    wykres.Zastosuj(Pole::WartoscPoczatkowa);
}

bool TFUstawwykres::eventFilter(QObject* obiekt, QEvent* e) {
    if (Okno::eventFilter(obiekt, e)) return true;
    if (obiekt != EWartpoczontkowa) return false;
    if (e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const QString tekst = k->text();
        // keys that type nothing (arrows, Delete, Home, ...) do their work
        if (tekst.isEmpty()) return false;
        const QChar z = tekst.at(0);
        const bool cyfra = z >= QLatin1Char('0') && z <= QLatin1Char('9');
        const bool dozwolony = cyfra || k->key() == Qt::Key_Backspace || k->key() == Qt::Key_Tab ||
                               k->key() == Qt::Key_Backtab;
        return !dozwolony || (cyfra && (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
    }
    if (e->type() == QEvent::KeyRelease) EWartpoczontkowaZmiana();
    return false;
}

void TFUstawwykres::LCloseUstawieniaClick() {
    Zamknij();
}

bool TFUstawwykres::KlawiszWcisniety(QKeyEvent* e) {
    if (e->key() != Qt::Key_Escape || (e->modifiers() & ~Qt::KeypadModifier)) return false;
    LCloseUstawieniaClick();
    return true;
}

bool TFUstawwykres::ZamkniecieZZewnatrz() {
    // closing from the desktop is the close spot
    return true;
}

} // namespace sondrel
