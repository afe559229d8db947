// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart settings window: seven tabs whose controls mirror the fields of the live chart
// settings. There is no confirmation: every change is stored in the record and applied to the
// chart at once. Showing a tab loads its controls from the record; where a loaded control
// changes its state (a check box, a radio button, a spin box's text) that acts as the user's own
// change, with the same store and apply.

#include "charts/ustawienia_wykresu.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/kontrolki/lista_wyboru.h"
#include "ui/kontrolki/pole_liczby.h"
#include "ui/kontrolki/pole_opcji.h"
#include "ui/kontrolki/pole_wyboru.h"
#include "ui/kontrolki/probka_koloru.h"
#include "ui/kontrolki/przycisk.h"
#include "ui/kontrolki/zakladki.h"
#include "ui/okno.h"

#include <functional>
#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;

namespace sondrel {

class Dialogi;
class Srodowisko;

class TFUstawwykres : public Okno {
    Q_OBJECT
public:
    // Fills the live settings with the defaults (and the defaults record from them).
    TFUstawwykres(Srodowisko& srodowisko, WykresDlaUstawien& wykres, QWidget* rodzic = nullptr);
    ~TFUstawwykres() override;

    // "Formatuj wykres": prepares the window for the chart's current kind and shows it modally;
    // returns when it is closed.
    void PokazUstawienia();
    // Everything PokazUstawienia does before the modal loop (show the window to use it without
    // blocking).
    void Przygotuj();

    // The series panel of the tab "Wykres" for a kind (1 bars, 2 pie, 3 line); another kind
    // changes nothing. Done whenever the chart window shows a kind, and when the window is
    // prepared.
    void PokazRodzajWykresu(int rodzaj);

    // The dialogs the window asks through (the program's own when null).
    void UstawDialogi(Dialogi* dialogi);

    // The close spot: hides the window.
    void LCloseUstawieniaClick();

    // Tabs, in order.
    enum Zakladka { ZWykres, ZNaglowki, ZOsie, ZLegenda, ZTla, ZEfekty3D, ZWartosci };

    Etykieta* LListwa;
    Etykieta* LCloseUstawienia;
    Zakladki* PageControl1;

    // "Wykres": one panel per kind.
    QWidget* PSlupki;
    QWidget* PKolo;
    QWidget* PLinia;
    ListaWyboru* Cksztalt;
    QLineEdit* EWartpoczontkowa;
    PoleLiczby* SSzerokoscSlupka;
    PoleWyboru* CKreska;
    Przycisk* BKolorPodKreski;
    PoleLiczby* Seksplozja;
    PoleLiczby* SObrot;
    Przycisk* BKolorLini;
    PoleWyboru* CwidoczneWierzcholki;
    Przycisk* BKolorWierzch;
    ListaWyboru* Cksztaltwierzcholka;
    PoleLiczby* Sdlug;
    PoleLiczby* SSzer;

    // "Nagłówki".
    ListaWyboru* CNaglowek;
    PoleOpcji* RDoLewej;
    PoleOpcji* RDoSrodka;
    PoleOpcji* RDoPrawej;
    PoleWyboru* CWidoczny;
    PoleWyboru* CTloDoTekstu;
    PoleWyboru* CPrzezroczyste;
    PoleWyboru* Cramka;
    Przycisk* BTloNaglowki;
    Przycisk* BCzcionkaNaglowki;
    QPlainTextEdit* RENaglowek;

    // "Osie".
    ListaWyboru* Cosie;
    QLineEdit* EopisOsi;
    PoleLiczby* SKont;
    Przycisk* BFontOsie;
    Przycisk* BKolorOsie;
    Przycisk* BKolorWartosci;
    PoleWyboru* CwidocznaSiatka;
    PoleOpcji* RCiongla;
    PoleOpcji* Rprzerywana;
    Przycisk* BKolorSiatki;
    PoleWyboru* Cprzezr;
    Przycisk* BKolorScianki;

    // "Legenda".
    PoleWyboru* CwidocznaLegenda;
    ListaWyboru* CPokazLegende;
    Przycisk* BKolorTlaLegendy;
    Przycisk* BKolorCienia;
    Przycisk* BCzcionkaLegendy;
    PoleLiczby* SDlugCienia;
    PoleLiczby* Spolozenie;

    // "Tła".
    PoleWyboru* WstawObrazek;
    PoleOpcji* RDowewn;
    PoleOpcji* Rzewnontrz;
    QGroupBox* RDopasuj;
    PoleOpcji* RWysrodkuj;
    PoleOpcji* RRozciagnij;
    PoleWyboru* Cgradient;
    Przycisk* BKolorPocz;
    ProbkaKoloru* LKororPocz;
    Przycisk* BKolorKonc;
    ProbkaKoloru* LKolorKonc;
    Przycisk* BKolorZewn;
    Przycisk* BKolorTla;
    Przycisk* BKolorObramowania;

    // "Efekty 3D" (the perspective box and its three bars are never shown).
    PoleWyboru* CWykres3d;
    PoleWyboru* C3dosie;
    QScrollBar* S3dPercent;
    QScrollBar* SZoom;
    PoleWyboru* Cortogonalnie;
    QScrollBar* Sperspektywa;
    QScrollBar* SElewacja;
    QScrollBar* SObroty;

    // "Wartości".
    PoleWyboru* Cpokazwartosci;
    PoleWyboru* CprzezrWart;
    QGroupBox* RRodzajWartosci;
    QButtonGroup* GRodzajWartosci;
    Przycisk* BKolorWart;
    Przycisk* BCzcionkaMarks;

protected:
    bool ZamkniecieZZewnatrz() override;
    // Esc closes the window as its close spot does (every change is on the chart already).
    bool KlawiszWcisniety(QKeyEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    UstawieniaWykresu& U();
    // The target of "Nagłówki" and the axis of "Osie", by their choice lists.
    OpisTekstu& Cel();
    CelTekstu CelT() const;
    OpisOsi& OsW();
    sondrel::Os OsT() const;

    void ZbudujWykres(QWidget* strona);
    void ZbudujNaglowki(QWidget* strona);
    void ZbudujOsie(QWidget* strona);
    void ZbudujLegende(QWidget* strona);
    void ZbudujTla(QWidget* strona);
    void ZbudujEfekty3D(QWidget* strona);
    void ZbudujWartosci(QWidget* strona);

    // Loading a tab from the record.
    void ZaladujZakladke(int indeks);
    void ZaladujWykres();
    void ZaladujNaglowki();
    void ZaladujOsie();
    void ZaladujLegende();
    void ZaladujTla();
    void ZaladujEfekty3D();
    void ZaladujWartosci();

    // Store-and-apply wiring of the common controls: `pole` gives the field, `zastosuj` applies
    // it to the chart (and redraws).
    void PodlaczPole(PoleWyboru* c, std::function<bool&()> pole, std::function<void()> zastosuj);
    // A radio button: becoming the chosen one stores its value and applies it.
    void PodlaczOpcje(PoleOpcji* r, std::function<void()> wybrana);
    void PodlaczLiczbe(PoleLiczby* s, std::function<std::int32_t&()> pole,
                       std::function<void()> zastosuj);
    void PodlaczKolor(Przycisk* b, std::function<Kolor&()> pole, std::function<void()> zastosuj,
                      std::function<void()> potem = {});
    void PodlaczCzcionke(Przycisk* b, std::function<Czcionka&()> pole,
                         std::function<void()> zastosuj, std::function<void()> potem = {});
    void PodlaczWybor(ListaWyboru* c, std::function<std::int32_t&()> pole,
                      std::function<void()> zastosuj);

    // The handlers of the controls whose reaction does more than store and apply.
    void CWykres3dClick(bool zaznaczony);
    void WstawObrazekClick(bool zaznaczony);
    void RENaglowekZmiana();
    void EWartpoczontkowaZmiana();
    // The text box from the target: its background and text colour; with the font and the text.
    void UstawKoloryNaglowka();
    void UstawTekstNaglowka();
    void PokazKoloryGradientu();

    Srodowisko& srodowisko;
    WykresDlaUstawien& wykres;
    std::unique_ptr<Dialogi> wlasneDialogi;
    Dialogi* dialogi;
    bool ladowanie = false; // the text box is being filled, not typed in
};

} // namespace sondrel
