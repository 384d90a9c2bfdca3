// Hostile input through the real window: a megabyte pasted into the entry line, control
// characters, direction marks, emoji, lone surrogates and NUL pasted into either line, editing
// keys run across them, and a formula longer than a user may type. Nothing may crash or hang,
// the lines show what the reading rule makes of the text, the numbers stay finite, and no
// "inf" or "nan" appears that the user did not type.
#include "main_window.h"
#include "message_watch.h"
#include "printers.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <vector>

namespace gui_test {
namespace {

const QString TooLarge = QString::fromUtf16(u"おおきすぎるよ");

QString q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QString printable(const QString& text) {
    QString out;
    for (QChar c : text.left(40))
        out += c.isPrint() && !c.isSurrogate()
                   ? QString(c)
                   : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return text.size() > 40 ? out + QStringLiteral("…") : out;
}

bool namesInfOrNan(const QString& text) {
    return text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}

class HostileInput : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }

    // A fresh calculation: nothing pending, lock off, both lines and numbers empty.
    void startAfresh() { main.startCalculation({}, {}); }

    // Replaces a line's text with `text` through the clipboard and Ctrl+V, as a user does; the
    // line keeps as much of it as a user may type.
    void paste(const char* name, const QString& text) {
        QLineEdit* line = main.line(name);
        QGuiApplication::clipboard()->setText(text);
        ASSERT_TRUE(QGuiApplication::clipboard()->text() == text) << "the clipboard changed it";
        line->setFocus();
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(line->text() == text.left(typingLimit)) << "the pasted text did not arrive";
    }

    QString text(const char* name) const { return main.line(name)->text(); }

    // Both lines show their elements' texts, the numbers are finite, and the lines name no
    // "inf" or "nan" unless the user put it there.
    void expectSound(const QString& typed) {
        const Form1& form = main.form();
        EXPECT_EQ(text("Text1"), q(form.Text1.text()));
        EXPECT_EQ(text("Text2"), q(form.Text2.text()));
        EXPECT_TRUE(std::isfinite(form.calculator.ValA)) << form.calculator.ValA;
        EXPECT_TRUE(std::isfinite(form.calculator.ValB)) << form.calculator.ValB;
        if (!namesInfOrNan(typed)) {
            EXPECT_FALSE(namesInfOrNan(text("Text1"))) << text("Text1").toStdString();
            EXPECT_FALSE(namesInfOrNan(text("Text2"))) << text("Text2").toStdString();
        }
        main.snapshot(); // both lines paint what they hold
    }

    const int typingLimit = QLineEdit().maxLength(); // what a user may type into a line
    MainWindow main;
    MessageWatch messages;
};

TEST_F(HostileInput, AMegabyteOfDigitsIsCutThenTooLargeAndTheWindowKeepsGoing) {
    QString digits;
    digits.reserve(1000000);
    for (int i = 0; i < 1000000; ++i)
        digits += QChar(u'1' + i % 9);
    paste("Text2", digits);
    const QString kept = digits.left(typingLimit);

    QElapsedTimer clock;
    clock.start();
    main.press(u"＋");
    const qint64 plusMs = clock.elapsed();
    EXPECT_EQ(messages.take(), QStringList{TooLarge});
    // Compared as booleans: a failure should not print 32,767 digits.
    EXPECT_TRUE(text("Text2") == kept) << "the entry keeps its text";
    EXPECT_TRUE(text("Text1") == kept + q(u"＋"));
    EXPECT_EQ(main.form().calculator.ValA, 0) << "the accumulator keeps its value";

    // The next key is handled at once: it clears the entry, and ＝ adds it to ValA 0.
    clock.restart();
    main.press(u"5");
    main.snapshot();
    const qint64 nextKeyMs = clock.elapsed();
    EXPECT_EQ(text("Text2"), "5");
    main.press(u"＝");
    EXPECT_EQ(text("Text2"), "5");
    EXPECT_TRUE(messages.take().isEmpty());
    expectSound({});
    std::printf("[ figures  ] 1 MB of digits pasted, %d kept: ＋ with its message %lld ms, next "
                "key and repaint %lld ms\n",
                typingLimit, plusMs, nextKeyMs);
    EXPECT_LT(nextKeyMs, 5000) << "the window froze";
}

// Pasted into the entry line, then ＋ 1 ＝: control characters, direction marks, emoji, lone
// surrogates and NUL reach the calculator as they were pasted, and reading stops at the first
// that cannot continue the number (the reading rule itself is tested with the engine).
TEST_F(HostileInput, PastedTextIsReadUpToTheFirstStrangeCharacter) {
    const QString zwjFamily = q(u"👨\u200D👩\u200D👧");
    const QChar nul(0), highAlone(0xD800), lowAlone(0xDC00);
    struct Row {
        QString pasted;
        QString result; // Text2 after ＋ 1 ＝
    };
    const Row rows[] = {
        {"12\t3", "13"},
        {q(u"\u200F5"), "1"},
        {q(u"5\u200F"), "6"},
        {q(u"\u202E42"), "1"},
        {q(u"42\u202E"), "43"},
        {"1\r\n2", "2"},
        {"\n7", "1"},
        {"\x01"
         "9",
         "1"},
        {"9\x7f"
         "9",
         "10"},
        {nul + QStringLiteral("4"), "1"},
        {QStringLiteral("4") + nul + QStringLiteral("2"), "5"},
        {q(u"😀3"), "1"},
        {q(u"3😀"), "4"},
        {zwjFamily + QStringLiteral("9"), "1"},
        {QStringLiteral("9") + zwjFamily, "10"},
        {q(u"1\uFE0F\u20E3"), "2"}, // the keycap emoji starts with a digit
        {highAlone + QStringLiteral("5"), "1"},
        {QStringLiteral("5") + highAlone, "6"},
        {QString(lowAlone), "1"},
        {QStringLiteral("5") + lowAlone + QStringLiteral("5"), "6"},
        {"0x1F", "1"},
        {"inf", "1"},
        {"-Infinity", "1"},
        {"NaN", "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(printable(row.pasted).toStdString());
        startAfresh();
        paste("Text2", row.pasted);
        main.press({u"＋", u"1", u"＝"});
        EXPECT_TRUE(messages.take().isEmpty());
        EXPECT_EQ(text("Text2"), row.result);
        EXPECT_EQ(text("Text1"), row.pasted + q(u"＋1=") + row.result);
        expectSound(row.pasted);
    }
}

// Other keys and the formula line: results beyond the range say so at the key that made
// them, and whatever the formula line holds is only ever appended to.
TEST_F(HostileInput, ResultsBeyondTheRangeAndStrangeFormulasKeepTheLinesSound) {
    const QString strange = q(u"\u202E😀") + QChar(0) + QChar(0xD800) + QStringLiteral("\r\n");
    struct Row {
        const char* line;
        QString pasted;
        std::vector<std::u16string_view> keys;
        QString text1, text2;
        int tooLarge = 0; // messages shown
    };
    const std::vector<Row> rows = {
        {"Text2", "1e308", {u"×", u"1", u"0", u"＝"}, q(u"1e308×10=10"), "10", 1},
        // Finite, but its 15-digit text rounds up past the largest double.
        {"Text2",
         "1.7976931348623157e308",
         {u"＋", u"0", u"＝"},
         q(u"1.7976931348623157e308＋0=0"),
         "0",
         1},
        {"Text2", "4.9e-324", {u"÷", u"1", u"0", u"＝"}, q(u"4.9e-324÷10=0"), "0"},
        {"Text2", "1e999", {u"＝"}, "1e999=1e999", "1e999", 1},
        {"Text2", "1e999", {u"＋", u"－"}, q(u"1e999＋1e999－"), "1e999", 2},
        {"Text1", strange, {u"5", u"＋", u"1", u"＝"}, strange + q(u"5＋1=6"), "6"},
        {"Text1", "nan", {u"2", u"×", u"3", u"＝"}, q(u"nan2×3=6"), "6"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.line) + " " + printable(row.pasted).toStdString());
        startAfresh();
        paste(row.line, row.pasted);
        for (std::u16string_view key : row.keys)
            main.press(key);
        EXPECT_EQ(messages.take().size(), row.tooLarge);
        EXPECT_EQ(text("Text1"), row.text1);
        EXPECT_EQ(text("Text2"), row.text2);
        expectSound(row.pasted);
    }
}

// The cursor, selection, undo and clipboard keys and the mouse across texts that split
// characters into surrogates, joiners and marks: the line and its element stay one text.
TEST_F(HostileInput, EditingAcrossStrangeCharactersKeepsLineAndElementInStep) {
    const QChar nul(0), high(0xD800), low(0xDC00);
    const QString texts[] = {
        QString(3, high) + QString(3, low),
        QString(low) + high + QStringLiteral("1") + low + high,
        q(u"👨\u200D👩\u200D👧\u200D👦😀1\uFE0F\u20E3"),
        q(u"\u202E12\u200F34\u202C5\u2066"),
        QString(nul) + QStringLiteral("\t\r\n\x01\x7f") + nul,
        q(u"e\u0301\u0301\u0301\u0301１２３"),
    };
    using Step = std::pair<int, Qt::KeyboardModifiers>;
    const Step steps[] = {
        {Qt::Key_Home, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Right, Qt::ControlModifier},
        {Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Delete, {}},
        {Qt::Key_Backspace, {}},
        {Qt::Key_End, {}},
        {Qt::Key_Left, {}},
        {Qt::Key_Backspace, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_Home, Qt::ShiftModifier},
        {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_A, Qt::ControlModifier},
        {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_Left, {}},
        {Qt::Key_K, Qt::ControlModifier}, // delete to the end of the line
    };
    for (const char* name : {"Text2", "Text1"}) {
        QLineEdit* line = main.line(name);
        const forms::TextBox& element =
            name == QLatin1String("Text1") ? main.form().Text1 : main.form().Text2;
        for (const QString& hostile : texts) {
            SCOPED_TRACE(std::string(name) + " " + printable(hostile).toStdString());
            paste(name, hostile);
            for (const Step& step : steps) {
                QTest::keyClick(line, Qt::Key(step.first), step.second);
                ASSERT_EQ(line->text(), q(element.text())) << "after key " << step.first;
                ASSERT_GE(line->cursorPosition(), 0);
                ASSERT_LE(line->cursorPosition(), line->text().size());
                line->grab();
            }
            const int middle = line->width() / 2;
            QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(middle, line->height() / 2));
            QTest::mouseDClick(line, Qt::LeftButton, {}, QPoint(middle, line->height() / 2));
            QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(2, line->height() / 2));
            EXPECT_EQ(line->text(), q(element.text()));
            line->grab();
            main.press({u"＋", u"2", u"＝"});
            expectSound(hostile);
            startAfresh();
        }
    }
    EXPECT_TRUE(messages.take().isEmpty());
}

TEST_F(HostileInput, AFormulaLongerThanAUserMayTypeIsKeptWholeAndAppendedTo) {
    QString formula;
    const QString piece = q(u"12＋3×4-5/6=７ ");
    while (formula.size() <= typingLimit)
        formula += piece;
    main.startCalculation(formula.toStdU16String(), {}); // as the program writes it
    EXPECT_TRUE(text("Text1") == formula);

    main.press({u"1", u"2", u"＋", u"3", u"＝"});
    EXPECT_TRUE(text("Text1") == formula + q(u"12＋3=15"));
    EXPECT_EQ(text("Text2"), "15");
    // The next entry key after ＝ starts afresh, long formula or not.
    main.press(u"4");
    EXPECT_EQ(text("Text1"), "");
    EXPECT_EQ(text("Text2"), "4");
    expectSound({});
}

} // namespace
} // namespace gui_test
