// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Tells assistive technology (AT-SPI, UI Automation) what the widgets of a face are that Qt
// cannot tell by itself: a key label is a push button whose press action clicks it once, a
// label that runs no handler is plain text, a display line is editable text
// (forms/qt/text_box_accessible.h), a face's window is a window, and the carrier of its
// announcements a notification (forms/qt/announcement.h). Names and descriptions
// come from the widgets' own, set by the view; every other widget is described by Qt.
#pragma once

namespace forms::qt {

// Installs the descriptions for the running application; needs a QApplication. Installing
// again does nothing.
void installAccessibility();

} // namespace forms::qt
