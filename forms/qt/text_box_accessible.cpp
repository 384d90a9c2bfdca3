// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/text_box_accessible.h"

#include "forms/qt/character_extents.h"
#include "forms/qt/text_box_edit.h"
#include "forms/qt/text_items.h"

#include <QAccessibleWidget>
#include <algorithm>

namespace forms::qt {
namespace {

// Offsets that Qt's text interface takes or gives for a place rather than a character.
constexpr int CursorOffset = -2; // where the cursor is (QAccessibleLineEdit's convention)
constexpr int NoCharacter = -1;  // no character at the point asked

// Every offset an assistive client passes is brought into the text before any arithmetic:
// clients pass anything from INT_MIN to INT_MAX.
class TextBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
  public:
    explicit TextBoxAccessible(TextBoxEdit* line)
        : QAccessibleWidget(line, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value && !line()->text().isEmpty())
            return line()->text();
        return QAccessibleWidget::text(type);
    }

    void setText(QAccessible::Text type, const QString& text) override {
        if (type == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(type, text);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !line()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    // Text
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && line()->hasSelectedText()) {
            *start = line()->selectionStart();
            *end = line()->selectionEnd();
        }
    }
    int selectionCount() const override { return line()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            line()->deselect();
    }
    // The cursor goes to the end given: a reversed range selects backwards.
    void setSelection(int index, int start, int end) override {
        if (index != 0)
            return;
        start = inText(start);
        line()->setSelection(start, inText(end) - start);
    }
    int cursorPosition() const override { return line()->cursorPosition(); }
    void setCursorPosition(int position) override { line()->setCursorPosition(inText(position)); }
    QString text(int start, int end) const override {
        const QString whole = line()->text();
        start = inText(start);
        end = inText(end);
        return start < end ? whole.mid(start, end - start) : QString();
    }
    int characterCount() const override { return int(line()->text().size()); }

    QRect characterRect(int offset) const override { return extents_.of(*line(), offset); }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint at = line()->mapFromGlobal(point);
        return line()->rect().contains(at) ? line()->cursorPositionAt(at) : NoCharacter;
    }
    void scrollToSubstring(int start, int) override { setCursorPosition(start); }

    // One run of the line's single font and colours over the whole text.
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        return item(offset, boundary, ItemPlace::Before, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        return item(offset, boundary, ItemPlace::At, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        return item(offset, boundary, ItemPlace::After, start, end);
    }

    // Editable text: each change is the user's, and reaches the element as typing does.
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        setSelection(0, start, end);
        line()->insert(text);
    }

  private:
    TextBoxEdit* line() const { return static_cast<TextBoxEdit*>(widget()); }
    int inText(int offset) const { return std::clamp(offset, 0, characterCount()); }

    QString item(int offset, QAccessible::TextBoundaryType boundary, ItemPlace place, int* start,
                 int* end) const {
        const QString whole = line()->text();
        const TextItem found = findTextItem(
            whole, offset == CursorOffset ? cursorPosition() : offset, boundary, place);
        *start = found.start;
        *end = found.end;
        return found.start < 0 ? QString() : whole.mid(found.start, found.end - found.start);
    }

    mutable CharacterExtents extents_;
};

} // namespace

QAccessibleInterface* describeTextBox(TextBoxEdit* line) {
    return new TextBoxAccessible(line);
}

} // namespace forms::qt
