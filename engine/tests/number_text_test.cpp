// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/number_text.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <string_view>

namespace {

std::u16string zeros(std::size_t count) {
    return std::u16string(count, u'0');
}

struct ReadCase {
    std::u16string text;
    double value;
    bool outOfRange = false;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"';
    for (char16_t ch : std::u16string_view(c.text).substr(0, 40))
        *os << (ch < 0x80 && ch >= 0x20 ? static_cast<char>(ch) : '?');
    *os << (c.text.size() > 40 ? "…\"" : "\"");
}

class ReadsNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadsNumber, TakesTheLongestNumberPrefix) {
    const engine::ReadNumber read = engine::readNumber(GetParam().text);
    EXPECT_EQ(read.value, GetParam().value);
    EXPECT_EQ(read.outOfRange, GetParam().outOfRange);
}

// 7, NUL, 8: a NUL stops the number like any other character.
constexpr char16_t SevenNulEight[] = {u'7', u'\0', u'8'};

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsNumber,
    ::testing::Values(
        // What the keys can produce.
        ReadCase{u"-5", -5}, ReadCase{u"5-", 5}, ReadCase{u"-", 0}, ReadCase{u"1.2.3", 1.2},
        ReadCase{u".5", 0.5}, ReadCase{u"", 0}, ReadCase{u"5..2", 5}, ReadCase{u"--5", 0},
        ReadCase{u"+7", 7}, ReadCase{u"-.5", -0.5},
        // Exponents need a digit after the E and its sign.
        ReadCase{u"2e3", 2000}, ReadCase{u"2E", 2}, ReadCase{u"2E+", 2}, ReadCase{u"2E-x", 2},
        ReadCase{u"2E3.5", 2000}, ReadCase{u".E5", 0},
        // What a user may type: blanks first, full-width forms, other characters stop.
        ReadCase{u"  \t\u30003", 3}, ReadCase{std::u16string(u"  5", 2), 0},
        ReadCase{u"\uFF11\uFF10\uFF0E\uFF15", 10.5}, ReadCase{u"\uFF0D\uFF19", -9},
        ReadCase{u"\u22124", -4}, ReadCase{u"\uFF0B2", 2}, ReadCase{u"1\uFF25\uFF12", 100},
        ReadCase{u"1\uFF45-1", 0.1}, ReadCase{u"3 4", 3}, ReadCase{u"abc", 0}, ReadCase{u"1,5", 1},
        ReadCase{u"\u0663", 0}, ReadCase{{SevenNulEight, 3}, 7},
        // Too small for a double reads as zero; too large is reported. Long mantissas count
        // their digits before and zeros after the point against the exponent.
        ReadCase{u"1E-400", 0}, ReadCase{u"4.94065645841247E-324", 4.94065645841247E-324},
        ReadCase{u"0E999999999999999999999", 0}, ReadCase{u"1E999", 0, true},
        ReadCase{u"-1E309", 0, true}, ReadCase{u"1.79769313486232E+308", 0, true},
        ReadCase{u"1.79769313486231E+308", 1.79769313486231E+308},
        ReadCase{u"1E99999999999999999999999", 0, true},
        ReadCase{std::u16string(400, u'9'), 0, true}, ReadCase{u"0." + zeros(400) + u"1", 0},
        ReadCase{u"1" + zeros(500) + u"E-100", 0, true},
        ReadCase{u"2." + zeros(400) + u"E308", 0, true}, ReadCase{zeros(400) + u"1E309", 0, true},
        ReadCase{u"0." + zeros(2000) + u"1E2310", 0, true},
        ReadCase{u"0." + zeros(1000) + u"1E600", 0},
        ReadCase{u"1" + zeros(10310) + u"E-9999", 0, true}));

struct WriteCase {
    double value;
    std::u16string_view text;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.value;
}

class WritesNumber : public ::testing::TestWithParam<WriteCase> {};

// Every text written (but one beyond the largest double) reads back to a value that writes as
// the same text.
TEST_P(WritesNumber, RoundsToFifteenDigits) {
    EXPECT_EQ(engine::writeNumber(GetParam().value), GetParam().text);
    if (const engine::ReadNumber back = engine::readNumber(GetParam().text); !back.outOfRange) {
        EXPECT_EQ(engine::writeNumber(back.value), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, WritesNumber,
    ::testing::Values(
        WriteCase{0, u"0"}, WriteCase{-0.0, u"0"}, WriteCase{0.5, u"0.5"}, WriteCase{-5, u"-5"},
        WriteCase{15, u"15"}, WriteCase{1e15, u"1E+15"}, WriteCase{1.5e-05, u"1.5E-05"},
        WriteCase{0.0001, u"0.0001"}, WriteCase{0.1 + 0.2, u"0.3"}, WriteCase{1e-9, u"1E-09"},
        WriteCase{1e-10, u"1E-10"}, WriteCase{-2.5e99, u"-2.5E+99"},
        WriteCase{1.0 / 3, u"0.333333333333333"}, WriteCase{2.0 / 3, u"0.666666666666667"},
        WriteCase{999999999999999, u"999999999999999"}, WriteCase{999999999999999.5, u"1E+15"},
        WriteCase{-1e100, u"-1E+100"}, WriteCase{123456789012345678.0, u"1.23456789012346E+17"},
        WriteCase{std::numeric_limits<double>::max(), u"1.79769313486232E+308"},
        WriteCase{5e-324, u"4.94065645841247E-324"}, WriteCase{0.00012345, u"0.00012345"},
        WriteCase{100, u"100"}, WriteCase{12.25, u"12.25"}));

// A Qt program takes its C locale from the environment; the decimal point must not follow.
TEST(NumberText, IgnoresTheCLocale) {
    // POSIX names, then Windows' (the C runtime's and the locale name).
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "de-DE"}) {
        german = std::setlocale(LC_ALL, name);
        if (german != nullptr)
            break;
    }
    if (german == nullptr || std::localeconv()->decimal_point != std::string_view(","))
        GTEST_SKIP() << "no German locale with a decimal comma installed";
    EXPECT_EQ(engine::writeNumber(0.5), u"0.5");
    EXPECT_EQ(engine::readNumber(u"1.5").value, 1.5);
    std::setlocale(LC_ALL, "C");
}

} // namespace
