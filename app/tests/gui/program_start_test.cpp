// The program's start, through the real application runner in a child process: nothing that
// the first window does not need is loaded on the way to it.
#include "forms/qt/tests/image_format_plugins.h"
#include "printers.h"
#include "program_run.h"

#include <gtest/gtest.h>

namespace gui_test {
namespace {

// Image-format plugins (and the libraries they bring) are loaded whenever Qt is asked to read a
// picture without being told its format; the program's pictures and the menu bar's need none.
TEST(ProgramStart, LoadsNoImageFormatPlugin) {
    if (!forms::qt::testing::imageFormatPluginsLoaded())
        GTEST_SKIP() << "cannot tell here (a static Qt has its plugins linked in)";
    const ProgramEnd end = runProgram("started");
    EXPECT_TRUE(end.output.contains("image-format plugins loaded: 0")) << end.output.toStdString();
    EXPECT_EQ(end.exitCode, 0);
}

// The icon is read after the first frame, and is there soon after.
TEST(ProgramStart, TheWindowIconFollowsTheFirstFrame) {
    const ProgramEnd end = runProgram("started");
    EXPECT_TRUE(end.output.contains("window icon sizes: 4")) << end.output.toStdString();
}

} // namespace
} // namespace gui_test
