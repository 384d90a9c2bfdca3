// The line editor: editing keys, clipboard, undo, input methods, where the text and cursor
// show, surrogate pairs, its accessible text, and (printed only) how fast a megabyte is.
#include "forms/qt/line_editor.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace forms::qt::testing {
namespace {

using Keys = std::function<void(LineEditor&)>;

Keys key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return [=](LineEditor& editor) { QTest::keyClick(&editor, k, modifiers); };
}

// One key event carrying the text, as a keyboard layout or a compose key delivers it.
Keys typed(const char* text) {
    return [=](LineEditor& editor) {
        QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString::fromUtf8(text),
                            Qt::NoModifier);
    };
}

Keys both(const Keys& first, const Keys& second) {
    return [=](LineEditor& editor) {
        first(editor);
        second(editor);
    };
}

// The columns of an image that hold ink: pixels darker than the background.
std::pair<int, int> inkColumns(const QImage& image, QRect area) {
    int left = -1;
    int right = -1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 100) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
    return {left, right};
}

class Editor : public ::testing::Test {
  protected:
    void SetUp() override {
        QFont font = editor.font();
        font.setPixelSize(40);
        editor.setFont(font);
        QPalette colours = editor.palette();
        colours.setColor(QPalette::Base, Qt::white);
        colours.setColor(QPalette::Text, Qt::black);
        editor.setPalette(colours);
        editor.resize(300, 60);
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }
    void focus() {
        editor.activateWindow();
        editor.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }

    LineEditor editor;
};

TEST_F(Editor, KeysEditTheTextAndMoveTheCursor) {
    struct Row {
        const char* what;
        const char16_t* text;
        int cursor;
        Keys keys;
        const char16_t* expected;
        int expectedCursor;
    };
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Row rows[] = {
        {"typing inserts at the cursor", u"13", 1, typed("2"), u"123", 2},
        {"backspace takes one code point, a pair whole", u"a😀b", 3, key(Qt::Key_Backspace), u"ab",
         1},
        {"backspace takes a combining mark alone", u"e\u0301", 2, key(Qt::Key_Backspace), u"e", 1},
        {"delete takes a whole cluster", u"e\u0301x", 0, key(Qt::Key_Delete), u"x", 0},
        {"right steps over a cluster", u"e\u0301x", 0, key(Qt::Key_Right), u"e\u0301x", 2},
        {"left steps over a pair", u"a😀", 3, key(Qt::Key_Left), u"a😀", 1},
        {"home and end", u"abc", 1, key(Qt::Key_End), u"abc", 3},
        {"home", u"abc", 2, key(Qt::Key_Home), u"abc", 0},
        {"shift+left selects, typing replaces", u"abc", 3,
         both(both(key(Qt::Key_Left, shift), key(Qt::Key_Left, shift)), typed("x")), u"ax", 2},
        {"shift+home selects to the start", u"abc", 2,
         both(key(Qt::Key_Home, shift), key(Qt::Key_Delete)), u"c", 0},
        {"ctrl+a and delete empties", u"abc", 1, both(key(Qt::Key_A, ctrl), key(Qt::Key_Delete)),
         u"", 0},
        {"ctrl+backspace takes a word", u"12+345", 6, key(Qt::Key_Backspace, ctrl), u"12+", 3},
        {"ctrl+right goes to the next word", u"ab cd", 0, key(Qt::Key_Right, ctrl), u"ab cd", 3},
        {"tab is not typed in", u"a", 1, key(Qt::Key_Tab), u"a", 1},
        {"a typed emoji goes in whole", u"", 0, typed("😀"), u"😀", 2},
    };
    for (const Row& row : rows) {
        editor.setText(QString::fromUtf16(row.text));
        editor.setCursorPosition(row.cursor);
        row.keys(editor);
        EXPECT_EQ(editor.text(), QString::fromUtf16(row.expected)) << row.what;
        EXPECT_EQ(editor.cursorPosition(), row.expectedCursor) << row.what;
    }
}

TEST_F(Editor, CutCopyAndPasteGoThroughTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    editor.setText("12345");
    editor.setSelection(1, 3);
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), "234");
    QTest::keyClick(&editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor.text(), "15");
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.text(), "15234");
    QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(editor.text(), "15234234");

    // The context menu offers what applies now, and its actions work.
    editor.setSelection(0, 2);
    std::unique_ptr<QMenu> menu(editor.createStandardContextMenu());
    auto action = [&](const char* name) { return menu->findChild<QAction*>(name); };
    ASSERT_NE(action("edit-cut"), nullptr);
    EXPECT_TRUE(action("edit-undo")->isEnabled());
    EXPECT_FALSE(action("edit-redo")->isEnabled());
    EXPECT_TRUE(action("select-all")->isEnabled());
    action("edit-delete")->trigger();
    EXPECT_EQ(editor.text(), "234234");
}

TEST_F(Editor, UndoAndRedoGoByRunsAndAProgramTextForgetsThem) {
    QTest::keyClicks(&editor, "123");
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    ASSERT_EQ(editor.text(), "1");
    struct Row {
        Keys keys;
        const char* text;
    };
    const Row rows[] = {
        {key(Qt::Key_Z, Qt::ControlModifier), "123"},
        {key(Qt::Key_Z, Qt::ControlModifier), ""},
        {key(Qt::Key_Z, Qt::ControlModifier), ""},
        {key(Qt::Key_Y, Qt::ControlModifier), "123"},
        {key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), "1"},
    };
    for (const Row& row : rows) {
        row.keys(editor);
        EXPECT_EQ(editor.text(), row.text);
    }
    editor.setText("9");
    EXPECT_FALSE(editor.isUndoAvailable());
    EXPECT_FALSE(editor.isRedoAvailable());
}

TEST_F(Editor, TextEditedOnlyForTheUserTextChangedForEveryChange) {
    QSignalSpy changed(&editor, &LineEditor::textChanged);
    QSignalSpy edited(&editor, &LineEditor::textEdited);
    editor.setText("12");
    editor.setText("12");
    QTest::keyClicks(&editor, "3");
    QTest::keyClick(&editor, Qt::Key_Left);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.last().at(0).toString(), "123");
}

TEST_F(Editor, InputMethodCommitsReplaceAndPreeditsOnlyShow) {
    editor.setText("abc");
    QInputMethodEvent preedit(QStringLiteral("にほ"), {});
    QApplication::sendEvent(&editor, &preedit);
    EXPECT_EQ(editor.text(), "abc");
    EXPECT_EQ(editor.inputMethodQuery(Qt::ImSurroundingText).toString(), "abc");

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QApplication::sendEvent(&editor, &commit);
    EXPECT_EQ(editor.text(), QStringLiteral("abc日本"));
    EXPECT_EQ(editor.cursorPosition(), 5);

    QInputMethodEvent replace;
    replace.setCommitString(QStringLiteral("X"), -2, 2);
    QApplication::sendEvent(&editor, &replace);
    EXPECT_EQ(editor.text(), "abcX");
    EXPECT_EQ(editor.inputMethodQuery(Qt::ImCursorPosition).toInt(), 4);
    EXPECT_TRUE(editor.inputMethodQuery(Qt::ImEnabled).toBool());

    // Input methods see only a window around the cursor of a long text.
    editor.setText(QString(100000, u'7'));
    EXPECT_LT(editor.inputMethodQuery(Qt::ImSurroundingText).toString().size(), 1000);
    EXPECT_TRUE(editor.rect().intersects(editor.inputMethodQuery(Qt::ImCursorRectangle).toRect()));
}

TEST_F(Editor, AlignmentPutsAShortTextAtItsEdge) {
    struct Row {
        Qt::Alignment alignment;
        bool atRight;
    };
    for (const Row& row : {Row{Qt::AlignRight | Qt::AlignVCenter, true},
                           Row{Qt::AlignLeft | Qt::AlignVCenter, false}}) {
        editor.setAlignment(row.alignment);
        editor.setText("12");
        const QImage image = editor.grab().toImage();
        const qreal scale = image.devicePixelRatio();
        const auto [left, right] =
            inkColumns(image, QRect(QPoint(4, 4) * scale, (editor.size() - QSize(8, 8)) * scale));
        const int width = int(editor.width() * scale);
        if (row.atRight) {
            EXPECT_GT(right, width - 12 * scale);
            EXPECT_GT(left, width / 2);
        } else {
            EXPECT_LT(left, 12 * scale);
            EXPECT_LT(right, width / 2);
        }
    }
}

TEST_F(Editor, TheCursorStaysInSightOnALongText) {
    focus();
    editor.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QString text;
    for (int i = 0; i < 100000; ++i)
        text += QChar(u'0' + i % 10);
    editor.setText(text);
    struct Row {
        Qt::Key key;
        int shownIndex;
    };
    for (const Row& row : {Row{Qt::Key_Home, 0}, Row{Qt::Key_End, 99999}, Row{Qt::Key_Home, 0}}) {
        QTest::keyClick(&editor, row.key);
        EXPECT_TRUE(editor.rect().contains(editor.cursorRect().center()));
        EXPECT_FALSE(editor.characterRect(row.shownIndex).isEmpty()) << row.shownIndex;
    }
    // Typing at the end keeps the new character in sight.
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClicks(&editor, "5");
    EXPECT_TRUE(editor.rect().contains(editor.characterRect(100000)));
    // Deleting the characters behind the cursor leaves no gap at the right edge.
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&editor, Qt::Key_Left);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&editor, Qt::Key_Delete);
    EXPECT_GT(editor.characterRect(int(editor.text().size()) - 1).right(), editor.width() - 10);
}

TEST_F(Editor, ClicksAndKeysNeverSplitASurrogatePair) {
    QString pairs;
    for (int i = 0; i < 2000; ++i)
        pairs += QStringLiteral("😀");
    for (const QString& text : {QStringLiteral("😀😀😀"), pairs}) {
        editor.setText(text);
        for (int x = 0; x < editor.width(); x += 3) {
            QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(x, editor.height() / 2));
            EXPECT_EQ(editor.cursorPosition() % 2, 0) << x;
        }
        editor.setCursorPosition(1);
        EXPECT_EQ(editor.cursorPosition() % 2, 0);
        editor.setSelection(1, 2);
        EXPECT_EQ(editor.selectionStart() % 2, 0);
        EXPECT_EQ(editor.selectionEnd() % 2, 0);
    }
    // Odd texts draw and edit without harm.
    editor.setText(QString::fromUtf16(u"a\0\xD800"
                                      u"b\u202E\U0001F468\u200D\U0001F469\xDC00",
                                      11));
    editor.grab();
    QTest::keyClick(&editor, Qt::Key_Home);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&editor, Qt::Key_Right);
    EXPECT_EQ(editor.cursorPosition(), 11);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(editor.text().size(), 10);
}

TEST_F(Editor, OnlyTheCursorIsRepaintedWhenItBlinks) {
    focus();
    editor.setText("123");
    struct PaintSpy : QObject {
        std::vector<QRect> rects;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                rects.push_back(static_cast<QPaintEvent*>(event)->rect());
            return false;
        }
    } spy;
    QTest::qWait(50);
    editor.installEventFilter(&spy);
    QTest::qWait(QGuiApplication::styleHints()->cursorFlashTime() + 100);
    editor.removeEventFilter(&spy);
    ASSERT_FALSE(spy.rects.empty());
    for (const QRect& rect : spy.rects)
        EXPECT_LE(rect.width(), 20);
}

TEST_F(Editor, ScreenReadersReadAndEditTheText) {
    editor.setAccessibleName(QStringLiteral("入力"));
    editor.setText("12 + 345");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&editor);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("入力"));
    EXPECT_TRUE(accessible->state().editable);
    QAccessibleTextInterface* text = accessible->textInterface();
    QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
    ASSERT_NE(text, nullptr);
    ASSERT_NE(editable, nullptr);
    EXPECT_EQ(text->characterCount(), 8);
    EXPECT_EQ(text->text(3, 4), "+");
    EXPECT_EQ(text->cursorPosition(), 8);
    int start = 0;
    int end = 0;
    EXPECT_EQ(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end), "345");
    EXPECT_EQ(start, 5);
    EXPECT_EQ(text->textAtOffset(2, QAccessible::LineBoundary, &start, &end), "12 + 345");
    text->setSelection(0, 0, 2);
    EXPECT_EQ(editor.selectedText(), "12");

    QSignalSpy edited(&editor, &LineEditor::textEdited);
    editable->insertText(2, "0");
    editable->deleteText(0, 1);
    editable->replaceText(5, 9, "6");
    EXPECT_EQ(editor.text(), "20 + 6");
    EXPECT_EQ(edited.count(), 3);

    // A word lookup in a long text reads only around the offset, with the right offsets.
    editor.setText(QString(200000, u'9') + " 12");
    EXPECT_EQ(text->textAtOffset(200002, QAccessible::WordBoundary, &start, &end), "12");
    EXPECT_EQ(start, 200001);
}

TEST_F(Editor, AMegabyteStaysQuick) {
    focus();
    editor.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QString digits;
    digits.reserve(1000001);
    for (int i = 0; i < 1000000; ++i)
        digits += QChar(u'0' + i % 10);
    QElapsedTimer clock;
    clock.start();
    editor.setText(digits);
    editor.repaint();
    const double setTextMs = double(clock.nsecsElapsed()) / 1e6;
    clock.restart();
    QTest::keyClick(&editor, Qt::Key_5);
    editor.repaint();
    const double typeMs = double(clock.nsecsElapsed()) / 1e6;
    EXPECT_EQ(editor.text().size(), 1000001);
    std::printf("[ figures  ] 1,000,000 digits: setText + repaint %.2f ms, typing one character "
                "at the end + repaint %.2f ms\n",
                setTextMs, typeMs);
}

} // namespace
} // namespace forms::qt::testing
