// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The character, word or sentence of a text at, before or after an offset, as assistive
// technology asks for them through QAccessibleTextInterface, for any offset. Qt's
// QTextBoundaryFinder decides where items start and end; which offset stands for the cursor
// is the caller's.
#pragma once

#include <QAccessible>
#include <QString>

namespace forms::qt {

enum class ItemPlace { Before, At, After };

// Characters are graphemes; words alternate with the stretches of spaces and signs between
// them, as in Qt's own text interfaces. A place that holds no item gives an empty one there.
struct TextItem {
    int start = -1; // -1 and -1 for an offset outside the text
    int end = -1;
};

// The offset -1 stands for the end of the text; the word or sentence at the end is the one
// the text ends with. Line, paragraph and no boundary give the whole text.
TextItem findTextItem(const QString& text, int offset, QAccessible::TextBoundaryType boundary,
                      ItemPlace place);

} // namespace forms::qt
