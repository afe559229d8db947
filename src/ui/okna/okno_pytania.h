// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of the archive's small question windows: a frame with a slate title strip (it drags
// the window) and the close mark, a light button band along the bottom with the answering
// button and "Anuluj" at its right. Enter answers with the first button (with "Anuluj" when
// that has the focus), Esc, "Anuluj", the close mark and a close request from the desktop
// cancel. The first button answers only while it is on and the window finds the answer
// complete (Przyjmowalne).

#include "ui/okno.h"

#include <QSize>
#include <QString>

namespace sondrel {

class Etykieta;
class Przycisk;

// The painted background of a question window of this size and title.
QPixmap TloOknaPytania(QSize rozmiar, const QString& tytul);

class OknoPytania : public Okno {
    Q_OBJECT
public:
    bool Przyjeto() const { return przyjeto; }
    void Przyjmij();
    void Anuluj();

    Przycisk* BPrzyjmij;
    Przycisk* BAnuluj;
    Etykieta* LListwa;
    Etykieta* LClose;

    static constexpr int WysokoscListwy = 28; // the title strip

protected:
    explicit OknoPytania(QWidget* rodzic = nullptr);

    // Sizes the window, paints its frame with the title and places the two buttons; the
    // question starts unanswered.
    void UlozPytanie(QSize rozmiar, const QString& tytul);
    // Whether the answer can be taken now (a window may show why not); yes by default.
    virtual bool Przyjmowalne() { return true; }

    bool KlawiszWcisniety(QKeyEvent* e) override;
    bool ZamkniecieZZewnatrz() override;

private:
    bool przyjeto = false;
};

} // namespace sondrel
