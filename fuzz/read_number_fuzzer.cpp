// Fuzzes the two number conversions. The input's bytes, paired little-endian, are the text
// (lone surrogates and NUL included). An independent scanner finds where reading must stop
// and spells the accepted prefix in ASCII; std::strtod of that spelling is the reference
// value. The text written for a value is checked against printf's "%.15G", which rounds and
// spells numbers the way the display does.
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

// ---- The reference scanner ----

// What a character stands for inside a number: its ASCII self, or the ASCII twin of a
// full-width digit, point, sign or E, or of U+2212 minus; 0 for anything else.
char twinOf(char16_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= 0xFF10 && c <= 0xFF19)
        return static_cast<char>('0' + (c - 0xFF10));
    switch (c) {
    case 0xFF0E:
        return '.';
    case 0xFF0B:
        return '+';
    case 0xFF0D:
    case 0x2212:
        return '-';
    case 0xFF25:
        return 'E';
    case 0xFF45:
        return 'e';
    default:
        return 0;
    }
}

struct Prefix {
    std::size_t end = 0; // code units up to where reading stops; 0 when no digit is read
    std::string ascii;   // sign, mantissa and exponent of that prefix, in ASCII
};

Prefix scanReference(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\u3000'))
        ++i;
    auto at = [&](std::size_t k) { return k < text.size() ? twinOf(text[k]) : '\0'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };

    std::string ascii;
    if (at(i) == '+' || at(i) == '-')
        ascii += at(i++);
    bool point = false;
    bool anyDigit = false;
    for (;; ++i) {
        const char c = at(i);
        if (digit(c)) {
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ascii += c;
    }
    if (!anyDigit)
        return {};

    if (at(i) == 'E' || at(i) == 'e') {
        std::size_t k = i + 1;
        if (at(k) == '+' || at(k) == '-')
            ++k;
        if (digit(at(k))) {
            for (std::size_t e = i; e < k; ++e)
                ascii += at(e);
            for (; digit(at(k)); ++k)
                ascii += at(k);
            i = k;
        }
    }
    return {i, ascii};
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

    const Prefix prefix = scanReference(text);
    std::u16string kept(text.substr(0, prefix.end));
    EXPECT(same(engine::readNumber(kept), read), text);
    // Nothing after the stopping point counts: a character that no number holds, then
    // anything at all.
    kept += stopper;
    kept += text;
    EXPECT(same(engine::readNumber(kept), read), text);

    if (prefix.ascii.empty()) {
        EXPECT(read.value == 0 && !read.outOfRange, text);
        return;
    }
    errno = 0;
    const double reference = std::strtod(prefix.ascii.c_str(), nullptr);
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
