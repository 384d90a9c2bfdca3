// Makes line editors visible to screen readers as editable text, the way QLineEdit is: its
// text, cursor and selection can be read and changed through the accessibility interfaces,
// and changes made there count as the user's. Word and sentence lookups read a window of the
// text around the offset. Sending the change events is left to the editor.
#pragma once

namespace forms::qt {

// Registers the accessibility factory for LineEditor; later calls do nothing.
void installLineEditorAccessibility();

} // namespace forms::qt
