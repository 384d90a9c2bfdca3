// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main of every Qt test program: a QApplication named as the program (message boxes take
// the name) on the offscreen platform unless QT_QPA_PLATFORM names another, then the tests.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // Offscreen, Qt reads the font files of one folder, Qt's own by default: the system's.
    if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ぽこたま"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
