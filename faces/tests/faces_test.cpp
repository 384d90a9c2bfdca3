// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Properties of the two faces that a wrong entry in their tables would break, and of the
// pictures they and the program name.
#include "faces/about_face.h"
#include "faces/form1_face.h"
#include "faces/images.h"
#include "lights/lamp_ring.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using forms::ElementDesign;
using forms::Kind;
using forms::Rect;

constexpr int Pixel = forms::TwipsPerPixel;

Rect intersection(const Rect& a, const Rect& b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

bool isPainted(const ElementDesign& e) {
    return e.kind != Kind::Timer && e.kind != Kind::Menu && e.kind != Kind::MenuItem;
}

// The lamp of that number ("ShapeK7": 7), or 0.
int lampNumber(const ElementDesign& e) {
    int n = 0;
    const std::string_view name = e.name;
    if (!name.starts_with("ShapeK") ||
        std::from_chars(name.data() + 6, name.data() + name.size(), n).ptr !=
            name.data() + name.size())
        return 0;
    return n;
}

// A key: a label directly above the face it lies on.
bool isKeyLabel(const forms::FaceDesign& face, std::size_t i) {
    return face.elements[i].kind == Kind::Label && i > 0 &&
           face.elements[i - 1].kind == Kind::Shape && lampNumber(face.elements[i - 1]) == 0;
}

const forms::FaceDesign* const Faces[] = {&faces::form1Face(), &faces::aboutFace()};

TEST(Faces, NamesAreUniqueAndColoursPaintable) {
    const auto paintable = [](forms::Colour c) {
        return c <= 0xFFFFFF || (c & ~(forms::SystemColourFlag | 0xFF)) == 0;
    };
    for (const forms::FaceDesign* face : Faces) {
        SCOPED_TRACE(face->window.name);
        EXPECT_TRUE(paintable(face->window.backColor));
        std::set<std::pair<std::string_view, int>> names;
        for (const ElementDesign& e : face->elements) {
            EXPECT_TRUE(names.insert({e.name, e.index}).second) << e.name;
            EXPECT_TRUE(paintable(e.foreColor) && paintable(e.backColor)) << e.name;
            EXPECT_TRUE(paintable(e.outline.value_or(0))) << e.name;
        }
    }
}

// Apart from a key's label on its face, painted elements overlap at most in a one-pixel strip
// (neighbouring lamps, the About window's credit lines), and all but lines lie inside the
// client area.
TEST(Faces, ElementsFitTheWindowWithoutOverlapping) {
    for (const forms::FaceDesign* face : Faces) {
        const auto& elements = face->elements;
        const Rect client{0, 0, face->window.clientWidth, face->window.clientHeight};
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const ElementDesign& a = elements[i];
            if (!isPainted(a))
                continue;
            if (a.kind != Kind::Line) {
                EXPECT_EQ(intersection(a.rect, client), a.rect) << a.name;
            }
            for (std::size_t j = i + 1; j < elements.size(); ++j) {
                const ElementDesign& b = elements[j];
                if (!isPainted(b) || (j == i + 1 && isKeyLabel(*face, j)))
                    continue;
                const Rect common = intersection(a.rect, b.rect);
                EXPECT_FALSE(common.width > Pixel && common.height > Pixel)
                    << a.name << " / " << b.name;
            }
        }
    }
}

TEST(Form1Face, EachKeyLabelLiesInsideItsRoundedFace) {
    const forms::FaceDesign& face = faces::form1Face();
    int keys = 0;
    for (std::size_t i = 0; i < face.elements.size(); ++i) {
        if (face.elements[i].kind != Kind::Label)
            continue;
        ASSERT_TRUE(isKeyLabel(face, i)) << face.elements[i].name;
        const ElementDesign& label = face.elements[i];
        const ElementDesign& key = face.elements[i - 1];
        EXPECT_EQ(key.shape, forms::ShapeStyle::RoundedRectangle) << key.name;
        EXPECT_EQ(intersection(label.rect, key.rect), label.rect) << label.name;
        EXPECT_FALSE(label.caption.empty() || label.opaque) << label.name;
        ++keys;
    }
    EXPECT_EQ(keys, 19);
}

// ShapeK1 in the top-left corner, then anticlockwise: each lamp shares a one-pixel strip with
// the next (the last with the first); no other overlap is the overlap test's.
TEST(Form1Face, LampsMakeAClosedRingInNumberOrder) {
    std::vector<Rect> lamps;
    for (const ElementDesign& e : faces::form1Face().elements) {
        if (lampNumber(e) > 0) {
            EXPECT_EQ(lampNumber(e), static_cast<int>(lamps.size()) + 1) << e.name;
            EXPECT_EQ(e.shape, forms::ShapeStyle::Rectangle) << e.name;
            // Until the lamp show's first tick a lamp looks unlit, in the window's colour.
            EXPECT_EQ(e.backColor, faces::form1Face().window.backColor) << e.name;
            lamps.push_back(e.rect);
        }
    }
    ASSERT_EQ(lamps.size(), static_cast<std::size_t>(lights::LampCount));
    for (const Rect& lamp : lamps)
        EXPECT_TRUE(lamp.left >= lamps[0].left && lamp.top >= lamps[0].top);
    EXPECT_GT(lamps[1].top, lamps[0].top);
    for (std::size_t a = 0; a < lamps.size(); ++a) {
        const std::size_t b = (a + 1) % lamps.size();
        const Rect common = intersection(lamps[a], lamps[b]);
        const std::pair size(common.width, common.height);
        EXPECT_TRUE(size == std::pair(Pixel, lamps[a].height) ||
                    size == std::pair(lamps[a].width, Pixel))
            << a + 1 << "/" << b + 1;
    }
}

// ---- Pictures ----

// The folder's name is UTF-8, which a narrow path on Windows would read in the ANSI code page.
const std::filesystem::path IconsFolder(u8"" POKOTAMA_ICONS_DIR);

std::vector<unsigned char> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(IconsFolder / file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Each program icon, smallest first, is the hicolor file of the size its name gives.
TEST(Pictures, ProgramIconsAreTheHicolorFilesOfTheirSizes) {
    unsigned long previous = 0;
    for (const std::string_view name : faces::programIconNames) {
        const std::string size(name.substr(name.find_first_of("0123456789")));
        EXPECT_GT(std::stoul(size), std::exchange(previous, std::stoul(size))) << name;
        const std::string folder = std::string(size).append("x").append(size); // 16x16
        const auto file = std::filesystem::path("hicolor") / folder / "apps" / "pokotama.png";
        EXPECT_TRUE(std::ranges::equal(faces::imageBytes(name), fileBytes(file))) << name;
    }
}

TEST(Pictures, EveryPictureOfAFaceIsEmbeddedAndNoOtherName) {
    for (const forms::FaceDesign* face : Faces) {
        for (const ElementDesign& e : face->elements) {
            if (e.kind == Kind::Picture) {
                EXPECT_TRUE(std::ranges::equal(faces::imageBytes(e.picture),
                                               fileBytes(std::string(e.picture) + ".png")))
                    << e.picture;
            }
        }
    }
    for (const std::string_view name : {"", "pokotama", "pokotama8", "about.png", "about "})
        EXPECT_TRUE(faces::imageBytes(name).empty()) << name;
}

} // namespace
