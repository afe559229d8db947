// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message dialog: every message of the program and its one question. A painted frame with
// an icon, the text and picture buttons; answers to the mouse, letter keys, Enter, Esc and the
// arrow keys, which move a keyboard selection between the buttons.

#include "core/komunikaty.h"
#include "ui/kontrolki/etykieta.h"
#include "ui/okno.h"

namespace sondrel {

class TFWarning : public Okno {
    Q_OBJECT
public:
    // jezyk: "pl" chooses the Polish button pictures and letters, anything else the English.
    explicit TFWarning(const QString& jezyk = QStringLiteral("pl"), QWidget* rodzic = nullptr);

    // Shows the dialog modally and returns when it closes; the answer (WynikZamknij, WynikTak,
    // WynikNie, WynikAnuluj) is returned and kept in WynikKomunikatu().
    int PokazKomunikat(int rodzaj, int ikona, const QString& tekst);
    // Everything PokazKomunikat does before the modal loop: pictures, buttons, text, icon,
    // keyboard selection and the preset answer (WynikNie). Show the window to use it without
    // blocking.
    void Przygotuj(int rodzaj, int ikona, const QString& tekst);

    int WynikKomunikatu() const { return wynik; }
    // The keyboard selection: 1 Tak, 2 Nie, 3 Anuluj, 4 Zamknij.
    int Zaznaczenie() const { return zaznaczenie; }
    QString Jezyk() const { return jezyk; }

    // Components, at their places in the window.
    Etykieta* ImWarning;     // background picture "oknowarning"
    QWidget* PIkona;         //
    Etykieta* ImIkona;       // the icon
    Etykieta* LTekstWarning; // the text
    QWidget* PButTak;
    Etykieta* ImButTak;
    QWidget* PButNie;
    Etykieta* ImButNie;
    QWidget* PButAnuluj;
    Etykieta* ImButAnuluj;
    QWidget* pButZamknij;
    Etykieta* ImButZamknij;
    Etykieta* LClose;  // close mark of the painted frame
    Etykieta* LListwa; // drag strip over the painted title

protected:
    bool KlawiszWcisniety(QKeyEvent* e) override;
    bool ZamkniecieZZewnatrz() override;

private:
    // Buttons, numbered as the keyboard selection.
    static constexpr int BTak = 1, BNie = 2, BAnuluj = 3, BZamknij = 4;
    static int WynikPrzycisku(int przycisk) {
        return przycisk == BZamknij ? WynikZamknij : przycisk;
    }
    QString NazwaObrazka(int przycisk, bool zaznaczony) const;
    Etykieta* ObrazPrzycisku(int przycisk) const;
    bool Pokazany(int przycisk) const;
    void Zaznacz(int przycisk);
    void Odpowiedz(int odpowiedz);
    void LCloseClick();
    void DopasujWysokosc();

    QString jezyk;
    int wynik = WynikNie;
    int zaznaczenie = BZamknij;
    int nadmiar = 0; // pixels added below the text for a long one
};

// Makes the dialog the program's way of showing messages.
void UstawOknoKomunikatow(Komunikaty& komunikaty, TFWarning& okno);

} // namespace sondrel
