// Lets a window's keypad keys reach its key bindings before an input method takes them. An
// input method gets every key before Qt's event filters, and one that composes keypad keys
// (Mozc does) would turn the keypad into text. This sees the window's keys as the platform
// delivers them — on X11 as the X server sends them, on Windows as the messages the input
// method has marked for itself — and offers those of the keypad to `press` while the focused
// line is not composing (during a composition they stay the input method's). What `press`
// does with a key, and whether it takes it, is its own; a key it leaves goes on as before. On
// other platforms (Wayland, where the compositor feeds the input method) it does nothing.
#pragma once

#include <QKeyEvent>
#include <functional>

class QWidget;

namespace forms::qt {

using KeyPress = std::function<bool(const QKeyEvent&)>;

// For as long as `window` lives.
void catchKeypadBeforeInputMethod(QWidget& window, KeyPress press);

} // namespace forms::qt
