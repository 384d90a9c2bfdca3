// Geometry of a face in twips (1/1440 inch), relative to the client area's top-left corner.
#pragma once

namespace forms {

inline constexpr int TwipsPerPixel = 15; // at 96 dots per inch

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
