// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The two conversions between display text and numbers. Reading takes the longest prefix
// that forms a number (sign, digits with at most one point, exponent) and ignores the rest;
// writing rounds to 15 significant digits. Both are independent of the C and C++ locales.
#pragma once

#include <string>
#include <string_view>

namespace engine {

struct ReadNumber {
    double value = 0;
    // The text names a number too large for a double; value is then 0.
    bool outOfRange = false;
};

// Leading blanks (space, tab, U+3000) are skipped, and the full-width digits, point,
// signs and E (and U+2212 minus) read as their ASCII twins.
ReadNumber readNumber(std::u16string_view text);

// Positional form for magnitudes from 1E-04 up to below 1E+15 (and zero), otherwise
// mantissa, E, sign and at least two exponent digits. `value` must be finite.
std::u16string writeNumber(double value);

} // namespace engine
