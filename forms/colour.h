// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Colour values as the forms runtime stores them: 0x00BBGGRR, or 0x800000nn for the
// platform's system colour nn. Resolving a system colour is left to whoever knows the
// platform palette (the real window supplies a SystemColours).
#pragma once

#include <cstdint>

namespace forms {

using Colour = std::uint32_t;

inline constexpr Colour SystemColourFlag = 0x80000000u;

// The system colours that have a part in Qt's palette, by their index nn, as Windows numbers
// them; each names the COLOR_ constant of winuser.h it stands for.
enum class SystemColour : std::uint8_t {
    Window = 5,         // COLOR_WINDOW: the background of edit fields and document windows
    MenuText = 7,       // COLOR_MENUTEXT
    WindowText = 8,     // COLOR_WINDOWTEXT
    CaptionText = 9,    // COLOR_CAPTIONTEXT
    Highlight = 13,     // COLOR_HIGHLIGHT
    HighlightText = 14, // COLOR_HIGHLIGHTTEXT
    BtnFace = 15,       // COLOR_BTNFACE: also the background of dialogs
    BtnShadow = 16,     // COLOR_BTNSHADOW
    BtnText = 18,       // COLOR_BTNTEXT
    BtnHighlight = 20,  // COLOR_BTNHIGHLIGHT
    DkShadow3D = 21,    // COLOR_3DDKSHADOW
    Light3D = 22,       // COLOR_3DLIGHT
    InfoText = 23,      // COLOR_INFOTEXT: tooltip text
    InfoBk = 24,        // COLOR_INFOBK: tooltip background
};

constexpr Colour systemColour(SystemColour index) {
    return SystemColourFlag | static_cast<std::uint8_t>(index);
}

namespace system_colour {
inline constexpr Colour WindowBackground = systemColour(SystemColour::Window);
inline constexpr Colour WindowText = systemColour(SystemColour::WindowText);
inline constexpr Colour ButtonFace = systemColour(SystemColour::BtnFace);
inline constexpr Colour ButtonText = systemColour(SystemColour::BtnText);
} // namespace system_colour

inline constexpr Colour Black = 0x000000;

constexpr bool isSystemColour(Colour colour) {
    return (colour & SystemColourFlag) != 0;
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
