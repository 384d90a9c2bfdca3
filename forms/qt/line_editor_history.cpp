#include "forms/qt/line_editor_history.h"

namespace forms::qt {
namespace {

constexpr std::size_t maxSteps = 200;
constexpr qsizetype maxStored = qsizetype(1) << 24; // code units kept for undoing

qsizetype weight(const TextEdit& edit) {
    return edit.removed.size() + edit.inserted.size();
}

} // namespace

void EditHistory::record(TextEdit edit) {
    undone_.clear();
    stored_ += weight(edit);
    if (!runOpen_ || edit.kind == TextEdit::Kind::Other || !merge(edit)) {
        runOpen_ = edit.kind != TextEdit::Kind::Other;
        done_.push_back(std::move(edit));
    }
    trim();
}

bool EditHistory::merge(const TextEdit& edit) {
    TextEdit& last = done_.back();
    if (last.kind != edit.kind)
        return false;
    switch (edit.kind) {
    case TextEdit::Kind::Typing:
        if (!edit.removed.isEmpty() || edit.position != last.position + last.inserted.size())
            return false;
        last.inserted += edit.inserted;
        return true;
    case TextEdit::Kind::Backspace:
        if (edit.position + edit.removed.size() != last.position)
            return false;
        last.removed.prepend(edit.removed);
        last.position = edit.position;
        return true;
    case TextEdit::Kind::Delete:
        if (edit.position != last.position)
            return false;
        last.removed += edit.removed;
        return true;
    case TextEdit::Kind::Other:
        break;
    }
    return false;
}

void EditHistory::trim() {
    while (done_.size() > 1 && (done_.size() > maxSteps || stored_ > maxStored)) {
        stored_ -= weight(done_.front());
        done_.pop_front();
    }
}

std::optional<TextEdit> EditHistory::undo() {
    runOpen_ = false;
    if (done_.empty())
        return std::nullopt;
    TextEdit step = std::move(done_.back());
    done_.pop_back();
    stored_ -= weight(step);
    undone_.push_back(step);
    return step;
}

std::optional<TextEdit> EditHistory::redo() {
    runOpen_ = false;
    if (undone_.empty())
        return std::nullopt;
    TextEdit step = std::move(undone_.back());
    undone_.pop_back();
    stored_ += weight(step);
    done_.push_back(step);
    return step;
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    stored_ = 0;
    runOpen_ = false;
}

} // namespace forms::qt
