// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report window: shows a report file in the HTML engine inside the program's own skinned
// frame, with a column of commands on the left (save, copy, print, print preview, close).
// Esc closes it.
//
// The engine starts in the background once an analysis is open, else with the first report. Its
// pages are local and inert: no JavaScript of the page runs, every request but file: and qrc: is
// refused, links do not navigate, nothing is stored on disk (an off-the-record profile).

#include "ui/modul_silnika.h"
#include "ui/okna/okno_z_ramka.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QTimer;

namespace sondrel {

class ObslugaWydruku;
class Program;

class TFBrowser : public OknoZRamka {
    Q_OBJECT
public:
    explicit TFBrowser(Program& program, QWidget* rodzic = nullptr);
    ~TFBrowser() override;

    // Shows a report file: the window comes to the front, active with the keyboard in the page,
    // 750 x 500 the first time and then as high as the teacher made it, centred when it comes up;
    // the page loads once the window is on screen (at once when it is already visible). Until
    // the new page is painted the page's place stays white: an earlier report never shows.
    void WyswietlRaport(const QString& sciezka);
    // Starts the engine ahead of the first report, while the window is hidden, once the program
    // has been idle for a moment (an analysis was opened): the first report then does not wait
    // for it. Nothing when reports go to the default browser or the engine cannot be used (the
    // first report says why).
    void UruchomWTle();
    // Whether the page's place is kept white while a new report loads.
    bool StronaZakryta() const;
    QString Sciezka() const { return sciezka; }
    // Whether the engine has started and whether the page shown finished loading.
    bool SilnikUruchomiony() const { return silnik != nullptr; }
    bool Zaladowany() const { return zaladowany; }
    SilnikHtml* Silnik() const { return silnik.get(); }

    // 1 when the report came from a popup of the table window: closing it brings the table
    // window back; 0 from the main window's report menu.
    int PowrotDoTabeli = 0;

    // The height by the resize grip: 400 .. 600 (the width never changes).
    void UstawWysokosc(int wysokosc);

    // Commands. Saving asks for the place and the kind; the rest act on the page shown. Print,
    // preview and saving as PDF run one at a time (the engine makes the PDF in the background).
    void LZapiszClick();
    void LKopiujClick();
    void LDrukujClick();
    void LPodglondClick();
    // "Zamknij raport" and the close mark: hide the window and tell it (the table window comes
    // back when PowrotDoTabeli is 1).
    void LCloseClick();
    void LCloseWykresClick();
    void ZamknijOkno() override;

    // Saving without the dialog: as HTML (the page and its pictures) or, for a name ending in
    // ".pdf", as PDF. The outcome comes with zapisano().
    void ZapiszRaportJako(const QString& sciezka);
    // Printing on a printer set up already (after the print dialog).
    void Drukuj(std::shared_ptr<QPrinter> drukarka);
    bool Zajety() const;

    // The window's own frame picture, the menu's entries and the page (the drag strip, the close
    // spot, the bottom strip with the grip and the outline: OknoZRamka).
    Etykieta* ImTlo;
    Etykieta* LZapisz;
    Etykieta* LKopiuj;
    Etykieta* LKreska1;
    Etykieta* LDrukuj;
    Etykieta* LPodglond;
    Etykieta* LKreska2;
    Etykieta* LClose;
    QWidget* PPodWebbrowser;
    QWidget* WebBrowser = nullptr; // the engine's view, once the engine has started

signals:
    void zaladowano(bool ok);
    // The engine rendered a frame of the page; it reaches the screen with the window's next
    // paint.
    void klatkaStrony();
    void zapisano(const QString& sciezka, bool ok);
    void skopiowano();
    void wydrukowano(bool ok);
    // The print preview is open (its dialog is a child of this window).
    void podgladOtwarty();
    // The close mark closed the window (PowrotDoTabeli tells whether the table comes back).
    void zamknietoRaport();
    // A report was saved: the save icon is asked for at this corner.
    void potwierdzZapis(QPoint miejsce);

protected:
    // The save dialog: the chosen path (its ending chosen by the filter) or empty.
    virtual QString WybierzPlikZapisu(const QString& folder, const QString& nazwa);

    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* obiekt, QEvent* e) override;
    void UstawRozmiarUchwytem(QSize rozmiar) override;

private:
    bool UruchomSilnik();
    void Zaladuj();
    void Zaslon(bool zaslon);
    void Zaladowano(bool ok);
    void Uloz();
    void KoniecKopiowania();
    void Niepowodzenie(const QString& komunikat, const QString& szczegoly);

    Program& program;
    QString sciezka;
    bool zaladowany = false;
    ObslugaWydruku* wydruk;             // saving as PDF, printing and its preview
    QMetaObject::Connection kopiowanie; // a copy waiting for the clipboard
    int nrKopii = 0;
    QString folderZapisu;
    int wysokoscOkna;            // the height reports open with: the grip's last one
    QWidget* zaslona = nullptr;  // white over the page while a new report loads
    bool stronaPokazana = false; // the view has shown a report page
    bool czekaNaKlatke = false;  // loaded: uncovered with the engine's next frame
    bool aktywuj = false;        // the window asked to be active for the report that loads
    QTimer* rozruch;             // the engine's start in the background
    std::unique_ptr<SilnikHtml> silnik;
};

} // namespace sondrel
