// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the fuzz targets share: their input, taken one byte at a time, and the check that
// stops a run, naming the step it broke at. Each target numbers its own steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline std::size_t stepIndex = 0;

// Bytes taken one at a time; zeros once they run out.
struct Bytes {
    const std::uint8_t* at;
    const std::uint8_t* end;
    bool empty() const { return at >= end; }
    std::uint8_t next() { return at < end ? *at++ : 0; }
};

} // namespace fuzz

#define EXPECT(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "broken after step %zu: %s\n", fuzz::stepIndex, #condition);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
