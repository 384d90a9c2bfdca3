// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Geometry of a face in twips (1/1440 inch), relative to the client area's top-left corner,
// and the units faces are measured in.
#pragma once

namespace forms {

inline constexpr int TwipsPerInch = 1440;
inline constexpr int PointsPerInch = 72; // font sizes
// A face is drawn as on a Windows screen of 96 dots per inch (its standard "100 %"), whose
// pixels are the renderer's device-independent pixels.
inline constexpr int PixelsPerInch = 96;
inline constexpr int TwipsPerPixel = TwipsPerInch / PixelsPerInch;
static_assert(TwipsPerPixel * PixelsPerInch == TwipsPerInch);

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

} // namespace forms
