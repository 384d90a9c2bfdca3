#include "forms/qt/line_editor.h"

#include "forms/qt/line_editor_accessible.h"
#include "forms/qt/line_editor_boundaries.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QInputMethod>
#include <QStyle>
#include <QStyleOptionFrame>

namespace forms::qt {
namespace {

using boundaries::pairEnd;
using boundaries::pairStart;

void sendAccessibleEvent(QAccessibleEvent&& event) {
    QAccessible::updateAccessibility(&event);
}

} // namespace

LineEditor::LineEditor(QWidget* parent) : QWidget(parent) {
    installLineEditorAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_KeyCompression);
    setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
    setBackgroundRole(QPalette::Base);
    setMouseTracking(true);
    setCursor(Qt::IBeamCursor);
}

LineEditor::~LineEditor() = default;

// ---- Text, cursor and selection ----------------------------------------------------------

void LineEditor::setText(const QString& text) {
    if (hasFocus() && !preedit_.isEmpty())
        QGuiApplication::inputMethod()->reset();
    preedit_.clear();
    preeditFormats_.clear();
    history_.clear();
    const bool changed = text_ != text;
    const QString old = text_;
    const qsizetype oldCursor = cursor_;
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    const bool hadSelection = hasSelectedText();
    text_ = text;
    cursor_ = anchor_ = text_.size();
    first_ = 0;
    scroll_ = 0;
    invalidate();
    if (changed) {
        if (QAccessible::isActive())
            sendAccessibleEvent(QAccessibleTextUpdateEvent(this, 0, old, text_));
        emit textChanged(text_);
    }
    finishCursorChange(oldCursor, hadSelection, oldStart, oldEnd);
}

void LineEditor::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    invalidate();
}

QString LineEditor::selectedText() const {
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

int LineEditor::selectionStart() const {
    return hasSelectedText() ? int(std::min(cursor_, anchor_)) : -1;
}

int LineEditor::selectionEnd() const {
    return hasSelectedText() ? int(std::max(cursor_, anchor_)) : -1;
}

void LineEditor::setSelection(int start, int length) {
    if (start < 0 || start > text_.size())
        return;
    const qsizetype anchor = pairStart(text_, start);
    const qsizetype cursor =
        pairStart(text_, std::clamp<qsizetype>(qsizetype(start) + length, 0, text_.size()));
    setCursorAndAnchor(cursor, anchor);
}

void LineEditor::setCursorPosition(int position) {
    moveCursor(std::clamp<qsizetype>(position, 0, text_.size()), false);
}

void LineEditor::cursorForward(bool mark, int steps) {
    qsizetype position = cursor_;
    for (int i = 0; i < steps; ++i)
        position = boundaries::nextGrapheme(text_, position);
    for (int i = 0; i > steps; --i)
        position = boundaries::previousGrapheme(text_, position);
    moveCursor(position, mark);
}

void LineEditor::cursorBackward(bool mark, int steps) {
    cursorForward(mark, -steps);
}

void LineEditor::cursorWordForward(bool mark) {
    moveCursor(boundaries::nextWord(text_, cursor_), mark);
}

void LineEditor::cursorWordBackward(bool mark) {
    moveCursor(boundaries::previousWord(text_, cursor_), mark);
}

void LineEditor::home(bool mark) {
    moveCursor(0, mark);
}

void LineEditor::end(bool mark) {
    moveCursor(text_.size(), mark);
}

void LineEditor::selectAll() {
    setCursorAndAnchor(text_.size(), 0);
}

void LineEditor::deselect() {
    setCursorAndAnchor(cursor_, cursor_);
}

void LineEditor::moveCursor(qsizetype position, bool mark) {
    if (!preedit_.isEmpty()) {
        QGuiApplication::inputMethod()->commit();
        preedit_.clear(); // an input method that did not commit loses its preedit
        preeditFormats_.clear();
        invalidate();
    }
    if (position != cursor_)
        history_.endRun();
    position = pairStart(text_, position);
    setCursorAndAnchor(position, mark ? anchor_ : position);
}

void LineEditor::setCursorAndAnchor(qsizetype cursor, qsizetype anchor) {
    const qsizetype oldCursor = cursor_;
    const bool hadSelection = hasSelectedText();
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    cursor_ = cursor;
    anchor_ = anchor;
    finishCursorChange(oldCursor, hadSelection, oldStart, oldEnd);
}

void LineEditor::finishCursorChange(qsizetype oldCursor, bool selectionWas, qsizetype oldStart,
                                    qsizetype oldEnd) {
    const bool selectionChanged_ =
        selectionWas != hasSelectedText() ||
        (selectionWas && (oldStart != selectionStart() || oldEnd != selectionEnd()));
    if (selectionChanged_ || oldCursor != cursor_)
        invalidate();
    if (selectionChanged_) {
        if (hasFocus()) {
            QStyleOptionFrame option;
            initStyleOption(&option);
            setCursorShown(
                !hasSelectedText() ||
                style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &option, this));
        }
        if (QAccessible::isActive()) {
            QAccessibleTextSelectionEvent event(this, std::max(0, selectionStart()),
                                                std::max(0, selectionEnd()));
            event.setCursorPosition(int(cursor_));
            QAccessible::updateAccessibility(&event);
        }
        emit selectionChanged();
    }
    if (oldCursor != cursor_) {
        restartBlinking();
        if (QAccessible::isActive())
            sendAccessibleEvent(QAccessibleTextCursorEvent(this, int(cursor_)));
        emit cursorPositionChanged(int(oldCursor), int(cursor_));
    }
    updateMicroFocus(Qt::ImQueryInput);
}

// ---- Editing -------------------------------------------------------------------------------

void LineEditor::replaceRange(int start, int end, const QString& replacement) {
    qsizetype from = std::clamp<qsizetype>(std::min(start, end), 0, text_.size());
    qsizetype to = std::clamp<qsizetype>(std::max(start, end), 0, text_.size());
    edit(pairStart(text_, from), pairEnd(text_, to), replacement, TextEdit::Kind::Other);
}

void LineEditor::edit(qsizetype start, qsizetype end, const QString& replacement,
                      TextEdit::Kind kind) {
    if (start == end && replacement.isEmpty())
        return;
    TextEdit step{.position = start,
                  .removed = text_.mid(start, end - start),
                  .inserted = replacement,
                  .cursorBefore = cursor_,
                  .anchorBefore = anchor_,
                  .kind = kind};
    history_.record(std::move(step));
    const qsizetype after = start + replacement.size();
    applyStep(start, end - start, replacement, after, after, true);
}

void LineEditor::applyStep(qsizetype start, qsizetype removedLength, const QString& replacement,
                           qsizetype cursor, qsizetype anchor, bool edited) {
    const bool accessible = QAccessible::isActive();
    QString removed;
    if (accessible && removedLength > 0)
        removed = text_.mid(start, removedLength);
    text_.replace(start, removedLength, replacement);
    if (start < first_) {
        first_ = start;
        scroll_ = 0;
    }
    invalidate();
    if (accessible) {
        if (!removed.isEmpty())
            sendAccessibleEvent(QAccessibleTextRemoveEvent(this, int(start), removed));
        if (!replacement.isEmpty())
            sendAccessibleEvent(QAccessibleTextInsertEvent(this, int(start), replacement));
    }
    const qsizetype oldCursor = cursor_;
    const bool hadSelection = hasSelectedText();
    const qsizetype oldStart = selectionStart();
    const qsizetype oldEnd = selectionEnd();
    cursor_ = std::clamp<qsizetype>(cursor, 0, text_.size());
    anchor_ = std::clamp<qsizetype>(anchor, 0, text_.size());
    if (edited)
        emit textEdited(text_);
    emit textChanged(text_);
    finishCursorChange(oldCursor, hadSelection, oldStart, oldEnd);
}

void LineEditor::clear() {
    selectAll();
    del();
}

void LineEditor::insert(const QString& text) {
    const bool typing = !hasSelectedText();
    edit(typing ? cursor_ : selectionStart(), typing ? cursor_ : selectionEnd(), text,
         typing ? TextEdit::Kind::Typing : TextEdit::Kind::Other);
}

void LineEditor::del() {
    if (hasSelectedText())
        edit(selectionStart(), selectionEnd(), {}, TextEdit::Kind::Other);
    else if (cursor_ < text_.size())
        edit(cursor_, boundaries::nextGrapheme(text_, cursor_), {}, TextEdit::Kind::Delete);
}

void LineEditor::backspace() {
    if (hasSelectedText()) {
        edit(selectionStart(), selectionEnd(), {}, TextEdit::Kind::Other);
    } else if (cursor_ > 0) {
        // One code point, as QLineEdit does, so a combining mark can be taken back alone.
        edit(pairStart(text_, cursor_ - 1), cursor_, {}, TextEdit::Kind::Backspace);
    }
}

void LineEditor::undo() {
    if (const std::optional<TextEdit> step = history_.undo())
        applyStep(step->position, step->inserted.size(), step->removed, step->cursorBefore,
                  step->anchorBefore, true);
}

void LineEditor::redo() {
    if (const std::optional<TextEdit> step = history_.redo()) {
        const qsizetype after = step->position + step->inserted.size();
        applyStep(step->position, step->removed.size(), step->inserted, after, after, true);
    }
}

void LineEditor::copy() const {
    copyTo(QClipboard::Clipboard);
}

void LineEditor::copyTo(QClipboard::Mode mode) const {
    if (hasSelectedText())
        QGuiApplication::clipboard()->setText(selectedText(), mode);
}

void LineEditor::cut() {
    if (!hasSelectedText())
        return;
    copy();
    del();
}

void LineEditor::paste() {
    pasteFrom(QClipboard::Clipboard);
}

void LineEditor::pasteFrom(QClipboard::Mode mode) {
    const QString clip = QGuiApplication::clipboard()->text(mode);
    if (clip.isEmpty() && !hasSelectedText())
        return;
    history_.endRun();
    edit(hasSelectedText() ? selectionStart() : cursor_,
         hasSelectedText() ? selectionEnd() : cursor_, clip, TextEdit::Kind::Other);
    history_.endRun();
}

} // namespace forms::qt
