// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the two number conversions. The input's bytes, paired little-endian, are the text
// (lone surrogates and NUL included). std::strtod of the text spelled in ASCII gives the
// reference value and where reading must stop. The text written for a value is checked against
// printf's "%.15G", which rounds and spells numbers the way the display does.
#include "engine/number_text.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::u16string_view text) {
    std::fprintf(stderr, "broken: %s\ntext (UTF-16 code units):", what);
    for (char16_t c : text.substr(0, 200))
        std::fprintf(stderr, " %04X", static_cast<unsigned>(c));
    std::fprintf(stderr, "\n");
    std::abort();
}

#define EXPECT(condition, text)                                                                    \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fail(#condition, text);                                                                \
    } while (false)

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The text spelled for std::strtod, the reference reader: full-width forms and U+2212 as
// their ASCII twins, U+3000 as a space, and '#' for every character no number holds (among
// them what strtod alone would take: letters of "inf", "nan" and hexadecimal, line breaks).
std::string spelledForStrtod(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {
        char twin = c < 0x80 ? static_cast<char>(c) : '#';
        if (c >= 0xFF10 && c <= 0xFF19)
            twin = static_cast<char>('0' + (c - 0xFF10));
        else if (c == 0xFF0E || c == 0xFF0B || c == 0xFF25 || c == 0xFF45)
            twin = static_cast<char>(c - 0xFF00 + 0x20); // ． ＋ Ｅ ｅ
        else if (c == 0xFF0D || c == 0x2212)
            twin = '-';
        else if (c == 0x3000)
            twin = ' ';
        const bool kept = (twin >= '0' && twin <= '9') || std::strchr(" \t.+-eE", twin);
        out += twin != '\0' && kept ? twin : '#';
    }
    return out;
}

// ---- The checks ----

std::u16string fromBytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

bool same(engine::ReadNumber a, engine::ReadNumber b) {
    return a.outOfRange == b.outOfRange && sameBits(a.value, b.value);
}

void checkRead(std::u16string_view text, char16_t stopper) {
    const engine::ReadNumber read = engine::readNumber(text);
    EXPECT(std::isfinite(read.value), text);
    EXPECT(!read.outOfRange || read.value == 0, text);

    const std::string spelled = spelledForStrtod(text);
    char* end = nullptr;
    errno = 0;
    const double reference = std::strtod(spelled.c_str(), &end);
    // Nothing after the stopping point counts: a character that no number holds, then
    // anything at all.
    std::u16string kept(text.substr(0, static_cast<std::size_t>(end - spelled.c_str())));
    EXPECT(same(engine::readNumber(kept), read), text);
    kept += stopper;
    kept += text;
    EXPECT(same(engine::readNumber(kept), read), text);

    if (errno == ERANGE && std::isinf(reference)) {
        EXPECT(read.outOfRange, text);
    } else {
        // An underflow reads as strtod reads it: the nearest subnormal, or zero.
        EXPECT(!read.outOfRange, text);
        EXPECT(sameBits(read.value, reference), text);
    }
}

void checkWrite(double value, std::u16string_view source) {
    const std::u16string written = engine::writeNumber(value);

    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15G", value);
    const std::u16string reference =
        value == 0 ? u"0" : std::u16string(expected, expected + std::strlen(expected));
    EXPECT(written == reference, source);

    // The text reads back to a value that writes as the same text, unless it lies just
    // beyond the largest double (which the calculator reports).
    const engine::ReadNumber back = engine::readNumber(written);
    if (back.outOfRange) {
        EXPECT(std::fabs(value) > 1.79769313486231E+308, source);
    } else {
        EXPECT(engine::writeNumber(back.value) == written, source);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fromBytes(data, size);
    static constexpr char16_t Stoppers[] = {u'x', u'\0',     u'\xD800', u',',
                                            u'#', u'\uFF0F', u'\u3001'};
    const char16_t stopper = Stoppers[size == 0 ? 0 : data[0] % std::size(Stoppers)];
    checkRead(text, stopper);

    if (const engine::ReadNumber read = engine::readNumber(text); !read.outOfRange)
        checkWrite(read.value, text);
    // The first eight bytes as a double reach values that no short text spells.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkWrite(value, text);
    }
    return 0;
}
