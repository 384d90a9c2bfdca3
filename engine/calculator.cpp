// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/number_text.h"
#include "engine/texts.h"

#include <cmath>

namespace engine {
namespace {

std::u16string_view symbolOf(Operator op) {
    switch (op) {
    case Operator::Plus:
        return u"\uFF0B";
    case Operator::Minus:
        return u"\uFF0D";
    case Operator::Multiply:
        return u"\u00D7";
    case Operator::Divide:
        return u"\u00F7";
    case Operator::None:
        break;
    }
    return {};
}

} // namespace

void Calculator::ClrHantei() {
    RenzokuMode = OperatorLock::Off;
    if (ClrMode == PendingClear::EntryLine) {
        display_.setEntryLine({});
        ClrMode = PendingClear::None;
    } else if (ClrMode == PendingClear::Everything) {
        display_.setFormulaLine({});
        display_.setEntryLine({});
        ValA = 0;
        ValB = 0;
        ClrMode = PendingClear::None;
        EnzanKind = Operator::None;
    }
}

void Calculator::Enzan() {
    if (evaluate())
        RenzokuMode = OperatorLock::On;
}

void Calculator::EqualEnzan() {
    evaluate();
}

bool Calculator::evaluate() {
    if (ClrMode == PendingClear::Everything) {
        display_.setFormulaLine({});
        EnzanKind = Operator::None;
    }
    // A value beyond the range of a double leaves ValB as it was: no field ever holds a
    // value that is not finite.
    const ReadNumber entry = readNumber(display_.entryLine());
    if (!entry.outOfRange)
        ValB = entry.value;
    appendToFormula(display_.entryLine());
    if (entry.outOfRange) {
        display_.showMessage(texts::TooLarge);
        return false;
    }

    switch (EnzanKind) {
    case Operator::None:
        break;
    case Operator::Plus:
        if (!writeResult(ValA + ValB))
            return false;
        break;
    case Operator::Minus:
        if (!writeResult(ValA - ValB))
            return false;
        break;
    case Operator::Multiply:
        if (!writeResult(ValA * ValB))
            return false;
        break;
    case Operator::Divide:
        if (ValB == 0) {
            display_.showMessage(texts::DivisionByZero);
            return false;
        }
        if (!writeResult(ValA / ValB))
            return false;
        break;
    }
    // Re-read from the text, so the accumulator holds exactly what the display shows.
    ValA = readNumber(display_.entryLine()).value;
    return true;
}

// Writes a result to the entry line, unless it (or its 15-digit text) lies beyond the
// range of a double; then the entry line keeps its text and the user is told.
bool Calculator::writeResult(double result) {
    if (std::isfinite(result)) {
        std::u16string text = writeNumber(result);
        if (!readNumber(text).outOfRange) {
            display_.showResult(std::move(text));
            return true;
        }
    }
    display_.showMessage(texts::TooLarge);
    return false;
}

void Calculator::appendToFormula(std::u16string_view text) {
    std::u16string formula = display_.formulaLine();
    formula += text;
    display_.setFormulaLine(std::move(formula));
}

void Calculator::pressEntryKey(char16_t appended) {
    ClrHantei();
    std::u16string entry = display_.entryLine();
    entry += appended;
    display_.setEntryLine(std::move(entry));
}

void Calculator::pressClear() {
    display_.setEntryLine({});
    ValB = 0;
}

void Calculator::pressClearAll() {
    display_.setEntryLine({});
    display_.setFormulaLine({});
    ValA = 0;
    ValB = 0;
}

void Calculator::pressOperator(Operator op) {
    if (RenzokuMode == OperatorLock::On)
        return;
    Enzan();
    EnzanKind = op;
    appendToFormula(symbolOf(op));
    ClrMode = PendingClear::EntryLine;
}

void Calculator::pressEquals() {
    EqualEnzan();
    std::u16string tail = u"=";
    tail += display_.entryLine();
    appendToFormula(tail);
    ClrMode = PendingClear::Everything;
    ValA = 0;
    ValB = 0;
}

} // namespace engine
