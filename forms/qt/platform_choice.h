// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Chooses Qt's platform where the session offers two and the user has chosen none: X11 (on
// Wayland, through Xwayland) where Wayland is offered too, because there windows keep the
// places, frames and taskbar hints their faces give them, which Wayland leaves to the
// compositor. QT_QPA_PLATFORM, when set, is the user's choice and stays; so does Qt's own
// choice where only one is offered, and on Windows.
#pragma once

namespace forms::qt {

// Call it before the QApplication is made.
void choosePlatform();

} // namespace forms::qt
