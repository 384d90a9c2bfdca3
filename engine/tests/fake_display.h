// A display for driving the calculator by key sequences: holds both lines as text and
// records every message box with the number of keys pressed before it.
#pragma once

#include "engine/calculator.h"
#include "engine/display.h"

#include <string>
#include <string_view>
#include <vector>

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
    int keysPressed = 0;

    const std::u16string& formulaLine() const override { return formula; }
    void setFormulaLine(std::u16string text) override { formula = std::move(text); }
    const std::u16string& entryLine() const override { return entry; }
    void setEntryLine(std::u16string text) override { entry = std::move(text); }
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
