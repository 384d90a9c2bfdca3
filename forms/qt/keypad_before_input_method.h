// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Lets a window's keypad keys reach its key bindings past the input method. An input method
// gets every key before Qt delivers it, and one that composes keypad keys (Mozc does) would
// turn the keypad into text. This sees the window's keys as the platform delivers them — on
// X11 as the X server sends them, on Windows as the messages the input method has marked for
// itself — and, while the focused line is not composing (during a composition the keys stay
// the input method's), hands each keypad key that `wanted` asks for to Qt's own delivery as
// if no input method were there: event filters, key bindings and assistive technology (which
// hears keys through Qt) get it as any other key. On other platforms (Wayland, where the
// compositor feeds the input method) it does nothing.
#pragma once

#include <QKeyEvent>
#include <functional>

class QWidget;

namespace forms::qt {

// Whether a key press is one the window's key bindings take.
using WantedKey = std::function<bool(const QKeyEvent&)>;

// For as long as `window` lives.
void catchKeypadBeforeInputMethod(QWidget& window, WantedKey wanted);

} // namespace forms::qt
