// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixture the file-list windows' tests start from: a program whose journal lies in a
// temporary folder, every message recorded, the open dialog answering `wybor` (and noting the
// folder it was opened in), the window placed from the point 100, 50.

#include "support/srodowisko_testowe.h"
#include "ui/program.h"
#include "ui/skory/skora.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace sondrel::testy {

template <class Okno> class OknoPlikowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Program program;
    QList<Komunikat> komunikaty;
    Okno okno{program};
    QSignalSpy gotowa{&okno, &Okno::analizaGotowa};
    // What the open dialog answers, and the folders it was opened in.
    QStringList wybor;
    QStringList folderyDialogu;

    void SetUp() override {
        program.srodowisko.foldery.PlikDziennika = sciezka("Dziennik.txt");
        program.srodowisko.komunikaty.ustawObsluge([this](int r, int i, const QString& t) {
            komunikaty.append({r, i, t});
            return WynikZamknij;
        });
        okno.OknoOtwierania = [this](QString& f) {
            folderyDialogu.append(f);
            if (!wybor.isEmpty()) f = QFileInfo(wybor.first()).absolutePath();
            return wybor;
        };
        okno.PunktOdniesienia = [] { return QPoint(100, 50); };
    }

    QString sciezka(const QString& nazwa) const { return folder.filePath(nazwa); }

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
