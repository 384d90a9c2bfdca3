// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/key_bindings.h"

#include "forms/qt/keypad_before_input_method.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QStringList>
#include <QWidget>
#include <array>

namespace forms::qt {
namespace {

constexpr std::array<KeyboardKey, 10> KeypadDigits{
    KeyboardKey::Keypad0, KeyboardKey::Keypad1, KeyboardKey::Keypad2, KeyboardKey::Keypad3,
    KeyboardKey::Keypad4, KeyboardKey::Keypad5, KeyboardKey::Keypad6, KeyboardKey::Keypad7,
    KeyboardKey::Keypad8, KeyboardKey::Keypad9};

std::optional<KeyboardKey> keypadKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return KeypadDigits.at(static_cast<std::size_t>(key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Plus:
        return KeyboardKey::KeypadPlus;
    case Qt::Key_Minus:
        return KeyboardKey::KeypadMinus;
    case Qt::Key_Asterisk:
        return KeyboardKey::KeypadMultiply;
    case Qt::Key_Slash:
        return KeyboardKey::KeypadDivide;
    case Qt::Key_Period: // KP_Decimal on X11
    case Qt::Key_Comma:  // KP_Separator, as German layouts have it
        return KeyboardKey::KeypadDecimal;
    default:
        break;
    }
    // Any other separator the layout may give the decimal key, such as the Arabic "٫".
    const QString text = event.text();
    if (text.size() == 1 && text.front().category() == QChar::Punctuation_Other)
        return KeyboardKey::KeypadDecimal;
    return std::nullopt;
}

// The key symbols of XKB's keypad block that a face can bind. X11 and Wayland report them as
// the native virtual key (Windows' virtual-key codes all lie below them); Qt's Wayland platform
// does not flag them with Qt::KeypadModifier as its xcb and Windows platforms do.
std::optional<KeyboardKey> keypadKeyOfSymbol(quint32 symbol) {
    constexpr quint32 KP_0 = 0xFFB0;
    constexpr quint32 KP_9 = 0xFFB9;
    if (symbol >= KP_0 && symbol <= KP_9)
        return KeypadDigits.at(symbol - KP_0);
    switch (symbol) {
    case 0xFFAB: // KP_Add
        return KeyboardKey::KeypadPlus;
    case 0xFFAD: // KP_Subtract
        return KeyboardKey::KeypadMinus;
    case 0xFFAA: // KP_Multiply
        return KeyboardKey::KeypadMultiply;
    case 0xFFAF: // KP_Divide
        return KeyboardKey::KeypadDivide;
    case 0xFFAE: // KP_Decimal
    case 0xFFAC: // KP_Separator
        return KeyboardKey::KeypadDecimal;
    case 0xFF8D: // KP_Enter
        return KeyboardKey::KeypadEnter;
    default:
        return std::nullopt;
    }
}

QString spokenKey(KeyboardKey key) {
    switch (key) {
    case KeyboardKey::Keypad0:
    case KeyboardKey::Keypad1:
    case KeyboardKey::Keypad2:
    case KeyboardKey::Keypad3:
    case KeyboardKey::Keypad4:
    case KeyboardKey::Keypad5:
    case KeyboardKey::Keypad6:
    case KeyboardKey::Keypad7:
    case KeyboardKey::Keypad8:
    case KeyboardKey::Keypad9:
        return QStringLiteral("テンキーの%1")
            .arg(static_cast<int>(key) - static_cast<int>(KeyboardKey::Keypad0));
    case KeyboardKey::KeypadDecimal:
        return QStringLiteral("テンキーの小数点");
    case KeyboardKey::KeypadPlus:
        return QStringLiteral("テンキーのプラス");
    case KeyboardKey::KeypadMinus:
        return QStringLiteral("テンキーのマイナス");
    case KeyboardKey::KeypadMultiply:
        return QStringLiteral("テンキーのアスタリスク");
    case KeyboardKey::KeypadDivide:
        return QStringLiteral("テンキーのスラッシュ");
    case KeyboardKey::KeypadEnter:
        return QStringLiteral("テンキーのEnter");
    case KeyboardKey::Return:
        return QStringLiteral("Enter");
    case KeyboardKey::Escape:
        return QStringLiteral("Esc");
    case KeyboardKey::F9:
        return QStringLiteral("F9");
    }
    return {};
}

} // namespace

KeyBindings::KeyBindings(QWidget* window) : QObject(window), window_(window) {}

void KeyBindings::bind(KeyboardKey key, QAbstractButton* label) {
    labels_[key] = label;
}

void KeyBindings::watchWindow() {
    catchKeypadBeforeInputMethod(*window_, [this](const QKeyEvent& event) { return binds(event); });
    for (QWidget* widget : window_->findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus)
            widget->installEventFilter(this);
    }
}

bool KeyBindings::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const std::optional<KeyboardKey> key = keyboardKeyOf(*static_cast<QKeyEvent*>(event));
    const auto label = key ? labels_.find(*key) : labels_.end();
    if (label == labels_.end())
        return false;
    clicking_ = key;
    label->second->click();
    clicking_.reset();
    return true;
}

bool KeyBindings::clickingByEnter() const {
    return clicking_ == KeyboardKey::Return || clicking_ == KeyboardKey::KeypadEnter;
}

bool KeyBindings::binds(const QKeyEvent& event) const {
    return labelOf(event) != nullptr;
}

QAbstractButton* KeyBindings::labelOf(const QKeyEvent& event) const {
    const std::optional<KeyboardKey> key = keyboardKeyOf(event);
    const auto label = key ? labels_.find(*key) : labels_.end();
    return label != labels_.end() ? label->second : nullptr;
}

std::optional<KeyboardKey> keyboardKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (const std::optional<KeyboardKey> key = keypadKeyOfSymbol(event.nativeVirtualKey()))
        return key;
    switch (event.key()) {
    case Qt::Key_Enter: // only the keypad has it
        return KeyboardKey::KeypadEnter;
    case Qt::Key_Return:
        return KeyboardKey::Return;
    case Qt::Key_Escape:
        return KeyboardKey::Escape;
    case Qt::Key_F9:
        return KeyboardKey::F9;
    default:
        break;
    }
    if (modifiers & Qt::KeypadModifier)
        return keypadKeyOf(event);
    return std::nullopt;
}

QString spokenKeys(const KeyboardKeys& keys) {
    QStringList spoken;
    for (const std::optional<KeyboardKey>& key : keys) {
        if (key)
            spoken << spokenKey(*key);
    }
    return spoken.join(QStringLiteral("、"));
}

} // namespace forms::qt
