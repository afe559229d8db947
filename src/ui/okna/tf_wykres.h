// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart window: shows the program's one chart (three series, one shown at a time) and the
// commands that act on it: the settings window, saving and loading a chart template, copying the
// chart as a bitmap or as an SVG drawing. Resized by the grip in its lower right corner (dotted
// frame while dragging, at least 450 x 350), moved by its top strip; each time it goes from
// hidden to visible it takes 550 x 350, placed clear of the main window's menu column where
// the screen has room (Okno::UmiescObokMenu). Esc closes it.

#include "charts/stan_wykresu.h"
#include "ui/okna/okno_z_ramka.h"

#include <functional>

namespace sondrel {

class Program;

// What screen readers are told of a chart's data, in a few Polish sentences: its kind and how
// many values it shows; up to 12 values each with its label, more as their range (the
// smallest and the biggest with their labels); grouped bars per group; the axes' titles.
QString OpisDanychWykresu(const chartengine::Wykres& wykres);

// The chart itself: paints the model at the widget's size; a rectangle dragged down and right
// with the left button zooms into it, dragged up and left shows everything again; the right
// button pans. The pie does neither. Screen readers find it as a chart named by its title and
// described by OpisDanychWykresu (set by the window whenever it redraws).
class PoleWykresu : public QWidget {
    Q_OBJECT
public:
    PoleWykresu(StanWykresu& stan, QWidget* rodzic = nullptr);

signals:
    void ruch();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRectF Obszar() const;

    StanWykresu& stan;
    enum class Tryb { Nic, Powiekszanie, Przesuwanie } tryb = Tryb::Nic;
    QPoint poczatek, biezacy;
};

class TFWykres : public OknoZRamka, public WykresDlaUstawien {
    Q_OBJECT
public:
    explicit TFWykres(Program& program, QWidget* rodzic = nullptr);
    ~TFWykres() override;

    // The chart menu of the main window: typ 1 "Wyniki testu", 2 "Czas pracy", 3 "Zestawienie
    // ocen".
    void OtworzWykres(int typ);

    // WykresDlaUstawien: the chart's state and a redraw.
    StanWykresu& Stan() override { return stan; }
    void Odswiez() override;
    QRect ObszarNaEkranie() const override { return isVisible() ? frameGeometry() : QRect(); }

    // Shown (hidden before: 550 x 350, centred) or brought to the front (keeps place and size).
    void PokazOknoWykresu();
    // Places the panels and the chart for the window's current size.
    void UlozOknoWykresu();

    // The commands.
    void FormatujWykres();
    void ZapiszWzorzec();
    void WczytajWzorzec();
    void KopiujJakoBmp();
    void KopiujJakoSvg();
    // The close mark; a close request from the desktop does the same.
    void ZamknijWykres();

    // The chart as the window shows it (its on-screen size).
    QImage ObrazWykresu() const;
    QSize RozmiarWykresu() const;

    // The chart area and the menu's entries (the frame's panels and the grip: OknoZRamka).
    QWidget* PPodWykres;
    PoleWykresu* Wykres;

    Etykieta* LWykresFormat;
    Etykieta* LZapiszFormat;
    Etykieta* LWczytajFormat;
    Etykieta* LKopiujBmp;
    Etykieta* LKopiujMeta; // "Kopiuj jako SVG"
    Etykieta* LKreska1;
    Etykieta* LKreska2;

signals:
    // A kind of the chart (1 bars, 2 pie, 3 line) was shown, by a chart opened or a template
    // loaded; the window shows itself after it.
    void rodzajPokazany(int rodzaj);
    // "Formatuj wykres": the settings window is asked for; it opens modally, so the command
    // goes on when it is closed.
    void formatowanie();

protected:
    // The template dialog: the chosen path, or empty when cancelled.
    virtual QString WybierzPlikWzorca(bool zapis);

    // The grip: the window's lower right corner follows the cursor.
    QSize RozmiarZUchwytu(QPoint kursor) const override;
    void UstawRozmiarUchwytem(QSize rozmiar) override;

private:
    void ZglosBladWzorca(bool zapis, const QString& sciezka, const QString& blad);
    // After a kind was shown: tells it and shows the window.
    void PokazanoRodzaj();

    Program& program;
    StanWykresu stan;
    QString nazwaWzorca; // the name field of the template dialog, kept between uses
    QString folderWzorca;
};

} // namespace sondrel
