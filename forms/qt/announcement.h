// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Has assistive technology say a text for a window without moving the focus. Qt 6.8 and later
// send Qt's announcement event, politely. Older Qt has no such event, so the window gets an
// Announcement, a child without size or picture, shown anew with the text for each
// announcement: assistive technology meets it as a notification (forms/qt/accessibility.h),
// and screen readers speak a notification that shows (Orca 43: "notification 15"). What to
// announce, and when, is the caller's.
#pragma once

#include <QWidget>

namespace forms::qt {

void announce(QWidget& window, const QString& text);

// The child that carries a window's announcements where Qt has no announcement event; its
// accessible name is the text.
class Announcement final : public QWidget {
  public:
    explicit Announcement(QWidget& window);
};

} // namespace forms::qt
