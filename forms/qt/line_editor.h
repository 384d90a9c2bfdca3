// A one-line text editor that looks and behaves like QLineEdit for the display lines but lays
// out only the characters it shows, so every keystroke, cursor move and repaint costs the same
// with a megabyte of text as with ten characters; only setText, paste and copying a selection
// touch the whole text. Validators, masks, echo modes and drag and drop are left out; what the
// text means is left to the owner, which listens to textChanged.
#pragma once

#include "forms/qt/line_editor_history.h"

#include <QBasicTimer>
#include <QClipboard>
#include <QPoint>
#include <QTextLayout>
#include <QWidget>

class QMenu;
class QStyleOptionFrame;

namespace forms::qt {

class LineEditor : public QWidget {
    Q_OBJECT

  public:
    explicit LineEditor(QWidget* parent = nullptr);
    ~LineEditor() override;

    QString text() const { return text_; }
    // A program's change: the cursor goes to the end and the undo steps are forgotten.
    void setText(const QString& text);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);

    int cursorPosition() const { return int(cursor_); }
    void setCursorPosition(int position);
    void cursorForward(bool mark, int steps = 1);
    void cursorBackward(bool mark, int steps = 1);
    void cursorWordForward(bool mark);
    void cursorWordBackward(bool mark);
    void home(bool mark);
    void end(bool mark);

    bool hasSelectedText() const { return cursor_ != anchor_; }
    QString selectedText() const;
    int selectionStart() const;
    int selectionEnd() const;
    void setSelection(int start, int length);

    bool isUndoAvailable() const { return history_.canUndo(); }
    bool isRedoAvailable() const { return history_.canRedo(); }

    // Replaces [start, end) as the user would: undoable, and reported by textEdited.
    void replaceRange(int start, int end, const QString& replacement);

    // The cursor's rectangle in widget coordinates, as input methods and screen readers see it.
    QRect cursorRect() const;
    // The rectangle of the character at `index` if it is on screen, else an empty one.
    QRect characterRect(int index) const;
    // The text index nearest to a widget x coordinate.
    int indexAt(int x) const;

    QMenu* createStandardContextMenu();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

  public slots:
    void clear();
    void selectAll();
    void deselect();
    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();
    void insert(const QString& text);
    void del();
    void backspace();

  signals:
    void textChanged(const QString& text);
    void textEdited(const QString& text);
    void cursorPositionChanged(int oldPosition, int newPosition);
    void selectionChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void initStyleOption(QStyleOptionFrame* option) const;

  private:
    // The laid-out part of the text: [start, start + length) with the preedit inside it.
    struct View {
        QTextLayout layout;
        qsizetype start = 0;
        qsizetype length = 0;
        qreal origin = 0; // widget x of the layout's x 0
        int top = 0;      // widget y of the layout's top
        QRect line;       // the text's rectangle inside the frame
    };

    struct Span {
        qsizetype start;
        qreal width;
    };

    // Editing
    void edit(qsizetype start, qsizetype end, const QString& replacement, TextEdit::Kind kind);
    void applyStep(qsizetype start, qsizetype removedLength, const QString& replacement,
                   qsizetype cursor, qsizetype anchor, bool edited);
    void moveCursor(qsizetype position, bool mark);
    void setCursorAndAnchor(qsizetype cursor, qsizetype anchor);
    void finishCursorChange(qsizetype oldCursor, bool selectionWas, qsizetype oldStart,
                            qsizetype oldEnd);
    void pasteFrom(QClipboard::Mode mode);
    void copyTo(QClipboard::Mode mode) const;
    bool handleStandardKey(QKeyEvent* event);
    bool isPlainTyping(const QKeyEvent* event) const;

    // The visible window
    void invalidate();
    const View& view() const;
    void layOutView() const;
    QString shownText(qsizetype start, qsizetype end) const;
    void layOut(QTextLayout& layout, qsizetype start, qsizetype length, bool withPreedit) const;
    qreal widthOf(qsizetype start, qsizetype end) const;
    // The shortest stretch ending at `end` that is at least `width` wide (or reaches the start).
    Span spanFilling(qsizetype end, qreal width) const;
    // Lays out from `start` into the view until `width` is filled and `minEnd` is reached.
    void cover(qsizetype start, qreal width, qsizetype minEnd) const;
    bool preeditInView(const View& shown) const;
    qsizetype cursorLayoutPosition(const View& shown) const;
    qsizetype toLayoutPosition(const View& shown, qsizetype index) const;
    qsizetype toTextIndex(const View& shown, qsizetype position) const;

    // Cursor blinking
    void setCursorShown(bool shown);
    void restartBlinking();
    void updateCursor();

    QString text_;
    qsizetype cursor_ = 0;
    qsizetype anchor_ = 0;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    EditHistory history_;

    QString preedit_;
    int preeditCursor_ = 0;
    bool preeditHidesCursor_ = false;
    QList<QTextLayout::FormatRange> preeditFormats_;

    // Where the visible window starts: a text index and how far its layout is scrolled left.
    mutable qsizetype first_ = 0;
    mutable qreal scroll_ = 0;
    mutable View view_;
    mutable bool viewValid_ = false;

    bool cursorShown_ = false; // has focus and no selection
    bool blinkOn_ = true;
    QBasicTimer blinkTimer_;
    QBasicTimer tripleClickTimer_;
    QPoint tripleClickAt_;
};

} // namespace forms::qt
