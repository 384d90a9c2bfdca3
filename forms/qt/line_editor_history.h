// The undo and redo steps of a line editor: each step replaces a range of the text by another
// text and remembers the cursor before it; a run of typing or deleting merges into one step.
// The stack is bounded in steps and in stored characters. Applying steps is left to the editor.
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace forms::qt {

struct TextEdit {
    enum class Kind { Typing, Backspace, Delete, Other };
    qsizetype position = 0;
    QString removed;
    QString inserted;
    qsizetype cursorBefore = 0;
    qsizetype anchorBefore = 0;
    Kind kind = Kind::Other;
};

class EditHistory {
  public:
    // Records a done edit and forgets what was undone.
    void record(TextEdit edit);
    // The step to revert, moved to the redo side.
    std::optional<TextEdit> undo();
    // The step to do again, moved back to the undo side.
    std::optional<TextEdit> redo();
    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // The next edit starts a new step (the cursor moved, the focus left …).
    void endRun() { runOpen_ = false; }
    void clear();

  private:
    bool merge(const TextEdit& edit);
    void trim();

    std::deque<TextEdit> done_;
    std::vector<TextEdit> undone_;
    qsizetype stored_ = 0;
    bool runOpen_ = false;
};

} // namespace forms::qt
