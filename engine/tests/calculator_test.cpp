// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"
#include "engine/display.h"
#include "engine/texts.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A display for driving the calculator by key sequences: holds both lines as text and
// records every message box with the number of keys pressed before it.
struct Message {
    std::u16string_view text;
    int afterKeys; // keys fully handled before the one that showed it
    friend bool operator==(const Message&, const Message&) = default;
};

class FakeDisplay final : public engine::Display {
  public:
    std::u16string formula;
    std::u16string entry;
    std::vector<Message> messages;
    std::vector<std::u16string> results;
    int keysPressed = 0;

    const std::u16string& formulaLine() const override { return formula; }
    void setFormulaLine(std::u16string text) override { formula = std::move(text); }
    const std::u16string& entryLine() const override { return entry; }
    void setEntryLine(std::u16string text) override { entry = std::move(text); }
    void showResult(std::u16string text) override {
        results.push_back(text);
        entry = std::move(text);
    }
    void showMessage(std::u16string_view text) override { messages.push_back({text, keysPressed}); }
};

// Presses keys named by one character each: digits, '.', 'n' (+/-), '+', '-', '*', '/',
// '=', 'c' (C) and 'e' (CE). "[text]" is the user typing text over the entry line (one key).
inline void press(engine::Calculator& calculator, FakeDisplay& display, std::string_view keys) {
    using engine::Operator;
    for (std::size_t i = 0; i < keys.size(); ++i, ++display.keysPressed) {
        switch (const char key = keys[i]) {
        case '[': {
            const std::size_t end = keys.find(']', i);
            display.entry.assign(keys.begin() + i + 1, keys.begin() + end);
            i = end;
            break;
        }
        case '+':
        case '-':
        case '*':
        case '/':
            calculator.pressOperator(key == '+'   ? Operator::Plus
                                     : key == '-' ? Operator::Minus
                                     : key == '*' ? Operator::Multiply
                                                  : Operator::Divide);
            break;
        case '=':
            calculator.pressEquals();
            break;
        case 'c':
            calculator.pressClear();
            break;
        case 'e':
            calculator.pressClearAll();
            break;
        default:
            calculator.pressEntryKey(key == 'n' ? u'-' : static_cast<char16_t>(key));
        }
    }
}

using engine::Operator;
using engine::OperatorLock;
using engine::PendingClear;
using engine::texts::DivisionByZero;
using engine::texts::TooLarge;

struct KeyCase {
    std::string keys;
    std::u16string formula;
    std::u16string entry;
    std::vector<Message> messages{};
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << '"' << c.keys.substr(0, 40) << (c.keys.size() > 40 ? "…" : "") << '"';
}

// The results the calculator shows as results (what a screen reader is told): one for each
// operator or ＝ that computes one, none for a key that only records its operator, is locked
// out or ends on a message.
TEST(Results, OneForEachKeyThatComputesOne) {
    const struct {
        std::string keys;
        std::vector<std::u16string> results;
    } rows[] = {
        {"12+3*2=", {u"15", u"30"}}, {"12+", {}},  {"12+3**", {u"15"}},
        {"12+3==", {u"15"}},         {"8/0=", {}},
    };
    for (const auto& row : rows) {
        FakeDisplay display;
        engine::Calculator calculator(display);
        press(calculator, display, row.keys);
        EXPECT_EQ(display.results, row.results) << row.keys;
    }
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

const std::string Huge = "1" + std::string(400, '0');

INSTANTIATE_TEST_SUITE_P(
    Examples, KeySequence,
    ::testing::Values(
        // Entry keys append; the sign key appends a hyphen wherever the entry stands.
        KeyCase{"n5", u"", u"-5"}, KeyCase{"5n", u"", u"5-"}, KeyCase{"5..2", u"", u"5..2"},
        // The worked example, and a fresh start by the entry keys after it.
        KeyCase{"12+", u"12＋", u"12"}, KeyCase{"12+3", u"12＋", u"3"},
        KeyCase{"12+3*", u"12＋3×", u"15"}, KeyCase{"12+3*2=", u"12＋3×2=30", u"30"},
        KeyCase{"12+3*2=45", u"", u"45"},
        // After ＝ a new entry starts with no pending operator, also when ＝ showed a text
        // that is not a result.
        KeyCase{"1+2=05+", u"05＋", u"05"}, KeyCase{"8/0=+", u"0＋", u"0", {{DivisionByZero, 3}}},
        KeyCase{"12+3=*", u"15×", u"15"}, KeyCase{"1+2=[05]*", u"05×", u"05"},
        // Left to right, and the operator lock ignores a second operator.
        KeyCase{"2+3*4=", u"2＋3×4=20", u"20"}, KeyCase{"12+-3=", u"12＋3=15", u"15"},
        KeyCase{"12+=", u"12＋12=24", u"24"}, KeyCase{"12+3==", u"15=15", u"15"},
        KeyCase{"12+=+", u"12＋12=24", u"24"}, KeyCase{"12+3=-4=", u"15－4=11", u"11"},
        KeyCase{"12+.-4=", u"12＋.－4=8", u"8"}, KeyCase{"12+n*2=", u"12＋-×2=24", u"24"},
        KeyCase{"1/3*3=", u"1÷3×3=0.999999999999999", u"0.999999999999999"},
        KeyCase{"0.1+0.2=", u"0.1＋0.2=0.3", u"0.3"},
        KeyCase{"10000000*100000000=", u"10000000×100000000=1E+15", u"1E+15"},
        KeyCase{"n5-n5=", u"-5－-5=0", u"0"}, KeyCase{"5n+1=", u"5-＋1=6", u"6"},
        // Division by zero: the message, then the entry line keeps the divisor.
        KeyCase{"8/0=", u"8÷0=0", u"0", {{DivisionByZero, 3}}},
        KeyCase{"8/0+2=", u"8÷0＋2=10", u"10", {{DivisionByZero, 3}}},
        KeyCase{"8/n0=", u"8÷-0=-0", u"-0", {{DivisionByZero, 4}}},
        KeyCase{"8/0++", u"8÷0＋0＋", u"8", {{DivisionByZero, 3}}},
        // C clears the entry, CE both lines but not the operator.
        KeyCase{"12+3c=", u"12＋=12", u"12"}, KeyCase{"12+e3=", u"3=3", u"3"},
        KeyCase{"12+3=c", u"12＋3=15", u""}, KeyCase{"12c3", u"", u"3"},
        // Beyond the range of a double, typed or reached: a message, and the entry line keeps
        // its text; also when the result's 15-digit text would read back too large.
        KeyCase{Huge + "+",
                u"1" + std::u16string(400, u'0') + u"＋",
                u"1" + std::u16string(400, u'0'),
                {{TooLarge, 401}}},
        KeyCase{"[1E200]*0[1E200]+", u"1E200×1E200＋", u"1E200", {{TooLarge, 4}}},
        KeyCase{"[1E308]+0[1E308]+", u"1E308＋1E308＋", u"1E308", {{TooLarge, 4}}},
        KeyCase{"[-1E308]-0[1E308]+", u"-1E308－1E308＋", u"1E308", {{TooLarge, 4}}},
        KeyCase{"[1E300]/0[1E-10]+", u"1E300÷1E-10＋", u"1E-10", {{TooLarge, 4}}},
        KeyCase{
            "[1.7976931348623157E+308]+0=", u"1.7976931348623157E+308＋0=0", u"0", {{TooLarge, 3}}},
        KeyCase{"5+[1E999]=", u"5＋1E999=1E999", u"1E999", {{TooLarge, 3}}}));

// The window's fields after a key sequence.
struct StateCase {
    std::string keys;
    Operator pending;
    double accumulator, lastEntry;
    PendingClear clear;
    OperatorLock lock;
};

void PrintTo(const StateCase& c, std::ostream* os) {
    *os << '"' << c.keys << '"';
}

class KeyState : public ::testing::TestWithParam<StateCase> {};

TEST_P(KeyState, LeavesTheFields) {
    FakeDisplay display;
    engine::Calculator calculator(display);
    press(calculator, display, GetParam().keys);
    EXPECT_EQ(calculator.EnzanKind, GetParam().pending);
    EXPECT_EQ(calculator.ValA, GetParam().accumulator);
    EXPECT_EQ(calculator.ValB, GetParam().lastEntry);
    EXPECT_EQ(calculator.ClrMode, GetParam().clear);
    EXPECT_EQ(calculator.RenzokuMode, GetParam().lock);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, KeyState,
    ::testing::Values(
        StateCase{"", Operator::None, 0, 0, PendingClear::None, OperatorLock::Off},
        // The accumulator holds exactly what the entry line shows.
        StateCase{"1/3+", Operator::Plus, 0.333333333333333, 3, PendingClear::EntryLine,
                  OperatorLock::On},
        StateCase{"12+3c", Operator::Plus, 12, 0, PendingClear::None, OperatorLock::Off},
        StateCase{"12+3=", Operator::Plus, 0, 0, PendingClear::Everything, OperatorLock::Off},
        // ＝ after an operator keeps its lock, so the next operator changes nothing.
        StateCase{"12+=*", Operator::Plus, 0, 0, PendingClear::Everything, OperatorLock::On},
        StateCase{"12+3=*", Operator::Multiply, 15, 15, PendingClear::EntryLine, OperatorLock::On},
        // No field ever takes in a value beyond the range, and the key still runs its last
        // steps.
        StateCase{"[1E200]*0[1E200]+", Operator::Plus, 1e200, 1e200, PendingClear::EntryLine,
                  OperatorLock::Off},
        StateCase{"5+0[1E999]-", Operator::Minus, 5, 5, PendingClear::EntryLine,
                  OperatorLock::Off}));

} // namespace
