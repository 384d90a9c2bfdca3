// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which key presses a face can bind: the keypad's keys whatever the layout makes of them,
// Return, Escape and F9, never with Ctrl, Alt or Meta held.
#include "forms/qt/key_bindings.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <optional>

namespace forms::qt {
namespace {

TEST(KeyboardKeyOf, TheDecimalKeyOfEveryLayoutButNothingWithNumLockOffCtrlOrAlt) {
    constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;
    struct Row {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        std::optional<KeyboardKey> bound;
        quint32 symbol = 0; // the platform's native key, where the row depends on it
    };
    // The keys themselves are worked in the real window; here what it cannot show: the
    // decimal key as each layout reports it, NumLock off, Wayland's unflagged keypad, and
    // Ctrl and Alt held.
    const Row rows[] = {
        {"decimal key as KP_Decimal (us, jp)", Qt::Key_Period, Keypad, ".",
         KeyboardKey::KeypadDecimal},
        {"decimal key as KP_Separator (de)", Qt::Key_Comma, Keypad, ",",
         KeyboardKey::KeypadDecimal},
        {"decimal key giving the Arabic separator", 0x066B, Keypad, QString(QChar(0x066B)),
         KeyboardKey::KeypadDecimal},
        {"main keyboard's full stop", Qt::Key_Period, {}, ".", std::nullopt},
        {"keypad 7 with NumLock off", Qt::Key_Home, Keypad, "", std::nullopt},
        {"Wayland's keypad 0 (KP_0)", Qt::Key_0, {}, "0", KeyboardKey::Keypad0, 0xFFB0},
        {"Wayland's keypad 9 (KP_9)", Qt::Key_9, {}, "9", KeyboardKey::Keypad9, 0xFFB9},
        {"Wayland's keypad 7, NumLock off (KP_Home)", Qt::Key_Home, {}, "", std::nullopt, 0xFF95},
        {"main keyboard's 7 (symbol 7)", Qt::Key_7, {}, "7", std::nullopt, 0x37},
        {"Ctrl with keypad 7", Qt::Key_7, Keypad | Qt::ControlModifier, "", std::nullopt},
        {"Alt with Return", Qt::Key_Return, Qt::AltModifier, "\r", std::nullopt},
    };
    for (const Row& row : rows) {
        const QKeyEvent press(QEvent::KeyPress, row.key, row.modifiers, 0, row.symbol, 0, row.text);
        EXPECT_EQ(keyboardKeyOf(press), row.bound) << row.what;
    }
}

} // namespace
} // namespace forms::qt
