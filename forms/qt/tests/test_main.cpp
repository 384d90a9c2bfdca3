#include "test_platform.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    forms::qt::testing::chooseTestPlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ぽこたま")); // message boxes take it
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
