// The GUI tests' main: with --program=SCENARIO it is the program itself on the application
// runner (see program_run.h); otherwise a QApplication named as the program, and the tests.
#include "forms/qt/tests/test_platform.h"
#include "program_run.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    forms::qt::testing::chooseTestPlatform();
    if (const auto exitCode = gui_test::runProgramIfAsked(argc, argv))
        return *exitCode;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ぽこたま")); // message boxes take it
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
