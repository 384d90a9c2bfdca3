// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/keypad_before_input_method.h"

#include "forms/qt/text_box_edit.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>
#include <set>

#ifdef FORMS_QT_XCB
#include "forms/qt/x11_connection.h"

#include <array>
#include <memory>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#elif defined(Q_OS_WIN)
#include <array>
#include <utility>
// imm.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <imm.h>
// clang-format on
#endif

namespace forms::qt {
namespace {

// What both platforms share: the window watched, the keys handed on, and the rule that a
// composition keeps its keys.
class KeypadFilter : public QObject, public QAbstractNativeEventFilter {
  public:
    KeypadFilter(QWidget& window, WantedKey wanted)
        : QObject(&window), window_(window), wanted_(std::move(wanted)) {}

  protected:
    void watch() { QCoreApplication::instance()->installNativeEventFilter(this); }

    // Hands a press of the key known to the platform as `key` to Qt's delivery if the key
    // bindings want it; says whether it did.
    bool pressed(unsigned key, const QKeyEvent& press) {
        const auto* line = dynamic_cast<const TextBoxEdit*>(window_.focusWidget());
        if ((line != nullptr && line->composing()) || !wanted_(press))
            return false;
        deliver(press);
        taken_.insert(key);
        return true;
    }
    // The release of a key handed on goes the same way.
    bool released(unsigned key, const QKeyEvent& release) {
        if (taken_.erase(key) == 0)
            return false;
        deliver(release);
        return true;
    }

    QWidget& window_;

  private:
    void deliver(const QKeyEvent& event) {
        QWindowSystemInterface::handleExtendedKeyEvent(
            window_.windowHandle(), event.type(), event.key(), event.modifiers(),
            event.nativeScanCode(), event.nativeVirtualKey(), event.nativeModifiers(),
            event.text());
    }

    WantedKey wanted_;
    std::set<unsigned> taken_;
};

#ifdef FORMS_QT_XCB

template <typename T, void (*Free)(T*)> struct Deleter {
    void operator()(T* p) const { Free(p); }
};
using Context = std::unique_ptr<xkb_context, Deleter<xkb_context, xkb_context_unref>>;
using Keymap = std::unique_ptr<xkb_keymap, Deleter<xkb_keymap, xkb_keymap_unref>>;
using State = std::unique_ptr<xkb_state, Deleter<xkb_state, xkb_state_unref>>;

// The core protocol's modifier bits and where it keeps the layout group.
constexpr std::uint16_t RealModifiers = 0xFF;
constexpr int GroupShift = 13;
constexpr std::uint16_t GroupBits = 0x3;

Qt::KeyboardModifiers modifiersOf(std::uint16_t state) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, (state & XCB_MOD_MASK_SHIFT) != 0);
    modifiers.setFlag(Qt::ControlModifier, (state & XCB_MOD_MASK_CONTROL) != 0);
    modifiers.setFlag(Qt::AltModifier, (state & XCB_MOD_MASK_1) != 0);
    modifiers.setFlag(Qt::MetaModifier, (state & XCB_MOD_MASK_4) != 0);
    return modifiers;
}

// The key Qt names a keypad key by: Enter, or the character it types (Qt's codes for
// printable ASCII characters are those characters).
int qtKeyOf(xkb_keysym_t symbol, const QString& text) {
    if (symbol == XKB_KEY_KP_Enter)
        return Qt::Key_Enter;
    if (text.size() == 1 && text.front().unicode() < 0x80)
        return text.front().toUpper().unicode();
    return Qt::Key_unknown;
}

// X11: the key presses as the X server sends them, before Qt hands them to the input method.
class X11KeypadFilter final : public KeypadFilter {
  public:
    X11KeypadFilter(QWidget& window, xcb_connection_t* connection, WantedKey wanted)
        : KeypadFilter(window, std::move(wanted)), connection_(connection) {
        std::uint8_t firstEvent = 0;
        if (xkb_x11_setup_xkb_extension(connection_, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                        XKB_X11_MIN_MINOR_XKB_VERSION,
                                        XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                        &firstEvent, nullptr) == 1) {
            xkbEvent_ = firstEvent;
            watch();
        }
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const std::uint8_t kind = event->response_type & ~0x80;
        if (kind == xkbEvent_) {
            keymap_.reset(); // a new keyboard or layout: read again at the next key
            return false;
        }
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE)
            return false;
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (key->event != window_.winId() || !readKey(*key))
            return false;
        const QKeyEvent qtKey(kind == XCB_KEY_PRESS ? QEvent::KeyPress : QEvent::KeyRelease,
                              qtKeyOf(symbol_, text_), modifiersOf(key->state) | Qt::KeypadModifier,
                              key->detail, symbol_, key->state, text_);
        return kind == XCB_KEY_PRESS ? pressed(key->detail, qtKey) : released(key->detail, qtKey);
    }

  private:
    // Reads the key's symbol and text; says whether it is a key of the keypad.
    bool readKey(const xcb_key_press_event_t& key) {
        if (!keymap_) {
            const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection_);
            keymap_.reset(xkb_x11_keymap_new_from_device(context_.get(), connection_, device,
                                                         XKB_KEYMAP_COMPILE_NO_FLAGS));
            state_.reset(keymap_ ? xkb_state_new(keymap_.get()) : nullptr);
        }
        if (!state_)
            return false;
        // A keymap read from the X server numbers its modifiers as the core protocol does.
        xkb_state_update_mask(state_.get(), key.state & RealModifiers, 0, 0, 0, 0,
                              (key.state >> GroupShift) & GroupBits);
        symbol_ = xkb_state_key_get_one_sym(state_.get(), key.detail);
        std::array<char, 8> utf8{};
        xkb_state_key_get_utf8(state_.get(), key.detail, utf8.data(), utf8.size());
        text_ = QString::fromUtf8(utf8.data());
        return symbol_ >= XKB_KEY_KP_Space && symbol_ <= XKB_KEY_KP_Equal;
    }

    xcb_connection_t* connection_;
    std::uint8_t xkbEvent_ = 0;
    xkb_keysym_t symbol_ = XKB_KEY_NoSymbol;
    QString text_;
    Context context_{xkb_context_new(XKB_CONTEXT_NO_FLAGS)};
    Keymap keymap_;
    State state_;
};

#elif defined(Q_OS_WIN)

// The numeric keypad's virtual keys, and the keys Qt names them by on the keypad.
constexpr std::array<std::pair<UINT, int>, 16> KeypadVirtualKeys{{
    {VK_NUMPAD0, Qt::Key_0},
    {VK_NUMPAD1, Qt::Key_1},
    {VK_NUMPAD2, Qt::Key_2},
    {VK_NUMPAD3, Qt::Key_3},
    {VK_NUMPAD4, Qt::Key_4},
    {VK_NUMPAD5, Qt::Key_5},
    {VK_NUMPAD6, Qt::Key_6},
    {VK_NUMPAD7, Qt::Key_7},
    {VK_NUMPAD8, Qt::Key_8},
    {VK_NUMPAD9, Qt::Key_9},
    {VK_ADD, Qt::Key_Plus},
    {VK_SUBTRACT, Qt::Key_Minus},
    {VK_MULTIPLY, Qt::Key_Asterisk},
    {VK_DIVIDE, Qt::Key_Slash},
    {VK_DECIMAL, Qt::Key_Period},
    {VK_SEPARATOR, Qt::Key_Comma},
}};

// Windows: an input method that takes a key has Windows deliver it as VK_PROCESSKEY, and acts
// on it only when the message is translated (TranslateMessage). A keypad key handed on here is
// neither translated nor dispatched, so the input method never sees it.
class WindowsKeypadFilter final : public KeypadFilter {
  public:
    WindowsKeypadFilter(QWidget& window, WantedKey wanted)
        : KeypadFilter(window, std::move(wanted)) {
        watch();
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "windows_generic_MSG")
            return false;
        const auto* msg = static_cast<const MSG*>(message);
        if ((msg->message != WM_KEYDOWN && msg->message != WM_KEYUP) ||
            msg->wParam != VK_PROCESSKEY || msg->hwnd != reinterpret_cast<HWND>(window_.winId()))
            return false;
        const UINT virtualKey = ImmGetVirtualKey(msg->hwnd);
        for (const auto& [keypadKey, qtKey] : KeypadVirtualKeys) {
            if (keypadKey != virtualKey)
                continue;
            const QKeyEvent key(msg->message == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease,
                                qtKey, Qt::KeypadModifier, 0, virtualKey, 0);
            return key.type() == QEvent::KeyPress ? pressed(virtualKey, key)
                                                  : released(virtualKey, key);
        }
        return false;
    }
};

#endif

} // namespace

#ifdef FORMS_QT_XCB
void catchKeypadBeforeInputMethod(QWidget& window, WantedKey wanted) {
    if (xcb_connection_t* connection = x11Connection())
        new X11KeypadFilter(window, connection, std::move(wanted));
}
#elif defined(Q_OS_WIN)
void catchKeypadBeforeInputMethod(QWidget& window, WantedKey wanted) {
    new WindowsKeypadFilter(window, std::move(wanted));
}
#else
void catchKeypadBeforeInputMethod(QWidget&, WantedKey) {}
#endif

} // namespace forms::qt
