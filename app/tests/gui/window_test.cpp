// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real window used as a user uses it: calculations clicked, keyed on the keypad or typed
// into a line, the division-by-zero box, the key flash from the keyboard, the About window's
// life and the program's end.
#include "form1_window.h"
#include "tests/support/qt/qt_printers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace gui_test {
namespace {

// One thing a user does: clicks keys, presses a key of the keyboard, or types text.
struct Step {
    std::vector<std::u16string_view> clicked;
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers{};
    const char* typed = "";
};
Step clicks(std::initializer_list<std::u16string_view> captions) {
    return {captions};
}
Step keypad(Qt::Key key) {
    return {{}, key, Qt::KeypadModifier};
}
Step key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    return {{}, key, modifiers};
}
Step typed(const char* text) {
    return {{}, Qt::Key_unknown, {}, text};
}

TEST(Calculating, ByMouseKeypadAndTypingFromEitherLineWhichKeepsTheFocus) {
    struct Row {
        const char* what;
        const char* focus;
        std::vector<Step> steps;
        const char16_t* text1;
        const char16_t* text2;
        const char16_t* message = nullptr;
    };
    const Step sum[] = {keypad(Qt::Key_1), keypad(Qt::Key_2), keypad(Qt::Key_Plus),
                        keypad(Qt::Key_3), keypad(Qt::Key_Enter)};
    // clang-format off
    const Row rows[] = {
        {"a sum clicked", "Text1", {clicks({u"1", u"2", u"＋", u"3", u"＝"})}, u"12＋3=15", u"15"},
        {"a number typed over the entry", "Text2",
         {clicks({u"1", u"2", u"＋"}), key(Qt::Key_A, Qt::ControlModifier), typed("7"),
          clicks({u"＝"})}, u"12＋7=19", u"19"},
        {"keypad sum in the formula line", "Text1", {std::begin(sum), std::end(sum)}, u"12＋3=15", u"15"},
        {"keypad sum in the entry line", "Text2", {std::begin(sum), std::end(sum)}, u"12＋3=15", u"15"},
        {"division by zero", "Text1",
         {keypad(Qt::Key_8), keypad(Qt::Key_Slash), keypad(Qt::Key_0), keypad(Qt::Key_Enter)},
         u"8÷0=0", u"0", u"0でわれないよ"},
        {"Escape after a result", "Text1", {sum[0], sum[2], sum[3], sum[4], key(Qt::Key_Escape)},
         u"", u""},
        {"F9 then 5", "Text2", {key(Qt::Key_F9), keypad(Qt::Key_5)}, u"", u"-5"},
        {"Return as equals", "Text1",
         {keypad(Qt::Key_2), keypad(Qt::Key_Asterisk), keypad(Qt::Key_3), key(Qt::Key_Return)},
         u"2×3=6", u"6"},
        {"the main keyboard types", "Text2", {typed("1E+5")}, u"", u"1E+5"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Form1Window main;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
        main.line(row.focus)->setFocus();
        QStringList messages; // each message box answered as a user pressing OK would
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages << box->text();
                EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                EXPECT_EQ(box->buttons().size(), 1);
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll.start(5);
        for (const Step& step : row.steps) {
            for (std::u16string_view caption : step.clicked)
                main.press({caption});
            if (step.key != Qt::Key_unknown)
                QTest::keyClick(main.window()->windowHandle(), step.key, step.modifiers);
            for (const char* c = step.typed; *c != 0; ++c)
                QTest::keyClick(main.window()->windowHandle(), *c);
        }
        EXPECT_EQ(main.text("Text1"), QString::fromUtf16(row.text1));
        EXPECT_EQ(main.text("Text2"), QString::fromUtf16(row.text2));
        EXPECT_EQ(messages,
                  row.message ? QStringList(QString::fromUtf16(row.message)) : QStringList());
        EXPECT_EQ(main.window()->focusWidget(), main.line(row.focus));
    }
}

// The window's timers run the lamps and the key flash; a keypad key flashes as a click does.
TEST(Calculating, TheLampsRunAndAKeypadKeyFlashesItsFaceAsAClickDoes) {
    Form1Window main;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
    auto colourAt = [&](const char* shape) {
        const QRect rect = qt_test::pixels(qt_test::element(faces::form1Face(), shape).rect);
        return qt_test::colourAt(main.client()->grab().toImage(),
                                 {rect.left() + 3, rect.center().y()});
    };
    const QColor lamp = colourAt("ShapeK1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return colourAt("ShapeK1") != lamp; }, 2000));
    auto colour = [&] { return colourAt("ShapeSuuzi8"); };
    // The face's colour right after the press, and after the key-flash timer's next tick.
    auto flash = [&](const std::function<void()>& press) {
        press();
        const QColor pressed = colour();
        EXPECT_TRUE(QTest::qWaitFor([&] { return colour() != pressed; }, 1000));
        return std::pair(pressed, colour());
    };
    const auto clicked = flash([&] { main.press({u"8"}); });
    const auto keyed = flash(
        [&] { QTest::keyClick(main.window()->windowHandle(), Qt::Key_8, Qt::KeypadModifier); });
    EXPECT_NE(clicked.first, clicked.second);
    EXPECT_EQ(keyed, clicked);
}

// Results reach assistive technology as notifications that show, but not after Return or the
// keypad's Enter, whose change of the focused line a screen reader reads by itself.
TEST(Calculating, ResultsAreAnnouncedButNotAfterEnter) {
    struct Notifications final : QObject {
        QStringList shown;
        bool eventFilter(QObject* object, QEvent* event) override {
            if (event->type() != QEvent::Show)
                return false;
            QAccessibleInterface* described = QAccessible::queryAccessibleInterface(object);
            if (described != nullptr && described->role() == QAccessible::Notification)
                shown << described->text(QAccessible::Name);
            return false;
        }
    } notifications;
    Form1Window main;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
    qApp->installEventFilter(&notifications);
    for (Qt::Key key :
         {Qt::Key_1, Qt::Key_Plus, Qt::Key_2, Qt::Key_Asterisk, Qt::Key_4, Qt::Key_Enter})
        QTest::keyClick(main.window()->windowHandle(), key, Qt::KeypadModifier);
    main.press({u"＋", u"1", u"＝"});
    qApp->removeEventFilter(&notifications);
    EXPECT_EQ(main.text("Text1"), "12＋1=13");
    EXPECT_EQ(notifications.shown, QStringList({"3", "13"}));
}

TEST(AboutWindow, OpensOnceHidesByItsButtonAndComesBackAnewAfterItsCloseBox) {
    Form1Window main;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.window()));
    QPointer<QWidget> about = main.chooseVersion();
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    const QPoint designPlace = about->pos();
    EXPECT_EQ(main.chooseVersion(), about.data()) << "the same window again, and only one";
    EXPECT_FALSE(about->isModal());
    main.press({u"7"});
    EXPECT_EQ(main.text("Text2"), "7") << "the keys work while it shows";

    // Moved, hidden by its button and shown again: the same window, where it was moved to.
    about->move(designPlace + QPoint(211, 97));
    QTest::qWait(50);
    QTest::mouseClick(about->findChild<QPushButton*>("CommandVersionToziru"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(main.chooseVersion(), about.data());
    EXPECT_EQ(about->pos(), designPlace + QPoint(211, 97));

    // Its close box hides it, the form hears of it after the close event and lets it go; then a
    // new one comes, at its design place.
    about->windowHandle()->close();
    ASSERT_NE(main.form().about(), nullptr) << "told from inside the close event";
    EXPECT_FALSE(main.form().about()->window.visible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return about.isNull(); }, 2000));
    QWidget* again = main.chooseVersion();
    ASSERT_NE(again, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(again));
    EXPECT_EQ(again->pos(), designPlace);
}

TEST(ProgramEnd, ComesWhenNoWindowShowsAnyMore) {
    using Action = void (*)(Form1Window&);
    const Action openAbout = [](Form1Window& main) { main.chooseVersion(); };
    const Action closeMain = [](Form1Window& main) { main.window()->windowHandle()->close(); };
    const Action closeAbout = [](Form1Window&) {
        for (QWidget* about : visibleWindows(QStringLiteral("frmAbout")))
            about->windowHandle()->close();
    };
    const Action aboutsButton = [](Form1Window&) {
        for (QWidget* about : visibleWindows(QStringLiteral("frmAbout")))
            about->findChild<QPushButton*>("CommandVersionToziru")->click();
    };
    struct Row {
        const char* what;
        std::vector<Action> actions; // 100 ms apart
        bool ends;
    };
    const Row rows[] = {
        {"main window closed", {closeMain}, true},
        {"main closed while About shows", {openAbout, closeMain}, false},
        {"then About's button", {openAbout, closeMain, aboutsButton}, true},
        {"About closed while main shows", {openAbout, closeAbout}, false},
    };
    for (const Row& row : rows) {
        Form1Window main;
        QObject run; // takes the actions not yet run with it
        int at = 0;
        for (const Action action : row.actions)
            QTimer::singleShot(at += 100, &run, [&main, action] { action(main); });
        QTimer::singleShot(at + 500, &run, [] { QCoreApplication::exit(7); });
        EXPECT_EQ(QApplication::exec(), row.ends ? 0 : 7) << row.what;
    }
}

} // namespace
} // namespace gui_test
