// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The ring of lamps round the keypad as the lamp show drives it: how many lamps there are,
// how often the show ticks and the colours it paints. The face table lays the lamps out and
// colours the window with the same values; the show's steps are lights/lamp_show.h's.
#pragma once

#include "forms/colour.h"

namespace lights {

inline constexpr int LampCount = 56;     // even, so odd and even lamps alternate all round
inline constexpr int LampInterval = 100; // milliseconds between two ticks of the show

namespace lamp_colour {
inline constexpr forms::Colour Green = 0x00FF00;
inline constexpr forms::Colour Pink = 0x8080FF; // the window's too: a pink lamp looks unlit
inline constexpr forms::Colour Red = 0x0000FF;
inline constexpr forms::Colour Orange = 0x0080FF; // the entry line's own background
} // namespace lamp_colour

} // namespace lights
