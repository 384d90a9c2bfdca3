// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "faces/about_face.h"

#include "faces/author.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace faces {
namespace {

using forms::ElementDesign;
using forms::Kind;

constexpr forms::Colour Grey = 0x808080;

// The texts joined at compile time into storage that lives as long as the program.
template <const std::u16string_view&... Parts>
constexpr auto JoinedChars = [] {
    std::array<char16_t, (Parts.size() + ...)> out{};
    auto end = out.begin();
    ((end = std::copy(Parts.begin(), Parts.end(), end)), ...);
    return out;
}();

template <const std::u16string_view&... Parts> constexpr std::u16string_view joined() {
    return {JoinedChars<Parts...>.data(), JoinedChars<Parts...>.size()};
}

// The role words are padded with full-width (U+3000) and plain spaces so the names line up.
constexpr std::u16string_view ProduceRole = u"プロデュース\u3000 ";
constexpr std::u16string_view ProgramRole = u"プログラム\u3000\u3000\u3000";
constexpr std::u16string_view PlanningRole = u"企画\u3000\u3000\u3000\u3000\u3000\u3000 ";

// Every label of this window: left-aligned on an opaque button-face background.
constexpr ElementDesign label(std::string_view name, int index, forms::Rect rect,
                              std::u16string_view caption,
                              forms::Colour foreColor = forms::system_colour::ButtonText,
                              forms::Font font = {}) {
    return {.kind = Kind::Label,
            .name = name,
            .index = index,
            .rect = rect,
            .caption = caption,
            .foreColor = foreColor,
            .backColor = forms::system_colour::ButtonFace,
            .opaque = true,
            .font = font,
            .alignment = forms::Alignment::Left};
}

constexpr std::array<ElementDesign, 8> Elements{{
    label("ぽこたま", forms::Element::NoIndex, {840, 120, 1455, 255}, u"ぽこたま",
          forms::system_colour::ButtonText, {u"ＭＳ Ｐゴシック", 12}),
    {.kind = Kind::Picture,
     .name = "picIcon",
     .rect = {1200, 480, 540, 540},
     .tabIndex = 0,
     .picture = "about",
     .accessibleName = u"ぽこたま"},
    label("lblVersion", forms::Element::NoIndex, {840, 1200, 1125, 225}, u"ﾊﾞｰｼﾞｮﾝ1.0"),
    // Runs past the right edge of the client area, which cuts it off.
    {.kind = Kind::Line,
     .name = "Line1",
     .index = 1,
     .rect = {90, 1440, 5654 - 90, 0},
     .foreColor = Grey},
    label("lblDescription", forms::Element::NoIndex, {480, 1560, 2205, 210},
          joined<ProduceRole, AuthorName>(), forms::Black),
    label("Label1", 0, {480, 1800, 2175, 255}, joined<ProgramRole, AuthorName>()),
    label("Label1", 1, {480, 2040, 2175, 255}, joined<PlanningRole, AuthorName>()),
    {.kind = Kind::Button,
     .name = "CommandVersionToziru",
     .rect = {960, 2760, 1215, 495},
     .caption = u"閉じる",
     .tabIndex = 1},
}};

constexpr forms::FaceDesign Face{
    .window = {.name = "frmAbout",
               .caption = u"ﾊﾞｰｼﾞｮﾝ情報",
               .backColor = forms::system_colour::ButtonFace,
               .clientWidth = 3450,
               .clientHeight = 3330,
               .border = forms::Border::FixedDialog,
               .taskbarButton = false,
               .screenPlace = forms::Point{2340, 1935}},
    .elements = Elements,
};

} // namespace

const forms::FaceDesign& aboutFace() {
    return Face;
}

} // namespace faces
