#include "forms/qt/keypad_before_input_method.h"

#include "forms/qt/text_box_edit.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <set>

#ifdef FORMS_QT_XCB
#include "forms/qt/x11_connection.h"

#include <memory>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#elif defined(Q_OS_WIN)
#include <array>
#include <imm.h>
#include <utility>
#include <windows.h>
#endif

namespace forms::qt {
namespace {

// What both platforms share: the window watched, the keys offered and taken, and the rule that
// a composition keeps its keys.
class KeypadFilter : public QObject, public QAbstractNativeEventFilter {
  public:
    KeypadFilter(QWidget& window, KeyPress press)
        : QObject(&window), window_(window), press_(std::move(press)) {}

  protected:
    void watch() { QCoreApplication::instance()->installNativeEventFilter(this); }

    // Offers a press of the key known to the platform as `key`; says whether it was taken.
    bool offer(unsigned key, const QKeyEvent& press) {
        const auto* line = dynamic_cast<const TextBoxEdit*>(window_.focusWidget());
        if ((line != nullptr && line->composing()) || !press_(press))
            return false;
        taken_.insert(key);
        return true;
    }
    // The release of a key taken goes with it.
    bool released(unsigned key) { return taken_.erase(key) > 0; }

    QWidget& window_;

  private:
    KeyPress press_;
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

// X11: the key presses as the X server sends them, before Qt hands them to the input method.
class X11KeypadFilter final : public KeypadFilter {
  public:
    X11KeypadFilter(QWidget& window, xcb_connection_t* connection, KeyPress press)
        : KeypadFilter(window, std::move(press)), connection_(connection) {
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
        if (key->event != window_.winId())
            return false;
        if (kind == XCB_KEY_RELEASE)
            return released(key->detail);
        const xkb_keysym_t symbol = symbolOf(*key);
        return symbol != XKB_KEY_NoSymbol &&
               offer(key->detail,
                     QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, modifiersOf(key->state),
                               key->detail, symbol, key->state));
    }

  private:
    xkb_keysym_t symbolOf(const xcb_key_press_event_t& key) {
        if (!keymap_) {
            const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection_);
            keymap_.reset(xkb_x11_keymap_new_from_device(context_.get(), connection_, device,
                                                         XKB_KEYMAP_COMPILE_NO_FLAGS));
            state_.reset(keymap_ ? xkb_state_new(keymap_.get()) : nullptr);
        }
        if (!state_)
            return XKB_KEY_NoSymbol;
        // A keymap read from the X server numbers its modifiers as the core protocol does.
        xkb_state_update_mask(state_.get(), key.state & RealModifiers, 0, 0, 0, 0,
                              (key.state >> GroupShift) & GroupBits);
        return xkb_state_key_get_one_sym(state_.get(), key.detail);
    }

    xcb_connection_t* connection_;
    std::uint8_t xkbEvent_ = 0;
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
// on it only when the message is translated (TranslateMessage). A keypad key taken here is
// neither translated nor dispatched, so the input method never sees it.
class WindowsKeypadFilter final : public KeypadFilter {
  public:
    WindowsKeypadFilter(QWidget& window, KeyPress press) : KeypadFilter(window, std::move(press)) {
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
        if (msg->message == WM_KEYUP)
            return released(virtualKey);
        for (const auto& [keypadKey, qtKey] : KeypadVirtualKeys) {
            if (keypadKey == virtualKey)
                return offer(virtualKey, QKeyEvent(QEvent::KeyPress, qtKey, Qt::KeypadModifier, 0,
                                                   virtualKey, 0));
        }
        return false;
    }
};

#endif

} // namespace

void catchKeypadBeforeInputMethod(QWidget& window, KeyPress press) {
#ifdef FORMS_QT_XCB
    if (xcb_connection_t* connection = x11Connection())
        new X11KeypadFilter(window, connection, std::move(press));
#elif defined(Q_OS_WIN)
    new WindowsKeypadFilter(window, std::move(press));
#else
    Q_UNUSED(window);
    Q_UNUSED(press);
#endif
}

} // namespace forms::qt
