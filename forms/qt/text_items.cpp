// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/text_items.h"

#include <QTextBoundaryFinder>

namespace forms::qt {
namespace {

constexpr int EndOffset = -1; // QAccessibleTextInterface's offset for the end of the text

// Walks the boundaries that delimit items: both ends of the text, and those where Qt sees an
// item start or end. Qt's word finder has boundaries inside the stretches between words too,
// and none at the start of a text that opens with a sign: its own look-up spins there.
class Items {
  public:
    Items(QTextBoundaryFinder::BoundaryType type, const QString& text)
        : finder_(type, text), length_(int(text.size())) {}

    int atOrBefore(int offset) {
        finder_.setPosition(offset);
        while (!delimits())
            finder_.toPreviousBoundary();
        return int(finder_.position());
    }
    // Needs an offset before the end.
    int after(int offset) {
        finder_.setPosition(offset);
        do
            finder_.toNextBoundary();
        while (!delimits());
        return int(finder_.position());
    }

  private:
    bool delimits() const {
        const qsizetype at = finder_.position();
        return at == 0 || at == length_ ||
               (finder_.boundaryReasons() &
                (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem));
    }

    QTextBoundaryFinder finder_;
    const int length_;
};

} // namespace

TextItem findTextItem(const QString& text, int offset, QAccessible::TextBoundaryType boundary,
                      ItemPlace place) {
    const int length = int(text.size());
    if (offset == EndOffset)
        offset = length;
    if (offset < 0 || offset > length)
        return {};
    QTextBoundaryFinder::BoundaryType type = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
    case QAccessible::CharBoundary:
        break;
    case QAccessible::WordBoundary:
        type = QTextBoundaryFinder::Word;
        break;
    case QAccessible::SentenceBoundary:
        type = QTextBoundaryFinder::Sentence;
        break;
    default:
        return {0, length};
    }
    if (length == 0)
        return {0, 0};
    Items items(type, text);
    switch (place) {
    case ItemPlace::Before: {
        const int end = items.atOrBefore(offset);
        return end == 0 ? TextItem{0, 0} : TextItem{items.atOrBefore(end - 1), end};
    }
    case ItemPlace::After:
        if (offset < length)
            offset = items.after(offset);
        return offset == length ? TextItem{length, length} : TextItem{offset, items.after(offset)};
    case ItemPlace::At:
        break;
    }
    if (offset == length) {
        if (boundary == QAccessible::CharBoundary)
            return {length, length};
        offset = length - 1;
    }
    const int start = items.atOrBefore(offset);
    return {start, items.after(start)};
}

} // namespace forms::qt
