// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/window_frame.h"

#include <QGuiApplication>

namespace forms::qt {

Qt::WindowFlags fixedSizeFrame() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return Qt::FramelessWindowHint;
    return Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
}

} // namespace forms::qt
