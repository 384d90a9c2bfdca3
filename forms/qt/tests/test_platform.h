// The window system the Qt test programs run on: offscreen unless QT_QPA_PLATFORM names
// another. Call first in main, before the QApplication.
#pragma once

#include <QByteArray>

namespace forms::qt::testing {

inline void chooseTestPlatform() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // Offscreen, Qt reads the font files of one folder, Qt's own by default: the system's.
    if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
}

} // namespace forms::qt::testing
