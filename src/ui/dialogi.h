// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard dialogs a window asks the user through (colour, font, picture), behind one
// replaceable object so that tests can answer in the user's place. The program's own is
// Qt's dialogs, in Polish like the rest of the toolkit's texts.

#include "charts/ustawienia_wykresu.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace sondrel {

class Dialogi {
public:
    virtual ~Dialogi() = default;

    // The colour dialog preset to `poczatkowy`: the chosen colour, nothing when cancelled.
    virtual std::optional<QColor> WybierzKolor(QWidget* rodzic, const QColor& poczatkowy);
    // The font dialog preset to the font (face, size, style) and its colour: the chosen font,
    // nothing when cancelled. The face name is returned whole; the caller cuts what it stores.
    virtual std::optional<Czcionka> WybierzCzcionke(QWidget* rodzic, const Czcionka& poczatkowa);
    // The picture dialog over the formats the program reads: the chosen file, an empty text
    // when cancelled.
    virtual QString WybierzObraz(QWidget* rodzic);

private:
    QString folderObrazow; // the pictures folder until the first pick
};

// The same font in the toolkit's terms (face, size in points, style flags); the colour is
// the record's own.
QFont DoQFont(const Czcionka& czcionka);
// The record's font from a toolkit font and a colour (the face name whole).
Czcionka ZQFont(const QFont& font, const QColor& kolor);

} // namespace sondrel
