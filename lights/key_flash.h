// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The short black flash of a pressed entry key's face, and the key-flash timer's tick that
// paints every flashable face back in its own colour. Which faces flash, and their
// colours, is the window's business: it hands them over as a list.
#pragma once

#include "forms/colour.h"
#include "forms/element.h"

#include <span>

namespace lights {

inline constexpr int KeyFlashInterval = 200; // milliseconds

struct FaceColour {
    forms::Shape* face;
    forms::Colour colour;
};

// Paints the face black and sets the key-flash timer going; setting the interval it
// already has leaves the running count alone.
void flashKeyFace(forms::Shape& face, forms::Timer& flashTimer);

// One tick of the key-flash timer: every face back to its colour, flashed or not.
void restoreKeyFaces(std::span<const FaceColour> faces);

} // namespace lights
