// Which key presses a face can bind: the keypad's keys whatever the layout makes of them,
// Return, Escape and F9, never with Ctrl, Alt or Meta held.
#include "forms/qt/key_bindings.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <optional>

namespace forms::qt {
namespace {

TEST(KeyboardKeyOf, TheKeypadReturnEscapeAndF9WithoutCtrlAltOrMeta) {
    constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;
    struct Row {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::optional<KeyboardKey> bound;
    };
    // The decimal key is reported on X11 as KP_Decimal or KP_Separator, as the layout has it;
    // elsewhere it may carry the layout's own separator.
    const Row rows[] = {
        {"keypad 7", Qt::Key_7, Keypad, "7", KeyboardKey::Keypad7},
        {"main keyboard's 7", Qt::Key_7, {}, "7", std::nullopt},
        {"keypad +", Qt::Key_Plus, Keypad, "+", KeyboardKey::KeypadPlus},
        {"decimal key as KP_Separator (de)", Qt::Key_Comma, Keypad, ",",
         KeyboardKey::KeypadDecimal},
        {"decimal key giving the Arabic separator", 0x066B, Keypad, QString(QChar(0x066B)),
         KeyboardKey::KeypadDecimal},
        {"main keyboard's full stop", Qt::Key_Period, {}, ".", std::nullopt},
        {"keypad 7 with NumLock off", Qt::Key_Home, Keypad, "", std::nullopt},
        {"keypad Enter", Qt::Key_Enter, Keypad, "\r", KeyboardKey::KeypadEnter},
        {"Return", Qt::Key_Return, {}, "\r", KeyboardKey::Return},
        {"Escape", Qt::Key_Escape, {}, "\x1b", KeyboardKey::Escape},
        {"F9", Qt::Key_F9, {}, "", KeyboardKey::F9},
        {"Ctrl with keypad 7", Qt::Key_7, Keypad | Qt::ControlModifier, "", std::nullopt},
        {"Alt with Return", Qt::Key_Return, Qt::AltModifier, "\r", std::nullopt},
    };
    for (const Row& row : rows) {
        const QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers, row.text);
        EXPECT_EQ(keyboardKeyOf(press), row.bound) << row.what;
    }
}

} // namespace
} // namespace forms::qt
