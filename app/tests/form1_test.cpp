#include "app/form1.h"
#include "fake_platform.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class Form1Test : public ::testing::Test {
  protected:
    FakePlatform platform;
    Form1 form{platform};

    // Every key face with the colour it has on the face of the window.
    struct KeyFace {
        forms::Shape* face;
        forms::Colour colour;
        std::function<void()> press;
        bool flashes;
    };
    std::vector<KeyFace> keyFaces() {
        Form1& f = form;
        return {
            {&f.ShapeSuuzi0, 0x00FFFF, [&f] { f.LabelSuuzi0_Click(); }, true},
            {&f.ShapeSuuzi1, 0xC0C0C0, [&f] { f.LabelSuuzi1_Click(); }, true},
            {&f.ShapeSuuzi2, 0x80000005, [&f] { f.LabelSuuzi2_Click(); }, true},
            {&f.ShapeSuuzi3, 0xC0C000, [&f] { f.LabelSuuzi3_Click(); }, true},
            {&f.ShapeSuuzi4, 0xFF00FF, [&f] { f.LabelSuuzi4_Click(); }, true},
            {&f.ShapeSuuzi5, 0x0000FF, [&f] { f.LabelSuuzi5_Click(); }, true},
            {&f.ShapeSuuzi6, 0x0080FF, [&f] { f.LabelSuuzi6_Click(); }, true},
            {&f.ShapeSuuzi7, 0x00FFFF, [&f] { f.LabelSuuzi7_Click(); }, true},
            {&f.ShapeSuuzi8, 0xFFFF00, [&f] { f.LabelSuuzi8_Click(); }, true},
            {&f.ShapeSuuzi9, 0x00FF00, [&f] { f.LabelSuuzi9_Click(); }, true},
            {&f.ShapeSyousuuTen, 0x0000C0, [&f] { f.LabelSyousuuTen_Click(); }, true},
            {&f.ShapePuramai, 0x00FF00, [&f] { f.LabelPuraMai_Click(); }, true},
            {&f.ShapePura, 0xFFFF00, [&f] { f.LabelPura_Click(); }, false},
            {&f.ShapeMaina, 0x00FFFF, [&f] { f.LabelMaina_Click(); }, false},
            {&f.ShapeKakeru, 0xFF00FF, [&f] { f.Label2_Click(); }, false},
            {&f.ShapeWaru, 0x00FF00, [&f] { f.Label3_Click(); }, false},
            {&f.ShapeEqual, 0xC0C0C0, [&f] { f.LabelEqual_Click(); }, false},
            {&f.ShapeC, 0xFFFF00, [&f] { f.LabelC_Click(); }, false},
            {&f.ShapeCE, 0x0000FF, [&f] { f.LabelCE_Click(); }, false},
        };
    }
};

TEST_F(Form1Test, StartsWithEveryFieldZeroOrEmpty) {
    form.start();
    EXPECT_EQ(form.calculator.EnzanKind, engine::Operator::None);
    EXPECT_EQ(form.calculator.ValA, 0);
    EXPECT_EQ(form.calculator.ClrMode, engine::PendingClear::None);
    EXPECT_EQ(form.calculator.RenzokuMode, engine::OperatorLock::Off);
    EXPECT_EQ(form.lamps.LampMode, lights::LampPhase::ChaseOddGreen);
    EXPECT_TRUE(form.Text1.text().empty() && form.Text2.text().empty());
    EXPECT_EQ(form.Text2.backColor(), 0x0080FFU);
    EXPECT_EQ(form.Text1.backColor(), 0x00FFFFU);
    EXPECT_EQ(form.Timer1.interval(), 0);
    EXPECT_EQ(form.Timer2.interval(), 100);
    EXPECT_TRUE(form.window.visible());
    for (int n = 1; n <= 56; ++n)
        EXPECT_EQ(form.ShapeK(n).backColor(), 0x8080FFU) << n;
}

TEST_F(Form1Test, EachKeyFaceStartsInItsColourAndOnlyEntryKeysFlashIt) {
    for (const KeyFace& key : keyFaces()) {
        SCOPED_TRACE(key.face->name());
        EXPECT_EQ(key.face->backColor(), key.colour);
        key.press();
        EXPECT_EQ(key.face->backColor(), key.flashes ? forms::Black : key.colour);
        form.Timer1_Timer();
        EXPECT_EQ(key.face->backColor(), key.colour);
    }
    EXPECT_EQ(platform.messages.shown.size(), 0U);
}

TEST_F(Form1Test, KeyFlashTimerIsIdleUntilTheFirstEntryKeyThenStays) {
    form.start();
    form.LabelPura_Click();
    form.LabelEqual_Click();
    form.LabelC_Click();
    form.LabelCE_Click();
    EXPECT_EQ(form.Timer1.interval(), 0);
    form.LabelSuuzi4_Click();
    form.LabelSuuzi2_Click();
    EXPECT_EQ(form.Timer1.interval(), 200);
    EXPECT_EQ(form.ShapeSuuzi4.backColor(), forms::Black);
    EXPECT_EQ(form.ShapeSuuzi2.backColor(), forms::Black);
    form.Timer1_Timer();
    EXPECT_EQ(form.ShapeSuuzi4.backColor(), 0xFF00FFU);
    EXPECT_EQ(form.ShapeSuuzi2.backColor(), 0x80000005U);
    EXPECT_EQ(form.Timer1.interval(), 200);
}

TEST_F(Form1Test, EqualsStartsTheResultFlashBeforeItEvaluates) {
    form.start();
    form.LabelSuuzi8_Click();
    form.Label3_Click();
    form.LabelSuuzi0_Click();
    form.LabelEqual_Click();
    EXPECT_EQ(form.lamps.LampMode, lights::LampPhase::FlashRed);
    EXPECT_EQ(platform.messages.shown, std::vector<std::u16string>{u"0でわれないよ"});
    EXPECT_EQ(form.Text1.text(), u"8÷0=0");
    form.Timer2_Timer();
    EXPECT_EQ(form.ShapeK(1).backColor(), 0x0000FFU);
    EXPECT_EQ(form.Text2.backColor(), 0x0000FFU);
}

TEST_F(Form1Test, AKeyedCalculationShowsInBothLines) {
    form.start();
    for (auto click :
         {&Form1::LabelSuuzi1_Click, &Form1::LabelSuuzi2_Click, &Form1::LabelPura_Click,
          &Form1::LabelSuuzi3_Click, &Form1::LabelEqual_Click})
        (form.*click)();
    EXPECT_EQ(form.Text1.text(), u"12＋3=15");
    EXPECT_EQ(form.Text2.text(), u"15");
}

TEST_F(Form1Test, HandlersAreFoundByElementName) {
    for (std::string_view name :
         {"LabelSuuzi0", "LabelSuuzi9", "LabelSyousuuTen", "LabelPuraMai", "LabelPura",
          "LabelMaina", "Label2", "Label3", "LabelEqual", "LabelC", "LabelCE", "Timer1", "Timer2"})
        EXPECT_NE(form.handler(name), nullptr) << name;
    EXPECT_NE(form.handler("Version", 1), nullptr);
    EXPECT_NE(form.find("ShapeK56"), nullptr);
    EXPECT_EQ(form.find("ShapeK57"), nullptr);
}

TEST_F(Form1Test, AboutWindowIsSharedAndCreatedAnewAfterItsCloseBox) {
    form.Version_Click(1);
    FrmAbout* first = form.about();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->window.visible());
    form.Version_Click(1);
    EXPECT_EQ(form.about(), first);
    first->CommandVersionToziru_Click();
    EXPECT_FALSE(first->window.visible());
    EXPECT_EQ(form.about(), first);
    form.Version_Click(1);
    EXPECT_TRUE(first->window.visible());
    EXPECT_EQ(platform.viewsCreated, 2); // the main window and one About window

    platform.closeBox("frmAbout");
    EXPECT_EQ(form.about(), nullptr);
    form.Version_Click(1);
    EXPECT_NE(form.about(), nullptr);
    EXPECT_EQ(platform.viewsCreated, 3);
}

} // namespace
