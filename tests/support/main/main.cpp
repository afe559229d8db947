// SPDX-License-Identifier: GPL-3.0-or-later
// Main routine of every test program: the tests run with the Polish locale and with the
// program's data folder inside a temporary folder of their own, never the user's.
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#if defined(SONDREL_TEST_GUI)
#include <QApplication>
#elif defined(SONDREL_TEST_MALARZ)
#include <QGuiApplication>
#else
#include <QCoreApplication>
#endif

int main(int argc, char** argv) {
    QTemporaryDir dane;
    qputenv("XDG_DATA_HOME", dane.path().toLocal8Bit());
    qputenv("HOME", dane.path().toLocal8Bit());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
#if defined(SONDREL_TEST_GUI)
    QApplication app(argc, argv);
#elif defined(SONDREL_TEST_MALARZ)
    // Painting charts needs fonts, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
