// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace engine {
namespace {

// The ASCII character a typed character stands for in a number, or 0.
char asciiTwin(char16_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= u'\uFF10' && c <= u'\uFF19')
        return static_cast<char>('0' + (c - u'\uFF10'));
    switch (c) {
    case u'\uFF0E':
        return '.';
    case u'\uFF0B':
        return '+';
    case u'\uFF0D':
    case u'\u2212':
        return '-';
    case u'\uFF25':
        return 'E';
    case u'\uFF45':
        return 'e';
    default:
        return 0;
    }
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}

// The accepted prefix of a text, spelled in ASCII, and enough about its digits to tell an
// overflow from an underflow when the standard conversion reports the value out of range.
struct Scanned {
    std::string ascii;
    bool anyDigit = false;
    long long decimalMagnitude = 0; // roughly log10 of the value
};

Scanned scan(std::u16string_view text) {
    Scanned out;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    auto peek = [&](std::size_t at) { return at < text.size() ? asciiTwin(text[at]) : '\0'; };

    if (isSign(peek(i)))
        out.ascii += peek(i++);

    bool seenPoint = false;
    bool seenNonZero = false;
    // Integer digits after leading zeros, or minus the zeros after the point.
    long long magnitude = 0;
    for (char c = peek(i); isDigit(c) || (c == '.' && !seenPoint); c = peek(++i)) {
        out.ascii += c;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        out.anyDigit = true;
        if (c != '0')
            seenNonZero = true;
        if (!seenPoint && seenNonZero)
            ++magnitude;
        else if (seenPoint && !seenNonZero)
            --magnitude;
    }
    if (!out.anyDigit)
        return out;

    // An exponent counts only when at least one digit follows the E and its sign.
    if (char e = peek(i); e == 'E' || e == 'e') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (isSign(peek(j)))
            exponent += peek(j++);
        long long exponentValue = 0;
        bool exponentDigit = false;
        for (char c = peek(j); isDigit(c); c = peek(++j)) {
            exponent += c;
            exponentDigit = true;
            exponentValue = std::min(exponentValue * 10 + (c - '0'), 1'000'000'000'000LL);
        }
        if (exponentDigit) {
            out.ascii += exponent;
            magnitude += exponent[1] == '-' ? -exponentValue : exponentValue;
        }
    }
    out.decimalMagnitude = magnitude;
    return out;
}

} // namespace

ReadNumber readNumber(std::u16string_view text) {
    const Scanned scanned = scan(text);
    if (!scanned.anyDigit)
        return {};

    const char* first = scanned.ascii.data();
    const char* last = first + scanned.ascii.size();
    const bool negative = *first == '-';
    if (isSign(*first))
        ++first; // from_chars takes no plus sign; the minus is applied below for symmetry

    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    assert(end == last);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (scanned.decimalMagnitude > 0)
            return {0, true};
        value = 0; // too small for a double: it reads as zero
    }
    return {negative ? -value : value, false};
}

std::u16string writeNumber(double value) {
    assert(std::isfinite(value));
    if (value == 0)
        return u"0"; // also negative zero

    // d.dddddddddddddde±x: 15 significant digits, correctly rounded.
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(), written.ptr);
    const std::size_t e = text.find('e');
    const bool negative = text.front() == '-';

    std::string digits; // the significant digits without the point
    for (char c : text.substr(0, e))
        if (isDigit(c))
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                out += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
            }
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        out += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    }
    return std::u16string(out.begin(), out.end());
}

} // namespace engine
