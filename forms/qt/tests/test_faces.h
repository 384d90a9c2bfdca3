// Small faces that use every kind of element: a main window with overlapping shapes, keys
// with dead strips and keyboard keys, two display lines, two timers and a menu, and a fixed
// dialog.
#pragma once

#include "forms/face.h"

#include <span>
#include <string_view>

namespace forms::qt::testing {

const FaceDesign& mainFace();
const FaceDesign& dialogFace();

// A 32 × 32 PNG, solid magenta, for any name.
std::span<const unsigned char> testImage(std::string_view name);

} // namespace forms::qt::testing
