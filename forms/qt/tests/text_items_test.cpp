// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The items an assistive client asks for where Qt's own look-up has no answer: before a
// leading sign, past the last word, at the very end, outside the text, in an empty text.
#include "forms/qt/text_items.h"

#include <gtest/gtest.h>
#include <limits>

namespace forms::qt {
namespace {

TEST(FindTextItem, AnswersEveryOffsetWithQtsItemsAndTheirBoundaries) {
    using enum QAccessible::TextBoundaryType;
    using enum ItemPlace;
    constexpr int Max = std::numeric_limits<int>::max();
    struct Row {
        const char16_t* text;
        int offset;
        QAccessible::TextBoundaryType boundary;
        ItemPlace place;
        TextItem item;
    };
    // clang-format off
    const Row rows[] = {
        {u"-4", 0, WordBoundary, At, {0, 1}},       // a sign is no word: the stretch before it
        {u"-4", 1, WordBoundary, Before, {0, 1}},
        {u"-4", 0, WordBoundary, Before, {0, 0}},   // nothing before the first item
        {u"-", -1, WordBoundary, At, {0, 1}},       // the end: the item the text ends with
        {u"12 + 34", 3, WordBoundary, At, {2, 5}},  // the stretch between two words
        {u"12 + 34", 0, WordBoundary, After, {2, 5}},
        {u"4-", 1, WordBoundary, After, {2, 2}},    // nothing after the last item
        {u"1.5. 2", 6, SentenceBoundary, At, {5, 6}},
        {u"12", 2, CharBoundary, At, {2, 2}},       // no character at the end
        {u"a\U0001F600b", 2, CharBoundary, At, {1, 3}}, // a surrogate pair is one character
        {u"12", 1, LineBoundary, Before, {0, 2}},
        {u"", 0, WordBoundary, At, {0, 0}},
        {u"12", 3, WordBoundary, At, {-1, -1}},
        {u"12", -2, WordBoundary, After, {-1, -1}}, // the cursor is the caller's to place
        {u"12", Max, CharBoundary, Before, {-1, -1}},
        {u"12", -Max - 1, SentenceBoundary, At, {-1, -1}},
    };
    // clang-format on
    for (const Row& row : rows) {
        const TextItem found =
            findTextItem(QString::fromUtf16(row.text), row.offset, row.boundary, row.place);
        EXPECT_EQ(std::pair(found.start, found.end), std::pair(row.item.start, row.item.end))
            << QString::fromUtf16(row.text).toStdString() << " at " << row.offset << ", "
            << row.boundary << ", place " << int(row.place);
    }
}

} // namespace
} // namespace forms::qt
