#include "faces/about_face.h"
#include "faces/author.h"
#include "faces/form1_face.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>

namespace {

using faces::aboutFace;
using faces::AuthorName;
using faces::form1Face;
using forms::ElementDesign;
using forms::Kind;
using forms::Rect;

const ElementDesign* find(const forms::FaceDesign& face, std::string_view name,
                          int index = forms::Element::NoIndex) {
    auto it = std::find_if(face.elements.begin(), face.elements.end(),
                           [&](const auto& e) { return e.name == name && e.index == index; });
    return it == face.elements.end() ? nullptr : &*it;
}

std::size_t stackPosition(const forms::FaceDesign& face, std::string_view name) {
    const ElementDesign* element = find(face, name);
    EXPECT_NE(element, nullptr) << name;
    return static_cast<std::size_t>(element - face.elements.data());
}

Rect intersection(const Rect& a, const Rect& b) {
    const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

bool overlap(const Rect& a, const Rect& b) {
    const Rect common = intersection(a, b);
    return common.width > 0 && common.height > 0;
}

std::string lampName(int n) {
    return "ShapeK" + std::to_string(n);
}

// ShapeK followed by a number; ShapeKakeru is a key face.
bool isLamp(const ElementDesign& e) {
    return e.name.starts_with("ShapeK") && e.name.size() > 6 &&
           std::isdigit(static_cast<unsigned char>(e.name[6]));
}

bool isPainted(const ElementDesign& e) {
    return e.kind == Kind::TextBox || e.kind == Kind::Label || e.kind == Kind::Shape;
}

// ---- Lamps ----

TEST(Form1Lamps, CornersAndSidesFollowTheRing) {
    const std::pair<int, forms::Point> places[] = {
        {1, {240, 2520}},   {2, {240, 3000}},   {13, {240, 8280}},
        {14, {840, 8280}},  {29, {9840, 8280}}, {30, {9840, 7800}},
        {41, {9840, 2520}}, {42, {9240, 2520}}, {56, {840, 2520}},
    };
    for (const auto& [n, corner] : places) {
        const ElementDesign* lamp = find(form1Face(), lampName(n));
        ASSERT_NE(lamp, nullptr) << n;
        EXPECT_EQ(lamp->rect, (Rect{corner.x, corner.y, 615, 495})) << n;
    }
}

TEST(Form1Lamps, PinkRectanglesWithoutOutlineStackedByNumber) {
    for (int n = 1; n <= 56; ++n) {
        const ElementDesign* lamp = find(form1Face(), lampName(n));
        ASSERT_NE(lamp, nullptr) << n;
        EXPECT_EQ(lamp->kind, Kind::Shape);
        EXPECT_EQ(lamp->shape, forms::ShapeStyle::Rectangle);
        EXPECT_EQ(lamp->backColor, 0x8080FFu);
        EXPECT_FALSE(lamp->outline.has_value());
        if (n > 1) {
            EXPECT_GT(stackPosition(form1Face(), lampName(n)),
                      stackPosition(form1Face(), lampName(n - 1)));
        }
    }
}

// Neighbours (ShapeK56 next to ShapeK1 too) share a one-pixel strip; the two lamps beside each
// corner lamp share a one-pixel square; no other lamps touch.
TEST(Form1Lamps, OnlyNeighboursAndCornerFlanksOverlapByOnePixel) {
    const std::set<std::pair<int, int>> cornerFlanks = {{2, 56}, {12, 14}, {28, 30}, {40, 42}};
    for (int a = 1; a <= 56; ++a) {
        for (int b = a + 1; b <= 56; ++b) {
            const Rect common = intersection(find(form1Face(), lampName(a))->rect,
                                             find(form1Face(), lampName(b))->rect);
            const bool neighbours = b == a + 1 || (a == 1 && b == 56);
            const std::pair size(common.width, common.height);
            if (neighbours) {
                EXPECT_TRUE(size == std::pair(15, 495) || size == std::pair(615, 15))
                    << a << "/" << b;
            } else if (cornerFlanks.contains({a, b})) {
                EXPECT_EQ(size, std::pair(15, 15)) << a << "/" << b;
            } else {
                EXPECT_FALSE(size.first > 0 && size.second > 0) << a << "/" << b;
            }
        }
    }
}

// ---- Keys ----

// The keypad grid: columns 1-4 hold 1215 × 1095 faces on rows 105 apart; column 5 holds
// three 1455 × 1335 faces, 105 apart.
Rect gridFace(int column, int row) {
    constexpr int lefts[] = {1320, 2640, 3960, 5760, 7080};
    if (column == 5)
        return {7080, 3360 + 1440 * (row - 1), 1455, 1335};
    return {lefts[column - 1], 3360 + 1200 * (row - 1), 1215, 1095};
}

// What the face leaves uncovered by its label: left, top, right, bottom strips.
struct Strips {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct KeyRow {
    const char* face;
    const char* label;
    int column, row;
    forms::Colour faceColour;
    std::u16string_view caption;
    std::u16string_view fontName;
    double points;
    Strips dead;
};

constexpr std::u16string_view Maru = u"HG丸ｺﾞｼｯｸM-PRO";
constexpr std::u16string_view MaruTate = u"@HG丸ｺﾞｼｯｸM-PRO";
constexpr std::u16string_view PGothic = u"ＭＳ Ｐゴシック";

const KeyRow keyRows[] = {
    {"ShapeSuuzi7", "LabelSuuzi7", 1, 1, 0x00FFFF, u"7", MaruTate, 48, {120, 0, 120, 0}},
    {"ShapeSuuzi8", "LabelSuuzi8", 2, 1, 0xFFFF00, u"8", Maru, 48, {}},
    {"ShapeSuuzi9", "LabelSuuzi9", 3, 1, 0x00FF00, u"9", Maru, 48, {}},
    {"ShapePura", "LabelPura", 4, 1, 0xFFFF00, u"\uFF0B", Maru, 48, {}},
    {"ShapeEqual", "LabelEqual", 5, 1, 0xC0C0C0, u"\uFF1D", Maru, 72, {}},
    {"ShapeSuuzi4", "LabelSuuzi4", 1, 2, 0xFF00FF, u"4", Maru, 48, {}},
    {"ShapeSuuzi5", "LabelSuuzi5", 2, 2, 0x0000FF, u"5", Maru, 48, {}},
    {"ShapeSuuzi6", "LabelSuuzi6", 3, 2, 0x0080FF, u"6", Maru, 48, {}},
    {"ShapeMaina", "LabelMaina", 4, 2, 0x00FFFF, u"\uFF0D", Maru, 48, {}},
    {"ShapeCE", "LabelCE", 5, 2, 0x0000FF, u"CE", Maru, 48, {0, 120, 0, 0}},
    {"ShapeSuuzi1", "LabelSuuzi1", 1, 3, 0xC0C0C0, u"1", Maru, 48, {0, 0, 0, 120}},
    {"ShapeSuuzi2", "LabelSuuzi2", 2, 3, 0x80000005, u"2", Maru, 48, {}},
    {"ShapeSuuzi3", "LabelSuuzi3", 3, 3, 0xC0C000, u"3", Maru, 48, {}},
    {"ShapeKakeru", "Label2", 4, 3, 0xFF00FF, u"\u00D7", Maru, 48, {}},
    {"ShapeC", "LabelC", 5, 3, 0xFFFF00, u"C", Maru, 48, {0, 120, 0, 0}},
    {"ShapePuramai", "LabelPuraMai", 1, 4, 0x00FF00, u"+/-", Maru, 36, {0, 120, 0, 0}},
    {"ShapeSuuzi0", "LabelSuuzi0", 2, 4, 0x00FFFF, u"0", Maru, 48, {}},
    {"ShapeSyousuuTen", "LabelSyousuuTen", 3, 4, 0x0000C0, u".", PGothic, 48, {}},
    {"ShapeWaru", "Label3", 4, 4, 0x00FF00, u"\u00F7", Maru, 48, {}},
};

TEST(Form1Keys, FacesStandOnTheGridInTheirColours) {
    for (const KeyRow& key : keyRows) {
        const ElementDesign* face = find(form1Face(), key.face);
        ASSERT_NE(face, nullptr) << key.face;
        EXPECT_EQ(face->kind, Kind::Shape) << key.face;
        EXPECT_EQ(face->shape, forms::ShapeStyle::RoundedRectangle) << key.face;
        EXPECT_EQ(face->rect, gridFace(key.column, key.row)) << key.face;
        EXPECT_EQ(face->backColor, key.faceColour) << key.face;
        const forms::Colour outline =
            key.face == std::string_view("ShapeSuuzi7") ? 0u : 0x80000008u;
        EXPECT_EQ(face->outline, outline) << key.face;
        EXPECT_TRUE(face->accessibleName.empty()) << key.face;
    }
}

TEST(Form1Keys, LabelsCoverTheirFacesExceptTheDeadStrips) {
    for (const KeyRow& key : keyRows) {
        const ElementDesign* label = find(form1Face(), key.label);
        ASSERT_NE(label, nullptr) << key.label;
        const Rect face = gridFace(key.column, key.row);
        const Rect expected{face.left + key.dead.left, face.top + key.dead.top,
                            face.width - key.dead.left - key.dead.right,
                            face.height - key.dead.top - key.dead.bottom};
        EXPECT_EQ(label->rect, expected) << key.label;
    }
}

TEST(Form1Keys, LabelsAreTransparentCentredCaptionsWithTheirFonts) {
    for (const KeyRow& key : keyRows) {
        const ElementDesign* label = find(form1Face(), key.label);
        ASSERT_NE(label, nullptr) << key.label;
        EXPECT_EQ(label->kind, Kind::Label) << key.label;
        EXPECT_FALSE(label->opaque) << key.label;
        EXPECT_EQ(label->alignment, forms::Alignment::Centre) << key.label;
        EXPECT_TRUE(label->caption == key.caption) << key.label;
        EXPECT_TRUE(label->font.name == key.fontName) << key.label;
        EXPECT_EQ(label->font.points, key.points) << key.label;
    }
}

TEST(Form1Keys, EachLabelLiesDirectlyAboveItsFace) {
    for (const KeyRow& key : keyRows)
        EXPECT_EQ(stackPosition(form1Face(), key.label), stackPosition(form1Face(), key.face) + 1)
            << key.label;
}

// ---- The face as a whole ----

TEST(Form1Face, OnlyTheDisplayLinesTakeFocusText1First) {
    for (const ElementDesign& e : form1Face().elements) {
        const int expected = e.name == "Text1" ? 0 : e.name == "Text2" ? 1 : -1;
        EXPECT_EQ(e.tabIndex, expected) << e.name;
    }
}

TEST(Form1Face, HundredUniquelyNamedElements) {
    std::set<std::pair<std::string_view, int>> names;
    for (const ElementDesign& e : form1Face().elements)
        EXPECT_TRUE(names.insert({e.name, e.index}).second) << e.name;
    EXPECT_EQ(form1Face().elements.size(), 56u + 38u + 2u + 2u + 2u);
}

TEST(Form1Face, TextBoxesLieAboveEveryPaintedElement) {
    const auto& elements = form1Face().elements;
    const std::size_t lowestTextBox =
        std::min(stackPosition(form1Face(), "Text1"), stackPosition(form1Face(), "Text2"));
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (isPainted(elements[i]) && elements[i].kind != Kind::TextBox) {
            EXPECT_LT(i, lowestTextBox) << elements[i].name;
        }
    }
}

TEST(Form1Face, NothingOverlapsApartFromKeyPairsAndLampsAndAllFitsTheClientArea) {
    std::set<std::pair<std::string_view, std::string_view>> pairs;
    for (const KeyRow& key : keyRows)
        pairs.insert({key.face, key.label});
    const auto& elements = form1Face().elements;
    const Rect client{0, 0, form1Face().window.clientWidth, form1Face().window.clientHeight};
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ElementDesign& a = elements[i];
        if (!isPainted(a))
            continue;
        EXPECT_EQ(intersection(a.rect, client), a.rect) << a.name;
        for (std::size_t j = i + 1; j < elements.size(); ++j) {
            const ElementDesign& b = elements[j];
            if (!isPainted(b) || (isLamp(a) && isLamp(b)) || pairs.contains({a.name, b.name}))
                continue;
            EXPECT_FALSE(overlap(a.rect, b.rect)) << a.name << " / " << b.name;
        }
    }
}

// ---- About window ----

TEST(AboutFace, Window) {
    const forms::WindowDesign& window = aboutFace().window;
    EXPECT_EQ(window.name, "frmAbout");
    EXPECT_TRUE(window.caption == u"ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(std::pair(window.clientWidth, window.clientHeight), std::pair(3450, 3330));
    EXPECT_EQ(window.border, forms::Border::FixedDialog);
    EXPECT_FALSE(window.taskbarButton);
    EXPECT_EQ(window.screenPlace, (forms::Point{2340, 1935}));
    EXPECT_EQ(window.backColor, 0x8000000Fu);
}

TEST(AboutFace, ElementsInPlace) {
    struct Row {
        const char* name;
        int index;
        Kind kind;
        Rect rect;
        int tabIndex;
    };
    const Row rows[] = {
        {"ぽこたま", -1, Kind::Label, {840, 120, 1455, 255}, -1},
        {"picIcon", -1, Kind::Picture, {1200, 480, 540, 540}, 0},
        {"lblVersion", -1, Kind::Label, {840, 1200, 1125, 225}, -1},
        {"Line1", 1, Kind::Line, {90, 1440, 5564, 0}, -1},
        {"lblDescription", -1, Kind::Label, {480, 1560, 2205, 210}, -1},
        {"Label1", 0, Kind::Label, {480, 1800, 2175, 255}, -1},
        {"Label1", 1, Kind::Label, {480, 2040, 2175, 255}, -1},
        {"CommandVersionToziru", -1, Kind::Button, {960, 2760, 1215, 495}, 1},
    };
    ASSERT_EQ(aboutFace().elements.size(), std::size(rows));
    for (const Row& row : rows) {
        const ElementDesign* e = find(aboutFace(), row.name, row.index);
        ASSERT_NE(e, nullptr) << row.name << row.index;
        EXPECT_EQ(e->kind, row.kind) << row.name;
        EXPECT_EQ(e->rect, row.rect) << row.name << row.index;
        EXPECT_EQ(e->tabIndex, row.tabIndex) << row.name;
        if (e->kind == Kind::Label) {
            EXPECT_TRUE(e->opaque) << row.name;
            EXPECT_EQ(e->alignment, forms::Alignment::Left) << row.name;
            EXPECT_EQ(e->backColor, 0x8000000Fu) << row.name;
            const forms::Colour text =
                row.name == std::string_view("lblDescription") ? 0u : 0x80000012u;
            EXPECT_EQ(e->foreColor, text) << row.name;
        }
    }
    EXPECT_EQ(find(aboutFace(), "Line1", 1)->rect.right(), 5654);
    EXPECT_EQ(find(aboutFace(), "Line1", 1)->foreColor, 0x808080u);
    EXPECT_TRUE(find(aboutFace(), "ぽこたま")->font.name == u"ＭＳ Ｐゴシック");
    EXPECT_EQ(find(aboutFace(), "picIcon")->picture, "about");
}

TEST(AboutFace, CreditLinesSpacedAndSigned) {
    EXPECT_TRUE(AuthorName == u"森\u3000結");
    const std::pair<const char*, int> lines[] = {
        {"lblDescription", -1}, {"Label1", 0}, {"Label1", 1}};
    const std::u16string expected[] = {
        u"プロデュース\u3000 森\u3000結",
        u"プログラム\u3000\u3000\u3000森\u3000結",
        u"企画\u3000\u3000\u3000\u3000\u3000\u3000 森\u3000結",
    };
    for (std::size_t i = 0; i < std::size(lines); ++i)
        EXPECT_TRUE(find(aboutFace(), lines[i].first, lines[i].second)->caption == expected[i])
            << lines[i].first << lines[i].second;
}

} // namespace
