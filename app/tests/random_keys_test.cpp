#include "app/form1.h"
#include "engine/number_text.h"
#include "fake_platform.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

bool mentionsInfOrNan(const std::u16string& text) {
    std::u16string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char16_t c) { return c < 0x80 ? std::tolower(c) : c; });
    return lower.find(u"inf") != std::u16string::npos || lower.find(u"nan") != std::u16string::npos;
}

// Typed entries: numbers near the ends of the double range, odd spellings, no letters
// other than E.
std::u16string randomTypedText(std::mt19937& random) {
    // clang-format off
    static const std::u16string_view pieces[] = {
        u"9", u"0", u".", u"-", u"E", u"E+", u"E-", u"307", u"308", u"309", u"1E308", u"9E307",
        u"\uFF11", u"\u3000", u" ", u"1.79769313486232E+308", u"4.94065645841247E-324", u"1E-400"};
    // clang-format on
    std::u16string text;
    for (auto n = random() % 6; n > 0; --n)
        text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(RandomKeys, InvariantsHoldAfterEveryEvent) {
    std::mt19937 random(4242);
    FakePlatform platform;
    Form1 form(platform);
    form.start();
    using Click = void (Form1::*)();
    const Click clicks[] = {
        &Form1::LabelSuuzi0_Click, &Form1::LabelSuuzi1_Click,     &Form1::LabelSuuzi2_Click,
        &Form1::LabelSuuzi3_Click, &Form1::LabelSuuzi4_Click,     &Form1::LabelSuuzi5_Click,
        &Form1::LabelSuuzi6_Click, &Form1::LabelSuuzi7_Click,     &Form1::LabelSuuzi8_Click,
        &Form1::LabelSuuzi9_Click, &Form1::LabelSyousuuTen_Click, &Form1::LabelPuraMai_Click,
        &Form1::LabelPura_Click,   &Form1::LabelMaina_Click,      &Form1::Label2_Click,
        &Form1::Label3_Click,      &Form1::LabelEqual_Click,      &Form1::LabelC_Click,
        &Form1::LabelCE_Click,     &Form1::Timer1_Timer,          &Form1::Timer2_Timer};
    const engine::Calculator& calc = form.calculator;

    for (int step = 0; step < 20000; ++step) {
        const auto choice = random() % (std::size(clicks) + 2);
        const bool wasLocked = calc.RenzokuMode == engine::OperatorLock::On;
        const auto messagesBefore = platform.messages.shown.size();
        if (choice == std::size(clicks))
            form.Text2.setText(randomTypedText(random));
        else if (choice == std::size(clicks) + 1)
            form.Text1.setText(randomTypedText(random));
        else
            (form.*clicks[choice])();

        ASSERT_TRUE(std::isfinite(calc.ValA) && std::isfinite(calc.ValB)) << "step " << step;
        ASSERT_FALSE(mentionsInfOrNan(form.Text2.text())) << "step " << step;
        ASSERT_FALSE(mentionsInfOrNan(form.Text1.text())) << "step " << step;
        const bool evaluated = !wasLocked && calc.RenzokuMode == engine::OperatorLock::On;
        if (evaluated) {
            ASSERT_EQ(platform.messages.shown.size(), messagesBefore);
            ASSERT_EQ(calc.ValA, engine::readNumber(form.Text2.text()).value) << "step " << step;
        }
        // Keep the lines short enough for the test to stay quick.
        if (form.Text1.text().size() > 2000)
            form.LabelCE_Click();
    }
}

} // namespace
