// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The skin painter: every picture the windows show (frames, buttons, icons, the vignette, the
// save icon) is drawn here by code, so that the pictures stay crisp at any pixel ratio and can
// be changed in one place. Windows load them by name, e.g. Obrazek("buttakakt").
//
// The look, shared by all windows:
// - deep slate title strips and frames (Granat, Lupek), light panels (white, PanelJasny) with
//   dark text (Tekst, Tekst2), menu panels in MenuTlo with white highlighted items;
// - one sans-serif family (the stored name "MS Sans Serif", substituted by DejaVu Sans or
//   Liberation Sans), one corner (the 12 x 12 ellipse, i.e. a radius of 6 pixels), one flat
//   button with a lighter, outlined "selected" state, one close mark, one drag strip.

#include "ui/skory/paleta.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;

namespace sondrel::skora {

constexpr int PromienNarozi = 6; // the 12 x 12 corner ellipse
constexpr int SciecieNarozi = 4; // polygon windows: corners cut by 4 pixels

enum class Ksztalt { Prostokat, Zaokraglony, Sciety };

// The stored font name of the windows; painted with the closest installed sans-serif.
inline constexpr const char* NazwaCzcionki = "MS Sans Serif";

// Registers the font substitution once (called by everything below and by the windows).
void UstawCzcionki();
// The windows' font at a height in pixels.
QFont Czcionka(int piksele, bool pogrubiona = false);
// The windows' font at a size in points ("MS Sans Serif", 8 points for captions).
QFont CzcionkaPunkty(int punkty, bool pogrubiona = false);

// Window outlines in a rectangle of the given size: the painted path (antialiased) and the
// region for the window mask (whole pixels).
QPainterPath SciezkaKsztaltu(Ksztalt ksztalt, QSizeF rozmiar);
QRegion RegionKsztaltu(Ksztalt ksztalt, QSize rozmiar);

// Building blocks for the window skins.
// A window: white body, slate title strip of the given height, 1-pixel slate frame. The title
// is painted from tytulX (none when empty).
void MalujRamkeOkna(QPainter& p, QSize rozmiar, Ksztalt ksztalt, int wysokoscListwy,
                    const QString& tytul = {}, int tytulX = 14);
// The drag strip: the slate gradient with its top highlight.
void MalujListwe(QPainter& p, const QRectF& r);
// The close mark, centred in r (drawn on a strip).
void MalujZnakZamkniecia(QPainter& p, const QRectF& r);
// The flat button with its caption; zaznaczony: the lighter, outlined keyboard selection.
void MalujPrzycisk(QPainter& p, const QRectF& r, const QString& napis, bool zaznaczony);
// The faces of the flat buttons filling r: a light gradient in a rounded frame; the small glyph
// buttons' face is lighter, with rounder corners. Both leave the painter antialiased, with its
// pen and brush changed.
void MalujLicoPrzycisku(QPainter& p, const QRectF& r);
void MalujTloMalegoPrzycisku(QPainter& p, const QRectF& r);

// The flat scroll bar of the windows' look, as a style sheet for QScrollBar: a light track in
// a thin frame, a slate thumb with rounded ends that darkens under the mouse and when pressed.
QString ArkuszListwy(Qt::Orientation kierunek);

// The named picture at its own size, or a null pixmap for an unknown name. Painted at the
// application's device pixel ratio.
QPixmap Obrazek(const QString& nazwa);
// The named picture painted at another size.
QPixmap Obrazek(const QString& nazwa, QSize rozmiar);
// The picture's own size (empty for an unknown name).
QSize RozmiarObrazka(const QString& nazwa);
QStringList NazwyObrazkow();

// Adds a named picture (letter case ignored) painted at its own size by `maluj`: windows
// register their skins from files of their own; Obrazek() then paints them like the rest. A
// name already taken is replaced.
using Malowanie = std::function<void(QPainter&, QSizeF)>;
void DodajObrazek(const QString& nazwa, QSize rozmiar, Malowanie maluj);

// The animated save confirmation icon: its frames (42 x 42) and how long each is shown (ms).
// One cycle lasts exactly as long as the icon is shown.
struct Klatka {
    QImage obraz;
    int czasMs = 0;
};
QList<Klatka> KlatkiIkonyZapisu(qreal skala = 1.0);

// The version and the day this build was made, painted in the vignette.
QString WersjaProgramu();
QDate DataKompilacji();

} // namespace sondrel::skora
