// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps a top-level window off the taskbar. On X11 the window stays a normal, independent
// window that asks the window manager to leave it off the taskbar (a tool window would be
// kept above the program's other windows, and hidden with them by some window managers). On
// Windows it becomes a dialog owned by a hidden window of its own, as a window without a
// taskbar button is there (a tool window would get a small tool-window title bar). Elsewhere
// it becomes a tool window, which the platforms keep off their taskbars.
#pragma once

#include <QWidget>

namespace forms::qt {

// The window type for a window without a taskbar button.
Qt::WindowType typeWithoutTaskbarButton();

// Asks again before each showing: window managers forget the request when a window is hidden.
void keepOffTaskbar(QWidget& window);

} // namespace forms::qt
