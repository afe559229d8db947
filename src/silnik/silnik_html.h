// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The report viewer of the HTML engine module (libsondrel_silnik.so, see modul.h): one report
// page in Qt WebEngine. Pages are local and inert: no page scripts, no requests but file: and
// qrc:, no navigation but the program's own, nothing stored on disk.

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace sondrel {

class SilnikHtml {
public:
    virtual ~SilnikHtml() = default;
    // The view, a child of the panel given when the engine was made.
    virtual QWidget* Widok() = 0;
    virtual void Zaladuj(const QUrl& adres) = 0;
    // Starts the engine's page process ahead of the first report on this blank page (a local
    // file: the reports' pages then stay in that process); its load is not reported.
    virtual void Rozgrzej(const QUrl& pusta) = 0;
    virtual QUrl Adres() const = 0;
    virtual QString Tytul() const = 0;
    // Runs the program's own script (page scripts stay off), then `potem`.
    virtual void UruchomSkrypt(const QString& skrypt, std::function<void()> potem = {}) = 0;
    // The engine's copy of the selection to the clipboard.
    virtual void Kopiuj() = 0;
    // The page as PDF with this page layout; an empty array when the engine made none.
    virtual void DrukujDoPdf(const QPageLayout& uklad,
                             std::function<void(const QByteArray&)> wynik) = 0;

    // Called once for every Zaladuj(): true when the page finished loading, false when it
    // could not be loaded. Navigations the page attempts on its own (links, forms, refreshes)
    // are refused and leave the page shown as it was: they are not reported.
    std::function<void(bool)> zaladowano;
    // Called for every frame the engine rendered of the view (its page changed, or the view was
    // shown or resized); the frame reaches the screen with the window's next paint.
    std::function<void()> klatka;
};

} // namespace sondrel
