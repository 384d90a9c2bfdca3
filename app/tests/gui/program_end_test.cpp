// The program's end, run through the real application runner in a child process: the last
// visible window closed ends it, and nothing else does.
#include "printers.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace gui_test {
namespace {

TEST(ProgramEnd, EndsWhenTheLastVisibleWindowIsClosed) {
    struct Row {
        const char* scenario;
        const char* saidOnTheWay; // proves the program still ran at that step, or null
    };
    const Row rows[] = {
        {"no-about", nullptr},
        {"about-hidden", nullptr}, // hidden by its button, then the main window closed
        {"about-visible", "running with only the About window"},
        {"about-closed-first", "running with only the main window"},
    };
    for (const Row& row : rows) {
        const ProgramEnd end = runProgram(row.scenario);
        EXPECT_TRUE(end.ended) << row.scenario;
        EXPECT_EQ(end.exitCode, 0) << row.scenario << ": " << end.output.toStdString();
        if (row.saidOnTheWay != nullptr) {
            EXPECT_TRUE(end.output.contains(row.saidOnTheWay))
                << row.scenario << " ended too early: " << end.output.toStdString();
        }
    }
}

TEST(ProgramEnd, HidingTheAboutWindowWithItsButtonAfterMainWasClosedEndsTheProgram) {
    const ProgramEnd end = runProgram("about-button-after-main");
    EXPECT_TRUE(end.ended);
    EXPECT_EQ(end.exitCode, 0) << end.output.toStdString();
}

TEST(ProgramEnd, TheMessageBoxBearsTheProgramsName) {
    const ProgramEnd end = runProgram("divide-by-zero");
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_TRUE(
        end.output.contains(QString::fromUtf16(u"message box: ぽこたま | 0でわれないよ | 1")))
        << end.output.toStdString();
}

} // namespace
} // namespace gui_test
