// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator of the main window: its state fields, the clearing protocol, the entry and
// clearing keys, the four operator keys with the operator lock, and the equals key, all
// evaluated strictly left to right through the text of the entry line. Flashing key faces
// and the lamps are left to lights/; the display lines live behind engine::Display.
#pragma once

#include "engine/display.h"

#include <cstdint>
#include <string>

namespace engine {

enum class Operator : std::uint8_t { None, Plus, Minus, Multiply, Divide };

// A clear request that an operator or the equals key leaves for the next entry key.
enum class PendingClear : std::uint8_t { None, EntryLine, Everything };

// Set once an operator key has evaluated; until the next entry key, operator keys do nothing.
enum class OperatorLock : bool { Off, On };

class Calculator {
  public:
    explicit Calculator(Display& display) : display_(display) {}

    // The state, named as the window's fields are named; all of it zero or none at start.
    Operator EnzanKind = Operator::None; // the pending operator
    double ValA = 0;                     // accumulator: the left operand
    double ValB = 0;                     // the entry line's value at the last evaluation
    PendingClear ClrMode = PendingClear::None;
    OperatorLock RenzokuMode = OperatorLock::Off;

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
