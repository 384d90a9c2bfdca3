// What the real window shows: the design's colours on every key face, the background, the
// display lines and the lamps, the client area's size at any scale, and the key flash.
#include "face_points.h"
#include "faces/form1_face.h"
#include "main_window.h"
#include "printers.h"

#include <QApplication>
#include <QMenuBar>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

namespace gui_test {
namespace {

// A colour of the face table as the screen should show it. Of the system colours, only the
// window background fills anything on this face.
QColor shown(forms::Colour colour) {
    if (colour == forms::system_colour::WindowBackground)
        return QApplication::palette().color(QPalette::Base);
    const forms::Rgb rgb = forms::rgbOf(colour);
    return {rgb.red, rgb.green, rgb.blue};
}

const QColor Green(0, 255, 0);
const QColor Pink(255, 128, 128);

class Rendering : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }
    MainWindow main;
};

TEST(RenderingAtStart, LampsArePinkUntilTheFirstTickThenOddOnesGreen) {
    MainWindow main; // no event processed yet: the lamp timer cannot have ticked
    const Snapshot before = main.snapshot();
    ASSERT_EQ(main.form().lamps.LampTick, 0);
    for (int n = 1; n <= 56; ++n)
        EXPECT_EQ(before.at(lampCentre(n)), Pink) << "ShapeK" << n;

    ASSERT_TRUE(QTest::qWaitFor([&] { return main.form().lamps.LampTick >= 1; }, 3000));
    const Snapshot after = main.snapshot();
    // Ticks 0 to 10 all paint the first chase pattern.
    ASSERT_LE(main.form().lamps.LampTick, 11) << "the machine stalled for a second";
    for (int n = 1; n <= 56; ++n)
        EXPECT_EQ(after.at(lampCentre(n)), n % 2 == 1 ? Green : Pink) << "ShapeK" << n;
    // Where the ring closes, the pink ShapeK56 lies over the green ShapeK1.
    const QRect last = pixels(form1Element("ShapeK56").rect);
    ASSERT_TRUE(pixels(form1Element("ShapeK1").rect).contains(last.left(), last.center().y()));
    EXPECT_EQ(after.at({last.left(), last.center().y()}), Pink);
}

TEST_F(Rendering, KeyFacesBackgroundAndDisplayLinesShowTheirDesignColours) {
    const Snapshot picture = main.snapshot();
    for (const KeyDesign& key : form1Keys())
        EXPECT_EQ(picture.at(faceSamplePoint(key)), shown(key.face->backColor)) << key.face->name;
    EXPECT_EQ(picture.at(bareBackground()), shown(faces::form1Face().window.backColor));
    EXPECT_EQ(picture.at(bareBackground()), Pink);
    for (const char* line : {"Text1", "Text2"})
        EXPECT_EQ(picture.at(textBoxBackground(line)), shown(form1Element(line).backColor)) << line;
}

TEST_F(Rendering, ClientAreaBelowTheMenuBarIsTheDesignSizeInDevicePixels) {
    const auto* menuBar = main.window()->findChild<QMenuBar*>();
    ASSERT_NE(menuBar, nullptr);
    const forms::WindowDesign& design = faces::form1Face().window;
    const QSize logical = pixels({0, 0, design.clientWidth, design.clientHeight}).size();
    EXPECT_EQ(logical, QSize(707, 597));
    EXPECT_EQ(main.client()->size(), logical);
    EXPECT_EQ(main.client()->y(), menuBar->geometry().bottom() + 1);
    const int scale = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1;
    EXPECT_EQ(main.snapshot().deviceSize(), logical * scale); // 1414 x 1194 at scale 2
    EXPECT_EQ(main.window()->windowTitle(), QString::fromUtf16(u"ぽこたま"));
}

TEST_F(Rendering, ClickedEntryKeysFacesAreBlackUntilTheNextKeyFlashTick) {
    const std::u16string_view captions[] = {u"8", u"2", u"+/-"};
    for (std::u16string_view caption : captions) {
        main.press(caption);
        EXPECT_EQ(main.snapshot().at(faceSamplePoint(form1Key(caption))), QColor(Qt::black))
            << "right after the click on " << form1Key(caption).label->name;
    }
    // The next tick comes within 200 ms; the rest is slack for a loaded machine.
    auto allBack = [&] {
        const Snapshot picture = main.snapshot();
        return std::all_of(std::begin(captions), std::end(captions), [&](auto caption) {
            const KeyDesign key = form1Key(caption);
            return picture.at(faceSamplePoint(key)) == shown(key.face->backColor);
        });
    };
    EXPECT_TRUE(QTest::qWaitFor(allBack, 1000));
}

} // namespace
} // namespace gui_test
