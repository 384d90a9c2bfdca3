// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology reads and edits of a display line: editable text with Text and
// EditableText interfaces over QLineEdit's public API, as Qt's own description of a line edit,
// save where Qt 6.4 fails a screen reader. Text attributes come as one run over the whole text
// (Qt reports an empty run at the offset asked, and Orca then drops the last character when it
// reads the line); characters, words and sentences are found for any offset
// (forms/qt/text_items.h: Qt's own look-up spins for ever at the end of the text and before a
// leading sign); character extents come from one layout of the line
// (forms/qt/character_extents.h); any offset a client passes is brought into the text first.
// Names come from the widget's accessible name; the change events are QLineEdit's.
#pragma once

class QAccessibleInterface;

namespace forms::qt {

class TextBoxEdit;

QAccessibleInterface* describeTextBox(TextBoxEdit* line);

} // namespace forms::qt
