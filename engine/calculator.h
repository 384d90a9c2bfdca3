// The calculator of the main window: its state fields, the clearing protocol, the entry and
// clearing keys, the four operator keys with the operator lock, and the equals key, all
// evaluated strictly left to right through the text of the entry line. Flashing key faces
// and the lamps are left to lights/; the display lines live behind engine::Display.
#pragma once

#include "engine/display.h"

#include <cstdint>
#include <string>

namespace engine {

enum class Operator : std::uint8_t { None = 0, Plus = 1, Minus = 2, Multiply = 3, Divide = 4 };

class Calculator {
  public:
    explicit Calculator(Display& display) : display_(display) {}

    // The state, named as the window's fields are named. All zero or empty at start.
    std::uint8_t EnzanKind = 0; // the pending operator, an Operator code
    double ValA = 0;            // accumulator: the left operand
    double ValB = 0;            // the entry line's value at the last evaluation
    std::u16string ClrMode;     // empty, texts::ClearEntry or texts::ClearAll
    std::u16string RenzokuMode; // empty, texts::LockOn or texts::LockOff

    // The clearing check every entry key runs first.
    void ClrHantei();
    // Applies the pending operator and sets the operator lock (operator keys).
    void Enzan();
    // The same evaluation without the lock (equals key).
    void EqualEnzan();

    // An entry key after its clearing check: appends its character to the entry line.
    void pressEntryKey(char16_t appended);
    void pressClear();    // C: the entry line only
    void pressClearAll(); // CE: both lines and both numbers, not the pending operator
    void pressOperator(Operator op);
    // The equals key after it has started the lamps' result flash.
    void pressEquals();

  private:
    // Returns false when the evaluation ended early on a message box.
    bool evaluate();
    bool writeResult(double result);
    void appendToFormula(std::u16string_view text);

    Display& display_;
};

} // namespace engine
