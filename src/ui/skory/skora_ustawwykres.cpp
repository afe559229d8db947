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
    // #C4C6D2 frames the controls as it frames the tab page; slate marks the focus.
    return QStringLiteral(
        "QLabel { color: black; background: transparent; }"
        "QLabel:disabled { color: #A0A2AE; }"
        "QComboBox { combobox-popup: 0; }"
        "QComboBox QAbstractItemView { background: white; color: black; border: 1px solid"
        "  #B4B8C8; selection-background-color: #B4B8C8; selection-color: white;"
        "  outline: 0; }"
        "QLineEdit, QPlainTextEdit { background: white; color: black; border: 1px solid #B4B8C8;"
        "  border-radius: 3px; padding: 0 2px; selection-background-color: #B4B8C8;"
        "  selection-color: black; }"
        "QLineEdit:focus, QPlainTextEdit:focus { border-color: #46465A; }"
        "QLineEdit:disabled { color: #A0A2AE; border-color: #DCDDE5; }"
        "QGroupBox { background: white; color: black; border: 1px solid #DCDDE5;"
        "  border-radius: 4px; margin-top: 7px; padding-top: 4px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        "  left: 7px; padding: 0 2px; color: #2F2F47; background: white; }"
        "QGroupBox:disabled, QGroupBox::title:disabled { color: #A0A2AE; }"
        "QScrollBar:horizontal { background: #F3F3F6; height: 14px; margin: 0;"
        "  border: 1px solid #DCDDE5; border-radius: 4px; }"
        "QScrollBar::handle:horizontal { background: #B4B8C8; min-width: 18px; margin: 2px;"
        "  border-radius: 3px; }"
        "QScrollBar::handle:horizontal:hover { background: #9A9EB5; }"
        "QScrollBar::handle:horizontal:pressed { background: #6E7290; }"
        "QScrollBar::handle:horizontal:disabled { background: #E2E3EA; }"
        "QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { width: 0;"
        "  border: none; background: none; }"
        "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }");
}

} // namespace sondrel::skora
