#include "forms/qt/line_editor.h"

#include "forms/qt/line_editor_accessible.h"
#include "forms/qt/line_editor_boundaries.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <limits>

namespace forms::qt {
namespace {

// The gaps QLineEdit keeps between its frame's contents and the text.
constexpr int horizontalMargin = 2;
constexpr int verticalMargin = 1;
// The most code units a window lays out while looking for enough width (zero-width text).
constexpr qsizetype widestWindow = 1 << 14;
// How much text around the cursor input methods see.
constexpr qsizetype surroundingReach = 256;

using boundaries::graphemeStart;
using boundaries::pairEnd;
using boundaries::pairStart;

// Keys QLineEdit takes for itself, so that shortcuts of the window don't steal them.
bool isEditingKey(const QKeyEvent* event) {
    static constexpr QKeySequence::StandardKey keys[] = {
        QKeySequence::Copy,
        QKeySequence::Paste,
        QKeySequence::Cut,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::SelectAll,
        QKeySequence::Delete,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteCompleteLine,
        QKeySequence::MoveToNextChar,
        QKeySequence::MoveToPreviousChar,
        QKeySequence::MoveToNextWord,
        QKeySequence::MoveToPreviousWord,
        QKeySequence::MoveToStartOfLine,
        QKeySequence::MoveToEndOfLine,
        QKeySequence::MoveToStartOfBlock,
        QKeySequence::MoveToEndOfBlock,
        QKeySequence::SelectNextChar,
        QKeySequence::SelectPreviousChar,
        QKeySequence::SelectNextWord,
        QKeySequence::SelectPreviousWord,
        QKeySequence::SelectStartOfLine,
        QKeySequence::SelectEndOfLine,
        QKeySequence::SelectStartOfBlock,
        QKeySequence::SelectEndOfBlock,
    };
    for (QKeySequence::StandardKey key : keys)
        if (event->matches(key))
            return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier ||
        modifiers == Qt::KeypadModifier) {
        if (event->key() < Qt::Key_Escape)
            return true;
        switch (event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Backspace:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return true;
        default:
            break;
        }
    }
    return false;
}

bool isRedoFallback(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
           (event->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
}

void setActionIcon(QAction* action, const QString& name) {
    const QIcon icon = QIcon::fromTheme(name);
    if (!icon.isNull())
        action->setIcon(icon);
}

QString withShortcut(const char* text, QKeySequence::StandardKey key) {
    QString label = QCoreApplication::translate("QLineEdit", text);
    if (QGuiApplication::styleHints()->showShortcutsInContextMenus())
        label += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    return label;
}

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

// ---- Keyboard and input methods ------------------------------------------------------------

bool LineEditor::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isEditingKey(key) || isRedoFallback(key)) {
            key->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

bool LineEditor::isPlainTyping(const QKeyEvent* event) const {
    const QString typed = event->text();
    if (typed.isEmpty())
        return false;
    const QChar first = typed.front();
    if (first.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return first.isPrint() || first.category() == QChar::Other_PrivateUse ||
           (first.isHighSurrogate() && typed.size() > 1 && typed.at(1).isLowSurrogate());
}

bool LineEditor::handleStandardKey(QKeyEvent* event) {
    using Key = QKeySequence;
    const bool ltr = layoutDirection() == Qt::LeftToRight;
    auto forward = [&](bool mark) { ltr ? cursorForward(mark) : cursorBackward(mark); };
    auto backward = [&](bool mark) { ltr ? cursorBackward(mark) : cursorForward(mark); };
    if (event->matches(Key::Undo)) {
        undo();
    } else if (event->matches(Key::Redo) || isRedoFallback(event)) {
        redo();
    } else if (event->matches(Key::SelectAll)) {
        selectAll();
    } else if (event->matches(Key::Copy)) {
        copy();
    } else if (event->matches(Key::Paste)) {
        paste();
    } else if (event->matches(Key::Cut)) {
        cut();
    } else if (event->matches(Key::DeleteEndOfLine)) {
        setSelection(int(cursor_), int(text_.size() - cursor_));
        copy();
        del();
    } else if (event->matches(Key::MoveToStartOfLine) || event->matches(Key::MoveToStartOfBlock)) {
        home(false);
    } else if (event->matches(Key::MoveToEndOfLine) || event->matches(Key::MoveToEndOfBlock)) {
        end(false);
    } else if (event->matches(Key::SelectStartOfLine) || event->matches(Key::SelectStartOfBlock)) {
        home(true);
    } else if (event->matches(Key::SelectEndOfLine) || event->matches(Key::SelectEndOfBlock)) {
        end(true);
    } else if (event->matches(Key::MoveToNextChar)) {
        if (hasSelectedText())
            moveCursor(ltr ? selectionEnd() : selectionStart(), false);
        else
            forward(false);
    } else if (event->matches(Key::SelectNextChar)) {
        forward(true);
    } else if (event->matches(Key::MoveToPreviousChar)) {
        if (hasSelectedText())
            moveCursor(ltr ? selectionStart() : selectionEnd(), false);
        else
            backward(false);
    } else if (event->matches(Key::SelectPreviousChar)) {
        backward(true);
    } else if (event->matches(Key::MoveToNextWord)) {
        ltr ? cursorWordForward(false) : cursorWordBackward(false);
    } else if (event->matches(Key::MoveToPreviousWord)) {
        ltr ? cursorWordBackward(false) : cursorWordForward(false);
    } else if (event->matches(Key::SelectNextWord)) {
        ltr ? cursorWordForward(true) : cursorWordBackward(true);
    } else if (event->matches(Key::SelectPreviousWord)) {
        ltr ? cursorWordBackward(true) : cursorWordForward(true);
    } else if (event->matches(Key::Delete)) {
        del();
    } else if (event->matches(Key::DeleteEndOfWord)) {
        if (!hasSelectedText())
            cursorWordForward(true);
        del();
    } else if (event->matches(Key::DeleteStartOfWord)) {
        if (!hasSelectedText())
            cursorWordBackward(true);
        del();
    } else if (event->matches(Key::DeleteCompleteLine)) {
        selectAll();
        copy();
        del();
    } else if (event->key() == Qt::Key_Backspace) {
        if (event->modifiers() & Qt::ControlModifier) {
            if (!hasSelectedText())
                cursorWordBackward(true);
            del();
        } else {
            backspace();
        }
    } else {
        return false;
    }
    return true;
}

void LineEditor::keyPressEvent(QKeyEvent* event) {
    if (handleStandardKey(event)) {
        restartBlinking();
        event->accept();
    } else if (isPlainTyping(event)) {
        insert(event->text());
        event->accept();
    } else {
        event->ignore(); // Enter, Escape, Tab and shortcuts go on to the window
    }
}

void LineEditor::inputMethodEvent(QInputMethodEvent* event) {
    const bool gettingInput = !event->commitString().isEmpty() ||
                              event->preeditString() != preedit_ || event->replacementLength() > 0;
    if (gettingInput && hasSelectedText())
        edit(selectionStart(), selectionEnd(), {}, TextEdit::Kind::Other);
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        const qsizetype start = pairStart(
            text_, std::clamp<qsizetype>(cursor_ + event->replacementStart(), 0, text_.size()));
        const qsizetype end = pairEnd(
            text_, std::clamp<qsizetype>(start + event->replacementLength(), start, text_.size()));
        edit(start, end, event->commitString(), TextEdit::Kind::Other);
    }
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type != QInputMethodEvent::Selection)
            continue;
        const qsizetype anchor = std::clamp<qsizetype>(attribute.start, 0, text_.size());
        const qsizetype cursor =
            std::clamp<qsizetype>(attribute.start + attribute.length, 0, text_.size());
        setCursorAndAnchor(pairStart(text_, cursor), pairStart(text_, anchor));
    }
    preedit_ = event->preeditString();
    preeditCursor_ = int(preedit_.size());
    preeditHidesCursor_ = false;
    preeditFormats_.clear();
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preeditCursor_ = std::clamp(attribute.start, 0, int(preedit_.size()));
            preeditHidesCursor_ = attribute.length == 0;
        } else if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format =
                qvariant_cast<QTextFormat>(attribute.value).toCharFormat();
            if (format.isValid())
                preeditFormats_.append({attribute.start, attribute.length, format});
        }
    }
    invalidate();
    updateMicroFocus(Qt::ImQueryInput);
}

QVariant LineEditor::inputMethodQuery(Qt::InputMethodQuery query) const {
    const qsizetype windowStart =
        pairStart(text_, std::max<qsizetype>(0, cursor_ - surroundingReach));
    const qsizetype windowEnd =
        pairEnd(text_, std::min<qsizetype>(text_.size(), cursor_ + surroundingReach));
    switch (query) {
    case Qt::ImEnabled:
        return isEnabled();
    case Qt::ImCursorRectangle:
        return cursorRect();
    case Qt::ImAnchorRectangle: {
        const QRect anchor = characterRect(int(anchor_));
        return anchor.isEmpty() ? cursorRect() : QRect(anchor.topLeft(), QSize(1, anchor.height()));
    }
    case Qt::ImFont:
        return font();
    case Qt::ImAbsolutePosition:
        return int(cursor_);
    case Qt::ImCursorPosition:
        return int(cursor_ - windowStart);
    case Qt::ImAnchorPosition:
        return int(std::clamp(anchor_, windowStart, windowEnd) - windowStart);
    case Qt::ImSurroundingText:
        return text_.mid(windowStart, windowEnd - windowStart);
    case Qt::ImTextBeforeCursor:
        return text_.mid(windowStart, cursor_ - windowStart);
    case Qt::ImTextAfterCursor:
        return text_.mid(cursor_, windowEnd - cursor_);
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImMaximumTextLength:
        return QVariant(); // no limit
    case Qt::ImReadOnly:
        return false;
    default:
        return QWidget::inputMethodQuery(query);
    }
}

// ---- Mouse, menu and focus -----------------------------------------------------------------

void LineEditor::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        return;
    const QPoint at = event->position().toPoint();
    if (tripleClickTimer_.isActive() &&
        (at - tripleClickAt_).manhattanLength() < QApplication::startDragDistance()) {
        selectAll();
        return;
    }
    const int index = indexAt(at.x());
    if (!preedit_.isEmpty() && index == cursor_) {
        const View& shown = view();
        const qsizetype inPreedit =
            shown.layout.lineAt(0).xToCursor(at.x() - shown.origin) - (cursor_ - shown.start);
        if (inPreedit >= 0 && inPreedit <= preedit_.size()) {
            QGuiApplication::inputMethod()->invokeAction(QInputMethod::Click, int(inPreedit));
            return;
        }
    }
    moveCursor(index, event->modifiers() & Qt::ShiftModifier);
}

void LineEditor::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        moveCursor(indexAt(event->position().toPoint().x()), true);
}

void LineEditor::mouseReleaseEvent(QMouseEvent* event) {
    if (!QGuiApplication::clipboard()->supportsSelection())
        return;
    if (event->button() == Qt::LeftButton) {
        copyTo(QClipboard::Selection);
    } else if (event->button() == Qt::MiddleButton) {
        deselect();
        pasteFrom(QClipboard::Selection);
    }
}

void LineEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const boundaries::Range word =
        boundaries::wordAt(text_, indexAt(event->position().toPoint().x()));
    moveCursor(word.start, false);
    moveCursor(word.end, true);
    tripleClickAt_ = event->position().toPoint();
    tripleClickTimer_.start(QApplication::doubleClickInterval(), this);
}

QMenu* LineEditor::createStandardContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    auto add = [&](QString label, const char* icon, bool enabled, auto slot) {
        QAction* action = menu->addAction(label);
        action->setEnabled(enabled);
        action->setObjectName(QLatin1String(icon));
        setActionIcon(action, QLatin1String(icon));
        connect(action, &QAction::triggered, this, slot);
    };
    add(withShortcut("&Undo", QKeySequence::Undo), "edit-undo", isUndoAvailable(),
        &LineEditor::undo);
    add(withShortcut("&Redo", QKeySequence::Redo), "edit-redo", isRedoAvailable(),
        &LineEditor::redo);
    menu->addSeparator();
    add(withShortcut("Cu&t", QKeySequence::Cut), "edit-cut", hasSelectedText(), &LineEditor::cut);
    add(withShortcut("&Copy", QKeySequence::Copy), "edit-copy", hasSelectedText(),
        &LineEditor::copy);
    add(withShortcut("&Paste", QKeySequence::Paste), "edit-paste",
        !QGuiApplication::clipboard()->text().isEmpty(), &LineEditor::paste);
    add(QCoreApplication::translate("QLineEdit", "Delete"), "edit-delete", hasSelectedText(),
        &LineEditor::del);
    menu->addSeparator();
    const bool allSelected = selectionStart() == 0 && selectionEnd() == text_.size();
    add(withShortcut("Select All", QKeySequence::SelectAll), "select-all",
        !text_.isEmpty() && !allSelected, &LineEditor::selectAll);
    return menu;
}

void LineEditor::contextMenuEvent(QContextMenuEvent* event) {
    if (QPointer<QMenu> menu = createStandardContextMenu()) {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }
}

void LineEditor::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
         reason == Qt::ShortcutFocusReason) &&
        !hasSelectedText())
        selectAll();
    QStyleOptionFrame option;
    initStyleOption(&option);
    setCursorShown((!hasSelectedText() && preedit_.isEmpty()) ||
                   style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &option, this));
    update();
}

void LineEditor::focusOutEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
        deselect();
    history_.endRun();
    setCursorShown(false);
    update();
}

// ---- Geometry and painting -----------------------------------------------------------------

void LineEditor::initStyleOption(QStyleOptionFrame* option) const {
    option->initFrom(this);
    option->rect = contentsRect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    option->features = QStyleOptionFrame::None;
}

QSize LineEditor::sizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int height = std::max(metrics.height(), std::max(14, iconSize - 2)) + 2 * verticalMargin;
    const int width = metrics.horizontalAdvance(u'x') * 17 + 2 * horizontalMargin;
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, height), this);
}

QSize LineEditor::minimumSizeHint() const {
    ensurePolished();
    const QFontMetrics metrics(font());
    const int height = metrics.height() + std::max(2 * verticalMargin, metrics.leading());
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &option,
                                     QSize(metrics.maxWidth(), height), this);
}

void LineEditor::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        updateGeometry();
        invalidate();
        break;
    case QEvent::LayoutDirectionChange:
        invalidate();
        break;
    case QEvent::ActivationChange:
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void LineEditor::resizeEvent(QResizeEvent* event) {
    invalidate();
    QWidget::resizeEvent(event);
}

void LineEditor::invalidate() {
    viewValid_ = false;
    update();
}

QString LineEditor::shownText(qsizetype start, qsizetype end) const {
    QString shown = text_.mid(start, end - start);
    // As QLineEdit does: control characters would draw as boxes in most fonts.
    for (QChar& c : shown) {
        if ((c.unicode() < 0x20 && c.unicode() != 0x09) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QChar::ObjectReplacementCharacter)
            c = u' ';
    }
    return shown;
}

bool LineEditor::preeditInView(const View& shown) const {
    return !preedit_.isEmpty() && cursor_ >= shown.start && cursor_ <= shown.start + shown.length;
}

void LineEditor::layOut(QTextLayout& layout, qsizetype start, qsizetype length,
                        bool withPreedit) const {
    layout.setText(shownText(start, start + length));
    layout.setFont(font());
    QTextOption option;
    option.setTextDirection(layoutDirection());
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    if (withPreedit && !preedit_.isEmpty() && cursor_ >= start && cursor_ <= start + length) {
        layout.setPreeditArea(int(cursor_ - start), preedit_);
        QList<QTextLayout::FormatRange> formats = preeditFormats_;
        for (QTextLayout::FormatRange& range : formats)
            range.start += int(cursor_ - start);
        layout.setFormats(formats);
    } else {
        layout.setPreeditArea(-1, {});
        layout.clearFormats();
    }
    layout.beginLayout();
    layout.createLine();
    layout.endLayout(); // lays the one line out without a width limit
}

qreal LineEditor::widthOf(qsizetype start, qsizetype end) const {
    QTextLayout layout;
    layOut(layout, start, end - start, true);
    return layout.lineAt(0).naturalTextWidth();
}

LineEditor::Span LineEditor::spanFilling(qsizetype end, qreal width) const {
    const qreal charWidth = std::max<qreal>(1, QFontMetricsF(font()).averageCharWidth());
    for (qsizetype reach = qsizetype(width / charWidth) + 8;; reach *= 2) {
        const qsizetype start = graphemeStart(text_, std::max<qsizetype>(0, end - reach));
        const qreal found = widthOf(start, end);
        if (found >= width || start == 0 || reach >= widestWindow)
            return {start, found};
    }
}

void LineEditor::cover(qsizetype start, qreal width, qsizetype minEnd) const {
    const qreal charWidth = std::max<qreal>(1, QFontMetricsF(font()).averageCharWidth());
    for (qsizetype length = qsizetype(width / charWidth) + 8;; length *= 2) {
        qsizetype end = std::min(text_.size(), start + length);
        if (end < text_.size()) {
            end = graphemeStart(text_, end);
            if (end <= start)
                end = boundaries::nextGrapheme(text_, start);
        }
        layOut(view_.layout, start, end - start, true);
        view_.start = start;
        view_.length = end - start;
        const qreal laidOut = view_.layout.lineAt(0).naturalTextWidth();
        if (end == text_.size() || (end >= minEnd && (laidOut >= width || length >= widestWindow)))
            return;
    }
}

qsizetype LineEditor::cursorLayoutPosition(const View& shown) const {
    return cursor_ - shown.start + (preeditInView(shown) ? preeditCursor_ : 0);
}

qsizetype LineEditor::toLayoutPosition(const View& shown, qsizetype index) const {
    qsizetype position = index - shown.start;
    if (preeditInView(shown) && index > cursor_)
        position += preedit_.size();
    return position;
}

qsizetype LineEditor::toTextIndex(const View& shown, qsizetype position) const {
    if (preeditInView(shown)) {
        const qsizetype preeditStart = cursor_ - shown.start;
        if (position > preeditStart + preedit_.size())
            position -= preedit_.size();
        else if (position > preeditStart)
            position = preeditStart;
    }
    return shown.start + position;
}

void LineEditor::layOutView() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const int lineX = contents.x() + horizontalMargin;
    const int width = std::max(1, contents.width() - 2 * horizontalMargin);
    const qsizetype size = text_.size();
    View& shown = view_;
    auto naturalWidth = [&] { return shown.layout.lineAt(0).naturalTextWidth(); };
    auto cursorX = [&] {
        if (cursor_ < shown.start || cursor_ > shown.start + shown.length)
            return std::numeric_limits<qreal>::infinity();
        return shown.layout.lineAt(0).cursorToX(int(cursorLayoutPosition(shown)));
    };

    // Measured back from the end, and only until the width is exceeded.
    const Span tail = spanFilling(size, width);
    if (tail.start == 0 && qRound(tail.width) + 1 <= width) {
        first_ = 0;
        scroll_ = 0;
        cover(0, width, size);
        const int used = qRound(naturalWidth()) + 1;
        int hscroll = 0;
        switch (QStyle::visualAlignment(layoutDirection(), alignment_) &
                ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
        case Qt::AlignRight:
            hscroll = used - width + 1;
            break;
        case Qt::AlignHCenter:
            hscroll = (used - width) / 2;
            break;
        default:
            break;
        }
        shown.origin = lineX - hscroll;
    } else {
        first_ = std::min(first_, size);
        if (cursor_ < first_) {
            first_ = graphemeStart(text_, cursor_);
            scroll_ = 0;
        }
        cover(first_, scroll_ + width, first_);
        if (cursorX() - scroll_ >= width) { // the cursor right of the window: bring it in
            first_ = spanFilling(cursor_, width).start;
            cover(first_, width, cursor_);
            scroll_ = std::max<qreal>(0, cursorX() - width + 1);
        } else if (cursorX() < scroll_) { // left of it
            first_ = graphemeStart(text_, cursor_);
            scroll_ = 0;
        } else if (shown.start + shown.length == size && naturalWidth() - scroll_ < width) {
            // The text's end left of the right edge: show as much as fits.
            first_ = spanFilling(size, width).start;
            cover(first_, width, size);
            scroll_ = std::max(0, qRound(naturalWidth()) + 1 - width + 1);
        }
        cover(first_, scroll_ + width, std::min(cursor_, size));
        shown.origin = lineX - scroll_;
    }

    const QFontMetrics metrics(font());
    QString laidOut = shownText(shown.start, shown.start + shown.length);
    if (preeditInView(shown))
        laidOut += preedit_;
    const int height = std::max(metrics.height(), metrics.boundingRect(laidOut).height());
    int top = contents.y() + (contents.height() - height + 1) / 2;
    if (alignment_ & Qt::AlignBottom)
        top = contents.y() + contents.height() - height - verticalMargin;
    else if (alignment_ & Qt::AlignTop)
        top = contents.y() + verticalMargin;
    shown.line = QRect(lineX, top, width, height);
    // Keeps the baseline where the font puts it even when a fallback font is taller.
    shown.top = top - (qRound(shown.layout.lineAt(0).ascent()) - metrics.ascent());
}

const LineEditor::View& LineEditor::view() const {
    if (!viewValid_) {
        layOutView();
        viewValid_ = true;
    }
    return view_;
}

QRect LineEditor::cursorRect() const {
    const View& shown = view();
    const QTextLine line = shown.layout.lineAt(0);
    const int x = qRound(shown.origin + line.cursorToX(int(cursorLayoutPosition(shown))));
    const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    return QRect(x - 5, shown.top, width + 9, qRound(line.height()) + 1);
}

QRect LineEditor::characterRect(int index) const {
    const View& shown = view();
    if (index < shown.start || index >= shown.start + shown.length)
        return {};
    const QTextLine line = shown.layout.lineAt(0);
    const qsizetype next =
        std::min(boundaries::nextGrapheme(text_, index), shown.start + shown.length);
    const qreal left = line.cursorToX(int(toLayoutPosition(shown, index)));
    const qreal right = line.cursorToX(int(toLayoutPosition(shown, next)));
    return QRectF(shown.origin + std::min(left, right), shown.top, std::abs(right - left),
                  line.height())
        .toAlignedRect();
}

int LineEditor::indexAt(int x) const {
    const View& shown = view();
    const QTextLine line = shown.layout.lineAt(0);
    const qreal layoutX = x - shown.origin;
    // Past the laid-out part: one step further, so that dragging scrolls on.
    if (layoutX > line.naturalTextWidth() && shown.start + shown.length < text_.size())
        return int(shown.start + shown.length);
    return int(pairStart(text_, toTextIndex(shown, line.xToCursor(layoutX))));
}

void LineEditor::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    painter.setClipRect(contents);

    const View& shown = view();
    const QPalette colours = palette();
    painter.setPen(colours.text().color());
    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        const qsizetype from = std::max<qsizetype>(selectionStart(), shown.start);
        const qsizetype to = std::min<qsizetype>(selectionEnd(), shown.start + shown.length);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = int(toLayoutPosition(shown, from));
            range.length = int(toLayoutPosition(shown, to) - range.start);
            range.format.setBackground(colours.brush(QPalette::Highlight));
            range.format.setForeground(colours.brush(QPalette::HighlightedText));
            selections.append(range);
        }
    }
    const QPointF offset(shown.origin, shown.top);
    shown.layout.draw(&painter, offset, selections, contents);
    if (cursorShown_ && blinkOn_ && !preeditHidesCursor_) {
        const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this);
        shown.layout.drawCursor(&painter, offset, int(cursorLayoutPosition(shown)), width);
    }
}

// ---- Cursor blinking -----------------------------------------------------------------------

void LineEditor::setCursorShown(bool shown) {
    cursorShown_ = shown;
    restartBlinking();
}

void LineEditor::restartBlinking() {
    blinkOn_ = true;
    blinkTimer_.stop();
    if (cursorShown_) {
        const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
        if (flashTime >= 2)
            blinkTimer_.start(flashTime / 2, this);
    }
    updateCursor();
}

void LineEditor::updateCursor() {
    if (viewValid_)
        update(cursorRect());
}

void LineEditor::timerEvent(QTimerEvent* event) {
    if (event->timerId() == blinkTimer_.timerId()) {
        blinkOn_ = !blinkOn_;
        updateCursor();
    } else if (event->timerId() == tripleClickTimer_.timerId()) {
        tripleClickTimer_.stop();
    } else {
        QWidget::timerEvent(event);
    }
}

} // namespace forms::qt
