// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixture of the window tests: the program with its folders in a temporary folder of the
// test's own (ProgramWFolderze), every message recorded instead of shown. A test fixture
// derives from it and adds its windows:
//
//     class TFTabelaTest : public testy::ProgramTestowy {
//     protected:
//         std::unique_ptr<TFTabela> okno = std::make_unique<TFTabela>(program);
//     };
//     TEST_F(TFTabelaTest, ...) {
//         ...
//         EXPECT_EQ(komunikaty, (QList<testy::Komunikat>{{KomunikatInformacja, IkonaUwaga, "…"}}));
//     }
//
// The windows a derived fixture holds are destroyed before the program.

#include "support/srodowisko_testowe.h"
#include "ui/program.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sondrel::testy {

// The program with its folders in a temporary folder of its own: Program/, Temp/ and
// Dokumenty/ made, the journal and the settings file beside them; nothing in the user's
// folders or beside the running program.
struct ProgramWFolderze {
    ProgramWFolderze();
    QTemporaryDir folder;
    Program program;
};

class ProgramTestowy : public ::testing::Test, public ProgramWFolderze {
protected:
    ProgramTestowy();
    // Every message the program gave, in order.
    QList<Komunikat> komunikaty;
    // What a question answers; any other message answers WynikZamknij.
    int odpowiedz = WynikZamknij;

    // Records the messages again after Program::UtworzOkna made its message dialog their
    // handler.
    void ZapisujKomunikaty() {
        testy::ZapisujKomunikaty(program.srodowisko.komunikaty, komunikaty, odpowiedz);
    }
    QString sciezka(const QString& nazwa) const { return folder.filePath(nazwa); }
    // The texts of the recorded messages.
    QStringList teksty() const { return Teksty(komunikaty); }
};

} // namespace sondrel::testy
