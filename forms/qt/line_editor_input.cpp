// The line editor's input: keys, input methods, the mouse, the context menu and focus.
#include "forms/qt/line_editor.h"
#include "forms/qt/line_editor_boundaries.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>

namespace forms::qt {
namespace {

// How much text around the cursor input methods see.
constexpr qsizetype surroundingReach = 256;

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

} // namespace

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
    auto add = [&](const QString& label, const char* icon, bool enabled, auto slot) {
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

} // namespace forms::qt
