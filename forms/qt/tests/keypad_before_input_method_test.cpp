// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The keypad read before the input method, on a real X server: key presses built as the X
// server sends them go through the application's native event filters, as they do before Qt
// hands them to an input method. Which keys the filter hands on, and which it leaves.
#include "faces/form1_face.h"
#include "faces/images.h"
#include "forms/qt/qt_view.h"

#include <QAbstractEventDispatcher>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace forms::qt {
namespace {

// The keycodes and the NumLock modifier of the X server's standard (evdev) keyboard.
constexpr xcb_keycode_t KeypadOne = 87;
constexpr xcb_keycode_t KeypadEnter = 104;
constexpr xcb_keycode_t KeypadPlus = 86;
constexpr xcb_keycode_t LetterA = 38;
constexpr xcb_keycode_t FullStop = 60;
constexpr std::uint16_t NumLock = XCB_MOD_MASK_2;

class CountingForm final : public Form {
  public:
    CountingForm() {
        for (const ElementDesign& design : faces::form1Face().elements) {
            if (design.kind == Kind::Label)
                on(design.name, design.index,
                   [this, name = std::string(design.name)] { clicked.push_back(name); });
            if (design.kind == Kind::TextBox)
                lines.push_back(std::make_unique<TextBox>(std::string(design.name)));
        }
        for (auto& line : lines)
            bind(*line);
    }
    std::vector<std::string> clicked;
    std::vector<std::unique_ptr<TextBox>> lines;
};

TEST(KeypadBeforeInputMethod, TakesTheKeypadsBoundKeysUnlessALineComposes) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server";
    CountingForm form;
    QtView view(faces::form1Face(), form, faces::imageBytes);
    QWidget* window = view.window();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* line = window->findChild<QLineEdit*>("Text2");
    line->setFocus();
    // The keys Qt delivers to the line, before the key bindings take them.
    struct Delivered final : QObject {
        std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress) {
                const auto* key = static_cast<QKeyEvent*>(event);
                keys.emplace_back(key->key(), key->modifiers());
            }
            return false;
        }
    } delivered;
    line->installEventFilter(&delivered);
    // Whether the filters took the key, and what it clicked once Qt delivered what they handed on.
    auto key = [&](std::uint8_t type, xcb_keycode_t code, std::uint16_t state,
                   xcb_window_t target) {
        xcb_key_press_event_t event{};
        event.response_type = type;
        event.detail = code;
        event.state = state;
        event.event = target;
        qintptr result = 0;
        const bool taken = QAbstractEventDispatcher::instance()->filterNativeEvent(
            "xcb_generic_event_t", &event, &result);
        QCoreApplication::processEvents();
        return taken;
    };
    const auto own = static_cast<xcb_window_t>(window->winId());
    struct Row {
        const char* what;
        xcb_keycode_t code;
        std::uint16_t state;
        xcb_window_t target;
        const char* clicked; // null: not taken
        int key = 0;         // as Qt delivers it, from the keypad
        Qt::KeyboardModifiers held{};
    };
    const Row rows[] = {
        {"keypad 1", KeypadOne, NumLock, own, "LabelSuuzi1", Qt::Key_1},
        {"keypad Enter", KeypadEnter, NumLock, own, "LabelEqual", Qt::Key_Enter},
        {"keypad + with Shift", KeypadPlus, NumLock | XCB_MOD_MASK_SHIFT, own, "LabelPura",
         Qt::Key_Plus, Qt::ShiftModifier},
        {"keypad 1 with NumLock off (KP_End)", KeypadOne, 0, own, nullptr},
        {"keypad 1 with Ctrl", KeypadOne, NumLock | XCB_MOD_MASK_CONTROL, own, nullptr},
        {"keypad 1 with Meta", KeypadOne, NumLock | XCB_MOD_MASK_4, own, nullptr},
        {"a letter", LetterA, NumLock, own, nullptr},
        {"the main keyboard's full stop", FullStop, NumLock, own, nullptr},
        {"keypad 1 for another window", KeypadOne, NumLock, own + 1, nullptr},
    };
    for (const Row& row : rows) {
        form.clicked.clear();
        delivered.keys.clear();
        const bool taken = row.clicked != nullptr;
        EXPECT_EQ(key(XCB_KEY_PRESS, row.code, row.state, row.target), taken) << row.what;
        EXPECT_EQ(key(XCB_KEY_RELEASE, row.code, row.state, row.target), taken) << row.what;
        EXPECT_EQ(form.clicked,
                  taken ? std::vector<std::string>{row.clicked} : std::vector<std::string>{})
            << row.what;
        if (taken) {
            EXPECT_EQ(delivered.keys, (std::vector<std::pair<int, Qt::KeyboardModifiers>>{
                                          {row.key, row.held | Qt::KeypadModifier}}))
                << row.what;
        }
    }
    QInputMethodEvent composing(QStringLiteral("１"), {});
    QApplication::sendEvent(line, &composing);
    EXPECT_FALSE(key(XCB_KEY_PRESS, KeypadOne, NumLock, own)) << "the composition's";
}

} // namespace
} // namespace forms::qt
