// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which platform Qt is sent to: X11 where the session offers Wayland too, unless the user chose.
#include "forms/qt/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

namespace forms::qt {
namespace {

#ifndef Q_OS_WIN // Windows has one platform: nothing to choose
TEST(ChoosePlatform, X11WhereWaylandIsOfferedTooUnlessTheUserChose) {
    struct Row {
        const char* what;
        const char* chosen; // QT_QPA_PLATFORM before, "" for unset
        const char* display;
        const char* waylandDisplay;
        const char* platform; // QT_QPA_PLATFORM after
    };
    const Row rows[] = {
        {"both offered", "", ":0", "wayland-0", "xcb;wayland"},
        {"both offered, the user chose Wayland", "wayland", ":0", "wayland-0", "wayland"},
        {"Wayland alone", "", "", "wayland-0", ""},
        {"X11 alone", "", ":0", "", ""},
    };
    const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"),
                                qgetenv("WAYLAND_DISPLAY")};
    for (const Row& row : rows) {
        qputenv("QT_QPA_PLATFORM", QByteArray(row.chosen));
        qputenv("DISPLAY", QByteArray(row.display));
        qputenv("WAYLAND_DISPLAY", QByteArray(row.waylandDisplay));
        choosePlatform();
        EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), row.platform) << row.what;
    }
    qputenv("QT_QPA_PLATFORM", saved[0]);
    qputenv("DISPLAY", saved[1]);
    qputenv("WAYLAND_DISPLAY", saved[2]);
}
#endif

} // namespace
} // namespace forms::qt
