#include "forms/qt/line_editor_accessible.h"

#include "forms/qt/line_editor.h"
#include "forms/qt/line_editor_boundaries.h"

#include <QAccessibleWidget>

namespace forms::qt {
namespace {

// How much text on each side of an offset a word or sentence lookup reads.
constexpr int lookupReach = 512;

// A piece of text, so that the base class's boundary helpers can run over it alone.
class TextPiece final : public QAccessibleTextInterface {
  public:
    explicit TextPiece(QString text) : text_(std::move(text)) {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return text_.mid(start, end - start); }
    int characterCount() const override { return int(text_.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QString text_;
};

class LineEditorAccessible final : public QAccessibleWidget,
                                   public QAccessibleTextInterface,
                                   public QAccessibleEditableTextInterface {
  public:
    explicit LineEditorAccessible(LineEditor* editor)
        : QAccessibleWidget(editor, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value && !editor()->text().isEmpty())
            return editor()->text();
        return QAccessibleWidget::text(type);
    }

    void setText(QAccessible::Text type, const QString& text) override {
        if (type != QAccessible::Value) {
            QAccessibleWidget::setText(type, text);
            return;
        }
        editor()->replaceRange(0, characterCount(), text);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    // Text
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index == 0 && editor()->hasSelectedText()) {
            *start = editor()->selectionStart();
            *end = editor()->selectionEnd();
        }
    }
    int selectionCount() const override { return editor()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0)
            editor()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0)
            editor()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return editor()->cursorPosition(); }
    void setCursorPosition(int position) override { editor()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return start < end ? editor()->text().mid(start, end - start) : QString();
    }
    int characterCount() const override { return int(editor()->text().size()); }
    QRect characterRect(int offset) const override {
        QRect rect = editor()->characterRect(offset);
        if (rect.isEmpty())
            return {};
        rect.moveTo(editor()->mapToGlobal(rect.topLeft()));
        return rect;
    }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint at = editor()->mapFromGlobal(point);
        return editor()->rect().contains(at) ? editor()->indexAt(at.x()) : -1;
    }
    void scrollToSubstring(int start, int end) override {
        editor()->setCursorPosition(end);
        editor()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        return lookUp(offset, boundary, start, end, &QAccessibleTextInterface::textBeforeOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        return lookUp(offset, boundary, start, end, &QAccessibleTextInterface::textAfterOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        return lookUp(offset, boundary, start, end, &QAccessibleTextInterface::textAtOffset);
    }

    // Editable text: each change is the user's, undoable, and followed by the display line.
    void deleteText(int start, int end) override { editor()->replaceRange(start, end, {}); }
    void insertText(int offset, const QString& text) override {
        editor()->replaceRange(offset, offset, text);
    }
    void replaceText(int start, int end, const QString& text) override {
        editor()->replaceRange(start, end, text);
    }

  private:
    using Lookup = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*,
                                                         int*) const;

    LineEditor* editor() const { return static_cast<LineEditor*>(widget()); }

    QString lookUp(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end,
                   Lookup lookup) const {
        const QString whole = editor()->text();
        const int size = int(whole.size());
        if (offset == -2)
            offset = cursorPosition();
        *start = *end = -1;
        if (offset < 0 || offset > size)
            return {};
        // One line: a line or paragraph is the whole text, and nothing lies before or after it.
        if (boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary ||
            boundary == QAccessible::NoBoundary) {
            if (lookup == &QAccessibleTextInterface::textAtOffset ||
                boundary == QAccessible::NoBoundary) {
                const bool before = lookup == &QAccessibleTextInterface::textBeforeOffset;
                const bool after = lookup == &QAccessibleTextInterface::textAfterOffset;
                *start = after ? offset : 0;
                *end = before ? offset : size;
                return whole.mid(*start, *end - *start);
            }
            return {};
        }
        const int pieceStart = int(boundaries::pairStart(whole, std::max(0, offset - lookupReach)));
        const int pieceEnd = int(boundaries::pairEnd(whole, std::min(size, offset + lookupReach)));
        const TextPiece piece(whole.mid(pieceStart, pieceEnd - pieceStart));
        QString found = (piece.*lookup)(offset - pieceStart, boundary, start, end);
        if (*start >= 0)
            *start += pieceStart;
        if (*end >= 0)
            *end += pieceStart;
        return found;
    }
};

QAccessibleInterface* lineEditorFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(LineEditor::staticMetaObject.className()))
        return nullptr;
    if (auto* editor = qobject_cast<LineEditor*>(object))
        return new LineEditorAccessible(editor);
    return nullptr;
}

} // namespace

void installLineEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(lineEditorFactory);
        return true;
    }();
    (void)installed;
}

} // namespace forms::qt
