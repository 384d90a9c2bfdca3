// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The design of a window as data: every element with its kind, name, place in twips,
// caption, colours, font and outline, listed from the bottom of the stacking order to the
// top. A face is fixed when the window is created; only the properties of forms/element.h
// change afterwards.
#pragma once

#include "forms/colour.h"
#include "forms/element.h"
#include "forms/geometry.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace forms {

enum class Kind { TextBox, Label, Shape, Line, Timer, Menu, MenuItem, Picture, Button };
enum class ShapeStyle { Rectangle, RoundedRectangle };
enum class Alignment { Left, Centre, Right };

// A key of the keyboard that can click an element: the numeric keypad's keys and a few of the
// main keyboard's. The keypad's decimal key is one key whatever character the layout gives it.
enum class KeyboardKey {
    Keypad0,
    Keypad1,
    Keypad2,
    Keypad3,
    Keypad4,
    Keypad5,
    Keypad6,
    Keypad7,
    Keypad8,
    Keypad9,
    KeypadDecimal,
    KeypadPlus,
    KeypadMinus,
    KeypadMultiply,
    KeypadDivide,
    KeypadEnter,
    Return,
    Escape,
    F9,
};
// The keys that click a label, at most two; the slots left empty come last.
using KeyboardKeys = std::array<std::optional<KeyboardKey>, 2>;

// A font requested by name at normal weight; an empty name means the platform's default
// dialog font.
struct Font {
    std::u16string_view name{};
    double points = 0;
};

struct ElementDesign {
    Kind kind = Kind::Label;
    std::string_view name{};      // UTF-8
    int index = Element::NoIndex; // member of a control array, or none
    Rect rect{}; // a line uses left/top as its first point, right()/bottom() as its second
    std::u16string_view caption{};
    Colour foreColor = system_colour::ButtonText;
    Colour backColor = system_colour::ButtonFace;
    bool opaque = false; // labels: paint the background colour behind the caption
    Font font{};
    Alignment alignment = Alignment::Centre;
    ShapeStyle shape = ShapeStyle::Rectangle;
    std::optional<Colour> outline{}; // shapes: 1-pixel solid outline, or none
    int interval = 0;                // timers, milliseconds
    int tabIndex = -1;               // position in the tab order, or -1 for no focus
    std::string_view parent{};       // menu items: the menu they belong to
    std::string_view picture{};      // picture boxes: name of the embedded image
    std::u16string_view accessibleName{};
    KeyboardKeys keyboardKeys{}; // labels: the keys that click it as the mouse does
};

enum class Border { Sizable, FixedDialog };

struct WindowDesign {
    std::string_view name{};
    std::u16string_view caption{};
    Colour backColor = system_colour::ButtonFace;
    int clientWidth = 0; // twips
    int clientHeight = 0;
    Border border = Border::Sizable;
    bool taskbarButton = true;
    std::optional<Point> screenPlace{}; // twips from the screen's corner, or the system's choice
};

struct FaceDesign {
    WindowDesign window;
    std::span<const ElementDesign> elements; // bottom of the stacking order first
};

} // namespace forms
