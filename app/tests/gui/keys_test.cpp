// The keys through the real window: every click lands on its own key's handler, dead strips
// and bare places do nothing, the keypad, Return, Escape and F9 work the keys as clicks do,
// typed text is what the keys read, and dividing by zero says so.
#include "face_points.h"
#include "main_window.h"
#include "message_watch.h"
#include "printers.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace gui_test {
namespace {

class Keys : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window())); }

    // Nothing pending, operator lock off, formula "4", entry "12": every key leaves its own mark.
    void setKnownState() { main.startCalculation(u"4", u"12"); }
    QString text(const char* line) const { return main.line(line)->text(); }

    MainWindow main;
};

TEST_F(Keys, AClickAnywhereOnALabelReachesThatKeysHandlerOnly) {
    struct Row {
        std::u16string_view caption;
        std::u16string_view text1, text2;
    };
    const Row rows[] = {
        {u"0", u"4", u"120"},     {u"1", u"4", u"121"},      {u"2", u"4", u"122"},
        {u"3", u"4", u"123"},     {u"4", u"4", u"124"},      {u"5", u"4", u"125"},
        {u"6", u"4", u"126"},     {u"7", u"4", u"127"},      {u"8", u"4", u"128"},
        {u"9", u"4", u"129"},     {u".", u"4", u"12."},      {u"+/-", u"4", u"12-"},
        {u"＋", u"412＋", u"12"}, {u"－", u"412－", u"12"},  {u"×", u"412×", u"12"},
        {u"÷", u"412÷", u"12"},   {u"＝", u"412=12", u"12"}, {u"C", u"4", u""},
        {u"CE", u"", u""},
    };
    ASSERT_EQ(std::size(rows), form1Keys().size());
    for (const Row& row : rows) {
        const QRect label = pixels(form1Key(row.caption).label->rect);
        // The centre, and a corner of the label where the face shows around the caption.
        for (const QPoint point : {label.center(), label.bottomLeft() + QPoint(3, -3)}) {
            SCOPED_TRACE(QString::fromStdU16String(std::u16string(row.caption)).toStdString() +
                         " at " + std::to_string(point.x()) + "," + std::to_string(point.y()));
            setKnownState();
            clickAt(main.client(), point);
            EXPECT_EQ(text("Text1"), QString::fromStdU16String(std::u16string(row.text1)));
            EXPECT_EQ(text("Text2"), QString::fromStdU16String(std::u16string(row.text2)));
        }
    }
}

TEST_F(Keys, DeadStripsLampsAndBareBackgroundTakeNoClick) {
    std::vector<std::pair<std::string, QPoint>> places;
    for (const KeyDesign& key : form1Keys()) {
        for (const forms::Rect& strip : deadStrips(key)) {
            EXPECT_EQ(std::min(strip.width, strip.height), 120) << key.label->name;
            places.emplace_back("strip of " + std::string(key.label->name), pixels(strip).center());
        }
    }
    ASSERT_EQ(places.size(), 6u) << "7: both sides; 1: bottom; +/-, CE, C: top";
    places.emplace_back("lamp ShapeK1", lampCentre(1));
    places.emplace_back("lamp ShapeK30", lampCentre(30));
    places.emplace_back("bare background", bareBackground());

    for (const auto& [where, point] : places) {
        setKnownState();
        clickAt(main.client(), point);
        EXPECT_EQ(text("Text1"), "4") << where;
        EXPECT_EQ(text("Text2"), "12") << where;
    }
}

// A key of the numeric keypad or the main keyboard, or text typed on the main keyboard.
struct Press {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers{};
    const char* typed = "";
};
Press keypad(Qt::Key key) {
    return {key, Qt::KeypadModifier};
}
Press mainKey(Qt::Key key) {
    return {key, Qt::NoModifier};
}
Press typed(const char* text) {
    return {Qt::Key_unknown, {}, text};
}

TEST_F(Keys, TheKeypadReturnEscapeAndF9WorkTheKeysFromEitherLineWhichKeepsTheFocus) {
    struct Row {
        const char* what;
        const char* focus;
        std::vector<Press> presses;
        const char16_t* text1;
        const char16_t* text2;
        QStringList messages;
    };
    const std::vector<Press> sum{keypad(Qt::Key_1), keypad(Qt::Key_2), keypad(Qt::Key_Plus),
                                 keypad(Qt::Key_3), keypad(Qt::Key_Enter)};
    std::vector<Press> sumThenEscape = sum;
    sumThenEscape.push_back(mainKey(Qt::Key_Escape));
    const QStringList noMessage;
    const QStringList byZero{QString::fromUtf16(u"0でわれないよ")};
    // clang-format off
    const Row rows[] = {
        {"keypad sum in the formula line", "Text1", sum, u"12＋3=15", u"15", noMessage},
        {"keypad sum in the entry line", "Text2", sum, u"12＋3=15", u"15", noMessage},
        {"division by zero", "Text1",
         {keypad(Qt::Key_8), keypad(Qt::Key_Slash), keypad(Qt::Key_0), keypad(Qt::Key_Enter)},
         u"8÷0=0", u"0", byZero},
        {"Escape after a result", "Text1", sumThenEscape, u"", u"", noMessage},
        {"F9 then 5", "Text2", {mainKey(Qt::Key_F9), keypad(Qt::Key_5)}, u"", u"-5", noMessage},
        {"Return as equals", "Text1",
         {keypad(Qt::Key_2), keypad(Qt::Key_Asterisk), keypad(Qt::Key_3), mainKey(Qt::Key_Return)},
         u"2×3=6", u"6", noMessage},
        {"the main keyboard types", "Text2", {typed("1E+5")}, u"", u"1E+5", noMessage},
    };
    // clang-format on
    EXPECT_EQ(main.window()->focusWidget(), main.line("Text1")) << "where the focus starts";
    MessageWatch messages;
    QWindow* window = main.window()->windowHandle();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        main.startCalculation(u"", u"");
        main.line(row.focus)->setFocus();
        for (const Press& press : row.presses) {
            if (press.key != Qt::Key_unknown)
                QTest::keyClick(window, press.key, press.modifiers);
            for (const char* c = press.typed; *c != 0; ++c)
                QTest::keyClick(window, *c);
        }
        EXPECT_EQ(text("Text1"), QString::fromUtf16(row.text1));
        EXPECT_EQ(text("Text2"), QString::fromUtf16(row.text2));
        EXPECT_EQ(messages.take(), row.messages);
        EXPECT_EQ(main.window()->focusWidget(), main.line(row.focus));
    }
}

TEST_F(Keys, AKeypadKeyFlashesItsFaceAsAClickDoes) {
    const QPoint face = faceSamplePoint(form1Key(u"8"));
    // The face's colour right after the press and after the next tick of the key-flash timer.
    auto flash = [&](const std::function<void()>& press) {
        press();
        const QColor pressed = main.snapshot().at(face);
        main.form().Timer1_Timer();
        return std::pair(pressed, main.snapshot().at(face));
    };
    const auto clicked = flash([&] { main.press(u"8"); });
    const auto keyed = flash(
        [&] { QTest::keyClick(main.window()->windowHandle(), Qt::Key_8, Qt::KeypadModifier); });
    EXPECT_NE(clicked.first, clicked.second);
    EXPECT_EQ(keyed, clicked);
}

TEST_F(Keys, TextTypedIntoTheEntryLineIsWhatTheNextKeyReads) {
    // Typed over the entry after an operator key. Typing is no key: the operator lock stays
    // on, and ＝, which ignores the lock, is the next key that reads.
    main.press({u"1", u"2", u"＋"});
    QTest::keyClick(main.line("Text2"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(main.line("Text2"), "7");
    main.press(u"＝");
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"12＋7=19"));
    EXPECT_EQ(text("Text2"), "19");

    // An edited number: a digit typed in front of the keyed ones, in a fresh calculation.
    main.press({u"1", u"2"});
    QTest::keyClick(main.line("Text2"), Qt::Key_Home);
    QTest::keyClicks(main.line("Text2"), "3");
    main.press({u"－", u"2", u"＝"});
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"312－2=310"));
    EXPECT_EQ(text("Text2"), "310");
}

TEST_F(Keys, DivisionByZeroShowsTheMessageBoxWithOnlyOk) {
    QString boxText, boxTitle;
    qsizetype buttons = -1;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        boxText = box->text();
        boxTitle = box->windowTitle();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    });
    watcher.start(10);
    main.press({u"8", u"÷", u"0", u"＝"});
    watcher.stop();

    EXPECT_EQ(boxText, QString::fromUtf16(u"0でわれないよ"));
    EXPECT_EQ(boxTitle, QString::fromUtf16(u"ぽこたま"));
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(text("Text1"), QString::fromUtf16(u"8÷0=0"));
    EXPECT_EQ(text("Text2"), "0");
}

} // namespace
} // namespace gui_test
