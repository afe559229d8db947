// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skory/skora_ustawwykres.h"

#include "ui/skory/skora.h"

#include <QPainter>

namespace sondrel::skora {

namespace {

constexpr int Listwa = 28; // the title strip's height: the drag strip and the close mark lie on it

void MalujTloUstawienWykresu(QPainter& p, QSizeF r) {
    MalujRamkeOkna(p, r.toSize(), Ksztalt::Zaokraglony, Listwa,
                   QStringLiteral("Formatowanie wykresu"), 14);
    MalujZnakZamkniecia(p, QRectF(378, 8, 15, 12).adjusted(-1, -2, 1, 2));
}

} // namespace

void DodajObrazkiUstawienWykresu() {
    static const bool dodane = [] {
        DodajObrazek(QStringLiteral("tloustawwykres"), QSize(404, 305), MalujTloUstawienWykresu);
        return true;
    }();
    (void)dodane;
}

QString ArkuszUstawienWykresu() {
    // the choice lists', fields' and frames' edges in the menu panels' slate grey; the deep
    // slate marks the focus
    const QString arkusz = QStringLiteral(
        "QLabel { color: black; background: transparent; }"
        "QLabel:disabled { color: %1; }"
        "QComboBox { combobox-popup: 0; }"
        "QComboBox QAbstractItemView { background: white; color: black; border: 1px solid"
        "  %2; selection-background-color: %2; selection-color: white;"
        "  outline: 0; }"
        "QLineEdit, QPlainTextEdit { background: white; color: black; border: 1px solid %2;"
        "  border-radius: 3px; padding: 0 2px; selection-background-color: %2;"
        "  selection-color: black; }"
        "QLineEdit:focus, QPlainTextEdit:focus { border-color: %3; }"
        "QLineEdit:disabled { color: %1; border-color: %4; }"
        "QGroupBox { background: white; color: black; border: 1px solid %4;"
        "  border-radius: 4px; margin-top: 7px; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        "  left: 7px; padding: 0 2px; color: %5; background: white; }"
        "QGroupBox:disabled, QGroupBox::title:disabled { color: %1; }");
    return arkusz.arg(Css(TekstWylaczony), Css(MenuTlo), Css(Lupek), Css(Linia), Css(Granat)) +
           ArkuszListwy(Qt::Horizontal);
}

} // namespace sondrel::skora
