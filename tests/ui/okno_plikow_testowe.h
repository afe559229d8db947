// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixture the file-list windows' tests start from: the window tests' program, the open
// dialog answering `wybor` (and noting the folder it was opened in), the window placed from
// the point 100, 50.

#include "support/ui/program_testowy.h"
#include "ui/program.h"
#include "ui/skory/skora.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sondrel::testy {

template <class Okno> class OknoPlikowTest : public ProgramTestowy {
protected:
    Okno okno{program};
    QSignalSpy gotowa{&okno, &Okno::analizaGotowa};
    // What the open dialog answers, and the folders it was opened in.
    QStringList wybor;
    QStringList folderyDialogu;

    void SetUp() override {
        okno.OknoOtwierania = [this](QString& f) {
            folderyDialogu.append(f);
            if (!wybor.isEmpty()) f = QFileInfo(wybor.first()).absolutePath();
            return wybor;
        };
        okno.PunktOdniesienia = [] { return QPoint(100, 50); };
    }

    // How the test menu opens the window.
    virtual void Otworz() = 0;
    // Opens the window modally and runs `krok` inside its modal loop.
    void WModalnym(std::function<void()> krok) {
        QTimer::singleShot(0, &okno, [this, krok] {
            EXPECT_EQ(QApplication::activeModalWidget(), &okno);
            krok();
            if (okno.isVisible()) okno.Zamknij(); // never hang the test
        });
        Otworz();
        EXPECT_FALSE(okno.isVisible());
    }
};

// Whether the keyboard's focus mark runs through (x, y) of a grabbed list or tree: one of three
// pixels down is its slate (a dotted line has gaps).
inline bool ZnakFokusuW(const QImage& obraz, int x, int y) {
    for (int d = 0; d < 3; ++d)
        if (QColor(obraz.pixel(x, y + d)) == QColor::fromRgba(skora::Granat)) return true;
    return false;
}

} // namespace sondrel::testy
