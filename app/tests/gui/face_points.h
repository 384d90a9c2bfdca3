// Where things are on the main window's client area, in pixels, read from its face table, so
// the tests click and sample where the design puts them. Drawing them is the renderer's.
#pragma once

#include "forms/face.h"

#include <QPoint>
#include <QRect>
#include <string>
#include <string_view>
#include <vector>

namespace gui_test {

// The element of Form1's face with that name (and index), or a test failure.
const forms::ElementDesign& form1Element(std::string_view name,
                                         int index = forms::Element::NoIndex);

// A rectangle of twips in pixels at 96 dpi, the same rounding of both edges as the renderer.
QRect pixels(const forms::Rect& twips);

struct KeyDesign {
    const forms::ElementDesign* label;
    const forms::ElementDesign* face; // the shape just beneath the label
};

// The nineteen keys in the order of the face table.
std::vector<KeyDesign> form1Keys();
// The key whose label has this caption.
KeyDesign form1Key(std::u16string_view caption);

// The parts of a key's face that its label leaves uncovered, in twips.
std::vector<forms::Rect> deadStrips(const KeyDesign& key);

// The point of a key face to sample its colour: 3 pixels inside its left edge at mid-height,
// clear of the outline, the rounded corners and the centred caption.
QPoint faceSamplePoint(const KeyDesign& key);

// The centre of the lamp ShapeK<n>, which no neighbour covers.
QPoint lampCentre(int n);

// A point of the bare window background: the middle of the gap between the keypad's third
// column and the operator column, in the top row.
QPoint bareBackground();

// A point of a display line's background, left of its right-aligned text.
QPoint textBoxBackground(std::string_view name);

} // namespace gui_test
