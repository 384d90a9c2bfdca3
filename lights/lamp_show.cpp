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

Paint paintOf(std::uint8_t mode) {
    using namespace lamp_colour;
    switch (mode) {
    case 0:
        return {Green, Pink};
    case 1:
        return {Pink, Green};
    case 2:
        return {Red, Red};
    default:
        return {Pink, Pink};
    }
}

} // namespace

void LampShow::load(forms::Timer& lampTimer) {
    lampTimer.setInterval(LampInterval);
    LampMode = 0;
    LampCycle = 0;
}

void LampShow::tick(std::span<forms::Shape* const, LampCount> lamps, forms::TextBox& entryLine) {
    const std::uint8_t mode = LampMode;

    const Paint paint = paintOf(mode);
    for (std::size_t i = 0; i < lamps.size(); i += 2)
        lamps[i]->setBackColor(paint.odd);
    for (std::size_t i = 1; i < lamps.size(); i += 2)
        lamps[i]->setBackColor(paint.even);
    if (mode == 2)
        entryLine.setBackColor(lamp_colour::Red);
    else if (mode == 3)
        entryLine.setBackColor(lamp_colour::Orange);

    const int passed = ((LampTick - LampLast) % TickWrap + TickWrap) % TickWrap;
    switch (mode) {
    case 0:
        if (passed >= ChaseTicks)
            switchTo(1);
        break;
    case 1:
        if (passed >= ChaseTicks)
            switchTo(0);
        break;
    case 2:
        if (passed >= FlashTicks)
            switchTo(3);
        break;
    default:
        if (passed >= FlashTicks) {
            switchTo(2);
            if (++LampCycle == FlashPairs) {
                LampMode = 0;
                LampCycle = 0;
            }
        }
        break;
    }

    LampTick = static_cast<std::int16_t>(LampTick + 1 == TickWrap ? 0 : LampTick + 1);
}

void LampShow::switchTo(std::uint8_t mode) {
    LampMode = mode;
    LampLast = LampTick;
}

} // namespace lights
