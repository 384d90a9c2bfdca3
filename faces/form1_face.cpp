// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "faces/form1_face.h"

#include "lights/lamp_ring.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace faces {
namespace {

using forms::Colour;
using forms::ElementDesign;
using forms::Font;
using forms::Kind;
using forms::Rect;

// The lamp show's colours; pink is the window's background too, orange the entry line's.
using lights::lamp_colour::Green;
using lights::lamp_colour::Orange;
using lights::lamp_colour::Pink;
using lights::lamp_colour::Red;
constexpr Colour DarkRed = 0x0000C0;
constexpr Colour Brown = 0x0040C0;
constexpr Colour Yellow = 0x00FFFF;
constexpr Colour MidGreen = 0x00C000;
constexpr Colour DarkGreen = 0x008000;
constexpr Colour Teal = 0xC0C000;
constexpr Colour Cyan = 0xFFFF00;
constexpr Colour Blue = 0xFF0000;
constexpr Colour DarkBlue = 0xC00000;
constexpr Colour Magenta = 0xFF00FF;
constexpr Colour Violet = 0xC000C0;
constexpr Colour Purple = 0x800080;
constexpr Colour Silver = 0xC0C0C0;
constexpr Colour DarkGrey = 0x404040;

constexpr std::u16string_view RoundGothic = u"HG丸ｺﾞｼｯｸM-PRO";
constexpr Font RoundGothic48{RoundGothic, 48};
constexpr Font RoundGothic36{RoundGothic, 36};
constexpr Font RoundGothic72{RoundGothic, 72};
constexpr Font RoundGothicVertical48{u"@HG丸ｺﾞｼｯｸM-PRO", 48};
constexpr Font PGothic48{u"ＭＳ Ｐゴシック", 48};

// ---- The lamp ring: ShapeK1 in the top-left corner, running anticlockwise. ----

using lights::LampCount;
constexpr int LampWidth = 615;
constexpr int LampHeight = 495;

constexpr forms::Point lampCorner(int n) {
    if (n <= 13)
        return {240, 2520 + 480 * (n - 1)}; // left side, downwards
    if (n <= 29)
        return {240 + 600 * (n - 13), 8280}; // bottom, rightwards
    if (n <= 41)
        return {9840, 8280 - 480 * (n - 29)}; // right side, upwards
    return {9840 - 600 * (n - 41), 2520};     // top, leftwards
}

// "ShapeK1" … "ShapeK56", each null-terminated in a slot of its own.
constexpr auto LampNames = [] {
    std::array<std::array<char, 9>, LampCount> names{};
    constexpr std::string_view prefix = "ShapeK";
    for (int n = 1; n <= LampCount; ++n) {
        auto end = std::copy(prefix.begin(), prefix.end(), names[n - 1].begin());
        if (n >= 10)
            *end++ = static_cast<char>('0' + n / 10);
        *end = static_cast<char>('0' + n % 10);
    }
    return names;
}();

// Lowest number first, so a lamp lies above its lower-numbered neighbour.
constexpr std::array<ElementDesign, LampCount> lamps() {
    std::array<ElementDesign, LampCount> out{};
    for (int n = 1; n <= LampCount; ++n) {
        const forms::Point corner = lampCorner(n);
        out[n - 1] = {.kind = Kind::Shape,
                      .name = std::string_view(LampNames[n - 1].data()),
                      .rect = {corner.x, corner.y, LampWidth, LampHeight},
                      .backColor = Pink,
                      .shape = forms::ShapeStyle::Rectangle};
    }
    return out;
}

// ---- The keypad: a transparent label lying on its rounded face. ----

struct Key {
    std::string_view label;
    std::u16string_view caption;
    Rect labelRect;
    Font font;
    Colour textColour;
    std::string_view face;
    Colour faceColour;
    Rect faceRect;
    std::u16string_view accessibleName;
    Colour outline;
    forms::KeyboardKeys keyboardKeys;
};

constexpr Colour Outline = forms::system_colour::WindowText;
constexpr Colour WindowBackground = forms::system_colour::WindowBackground;
constexpr Colour ButtonText = forms::system_colour::ButtonText;

using enum forms::KeyboardKey;

// Row by row from the top, each row from left to right.
// clang-format off
constexpr std::array<Key, 19> Keys{{
    // label, caption, label rect, font, text colour,
    //  face, face colour, face rect, accessible name, outline, keyboard keys
    {"LabelSuuzi7", u"7", {1440, 3360, 975, 1095}, RoundGothicVertical48, Red,
     "ShapeSuuzi7", Yellow, {1320, 3360, 1215, 1095}, u"7", forms::Black, {Keypad7}},
    {"LabelSuuzi8", u"8", {2640, 3360, 1215, 1095}, RoundGothic48, MidGreen,
     "ShapeSuuzi8", Cyan, {2640, 3360, 1215, 1095}, u"8", Outline, {Keypad8}},
    {"LabelSuuzi9", u"9", {3960, 3360, 1215, 1095}, RoundGothic48, DarkBlue,
     "ShapeSuuzi9", Green, {3960, 3360, 1215, 1095}, u"9", Outline, {Keypad9}},
    {"LabelPura", u"\uFF0B", {5760, 3360, 1215, 1095}, RoundGothic48, Red,
     "ShapePura", Cyan, {5760, 3360, 1215, 1095}, u"たす", Outline, {KeypadPlus}},
    {"LabelEqual", u"\uFF1D", {7080, 3360, 1455, 1335}, RoundGothic72, MidGreen,
     "ShapeEqual", Silver, {7080, 3360, 1455, 1335}, u"イコール", Outline, {KeypadEnter, Return}},

    {"LabelSuuzi4", u"4", {1320, 4560, 1215, 1095}, RoundGothic48, DarkGreen,
     "ShapeSuuzi4", Magenta, {1320, 4560, 1215, 1095}, u"4", Outline, {Keypad4}},
    {"LabelSuuzi5", u"5", {2640, 4560, 1215, 1095}, RoundGothic48, Yellow,
     "ShapeSuuzi5", Red, {2640, 4560, 1215, 1095}, u"5", Outline, {Keypad5}},
    {"LabelSuuzi6", u"6", {3960, 4560, 1215, 1095}, RoundGothic48, Purple,
     "ShapeSuuzi6", Orange, {3960, 4560, 1215, 1095}, u"6", Outline, {Keypad6}},
    {"LabelMaina", u"\uFF0D", {5760, 4560, 1215, 1095}, RoundGothic48, Blue,
     "ShapeMaina", Yellow, {5760, 4560, 1215, 1095}, u"ひく", Outline, {KeypadMinus}},
    {"LabelCE", u"CE", {7080, 4920, 1455, 1215}, RoundGothic48, Yellow,
     "ShapeCE", Red, {7080, 4800, 1455, 1335}, u"ぜんぶクリア", Outline, {Escape}},

    {"LabelSuuzi1", u"1", {1320, 5760, 1215, 975}, RoundGothic48, DarkBlue,
     "ShapeSuuzi1", Silver, {1320, 5760, 1215, 1095}, u"1", Outline, {Keypad1}},
    {"LabelSuuzi2", u"2", {2640, 5760, 1215, 1095}, RoundGothic48, Brown,
     "ShapeSuuzi2", WindowBackground, {2640, 5760, 1215, 1095}, u"2", Outline, {Keypad2}},
    {"LabelSuuzi3", u"3", {3960, 5760, 1215, 1095}, RoundGothic48, Violet,
     "ShapeSuuzi3", Teal, {3960, 5760, 1215, 1095}, u"3", Outline, {Keypad3}},
    {"Label2", u"\u00D7", {5760, 5760, 1215, 1095}, RoundGothic48, Yellow,
     "ShapeKakeru", Magenta, {5760, 5760, 1215, 1095}, u"かける", Outline, {KeypadMultiply}},
    {"LabelC", u"C", {7080, 6360, 1455, 1215}, RoundGothic48, Red,
     "ShapeC", Cyan, {7080, 6240, 1455, 1335}, u"クリア", Outline, {}},

    {"LabelPuraMai", u"+/-", {1320, 7080, 1215, 975}, RoundGothic36, ButtonText,
     "ShapePuramai", Green, {1320, 6960, 1215, 1095}, u"ふごう", Outline, {F9}},
    {"LabelSuuzi0", u"0", {2640, 6960, 1215, 1095}, RoundGothic48, Green,
     "ShapeSuuzi0", Yellow, {2640, 6960, 1215, 1095}, u"0", Outline, {Keypad0}},
    {"LabelSyousuuTen", u".", {3960, 6960, 1215, 1095}, PGothic48, Yellow,
     "ShapeSyousuuTen", DarkRed, {3960, 6960, 1215, 1095}, u"てん", Outline, {KeypadDecimal}},
    {"Label3", u"\u00F7", {5760, 6960, 1215, 1095}, RoundGothic48, DarkGrey,
     "ShapeWaru", Green, {5760, 6960, 1215, 1095}, u"わる", Outline, {KeypadDivide}},
}};
// clang-format on

// Each face directly followed by its label, so the label lies above it and takes the click.
constexpr std::array<ElementDesign, 2 * Keys.size()> keyPairs() {
    std::array<ElementDesign, 2 * Keys.size()> out{};
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        const Key& key = Keys[i];
        out[2 * i] = {.kind = Kind::Shape,
                      .name = key.face,
                      .rect = key.faceRect,
                      .backColor = key.faceColour,
                      .shape = forms::ShapeStyle::RoundedRectangle,
                      .outline = key.outline};
        out[2 * i + 1] = {.kind = Kind::Label,
                          .name = key.label,
                          .rect = key.labelRect,
                          .caption = key.caption,
                          .foreColor = key.textColour,
                          .opaque = false,
                          .font = key.font,
                          .alignment = forms::Alignment::Centre,
                          .accessibleName = key.accessibleName,
                          .keyboardKeys = key.keyboardKeys};
    }
    return out;
}

// ---- Display lines above everything, then the elements that are not painted. ----

constexpr std::array<ElementDesign, 6> Rest{{
    {.kind = Kind::TextBox,
     .name = "Text1",
     .rect = {240, 1560, 9735, 735},
     .foreColor = DarkBlue,
     .backColor = Yellow,
     .font = {RoundGothic, 27.75},
     .alignment = forms::Alignment::Right,
     .tabIndex = 0,
     .accessibleName = u"しき"},
    {.kind = Kind::TextBox,
     .name = "Text2",
     .rect = {240, 360, 9735, 975},
     .foreColor = DarkGreen,
     .backColor = Orange,
     .font = RoundGothic48,
     .alignment = forms::Alignment::Right,
     .tabIndex = 1,
     .accessibleName = u"にゅうりょく"},
    {.kind = Kind::Timer, .name = "Timer1", .interval = 0},
    {.kind = Kind::Timer, .name = "Timer2", .interval = lights::LampInterval},
    {.kind = Kind::Menu, .name = "バージョン", .index = 0, .caption = u"バージョン"},
    {.kind = Kind::MenuItem,
     .name = "Version",
     .index = 1,
     .caption = u"バージョン",
     .parent = "バージョン"},
}};

template <typename T, std::size_t... N>
constexpr std::array<T, (N + ...)> joined(const std::array<T, N>&... parts) {
    std::array<T, (N + ...)> out{};
    auto end = out.begin();
    ((end = std::copy(parts.begin(), parts.end(), end)), ...);
    return out;
}

constexpr auto Elements = joined(lamps(), keyPairs(), Rest);

constexpr forms::FaceDesign Face{
    .window = {.name = "Form1",
               .caption = u"ぽこたま",
               .backColor = Pink,
               .clientWidth = 10605,
               .clientHeight = 8955,
               .border = forms::Border::Sizable,
               .taskbarButton = true,
               .screenPlace = std::nullopt},
    .elements = Elements,
};

} // namespace

const forms::FaceDesign& form1Face() {
    return Face;
}

} // namespace faces
