// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The border light show: a green-and-pink chase round the ring of lamps that swaps once a
// second, and the red result flash of the lamps and the entry line that the equals key
// starts. Everything is counted in ticks of the lamp timer; the timer itself, and which
// shapes are the lamps, belong to the window.
#pragma once

#include "forms/element.h"
#include "lights/lamp_ring.h"

#include <cstdint>
#include <span>

namespace lights {

// The show's four phases: the two patterns of the chase, and the two halves of one
// red-and-pink pair of the result flash.
enum class LampPhase : std::uint8_t { ChaseOddGreen, ChaseEvenGreen, FlashRed, FlashPink };

class LampShow {
  public:
    // The show's state, named as the window's fields are named: at start the first chase
    // pattern and all counts zero.
    LampPhase LampMode = LampPhase::ChaseOddGreen;
    std::int16_t LampTick = 0;  // 0 to 9999, wrapping
    std::int16_t LampCycle = 0; // red-and-pink pairs of the current flash completed
    std::int16_t LampLast = 0;  // LampTick at the last switch made by a tick

    // The window's load: starts the lamp timer in the first chase pattern.
    void load(forms::Timer& lampTimer);
    // The equals key's first step. Colours change from the next tick on.
    void startResultFlash() { LampMode = LampPhase::FlashRed; }
    // One tick: paints the lamps (ShapeK1 first) and in a flash the entry line, then
    // advances the show.
    void tick(std::span<forms::Shape* const, LampCount> lamps, forms::TextBox& entryLine);

  private:
    void switchTo(LampPhase phase);
};

} // namespace lights
