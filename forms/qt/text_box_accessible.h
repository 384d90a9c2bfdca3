// What assistive technology reads and edits of a display line: editable text with Text and
// EditableText interfaces over QLineEdit's public API, as Qt's own description of a line edit,
// save two faults of Qt 6.4 that a screen reader meets. Text attributes come as one run over
// the whole text (Qt reports an empty run at the offset asked, and Orca then drops the last
// character when it reads the line); a word or sentence looked up at the end of the text is the
// one the text ends with (Qt loops for ever there). Names come from the widget's accessible
// name; the change events are QLineEdit's.
#pragma once

class QAccessibleInterface;

namespace forms::qt {

class TextBoxEdit;

QAccessibleInterface* describeTextBox(TextBoxEdit* line);

} // namespace forms::qt
