// A display for driving the calculator by key sequences: holds both lines as text and
// records every message box with the number of keys pressed before it.
#pragma once

#include "engine/calculator.h"
#include "engine/display.h"

#include <string>
#include <string_view>
#include <vector>

struct Message {
    std::u16string text;
    int afterKeys; // keys fully handled before the one that showed it
    friend bool operator==(const Message&, const Message&) = default;
};

class FakeDisplay final : public engine::Display {
  public:
    std::u16string formula;
    std::u16string entry;
    std::vector<Message> messages;
    int keysPressed = 0;

    const std::u16string& formulaLine() const override { return formula; }
    void setFormulaLine(std::u16string text) override { formula = std::move(text); }
    const std::u16string& entryLine() const override { return entry; }
    void setEntryLine(std::u16string text) override { entry = std::move(text); }
    void showMessage(std::u16string_view text) override {
        messages.push_back({std::u16string(text), keysPressed});
    }
};

// Presses keys named by one character each: digits, '.', 'n' (+/-), '+', '-', '*', '/',
// '=', 'c' (C) and 'e' (CE). Spaces are ignored.
inline void press(engine::Calculator& calculator, FakeDisplay& display, std::string_view keys) {
    for (char key : keys) {
        switch (key) {
        case ' ':
            continue;
        case '+':
            calculator.pressOperator(engine::Operator::Plus);
            break;
        case '-':
            calculator.pressOperator(engine::Operator::Minus);
            break;
        case '*':
            calculator.pressOperator(engine::Operator::Multiply);
            break;
        case '/':
            calculator.pressOperator(engine::Operator::Divide);
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
        case 'n':
            calculator.pressEntryKey(u'-');
            break;
        default:
            calculator.pressEntryKey(static_cast<char16_t>(key));
            break;
        }
        ++display.keysPressed;
    }
}
