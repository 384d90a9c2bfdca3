#include "engine/calculator.h"
#include "engine/number_text.h"
#include "engine/texts.h"
#include "fake_display.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using engine::texts::DivisionByZero;
using engine::texts::TooLarge;

struct KeyCase {
    std::string keys;
    std::u16string formula;
    std::u16string entry;
    std::vector<Message> messages{};
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << '"' << c.keys.substr(0, 24) << (c.keys.size() > 24 ? "…" : "") << '"';
}

class KeySequence : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequence, ShowsBothLines) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, GetParam().keys);
    EXPECT_EQ(display.formula, GetParam().formula);
    EXPECT_EQ(display.entry, GetParam().entry);
    EXPECT_EQ(display.messages, GetParam().messages);
}

Message divisionByZero(int afterKeys) {
    return {std::u16string(DivisionByZero), afterKeys};
}
Message tooLarge(int afterKeys) {
    return {std::u16string(TooLarge), afterKeys};
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeySequence,
    ::testing::Values(
        // Entry keys append; the sign key appends a hyphen wherever the entry stands.
        KeyCase{"12", u"", u"12"}, KeyCase{"n5", u"", u"-5"}, KeyCase{"5n", u"", u"5-"},
        KeyCase{".5", u"", u".5"}, KeyCase{"5..2", u"", u"5..2"},
        // The worked example, key by key, and a second digit after its fresh start.
        KeyCase{"1", u"", u"1"}, KeyCase{"12+", u"12＋", u"12"}, KeyCase{"12+3", u"12＋", u"3"},
        KeyCase{"12+3*", u"12＋3×", u"15"}, KeyCase{"12+3*2", u"12＋3×", u"2"},
        KeyCase{"12+3*2=", u"12＋3×2=30", u"30"}, KeyCase{"12+3*2=56", u"", u"56"},
        // Evaluation is left to right, and the operator lock ignores a second operator.
        KeyCase{"2+3*4=", u"2＋3×4=20", u"20"}, KeyCase{"12+-3=", u"12＋3=15", u"15"},
        KeyCase{"12+=", u"12＋12=24", u"24"}, KeyCase{"12+3==", u"15=15", u"15"},
        KeyCase{"12+=+", u"12＋12=24", u"24"}, KeyCase{"12+3=-4=", u"15－4=11", u"11"},
        KeyCase{"12+.-4=", u"12＋.－4=8", u"8"}, KeyCase{"12+n*2=", u"12＋-×2=24", u"24"},
        KeyCase{"1/3*3=", u"1÷3×3=0.999999999999999", u"0.999999999999999"},
        KeyCase{"0.1+0.2=", u"0.1＋0.2=0.3", u"0.3"},
        KeyCase{"10000000*100000000=", u"10000000×100000000=1E+15", u"1E+15"},
        KeyCase{"10000000*100000000*2=", u"10000000×100000000×2=2E+15", u"2E+15"},
        KeyCase{"n5-n5=", u"-5－-5=0", u"0"}, KeyCase{"5n+1=", u"5-＋1=6", u"6"},
        // Division by zero: the message, then the entry line keeps the divisor.
        KeyCase{"8/0=", u"8÷0=0", u"0", {divisionByZero(3)}},
        KeyCase{"8/0+2=", u"8÷0＋2=10", u"10", {divisionByZero(3)}},
        KeyCase{"8/n0=", u"8÷-0=-0", u"-0", {divisionByZero(4)}},
        KeyCase{"8/0++", u"8÷0＋0＋", u"8", {divisionByZero(3)}},
        // The clearing keys: C clears the entry, CE both lines but not the operator.
        KeyCase{"12+3c=", u"12＋=12", u"12"}, KeyCase{"12+e3=", u"3=3", u"3"},
        KeyCase{"12+3=c", u"12＋3=15", u""}, KeyCase{"12c3", u"", u"3"},
        // Beyond the range of a double: a message, and the evaluation ends as on a zero
        // divisor.
        KeyCase{"1" + std::string(400, '0') + "+",
                u"1" + std::u16string(400, u'0') + u"＋",
                u"1" + std::u16string(400, u'0'),
                {tooLarge(401)}}));

// Results and entries beyond the range of a double, typed into the entry line.
TEST(Calculator, ResultsBeyondTheRangeLeaveTheEntryAndAccumulator) {
    struct Row {
        std::u16string_view left, right;
        engine::Operator op;
    };
    for (const Row& row : {Row{u"1E200", u"1E200", engine::Operator::Multiply},
                           Row{u"1E308", u"1E308", engine::Operator::Plus},
                           Row{u"-1E308", u"1E308", engine::Operator::Minus},
                           Row{u"1E300", u"1E-10", engine::Operator::Divide},
                           // finite, but its 15-digit text would read back too large
                           Row{u"1.7976931348623157E+308", u"0", engine::Operator::Plus}}) {
        FakeDisplay display;
        engine::Calculator calculator(display);
        display.entry = row.left;
        calculator.pressOperator(row.op);
        const double accumulator = calculator.ValA;
        calculator.pressEntryKey(u'0'); // unlocks and clears, then the typed operand
        display.entry = row.right;
        calculator.pressOperator(engine::Operator::Plus);
        EXPECT_EQ(display.entry, row.right);
        EXPECT_EQ(calculator.ValA, accumulator);
        EXPECT_EQ(calculator.RenzokuMode, engine::OperatorLock::Off);
        EXPECT_EQ(calculator.EnzanKind, engine::Operator::Plus); // the key still ran its last steps
        EXPECT_EQ(calculator.ClrMode, engine::PendingClear::EntryLine);
        ASSERT_EQ(display.messages.size(), 1U);
        EXPECT_EQ(display.messages[0].text, TooLarge);
    }
}

TEST(Calculator, EntriesBeyondTheRangeAreNeverTakenIn) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, "5+");
    display.entry = u"1E999";
    calculator.pressEquals();
    EXPECT_EQ(display.formula, u"5＋1E999=1E999");
    EXPECT_EQ(calculator.ValA, 0);
    EXPECT_EQ(calculator.ValB, 0);
    EXPECT_EQ(display.messages.size(), 1U);
}

TEST(Calculator, OperatorAfterEqualsContinuesFromTheResult) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, "12+3=*");
    EXPECT_EQ(display.formula, u"15×");
    EXPECT_EQ(calculator.ValA, 15);
    EXPECT_EQ(calculator.EnzanKind, engine::Operator::Multiply);
    EXPECT_EQ(calculator.ClrMode, engine::PendingClear::EntryLine);
}

TEST(Calculator, EqualsAfterAnOperatorKeepsTheLockAndTheRequest) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, "12+=");
    EXPECT_EQ(calculator.RenzokuMode, engine::OperatorLock::On);
    press(calculator, display, "*");
    EXPECT_EQ(calculator.ClrMode, engine::PendingClear::Everything);
    EXPECT_EQ(calculator.EnzanKind, engine::Operator::Plus);
    EXPECT_EQ(display.formula, u"12＋12=24");
}

TEST(Calculator, AccumulatorHoldsExactlyWhatTheEntryLineShows) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, "1/3+");
    EXPECT_EQ(calculator.ValA, 0.333333333333333);
    EXPECT_EQ(calculator.ValB, 3);
    EXPECT_EQ(display.entry, u"0.333333333333333");
}

} // namespace
