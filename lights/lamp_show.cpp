// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lights/lamp_show.h"

namespace lights {
namespace {

constexpr int TickWrap = 10000;
constexpr int ChaseTicks = 10;
constexpr int FlashTicks = 1;
constexpr int FlashPairs = 4;

struct Paint {
    forms::Colour odd;  // ShapeK1, ShapeK3, …
    forms::Colour even; // ShapeK2, ShapeK4, …
};

Paint paintOf(LampPhase phase) {
    using namespace lamp_colour;
    switch (phase) {
    case LampPhase::ChaseOddGreen:
        return {Green, Pink};
    case LampPhase::ChaseEvenGreen:
        return {Pink, Green};
    case LampPhase::FlashRed:
        return {Red, Red};
    case LampPhase::FlashPink:
        break;
    }
    return {Pink, Pink};
}

} // namespace

void LampShow::load(forms::Timer& lampTimer) {
    lampTimer.setInterval(LampInterval);
    LampMode = LampPhase::ChaseOddGreen;
    LampCycle = 0;
}

void LampShow::tick(std::span<forms::Shape* const, LampCount> lamps, forms::TextBox& entryLine) {
    const LampPhase phase = LampMode;

    const Paint paint = paintOf(phase);
    for (std::size_t i = 0; i < lamps.size(); i += 2)
        lamps[i]->setBackColor(paint.odd);
    for (std::size_t i = 1; i < lamps.size(); i += 2)
        lamps[i]->setBackColor(paint.even);
    if (phase == LampPhase::FlashRed)
        entryLine.setBackColor(lamp_colour::Red);
    else if (phase == LampPhase::FlashPink)
        entryLine.setBackColor(lamp_colour::Orange);

    const int passed = ((LampTick - LampLast) % TickWrap + TickWrap) % TickWrap;
    switch (phase) {
    case LampPhase::ChaseOddGreen:
        if (passed >= ChaseTicks)
            switchTo(LampPhase::ChaseEvenGreen);
        break;
    case LampPhase::ChaseEvenGreen:
        if (passed >= ChaseTicks)
            switchTo(LampPhase::ChaseOddGreen);
        break;
    case LampPhase::FlashRed:
        if (passed >= FlashTicks)
            switchTo(LampPhase::FlashPink);
        break;
    case LampPhase::FlashPink:
        if (passed >= FlashTicks) {
            switchTo(LampPhase::FlashRed);
            if (++LampCycle == FlashPairs) {
                LampMode = LampPhase::ChaseOddGreen;
                LampCycle = 0;
            }
        }
        break;
    }

    LampTick = static_cast<std::int16_t>(LampTick + 1 == TickWrap ? 0 : LampTick + 1);
}

void LampShow::switchTo(LampPhase phase) {
    LampMode = phase;
    LampLast = LampTick;
}

} // namespace lights
