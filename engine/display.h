// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The calculator's one seam to its window: the formula line, the entry line and the modal
// message box. The window decides how they look; the calculator only reads and writes text.
#pragma once

#include <string>
#include <string_view>

namespace engine {

class Display {
  public:
    virtual ~Display() = default;
    virtual const std::u16string& formulaLine() const = 0; // Text1
    virtual void setFormulaLine(std::u16string text) = 0;
    virtual const std::u16string& entryLine() const = 0; // Text2
    virtual void setEntryLine(std::u16string text) = 0;
    // Writes a result of the calculation to the entry line: the running total an operator key
    // computed, or the result of ＝.
    virtual void showResult(std::u16string text) = 0;
    // Returns when the user has closed the box.
    virtual void showMessage(std::u16string_view text) = 0;
};

} // namespace engine
