#include "engine/number_text.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <string_view>

namespace {

struct ReadCase {
    std::u16string_view text;
    double value;
};

std::string narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += c < 0x80 && c >= 0x20 ? static_cast<char>(c) : '?';
    return out;
}

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << narrow(c.text) << '"';
}

class ReadsNumber : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadsNumber, TakesTheLongestNumberPrefix) {
    const auto [text, expected] = GetParam();
    const engine::ReadNumber read = engine::readNumber(text);
    EXPECT_FALSE(read.outOfRange);
    EXPECT_EQ(read.value, expected);
}

// 7, NUL, 8: a NUL stops the number like any other character.
constexpr char16_t SevenNulEight[] = {u'7', u'\0', u'8'};

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadsNumber,
    ::testing::Values(
        // What the keys can produce.
        ReadCase{u"-5", -5}, ReadCase{u"5-", 5}, ReadCase{u"-", 0}, ReadCase{u"1.2.3", 1.2},
        ReadCase{u".5", 0.5}, ReadCase{u"1E+15", 1e15}, ReadCase{u"", 0}, ReadCase{u"5..2", 5},
        ReadCase{u"--5", 0}, ReadCase{u"0.999999999999999", 0.999999999999999},
        ReadCase{u"1.5E-05", 1.5e-05}, ReadCase{u"+7", 7}, ReadCase{u"12-3", 12},
        // Exponents need a digit after the E and its sign.
        ReadCase{u"2e3", 2000}, ReadCase{u"2E", 2}, ReadCase{u"2E+", 2}, ReadCase{u"2E-x", 2},
        ReadCase{u"2E3.5", 2000}, ReadCase{u".E5", 0}, ReadCase{u"-.5", -0.5},
        // What a user may type: blanks first, full-width forms, other characters stop.
        ReadCase{u"  \t\u30003", 3}, ReadCase{u"\uFF11\uFF12\uFF0E\uFF15", 12.5},
        ReadCase{u"\uFF0D\uFF18", -8}, ReadCase{u"\u22124", -4}, ReadCase{u"\uFF0B2", 2},
        ReadCase{u"1\uFF25\uFF12", 100}, ReadCase{u"1\uFF45-1", 0.1}, ReadCase{u"3 4", 3},
        ReadCase{u"abc", 0}, ReadCase{u"1,5", 1}, ReadCase{u"\u0663", 0},
        ReadCase{{SevenNulEight, 3}, 7},
        // Too small for a double reads as zero; the smallest subnormal still reads.
        ReadCase{u"1E-400", 0}, ReadCase{u"4.94065645841247E-324", 4.94065645841247E-324},
        ReadCase{u"0E999999999999999999999", 0}));

TEST(ReadNumber, ReportsValuesBeyondTheRangeOfADouble) {
    for (std::u16string_view text :
         {u"1E999", u"-1E309", u"1.79769313486232E+308", u"1E99999999999999999999999"}) {
        EXPECT_TRUE(engine::readNumber(text).outOfRange) << std::string(text.begin(), text.end());
    }
    EXPECT_TRUE(engine::readNumber(std::u16string(400, u'9')).outOfRange);
    EXPECT_FALSE(engine::readNumber(u"1.79769313486231E+308").outOfRange);
}

TEST(ReadNumber, ReadsAMegabyteOfDigits) {
    std::u16string text = u"0." + std::u16string(1'000'000, u'0') + u"5";
    EXPECT_EQ(engine::readNumber(text).value, 0);
    text = u"1" + std::u16string(1'000'000, u'0') + u"E-999999";
    EXPECT_EQ(engine::readNumber(text).value, 10);
}

struct WriteCase {
    double value;
    std::u16string_view text;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << '"' << narrow(c.text) << '"';
}

class WritesNumber : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WritesNumber, RoundsToFifteenDigits) {
    EXPECT_EQ(engine::writeNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WritesNumber,
    ::testing::Values(
        WriteCase{0, u"0"}, WriteCase{-0.0, u"0"}, WriteCase{0.5, u"0.5"}, WriteCase{-5, u"-5"},
        WriteCase{15, u"15"}, WriteCase{1e15, u"1E+15"}, WriteCase{1.5e-05, u"1.5E-05"},
        WriteCase{0.0001, u"0.0001"}, WriteCase{0.1 + 0.2, u"0.3"},
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
