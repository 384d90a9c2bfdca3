// Colour values as the forms runtime stores them: 0x00BBGGRR, or 0x800000nn for the
// platform's system colour nn. Resolving a system colour is left to whoever knows the
// platform palette (the real window supplies a SystemColours).
#pragma once

#include <cstdint>

namespace forms {

using Colour = std::uint32_t;

namespace system_colour {
inline constexpr Colour WindowBackground = 0x80000005;
inline constexpr Colour WindowText = 0x80000008;
inline constexpr Colour ButtonFace = 0x8000000F;
inline constexpr Colour ButtonText = 0x80000012;
} // namespace system_colour

inline constexpr Colour Black = 0x000000;

constexpr bool isSystemColour(Colour colour) {
    return (colour & 0x80000000u) != 0;
}
constexpr std::uint8_t systemColourIndex(Colour colour) {
    return colour & 0xFFu;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// The components of a plain (non-system) colour.
constexpr Rgb rgbOf(Colour plain) {
    return {static_cast<std::uint8_t>(plain & 0xFFu),
            static_cast<std::uint8_t>((plain >> 8) & 0xFFu),
            static_cast<std::uint8_t>((plain >> 16) & 0xFFu)};
}

// The platform's palette of system colours.
class SystemColours {
  public:
    virtual ~SystemColours() = default;
    virtual Rgb resolve(std::uint8_t index) const = 0;
};

inline Rgb resolve(Colour colour, const SystemColours& system) {
    return isSystemColour(colour) ? system.resolve(systemColourIndex(colour)) : rgbOf(colour);
}

} // namespace forms
