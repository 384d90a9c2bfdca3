// SPDX-FileCopyrightText: 2026 森　結
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/qt/platform_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace forms::qt {

void choosePlatform() {
#ifdef FORMS_QT_XCB
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        // Wayland still where the X server cannot be reached.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb;wayland"));
#endif
}

} // namespace forms::qt
