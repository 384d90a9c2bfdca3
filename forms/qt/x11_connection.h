// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The application's connection to the X server, for the few things Qt does not do itself on
// X11; null on every other platform (offscreen too). Only where libxcb is found (FORMS_QT_XCB).
#pragma once

#include <xcb/xcb.h>

namespace forms::qt {

xcb_connection_t* x11Connection();

} // namespace forms::qt
