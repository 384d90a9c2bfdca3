// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How a top-level window of fixed size is framed: a title bar with its system menu and close
// box, and no minimize or maximize box. On native Wayland Qt 6.4 draws every title bar itself,
// always with minimize and maximize buttons whatever the window asks for, and a minimized
// window cannot be brought back by the program; there such a window has no title bar, and the
// compositor moves it (Super and drag). What a window is otherwise is its owner's.
#pragma once

#include <Qt>

namespace forms::qt {

// The frame's flags, to be added to the window's type. Needs a QGuiApplication.
Qt::WindowFlags fixedSizeFrame();

} // namespace forms::qt
