// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/taskbar.h"

#include <QGuiApplication>

#ifdef FORMS_QT_XCB
#include "forms/qt/x11_connection.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>
#elif defined(Q_OS_WIN)
#include <QWindow>
#endif

namespace forms::qt {

#ifdef FORMS_QT_XCB
namespace {

// _NET_WM_STATE is a list of atoms: 32-bit items, of which a window has a handful.
constexpr std::uint8_t AtomFormat = 32;
constexpr std::uint32_t MostStatesRead = 1024;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool hasState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t states,
              xcb_atom_t state) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, states, XCB_ATOM_ATOM, 0, MostStatesRead),
            nullptr),
        &std::free);
    if (reply == nullptr || reply->format != AtomFormat)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count =
        xcb_get_property_value_length(reply.get()) / static_cast<int>(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, state) != atoms + count;
}

} // namespace

Qt::WindowType typeWithoutTaskbarButton() {
    return x11Connection() != nullptr ? Qt::Window : Qt::Tool;
}

void keepOffTaskbar(QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || window.isVisible())
        return;
    // Qt merges its own states into what the property holds when it maps the window.
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t states = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (states == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE ||
        hasState(connection, id, states, skipTaskbar))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, states, XCB_ATOM_ATOM, AtomFormat, 1,
                        &skipTaskbar);
    xcb_flush(connection);
}

#elif defined(Q_OS_WIN)

Qt::WindowType typeWithoutTaskbarButton() {
    return Qt::Dialog;
}

void keepOffTaskbar(QWidget& window) {
    window.winId(); // Qt gives the native window its transient parent as its owner
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->transientParent() != nullptr)
        return;
    // Never shown, and gone with the window: an owner that ties it to no other window.
    auto* owner = new QWindow;
    static_cast<QObject*>(owner)->setParent(&window);
    owner->create();
    handle->setTransientParent(owner);
}

#else

Qt::WindowType typeWithoutTaskbarButton() {
    return Qt::Tool;
}
void keepOffTaskbar(QWidget&) {}

#endif

} // namespace forms::qt
